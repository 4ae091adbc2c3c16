#!/usr/bin/env bash
# Installs the Debian packages that are missing, then configures and builds.
# Usage: scripts/setup.sh [--tests|--bench] BUILD_DIR [extra cmake arguments]
set -euo pipefail

# The beep needs libcanberra to build, and to be heard its PulseAudio
# backend (which reaches PipeWire too) and the freedesktop sound theme.
packages=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev qt6-qpa-plugins libcanberra-dev
    fonts-ipafont-gothic libcanberra-pulse sound-theme-freedesktop
)
case "$1" in
--tests)
    # A private message bus for the fake logind, a private sound server to
    # hear the beep on, the Windows cross compiler, and the validators of
    # the desktop files.
    packages+=(dbus-daemon pulseaudio pulseaudio-utils g++-mingw-w64-x86-64 desktop-file-utils appstream)
    shift
    ;;
--bench)
    packages+=(python3 xvfb xauth pulseaudio pulseaudio-utils)
    shift
    ;;
esac
build_dir=$1
shift

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done

if ((${#missing[@]})); then
    sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        sudo=(sudo)
    fi
    echo "Installing: ${missing[*]}"
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends \
        "${missing[@]}" </dev/null >/dev/null
fi

if [ ! -f "$build_dir/build.ninja" ]; then
    cmake -S . -B "$build_dir" -G Ninja "$@" >/dev/null
fi
cmake --build "$build_dir" -- --quiet
