#!/usr/bin/python3
"""Generate the program's icon files.

resources/icons/quillane.ico        group 107, icons 1-8: a white Latin cross
resources/icons/quillane_small.ico  group 108, icons 9-16: a generic application
                                    window, except icon 15 (32x32, 24 bit), a cross

Each image is written by hand as a classic icon image (BITMAPINFOHEADER with doubled
height, palette for 4 and 8 bit, bottom-up colour rows, then the 1-bit AND mask) so
that sizes, depths and byte counts are exactly the ones the resource script expects.

Usage:
    make_icons.py                 write both files into resources/icons
    make_icons.py --outdir DIR    write them into DIR
    make_icons.py --check         exit 1 unless the committed files are reproduced
"""

import os
import struct
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
import generated_files  # noqa: E402

HERE = os.path.dirname(os.path.abspath(__file__))
DEFAULT_OUTDIR = os.path.normpath(os.path.join(HERE, "..", "..", "resources", "icons"))

TRANSPARENT = (0, 0, 0, 0)
BLACK = (0, 0, 0, 255)
WHITE = (255, 255, 255, 255)

# The classic 16-colour system palette: 4-bit images must use these exactly.
VGA16 = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]


def palette_256():
    """The 16 system colours, a 6x6x6 colour cube and a 24-step grey ramp."""
    pal = list(VGA16)
    steps = (0, 51, 102, 153, 204, 255)
    pal += [(r, g, b) for r in steps for g in steps for b in steps]
    pal += [(8 + 10 * i, 8 + 10 * i, 8 + 10 * i) for i in range(24)]
    assert len(pal) == 256
    return pal


class Canvas:
    """RGBA pixels, row 0 at the top."""

    def __init__(self, size):
        self.width = self.height = size
        self.px = [[TRANSPARENT] * size for _ in range(size)]

    def fill(self, x0, y0, x1, y1, colour):
        """Fill the inclusive rectangle x0..x1, y0..y1."""
        for y in range(max(y0, 0), min(y1, self.height - 1) + 1):
            for x in range(max(x0, 0), min(x1, self.width - 1) + 1):
                self.px[y][x] = colour


def lerp(c0, c1, t):
    t = min(max(t, 0.0), 1.0)
    return tuple(int(round(a + (b - a) * t)) for a, b in zip(c0, c1))


# ---------------------------------------------------------------- the cross

# White part of the Latin cross for each size: (bar x0, x1, top, bottom, arm x0, x1, arm y0, y1).
# With an outline the white part shrinks so that the black edge still fits the frame.
CROSS = {
    (16, False): (6, 9, 1, 14, 2, 13, 4, 7),
    (16, True): (6, 9, 2, 13, 3, 12, 5, 8),
    (32, False): (13, 18, 2, 29, 5, 26, 8, 13),
    (32, True): (13, 18, 3, 28, 6, 25, 9, 14),
    (48, False): (20, 27, 3, 44, 7, 40, 13, 20),
    (48, True): (20, 27, 5, 42, 9, 38, 15, 22),
}


def cross_cells(size, outlined):
    bx0, bx1, top, bottom, ax0, ax1, ay0, ay1 = CROSS[(size, outlined)]
    cells = set()
    for y in range(top, bottom + 1):
        for x in range(bx0, bx1 + 1):
            cells.add((x, y))
    for y in range(ay0, ay1 + 1):
        for x in range(ax0, ax1 + 1):
            cells.add((x, y))
    return cells


def grow(cells, width):
    """Cells within `width` pixels (chessboard distance) of the set, excluding it."""
    ring = set()
    for x, y in cells:
        for dy in range(-width, width + 1):
            for dx in range(-width, width + 1):
                if (x + dx, y + dy) not in cells:
                    ring.add((x + dx, y + dy))
    return ring


def draw_cross(size, outlined, shaded, outline_colour=BLACK):
    canvas = Canvas(size)
    cells = cross_cells(size, outlined)
    if outlined:
        for x, y in grow(cells, 2 if size >= 48 else 1):
            canvas.px[y][x] = outline_colour
    pale_blue = (150, 190, 240, 255)
    for x, y in cells:
        if not shaded:
            canvas.px[y][x] = WHITE
            continue
        # Light falls from the top left: white there, pale blue towards the bottom
        # right, with a bright rim on the lit edges and a deeper one on the shaded edges.
        t = (x + y) / (2.0 * (size - 1))
        colour = lerp(WHITE, pale_blue, 0.15 + 0.75 * t)
        lit = (x - 1, y) not in cells or (x, y - 1) not in cells
        dark = (x + 1, y) not in cells or (x, y + 1) not in cells
        if dark and not lit:
            colour = lerp(colour, (95, 140, 210, 255), 0.55)
        elif lit and not dark:
            colour = WHITE
        canvas.px[y][x] = colour
    return canvas


# ---------------------------------------------------------------- the window

def draw_window(size, depth):
    """A generic application window: frame, coloured title bar, white client area."""
    canvas = Canvas(size)
    # Frame rectangle, title height and caption-button size per icon size.
    x0, y0, x1, y1, title, button = {16: (1, 2, 14, 13, 3, 0),
                                     32: (2, 4, 29, 27, 5, 3),
                                     48: (3, 6, 44, 41, 8, 4)}[size]
    if depth == 32:
        # Soft shadow under the lower right, the only partly transparent pixels.
        off = 1 if size == 16 else 2
        for y in range(y0 + off, y1 + off + 1):
            for x in range(x0 + off, x1 + off + 1):
                inner = x <= x1 + off - 1 and y <= y1 + off - 1
                canvas.px[y][x] = (0, 0, 0, 90 if inner else 45)
    frame = (64, 64, 64, 255) if depth >= 8 else (128, 128, 128, 255)
    canvas.fill(x0, y0, x1, y1, frame)
    canvas.fill(x0 + 1, y0 + 1 + title, x1 - 1, y1 - 1, WHITE)
    for y in range(y0 + 1, y0 + 1 + title):
        for x in range(x0 + 1, x1):
            if depth == 4:
                canvas.px[y][x] = (0, 0, 128, 255)
            elif depth == 8:
                # A gradient would band badly in 256 colours: flat blue, lit top row.
                canvas.px[y][x] = (51, 102, 204, 255) if y == y0 + 1 else (0, 51, 153, 255)
            else:
                # Title bar running from deep blue on the left to a lighter blue.
                t = (x - x0) / float(x1 - x0)
                colour = lerp((10, 36, 106, 255), (90, 150, 220, 255), t)
                if depth >= 24 and y == y0 + 1:
                    colour = lerp(colour, WHITE, 0.25)
                canvas.px[y][x] = colour
    if button:
        bx1 = x1 - 2
        by0 = y0 + 1 + (title - button) // 2
        canvas.fill(bx1 - button + 1, by0, bx1, by0 + button - 1, (192, 192, 192, 255))
    # A few grey text lines in the client area.
    line = (192, 192, 192, 255)
    step = 2 if size == 16 else 3
    top = y0 + title + 1 + step
    for i, y in enumerate(range(top, y1 - step + 1, step)):
        right = x1 - 2 - (i % 3) * (size // 8)
        canvas.fill(x0 + 2, y, right, y, line)
    return canvas


# ---------------------------------------------------------------- encoding

def quantise(canvas, palette):
    """Palette index per pixel; transparent pixels become index 0 (black)."""
    cache = {}
    rows = []
    for row in canvas.px:
        out = []
        for r, g, b, a in row:
            if a == 0:
                out.append(0)
                continue
            key = (r, g, b)
            if key not in cache:
                cache[key] = min(range(len(palette)), key=lambda i: (
                    (palette[i][0] - r) ** 2 + (palette[i][1] - g) ** 2 + (palette[i][2] - b) ** 2, i))
            out.append(cache[key])
        rows.append(out)
    return rows


def pad4(data):
    return data + b"\0" * (-len(data) % 4)


def encode_image(canvas, bpp):
    """One icon image: header, palette, XOR rows bottom-up, AND mask bottom-up."""
    w, h = canvas.width, canvas.height
    if bpp != 32:
        # Only 32-bit images carry partial transparency; the others are on or off.
        for row in canvas.px:
            for x, (r, g, b, a) in enumerate(row):
                if 0 < a < 255:
                    raise ValueError("partial alpha in a %d-bit image" % bpp)
    palette = b""
    xor_rows = []
    if bpp in (4, 8):
        pal = VGA16 if bpp == 4 else palette_256()
        palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in pal)
        indices = quantise(canvas, pal)
        for row in indices:
            if bpp == 8:
                xor_rows.append(pad4(bytes(row)))
            else:
                packed = bytes((row[i] << 4) | row[i + 1] for i in range(0, w, 2))
                xor_rows.append(pad4(packed))
    elif bpp == 24:
        for row in canvas.px:
            xor_rows.append(pad4(b"".join(
                struct.pack("<BBB", b, g, r) if a else b"\0\0\0" for r, g, b, a in row)))
    elif bpp == 32:
        for row in canvas.px:
            xor_rows.append(b"".join(
                struct.pack("<BBBB", b, g, r, a) if a else b"\0\0\0\0" for r, g, b, a in row))
    else:
        raise ValueError("unsupported depth %d" % bpp)
    and_rows = []
    for row in canvas.px:
        bits = bytearray((w + 7) // 8)
        for x, pixel in enumerate(row):
            if pixel[3] == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        and_rows.append(pad4(bytes(bits)))
    xor = b"".join(reversed(xor_rows))
    mask = b"".join(reversed(and_rows))
    header = struct.pack("<IiiHHIIiiII", 40, w, 2 * h, 1, bpp, 0, len(xor) + len(mask), 0, 0, 0, 0)
    return header + palette + xor + mask


def encode_ico(images):
    """images: list of (canvas, bpp). Returns the bytes of a .ico file."""
    blobs = [(canvas, bpp, encode_image(canvas, bpp)) for canvas, bpp in images]
    out = [struct.pack("<HHH", 0, 1, len(blobs))]
    offset = 6 + 16 * len(blobs)
    for canvas, bpp, blob in blobs:
        colours = 1 << bpp if bpp < 8 else 0
        out.append(struct.pack("<BBBBHHII", canvas.width, canvas.height, colours, 0,
                               1, bpp, len(blob), offset))
        offset += len(blob)
    out.extend(blob for _, _, blob in blobs)
    return b"".join(out)


# ---------------------------------------------------------------- the two groups

# (size, bpp) in resource order; icon ids follow the list (1-8, then 9-16).
PROGRAM_LAYOUT = [(32, 4), (16, 4), (48, 8), (32, 8), (16, 8), (48, 24), (32, 24), (16, 24)]
SMALL_LAYOUT = [(32, 4), (16, 4), (48, 8), (32, 8), (16, 8), (48, 32), (32, 24), (16, 32)]


def program_images():
    images = []
    for size, bpp in PROGRAM_LAYOUT:
        if bpp == 24:
            # Even at 16 pixels the shaded cross keeps a dark edge so it reads on light
            # task bars; the flat 16-pixel images stay plain white.
            images.append((draw_cross(size, True, True), bpp))
        else:
            images.append((draw_cross(size, size >= 32, False), bpp))
    return images


def small_images():
    images = []
    for size, bpp in SMALL_LAYOUT:
        if (size, bpp) == (32, 24):
            # The one image a 24-bit display takes for the class's small icon.
            images.append((draw_cross(size, True, False), bpp))
        else:
            images.append((draw_window(size, bpp), bpp))
    return images


def build():
    return {
        "quillane.ico": encode_ico(program_images()),
        "quillane_small.ico": encode_ico(small_images()),
    }


def main(argv=None):
    return generated_files.run(build, DEFAULT_OUTDIR, __doc__.splitlines()[0], "icons", argv)


if __name__ == "__main__":
    sys.exit(main())
