# The desktop entry, the AppStream file and the installed tree, checked
# with Debian's own validators (the Debian package: scripts/debian-stage). A validator that is missing
# fails its test with the package to install, rather than skipping it.

set(_packaging_tests_dir ${CMAKE_CURRENT_LIST_DIR})

find_program(GAUGESTAR_DESKTOP_FILE_VALIDATE desktop-file-validate)
find_program(GAUGESTAR_APPSTREAMCLI appstreamcli)

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
            ${GAUGESTAR_RELEASED_DIR}/${GAUGESTAR_APP_ID}.metainfo.xml)

# The user guide states the accuracy the tests keep, and every document the
# accuracy figures of cmake/accuracy_bounds.cmake.
add_test(NAME packaging_accuracy_bounds
    COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${PROJECT_SOURCE_DIR} -DGAUGESTAR_APP_ID=${GAUGESTAR_APP_ID}
            -DBOUNDS_FILE=${PROJECT_SOURCE_DIR}/cmake/accuracy_bounds.cmake -P ${_packaging_tests_dir}/accuracy_bounds_stated.cmake)
set_tests_properties(packaging_accuracy_bounds PROPERTIES TIMEOUT 60 LABELS headless)

# Installs into a folder of the build tree and checks what landed where.
add_test(NAME packaging_install_tree
    COMMAND ${CMAKE_COMMAND}
        -DBUILD_DIR=${PROJECT_BINARY_DIR}
        -DPREFIX=${PROJECT_BINARY_DIR}/packaging-test/install
        -DAPP_ID=${GAUGESTAR_APP_ID}
        -DVERSION=${PROJECT_VERSION}
        -DBINDIR=${CMAKE_INSTALL_BINDIR}
        -DDATADIR=${CMAKE_INSTALL_DATADIR}
        -DMANDIR=${CMAKE_INSTALL_MANDIR}
        -DAPPSTREAMCLI=${GAUGESTAR_APPSTREAMCLI}
        -DDESKTOP_FILE_VALIDATE=${GAUGESTAR_DESKTOP_FILE_VALIDATE}
        -P ${_packaging_tests_dir}/check_install.cmake)

set_tests_properties(packaging_install_tree PROPERTIES TIMEOUT 300 LABELS packaging)
set_tests_properties(packaging_desktop_entry packaging_metainfo PROPERTIES
    TIMEOUT 60 LABELS packaging)
