cmake_minimum_required(VERSION 3.21)

# Builds the Debian package and reads it back: its name and version, the
# dependencies dpkg-shlibdeps found together with those it cannot see, and
# the files a desktop needs.

if(NOT DPKG_DEB OR NOT DPKG_SHLIBDEPS)
    message(FATAL_ERROR "dpkg-deb and dpkg-shlibdeps are needed: install the Debian package dpkg-dev")
endif()

file(REMOVE_RECURSE "${OUT_DIR}")
execute_process(COMMAND "${CPACK}" -G DEB --config "${CONFIG}" -B "${OUT_DIR}"
    RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "cpack failed: ${result}\n${output}")
endif()

file(GLOB debs "${OUT_DIR}/gaugestar_${VERSION}_*.deb")
list(LENGTH debs count)
if(NOT count EQUAL 1)
    message(FATAL_ERROR "expected one gaugestar_${VERSION}_<arch>.deb in ${OUT_DIR}, found: ${debs}")
endif()

function(control_field deb field out)
    execute_process(COMMAND "${DPKG_DEB}" --field "${deb}" ${field}
        RESULT_VARIABLE result OUTPUT_VARIABLE value OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "dpkg-deb --field ${field} failed: ${result}")
    endif()
    set(${out} "${value}" PARENT_SCOPE)
endfunction()

control_field("${debs}" Package package)
control_field("${debs}" Version version)
control_field("${debs}" Depends depends)
control_field("${debs}" Recommends recommends)
if(NOT recommends STREQUAL "qt6-wayland")
    message(FATAL_ERROR "Recommends is \"${recommends}\", not qt6-wayland")
endif()
if(NOT package STREQUAL "gaugestar" OR NOT version STREQUAL "${VERSION}")
    message(FATAL_ERROR "package ${package} ${version}, expected gaugestar ${VERSION}")
endif()

# Depends is a comma-separated list of "name (>= version)" alternatives.
string(REGEX REPLACE " *\\([^)]*\\)" "" names "${depends}")
string(REGEX REPLACE " *, *" ";" names "${names}")
foreach(needed libc6 libqt6core6 libqt6gui6 libqt6widgets6 libqt6printsupport6
        fonts-liberation qt6-qpa-plugins)
    if(NOT needed IN_LIST names)
        message(FATAL_ERROR "Depends lacks ${needed}: ${depends}")
    endif()
endforeach()

execute_process(COMMAND "${DPKG_DEB}" --contents "${debs}"
    RESULT_VARIABLE result OUTPUT_VARIABLE contents)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "dpkg-deb --contents failed: ${result}")
endif()
foreach(path "./usr/bin/gaugestar"
        "./usr/share/applications/${APP_ID}.desktop"
        "./usr/share/metainfo/${APP_ID}.metainfo.xml"
        "./usr/share/icons/hicolor/32x32/apps/${APP_ID}.png"
        "./usr/share/icons/hicolor/48x48/apps/${APP_ID}.png"
        "./usr/share/icons/hicolor/128x128/apps/${APP_ID}.png"
        "./usr/share/icons/hicolor/scalable/apps/${APP_ID}.svg"
        "./usr/share/man/man1/gaugestar.1.gz"
        "./usr/share/doc/gaugestar/copyright"
        "./usr/share/doc/gaugestar/changelog.gz")
    string(FIND "${contents}" " ${path}\n" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "the package lacks ${path}:\n${contents}")
    endif()
endforeach()
message(STATUS "${debs}: Depends: ${depends}")
