#!/usr/bin/env bash
# Draws the about box's art (make_about_art.py) and turns the sixteen tiles into the GIF87a
# pictures the about box holds; the banner stays a bitmap. Needs python3 and ImageMagick; run it
# by hand when the art changes, and commit the result.
set -euo pipefail
cd "$(dirname "$0")"
python3 make_about_art.py
for n in $(seq 1 16); do
  convert "ABOUTTILE$n.bmp" -colors 16 "GIF87:ABOUTTILE$n.gif"
  rm "ABOUTTILE$n.bmp"
done
