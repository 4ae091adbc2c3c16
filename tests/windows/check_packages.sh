#!/usr/bin/env bash
# Checks what the Windows build delivers in BUILD_DIR. pelmora.exe stands
# alone: a GUI program (no console window) that imports nothing but Windows'
# own libraries, with its manifest and version record. The installer and the
# zip hold it, and a silent install and uninstall under Wine (in the build's
# own prefix) put it under Program Files with its Start-menu entry and its
# entry among the installed programs, and take all of them away again.
# Usage (inside scripts/with-wine-display.sh): check_packages.sh BUILD_DIR
set -euo pipefail
build=$1
exe=$build/src/pelmora.exe
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
installer=$build/pelmora-$version-win64-setup.exe
zip=$build/pelmora-$version-win64.zip

fail() {
    echo "Windows packages: $1" >&2
    exit 1
}

headers=$(x86_64-w64-mingw32-objdump -p "$exe")
grep -qE '^Subsystem\s+0+2\s' <<<"$headers" || fail "pelmora.exe is not a GUI program"
imports=$(sed -n 's/^\s*DLL Name: //p' <<<"$headers" | tr 'A-Z' 'a-z' | sort -u)
foreign=$(grep -viE '^(advapi32|comdlg32|d2d1|d3d9|d3d11|dwmapi|dwrite|dxgi|gdi32|imm32|kernel32|mpr|msvcrt|netapi32|ole32|oleaut32|opengl32|setupapi|shcore|shell32|shlwapi|user32|userenv|uxtheme|version|winmm|ws2_32|wtsapi32|authz|api-ms-win-[a-z0-9-]+)\.dll$' <<<"$imports" || true)
[ -z "$foreign" ] || fail "pelmora.exe needs DLLs that Windows does not have: $foreign"
strings -el "$exe" | grep -qx 'pelmora.exe' || fail "pelmora.exe has no version record"
grep -q 'PerMonitorV2' "$exe" || fail "pelmora.exe has no manifest"

7z l "$installer" | grep -q ' pelmora\.exe$' || fail "pelmora.exe is not in the installer"
7z l "$zip" | grep -qE ' pelmora\.exe$' || fail "pelmora.exe is not in the zip"

wine() { "$WINELOADER" "$@" 2>/dev/null; }
program_files=$WINEPREFIX/drive_c/Program\ Files/Pelmora
start_menu=$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start\ Menu/Programs/Pelmora
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Pelmora'

wine "$installer" /S
[ -f "$program_files/pelmora.exe" ] || fail "not installed under Program Files"
[ -f "$start_menu/Pelmora.lnk" ] || fail "no Start-menu entry \"Pelmora\""
listed=$(wine reg query "$uninstall_key" | tr -d '\r')
for value in "DisplayName    REG_SZ    Pelmora" "DisplayVersion    REG_SZ    $version" \
    "Publisher    REG_SZ    Pelmora developers"; do
    grep -qF "$value" <<<"$listed" || fail "the installed programs do not list: $value"
done

# The uninstaller goes on in a copy of itself: wait until Wine has nothing left running.
wine "$program_files/Uninstall.exe" /S
"$WINESERVER" -w
[ ! -e "$program_files/pelmora.exe" ] || fail "the uninstaller left pelmora.exe"
[ ! -e "$start_menu/Pelmora.lnk" ] || fail "the uninstaller left the Start-menu entry"
! wine reg query "$uninstall_key" >/dev/null || fail "the uninstaller left its entry"
echo "Windows packages: pelmora.exe $(du -h "$exe" | cut -f1), GUI, imports only Windows' own DLLs;" \
    "$(basename "$installer") installs and uninstalls; $(basename "$zip") holds pelmora.exe"
