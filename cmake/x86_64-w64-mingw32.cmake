# Cross-builds the arithmetic, the number texts, the model and their
# GoogleTest tests for 64-bit Windows with MinGW-w64 (Debian:
# g++-mingw-w64-x86-64-posix), without Qt; GoogleTest is compiled from
# Debian's sources (package googletest, see cmake/googletest.cmake):
#   cmake --preset windows   (CMakePresets.json: wine as the emulator)
# The flags are the native build's (gaugestar_options); with wine as the
# emulator, ctest runs the tests under it: the matrix's Windows stage
# (scripts/matrix) runs same_numbers so.

set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The C++ and thread libraries linked in, so that a program runs without
# MinGW's DLLs beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT -static)
