"""What the art generators share: the game's 256-entry palette and the fixed
pattern generators (star fields, nebula blobs).

Used by tools/make_art.sh (through its helper) and tools/make_intro.py, so
the pictures, the button faces and the intro video carry the same colours in
the same order. Standard library only; nothing here depends on the time or an
unseeded generator.
"""

# The 20 colours Windows keeps in every palette, at their usual places.
STATIC_LOW = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128),
              (128, 0, 128), (0, 128, 128), (192, 192, 192), (192, 220, 192),
              (166, 202, 240)]
STATIC_HIGH = [(255, 251, 240), (160, 160, 164), (128, 128, 128), (255, 0, 0),
               (0, 255, 0), (255, 255, 0), (0, 0, 255), (255, 0, 255),
               (0, 255, 255), (255, 255, 255)]

# Theme ramps, each (entries, anchor colours from dark to light). Together
# they fill entries 10..245.
RAMPS = [
    (56, ["#02050c", "#07122a", "#0f2348", "#1c3a68", "#33588c", "#5f86b8",
          "#a4c2e4", "#e2eefa"]),                                    # navy
    (36, ["#0b0f15", "#1a222e", "#2f3b4c", "#4e5d72", "#7a8aa0", "#b2bfcf",
          "#eef2f7"]),                                               # steel
    (40, ["#00141b", "#003f52", "#00809c", "#12bedc", "#4fe6ff", "#b4f8ff",
          "#effeff"]),                                               # cyan
    (20, ["#06213a", "#0b4266", "#176e98", "#2f9cc4", "#78c8e4"]),   # sea
    (36, ["#180c02", "#432405", "#7d4808", "#c07c0c", "#f4a41a", "#ffc752",
          "#ffe6a6", "#fff7e0"]),                                    # amber
    (20, ["#1c1c1c", "#f2f2f2"]),                                    # grey
    (14, ["#2a0404", "#6e0c0c", "#bc1a1a", "#f44444", "#ffa8a8"]),   # red
    (14, ["#032808", "#0a6418", "#18aa30", "#4cdc5c", "#bdfcc4"]),   # green
]


def hex_rgb(h):
    return tuple(int(h[i:i + 2], 16) for i in (1, 3, 5))


def ramp(count, anchors):
    cols = [hex_rgb(a) for a in anchors]
    out = []
    for i in range(count):
        t = i / (count - 1) * (len(cols) - 1)
        k = min(int(t), len(cols) - 2)
        f = t - k
        a, b = cols[k], cols[k + 1]
        out.append(tuple(round(a[j] + (b[j] - a[j]) * f) for j in range(3)))
    return out


def palette():
    """The 256 (r, g, b) entries in palette order."""
    theme = []
    for count, anchors in RAMPS:
        theme += ramp(count, anchors)
    assert len(theme) == 236, len(theme)
    pal = STATIC_LOW + theme + STATIC_HIGH
    # -remap needs every entry to be distinct; nudge a repeat by one step.
    seen = set()
    for i, c in enumerate(pal):
        while c in seen:
            c = (c[0], c[1], min(255, c[2] + 1) if c[2] < 255 else c[2] - 1)
        seen.add(c)
        pal[i] = c
    return pal


def palette_ppm():
    """The palette as a 256 x 1 binary PPM, the map for ImageMagick -remap."""
    return b"P6\n256 1\n255\n" + bytes(v for c in palette() for v in c)


def colour_table():
    """The palette as a DIB colour table: 256 RGBQUADs (blue, green, red, 0)."""
    return b"".join(bytes((b, g, r, 0)) for r, g, b in palette())


class Lcg:
    """Small fixed generator so scatter patterns never change between runs."""

    def __init__(self, seed):
        self.s = seed & 0xFFFFFFFF

    def next(self):
        self.s = (self.s * 1664525 + 1013904223) & 0xFFFFFFFF
        return self.s / 4294967296.0


def stars_mvg(width, height, count, seed, ymax=None):
    """MVG of a star field: faint dots, a few bright ones with a glint."""
    ymax = ymax if ymax else height
    rnd = Lcg(seed)
    lines = []
    for _ in range(count):
        x = int(rnd.next() * width)
        y = int(rnd.next() * ymax)
        m = rnd.next()
        tint = rnd.next()
        v = int(70 + 185 * m ** 3)
        r, g, b = (v, v, min(255, v + 30)) if tint < 0.7 else (min(255, v + 25), v, v - 20 if v > 20 else 0)
        lines.append(f"fill rgb({r},{g},{b}) point {x},{y}")
        if m > 0.93:
            c = f"rgba({r},{g},{b},0.45)"
            lines.append(f"fill {c} point {x - 1},{y} point {x + 1},{y} point {x},{y - 1} point {x},{y + 1}")
    return "\n".join(lines) + "\n"


def blobs_mvg(x0, y0, x1, y1, count, rmin, rmax, seed, colours):
    """MVG of soft round blobs (blurred afterwards into nebula clouds)."""
    rnd = Lcg(seed)
    lines = ["stroke none"]
    for _ in range(count):
        x = x0 + rnd.next() * (x1 - x0)
        y = y0 + rnd.next() * (y1 - y0)
        r = rmin + (rmax - rmin) * rnd.next() ** 2
        c = colours[int(rnd.next() * len(colours)) % len(colours)]
        lines.append(f"fill {c} circle {x:.1f},{y:.1f} {x + r:.1f},{y:.1f}")
    return "\n".join(lines) + "\n"
