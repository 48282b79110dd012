"""Reads the pictures of the menu's proof (640 x 480 RGB PNG files) for the script tests."""
import struct
import zlib


def pixels(path):
    """The rows of a proof picture as bytes of R, G, B, its chunks' checksums verified."""
    data = open(path, "rb").read()
    assert data[:8] == b"\x89PNG\r\n\x1a\n", path
    pos, idat = 8, b""
    while pos < len(data):
        n, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + n]
        assert zlib.crc32(kind + body) == struct.unpack(">I", data[pos + 8 + n:pos + 12 + n])[0], path
        if kind == b"IHDR":
            assert struct.unpack(">IIBB", body[:10]) == (640, 480, 8, 2), path
        if kind == b"IDAT":
            idat += body
        pos += 12 + n
    raw, stride, rows, above = zlib.decompress(idat), 640 * 3, [], bytearray(640 * 3)
    for y in range(480):
        f, line = raw[y * (stride + 1)], bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            a, b, c = (line[i - 3] if i >= 3 else 0), above[i], (above[i - 3] if i >= 3 else 0)
            p = a + b - c
            paeth = a if abs(p - a) <= abs(p - b) and abs(p - a) <= abs(p - c) else b if abs(p - b) <= abs(p - c) else c
            line[i] = (line[i] + [0, a, b, (a + b) // 2, paeth][f]) & 255
        rows.append(line)
        above = line
    return rows


def count(rows, box, colour):
    """Pixels of colour (bytes R, G, B) inside box (left, top, right, bottom)."""
    left, top, right, bottom = box
    return sum(1 for y in range(top, bottom) for x in range(left, right) if rows[y][3 * x:3 * x + 3] == colour)
