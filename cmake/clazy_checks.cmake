# The clazy checks the program's code passes, for the lint test and for a
# build that runs clazy while compiling (GAUGESTAR_CLAZY). Turned off:
# qproperty-without-notify: Mainform's read-only properties are its working state, read, never watched.
set(GAUGESTAR_CLAZY_CHECKS level0,level1,level2,no-qproperty-without-notify)
