#!/usr/bin/env bash
# Every DLL the given Windows programs import is either part of Windows or found in one of the
# folders after "--": one line naming the first that is missing.
set -euo pipefail
programs=()
while [ "$1" != "--" ]; do programs+=("$1"); shift; done
shift
folders=("$@")
system='^(kernel32|user32|gdi32|advapi32|shell32|ole32|oleaut32|comdlg32|winmm|ws2_32|imm32|uxtheme|dwmapi|version|netapi32|userenv|setupapi|shlwapi|opengl32|glu32|msvcrt|d3d9|d3d11|dxgi|dwrite|d2d1|winspool|mpr|wtsapi32|authz|crypt32|bcrypt|ntdll|comctl32|api-ms-win-.*|ucrtbase|shcore)\.dll$'
for program in "${programs[@]}"; do
    for dll in $(x86_64-w64-mingw32-objdump -p "$program" | sed -n 's/^\s*DLL Name: //p'); do
        lower="$(echo "$dll" | tr 'A-Z' 'a-z')"
        [[ "$lower" =~ $system ]] && continue
        found=""
        for f in "$(dirname "$program")" "${folders[@]}"; do
            [ -n "$(find "$f" -maxdepth 1 -iname "$dll" -print -quit 2>/dev/null)" ] && { found=1; break; }
        done
        [ -n "$found" ] || { echo "missing DLL: $dll (needed by $(basename "$program"))" >&2; exit 1; }
    done
done
