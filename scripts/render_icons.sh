#!/usr/bin/env bash
# Renders the hicolor PNG icons from the scalable SVG (needs rsvg-convert, librsvg2-bin).
# The PNGs are committed; run this again after changing the SVG.
set -euo pipefail
cd "$(dirname "$0")/../data/icons/hicolor"
for size in 16 24 32 48 64 128 256; do
  mkdir -p "${size}x${size}/apps"
  rsvg-convert --width "$size" --height "$size" --format png \
    --output "${size}x${size}/apps/veltrane.png" scalable/apps/veltrane.svg
done
