#!/usr/bin/python3
"""Generate the card background pictures, IMAGE resources 131..138.

    /usr/bin/python3 tools/pictures/make_pictures.py [--out DIR]

Writes image_131.jpg .. image_138.jpg (default: resources/images/) and then
runs the checks of check_pictures.py on what it wrote; any failed check ends
the run with status 1.  Output is byte-for-byte reproducible.
"""
import argparse
import io
import os
import random
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)

from picturelib import add_grain, apply_card_layout, wash  # noqa: E402
from motifs import MOTIFS  # noqa: E402
import check_pictures  # noqa: E402

ROOT = os.path.dirname(os.path.dirname(HERE))
DEFAULT_OUT = os.path.join(ROOT, "resources", "images")

# The largest file we accept.  Quality 88 is used when the picture fits (all eight do,
# at 32-43 KB); otherwise the best lower quality that stays below the budget.
BYTE_BUDGET = 64000
QUALITIES = range(88, 59, -1)
# Colour at half the resolution both ways (4:2:0): half as many samples to decode at
# every paint as full-resolution colour, with no colour fringe to see on the
# washed-out motifs, the frame or the heading.
SUBSAMPLING = "4:2:0"
# Paper grain over the motif, in luminance steps either way.
GRAIN = 5


def render(picture_id):
    """The finished picture as a PIL image, before JPEG encoding."""
    _, draw = MOTIFS[picture_id]
    rng = random.Random(picture_id * 7919)
    motif, strength = draw(rng)
    faded = add_grain(wash(motif, strength), GRAIN, rng)
    return apply_card_layout(faded)


def encode(image):
    """Baseline 4:2:0 JPEG with JFIF 72 dpi and no EXIF, at the best quality within budget."""
    for quality in QUALITIES:
        buf = io.BytesIO()
        image.save(buf, "JPEG", quality=quality, optimize=True, progressive=False,
                   subsampling=SUBSAMPLING, dpi=(72, 72))
        if buf.tell() <= BYTE_BUDGET:
            return buf.getvalue(), quality
    raise SystemExit("picture does not fit in %d bytes even at quality %d"
                     % (BYTE_BUDGET, QUALITIES[-1]))


def main(argv=None):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--out", default=DEFAULT_OUT, help="output folder")
    args = parser.parse_args(argv)
    os.makedirs(args.out, exist_ok=True)
    paths = []
    for picture_id in sorted(MOTIFS):
        data, quality = encode(render(picture_id))
        path = os.path.join(args.out, "image_%d.jpg" % picture_id)
        with open(path, "wb") as f:
            f.write(data)
        paths.append(path)
        print("%s  %6d bytes  quality %d  %s" % (os.path.basename(path), len(data), quality,
                                                  MOTIFS[picture_id][0]))
    return check_pictures.run(paths)


if __name__ == "__main__":
    sys.exit(main())
