# Where an installed Gaugestar lives, and the Debian package built from it.
#   cmake --install <build> [--prefix <dir>]
#   cd <build> && cpack -G DEB

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

# --- Debian package ---
set(CPACK_GENERATOR "DEB")
set(CPACK_PACKAGE_NAME "gaugestar")
set(CPACK_PACKAGE_VENDOR "Ombrix Associates")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Ombrix Associates <gaugestar@ombrix.com>")
set(CPACK_DEBIAN_PACKAGE_SECTION "utils")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://ombrix.com/gaugestar/")
# CPack puts the summary above this long description.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Gaugestar works out the full capacity, the gross volume at a product level
and the net volume corrected to the reference temperature for horizontal
tanks with flat or hemispherical ends and for upright tanks, and writes and
prints level/volume calibration charts.")
# dpkg-shlibdeps finds the libraries the program links to. It cannot see
# what Qt loads at run time: the platform plugins (the window system), nor
# the font the window's MS Sans Serif and Arial are replaced by.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation, qt6-qpa-plugins")
# Strip the debug information the default build keeps.
set(CPACK_STRIP_FILES ON)
include(CPack)

# --- Validators ---
if(PROJECT_IS_TOP_LEVEL AND BUILD_TESTING)
    include(${PROJECT_SOURCE_DIR}/tests/packaging/packaging_tests.cmake)
endif()
