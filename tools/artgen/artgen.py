#!/usr/bin/python3
"""Regenerates every picture of the menu as 8-bit palette bitmaps in resources/art/.

    /usr/bin/python3 tools/artgen/artgen.py [--sheet contact.png] [--mockups DIR]

Needs Pillow and the DejaVu fonts (Debian: python3-pil, fonts-dejavu-core). The output is
committed; the build only packs it. See resources/art/manifest.txt for how the pictures become
lists and resources.
"""
import argparse
import math
import os
import random
import sys

from PIL import Image, ImageChops, ImageDraw, ImageFilter

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import paint as P  # noqa: E402

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
OUT = os.path.join(ROOT, "resources", "art")

# Colours that other parts of the program compare exactly.
GREENS_CORNER = (0x46, 0x3B, 0x47)   # see-through corners of the green buttons
TILE_KEY = (0x00, 0x80, 0x00)        # corners of the category tiles, the tiles' fill colour
WHITE = (255, 255, 255)
BLACK = (0, 0, 0)
CYAN = (0, 255, 255)
# Hit-test colours of the list rows: no row pixel may have one of them, or it would be a hole.
ROW_HIT_COLOURS = [(0x18, 0xAB, 0x07), (0x17, 0x8F, 0x07), (0x2F, 0xAD, 0x07), (0x1F, 0xB1, 0x25),
                   (0x46, 0x3B, 0x47), (0x2F, 0x90, 0x07), (0x1E, 0x77, 0x21), (0x48, 0xAF, 0x07),
                   (0x44, 0x78, 0x07)]

# The page layout this artwork is drawn for.
PANEL_RIGHT = 280      # the light text panel covers x < 280 above the command band
BAND_TOP = 418         # the command band runs along the bottom of every page, level with the buttons
PANEL = (222, 219, 236)
PANEL_LINE = (212, 208, 228)
BAND_STOPS = [(0, (64, 50, 110)), (0.12, (44, 32, 84)), (1, (16, 10, 34))]


def save(name, picture):
    P.write_bmp8(os.path.join(OUT, name + ".bmp"), picture)
    return picture


# --- the common background -----------------------------------------------------------------------

def space(w, h, seed, star_box=None):
    rnd = random.Random(seed)
    img = P.vgradient(w, h, [(0, (10, 8, 46)), (0.55, (30, 12, 70)), (1, (14, 6, 36))])
    glow = Image.new("RGB", (w, h), (0, 0, 0))
    gd = ImageDraw.Draw(glow)
    for cx, cy, r, c in [(470, 230, 190, (90, 30, 120)), (600, 60, 150, (20, 50, 130)),
                         (360, 360, 120, (70, 20, 90))]:
        gd.ellipse((cx - r, cy - r, cx + r, cy + r), fill=c)
    glow = glow.filter(ImageFilter.GaussianBlur(70))
    img = ImageChops.add(img, glow)
    d = ImageDraw.Draw(img)
    for _ in range(260):
        x, y = rnd.randrange(w), rnd.randrange(h)
        if star_box and not star_box(x, y):
            continue
        v = rnd.randrange(90, 255)
        tint = rnd.choice([(1, 1, 1), (0.8, 0.85, 1), (1, 0.9, 0.75)])
        c = tuple(int(v * t) for t in tint)
        d.point((x, y), fill=c)
        if v > 225 and rnd.random() < 0.5:
            dim = tuple(int(x * 0.45) for x in c)
            d.point([(x - 1, y), (x + 1, y), (x, y - 1), (x, y + 1)], fill=dim)
    return img


def planet(img, cx, cy, r):
    w, h = img.size
    body = P.ellipse_mask(w, h, (cx - r, cy - r, cx + r, cy + r))
    shade = Image.new("RGB", (w, h))
    px = shade.load()
    for y in range(max(0, cy - r), min(h, cy + r + 1)):
        for x in range(max(0, cx - r), min(w, cx + r + 1)):
            dx, dy = (x - cx) / r, (y - cy) / r
            if dx * dx + dy * dy > 1:
                continue
            nz = math.sqrt(1 - dx * dx - dy * dy)
            light = max(0.0, -0.55 * dx - 0.6 * dy + 0.58 * nz)
            band = 0.5 + 0.5 * math.sin((dy * 7 + dx * 1.2) * 2.1)
            base = P.mix((40, 120, 150), (90, 170, 160), band)
            px[x, y] = tuple(int(c * (0.18 + 0.95 * light)) for c in base)
    img.paste(shade, (0, 0), body)
    # A thin ring in front of the planet.
    ring = P.shape_mask(w, h, lambda d, s: d.ellipse(
        ((cx - r * 1.75) * s, (cy - r * 0.42) * s, (cx + r * 1.75) * s, (cy + r * 0.42) * s),
        outline=255, width=int(3 * s)))
    front = Image.new("L", (w, h), 0)
    ImageDraw.Draw(front).rectangle((0, cy, w, h), fill=255)
    behind = ImageChops.multiply(ring, ImageChops.invert(front))
    behind = ImageChops.multiply(behind, ImageChops.invert(body))
    P.paste_colour(img, (170, 150, 210), P.scale_mask(behind, 0.8))
    P.paste_colour(img, (200, 185, 235), ImageChops.multiply(ring, front))


def title_plate(img, box, title, subtitle):
    w, h = img.size
    x0, y0, x1, y1 = box
    mask = P.rounded_mask(w, h, box, 14)
    img.paste(Image.new("RGB", (w, h), (0, 0, 0)), (0, 0),
              P.soft_shadow(w, h, mask, (6, 7), 6, 0.55))
    glass = P.vgradient(w, h, [(0, (62, 40, 120)), (1, (20, 12, 52))])
    img.paste(glass, (0, 0), P.scale_mask(mask, 0.88))
    P.gloss(img, mask, y0 / h, (y0 + (y1 - y0) * 0.45) / h, 70)
    light = ImageChops.subtract(mask, P.shrink(mask, 2))
    P.paste_colour(img, (170, 150, 230), light)
    inner = ImageChops.subtract(P.shrink(mask, 5), P.shrink(mask, 6))
    P.paste_colour(img, (96, 70, 160), inner)
    cx = (x0 + x1) // 2
    big = P.font(54)
    tw, th, ox, oy = P.text_size(big, title)
    # Title in a yellow-to-green fill with a dark outline, the way the tiles are lettered.
    tmask = Image.new("L", (w, h), 0)
    ImageDraw.Draw(tmask).text((cx, y0 + 20), title, font=big, fill=255, anchor="mt")
    outline = tmask.filter(ImageFilter.MaxFilter(5))
    img.paste(Image.new("RGB", (w, h), (10, 6, 24)), (0, 0), outline)
    fill = P.vgradient(w, h, [(0, (255, 246, 140)), ((y0 + 40) / h, (250, 210, 40)),
                              ((y0 + 78) / h, (90, 200, 60)), (1, (40, 140, 40))])
    img.paste(fill, (0, 0), tmask)
    small = P.font(15)
    spaced = " ".join(subtitle)
    P.draw_text(img, (cx, y0 + 92), spaced, small, (214, 204, 246), shadow=(20, 10, 40), anchor="mt")


def background(variant="menu"):
    w, h = 640, 480
    img = space(w, h, 7, star_box=lambda x, y: x > PANEL_RIGHT + 8 and y < BAND_TOP - 4)
    planet(img, 575, 318, 52)
    if variant == "menu":
        title_plate(img, (306, 30, 618, 162), "VINDREL", "GAME DEMO CD")
    else:
        title_plate(img, (306, 30, 618, 162), "INFO", "READ ME FIRST")
    # The light text panel along the left edge, with fine scan lines (even pitch, so a copy of it
    # shifted by an even number of rows lines up).
    panel = Image.new("RGB", (PANEL_RIGHT, BAND_TOP), PANEL)
    pd = ImageDraw.Draw(panel)
    for y in range(1, BAND_TOP, 2):
        pd.line((0, y, PANEL_RIGHT, y), fill=PANEL_LINE)
    shadow = Image.new("L", (w, h), 0)
    ImageDraw.Draw(shadow).rectangle((0, 0, PANEL_RIGHT + 2, BAND_TOP), fill=255)
    img.paste(Image.new("RGB", (w, h), (0, 0, 0)), (0, 0),
              P.scale_mask(shadow.filter(ImageFilter.GaussianBlur(5)), 0.8))
    img.paste(panel, (0, 0))
    d = ImageDraw.Draw(img)
    d.line((PANEL_RIGHT, 0, PANEL_RIGHT, BAND_TOP - 1), fill=(250, 248, 255))
    d.line((PANEL_RIGHT + 1, 0, PANEL_RIGHT + 1, BAND_TOP - 1), fill=(150, 140, 190))
    d.line((PANEL_RIGHT + 2, 0, PANEL_RIGHT + 2, BAND_TOP - 1), fill=(70, 56, 120))
    # The command band: the same from left to right, so a shadow fits wherever it is placed.
    band = P.vgradient(w, h - BAND_TOP, BAND_STOPS)
    img.paste(band, (0, BAND_TOP))
    d.line((0, BAND_TOP, w, BAND_TOP), fill=(190, 176, 240))
    d.line((0, BAND_TOP + 1, w, BAND_TOP + 1), fill=(110, 92, 176))
    d.line((0, h - 1, w, h - 1), fill=(6, 4, 14))
    return img


# --- shared button pictures ---------------------------------------------------------------------

def greens(bright):
    w, h = 90, 45
    if bright:
        top, bottom, border, shine = (150, 245, 110), (30, 150, 36), (10, 80, 16), 120
    else:
        top, bottom, border, shine = (96, 214, 74), (16, 112, 24), (6, 56, 12), 95
    img, mask = P.bevel_plate(w, h, (1, 1, 89, 44), 13, top, bottom, border, shine,
                              inner_light=(190, 255, 170) if bright else (150, 230, 130))
    # Edge pixels are mixed with black: the button fills its corners with black on most pages.
    out = Image.new("RGB", (w, h), (0, 0, 0))
    out.paste(img, (0, 0), mask)
    corners = mask.point(lambda v: 255 if v < 100 else 0)
    return P.to_palette(out, keys=[(corners, GREENS_CORNER)])


def exit_sign(bright, under):
    w, h = 81, 53
    c = 15
    octagon = [(c, 1), (w - 1 - c, 1), (w - 1, c), (w - 1, h - 1 - c), (w - 1 - c, h - 1),
               (c, h - 1), (1, h - 1 - c), (1, c)]
    mask = P.polygon_mask(w, h, octagon)
    red = P.vgradient(w, h, [(0, (255, 92, 70) if bright else (232, 50, 36)),
                             (1, (170, 16, 14) if bright else (128, 8, 10))])
    ring_mask = P.polygon_mask(w, h, [(x + (3 if x < w / 2 else -3), y + (3 if y < h / 2 else -3))
                                      for x, y in octagon])
    inner_mask = P.polygon_mask(w, h, [(x + (5 if x < w / 2 else -5), y + (5 if y < h / 2 else -5))
                                       for x, y in octagon])
    img = under.copy()
    img.paste(Image.new("RGB", (w, h), (0, 0, 0)), (0, 0), P.soft_shadow(w, h, mask, (2, 2), 2, 0.6))
    img.paste(Image.new("RGB", (w, h), (60, 4, 6)), (0, 0), mask)
    img.paste(Image.new("RGB", (w, h), (246, 240, 236)), (0, 0), ring_mask)
    img.paste(red, (0, 0), inner_mask)
    P.gloss(img, inner_mask, 0.05, 0.5, 80)
    text = (255, 236, 90) if bright else (250, 248, 246)
    P.draw_text(img, (w // 2 + 1, h // 2 + 1), "EXIT", P.font(21), text, shadow=(70, 0, 0), anchor="mm")
    outside = mask.point(lambda v: 255 if v < 128 else 0)
    return P.to_palette(img, keys=[(outside, WHITE)])


def round_arrow(up, bright):
    w, h = 46, 46
    ball = P.ellipse_mask(w, h, (2, 2, 44, 44))
    img = Image.new("RGB", (w, h), (30, 24, 50))
    face = P.vgradient(w, h, [(0, (150, 240, 110) if bright else (100, 210, 80)),
                              (1, (20, 120, 30) if bright else (10, 90, 22))])
    img.paste(face, (0, 0), P.shrink(ball, 2))
    P.gloss(img, P.shrink(ball, 2), 0.05, 0.5, 120)
    if up:
        tri = [(23, 10), (36, 28), (10, 28)]
        stem = (18, 27, 28, 36)
    else:
        tri = [(23, 36), (36, 18), (10, 18)]
        stem = (18, 10, 28, 19)
    arrow = P.polygon_mask(w, h, tri)
    ImageDraw.Draw(arrow).rectangle(stem, fill=255)
    shadow = P.soft_shadow(w, h, arrow, (1, 2), 1, 0.7)
    img.paste(Image.new("RGB", (w, h), (8, 50, 10)), (0, 0), shadow)
    img.paste(Image.new("RGB", (w, h), (255, 250, 200) if bright else (246, 246, 240)), (0, 0), arrow)
    outside = ball.point(lambda v: 255 if v < 110 else 0)
    return P.to_palette(img, keys=[(outside, WHITE)])


def small_arrow(up, bright, key):
    w, h = 17, 17
    tri = [(8.5, 3), (15, 13), (2, 13)] if up else [(8.5, 14), (15, 4), (2, 4)]
    m = P.polygon_mask(w, h, tri)
    img = Image.new("RGB", (w, h), (0, 0, 0))
    fill = P.vgradient(w, h, [(0, (200, 255, 140) if bright else (130, 230, 90)),
                              (1, (60, 190, 40) if bright else (30, 140, 30))])
    img.paste(fill, (0, 0), m)
    outside = m.point(lambda v: 255 if v < 60 else 0)
    keys = [(outside, key)]
    return P.to_palette(img, keys=keys, forbid=[BLACK, CYAN])


# --- category tiles -----------------------------------------------------------------------------

CATEGORIES = [
    ("bmpAction", "Action", (235, 70, 30), (255, 200, 60)),
    ("bmpSimulator", "Simulator", (40, 130, 230), (235, 245, 255)),
    ("bmpSport", "Sport", (250, 150, 30), (255, 255, 255)),
    ("bmpAdventure", "Adventure", (140, 60, 200), (255, 215, 80)),
    ("bmpStrategi", "Strategy", (30, 60, 150), (255, 215, 80)),
    ("bmpJunior", "Junior", (240, 90, 170), (255, 235, 70)),
]


def emblem(img, kind, cx, cy, r, disc, symbol):
    w, h = img.size
    m = P.ellipse_mask(w, h, (cx - r, cy - r, cx + r, cy + r))
    img.paste(Image.new("RGB", (w, h), (10, 40, 10)), (0, 0), P.soft_shadow(w, h, m, (2, 2), 2, 0.7))
    img.paste(Image.new("RGB", (w, h), (250, 250, 240)), (0, 0), m)
    inner = P.ellipse_mask(w, h, (cx - r + 2, cy - r + 2, cx + r - 2, cy + r - 2))
    shade = P.vgradient(w, h, [(0, P.mix(disc, (255, 255, 255), 0.35)), (1, P.mix(disc, (0, 0, 0), 0.35))])
    img.paste(shade, (0, 0), inner)

    def sym(points):
        return P.polygon_mask(w, h, [(cx + x * r, cy + y * r) for x, y in points])

    if kind == "Action":  # a burst
        pts = []
        for i in range(16):
            a = i * math.pi / 8 - math.pi / 2
            k = 0.78 if i % 2 == 0 else 0.38
            pts.append((math.cos(a) * k, math.sin(a) * k))
        smask = sym(pts)
    elif kind == "Simulator":  # an aeroplane seen from above
        smask = sym([(0, -0.8), (0.1, -0.6), (0.1, -0.15), (0.75, 0.15), (0.75, 0.3), (0.1, 0.15),
                     (0.08, 0.5), (0.3, 0.68), (0.3, 0.78), (0, 0.7), (-0.3, 0.78), (-0.3, 0.68),
                     (-0.08, 0.5), (-0.1, 0.15), (-0.75, 0.3), (-0.75, 0.15), (-0.1, -0.15),
                     (-0.1, -0.6)])
    elif kind == "Sport":  # a ball with seams
        smask = P.ellipse_mask(w, h, (cx - r * 0.68, cy - r * 0.68, cx + r * 0.68, cy + r * 0.68))
        img.paste(Image.new("RGB", (w, h), symbol), (0, 0), smask)
        pent = sym([(math.cos(a) * 0.26, math.sin(a) * 0.26)
                    for a in [i * 2 * math.pi / 5 - math.pi / 2 for i in range(5)]])
        img.paste(Image.new("RGB", (w, h), (30, 30, 30)), (0, 0), pent)
        seams = P.shape_mask(w, h, lambda d, s: [d.line(
            ((cx + math.cos(a) * r * 0.26) * s, (cy + math.sin(a) * r * 0.26) * s,
             (cx + math.cos(a) * r * 0.66) * s, (cy + math.sin(a) * r * 0.66) * s),
            fill=255, width=int(2 * s)) for a in [i * 2 * math.pi / 5 - math.pi / 2 for i in range(5)]])
        img.paste(Image.new("RGB", (w, h), (30, 30, 30)), (0, 0), seams)
        smask = None
    elif kind == "Adventure":  # a compass rose
        pts = []
        for i in range(8):
            a = i * math.pi / 4 - math.pi / 2
            k = 0.8 if i % 2 == 0 else 0.2
            pts.append((math.cos(a) * k, math.sin(a) * k))
        smask = sym(pts)
    elif kind == "Strategy":  # a castle tower
        smask = sym([(-0.5, 0.7), (0.5, 0.7), (0.5, 0.55), (0.32, 0.45), (0.32, -0.25), (0.5, -0.35),
                     (0.5, -0.7), (0.3, -0.7), (0.3, -0.52), (0.1, -0.52), (0.1, -0.7), (-0.1, -0.7),
                     (-0.1, -0.52), (-0.3, -0.52), (-0.3, -0.7), (-0.5, -0.7), (-0.5, -0.35),
                     (-0.32, -0.25), (-0.32, 0.45), (-0.5, 0.55)])
    else:  # Junior: a smiling face
        smask = P.ellipse_mask(w, h, (cx - r * 0.66, cy - r * 0.66, cx + r * 0.66, cy + r * 0.66))
        img.paste(Image.new("RGB", (w, h), symbol), (0, 0), smask)
        dark = (90, 30, 40)
        for ex in (-0.24, 0.24):
            eye = P.ellipse_mask(w, h, (cx + (ex - 0.08) * r, cy - 0.3 * r, cx + (ex + 0.08) * r, cy - 0.06 * r))
            img.paste(Image.new("RGB", (w, h), dark), (0, 0), eye)
        mouth = P.shape_mask(w, h, lambda d, s: d.arc(
            ((cx - 0.4 * r) * s, (cy - 0.3 * r) * s, (cx + 0.4 * r) * s, (cy + 0.45 * r) * s),
            20, 160, fill=255, width=int(2.2 * s)))
        img.paste(Image.new("RGB", (w, h), dark), (0, 0), mouth)
        smask = None
    if smask is not None:
        img.paste(Image.new("RGB", (w, h), P.mix(disc, (0, 0, 0), 0.6)), (0, 0),
                  P.soft_shadow(w, h, smask, (1, 1), 1, 0.8))
        img.paste(Image.new("RGB", (w, h), symbol), (0, 0), smask)
    P.gloss(img, inner, (cy - r) / h, cy / h, 90)


def tile(name, disc, symbol, variant):
    """variant 0: the tile; 1: under the mouse; 2: the category page's heading."""
    w, h = 280, 80
    if variant == 1:
        top, bottom, border, shine = (120, 235, 90), (26, 140, 30), (4, 70, 10), 120
    elif variant == 2:
        top, bottom, border, shine = (50, 160, 60), (8, 70, 24), (2, 40, 8), 80
    else:
        top, bottom, border, shine = (84, 205, 68), (14, 110, 22), (4, 60, 10), 95
    plate, mask = P.bevel_plate(w, h, (2, 2, 278, 78), 12, top, bottom, border, shine,
                                inner_light=(200, 255, 180) if variant == 1 else (140, 220, 120))
    img = Image.new("RGB", (w, h), TILE_KEY)
    img.paste(plate, (0, 0), mask)
    # A coloured stripe behind the emblem tells the categories apart at a glance.
    stripe = ImageChops.multiply(P.rounded_mask(w, h, (8, 8, 78, 72), 10), P.shrink(mask, 3))
    img.paste(P.vgradient(w, h, [(0, P.mix(disc, (255, 255, 255), 0.3)), (1, P.mix(disc, (0, 0, 0), 0.4))]),
              (0, 0), P.scale_mask(stripe, 0.55))
    emblem(img, name, 43, 40, 27, disc, symbol)
    size = 31 if variant != 2 else 33
    fnt = P.font(size)
    while fnt.getlength(name) > 180:
        size -= 1
        fnt = P.font(size)
    colour = (255, 236, 60) if variant == 1 else (255, 255, 255) if variant == 0 else (250, 230, 120)
    P.draw_text(img, (89, 41), name, fnt, colour, shadow=(6, 40, 8), shadow_offset=(2, 2), anchor="lm")
    if variant == 2:
        d = ImageDraw.Draw(img)
        d.line((90, 60, 90 + int(fnt.getlength(name)), 60), fill=(250, 230, 120), width=2)
    outside = mask.point(lambda v: 255 if v < 128 else 0)
    return P.to_palette(img, keys=[(outside, TILE_KEY)])


# --- list rows ----------------------------------------------------------------------------------

def hsv(hue, s, v):
    import colorsys
    r, g, b = colorsys.hsv_to_rgb(hue / 360.0, s, v)
    return int(r * 255), int(g * 255), int(b * 255)


def row(w, h, hue, rounded):
    """A glossy bar for black captions (yellow under the mouse)."""
    top, bottom = hsv(hue, 0.62, 0.92), hsv(hue, 0.9, 0.62)
    box = (0, 0, w, h)
    plate, mask = P.bevel_plate(w, h, box, 7 if rounded else 0, top, bottom, hsv(hue, 0.9, 0.3), 85,
                                inner_light=hsv(hue, 0.35, 1.0))
    img = Image.new("RGB", (w, h), PANEL)
    img.paste(plate, (0, 0), mask)
    # A little bead at the right end marks the row as clickable.
    cx, cy = w - 16, h // 2
    bead = P.ellipse_mask(w, h, (cx - 6, cy - 6, cx + 6, cy + 6))
    img.paste(Image.new("RGB", (w, h), hsv(hue, 0.9, 0.35)), (0, 0), bead)
    core = P.ellipse_mask(w, h, (cx - 4, cy - 5, cx + 4, cy + 3))
    img.paste(Image.new("RGB", (w, h), hsv(hue, 0.25, 1.0)), (0, 0), P.scale_mask(core, 0.8))
    return P.to_palette(img, forbid=ROW_HIT_COLOURS + [WHITE])


# --- flags --------------------------------------------------------------------------------------

FLAGS = {
    "da": ((200, 16, 46), (255, 255, 255), None),
    "no": ((186, 12, 47), (255, 255, 255), (0, 32, 91)),
    "se": ((0, 106, 167), (254, 204, 0), None),
    "fi": ((255, 255, 255), (0, 47, 108), None),
}


def flag_colour(code, u, v):
    """The flag at u (-1 hoist .. 1 fly) and v (-1 top .. 1 bottom), cross left of centre."""
    field, cross, inner = FLAGS[code]
    cu, half, half_inner = -0.22, 0.2, 0.1
    if inner and (abs(u - cu) < half_inner or abs(v) < half_inner):
        return inner
    if abs(u - cu) < half or abs(v) < half:
        return cross
    return field


def flag_ball(code, size, bright):
    big = size * P.SS
    r = big / 2
    img = Image.new("RGB", (big, big), (0, 0, 0))
    px = img.load()
    for y in range(big):
        for x in range(big):
            dx, dy = (x + 0.5 - r) / r, (y + 0.5 - r) / r
            d2 = dx * dx + dy * dy
            if d2 > 1:
                continue
            nz = math.sqrt(1 - d2)
            # Map the flag onto the front of the ball.
            u, v = math.asin(max(-1, min(1, dx))) / (math.pi / 2), math.asin(max(-1, min(1, dy))) / (math.pi / 2)
            base = flag_colour(code, u * 1.1, v * 1.1)
            light = max(0.0, -0.45 * dx - 0.55 * dy + 0.7 * nz)
            k = (0.28 + 0.85 * light) * (1.0 if bright else 0.62)
            shine = max(0.0, -0.5 * dx - 0.6 * dy + 0.62 * nz) ** 24 * (230 if bright else 120)
            rim = (1 - nz) ** 3 * 40
            px[x, y] = tuple(min(255, int(c * k + shine + rim * (0.3 if bright else 0.15))) for c in base)
    mask = P.ellipse_mask(size, size, (0, 0, size, size))
    small = img.resize((size, size), Image.Resampling.LANCZOS)
    out = Image.new("RGB", (size, size), (0, 0, 0))
    out.paste(small, (0, 0), mask)
    outside = mask.point(lambda v: 255 if v < 128 else 0)
    return P.to_palette(out, keys=[(outside, BLACK)])


# --- shadows, rules, panels ---------------------------------------------------------------------

def pill_mask(w, h, left, top):
    return P.rounded_mask(w, h, (left, top, left + 90, top + 45), 13)


def shadow_picture(bg, left, top, w, h, buttons):
    img = bg.crop((left, top, left + w, top + h))
    m = Image.new("L", (w, h), 0)
    for bx, by in buttons:
        m = ImageChops.lighter(m, pill_mask(w, h, bx - left, by - top))
    img.paste(Image.new("RGB", (w, h), (0, 0, 0)), (0, 0), P.soft_shadow(w, h, m, (-6, 6), 3, 0.75))
    return P.to_palette(img)


def index_rules(bg):
    fed = P.vgradient(241, 7, [(0, (150, 120, 220)), (0.35, (80, 50, 160)), (1, (30, 16, 70))])
    ImageDraw.Draw(fed).line((0, 6, 240, 6), fill=(20, 10, 44))
    fin = P.vgradient(1, 398, [(0, (60, 36, 130)), (1, (110, 90, 180))])
    shaft = Image.new("RGB", (28, 400), (0, 0, 0))
    d = ImageDraw.Draw(shaft)
    d.rectangle((0, 0, 27, 399), outline=(60, 40, 120))
    d.line((1, 1, 1, 398), fill=(30, 20, 64))
    d.line((2, 1, 2, 398), fill=(14, 8, 30))
    for y in range(24, 376, 6):  # grip marks along the track
        d.line((14, y, 23, y), fill=(40, 28, 80))
    return P.to_palette(fed), P.to_palette(fin), P.to_palette(shaft)


def hehe_picture():
    w, h = 493, 598
    img = P.vgradient(w, h, [(0, (40, 10, 90)), (1, (10, 4, 30))])
    d = ImageDraw.Draw(img)
    cx, cy = w // 2, 300
    for i in range(24):  # a sunburst
        a0, a1 = i * math.pi / 12, i * math.pi / 12 + math.pi / 24
        pts = [(cx, cy), (cx + math.cos(a0) * 700, cy + math.sin(a0) * 700),
               (cx + math.cos(a1) * 700, cy + math.sin(a1) * 700)]
        d.polygon(pts, fill=(70, 24, 130))
    face = P.ellipse_mask(w, h, (cx - 190, cy - 190, cx + 190, cy + 190))
    img.paste(Image.new("RGB", (w, h), (0, 0, 0)), (0, 0), P.soft_shadow(w, h, face, (10, 12), 10, 0.6))
    img.paste(P.vgradient(w, h, [(0.2, (255, 240, 90)), (0.85, (240, 150, 20))]), (0, 0), face)
    P.gloss(img, face, 0.18, 0.42, 90)
    dark = (70, 30, 10)
    for ex in (-80, 80):  # eyes squeezed shut with laughter
        m = P.shape_mask(w, h, lambda dd, s, ex=ex: dd.arc(
            ((cx + ex - 45) * s, (cy - 95) * s, (cx + ex + 45) * s, (cy - 15) * s), 200, 340,
            fill=255, width=int(12 * s)))
        img.paste(Image.new("RGB", (w, h), dark), (0, 0), m)
    mouth = P.shape_mask(w, h, lambda dd, s: dd.chord(
        ((cx - 120) * s, (cy - 40) * s, (cx + 120) * s, (cy + 140) * s), 0, 180, fill=255))
    img.paste(Image.new("RGB", (w, h), (120, 20, 30)), (0, 0), mouth)
    tongue = ImageChops.multiply(mouth, P.ellipse_mask(w, h, (cx - 60, cy + 60, cx + 60, cy + 160)))
    img.paste(Image.new("RGB", (w, h), (240, 100, 110)), (0, 0), tongue)
    teeth = ImageChops.multiply(mouth, Image.new("L", (w, h), 0))
    ImageDraw.Draw(teeth).rectangle((cx - 110, cy + 50, cx + 110, cy + 68), fill=255)
    teeth = ImageChops.multiply(teeth, mouth)
    img.paste(Image.new("RGB", (w, h), (250, 250, 245)), (0, 0), teeth)
    big = P.font(64)
    for text, (x, y), a in [("HE", (90, 70), -12), ("HE", (400, 90), 10), ("HE!", (250, 540), 0)]:
        layer = Image.new("L", (220, 110), 0)
        ImageDraw.Draw(layer).text((110, 55), text, font=big, fill=255, anchor="mm")
        layer = layer.rotate(a, resample=Image.Resampling.BICUBIC)
        m = Image.new("L", (w, h), 0)
        m.paste(layer, (x - 110, y - 55))
        img.paste(Image.new("RGB", (w, h), (20, 6, 40)), (0, 0), m.filter(ImageFilter.MaxFilter(7)))
        img.paste(Image.new("RGB", (w, h), (120, 255, 90)), (0, 0), m)
    return P.to_palette(img, dither=True)


# --- output -------------------------------------------------------------------------------------

def generate():
    os.makedirs(OUT, exist_ok=True)
    pics = {}

    def put(name, picture):
        pics[name] = save(name, picture)

    # The panel and the band keep exact colours: the disclaimer's text panel is a shifted copy of
    # the panel, and the shadow pictures are copies of the band at other places.
    flat = Image.new("L", (640, 480), 0)
    ImageDraw.Draw(flat).rectangle((0, 0, PANEL_RIGHT - 1, BAND_TOP - 1), fill=255)
    ImageDraw.Draw(flat).rectangle((0, BAND_TOP, 639, 479), fill=255)
    bg = background("menu")
    put("hovedmenu", P.to_palette(bg, dither=True, exact=flat))
    bg8 = P.picture_to_rgb(pics["hovedmenu"])  # the stored pictures copy what the page shows
    put("ansvarpanel", P.to_palette(bg8.crop((0, 0, 242, 398))))

    put("skygge100", shadow_picture(bg8, 480, 418, 100, 55, [(490, 418)]))
    put("skygge190", shadow_picture(bg8, 385, 418, 190, 55, [(390, 418), (485, 418)]))
    put("skygge290", shadow_picture(bg8, 290, 418, 290, 55, [(297, 418), (392, 418), (490, 418)]))
    put("skygge200", shadow_picture(bg8, 285, 367, 200, 110,
                                    [(298, 368), (395, 368), (298, 420), (395, 420)]))
    fed, fin, shaft = index_rules(bg8)
    put("fedstreg", fed)
    put("finstreg", fin)
    put("rulleskakt", shaft)
    put("hehe", hehe_picture())

    put("greens_0", greens(False))
    put("greens_1", greens(True))
    under = bg8.crop((559, 427, 640, 480))
    put("exit_0", exit_sign(False, under))
    put("exit_1", exit_sign(True, under))
    for name, label, disc, symbol in CATEGORIES:
        for v in range(3):
            put("%s_%d" % (name[3:].lower(), v), tile(label, disc, symbol, v))
    put("op_0", round_arrow(True, False))
    put("op_1", round_arrow(True, True))
    put("ned_0", round_arrow(False, False))
    put("ned_1", round_arrow(False, True))
    for i in range(8):
        put("bagkategori_%d" % i, row(240, 42, 96 + i * 7, True))
    for i in range(10):
        put("indexrow_%d" % i, row(209, 42, 150 - i * 7, False))
    put("lilleop_0", small_arrow(True, False, BLACK))
    put("lilleop_1", small_arrow(True, True, BLACK))
    put("lillened_0", small_arrow(False, False, CYAN))
    put("lillened_1", small_arrow(False, True, CYAN))
    put("storttomt", P.to_palette(P.solid(240, 330, PANEL)))
    put("tomtbillede", P.to_palette(P.solid(10, 10, PANEL)))
    order = [("se", 69, False), ("fi", 67, True), ("fi", 67, False), ("da", 68, True),
             ("no", 69, True), ("se", 69, True), ("no", 69, False), ("da", 68, False)]
    for i, (code, size, bright) in enumerate(order):
        put("flag_%d" % i, flag_ball(code, size, bright))
    return pics


def contact_sheet(pics, path):
    rgb = {k: P.picture_to_rgb(v) for k, v in pics.items()}
    pad, x, y, line_h, width = 6, 6, 6, 0, 1300
    places = []
    for name in sorted(rgb, key=lambda n: (-rgb[n].height, n)):
        im = rgb[name]
        if x + im.width + pad > width:
            x, y, line_h = pad, y + line_h + pad + 12, 0
        places.append((name, x, y))
        x += im.width + pad
        line_h = max(line_h, im.height)
    sheet = Image.new("RGB", (width, y + line_h + 20), (90, 90, 90))
    d = ImageDraw.Draw(sheet)
    for name, px, py in places:
        sheet.paste(rgb[name], (px, py))
        d.text((px, py + rgb[name].height), name, fill=(255, 255, 200), font=P.font(9, bold=False))
    sheet.save(path)


def mockups(pics, folder):
    """Rough compositions of the pages, to judge the artwork in place."""
    os.makedirs(folder, exist_ok=True)
    rgb = {k: P.picture_to_rgb(v) for k, v in pics.items()}

    def key_paste(page, name, xy, key):
        im = rgb[name]
        mask = Image.eval(ImageChops.difference(im, Image.new("RGB", im.size, key)).convert("L"),
                          lambda v: 255 if v else 0)
        page.paste(im, xy, mask)

    def green(page, xy, text, fill=(0, 0, 0)):
        page.paste(Image.new("RGB", (90, 45), fill), xy)
        key_paste(page, "greens_0", xy, GREENS_CORNER)
        P.draw_text(page, (xy[0] + 45, xy[1] + 22), text, P.font(12), (255, 255, 255), anchor="mm")

    menu = rgb["hovedmenu"].copy()
    menu.paste(rgb["skygge200"], (285, 367))
    for i, (name, _, _, _) in enumerate(CATEGORIES):
        v = 1 if i == 2 else 0
        menu.paste(Image.new("RGB", (280, 80), TILE_KEY), (0, 80 * i))
        key_paste(menu, "%s_%d" % (name[3:].lower(), v), (0, 80 * i), TILE_KEY)
    for (x, y), t in zip([(298, 368), (395, 368), (298, 420), (395, 420)], ["Hjælp", "DirectX", "Index", "Afinstallér"]):
        green(menu, (x, y), t)
    key_paste(menu, "exit_0", (559, 427), WHITE)
    menu.save(os.path.join(folder, "menu.png"))

    cat = rgb["hovedmenu"].copy()
    key_paste(cat, "adventure_2", (0, 0), TILE_KEY)
    for k in range(8):
        cat.paste(rgb["bagkategori_%d" % k], (32, 88 + 40 * k))
        P.draw_text(cat, (33, 88 + 40 * k + 21), "Demo title %d" % (k + 1), P.font(19, bold=False),
                    (255, 255, 0) if k == 3 else (0, 0, 0), anchor="lm")
    cat.paste(rgb["skygge100"], (480, 418))
    green(cat, (490, 418), "Tilbage")
    cat.save(os.path.join(folder, "category.png"))

    idx = rgb["hovedmenu"].copy()
    P.draw_text(idx, (16, 16), "Index", P.font(21, bold=False), (0, 0, 0))
    idx.paste(rgb["fedstreg"], (18, 50))
    idx.paste(rgb["finstreg"], (18, 57))
    idx.paste(rgb["rulleskakt"], (231, 57))
    for k in range(10):
        idx.paste(rgb["indexrow_%d" % k], (24, 56 + 40 * k))
        P.draw_text(idx, (25, 56 + 40 * k + 21), "Demo %d" % (k + 1), P.font(19, bold=False), (0, 0, 0), anchor="lm")
    idx.paste(rgb["lilleop_0"], (242, 57))
    key_paste(idx, "lillened_0", (242, 431), CYAN)
    idx.paste(rgb["skygge100"], (480, 418))
    green(idx, (490, 417), "Tilbage")
    idx.save(os.path.join(folder, "index.png"))

    game = rgb["hovedmenu"].copy()
    P.draw_text(game, (16, 16), "A Demo Title", P.font(21), (0, 0, 0))
    for k in range(12):
        P.draw_text(game, (16, 80 + 18 * k), "Description line number %d" % (k + 1), P.font(13), (0, 0, 0))
    key_paste(game, "op_0", (232, 16), WHITE)
    key_paste(game, "ned_0", (232, 416), WHITE)
    game.paste(Image.new("RGB", (316, 236), (60, 90, 60)), (302, 22))
    game.paste(Image.new("RGB", (313, 123), (0, 0, 0)), (304, 278))
    game.paste(rgb["skygge290"], (290, 418))
    for x, t in zip((297, 392, 490), ("Installér", "Hjælp", "Tilbage")):
        green(game, (x, 418), t, (128, 128, 128))
    game.save(os.path.join(folder, "game.png"))

    flags = Image.new("RGB", (640, 480), (0, 0, 0))
    for x, up, over in [(104, 7, 3), (224, 6, 4), (344, 0, 5), (464, 2, 1)]:
        flags.paste(rgb["flag_%d" % up], (x, 205))
        flags.paste(rgb["flag_%d" % over], (x, 300))
    flags.save(os.path.join(folder, "flags.png"))

    disc = rgb["hovedmenu"].copy()
    disc.paste(rgb["hovedmenu"].crop((0, 0, 242, 398)), (18, 20))
    disc.paste(rgb["skygge100"], (8, 418))
    green(disc, (18, 418), "OK")
    key_paste(disc, "exit_1", (559, 427), WHITE)
    cred = rgb["hovedmenu"].copy()
    cred.paste(rgb["hehe"].resize((129, 89)), (470, 250))
    both = Image.new("RGB", (1280, 480))
    both.paste(disc, (0, 0))
    both.paste(cred, (640, 0))
    both.save(os.path.join(folder, "disclaimer_credits.png"))


def main():
    ap = argparse.ArgumentParser(description=__doc__)
    ap.add_argument("--sheet", help="also write a contact sheet PNG of every picture")
    ap.add_argument("--mockups", help="also write rough page compositions into this folder")
    args = ap.parse_args()
    pics = generate()
    if args.sheet:
        contact_sheet(pics, args.sheet)
    if args.mockups:
        mockups(pics, args.mockups)


if __name__ == "__main__":
    main()
