#!/usr/bin/python3
"""Tests that the picture checks catch the faults they are there to catch.

    /usr/bin/python3 tools/pictures/test_check_pictures.py
"""
import io
import math
import os
import struct
import sys
import unittest

from PIL import Image, ImageDraw

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)

import check_pictures as cp  # noqa: E402
import make_pictures  # noqa: E402
from picturelib import HEIGHT, WIDTH, lut_from_stops  # noqa: E402


def jpeg(image, **options):
    buf = io.BytesIO()
    image.save(buf, "JPEG", **options)
    return buf.getvalue()


def without_app0(data):
    length = struct.unpack(">H", data[4:6])[0]
    return data[:2] + data[4 + length:]


class StructureTest(unittest.TestCase):
    def test_each_fault_is_reported(self):
        card = Image.new("RGB", (WIDTH, HEIGHT), (230, 220, 200))
        good, _ = make_pictures.encode(card)
        cases = [
            ("as the generator writes it", good, None),
            ("progressive", jpeg(card, progressive=True, dpi=(72, 72)), "frame markers"),
            ("4:4:4", jpeg(card, subsampling="4:4:4", dpi=(72, 72)), "sampling factors"),
            ("4:2:2", jpeg(card, subsampling="4:2:2", dpi=(72, 72)), "sampling factors"),
            ("96 dpi", jpeg(card, subsampling="4:2:0", dpi=(96, 96)), "JFIF density"),
            ("no density", jpeg(card), "JFIF density"),
            ("EXIF", jpeg(card, dpi=(72, 72), exif=b"Exif\0\0MM\0*\0\0\0\x08\0\0"), "APP1"),
            ("grayscale", jpeg(card.convert("L"), dpi=(72, 72)), "components"),
            ("one column short", jpeg(card.crop((0, 0, WIDTH - 1, HEIGHT)), dpi=(72, 72)),
             "SOF0 says"),
            ("no JFIF header", without_app0(good), "no JFIF"),
            ("too big", good + bytes(cp.MAX_BYTES), "bytes, more than"),
            ("not a JPEG", b"\x89PNG\r\n\x1a\n" + good, "start-of-image"),
        ]
        for what, data, fault in cases:
            with self.subTest(what):
                faults = cp.structure_faults(data)
                if fault is None:
                    self.assertEqual([], faults, what)
                else:
                    self.assertTrue(any(fault in f for f in faults), "%s: got %s" % (what, faults))


class ReadabilityTest(unittest.TestCase):
    def test_dark_patches_and_dull_backgrounds_fail(self):
        box = cp.TEXT_BOX
        area = (box[2] - box[0] + 1) * (box[3] - box[1] + 1)
        cases = [
            # (what, background, rows of black across the box, passes)
            ("plain light", 230, 0, True),
            ("just bright enough", cp.MIN_MEAN, 0, True),
            ("dull all over", cp.MIN_MEAN - 1, 0, False),
            ("4% black band", 250, int(0.04 * area / (box[2] - box[0] + 1)), True),
            ("6% black band", 250, int(0.06 * area / (box[2] - box[0] + 1)) + 1, False),
        ]
        for what, level, rows, passes in cases:
            with self.subTest(what):
                gray = Image.new("L", (WIDTH, HEIGHT), level)
                if rows:
                    ImageDraw.Draw(gray).rectangle([box[0], box[1], box[2], box[1] + rows - 1],
                                                   fill=0)
                mean, p5 = cp.readability(gray, box)
                ok = mean >= cp.MIN_MEAN and p5 >= cp.MIN_P5
                self.assertEqual(passes, ok, "%s: mean %.1f p5 %d" % (what, mean, p5))


class LayoutTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.card = make_pictures.render(131).convert("L")

    def test_real_card_passes_and_damaged_cards_fail(self):
        def shifted(dx, dy):
            return self.card.transform(self.card.size, Image.AFFINE, (1, 0, -dx, 0, 1, -dy),
                                       fillcolor=230)

        def painted(box, level):
            g = self.card.copy()
            ImageDraw.Draw(g).rectangle(box, fill=level)
            return g

        cases = [
            ("as generated", self.card, None),
            ("one row down", shifted(0, 1), "top frame"),
            ("one column right", shifted(1, 0), "left frame"),
            ("bar one row thinner", painted([0, 407, WIDTH - 1, 407], 200), "bar frame"),
            ("left frame one column wider", painted([7, 0, 7, HEIGHT - 1], 40), "left frame"),
            ("right frame lighter", painted([338, 0, 338, HEIGHT - 1], 200), "right frame"),
            ("bottom frame too tall", painted([11, 495, 337, 495], 40), "bottom frame"),
            ("heading missing", painted([12, 410, 200, 423], 230), "heading ink"),
            ("heading smudge to the left", painted([13, 416, 13, 417], 20), "heading ink"),
            ("underline broken", painted([70, 424, 72, 424], 230), "underline"),
        ]
        for what, gray, fault in cases:
            with self.subTest(what):
                faults = cp.layout_faults(gray)
                if fault is None:
                    self.assertEqual([], faults, what)
                else:
                    self.assertTrue(any(fault in f for f in faults), "%s: got %s" % (what, faults))

    def test_margin_left_of_the_text_is_as_light_as_beside_it(self):
        for what, box in (("text area", cp.TEXT_BOX), ("holiday lines", cp.HOLIDAY_BOX)):
            means = cp.col_means(self.card, range(cp.BESIDE[0], cp.BESIDE[1] + 1), box[1], box[3])
            beside = sum(means.values()) / len(means)
            lightest_too_dark = math.ceil(beside - cp.MARGIN_SLACK) - 1
            for column in cp.MARGIN:
                for level, passes in ((lightest_too_dark + 1, True), (lightest_too_dark, False)):
                    with self.subTest(what, column=column, level=level):
                        gray = self.card.copy()
                        ImageDraw.Draw(gray).line([(column, box[1]), (column, box[3])], fill=level)
                        faults = cp.margin_faults(gray)
                        self.assertEqual(passes, not any(what in f for f in faults),
                                         "beside %.1f: %s" % (beside, faults))

    def test_heading_mask_is_pixel_exact(self):
        self.assertEqual([], cp.mask_faults())


class HelpersTest(unittest.TestCase):
    def test_dark_run(self):
        cases = [
            ({0: 120, 1: 50, 2: 60, 3: 130}, (1, 2)),
            ({0: 50, 1: 50}, (0, 1)),
            ({0: 120, 1: 130}, None),
            ({0: 50, 1: 120, 2: 50}, ("broken", [0, 2])),
            ({5: cp.DARK, 6: cp.DARK - 1}, (6, 6)),
        ]
        for profile, want in cases:
            with self.subTest(profile=profile):
                self.assertEqual(want, cp.dark_run(profile))

    def test_colour_stops(self):
        r, g, b = lut_from_stops([(0.0, (0, 100, 200)), (0.5, (100, 100, 100)),
                                  (1.0, (200, 0, 255))])
        cases = [(0, (0, 100, 200)), (255, (200, 0, 255)), (64, (50, 100, 150)),
                 (191, (150, 50, 178))]
        for index, want in cases:
            with self.subTest(index=index):
                got = (r[index], g[index], b[index])
                for w, x in zip(want, got):
                    self.assertLessEqual(abs(w - x), 1, "at %d: %s, want %s" % (index, got, want))


if __name__ == "__main__":
    unittest.main()
