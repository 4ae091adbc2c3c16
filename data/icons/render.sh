#!/bin/sh
# Renders pelmora.svg into the PNGs and the Windows .ico kept beside it.
# Run it again after changing the SVG; the build itself needs none of these tools.
set -eu
cd "$(dirname "$0")"

need() {
    command -v "$1" >/dev/null 2>&1 && return
    echo "render.sh: '$1' is missing; install the Debian package '$2'" >&2
    exit 1
}
need rsvg-convert librsvg2-bin
need icotool icoutils

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

for size in 16 32 48; do
    rsvg-convert --width "$size" --height "$size" --output "$tmp/$size.png" pelmora.svg
done
cp "$tmp/32.png" pelmora-32.png
cp "$tmp/48.png" pelmora-48.png
icotool --create --output pelmora.ico "$tmp/16.png" "$tmp/32.png" "$tmp/48.png"
