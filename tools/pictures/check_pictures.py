#!/usr/bin/python3
"""Check the committed background pictures (or the files named on the command line).

    /usr/bin/python3 tools/pictures/check_pictures.py [image_131.jpg ...]

Checks each file's JPEG structure, that black text reads over it, and that the
frame, bar and heading sit on the exact rows and columns the card's text and
buttons are placed around.  Prints one line per check that fails and exits 1.
"""
import os
import struct
import sys

from PIL import Image, ImageStat

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)

from picturelib import (FRAME_CORE, HEADING_INK, HEADING_UNDERLINE_ROW, HEIGHT,  # noqa: E402
                        HOLIDAY_BOX, TEXT_BOX, WIDTH, heading_mask)

ROOT = os.path.dirname(os.path.dirname(HERE))
PICTURE_IDS = range(131, 139)
MAX_BYTES = 70000
SAMPLING = [0x22, 0x11, 0x11]   # luminance 2x2, colour 1x1: 4:2:0
MIN_MEAN, MIN_P5 = 200, 150
DARK = 90          # frame core rows and columns average below this luminance
INK = 160          # heading pixels are darker than this, parchment far lighter
# The card's text starts at x 10 (its first ink there or a pixel or two further in): the
# columns from the frame's edge to there must be as light as the ground beside them, or a
# reader takes "12/25" for "[2/25".
MARGIN = (8, 12)
BESIDE = (13, 20)
MARGIN_SLACK = 6   # how much darker a margin column may average than the ground beside


def jpeg_segments(data):
    """(marker, payload) for every segment up to the start of scan."""
    if data[:2] != b"\xff\xd8":
        raise ValueError("no JPEG start-of-image marker")
    pos, out = 2, []
    while pos + 4 <= len(data):
        if data[pos] != 0xFF:
            raise ValueError("segment marker expected at byte %d" % pos)
        marker = data[pos + 1]
        length = struct.unpack(">H", data[pos + 2:pos + 4])[0]
        out.append((marker, data[pos + 4:pos + 2 + length]))
        if marker == 0xDA:
            break
        pos += 2 + length
    return out


def structure_faults(data):
    faults = []
    if len(data) > MAX_BYTES:
        faults.append("%d bytes, more than %d" % (len(data), MAX_BYTES))
    try:
        segments = jpeg_segments(data)
    except ValueError as e:
        return faults + [str(e)]
    markers = [m for m, _ in segments]
    frames = [m for m in markers if 0xC0 <= m <= 0xCF and m not in (0xC4, 0xC8, 0xCC)]
    if frames != [0xC0]:
        faults.append("frame markers %s, want one baseline SOF0" % [hex(m) for m in frames])
    else:
        sof = dict(segments)[0xC0]
        precision, height, width, components = struct.unpack(">BHHB", sof[:6])
        if (precision, width, height, components) != (8, WIDTH, HEIGHT, 3):
            faults.append("SOF0 says %d-bit %dx%d with %d components"
                          % (precision, width, height, components))
        else:
            # Sampling factors (horizontal << 4 | vertical) of Y, Cb, Cr: 4:2:0.
            sampling = [sof[6 + 3 * i + 1] for i in range(3)]
            if sampling != SAMPLING:
                faults.append("sampling factors %s, want 4:2:0 %s"
                              % (["%x" % f for f in sampling], ["%x" % f for f in SAMPLING]))
    app0 = [p for m, p in segments if m == 0xE0 and p[:5] == b"JFIF\0"]
    if not app0:
        faults.append("no JFIF header")
    else:
        units, xd, yd = struct.unpack(">BHH", app0[0][7:12])
        if (units, xd, yd) != (1, 72, 72):
            faults.append("JFIF density units %d, %dx%d; want 72x72 dpi" % (units, xd, yd))
    if 0xE1 in markers:
        faults.append("carries an APP1 (EXIF) segment")
    return faults


def percentile(gray, box, fraction):
    hist = gray.crop(box).histogram()
    need = fraction * sum(hist)
    seen = 0
    for value, count in enumerate(hist):
        seen += count
        if seen >= need:
            return value
    return 255


def readability(gray, box):
    """Mean and 5th percentile of luminance over an inclusive box."""
    crop_box = (box[0], box[1], box[2] + 1, box[3] + 1)
    return ImageStat.Stat(gray.crop(crop_box)).mean[0], percentile(gray, crop_box, 0.05)


def dark_run(profile):
    """Indices whose average falls below DARK, as (first, last), or None if not one run."""
    dark = [i for i, v in sorted(profile.items()) if v < DARK]
    if not dark or dark[-1] - dark[0] + 1 != len(dark):
        return None if not dark else ("broken", dark)
    return dark[0], dark[-1]


def row_means(gray, rows, x0, x1):
    return {y: ImageStat.Stat(gray.crop((x0, y, x1 + 1, y + 1))).mean[0] for y in rows}


def col_means(gray, cols, y0, y1):
    return {x: ImageStat.Stat(gray.crop((x, y0, x + 1, y1 + 1))).mean[0] for x in cols}


# (what, profile of the luminance across that side of the frame, expected dark run)
FRAME_SIDES = [
    ("top", lambda g: row_means(g, range(0, 16), 11, 337), (2, 10)),
    ("left", lambda g: col_means(g, range(0, 16), 11, 398), (1, 6)),
    ("right", lambda g: col_means(g, range(326, 342), 11, 398), (338, 341)),
    ("bottom", lambda g: row_means(g, range(484, 500), 11, 337), (496, 499)),
    ("bar", lambda g: row_means(g, range(390, 416), 11, 337), (399, 407)),
]


def margin_faults(gray):
    """Columns MARGIN that average darker than the ground in columns BESIDE, over the rows
    of the text area and of the holiday lines."""
    faults = []
    for what, box in (("text area", TEXT_BOX), ("holiday lines", HOLIDAY_BOX)):
        means = col_means(gray, range(MARGIN[0], BESIDE[1] + 1), box[1], box[3])
        ground = [means[x] for x in range(BESIDE[0], BESIDE[1] + 1)]
        beside = sum(ground) / len(ground)
        dark = ["%d: %.0f" % (x, means[x]) for x in range(MARGIN[0], MARGIN[1] + 1)
                if means[x] < beside - MARGIN_SLACK]
        if dark:
            faults.append("left margin of the %s darker than the ground beside it (%.0f): %s"
                          % (what, beside, ", ".join(dark)))
    return faults


def layout_faults(gray):
    faults = []
    for side, profile, want in FRAME_SIDES:
        got = dark_run(profile(gray))
        if got != want:
            faults.append("%s frame dark at %s, want %s" % (side, got, want))
    faults += margin_faults(gray)
    # From just inside the frame's frayed edge to well past the heading.
    left, top = 12, 410
    ink = gray.crop((left, top, 200, 432)).point(lambda v: 255 if v < INK else 0)
    box = ink.getbbox()
    got = box and (box[0] + left, box[1] + top, box[2] + left - 1, box[3] + top - 1)
    x0, y0, x1, _ = HEADING_INK
    if not got or got[:3] != (x0, y0, x1) or got[3] <= HEADING_UNDERLINE_ROW:
        faults.append("heading ink box %s, want x %d..%d from y %d, descenders below y %d"
                      % (got, x0, x1, y0, HEADING_UNDERLINE_ROW))
    underline = [gray.getpixel((x, HEADING_UNDERLINE_ROW)) for x in range(x0, x1 + 1)]
    if max(underline) >= INK:
        faults.append("underline row %d broken (lightest %d)" % (HEADING_UNDERLINE_ROW,
                                                                  max(underline)))
    return faults


def mask_faults():
    """The heading as drawn, before JPEG: ink box and underline exact to the pixel."""
    mask = heading_mask()
    x0, y0, x1, y1 = HEADING_INK
    faults = []
    box = mask.getbbox()
    if box is None or box[:3] != (x0, y0, x1 + 1):
        faults.append("heading mask box %s" % (box,))
    for y in range(y0, y1 + 1):
        if max(mask.getpixel((x, y)) for x in range(x0, x1 + 1)) < 128:
            faults.append("heading row %d has no solid ink" % y)
    for x in (x0, x1):
        if max(mask.getpixel((x, y)) for y in range(y0, y1 + 1)) < 128:
            faults.append("heading column %d has no solid ink" % x)
    if min(mask.getpixel((x, HEADING_UNDERLINE_ROW)) for x in range(x0, x1 + 1)) < 255:
        faults.append("underline row not solid")
    # Only the descenders of p and g may reach below the underline.
    below = mask.crop((x0, HEADING_UNDERLINE_ROW + 1, x1 + 1, HEIGHT)).point(
        lambda v: 255 if v >= 128 else 0)
    columns = below.getbbox()
    if columns is None or columns[2] - columns[0] > 70 or columns[3] > 4:
        faults.append("ink below the underline at %s, want only short descenders" % (columns,))
    return faults


def frame_spread(grays):
    """Largest mean difference of the frame's dark core between any picture and the first."""
    boxes = [(l, t, r + 1, b + 1) for l, t, r, b in FRAME_CORE]
    first = [grays[0].crop(b) for b in boxes]
    worst = 0.0
    for g in grays[1:]:
        for ref, b in zip(first, boxes):
            diff = [abs(a - c) for a, c in zip(ref.getdata(), g.crop(b).getdata())]
            worst = max(worst, sum(diff) / len(diff))
    return worst


def run(paths):
    failures = mask_faults()
    for fault in failures:
        print("FAIL heading mask: " + fault)
    grays = []
    print("%-14s %6s  %14s  %14s" % ("picture", "bytes", "text mean/p5", "panel mean/p5"))
    for path in paths:
        name = os.path.basename(path)
        with open(path, "rb") as f:
            data = f.read()
        faults = structure_faults(data)
        image = Image.open(path)
        image.load()
        if image.mode != "RGB" or image.size != (WIDTH, HEIGHT):
            faults.append("decodes as %s %s" % (image.mode, image.size))
            print("FAIL %s: %s" % (name, "; ".join(faults)))
            failures += faults
            continue
        gray = image.convert("L")
        grays.append(gray)
        text = readability(gray, TEXT_BOX)
        panel = readability(gray, HOLIDAY_BOX)
        for what, (mean, p5) in (("text area", text), ("holiday lines", panel)):
            if mean < MIN_MEAN or p5 < MIN_P5:
                faults.append("%s too dark for black text: mean %.1f (min %d), 5th percentile %d "
                              "(min %d)" % (what, mean, MIN_MEAN, p5, MIN_P5))
        faults += layout_faults(gray)
        print("%-14s %6d  %8.1f / %3d  %8.1f / %3d" % (name, len(data), text[0], text[1],
                                                       panel[0], panel[1]))
        for fault in faults:
            print("FAIL %s: %s" % (name, fault))
        failures += faults
    if len(grays) > 1:
        spread = frame_spread(grays)
        if spread > 6:
            print("FAIL frames differ between pictures by %.1f on average" % spread)
            failures.append("frame spread")
    if failures:
        print("%d check(s) failed" % len(failures))
        return 1
    print("all checks passed")
    return 0


def main(argv):
    paths = argv or [os.path.join(ROOT, "resources", "images", "image_%d.jpg" % i)
                     for i in PICTURE_IDS]
    return run(paths)


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
