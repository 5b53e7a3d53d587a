# Cross-builds the Qt-free part (core/, model/, their tests, same_numbers)
# for another Linux processor with Debian's cross compiler, and runs it
# under qemu's user-mode emulator with that compiler's own C library: the
# presets cross-* (CMakePresets.json), one for each processor of a Debian
# release that this machine can only emulate, set GAUGESTAR_CROSS_TRIPLET:
#   cmake --preset cross-s390x
# The flags are the native build's (gaugestar_options), -ffp-contract=off
# above all: ppc64el, arm64 and riscv64 have fused multiply-adds that would
# change digits.
# Packages: g++-TRIPLET (TRIPLET with - for _), qemu-user-static, googletest.

if(NOT GAUGESTAR_CROSS_TRIPLET)
    message(FATAL_ERROR "linux-cross.cmake: set GAUGESTAR_CROSS_TRIPLET, e.g. s390x-linux-gnu")
endif()
# The compiler checks configure throwaway projects, which must see it too.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES GAUGESTAR_CROSS_TRIPLET)

string(REGEX REPLACE "-.*" "" processor "${GAUGESTAR_CROSS_TRIPLET}")
string(REGEX REPLACE "^powerpc64le$" "ppc64le" processor "${processor}")
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR ${processor})
set(CMAKE_C_COMPILER ${GAUGESTAR_CROSS_TRIPLET}-gcc)
set(CMAKE_CXX_COMPILER ${GAUGESTAR_CROSS_TRIPLET}-g++)

set(CMAKE_FIND_ROOT_PATH /usr/${GAUGESTAR_CROSS_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# qemu's emulator for that processor, loading the cross compiler's C
# library; the host has no loader for it. Cached, so that what runs the
# build's programs by hand (scripts/matrix) reads it from there.
set(CMAKE_CROSSCOMPILING_EMULATOR qemu-${processor}-static -L /usr/${GAUGESTAR_CROSS_TRIPLET}
    CACHE STRING "Runs the build's programs")
