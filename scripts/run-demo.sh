#!/usr/bin/env bash
# Builds the editor, writes a demo game folder and starts the editor on it. The demo keeps its
# settings in build/demo-config and its backups in build/demo-data, so a real game's are left
# alone.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
export XDG_CONFIG_HOME="$PWD/build/demo-config"
export XDG_DATA_HOME="$PWD/build/demo-data"
./build/tools/make-demo-game/make-demo-game --register "$PWD/build/demo-game"
cd build/src/app
exec ./pitwright
