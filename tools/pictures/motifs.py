"""The eight motifs, drawn in full colour; make_pictures.py washes them out.

Each function takes a seeded random.Random and returns a WIDTH x HEIGHT RGB
image and how much of it survives the wash (busier motifs keep less, so black
text still reads over them).  Coordinates are picture pixels: the motif shows through in
x 7..337, y 11..398; below y 398 the bar and the panel cover it.
"""
import math

from PIL import Image, ImageChops

from picturelib import (HEIGHT, WIDTH, Sketch, colorize, ellipse_points, fractal_noise,
                        radial_field, rays, ridge, smooth_noise, vertical_gradient)

CX = WIDTH // 2


def _cross_outline(cx, top, bottom, arm_y, arm_half, half):
    """Latin cross as a 12-point polygon: stem cx +- half from top to bottom, arms at arm_y."""
    return [(cx - half, top), (cx + half, top), (cx + half, arm_y - half),
            (cx + arm_half, arm_y - half), (cx + arm_half, arm_y + half),
            (cx + half, arm_y + half), (cx + half, bottom), (cx - half, bottom),
            (cx - half, arm_y + half), (cx - arm_half, arm_y + half),
            (cx - arm_half, arm_y - half), (cx - half, arm_y - half)]


def _glass_texture(image, rng, depth):
    """Mottle an image like hand-made glass: brightness drops by up to depth/255."""
    mottle = fractal_noise(image.size, (9, 13), 3, rng)
    shade = mottle.point(lambda v: 255 - depth + v * depth // 255)
    return Image.merge("RGB", [ImageChops.multiply(ch, shade) for ch in image.split()])


def stained_glass(rng):
    """131: a white cross on a window of pastel glass in a radiating pattern."""
    centre = (CX, 150)
    sk = Sketch((240, 240, 240))
    ring_radii = [0, 46, 84, 128, 180, 240, 320, 460]
    palettes = [
        [(250, 220, 140), (252, 200, 150), (245, 235, 160)],          # gold near the cross
        [(250, 190, 170), (245, 200, 200), (252, 215, 150)],
        [(240, 170, 190), (220, 180, 230), (250, 200, 190)],
        [(170, 200, 240), (200, 180, 235), (180, 225, 215)],
        [(150, 190, 235), (185, 215, 170), (210, 175, 225), (160, 210, 230)],
        [(140, 180, 225), (170, 205, 160), (200, 170, 220), (150, 200, 215)],
        [(130, 170, 215), (160, 200, 150), (190, 160, 210)],
    ]
    sectors = 22
    angles = [2 * math.pi * (i + rng.uniform(-0.25, 0.25)) / sectors for i in range(sectors)]
    angles.append(angles[0] + 2 * math.pi)
    # Ring boundaries wobble from one spoke to the next so the panes look cut by hand.
    radii = [[r + (rng.uniform(-10, 10) if 0 < r < 400 else 0) for _ in range(sectors + 1)]
             for r in ring_radii]
    for ring in radii:
        ring[-1] = ring[0]
    panes = []
    for i in range(len(ring_radii) - 1):
        for j in range(sectors):
            a0, a1 = angles[j], angles[j + 1]
            inner, outer = [], []
            for k in range(7):
                f = k / 6
                a = a0 + (a1 - a0) * f
                ri = radii[i][j] + (radii[i][j + 1] - radii[i][j]) * f
                ro = radii[i + 1][j] + (radii[i + 1][j + 1] - radii[i + 1][j]) * f
                inner.append((centre[0] + ri * math.cos(a), centre[1] + ri * math.sin(a)))
                outer.append((centre[0] + ro * math.cos(a), centre[1] + ro * math.sin(a)))
            poly = inner + outer[::-1]
            colour = rng.choice(palettes[i])
            shift = rng.randint(-12, 8)
            sk.polygon(poly, fill=tuple(max(0, min(255, c + shift)) for c in colour))
            panes.append(poly)
    sk.set_image(_glass_texture(sk.image, rng, 34))
    lead = (112, 108, 120)
    for poly in panes:
        sk.line(poly + [poly[0]], lead, 2.6)

    # The cross: a soft white halo, then white glass with its own leading.
    cross = _cross_outline(CX, 34, 420, centre[1], 112, 24)
    halo = sk.mask()
    halo.polygon(cross, fill=255)
    sk.blend_mask((255, 255, 250), halo, blur=14, strength=0.85)
    sk.polygon(cross, fill=(252, 252, 255))
    shade = sk.mask()
    shade.polygon(_cross_outline(CX + 7, 41, 420, centre[1] + 7, 105, 17), fill=255)
    sk.blend_mask((226, 230, 242), shade, blur=6, strength=0.6)
    sk.polygon([(CX - 24, 34), (CX - 24, 420), (CX - 17, 420), (CX - 17, 41)],
               fill=(255, 255, 255))
    sk.line(cross + [cross[0]], lead, 3.0)
    for y in (72, 230, 300, 370):
        sk.line([(CX - 24, y), (CX + 24, y)], lead, 2.4)
    for x in (CX - 68, CX + 68):
        sk.line([(x, centre[1] - 24), (x, centre[1] + 24)], lead, 2.4)
    # A small diamond of amber glass where the beams meet.
    d = 13
    diamond = [(CX, centre[1] - d), (CX + d, centre[1]), (CX, centre[1] + d), (CX - d, centre[1])]
    sk.polygon(diamond, fill=(250, 215, 130), outline=lead, width=2.2)
    sk.line([(CX - 24, centre[1] - 24), (CX + 24, centre[1] - 24)], lead, 2.4)
    sk.line([(CX - 24, centre[1] + 24), (CX + 24, centre[1] + 24)], lead, 2.4)
    return sk.shrink(), 0.5


def glowing_cross(rng):
    """132: a cross of light in a violet and pink haze."""
    centre = (CX, 150)
    field = radial_field((WIDTH, HEIGHT), centre, 420)
    bg = colorize(field, [(0.0, (255, 246, 250)), (0.12, (250, 214, 234)),
                          (0.35, (226, 178, 226)), (0.65, (180, 140, 212)),
                          (1.0, (140, 104, 190))])
    sk = Sketch(bg)
    rays(sk, centre, 28, 560, (255, 236, 248), 0.45, 6, rng, 0.45)
    rays(sk, centre, 12, 560, (255, 250, 255), 0.35, 10, rng, 0.3)
    # Drifting motes of light.
    motes = sk.mask()
    for _ in range(46):
        x, y = rng.uniform(15, 335), rng.uniform(15, 395)
        r = rng.uniform(4, 16)
        motes.ellipse(x, y, r, r, fill=rng.randint(90, 200))
    sk.blend_mask((255, 225, 245), motes, blur=2.0, strength=0.6)
    cross = _cross_outline(CX, 52, 372, centre[1], 78, 13)
    glow = sk.mask()
    glow.polygon(cross, fill=255)
    sk.blend_mask((250, 190, 235), glow, blur=34, strength=1.0)
    sk.blend_mask((255, 225, 250), glow, blur=16, strength=1.0)
    sk.blend_mask((255, 255, 255), glow, blur=6, strength=1.0)
    sk.polygon(cross, fill=(255, 255, 255))
    edge = sk.mask()
    edge.line(cross + [cross[0]], 255, 2.0)
    sk.blend_mask((196, 150, 220), edge, blur=1.0, strength=0.6)
    return sk.shrink(), 0.7


def _clouds(size, rng, top_density, bottom_density, cells=(5, 7)):
    """A soft cloud mask, denser towards the bottom."""
    n = fractal_noise(size, cells, 5, rng)
    ramp = vertical_gradient(size, [(0.0, (top_density,) * 3),
                                    (1.0, (bottom_density,) * 3)]).convert("L")
    m = ImageChops.add(n, ramp, 1.0, -128)
    return m.point(lambda v: max(0, min(255, (v - 120) * 3)))


def dove(rng):
    """133: a dove descending with spread wings over soft clouds."""
    size = (WIDTH, HEIGHT)
    sky = vertical_gradient(size, [(0.0, (150, 188, 228)), (0.45, (196, 218, 240)),
                                   (0.8, (240, 232, 222)), (1.0, (246, 236, 226))])
    clouds = _clouds(size, rng, 60, 190)
    shadow = fractal_noise(size, (6, 8), 3, rng)
    cloud_colour = colorize(shadow, [(0.0, (200, 206, 226)), (0.6, (244, 244, 250)),
                                     (1.0, (255, 255, 255))])
    sky = Image.composite(cloud_colour, sky, clouds)
    sk = Sketch(sky)
    # Light falling from above.
    glow = sk.mask()
    glow.ellipse(CX, 170, 120, 120, fill=255)
    sk.blend_mask((255, 250, 232), glow, blur=40, strength=0.85)
    rays(sk, (CX, 120), 20, 520, (255, 248, 225), 0.35, 7, rng, 0.4)

    white, line, shade = (252, 252, 252), (118, 128, 150), (205, 212, 228)
    for side in (-1, 1):
        def m(pts):
            return [(CX + side * dx, y) for dx, y in pts]
        # Primary feathers first, so the coverts overlap them.
        tips = [(154, 100), (150, 124), (140, 147), (126, 168), (108, 186), (88, 200), (66, 208)]
        for k, (tx, ty) in enumerate(tips):
            base = (24 + k * 3, 150 + k * 5)
            ang = math.atan2(ty - base[1], tx - base[0])
            length = math.hypot(tx - base[0], ty - base[1])
            mid = ((tx + base[0]) / 2, (ty + base[1]) / 2)
            feather = ellipse_points(mid[0], mid[1], length / 2, 9 - k * 0.4, ang, 20)
            sk.polygon(m(feather), fill=white, outline=line, width=1.3)
            sk.line(m([base, (tx - 8 * math.cos(ang), ty - 8 * math.sin(ang))]), shade, 1.0)
        covert = [(14, 140), (50, 118), (92, 102), (130, 96), (156, 98), (150, 112),
                  (120, 126), (88, 142), (60, 160), (34, 176), (18, 172)]
        sk.polygon(m(covert), fill=white, outline=line, width=1.3)
        for k in range(4):
            y0 = 124 + k * 12
            sk.line(m([(30 + k * 4, 150 + k * 7), (80 + k * 8, y0), (120 + k * 6, y0 - 14 + k * 4)]),
                    shade, 1.0)
    # Tail above, body, then the head bowed downwards.
    tail = [(-14, 150), (-30, 92), (-16, 82), (0, 80), (16, 82), (30, 92), (14, 150)]
    sk.polygon([(CX + x, y) for x, y in tail], fill=white, outline=line, width=1.3)
    for dx in (-18, -6, 6, 18):
        sk.line([(CX + dx * 0.4, 146), (CX + dx, 88)], shade, 1.0)
    body = ellipse_points(CX, 170, 22, 48, 0, 32)
    sk.polygon(body, fill=white, outline=line, width=1.3)
    sk.ellipse(CX, 222, 17, 18, fill=white, outline=line, width=1.3)
    sk.polygon([(CX - 5, 238), (CX, 250), (CX + 5, 238)], fill=(236, 176, 120), outline=line,
               width=1.0)
    for dx in (-8, 8):
        sk.ellipse(CX + dx, 221, 2.2, 2.2, fill=(70, 70, 80))
    # An olive sprig held in the beak.
    stem = [(CX + 2, 246), (CX + 22, 258), (CX + 44, 264), (CX + 64, 266)]
    sk.line(stem, (120, 130, 80), 1.6)
    for k, (x, y) in enumerate(stem[1:]):
        for s in (-1, 1):
            leaf = ellipse_points(x - 6, y + s * 6, 9, 3.2, 0.35 + s * 0.6, 16)
            sk.polygon(leaf, fill=(150, 175, 110), outline=(110, 130, 80), width=0.8)
    return sk.shrink(), 0.62


def sunrise(rng):
    """134: the sun rising behind rolling hills."""
    size = (WIDTH, HEIGHT)
    sky = vertical_gradient(size, [(0.0, (168, 184, 226)), (0.28, (226, 200, 222)),
                                   (0.5, (250, 210, 176)), (0.6, (255, 230, 180)),
                                   (1.0, (255, 240, 200))])
    sk = Sketch(sky)
    sun = (CX + 20, 270)
    glow = sk.mask()
    glow.ellipse(sun[0], sun[1], 150, 110, fill=255)
    sk.blend_mask((255, 238, 190), glow, blur=45, strength=0.9)
    rays(sk, sun, 26, 520, (255, 236, 180), 0.4, 5, rng, 0.5)
    disc = sk.mask()
    disc.ellipse(sun[0], sun[1], 40, 40, fill=255)
    sk.blend_mask((255, 214, 120), disc, blur=1.0)
    sk.blend_mask((255, 236, 170), disc, blur=14, strength=0.5)
    # Thin clouds lying across the sky.
    streaks = sk.mask()
    for _ in range(9):
        x, y = rng.uniform(0, 340), rng.uniform(150, 265)
        streaks.ellipse(x, y, rng.uniform(40, 90), rng.uniform(2.5, 5), fill=255)
    sk.blend_mask((250, 196, 190), streaks, blur=2.5, strength=0.6)
    # Birds far off.
    for bx, by, s in ((70, 120, 8), (92, 108, 6), (110, 130, 5), (250, 90, 7)):
        sk.line([(bx - s, by - s * 0.5), (bx - s * 0.3, by - s * 0.1), (bx, by + s * 0.2),
                 (bx + s * 0.3, by - s * 0.1), (bx + s, by - s * 0.5)], (110, 100, 110), 1.2)
    layers = [
        (292, [(9, 130, 0.4), (5, 57, 1.3)], (170, 176, 200)),
        (316, [(14, 170, 2.1), (6, 71, 0.2)], (150, 180, 160)),
        (345, [(16, 210, 4.0), (7, 90, 1.1)], (124, 170, 120)),
        (376, [(12, 260, 1.0), (6, 110, 2.6)], (104, 152, 92)),
    ]
    for k, (base, waves, colour) in enumerate(layers):
        edge = ridge(-10, 352, base, waves)
        hill = sk.mask()
        hill.polygon(edge + [(352, 520), (-10, 520)], fill=255)
        tex = fractal_noise(size, (8, 10), 4, rng)
        tint = colorize(tex, [(0.0, tuple(max(0, c - 22) for c in colour)),
                              (1.0, tuple(min(255, c + 14) for c in colour))])
        m = hill.image
        sk.overlay(tint, m)
        # Light catching the top of each ridge.
        rim = sk.mask()
        rim.line(edge, 255, 2.0)
        sk.blend_mask(tuple(min(255, c + 60) for c in colour), rim, blur=1.5, strength=0.7)
    return sk.shrink(), 0.5


def lighthouse(rng):
    """135: a lighthouse on a rocky point, a ship under sail on the sea."""
    size = (WIDTH, HEIGHT)
    horizon = 262
    sky = vertical_gradient(size, [(0.0, (168, 198, 228)), (0.5, (236, 238, 236)),
                                   (1.0, (240, 240, 236))])
    clouds = _clouds(size, rng, 40, 110, (4, 8))
    sky = Image.composite(Image.new("RGB", size, (250, 250, 252)), sky, clouds)
    sk = Sketch(sky)
    sea = sk.mask()
    sea.polygon([(-5, horizon), (350, horizon), (350, 520), (-5, 520)], fill=255)
    water = vertical_gradient(size, [(0.0, (120, 170, 192)), (horizon / HEIGHT, (126, 174, 194)),
                                     (0.8, (92, 144, 172)), (1.0, (84, 136, 166))])
    sk.overlay(water, sea.image)
    # Rows of small wave crests, wider and further apart near the viewer.
    y = horizon + 4
    gap = 5.0
    while y < 410:
        x = rng.uniform(-20, 0)
        while x < 345:
            w = rng.uniform(6, 14) * gap / 5
            sk.line([(x, y + 1), (x + w / 2, y - gap * 0.18), (x + w, y + 1)],
                    (214, 230, 236), 0.8 + gap * 0.08)
            x += w + rng.uniform(4, 16) * gap / 5
        y += gap
        gap *= 1.12
    # The ship, small on the horizon.
    hull = [(34, horizon - 10), (112, horizon - 10), (102, horizon + 2), (44, horizon + 2)]
    sk.polygon(hull, fill=(130, 92, 70), outline=(90, 60, 44), width=1.0)
    for mx, top in ((58, horizon - 86), (86, horizon - 74)):
        sk.line([(mx, horizon - 10), (mx, top)], (90, 70, 60), 1.4)
    sails = [[(52, horizon - 80), (64, horizon - 80), (68, horizon - 52), (48, horizon - 52)],
             [(50, horizon - 48), (66, horizon - 48), (70, horizon - 16), (46, horizon - 16)],
             [(80, horizon - 70), (92, horizon - 70), (96, horizon - 44), (76, horizon - 44)],
             [(78, horizon - 40), (94, horizon - 40), (98, horizon - 16), (74, horizon - 16)],
             [(100, horizon - 16), (124, horizon - 16), (88, horizon - 62)]]
    for sail in sails:
        sk.polygon(sail, fill=(250, 244, 226), outline=(150, 140, 120), width=0.9)
    sk.line([(58, horizon - 86), (86, horizon - 74), (124, horizon - 16)], (120, 100, 90), 0.7)
    # The rocky point with the tower on it.
    rock_edge = [(168, 410), (186, 330), (206, 300), (232, 288), (250, 276), (300, 270),
                 (330, 262), (350, 258), (350, 410)]
    rock = sk.mask()
    rock.polygon(rock_edge, fill=255)
    tex = fractal_noise(size, (10, 12), 4, rng)
    sk.overlay(colorize(tex, [(0.0, (104, 96, 88)), (1.0, (170, 158, 140))]), rock.image)
    for k in range(7):
        x = 196 + k * 20 + rng.uniform(-6, 6)
        sk.line([(x, 300 + rng.uniform(-6, 6)), (x + rng.uniform(8, 20), 340 + rng.uniform(0, 40))],
                (92, 84, 76), 1.0)
    grass = sk.mask()
    grass.polygon([(228, 290), (250, 278), (300, 272), (350, 262), (350, 272), (300, 282),
                   (250, 288)], fill=255)
    sk.blend_mask((130, 160, 100), grass, blur=1.0)
    lx, base, top = 290, 276, 144
    rb, rt = 19, 12
    stripes = 5
    for k in range(stripes):
        y0 = base - (base - top) * k / stripes
        y1 = base - (base - top) * (k + 1) / stripes
        r0 = rb - (rb - rt) * k / stripes
        r1 = rb - (rb - rt) * (k + 1) / stripes
        lit, shaded = ((214, 82, 72), (170, 62, 58)) if k % 2 else ((250, 248, 242), (206, 206, 212))
        sk.polygon([(lx - r0, y0), (lx + r0, y0), (lx + r1, y1), (lx - r1, y1)], fill=lit)
        # The side away from the light.
        sk.polygon([(lx + 4, y0), (lx + r0, y0), (lx + r1, y1), (lx + 3, y1)], fill=shaded)
    sk.polygon([(lx - 17, top), (lx + 17, top), (lx + 17, top - 6), (lx - 17, top - 6)],
               fill=(70, 70, 76))
    for x in range(lx - 16, lx + 17, 4):
        sk.line([(x, top - 6), (x, top - 12)], (70, 70, 76), 0.8)
    sk.line([(lx - 17, top - 12), (lx + 17, top - 12)], (70, 70, 76), 1.0)
    beams = sk.mask()
    beams.polygon([(lx, top - 20), (-20, top - 80), (-20, top + 40)], fill=255)
    beams.polygon([(lx, top - 20), (360, top - 56), (360, top + 6)], fill=255)
    sk.blend_mask((255, 240, 170), beams, blur=6, strength=0.55)
    sk.polygon([(lx - 10, top - 6), (lx + 10, top - 6), (lx + 10, top - 30), (lx - 10, top - 30)],
               fill=(255, 226, 120), outline=(70, 70, 76), width=1.2)
    lamp = sk.mask()
    lamp.ellipse(lx, top - 19, 16, 16, fill=255)
    sk.blend_mask((255, 246, 200), lamp, blur=6, strength=0.9)
    sk.polygon([(lx - 13, top - 30), (lx + 13, top - 30), (lx, top - 44)], fill=(150, 56, 54))
    sk.line([(lx, top - 44), (lx, top - 52)], (70, 70, 76), 1.0)
    for gx, gy, s in ((150, 110, 9), (176, 96, 7), (120, 150, 6)):
        sk.line([(gx - s, gy - s * 0.4), (gx - s * 0.35, gy - s * 0.05), (gx, gy + s * 0.2),
                 (gx + s * 0.35, gy - s * 0.05), (gx + s, gy - s * 0.4)], (90, 96, 110), 1.3)
    return sk.shrink(), 0.5


def _sheep(sk, x, y, s, rng, facing=1):
    """A lamb: woolly body of overlapping curls, dark face and legs."""
    wool, curl_line, dark = (250, 246, 232), (170, 160, 140), (92, 84, 78)
    for dx in (-0.55, -0.2, 0.25, 0.5):
        sk.line([(x + dx * s, y + 0.2 * s), (x + dx * s + 0.03 * s, y + 0.62 * s)], dark,
                0.09 * s)
    sk.ellipse(x, y, 0.78 * s, 0.42 * s, fill=wool)
    for _ in range(14):
        a = rng.uniform(0, 2 * math.pi)
        cx = x + math.cos(a) * 0.62 * s
        cy = y + math.sin(a) * 0.32 * s
        r = rng.uniform(0.14, 0.22) * s
        sk.ellipse(cx, cy, r, r, fill=wool, outline=curl_line, width=0.6)
    sk.ellipse(x, y, 0.6 * s, 0.3 * s, fill=wool)
    for _ in range(6):
        cx, cy = x + rng.uniform(-0.45, 0.45) * s, y + rng.uniform(-0.2, 0.15) * s
        r = rng.uniform(0.1, 0.15) * s
        sk.ellipse(cx, cy, r, r, outline=curl_line, width=0.5)
    hx, hy = x + facing * 0.78 * s, y - 0.18 * s
    sk.polygon(ellipse_points(hx + facing * 0.06 * s, hy + 0.05 * s, 0.24 * s, 0.15 * s,
                              facing * 0.5, 16), fill=dark)
    sk.polygon(ellipse_points(hx - facing * 0.1 * s, hy - 0.08 * s, 0.15 * s, 0.05 * s,
                              -facing * 0.5, 12), fill=dark)
    sk.ellipse(hx - facing * 0.08 * s, hy - 0.1 * s, 0.12 * s, 0.1 * s, fill=wool)


def shepherd(rng):
    """136: a shepherd's crook planted on a green hillside where lambs graze."""
    size = (WIDTH, HEIGHT)
    sky = vertical_gradient(size, [(0.0, (172, 204, 232)), (0.4, (222, 234, 240)),
                                   (0.55, (244, 240, 226)), (1.0, (244, 240, 226))])
    clouds = _clouds(size, rng, 50, 90, (4, 6))
    sky = Image.composite(Image.new("RGB", size, (252, 252, 250)), sky, clouds)
    sk = Sketch(sky)
    far = ridge(-10, 352, 228, [(10, 190, 0.7), (5, 80, 2.0)])
    m = sk.mask()
    m.polygon(far + [(352, 520), (-10, 520)], fill=255)
    sk.blend_mask((160, 190, 180), m, blur=0.8)
    slope = ridge(-10, 352, 262, [(14, 300, 3.6), (4, 95, 0.4)])
    slope = [(x, y + (x - 171) * 0.16) for x, y in slope]
    hill = sk.mask()
    hill.polygon(slope + [(352, 520), (-10, 520)], fill=255)
    tex = fractal_noise(size, (10, 14), 5, rng)
    grass = colorize(tex, [(0.0, (96, 146, 74)), (0.5, (128, 172, 92)), (1.0, (166, 196, 110))])
    sk.overlay(grass, hill.image)
    # Tufts of grass and small flowers scattered across the slope.
    for _ in range(260):
        x = rng.uniform(0, 342)
        y0 = 262 + (x - 171) * 0.16 + 10
        y = rng.uniform(y0, 410)
        h = 3 + (y - 250) / 40
        sk.line([(x, y), (x + rng.uniform(-2, 2), y - h)], (84, 130, 64), 0.8)
    for _ in range(70):
        x = rng.uniform(0, 342)
        y = rng.uniform(262 + (x - 171) * 0.16 + 8, 405)
        r = 1.2 + (y - 250) / 90
        sk.ellipse(x, y, r, r, fill=rng.choice([(255, 255, 250), (250, 226, 110), (240, 180, 200)]))
    _sheep(sk, 70, 300, 44, rng, facing=1)
    _sheep(sk, 150, 336, 52, rng, facing=-1)
    _sheep(sk, 56, 372, 58, rng, facing=1)
    # The crook: a plain staff curled over at the top.
    wood, dark = (150, 108, 64), (104, 72, 42)
    foot, neck = (252, 392), (266, 104)
    sk.line([foot, neck], dark, 8.0)
    sk.line([(foot[0] - 1.5, foot[1]), (neck[0] - 1.5, neck[1])], wood, 4.0)
    hook_c, hook_r = (242, 104), 24
    arc = [(hook_c[0] + hook_r * math.cos(math.radians(a)),
            hook_c[1] - hook_r * math.sin(math.radians(a))) for a in range(0, 200, 8)]
    arc += [(arc[-1][0] + 3, arc[-1][1] + 10)]
    sk.line(arc, dark, 8.0)
    sk.line([(x - 1, y - 1) for x, y in arc], wood, 4.0)
    return sk.shrink(), 0.5


def _ear(sk, x, y, ang, length, rng):
    """A wheat ear: pairs of grains along the stalk's direction, each with an awn."""
    grain, edge, awn = (226, 180, 88), (170, 124, 52), (196, 160, 92)
    ca, sa = math.cos(ang), math.sin(ang)
    n = 7
    for k in range(n):
        t = length * k / n
        bx, by = x + ca * t, y + sa * t
        size = 1.0 - 0.06 * k
        for side in (-1, 1):
            off = 2.6 * size
            gx, gy = bx - sa * off * side, by + ca * off * side
            g_ang = ang + side * 0.45
            sk.polygon(ellipse_points(gx, gy, 4.6 * size, 2.3 * size, g_ang, 12), fill=grain,
                       outline=edge, width=0.5)
            tip = (gx + math.cos(g_ang) * 16, gy + math.sin(g_ang) * 16)
            sk.line([(gx, gy), tip], awn, 0.5)
    top = (x + ca * length, y + sa * length)
    sk.polygon(ellipse_points(top[0], top[1], 3.6, 2.0, ang, 10), fill=grain, outline=edge, width=0.5)
    sk.line([top, (top[0] + ca * 18, top[1] + sa * 18)], awn, 0.5)


def _sheaf(sk, cx, tie_y, scale, rng, stalks=34):
    straw, straw_dark = (214, 178, 100), (176, 138, 66)
    below = []
    for _ in range(stalks):
        dx = rng.uniform(-14, 14) * scale
        below.append((cx + dx * 0.6, tie_y, cx + dx * 1.9 + rng.uniform(-3, 3), tie_y + 118 * scale))
    for x0, y0, x1, y1 in below:
        sk.line([(x0, y0), (x1, y1)], rng.choice((straw, straw_dark)), 1.6 * scale)
    ears = []
    for _ in range(stalks):
        ang = -math.pi / 2 + rng.uniform(-0.62, 0.62)
        length = rng.uniform(100, 138) * scale
        x0 = cx + rng.uniform(-7, 7) * scale
        ex, ey = x0 + math.cos(ang) * length, tie_y + math.sin(ang) * length
        ears.append((ang, x0, ex, ey))
    ears.sort(key=lambda e: abs(e[0] + math.pi / 2), reverse=True)
    for ang, x0, ex, ey in ears:
        # Stalks bend outwards a little under the weight of the ears.
        mid = ((x0 + ex) / 2 + math.cos(ang) * 4, (tie_y + ey) / 2)
        sk.line([(x0, tie_y), mid, (ex, ey)], rng.choice((straw, straw_dark)), 1.6 * scale)
        _ear(sk, ex, ey, ang + rng.uniform(-0.1, 0.1), 34 * scale, rng)
    band = ellipse_points(cx, tie_y, 16 * scale, 6 * scale, 0, 20)
    sk.polygon(band, fill=(176, 130, 62), outline=(130, 92, 40), width=1.0)
    for k in range(-2, 3):
        sk.line([(cx + k * 6 * scale - 3, tie_y - 5 * scale), (cx + k * 6 * scale + 3, tie_y + 5 * scale)],
                (140, 100, 46), 0.8)


def wheat(rng):
    """137: sheaves of wheat standing in a harvested field."""
    size = (WIDTH, HEIGHT)
    sky = vertical_gradient(size, [(0.0, (222, 206, 170)), (0.35, (246, 232, 196)),
                                   (0.62, (250, 240, 210)), (1.0, (236, 214, 160))])
    sk = Sketch(sky)
    sun = sk.mask()
    sun.ellipse(250, 110, 90, 90, fill=255)
    sk.blend_mask((255, 246, 214), sun, blur=30, strength=0.9)
    rays(sk, (250, 110), 22, 480, (255, 244, 210), 0.3, 6, rng, 0.45)
    field_top = 300
    field = sk.mask()
    field.polygon(ridge(-10, 352, field_top, [(3, 160, 0.3)]) + [(352, 520), (-10, 520)], fill=255)
    tex = fractal_noise(size, (6, 20), 4, rng)
    sk.overlay(colorize(tex, [(0.0, (196, 160, 96)), (1.0, (230, 200, 134))]), field.image)
    # Stubble rows running off towards the horizon.
    for k in range(26):
        y = field_top + 6 + (k ** 1.5) * 0.9
        if y > 405:
            break
        x = rng.uniform(-10, 0)
        while x < 345:
            h = 2 + (y - field_top) / 30
            sk.line([(x, y), (x + 0.4, y - h)], (168, 130, 70), 0.6 + (y - field_top) / 120)
            x += rng.uniform(3, 7)
    _sheaf(sk, 66, 278, 0.62, rng, stalks=22)
    _sheaf(sk, 282, 284, 0.58, rng, stalks=20)
    _sheaf(sk, CX, 272, 1.0, rng, stalks=36)
    return sk.shrink(), 0.52


def book_and_candle(rng):
    """138: an open book beside a lit candle."""
    size = (WIDTH, HEIGHT)
    flame = (262, 112)
    field = radial_field(size, flame, 380)
    bg = colorize(field, [(0.0, (255, 246, 214)), (0.3, (244, 224, 184)), (0.7, (214, 190, 160)),
                          (1.0, (190, 166, 140))])
    sk = Sketch(bg)
    table = sk.mask()
    table.polygon([(-5, 318), (350, 318), (350, 520), (-5, 520)], fill=255)
    tex = smooth_noise(size, (6, 120), rng)
    sk.overlay(colorize(tex, [(0.0, (150, 108, 74)), (1.0, (186, 140, 98))]), table.image)
    sk.line([(-5, 318), (350, 318)], (120, 84, 58), 1.4)

    # Candle in a brass holder, standing behind the book on the right.
    holder = ellipse_points(262, 262, 34, 8, 0, 24)
    sk.polygon(holder, fill=(196, 158, 84), outline=(140, 104, 50), width=1.0)
    sk.polygon([(248, 260), (276, 260), (272, 250), (252, 250)], fill=(206, 170, 96),
               outline=(140, 104, 50), width=1.0)
    sk.polygon([(250, 252), (274, 252), (274, 132), (250, 132)], fill=(246, 238, 214),
               outline=(176, 158, 124), width=1.0)
    side = sk.mask()
    side.polygon([(266, 252), (274, 252), (274, 132), (266, 132)], fill=255)
    sk.blend_mask((210, 196, 168), side, blur=2.0, strength=0.7)
    for dx, ln in ((-9, 22), (4, 12), (9, 30)):
        sk.line([(262 + dx, 133), (262 + dx, 133 + ln)], (236, 226, 200), 3.0)
    sk.ellipse(262, 132, 12, 3.2, fill=(236, 228, 204), outline=(210, 196, 168), width=0.6)
    sk.line([(262, 131), (262, 122)], (60, 50, 40), 1.2)
    halo = sk.mask()
    halo.ellipse(flame[0], flame[1], 70, 80, fill=255)
    sk.blend_mask((255, 240, 190), halo, blur=30, strength=0.9)
    outer = [(262 + 8 * math.sin(t) * (1 - t / math.pi) ** 0.6 * 1.6, 126 - 30 * t / math.pi)
             for t in [k * math.pi / 20 for k in range(21)]]
    outer = [(262, 128)] + [(2 * 262 - x, y) for x, y in outer[::-1]][:-1] + outer
    sk.polygon(outer, fill=(255, 200, 90))
    inner = [(262 + (x - 262) * 0.55, 124 + (y - 124) * 0.7) for x, y in outer]
    sk.polygon(inner, fill=(255, 244, 200))

    # The book: a dark cover showing under two curved pages with stacked edges.
    spine_x, top, bottom = 150, 246, 346

    def page(sign):
        edge_top = [(spine_x + sign * d, top + 14 - 22 * math.sin(min(1.0, d / 60) * math.pi / 2)
                     + (d / 122) ** 2 * 6) for d in range(0, 124, 4)]
        x_out = spine_x + sign * 124
        edge_bottom = [(spine_x + sign * d, bottom + 6 - 10 * math.sin(min(1.0, d / 50) * math.pi / 2))
                       for d in range(124, -1, -4)]
        return edge_top + [(x_out, bottom - 4)] + edge_bottom

    cover = [(spine_x - 132, 262), (spine_x + 132, 262), (spine_x + 132, bottom + 8),
             (spine_x, bottom + 14), (spine_x - 132, bottom + 8)]
    sk.polygon(cover, fill=(136, 58, 52), outline=(96, 40, 36), width=1.0)
    for sign in (-1, 1):
        for k in (6, 4, 2):
            p = [(x + sign * k * 0.6, y + k) for x, y in page(sign)]
            sk.polygon(p, fill=(236, 226, 200), outline=(186, 170, 140), width=0.6)
        p = page(sign)
        sk.polygon(p, fill=(250, 244, 226), outline=(170, 150, 120), width=0.8)
        gutter = sk.mask()
        gutter.polygon([(spine_x, top + 14), (spine_x + sign * 20, top), (spine_x + sign * 20, bottom),
                        (spine_x, bottom + 6)], fill=255)
        sk.blend_mask((214, 200, 170), gutter, blur=6, strength=0.8)
        # Lines of print following the curve of the page.
        for row in range(9):
            y_off = 14 + row * 8.6
            x = 16.0
            while x < 112:
                w = rng.uniform(6, 22)
                x1 = min(112.0, x + w)
                seg = []
                for d in (x, (x + x1) / 2, x1):
                    ty = top + 14 - 22 * math.sin(min(1.0, d / 60) * math.pi / 2) + (d / 122) ** 2 * 6
                    seg.append((spine_x + sign * d, ty + y_off))
                sk.line(seg, (150, 140, 126), 1.2)
                x = x1 + rng.uniform(3, 5)
    sk.polygon([(spine_x - 3, top + 14), (spine_x + 3, top + 14), (spine_x + 4, bottom + 32),
                (spine_x, bottom + 26), (spine_x - 4, bottom + 32)], fill=(186, 58, 66))
    return sk.shrink(), 0.55


MOTIFS = {
    131: ("a white cross on pastel stained glass", stained_glass),
    132: ("a glowing cross in violet and pink", glowing_cross),
    133: ("a dove with an olive sprig over soft clouds", dove),
    134: ("sunrise over rolling hills", sunrise),
    135: ("a lighthouse on a rocky point and a ship under sail", lighthouse),
    136: ("a shepherd's crook on a hillside with lambs", shepherd),
    137: ("wheat sheaves in a harvested field", wheat),
    138: ("an open book beside a lit candle", book_and_candle),
}
