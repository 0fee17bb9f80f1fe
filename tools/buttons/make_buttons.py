#!/usr/bin/python3
"""Generate the three button faces of the card.

resources/buttons/next.bmp     46 x 31, bitmap 153: a black arrow pointing right
resources/buttons/context.bmp  86 x 31, bitmap 154: "Context"
resources/buttons/goforth.bmp  86 x 31, bitmap 155: "Go Forth"

All three share one plate: blue stone with a darker raised rim. The buttons that show
the 86-pixel faces are 85 pixels wide, so those faces are designed on 85 columns and
the 86th repeats the 85th.

Files are 16-bit 5-5-5 BI_RGB bitmaps, bottom-up, written byte by byte.

Usage:
    make_buttons.py                 write the three files into resources/buttons
    make_buttons.py --outdir DIR    write them into DIR
    make_buttons.py --check         exit 1 unless the committed files are reproduced
"""

import os
import random
import struct
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
import generated_files  # noqa: E402

from PIL import Image, ImageDraw, ImageFont

HERE = os.path.dirname(os.path.abspath(__file__))
DEFAULT_OUTDIR = os.path.normpath(os.path.join(HERE, "..", "..", "resources", "buttons"))
FONT = "/usr/share/fonts/truetype/liberation2/LiberationSans-BoldItalic.ttf"

HEIGHT = 31
# name -> (file width, designed width, label or None for the arrow)
FACES = {
    "next": (46, 46, None),
    "context": (86, 85, "Context"),
    "goforth": (86, 85, "Go Forth"),
}

PLATE = (62, 104, 178)
RIM = (30, 56, 118)
RIM_LIGHT = (120, 158, 220)
RIM_DARK = (12, 24, 60)
OUTER = (8, 16, 44)
TEXTURE_SEED = 1531


def clamp(v):
    return max(0, min(255, int(round(v))))


def shade(colour, factor):
    return tuple(clamp(c * factor) for c in colour)


def value_noise(width, height, rng):
    """Stone-like brightness field around 1.0: a few octaves of smoothed lattice noise
    plus fine grain."""
    field = [[0.0] * width for _ in range(height)]
    for cell, amp in ((9, 0.13), (5, 0.09), (3, 0.06), (2, 0.04)):
        gw, gh = width // cell + 2, height // cell + 2
        grid = [[rng.uniform(-1, 1) for _ in range(gw)] for _ in range(gh)]
        for y in range(height):
            gy, fy = divmod(y / cell, 1)
            gy = int(gy)
            sy = fy * fy * (3 - 2 * fy)
            for x in range(width):
                gx, fx = divmod(x / cell, 1)
                gx = int(gx)
                sx = fx * fx * (3 - 2 * fx)
                top = grid[gy][gx] + (grid[gy][gx + 1] - grid[gy][gx]) * sx
                bottom = grid[gy + 1][gx] + (grid[gy + 1][gx + 1] - grid[gy + 1][gx]) * sx
                field[y][x] += amp * (top + (bottom - top) * sy)
    for y in range(height):
        for x in range(width):
            field[y][x] += rng.uniform(-0.04, 0.04)
            # Occasional dark pits and pale flecks, as in weathered stone.
            speck = rng.random()
            if speck < 0.025:
                field[y][x] -= 0.14
            elif speck > 0.985:
                field[y][x] += 0.12
    return [[1.0 + v for v in row] for row in field]


def plate(width, rng):
    """The textured plate with its rim, as an RGB image."""
    texture = value_noise(width, HEIGHT, rng)
    image = Image.new("RGB", (width, HEIGHT))
    last_x, last_y = width - 1, HEIGHT - 1
    for y in range(HEIGHT):
        for x in range(width):
            # Distance into the face from the nearest edge, and which edge that is.
            d = min(x, y, last_x - x, last_y - y)
            lit_side = min(x, y) <= min(last_x - x, last_y - y)
            if d == 0:
                colour = OUTER
            elif d == 1:
                colour = RIM_LIGHT if lit_side else RIM_DARK
            elif d <= 3:
                colour = RIM
            elif d == 4:
                # Inner slope of the rim: in shadow at the top left, catching light at
                # the bottom right, so the rim stands above the plate.
                colour = shade(RIM, 0.75) if lit_side else shade(RIM_LIGHT, 0.85)
            else:
                colour = PLATE
            image.putpixel((x, y), shade(colour, texture[y][x]))
    return image


def draw_arrow(image):
    """Black arrow pointing right, anti-aliased by drawing at 8x and reducing."""
    scale = 8
    w, h = image.size
    mask = Image.new("L", (w * scale, h * scale), 0)
    draw = ImageDraw.Draw(mask)
    cy = h * scale / 2.0
    shaft_half = 2.5 * scale
    head_half = 8.0 * scale
    left, neck, tip = 11.0 * scale, 24.0 * scale, 35.0 * scale
    draw.rectangle([left, cy - shaft_half, neck + scale, cy + shaft_half], fill=255)
    draw.polygon([(neck, cy - head_half), (tip, cy), (neck, cy + head_half)], fill=255)
    mask = mask.resize((w, h), Image.BOX)
    # A faint light edge below the arrow sets it into the stone.
    glow = Image.new("L", (w, h), 0)
    glow.paste(mask, (1, 1))
    image.paste(shade(PLATE, 1.45), (0, 0), glow.point(lambda v: v // 3))
    image.paste((0, 0, 0), (0, 0), mask)


def draw_label(image, text):
    """White italic text centred on the face, with a dark shadow below right."""
    font = ImageFont.truetype(FONT, 15)
    w, h = image.size
    left, top, right, bottom = font.getbbox(text)
    x = (w - (right - left)) / 2.0 - left
    # Centre on the letters' cap height so descenders do not pull the word up.
    cap_top, cap_bottom = font.getbbox("C")[1], font.getbbox("C")[3]
    y = (h - (cap_bottom - cap_top)) / 2.0 - cap_top
    x, y = int(round(x)), int(round(y))
    shadow = Image.new("L", (w, h), 0)
    ImageDraw.Draw(shadow).text((x + 1, y + 1), text, font=font, fill=200)
    image.paste(RIM_DARK, (0, 0), shadow)
    letters = Image.new("L", (w, h), 0)
    ImageDraw.Draw(letters).text((x, y), text, font=font, fill=255)
    image.paste((255, 255, 255), (0, 0), letters)


def render_face(name):
    width, design_width, label = FACES[name]
    rng = random.Random("%s-%d" % (name, TEXTURE_SEED))
    image = plate(design_width, rng)
    if label is None:
        draw_arrow(image)
    else:
        draw_label(image, label)
    if width > design_width:
        wide = Image.new("RGB", (width, HEIGHT))
        wide.paste(image, (0, 0))
        wide.paste(image.crop((design_width - 1, 0, design_width, HEIGHT)), (design_width, 0))
        image = wide
    return image


def to_555(rgb):
    r, g, b = (int(round(c * 31 / 255.0)) for c in rgb)
    return (r << 10) | (g << 5) | b


def encode_bmp(image):
    """16-bit BI_RGB bitmap file (5-5-5), bottom-up rows padded to 4 bytes."""
    w, h = image.size
    pixels = image.load()
    rows = []
    for y in range(h - 1, -1, -1):
        row = b"".join(struct.pack("<H", to_555(pixels[x, y])) for x in range(w))
        rows.append(row + b"\0" * (-len(row) % 4))
    bits = b"".join(rows)
    # Two zero bytes after the pixels keep the bitmap resources at 2894 and 5374
    # bytes, the sizes the program's resource list gives for them.
    tail = b"\0\0"
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 16, 0, len(bits), 2835, 2835, 0, 0)
    offset = 14 + len(info)
    size = offset + len(bits) + len(tail)
    header = struct.pack("<2sIHHI", b"BM", size, 0, 0, offset)
    return header + info + bits + tail


def build():
    return {name + ".bmp": encode_bmp(render_face(name)) for name in FACES}


def main(argv=None):
    return generated_files.run(build, DEFAULT_OUTDIR, __doc__.splitlines()[0], "button faces", argv)


if __name__ == "__main__":
    sys.exit(main())
