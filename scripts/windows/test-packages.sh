#!/usr/bin/env bash
# Under Wine (run by scripts/windows/test.sh, inside its prefix and display): the zip unpacked
# into a new folder and started from another folder finds its textures and opens the demo game;
# the installer installs silently, the installed program starts, and the uninstaller removes
# everything it installed.
set -euo pipefail
build=$1
fail() { echo "FAIL: packages: $*" >&2; exit 1; }
version="$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")"
name="pitwright-$version-windows-x64"
zip="$build/packages/$name.zip" setup="$build/packages/$name-setup.exe"
[ -f "$zip" ] && [ -f "$setup" ] || fail "no packages (run scripts/windows/package.sh)"
wine_path() { echo "Z:$(echo "$1" | sed 's|/|\\|g')"; }

work="$(mktemp -d)"
program_pid=""
cleanup() {
    [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null && wait "$program_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
# The packages bring their own DLLs: nothing from the build's search path may stand in for one.
unset WINEPATH QT_PLUGIN_PATH

window_names() { xwininfo -root -children 2>/dev/null | sed -n 's/^ *0x[0-9a-f]* "\(.*\)": .*/\1/p'; }
# Starts a program from the folder "elsewhere" and waits for its main window; no texture message.
start_and_check() { # windows path of the program
    mkdir -p "$work/elsewhere"
    (cd "$work/elsewhere" && exec wine "$1") >"$work/program.log" 2>&1 &
    program_pid=$!
    for _ in $(seq 1 600); do
        if grep -qx "Pitwright $version" <<<"$(window_names)"; then break; fi
        kill -0 "$program_pid" 2>/dev/null || fail "$1 ended: $(cat "$work/program.log")"
        sleep 0.1
    done
    grep -qx "Pitwright $version" <<<"$(window_names)" || fail "the window of $1 did not appear"
    sleep 3
    if window_names | grep -E -x "TGA Texture|TGA File Error|BMP Unit|Loading Textures|.*Error.*"; then
        fail "$1 showed a message"
    fi
    timeout 60 wine taskkill /f /im pitwright.exe >/dev/null 2>&1 || true
    # Wine's taskkill has been seen to leave the program running: it is ended from here then, so
    # that the wait below cannot hold the run for ever.
    for _ in $(seq 1 100); do kill -0 "$program_pid" 2>/dev/null || break; sleep 0.2; done
    if kill -0 "$program_pid" 2>/dev/null; then
        echo "note: $1 outlived taskkill; ended with SIGKILL" >&2
        kill -9 "$program_pid" 2>/dev/null || true
    fi
    wait "$program_pid" 2>/dev/null || true
    program_pid=""
}

# The demo game, recorded as the installed game of this prefix.
WINEPATH="$(wine_path "$build/packages/stage/$name")" timeout 300 wine "$build/tools/make-demo-game/make-demo-game.exe" \
    --register "$(wine_path "$work/game")" >/dev/null 2>&1 || fail "make-demo-game failed"

mkdir -p "$work/unzipped"
unzip -q "$zip" -d "$work/unzipped" || fail "unzip failed"
start_and_check "$(wine_path "$work/unzipped/$name/pitwright.exe")"
echo "the zip: started from another folder, opened the demo game"

timeout 300 wine "$setup" /S >/dev/null 2>&1 || fail "the silent install failed"
installed="$WINEPREFIX/drive_c/Program Files/Pitwright"
[ -f "$installed/pitwright.exe" ] || fail "the installer installed no pitwright.exe"
[ -f "$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Pitwright.lnk" ] ||
    fail "the installer made no Start menu entry"
(cd "$installed" && find . -type f | sort) >"$work/installed.txt"
(cd "$work/unzipped/$name" && find . -type f | sort; echo ./uninstall.exe) | sort >"$work/expected.txt"
diff "$work/expected.txt" "$work/installed.txt" >&2 || fail "the installer installed other files than the zip holds"
start_and_check 'C:\Program Files\Pitwright\pitwright.exe'
echo "the installer: installed silently, the installed program started"

# The uninstaller copies itself and returns at once: wait for it to finish.
timeout 300 wine "C:\\Program Files\\Pitwright\\uninstall.exe" /S >/dev/null 2>&1 ||
    fail "the silent uninstall failed"
for _ in $(seq 1 100); do [ -e "$installed" ] || break; sleep 0.2; done
[ ! -e "$installed" ] || fail "the uninstaller left: $(cd "$installed" && find . | head)"
[ ! -e "$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Pitwright.lnk" ] ||
    fail "the uninstaller left the Start menu entry"
echo "the uninstaller: removed what was installed"
