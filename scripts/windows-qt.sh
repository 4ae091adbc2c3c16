#!/usr/bin/env bash
# Builds a static Qt for 64-bit Windows from the source of exactly the Qt
# that Debian ships, with Debian's own Qt tools as host tools, and caches it.
# Prints the install prefix; a later run with the same inputs reuses it.
# Usage: scripts/windows-qt.sh
set -euo pipefail
project=$(cd "$(dirname "$0")/.." && pwd)

version=$(dpkg-query -W -f='${source:Version}' qt6-base-dev)
toolchain=$project/cmake/mingw-w64.cmake

# Only what Pelmora uses: Core, Gui, Widgets and Test, the windows and
# offscreen platforms, the built-in styles. Tablet events are off because
# Debian's repacked source has no wintab.h; OpenGL stays on because the
# windows platform plugin of this version does not build without it.
configure_args=(
    -G Ninja
    -DCMAKE_BUILD_TYPE=Release
    -DBUILD_SHARED_LIBS=OFF
    -DQT_BUILD_EXAMPLES=OFF
    -DQT_BUILD_TESTS=OFF
    -DQT_BUILD_BENCHMARKS=OFF
    -DQT_HOST_PATH=/usr
    -DQt6HostInfo_DIR=/usr/lib/x86_64-linux-gnu/cmake/Qt6HostInfo
    -DQT_QMAKE_TARGET_MKSPEC=win32-g++
    -DFEATURE_tabletevent=OFF
    -DFEATURE_dbus=OFF
    -DFEATURE_network=OFF
    -DFEATURE_sql=OFF
    -DFEATURE_printsupport=OFF
    -DFEATURE_concurrent=OFF
    -DFEATURE_xml=OFF
    -DFEATURE_imageformatplugin=OFF
    -DFEATURE_vulkan=OFF
    -DFEATURE_pkg_config=OFF
)

# The cache is keyed by the Qt version and by everything that shapes the build.
key=$( { echo "$version"; printf '%s\n' "${configure_args[@]}"; cat "$toolchain"; } | sha256sum | cut -c1-12)
cache=${XDG_CACHE_HOME:-$HOME/.cache}/pelmora/qt-${version//[^A-Za-z0-9.]/_}-mingw-$key
prefix=$cache/prefix

if [ -f "$prefix/.complete" ]; then
    echo "$prefix"
    exit 0
fi

log=$cache/build.log
mkdir -p "$cache"
: >"$log"
fail() {
    echo "windows-qt: $1 failed; the end of $log:" >&2
    tail -n 40 "$log" >&2
    exit 1
}

# Debian's source package through a private apt configuration: the machine's
# own sources and package lists stay as they are.
apt_dir=$cache/apt
mkdir -p "$apt_dir/lists/partial" "$apt_dir/archives/partial" "$apt_dir/parts"
{
    echo "deb-src http://deb.debian.org/debian bookworm main"
    echo "deb-src http://deb.debian.org/debian bookworm-updates main"
    echo "deb-src http://deb.debian.org/debian-security bookworm-security main"
} >"$apt_dir/sources.list"
apt_options=(
    -o "Dir::Etc::SourceList=$apt_dir/sources.list"
    -o "Dir::Etc::SourceParts=$apt_dir/parts"
    -o "Dir::State::Lists=$apt_dir/lists"
    -o "Dir::Cache=$apt_dir"
    -o "Dir::Cache::Archives=$apt_dir/archives"
    -o APT::Sandbox::User=root
    -o Debug::NoLocking=1
)
if [ "$(id -u)" -ne 0 ]; then
    apt_options+=(-o APT::Sandbox::User="$(id -un)")
fi

src=$cache/qtbase
if [ ! -f "$src/CMakeLists.txt" ]; then
    echo "Fetching the source of Qt $version ..." >&2
    download=$cache/download
    rm -rf "$download" "$src"
    mkdir -p "$download"
    apt-get "${apt_options[@]}" update >>"$log" 2>&1 || fail "apt-get update"
    (cd "$download" && apt-get "${apt_options[@]}" source --download-only "qt6-base=$version") \
        >>"$log" 2>&1 || fail "apt-get source"
    dpkg-source --no-check -x "$download"/qt6-base_*.dsc "$src" >>"$log" 2>&1 || fail "dpkg-source"
    # dpkg-source leaves a copy of the upstream tarball beside the source tree.
    rm -rf "$download" "$cache"/qt6-base_*.orig.tar.*
fi

build=$cache/build
echo "Building a static Qt $version for Windows (the first time takes about an hour); log: $log" >&2
start=$(date +%s)
if [ ! -f "$build/build.ninja" ]; then
    cmake -S "$src" -B "$build" "${configure_args[@]}" \
        -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_INSTALL_PREFIX="$prefix" \
        >>"$log" 2>&1 || { rm -rf "$build"; fail "configuring Qt"; }
fi
cmake --build "$build" >>"$log" 2>&1 || fail "building Qt"
cmake --install "$build" >>"$log" 2>&1 || fail "installing Qt"
echo "$(($(date +%s) - start)) s" >"$prefix/.complete"
echo "Qt for Windows built in $(($(date +%s) - start)) s" >&2
# The build tree is only needed again when the inputs change, and then anew.
rm -rf "$build"
echo "$prefix"
