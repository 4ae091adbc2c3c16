#!/usr/bin/env bash
# Checks what the Windows build delivers in BUILD_DIR. pelmora.exe stands
# alone: a GUI program (no console window) that imports nothing but Windows'
# own libraries, with its manifest and version record. The installer and the
# zip hold it, the licence texts of everything it contains and the kit to
# link it with another Qt; that kit links a working program. A silent
# install and uninstall under Wine (in the build's own prefix) put all of it
# under Program Files with its Start-menu entry and its entry among the
# installed programs, and take all of them away again.
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

# Every text the licences' index names, the licences LGPL-3.0 asks for, the
# parts every such Qt contains, and the relinking kit.
unpacked=$(mktemp -d)
trap 'rm -rf "$unpacked"' EXIT
7z x -o"$unpacked/zip" "$zip" >/dev/null
index=$unpacked/zip/licenses/README.txt
[ -f "$index" ] || fail "the zip has no licenses\\README.txt"
mapfile -t shipped < <({
    grep -oE '(licenses|relink)(\\[A-Za-z0-9_.-]+)+' "$index" | sed 's/\.$//' | tr '\\' /
    printf '%s\n' licenses/Qt/LGPL-3.0-only.txt licenses/Qt/GPL-3.0-only.txt licenses/MinGW-w64/copyright.txt \
        licenses/GCC/copyright.txt licenses/Pelmora.txt licenses/Qt/third-party/harfbuzz-ng.txt \
        licenses/Qt/third-party/pcre2.txt licenses/Qt/third-party/unicode-character-database.txt \
        relink/README.txt relink/CMakeLists.txt relink/mingw-w64.cmake relink/build-qt.sh \
        relink/objects/libpelmora_core.a relink/objects/program/main.cpp.obj
} | sort -u)
installer_files=$(7z l -slt "$installer" | sed -n 's/^Path = //p' | tr '\\' /)
for file in "${shipped[@]}"; do
    [ -s "$unpacked/zip/$file" ] || fail "the zip lacks $file"
    grep -qxF "$file" <<<"$installer_files" || fail "the installer lacks $file"
done

# A user's relinking, here against the Qt the release was built with.
qt=$(sed -n 's/^PELMORA_WINDOWS_QT:[A-Z]*=//p' "$build/CMakeCache.txt")
(cd "$unpacked/zip/relink" &&
    cmake -S . -B build -G Ninja -DCMAKE_TOOLCHAIN_FILE=mingw-w64.cmake -DPELMORA_WINDOWS_QT="$qt" &&
    cmake --build build) >"$unpacked/relink.log" 2>&1 || { cat "$unpacked/relink.log" >&2; fail "the relinking kit does not link"; }
relinked=$("$WINELOADER" "$unpacked/zip/relink/build/pelmora.exe" --version 2>/dev/null | tr -d '\r')
[ "$relinked" = "Pelmora $version" ] || fail "the relinked pelmora.exe answers --version with: $relinked"

wine() { "$WINELOADER" "$@" 2>/dev/null; }
program_files=$WINEPREFIX/drive_c/Program\ Files/Pelmora
start_menu=$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start\ Menu/Programs/Pelmora
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Pelmora'

wine "$installer" /S
[ -f "$program_files/pelmora.exe" ] || fail "not installed under Program Files"
[ -f "$start_menu/Pelmora.lnk" ] || fail "no Start-menu entry \"Pelmora\""
for file in "${shipped[@]}"; do
    [ -s "$program_files/$file" ] || fail "not installed: $file"
done
listed=$(wine reg query "$uninstall_key" | tr -d '\r')
for value in "DisplayName    REG_SZ    Pelmora" "DisplayVersion    REG_SZ    $version" \
    "Publisher    REG_SZ    Pelmora developers"; do
    grep -qF "$value" <<<"$listed" || fail "the installed programs do not list: $value"
done

# The uninstaller goes on in a copy of itself: wait until Wine has nothing left running.
wine "$program_files/Uninstall.exe" /S
"$WINESERVER" -w
[ ! -e "$program_files/pelmora.exe" ] || fail "the uninstaller left pelmora.exe"
[ ! -e "$program_files/licenses" ] && [ ! -e "$program_files/relink" ] || fail "the uninstaller left the licences or the kit"
[ ! -e "$start_menu/Pelmora.lnk" ] || fail "the uninstaller left the Start-menu entry"
! wine reg query "$uninstall_key" >/dev/null || fail "the uninstaller left its entry"
echo "Windows packages: pelmora.exe $(du -h "$exe" | cut -f1), GUI, imports only Windows' own DLLs;" \
    "$(basename "$installer") installs and uninstalls; both it and $(basename "$zip") hold pelmora.exe," \
    "${#shipped[@]} licence texts and kit files; the kit relinks a working pelmora.exe"
