#!/usr/bin/env python3
"""Writes a Windows .ico holding one uncompressed 32-bit image of a PNG.

Usage: png-to-ico.py icon.png icon.ico

The image is stored as a bitmap rather than as embedded PNG data: every
Windows icon loader and Wine's read bitmaps, and a 32 x 32 icon is small
either way. Takes 8-bit-or-less palette PNGs (with or without tRNS) and
8-bit RGB/RGBA ones, unlaced, which is what tools/make_art.py writes.
"""
import struct
import sys
import zlib


def read_png(path):
    with open(path, "rb") as f:
        data = f.read()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise ValueError(f"{path} is not a PNG file")
    chunks, pos = {}, 8
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        chunks.setdefault(kind, b"")
        chunks[kind] += data[pos + 8:pos + 8 + length]
        pos += 12 + length
    width, height, depth, colour, _, _, interlace = struct.unpack(">IIBBBBB", chunks[b"IHDR"])
    channels = {3: 1, 2: 3, 6: 4}.get(colour)
    if channels is None or interlace or (colour != 3 and depth != 8) or depth > 8:
        raise ValueError(f"{path}: unsupported PNG layout (colour type {colour}, depth {depth})")
    raw = zlib.decompress(chunks[b"IDAT"])
    stride = (width * channels * depth + 7) // 8
    step = max(1, channels * depth // 8)
    rows, previous, pos = [], bytearray(stride), 0
    for _ in range(height):
        kind, line = raw[pos], bytearray(raw[pos + 1:pos + 1 + stride])
        pos += 1 + stride
        for i in range(stride):
            left = line[i - step] if i >= step else 0
            up, corner = previous[i], previous[i - step] if i >= step else 0
            if kind == 1:
                line[i] = (line[i] + left) & 0xFF
            elif kind == 2:
                line[i] = (line[i] + up) & 0xFF
            elif kind == 3:
                line[i] = (line[i] + (left + up) // 2) & 0xFF
            elif kind == 4:
                p = left + up - corner
                pa, pb, pc = abs(p - left), abs(p - up), abs(p - corner)
                line[i] = (line[i] + (left if pa <= pb and pa <= pc else up if pb <= pc else corner)) & 0xFF
        rows.append(bytes(line))
        previous = line
    pixels = []
    if colour == 3:
        palette = chunks[b"PLTE"]
        alpha = chunks.get(b"tRNS", b"")
        for line in rows:
            row = []
            for x in range(width):
                bit = x * depth
                index = (line[bit // 8] >> (8 - depth - bit % 8)) & ((1 << depth) - 1)
                r, g, b = palette[3 * index:3 * index + 3]
                row.append((r, g, b, alpha[index] if index < len(alpha) else 255))
            pixels.append(row)
    else:
        for line in rows:
            pixels.append([tuple(line[x * channels:x * channels + 3]) +
                           ((line[x * channels + 3],) if channels == 4 else (255,)) for x in range(width)])
    return width, height, pixels


def ico(width, height, pixels):
    colours = b"".join(bytes((b, g, r, a)) for row in reversed(pixels) for r, g, b, a in row)
    mask_stride = ((width + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(pixels):
        bits = bytearray(mask_stride)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    # The bitmap header counts the colour and mask halves: twice the height.
    header = struct.pack("<IiiHHIIiiII", 40, width, height * 2, 1, 32, 0, len(colours) + len(mask), 0, 0, 0, 0)
    image = header + colours + bytes(mask)
    entry = struct.pack("<BBBBHHII", width % 256, height % 256, 0, 0, 1, 32, len(image), 6 + 16)
    return struct.pack("<HHH", 0, 1, 1) + entry + image


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    width, height, pixels = read_png(sys.argv[1])
    if width > 256 or height > 256:
        sys.exit(f"{sys.argv[1]}: an icon is at most 256 x 256")
    with open(sys.argv[2], "wb") as f:
        f.write(ico(width, height, pixels))


if __name__ == "__main__":
    main()
