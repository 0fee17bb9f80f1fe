#!/usr/bin/python3
"""Pixel checks on screenshots for the end-to-end scenarios.

  pixels.py dark IMAGE X Y W H           number of dark pixels (text) in the box
  pixels.py differ A B X Y W H           share of pixels (0..1) that differ between A and B
  pixels.py background-differ A B X Y W H
      share of light pixels that differ, ignoring pixels near dark text in either
      image: tells a new background picture from a new verse over the same picture
"""
import sys

from PIL import Image, ImageFilter

DARK = 80


def box(image, x, y, w, h):
    return Image.open(image).convert("L").crop((x, y, x + w, y + h))


def dark(image, x, y, w, h):
    return sum(1 for v in box(image, x, y, w, h).getdata() if v < DARK)


def differ(a, b, x, y, w, h):
    pa, pb = box(a, x, y, w, h).getdata(), box(b, x, y, w, h).getdata()
    return sum(1 for u, v in zip(pa, pb) if abs(u - v) > 24) / float(w * h)


def background_differ(a, b, x, y, w, h):
    ia, ib = box(a, x, y, w, h), box(b, x, y, w, h)
    # Grow the text in both images so anti-aliased edges count as text too.
    mask_a = ia.point(lambda v: 255 if v < 160 else 0).filter(ImageFilter.MaxFilter(7))
    mask_b = ib.point(lambda v: 255 if v < 160 else 0).filter(ImageFilter.MaxFilter(7))
    counted = changed = 0
    for u, v, ma, mb in zip(ia.getdata(), ib.getdata(), mask_a.getdata(), mask_b.getdata()):
        if ma or mb:
            continue
        counted += 1
        if abs(u - v) > 24:
            changed += 1
    return changed / float(counted or 1)


def main(argv):
    what = argv[1]
    if what == "dark":
        print(dark(argv[2], *map(int, argv[3:7])))
    elif what == "differ":
        print("%.4f" % differ(argv[2], argv[3], *map(int, argv[4:8])))
    elif what == "background-differ":
        print("%.4f" % background_differ(argv[2], argv[3], *map(int, argv[4:8])))
    else:
        sys.exit("unknown check " + what)


if __name__ == "__main__":
    main(sys.argv)
