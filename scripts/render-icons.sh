#!/usr/bin/env bash
# Renders the program icon's PNGs from its SVG (needs rsvg-convert, Debian package
# librsvg2-bin). Run it after changing data/icons/org.talkwright.Talkwright.svg and commit
# the PNGs; the build installs them as they are.
set -euo pipefail
icons=$(cd "$(dirname "$0")/../data/icons" && pwd)
for size in 16 32 48 64 128 256; do
    mkdir -p "$icons/${size}x${size}"
    rsvg-convert -w "$size" -h "$size" "$icons/org.talkwright.Talkwright.svg" \
        -o "$icons/${size}x${size}/org.talkwright.Talkwright.png"
done
