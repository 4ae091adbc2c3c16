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
    # A private message bus for the fake logind, the Windows cross compiler,
    # and the validators of the desktop files.
    packages+=(dbus-daemon g++-mingw-w64-x86-64 desktop-file-utils appstream)
    shift
    ;;
--bench)
    packages+=(python3 xvfb)
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
