"""The artwork script's GIF and PNG writers, read back by independent decoders."""
import os
import random
import struct
import sys
import unittest
import xml.etree.ElementTree as ET
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.join(HERE, "..", "..")
sys.path.insert(0, os.path.join(ROOT, "tools"))

import make_art  # noqa: E402


def lzw_decode(data, min_code_size):
    """Straight from the GIF89a rules, sharing no code with the encoder."""
    clear = 1 << min_code_size
    end = clear + 1
    pos = 0
    bits = 0
    count = 0

    def read(width):
        nonlocal pos, bits, count
        while count < width:
            if pos >= len(data):
                raise ValueError("data ended without an end code")
            bits |= data[pos] << count
            pos += 1
            count += 8
        code = bits & ((1 << width) - 1)
        bits >>= width
        count -= width
        return code

    out = []
    width = min_code_size + 1
    table = None
    previous = None
    while True:
        code = read(width)
        if code == clear:
            table = [[i] for i in range(clear)] + [None, None]
            width = min_code_size + 1
            previous = None
            continue
        if code == end:
            return out
        if table is None:
            raise ValueError("no clear code first")
        if previous is None:
            entry = table[code]
        elif code < len(table):
            entry = table[code]
            if len(table) < 4096:
                table.append(previous + entry[:1])
        elif code == len(table):
            entry = previous + previous[:1]
            table.append(entry)
        else:
            raise ValueError("code %d beyond the table" % code)
        out.extend(entry)
        previous = entry
        if len(table) == (1 << width) and width < 12:
            width += 1


def parse_gif(data):
    if data[:6] != b"GIF89a":
        raise ValueError("not GIF89a")
    width, height, packed, _, _ = struct.unpack("<HHBBB", data[6:13])
    if not packed & 0x80:
        raise ValueError("no global colour table")
    entries = 2 << (packed & 7)
    palette = [tuple(data[13 + 3 * i:16 + 3 * i]) for i in range(entries)]
    pos = 13 + 3 * entries
    if data[pos] != 0x2C:
        raise ValueError("no image descriptor")
    _, left, top, w, h, flags = struct.unpack("<BHHHHB", data[pos:pos + 10])
    pos += 10
    min_code_size = data[pos]
    pos += 1
    stream = bytearray()
    while data[pos]:
        stream += data[pos + 1:pos + 1 + data[pos]]
        pos += 1 + data[pos]
    if data[pos + 1] != 0x3B:
        raise ValueError("no trailer")
    indices = lzw_decode(bytes(stream), min_code_size)
    return {"size": (width, height), "image": (left, top, w, h, flags), "palette": palette,
            "indices": indices}


def parse_png(data):
    """Non-interlaced 8-bit RGB or 4-bit palette PNGs with unfiltered rows, the
    two kinds the script writes; anything else is refused."""
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise ValueError("not PNG")
    pos, chunks = 8, {}
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if struct.unpack(">I", data[pos + 8 + length:pos + 12 + length])[0] != zlib.crc32(kind + body):
            raise ValueError("bad CRC in " + kind.decode())
        chunks[kind] = chunks.get(kind, b"") + body
        pos += 12 + length
    width, height, depth, colour_type, _, _, interlace = struct.unpack(">IIBBBBB", chunks[b"IHDR"])
    if (depth, colour_type, interlace) not in ((8, 2, 0), (4, 3, 0)):
        raise ValueError("unexpected PNG kind")
    raw = zlib.decompress(chunks[b"IDAT"])
    stride = width * 3 if colour_type == 2 else (width + 1) // 2
    rows = []
    for y in range(height):
        line = raw[y * (stride + 1):(y + 1) * (stride + 1)]
        if line[0] != 0:
            raise ValueError("filtered row")
        if colour_type == 2:
            rows.append([tuple(line[1 + 3 * x:4 + 3 * x]) for x in range(width)])
        else:
            rows.append([(line[1 + x // 2] >> (0 if x % 2 else 4)) & 15 for x in range(width)])
    palette = chunks.get(b"PLTE", b"")
    return {"size": (width, height), "pixels": rows,
            "palette": [tuple(palette[i:i + 3]) for i in range(0, len(palette), 3)]}


class LzwTest(unittest.TestCase):
    def test_round_trips_runs_noise_and_table_resets(self):
        rng = random.Random(742)
        cases = {
            "one pixel": [7],
            "one run": [3] * 5000,
            "the code that refers to itself": [1, 1, 1, 1, 1, 1, 1],
            "every index": list(range(256)) * 3,
            # Enough distinct strings to fill the table several times over.
            "noise": [rng.randrange(256) for _ in range(40000)],
            "few colours": [rng.randrange(4) for _ in range(30000)],
        }
        for name, indices in cases.items():
            with self.subTest(name):
                self.assertEqual(lzw_decode(make_art.lzw_encode(indices, 8), 8), indices)

    def test_smaller_code_sizes_round_trip_too(self):
        rng = random.Random(1)
        indices = [rng.randrange(16) for _ in range(20000)]
        self.assertEqual(lzw_decode(make_art.lzw_encode(indices, 4), 4), indices)


class HelpBackgroundTest(unittest.TestCase):
    def test_committed_picture_is_320_by_200_with_256_colours_and_matches_the_drawing(self):
        with open(os.path.join(ROOT, "resources", "help.gif"), "rb") as f:
            gif = parse_gif(f.read())
        self.assertEqual(gif["size"], (320, 200))
        self.assertEqual(gif["image"], (0, 0, 320, 200, 0))
        self.assertEqual(len(gif["palette"]), 256)
        self.assertEqual(gif["palette"], make_art.help_palette())
        drawn = [i for row in make_art.draw_help_background() for i in row]
        # A stale picture (script changed, image not made again) fails here.
        self.assertEqual(gif["indices"], drawn)

    def test_a_palette_of_another_size_is_refused(self):
        with self.assertRaises(ValueError):
            make_art.gif89a([[0]], [(0, 0, 0)] * 16)


class IconTest(unittest.TestCase):
    # A stale image (script changed, images not made again) fails here.
    def test_committed_icons_are_what_the_script_draws_at_every_size(self):
        icon = read_png("icon.png")
        self.assertEqual(icon["size"], (32, 32))
        self.assertEqual(icon["palette"], make_art.PALETTE16)
        self.assertEqual(icon["pixels"], make_art.draw_icon())
        for size in (16, 22, 24, 48, 64, 128, 256):
            with self.subTest(size=size):
                png = read_png(os.path.join("icons", f"play-tarvex-{size}.png"))
                self.assertEqual(png["size"], (size, size))
                self.assertEqual(png["pixels"], make_art.draw_icon_at(size))

    def test_scalable_icon_is_the_design_on_a_32_unit_grid(self):
        with open(os.path.join(ROOT, "resources", "icons", "play-tarvex.svg"), encoding="ascii") as f:
            svg = f.read()
        self.assertEqual(svg, make_art.icon_svg())
        root = ET.fromstring(svg)
        self.assertEqual(root.get("viewBox"), "0 0 32 32")
        self.assertEqual(len(root), len(make_art.icon_design()))


def read_png(name):
    with open(os.path.join(ROOT, "resources", name), "rb") as f:
        return parse_png(f.read())


if __name__ == "__main__":
    unittest.main()
