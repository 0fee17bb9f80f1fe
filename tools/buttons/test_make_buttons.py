#!/usr/bin/python3
"""Tests for the button-face generator and the committed faces.

Run: /usr/bin/python3 -m unittest discover -s tools/buttons
"""

import os
import struct
import tempfile
import unittest

from PIL import Image

import make_buttons as mb

# file, width, resource bytes (the file less its 14-byte header), visible columns
TABLE = [("next.bmp", 46, 2894, 46), ("context.bmp", 86, 5374, 85), ("goforth.bmp", 86, 5374, 85)]


def decode(data):
    """Hand decoder: header fields and pixels[y][x] as 8-bit RGB, top row first."""
    magic, size, r1, r2, offset = struct.unpack_from("<2sIHHI", data)
    info = struct.unpack_from("<IiiHHIIiiII", data, 14)
    w, h, bpp = info[1], info[2], info[4]
    stride = (w * 2 + 3) // 4 * 4
    pixels = []
    for y in range(h):
        at = offset + stride * (h - 1 - y)
        row = []
        for x in range(w):
            v = struct.unpack_from("<H", data, at + 2 * x)[0]
            assert v < 0x8000, "top bit set at %d,%d" % (x, y)
            row.append(tuple((c << 3) | (c >> 2) for c in ((v >> 10) & 31, (v >> 5) & 31, v & 31)))
        pixels.append(row)
    return (magic, size, r1, r2, offset, info), pixels


def load(name):
    with open(os.path.join(mb.DEFAULT_OUTDIR, name), "rb") as handle:
        return handle.read()


class FormatTest(unittest.TestCase):
    def test_headers_and_sizes(self):
        for name, width, resource_bytes, _ in TABLE:
            data = load(name)
            (magic, size, r1, r2, offset, info), _ = decode(data)
            self.assertEqual((b"BM", len(data), 0, 0, 54), (magic, size, r1, r2, offset), name)
            self.assertEqual((40, width, 31, 1, 16, 0), info[:6], name)
            self.assertEqual(resource_bytes, len(data) - 14, name)
            self.assertEqual((0, 0), info[9:], name + ": no colour table")

    def test_reproduced_and_pil_agrees(self):
        built = mb.build()
        for name, _, _, _ in TABLE:
            data = load(name)
            self.assertEqual(built[name], data, name)
            _, pixels = decode(data)
            with Image.open(os.path.join(mb.DEFAULT_OUTDIR, name)) as image:
                seen = image.convert("RGB")
                for y, row in enumerate(pixels):
                    for x, rgb in enumerate(row):
                        got = seen.getpixel((x, y))
                        # Readers differ in how they widen 5 bits to 8; allow that.
                        self.assertTrue(all(abs(a - b) <= 7 for a, b in zip(rgb, got)),
                                        "%s at %d,%d: %r vs %r" % (name, x, y, rgb, got))

    def test_check_mode(self):
        with tempfile.TemporaryDirectory() as tmp:
            self.assertEqual(0, mb.main(["--outdir", tmp]))
            self.assertEqual(0, mb.main(["--outdir", tmp, "--check"]))
            os.remove(os.path.join(tmp, "next.bmp"))
            self.assertEqual(1, mb.main(["--outdir", tmp, "--check"]))


def is_white(p):
    return min(p) >= 200


def is_black(p):
    return max(p) <= 12


class DesignTest(unittest.TestCase):
    def test_plate_blue_textured_with_darker_rim(self):
        for name, width, _, visible in TABLE:
            _, px = decode(load(name))
            plate = [px[y][x] for y in range(6, 25) for x in range(6, 12)]
            rim = [px[y][x] for y in (2, 3, 27, 28) for x in range(8, visible - 8)]
            mean = [sum(c[i] for c in plate) / len(plate) for i in range(3)]
            self.assertTrue(mean[2] > mean[1] > mean[0] and mean[2] > 120, "%s plate %r" % (name, mean))
            self.assertLess(sum(map(sum, rim)) / len(rim), sum(mean) * 0.8, name + ": rim not darker")
            lum = [sum(c) / 3.0 for c in plate]
            spread = (sum((v - sum(lum) / len(lum)) ** 2 for v in lum) / len(lum)) ** 0.5
            self.assertGreater(spread, 4.0, name + ": plate is flat, not textured")
            # The raised rim: the lit outer edge is lighter than the shaded one.
            self.assertGreater(sum(px[1][visible // 2]), sum(px[29][visible // 2]), name)
            if width > visible:
                self.assertEqual([r[visible - 1] for r in px], [r[visible] for r in px], name)

    def test_design_symmetric_in_visible_columns(self):
        for name, _, _, visible in TABLE:
            _, px = decode(load(name))
            # The rim has the same width on both sides of the visible face.
            def band(x0, x1):
                cells = [px[y][x] for y in range(6, 25) for x in range(x0, x1)]
                return sum(map(sum, cells)) / (3.0 * len(cells))
            plate_level = (band(5, 7) + band(visible - 7, visible - 5)) / 2
            for x0, x1, dark in ((0, 1, 0.3), (2, 4, 0.8), (visible - 1, visible, 0.3), (visible - 4, visible - 2, 0.8)):
                self.assertLess(band(x0, x1), plate_level * dark, "%s columns %d..%d" % (name, x0, x1 - 1))
            mark = is_black if name == "next.bmp" else is_white
            cols = [x for y in range(31) for x in range(visible) if mark(px[y][x])]
            rows = [y for y in range(31) for x in range(visible) if mark(px[y][x])]
            self.assertTrue(cols, name + ": no arrow or letters")
            self.assertLessEqual(abs((min(cols) + max(cols)) - (visible - 1)), 3, "%s centring %d..%d" % (name, min(cols), max(cols)))
            self.assertLessEqual(abs((min(rows) + max(rows)) - 30), 4, "%s rows %d..%d" % (name, min(rows), max(rows)))
            self.assertTrue(min(cols) >= 5 and max(cols) <= visible - 6 and min(rows) >= 5 and max(rows) <= 25, name)

    def test_arrow_points_right(self):
        _, px = decode(load("next.bmp"))
        heights = [sum(1 for y in range(31) if is_black(px[y][x])) for x in range(46)]
        inked = [x for x in range(46) if heights[x]]
        widest = heights.index(max(heights))
        # Head widest near its base, right of the shaft, and narrowing to a point.
        self.assertGreater(widest, (inked[0] + inked[-1]) / 2.0)
        self.assertGreater(max(heights), 2 * heights[inked[0] + 2])
        self.assertLessEqual(heights[inked[-1]], 3)
        self.assertFalse(any(is_white(p) for row in px for p in row[5:41]), "arrow face has no text")


if __name__ == "__main__":
    unittest.main()
