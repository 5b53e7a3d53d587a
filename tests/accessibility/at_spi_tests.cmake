# The running program as a screen reader sees it over AT-SPI: a Python
# client on Debian's pyatspi (Debian's own python, not whichever python3
# comes first on the PATH), a private X display and a private session bus.
# The script checks for what it needs and names the package to install.
add_test(NAME test_at_spi_round
    COMMAND /usr/bin/python3 ${PROJECT_SOURCE_DIR}/tests/e2e/at_spi_round.py
            --program $<TARGET_FILE:gaugestar>)
set_tests_properties(test_at_spi_round PROPERTIES
    TIMEOUT 300
    ENVIRONMENT "QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1;QT_QPA_PLATFORM=xcb;${GAUGESTAR_PYTHONPATH}"
    # Takes turns with the end-to-end rounds (tests/e2e).
    RESOURCE_LOCK gaugestar_desktop_session
    LABELS accessibility)
