#!/usr/bin/env bash
# Runs a command with Wine set up for Windows programs of BUILD_DIR: a Wine
# prefix inside the build folder, and a private X server for their windows.
# The X server and Wine's own server end with the command, however it ends.
# Usage: scripts/with-wine-display.sh BUILD_DIR COMMAND...
set -euo pipefail
build=$1
shift

export WINEPREFIX=$build/wine WINEDEBUG=-all WINELOADER=/usr/lib/wine/wine64
# Debian keeps Wine's server beside the loader, off the PATH.
export WINESERVER=/usr/lib/wine/wineserver
[ -x "$WINESERVER" ] || { echo "no $WINESERVER (package libwine)" >&2; exit 1; }
# No offer to install .NET or a browser engine: the prefix needs neither.
export WINEDLLOVERRIDES='mscoree,mshtml='
unset WAYLAND_DISPLAY

displayfd=$(mktemp)
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$displayfd" 2>/dev/null &
xvfb=$!
cleanup() {
    # Nothing of this prefix may outlive its X server: the next command's
    # programs would join a Wine desktop whose display is gone.
    "$WINESERVER" -k 2>/dev/null || true
    "$WINESERVER" -w
    kill "$xvfb" 2>/dev/null || true
    wait "$xvfb" 2>/dev/null || true
    rm -f "$displayfd"
}
trap cleanup EXIT
for _ in $(seq 100); do
    [ -s "$displayfd" ] && break
    sleep 0.1
done
[ -s "$displayfd" ] || { echo "Xvfb did not start" >&2; exit 1; }
export DISPLAY=:$(cat "$displayfd")

if [ ! -f "$WINEPREFIX/system.reg" ]; then
    "$WINELOADER" wineboot --init >/dev/null 2>&1
fi
"$@"
