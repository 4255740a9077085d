#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the demo need, when any is missing.
set -euo pipefail
packages=(build-essential cmake ninja-build qt6-base-dev libqt6opengl6-dev libgl1-mesa-dev libglu1-mesa-dev
          libgtest-dev libbenchmark-dev libssl-dev xvfb xauth libgl1-mesa-dri desktop-file-utils appstream x11-utils ccache
          bash-completion)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -q
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q "${missing[@]}"
fi
