#!/usr/bin/env bash
# Draws the program's icon (a folder holding a small directory tree) and writes it as a 32 x 32,
# 16-colour icon: resources/folvane.ico.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

convert -size 32x32 xc:none +antialias -stroke '#000000' -strokewidth 1 \
  -fill '#808000' -draw 'polygon 1,5 11,5 13,8 30,8 30,28 1,28' \
  -fill '#FFFF00' -draw 'polygon 1,11 30,11 30,28 1,28' \
  -stroke '#000080' -draw 'line 6,14 6,25' -draw 'line 6,19 11,19' -draw 'line 6,25 11,25' \
  -stroke none -fill '#000080' -draw 'rectangle 4,13 8,15' \
  -fill '#FFFFFF' -stroke '#000080' -draw 'rectangle 11,17 26,21' -draw 'rectangle 11,23 26,26' \
  -stroke '#008080' -draw 'line 13,19 23,19' -draw 'line 13,24 21,24' \
  "$work/icon.png"

# Every colour drawn above is one of the standard 16, so the reduction keeps them exactly.
convert "$work/icon.png" -dither None -colors 16 "$here/folvane.ico"
