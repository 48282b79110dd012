#!/usr/bin/env python3
"""The sample CD's demos, taken from its catalogue (the repository's UTF-8 Spil.INI).

  sample_demos.py list  <Spil.INI>            one line per demo: dir, title, folder, uninstall key, setup file
  sample_demos.py shots <Spil.INI> <out dir>  writes <out dir>/Demos/<dir>/Shot.bmp for each demo

The screenshots are drawn here from a few shapes, so that the CD carries no binary pictures and
the build needs nothing beyond the standard library. Each category has its own kind of scene and
each demo its own seed, colours and size; odd sections are written as 8-bit bitmaps, even ones as
24-bit, both kinds the menu shows.
"""
import configparser
import math
import os
import random
import struct
import sys

MAX_W, MAX_H = 316, 236
SIZES = [(316, 236), (316, 236), (316, 236), (300, 225), (288, 216), (256, 192)]


def read_demos(ini_path):
    parser = configparser.ConfigParser(interpolation=None, strict=True)
    parser.optionxform = str
    with open(ini_path, encoding="utf-8") as f:
        parser.read_file(f)
    demos = []
    for number in range(1, 31):
        name = "Spil%d" % number
        if not parser.has_section(name):
            continue
        s = parser[name]
        setup = s.get("Setup", "")
        parts = [p for p in setup.split("\\") if p]
        if len(parts) != 3 or parts[0] != "Demos":
            continue  # only \Demos\<dir>\<setup> demos are built here
        demos.append({
            "number": number,
            "dir": parts[1],
            "setup": parts[2],
            "title": s.get("Titel", "No Title!"),
            "short": s.get("KortTitel", s.get("Titel", "")),
            "category": s.get("Kategori", ""),
            "folder": s.get("Folder", "NoFolder"),
            "uninstall": s.get("Uninstall", ""),
        })
    return demos


# --- drawing ---------------------------------------------------------------------------------

FONT = {  # 3 x 5 glyphs for the game's on-screen texts
    "0": ["###", "#.#", "#.#", "#.#", "###"], "1": [".#.", "##.", ".#.", ".#.", "###"],
    "2": ["###", "..#", "###", "#..", "###"], "3": ["###", "..#", ".##", "..#", "###"],
    "4": ["#.#", "#.#", "###", "..#", "..#"], "5": ["###", "#..", "###", "..#", "###"],
    "6": ["###", "#..", "###", "#.#", "###"], "7": ["###", "..#", ".#.", ".#.", ".#."],
    "8": ["###", "#.#", "###", "#.#", "###"], "9": ["###", "#.#", "###", "..#", "###"],
    "A": [".#.", "#.#", "###", "#.#", "#.#"], "B": ["##.", "#.#", "##.", "#.#", "##."],
    "C": [".##", "#..", "#..", "#..", ".##"], "D": ["##.", "#.#", "#.#", "#.#", "##."],
    "E": ["###", "#..", "##.", "#..", "###"], "F": ["###", "#..", "##.", "#..", "#.."],
    "G": [".##", "#..", "#.#", "#.#", ".##"], "H": ["#.#", "#.#", "###", "#.#", "#.#"],
    "I": ["###", ".#.", ".#.", ".#.", "###"], "J": ["..#", "..#", "..#", "#.#", ".#."],
    "K": ["#.#", "#.#", "##.", "#.#", "#.#"], "L": ["#..", "#..", "#..", "#..", "###"],
    "M": ["#.#", "###", "###", "#.#", "#.#"], "N": ["##.", "#.#", "#.#", "#.#", "#.#"],
    "O": [".#.", "#.#", "#.#", "#.#", ".#."], "P": ["##.", "#.#", "##.", "#..", "#.."],
    "Q": [".#.", "#.#", "#.#", "##.", ".##"], "R": ["##.", "#.#", "##.", "#.#", "#.#"],
    "S": [".##", "#..", ".#.", "..#", "##."], "T": ["###", ".#.", ".#.", ".#.", ".#."],
    "U": ["#.#", "#.#", "#.#", "#.#", "###"], "V": ["#.#", "#.#", "#.#", "#.#", ".#."],
    "W": ["#.#", "#.#", "###", "###", "#.#"], "X": ["#.#", "#.#", ".#.", "#.#", "#.#"],
    "Y": ["#.#", "#.#", ".#.", ".#.", ".#."], "Z": ["###", "..#", ".#.", "#..", "###"],
    " ": ["...", "...", "...", "...", "..."], "/": ["..#", "..#", ".#.", "#..", "#.."],
    ":": ["...", ".#.", "...", ".#.", "..."], "-": ["...", "...", "###", "...", "..."],
    ".": ["...", "...", "...", "...", ".#."], "'": [".#.", ".#.", "...", "...", "..."],
}


class Canvas:
    def __init__(self, w, h, colour=(0, 0, 0)):
        self.w, self.h = w, h
        self.rows = [bytearray(bytes(colour) * w) for _ in range(h)]

    def span(self, y, x0, x1, c):
        if y < 0 or y >= self.h:
            return
        x0, x1 = max(0, int(x0)), min(self.w, int(x1))
        if x1 > x0:
            self.rows[y][x0 * 3:x1 * 3] = bytes(c) * (x1 - x0)

    def rect(self, x0, y0, x1, y1, c):
        for y in range(max(0, int(y0)), min(self.h, int(y1))):
            self.span(y, x0, x1, c)

    def frame(self, x0, y0, x1, y1, c, t=1):
        self.rect(x0, y0, x1, y0 + t, c)
        self.rect(x0, y1 - t, x1, y1, c)
        self.rect(x0, y0, x0 + t, y1, c)
        self.rect(x1 - t, y0, x1, y1, c)

    def pixel(self, x, y, c):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.rows[y][x * 3:x * 3 + 3] = bytes(c)

    def vgrad(self, y0, y1, c0, c1):
        for y in range(max(0, y0), min(self.h, y1)):
            t = (y - y0) / max(1, y1 - y0 - 1)
            self.span(y, 0, self.w, mix(c0, c1, t))

    def ellipse(self, cx, cy, rx, ry, c):
        for y in range(int(cy - ry), int(cy + ry) + 1):
            d = 1 - ((y - cy) / ry) ** 2 if ry else 0
            if d >= 0:
                half = rx * math.sqrt(d)
                self.span(y, cx - half, cx + half + 1, c)

    def circle(self, cx, cy, r, c):
        self.ellipse(cx, cy, r, r, c)

    def polygon(self, pts, c):
        ys = [p[1] for p in pts]
        for y in range(max(0, int(min(ys))), min(self.h, int(max(ys)) + 1)):
            yc = y + 0.5
            xs = []
            for (xa, ya), (xb, yb) in zip(pts, pts[1:] + pts[:1]):
                if (ya <= yc < yb) or (yb <= yc < ya):
                    xs.append(xa + (yc - ya) * (xb - xa) / (yb - ya))
            xs.sort()
            for a, b in zip(xs[0::2], xs[1::2]):
                self.span(y, round(a), round(b), c)

    def line(self, x0, y0, x1, y1, c, t=1):
        n = int(max(abs(x1 - x0), abs(y1 - y0))) + 1
        for i in range(n):
            x = x0 + (x1 - x0) * i / max(1, n - 1)
            y = y0 + (y1 - y0) * i / max(1, n - 1)
            self.rect(int(x - t // 2), int(y - t // 2), int(x - t // 2) + t, int(y - t // 2) + t, c)

    def text(self, x, y, s, c, scale=2):
        for ch in s.upper():
            glyph = FONT.get(ch, FONT[" "])
            for gy, row in enumerate(glyph):
                for gx, bit in enumerate(row):
                    if bit == "#":
                        self.rect(x + gx * scale, y + gy * scale, x + (gx + 1) * scale, y + (gy + 1) * scale, c)
            x += 4 * scale
        return x

    def text_width(self, s, scale=2):
        return len(s) * 4 * scale - scale


def mix(a, b, t):
    return tuple(int(a[i] + (b[i] - a[i]) * t) for i in range(3))


def shade(c, f):
    return tuple(max(0, min(255, int(v * f))) for v in c)


# --- scenes ----------------------------------------------------------------------------------

def hud_bar(cv, left, right, bg=(10, 10, 20), fg=(255, 255, 255)):
    cv.rect(0, 0, cv.w, 14, bg)
    cv.text(4, 2, left, fg)
    cv.text(cv.w - 4 - cv.text_width(right), 2, right, fg)


def scene_action(cv, r, demo):
    top = (r.randint(0, 40), r.randint(0, 30), r.randint(40, 90))
    cv.vgrad(14, cv.h, top, (r.randint(90, 160), r.randint(20, 60), r.randint(80, 140)))
    for _ in range(80):
        cv.pixel(r.randrange(cv.w), r.randrange(14, cv.h * 2 // 3), (255, 255, r.randint(180, 255)))
    ground = cv.h - 30
    world = demo["number"] % 3
    if world == 0:  # under water: weed and bubbles over a sandy floor
        cv.vgrad(14, cv.h, (20, 110, 150), (5, 30, 70))
        for _ in range(40):
            cv.circle(r.randrange(cv.w), r.randrange(20, ground), r.randint(1, 3), (170, 230, 255))
        for _ in range(12):
            x = r.randrange(cv.w)
            for k in range(r.randint(4, 9)):
                cv.circle(x + (k % 2) * 4, ground - k * 7, 4, (30, 140, 60))
        cv.rect(0, ground, cv.w, cv.h, (190, 170, 110))
    elif world == 1:  # desert: dunes under a hot sky
        cv.vgrad(14, cv.h, (250, 200, 120), (250, 120, 60))
        cv.circle(cv.w - 60, 50, 20, (255, 250, 220))
        for layer, col in enumerate(((210, 150, 80), (190, 130, 60), (170, 110, 50))):
            cv.ellipse(r.randint(0, cv.w), ground + 10 - layer * 4, r.randint(90, 160), 40 - layer * 8, col)
        cv.rect(0, ground, cv.w, cv.h, (160, 100, 45))
    else:
        x = 0
        while x < cv.w:  # skyline with lit windows
            bw, bh = r.randint(18, 40), r.randint(30, 100)
            cv.rect(x, ground - bh, x + bw - 2, ground, (20, 18, 35))
            for wy in range(ground - bh + 4, ground - 4, 7):
                for wx in range(x + 3, x + bw - 6, 6):
                    if r.random() < 0.35:
                        cv.rect(wx, wy, wx + 3, wy + 3, (250, 220, 90))
            x += bw
        cv.rect(0, ground, cv.w, cv.h, (40, 30, 50))
    for gx in range(0, cv.w, 24):
        cv.rect(gx, ground + 12, gx + 12, ground + 14, (90, 80, 110))
    px, py = cv.w // 3, ground - 28
    cv.polygon([(px, py - 16), (px - 12, py + 10), (px + 12, py + 10)], (80, 230, 255))
    cv.polygon([(px - 5, py + 10), (px + 5, py + 10), (px, py + 20)], (255, 160, 40))
    for i in range(3):
        lx = px + r.randint(-2, 2)
        cv.line(lx, py - 20 - i * 30, lx, py - 36 - i * 30, (140, 255, 140), 2)
    for _ in range(r.randint(5, 8)):
        ex, ey = r.randint(20, cv.w - 20), r.randint(30, cv.h // 2)
        col = r.choice([(255, 60, 60), (255, 140, 0), (220, 60, 255)])
        cv.polygon([(ex, ey - 9), (ex + 9, ey), (ex, ey + 9), (ex - 9, ey)], col)
        cv.circle(ex, ey, 3, (255, 255, 255))
    bx, by = r.randint(cv.w // 2, cv.w - 40), r.randint(40, cv.h // 2)
    for rad, col in ((18, (255, 90, 0)), (12, (255, 200, 0)), (6, (255, 255, 220))):
        cv.circle(bx, by, rad, col)
    hud_bar(cv, "SCORE %06d" % (r.randint(10, 999) * 10), "LIVES %d" % r.randint(1, 5))
    cv.text(4, cv.h - 12, demo["short"], (200, 200, 255))


def scene_simulator(cv, r, demo):
    night = r.random() < 0.4
    sky0, sky1 = ((5, 10, 40), (40, 50, 100)) if night else ((60, 120, 220), (200, 225, 255))
    tilt = r.randint(-20, 20)
    horizon = cv.h // 2 - 10
    cv.vgrad(0, cv.h, sky0, sky1)
    if night:
        for _ in range(60):
            cv.pixel(r.randrange(cv.w), r.randrange(horizon), (230, 230, 255))
    ground = (20, 40, 30) if night else r.choice([(70, 140, 60), (40, 90, 160), (150, 130, 80)])
    cv.polygon([(0, horizon + tilt), (cv.w, horizon - tilt), (cv.w, cv.h), (0, cv.h)], ground)
    for _ in range(14):  # fields, islands or lit houses below the horizon
        fx, fy = r.randint(0, cv.w), r.randint(horizon + 10, cv.h - 60)
        col = (250, 220, 120) if night else shade(ground, r.uniform(0.7, 1.3))
        cv.rect(fx, fy, fx + r.randint(6, 40), fy + r.randint(3, 10), col)
    panel = int(cv.h * 0.62)
    cv.polygon([(0, panel), (cv.w * 0.2, panel - 14), (cv.w * 0.8, panel - 14), (cv.w, panel), (cv.w, cv.h), (0, cv.h)],
               (45, 45, 50))
    cv.rect(0, 0, cv.w, 6, (45, 45, 50))
    cv.rect(cv.w // 2 - 3, 0, cv.w // 2 + 3, panel - 14, (45, 45, 50))
    gauges = 4
    for i in range(gauges):
        gx = int(cv.w * (i + 0.5) / gauges)
        gy = panel + (cv.h - panel) // 2 + 2
        rad = min(cv.w // (gauges * 2) - 6, (cv.h - panel) // 2 - 4)
        cv.circle(gx, gy, rad + 2, (180, 180, 180))
        cv.circle(gx, gy, rad, (15, 15, 15))
        for k in range(12):
            a = k * math.pi / 6
            cv.pixel(int(gx + math.cos(a) * (rad - 3)), int(gy + math.sin(a) * (rad - 3)), (255, 255, 255))
        a = r.uniform(0, 2 * math.pi)
        cv.line(gx, gy, gx + math.cos(a) * (rad - 5), gy + math.sin(a) * (rad - 5), (255, 200, 40), 2)
    cv.text(8, 10, "ALT %d" % (r.randint(2, 90) * 50), (120, 255, 120))
    cv.text(cv.w - 8 - cv.text_width("SPD 000"), 10, "SPD %03d" % r.randint(40, 320), (120, 255, 120))


def scene_sport(cv, r, demo):
    if demo["number"] % 2:
        # a race seen from behind the car
        cv.vgrad(0, 70, (110, 170, 240), (220, 235, 250))
        for x in range(0, cv.w, 3):  # the crowd on the stands
            cv.rect(x, 56, x + 2, 70, r.choice([(200, 40, 40), (240, 240, 240), (40, 40, 200), (240, 200, 0)]))
        for y in range(70, cv.h):
            cv.span(y, 0, cv.w, (60, 150, 60) if (y // 12) % 2 else (70, 165, 70))
        mid = cv.w // 2 + r.randint(-30, 30)
        cv.polygon([(mid - 14, 70), (mid + 14, 70), (cv.w + 40, cv.h), (-40, cv.h)], (110, 110, 115))
        for y in range(74, cv.h, 18):
            t = (y - 70) / (cv.h - 70)
            cv.rect(mid - 1 - t * 3, y, mid + 1 + t * 3, y + 4 + t * 8, (250, 250, 250))
        for i, (cx, cy, s) in enumerate([(mid - 30, 110, 0.5), (mid + 20, 140, 0.7), (cv.w // 2, cv.h - 45, 1.3)]):
            col = [(200, 30, 30), (30, 80, 220), (250, 200, 20)][(i + demo["number"]) % 3]
            w, h = 40 * s, 22 * s
            cv.rect(cx - w / 2, cy - h / 2, cx + w / 2, cy + h / 2, col)
            cv.rect(cx - w / 2 + 4 * s, cy - h / 2 - 8 * s, cx + w / 2 - 4 * s, cy - h / 2, shade(col, 0.7))
            cv.rect(cx - w / 2 - 3 * s, cy + h / 4, cx - w / 2 + 5 * s, cy + h / 2 + 4 * s, (20, 20, 20))
            cv.rect(cx + w / 2 - 5 * s, cy + h / 4, cx + w / 2 + 3 * s, cy + h / 2 + 4 * s, (20, 20, 20))
        hud_bar(cv, "LAP %d/3" % r.randint(1, 3), "TIME %d:%02d" % (r.randint(0, 3), r.randint(0, 59)))
    else:
        # a court or rink from above
        floor = r.choice([(190, 90, 50), (60, 140, 70), (220, 235, 245)])
        lines = (250, 250, 250) if floor[0] < 200 else (200, 30, 30)
        cv.rect(0, 14, cv.w, cv.h, shade(floor, 0.8))
        cv.rect(20, 28, cv.w - 20, cv.h - 14, floor)
        cv.frame(20, 28, cv.w - 20, cv.h - 14, lines, 2)
        cv.rect(cv.w // 2 - 1, 28, cv.w // 2 + 1, cv.h - 14, lines)
        cy = (28 + cv.h - 14) // 2
        cv.circle(cv.w // 2, cy, 24, lines)
        cv.circle(cv.w // 2, cy, 22, floor)
        for team, col in ((0, (220, 40, 40)), (1, (40, 60, 220))):
            for _ in range(r.randint(2, 5)):
                x = r.randint(40, cv.w // 2 - 20) + team * cv.w // 2
                y = r.randint(40, cv.h - 30)
                cv.circle(x, y, 6, col)
                cv.circle(x, y, 3, (250, 220, 180))
        cv.circle(r.randint(60, cv.w - 60), r.randint(50, cv.h - 40), 3, (20, 20, 20))
        hud_bar(cv, "HOME %d - %d AWAY" % (r.randint(0, 6), r.randint(0, 6)), "%d:%02d" % (r.randint(0, 19), r.randint(0, 59)))


def scene_adventure(cv, r, demo):
    bar = 36
    sky = r.choice([((250, 150, 60), (120, 60, 130)), ((120, 180, 230), (230, 230, 210)), ((20, 30, 70), (90, 70, 120))])
    cv.vgrad(0, cv.h - bar, sky[1], sky[0])
    cv.circle(r.randint(40, cv.w - 40), r.randint(20, 60), 16, (255, 240, 180))
    for layer in range(3):
        base = cv.h - bar - 40 + layer * 15
        col = shade((90, 80, 110), 1.0 - layer * 0.25)
        pts = [(0, cv.h - bar)]
        x = 0
        while x <= cv.w:
            pts.append((x, base - r.randint(10, 60 - layer * 15)))
            x += r.randint(30, 60)
        pts += [(cv.w, base), (cv.w, cv.h - bar)]
        cv.polygon(pts, col)
    cx = r.randint(cv.w // 2, cv.w - 70)
    ground = cv.h - bar - 20
    cv.rect(cx, ground - 60, cx + 50, ground, (70, 60, 60))
    for tx in range(cx - 12, cx + 62, 20):
        cv.rect(tx, ground - 90, tx + 14, ground, (85, 72, 70))
        for b in range(tx, tx + 14, 6):
            cv.rect(b, ground - 96, b + 3, ground - 90, (85, 72, 70))
    cv.rect(cx + 18, ground - 24, cx + 32, ground, (30, 20, 20))
    for wx in (cx - 6, cx + 46):
        cv.rect(wx, ground - 70, wx + 4, ground - 62, (255, 210, 90))
    cv.rect(0, ground, cv.w, cv.h - bar, (70, 100, 50))
    cv.polygon([(cx + 18, ground), (cx + 32, ground), (cv.w // 3 + 30, cv.h - bar), (cv.w // 3 - 20, cv.h - bar)],
               (150, 130, 90))
    for _ in range(5):
        tx = r.randint(0, cv.w // 2)
        cv.rect(tx - 2, ground - 22, tx + 2, ground + 4, (60, 40, 20))
        cv.circle(tx, ground - 26, 12, (30, 90 + r.randint(0, 40), 40))
    hx, hy = cv.w // 3, cv.h - bar - 12  # the hero
    cv.rect(hx - 4, hy - 18, hx + 4, hy, (40, 60, 160))
    cv.circle(hx, hy - 22, 5, (240, 200, 160))
    cv.rect(0, cv.h - bar, cv.w, cv.h, (60, 40, 25))
    cv.frame(0, cv.h - bar, cv.w, cv.h, (150, 110, 60), 2)
    for i in range(6):
        x0 = 8 + i * 30
        cv.rect(x0, cv.h - bar + 6, x0 + 24, cv.h - 6, (35, 25, 15))
        cv.frame(x0, cv.h - bar + 6, x0 + 24, cv.h - 6, (150, 110, 60))
        if r.random() < 0.7:
            cv.circle(x0 + 12, cv.h - bar // 2, 6, r.choice([(230, 180, 40), (200, 60, 60), (90, 160, 230), (160, 160, 160)]))
    cv.text(8 + 6 * 30 + 4, cv.h - bar + 14, "LOOK AT", (230, 210, 160))


def scene_strategy(cv, r, demo):
    panel = 72
    tile = 12
    cols, rows = (cv.w - panel) // tile + 1, (cv.h - 14) // tile + 1
    seeds = [(r.randrange(cols), r.randrange(rows), r.choice("wwgffms")) for _ in range(14)]
    terrain = {"w": (40, 90, 170), "g": (90, 160, 70), "f": (30, 100, 40), "m": (130, 120, 110), "s": (210, 190, 120)}
    grid = []
    for y in range(rows):
        row = []
        for x in range(cols):
            kind = min(seeds, key=lambda s: (s[0] - x) ** 2 + (s[1] - y) ** 2)[2]
            row.append(kind)
            col = shade(terrain[kind], 0.92 + 0.16 * ((x * 7 + y * 13) % 5) / 4)
            cv.rect(x * tile, 14 + y * tile, x * tile + tile, 14 + y * tile + tile, col)
            if kind == "f":
                cv.circle(x * tile + 6, 14 + y * tile + 6, 4, (20, 70, 25))
            if kind == "m":
                cv.polygon([(x * tile + 1, 14 + y * tile + 11), (x * tile + 6, 14 + y * tile + 1), (x * tile + 11, 14 + y * tile + 11)],
                           (180, 175, 170))
        grid.append(row)
    for gx in range(0, cv.w - panel, tile):
        for gy in range(14, cv.h, tile):
            cv.pixel(gx, gy, (0, 0, 0))
    for side, col in ((0, (220, 40, 40)), (1, (240, 220, 40))):
        for _ in range(r.randint(4, 7)):
            x, y = r.randrange(cols - 1), r.randrange(rows - 1)
            if grid[y][x] == "w":
                continue
            px, py = x * tile + 2, 14 + y * tile + 2
            cv.rect(px, py, px + 8, py + 8, col)
            cv.frame(px, py, px + 8, py + 8, (0, 0, 0))
    bx, by = r.randrange(cols - 3) * tile, 14 + r.randrange(rows - 3) * tile
    cv.rect(bx, by, bx + 24, by + 20, (150, 100, 60))
    cv.polygon([(bx - 2, by), (bx + 12, by - 10), (bx + 26, by)], (170, 40, 40))
    x0 = cv.w - panel
    cv.rect(x0, 14, cv.w, cv.h, (40, 40, 48))
    cv.rect(x0, 14, x0 + 2, cv.h, (90, 90, 100))
    mm = 2  # the minimap
    for y in range(rows):
        for x in range(cols):
            cv.rect(x0 + 8 + x * mm, 22 + y * mm, x0 + 8 + x * mm + mm, 22 + y * mm + mm, terrain[grid[y][x]])
    y = 30 + rows * mm
    for label in ("BUILD", "MOVE", "END"):
        cv.rect(x0 + 8, y, cv.w - 8, y + 18, (80, 80, 95))
        cv.frame(x0 + 8, y, cv.w - 8, y + 18, (150, 150, 170))
        cv.text(x0 + 13, y + 4, label, (255, 255, 255))
        y += 24
    hud_bar(cv, "GOLD %d  ORE %d" % (r.randint(100, 5000), r.randint(10, 900)), "TURN %d" % r.randint(1, 60), bg=(30, 25, 15))


def scene_junior(cv, r, demo):
    cv.vgrad(0, cv.h, (90, 180, 255), (190, 230, 255))
    sx, sy = r.randint(30, 80), 36
    for k in range(12):
        a = k * math.pi / 6
        cv.line(sx + math.cos(a) * 22, sy + math.sin(a) * 22, sx + math.cos(a) * 32, sy + math.sin(a) * 32, (255, 210, 0), 3)
    cv.circle(sx, sy, 18, (255, 230, 40))
    for _ in range(3):
        x, y = r.randint(100, cv.w - 40), r.randint(20, 70)
        for dx, dy, rad in ((0, 0, 12), (14, -5, 14), (28, 0, 11)):
            cv.circle(x + dx, y + dy, rad, (255, 255, 255))
    cv.circle(cv.w * 0.25, cv.h + 60, 150, (90, 200, 80))
    cv.circle(cv.w * 0.85, cv.h + 80, 160, (70, 180, 60))
    for _ in range(9):
        x, y = r.randint(10, cv.w - 10), r.randint(cv.h - 70, cv.h - 10)
        col = r.choice([(255, 80, 120), (255, 160, 0), (200, 80, 255), (255, 255, 255)])
        cv.rect(x - 1, y, x + 1, y + 14, (40, 130, 40))
        for k in range(5):
            a = k * 2 * math.pi / 5
            cv.circle(x + math.cos(a) * 5, y + math.sin(a) * 5, 4, col)
        cv.circle(x, y, 3, (255, 220, 0))
    fx, fy = cv.w // 2 + r.randint(-30, 30), cv.h // 2 + 10  # the friendly hero
    cv.circle(fx, fy, 26, (255, 200, 60))
    cv.circle(fx - 9, fy - 6, 4, (30, 30, 30))
    cv.circle(fx + 9, fy - 6, 4, (30, 30, 30))
    for k in range(9):
        a = math.pi * (0.2 + 0.6 * k / 8)
        cv.rect(fx + math.cos(a) * 14, fy + math.sin(a) * 14, fx + math.cos(a) * 14 + 2, fy + math.sin(a) * 14 + 2, (160, 40, 40))
    x = cv.w - 4 - cv.text_width("1 2 3", 4)
    for ch, col in zip("1 2 3", [(230, 40, 40), None, (40, 120, 230), None, (40, 170, 40)]):
        x = cv.text(x, 84, ch, col or (0, 0, 0), 4) if col else x + 16


SCENES = {"Action": scene_action, "Simulator": scene_simulator, "Sport": scene_sport,
          "Adventure": scene_adventure, "Strategy": scene_strategy, "Junior": scene_junior}


# --- bitmap files ----------------------------------------------------------------------------

def palette_8bit():
    """A 6 x 6 x 6 colour cube and a grey ramp: enough for pictures drawn in flat colours."""
    pal = [(r * 51, g * 51, b * 51) for r in range(6) for g in range(6) for b in range(6)]
    pal += [(int(i * 255 / 39),) * 3 for i in range(40)]
    return pal


BAYER = [[0, 8, 2, 10], [12, 4, 14, 6], [3, 11, 1, 9], [15, 7, 13, 5]]


def write_bmp(cv, path, bits):
    w, h = cv.w, cv.h
    if bits == 24:
        stride = (w * 3 + 3) & ~3
        pixels = bytearray()
        for row in reversed(cv.rows):  # bottom-up, blue-green-red
            out = bytearray(row)
            out[0::3], out[2::3] = row[2::3], row[0::3]
            pixels += out + bytes(stride - w * 3)
        pal = b""
    else:
        stride = (w + 3) & ~3
        pal = b"".join(bytes((b, g, r, 0)) for r, g, b in palette_8bit())
        pixels = bytearray()
        for y in range(h - 1, -1, -1):
            row = cv.rows[y]
            out = bytearray(stride)
            for x in range(w):
                d = (BAYER[y & 3][x & 3] - 7.5) * 3.2  # ordered dither between cube steps
                r, g, b = (min(5, max(0, int((row[x * 3 + i] + d) / 51 + 0.5))) for i in range(3))
                out[x] = r * 36 + g * 6 + b
            pixels += out
    offset = 14 + 40 + len(pal)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, bits, 0, len(pixels), 2835, 2835, 256 if bits == 8 else 0, 0)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(header + info + pal + pixels)


def make_shot(demo, path):
    r = random.Random(demo["number"] * 7919 + len(demo["title"]))
    w, h = SIZES[demo["number"] % len(SIZES)]
    assert w <= MAX_W and h <= MAX_H
    cv = Canvas(w, h)
    SCENES.get(demo["category"], scene_action)(cv, r, demo)
    write_bmp(cv, path, 8 if demo["number"] % 2 else 24)


def main(argv):
    if len(argv) == 3 and argv[1] == "list":
        for d in read_demos(argv[2]):
            print("\t".join((d["dir"], d["title"], d["folder"], d["uninstall"], d["setup"])))
        return 0
    if len(argv) == 4 and argv[1] == "shots":
        for d in read_demos(argv[2]):
            make_shot(d, os.path.join(argv[3], "Demos", d["dir"], "Shot.bmp"))
        return 0
    print(__doc__, file=sys.stderr)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv))
