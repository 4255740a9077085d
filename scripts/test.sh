#!/usr/bin/env bash
# Builds everything and runs every test; window and OpenGL tests run under Xvfb.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/check-layers.sh
bash scripts/build.sh
cd build
# -noreset: the server resets whenever its last client leaves, and refuses the clients that
# connect meanwhile (a test starting just as the one before it ended).
xvfb-run -a -s "-screen 0 1400x1000x24 -noreset" ctest --output-on-failure -j2 --timeout 300
