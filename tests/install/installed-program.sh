#!/usr/bin/env bash
# Installs the build into a temporary staging folder (DESTDIR) and checks it as a desktop
# application: the files a desktop expects, the desktop entry and the AppStream metadata pass
# their validators, and the installed program started from another folder finds its textures
# and shows the window class and icon its desktop entry promises.
#   installed-program.sh BUILD_DIR APP_ID MAKE_DEMO_GAME
set -euo pipefail
build=$1 id=$2 make_demo_game=$3

fail() { echo "FAIL: $*" >&2; exit 1; }

work=$(mktemp -d)
program_pid=""
cleanup() {
    [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null && wait "$program_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

stage=$work/stage
DESTDIR=$stage cmake --install "$build" --prefix /usr >/dev/null
usr=$stage/usr

# The files a desktop looks for, and nothing of the build or the tests.
[ -x "$usr/bin/pitwright" ] || fail "no bin/pitwright"
textures=(TE-Shadow.tga TE-Arm.tga TE-Glove.tga stwheel.tga COCKPIT_DAMAGE.tga wheel_michelin_0.tga
          wheel_mclaren_0.tga wheel_bridgestone_0.tga TE-Tread.bmp new_steering_wheel_displays.tga)
for t in "${textures[@]}"; do
    [ -f "$usr/share/pitwright/CamTextures/$t" ] || fail "texture $t not installed"
done
# Each PNG icon has the size of its folder (width and height are the big-endian words at 16 and 20).
for size in 16 22 24 32 48 64 128 256; do
    png=$usr/share/icons/hicolor/${size}x${size}/apps/$id.png
    [ -f "$png" ] || fail "no ${size}x${size} icon"
    read -r w h < <(od -An -tu1 -j16 -N8 "$png" | awk '{print $3*256+$4, $7*256+$8}')
    [ "$w $h" = "$size $size" ] || fail "${size}x${size} icon is $w x $h"
done
grep -q "<svg" "$usr/share/icons/hicolor/scalable/apps/$id.svg" || fail "no scalable icon"
for doc in man/man1/pitwright.1.gz doc/pitwright/copyright doc/pitwright/changelog.gz \
           lintian/overrides/pitwright; do
    [ -f "$usr/share/$doc" ] || fail "share/$doc not installed"
done
gzip -t "$usr/share/man/man1/pitwright.1.gz" || fail "the manual page is not a whole gzip file"
unexpected=$(cd "$usr" && find . -type f ! -path ./bin/pitwright ! -path "./share/pitwright/CamTextures/*" \
    ! -path "./share/icons/hicolor/*/apps/$id.*" ! -path "./share/applications/$id.desktop" \
    ! -path "./share/metainfo/$id.metainfo.xml" ! -path ./share/man/man1/pitwright.1.gz \
    ! -path "./share/doc/pitwright/*" ! -path ./share/lintian/overrides/pitwright \
    ! -path ./share/bash-completion/completions/pitwright)
[ -z "$unexpected" ] || fail "unexpected installed files: $unexpected"

# The command line: its manual page reads without a warning, bash-completion finds its
# completion, and the installed program answers without a display.
warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$usr/share/man/man1/pitwright.1.gz" 2>&1 >/dev/null)
[ -z "$warnings" ] || fail "man page: $warnings"
completed=$(bash -c 'source /usr/share/bash-completion/bash_completion; source "$1"
    COMP_WORDS=(pitwright d); COMP_CWORD=1; COMP_LINE="pitwright d"; COMP_POINT=11
    "$(complete -p pitwright | sed "s/.*-F \([^ ]*\).*/\1/")"; echo "${COMPREPLY[*]}"' \
    _ "$usr/share/bash-completion/completions/pitwright") || fail "the bash completion fails"
[ "$completed" = "dump diff" ] || fail "bash completion of \"pitwright d\" gives: $completed"
version=$(env -u DISPLAY -u WAYLAND_DISPLAY "$usr/bin/pitwright" --version) || fail "pitwright --version failed"
[ "$version" = "Pitwright 2.4" ] || fail "pitwright --version says: $version"

# The validators: any error or warning fails (hints and pedantic notes do not).
desktop=$usr/share/applications/$id.desktop
out=$(desktop-file-validate "$desktop") || fail "desktop-file-validate: $out"
if grep -E "error|warning" <<<"$out"; then fail "desktop-file-validate: $out"; fi
grep -qx "Icon=$id" "$desktop" || fail "the desktop entry names another icon"
appstreamcli validate --no-net "$usr/share/metainfo/$id.metainfo.xml" >/dev/null \
    || fail "appstreamcli validate: $(appstreamcli validate --no-net "$usr/share/metainfo/$id.metainfo.xml")"
appstreamcli validate-tree --no-net "$usr/.." >/dev/null \
    || fail "appstreamcli validate-tree: $(appstreamcli validate-tree --no-net "$usr/..")"

# The Debian package of this build passes lintian, pedantic tags included, but for what its
# overrides explain. This build is not made with the distribution's hardening flags (the
# package's own build, scripts/package.sh, is, and checks them): those tags alone are left out.
if command -v lintian >/dev/null; then
    cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work/package" >/dev/null \
        || fail "cpack could not make the package"
    out=$(lintian --pedantic --fail-on error,warning,pedantic \
              --suppress-tags hardening-no-relro,hardening-no-bindnow,hardening-no-fortify-functions,hardening-no-pie \
              "$work"/package/*.deb 2>&1) || fail "lintian: $out"
fi

# The installed program, started from another folder on a demo game, in a display of its own.
export HOME=$work/home XDG_CONFIG_HOME=$work/home/.config QT_QPA_PLATFORM=xcb
mkdir -p "$HOME" "$work/elsewhere"
"$make_demo_game" --register "$work/game" >/dev/null

# Top-level window names of the display, one a line.
window_names() { xwininfo -root -children 2>/dev/null | sed -n 's/^ *0x[0-9a-f]* "\(.*\)": .*/\1/p'; }
texture_message() { window_names | grep -E -x "TGA Texture|TGA File Error|BMP Unit|Loading Textures"; }

# Starts the installed program from the other folder and waits until its window is up.
start_program() {
    (cd "$work/elsewhere" && exec "$usr/bin/pitwright") >"$work/program.log" 2>&1 &
    program_pid=$!
    for _ in $(seq 1 300); do
        grep -qx "Pitwright 2.4" <<<"$(window_names)" && return
        kill -0 "$program_pid" 2>/dev/null || fail "the program ended: $(cat "$work/program.log")"
        sleep 0.1
    done
    fail "the program's window did not appear"
}
stop_program() { kill "$program_pid"; wait "$program_pid" 2>/dev/null || true; program_pid=""; }

# Without its textures the program says so, within some tenths of a second after its window is
# up: this is what the run with the textures must not show.
mv "$usr/share/pitwright/CamTextures" "$work/CamTextures.away"
start_program
tenths=0
until found=$(texture_message); do
    [ $((++tenths)) -lt 300 ] || fail "no message about missing textures when they are missing"
    sleep 0.1
done
stop_program
mv "$work/CamTextures.away" "$usr/share/pitwright/CamTextures"

start_program
# Wait well over the time the missing textures took to be reported, and at least 3 seconds.
sleep $(((tenths * 3 > 30 ? tenths * 3 : 30) / 10))
if found=$(texture_message); then fail "a texture message with the textures installed: $found"; fi
# The desktop matches the window to its entry by the window class, and shows the window's icon.
window=$(xwininfo -root -children | grep '"Pitwright 2.4": (')
class=$(sed 's/.*: ("[^"]*" "\([^"]*\)").*/\1/' <<<"$window")
[ "$class" = "$(sed -n 's/^StartupWMClass=//p' "$desktop")" ] || fail "window class $class"
xprop -id "$(awk '{print $1}' <<<"$window")" _NET_WM_ICON >"$work/icon.txt" 2>&1 || true
grep -q "Icon (" "$work/icon.txt" || fail "no window icon: $window: $(head -c 300 "$work/icon.txt")"
kill -0 "$program_pid" 2>/dev/null || fail "the program ended: $(cat "$work/program.log")"
stop_program
echo "installed tree and program: OK"
