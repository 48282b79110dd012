#!/usr/bin/python3
"""Writes the program's icon, resources/art/vindrel.ico: a yellow V on the purple of the pages.

    /usr/bin/python3 tools/artgen/icongen.py
"""
import os

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


def main():
    big = icon(256)
    big.save(os.path.join(ROOT, "resources", "art", "vindrel.ico"), sizes=[(16, 16), (32, 32), (48, 48), (256, 256)])


if __name__ == "__main__":
    main()
