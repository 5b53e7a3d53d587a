# The File and Help menus: Print Screen, Exit and the About window.
gaugestar_add_test(test_menus
    SOURCES test_menus.cpp
    LIBRARIES gaugestar_ui gaugestar_test_support)
