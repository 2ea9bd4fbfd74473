#!/usr/bin/env bash
# Renders the application icon's PNG sizes from its SVG drawing. Run after changing the drawing;
# the PNGs are kept in the repository so building needs no SVG renderer (needs librsvg2-bin).
set -euo pipefail
icons=$(cd "$(dirname "$0")/../pantrova/shipped/desktop/icons" && pwd)
for size in 16 22 24 32 48 64 128 256 512; do
  rsvg-convert -w "$size" -h "$size" "$icons/org.pantrova.Pantrova.svg" -o "$icons/org.pantrova.Pantrova-$size.png"
done
