#!/usr/bin/env bash
# Builds the program alone (no tests, no benchmarks: neither GoogleTest nor Google Benchmark is
# needed) with the distribution's compiler and linker flags, hardening included (dpkg-buildflags),
# into build-package/, and packs its installed tree as
# build-package/packages/pitwright_<version>_<arch>.deb and
# build-package/packages/pitwright-<version>-Linux.tar.gz. When lintian is installed the .deb
# must pass it, pedantic tags included, but for what dist/lintian-overrides explains.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh --package
source scripts/ccache-env.sh
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
# CMake takes no preprocessor flags of their own: they go with the compiler's.
cxxflags="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)"
ldflags=$(dpkg-buildflags --get LDFLAGS)
cmake -S . -B build-package -G Ninja -DCMAKE_BUILD_TYPE=None -DPITWRIGHT_TESTS=OFF \
      -DPITWRIGHT_BENCHMARKS=OFF -DCMAKE_CXX_FLAGS="$cxxflags" -DCMAKE_EXE_LINKER_FLAGS="$ldflags" \
      "${launcher[@]}" >/dev/null
cmake --build build-package -j2
cd build-package
cpack
ls packages/*.deb packages/*.tar.gz
if command -v lintian >/dev/null; then
    lintian --pedantic --fail-on error,warning,pedantic packages/*.deb
fi
