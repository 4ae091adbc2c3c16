#!/usr/bin/env bash
# Installs the build under a scratch prefix, validates the desktop files and
# builds the Debian package. Usage: check_package.sh BUILD_DIR
set -euo pipefail
build=$1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

cmake --install "$build" --prefix "$scratch/prefix" >/dev/null
for file in bin/pelmora \
    share/applications/pelmora.desktop \
    share/metainfo/io.github.pelmora.Pelmora.metainfo.xml \
    share/icons/hicolor/scalable/apps/pelmora.svg \
    share/icons/hicolor/32x32/apps/pelmora.png \
    share/icons/hicolor/48x48/apps/pelmora.png; do
    [ -f "$scratch/prefix/$file" ] || { echo "not installed: $file"; exit 1; }
done

if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$scratch/prefix/share/applications/pelmora.desktop"
fi
if command -v appstreamcli >/dev/null; then
    appstreamcli validate --no-net "$scratch/prefix/share/metainfo/io.github.pelmora.Pelmora.metainfo.xml"
fi

(cd "$build" && cpack -G DEB -B "$scratch/package" >/dev/null)
package=$(ls "$scratch"/package/*.deb)
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
[ "$(dpkg-deb -f "$package" Version)" = "$version" ] || { echo "package version is not $version"; exit 1; }
[[ "$(dpkg-deb -f "$package" Depends)" == *libqt6widgets6* ]] || { echo "package does not depend on Qt"; exit 1; }
[[ "$(dpkg-deb -f "$package" Recommends)" == *qt6-wayland* ]] || { echo "package does not recommend Qt's Wayland client"; exit 1; }
contents=$(dpkg-deb -c "$package")
for file in ./usr/bin/pelmora ./usr/share/applications/pelmora.desktop; do
    grep -q " $file\$" <<<"$contents" || { echo "not in the package: $file"; exit 1; }
done
echo "package $(basename "$package") checked"
