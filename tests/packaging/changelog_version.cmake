# The versions a package carries agree: the project's, the newest release
# of the AppStream file, and the upstream part (between an epoch and the
# Debian revision) of the first entry of debian/changelog, which may add a
# repack or snapshot suffix ("+ds", "~rc1"):
#   gaugestar (1.2.3+ds-1) unstable; urgency=medium
# and every version the DOCS name (README.md, HACKING.md: file names such as
# gaugestar_1.2.3-1_amd64.deb) is the project's. Run by the package checks
# and the release, never by the package's own tests, which must not read debian/:
#   cmake -DCHANGELOG=<debian/changelog> -DMETAINFO=<AppStream file> -DVERSION=<project version>
#         [-DDOCS=<file>;<file>] -P changelog_version.cmake
file(STRINGS "${CHANGELOG}" first LIMIT_COUNT 1)
if(NOT first MATCHES "^gaugestar \\(([0-9]+:)?([^)]+)-[^-)]+\\) ")
    message(FATAL_ERROR "${CHANGELOG}: no version with a Debian revision in its first line: ${first}")
endif()
set(upstream "${CMAKE_MATCH_2}")
string(REPLACE "." "\\." version_pattern "${VERSION}")
if(NOT upstream MATCHES "^${version_pattern}([+~].*)?$")
    message(FATAL_ERROR "${CHANGELOG} packages ${upstream}, the project is at ${VERSION}: "
        "add the changelog entry (dch -v ${VERSION}-1) or correct the version in CMakeLists.txt")
endif()
file(STRINGS "${METAINFO}" newest REGEX "<release version=" LIMIT_COUNT 1)
if(NOT newest MATCHES "<release version=\"${version_pattern}\"")
    message(FATAL_ERROR "${METAINFO}: the newest release is not ${VERSION}: ${newest}")
endif()
foreach(doc IN LISTS DOCS)
    file(READ "${doc}" text)
    string(REGEX REPLACE "(^|[^0-9.])(${version_pattern})([^0-9.]|$)" "\\1\\3" text "${text}")
    if(text MATCHES "(^|[^0-9.])([0-9]+\\.[0-9]+\\.[0-9]+)([^0-9.]|$)")
        message(SEND_ERROR "${doc} names version ${CMAKE_MATCH_2}; the project is at ${VERSION}")
    endif()
endforeach()
message(STATUS "The project, its AppStream release, debian/changelog (${upstream}) and ${DOCS} agree on ${VERSION}")
