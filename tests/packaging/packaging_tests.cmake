# The desktop entry, the AppStream file, the installed tree and the Debian
# package, checked with Debian's own validators. A validator that is missing
# fails its test with the package to install, rather than skipping it.

set(_packaging_tests_dir ${CMAKE_CURRENT_LIST_DIR})

find_program(GAUGESTAR_DESKTOP_FILE_VALIDATE desktop-file-validate)
find_program(GAUGESTAR_APPSTREAMCLI appstreamcli)
find_program(GAUGESTAR_DPKG_DEB dpkg-deb)
find_program(GAUGESTAR_DPKG_SHLIBDEPS dpkg-shlibdeps)

function(_gaugestar_tool_or_failure var tool package)
    if(${var})
        set(${var}_COMMAND ${${var}} PARENT_SCOPE)
    else()
        set(${var}_COMMAND ${CMAKE_COMMAND} -DTOOL=${tool} -DPACKAGE=${package}
            -P ${_packaging_tests_dir}/missing_tool.cmake PARENT_SCOPE)
    endif()
endfunction()
_gaugestar_tool_or_failure(GAUGESTAR_DESKTOP_FILE_VALIDATE desktop-file-validate desktop-file-utils)
_gaugestar_tool_or_failure(GAUGESTAR_APPSTREAMCLI appstreamcli appstream)

add_test(NAME packaging_desktop_entry
    COMMAND ${GAUGESTAR_DESKTOP_FILE_VALIDATE_COMMAND}
            ${GAUGESTAR_PACKAGING_DIR}/${GAUGESTAR_APP_ID}.desktop)
add_test(NAME packaging_metainfo
    COMMAND ${GAUGESTAR_APPSTREAMCLI_COMMAND} validate --no-net
            ${GAUGESTAR_PACKAGING_DIR}/${GAUGESTAR_APP_ID}.metainfo.xml)

# Installs into a folder of the build tree and checks what landed where.
add_test(NAME packaging_install_tree
    COMMAND ${CMAKE_COMMAND}
        -DBUILD_DIR=${PROJECT_BINARY_DIR}
        -DPREFIX=${PROJECT_BINARY_DIR}/packaging-test/install
        -DAPP_ID=${GAUGESTAR_APP_ID}
        -DVERSION=${PROJECT_VERSION}
        -DBINDIR=${CMAKE_INSTALL_BINDIR}
        -DDATADIR=${CMAKE_INSTALL_DATADIR}
        -DAPPSTREAMCLI=${GAUGESTAR_APPSTREAMCLI}
        -DDESKTOP_FILE_VALIDATE=${GAUGESTAR_DESKTOP_FILE_VALIDATE}
        -P ${_packaging_tests_dir}/check_install.cmake)

# Builds the .deb into a folder of the build tree and reads its control
# fields and contents back.
add_test(NAME packaging_deb
    COMMAND ${CMAKE_COMMAND}
        -DCPACK=${CMAKE_CPACK_COMMAND}
        -DCONFIG=${PROJECT_BINARY_DIR}/CPackConfig.cmake
        -DOUT_DIR=${PROJECT_BINARY_DIR}/packaging-test/deb
        -DAPP_ID=${GAUGESTAR_APP_ID}
        -DVERSION=${PROJECT_VERSION}
        -DDPKG_DEB=${GAUGESTAR_DPKG_DEB}
        -DDPKG_SHLIBDEPS=${GAUGESTAR_DPKG_SHLIBDEPS}
        -P ${_packaging_tests_dir}/check_deb.cmake)

# Both write into the build tree from the same install rules.
set_tests_properties(packaging_install_tree packaging_deb PROPERTIES
    RESOURCE_LOCK gaugestar_install TIMEOUT 300 LABELS packaging)
set_tests_properties(packaging_desktop_entry packaging_metainfo PROPERTIES
    TIMEOUT 60 LABELS packaging)

# What a distribution asks of the release: lintian, the hardening of the
# packaged program, and two builds giving the same package. Not on a
# sanitized build, which is neither hardened nor released.
if(NOT GAUGESTAR_SANITIZE)
    find_program(GAUGESTAR_LINTIAN lintian)
    find_program(GAUGESTAR_HARDENING_CHECK hardening-check)
    set(_release_check ${CMAKE_COMMAND} -DDEB_DIR=${PROJECT_BINARY_DIR}/packaging-test/deb
        -DWORK_DIR=${PROJECT_BINARY_DIR}/packaging-test)
    add_test(NAME packaging_lintian
        COMMAND ${_release_check} -DMODE=lintian -DLINTIAN=${GAUGESTAR_LINTIAN}
                -P ${_packaging_tests_dir}/check_release.cmake)
    add_test(NAME packaging_hardening
        COMMAND ${_release_check} -DMODE=hardening -DHARDENING_CHECK=${GAUGESTAR_HARDENING_CHECK}
                -DCXX=${CMAKE_CXX_COMPILER} -P ${_packaging_tests_dir}/check_release.cmake)
    add_test(NAME packaging_reproducible
        COMMAND ${_release_check} -DMODE=reproducible -DSOURCE_DIR=${PROJECT_SOURCE_DIR}
                -DCPACK=${CMAKE_CPACK_COMMAND} -P ${_packaging_tests_dir}/check_release.cmake)
    # Both read the package that packaging_deb builds.
    set_tests_properties(packaging_deb PROPERTIES FIXTURES_SETUP gaugestar_deb)
    set_tests_properties(packaging_lintian packaging_hardening PROPERTIES
        FIXTURES_REQUIRED gaugestar_deb RESOURCE_LOCK gaugestar_install TIMEOUT 300 LABELS packaging)
    set_tests_properties(packaging_reproducible PROPERTIES TIMEOUT 1800 LABELS packaging)
endif()
