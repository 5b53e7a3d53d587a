# Where an installed Gaugestar lives:
#   cmake --install <build> [--prefix <dir>]
# The Debian package (debian/) installs the same tree; debhelper compresses
# the manual page and adds the copyright file and the changelog.

include(GNUInstallDirs)

# The reverse-DNS id names the desktop entry, the AppStream file and the
# icon alike; the program announces the same id to the desktop.
set(GAUGESTAR_APP_ID "com.ombrix.Gaugestar")
set(GAUGESTAR_PACKAGING_DIR "${PROJECT_SOURCE_DIR}/packaging")
set(GAUGESTAR_ICON_DIR "${PROJECT_SOURCE_DIR}/main_window/resources/icons")

install(TARGETS gaugestar RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

install(FILES "${GAUGESTAR_PACKAGING_DIR}/${GAUGESTAR_APP_ID}.desktop"
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES "${GAUGESTAR_PACKAGING_DIR}/${GAUGESTAR_APP_ID}.metainfo.xml"
    DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# The icons come from the same generator as the window icon.
foreach(size 32 48 128)
    install(FILES "${GAUGESTAR_ICON_DIR}/${size}/gaugestar.png"
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
        RENAME ${GAUGESTAR_APP_ID}.png)
endforeach()
install(FILES "${GAUGESTAR_ICON_DIR}/scalable/gaugestar.svg"
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
    RENAME ${GAUGESTAR_APP_ID}.svg)

install(FILES "${GAUGESTAR_PACKAGING_DIR}/gaugestar.1" DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# --- Validators ---
if(PROJECT_IS_TOP_LEVEL AND BUILD_TESTING)
    include(${PROJECT_SOURCE_DIR}/tests/packaging/packaging_tests.cmake)
endif()
