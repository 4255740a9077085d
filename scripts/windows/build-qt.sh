#!/usr/bin/env bash
# Builds Qt for 64-bit Windows (MinGW-w64) from Debian's qt6-base source, with only what the
# editor needs, into a cache folder keyed by Qt version and configure options. The build runs in
# a temporary folder and is renamed into place only when whole, so a failed or killed build
# never leaves a cache a later run would take for whole. Prints the cache folder on its last line.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
repo="$(cd "$here/../.." && pwd)"
fail() { echo "build-qt: $*" >&2; exit 1; }

qt_version="$(dpkg-query -W -f='${Version}' qt6-base-dev 2>/dev/null | sed 's/+.*//; s/-.*//')" ||
    fail "the host Qt (qt6-base-dev) is not installed"
[ -n "$qt_version" ] || fail "the host Qt (qt6-base-dev) is not installed"
toolchain="$repo/cmake/mingw-w64-x86_64.cmake"
host_cmake="/usr/lib/$(dpkg-architecture -qDEB_HOST_MULTIARCH 2>/dev/null || echo x86_64-linux-gnu)/cmake"
[ -d "$host_cmake/Qt6HostInfo" ] || fail "the host Qt has no Qt6HostInfo in $host_cmake (install qt6-base-dev)"
# Left out: modules the editor does not use, and the Direct2D platform plugin (a second copy of
# the Windows one; the editor uses the Windows plugin).
configure_options=(-release -shared -opensource -confirm-license -nomake tests -nomake examples
    -no-feature-sql -no-feature-network -no-feature-dbus -no-feature-tabletevent
    -no-feature-printsupport -no-feature-concurrent -no-feature-xml -no-feature-direct2d1_1
    -qt-zlib -qt-pcre -qt-libpng -no-libjpeg -qt-harfbuzz -qt-freetype -qt-doubleconversion
    -opengl desktop -no-feature-vulkan)
key="$(printf '%s\n' "$qt_version" "${configure_options[@]}" "$(cat "$toolchain")" | sha256sum | cut -c1-12)"
cache_root="${XDG_CACHE_HOME:-$HOME/.cache}/pitwright"
prefix="$cache_root/qt-$qt_version-mingw64-$key"
if [ -f "$prefix/.complete" ]; then
    echo "$prefix"
    exit 0
fi

mkdir -p "$cache_root"
# One build at a time; what an earlier, killed build left is removed.
exec 9>"$cache_root/.qt-build.lock"
flock 9 || fail "cannot lock $cache_root/.qt-build.lock"
if [ -f "$prefix/.complete" ]; then
    echo "$prefix"
    exit 0
fi
rm -rf "$cache_root"/.qt-build.?????? "$cache_root"/src-qt6-base-*.tmp
# The build folder of this key is kept when a build fails or is killed, so that the next run goes
# on where it stopped (it is never taken for a finished Qt: only the renamed install is); the
# download and the install are made in a temporary folder.
work="$(mktemp -d "$cache_root/.qt-build.XXXXXX")"
trap 'rm -rf "$work"' EXIT
build="$cache_root/.qt-build-$key"
start=$(date +%s)

# Debian's source, through an apt configuration of our own (the system's lists are untouched).
src_dir="$cache_root/src-qt6-base-$qt_version"
if [ ! -f "$src_dir/.complete" ]; then
    apt="$work/apt"
    mkdir -p "$apt/sources" "$apt/lists/partial"
    cat >"$apt/sources/debian-src.sources" <<SRC
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm bookworm-updates
Components: main
SRC
    opts=(-o "Dir::Etc::SourceList=/dev/null" -o "Dir::Etc::SourceParts=$apt/sources"
          -o "Dir::State::Lists=$apt/lists" -o "Dir::Cache=$apt/cache" -o Debug::NoLocking=1)
    mkdir -p "$apt/cache/archives/partial"
    apt-get "${opts[@]}" update -q >"$work/apt.log" 2>&1 || fail "apt-get update for the Qt source failed (see no network?)"
    (cd "$work" && apt-get "${opts[@]}" source --download-only "qt6-base=$(dpkg-query -W -f='${Version}' qt6-base-dev)" >>"$work/apt.log" 2>&1) ||
        fail "downloading Debian's qt6-base source failed"
    orig="$(ls "$work"/qt6-base_*.orig.tar.* | head -1)"
    rm -rf "$src_dir.tmp" && mkdir -p "$src_dir.tmp"
    tar -xf "$orig" -C "$src_dir.tmp" --strip-components=1 || fail "unpacking the Qt source failed"
    rm -rf "$src_dir" && mv "$src_dir.tmp" "$src_dir" && touch "$src_dir/.complete"
fi

install="$work/install"
mkdir -p "$build"
cd "$build"
log="$build/build.log"
# One line naming what failed, with the log for the rest.
first_error() { grep -m1 -E "error:|FAILED:|CMake Error" "$1" || tail -1 "$1"; }
[ -f build.ninja ] || "$src_dir/configure" -prefix "$prefix" -xplatform win32-g++ -device-option CROSS_COMPILE=x86_64-w64-mingw32- \
    -qt-host-path /usr "${configure_options[@]}" -- -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DQT_BUILD_TOOLS_WHEN_CROSSCOMPILING=OFF \
    -DQT_HOST_PATH_CMAKE_DIR="$host_cmake" -DQt6HostInfo_DIR="$host_cmake/Qt6HostInfo" \
    >"$build/configure.log" 2>&1 || { rm -f build.ninja; fail "Qt's configure for MinGW failed: $(first_error "$build/configure.log") (log: $build/configure.log)"; }
cmake --build . --parallel "${PITWRIGHT_QT_JOBS:-2}" >"$log" 2>&1 ||
    fail "building Qt for MinGW failed: $(first_error "$log") (log: $log)"
cmake --install . --prefix "$install" >"$work/install.log" 2>&1 ||
    fail "installing Qt for MinGW failed: $(first_error "$work/install.log")"
echo "$(( $(date +%s) - start )) s" >"$install/.build-time"
touch "$install/.complete"
rm -rf "$prefix"
mv "$install" "$prefix"
rm -rf "$build"
echo "build-qt: Qt $qt_version for MinGW built in $(( $(date +%s) - start )) s" >&2
echo "$prefix"
