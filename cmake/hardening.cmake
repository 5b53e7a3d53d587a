# The distribution's hardening, as every Debian package gets it: the flags
# come from dpkg-buildflags (with all hardening features asked for), so the
# build follows the distribution's choices; what this dpkg does not hand
# out yet is added where the compiler offers it. None of these changes a floating-point
# result: -ffp-contract=off and the absence of -ffast-math still decide.

include(CheckCXXCompilerFlag)
include(CheckPIESupported)

option(GAUGESTAR_HARDEN "Build with the distribution's hardening flags" ON)

# The sanitizers bring their own checks and do not mix with fortified calls.
# These are the flags of GCC and Clang for ELF programs; MSVC's own (/GS,
# ASLR, DEP) are on by default, and a MinGW build only runs the arithmetic.
if(NOT GAUGESTAR_HARDEN OR GAUGESTAR_SANITIZE OR NOT GAUGESTAR_GNU_FLAGS OR WIN32)
    return()
endif()

set(CMAKE_POSITION_INDEPENDENT_CODE ON)
check_pie_supported(LANGUAGES CXX)

find_program(GAUGESTAR_DPKG_BUILDFLAGS dpkg-buildflags)
find_program(GAUGESTAR_DPKG_ARCHITECTURE dpkg-architecture)
if(GAUGESTAR_DPKG_BUILDFLAGS)
    set(_buildflags ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all)
    # A cross build asks for the flags of the machine it builds for.
    if(CMAKE_CROSSCOMPILING AND CMAKE_LIBRARY_ARCHITECTURE AND GAUGESTAR_DPKG_ARCHITECTURE)
        list(APPEND _buildflags ${GAUGESTAR_DPKG_ARCHITECTURE} --host-type ${CMAKE_LIBRARY_ARCHITECTURE}
            --command)
    endif()
    foreach(_kind CPPFLAGS CXXFLAGS LDFLAGS)
        execute_process(COMMAND ${_buildflags} ${GAUGESTAR_DPKG_BUILDFLAGS} --get ${_kind}
            WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
            OUTPUT_VARIABLE _flags OUTPUT_STRIP_TRAILING_WHITESPACE
            ERROR_QUIET RESULT_VARIABLE _result)
        if(NOT _result EQUAL 0)
            message(WARNING "dpkg-buildflags --get ${_kind} failed; building without its flags")
            continue()
        endif()
        separate_arguments(_flags UNIX_COMMAND "${_flags}")
        # The build type decides optimisation and debug information, and
        # reproducible.cmake which paths are mapped.
        list(FILTER _flags EXCLUDE REGEX "^-(O.*|g.*|ffile-prefix-map=.*)$")
        # Fortified calls need the optimiser; a debug build would only warn.
        if(CMAKE_BUILD_TYPE STREQUAL "Debug")
            list(FILTER _flags EXCLUDE REGEX "^-D_FORTIFY_SOURCE")
        elseif(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_GREATER_EQUAL 12)
            # Level 2 checks only copies whose sizes the compiler knows, and
            # this program has none; level 3 (GCC 12 on) also checks those
            # sized at run time.
            list(TRANSFORM _flags REPLACE "^-D_FORTIFY_SOURCE=2$" "-D_FORTIFY_SOURCE=3")
        endif()
        if(_kind STREQUAL "LDFLAGS")
            add_link_options(${_flags})
        else()
            add_compile_options(${_flags})
        endif()
        list(APPEND GAUGESTAR_HARDENING_FLAGS ${_flags})
    endforeach()
else()
    message(STATUS "dpkg-buildflags not found: hardening flags set by hand")
    add_compile_options(-fstack-protector-strong -D_FORTIFY_SOURCE=2 -Wformat -Werror=format-security)
    add_link_options(LINKER:-z,relro LINKER:-z,now)
endif()

# Newer than this dpkg's list, or left to the compiler's defaults; the
# control-flow protection of the processor built for. Clang takes another
# processor's flag with a mere warning, so a warning fails the check too.
set(_extra_flags -fstack-clash-protection)
if(CMAKE_SYSTEM_PROCESSOR MATCHES "^(x86_64|AMD64|amd64|i[3-6]86)$")
    list(APPEND _extra_flags -fcf-protection)
elseif(CMAKE_SYSTEM_PROCESSOR MATCHES "^(aarch64|arm64|ARM64)$")
    list(APPEND _extra_flags -mbranch-protection=standard)
endif()
set(CMAKE_REQUIRED_FLAGS -Werror)
foreach(_flag ${_extra_flags})
    string(MAKE_C_IDENTIFIER "GAUGESTAR_HAS${_flag}" _known)
    if(NOT _flag IN_LIST GAUGESTAR_HARDENING_FLAGS)
        check_cxx_compiler_flag(${_flag} ${_known})
        if(${_known})
            add_compile_options(${_flag})
        endif()
    endif()
endforeach()
unset(CMAKE_REQUIRED_FLAGS)
