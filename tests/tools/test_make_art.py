"""The artwork script's GIF writer, read back by an independent decoder."""
import os
import random
import struct
import sys
import unittest

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


if __name__ == "__main__":
    unittest.main()
