#!/usr/bin/env bash
# Installs the Debian packages that are missing, then configures and builds.
# Usage: scripts/setup.sh [--tests|--bench] BUILD_DIR [extra cmake arguments]
set -euo pipefail

packages=(
    cmake ninja-build g++
    qt6-base-dev qt6-qpa-plugins
    fonts-ipafont-gothic
)
case "$1" in
--tests)
    # A private message bus for the fake logind and the validators of the
    # desktop files.
    packages+=(dbus-daemon desktop-file-utils appstream)
    shift
    ;;
--bench)
    packages+=(python3 xvfb xauth)
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
