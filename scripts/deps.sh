#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the demo need, when any is missing.
#   deps.sh            everything for building, testing and benchmarking
#   deps.sh --package  only what building the program and its packages needs
set -euo pipefail
build=(build-essential cmake ninja-build qt6-base-dev libqt6opengl6-dev libgl1-mesa-dev libglu1-mesa-dev
       libyaml-cpp-dev libssl-dev ccache)
if [ "${1:-}" = --package ]; then
    packages=("${build[@]}" dpkg-dev)
else
    packages=("${build[@]}" libgtest-dev libbenchmark-dev xvfb xauth libgl1-mesa-dri desktop-file-utils
              appstream x11-utils lintian bash-completion)
fi
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
