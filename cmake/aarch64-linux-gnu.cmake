# Cross-builds for arm64 on an amd64 Debian 12 that has the arm64 libraries
# beside its own (dpkg multiarch: crossbuild-essential-arm64,
# qt6-base-dev:arm64, the amd64 qt6-base-dev-tools, qemu-user-static):
#   cmake -S . -B build-arm64 -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/aarch64-linux-gnu.cmake
# The flags are the native build's (gaugestar_options), -ffp-contract=off
# above all: GCC for arm64 would otherwise fuse multiplies and adds and
# change printed digits. CTest runs the tests through qemu.

set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR aarch64)

set(CMAKE_C_COMPILER aarch64-linux-gnu-gcc)
set(CMAKE_CXX_COMPILER aarch64-linux-gnu-g++)
set(CMAKE_LIBRARY_ARCHITECTURE aarch64-linux-gnu)

# The cross compiler's own root and the multiarch tree under /; libraries,
# headers and CMake packages for the target, programs for the host.
set(CMAKE_FIND_ROOT_PATH /usr/aarch64-linux-gnu /)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Qt's code generators (moc, rcc, uic) are the host's.
set(QT_HOST_PATH /usr CACHE PATH "Where the host's Qt tools are")

# The tests run on the arm64 C library the package will get (libc6:arm64,
# multiarch under /), not the cross toolchain's older copy under
# /usr/aarch64-linux-gnu: its loader with Debian's newer libraries hangs.
set(CMAKE_CROSSCOMPILING_EMULATOR qemu-aarch64-static)
