# Stands in for a validator that is not installed.
message(FATAL_ERROR "${TOOL} is not installed: install the Debian package ${PACKAGE} (scripts/setup --test does)")
