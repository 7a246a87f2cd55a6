#!/usr/bin/env python3
"""Draws the launcher's artwork from scratch, so every image in resources/
can be made again from this file alone.

  icon.png  32 x 32, 16 colours: a crosshair over a stylised server tower,
            the window icon.
  icons/    the same design for desktops: play-tarvex-SIZE.png at the other
            hicolor theme sizes (true colour, the ring smoothed, rectangles
            kept on whole pixels so small sizes stay sharp) and
            play-tarvex.svg.
  help.gif  320 x 200 GIF89a with a 256-colour global colour table: the help
            window's background, a dusk sky over a glowing grid, with a pale
            plate under the website link so its blue text stays readable.
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


# The icon as shapes on a 32-unit grid, painted in order: ("rect", x0, y0,
# x1, y1, colour) covers [x0, x1) x [y0, y1); ("ring", cx, cy, inner, outer,
# colour) the points whose distance from the centre lies in [inner, outer].
# Sampled once at every pixel centre at 32 pixels, they give the window icon.
def icon_design():
    shapes = [("rect", 0, 0, 32, 32, 1), ("rect", 1, 1, 31, 31, 2)]  # dark tile
    # server tower: three stacked bays with status lights
    for bay in range(3):
        top = 7 + bay * 6
        shapes += [("rect", 8, top, 24, top + 5, 4), ("rect", 9, top + 1, 23, top + 4, 3),
                   ("rect", 11, top + 2, 12, top + 3, 14 if bay != 1 else 11),
                   ("rect", 13, top + 2, 14, top + 3, 15), ("rect", 16, top + 2, 22, top + 3, 5)]
    # crosshair ring in ember orange over the tower, then its ticks and centre
    shapes.append(("ring", 16.5, 16.5, 11, 12, 10))
    for a, b in ((2, 8), (24, 30)):
        shapes += [("rect", a, 16, b, 17, 11), ("rect", 16, a, 17, b, 11)]
    shapes.append(("rect", 16, 16, 17, 17, 12))
    return shapes


ICON_SIZES = (16, 22, 24, 48, 64, 128, 256)  # 32 is icon.png itself


def draw_icon():
    """The 32 x 32 window icon in palette indices: one sample per pixel, hard edges."""
    size = 32
    px = [[0] * size for _ in range(size)]
    for kind, a, b, c, d, colour in icon_design():
        for y in range(size):
            for x in range(size):
                u, v = x + 0.5, y + 0.5
                if kind == "rect":
                    inside = a <= u < c and b <= v < d
                else:
                    inside = c * c <= (u - a) ** 2 + (v - b) ** 2 <= d * d
                if inside:
                    px[y][x] = colour
    return px


def draw_icon_at(size):
    """The design at size x size pixels in RGB. Rectangle edges are rounded to
    whole pixels (at least one pixel wide), so lines stay crisp at 16 pixels;
    the ring is antialiased by 4 x 4 samples per pixel."""
    scale = size / 32

    def snap(v):
        return int(v * scale + 0.5)

    px = [[PALETTE16[0]] * size for _ in range(size)]
    for kind, a, b, c, d, colour in icon_design():
        rgb = PALETTE16[colour]
        if kind == "rect":
            x0, y0 = snap(a), snap(b)
            x1, y1 = max(snap(c), x0 + 1), max(snap(d), y0 + 1)
            for y in range(y0, y1):
                px[y][x0:x1] = [rgb] * (x1 - x0)
            continue
        # Centred on the crosshair's centre pixel as drawn at this size, and at
        # least a pixel wide, or small sizes show a blurred, off-centre smudge.
        cx = (snap(a - 0.5) + max(snap(a + 0.5), snap(a - 0.5) + 1)) / 2
        cy = (snap(b - 0.5) + max(snap(b + 0.5), snap(b - 0.5) + 1)) / 2
        middle, half = (c + d) / 2 * scale, max((d - c) * scale, 1) / 2
        inner, outer = middle - half, middle + half
        for y in range(int(cy - outer) - 1, int(cy + outer) + 2):
            for x in range(int(cx - outer) - 1, int(cx + outer) + 2):
                if not (0 <= x < size and 0 <= y < size):
                    continue
                dist = ((x + 0.5 - cx) ** 2 + (y + 0.5 - cy) ** 2) ** 0.5
                if dist < inner - 0.75 or dist > outer + 0.75:
                    continue
                hits = sum(inner * inner <= (x + (i + 0.5) / 4 - cx) ** 2 + (y + (j + 0.5) / 4 - cy) ** 2
                           <= outer * outer for i in range(4) for j in range(4))
                if hits:
                    px[y][x] = lerp(px[y][x], rgb, hits / 16)
    return px


def write_rgb_png(path, pixels):
    raw = bytearray()
    for row in pixels:
        raw.append(0)  # filter: none
        for rgb in row:
            raw += bytes(rgb)
    png = b"\x89PNG\r\n\x1a\n"
    png += png_chunk(b"IHDR", struct.pack(">IIBBBBB", len(pixels[0]), len(pixels), 8, 2, 0, 0, 0))
    png += png_chunk(b"IDAT", zlib.compress(bytes(raw), 9))
    png += png_chunk(b"IEND", b"")
    with open(path, "wb") as f:
        f.write(png)


def icon_svg():
    """The design as SVG on the same 32-unit grid."""
    def hex_colour(index):
        return "#%02x%02x%02x" % PALETTE16[index]

    lines = ['<svg xmlns="http://www.w3.org/2000/svg" width="32" height="32" viewBox="0 0 32 32">']
    for kind, a, b, c, d, colour in icon_design():
        if kind == "rect":
            lines.append(f'  <rect x="{a}" y="{b}" width="{c - a}" height="{d - b}" fill="{hex_colour(colour)}"/>')
        else:
            lines.append(f'  <circle cx="{a}" cy="{b}" r="{(c + d) / 2}" fill="none" '
                         f'stroke="{hex_colour(colour)}" stroke-width="{d - c}"/>')
    lines.append("</svg>")
    return "\n".join(lines) + "\n"


def lzw_encode(indices, min_code_size=8):
    """GIF's variable-width LZW, codes packed least significant bit first.

    The code width grows once the code just written leaves no room for the
    next table entry, and a full table (4096 entries) is answered with a
    clear code, so any decoder that follows the GIF89a rules reads it back.
    """
    clear = 1 << min_code_size
    end = clear + 1
    out = bytearray()
    state = {"bits": 0, "count": 0, "width": min_code_size + 1, "next": end + 1}

    def write(code):
        state["bits"] |= code << state["count"]
        state["count"] += state["width"]
        while state["count"] >= 8:
            out.append(state["bits"] & 0xFF)
            state["bits"] >>= 8
            state["count"] -= 8
        # The decoder adds its entry one code later than we do, so the width
        # follows the entry made before this code, not after it.
        if state["next"] > (1 << state["width"]) - 1 and state["width"] < 12:
            state["width"] += 1

    def reset():
        state["width"] = min_code_size + 1
        state["next"] = end + 1
        return {}

    table = {}
    write(clear)
    if not indices:
        write(end)
        return bytes(out) + (bytes([state["bits"]]) if state["count"] else b"")
    prefix = indices[0]
    for k in indices[1:]:
        key = (prefix, k)
        if key in table:
            prefix = table[key]
            continue
        write(prefix)
        if state["next"] < 4096:
            table[key] = state["next"]
            state["next"] += 1
        else:
            write(clear)
            table = reset()
        prefix = k
    write(prefix)
    write(end)
    if state["count"]:
        out.append(state["bits"] & 0xFF)
    return bytes(out)


def gif89a(pixels, palette):
    """A single-image GIF89a with a 256-entry global colour table."""
    height = len(pixels)
    width = len(pixels[0])
    if len(palette) != 256:
        raise ValueError("the global colour table must hold 256 colours")
    data = bytearray(b"GIF89a")
    # Global table present, 8 bits of colour resolution, 2^(7+1) entries.
    data += struct.pack("<HHBBB", width, height, 0xF7, 0, 0)
    data += b"".join(bytes(c) for c in palette)
    data += struct.pack("<BHHHHB", 0x2C, 0, 0, width, height, 0)
    data.append(8)
    packed = lzw_encode([i for row in pixels for i in row], 8)
    for start in range(0, len(packed), 255):
        block = packed[start:start + 255]
        data.append(len(block))
        data += block
    data.append(0)
    data.append(0x3B)
    return bytes(data)


def lerp(a, b, t):
    return tuple(round(a[i] + (b[i] - a[i]) * t) for i in range(3))


def help_palette():
    """0-127 sky, 128-191 embers, 192-223 floor, 224-255 the pale plate."""
    pal = []
    for i in range(128):
        t = i / 127
        pal.append(lerp((6, 8, 22), (58, 24, 64), t) if t < 0.7 else lerp((58, 24, 64), (110, 36, 52), (t - 0.7) / 0.3))
    for i in range(64):
        pal.append(lerp((60, 14, 10), (250, 150, 60), i / 63))
    for i in range(32):
        pal.append(lerp((4, 4, 10), (30, 14, 36), i / 31))
    for i in range(32):
        pal.append(lerp((150, 150, 165), (236, 236, 244), i / 31))
    return pal


BAYER4 = [[0, 8, 2, 10], [12, 4, 14, 6], [3, 11, 1, 9], [15, 7, 13, 5]]


def draw_help_background():
    width, height, horizon = 320, 200, 118
    px = [[0] * width for _ in range(height)]
    # Sky: a dithered dusk gradient, darkest at the top where the name sits.
    for y in range(horizon):
        level = (y / (horizon - 1)) * 127
        for x in range(width):
            frac = level - int(level)
            step = 1 if frac * 16 > BAYER4[y & 3][x & 3] else 0
            px[y][x] = min(127, int(level) + step)
    # Stars from a fixed generator, so every run draws the same sky.
    seed = 742
    for _ in range(90):
        seed = (seed * 1103515245 + 12345) & 0x7FFFFFFF
        x = seed % width
        seed = (seed * 1103515245 + 12345) & 0x7FFFFFFF
        y = seed % 90
        px[y][x] = 140 + seed % 40
    # A banded sun sinking behind the horizon, kept dim behind the text.
    cx, r = 160, 46
    for y in range(horizon - r, horizon):
        band = (horizon - y) // 6
        if (horizon - y) % 6 >= 6 - min(3, 4 - band // 2):
            continue
        for x in range(cx - r, cx + r + 1):
            if (x - cx) ** 2 + (y - horizon) ** 2 <= r * r:
                px[y][x] = 128 + 10 + int((horizon - y) / r * 30)
    # Floor with a perspective grid fading towards the horizon.
    for y in range(horizon, height):
        depth = (y - horizon) / (height - horizon)
        for x in range(width):
            px[y][x] = 192 + int(depth * 8)
    for y in range(horizon, height):
        depth = (y - horizon) / (height - horizon)
        for k in range(-14, 15):
            x = round(cx + k * 12 * (0.15 + depth * 1.6))
            if 0 <= x < width:
                px[y][x] = 128 + 6 + int(depth * 14)
    z = 1.0
    while z < 40:
        y = horizon + round((height - horizon) * (1 / z))
        if horizon <= y < height:
            for x in range(width):
                px[y][x] = 128 + 4 + int(16 / z)
        z *= 1.45
    px[horizon] = [128 + 30] * width
    # The plate under the link: rounded, with a soft vertical sheen.
    left, right, top, bottom = 84, 226, 151, 171
    for y in range(top, bottom):
        for x in range(left, right):
            corner = min(x - left, right - 1 - x, y - top, bottom - 1 - y)
            if corner == 0 and (min(x - left, right - 1 - x) == 0 and min(y - top, bottom - 1 - y) == 0):
                continue
            px[y][x] = 224 + 31 - abs(y - (top + bottom) // 2) * 2 if corner > 0 else 226
    return px


def main():
    os.makedirs(OUT, exist_ok=True)
    write_palette_png(os.path.join(OUT, "icon.png"), draw_icon(), PALETTE16)
    icons = os.path.join(OUT, "icons")
    os.makedirs(icons, exist_ok=True)
    for size in ICON_SIZES:
        write_rgb_png(os.path.join(icons, f"play-tarvex-{size}.png"), draw_icon_at(size))
    with open(os.path.join(icons, "play-tarvex.svg"), "w", encoding="ascii") as f:
        f.write(icon_svg())
    with open(os.path.join(OUT, "help.gif"), "wb") as f:
        f.write(gif89a(draw_help_background(), help_palette()))
    return 0


if __name__ == "__main__":
    sys.exit(main())
