# Where an installed Gaugestar lives:
#   cmake --install <build> [--prefix <dir>]
# The Debian package (debian/) installs the same tree; debhelper compresses
# the manual page and the user guide and adds the copyright file and the
# changelog.

include(GNUInstallDirs)

# The desktop entry, the AppStream file and the icon are named by
# GAUGESTAR_APP_ID (CMakeLists.txt).
set(GAUGESTAR_PACKAGING_DIR "${PROJECT_SOURCE_DIR}/packaging")
set(GAUGESTAR_ICON_DIR "${PROJECT_SOURCE_DIR}/window_kit/resources/icons")

# The release the manual page and the AppStream file name: the project's
# version, dated by its entry in the AppStream file's release history,
# which is the project's own changelog (a distribution's packaging keeps
# a changelog of its own).
set(metainfo_template "${GAUGESTAR_PACKAGING_DIR}/${GAUGESTAR_APP_ID}.metainfo.xml")
file(READ "${metainfo_template}" releases)
string(REPLACE "." "\\." version_pattern "${PROJECT_VERSION}")
if(NOT releases MATCHES "<release version=\"${version_pattern}\" date=\"([0-9]+-[0-9]+-[0-9]+)\"")
    message(FATAL_ERROR "${metainfo_template}: no <release> of version ${PROJECT_VERSION} with its date: "
        "add the release, newest first, to its <releases>")
endif()
set(GAUGESTAR_RELEASE_DATE "${CMAKE_MATCH_1}")
set(GAUGESTAR_RELEASED_DIR "${PROJECT_BINARY_DIR}/packaging")
foreach(file gaugestar.1 ${GAUGESTAR_APP_ID}.metainfo.xml)
    configure_file("${GAUGESTAR_PACKAGING_DIR}/${file}" "${GAUGESTAR_RELEASED_DIR}/${file}" @ONLY)
endforeach()

install(TARGETS gaugestar RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

install(FILES "${GAUGESTAR_PACKAGING_DIR}/${GAUGESTAR_APP_ID}.desktop"
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES "${GAUGESTAR_RELEASED_DIR}/${GAUGESTAR_APP_ID}.metainfo.xml"
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

install(FILES "${GAUGESTAR_RELEASED_DIR}/gaugestar.1" DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# The user guide, with the pictures it links by name beside it. Installed
# here, not by debian/docs, so that every install has it and
# packaging_install_tree checks it.
install(FILES "${PROJECT_SOURCE_DIR}/docs/user-guide.md" "${PROJECT_SOURCE_DIR}/docs/main-window.png"
        "${PROJECT_SOURCE_DIR}/docs/tank-volume-accuracy.png"
    DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/gaugestar)

# --- Validators ---
if(PROJECT_IS_TOP_LEVEL AND BUILD_TESTING)
    include(${PROJECT_SOURCE_DIR}/tests/packaging/packaging_tests.cmake)
endif()
