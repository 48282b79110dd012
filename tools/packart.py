#!/usr/bin/python3
"""Packs the committed artwork into resources at build time (the standard library and zopfli).

    packart.py <manifest> <art dir> <sound dir> <output dir>

Writes <output dir>/lists/LIST_<NAME>.bin for every bitmap list, <output dir>/pictures/<NAME>.bin
for every picture and <output dir>/Artwork.rc, the resource statements that resources/Vindrel.rc
includes. Fails on any picture that is not an uncompressed 8-bit palette bitmap and on any sound
that is not a PCM wave.

Pictures and list items are stored as zlib streams that the zopfli compressor makes (about 9 %
smaller than zlib's level 9, and read by the same inflate), which the program inflates when it
first shows them; the same artwork always gives the same bytes. Sounds stay as they are: the
sound player reads them from the resources directly.
"""
import hashlib
import os
import struct
import subprocess
import sys
import tempfile
import zlib

CHUNK = 32768  # bytes of the bitmap file per compressed chunk (the reader allows up to 32,781)


class PackError(Exception):
    pass


def check_bmp(path, data):
    if len(data) < 54 or data[:2] != b"BM":
        raise PackError("%s: not a bitmap file" % path)
    off = struct.unpack_from("<I", data, 10)[0]
    size, w, h, planes, bits, comp = struct.unpack_from("<IiiHHI", data, 14)
    used = struct.unpack_from("<I", data, 46)[0]
    if size != 40 or planes != 1 or bits != 8 or comp != 0:
        raise PackError("%s: must be an uncompressed 8-bit palette bitmap" % path)
    if w <= 0 or h <= 0 or used > 256:
        raise PackError("%s: bad size or colour count" % path)
    stride = (w + 3) & ~3
    if off < 54 + 4 * (used or 256) or off + stride * h > len(data):
        raise PackError("%s: truncated" % path)
    return w, h


def check_wave(path, data):
    if len(data) < 44 or data[:4] != b"RIFF" or data[8:12] != b"WAVE" or data[12:16] != b"fmt ":
        raise PackError("%s: not a wave file" % path)
    if struct.unpack_from("<I", data, 4)[0] != len(data) - 8:
        raise PackError("%s: RIFF size does not match the file" % path)
    if struct.unpack_from("<H", data, 20)[0] != 1:
        raise PackError("%s: not PCM" % path)


def packbits(data):
    """Run-length coding: n < 128 copies n + 1 bytes, n > 128 repeats one byte 257 - n times."""
    out = bytearray()
    i, n = 0, len(data)
    while i < n:
        run = 1
        while i + run < n and run < 128 and data[i + run] == data[i]:
            run += 1
        if run >= 3:
            out += bytes((257 - run, data[i]))
            i += run
            continue
        start = i
        while i < n and i - start < 128:
            if i + 2 < n and data[i] == data[i + 1] == data[i + 2]:
                break
            i += 1
        out.append(i - start - 1)
        out += data[start:i]
    return bytes(out)


def compress(data):
    chunks = bytearray()
    for pos in range(0, len(data), CHUNK):
        packed = packbits(data[pos:pos + CHUNK])
        chunks += struct.pack("<I", len(packed)) + packed
    return bytes(chunks)


def internal(flags, ident, bmp):
    """One item's stored form: flags, identifier (flag 0x04), bitmap (flag 0x08, 0x01 compressed)."""
    out = bytearray((flags,))
    if flags & 0x02:
        out += b"\0"  # empty description
    if flags & 0x04:
        out += struct.pack("<I", ident)
    if flags & 0x08:
        payload = compress(bmp) if flags & 0x01 else bmp
        out += struct.pack("<I", len(payload)) + payload
    return bytes(out)


def cache_folder():
    base = os.environ.get("XDG_CACHE_HOME") or os.path.join(os.path.expanduser("~"), ".cache")
    return os.path.join(base, "vindrel-zopfli")


def zlib_stream(data):
    """One zlib stream of the data, by zopfli (one iteration: more gain little and take long).

    zopfli takes about half a minute of processor time for the whole artwork, so each stream is
    kept in a cache by the data's digest; a kept stream is used only if it inflates to the data."""
    cached = os.path.join(cache_folder(), hashlib.sha256(data).hexdigest() + ".zlib")
    try:
        with open(cached, "rb") as f:
            stream = f.read()
        if zlib.decompress(stream) == data:
            return stream
    except (OSError, zlib.error):
        pass
    with tempfile.TemporaryDirectory() as tmp:
        path = os.path.join(tmp, "data")
        with open(path, "wb") as f:
            f.write(data)
        try:
            done = subprocess.run(["zopfli", "--zlib", "--i1", "-c", path], capture_output=True)
        except FileNotFoundError:
            raise PackError("zopfli is missing (tools/setup-deps.sh installs it)")
        if done.returncode != 0 or not done.stdout:
            raise PackError("zopfli failed: %s" % done.stderr.decode(errors="replace"))
    try:
        os.makedirs(os.path.dirname(cached), exist_ok=True)
        with tempfile.NamedTemporaryFile(dir=os.path.dirname(cached), delete=False) as f:
            f.write(done.stdout)
        os.replace(f.name, cached)
    except OSError:
        pass  # no cache: the next pack compresses again
    return done.stdout


def deflate(data):
    """The stored form the program expands: the expanded size, then one zlib stream."""
    return struct.pack("<I", len(data)) + zlib_stream(data)


def rc_path(path):
    return '"%s"' % os.path.abspath(path).replace("\\", "/")


def main(argv):
    if len(argv) != 5:
        raise PackError(__doc__)
    manifest, art, sounds, out = argv[1:]
    os.makedirs(os.path.join(out, "lists"), exist_ok=True)
    os.makedirs(os.path.join(out, "pictures"), exist_ok=True)
    lines = ["// Made by tools/packart.py from %s; do not edit." % os.path.basename(manifest)]
    with open(manifest, encoding="utf-8") as f:
        entries = [l.split() for l in f if l.strip() and not l.lstrip().startswith("#")]
    for words in entries:
        kind, name = words[0], words[1]
        if kind == "list":
            options = {}
            files = []
            for w in words[2:]:
                if "=" in w:
                    k, v = w.split("=", 1)
                    options[k] = int(v, 0)
                else:
                    files.append(w)
            flags = options.get("flags", 0x08)
            ident = options.get("ident", 0)
            if flags & 0x80 or (flags & 0x01 and not flags & 0x08):
                raise PackError("%s: bad flags 0x%02X" % (name, flags))
            blob = bytearray(struct.pack("<I", len(files)))
            for i, pic in enumerate(files):
                path = os.path.join(art, pic + ".bmp")
                with open(path, "rb") as p:
                    bmp = p.read()
                check_bmp(path, bmp)
                item = internal(flags, ident + i if ident else 0, bmp)
                # Each item deflated on its own, so that the program expands only those it shows.
                packed = zlib_stream(item)
                blob += struct.pack("<II", len(item), len(packed)) + packed
            res = "LIST_" + name.upper()
            target = os.path.join(out, "lists", res + ".bin")
            with open(target, "wb") as o:
                o.write(blob)
            lines.append("%s RCDATA %s" % (res, rc_path(target)))
        elif kind == "bitmap":
            path = os.path.join(art, words[2] + ".bmp")
            with open(path, "rb") as p:
                bmp = p.read()
            check_bmp(path, bmp)
            target = os.path.join(out, "pictures", name + ".bin")
            with open(target, "wb") as o:
                o.write(deflate(bmp))
            lines.append("%s RCDATA %s" % (name, rc_path(target)))
        elif kind == "wave":
            path = os.path.join(sounds, words[2] + ".wav")
            with open(path, "rb") as p:
                check_wave(path, p.read())
            lines.append("%s WAVE %s" % (name, rc_path(path)))
        else:
            raise PackError("unknown entry: %s" % " ".join(words))
    with open(os.path.join(out, "Artwork.rc"), "w", encoding="ascii") as o:
        o.write("\n".join(lines) + "\n")


if __name__ == "__main__":
    try:
        main(sys.argv)
    except (PackError, OSError) as e:
        sys.stderr.write("packart: %s\n" % e)
        sys.exit(1)
