#!/usr/bin/env python3
"""Writes a Windows icon file of the sizes 16 to 256 from BMP pictures.

Usage: make_ico.py OUT.ico PICTURE.bmp [PICTURE.bmp ...]

Each size is drawn from the smallest picture at least as large (the largest
where none is): whole multiples keep the pixels sharp, other sizes are
averaged down or smoothed up. White reaching the picture's edge becomes
transparent, so that a round mark sits on any background without a white
square. Sizes below 256 are stored as 32-bit bitmaps, 256 as PNG, as Windows
expects them.
"""
import struct
import sys
import zlib

from bmp_to_png import read_bmp

SIZES = (16, 24, 32, 48, 64, 128, 256)


def rgba_rows(path):
    width, height, rows = read_bmp(path)
    if width != height:
        sys.exit(f"{path}: an icon picture must be square")
    pixels = [[list(row[x * 3 : x * 3 + 3]) + [255] for x in range(width)] for row in rows]
    pending = [(x, y) for x in range(width) for y in (0, height - 1)] + [(x, y) for y in range(height) for x in (0, width - 1)]
    while pending:
        x, y = pending.pop()
        if not (0 <= x < width and 0 <= y < height):
            continue
        pixel = pixels[y][x]
        if pixel[3] == 0 or min(pixel[:3]) <= 240:
            continue
        pixel[:] = [255, 255, 255, 0]
        pending += [(x + 1, y), (x - 1, y), (x, y + 1), (x, y - 1)]
    return width, pixels


def sample(source, size, target):
    """The picture at target x target pixels, colours weighted by opacity."""
    if target % size == 0:
        step = target // size
        return [[source[y // step][x // step] for x in range(target)] for y in range(target)]
    if target < size:  # the average of the pixels each target pixel covers
        out = []
        for ty in range(target):
            y0, y1 = ty * size // target, max(ty * size // target + 1, (ty + 1) * size // target)
            row = []
            for tx in range(target):
                x0, x1 = tx * size // target, max(tx * size // target + 1, (tx + 1) * size // target)
                covered = [source[y][x] for y in range(y0, y1) for x in range(x0, x1)]
                row.append(blend(covered, [1.0] * len(covered)))
            out.append(row)
        return out
    out = []  # bilinear between the four nearest pixels
    for ty in range(target):
        fy = min(max((ty + 0.5) * size / target - 0.5, 0), size - 1)
        y0, wy = int(fy), fy - int(fy)
        y1 = min(y0 + 1, size - 1)
        row = []
        for tx in range(target):
            fx = min(max((tx + 0.5) * size / target - 0.5, 0), size - 1)
            x0, wx = int(fx), fx - int(fx)
            x1 = min(x0 + 1, size - 1)
            corners = [source[y0][x0], source[y0][x1], source[y1][x0], source[y1][x1]]
            weights = [(1 - wx) * (1 - wy), wx * (1 - wy), (1 - wx) * wy, wx * wy]
            row.append(blend(corners, weights))
        out.append(row)
    return out


def blend(pixels, weights):
    alpha = sum(p[3] * w for p, w in zip(pixels, weights))
    total = sum(weights)
    if alpha == 0:
        return [255, 255, 255, 0]
    colour = [round(sum(p[c] * p[3] * w for p, w in zip(pixels, weights)) / alpha) for c in range(3)]
    return colour + [round(alpha / total)]


def bitmap_entry(pixels, size):
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, size * size * 4, 0, 0, 0, 0)
    body = b"".join(bytes((p[2], p[1], p[0], p[3])) for row in reversed(pixels) for p in row)
    stride = (size + 31) // 32 * 4
    mask = bytearray()
    for row in reversed(pixels):
        bits = bytearray(stride)
        for x, p in enumerate(row):
            if p[3] == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    return header + body + bytes(mask)


def png_entry(pixels, size):
    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))

    raw = b"".join(b"\x00" + bytes(c for p in row for c in p) for row in pixels)
    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)
    return b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b"")


def main():
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    pictures = sorted((rgba_rows(path) for path in sys.argv[2:]), key=lambda picture: picture[0])
    images = []
    for size in SIZES:
        width, pixels = next((p for p in pictures if p[0] >= size), pictures[-1])
        scaled = sample(pixels, width, size)
        images.append((size, png_entry(scaled, size) if size == 256 else bitmap_entry(scaled, size)))
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, image in images:
        directory += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    with open(sys.argv[1], "wb") as f:
        f.write(directory + b"".join(image for _, image in images))


if __name__ == "__main__":
    main()
