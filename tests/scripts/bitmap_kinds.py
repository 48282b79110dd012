#!/usr/bin/env python3
"""One small picture saved as every kind of bitmap Windows shows, and as malformed ones.

Usage: bitmap_kinds.py <folder>. Writes <kind>.bmp files and kinds.txt, one line a file:
    <file> TAB show TAB <reference file>   drawn pixel for pixel as that 24-bit bitmap
    <file> TAB over TAB <reference file>   the same, its first column clear, its second half clear
    <file> TAB refuse TAB <reason>          cannot be read; the reason is part of what is said
The valid files are read back here with Pillow where it reads the kind, so that a fault of this
writer is not mistaken for one of the reader.
"""
import os
import struct
import sys

W, H = 13, 7  # an odd width: every kind's rows are padded
# Channel values that 5 and 6 bits widen back to exactly (the bits repeated down to a byte).
SAFE = [0x00, 0x08, 0x10, 0x18, 0xE7, 0xEF, 0xF7, 0xFF]
COLOURS = [(SAFE[k % 8], SAFE[(k // 8) * 4 + k % 4], SAFE[7 - k % 8]) for k in range(16)]
# Runs of three, shifting by row; every row has colour 0 in it (skipped by the run-length kinds).
INDEX = [[0 if (x + y) % 5 == 0 else ((x // 3) + y) % 16 for x in range(W)] for y in range(H)]
TWO = [[i & 1 for i in row] for row in INDEX]

BI_RGB, BI_RLE8, BI_RLE4, BI_BITFIELDS = 0, 1, 2, 3


def info_header(size, w, h, bits, comp, used=0, masks=(), space=0, profile=(0, 0)):
    """A header of 40, 52, 56, 108 or 124 bytes (12: the OS/2 one)."""
    if size == 12:
        return struct.pack("<IHHHH", 12, w, h, 1, bits)
    head = struct.pack("<IiiHHIIiiII", size, w, h, 1, bits, comp, 0, 2835, 2835, used, 0)
    if size > 40:
        m = list(masks) + [0] * (4 - len(masks))
        head += struct.pack("<IIII", *m)[: size - 40 if size < 56 else 16]
    if size >= 108:
        head += struct.pack("<I", space) + bytes(36) + bytes(12)  # endpoints, gamma
    if size == 124:
        head += struct.pack("<IIII", 4, profile[0], profile[1], 0)
    assert len(head) == size, (size, len(head))
    return head


def bitmap(head, extra, pixels, offset=None, tail=b""):
    at = 14 + len(head) + len(extra) if offset is None else offset
    body = head + extra
    body += bytes(max(0, at - 14 - len(body)))
    data = struct.pack("<2sIHHI", b"BM", 14 + len(body) + len(pixels) + len(tail), 0, 0, at) + body + pixels + tail
    return data


def palette(colours, entry=4):
    return b"".join(bytes((b, g, r)) + (b"\0" if entry == 4 else b"") for r, g, b in colours)


def rows(index, bits, top_down=False):
    out = b""
    order = index if top_down else index[::-1]
    for row in order:
        bitsrow = "".join(format(v, "0%db" % bits) for v in row)
        bitsrow += "0" * (-len(bitsrow) % 32)
        out += int(bitsrow, 2).to_bytes(len(bitsrow) // 8, "big")
    return out


def packed(index, colours, bits, pack, top_down=False):
    out = b""
    order = index if top_down else index[::-1]
    for row in order:
        line = b"".join(pack(*colours[i]) for i in row)
        out += line + bytes(-len(line) % 4)
    return out


def rgb24(r, g, b):
    return bytes((b, g, r))


def p555(r, g, b):
    return struct.pack("<H", (r >> 3) << 10 | (g >> 3) << 5 | b >> 3)


def p565(r, g, b):
    return struct.pack("<H", (r >> 3) << 11 | (g >> 2) << 5 | b >> 3)


def bgrx(r, g, b, a=0):
    return bytes((b, g, r, a))


def rle(index, bits, skip_zero, run_past=False):
    """Bottom-up runs: repeated indices as encoded runs, the rest as absolute runs; with
    skip_zero, pixels of colour 0 are jumped over (the reader draws them as colour 0)."""
    out = bytearray()
    per = 2 if bits == 4 else 1
    for y, row in enumerate(index[::-1]):
        x = 0
        while x < W:
            if skip_zero and row[x] == 0:
                n = 1
                while x + n < W and row[x + n] == 0:
                    n += 1
                if x + n == W:
                    break  # the end of the row skips the rest
                out += bytes((0, 2, n, 0))
                x += n
                continue
            n = 1
            while x + n < W and row[x + n] == row[x] and n < 255:
                n += 1
            if n == 1 and x + 3 <= W:  # an absolute run of three pixels
                n = 3
                vals = row[x : x + n]
                data = bytes(vals) if per == 1 else bytes(
                    (vals[i] << 4 | (vals[i + 1] if i + 1 < n else 0)) for i in range(0, n, 2))
                out += bytes((0, n)) + data + bytes(len(data) & 1)
                x += n
                continue
            extra = 1 if run_past and y == 0 and x + n == W else 0
            v = row[x] if bits == 8 else row[x] << 4 | row[x]
            out += bytes((n + extra, v))
            x += n
        out += b"\0\0"
    out[-2:] = b"\0\1"
    return bytes(out)


def icc(description):
    """A minimal ICC profile with only a description tag."""
    text = description.encode() + b"\0"
    tag = b"desc" + bytes(4) + struct.pack(">I", len(text)) + text
    head = struct.pack(">I", 128 + 4 + 12 + len(tag)) + bytes(124)
    return head + struct.pack(">I", 1) + b"desc" + struct.pack(">II", 144, len(tag)) + tag


def main(folder):
    os.makedirs(folder, exist_ok=True)
    files, table = {}, []
    two = COLOURS[:2]

    def show(name, data, reference="ref16.bmp"):
        files[name] = data
        table.append((name, "show", reference))

    def refuse(name, data, reason):
        files[name] = data
        table.append((name, "refuse", reason))

    px24 = packed(INDEX, COLOURS, 24, rgb24)
    files["ref16.bmp"] = bitmap(info_header(40, W, H, 24, BI_RGB), b"", px24)
    files["ref2.bmp"] = bitmap(info_header(40, W, H, 24, BI_RGB), b"", packed(TWO, two, 24, rgb24))

    show("rgb24.bmp", files["ref16.bmp"])
    show("rgb24-topdown.bmp", bitmap(info_header(40, W, -H, 24, BI_RGB), b"", packed(INDEX, COLOURS, 24, rgb24, True)))
    show("rgb24-os2.bmp", bitmap(info_header(12, W, H, 24, BI_RGB), b"", px24))
    # A colour table given as a hint, longer than any palette: ignored.
    show("rgb24-hint.bmp", bitmap(info_header(40, W, H, 24, BI_RGB, used=300), palette(COLOURS * 19)[: 300 * 4], px24))
    show("rgb24-v5-srgb.bmp", bitmap(info_header(124, W, H, 24, BI_RGB, space=0x73524742), b"", px24))
    srgb = icc("sRGB IEC61966-2.1")
    head = info_header(124, W, H, 24, BI_RGB, space=0x4D424544, profile=(124 + len(px24), len(srgb)))
    show("rgb24-v5-srgb-profile.bmp", bitmap(head, b"", px24, tail=srgb))

    for bits, name in ((8, "pal8"), (4, "pal4")):
        table_ = palette(COLOURS + [(0, 0, 0)] * ((1 << bits) - 16))
        show(name + ".bmp", bitmap(info_header(40, W, H, bits, BI_RGB), table_, rows(INDEX, bits)))
        show(name + "-topdown.bmp", bitmap(info_header(40, W, -H, bits, BI_RGB), table_, rows(INDEX, bits, True)))
        show(name + "-os2.bmp", bitmap(info_header(12, W, H, bits, BI_RGB), palette(COLOURS + [(0, 0, 0)] * ((1 << bits) - 16), 3), rows(INDEX, bits)))
        show(name + "-16colours.bmp", bitmap(info_header(40, W, H, bits, BI_RGB, used=16), palette(COLOURS), rows(INDEX, bits)))
        comp = BI_RLE8 if bits == 8 else BI_RLE4
        show(name + "-rle.bmp", bitmap(info_header(40, W, H, bits, comp, used=16), palette(COLOURS), rle(INDEX, bits, False)))
        show(name + "-rle-skips.bmp", bitmap(info_header(40, W, H, bits, comp, used=16), palette(COLOURS), rle(INDEX, bits, True)))
    show("pal1.bmp", bitmap(info_header(40, W, H, 1, BI_RGB), palette(two), rows(TWO, 1)), "ref2.bmp")
    show("pal1-topdown.bmp", bitmap(info_header(40, W, -H, 1, BI_RGB), palette(two), rows(TWO, 1, True)), "ref2.bmp")
    show("pal1-os2.bmp", bitmap(info_header(12, W, H, 1, BI_RGB), palette(two, 3), rows(TWO, 1)), "ref2.bmp")

    m555, m565 = (0x7C00, 0x03E0, 0x001F), (0xF800, 0x07E0, 0x001F)
    show("rgb16.bmp", bitmap(info_header(40, W, H, 16, BI_RGB), b"", packed(INDEX, COLOURS, 16, p555)))
    show("rgb16-555-fields.bmp", bitmap(info_header(40, W, H, 16, BI_BITFIELDS), struct.pack("<III", *m555), packed(INDEX, COLOURS, 16, p555)))
    show("rgb16-565-fields.bmp", bitmap(info_header(40, W, H, 16, BI_BITFIELDS), struct.pack("<III", *m565), packed(INDEX, COLOURS, 16, p565)))
    show("rgb16-565-v2.bmp", bitmap(info_header(52, W, H, 16, BI_BITFIELDS, masks=m565), b"", packed(INDEX, COLOURS, 16, p565)))
    show("rgb16-565-v4-topdown.bmp", bitmap(info_header(108, W, -H, 16, BI_BITFIELDS, masks=m565, space=0x57696E20), b"", packed(INDEX, COLOURS, 16, p565, True)))

    bgra = (0xFF0000, 0xFF00, 0xFF, 0xFF000000)
    show("rgb32.bmp", bitmap(info_header(40, W, H, 32, BI_RGB), b"", packed(INDEX, COLOURS, 32, lambda r, g, b: bgrx(r, g, b, 0x5A))))
    show("rgb32-fields.bmp", bitmap(info_header(40, W, H, 32, BI_BITFIELDS), struct.pack("<III", *bgra[:3]), packed(INDEX, COLOURS, 32, bgrx)))
    show("rgb32-fields-rgbx.bmp", bitmap(info_header(40, W, H, 32, BI_BITFIELDS), struct.pack("<III", 0xFF, 0xFF00, 0xFF0000), packed(INDEX, COLOURS, 32, lambda r, g, b: bytes((r, g, b, 0)))))
    solid = packed(INDEX, COLOURS, 32, lambda r, g, b: bgrx(r, g, b, 255))
    show("rgb32-v3-alpha.bmp", bitmap(info_header(56, W, H, 32, BI_BITFIELDS, masks=bgra), b"", solid))
    show("rgb32-v4-alpha.bmp", bitmap(info_header(108, W, H, 32, BI_BITFIELDS, masks=bgra, space=0x73524742), b"", solid))
    show("rgb32-v5-alpha-topdown.bmp", bitmap(info_header(124, W, -H, 32, BI_BITFIELDS, masks=bgra, space=0x73524742), b"", packed(INDEX, COLOURS, 32, lambda r, g, b: bgrx(r, g, b, 255), True)))
    show("rgb32-v5-alpha-unfilled.bmp", bitmap(info_header(124, W, H, 32, BI_BITFIELDS, masks=bgra, space=0x73524742), b"", packed(INDEX, COLOURS, 32, bgrx)))

    # Transparency: the first column clear, the second half clear (128), the rest solid.
    clear = b""
    for row in INDEX[::-1]:
        clear += b"".join(bgrx(*COLOURS[i], 0 if x == 0 else 128 if x == 1 else 255) for x, i in enumerate(row))
    files["rgb32-v5-clear-left.bmp"] = bitmap(info_header(124, W, H, 32, BI_BITFIELDS, masks=bgra, space=0x73524742), b"", clear)
    table.append(("rgb32-v5-clear-left.bmp", "over", "ref16.bmp"))

    # Malformed, each with its reason.
    pal8 = files["pal8-16colours.bmp"]
    refuse("jpeg-inside.bmp", bitmap(info_header(40, W, H, 0, 4), b"", b"\xff\xd8\xff\xe0" + bytes(60)), "holds a JPEG picture inside the bitmap")
    refuse("png-inside.bmp", bitmap(info_header(40, W, H, 0, 5), b"", b"\x89PNG\r\n\x1a\n" + bytes(60)), "holds a PNG picture inside the bitmap")
    refuse("masks-overlap.bmp", bitmap(info_header(40, W, H, 16, BI_BITFIELDS), struct.pack("<III", 0xF800, 0x0FE0, 0x1F), packed(INDEX, COLOURS, 16, p565)), "has colour masks that overlap")
    refuse("mask-gap.bmp", bitmap(info_header(40, W, H, 16, BI_BITFIELDS), struct.pack("<III", 0xF00F, 0x07E0, 0x0010), packed(INDEX, COLOURS, 16, p565)), "mask whose bits are not side by side")
    refuse("mask-outside.bmp", bitmap(info_header(40, W, H, 16, BI_BITFIELDS), struct.pack("<III", 0x1F0000, 0x07E0, 0x1F), packed(INDEX, COLOURS, 16, p565)), "mask outside its 16-bit pixels")
    refuse("mask-none.bmp", bitmap(info_header(56, W, H, 32, BI_BITFIELDS, masks=(0, 0xFF00, 0xFF)), b"", solid), "has no bits for red")
    refuse("masks-cut.bmp", bitmap(info_header(40, W, H, 32, BI_BITFIELDS), b"", b"")[:60], "too few for its colour masks")
    refuse("rle4-run-past.bmp", bitmap(info_header(40, W, H, 4, BI_RLE4, used=16), palette(COLOURS), rle(INDEX, 4, False, run_past=True)), "has a run past the end of row 1")
    refuse("rle8-jump-past.bmp", bitmap(info_header(40, W, H, 8, BI_RLE8, used=16), palette(COLOURS), bytes((0, 2, W + 1, 0, 0, 1))), "jumps past its edge")
    refuse("rle8-with-4-bits.bmp", bitmap(info_header(40, W, H, 4, BI_RLE8, used=16), palette(COLOURS), rle(INDEX, 4, False)), "run-length encoded for 8 bits a pixel, but has 4")
    refuse("rle4-unended.bmp", bitmap(info_header(40, W, H, 4, BI_RLE4, used=16), palette(COLOURS), rle(INDEX, 4, False)[:-2]), "its run-length data ends before the end-of-bitmap mark")
    bad_index = bytearray(pal8)
    bad_index[14 + 40 + 64 + 5] = 20  # a pixel of the bottom row, colour 20 of a table of 16
    refuse("index-past-table.bmp", bytes(bad_index), "past the end of its colour table of 16")
    bad4 = bitmap(info_header(40, W, H, 4, BI_RLE4, used=4), palette(COLOURS[:4]), rle(INDEX, 4, False))
    refuse("rle4-index-past-table.bmp", bad4, "past the end of its colour table of 4")
    refuse("pal4-too-many-colours.bmp", bitmap(info_header(40, W, H, 4, BI_RGB, used=17), palette(COLOURS + COLOURS[:1]), rows(INDEX, 4)), "lists 17 colours, where a 4-bit bitmap has at most 16")
    refuse("fields-on-24.bmp", bitmap(info_header(40, W, H, 24, BI_BITFIELDS), struct.pack("<III", *bgra[:3]), px24), "colour masks, which only 16- and 32-bit bitmaps have")
    refuse("two-bits.bmp", bitmap(info_header(40, W, H, 2, BI_RGB), palette(COLOURS[:4]), rows([[i & 3 for i in r] for r in INDEX], 2)), "is a 2-bit bitmap")
    refuse("v5-header-cut.bmp", files["rgb32-v5-alpha-topdown.bmp"][:100], "too few for a bitmap's headers")
    refuse("rgb16-cut.bmp", files["rgb16.bmp"][:-20], "is cut short:")
    swapped = icc("Red and green swapped")
    head = info_header(124, W, H, 24, BI_RGB, space=0x4D424544, profile=(124 + len(px24), len(swapped)))
    refuse("profile-not-srgb.bmp", bitmap(head, b"", px24, tail=swapped), "holds a colour profile of its own, not sRGB")
    head = info_header(124, W, H, 24, BI_RGB, space=0x4D424544, profile=(124 + len(px24), 5000))
    refuse("profile-past-end.bmp", bitmap(head, b"", px24, tail=srgb), "colour profile said to lie past the end")
    big = bitmap(info_header(40, 400, 300, 24, BI_RGB), b"", bytes(1200 * 300))
    refuse("400x300.bmp", big, "is 400 x 300 pixels, larger than the game page's 316 x 236 picture; make one that fits with cdcheck --make-shot")

    for name, data in files.items():
        with open(os.path.join(folder, name), "wb") as f:
            f.write(data)
    with open(os.path.join(folder, "kinds.txt"), "w") as f:
        for row in table:
            f.write("\t".join(row) + "\n")
    verify(folder, table)


def verify(folder, table):
    """Pillow's reading of each valid file equals its reference (5-bit channels within 2)."""
    try:
        from PIL import Image
    except ImportError:
        return
    for name, what, reference in table:
        if what != "show" or "rle-skips" in name or "profile" in name or "v2" in name or "v3" in name:
            continue  # kinds Pillow does not read
        try:
            got = Image.open(os.path.join(folder, name)).convert("RGB")
        except Exception:
            continue
        want = Image.open(os.path.join(folder, reference)).convert("RGB")
        tolerance = 2 if "rgb16" in name else 0
        for a, b in zip(got.getdata(), want.getdata()):
            if max(abs(p - q) for p, q in zip(a, b)) > tolerance:
                sys.exit("%s: Pillow reads %s where the reference has %s" % (name, a, b))


if __name__ == "__main__":
    main(sys.argv[1])
