#!/usr/bin/env bash
# Renders the application icon's PNG sizes from its SVG (dist/icons/pitwright.svg). The PNGs are
# committed; run this after editing the drawing.
set -euo pipefail
cd "$(dirname "$0")/.."
if ! command -v rsvg-convert >/dev/null; then
    sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -q
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q librsvg2-bin
fi
for size in 16 22 24 32 48 64 128 256; do
    mkdir -p "dist/icons/${size}x${size}"
    rsvg-convert -w "$size" -h "$size" dist/icons/pitwright.svg -o "dist/icons/${size}x${size}/pitwright.png"
done
