#!/usr/bin/env bash
# Checks the Windows installer and zip in BUILD_DIR: what they hold, and a
# silent install and uninstall under Wine (in the build's own Wine prefix):
# the program under Program Files, its Start-menu entry, and its entry among
# the installed programs, all gone again after the uninstall.
# Usage (inside scripts/with-wine-display.sh): check_installer.sh BUILD_DIR
set -euo pipefail
build=$1
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
installer=$build/pelmora-$version-win64-setup.exe
zip=$build/pelmora-$version-win64.zip

fail() {
    echo "Windows packages: $1" >&2
    exit 1
}

[ -f "$installer" ] || fail "no $installer"
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
wineserver -w
[ ! -e "$program_files/pelmora.exe" ] || fail "the uninstaller left pelmora.exe"
[ ! -e "$start_menu/Pelmora.lnk" ] || fail "the uninstaller left the Start-menu entry"
! wine reg query "$uninstall_key" >/dev/null || fail "the uninstaller left its entry"
echo "Windows packages: $(basename "$installer") installs and uninstalls; $(basename "$zip") holds pelmora.exe"
