#!/usr/bin/env bash
# Builds pelmora.exe for 64-bit Windows, runs its tests and the program
# itself under Wine, and makes its installer and zip in build-windows/.
# The first run also builds a static Qt from Debian's Qt source (about an
# hour); later runs reuse it from ~/.cache/pelmora.
set -euo pipefail
cd "$(dirname "$0")"

scripts/install-packages.sh \
    cmake ninja-build qt6-base-dev dpkg-dev xz-utils \
    g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev \
    wine64 xvfb xauth xdotool xclip nsis p7zip-full

qt=$(scripts/windows-qt.sh)
build=$PWD/build-windows
wine=/usr/lib/wine/wine64

if [ ! -f "$build/build.ninja" ]; then
    # Every test executable runs under Wine, in a prefix of the build's own.
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64.cmake" -DPELMORA_WINDOWS_QT="$qt" \
        -DCMAKE_CROSSCOMPILING_EMULATOR="env;WINEPREFIX=$build/wine;WINEDEBUG=-all;WINELOADER=$wine;WINEDLLOVERRIDES=mscoree,mshtml=;$wine" \
        >/dev/null
fi
cmake --build "$build" -- --quiet

# A private X server for Wine's windows, and Wine's own server, both ended
# with this script however it ends.
scripts/with-wine-display.sh "$build" ctest --test-dir "$build" --output-on-failure
scripts/with-wine-display.sh "$build" tests/windows/run_pelmora.sh "$build/src/pelmora.exe"

(cd "$build" && cpack >/dev/null)
scripts/with-wine-display.sh "$build" tests/windows/check_packages.sh "$build"
