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

# The manual page and the release's changelog, compressed as Debian keeps
# them: -n leaves out the name and time, so every build gives the same bytes.
set(_compressed_docs)
foreach(doc gaugestar.1 changelog)
    set(_gz "${PROJECT_BINARY_DIR}/packaging/${doc}.gz")
    add_custom_command(OUTPUT "${_gz}"
        COMMAND ${CMAKE_COMMAND} -E make_directory "${PROJECT_BINARY_DIR}/packaging"
        COMMAND gzip -9n -c "${GAUGESTAR_PACKAGING_DIR}/${doc}" > "${_gz}"
        DEPENDS "${GAUGESTAR_PACKAGING_DIR}/${doc}"
        VERBATIM)
    list(APPEND _compressed_docs "${_gz}")
endforeach()
add_custom_target(gaugestar_docs ALL DEPENDS ${_compressed_docs})
install(FILES "${PROJECT_BINARY_DIR}/packaging/gaugestar.1.gz" DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES "${GAUGESTAR_PACKAGING_DIR}/copyright" "${PROJECT_BINARY_DIR}/packaging/changelog.gz"
    DESTINATION ${CMAKE_INSTALL_DOCDIR})

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
# On a Wayland desktop Qt runs natively only with its Wayland plugin;
# without it the program falls back to XWayland.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# Strip the debug information the default build keeps.
set(CPACK_STRIP_FILES ON)

# Every time in the package is the commit's (see reproducible.cmake).
configure_file("${PROJECT_SOURCE_DIR}/cmake/cpack_project_config.cmake.in"
    "${PROJECT_BINARY_DIR}/CPackProjectConfig.cmake" @ONLY)
set(CPACK_PROJECT_CONFIG_FILE "${PROJECT_BINARY_DIR}/CPackProjectConfig.cmake")
include(CPack)

# --- Validators ---
if(PROJECT_IS_TOP_LEVEL AND BUILD_TESTING)
    include(${PROJECT_SOURCE_DIR}/tests/packaging/packaging_tests.cmake)
endif()
