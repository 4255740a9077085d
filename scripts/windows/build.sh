#!/usr/bin/env bash
# Cross-builds the editor, the demo-game tool and every test program for 64-bit Windows into
# build-windows/ (kept between runs), with Qt and GoogleTest for MinGW from the cache
# (scripts/windows/build-qt.sh builds Qt there once, about half an hour on two cores).
set -euo pipefail
cd "$(dirname "$0")/../.."
fail() { echo "windows build: $*" >&2; exit 1; }
bash scripts/windows/deps.sh
qt="$(bash scripts/windows/build-qt.sh | tail -1)" || fail "no Qt for MinGW (see above)"
gtest="$(bash scripts/windows/build-gtest.sh | tail -1)" || fail "no GoogleTest for MinGW (see above)"
host_cmake="/usr/lib/$(dpkg-architecture -qDEB_HOST_MULTIARCH)/cmake"
source scripts/ccache-env.sh
mkdir -p build-windows
cmake -S . -B build-windows -G Ninja -DCMAKE_BUILD_TYPE=Release "${launcher[@]}" \
    -DCMAKE_TOOLCHAIN_FILE="$qt/lib/cmake/Qt6/qt.toolchain.cmake" \
    -DQT_CHAINLOAD_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64-x86_64.cmake" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR="$host_cmake" \
    -DGTest_DIR="$gtest/lib/cmake/GTest" >build-windows/configure.log 2>&1 ||
    { tail -30 build-windows/configure.log >&2; fail "configuring the Windows build failed"; }
rm -f build-windows/configure.log
cmake --build build-windows -j2 || fail "the Windows build failed"
