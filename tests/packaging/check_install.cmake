cmake_minimum_required(VERSION 3.21)

# Installs the build into PREFIX and checks the tree a desktop expects:
# the program, the desktop entry, the AppStream file and the hicolor icons,
# all under one id, the AppStream release matching the build's version, the
# manual page, and the user guide with the pictures it links.

file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND ${CMAKE_COMMAND} --install "${BUILD_DIR}" --prefix "${PREFIX}"
    RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "cmake --install failed: ${result}")
endif()

set(desktop "${PREFIX}/${DATADIR}/applications/${APP_ID}.desktop")
set(metainfo "${PREFIX}/${DATADIR}/metainfo/${APP_ID}.metainfo.xml")
set(icons "${PREFIX}/${DATADIR}/icons/hicolor")
set(doc "${PREFIX}/${DATADIR}/doc/gaugestar")
foreach(path "${PREFIX}/${BINDIR}/gaugestar" "${desktop}" "${metainfo}"
        "${icons}/scalable/apps/${APP_ID}.svg" "${PREFIX}/${MANDIR}/man1/gaugestar.1"
        "${doc}/user-guide.md" "${doc}/main-window.png" "${doc}/tank-volume-accuracy.png")
    if(NOT EXISTS "${path}")
        message(FATAL_ERROR "not installed: ${path}")
    endif()
endforeach()
execute_process(COMMAND test -x "${PREFIX}/${BINDIR}/gaugestar" RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "the installed program is not executable")
endif()

# Each raster icon must be as large as the folder it sits in says: the PNG
# header holds the width and height as 32-bit big-endian numbers.
foreach(size 32 48 128)
    set(icon "${icons}/${size}x${size}/apps/${APP_ID}.png")
    if(NOT EXISTS "${icon}")
        message(FATAL_ERROR "not installed: ${icon}")
    endif()
    file(READ "${icon}" header OFFSET 16 LIMIT 8 HEX)
    string(SUBSTRING "${header}" 0 8 width_hex)
    string(SUBSTRING "${header}" 8 8 height_hex)
    math(EXPR width "0x${width_hex}")
    math(EXPR height "0x${height_hex}")
    if(NOT width EQUAL size OR NOT height EQUAL size)
        message(FATAL_ERROR "${icon} is ${width}x${height}, not ${size}x${size}")
    endif()
endforeach()

file(STRINGS "${desktop}" entry)
foreach(line "Name=Gaugestar" "Exec=gaugestar" "Icon=${APP_ID}" "Categories=Utility;Calculator;Qt;")
    if(NOT line IN_LIST entry)
        message(FATAL_ERROR "${desktop} lacks the line ${line}")
    endif()
endforeach()

file(READ "${metainfo}" component)
foreach(part "<id>${APP_ID}</id>"
        "<launchable type=\"desktop-id\">${APP_ID}.desktop</launchable>"
        "<metadata_license>CC0-1.0</metadata_license>"
        "<release version=\"${VERSION}\"")
    string(FIND "${component}" "${part}" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "${metainfo} lacks ${part}")
    endif()
endforeach()

# The manual page names the release, and no placeholder is left unfilled.
file(STRINGS "${PREFIX}/${MANDIR}/man1/gaugestar.1" title LIMIT_COUNT 1)
string(FIND "${title}" "\"Gaugestar ${VERSION}\"" at)
if(at EQUAL -1 OR "${title}${component}" MATCHES "@[A-Z_]+@")
    message(FATAL_ERROR "the manual page or the AppStream file does not name the release ${VERSION}: ${title}")
endif()

# The validators see the installed files together: the AppStream file's
# launchable must find its desktop entry, and that entry its icon.
if(NOT APPSTREAMCLI)
    message(FATAL_ERROR "appstreamcli is not installed: install the Debian package appstream")
endif()
execute_process(COMMAND "${APPSTREAMCLI}" validate-tree --no-net "${PREFIX}" RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "appstreamcli validate-tree failed: ${result}")
endif()
if(NOT DESKTOP_FILE_VALIDATE)
    message(FATAL_ERROR "desktop-file-validate is not installed: install the Debian package desktop-file-utils")
endif()
execute_process(COMMAND "${DESKTOP_FILE_VALIDATE}" "${desktop}" RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "desktop-file-validate failed on the installed entry: ${result}")
endif()
