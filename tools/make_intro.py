#!/usr/bin/env python3
"""Draws the launcher's intro video, data/logo.avi, from scratch.

Three seconds at 15 frames a second, 640 x 480, played full-screen (stretched)
at start-up: the night sky of the menus fades in from black, a cyan beam
sweeps across and leaves the "QUIL 3D" logo behind it, a glint runs over the
letters, a horizon line opens under them, and the finished logo holds until
the end (two sparks running out along the line), where the menus take over.

The video is MS Video 1 ('CRAM') in its 8-bit palettised form, carrying the
game palette (tools/art_common.py) as its colour table: every frame is drawn
with ImageMagick, mapped to the palette and coded in 4 x 4 blocks (one
colour, two colours, or two colours in each quarter); after the first frame
a block that has not changed visibly is skipped. No sound stream.

Players to keep in mind (Wine's MCI AVI player does all of these):
  - the last frame is never shown while playing: the player stops when it
    reaches it, so the last two frames are the same finished logo;
  - the player paints the first frame when the file is opened, so the first
    frame is black like the window around it;
  - the decoder keeps no picture of its own between frames: skipped blocks
    keep what the player's buffer holds, and every frame is decoded in turn.

Needs python3, ImageMagick 6 (/usr/bin/convert) and the DejaVu fonts;
scripts/setup.sh installs them. The output is the same on every run.

The written file is read back and checked (chunk sizes and alignment, the
headers, one indexed frame per chunk, key frame flags, every frame decoded
and compared with its drawing) before it replaces the old one.

Usage: tools/make_intro.py [--out FILE] [--preview DIR] [--check]
  --out FILE     write the video there instead of data/logo.avi
  --preview DIR  also write PNGs of some frames, decoded back from the file,
                 a sheet of every frame, and the last frame stretched to
                 1024 x 768 as the launcher shows it
  --check        draw nothing: only read the video back and check it
"""
import argparse
import math
import os
import struct
import subprocess
import sys
import tempfile

sys.dont_write_bytecode = True
TOOLS = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(TOOLS)
sys.path.insert(0, TOOLS)

from art_common import blobs_mvg, colour_table, palette, palette_ppm, stars_mvg  # noqa: E402

IM = "/usr/bin/convert"
FONT_TITLE = "/usr/share/fonts/truetype/dejavu/DejaVuSans-BoldOblique.ttf"

WIDTH, HEIGHT = 640, 480
FPS = 15
FRAMES = 45
TITLE_POINTSIZE = 112

# Timeline, in frames.
FADE_END = 9                      # sky fully up
WIPE_START, WIPE_END = 6, 21      # the beam crosses the logo
LINE_START, LINE_END = 17, 28     # the horizon line opens
GLINT_START, GLINT_END = 22, 31   # the glint runs over the letters
GLOW_PEAK, GLOW_END = 22, 32      # the glow flares as the beam leaves, settles
HOLD_FROM = 32                    # finished logo from here to the end
assert max(FADE_END, WIPE_END, LINE_END, GLINT_END, GLOW_END) <= HOLD_FROM < FRAMES - 1

BAYER4 = ((0, 8, 2, 10), (12, 4, 14, 6), (3, 11, 1, 9), (15, 7, 13, 5))
DITHER = 10                       # spread of the ordered dither, in 0..255 steps

SLANT = 0.21                      # the letters lean about 12 degrees
WIPE_SOFT = 0.05                  # soft edge of the wipe, part of its span

# Coding.
SKIP_MAX = 0x3FF                  # blocks one skip code can cover
LAMBDA = 260                      # squared-error units one byte is worth
SKIP_PIXEL_MAX = 400              # most squared error a skipped pixel may keep
MIN_PSNR = 30                     # worst a decoded frame may be, in dB

AVIF_HASINDEX = 0x10
AVIIF_KEYFRAME = 0x10


def fail(message):
    sys.exit(f"make_intro: {message}")


def smooth(t):
    t = min(1.0, max(0.0, t))
    return t * t * (3 - 2 * t)


def ease_out(t):
    t = min(1.0, max(0.0, t))
    return 1 - (1 - t) ** 3


# --- drawing ------------------------------------------------------------------

def run_im(args):
    subprocess.run([IM] + [str(a) for a in args], check=True)


def im_size(path):
    out = subprocess.run([IM, path, "-format", "%w %h", "info:"], check=True,
                         capture_output=True, text=True).stdout.split()
    return int(out[0]), int(out[1])


def write_pgm16(path, width, height, value):
    """A 16-bit greyscale PGM whose pixel (x, y) is value(x, y) in 0..1."""
    data = bytearray()
    for y in range(height):
        for x in range(width):
            v = min(1.0, max(0.0, value(x, y)))
            data += struct.pack(">H", round(v * 65535))
    with open(path, "wb") as f:
        f.write(b"P5\n%d %d\n65535\n" % (width, height) + bytes(data))


class Scene:
    """The layers every frame is put together from, drawn once."""

    def __init__(self, work):
        self.work = work
        p = lambda name: os.path.join(work, name)  # noqa: E731
        self.palette = p("palette.ppm")
        with open(self.palette, "wb") as f:
            f.write(palette_ppm())

        # The sky of the menu pictures: a navy gradient, soft nebula clouds
        # and a star field.
        self.sky = p("sky.png")
        nebula = blobs_mvg(WIDTH // 10, HEIGHT // 12, WIDTH * 9 // 10, HEIGHT * 2 // 3, 60, 10, 50, 71,
                           ["rgba(23,110,152,0.20)", "rgba(12,66,102,0.30)",
                            "rgba(0,128,156,0.12)", "rgba(28,58,104,0.35)"])
        stars = stars_mvg(WIDTH, HEIGHT, 170, 72)
        run_im(["-respect-parentheses", "-size", f"{WIDTH}x{HEIGHT}", "gradient:#02040b-#0d2144",
                "(", "-size", f"{WIDTH}x{HEIGHT}", "xc:black", "-draw", nebula, "-blur", "0x22", ")",
                "-compose", "screen", "-composite", "-draw", stars, self.sky])

        # The logo's layers.
        layers = p("title")
        subprocess.run(["bash", os.path.join(TOOLS, "title.sh"), p("title.png"), str(TITLE_POINTSIZE), layers],
                       check=True)
        self.glow = os.path.join(layers, "glow.png")
        self.edge = os.path.join(layers, "edge.png")
        self.fill = os.path.join(layers, "fill.png")
        self.tw, self.th = im_size(self.fill)
        self.tx = (WIDTH - self.tw) // 2
        self.ty = (HEIGHT - self.th) // 2 - 16
        pad = TITLE_POINTSIZE // 5           # title.sh's border round the letters
        self.line_y = self.ty + self.th - pad + 16

        # The wipe's front leans with the letters: ramp is 0 where the beam
        # enters (top left) and 1 where it leaves (bottom right); the front
        # at ramp = r runs through x + y * SLANT = r * span.
        self.span = self.tw + self.th * SLANT
        self.ramp = p("ramp.pgm")
        write_pgm16(self.ramp, self.tw, self.th, lambda x, y: (x + y * SLANT) / self.span)
        # The beam fades out above and below the logo.
        self.beam_top, self.beam_bottom = self.ty - 30, self.ty + self.th + 30
        mid = (self.beam_top + self.beam_bottom) / 2
        half = (self.beam_bottom - self.beam_top) / 2
        self.beam_profile = p("beam.pgm")
        write_pgm16(self.beam_profile, WIDTH, HEIGHT,
                    lambda x, y: max(0.0, 1 - ((y - mid) / half) ** 2) if abs(y - mid) < half else 0.0)
        # A 4 x 4 ordered dither, lined up with the coder's blocks: a smooth
        # area comes out as a fixed mix of two neighbouring palette colours
        # in each block, which a two-colour block codes exactly and which
        # stays put from frame to frame.
        self.bayer = p("bayer.pgm")
        write_pgm16(self.bayer, WIDTH, HEIGHT, lambda x, y: (BAYER4[y % 4][x % 4] + 0.5) / 16)
        # The horizon line is brightest in the middle.
        self.line_profile = p("line.pgm")
        write_pgm16(self.line_profile, WIDTH, 1, lambda x, y: max(0.0, 1 - ((x - WIDTH / 2) / 300) ** 2))

    def wipe_mask(self, progress):
        """Options that leave the wipe mask on the stack: 1 where the logo
        is uncovered at this progress (0..1), a soft edge, 0 beyond."""
        # mask = (p - ramp) / soft, clamped: negate, subtract (1 - p), scale
        p = progress * (1 + WIPE_SOFT)
        return ["(", self.ramp, "-negate", "-evaluate", "subtract", f"{(1 - p) * 100:.4f}%",
                "-evaluate", "multiply", f"{1 / WIPE_SOFT:.4f}", ")"]

    def frame_args(self, k):
        """ImageMagick options that draw frame k in RGB."""
        at = f"+{self.tx}+{self.ty}"
        args = ["-respect-parentheses", self.sky]
        fade = smooth(k / FADE_END)
        if fade < 1:
            args += ["-fill", "black", "-colorize", f"{(1 - fade) * 100:.4f}%"]

        wipe = (k - WIPE_START) / (WIPE_END - WIPE_START)
        if wipe > 0:
            if wipe < 1:
                mask = self.wipe_mask(wipe)
                glow_mask = self.wipe_mask(min(1.0, wipe + 0.04))
            else:
                mask = glow_mask = []
            # glow: flares over the beam's last frames, then settles
            if k <= GLOW_PEAK:
                glow = 1 + 0.6 * smooth((k - WIPE_END + 4) / (GLOW_PEAK - WIPE_END + 4))
            else:
                glow = 1 + 0.6 * (1 - smooth((k - GLOW_PEAK) / (GLOW_END - GLOW_PEAK)))
            args += ["(", self.glow, "-evaluate", "multiply", f"{glow:.4f}"]
            if glow_mask:
                args += glow_mask + ["-compose", "multiply", "-composite"]
            args += [")", "-geometry", at, "-compose", "screen", "-composite"]
            for layer in (self.edge, self.fill):
                args += ["(", layer]
                if mask:
                    args += ["(", "+clone", "-alpha", "extract"] + mask + \
                            ["-compose", "multiply", "-composite", ")",
                             "-alpha", "off", "-compose", "copyopacity", "-composite"]
                args += [")", "-geometry", at, "-compose", "over", "-composite"]

        # the glint: a soft white band leaning against the letters, only on them
        glint = (k - GLINT_START) / (GLINT_END - GLINT_START)
        if 0 < glint < 1:
            lean = self.th * 0.8
            g = -20 + (self.tw + lean + 40) * smooth(glint)
            band = f"polygon {g:.2f},0 {g + 16:.2f},0 {g + 16 - lean:.2f},{self.th} {g - lean:.2f},{self.th}"
            args += ["(", "-size", f"{self.tw}x{self.th}", "xc:black", "-fill", "#effeff", "-draw", band,
                     "-blur", "0x4",
                     "(", self.fill, "-alpha", "extract", ")", "-compose", "multiply", "-composite", ")",
                     "-geometry", at, "-compose", "screen", "-composite"]

        # the beam, upright but leaning with the letters, at the wipe's front
        if 0 < wipe < 1:
            strength = smooth(wipe / 0.12) * (1 - smooth((wipe - 0.85) / 0.15))
            front = wipe * (1 + WIPE_SOFT) * self.span
            # the front crosses the logo's bottom row at tx + front - (th - 1) *
            # SLANT and its top row at tx + front; the beam goes on past both
            x_top = self.tx + front
            x0 = x_top + (self.ty - self.beam_top) * SLANT
            x1 = x_top - (self.beam_bottom - self.ty) * SLANT
            line = f"line {x0:.2f},{self.beam_top} {x1:.2f},{self.beam_bottom}"
            args += ["(", "-size", f"{WIDTH}x{HEIGHT}", "xc:black", "-fill", "none",
                     "-stroke", "#12bedc", "-strokewidth", "10", "-draw", line, "-blur", "0x9",
                     "-stroke", "#b4f8ff", "-strokewidth", "2", "-draw", line,
                     "(", self.beam_profile, ")", "-compose", "multiply", "-composite",
                     "-evaluate", "multiply", f"{strength:.4f}", ")",
                     "-geometry", "+0+0", "-compose", "screen", "-composite"]

        # the horizon line under the logo, opening from the middle
        opening = ease_out((k - LINE_START) / (LINE_END - LINE_START))
        if opening > 0:
            half = 300 * opening
            y = self.line_y
            line = f"line {WIDTH / 2 - half:.2f},{y} {WIDTH / 2 + half:.2f},{y}"
            args += ["(", "-size", f"{WIDTH}x{HEIGHT}", "xc:black", "-fill", "none",
                     "-stroke", "#12bedc", "-strokewidth", "3", "-draw", line, "-blur", "0x3",
                     "-stroke", "#9ef4ff", "-strokewidth", "1", "-draw", line,
                     "(", self.line_profile, "-scale", f"{WIDTH}x{HEIGHT}!", ")",
                     "-compose", "multiply", "-composite", ")",
                     "-geometry", "+0+0", "-compose", "screen", "-composite"]

        # While the logo holds, two sparks run out along the horizon line and
        # fade, so every frame up to the last one shown differs a little from
        # the one before: the end of the video can be seen on the screen.
        if HOLD_FROM <= k < FRAMES - 1:
            t = (k - HOLD_FROM + 1) / (FRAMES - 1 - HOLD_FROM)
            y = self.line_y
            dots = " ".join(f"circle {x:.2f},{y} {x + 2.5:.2f},{y}"
                            for x in (WIDTH / 2 - 290 * t, WIDTH / 2 + 290 * t))
            args += ["(", "-size", f"{WIDTH}x{HEIGHT}", "xc:black", "-fill", "#effeff", "-draw", dots,
                     "-blur", "0x2", "-evaluate", "multiply", f"{1 - 0.6 * t:.4f}", ")",
                     "-geometry", "+0+0", "-compose", "screen", "-composite"]
        return args

    def draw(self, k):
        """Frame k mapped to the palette: HEIGHT rows of WIDTH palette
        indices, top row first."""
        out = os.path.join(self.work, "frame.rgb")
        amp = DITHER / 255
        run_im(self.frame_args(k) + ["-alpha", "off",
                                     self.bayer, "-define", f"compose:args=0,{amp:.6f},1,{-amp / 2:.6f}",
                                     "-compose", "mathematics", "-composite",
                                     "-dither", "None", "-remap", self.palette,
                                     "-depth", "8", "rgb:" + out])
        with open(out, "rb") as f:
            rgb = f.read()
        if len(rgb) != WIDTH * HEIGHT * 3:
            fail(f"frame {k}: ImageMagick wrote {len(rgb)} bytes")
        lut = PALETTE_INDEX
        try:
            return bytes(lut[rgb[i:i + 3]] for i in range(0, len(rgb), 3))
        except KeyError:
            fail(f"frame {k}: a colour is not in the palette")


PALETTE = palette()
PALETTE_INDEX = {bytes(c): i for i, c in enumerate(PALETTE)}


# --- MS Video 1, 8-bit --------------------------------------------------------
#
# The picture is coded in 4 x 4 blocks, bottom block row first, left to right,
# as a bottom-up DIB is stored. Inside a block, pixel k (0..15) is column k % 4
# of row k // 4 counted from the block's bottom row; bit k of a 16-bit flag
# word belongs to it. Every block starts with two bytes a, b (flags = b:a):
#   b in 0x84..0x87      skip ((b - 0x84) << 8 | a) blocks, this one included
#   b < 0x80             two colours c0 c1 follow; bit set -> c0, clear -> c1
#   b >= 0x90            eight colours follow, two per quarter (bottom-left,
#                        bottom-right, top-left, top-right); bits as above
#   otherwise            one colour: a
# So a two-colour block needs bit 15 clear and an eight-colour block bits 15
# and 12 set (b >= 0x90); the colours of a pair are ordered to make it so.

QUARTERS = ((0, 1, 4, 5), (2, 3, 6, 7), (8, 9, 12, 13), (10, 11, 14, 15))


def distance_table():
    table = [0] * 65536
    for a, (r1, g1, b1) in enumerate(PALETTE):
        for b, (r2, g2, b2) in enumerate(PALETTE):
            table[a * 256 + b] = (r1 - r2) ** 2 + (g1 - g2) ** 2 + (b1 - b2) ** 2
    return table


DIST = distance_table()


def best_pair(pixels, colours):
    """The pair of colours (from those given) that codes pixels with the
    least error: (error, a, b)."""
    best = None
    colours = sorted(colours)
    for i, a in enumerate(colours):
        ra = a * 256
        for b in colours[i + 1:]:
            rb = b * 256
            err = 0
            for t in pixels:
                da, db = DIST[ra + t], DIST[rb + t]
                err += da if da < db else db
            if best is None or err < best[0]:
                best = (err, a, b)
    return best


def nearest_of(t, a, b):
    return a if DIST[a * 256 + t] <= DIST[b * 256 + t] else b


def code_one(block):
    """Best single colour: (error, bytes, decoded)."""
    best = None
    for c in sorted(set(block)):
        rc = c * 256
        err = sum(DIST[rc + t] for t in block)
        if best is None or err < best[0]:
            best = (err, c)
    err, c = best
    return err, bytes((c, 0x80)), (c,) * 16


def code_two(block, colours):
    if len(colours) == 2:
        a, b = sorted(colours)
        err = 0
    else:
        err, a, b = best_pair(block, colours)
    decoded = tuple(nearest_of(t, a, b) for t in block)
    # bit 15 must come out clear: pixel 15 takes the second colour
    c1 = decoded[15]
    c0 = b if c1 == a else a
    flags = 0
    for k, c in enumerate(decoded):
        if c == c0:
            flags |= 1 << k
    return err, bytes((flags & 0xFF, flags >> 8, c0, c1)), decoded


def code_eight(block):
    decoded = [0] * 16
    pairs = []
    err = 0
    for q, ks in enumerate(QUARTERS):
        pixels = [block[k] for k in ks]
        colours = set(pixels)
        if len(colours) == 1:
            a = b = pixels[0]
        elif len(colours) == 2:
            a, b = sorted(colours)
        else:
            e, a, b = best_pair(pixels, colours)
            err += e
        for k in ks:
            decoded[k] = nearest_of(block[k], a, b)
        # bits 12 (top-left quarter) and 15 (top-right) must come out set:
        # that pixel takes the first colour of its pair
        lead = {2: 12, 3: 15}.get(q)
        if lead is not None and decoded[lead] != a:
            a, b = b, a
        pairs.append((a, b))
    flags = 0
    for q, ks in enumerate(QUARTERS):
        for k in ks:
            if decoded[k] == pairs[q][0]:
                flags |= 1 << k
    colours = bytes(c for pair in pairs for c in pair)
    return err, bytes((flags & 0xFF, flags >> 8)) + colours, tuple(decoded)


def code_block(block, shown, lam):
    """Chooses how to code one block: (data, decoded) where data is None for a
    skip. shown is what the player holds there now (None on a key frame)."""
    best = None
    if shown is not None:
        if block == shown:
            return None, shown
        errors = [DIST[s * 256 + t] for s, t in zip(shown, block)]
        # a skip may leave a block a little behind, never a pixel far off
        if max(errors) <= SKIP_PIXEL_MAX:
            best = (sum(errors), None, shown)
    colours = set(block)
    options = [code_one(block)]
    if len(colours) >= 2:
        options.append(code_two(block, colours))
        if len(colours) >= 3:
            options.append(code_eight(block))
    for err, data, decoded in options:
        cost = err + lam * len(data)
        if best is None or cost < best[0]:
            best = (cost, data, decoded)
    if best[2] == shown:
        return None, shown
    return best[1], best[2]


def dib_rows(frame):
    """Top-down rows of indices -> bottom-up (the DIB's order)."""
    return [frame[(HEIGHT - 1 - r) * WIDTH:(HEIGHT - r) * WIDTH] for r in range(HEIGHT)]


def encode_frame(frame, shown, key):
    """Codes one frame against what the player shows (a list of blocks, in
    coding order; replaced by what it shows afterwards). Returns the frame's
    data and whether every block is in it (a key frame)."""
    rows = dib_rows(frame)
    out = bytearray()
    skipped = 0

    def flush():
        nonlocal skipped
        while skipped:
            n = min(skipped, SKIP_MAX)
            out.extend((n & 0xFF, 0x84 + (n >> 8)))
            skipped -= n

    whole = True
    i = 0
    for by in range(HEIGHT // 4):
        r0, r1, r2, r3 = rows[by * 4:by * 4 + 4]
        for bx in range(0, WIDTH, 4):
            block = tuple(r0[bx:bx + 4]) + tuple(r1[bx:bx + 4]) + tuple(r2[bx:bx + 4]) + tuple(r3[bx:bx + 4])
            data, decoded = code_block(block, None if key else shown[i], LAMBDA)
            if data is None:
                skipped += 1
                whole = False
            else:
                flush()
                out += data
            shown[i] = decoded
            i += 1
    flush()
    return bytes(out), whole


def decode_frame(data, pixels):
    """Decodes one frame into pixels (a bottom-up DIB of indices, a
    bytearray, kept from the frame before). Returns whether every block was
    coded (no skips). Written from the format alone, to check the coder."""
    blocks_wide, blocks_high = WIDTH // 4, HEIGHT // 4
    pos = 0
    skip = 0
    whole = True
    for by in range(blocks_high):
        for bx in range(blocks_wide):
            if skip:
                skip -= 1
                continue
            if pos + 2 > len(data):
                raise ValueError("frame data ends early")
            a, b = data[pos], data[pos + 1]
            pos += 2
            if 0x84 <= b <= 0x87:
                skip = ((b - 0x84) << 8 | a) - 1
                if skip < 0:
                    raise ValueError("empty skip code")
                whole = False
                continue
            flags = b << 8 | a
            if b < 0x80:
                colours = data[pos:pos + 2] * 4
                pos += 2
            elif b >= 0x90:
                colours = data[pos:pos + 8]
                pos += 8
            else:
                colours = None
            if colours is not None and len(colours) != 8:
                raise ValueError("frame data ends early")
            for k in range(16):
                x, y = k % 4, k // 4
                if colours is None:
                    c = a
                else:
                    q = (y & 2) * 2 + (x & 2)
                    c = colours[q + (0 if flags >> k & 1 else 1)]
                pixels[(by * 4 + y) * WIDTH + bx * 4 + x] = c
    if skip:
        raise ValueError("a skip runs past the last block")
    if pos != len(data):
        raise ValueError(f"{len(data) - pos} bytes left after the last block")
    return whole


# --- the AVI file -------------------------------------------------------------

def chunk(fourcc, data):
    pad = b"\0" if len(data) % 2 else b""
    return fourcc + struct.pack("<I", len(data)) + data + pad


def riff_list(kind, fourcc, body):
    return kind + struct.pack("<I", len(body) + 4) + fourcc + body


def build_avi(frames, keys):
    biggest = max(len(f) for f in frames)
    usec = round(1000000 / FPS)
    avih = struct.pack("<14I", usec, biggest * FPS, 0, AVIF_HASINDEX, len(frames), 0, 1, biggest,
                       WIDTH, HEIGHT, 0, 0, 0, 0)
    strh = struct.pack("<4s4sIHHIIIIIIIIhhhh", b"vids", b"msvc", 0, 0, 0, 0, 1, FPS, 0, len(frames),
                       biggest, 0xFFFFFFFF, 0, 0, 0, WIDTH, HEIGHT)
    strf = struct.pack("<IiiHH4sIiiII", 40, WIDTH, HEIGHT, 1, 8, b"CRAM", WIDTH * HEIGHT, 0, 0, 256, 0) + \
        colour_table()
    hdrl = riff_list(b"LIST", b"hdrl", chunk(b"avih", avih) +
                     riff_list(b"LIST", b"strl", chunk(b"strh", strh) + chunk(b"strf", strf)))
    movi_body = b""
    index = b""
    for data, key in zip(frames, keys):
        offset = 4 + len(movi_body)      # from the 'movi' type word
        index += struct.pack("<4sIII", b"00dc", AVIIF_KEYFRAME if key else 0, offset, len(data))
        movi_body += chunk(b"00dc", data)
    body = hdrl + riff_list(b"LIST", b"movi", movi_body) + chunk(b"idx1", index)
    return riff_list(b"RIFF", b"AVI ", body)


def read_chunks(data, start, end, where):
    """The chunks between start and end: [(fourcc, list type or None,
    body start, body size)], checked for size and word alignment."""
    out = []
    pos = start
    while pos < end:
        if pos + 8 > end:
            raise ValueError(f"{where}: stray bytes at {pos}")
        fourcc, size = struct.unpack_from("<4sI", data, pos)
        body = pos + 8
        if body + size > end:
            raise ValueError(f"{where}: chunk {fourcc!r} at {pos} runs past its parent")
        kind = None
        if fourcc in (b"LIST", b"RIFF"):
            kind = data[body:body + 4]
            out.append((fourcc, kind, body + 4, size - 4))
        else:
            out.append((fourcc, None, body, size))
        pos = body + size + (size & 1)
    if pos != end:
        raise ValueError(f"{where}: padding runs past the end")
    return out


def check_avi(data, want_frames):
    """Reads the file back as a player would and checks everything that was
    meant to be written. Returns the decoded frames (top-down indices)."""
    if data[:4] != b"RIFF" or data[8:12] != b"AVI ":
        raise ValueError("not a RIFF AVI file")
    if struct.unpack_from("<I", data, 4)[0] != len(data) - 8:
        raise ValueError("RIFF size does not match the file")
    top = read_chunks(data, 12, len(data), "RIFF")
    names = [(f, k) for f, k, _, _ in top]
    if names != [(b"LIST", b"hdrl"), (b"LIST", b"movi"), (b"idx1", None)]:
        raise ValueError(f"top-level chunks are {names}")
    _, _, hdrl_at, hdrl_size = top[0]
    hdrl = read_chunks(data, hdrl_at, hdrl_at + hdrl_size, "hdrl")
    if [(f, k) for f, k, _, _ in hdrl] != [(b"avih", None), (b"LIST", b"strl")]:
        raise ValueError("hdrl holds other than avih and one strl")
    _, _, at, size = hdrl[0]
    if size != 56:
        raise ValueError(f"avih is {size} bytes")
    (usec, _, _, flags, total, initial, streams, suggested, width, height) = struct.unpack_from("<10I", data, at)
    if usec != round(1000000 / FPS) or total != want_frames or initial != 0 or streams != 1 \
            or not flags & AVIF_HASINDEX or (width, height) != (WIDTH, HEIGHT):
        raise ValueError("avih fields")
    strl = read_chunks(data, hdrl[1][2], hdrl[1][2] + hdrl[1][3], "strl")
    if [f for f, _, _, _ in strl] != [b"strh", b"strf"]:
        raise ValueError("strl holds other than strh and strf")
    _, _, at, size = strl[0]
    if size != 56:
        raise ValueError(f"strh is {size} bytes")
    (kind, handler, _, _, _, _, scale, rate, start, length, stream_buffer) = struct.unpack_from(
        "<4s4sIHHIIIIII", data, at)
    if kind != b"vids" or handler.lower() not in (b"msvc", b"cram") or rate / scale != FPS or start != 0 \
            or length != want_frames:
        raise ValueError("strh fields")
    _, _, at, size = strl[1]
    if size != 40 + 1024:
        raise ValueError(f"strf is {size} bytes")
    (bi_size, bi_w, bi_h, planes, bits, compression, _, _, _, used, _) = struct.unpack_from(
        "<IiiHH4sIiiII", data, at)
    if (bi_size, bi_w, bi_h, planes, bits, compression, used) != (40, WIDTH, HEIGHT, 1, 8, b"CRAM", 256):
        raise ValueError("strf is not an 8-bit CRAM header with 256 colours")
    if data[at + 40:at + 40 + 1024] != colour_table():
        raise ValueError("the colour table differs from the game palette")

    _, _, movi_at, movi_size = top[1]
    movi = read_chunks(data, movi_at, movi_at + movi_size, "movi")
    if len(movi) != want_frames or any(f != b"00dc" for f, _, _, _ in movi):
        raise ValueError(f"movi holds {len(movi)} chunks, not {want_frames} frames")
    biggest = max(size for _, _, _, size in movi)
    if suggested < biggest or stream_buffer < biggest:
        raise ValueError("suggested buffer size is smaller than a frame")

    _, _, idx_at, idx_size = top[2]
    if idx_size != 16 * want_frames:
        raise ValueError("idx1 does not have one entry a frame")
    pixels = bytearray(WIDTH * HEIGHT)
    decoded = []
    for n, (_, _, at, size) in enumerate(movi):
        ckid, flags, offset, length = struct.unpack_from("<4sIII", data, idx_at + 16 * n)
        # offsets count from the 'movi' type word
        if ckid != b"00dc" or length != size or movi_at - 4 + offset != at - 8:
            raise ValueError(f"idx1 entry {n} does not point at frame {n}")
        try:
            whole = decode_frame(data[at:at + size], pixels)
        except ValueError as e:
            raise ValueError(f"frame {n}: {e}")
        if n == 0 and not whole:
            raise ValueError("the first frame is not whole")
        if bool(flags & AVIIF_KEYFRAME) != whole:
            raise ValueError(f"frame {n}: key frame flag {bool(flags & AVIIF_KEYFRAME)}, whole {whole}")
        decoded.append(b"".join(bytes(pixels[(HEIGHT - 1 - r) * WIDTH:(HEIGHT - r) * WIDTH])
                                for r in range(HEIGHT)))
    return decoded


# --- previews -----------------------------------------------------------------

def write_png(path, frame, scale=None):
    ppm = b"P6\n%d %d\n255\n" % (WIDTH, HEIGHT) + b"".join(bytes(PALETTE[i]) for i in frame)
    args = [IM, "ppm:-"]
    if scale:
        args += ["-filter", "point", "-resize", f"{scale}!"]
    subprocess.run(args + [path], input=ppm, check=True)


def write_previews(directory, frames):
    os.makedirs(directory, exist_ok=True)
    picks = sorted(set(list(range(0, FRAMES, 4)) + [FRAMES - 2, FRAMES - 1]))
    for n in picks:
        write_png(os.path.join(directory, f"frame{n:02d}.png"), frames[n])
    # the last frame as the launcher shows it on a 1024 x 768 screen
    write_png(os.path.join(directory, "last-1024x768.png"), frames[-1], "1024x768")
    # every frame, small, in rows of nine
    with tempfile.TemporaryDirectory() as work:
        tiles = []
        for n, frame in enumerate(frames):
            tile = os.path.join(work, f"{n:02d}.png")
            write_png(tile, frame, "160x120")
            tiles.append(tile)
        rows = []
        for r in range(0, len(tiles), 9):
            row = os.path.join(work, f"row{r}.png")
            run_im(["-background", "#202020"] + tiles[r:r + 9] + ["-splice", "4x0", "+append", "-splice", "0x4", row])
            rows.append(row)
        run_im(["-background", "#202020"] + rows + ["-append", os.path.join(directory, "sheet.png")])
    print(f"make_intro: previews in {directory}")


# --- main ---------------------------------------------------------------------

def have_tools():
    return os.access(IM, os.X_OK) and os.path.isfile(FONT_TITLE)


def check_file(path):
    """Reads a written video back and checks it: its structure (check_avi),
    a black first frame, and the finished logo from HOLD_FROM to the end with
    only the sparks moving (the last frame, which players do not show,
    repeats the one before).
    Returns the decoded frames."""
    with open(path, "rb") as f:
        data = f.read()
    try:
        decoded = check_avi(data, FRAMES)
    except ValueError as e:
        fail(f"{path}: {e}")
    if any(decoded[0]):
        fail(f"{path}: the first frame is not black")
    # From HOLD_FROM on only the sparks move: every frame differs from the one
    # before (the last, never shown, repeats the one before it), and only in
    # a thin band of rows along the horizon line.
    rows = set()
    for k in range(HOLD_FROM, FRAMES):
        before, now = decoded[k - 1], decoded[k]
        changed = {i // WIDTH for i in range(WIDTH * HEIGHT) if before[i] != now[i]}
        if (not changed) != (k == FRAMES - 1):
            fail(f"{path}: frame {k} should {'repeat' if k == FRAMES - 1 else 'differ from'} the one before")
        if k > HOLD_FROM:
            rows |= changed
    if rows and max(rows) - min(rows) > 24:
        fail(f"{path}: the logo does not hold still from frame {HOLD_FROM} on (rows {min(rows)}..{max(rows)} change)")
    return decoded


def summary(path):
    return (f"{path}: {os.path.getsize(path)} bytes, {FRAMES} frames at {FPS} fps, "
            f"{WIDTH}x{HEIGHT} MS Video 1 8-bit")


def main():
    parser = argparse.ArgumentParser(description="Draws the launcher's intro video.")
    parser.add_argument("--out", default=os.path.join(ROOT, "data", "logo.avi"),
                        help="where to write the video (default: data/logo.avi)")
    parser.add_argument("--preview", metavar="DIR", help="also write PNG previews there")
    parser.add_argument("--check", action="store_true",
                        help="only read the video at --out back and check it")
    options = parser.parse_args()

    if options.check:
        decoded = check_file(options.out)
        print(f"make_intro: {summary(options.out)}: checked")
        if options.preview:
            write_previews(options.preview, decoded)
        return

    if not have_tools():
        subprocess.run(["bash", os.path.join(ROOT, "scripts", "setup.sh")], check=True)
        if not have_tools():
            fail("ImageMagick or the DejaVu fonts are missing")
    # One thread and the C locale keep ImageMagick's output the same run to run.
    os.environ["MAGICK_THREAD_LIMIT"] = "1"
    os.environ["LC_ALL"] = "C"

    with tempfile.TemporaryDirectory() as work:
        scene = Scene(work)
        shown = [None] * ((WIDTH // 4) * (HEIGHT // 4))
        coded, keys, targets = [], [], []
        for k in range(FRAMES):
            # the player never shows the last frame: it repeats the one before
            target = targets[-1] if k == FRAMES - 1 else scene.draw(k)
            data, whole = encode_frame(target, shown, k == 0)
            coded.append(data)
            keys.append(whole)
            targets.append(target)

    os.makedirs(os.path.dirname(os.path.abspath(options.out)), exist_ok=True)
    written = options.out + "~"
    with open(written, "wb") as f:
        f.write(build_avi(coded, keys))
    decoded = check_file(written)
    # every decoded frame must be close to its drawing
    worst = max(sum(DIST[a * 256 + b] for a, b in zip(want, got)) for want, got in zip(targets, decoded))
    psnr = 10 * math.log10(3 * 255 ** 2 * WIDTH * HEIGHT / worst) if worst else float("inf")
    if psnr < MIN_PSNR:
        fail(f"a frame decodes {psnr:.1f} dB from its drawing, less than {MIN_PSNR} dB")
    os.replace(written, options.out)
    print(f"make_intro: {summary(options.out)}; worst frame {psnr:.1f} dB from its drawing")

    if options.preview:
        write_previews(options.preview, decoded)


if __name__ == "__main__":
    main()
