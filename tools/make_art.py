#!/usr/bin/env python3
"""Draws the launcher's artwork from scratch, so every image in resources/
can be made again from this file alone.

  icon.png  32 x 32, 16 colours: a crosshair over a stylised server tower.
"""
import os
import struct
import sys
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "..", "resources")

# 16-colour palette: dark background, steel greys, ember oranges, signal green.
PALETTE16 = [
    (0, 0, 0), (24, 20, 28), (48, 44, 56), (80, 76, 92),
    (120, 116, 132), (168, 164, 176), (216, 212, 220), (255, 255, 255),
    (96, 24, 8), (160, 48, 16), (216, 96, 24), (248, 160, 48),
    (252, 216, 96), (16, 96, 40), (40, 176, 72), (120, 240, 120),
]


def png_chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)


def write_palette_png(path, pixels, palette):
    height = len(pixels)
    width = len(pixels[0])
    raw = bytearray()
    for row in pixels:
        raw.append(0)  # filter: none
        for x in range(0, width, 2):
            hi = row[x]
            lo = row[x + 1] if x + 1 < width else 0
            raw.append((hi << 4) | lo)
    png = b"\x89PNG\r\n\x1a\n"
    png += png_chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 4, 3, 0, 0, 0))
    png += png_chunk(b"PLTE", b"".join(bytes(c) for c in palette))
    png += png_chunk(b"IDAT", zlib.compress(bytes(raw), 9))
    png += png_chunk(b"IEND", b"")
    with open(path, "wb") as f:
        f.write(png)


def draw_icon():
    size = 32
    px = [[1] * size for _ in range(size)]
    # rounded dark tile
    for y in range(size):
        for x in range(size):
            edge = min(x, y, size - 1 - x, size - 1 - y)
            px[y][x] = 2 if edge >= 1 else 1
    # server tower: three stacked bays with status lights
    for bay in range(3):
        top = 7 + bay * 6
        for y in range(top, top + 5):
            for x in range(8, 24):
                px[y][x] = 4 if y in (top, top + 4) or x in (8, 23) else 3
        px[top + 2][11] = 14 if bay != 1 else 11
        px[top + 2][13] = 15
        for x in range(16, 22):
            px[top + 2][x] = 5
    # crosshair ring in ember orange over the tower
    cx, cy, r = 16, 16, 12
    for y in range(size):
        for x in range(size):
            d2 = (x - cx) ** 2 + (y - cy) ** 2
            if (r - 1) ** 2 <= d2 <= r ** 2:
                px[y][x] = 10
    for i in range(2, 8):
        px[cy][i] = 11
        px[cy][size - 1 - i] = 11
        px[i][cx] = 11
        px[size - 1 - i][cx] = 11
    px[cy][cx] = 12
    return px


def main():
    os.makedirs(OUT, exist_ok=True)
    write_palette_png(os.path.join(OUT, "icon.png"), draw_icon(), PALETTE16)
    return 0


if __name__ == "__main__":
    sys.exit(main())
