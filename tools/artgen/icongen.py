#!/usr/bin/python3
"""Writes the program's icon, resources/art/vindrel.ico: a yellow V on the purple of the pages.

    /usr/bin/python3 tools/artgen/icongen.py

The 16, 32 and 48 pixel pictures are stored as plain bitmaps, which every Windows reads and which
the program's start-up loads without an image decoder; only the 256 pixel one is a PNG.
"""
import io
import os
import struct

from PIL import Image, ImageDraw, ImageFont

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
FONT = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"


def icon(size):
    img = Image.new("RGBA", (size, size), (0, 0, 0, 0))
    d = ImageDraw.Draw(img)
    r = max(2, size // 6)
    d.rounded_rectangle([0, 0, size - 1, size - 1], radius=r, fill=(58, 24, 110, 255), outline=(190, 170, 240, 255),
                        width=max(1, size // 24))
    font = ImageFont.truetype(FONT, int(size * 0.78))
    box = d.textbbox((0, 0), "V", font=font)
    x = (size - (box[2] - box[0])) / 2 - box[0]
    y = (size - (box[3] - box[1])) / 2 - box[1]
    d.text((x + max(1, size // 32), y + max(1, size // 32)), "V", font=font, fill=(20, 8, 40, 255))
    d.text((x, y), "V", font=font, fill=(250, 222, 40, 255))
    return img


def bitmap_entry(img):
    """An icon picture as a bitmap: the header (height doubled), BGRA rows bottom-up, the mask."""
    w, h = img.size
    header = struct.pack("<IiiHHIIiiII", 40, w, 2 * h, 1, 32, 0, 0, 0, 0, 0, 0)
    rows = b"".join(
        bytes(c for x in range(w) for c in (lambda p: (p[2], p[1], p[0], p[3]))(img.getpixel((x, y))))
        for y in reversed(range(h)))
    stride = ((w + 31) // 32) * 4
    mask = bytearray()
    for y in reversed(range(h)):
        row = bytearray(stride)
        for x in range(w):
            if img.getpixel((x, y))[3] == 0:
                row[x // 8] |= 0x80 >> (x % 8)
        mask += row
    return header + rows + bytes(mask)


def main():
    big = icon(256)
    # The pictures as the image library scales them for an icon file.
    packed = io.BytesIO()
    big.save(packed, format="ICO", sizes=[(16, 16), (32, 32), (48, 48), (256, 256)])
    frames = Image.open(packed).ico
    entries = []
    for size in (16, 32, 48, 256):
        img = frames.getimage((size, size)).convert("RGBA")
        if size == 256:
            png = io.BytesIO()
            img.save(png, format="PNG")
            entries.append((size, png.getvalue()))
        else:
            entries.append((size, bitmap_entry(img)))
    out = bytearray(struct.pack("<HHH", 0, 1, len(entries)))
    offset = 6 + 16 * len(entries)
    for size, data in entries:
        out += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    for _, data in entries:
        out += data
    with open(os.path.join(ROOT, "resources", "art", "vindrel.ico"), "wb") as f:
        f.write(out)


if __name__ == "__main__":
    main()
