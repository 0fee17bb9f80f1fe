"""Shared drawing helpers and the common card layout of the background pictures.

Everything here is deterministic: noise comes from seeded random.Random
instances and every image operation is a plain PIL call, so the same inputs
give the same pixels on every run.
"""
import math
import random

from PIL import Image, ImageChops, ImageDraw, ImageFilter, ImageFont

from card_layout import (FRAME_CORE, FRAME_RIM, HEADING_INK, HEADING_UNDERLINE_ROW,  # noqa: F401
                         HOLIDAY_BOX, MOTIF_BOX, PANEL_BOX, PICTURE_HEIGHT, PICTURE_WIDTH,
                         TEXT_BOX)

# The card's geometry is the program's (card/card_layout.h): where its text and buttons
# land on the picture, the frame, the bar and the panel with its heading. The frame's
# frayed edge ends at column 7, so the card's text, from x 10, stands clear of it and
# of the JPEG blocks from column 8 on.
WIDTH, HEIGHT = PICTURE_WIDTH, PICTURE_HEIGHT

HEADING_TEXT = "Upcoming Events:"
HEADING_FONT = "/usr/share/fonts/truetype/liberation2/LiberationSans-Bold.ttf"
HEADING_COLOUR = (34, 24, 16)

PAPER = (252, 250, 244)
FRAME_SEED = 4100
SUPERSAMPLE = 3


# --- noise and gradients -------------------------------------------------

def noise(size, rng):
    """Uniform white noise, one random byte per pixel."""
    return Image.frombytes("L", size, rng.randbytes(size[0] * size[1]))


def smooth_noise(size, cells, rng):
    """Value noise: a small random grid blown up with bicubic interpolation."""
    cells = (max(2, cells[0]), max(2, cells[1]))
    return noise(cells, rng).resize(size, Image.BICUBIC)


def fractal_noise(size, cells, octaves, rng):
    """Octaves of value noise, each twice as fine and half as strong, stretched to 0..255."""
    total = 0.0
    acc = None
    for k in range(octaves):
        layer = smooth_noise(size, (cells[0] << k, cells[1] << k), rng)
        weight = 0.5 ** k
        total += weight
        acc = layer if acc is None else Image.blend(acc, layer, weight / total)
    return stretch(acc)


def stretch(gray):
    lo, hi = gray.getextrema()
    if hi <= lo:
        return gray
    return gray.point(lambda v: (v - lo) * 255 // (hi - lo))


def lut_from_stops(stops):
    """Piecewise-linear colour map from (position 0..1, (r, g, b)) stops to three 256-entry tables."""
    tables = ([], [], [])
    for i in range(256):
        t = i / 255.0
        for (t0, c0), (t1, c1) in zip(stops, stops[1:]):
            if t <= t1 or (t1, c1) == stops[-1]:
                f = 0.0 if t1 == t0 else min(1.0, max(0.0, (t - t0) / (t1 - t0)))
                for ch in range(3):
                    tables[ch].append(int(round(c0[ch] + (c1[ch] - c0[ch]) * f)))
                break
    return tables


def colorize(gray, stops):
    tables = lut_from_stops(stops)
    return Image.merge("RGB", [gray.point(t) for t in tables])


def vertical_gradient(size, stops):
    """A top-to-bottom colour ramp; stop positions are fractions of the height."""
    column = Image.new("L", (1, 256))
    column.putdata(list(range(256)))
    return colorize(column, stops).resize(size, Image.BICUBIC)


def radial_field(size, centre, radius, scale=4):
    """Distance from centre as 0..255 (255 at radius and beyond), computed coarse and smoothed up."""
    w, h = (size[0] + scale - 1) // scale, (size[1] + scale - 1) // scale
    cx, cy = centre[0] / scale, centre[1] / scale
    r = radius / scale
    data = []
    for y in range(h):
        dy = (y + 0.5 - cy) ** 2
        for x in range(w):
            d = math.sqrt((x + 0.5 - cx) ** 2 + dy) / r
            data.append(255 if d >= 1 else int(d * 255))
    field = Image.new("L", (w, h))
    field.putdata(data)
    return field.resize(size, Image.BICUBIC)


def scaled_mask(mask, strength):
    """Multiply a mask by strength (0..1)."""
    return mask.point(lambda v: int(v * strength + 0.5))


def paint(base, colour, mask):
    """Lay a flat colour over base through mask."""
    return Image.composite(Image.new("RGB", base.size, colour), base, mask)


def add_grain(image, amplitude, rng):
    """Fine per-pixel grain, the same offset on all three channels, of +-amplitude."""
    grain = noise(image.size, rng).point(lambda v: 128 + (v - 128) * amplitude // 128)
    return Image.merge("RGB", [ImageChops.add(ch, grain, 1.0, -128) for ch in image.split()])


def wash(image, strength, paper=PAPER):
    """Fade towards paper: only `strength` of the motif's difference from paper remains."""
    return Image.blend(Image.new("RGB", image.size, paper), image, strength)


# --- a supersampled sketching surface ------------------------------------

class Sketch:
    """An RGB canvas drawn at SUPERSAMPLE times the picture size with
    coordinates given in picture pixels; shrink() gives the antialiased result."""

    def __init__(self, background):
        self.s = SUPERSAMPLE
        self.size = (WIDTH * self.s, HEIGHT * self.s)
        if isinstance(background, Image.Image):
            self.image = background.resize(self.size, Image.BICUBIC)
        else:
            self.image = Image.new("RGB", self.size, background)
        self.draw = ImageDraw.Draw(self.image)

    def pts(self, points):
        return [(x * self.s, y * self.s) for x, y in points]

    def polygon(self, points, fill=None, outline=None, width=1.0):
        self.draw.polygon(self.pts(points), fill=fill)
        if outline is not None:
            self.line(list(points) + [points[0]], outline, width)

    def line(self, points, fill, width=1.0):
        self.draw.line(self.pts(points), fill=fill, width=max(1, int(round(width * self.s))),
                       joint="curve")

    def ellipse(self, cx, cy, rx, ry, fill=None, outline=None, width=1.0):
        box = [(cx - rx) * self.s, (cy - ry) * self.s, (cx + rx) * self.s, (cy + ry) * self.s]
        self.draw.ellipse(box, fill=fill, outline=outline,
                          width=max(1, int(round(width * self.s))))

    def set_image(self, image):
        self.image = image
        self.draw = ImageDraw.Draw(self.image)

    def mask(self):
        """A fresh L mask the size of the canvas, with a drawer working in picture coordinates."""
        return MaskSketch(self.size, self.s)

    def blend_mask(self, colour, mask, blur=0.0, strength=1.0):
        """Paint colour through a MaskSketch, optionally blurred (blur in picture pixels)."""
        m = mask.image
        if blur > 0:
            m = m.filter(ImageFilter.GaussianBlur(blur * self.s))
        if strength < 1.0:
            m = scaled_mask(m, strength)
        self.set_image(paint(self.image, colour, m))

    def overlay(self, layer, mask):
        """Lay a full-size RGB layer (picture or canvas size) through a mask."""
        if layer.size != self.size:
            layer = layer.resize(self.size, Image.BICUBIC)
        if mask.size != self.size:
            mask = mask.resize(self.size, Image.BICUBIC)
        self.set_image(Image.composite(layer, self.image, mask))

    def shrink(self):
        return self.image.resize((WIDTH, HEIGHT), Image.LANCZOS)


class MaskSketch(Sketch):
    def __init__(self, size, s):
        self.s = s
        self.size = size
        self.image = Image.new("L", size, 0)
        self.draw = ImageDraw.Draw(self.image)


def ellipse_points(cx, cy, rx, ry, angle=0.0, n=24):
    """Outline of an ellipse rotated by angle (radians)."""
    ca, sa = math.cos(angle), math.sin(angle)
    out = []
    for i in range(n):
        t = 2 * math.pi * i / n
        x, y = rx * math.cos(t), ry * math.sin(t)
        out.append((cx + x * ca - y * sa, cy + x * sa + y * ca))
    return out


def ridge(x0, x1, base, waves, step=3):
    """Sample points of a wavy horizon line; waves is a list of (amplitude, period, phase)."""
    pts = []
    x = x0
    while x <= x1:
        y = base + sum(a * math.sin(2 * math.pi * x / p + ph) for a, p, ph in waves)
        pts.append((x, y))
        x += step
    return pts


def rays(sketch, centre, count, length, colour, strength, blur, rng, width_frac=0.5):
    """Soft light rays fanning out of centre."""
    m = sketch.mask()
    for i in range(count):
        a = 2 * math.pi * (i + rng.uniform(-0.15, 0.15)) / count
        da = math.pi / count * width_frac
        p1 = (centre[0] + length * math.cos(a - da), centre[1] + length * math.sin(a - da))
        p2 = (centre[0] + length * math.cos(a + da), centre[1] + length * math.sin(a + da))
        m.polygon([centre, p1, p2], fill=255)
    sketch.blend_mask(colour, m, blur=blur, strength=strength)


# --- frame, bar, panel and heading, shared by all pictures ------------------

def _frame_texture(rng):
    """Brown wood-like texture: grain runs along each frame side, mitred at the corners."""
    size = (WIDTH, HEIGHT)
    along_x = smooth_noise(size, (10, 260), rng)        # streaks running left-right
    along_y = smooth_noise(size, (180, 14), rng)        # streaks running top-bottom
    knots = fractal_noise(size, (12, 18), 3, rng)
    fine = noise(size, rng)
    grain_x = stretch(Image.blend(Image.blend(along_x, knots, 0.35), fine, 0.45))
    grain_y = stretch(Image.blend(Image.blend(along_y, knots, 0.35), fine, 0.45))
    # Vertical grain on the side pieces, horizontal on the top, bottom and bar.
    sides = Image.new("L", size, 0)
    d = ImageDraw.Draw(sides)
    inner = MOTIF_BOX[0]
    d.polygon([(0, 0), (inner, 11), (inner, 388), (0, 399)], fill=255)
    d.polygon([(0, 408), (inner, 408), (inner, 495), (0, 499)], fill=255)
    d.polygon([(WIDTH, 0), (337, 10), (337, 398), (WIDTH, 399)], fill=255)
    d.polygon([(WIDTH, 408), (337, 408), (337, 495), (WIDTH, 499)], fill=255)
    grain = Image.composite(grain_y, grain_x, sides)
    # Scattered worn spots and pits make the surface look rough rather than smooth.
    pits = noise(size, rng).point(lambda v: 0 if v < 10 else 255 if v > 247 else 128)
    grain = ImageChops.add(grain, pits, 1.0, -128)
    core = colorize(grain, [(0.0, (22, 12, 6)), (0.4, (58, 36, 19)), (0.75, (92, 61, 34)),
                            (1.0, (128, 88, 52))])
    rim = colorize(grain, [(0.0, (100, 70, 42)), (0.5, (150, 110, 70)), (1.0, (196, 152, 104))])
    return core, rim


def apply_card_layout(motif):
    """Put the frame, the bar, the parchment panel and the heading over a motif.

    The motif must be WIDTH x HEIGHT RGB; everything drawn here is identical in
    every picture, only the rough inner edges let a little of the motif through.
    """
    rng = random.Random(FRAME_SEED)
    core, rim = _frame_texture(rng)
    image = motif.copy()

    panel = make_panel(rng)
    image.paste(panel, (0, PANEL_BOX[1]), None)

    mask = Image.new("L", (WIDTH, HEIGHT), 0)
    d = ImageDraw.Draw(mask)
    for l, t, r, b in FRAME_CORE:
        d.rectangle([l, t, r, b], fill=255)
    image = Image.composite(core, image, mask)

    rim_mask = Image.new("L", (WIDTH, HEIGHT), 0)
    d = ImageDraw.Draw(rim_mask)
    for l, t, r, b in FRAME_RIM:
        d.rectangle([l, t, r, b], fill=255)
    image = Image.composite(rim, image, rim_mask)

    image = _rough_edges(image, core, rng)
    image = draw_heading(image)
    return image


def make_panel(rng):
    """Aged parchment for the rows below the bar, plain where the holiday lines go."""
    size = (WIDTH, HEIGHT - PANEL_BOX[1])
    mottle = fractal_noise(size, (5, 2), 4, rng)
    panel = colorize(mottle, [(0.0, (228, 213, 176)), (0.5, (238, 226, 192)),
                              (1.0, (245, 236, 206))])
    # Browned margins, strongest at the very edge, fading within a few pixels; the left
    # one lies under the frame, so the holiday lines' first letters stand on plain parchment.
    edge = Image.new("L", size, 0)
    d = ImageDraw.Draw(edge)
    left = PANEL_BOX[0] - 6
    right, bottom = PANEL_BOX[2], size[1] - (HEIGHT - 1 - PANEL_BOX[3])
    for i, v in enumerate((120, 80, 50, 30, 16, 8)):
        d.rectangle([left + i, i, right - i, bottom - 1 - i], outline=v)
    panel = paint(panel, (170, 130, 80), edge)
    return add_grain(panel, 3, rng)


def _rough_edges(image, core, rng):
    """Fray the inner edges of the frame: the first pixel inside takes a random share of
    the frame colour beside it and the next a faint shadow, so the border looks hand-cut.
    The left edges get no shadow: the card's text starts only three pixels further in."""
    px = image.load()
    cp = core.load()
    for l, t, r, b in (MOTIF_BOX, PANEL_BOX):
        edges = []   # (pixel, frame pixel next to that edge, depth inside the window)
        for x in range(l, r + 1):
            edges += [((x, t), (x, t - 1), 0), ((x, t + 1), (x, t - 1), 1),
                      ((x, b), (x, b + 1), 0), ((x, b - 1), (x, b + 1), 1)]
        for y in range(t, b + 1):
            edges += [((l, y), (l - 1, y), 0),
                      ((r, y), (r + 1, y), 0), ((r - 1, y), (r + 1, y), 1)]
        for at, beside, depth in edges:
            a = px[at]
            if depth == 0:
                share, target = rng.uniform(0.25, 0.75), cp[beside]
            else:
                share, target = rng.uniform(0.0, 0.18), tuple(c // 2 for c in a)
            px[at] = tuple(int(a[i] + (target[i] - a[i]) * share + 0.5) for i in range(3))
    return image


def heading_mask():
    """The heading's coverage: the text condensed so its ink fills HEADING_INK exactly
    (from the i-dot down to the baseline), descenders below, plus the underline."""
    big = 96
    font = ImageFont.truetype(HEADING_FONT, big)
    canvas = Image.new("L", (big * 12, big * 2), 0)
    baseline = big * 3 // 2
    ImageDraw.Draw(canvas).text((big // 2, baseline), HEADING_TEXT, font=font, fill=255,
                                anchor="ls")
    left, top, right, bottom = canvas.getbbox()
    x0, y0, x1, y1 = HEADING_INK
    sy = (baseline - top) / (y1 - y0 + 1)
    rows = int(math.ceil((bottom - top) / sy))
    small = canvas.resize((x1 - x0 + 1, rows), Image.LANCZOS,
                          box=(left, top, right, top + rows * sy))
    # Lanczos leaves faint ringing; keep only real coverage and firm up the strokes.
    small = small.point(lambda v: 0 if v < 24 else min(255, int((v - 24) * 1.25)))
    mask = Image.new("L", (WIDTH, HEIGHT), 0)
    mask.paste(small, (x0, y0))
    ImageDraw.Draw(mask).line([(x0, HEADING_UNDERLINE_ROW), (x1, HEADING_UNDERLINE_ROW)],
                              fill=255)
    return mask


def draw_heading(image):
    return paint(image, HEADING_COLOUR, heading_mask())
