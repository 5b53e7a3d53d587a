# The versions a package carries agree: the project's, the newest release
# of the AppStream file, and the upstream part (between an epoch and the
# Debian revision) of the first entry of debian/changelog, which may add a
# repack or snapshot suffix ("+ds", "~rc1"):
#   gaugestar (2.5.3+ds-1) unstable; urgency=medium
# Run by the package checks, never by the package's own tests, which must
# not read debian/:
#   cmake -DCHANGELOG=<debian/changelog> -DMETAINFO=<AppStream file> -DVERSION=<project version> -P changelog_version.cmake
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
message(STATUS "The project, its AppStream release and debian/changelog (${upstream}) agree on ${VERSION}")
