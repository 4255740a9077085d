# Sourced by the Windows scripts: a fresh Wine prefix of our own in a temporary folder, quiet,
# whose wineserver is ended on exit, and the Windows paths of the MinGW runtime and of Qt.
# Needs $qt (Qt for MinGW) set. Defines wine_path (a Linux path as Wine names it).
wine_path() { echo "Z:$(echo "$1" | sed 's|/|\\|g')"; }
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win64
WINEPREFIX="$(mktemp -d "${TMPDIR:-/tmp}/pitwright-wine.XXXXXX")"
export WINEPREFIX
wine_cleanup() {
    wineserver -k 2>/dev/null || true
    rm -rf "$WINEPREFIX"
}
trap wine_cleanup EXIT
runtime_dirs=("$qt/bin" "$(dirname "$(x86_64-w64-mingw32-g++-posix -print-file-name=libstdc++-6.dll)")"
              /usr/x86_64-w64-mingw32/lib)
WINEPATH="$(for d in "${runtime_dirs[@]}"; do printf '%s;' "$(wine_path "$d")"; done)"
export WINEPATH QT_PLUGIN_PATH="$(wine_path "$qt/plugins")"
# A new prefix takes a few seconds; Wine that does not start ends the run here.
if ! timeout 120 wine cmd /c exit 0 >/dev/null 2>&1; then
    echo "Wine does not start (wine cmd in a new prefix failed)" >&2
    exit 1
fi
