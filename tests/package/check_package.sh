#!/usr/bin/env bash
# Installs the build under a scratch prefix, validates the desktop files and
# the manual page, builds the Debian package and has Debian's own checker
# pass it without an error or a warning. Usage: check_package.sh BUILD_DIR
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
    share/icons/hicolor/48x48/apps/pelmora.png \
    share/man/man1/pelmora.1.gz \
    share/doc/pelmora/copyright \
    share/doc/pelmora/changelog.gz; do
    [ -f "$scratch/prefix/$file" ] || { echo "not installed: $file"; exit 1; }
done

if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$scratch/prefix/share/applications/pelmora.desktop"
fi
if command -v appstreamcli >/dev/null; then
    appstreamcli validate --no-net "$scratch/prefix/share/metainfo/io.github.pelmora.Pelmora.metainfo.xml"
fi

# As lintian reads a manual page: any warning of groff's fails.
warnings=$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 \
    man --warnings -E UTF-8 -l -Tutf8 -Z "$scratch/prefix/share/man/man1/pelmora.1.gz" 2>&1 >/dev/null)
[ -z "$warnings" ] || { echo "the manual page has warnings:"; echo "$warnings"; exit 1; }

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
lintian --fail-on error,warning "$package" 2>"$scratch/lintian.err" ||
    { echo "lintian fails the package"; cat "$scratch/lintian.err"; exit 1; }
echo "package $(basename "$package") checked"
