#!/usr/bin/python3
"""Preview sheets of the background pictures, for looking at, not for shipping.

    /usr/bin/python3 tools/pictures/make_previews.py [--images DIR] [--out DIR]

contact_sheet.png: the eight pictures side by side.
mockup_131.png ... mockup_138.png and mockups.png: each picture with sample
black text where the card draws its verse, reference, attribution and holiday
lines, and the button outlines, to judge readability.
"""
import argparse
import os
import sys

from PIL import Image, ImageDraw, ImageFont

import card_layout as layout

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))
FONTS = "/usr/share/fonts/truetype/liberation2/"

VERSE = ("For God so loved the world, that he gave his only begotten Son, that whosoever "
         "believeth in him should not perish, but have everlasting life.")
REFERENCE = "John 3:16"
ATTRIBUTION = "King James Version"
HOLIDAYS = ["12/24  Christmas Eve (tomorrow)", "12/25  Christmas (in 2 days)",
            "01/06  Epiphany (in 14 days)", "02/21  Ash Wednesday (in 60 days)"]
BUTTONS = [(b.left, layout.BUTTON_TOP, b.left + b.width - 1,
            layout.BUTTON_TOP + layout.BUTTON_HEIGHT - 1)
           for b in (layout.CONTEXT_BUTTON, layout.NEXT_VERSE_BUTTON, layout.GO_FORTH_BUTTON)]
RIGHT = layout.CARD_TEXT_RIGHT


def font(bold, cell_height):
    """The card asks for fonts by cell height; Liberation Sans, like Arial, has a cell of 1.117 em."""
    name = "LiberationSans-Bold.ttf" if bold else "LiberationSans-Regular.ttf"
    return ImageFont.truetype(FONTS + name, int(round(cell_height / 1.117)))


def wrap(draw, text, fnt, left):
    lines, line = [], ""
    for word in text.split():
        trial = (line + " " + word).strip()
        if draw.textlength(trial, font=fnt) > RIGHT - left and line:
            lines.append(line)
            line = word
        else:
            line = trial
    return lines + [line]


def mockup(picture):
    image = picture.convert("RGB")
    d = ImageDraw.Draw(image)

    def draw(block, text, line=0, spacing=0):
        f = font(block.weight > layout.FONT_WEIGHT_NORMAL, block.height)
        d.text((block.left, block.top + spacing * line), text, font=f, fill=(0, 0, 0))

    verse = layout.VERSE_BLOCK
    for i, line in enumerate(wrap(d, VERSE, font(False, verse.height), verse.left)):
        draw(verse, line, i, verse.height)
    draw(layout.REFERENCE_BLOCK, REFERENCE)
    draw(layout.ATTRIBUTION_BLOCK, ATTRIBUTION)
    for i, line in enumerate(HOLIDAYS):
        draw(layout.FIRST_HOLIDAY_BLOCK, line, i, layout.HOLIDAY_LINE_SPACING)
    for box in BUTTONS:
        d.rectangle(box, outline=(90, 90, 90))
    return image


def side_by_side(images, gap=8):
    w, h = images[0].size
    sheet = Image.new("RGB", (len(images) * (w + gap) + gap, h + 2 * gap), (64, 64, 64))
    for i, im in enumerate(images):
        sheet.paste(im, (gap + i * (w + gap), gap))
    return sheet


def main(argv=None):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--images", default=os.path.join(ROOT, "resources", "images"))
    parser.add_argument("--out", default=os.path.join(ROOT, "build", "previews"))
    args = parser.parse_args(argv)
    os.makedirs(args.out, exist_ok=True)
    pictures = [Image.open(os.path.join(args.images, "image_%d.jpg" % i)) for i in range(131, 139)]
    side_by_side(pictures).save(os.path.join(args.out, "contact_sheet.png"))
    mocks = [mockup(p) for p in pictures]
    for i, m in zip(range(131, 139), mocks):
        m.save(os.path.join(args.out, "mockup_%d.png" % i))
    side_by_side(mocks).save(os.path.join(args.out, "mockups.png"))
    print("previews in " + args.out)
    return 0


if __name__ == "__main__":
    sys.exit(main())
