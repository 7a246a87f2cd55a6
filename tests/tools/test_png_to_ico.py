"""The Windows icon script, its output read back as Windows reads an icon."""
import os
import struct
import subprocess
import sys
import tempfile
import unittest
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.join(HERE, "..", "..")
SCRIPT = os.path.join(ROOT, "tools", "png-to-ico.py")
sys.path.insert(0, os.path.join(ROOT, "tools"))

import make_art  # noqa: E402


def convert(png_bytes):
    with tempfile.TemporaryDirectory() as folder:
        png, ico = os.path.join(folder, "in.png"), os.path.join(folder, "out.ico")
        with open(png, "wb") as f:
            f.write(png_bytes)
        subprocess.run([sys.executable, SCRIPT, png, ico], check=True)
        with open(ico, "rb") as f:
            return f.read()


def icon_pixels(ico):
    """Rows top first of (r, g, b, a), and the (x, y) the AND mask hides."""
    reserved, kind, count = struct.unpack_from("<HHH", ico, 0)
    assert (reserved, kind, count) == (0, 1, 1)
    width, height, _, _, planes, bits, size, offset = struct.unpack_from("<BBBBHHII", ico, 6)
    assert (planes, bits, offset + size) == (1, 32, len(ico))
    header, w, h2 = struct.unpack_from("<Iii", ico, offset)
    assert (header, w, h2) == (40, width, 2 * height)
    colours = offset + 40
    mask = colours + width * height * 4
    mask_stride = (width + 31) // 32 * 4
    rows, hidden = [], set()
    for y in range(height):
        stored = height - 1 - y  # bitmaps are stored bottom-up
        row = []
        for x in range(width):
            b, g, r, a = ico[colours + 4 * (stored * width + x):colours + 4 * (stored * width + x) + 4]
            row.append((r, g, b, a))
            if ico[mask + stored * mask_stride + x // 8] & (0x80 >> (x % 8)):
                hidden.add((x, y))
        rows.append(row)
    return rows, hidden


def rgba_png(rows):
    """An 8-bit RGBA PNG whose rows use every filter type in turn."""
    width = len(rows[0])
    raw, previous = bytearray(), bytes(width * 4)
    for y, row in enumerate(rows):
        line = bytes(v for pixel in row for v in pixel)
        kind = y % 5
        raw.append(kind)
        for i, value in enumerate(line):
            left = line[i - 4] if i >= 4 else 0
            up, corner = previous[i], previous[i - 4] if i >= 4 else 0
            p = left + up - corner
            paeth = min((abs(p - left), 0, left), (abs(p - up), 1, up), (abs(p - corner), 2, corner))[2]
            guess = (0, left, up, (left + up) // 2, paeth)[kind]
            raw.append((value - guess) & 0xFF)
        previous = line
    return (b"\x89PNG\r\n\x1a\n" + make_art.png_chunk(b"IHDR", struct.pack(">IIBBBBB", width, len(rows), 8, 6, 0, 0, 0))
            + make_art.png_chunk(b"IDAT", zlib.compress(bytes(raw))) + make_art.png_chunk(b"IEND", b""))


class PngToIcoTest(unittest.TestCase):
    def test_icon_holds_the_drawn_pixels_of_the_launcher_icon(self):
        with open(os.path.join(ROOT, "resources", "icon.png"), "rb") as f:
            ico = convert(f.read())
        expected = [[make_art.PALETTE16[i] + (255,) for i in row] for row in make_art.draw_icon()]
        self.assertEqual(icon_pixels(ico), (expected, set()))

    def test_every_png_row_filter_and_transparency_survive(self):
        rows = [[((x * 37 + y * 11) % 256, (x * y) % 256, (255 - x * 9) % 256, 0 if x == y else 255)
                 for x in range(20)] for y in range(12)]
        self.assertEqual(icon_pixels(convert(rgba_png(rows))), (rows, {(i, i) for i in range(12)}))


if __name__ == "__main__":
    unittest.main()
