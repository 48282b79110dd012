#!/usr/bin/python3
"""Marks a Windows exe to run from the swap file when started from a removable disc.

    runfromswap.py <exe>

Sets IMAGE_FILE_REMOVABLE_RUN_FROM_SWAP (0x0400) in the characteristics of the PE file header,
in place. A non-zero image checksum is computed again, as the linker would; zero stays zero.
Setting the flag twice changes nothing.
"""
import struct
import sys

REMOVABLE_RUN_FROM_SWAP = 0x0400


class PeError(Exception):
    pass


def checksum(data, at):
    """The PE image checksum: 16-bit one's-complement sum of the file, its own field as zero."""
    total = 0
    padded = data + b"\0" * (len(data) % 2)
    for i in range(0, len(padded), 2):
        if at <= i < at + 4:
            continue
        total += padded[i] | padded[i + 1] << 8
        total = (total & 0xFFFF) + (total >> 16)
    total = (total & 0xFFFF) + (total >> 16)
    return (total + len(data)) & 0xFFFFFFFF


def mark(data):
    if len(data) < 0x40 or data[:2] != b"MZ":
        raise PeError("not an exe")
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    if pe + 24 + 68 > len(data) or data[pe:pe + 4] != b"PE\0\0":
        raise PeError("no PE header")
    characteristics = pe + 4 + 18
    flags = struct.unpack_from("<H", data, characteristics)[0]
    out = bytearray(data)
    struct.pack_into("<H", out, characteristics, flags | REMOVABLE_RUN_FROM_SWAP)
    at = pe + 24 + 64  # CheckSum, the same place in PE32 and PE32+ optional headers
    if struct.unpack_from("<I", out, at)[0]:
        struct.pack_into("<I", out, at, checksum(bytes(out), at))
    return bytes(out)


def main(argv):
    if len(argv) != 2:
        raise PeError(__doc__)
    with open(argv[1], "rb") as f:
        data = f.read()
    marked = mark(data)
    if marked != data:
        with open(argv[1], "wb") as f:
            f.write(marked)


if __name__ == "__main__":
    try:
        main(sys.argv)
    except (PeError, OSError) as e:
        sys.stderr.write("runfromswap: %s\n" % e)
        sys.exit(1)
