#!/usr/bin/env bash
# Checks that pelmora.exe stands alone: a GUI program (no console window)
# that imports nothing but Windows' own libraries, with its manifest and
# version record. Usage: check_executable.sh EXE
set -euo pipefail
exe=$1
headers=$(x86_64-w64-mingw32-objdump -p "$exe")

fail() {
    echo "pelmora.exe: $1" >&2
    exit 1
}

grep -qE '^Subsystem\s+0+2\s' <<<"$headers" || fail "not a GUI program"
imports=$(sed -n 's/^\s*DLL Name: //p' <<<"$headers" | tr 'A-Z' 'a-z' | sort -u)
foreign=$(grep -viE '^(advapi32|comdlg32|d2d1|d3d9|d3d11|dwmapi|dwrite|dxgi|gdi32|imm32|kernel32|mpr|msvcrt|netapi32|ole32|oleaut32|opengl32|setupapi|shcore|shell32|shlwapi|user32|userenv|uxtheme|version|winmm|ws2_32|wtsapi32|authz|api-ms-win-[a-z0-9-]+)\.dll$' <<<"$imports" || true)
[ -z "$foreign" ] || fail "needs DLLs that Windows does not have: $foreign"
strings -el "$exe" | grep -qx 'pelmora.exe' || fail "no version record"
grep -q 'PerMonitorV2' "$exe" || fail "no manifest"
echo "pelmora.exe: $(du -h "$exe" | cut -f1), GUI, imports only Windows' own DLLs"
