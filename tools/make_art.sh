#!/usr/bin/env bash
# Draws all of the launcher's artwork from scratch and writes it where the
# build and the installed game expect it:
#
#   data/resource/background/*.bmp  menu, dialog and how-to-play pictures
#   resources/faces/<n>.bmp         button faces: n pressed, n+1 normal, n+2 hover
#   resources/icons/<n>.ico         program and dialog icons (32x32 and 16x16)
#   data/sound/mmove.wav, mclick.wav  hover tick and click
#   resources/art.rc                binds the face and icon numbers to the files
#
# Every picture and face is an 8-bit bottom-up BI_RGB BMP carrying the same
# 256-entry game palette in the same order: on a 256-colour display the
# launcher realises whichever of these tables it loaded last, so they must
# agree. The palette keeps the 20 Windows static colours at entries 0-9 and
# 246-255; entries 10-245 are ramps in the launcher's colours (navy, steel,
# cyan, sea blue, amber, grey, red, green). It is defined once, in
# tools/art_common.py, which the intro video's generator (tools/make_intro.py)
# uses too; the "QUIL 3D" logo is drawn by tools/title.sh for both.
#
# Needs ImageMagick 6 (/usr/bin/convert), the DejaVu fonts (core and extra),
# sox and python3; scripts/setup.sh installs them. The output is the same on
# every run (no time stamps, no unseeded randomness), so regenerated files
# only show up in git when the drawing changed.
#
# Usage: tools/make_art.sh [--preview DIR]
#   --preview DIR  also write PNGs that show the screens and dialogs put
#                  together from the finished 8-bit files.
set -euo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
PREVIEW=""
if [ "${1:-}" = "--preview" ]; then
  PREVIEW=${2:?--preview needs a directory}
fi

IM=/usr/bin/convert
FONTS=/usr/share/fonts/truetype/dejavu
FONT_BOLD=$FONTS/DejaVuSans-Bold.ttf
FONT_SANS=$FONTS/DejaVuSans.ttf
FONT_COND=$FONTS/DejaVuSansCondensed.ttf
FONT_COND_BOLD=$FONTS/DejaVuSansCondensed-Bold.ttf
FONT_TITLE=$FONTS/DejaVuSans-BoldOblique.ttf

have_tools() {
  [ -x "$IM" ] && command -v sox >/dev/null && command -v python3 >/dev/null &&
    [ -f "$FONT_BOLD" ] && [ -f "$FONT_COND_BOLD" ] && [ -f "$FONT_TITLE" ]
}
if ! have_tools; then
  bash "$ROOT/scripts/setup.sh"
  have_tools || { echo "make_art: ImageMagick, sox, python3 or the DejaVu fonts are missing" >&2; exit 1; }
fi

# One thread and the C locale keep ImageMagick's output identical run to run;
# scatter patterns come from a fixed generator in the Python helper, noise
# from sox -R.
export MAGICK_THREAD_LIMIT=1
export LC_ALL=C
# The helper below imports the shared palette from tools/; no bytecode cache
# is left in the source tree.
export PYTHONPATH="$ROOT/tools${PYTHONPATH:+:$PYTHONPATH}"
export PYTHONDONTWRITEBYTECODE=1

WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
mkdir -p "$WORK/faces" "$WORK/bg" "$WORK/icons"
LIB=$WORK/artlib.py

BG_DIR=$ROOT/data/resource/background
FACE_DIR=$ROOT/resources/faces
ICON_DIR=$ROOT/resources/icons
SOUND_DIR=$ROOT/data/sound
mkdir -p "$BG_DIR" "$FACE_DIR" "$ICON_DIR" "$SOUND_DIR"

cat >"$LIB" <<'PYTHON'
"""Helpers for make_art.sh: 8-bit BMP and ICO writers, the MVG of the
scatter patterns and the final checks. The palette and the pattern
generators are tools/art_common.py, shared with tools/make_intro.py."""
import math
import struct
import sys
import wave

from art_common import blobs_mvg, colour_table, palette, palette_ppm, stars_mvg


def cmd_palette(out_ppm):
    with open(out_ppm, "wb") as f:
        f.write(palette_ppm())


def cmd_bmp(raw, width, height, out):
    """Raw RGB (already remapped to the palette) -> 8-bit bottom-up BMP.

    Written here rather than by ImageMagick because its BMP writer keeps only
    the colours a picture uses, in its own order; every file must carry the
    whole game palette in palette order."""
    width, height = int(width), int(height)
    data = open(raw, "rb").read()
    assert len(data) == width * height * 3, (raw, len(data))
    lut = {bytes(c): i for i, c in enumerate(palette())}
    stride = (width + 3) & ~3
    pad = bytes(stride - width)
    rows = []
    for y in range(height):
        row = bytearray(width)
        base = y * width * 3
        for x in range(width):
            key = data[base + 3 * x: base + 3 * x + 3]
            try:
                row[x] = lut[key]
            except KeyError:
                sys.exit(f"{out}: colour {key.hex()} at {x},{y} is not in the palette")
        rows.append(bytes(row) + pad)
    pixels = b"".join(reversed(rows))
    table = colour_table()
    offset = 14 + 40 + len(table)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 8, 0, len(pixels),
                       2835, 2835, 256, 0)
    head = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    with open(out, "wb") as f:
        f.write(head + info + table + pixels)


def cmd_ico(out, *entries):
    """entries: raw RGBA files as path:size, written as 32-bit icon images."""
    images = []
    for entry in entries:
        path, size = entry.rsplit(":", 1)
        size = int(size)
        rgba = open(path, "rb").read()
        assert len(rgba) == size * size * 4
        xor = bytearray()
        mask_stride = ((size + 31) // 32) * 4
        mask = bytearray()
        for y in reversed(range(size)):
            bits = bytearray(mask_stride)
            for x in range(size):
                r, g, b, a = rgba[(y * size + x) * 4:(y * size + x) * 4 + 4]
                xor += bytes((b, g, r, a))
                if a < 128:
                    bits[x // 8] |= 0x80 >> (x % 8)
            mask += bits
        info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0,
                           len(xor) + len(mask), 0, 0, 0, 0)
        images.append((size, info + bytes(xor) + bytes(mask)))
    head = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    entries = b""
    blobs = b""
    for size, blob in images:
        entries += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32,
                               len(blob), offset + len(blobs))
        blobs += blob
    with open(out, "wb") as f:
        f.write(head + entries + blobs)


def cmd_stars(out, width, height, count, seed, ymax=None):
    """MVG of a star field: faint dots, a few bright ones with a glint."""
    open(out, "w").write(stars_mvg(int(width), int(height), int(count), int(seed),
                                   int(ymax) if ymax else None))


def cmd_blobs(out, x0, y0, x1, y1, count, rmin, rmax, seed, *colours):
    """MVG of soft round blobs (blurred afterwards into nebula clouds)."""
    open(out, "w").write(blobs_mvg(int(x0), int(y0), int(x1), int(y1), int(count),
                                   float(rmin), float(rmax), int(seed), colours))


def cmd_grid(out, width, top, bottom, vx, colour, step, rows):
    """MVG of a perspective floor grid below a horizon at y = top."""
    width, top, bottom, vx, step, rows = (int(width), int(top), int(bottom),
                                           int(vx), int(step), int(rows))
    lines = [f"stroke {colour} fill none stroke-width 1"]
    depth = bottom - top
    for k in range(-24, 25):
        x_bottom = vx + k * step
        lines.append(f"line {vx + k * step * 0.16:.2f},{top} {x_bottom},{bottom + depth}")
    for i in range(1, rows + 1):
        y = top + depth * (i / rows) ** 2.2
        lines.append(f"line 0,{y:.2f} {width},{y:.2f}")
    open(out, "w").write("\n".join(lines) + "\n")


def cmd_gear(cx, cy, r_out, r_in, teeth):
    """Polygon points of a gear outline."""
    cx, cy, r_out, r_in, teeth = float(cx), float(cy), float(r_out), float(r_in), int(teeth)
    pts = []
    for i in range(teeth):
        a0 = 2 * math.pi * i / teeth
        for da, r in ((-0.30, r_in), (-0.17, r_out), (0.17, r_out), (0.30, r_in)):
            a = a0 + da * 2 * math.pi / teeth
            pts.append(f"{cx + r * math.cos(a):.2f},{cy + r * math.sin(a):.2f}")
    print(" ".join(pts))


def cmd_verify_bmps(*paths):
    """Every BMP: 8 bpp, BI_RGB, bottom-up, 40-byte header, 256-entry table
    identical to the game palette."""
    table = colour_table()
    for p in paths:
        d = open(p, "rb").read()
        magic, fsize, _, _, off = struct.unpack_from("<2sIHHI", d, 0)
        hsize, w, h, planes, bpp, comp, isize, _, _, used, _ = struct.unpack_from("<IiiHHIIiiII", d, 14)
        stride = (w + 3) & ~3
        problems = []
        if magic != b"BM":
            problems.append("not BM")
        if fsize != len(d):
            problems.append(f"file size field {fsize} != {len(d)}")
        if hsize != 40 or planes != 1 or bpp != 8 or comp != 0:
            problems.append(f"header {hsize}/{planes}/{bpp}/{comp}")
        if h <= 0:
            problems.append("not bottom-up")
        if used not in (0, 256):
            problems.append(f"colours used {used}")
        if off != 14 + 40 + 1024 or isize != stride * h or len(d) != off + stride * h:
            problems.append("pixel block size/offset")
        if d[54:54 + 1024] != table:
            problems.append("colour table differs from the game palette")
        if problems:
            sys.exit(f"{p}: " + "; ".join(problems))
    print(f"verified {len(paths)} BMP files: 8 bpp, BI_RGB, bottom-up, one shared 256-colour table")


def cmd_verify_size(path, w, h=None):
    if h is None:
        w, h = w.split("x")
    d = open(path, "rb").read()
    _, bw, bh = struct.unpack_from("<Iii", d, 14)
    if (bw, bh) != (int(w), int(h)):
        sys.exit(f"{path}: {bw}x{bh}, expected {w}x{h}")


def cmd_verify_ico(path, *sizes):
    d = open(path, "rb").read()
    reserved, kind, count = struct.unpack_from("<HHH", d, 0)
    if reserved != 0 or kind != 1 or count != len(sizes):
        sys.exit(f"{path}: bad icon directory")
    for i, want in enumerate(sizes):
        w, h, _, _, planes, bpp, size, off = struct.unpack_from("<BBBBHHII", d, 6 + 16 * i)
        hsize, bw, bh, _, bbpp = struct.unpack_from("<IiiHH", d, off)
        want = int(want)
        if (w, h, bw, bh, hsize, bbpp) != (want, want, want, 2 * want, 40, 32) or off + size > len(d):
            sys.exit(f"{path}: image {i} is not a {want}x{want} 32-bit DIB icon")


def cmd_verify_wav(path, min_ms, max_ms):
    with wave.open(path) as w:
        ms = 1000 * w.getnframes() / w.getframerate()
        if (w.getnchannels(), w.getsampwidth(), w.getframerate()) != (1, 2, 22050):
            sys.exit(f"{path}: not 16-bit mono 22050 Hz")
        if not float(min_ms) <= ms <= float(max_ms):
            sys.exit(f"{path}: {ms:.0f} ms, expected {min_ms}-{max_ms} ms")
    if open(path, "rb").read(4) != b"RIFF":
        sys.exit(f"{path}: not RIFF")


if __name__ == "__main__":
    globals()["cmd_" + sys.argv[1].replace("-", "_")](*sys.argv[2:])
PYTHON

# --- button faces -----------------------------------------------------------
# A face is a steel-blue plate with a bevel and a label (plus a pictogram on
# the big main-menu plates). The three looks per button:
#   normal  - plate lit from the top left, pale label
#   hover   - brighter plate, cyan glowing rim, warm glowing label
#   pressed - dark plate, bevel reversed (pushed in), dim label 1 px down-right
#   off     - flat mid-grey plate, pale grey label, no ticks lit: a button this
#             version does not offer (greys that 256-colour displays keep)

# icon_mvg NAME CX CY R: MVG for a pictogram drawn white on the ink mask.
icon_mvg() {
  local name=$1 cx=$2 cy=$3 r=$4
  case $name in
    play)
      echo "stroke white fill none stroke-width 2.5 circle $cx,$cy $cx,$((cy - r))
            stroke none fill white polygon $((cx - r * 4 / 10)),$((cy - r / 2)) $((cx - r * 4 / 10)),$((cy + r / 2)) $((cx + r * 6 / 10)),$cy" ;;
    globe)
      echo "stroke white fill none stroke-width 2 circle $cx,$cy $cx,$((cy - r))
            ellipse $cx,$cy $((r * 45 / 100)),$r 0,360
            line $cx,$((cy - r)) $cx,$((cy + r))
            line $((cx - r)),$cy $((cx + r)),$cy
            line $((cx - r * 87 / 100)),$((cy - r / 2)) $((cx + r * 87 / 100)),$((cy - r / 2))
            line $((cx - r * 87 / 100)),$((cy + r / 2)) $((cx + r * 87 / 100)),$((cy + r / 2))" ;;
    gear)
      echo "stroke none fill white polygon $(python3 "$LIB" gear "$cx" "$cy" "$r" $((r * 74 / 100)) 8)
            fill black circle $cx,$cy $cx,$((cy - r * 36 / 100))" ;;
    power)
      echo "stroke white fill none stroke-width 3 stroke-linecap round
            arc $((cx - r)),$((cy - r)) $((cx + r)),$((cy + r)) -55,235
            line $cx,$((cy - r - 2)) $cx,$((cy - 1))" ;;
    left)
      echo "stroke none fill white polygon $((cx - r)),$cy $((cx + r / 5)),$((cy - r)) $((cx + r / 5)),$((cy - r / 2)) $((cx + r)),$((cy - r / 2)) $((cx + r)),$((cy + r / 2)) $((cx + r / 5)),$((cy + r / 2)) $((cx + r / 5)),$((cy + r))" ;;
    right)
      echo "stroke none fill white polygon $((cx + r)),$cy $((cx - r / 5)),$((cy - r)) $((cx - r / 5)),$((cy - r / 2)) $((cx - r)),$((cy - r / 2)) $((cx - r)),$((cy + r / 2)) $((cx - r / 5)),$((cy + r / 2)) $((cx - r / 5)),$((cy + r))" ;;
  esac
}

# face OUT W H STATE LABEL SIZE LAYOUT [ICON]
#   STATE  n(ormal) h(over) p(ressed) d (off)
#   LAYOUT center: label only; stack: icon above label; side: icon left of
#          label; icon: pictogram only
face() {
  local out=$1 w=$2 h=$3 state=$4 label=$5 size=$6 layout=$7 icon=${8:-}
  local x2=$((w - 1)) y2=$((h - 1)) d=0
  local up down rim hi hi2 lo ink glow tick
  case $state in
    n) up='#4a70a2-#2c4f82' down='#1f3f6e-#0f2348' rim='#02050c' hi='#a4c2e4' hi2='#5f86b8' lo='#07122a'
       ink='#e2eefa' glow='' tick='#12bedc' ;;
    h) up='#7e9fc4-#4a70a2' down='#3a5f93-#1c3a68' rim='#b4f8ff' hi='#e2eefa' hi2='#a4c2e4' lo='#0f2348'
       ink='#fff7e0' glow='#c07c0c' tick='#b4f8ff' ;;
    p) up='#040b1c-#0b1a38' down='#0f2348-#152e58' rim='#02050c' hi='#02050c' hi2='#050c1e' lo='#33588c'
       ink='#78c8e4' glow='' tick='#0b4266' d=1 ;;
    d) up='#8e8e92-#808084' down='#7a7a7e-#707074' rim='#404044' hi='#b4b4b8' hi2='#9a9a9e' lo='#58585c'
       ink='#c4c4c8' glow='' tick='#707074' ;;
  esac
  # ink mask: the label and pictogram, white on black
  local mvg="" lx=0 ly=0 grav=center
  case $layout in
    center) ;;
    stack) mvg=$(icon_mvg "$icon" $((w / 2 + d)) $((h * 36 / 100 + d)) $((h * 19 / 100)))
           ly=$((h * 25 / 100)) ;;
    side)  mvg=$(icon_mvg "$icon" $((28 + d)) $((h / 2 + d)) $((h * 27 / 100)))
           lx=$((22)) ;;
    icon)  mvg=$(icon_mvg "$icon" $((w / 2 + d)) $((h / 2 + d)) $((h * 30 / 100))) ;;
  esac
  "$IM" -size "${w}x${h}" xc:black -fill white -stroke none \
    -font "$FONT_BOLD" -pointsize "$size" -gravity $grav \
    -annotate "+$((lx + d))+$((ly + d))" "$label" -gravity northwest \
    -draw "$mvg" -colorspace gray "$WORK/ink.png"
  local glow_layer=() spread=(-blur 0x1.6)
  [ "$h" -gt 40 ] && spread=(-morphology dilate disk:1 -blur 0x2.5)
  if [ -n "$glow" ]; then
    glow_layer=( \( "$WORK/ink.png" "${spread[@]}" +level-colors "black,$glow" \)
                 -compose screen -composite )
  fi
  local rim_glow=()
  if [ "$state" = h ]; then
    rim_glow=( \( -size "${w}x${h}" xc:black -fill none -stroke '#2fd8ff' -strokewidth 3
                  -draw "rectangle 1,1 $((w - 2)),$((h - 2))" -blur 0x2.5 \)
               -compose screen -composite )
  fi
  "$IM" -respect-parentheses \( -size "${w}x$((h / 2))" gradient:"$up" \) \
    \( -size "${w}x$((h - h / 2))" gradient:"$down" \) -append \
    +antialias -stroke none \
    -fill "$hi"  -draw "rectangle 1,1 $((x2 - 1)),1" -draw "rectangle 1,1 1,$((y2 - 1))" \
    -fill "$hi2" -draw "rectangle 2,2 $((x2 - 2)),2" -draw "rectangle 2,2 2,$((y2 - 2))" \
    -fill "$lo"  -draw "rectangle 1,$((y2 - 1)) $((x2 - 1)),$((y2 - 1))" -draw "rectangle $((x2 - 1)),1 $((x2 - 1)),$((y2 - 1))" \
    -fill "$rim" -draw "rectangle 0,0 $x2,0" -draw "rectangle 0,$y2 $x2,$y2" \
                 -draw "rectangle 0,0 0,$y2" -draw "rectangle $x2,0 $x2,$y2" \
    -fill "$tick" -draw "rectangle 4,4 9,4" -draw "rectangle 4,4 4,9" \
                  -draw "rectangle $((x2 - 9)),4 $((x2 - 4)),4" -draw "rectangle $((x2 - 4)),4 $((x2 - 4)),9" \
                  -draw "rectangle 4,$((y2 - 4)) 9,$((y2 - 4))" -draw "rectangle 4,$((y2 - 9)) 4,$((y2 - 4))" \
                  -draw "rectangle $((x2 - 9)),$((y2 - 4)) $((x2 - 4)),$((y2 - 4))" -draw "rectangle $((x2 - 4)),$((y2 - 9)) $((x2 - 4)),$((y2 - 4))" \
    -antialias "${rim_glow[@]}" "${glow_layer[@]}" \
    \( -size "${w}x${h}" xc:'#02060e' \( "$WORK/ink.png" -roll +1+1 \) -alpha off -compose copyopacity -composite \) \
    -compose over -composite \
    \( -size "${w}x${h}" xc:"$ink" "$WORK/ink.png" -alpha off -compose copyopacity -composite \) \
    -compose over -composite \
    +antialias -fill "$rim" -draw "rectangle 0,0 $x2,0" -draw "rectangle 0,$y2 $x2,$y2" \
                 -draw "rectangle 0,0 0,$y2" -draw "rectangle $x2,0 $x2,$y2" \
    -alpha off "$out"
}

# button N W H LABEL SIZE LAYOUT [ICON]: the faces N (pressed), N+1 (normal),
# N+2 (hover) as truecolour pictures in $WORK/faces.
button() {
  local n=$1; shift
  face "$WORK/faces/$n.png"       "$1" "$2" p "$3" "$4" "$5" "${6:-}"
  face "$WORK/faces/$((n + 1)).png" "$1" "$2" n "$3" "$4" "$5" "${6:-}"
  face "$WORK/faces/$((n + 2)).png" "$1" "$2" h "$3" "$4" "$5" "${6:-}"
}

# unavailable N W H LABEL SIZE LAYOUT [ICON]: a button that is drawn but
# takes no pointer (NETWORK GAME): only its normal face is ever shown, and it
# is the grey one; pressed and hover keep the live looks.
unavailable() {
  local n=$1; shift
  button "$n" "$@"
  face "$WORK/faces/$((n + 1)).png" "$1" "$2" d "$3" "$4" "$5" "${6:-}"
}

make_faces() {
  # main menu (each face one pixel larger than its hit rectangle)
  button 189 145 86 "START GAME" 16 stack play
  unavailable 192 200 86 "NETWORK GAME" 16 stack globe
  button 195 151 62 "OPTION" 16 side gear
  button 198 170 86 "QUIT QUIL 3D" 16 stack power
  # options menu
  button 201 190 36 "SETUP INPUT DEVICE" 13 center
  button 204 190 36 "AUDIO CALIBRATION" 13 center
  button 207 190 36 "VIDEO CALIBRATION" 13 center
  button 210 190 36 "HOW TO PLAY" 13 center
  button 295 190 36 "CLOSE" 13 center
  # audio and video dialogs
  button 222 190 36 "DEFAULT" 13 center
  button 225 190 36 "DONE" 13 center
  button 228 190 36 "DEFAULT" 13 center
  button 231 190 36 "DONE" 13 center
  # input dialog
  button 239 126 36 "DONE" 13 center
  button 242 126 36 "RESET" 13 center
  button 245 126 36 "CANCEL" 13 center
  button 248 126 36 "JOYSTICK 1" 13 center
  button 251 126 36 "JOYSTICK 2" 13 center
  # how-to-play viewer
  button 298 126 36 "CLOSE" 13 center
  button 301 63 36 "" 13 icon left
  button 304 63 36 "" 13 icon right
}

# --- shared pieces of the pictures ------------------------------------------

# sky OUT W H SEED STARS: deep-space gradient with soft nebula clouds and stars.
sky() {
  local out=$1 w=$2 h=$3 seed=$4 stars=$5
  python3 "$LIB" blobs "$WORK/neb.mvg" $((w / 10)) $((h / 12)) $((w * 9 / 10)) $((h * 2 / 3)) 70 8 46 "$seed" \
    'rgba(23,110,152,0.20)' 'rgba(12,66,102,0.30)' 'rgba(0,128,156,0.12)' 'rgba(28,58,104,0.35)'
  python3 "$LIB" stars "$WORK/stars.mvg" "$w" "$h" "$stars" $((seed + 1))
  "$IM" -respect-parentheses -size "${w}x${h}" gradient:'#02040b-#0d2144' \
    \( -size "${w}x${h}" xc:black -draw "$(<"$WORK/neb.mvg")" -blur 0x22 \) -compose screen -composite \
    -draw "$(<"$WORK/stars.mvg")" "$out"
}

# floor OUT W H HORIZON: a perspective grid floor below the horizon line, on
# a transparent layer, fading into the distance.
floor() {
  local out=$1 w=$2 h=$3 hz=$4
  python3 "$LIB" grid "$WORK/grid.mvg" "$w" "$hz" "$h" $((w / 2)) '#12bedc' 48 9
  "$IM" -respect-parentheses -size "${w}x${h}" xc:black \
    \( -size "${w}x$((h - hz))" gradient:'#04101e-#0a2240' \) -geometry "+0+$hz" -compose over -composite -geometry +0+0 \
    \( -size "${w}x${h}" xc:black -draw "$(<"$WORK/grid.mvg")" \
       \( -size "${w}x$hz" xc:black -size "${w}x$((h - hz))" gradient:'#000000-#b0b0b0' -append -evaluate pow 1.6 \) \
       -compose multiply -composite \( +clone -blur 0x3 \) -compose screen -composite \) \
    -compose screen -composite \
    \( -size "${w}x${h}" xc:black -fill none -stroke '#4fe6ff' -strokewidth 2 -draw "line 0,$hz $w,$hz" -blur 0x4 \) \
    -compose screen -composite \
    -fill '#9ef4ff' -stroke none -draw "rectangle 0,$hz $w,$hz" \
    \( -size "${w}x$hz" xc:black -size "${w}x$((h - hz))" xc:white -append \) \
    -alpha off -compose copyopacity -composite "$out"
}

# title OUT POINTSIZE: the "QUIL 3D" logo on a transparent layer - chrome
# QUIL, amber 3D, a dark outline and a cyan glow (tools/title.sh).
title() {
  bash "$ROOT/tools/title.sh" "$1" "$2"
}

# text_on OUT IN FONT SIZE COLOUR GRAVITY X Y TEXT: annotate with a soft
# dark shadow so the text reads on any part of a picture.
text_on() {
  local out=$1 in=$2 font=$3 size=$4 colour=$5 grav=$6 x=$7 y=$8 text=$9
  "$IM" -respect-parentheses "$in" \
    \( +clone -fill black -colorize 100 -alpha transparent -fill 'rgba(0,0,0,0.85)' -font "$font" -pointsize "$size" \
       -gravity "$grav" -annotate "+$((x + 1))+$((y + 1))" "$text" -blur 0x1 \) -compose over -composite \
    -fill "$colour" -font "$font" -pointsize "$size" -gravity "$grav" -annotate "+$x+$y" "$text" \
    -gravity northwest "$out"
}

# mount_mvg X0 Y0 X1 Y1 [COLOUR]: MVG for the recessed bracket a button face
# sits in (the face covers X0..X1, Y0..Y1 inclusive). The bracket stands 5 px
# off the face; where the stage's visible edge (0 or 637, the stage's client
# area is 638 x 478) is nearer, it stands halfway between face and edge with
# a thin stroke, so no frame runs off the stage or touches its edge.
mount_mvg() {
  local colour=${5:-#4fe6ff} rim=${6:-#176e98}
  local a=$(($1 - 5)) b=$(($2 - 5)) c=$(($3 + 5)) d=$(($4 + 5)) t=12 wl=2 wr=2
  if [ "$a" -lt 2 ]; then a=$(($1 / 2)) wl=1; fi
  if [ "$c" -gt 635 ]; then c=$((($3 + 637 + 1) / 2)) wr=1; fi
  echo "stroke none fill rgba(2,6,14,0.85) rectangle $a,$b $c,$d
        fill none stroke $rim stroke-width 1 rectangle $a.5,$b.5 $((c - 1)).5,$((d - 1)).5
        stroke $colour stroke-width 2
        line $((a + 1)),$b $((a + t)),$b line $((c - t)),$b $((c - 1)),$b
        line $((a + 1)),$d $((a + t)),$d line $((c - t)),$d $((c - 1)),$d
        stroke-width $wl line $a,$b $a,$((b + t)) line $a,$((d - t)) $a,$d
        stroke-width $wr line $c,$b $c,$((b + t)) line $c,$((d - t)) $c,$d"
}

# safe_rows R...: the smallwin picture (280 x 352) is drawn pixel for pixel in
# the audio dialog but squeezed to the video dialog's 344 rows, where one row
# in 44 is left out. Which one depends on the stretch's rounding: row 44k + 22
# under centre rounding (Wine), 44k + 43 under plain truncation. Every
# horizontal line of that picture keeps off those rows and their neighbours,
# so in both dialogs each line keeps its width; only flat colour, gradient and
# dither lose a row.
safe_rows() {
  local r
  for r in "$@"; do
    case $((r % 44)) in
      21 | 22 | 23 | 42 | 43)
        echo "make_art: smallwin row $r is left out when the picture is squeezed" >&2
        exit 1 ;;
    esac
  done
}

# panel OUT W H [ROWSTEP]: the dark console panel the dialogs are drawn on: a
# navy gradient with a faint grid (columns every 16 px, rows every ROWSTEP px,
# 16 unless given), a steel frame and a thin cyan inner line.
panel() {
  local out=$1 w=$2 h=$3 rowstep=${4:-16}
  local x2=$((w - 1)) y2=$((h - 1)) grid="" x y
  for ((x = 8; x < w; x += 16)); do grid+="line $x,0 $x,$h "; done
  for ((y = rowstep / 2; y < h; y += rowstep)); do grid+="line 0,$y $w,$y "; done
  "$IM" -respect-parentheses -size "${w}x${h}" gradient:'#0c1f3e-#040a18' \
    \( -size "${w}x${h}" xc:black -stroke '#08203c' -strokewidth 1 -draw "$grid" \) -compose screen -composite \
    \( -size "${w}x${h}" radial-gradient:'#0f3558-#000000' \) -compose screen -composite \
    +antialias -stroke none \
    -fill '#4e5d72' -draw "rectangle 0,0 $x2,1" -draw "rectangle 0,0 1,$y2" \
    -fill '#1a222e' -draw "rectangle 0,$((y2 - 1)) $x2,$y2" -draw "rectangle $((x2 - 1)),0 $x2,$y2" \
    -fill '#7a8aa0' -draw "rectangle 0,0 $x2,0" -draw "rectangle 0,0 0,$y2" \
    -fill '#0b0f15' -draw "rectangle 0,$y2 $x2,$y2" -draw "rectangle $x2,0 $x2,$y2" \
    -fill none -stroke '#176e98' -draw "rectangle 4,4 $((x2 - 4)),$((y2 - 4))" \
    -antialias "$out"
}

# --- the pictures -------------------------------------------------------------

# Frame backdrop: painted behind everything on the black full-screen frame.
make_background() {
  sky "$WORK/bg/sky0.png" 640 480 11 180
  title "$WORK/title0.png" 64
  "$IM" "$WORK/bg/sky0.png" -fill black -colorize 35 \
    \( "$WORK/title0.png" -channel A -evaluate multiply 0.45 +channel \) -gravity center -compose over -composite \
    -gravity northwest "$WORK/bg/background.png"
}

# Main menu: space over a grid floor, a planet, mounts for the four faces and
# the product name in the free lower left.
make_mainbk() {
  sky "$WORK/bg/sky1.png" 640 480 23 260
  floor "$WORK/floor1.png" 640 480 392
  # planet at the top right with a lit cyan rim on its lower left
  "$IM" -respect-parentheses -size 640x480 xc:none \
    \( -size 480x480 radial-gradient:'#2f6a9c-#02050c' -crop 240x240+180+60 +repage \
       \( -size 240x240 xc:black -fill white -draw 'circle 120,120 120,2' \) -alpha off -compose copyopacity -composite \) \
    -geometry +450-110 -compose over -composite "$WORK/planet.png"
  "$IM" -respect-parentheses -size 640x480 xc:black -fill none -stroke '#7ef0ff' -strokewidth 4 \
    -draw 'circle 570,10 570,-108' -blur 0x2.5 \
    \( -size 640x480 xc:black \( -size 420x420 radial-gradient:white-black \) -geometry +250-110 -compose over -composite \) \
    -geometry +0+0 -compose multiply -composite "$WORK/rim.png"
  title "$WORK/title1.png" 96
  # its faint mirror image in the floor, mirrored about the horizon (y 392)
  local th; th=$("$IM" "$WORK/title1.png" -format '%h' info:)
  "$IM" -respect-parentheses "$WORK/title1.png" -flip \
    \( +clone -alpha extract \( -size "1x$th" gradient:'#404040-#000000' -scale "$("$IM" "$WORK/title1.png" -format '%w' info:)x$th!" \) \
       -compose multiply -composite \) -alpha off -compose copyopacity -composite "$WORK/mirror1.png"
  local mounts
  mounts="$(mount_mvg 273 86 417 171) $(mount_mvg 5 145 204 230 "#56667c" "#2f3b4c") $(mount_mvg 484 297 634 358) $(mount_mvg 465 145 634 230)"
  "$IM" -respect-parentheses "$WORK/bg/sky1.png" "$WORK/planet.png" -compose over -composite \
    "$WORK/rim.png" -compose screen -composite \
    "$WORK/floor1.png" -compose over -composite \
    -draw "$mounts" \
    "$WORK/mirror1.png" -gravity northwest -geometry "+6+$((2 * 392 - 250 - th))" -compose over -composite \
    "$WORK/title1.png" -geometry +6+250 -compose over -composite \
    "$WORK/bg/main_pre.png"
  text_on "$WORK/bg/MainBK.png" "$WORK/bg/main_pre.png" "$FONT_COND_BOLD" 15 '#4fe6ff' northwest 60 372 \
    "T W O - P L A Y E R   3 D   A R E N A   C O M B A T"
}

# Text placement on a picture: annot FONT SIZE COLOUR ALIGN X Y TEXT adds
# the options for one line to the array ANN; ALIGN l/c/r makes X the left
# edge, the centre or the right edge; Y is the top. CW is the picture width.
ANN=()
off() { printf '%+d%+d' "$1" "$2"; }
annot() {
  local font=$1 size=$2 colour=$3 align=$4 x=$5 y=$6 text=$7 grav ox
  case $align in
    l) grav=northwest ox=$x ;;
    c) grav=north ox=$((x - CW / 2)) ;;
    r) grav=northeast ox=$((CW - x)) ;;
  esac
  ANN+=(-font "$font" -pointsize "$size" -fill "$colour" -stroke none -gravity "$grav" -annotate "$(off "$ox" "$y")" "$text")
}

# Options menu: the same space scene; a console rail holding the five faces
# on the left and a display bay on the right where the settings dialogs open.
# The audio, video and how-to dialogs stand at (288, 62) on the stage, 282 x
# 354, 282 x 346 and 280 x 340 with their borders: the bay's brackets stand
# 5 px around the largest of them, (288, 62)-(569, 415).
make_optionbk() {
  sky "$WORK/bg/sky2.png" 640 480 37 240
  floor "$WORK/floor2.png" 640 480 410
  title "$WORK/title2.png" 50
  local rail="" y
  for y in 67 127 187 247 307; do rail+=" $(mount_mvg 17 "$y" 206 $((y + 35)))"; done
  local scan=""
  for ((y = 54; y < 424; y += 3)); do scan+="line 280,$y 577,$y "; done
  CW=640 ANN=()
  annot "$FONT_COND_BOLD" 20 '#4fe6ff' l 22 12 "OPTIONS"
  annot "$FONT_COND" 12 '#7a8aa0' l 22 36 "Set up the game before you play"
  annot "$FONT_COND_BOLD" 13 '#78c8e4' c 428 112 "CHOOSE A SETTING ON THE LEFT"
  annot "$FONT_COND" 12 '#7a8aa0' c 428 132 "Your choices are kept for the next game"
  "$IM" -respect-parentheses "$WORK/bg/sky2.png" "$WORK/floor2.png" -compose over -composite \
    -stroke none -fill 'rgba(14,24,40,0.88)' -draw "roundrectangle 2,6 221,362 6,6" \
    -fill none -stroke '#4e5d72' -strokewidth 2 -draw "roundrectangle 3,7 220,361 6,6" \
    -stroke '#176e98' -strokewidth 1 -draw "line 16,55 208,55" \
    -draw "$rail" \
    -stroke none -fill 'rgba(2,6,14,0.82)' -draw "rectangle 278,52 579,425" \
    -stroke 'rgba(18,190,220,0.07)' -draw "$scan" \
    -fill none -stroke '#176e98' -draw "rectangle 278.5,52.5 578.5,424.5" \
    -draw "$(mount_mvg 288 62 569 415 | sed -n '3,$p')" \
    \( -size 640x480 xc:black -stroke none -fill 'rgba(18,190,220,0.16)' -draw "polygon 338,330 518,330 558,170 298,170" \
       \( -size 640x170 xc:black -size 640x160 gradient:black-white -size 640x150 xc:white -append \) -compose multiply -composite \
       -fill none -stroke '#12bedc' -strokewidth 2 -draw "ellipse 428,330 92,14 0,360" \
       -stroke '#4fe6ff' -strokewidth 1 -draw "ellipse 428,330 60,9 0,360" -draw "ellipse 428,330 28,4 0,360" \
       \( +clone -blur 0x3 \) -compose screen -composite \) -compose screen -composite \
    "$WORK/title2.png" -gravity north -geometry +108+205 -compose over -composite -gravity northwest -geometry +0+0 \
    "${ANN[@]}" -gravity northwest "$WORK/bg/OptionBK.png"
}

# Input dialog (638x478, the stage's client area it covers). The key boxes
# are dialog controls at 2 px a dialog unit; each well is drawn 3 px around
# its box. DONE, RESET and CANCEL stand at 423..458 in the deck below the
# players' panels, the JOYSTICK places at 340..376 in the panels.
du() { echo $(($1 * 2)); }
make_inputbk() {
  local w=638 h=478 bw=76 bh=26
  panel "$WORK/bg/input_panel.png" $w $h
  CW=$w ANN=()
  local wells="" entry name x y side px py colour
  annot "$FONT_COND_BOLD" 16 '#4fe6ff' l 18 8 "SETUP INPUT DEVICE"
  annot "$FONT_COND" 12 '#7a8aa0' r 620 11 "Keys and joysticks for both players"
  # each key box: its label, its position in dialog units, the label's side
  for entry in "UP:89:37:l" "LEFT:67:62:l" "RIGHT:110:62:r" "DOWN:89:88:l" "FIRE 1:89:113:l" "FIRE 2:89:139:l" \
              "UP:224:37:l" "LEFT:202:62:l" "RIGHT:245:62:r" "DOWN:225:88:l" "FIRE 1:224:113:l" "FIRE 2:224:139:l"; do
    IFS=: read -r name x y side <<<"$entry"
    px=$(du "$x"); py=$(du "$y")
    if [ "$px" -lt 320 ]; then colour='#b4f8ff'; else colour='#ffe6a6'; fi
    wells+="rectangle $((px - 3)),$((py - 3)) $((px + bw + 2)),$((py + bh + 2)) "
    if [ "$side" = l ]; then
      annot "$FONT_COND_BOLD" 12 "$colour" r $((px - 8)) $((py + bh / 2 - 8)) "$name"
    else
      annot "$FONT_COND_BOLD" 12 "$colour" l $((px + bw + 8)) $((py + bh / 2 - 8)) "$name"
    fi
  done
  annot "$FONT_COND_BOLD" 16 '#4fe6ff' c 216 41 "PLAYER 1"
  annot "$FONT_COND_BOLD" 16 '#ffc752' c 486 41 "PLAYER 2"
  annot "$FONT_COND_BOLD" 11 '#78c8e4' c 183 322 "JOYSTICK"
  annot "$FONT_COND_BOLD" 11 '#78c8e4' c 449 322 "JOYSTICK"
  annot "$FONT_COND" 11 '#b2bfcf' l 18 424 "Click a key box, then press the new key."
  annot "$FONT_COND" 11 '#b2bfcf' l 18 441 "A JOYSTICK button swaps the two sticks."
  # The header strips are flat palette colours: a tint laid over the grid
  # would dither into blotches on a 256-colour display.
  "$IM" -respect-parentheses "$WORK/bg/input_panel.png" \
    -stroke none -fill 'rgba(2,6,14,0.55)' -draw "roundrectangle 12,36 350,392 6,6 roundrectangle 358,36 626,392 6,6" \
    -fill '#06213a' -draw "rectangle 14,38 348,61" -fill '#2a1604' -draw "rectangle 360,38 624,61" \
    -fill '#12bedc' -draw "rectangle 14,62 348,62" -fill '#c07c0c' -draw "rectangle 360,62 624,62" \
    -fill none -strokewidth 1 -stroke '#176e98' -draw "roundrectangle 12.5,36.5 349.5,391.5 6,6" \
    -stroke '#7d4808' -draw "roundrectangle 358.5,36.5 625.5,391.5 6,6" \
    -stroke none -fill '#02050c' -draw "$wells" \
    -fill none -stroke '#2f3b4c' -draw "$wells" \
    -stroke none -fill 'rgba(2,6,14,0.35)' -draw "rectangle 5,410 632,472" \
    -stroke '#176e98' -draw "line 12,32 626,32" -draw "line 12,404 626,404" \
    "${ANN[@]}" -gravity northwest "$WORK/bg/inputBK.png"
}

# Audio and video dialogs (280x352, shared): pixel for pixel in the audio
# dialog (280x352), squeezed by 8 rows into the video dialog (280x344); see
# safe_rows for why no line changes width. The upper bay holds the captions,
# bars and lists (down to 202 in the video dialog), the lower deck the two
# buttons (230..314 in both).
make_smallwin() {
  local w=280 h=352 top=8 bay=213 rule=217 deck=220 end=327
  safe_rows 9 $top $bay $((bay - 1)) $rule $deck $end $((h - 5))
  panel "$WORK/bg/small_panel.png" $w $h 22
  "$IM" -respect-parentheses "$WORK/bg/small_panel.png" +antialias \
    -stroke none -fill 'rgba(2,6,14,0.45)' -draw "rectangle 8,$top 271,$bay" \
    -fill none -stroke '#0b4266' -draw "rectangle 8,$top 271,$bay" \
    -stroke none -fill 'rgba(2,6,14,0.35)' -draw "rectangle 5,$deck 274,$end" \
    -fill '#176e98' -draw "rectangle 16,$rule 263,$rule" \
    -fill '#4fe6ff' -draw "rectangle 8,$top 20,$((top + 1)) rectangle 8,$top 9,$((top + 12))" \
    -draw "rectangle 259,$top 271,$((top + 1)) rectangle 270,$top 271,$((top + 12))" \
    -draw "rectangle 8,$((bay - 1)) 20,$bay rectangle 8,$((bay - 12)) 9,$bay" \
    -draw "rectangle 259,$((bay - 1)) 271,$bay rectangle 270,$((bay - 12)) 271,$bay" \
    "$WORK/bg/smallwin.png"
}

# keycap OUT W H LABEL ACCENT [SIZE]: one keyboard key for the how-to-play
# pages, with a coloured lower edge for its player.
keycap() {
  local out=$1 w=$2 h=$3 label=$4 accent=$5 size=${6:-10}
  "$IM" -respect-parentheses -size "${w}x${h}" xc:none \
    -stroke none -fill "$accent" -draw "roundrectangle 0,1 $((w - 1)),$((h - 1)) 3,3" \
    -fill '#2f3b4c' -draw "roundrectangle 0,0 $((w - 1)),$((h - 3)) 3,3" \
    -fill '#56667c' -draw "roundrectangle 2,1 $((w - 3)),$((h - 5)) 2,2" \
    -fill '#eef2f7' -font "$FONT_BOLD" -pointsize "$size" -gravity center -annotate +0-2 "$label" "$out"
}

# page_base OUT NUMBER TITLE: the common frame of a how-to-play page
# (280x340, the viewer's client area); the deck at the bottom holds the
# viewer's buttons (295..330).
page_base() {
  local out=$1 n=$2 name=$3
  panel "$WORK/bg/how_panel.png" 280 340
  CW=280 ANN=()
  annot "$FONT_COND_BOLD" 10 '#7a8aa0' l 14 9 "HOW TO PLAY  QUIL 3D"
  annot "$FONT_COND_BOLD" 16 '#4fe6ff' l 14 20 "$name"
  annot "$FONT_COND_BOLD" 14 '#ffc752' r 266 22 "$n / 3"
  "$IM" -respect-parentheses "$WORK/bg/how_panel.png" \
    -stroke none -fill 'rgba(2,6,14,0.35)' -draw "rectangle 5,289 274,333" \
    -stroke '#176e98' -draw "line 12,42 267,42 line 12,284 267,284" \
    "${ANN[@]}" -gravity northwest "$out"
}

# para IN OUT Y COLOUR FONT SIZE TEXT: word-wrapped paragraph across the
# page at height Y; prints the y below it.
para() {
  local in=$1 out=$2 y=$3 colour=$4 font=$5 size=$6 text=$7 x=${8:-14} width=${9:-252}
  "$IM" -background none -fill "$colour" -font "$font" -pointsize "$size" -interline-spacing -1 \
    -size "${width}x" caption:"$text" "$WORK/para.png"
  local ph; ph=$("$IM" "$WORK/para.png" -format '%h' info:)
  "$IM" "$in" "$WORK/para.png" -geometry "+$x+$y" -compose over -composite "$out"
  echo $((y + ph))
}

# craft MVG: a small arrow-shaped hover craft pointing right (dir 1) or left
craft_mvg() {
  local cx=$1 cy=$2 dir=$3 body=$4 edge=$5
  local a=$((cx + 16 * dir)) b=$((cx - 12 * dir)) c=$((cx - 7 * dir))
  echo "stroke $edge stroke-width 1 fill $body
        polygon $a,$cy $b,$((cy - 10)) $c,$cy $b,$((cy + 10))
        fill $edge stroke none circle $((cx + 2 * dir)),$cy $((cx + 2 * dir)),$((cy - 2))"
}

make_how1() {
  page_base "$WORK/bg/h1.png" 1 "THE GOAL"
  # a little arena: floor grid, two craft and a bolt scoring a hit
  python3 "$LIB" grid "$WORK/mini.mvg" 252 0 66 126 '#176e98' 30 5
  "$IM" -respect-parentheses "$WORK/bg/h1.png" \
    \( -size 252x66 gradient:'#0c2a4a-#03101e' \
       \( -size 252x66 xc:black -draw "$(<"$WORK/mini.mvg")" \) -compose screen -composite \
       \( -size 252x66 xc:black -stroke '#ffc752' -strokewidth 2 -draw "line 58,34 176,34" -blur 0x2 \) -compose screen -composite \
       -stroke '#fff7e0' -strokewidth 1 -draw "line 60,34 174,34" \
       -draw "$(craft_mvg 40 34 1 '#12bedc' '#b4f8ff')" \
       -draw "$(craft_mvg 200 34 -1 '#c07c0c' '#ffe6a6')" \
       \( -size 252x66 xc:black -fill white -draw "circle 184,34 184,24" -blur 0x4 +level-colors 'black,#f4a41a' \) -compose screen -composite \
       -font "$FONT_COND_BOLD" -pointsize 13 -fill '#ffc752' -stroke none -annotate +212+22 "+1" \
       -fill '#b4f8ff' -pointsize 10 -annotate +6+60 "PLAYER 1" -fill '#ffe6a6' -gravity northeast -annotate +6+49 "PLAYER 2" -gravity northwest \
       -fill none -stroke '#0b4266' -draw "rectangle 0,0 251,65" \) \
    -geometry +14+50 -compose over -composite "$WORK/bg/h1.png"
  local y=124
  y=$(para "$WORK/bg/h1.png" "$WORK/bg/h1.png" $y '#e2eefa' "$FONT_COND" 12 \
    "Two players share one screen. Each steers a hover craft around a closed 3D arena.")
  y=$(para "$WORK/bg/h1.png" "$WORK/bg/h1.png" $((y + 6)) '#e2eefa' "$FONT_COND" 12 \
    "Every hit on your rival's craft scores one point. A craft that is hit comes back a moment later with a short shield.")
  y=$(para "$WORK/bg/h1.png" "$WORK/bg/h1.png" $((y + 8)) '#ffc752' "$FONT_COND_BOLD" 13 \
    "The first player to score 10 points wins the match.")
  [ "$y" -le 278 ] || { echo "make_art: page 1 text runs into the button deck" >&2; exit 1; }
  cp "$WORK/bg/h1.png" "$WORK/bg/how1.png"
}

make_how2() {
  page_base "$WORK/bg/h2.png" 2 "KEYBOARD"
  local k=$WORK/key c1='#12bedc' c2='#f4a41a'
  keycap "$k-up.png" 22 21 "▲" $c1; keycap "$k-lt.png" 22 21 "◀" $c1
  keycap "$k-dn.png" 22 21 "▼" $c1; keycap "$k-rt.png" 22 21 "▶" $c1
  keycap "$k-lb.png" 22 21 "[" $c1 11; keycap "$k-rb.png" 22 21 "]" $c1 11
  keycap "$k-w.png" 22 21 "W" $c2; keycap "$k-a.png" 22 21 "A" $c2
  keycap "$k-s.png" 22 21 "S" $c2; keycap "$k-d.png" 22 21 "D" $c2
  keycap "$k-sh.png" 44 21 "SHIFT" $c2 8; keycap "$k-ct.png" 38 21 "CTRL" $c2 8
  CW=280 ANN=()
  annot "$FONT_COND_BOLD" 13 '#4fe6ff' c 72 48 "PLAYER 1"
  annot "$FONT_COND_BOLD" 13 '#ffc752' c 208 48 "PLAYER 2"
  annot "$FONT_COND_BOLD" 10 '#b2bfcf' c 72 117 "MOVE"
  annot "$FONT_COND_BOLD" 10 '#b2bfcf' c 208 117 "MOVE"
  annot "$FONT_COND_BOLD" 10 '#b2bfcf' c 72 158 "FIRE 1    FIRE 2"
  annot "$FONT_COND_BOLD" 10 '#b2bfcf' c 208 158 "FIRE 1      FIRE 2"
  "$IM" "$WORK/bg/h2.png" \
    "$k-up.png" -geometry +61+68 -composite "$k-lt.png" -geometry +37+92 -composite \
    "$k-dn.png" -geometry +61+92 -composite "$k-rt.png" -geometry +85+92 -composite \
    "$k-lb.png" -geometry +42+134 -composite "$k-rb.png" -geometry +80+134 -composite \
    "$k-w.png" -geometry +197+68 -composite "$k-a.png" -geometry +173+92 -composite \
    "$k-s.png" -geometry +197+92 -composite "$k-d.png" -geometry +221+92 -composite \
    "$k-sh.png" -geometry +160+134 -composite "$k-ct.png" -geometry +216+134 -composite \
    -stroke '#0b4266' -draw "line 140,52 140,168" \
    "${ANN[@]}" -gravity northwest "$WORK/bg/h2.png"
  local y=174
  y=$(para "$WORK/bg/h2.png" "$WORK/bg/h2.png" $y '#e2eefa' "$FONT_COND" 12 \
    "FIRE 1 shoots fast bolts. FIRE 2 launches a homing quill, one every three seconds.")
  y=$(para "$WORK/bg/h2.png" "$WORK/bg/h2.png" $((y + 6)) '#e2eefa' "$FONT_COND" 12 \
    "Player 2 fires with left SHIFT and left CTRL.")
  y=$(para "$WORK/bg/h2.png" "$WORK/bg/h2.png" $((y + 6)) '#b2bfcf' "$FONT_COND" 12 \
    "To change the keys, open OPTIONS and choose SETUP INPUT DEVICE.")
  [ "$y" -le 278 ] || { echo "make_art: page 2 text runs into the button deck" >&2; exit 1; }
  cp "$WORK/bg/h2.png" "$WORK/bg/how2.png"
}

# joystick_mvg CX BASE_Y COLOUR: a joystick seen from the side
joystick_mvg() {
  local cx=$1 by=$2 col=$3
  echo "stroke #0b0f15 stroke-width 1 fill #4e5d72 roundrectangle $((cx - 20)),$((by - 10)) $((cx + 20)),$by 4,4
        fill #2f3b4c ellipse $cx,$((by - 10)) 12,4 0,360
        stroke none fill #b2bfcf polygon $((cx - 2)),$((by - 10)) $((cx + 2)),$((by - 10)) $((cx + 7)),$((by - 34)) $((cx + 3)),$((by - 35))
        fill $col stroke #0b0f15 circle $((cx + 6)),$((by - 37)) $((cx + 6)),$((by - 44))
        fill $col circle $((cx - 12)),$((by - 13)) $((cx - 12)),$((by - 16))"
}

make_how3() {
  page_base "$WORK/bg/h3.png" 3 "JOYSTICKS & OPTIONS"
  CW=280 ANN=()
  annot "$FONT_COND_BOLD" 13 '#4fe6ff' c 72 50 "JOYSTICK 1"
  annot "$FONT_COND_BOLD" 13 '#ffc752' c 208 50 "JOYSTICK 2"
  annot "$FONT_COND_BOLD" 11 '#b4f8ff' c 72 118 "PLAYER 1"
  annot "$FONT_COND_BOLD" 11 '#ffe6a6' c 208 118 "PLAYER 2"
  "$IM" "$WORK/bg/h3.png" -draw "$(joystick_mvg 72 112 '#12bedc')" -draw "$(joystick_mvg 208 112 '#f4a41a')" \
    -fill none -stroke '#176e98' -strokewidth 1 -draw "line 106,90 174,90" \
    -stroke none -fill '#176e98' -draw "polygon 106,90 113,86 113,94 polygon 174,90 167,86 167,94" \
    "${ANN[@]}" -font "$FONT_COND_BOLD" -pointsize 9 -fill '#78c8e4' -gravity north -annotate +0+74 "SWAP" \
    -gravity northwest "$WORK/bg/h3.png"
  local y=134
  y=$(para "$WORK/bg/h3.png" "$WORK/bg/h3.png" $y '#e2eefa' "$FONT_COND" 12 \
    "Joystick 1 steers player 1 and joystick 2 player 2. To swap them, press a JOYSTICK button in SETUP INPUT DEVICE.")
  y=$(para "$WORK/bg/h3.png" "$WORK/bg/h3.png" $((y + 6)) '#e2eefa' "$FONT_COND" 12 \
    "OPTIONS also has AUDIO CALIBRATION (music and sound levels) and VIDEO CALIBRATION (driver, display mode, picture level).")
  y=$(para "$WORK/bg/h3.png" "$WORK/bg/h3.png" $((y + 5)) '#ffc752' "$FONT_COND_BOLD" 12 \
    "Press ESC to skip the intro.")
  [ "$y" -le 278 ] || { echo "make_art: page 3 text runs into the button deck" >&2; exit 1; }
  cp "$WORK/bg/h3.png" "$WORK/bg/how3.png"
}

make_pictures() {
  make_background
  make_mainbk
  make_optionbk
  make_inputbk
  make_smallwin
  make_how1
  make_how2
  make_how3
}

# --- icons ----------------------------------------------------------------------
# Drawn at 128x128 on transparency, then scaled to 32x32 and 16x16 and written
# as 32-bit icon images with an AND mask.
icon_art() {
  local n=$1
  local out=$WORK/icons/$n.png
  case $n in
    283)  # the program: a "Q3" badge
      "$IM" -respect-parentheses -size 128x128 xc:none \
        \( -size 128x128 radial-gradient:'#33588c-#07122a' \
           \( -size 128x128 xc:black -fill white -draw 'circle 64,64 64,4' \) -alpha off -compose copyopacity -composite \) \
        -compose over -composite \
        -fill none -stroke '#4fe6ff' -strokewidth 8 -draw 'circle 64,64 64,8' \
        -stroke '#02050c' -strokewidth 3 -draw 'circle 64,64 64,2' \
        -stroke none -font "$FONT_BOLD" -pointsize 60 -gravity center \
        -fill '#02050c' -annotate -18+3 'Q' -annotate +27+3 '3' \
        -fill '#eef2f7' -annotate -21+0 'Q' -fill '#ffc752' -annotate +24+0 '3' "$out" ;;
    287)  # graphics driver: a chip with an information badge
      local pins="" i
      for ((i = 0; i < 5; i++)); do
        pins+="rectangle $((26 + i * 16)),6 $((32 + i * 16)),18 rectangle $((26 + i * 16)),96 $((32 + i * 16)),108 "
        pins+="rectangle 6,$((26 + i * 16)) 18,$((32 + i * 16)) rectangle 96,$((26 + i * 16)) 108,$((32 + i * 16)) "
      done
      "$IM" -size 128x128 xc:none -stroke '#432405' -strokewidth 2 -fill '#f4a41a' -draw "$pins" \
        -fill '#2f3b4c' -stroke '#0b0f15' -strokewidth 3 -draw 'roundrectangle 16,16 98,98 8,8' \
        -fill '#12bedc' -stroke '#003f52' -strokewidth 3 -draw 'roundrectangle 32,32 82,82 4,4' \
        -fill none -stroke '#b4f8ff' -strokewidth 2 -draw 'line 40,40 60,40 line 40,40 40,60' \
        -fill '#0f2348' -stroke '#eef2f7' -strokewidth 5 -draw 'circle 90,90 90,52' \
        -stroke none -fill '#33588c' -draw 'circle 90,90 90,57' \
        -fill '#ffffff' -draw 'circle 90,71 90,65 roundrectangle 84,80 96,112 3,3' "$out" ;;
    290)  # something went wrong: a red disc with an exclamation mark
      "$IM" -size 128x128 xc:none -fill '#bc1a1a' -stroke '#6e0c0c' -strokewidth 5 -draw 'circle 64,64 64,5' \
        -stroke none -fill '#f44444' -draw 'circle 64,60 64,14' -fill '#bc1a1a' -draw 'circle 64,68 64,16' \
        -fill '#ffffff' -draw 'roundrectangle 55,24 73,80 6,6 circle 64,98 64,88' "$out" ;;
    310)  # installed: a green disc with a check mark
      "$IM" -size 128x128 xc:none -fill '#18aa30' -stroke '#0a6418' -strokewidth 5 -draw 'circle 64,64 64,5' \
        -stroke none -fill '#4cdc5c' -draw 'circle 64,60 64,14' -fill '#18aa30' -draw 'circle 64,68 64,16' \
        -fill none -stroke '#ffffff' -strokewidth 15 -draw 'stroke-linecap round stroke-linejoin round polyline 34,66 56,88 96,42' "$out" ;;
  esac
}

make_icon() {
  local n=$1 s
  icon_art "$n"
  for s in 32 16; do
    "$IM" "$WORK/icons/$n.png" -filter Lanczos -resize "${s}x${s}" -depth 8 "rgba:$WORK/icons/$n-$s.rgba"
  done
  python3 "$LIB" ico "$ICON_DIR/$n.ico" "$WORK/icons/$n-32.rgba:32" "$WORK/icons/$n-16.rgba:16"
  python3 "$LIB" verify-ico "$ICON_DIR/$n.ico" 32 16
}

# --- sounds -------------------------------------------------------------------
# 16-bit mono 22050 Hz PCM. sox runs in repeatable mode (-R) and without
# dither (-D), so the noise bursts come out the same on every run.
make_sounds() {
  local s="sox -R -D -n -r 22050 -b 16 -c 1"
  # hover: a soft, short high tick
  $s "$WORK/t1.wav" synth 0.05 sine 2100 fade l 0 0.05 0.046 vol 0.30
  $s "$WORK/t2.wav" synth 0.006 noise vol 0.3 highpass 2500 fade l 0 0.006 0.005 pad 0 0.044
  sox -R -D -m -v 1 "$WORK/t1.wav" -v 1 "$WORK/t2.wav" -b 16 "$SOUND_DIR/mmove.wav"
  # click: a falling blip over a dull thump, with a sharp start
  $s "$WORK/c1.wav" synth 0.08 sine 1500/620 fade l 0 0.08 0.075 vol 0.30
  $s "$WORK/c2.wav" synth 0.08 sine 190/120 fade l 0.002 0.08 0.07 vol 0.35
  $s "$WORK/c3.wav" synth 0.008 noise vol 0.4 lowpass 5000 fade l 0 0.008 0.007 pad 0 0.072
  sox -R -D -m -v 1 "$WORK/c1.wav" -v 1 "$WORK/c2.wav" -v 1 "$WORK/c3.wav" -b 16 "$SOUND_DIR/mclick.wav"
  python3 "$LIB" verify-wav "$SOUND_DIR/mmove.wav" 40 60
  python3 "$LIB" verify-wav "$SOUND_DIR/mclick.wav" 60 100
}

# --- preview --------------------------------------------------------------------
# Screens put together from the finished 8-bit files the way the launcher
# draws them; only written with --preview.

# faces_at STATE ENTRY...: composite options for faces n+STATE at x,y
# (STATE 0 pressed, 1 normal, 2 hover; ENTRY n:x:y)
faces_at() {
  local st=$1 entry n x y; shift
  for entry in "$@"; do
    IFS=: read -r n x y <<<"$entry"
    printf '%s\n' "$FACE_DIR/$((n + st)).bmp" -geometry "+$x+$y" -composite
  done
}

make_preview() {
  local d=$1 st name
  mkdir -p "$d"
  local main=(189:273:86 192:5:145 195:484:297 198:465:145)
  local opts=(201:17:67 204:17:127 207:17:187 210:17:247 295:17:307)
  for st in 1:main 2:main_hover 0:main_pressed; do
    mapfile -t args < <(faces_at "${st%%:*}" "${main[@]}")
    "$IM" "$BG_DIR/MainBK.bmp" "${args[@]}" "$d/${st#*:}.png"
  done
  for st in 1:options 2:options_hover 0:options_pressed; do
    mapfile -t args < <(faces_at "${st%%:*}" "${opts[@]}")
    "$IM" "$BG_DIR/OptionBK.bmp" "${args[@]}" "$d/${st#*:}.png"
  done
  # input dialog with the twelve key boxes as the edit controls show them
  local boxes=(89:37:Up 67:62:Left 110:62:Right 89:88:Down 89:113:[ 89:139:]
               224:37:W 202:62:A 245:62:D 225:88:S 224:113:Shift 224:139:Ctrl) b x y t draw=()
  for b in "${boxes[@]}"; do
    IFS=: read -r x y t <<<"$b"
    x=$((x * 2)) y=$((y * 2))
    draw+=(-fill white -stroke '#808080' -draw "rectangle $x,$y $((x + 75)),$((y + 25))"
           -stroke none -fill black -font "$FONT_SANS" -pointsize 11 -annotate "+$((x + 4))+$((y + 16))" "$t")
  done
  mapfile -t args < <(faces_at 1 239:225:423 242:361:423 245:497:423 248:120:340 251:386:340)
  "$IM" "$BG_DIR/inputBK.bmp" "${draw[@]}" "${args[@]}" "$d/input.png"
  mapfile -t args < <(faces_at 2 239:225:423; faces_at 0 248:120:340)
  "$IM" "$d/input.png" "${args[@]}" "$d/input_states.png"
  # audio and video dialogs over the options menu, captions in green
  local green=(-fill '#00ff00' -font "$FONT_BOLD" -pointsize 13 -gravity northwest)
  local bar=(-fill '#c0c0c0' -stroke '#808080')
  mapfile -t args < <(faces_at 1 225:46:230 222:46:278)
  "$IM" "$BG_DIR/smallwin.bmp" "${green[@]}" -annotate +22+53 "MUSIC" -annotate +22+133 "SOUND" \
    "${bar[@]}" -draw "rectangle 24,70 255,91" -draw "rectangle 24,152 255,173" \
    -fill '#808080' -draw "rectangle 130,72 146,89" -draw "rectangle 130,154 146,171" \
    "${args[@]}" "$d/audio_dialog.png"
  mapfile -t args < <(faces_at 2 231:46:230; faces_at 1 228:46:278)
  "$IM" "$BG_DIR/smallwin.bmp" -filter point -resize '280x344!' "${green[@]}" -annotate +22+20 "DRIVER" -annotate +22+93 "DISPLAY MODE" \
    -annotate +22+162 "CALIBRATION" -fill white -stroke '#808080' \
    -draw "rectangle 14,42 267,63" -draw "rectangle 14,114 267,135" \
    "${bar[@]}" -draw "rectangle 24,180 253,201" -fill '#808080' -draw "rectangle 130,182 146,199" \
    -stroke none -fill black -font "$FONT_SANS" -pointsize 11 -annotate +18+57 "System OpenGL" \
    -annotate +18+129 "640 X 480  16" "${args[@]}" "$d/video_dialog.png"
  "$IM" "$d/options.png" "$d/audio_dialog.png" -geometry +289+63 -composite "$d/audio.png"
  "$IM" "$d/options.png" "$d/video_dialog.png" -geometry +289+63 -composite "$d/video.png"
  # the three how-to-play pages, each with the viewer's buttons
  for st in 1 2 3; do
    mapfile -t args < <(faces_at 1 301:10:295 304:73:295 298:142:295)
    "$IM" "$BG_DIR/how$st.bmp" "${args[@]}" -crop 280x340+0+0 +repage "$d/how${st}_page.png"
    "$IM" "$d/options.png" "$d/how${st}_page.png" -geometry +288+62 -composite "$d/how$st.png"
  done
  "$IM" "$d/how1_page.png" "$d/how2_page.png" "$d/how3_page.png" -background '#202020' -splice 8x0 +append "$d/how_pages.png"
  # every face: columns of normal / hover / pressed, one row per screen
  local row rows=() n i=0
  for row in "189 192 195 198" "201 204 207 210 295" "222 225 228 231 298 301 304" "239 242 245 248 251"; do
    local cols=()
    for n in $row; do
      cols+=( \( "$FACE_DIR/$((n + 1)).bmp" "$FACE_DIR/$((n + 2)).bmp" "$FACE_DIR/$n.bmp" -background '#202020' -splice 0x6 -append \) )
    done
    "$IM" "${cols[@]}" -background '#202020' -splice 6x0 +append -splice 0x6 "$WORK/row$i.png"
    rows+=("$WORK/row$i.png"); i=$((i + 1))
  done
  "$IM" "${rows[@]}" -background '#202020' -append "$d/faces.png"
  "$IM" -background '#d4d0c8' \( "$ICON_DIR"/283.ico[0] "$ICON_DIR"/287.ico[0] "$ICON_DIR"/290.ico[0] "$ICON_DIR"/310.ico[0] -splice 8x0 +append -scale 300% \) \
    \( "$ICON_DIR"/283.ico[1] "$ICON_DIR"/287.ico[1] "$ICON_DIR"/290.ico[1] "$ICON_DIR"/310.ico[1] -splice 8x0 +append -scale 600% \) \
    -append -alpha remove "$d/icons.png"
  echo "make_art: previews in $d"
}

# --- palette, 8-bit files, checks ----------------------------------------------

# to_bmp SRC OUT DIFFUSION: remap a picture to the game palette with a mild
# Floyd-Steinberg dither (DIFFUSION percent) and write it as an 8-bit BMP.
to_bmp() {
  local src=$1 out=$2 amount=$3 w h
  read -r w h < <("$IM" "$src" -format '%w %h\n' info:)
  "$IM" "$src" -alpha off -dither FloydSteinberg -define "dither:diffusion-amount=$amount%" \
    -remap "$WORK/palette.ppm" -depth 8 "rgb:$WORK/px.rgb"
  python3 "$LIB" bmp "$WORK/px.rgb" "$w" "$h" "$out"
  python3 "$LIB" verify-size "$out" "$w" "$h"
}

python3 "$LIB" palette "$WORK/palette.ppm"

make_pictures
for entry in background:640x480 MainBK:640x480 OptionBK:640x480 inputBK:638x478 \
            smallwin:280x352 how1:280x340 how2:280x340 how3:280x340; do
  name=${entry%%:*}
  to_bmp "$WORK/bg/$name.png" "$BG_DIR/$name.bmp" 60
  python3 "$LIB" verify-size "$BG_DIR/$name.bmp" "${entry#*:}"
done

make_faces
FACE_SIZES=(189:145x86 192:200x86 195:151x62 198:170x86 201:190x36 204:190x36 207:190x36 210:190x36
            295:190x36 222:190x36 225:190x36 228:190x36 231:190x36 239:126x36 242:126x36 245:126x36
            248:126x36 251:126x36 298:126x36 301:63x36 304:63x36)
rm -f "$FACE_DIR"/*.bmp
for entry in "${FACE_SIZES[@]}"; do
  n=${entry%%:*}
  for i in 0 1 2; do
    to_bmp "$WORK/faces/$((n + i)).png" "$FACE_DIR/$((n + i)).bmp" 35
    python3 "$LIB" verify-size "$FACE_DIR/$((n + i)).bmp" "${entry#*:}"
  done
done

ICONS=(283 287 290 310)
for n in "${ICONS[@]}"; do make_icon "$n"; done
make_sounds

python3 "$LIB" verify-bmps "$BG_DIR"/*.bmp "$FACE_DIR"/*.bmp

{
  echo "// Button faces and icons drawn by tools/make_art.sh; regenerate, do not edit."
  echo "// Faces come in threes: n pressed, n+1 normal, n+2 hover."
  for entry in "${FACE_SIZES[@]}"; do echo "${entry%%:*}"; done | sort -n | while read -r n; do
    for i in 0 1 2; do echo "$((n + i)) BITMAP \"faces/$((n + i)).bmp\""; done
  done
  for n in "${ICONS[@]}"; do echo "$n ICON \"icons/$n.ico\""; done
} >"$ROOT/resources/art.rc"

echo "make_art: pictures, faces, icons and sounds written"

if [ -n "$PREVIEW" ]; then
  make_preview "$PREVIEW"
fi
