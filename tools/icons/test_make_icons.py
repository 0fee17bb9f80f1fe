#!/usr/bin/python3
"""Tests for the icon generator: layout of the committed .ico files and what they show.

Run: /usr/bin/python3 -m unittest discover -s tools/icons
"""

import os
import struct
import tempfile
import unittest

from PIL import IcoImagePlugin

import make_icons as mi

PROGRAM = [(32, 4, 744), (16, 4, 296), (48, 8, 3752), (32, 8, 2216), (16, 8, 1384),
           (48, 24, 7336), (32, 24, 3240), (16, 24, 872)]
SMALL = [(32, 4, 744), (16, 4, 296), (48, 8, 3752), (32, 8, 2216), (16, 8, 1384),
         (48, 32, 9640), (32, 24, 3240), (16, 32, 1128)]


def decode(blob):
    """Decode one icon image by hand: (size, bpp, pixels[y][x] as RGBA, xor_zero_where_clear)."""
    hsize, w, h2, planes, bpp, comp = struct.unpack_from("<IiiHHI", blob)
    assert (hsize, h2, planes, comp) == (40, 2 * w, 1, 0), (hsize, w, h2, planes, comp)
    pos = 40
    palette = []
    if bpp <= 8:
        for i in range(1 << bpp):
            b, g, r, _ = blob[pos + 4 * i:pos + 4 * i + 4]
            palette.append((r, g, b))
        pos += 4 << bpp
    stride = ((w * bpp + 31) // 32) * 4
    mask_stride = ((w + 31) // 32) * 4
    assert len(blob) == pos + stride * w + mask_stride * w, "byte count"
    pixels, raw_zero = [], True
    for y in range(w):
        row_at = pos + stride * (w - 1 - y)
        mask_at = pos + stride * w + mask_stride * (w - 1 - y)
        row = []
        for x in range(w):
            clear = blob[mask_at + x // 8] & (0x80 >> (x % 8))
            if bpp == 4:
                idx = (blob[row_at + x // 2] >> (0 if x % 2 else 4)) & 15
                r, g, b, a = palette[idx] + (255,)
            elif bpp == 8:
                r, g, b, a = palette[blob[row_at + x]] + (255,)
            elif bpp == 24:
                b, g, r = blob[row_at + 3 * x:row_at + 3 * x + 3]
                a = 255
            else:
                b, g, r, a = blob[row_at + 4 * x:row_at + 4 * x + 4]
                assert bool(clear) == (a == 0), "mask and alpha disagree at %d,%d" % (x, y)
            if clear:
                raw_zero = raw_zero and (r, g, b) == (0, 0, 0)
                a = 0
            row.append((r, g, b, a))
        pixels.append(row)
    return w, bpp, pixels, raw_zero


def read_ico(path):
    with open(path, "rb") as handle:
        data = handle.read()
    reserved, kind, count = struct.unpack_from("<HHH", data)
    assert (reserved, kind) == (0, 1)
    entries, expect_offset = [], 6 + 16 * count
    for i in range(count):
        w, h, colours, res, planes, bpp, size, offset = struct.unpack_from("<BBBBHHII", data, 6 + 16 * i)
        assert offset == expect_offset, "image %d not packed" % i
        expect_offset += size
        entries.append(((w, h, colours, res, planes, bpp, size), data[offset:offset + size]))
    assert expect_offset == len(data), "trailing bytes"
    return data, entries


class LayoutTest(unittest.TestCase):
    def test_directory_and_headers(self):
        for name, table in (("quillane.ico", PROGRAM), ("quillane_small.ico", SMALL)):
            _, entries = read_ico(os.path.join(mi.DEFAULT_OUTDIR, name))
            self.assertEqual(len(table), len(entries), name)
            for i, ((size, bpp, nbytes), (entry, blob)) in enumerate(zip(table, entries)):
                colours = 16 if bpp == 4 else 0
                self.assertEqual((size, size, colours, 0, 1, bpp, nbytes), entry, "%s image %d" % (name, i))
                self.assertEqual((size, bpp), decode(blob)[:2], "%s image %d" % (name, i))

    def test_reproduced_and_pil_agrees(self):
        # A second, independent reader must see the same pixels as ours.
        built = mi.build()
        for name, data in built.items():
            with open(os.path.join(mi.DEFAULT_OUTDIR, name), "rb") as handle:
                self.assertEqual(data, handle.read(), name)
            data, _ = read_ico(os.path.join(mi.DEFAULT_OUTDIR, name))
            with open(os.path.join(mi.DEFAULT_OUTDIR, name), "rb") as handle:
                ico = IcoImagePlugin.IcoFile(handle)
                for index, entry in enumerate(ico.entry):
                    blob = data[entry["offset"]:entry["offset"] + entry["size"]]
                    pixels = decode(blob)[2]
                    frame = ico.frame(index).convert("RGBA")
                    for y, row in enumerate(pixels):
                        for x, (r, g, b, a) in enumerate(row):
                            seen = frame.getpixel((x, y))
                            self.assertEqual(a, seen[3], "%s %r at %d,%d" % (name, entry, x, y))
                            if a:
                                self.assertEqual((r, g, b), seen[:3], "%s %r at %d,%d" % (name, entry, x, y))

    def test_check_mode(self):
        with tempfile.TemporaryDirectory() as tmp:
            self.assertEqual(0, mi.main(["--outdir", tmp]))
            self.assertEqual(0, mi.main(["--outdir", tmp, "--check"]))
            path = os.path.join(tmp, "quillane_small.ico")
            with open(path, "r+b") as handle:
                handle.seek(-1, 2)
                handle.write(b"\x01")
            self.assertEqual(1, mi.main(["--outdir", tmp, "--check"]))


def opaque(pixels):
    return {(x, y) for y, row in enumerate(pixels) for x, p in enumerate(row) if p[3]}


def neighbours(x, y):
    return ((x + 1, y), (x - 1, y), (x, y + 1), (x, y - 1))


class PictureTest(unittest.TestCase):
    def images(self, name):
        _, entries = read_ico(os.path.join(mi.DEFAULT_OUTDIR, name))
        return [decode(blob) for _, blob in entries]

    def assert_cross(self, size, bpp, pixels, outlined, shaded, label):
        cells = opaque(pixels)
        white = {(x, y) for x, y in cells if min(pixels[y][x][:3]) > 140}
        self.assertEqual(cells, {(size - 1 - x, y) for x, y in cells}, label + " not symmetric")
        widths = [sum(1 for x in range(size) if (x, y) in cells) for y in range(size)]
        bar_row = widths.index(max(widths))
        rows = [y for y in range(size) if widths[y]]
        # A Latin cross: the crossbar sits well above the middle of the upright.
        self.assertLess(bar_row - rows[0], (rows[-1] - rows[0]) / 2.0, label)
        self.assertGreater(len(white), size * size // 8, label)
        for x, y in white:
            for nx, ny in neighbours(x, y):
                edge = (nx, ny) not in cells
                self.assertFalse(outlined and edge, "%s: white meets the ground at %d,%d" % (label, x, y))
        for x, y in cells:
            r, g, b, _ = pixels[y][x]
            if not shaded:
                self.assertIn((r, g, b), ((255, 255, 255), (0, 0, 0)) if outlined else ((255, 255, 255),), label)
            elif (x, y) in white:
                self.assertTrue(b >= g >= r, "%s: %r is not white to pale blue" % (label, (r, g, b)))
        if shaded:
            self.assertTrue(any(pixels[y][x][2] - pixels[y][x][0] > 40 for x, y in white), label + " not shaded")

    def test_program_icon_is_a_cross(self):
        for i, (size, bpp, pixels, raw_zero) in enumerate(self.images("quillane.ico")):
            label = "icon %d (%dx%d, %d bit)" % (i + 1, size, size, bpp)
            self.assertTrue(raw_zero, label + ": transparent pixels must be black")
            self.assertEqual(0, pixels[0][0][3], label)
            outlined = size >= 32 or bpp == 24
            self.assert_cross(size, bpp, pixels, outlined, bpp == 24, label)

    def test_small_icon_is_a_window_except_icon_15(self):
        for i, (size, bpp, pixels, raw_zero) in enumerate(self.images("quillane_small.ico")):
            label = "icon %d (%dx%d, %d bit)" % (i + 9, size, size, bpp)
            self.assertTrue(raw_zero, label + ": transparent pixels must be black")
            if i + 9 == 15:
                self.assert_cross(size, bpp, pixels, True, False, label)
                continue
            top = min(y for y in range(size) if pixels[y][size // 2][3] == 255)
            title = pixels[top + 2][size // 3]
            self.assertTrue(title[2] > title[0] + 60, "%s: title bar %r not blue" % (label, title))
            client = [p for row in pixels[size // 2:size * 3 // 4] for p in row if p[3] == 255]
            whites = sum(1 for p in client if p == (255, 255, 255, 255))
            self.assertGreater(whites, len(client) // 2, label + ": client area not white")
            if bpp == 32:
                self.assertTrue(any(0 < p[3] < 255 for row in pixels for p in row), label + " has no soft shadow")


if __name__ == "__main__":
    unittest.main()
