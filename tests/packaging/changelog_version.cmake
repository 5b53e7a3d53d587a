# The first line of debian/changelog names the version Debian builds; its
# upstream part (between an epoch and the Debian revision) is the project's:
#   gaugestar (2.5.3-1) unstable; urgency=medium
#   cmake -DCHANGELOG=<debian/changelog> -DVERSION=<project version> -P changelog_version.cmake
file(STRINGS "${CHANGELOG}" first LIMIT_COUNT 1)
if(NOT first MATCHES "^gaugestar \\(([0-9]+:)?([^)]+)-[^-)]+\\) ")
    message(FATAL_ERROR "${CHANGELOG}: no version with a Debian revision in its first line: ${first}")
endif()
if(NOT CMAKE_MATCH_2 STREQUAL VERSION)
    message(FATAL_ERROR "${CHANGELOG} packages ${CMAKE_MATCH_2}, the project is at ${VERSION}: "
        "add the changelog entry (dch -v ${VERSION}-1) or correct the version in CMakeLists.txt")
endif()
message(STATUS "debian/changelog packages the project's version: ${VERSION}")
