#!/usr/bin/env bash
# Installs the Debian packages that are missing, then configures and builds.
# Usage: scripts/setup.sh [--tests|--bench] BUILD_DIR [extra cmake arguments]
set -euo pipefail

# The beep needs libcanberra to build, and to be heard its PulseAudio
# backend (which reaches PipeWire too) and the freedesktop sound theme.
packages=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev qt6-qpa-plugins libcanberra-dev libxcb1-dev
    fonts-ipafont-gothic libcanberra-pulse sound-theme-freedesktop
)
case "$1" in
--tests)
    # Private message buses and the mock desktop services on them, a private
    # sound server to hear the beep on, a private X server, a private Wayland
    # compositor and Qt's client for it, the validators of the desktop files,
    # and Debian's own tools to build, check and read the package.
    packages+=(dbus-daemon python3-dbusmock pulseaudio pulseaudio-utils xvfb xauth weston qt6-wayland
        desktop-file-utils appstream dpkg-dev lintian man-db)
    shift
    ;;
--bench)
    packages+=(python3 xvfb pulseaudio pulseaudio-utils)
    shift
    ;;
esac
build_dir=$1
shift

"$(dirname "$0")"/install-packages.sh "${packages[@]}"

if [ ! -f "$build_dir/build.ninja" ]; then
    cmake -S . -B "$build_dir" -G Ninja "$@" >/dev/null
fi
cmake --build "$build_dir" -- --quiet
