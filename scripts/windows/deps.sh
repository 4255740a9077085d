#!/usr/bin/env bash
# Installs the Debian packages the Windows build, its packages and its Wine test run need, when
# any is missing (the Linux build's own come from scripts/deps.sh).
set -euo pipefail
packages=(g++-mingw-w64-x86-64-posix wine64 nsis libgtest-dev qt6-base-dev qt6-base-dev-tools
          dpkg-dev cmake ninja-build xvfb xauth zip unzip)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -q >/dev/null || { echo "windows deps: apt-get update failed" >&2; exit 1; }
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q "${missing[@]}" >/dev/null ||
        { echo "windows deps: installing ${missing[*]} failed" >&2; exit 1; }
fi
