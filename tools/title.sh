#!/usr/bin/env bash
# Draws the "QUIL 3D" logo on a transparent layer: chrome QUIL, amber 3D, a
# dark outline and a cyan glow, in DejaVu Sans Bold Oblique. The menu
# pictures (tools/make_art.sh) and the intro video (tools/make_intro.py) both
# take it from here, so the logo looks the same everywhere.
#
# Usage: tools/title.sh OUT POINTSIZE [LAYERS_DIR]
#   OUT         PNG with alpha: glow, outline and letters put together
#   LAYERS_DIR  also leave the three layers there, the same size as OUT:
#               glow.png (cyan on black, no alpha: its brightness is its
#               strength), edge.png (the dark outline) and fill.png (the
#               letters), both with alpha
#
# Needs ImageMagick 6 and the DejaVu fonts (scripts/setup.sh installs them).
# One thread and the C locale keep the output the same on every run.
set -euo pipefail

out=${1:?usage: title.sh OUT POINTSIZE [LAYERS_DIR]}
ps=${2:?usage: title.sh OUT POINTSIZE [LAYERS_DIR]}
layers=${3:-}

IM=/usr/bin/convert
FONT_TITLE=/usr/share/fonts/truetype/dejavu/DejaVuSans-BoldOblique.ttf
export MAGICK_THREAD_LIMIT=1
export LC_ALL=C

WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT

gap=$((ps / 5)) pad=$((ps / 5))
for part in QUIL 3D; do
  "$IM" -background black -fill white -font "$FONT_TITLE" -pointsize "$ps" label:"$part" \
    -trim +repage "$WORK/t_$part.png"
done
qh=$("$IM" "$WORK/t_QUIL.png" -format '%h' info:)
dh=$("$IM" "$WORK/t_3D.png" -format '%h' info:)
# chrome: bright sky at the top, a dark horizon band in the middle, a warm
# or cool reflection below it
"$IM" -respect-parentheses \
  \( -size "1x$((qh * 52 / 100))" gradient:'#ffffff-#8cb4e0' \) \
  \( -size "1x$((qh - qh * 52 / 100))" gradient:'#10305e-#b4f8ff' \) -append \
  -scale "$("$IM" "$WORK/t_QUIL.png" -format '%w' info:)x$qh!" \
  "$WORK/t_QUIL.png" -alpha off -compose copyopacity -composite "$WORK/c_QUIL.png"
"$IM" -respect-parentheses \
  \( -size "1x$((dh * 52 / 100))" gradient:'#fff7e0-#ffc752' \) \
  \( -size "1x$((dh - dh * 52 / 100))" gradient:'#7d4808-#ffe6a6' \) -append \
  -scale "$("$IM" "$WORK/t_3D.png" -format '%w' info:)x$dh!" \
  "$WORK/t_3D.png" -alpha off -compose copyopacity -composite "$WORK/c_3D.png"
# put the words side by side on a padded canvas, bottoms aligned
"$IM" -background none "$WORK/c_QUIL.png" \( -size "${gap}x1" xc:none \) "$WORK/c_3D.png" \
  -gravity south +append -bordercolor none -border "$pad" +repage "$WORK/t_fill.png"
"$IM" -respect-parentheses "$WORK/t_fill.png" \
  \( +clone -alpha extract -morphology dilate disk:$((ps / 30 + 1)) -blur 0x$((ps / 10)) -colorspace sRGB +level-colors 'black,#12bedc' \) \
  \( -clone 0 -alpha extract -morphology dilate disk:$((ps / 40 + 1)) \) \
  -delete 0 \
  \( -clone 1 -fill '#02050c' -colorize 100 -clone 1 -alpha off -compose copyopacity -composite \) \
  -delete 1 "$WORK/t_parts.miff"
# layer order: glow, dark outline, chrome letters; alpha from glow+outline
"$IM" -respect-parentheses "$WORK/t_fill.png" -write mpr:fill +delete \
  "$WORK/t_parts.miff[0]" -write mpr:glow +delete \
  "$WORK/t_parts.miff[1]" -write mpr:edge +delete \
  mpr:glow \( mpr:glow -colorspace gray -level 0,60% \) -alpha off -compose copyopacity -composite \
  mpr:edge -compose over -composite mpr:fill -compose over -composite "$out"

if [ -n "$layers" ]; then
  mkdir -p "$layers"
  cp "$WORK/t_fill.png" "$layers/fill.png"
  "$IM" "$WORK/t_parts.miff[0]" "$layers/glow.png"
  "$IM" "$WORK/t_parts.miff[1]" "$layers/edge.png"
fi
