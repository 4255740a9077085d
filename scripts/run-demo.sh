#!/usr/bin/env bash
# Builds the editor, writes a demo game folder and starts the editor on it. The demo keeps its
# settings in build/demo-config, so a real game's settings are left alone.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
export XDG_CONFIG_HOME="$PWD/build/demo-config"
./build/tools/make-demo-game/make-demo-game --register "$PWD/build/demo-game"
cd build/src/app
exec ./pitwright
