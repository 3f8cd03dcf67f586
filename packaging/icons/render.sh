#!/usr/bin/env bash
# Renders the menu icons from the drawing; run it after changing the drawing (rsvg-convert comes
# with Debian's librsvg2-bin) and commit the PNGs it writes.
set -euo pipefail
cd "$(dirname "$0")"
for size in 16 32 48 64 128 256; do
    rsvg-convert -w "$size" -h "$size" example.tavrel.ListManager.svg \
        -o "example.tavrel.ListManager-$size.png"
done
