#!/usr/bin/env python3
"""Turns a 24- or 32-bit BMP (a window captured under Wine) into a PNG.

Usage: bmp_to_png.py IN.bmp OUT.png
"""
import struct
import sys
import zlib


def read_bmp(path):
    with open(path, "rb") as f:
        data = f.read()
    if data[:2] != b"BM":
        sys.exit(f"{path}: not a BMP file")
    offset = struct.unpack_from("<I", data, 10)[0]
    width, height, _, bits = struct.unpack_from("<iiHH", data, 18)
    if bits not in (24, 32):
        sys.exit(f"{path}: {bits}-bit pictures are not read here")
    step = bits // 8
    stride = (width * step + 3) // 4 * 4
    rows = []
    for y in range(abs(height)):
        source = y if height < 0 else abs(height) - 1 - y
        start = offset + source * stride
        row = bytearray()
        for x in range(width):
            b, g, r = data[start + x * step : start + x * step + 3]
            row += bytes((r, g, b))
        rows.append(bytes(row))
    return width, abs(height), rows


def write_png(path, width, height, rows):
    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))

    raw = b"".join(b"\x00" + row for row in rows)
    header = struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    write_png(sys.argv[2], *read_bmp(sys.argv[1]))


if __name__ == "__main__":
    main()
