# Unit switching: the conversions on their own, and through the real selectors.
gaugestar_add_test(test_unit_switching
    SOURCES test_unit_switching.cpp ${PROJECT_SOURCE_DIR}/main_window/unit_switching.cpp
    LIBRARIES gaugestar_core Qt6::Core)
gaugestar_add_test(test_unit_switching_window
    SOURCES test_unit_switching_window.cpp
    LIBRARIES gaugestar_ui gaugestar_test_support)
