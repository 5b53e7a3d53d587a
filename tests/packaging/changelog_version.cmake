# The first line of debian/changelog names the version Debian builds:
#   gaugestar (2.5.3) unstable; urgency=medium
#   cmake -DCHANGELOG=<debian/changelog> -DVERSION=<project version> -P changelog_version.cmake
file(STRINGS "${CHANGELOG}" first LIMIT_COUNT 1)
if(NOT first MATCHES "^gaugestar \\(([^)]+)\\) ")
    message(FATAL_ERROR "${CHANGELOG}: no version in its first line: ${first}")
endif()
if(NOT CMAKE_MATCH_1 STREQUAL VERSION)
    message(FATAL_ERROR "${CHANGELOG} is at ${CMAKE_MATCH_1}, the project at ${VERSION}: "
        "add the changelog entry (dch -v ${VERSION}) or correct the version in CMakeLists.txt")
endif()
message(STATUS "debian/changelog and the project agree: ${VERSION}")
