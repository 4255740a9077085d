#!/usr/bin/env bash
# From the Windows build (scripts/windows/build.sh): the program's folder, zipped as
# build-windows/packages/pitwright-<version>-windows-x64.zip (unpack anywhere and start
# pitwright.exe), and the installer pitwright-<version>-windows-x64-setup.exe (NSIS).
set -euo pipefail
cd "$(dirname "$0")/../.."
fail() { echo "windows packages: $*" >&2; exit 1; }
build="$PWD/build-windows"
[ -f "$build/CMakeCache.txt" ] || fail "no Windows build (run scripts/windows/build.sh)"
version="$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")"
name="pitwright-$version-windows-x64"
out="$build/packages"
stage="$out/stage"
rm -rf "$out" && mkdir -p "$stage"
cmake --install "$build" --prefix "$stage/$name" --strip >/dev/null || fail "installing the program's folder failed"
for f in pitwright.exe Qt6Core.dll Qt6Gui.dll Qt6Widgets.dll Qt6OpenGL.dll Qt6OpenGLWidgets.dll \
         libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll platforms/qwindows.dll CamTextures; do
    [ -e "$stage/$name/$f" ] || fail "the program's folder lacks $f"
done
bash scripts/windows/check-dlls.sh "$stage/$name"/*.exe "$stage/$name"/*.dll "$stage/$name"/*/*.dll -- "$stage/$name"
(cd "$stage" && rm -f "$out/$name.zip" && zip -qr -X "$out/$name.zip" "$name") || fail "zip failed"

# The uninstaller deletes exactly the files and folders installed.
filelist="$out/uninstall-files.nsh"
(cd "$stage/$name" && find . -type f | sort | sed 's|^\./||; s|/|\\|g; s|.*|Delete "$INSTDIR\\&"|'
 cd "$stage/$name" && find . -mindepth 1 -type d | sort -r | sed 's|^\./||; s|/|\\|g; s|.*|RMDir "$INSTDIR\\&"|') >"$filelist"
makensis -V2 -DVERSION="$version" -DSOURCE="$stage/$name" -DOUTFILE="$out/$name-setup.exe" \
    -DFILELIST="$filelist" dist/windows/installer.nsi >"$out/makensis.log" 2>&1 ||
    { tail -20 "$out/makensis.log" >&2; fail "makensis failed"; }
echo "$out/$name.zip"
echo "$out/$name-setup.exe"
