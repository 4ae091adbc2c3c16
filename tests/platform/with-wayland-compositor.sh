#!/bin/sh
# Runs the command given as a native Wayland client of a private headless
# Weston, in a runtime folder of its own; no display of the machine is used.
set -eu
runtime=$(mktemp -d)
trap 'kill "$weston" 2>/dev/null; wait "$weston" 2>/dev/null; rm -rf "$runtime"' EXIT
XDG_RUNTIME_DIR=$runtime weston --backend=headless-backend.so --socket=pelmora --idle-time=0 \
    --shell=desktop-shell.so --log="$runtime/weston.log" &
weston=$!
# Up to a minute for a loaded machine.
tries=0
until [ -S "$runtime/pelmora" ]; do
    tries=$((tries + 1))
    if [ "$tries" -gt 600 ] || ! kill -0 "$weston" 2>/dev/null; then
        cat "$runtime/weston.log" >&2
        exit 1
    fi
    sleep 0.1
done
XDG_RUNTIME_DIR=$runtime WAYLAND_DISPLAY=pelmora QT_QPA_PLATFORM=wayland "$@"
