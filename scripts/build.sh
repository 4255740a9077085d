#!/usr/bin/env bash
# Configures and builds into build/ (kept between runs).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
launcher=()
# A compiler cache, when one is installed, makes rebuilds in other checkouts of the tree cheap.
if command -v ccache >/dev/null; then
    export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=1
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" >/dev/null
cmake --build build -j2
