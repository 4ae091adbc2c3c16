#!/bin/sh
# Runs the command given on a private X server of its own, on a free display,
# with no window manager: nothing reaches the user's desktop.
exec xvfb-run --auto-servernum --server-args='-nolisten tcp' "$@"
