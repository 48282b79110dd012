#!/usr/bin/python3
"""Regenerates the menu's sounds in resources/sounds/ (standard library only).

click.wav    PCM mono 11,025 Hz 16-bit, 4,350 bytes of samples, then a LIST/INFO chunk of
             74 bytes in all (its 8-byte chunk header included). Played as "CLICK" and "TILBAGE".
"""
import math
import os
import random
import struct

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
OUT = os.path.join(ROOT, "resources", "sounds")
RATE = 11025


def chunk(tag, data):
    body = tag + struct.pack("<I", len(data)) + data
    return body + (b"\0" if len(data) % 2 else b"")


def fmt_chunk(bits):
    block = bits // 8
    return chunk(b"fmt ", struct.pack("<HHIIHH", 1, 1, RATE, RATE * block, block, bits))


def info_list(entries, total):
    """A LIST/INFO chunk of exactly total bytes; the last text is padded with zeros to fit."""
    parts = [chunk(tag, text.encode("ascii") + b"\0") for tag, text in entries[:-1]]
    used = 8 + 4 + sum(len(p) for p in parts) + 8
    last_tag, last_text = entries[-1]
    room = total - used
    data = last_text.encode("ascii") + b"\0"
    assert room >= len(data) and room % 2 == 0, (room, len(data))
    parts.append(chunk(last_tag, data + b"\0" * (room - len(data))))
    body = b"INFO" + b"".join(parts)
    out = b"LIST" + struct.pack("<I", len(body)) + body
    assert len(out) == total
    return out


def wave(bits, samples, extra=b""):
    data = chunk(b"data", samples)
    body = b"WAVE" + fmt_chunk(bits) + data + extra
    return b"RIFF" + struct.pack("<I", len(body)) + body


def click_samples(count):
    """A soft wooden tick: a damped 1.6 kHz tone over a short filtered noise burst."""
    rnd = random.Random(11)
    out = bytearray()
    low = 0.0
    for n in range(count):
        t = n / RATE
        env = math.exp(-t * 38)
        attack = min(1.0, n / 12)
        tone = math.sin(2 * math.pi * 1600 * t) * 0.55 + math.sin(2 * math.pi * 2450 * t) * 0.2
        low += (rnd.uniform(-1, 1) - low) * 0.35
        noise = low * math.exp(-t * 160) * 0.6
        body = math.sin(2 * math.pi * 420 * t) * math.exp(-t * 55) * 0.35
        fade = min(1.0, (count - n) / 200)
        v = (tone * env + noise + body) * attack * fade * 0.72
        out += struct.pack("<h", int(max(-1, min(1, v)) * 32000))
    return bytes(out)


def main():
    os.makedirs(OUT, exist_ok=True)
    info = info_list([(b"INAM", "Menu click"), (b"ISFT", "Vindrel sound generator"), (b"ICMT", "")], 74)
    click = wave(16, click_samples(4350 // 2), info)
    with open(os.path.join(OUT, "click.wav"), "wb") as f:
        f.write(click)


if __name__ == "__main__":
    main()
