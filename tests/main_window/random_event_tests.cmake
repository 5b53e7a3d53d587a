# Random operator events against the real window, seeded and reproducible.
# GAUGESTAR_RANDOM_SEED and GAUGESTAR_RANDOM_EVENTS in the environment of
# ctest choose a longer or another run.
gaugestar_add_test(test_random_events
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_random_events.cpp
    LIBRARIES gaugestar_ui gaugestar_test_support
    TIMEOUT 600)
