#!/usr/bin/env bash
# Draws the program icons with ImageMagick: a chart wheel (outer ring, inner
# ring, the horizon and meridian axes and a star at the Ascendant) on the
# standard grey-green background.  Writes resources/horomira.ico (icon 999,
# 48, 32 and 16 pixels) and resources/horomira_small.ico (icon 1000,
# 16 pixels).  The outputs are committed; the build does not run this.
set -euo pipefail
cd "$(dirname "$0")/.."
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# One 256-pixel master, scaled down for every size.
convert -size 256x256 xc:none \
  -fill 'rgb(104,160,128)' -stroke 'rgb(0,30,130)' -strokewidth 10 -draw 'circle 128,128 128,8' \
  -fill 'rgb(196,196,255)' -stroke 'rgb(0,30,130)' -strokewidth 8 -draw 'circle 128,128 128,62' \
  -stroke 'rgb(0,30,130)' -strokewidth 8 -draw 'line 14,128 242,128' -draw 'line 128,14 128,242' \
  -fill 'rgb(255,220,80)' -stroke 'rgb(128,0,0)' -strokewidth 6 \
  -draw 'polygon 40,92 50,118 78,118 56,134 64,160 40,144 16,160 24,134 2,118 30,118' \
  "$tmp/master.png"

for size in 48 32 16; do
  convert "$tmp/master.png" -resize ${size}x${size} "$tmp/icon$size.png"
done
convert "$tmp/icon48.png" "$tmp/icon32.png" "$tmp/icon16.png" resources/horomira.ico
convert "$tmp/icon16.png" resources/horomira_small.ico
