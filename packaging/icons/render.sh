#!/usr/bin/env bash
# Renders the PNG sizes of the icon from korvel.svg (needs rsvg-convert,
# Debian package librsvg2-bin). Run after changing the SVG; the PNGs are
# kept in the repository so that building needs no SVG renderer.
set -euo pipefail
cd "$(dirname "$0")"
for size in 16 24 32 48 64 128 256; do
  rsvg-convert -w "$size" -h "$size" korvel.svg -o "korvel-$size.png"
done
