# Runs clazy and clang-tidy over the program's own sources (and their headers)
# with the flags of the build, shellcheck over every shell script of the tree
# and clang-format over every C++ file of it; any finding fails.
#   cmake -DSOURCE_DIR=... -DBUILD_DIR=... [-DWITHOUT_CLAZY=ON] -P lint.cmake
# WITHOUT_CLAZY: clazy already ran over the same sources while another
# build compiled them (GAUGESTAR_CLAZY); only clang-tidy is left.
find_program(CLAZY clazy-standalone)
find_program(CLANG_TIDY clang-tidy)
find_program(SHELLCHECK shellcheck)
find_program(CLANG_FORMAT clang-format)
if((NOT CLAZY AND NOT WITHOUT_CLAZY) OR NOT CLANG_TIDY OR NOT SHELLCHECK OR NOT CLANG_FORMAT)
    message("lint skipped: clazy-standalone, clang-tidy, shellcheck or clang-format is not installed")
    return()
endif()

# The layout of .clang-format, over every folder but the builds' (the
# presets' build*, the package build's obj-*, any other with a CMake cache)
# and debian/, as clang-format 14 (Debian 12's) lays it out: other versions
# break some lines differently, so they leave it unchecked rather than fail
# on a tree that follows it.
execute_process(COMMAND ${CLANG_FORMAT} --version OUTPUT_VARIABLE format_version OUTPUT_STRIP_TRAILING_WHITESPACE)
file(GLOB top_folders LIST_DIRECTORIES true RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/*)
list(FILTER top_folders EXCLUDE REGEX "^(build.*|obj-.*|debian)$")
foreach(folder IN LISTS top_folders)
    if(EXISTS ${SOURCE_DIR}/${folder}/CMakeCache.txt)
        list(REMOVE_ITEM top_folders ${folder})
    endif()
endforeach()
list(TRANSFORM top_folders REPLACE "(.+)" "${SOURCE_DIR}/\\1/*.cpp;${SOURCE_DIR}/\\1/*.h")
file(GLOB_RECURSE cxx_files LIST_DIRECTORIES false ${top_folders})
list(LENGTH cxx_files formatted)
set(format_verdict "layout unchecked (${format_version} is not 14)")
if(format_version MATCHES "version 14\\.")
    execute_process(COMMAND ${CLANG_FORMAT} --dry-run --Werror ${cxx_files} RESULT_VARIABLE result ERROR_VARIABLE found)
    if(formatted EQUAL 0 OR NOT result EQUAL 0)
        message(FATAL_ERROR "lint: C++ files not laid out as .clang-format says (clang-format -i lays them out)\n${found}")
    endif()
    set(format_verdict "${formatted} C++ files laid out as .clang-format says")
endif()

# Every shell script: a file of these folders whose first line starts a
# shell, or a file sourced by them (*.sh). Paths in their `source=`
# directives are from the top of the tree.
# debian/ only where its sources are: a package build leaves its work there.
file(GLOB_RECURSE candidates LIST_DIRECTORIES false
    ${SOURCE_DIR}/scripts/* ${SOURCE_DIR}/fuzz/* ${SOURCE_DIR}/.ci/* ${SOURCE_DIR}/tools/*
    ${SOURCE_DIR}/tests/* ${SOURCE_DIR}/bench/* ${SOURCE_DIR}/packaging/*)
file(GLOB debian_files LIST_DIRECTORIES false ${SOURCE_DIR}/debian/* ${SOURCE_DIR}/debian/tests/*)
set(shell_scripts "")
foreach(candidate IN LISTS candidates debian_files)
    if(IS_DIRECTORY ${candidate} OR IS_SYMLINK ${candidate})
        continue()
    endif()
    file(STRINGS ${candidate} first LIMIT_COUNT 1 LIMIT_INPUT 80)
    if(candidate MATCHES "\\.sh$" OR first MATCHES "^#!.*[/ ](ba|da)?sh( |$)")
        list(APPEND shell_scripts ${candidate})
    endif()
endforeach()
list(LENGTH shell_scripts scripts_checked)
execute_process(COMMAND ${SHELLCHECK} --external-sources ${shell_scripts} WORKING_DIRECTORY ${SOURCE_DIR}
                RESULT_VARIABLE result OUTPUT_VARIABLE found ERROR_VARIABLE found)
if(scripts_checked EQUAL 0 OR NOT result EQUAL 0)
    message(FATAL_ERROR "lint: shellcheck's findings in the ${scripts_checked} shell scripts\n${found}")
endif()

# The checks of clang-tidy are in .clang-tidy at the root, clazy's here.
include(${SOURCE_DIR}/cmake/clazy_checks.cmake)

# Only the program's folders count, for sources and headers alike: not the
# tests, not generated code, not Qt. Headers are reached through the build's
# include roots, one per folder. The build names the folders.
load_cache(${BUILD_DIR} READ_WITH_PREFIX "" GAUGESTAR_PRODUCT_FOLDERS)
if(NOT GAUGESTAR_PRODUCT_FOLDERS)
    message(FATAL_ERROR "lint: ${BUILD_DIR} names no program folders (configure it first)")
endif()
list(JOIN GAUGESTAR_PRODUCT_FOLDERS "|" folders)
set(folders "(${folders})")
string(REGEX REPLACE "([][.*+?^$()|\\])" "\\\\\\1" root "${SOURCE_DIR}")
string(REGEX REPLACE "([][.*+?^$()|\\])" "\\\\\\1" build "${BUILD_DIR}")
set(product "^${root}/${folders}/")
set(product_headers "^(${root}|${build}/include_roots/[a-z_]+)/${folders}/")
file(READ ${BUILD_DIR}/compile_commands.json db)
string(JSON count LENGTH "${db}")
math(EXPR last "${count} - 1")
foreach(i RANGE ${last})
    string(JSON file GET "${db}" ${i} file)
    if(file MATCHES "${product}")
        list(APPEND files "${file}")
    endif()
endforeach()
list(REMOVE_DUPLICATES files)
list(LENGTH files checked)
list(JOIN files "\n" text)
file(WRITE ${BUILD_DIR}/lint-files.txt "${text}\n")

# The build may be GCC's: clang does not know all of its warning options.
set(common -p ${BUILD_DIR} --header-filter=${product_headers} --extra-arg=-Wno-unknown-warning-option)
# One source per run, two at a time: both cores work.
set(clazy_run "${CLAZY};--checks=${GAUGESTAR_CLAZY_CHECKS}")
if(WITHOUT_CLAZY)
    set(clazy_run "")
endif()
foreach(tool "${clazy_run}" "${CLANG_TIDY};--quiet;--warnings-as-errors=*")
    if(NOT tool)
        continue()
    endif()
    execute_process(COMMAND xargs -d "\\n" -P 2 -n 1 ${tool} ${common} INPUT_FILE ${BUILD_DIR}/lint-files.txt
                    RESULT_VARIABLE result OUTPUT_VARIABLE found ERROR_VARIABLE found)
    string(REGEX REPLACE "[0-9]+ warnings? generated\\.\n" "" found "${found}")
    if(checked EQUAL 0 OR NOT result EQUAL 0 OR found MATCHES "(warning|error):")
        message(FATAL_ERROR "lint: findings in the ${checked} sources checked\n${found}")
    endif()
endforeach()
if(WITHOUT_CLAZY)
    message("lint: ${checked} sources, no findings by clang-tidy (clazy ran in the Clang build); "
            "${scripts_checked} shell scripts, none by shellcheck; ${format_verdict}")
else()
    message("lint: ${checked} sources, no findings by clazy or clang-tidy; "
            "${scripts_checked} shell scripts, none by shellcheck; ${format_verdict}")
endif()
