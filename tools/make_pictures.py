#!/usr/bin/env python3
"""Draws the program's pictures and icons and writes them as BMP files.

Everything here is drawn from simple shapes and a small blocky pixel font, so
the pictures can be regenerated exactly. Usage: make_pictures.py [OUTPUT_DIR]
(default: res/pictures next to this script's folder).
"""

import math
import os
import struct
import sys

WHITE = (255, 255, 255)
INK = (24, 38, 82)        # dark navy: the drawing colour of the marks
ACCENT = (190, 40, 36)    # brick red: the wing of the brand mark
TEXT = (20, 20, 24)


class Canvas:
    def __init__(self, width, height, fill=WHITE):
        self.width = width
        self.height = height
        self.pixels = [[fill] * width for _ in range(height)]

    def set(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.pixels[y][x] = colour

    def rect(self, x, y, w, h, colour):
        for yy in range(y, y + h):
            for xx in range(x, x + w):
                self.set(xx, yy, colour)

    def shade(self, x0, y0, w, h, colour_at, samples=3):
        """Fills a box from colour_at(u, v) (u, v in 0..1 over the box, None
        for background), averaging samples x samples points per pixel so that
        curved edges come out smooth on screen."""
        for py in range(h):
            for px in range(w):
                acc = [0, 0, 0]
                hit = False
                for sy in range(samples):
                    for sx in range(samples):
                        u = (px + (sx + 0.5) / samples) / w
                        v = (py + (sy + 0.5) / samples) / h
                        c = colour_at(u, v)
                        if c is None:
                            c = self.pixels[y0 + py][x0 + px] if 0 <= y0 + py < self.height and 0 <= x0 + px < self.width else WHITE
                        else:
                            hit = True
                        for i in range(3):
                            acc[i] += c[i]
                if hit:
                    n = samples * samples
                    self.set(x0 + px, y0 + py, tuple(round(a / n) for a in acc))


def inside_polygon(u, v, points):
    inside = False
    j = len(points) - 1
    for i in range(len(points)):
        xi, yi = points[i]
        xj, yj = points[j]
        if (yi > v) != (yj > v) and u < (xj - xi) * (v - yi) / (yj - yi) + xi:
            inside = not inside
        j = i
    return inside


def brand_mark(u, v):
    """The Tarnwick mark: a ring around a bold T with a wing across it."""
    r = math.hypot(u - 0.5, v - 0.5)
    if 0.40 <= r <= 0.48:
        return INK
    if r > 0.48:
        return None
    wing = [(0.30, 0.62), (0.80, 0.33), (0.70, 0.47), (0.42, 0.63)]
    if inside_polygon(u, v, wing):
        return ACCENT
    if 0.24 <= u <= 0.76 and 0.25 <= v <= 0.35:
        return INK
    if 0.44 <= u <= 0.56 and 0.25 <= v <= 0.78:
        return INK
    return None


def ce_mark(u, v):
    """C and E drawn on circles as the conformity mark is: the C a ring open
    to the right, the E a half ring with straight arms and a shorter middle
    bar. Works in the pixels of a 48 x 37 box."""
    x, y = u * 48, v * 37
    cy, outer, inner = 18.5, 17.5, 12.0
    r = math.hypot(x - 18, y - cy)
    if inner <= r <= outer and x <= 18 + 6:
        return INK
    ex = 42
    r = math.hypot(x - ex, y - cy)
    if x <= ex and inner <= r <= outer:
        return INK
    if ex < x <= 47.5 and (cy - outer <= y <= cy - inner or cy + inner <= y <= cy + outer):
        return INK
    if 31 <= x <= 45 and abs(y - cy) <= 2.6:
        return INK
    return None


# A 5 x 7 pixel font, drawn for the brand picture: '#' is ink.
FONT = {
    'A': [" ### ", "#   #", "#   #", "#####", "#   #", "#   #", "#   #"],
    'E': ["#####", "#    ", "#    ", "#### ", "#    ", "#    ", "#####"],
    'H': ["#   #", "#   #", "#   #", "#####", "#   #", "#   #", "#   #"],
    'I': ["#####", "  #  ", "  #  ", "  #  ", "  #  ", "  #  ", "#####"],
    'L': ["#    ", "#    ", "#    ", "#    ", "#    ", "#    ", "#####"],
    'N': ["#   #", "##  #", "# # #", "#  ##", "#   #", "#   #", "#   #"],
    'P': ["#### ", "#   #", "#   #", "#### ", "#    ", "#    ", "#    "],
    'R': ["#### ", "#   #", "#   #", "#### ", "# #  ", "#  # ", "#   #"],
    'S': [" ####", "#    ", "#    ", " ### ", "    #", "    #", "#### "],
    'T': ["#####", "  #  ", "  #  ", "  #  ", "  #  ", "  #  ", "  #  "],
    'F': ["#####", "#    ", "#    ", "#### ", "#    ", "#    ", "#    "],
    'C': [" ####", "#    ", "#    ", "#    ", "#    ", "#    ", " ####"],
    'a': ["     ", "     ", " ### ", "    #", " ####", "#   #", " ####"],
    'c': ["     ", "     ", " ####", "#    ", "#    ", "#    ", " ####"],
    'i': ["  #  ", "     ", " ##  ", "  #  ", "  #  ", "  #  ", " ### "],
    'k': ["#    ", "#    ", "#  # ", "# #  ", "##   ", "# #  ", "#  # "],
    'n': ["     ", "     ", "#### ", "#   #", "#   #", "#   #", "#   #"],
    'r': ["     ", "     ", "# ## ", "##  #", "#    ", "#    ", "#    "],
    'w': ["     ", "     ", "#   #", "#   #", "# # #", "# # #", " # # "],
    ' ': ["     "] * 7,
}


def text_width(text, scale, gap):
    return len(text) * 5 * scale + (len(text) - 1) * gap


def draw_text(canvas, x, y, text, scale, gap, colour):
    for ch in text:
        for row, bits in enumerate(FONT[ch]):
            for col, bit in enumerate(bits):
                if bit == '#':
                    canvas.rect(x + col * scale, y + row * scale, scale, scale, colour)
        x += 5 * scale + gap


def brand_picture():
    c = Canvas(229, 120)
    c.shade(4, 4, 76, 76, brand_mark)
    draw_text(c, 85, 12, "Tarnwick", 3, 3, TEXT)
    # The word mark: the trade name reversed out of a bar under the name.
    c.rect(85, 44, 141, 24, INK)
    word = "PRINTERS"
    draw_text(c, 85 + (141 - text_width(word, 2, 2)) // 2, 49, word, 2, 2, WHITE)
    # The slogan under a thin rule.
    c.rect(4, 88, 221, 2, INK)
    slogan = "PRINTS THAT LAST"
    draw_text(c, (229 - text_width(slogan, 2, 2)) // 2, 96, slogan, 2, 2, TEXT)
    return c


def mark_picture(size):
    c = Canvas(size, size)
    c.shade(0, 0, size, size, brand_mark)
    return c


def ce_picture():
    c = Canvas(50, 39)
    c.shade(1, 1, 48, 37, ce_mark)
    return c


def fcc_picture():
    c = Canvas(50, 43)
    c.rect(1, 1, 48, 41, INK)
    c.rect(4, 4, 42, 35, WHITE)
    draw_text(c, 8, 11, "FCC", 2, 2, INK)
    c.rect(8, 30, 34, 2, INK)
    return c


def background():
    """A calm light gradient with a faint diagonal weave, in 64 palette shades."""
    palette = []
    for i in range(256):
        t = min(i, 63) / 63
        palette.append((round(250 - 18 * t), round(251 - 12 * t), round(253 - 4 * t)))
    rows = []
    for y in range(500):
        row = []
        for x in range(500):
            level = (x + y) * 48 // 1000
            if (x + y) % 24 == 0 or (x - y) % 24 == 0:
                level += 4
            row.append(min(level, 63))
        rows.append(row)
    return palette, rows


def write_bmp24(path, canvas):
    stride = (canvas.width * 3 + 3) // 4 * 4
    data = bytearray()
    for y in range(canvas.height - 1, -1, -1):
        row = bytearray()
        for (r, g, b) in canvas.pixels[y]:
            row += bytes((b, g, r))
        row += bytes(stride - len(row))
        data += row
    write_bmp(path, canvas.width, canvas.height, 24, b"", data)


def write_bmp8(path, width, height, palette, rows):
    stride = (width + 3) // 4 * 4
    table = b"".join(bytes((b, g, r, 0)) for (r, g, b) in palette)
    data = bytearray()
    for y in range(height - 1, -1, -1):
        data += bytes(rows[y]) + bytes(stride - width)
    write_bmp(path, width, height, 8, table, data, colours=len(palette))


def write_bmp(path, width, height, bits, palette, data, colours=0):
    offset = 14 + 40 + len(palette)
    header = struct.pack("<2sIHHI", b"BM", offset + len(data), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0, len(data), 2835, 2835, colours, 0)
    with open(path, "wb") as f:
        f.write(header + info + palette + data)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "res", "pictures")
    os.makedirs(out, exist_ok=True)
    write_bmp24(os.path.join(out, "129-brand-mark.bmp"), mark_picture(80))
    write_bmp24(os.path.join(out, "132-brand-picture.bmp"), brand_picture())
    write_bmp24(os.path.join(out, "139-ce-mark.bmp"), ce_picture())
    write_bmp24(os.path.join(out, "140-fcc-mark.bmp"), fcc_picture())
    write_bmp24(os.path.join(out, "145-small-brand-mark.bmp"), mark_picture(60))
    write_bmp24(os.path.join(out, "99-icon.bmp"), mark_picture(32))
    about = Canvas(32, 32, (236, 240, 248))
    about.shade(0, 0, 32, 32, brand_mark)
    write_bmp24(os.path.join(out, "128-about-icon.bmp"), about)
    palette, rows = background()
    write_bmp8(os.path.join(out, "131-background.bmp"), 500, 500, palette, rows)


if __name__ == "__main__":
    main()
