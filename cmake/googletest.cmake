# The Qt-free tests (of core/ and model/) in GoogleTest, so that they build
# and run wherever those folders do: the build without Qt and the Windows
# build too. GoogleTest is the installed one, or, where none is built for
# this compiler (a cross build), Debian's own sources (package googletest)
# compiled with the project.
set(GAUGESTAR_GTEST_SOURCES /usr/src/googletest CACHE PATH
    "GoogleTest's sources, built with the project when no installed GoogleTest fits")
find_package(GTest QUIET)
if(NOT GTest_FOUND AND EXISTS "${GAUGESTAR_GTEST_SOURCES}/CMakeLists.txt")
    set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    add_subdirectory("${GAUGESTAR_GTEST_SOURCES}" "${PROJECT_BINARY_DIR}/googletest" EXCLUDE_FROM_ALL)
    if(NOT TARGET GTest::gtest_main)
        add_library(GTest::gtest_main ALIAS gtest_main)
    endif()
    set(GTest_FOUND TRUE)
endif()

# One executable and one CTest test each: listing the cases at build time
# would run the test there, which a cross build cannot. Plain C++: no
# display, printer or network (the label: see tests/CMakeLists.txt).
function(gaugestar_add_gtest name)
    add_executable(${name} ${name}.cpp)
    set_target_properties(${name} PROPERTIES AUTOMOC OFF)
    target_link_libraries(${name} PRIVATE ${ARGN} GTest::gtest_main gaugestar_options)
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)   # support/, as the window tests
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES TIMEOUT 120 LABELS headless)
endfunction()
