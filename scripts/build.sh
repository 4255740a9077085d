#!/usr/bin/env bash
# Configures and builds into build/ (kept between runs).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
source scripts/ccache-env.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" >/dev/null
cmake --build build -j2
