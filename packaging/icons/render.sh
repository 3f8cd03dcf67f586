#!/usr/bin/env bash
# Renders the menu icons and the Windows program's icon from the drawing; run it after changing
# the drawing (rsvg-convert comes with Debian's librsvg2-bin) and commit what it writes.
set -euo pipefail
cd "$(dirname "$0")"
for size in 16 32 48 64 128 256; do
    rsvg-convert -w "$size" -h "$size" example.tavrel.ListManager.svg \
        -o "example.tavrel.ListManager-$size.png"
done
# The Windows program's icon holds them all; icotool comes with Debian's icoutils.
icotool -c -o ../../assets/tavrel.ico example.tavrel.ListManager-{16,32,48,64,128}.png \
    --raw=example.tavrel.ListManager-256.png
