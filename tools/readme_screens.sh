#!/usr/bin/env bash
# Makes the README's screenshots: runs the demo's tour on the virtual 24-bit
# and 8-bit displays (scripts/demo.sh without DISPLAY), then keeps each
# picture as docs/screens/<screen>-<depth>.png: the stage (the centred
# 640 x 480 of a 1024 x 768 screen) or, for the intro, the whole screen,
# scaled to 400 x 300 and stored with 256 colours.
#
# Usage: tools/readme_screens.sh
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
out=docs/screens
shots=build/demo/screenshots

env -u DISPLAY scripts/demo.sh
rm -rf "$out"
mkdir -p "$out"
for png in "$shots"/demo-[0-9][0-9]-*.png; do
  name=$(basename "$png" .png)          # demo-07-options-menu-32bpp
  depth=${name##*-}                     # 32bpp or 8bpp
  screen=${name#demo-??-}
  screen=${screen%-*}
  case $depth in 32bpp) depth=24 ;; 8bpp) depth=8 ;; esac
  case $screen in
    starting-avi | intro*) crop=() ;;
    *) crop=(-crop 640x480+192+144 +repage) ;;
  esac
  /usr/bin/convert "$png" "${crop[@]}" -resize 400x300 -dither None -colors 256 \
    -define png:exclude-chunks=date,time "PNG8:$out/$screen-$depth.png"
done
ls -1 "$out"
