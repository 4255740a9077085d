#!/usr/bin/env bash
# Builds everything and runs every test; window and OpenGL tests run under Xvfb.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/check-app-layers.sh
bash scripts/build.sh
cd build
xvfb-run -a -s "-screen 0 1400x1000x24" ctest --output-on-failure -j2 --timeout 300
