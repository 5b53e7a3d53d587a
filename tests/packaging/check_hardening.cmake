cmake_minimum_required(VERSION 3.21)

# hardening-check finds every protection it knows in the program of the
# package DEB, unpacked under WORK_DIR; CXX is the compiler that built it.
#   cmake -DDEB=... -DWORK_DIR=... -DHARDENING_CHECK=... -DCXX=... -P check_hardening.cmake

function(fail what)
    message(FATAL_ERROR "${what}")
endfunction()

function(run)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
    set(result "${result}" PARENT_SCOPE)
    set(output "${output}" PARENT_SCOPE)
endfunction()

if(NOT HARDENING_CHECK)
    fail("hardening-check is not installed: install the Debian package devscripts (scripts/setup --test does)")
endif()
set(root "${WORK_DIR}/hardening")
file(REMOVE_RECURSE "${root}")
run(dpkg-deb -x "${DEB}" "${root}")
if(NOT result EQUAL 0)
    fail("dpkg-deb -x ${DEB} failed: ${output}")
endif()
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
    list(APPEND options --nocfprotection)
endif()
# hardening-check from Debian 13 on asks any program for arm64's branch
# protection, which a program for another processor cannot have.
run(readelf -h "${program}")
set(header "${output}")
run(${HARDENING_CHECK} --help)
if(output MATCHES "--nobranchprotection" AND NOT header MATCHES "Machine: +AArch64")
    list(APPEND options --nobranchprotection)
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
