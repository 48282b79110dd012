"""Drawing helpers for the menu's artwork: gradients, smooth shapes, glossy plates, text, and the
conversion of a finished RGB picture to an 8-bit palette bitmap with exact see-through colours."""
import struct

from PIL import Image, ImageChops, ImageDraw, ImageFilter, ImageFont

FONT_DIR = "/usr/share/fonts/truetype/dejavu/"
SS = 4  # supersampling factor for smooth edges


def font(size, bold=True, condensed=False):
    name = "DejaVuSans"
    if condensed:
        name += "Condensed"
    if bold:
        name += "-Bold"
    return ImageFont.truetype(FONT_DIR + name + ".ttf", size)


def mix(a, b, t):
    return tuple(int(round(x + (y - x) * t)) for x, y in zip(a, b))


def vgradient(w, h, stops):
    """Vertical gradient through (position 0..1, colour) stops."""
    column = Image.new("RGB", (1, h))
    px = column.load()
    for y in range(h):
        t = y / max(1, h - 1)
        for (p0, c0), (p1, c1) in zip(stops, stops[1:]):
            if p0 <= t <= p1:
                px[0, y] = mix(c0, c1, (t - p0) / max(1e-9, p1 - p0))
                break
    return column.resize((w, h))


def hgradient(w, h, stops):
    return vgradient(h, w, stops).transpose(Image.Transpose.ROTATE_90).transpose(
        Image.Transpose.FLIP_TOP_BOTTOM)


def solid(w, h, colour):
    return Image.new("RGB", (w, h), colour)


def shape_mask(w, h, draw_fn):
    """An antialiased L mask: draw_fn(draw, scale) paints 255 on a supersampled canvas."""
    big = Image.new("L", (w * SS, h * SS), 0)
    draw_fn(ImageDraw.Draw(big), SS)
    return big.resize((w, h), Image.Resampling.LANCZOS)


def rounded_mask(w, h, box, radius):
    x0, y0, x1, y1 = box
    return shape_mask(w, h, lambda d, s: d.rounded_rectangle(
        (x0 * s, y0 * s, x1 * s - 1, y1 * s - 1), radius=radius * s, fill=255))


def ellipse_mask(w, h, box):
    x0, y0, x1, y1 = box
    return shape_mask(w, h, lambda d, s: d.ellipse((x0 * s, y0 * s, x1 * s - 1, y1 * s - 1), fill=255))


def polygon_mask(w, h, points):
    return shape_mask(w, h, lambda d, s: d.polygon([(x * s, y * s) for x, y in points], fill=255))


def scale_mask(mask, factor):
    return mask.point(lambda v: int(v * factor))


def paste_colour(img, colour, mask):
    img.paste(solid(img.width, img.height, colour), (0, 0), mask)


def paste_image(img, src, mask):
    img.paste(src, (0, 0), mask)


def shrink(mask, n):
    """Erodes a mask by n pixels (for inner bevel rings)."""
    return mask.filter(ImageFilter.MinFilter(2 * n + 1)) if n > 0 else mask


def gloss(img, mask, top=0.0, bottom=0.5, strength=110):
    """A white highlight fading out downwards over the upper part of a shape."""
    w, h = img.size
    ramp = Image.new("L", (1, h))
    for y in range(h):
        t = y / max(1, h - 1)
        v = 0 if t < top or t > bottom else strength * (1 - (t - top) / max(1e-9, bottom - top))
        ramp.putpixel((0, y), int(v))
    ramp = ramp.resize((w, h))
    inner = shrink(mask, 2)
    paste_colour(img, (255, 255, 255), ImageChops.multiply(ramp, inner))


def bevel_plate(w, h, box, radius, top, bottom, border, shine=110, inner_light=None):
    """A glossy rounded plate; returns (RGB picture, coverage mask)."""
    mask = rounded_mask(w, h, box, radius)
    img = vgradient(w, h, [(0, top), (1, bottom)])
    if inner_light:
        ring = ImageChops.subtract(shrink(mask, 1), shrink(mask, 2))
        paste_colour(img, inner_light, ring)
    gloss(img, mask, 0.0, 0.55, shine)
    edge = ImageChops.subtract(mask, shrink(mask, 1))
    paste_colour(img, border, edge)
    return img, mask


def text_size(fnt, text):
    x0, y0, x1, y1 = fnt.getbbox(text)
    return x1 - x0, y1 - y0, x0, y0


def draw_text(img, xy, text, fnt, fill, shadow=None, shadow_offset=(1, 1), outline=None, anchor="la"):
    d = ImageDraw.Draw(img)
    x, y = xy
    if shadow:
        d.text((x + shadow_offset[0], y + shadow_offset[1]), text, font=fnt, fill=shadow, anchor=anchor)
    if outline:
        d.text((x, y), text, font=fnt, fill=fill, anchor=anchor, stroke_width=1, stroke_fill=outline)
    else:
        d.text((x, y), text, font=fnt, fill=fill, anchor=anchor)


def soft_shadow(w, h, mask, offset, blur, opacity):
    """A blurred, offset copy of a mask scaled to the given opacity (0..1)."""
    moved = Image.new("L", (w, h), 0)
    moved.paste(mask, offset)
    return scale_mask(moved.filter(ImageFilter.GaussianBlur(blur)), opacity)


def darken(img, mask):
    paste_colour(img, (0, 0, 0), mask)


# --- 8-bit palette conversion -------------------------------------------------------------------

def to_palette(img, keys=(), forbid=(), dither=False, colours=256, exact=None):
    """Converts an RGB picture to (palette, index rows). keys: [(mask, colour)]: pixels where the
    mask is >= 128 get exactly that colour in a palette slot of their own. No other slot may equal
    a key colour or a forbidden colour (hit tests and see-through drawing compare exact colours).
    exact: an L mask of flat areas that keep their colours exactly (no dithering noise), so that
    copies of them line up seamlessly."""
    img = img.convert("RGB")
    w, h = img.size
    key_colours = [tuple(c) for _, c in keys]
    exact_slots = {}
    if exact is not None:
        rgb = img.tobytes()
        for i, v in enumerate(exact.tobytes()):
            if v >= 128:
                exact_slots.setdefault(tuple(rgb[3 * i:3 * i + 3]), None)
    budget = colours - len(key_colours) - len(exact_slots)
    assert budget >= 16, "too many exact colours"
    base = img.quantize(colors=budget, method=Image.Quantize.MEDIANCUT)
    if dither:
        base = img.quantize(palette=base, dither=Image.Dither.FLOYDSTEINBERG)
    raw = base.getpalette()[: 3 * budget]
    palette = [tuple(raw[i:i + 3]) for i in range(0, len(raw), 3)]
    banned = set(key_colours) | {tuple(c) for c in forbid}
    for i, c in enumerate(palette):
        while c in banned:
            c = (c[0], c[1], c[2] + 1 if c[2] < 255 else c[2] - 1)
        palette[i] = c
    indices = bytearray(base.tobytes())
    if exact_slots:
        for c in exact_slots:
            exact_slots[c] = len(palette)
            palette.append(c)
        for i, v in enumerate(exact.tobytes()):
            if v >= 128:
                indices[i] = exact_slots[tuple(rgb[3 * i:3 * i + 3])]
    for slot, (mask, colour) in enumerate(keys):
        index = len(palette)
        palette.append(tuple(colour))
        mdata = mask.tobytes()
        for i, v in enumerate(mdata):
            if v >= 128:
                indices[i] = index
    while len(palette) < 256:
        palette.append((0, 0, 0))
    return palette, w, h, bytes(indices)


def write_bmp8(path, picture):
    """Writes a bottom-up 8-bit BMP with a full 256-entry colour table."""
    palette, w, h, indices = picture
    stride = (w + 3) & ~3
    pixels = bytearray()
    for y in range(h - 1, -1, -1):
        row = indices[y * w:(y + 1) * w]
        pixels += row + bytes(stride - w)
    table = b"".join(bytes((b, g, r, 0)) for r, g, b in palette)
    offset = 14 + 40 + len(table)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 8, 0, len(pixels), 2835, 2835, 256, 0)
    with open(path, "wb") as f:
        f.write(header + info + table + pixels)


def picture_to_rgb(picture):
    palette, w, h, indices = picture
    flat = []
    for c in palette:
        flat.extend(c)
    img = Image.frombytes("P", (w, h), indices)
    img.putpalette(flat)
    return img.convert("RGB")
