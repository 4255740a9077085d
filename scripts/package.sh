#!/usr/bin/env bash
# Builds the program and packs its installed tree as build/packages/pitwright_<version>_<arch>.deb
# and build/packages/pitwright-<version>-Linux.tar.gz.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
cd build
cpack
ls packages/*.deb packages/*.tar.gz
