#!/usr/bin/env bash
# Builds GoogleTest for 64-bit Windows from Debian's sources (/usr/src/googletest) into a cache
# folder keyed by its version and the toolchain; atomic like build-qt.sh. Prints the folder.
set -euo pipefail
repo="$(cd "$(dirname "$0")/../.." && pwd)"
fail() { echo "build-gtest: $*" >&2; exit 1; }
version="$(dpkg-query -W -f='${Version}' libgtest-dev 2>/dev/null)" || fail "libgtest-dev is not installed"
toolchain="$repo/cmake/mingw-w64-x86_64.cmake"
key="$(printf '%s\n' "$version" "$(cat "$toolchain")" | sha256sum | cut -c1-12)"
cache_root="${XDG_CACHE_HOME:-$HOME/.cache}/pitwright"
prefix="$cache_root/gtest-mingw64-$key"
if [ -f "$prefix/.complete" ]; then
    echo "$prefix"
    exit 0
fi
mkdir -p "$cache_root"
work="$(mktemp -d "$cache_root/.gtest-build.XXXXXX")"
trap 'rm -rf "$work"' EXIT
cmake -S /usr/src/googletest -B "$work/build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Release -DBUILD_GMOCK=OFF -DCMAKE_INSTALL_PREFIX="$work/install" \
    >"$work/log" 2>&1 && cmake --build "$work/build" -j2 >>"$work/log" 2>&1 &&
    cmake --install "$work/build" >>"$work/log" 2>&1 ||
    { tail -20 "$work/log" >&2; fail "building GoogleTest for MinGW failed"; }
touch "$work/install/.complete"
rm -rf "$prefix"
mv "$work/install" "$prefix"
echo "$prefix"
