#!/usr/bin/env python3
"""Draws the built-in skin images (arrows, buttons, indicators, logos) as PNG files.

Standard library only. Run from anywhere; writes into src/skins/images/ beside this
tools folder unless another output folder is given:

    python3 tools/gen_skin_images.py [output-folder]

Every theme folder (Light, Dark) gets the same set of images drawn in the theme's
foreground colour; every accent folder gets the down arrow and the "muted" speaker
drawn in the accent colour. The output is deterministic, so re-running it leaves the
committed files unchanged.
"""

import math
import os
import struct
import sys
import zlib

SUPERSAMPLE = 4  # sub-pixel samples per axis, for soft edges

THEMES = {
    # name: (foreground, muted foreground)
    "Light": ((0x23, 0x1F, 0x20), (0xA8, 0xAA, 0xAD)),
    "Dark": ((0xFF, 0xFF, 0xFF), (0xA8, 0xAA, 0xAD)),
}

ACCENTS = {
    "Black": (0x00, 0x00, 0x00),
    "Blue": (0x1D, 0x98, 0xD5),
    "Green": (0x8B, 0xC3, 0x4A),
    "Pink": (0xE9, 0x1E, 0x63),
    "Red": (0xD3, 0x2F, 0x2F),
    "White": (0xFA, 0xFA, 0xFA),
    "Yellow": (0xFF, 0xC1, 0x07),
}

RED = (0xD3, 0x2F, 0x2F)
YELLOW = (0xFF, 0xC1, 0x07)
GREEN = (0x4C, 0xAF, 0x50)


# ---------------------------------------------------------------- PNG output

def png_bytes(width, height, pixels):
    """pixels: list of rows, each a list of (r, g, b, a) tuples."""
    raw = bytearray()
    for row in pixels:
        raw.append(0)  # filter type: none
        for r, g, b, a in row:
            raw += bytes((r, g, b, a))

    def chunk(tag, data):
        body = tag + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)  # 8-bit RGBA
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
            + chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b""))


# ------------------------------------------------------------- drawing model

class Canvas:
    def __init__(self, width, height):
        self.width = width
        self.height = height
        self.pixels = [[(0, 0, 0, 0) for _ in range(width)] for _ in range(height)]

    def fill(self, inside, colour, alpha=255, bounds=None):
        """Paints every pixel by the share of its sub-samples for which inside(x, y) holds."""
        x0, y0, x1, y1 = bounds if bounds else (0, 0, self.width, self.height)
        x0, y0 = max(0, int(x0) - 1), max(0, int(y0) - 1)
        x1, y1 = min(self.width, int(math.ceil(x1)) + 1), min(self.height, int(math.ceil(y1)) + 1)
        n = SUPERSAMPLE
        for py in range(y0, y1):
            for px in range(x0, x1):
                hits = 0
                for sy in range(n):
                    for sx in range(n):
                        if inside(px + (sx + 0.5) / n, py + (sy + 0.5) / n):
                            hits += 1
                if hits:
                    self._blend(px, py, colour, alpha * hits / (n * n))

    def _blend(self, x, y, colour, alpha):
        r0, g0, b0, a0 = self.pixels[y][x]
        a = alpha / 255.0
        b = a0 / 255.0
        out = a + b * (1 - a)
        if out <= 0:
            return
        mix = [(c * a + d * b * (1 - a)) / out for c, d in zip(colour, (r0, g0, b0))]
        self.pixels[y][x] = tuple(int(round(v)) for v in mix) + (int(round(out * 255)),)

    # shapes -------------------------------------------------------------

    def polygon(self, points, colour, alpha=255):
        xs = [p[0] for p in points]
        ys = [p[1] for p in points]

        def inside(x, y):
            hit = False
            j = len(points) - 1
            for i in range(len(points)):
                xi, yi = points[i]
                xj, yj = points[j]
                if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
                    hit = not hit
                j = i
            return hit

        self.fill(inside, colour, alpha, (min(xs), min(ys), max(xs), max(ys)))

    def circle(self, cx, cy, radius, colour, alpha=255):
        self.fill(lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= radius * radius, colour, alpha,
                  (cx - radius, cy - radius, cx + radius, cy + radius))

    def ring(self, cx, cy, radius, width, colour, alpha=255):
        inner = radius - width

        def inside(x, y):
            d = (x - cx) ** 2 + (y - cy) ** 2
            return inner * inner <= d <= radius * radius

        self.fill(inside, colour, alpha, (cx - radius, cy - radius, cx + radius, cy + radius))

    def rect(self, x0, y0, x1, y1, colour, alpha=255):
        self.fill(lambda x, y: x0 <= x <= x1 and y0 <= y <= y1, colour, alpha, (x0, y0, x1, y1))

    def rounded_rect(self, x0, y0, x1, y1, radius, colour, alpha=255):
        def inside(x, y):
            if not (x0 <= x <= x1 and y0 <= y <= y1):
                return False
            cx = min(max(x, x0 + radius), x1 - radius)
            cy = min(max(y, y0 + radius), y1 - radius)
            return (x - cx) ** 2 + (y - cy) ** 2 <= radius * radius

        self.fill(inside, colour, alpha, (x0, y0, x1, y1))

    def line(self, ax, ay, bx, by, width, colour, alpha=255):
        half = width / 2.0
        dx, dy = bx - ax, by - ay
        length2 = dx * dx + dy * dy or 1e-9

        def inside(x, y):
            t = max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / length2))
            qx, qy = ax + t * dx, ay + t * dy
            return (x - qx) ** 2 + (y - qy) ** 2 <= half * half

        self.fill(inside, colour, alpha,
                  (min(ax, bx) - half, min(ay, by) - half, max(ax, bx) + half, max(ay, by) + half))

    def text(self, x, y, word, scale, colour):
        """Block letters from the small font below; returns the x after the last letter."""
        for letter in word:
            rows = FONT[letter]
            for r, bits in enumerate(rows):
                for c, bit in enumerate(bits):
                    if bit == "#":
                        self.rect(x + c * scale, y + r * scale,
                                  x + (c + 1) * scale - 0.01, y + (r + 1) * scale - 0.01, colour)
            x += (len(rows[0]) + 1) * scale
        return x


FONT = {
    "A": [".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"],
    "H": ["#...#", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"],
    "L": ["#....", "#....", "#....", "#....", "#....", "#....", "#####"],
    "M": ["#...#", "##.##", "#.#.#", "#.#.#", "#...#", "#...#", "#...#"],
    "O": [".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."],
    "R": ["####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"],
    "V": ["#...#", "#...#", "#...#", "#...#", "#...#", ".#.#.", "..#.."],
}


# ------------------------------------------------------------------- images

def chevron(size, direction, colour):
    c = Canvas(size, size)
    m = size / 2.0
    w = size * 0.12
    a = size * 0.22
    if direction == "right":
        c.line(m - a / 1.6, m - a * 1.4, m + a, m, w, colour)
        c.line(m + a, m, m - a / 1.6, m + a * 1.4, w, colour)
    elif direction == "left":
        c.line(m + a / 1.6, m - a * 1.4, m - a, m, w, colour)
        c.line(m - a, m, m + a / 1.6, m + a * 1.4, w, colour)
    else:  # down
        c.line(m - a * 1.4, m - a / 1.6, m, m + a, w, colour)
        c.line(m, m + a, m + a * 1.4, m - a / 1.6, w, colour)
    return c


def menu(size, colour):
    c = Canvas(size, size)
    bar = size * 0.1
    for k in (-1, 0, 1):
        y = size / 2.0 + k * size * 0.22
        c.rounded_rect(size * 0.18, y - bar / 2, size * 0.82, y + bar / 2, bar / 2, colour)
    return c


def indicator(size, lamp, rim):
    c = Canvas(size, size)
    m = size / 2.0
    c.circle(m, m, size * 0.44, rim)
    c.circle(m, m, size * 0.36, lamp)
    c.circle(m - size * 0.1, m - size * 0.1, size * 0.09, (255, 255, 255), 110)
    return c


def speaker(size, colour, crossed):
    c = Canvas(size, size)
    s = size / 64.0
    c.polygon([(10 * s, 24 * s), (20 * s, 24 * s), (32 * s, 12 * s), (32 * s, 52 * s),
               (20 * s, 40 * s), (10 * s, 40 * s)], colour)
    if crossed:
        c.line(40 * s, 24 * s, 54 * s, 40 * s, 4.5 * s, colour)
        c.line(54 * s, 24 * s, 40 * s, 40 * s, 4.5 * s, colour)
    else:
        c.line(40 * s, 26 * s, 44 * s, 32 * s, 4 * s, colour)
        c.line(44 * s, 32 * s, 40 * s, 38 * s, 4 * s, colour)
        c.line(47 * s, 19 * s, 54 * s, 32 * s, 4 * s, colour)
        c.line(54 * s, 32 * s, 47 * s, 45 * s, 4 * s, colour)
    return c


def all_button(size, colour, checked):
    c = Canvas(size, size)
    s = size / 64.0
    c.rounded_rect(8 * s, 8 * s, 56 * s, 56 * s, 8 * s, colour)
    inner = Canvas(size, size)
    if checked:
        inner.line(20 * s, 33 * s, 29 * s, 42 * s, 6 * s, (255, 255, 255))
        inner.line(29 * s, 42 * s, 45 * s, 23 * s, 6 * s, (255, 255, 255))
    else:
        inner.line(22 * s, 22 * s, 42 * s, 42 * s, 6 * s, (255, 255, 255))
        inner.line(42 * s, 22 * s, 22 * s, 42 * s, 6 * s, (255, 255, 255))
    # the mark is cut out of the filled square
    for y in range(size):
        for x in range(size):
            a = inner.pixels[y][x][3]
            if a:
                r, g, b, a0 = c.pixels[y][x]
                c.pixels[y][x] = (r, g, b, int(round(a0 * (1 - a / 255.0))))
    return c


def logo(word, colour, accent):
    scale = 4
    letters = len(word)
    width = 16 + letters * 6 * scale + 8
    height = 7 * scale + 16
    c = Canvas(width, height)
    c.rounded_rect(2, height - 6, width - 3, height - 3, 1.5, accent)
    c.text(10, 5, word, scale, colour)
    return c


def theme_images(fg, muted):
    return {
        "arrow_right.png": chevron(48, "right", fg),
        "arrow_left.png": chevron(48, "left", fg),
        "menu.png": menu(48, fg),
        "indicator_red.png": indicator(32, RED, muted),
        "indicator_ylw.png": indicator(32, YELLOW, muted),
        "indicator_grn.png": indicator(32, GREEN, muted),
        "mute_off.png": speaker(64, fg, crossed=False),
        "logo_harlo.png": logo("HARLO", fg, muted),
        "logo_vmr.png": logo("VMR", fg, muted),
        "setAll.png": all_button(64, fg, checked=True),
        "resetAll.png": all_button(64, fg, checked=False),
    }


def accent_images(colour):
    return {
        "arrow_down.png": chevron(48, "down", colour),
        "mute_on.png": speaker(64, colour, crossed=True),
    }


def write(folder, images):
    os.makedirs(folder, exist_ok=True)
    for name, canvas in sorted(images.items()):
        path = os.path.join(folder, name)
        with open(path, "wb") as f:
            f.write(png_bytes(canvas.width, canvas.height, canvas.pixels))
        print(path)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "src", "skins", "images")
    out = os.path.normpath(out)
    for theme, (fg, muted) in THEMES.items():
        write(os.path.join(out, theme), theme_images(fg, muted))
    for accent, colour in ACCENTS.items():
        write(os.path.join(out, "Accent", accent), accent_images(colour))
    return 0


if __name__ == "__main__":
    sys.exit(main())
