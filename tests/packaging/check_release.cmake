cmake_minimum_required(VERSION 3.21)

# What a distribution asks of the release package, one MODE at a time:
#   lintian       lintian finds no error and no warning in the .deb in DEB_DIR
#   hardening     hardening-check finds every protection it knows in its program
#   reproducible  two builds of the source tree, in two folders one after
#                 the other, give byte-identical packages

function(fail what)
    message(FATAL_ERROR "${what}")
endfunction()

function(run)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
    set(result "${result}" PARENT_SCOPE)
    set(output "${output}" PARENT_SCOPE)
endfunction()

function(the_deb dir out)
    file(GLOB debs "${dir}/gaugestar_*.deb")
    list(LENGTH debs count)
    if(NOT count EQUAL 1)
        fail("expected one gaugestar .deb in ${dir}, found: ${debs}")
    endif()
    set(${out} "${debs}" PARENT_SCOPE)
endfunction()

if(MODE STREQUAL "lintian")
    if(NOT LINTIAN)
        fail("lintian is not installed: install the Debian package lintian (scripts/setup --test does)")
    endif()
    the_deb("${DEB_DIR}" deb)
    run(${LINTIAN} --fail-on error,warning --display-info "${deb}")
    message(STATUS "lintian ${deb}:\n${output}")
    if(NOT result EQUAL 0)
        fail("lintian reports errors or warnings (status ${result})")
    endif()

elseif(MODE STREQUAL "hardening")
    if(NOT HARDENING_CHECK)
        fail("hardening-check is not installed: install the Debian package devscripts (scripts/setup --test does)")
    endif()
    the_deb("${DEB_DIR}" deb)
    set(root "${WORK_DIR}/hardening")
    file(REMOVE_RECURSE "${root}")
    run(dpkg-deb -x "${deb}" "${root}")
    set(program "${root}/usr/bin/gaugestar")
    # A program is marked as fit for control-flow protection only when every
    # object linked in is; where the C library's start files are not (as on
    # Debian 12), no program can be, and the check is whether this one's own
    # code carries the protection.
    set(options)
    run(${CXX} -print-file-name=Scrt1.o)
    string(STRIP "${output}" start_file)
    run(readelf -n "${start_file}")
    set(start_notes "${output}")
    run(readelf -n "${program}")
    if(output MATCHES "x86" AND NOT output MATCHES "IBT" AND NOT start_notes MATCHES "IBT")
        run(objdump -d "${program}")
        string(REGEX MATCHALL "endbr64" markers "${output}")
        list(LENGTH markers count)
        if(count LESS 100)
            fail("the program's code lacks control-flow protection (${count} endbr64)")
        endif()
        message(STATUS "${start_file} is not marked for control-flow protection: the program's "
                       "own code is (${count} endbr64), the whole program cannot be")
        set(options --nocfprotection)
    endif()
    run(${HARDENING_CHECK} ${options} "${program}")
    message(STATUS "${output}")
    foreach(protection "Position Independent Executable" "Stack protected" "Fortify Source functions"
            "Read-only relocations" "Immediate binding")
        if(NOT output MATCHES "${protection}: yes")
            fail("hardening-check does not say yes to ${protection}")
        endif()
    endforeach()
    if(NOT result EQUAL 0)
        fail("hardening-check failed (status ${result})")
    endif()

elseif(MODE STREQUAL "reproducible")
    # Both builds take the same commit's time, even if a commit lands while
    # they run; without SOURCE_DATE_EPOCH the build reads the same.
    run(git -C "${SOURCE_DIR}" log -1 --format=%ct)
    string(STRIP "${output}" epoch)
    set(ENV{SOURCE_DATE_EPOCH} "${epoch}")
    set(debs)
    file(REMOVE_RECURSE "${WORK_DIR}/reproducible")
    # At different depths too: no path relative to the build folder may
    # reach the package either.
    foreach(build "${WORK_DIR}/reproducible/first" "${WORK_DIR}/reproducible/second/build")
        run(${CMAKE_COMMAND} -S "${SOURCE_DIR}" -B "${build}" -G Ninja -DBUILD_TESTING=OFF
            -DCMAKE_BUILD_TYPE=RelWithDebInfo)
        if(result EQUAL 0)
            run(${CMAKE_COMMAND} --build "${build}" --target gaugestar gaugestar_docs)
        endif()
        if(result EQUAL 0)
            run(${CPACK} -G DEB --config "${build}/CPackConfig.cmake" -B "${build}/deb")
        endif()
        if(NOT result EQUAL 0)
            fail("the build in ${build} failed: ${output}")
        endif()
        the_deb("${build}/deb" deb)
        list(APPEND debs "${deb}")
    endforeach()
    list(GET debs 0 first)
    list(GET debs 1 second)
    file(SHA256 "${first}" sum1)
    file(SHA256 "${second}" sum2)
    message(STATUS "${sum1}  ${first}\n-- ${sum2}  ${second}")
    if(NOT sum1 STREQUAL sum2)
        find_program(DIFFOSCOPE diffoscope)
        if(DIFFOSCOPE)
            run(${DIFFOSCOPE} "${first}" "${second}")
        else()
            run(cmp "${first}" "${second}")
        endif()
        fail("two builds of the same tree give different packages:\n${output}")
    endif()

else()
    fail("unknown MODE ${MODE}")
endif()
