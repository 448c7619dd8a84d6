#!/usr/bin/env bash
# Renders Quillard's application icon at the hicolor theme's fixed sizes from
# the scalable icon (data/icons/hicolor/scalable/apps/org.quillard.Quillard.svg).
#
# Needs (Debian package): librsvg2-bin (rsvg-convert). Uses optipng if it is
# installed (optional).
#
# A developer runs this by hand after changing the SVG; the build does not.
# The PNGs are committed together with the SVG.
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
icons="$here/icons/hicolor"
svg="$icons/scalable/apps/org.quillard.Quillard.svg"

command -v rsvg-convert >/dev/null \
    || { echo "make-icons.sh: rsvg-convert is missing (install librsvg2-bin)" >&2; exit 1; }

for size in 16 22 24 32 48 64 128 256; do
    out="$icons/${size}x${size}/apps/org.quillard.Quillard.png"
    mkdir -p "$(dirname "$out")"
    rsvg-convert --width "$size" --height "$size" --format png "$svg" --output "$out"
    if command -v optipng >/dev/null; then
        optipng -quiet -o5 -strip all "$out"
    fi
    echo "$out"
done
