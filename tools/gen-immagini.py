#!/usr/bin/env python3
"""Draws the program's pictures into resources/: the splash picture, the toolbar's
bitmap strip, the three icons and the pointer of the About window's guide link.

Everything is drawn here pixel by pixel and written as Windows bitmap, icon and cursor
files (no imaging library needed):

- splash.bmp: 363 x 170, 24 bits.
- barra.bmp: the toolbar strip, 250 x 75, 24 bits: three rows of 25 x 25 cells (normal,
  under the pointer, disabled), one column per button, nine of ten used. The pictures
  use white, dark grey and light grey as the 3D colours (the toolbar maps them to the
  desktop's colours); light grey is the cell background.
- icone/programma.ico, icone/documento.ico, icone/attesa.ico: the program's icon (a pen
  over a sheet), the same picture small, and a small window with an hourglass;
  32 x 32 and 16 x 16, 24 bits with a transparency mask.
- cursori/mano.cur: a pointing hand, 32 x 32, hot spot at the tip of the finger.

    python3 tools/gen-immagini.py [resources folder]
"""
import os
import struct
import sys

WHITE = (255, 255, 255)
DARK = (128, 128, 128)
LIGHT = (192, 192, 192)
BLACK = (0, 0, 0)


class Picture:
    def __init__(self, w, h, fill):
        self.w, self.h = w, h
        self.px = [[fill] * w for _ in range(h)]

    def set(self, x, y, c):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.px[y][x] = c

    def get(self, x, y):
        return self.px[y][x]

    def rect(self, x1, y1, x2, y2, c):
        """Filled rectangle, both corners included."""
        for y in range(y1, y2 + 1):
            for x in range(x1, x2 + 1):
                self.set(x, y, c)

    def box(self, x1, y1, x2, y2, c):
        """Rectangle outline, both corners included."""
        for x in range(x1, x2 + 1):
            self.set(x, y1, c)
            self.set(x, y2, c)
        for y in range(y1, y2 + 1):
            self.set(x1, y, c)
            self.set(x2, y, c)

    def line(self, x1, y1, x2, y2, c):
        """Line with both end points."""
        n = max(abs(x2 - x1), abs(y2 - y1), 1)
        for i in range(n + 1):
            self.set(round(x1 + (x2 - x1) * i / n), round(y1 + (y2 - y1) * i / n), c)

    def disc(self, cx, cy, r, c):
        for y in range(int(cy - r) - 1, int(cy + r) + 2):
            for x in range(int(cx - r) - 1, int(cx + r) + 2):
                if (x - cx) ** 2 + (y - cy) ** 2 <= r * r:
                    self.set(x, y, c)

    def ring(self, cx, cy, r, c):
        for y in range(int(cy - r) - 1, int(cy + r) + 2):
            for x in range(int(cx - r) - 1, int(cx + r) + 2):
                d = ((x - cx) ** 2 + (y - cy) ** 2) ** 0.5
                if r - 0.5 <= d < r + 0.5:
                    self.set(x, y, c)

    def paste(self, other, x0, y0, key=None):
        for y in range(other.h):
            for x in range(other.w):
                c = other.get(x, y)
                if c != key:
                    self.set(x0 + x, y0 + y, c)


# --- 5 x 7 letters for the titles -------------------------------------------------------

GLYPHS = {
    "Q": ["01110", "10001", "10001", "10001", "10101", "10010", "01101"],
    "C": ["01110", "10001", "10000", "10000", "10000", "10001", "01110"],
    "A": ["01110", "10001", "10001", "11111", "10001", "10001", "10001"],
    "L": ["10000", "10000", "10000", "10000", "10000", "10000", "11111"],
    "O": ["01110", "10001", "10001", "10001", "10001", "10001", "01110"],
    "T": ["11111", "00100", "00100", "00100", "00100", "00100", "00100"],
    "S": ["01111", "10000", "10000", "01110", "00001", "00001", "11110"],
    "I": ["01110", "00100", "00100", "00100", "00100", "00100", "01110"],
    "D": ["11110", "10001", "10001", "10001", "10001", "10001", "11110"],
    "E": ["11111", "10000", "10000", "11110", "10000", "10000", "11111"],
    "F": ["11111", "10000", "10000", "11110", "10000", "10000", "10000"],
    "2": ["01110", "10001", "00001", "00010", "00100", "01000", "11111"],
    "4": ["00010", "00110", "01010", "10010", "11111", "00010", "00010"],
    "u": ["00000", "00000", "10001", "10001", "10001", "10011", "01101"],
    "o": ["00000", "00000", "01110", "10001", "10001", "10001", "01110"],
    "t": ["01000", "01000", "11100", "01000", "01000", "01001", "00110"],
    "a": ["00000", "00000", "01110", "00001", "01111", "10001", "01111"],
    "r": ["00000", "00000", "10110", "11001", "10000", "10000", "10000"],
    " ": ["00000"] * 7,
    "-": ["00000", "00000", "00000", "11111", "00000", "00000", "00000"],
}


def text(pic, x, y, s, scale, c, shadow=None):
    for ch in s:
        rows = GLYPHS[ch]
        for gy, row in enumerate(rows):
            for gx, bit in enumerate(row):
                if bit == "1":
                    if shadow:
                        pic.rect(x + gx * scale + 2, y + gy * scale + 2,
                                 x + gx * scale + scale + 1, y + gy * scale + scale + 1, shadow)
                    pic.rect(x + gx * scale, y + gy * scale,
                             x + gx * scale + scale - 1, y + gy * scale + scale - 1, c)
        x += 6 * scale


def text_width(s, scale):
    return len(s) * 6 * scale - scale


# --- the toolbar's nine pictures (25 x 25, light grey background) ----------------------

def calcolatrice(p):
    p.rect(6, 2, 18, 22, (40, 40, 96))
    p.box(6, 2, 18, 22, BLACK)
    p.rect(8, 4, 16, 8, (150, 220, 150))
    p.box(8, 4, 16, 8, BLACK)
    p.line(10, 7, 15, 7, (0, 96, 0))
    for r in range(4):
        for k in range(3):
            x, y = 8 + k * 3, 11 + r * 3
            p.rect(x, y, x + 1, y + 1, (255, 200, 40) if (k == 2 and r == 3) else WHITE)


def somma(p):
    p.rect(5, 2, 19, 22, WHITE)
    p.box(5, 2, 19, 22, BLACK)
    p.line(20, 3, 20, 23, DARK)
    p.line(6, 23, 20, 23, DARK)
    blue = (0, 0, 160)
    for d in range(2):
        p.line(8, 5 + d, 16, 5 + d, blue)
        p.line(8, 19 + d, 16, 19 + d, blue)
        p.line(9 + d, 7, 13 + d, 12, blue)
        p.line(13 + d, 12, 9 + d, 18, blue)
    p.set(16, 7, blue)
    p.set(16, 17, blue)


def archivio(p):
    wood = (176, 112, 48)
    p.rect(5, 2, 19, 22, wood)
    p.box(5, 2, 19, 22, BLACK)
    for y in (8, 15):
        p.line(6, y, 18, y, BLACK)
    for y0 in (3, 9, 16):
        p.line(6, y0, 18, y0, (224, 168, 96))
        p.rect(10, y0 + 2, 14, y0 + 3, WHITE)
        p.box(10, y0 + 2, 14, y0 + 3, BLACK)
    p.line(20, 3, 20, 23, DARK)
    p.line(6, 23, 20, 23, DARK)


def casa(p):
    red = (200, 32, 32)
    for i in range(8):
        p.line(12 - i - 1, 3 + i, 12 + i + 1, 3 + i, red)
    p.line(3, 11, 12, 2, BLACK)
    p.line(12, 2, 21, 11, BLACK)
    p.rect(5, 11, 19, 21, WHITE)
    p.box(5, 11, 19, 21, BLACK)
    p.rect(9, 15, 12, 21, (128, 64, 0))
    p.box(9, 15, 12, 21, BLACK)
    p.rect(14, 13, 17, 16, (96, 160, 255))
    p.box(14, 13, 17, 16, BLACK)
    p.line(2, 22, 22, 22, (0, 128, 0))


def stampante(p):
    p.rect(7, 2, 17, 9, WHITE)
    p.box(7, 2, 17, 9, BLACK)
    p.rect(3, 9, 21, 17, (96, 96, 104))
    p.box(3, 9, 21, 17, BLACK)
    p.line(4, 10, 20, 10, WHITE)
    p.set(18, 12, (0, 208, 0))
    p.set(19, 12, (0, 208, 0))
    p.rect(7, 15, 17, 22, WHITE)
    p.box(7, 15, 17, 22, BLACK)
    for y in (17, 19):
        p.line(9, y, 15, y, (0, 0, 160))


def chiave(p):
    steel = (64, 64, 80)
    for d in range(-1, 2):
        p.line(6 + d, 19, 16 + d, 9, steel)
        p.line(6, 19 + d, 16, 9 + d, steel)
    p.disc(17.5, 7.5, 5, steel)
    p.disc(19.5, 5.5, 2.2, LIGHT)
    p.line(5, 20, 7, 22, BLACK)
    p.disc(6, 20, 1.6, (200, 32, 32))
    p.line(13, 11, 15, 9, WHITE)


def guida(p):
    blue = (0, 64, 176)
    p.rect(5, 3, 19, 21, blue)
    p.box(5, 3, 19, 21, BLACK)
    p.rect(6, 18, 19, 20, WHITE)
    p.line(6, 19, 19, 19, DARK)
    p.line(7, 4, 7, 17, (96, 144, 255))
    q = (255, 224, 64)
    p.line(10, 7, 11, 6, q)
    p.line(11, 6, 14, 6, q)
    p.line(14, 6, 15, 7, q)
    p.line(15, 7, 15, 9, q)
    p.line(15, 9, 13, 11, q)
    p.line(13, 11, 13, 13, q)
    p.rect(13, 15, 13, 16, q)


def info(p):
    blue = (0, 64, 200)
    p.disc(12, 12, 10, blue)
    p.ring(12, 12, 10, BLACK)
    p.rect(11, 6, 13, 8, WHITE)
    p.rect(11, 10, 13, 17, WHITE)
    p.line(10, 10, 10, 10, WHITE)
    p.line(10, 17, 14, 17, WHITE)


def uscita(p):
    p.rect(5, 2, 15, 22, (128, 64, 0))
    p.box(5, 2, 15, 22, BLACK)
    p.rect(7, 4, 13, 20, (176, 112, 48))
    p.set(12, 12, (255, 224, 64))
    p.set(12, 13, (255, 224, 64))
    green = (0, 160, 0)
    p.rect(14, 11, 19, 13, green)
    for i in range(5):
        p.line(19 + i // 2, 8 + i, 19 + i // 2, 16 - i, green)
    p.line(17, 7, 17, 7, green)


PITTURE = [calcolatrice, somma, archivio, casa, stampante, chiave, guida, info, uscita]


def attenua(c):
    """The resting look: colours a little paler than under the pointer."""
    if c in (WHITE, DARK, LIGHT, BLACK):
        return c
    return tuple(min(254, round(v * 0.8 + 200 * 0.2)) for v in c)


def cella(disegno):
    p = Picture(25, 25, LIGHT)
    disegno(p)
    return p


def incisa(p):
    """The disabled look: the shape in dark grey over a white copy one pixel down and right."""
    q = Picture(25, 25, LIGHT)
    forma = [[p.get(x, y) != LIGHT for x in range(25)] for y in range(25)]
    for y in range(25):
        for x in range(25):
            if forma[y][x] and not (x + 1 < 25 and y + 1 < 25 and forma[y + 1][x + 1]):
                q.set(x + 1, y + 1, WHITE)
    for y in range(25):
        for x in range(25):
            r, g, b = p.get(x, y)
            if forma[y][x] and 0.3 * r + 0.59 * g + 0.11 * b < 100:
                q.set(x, y, DARK)
    return q


def barra():
    strip = Picture(250, 75, LIGHT)
    for i, disegno in enumerate(PITTURE):
        viva = cella(disegno)
        quieta = Picture(25, 25, LIGHT)
        for y in range(25):
            for x in range(25):
                quieta.set(x, y, attenua(viva.get(x, y)))
        strip.paste(quieta, i * 25, 0)
        strip.paste(viva, i * 25, 25)
        strip.paste(incisa(viva), i * 25, 50)
    return strip


# --- the splash picture -----------------------------------------------------------------

def splash():
    w, h = 363, 170
    p = Picture(w, h, BLACK)
    for y in range(h):
        t = y / (h - 1)
        c = (round(16 + 24 * t), round(40 + 60 * t), round(112 + 80 * t))
        p.rect(0, y, w - 1, y, c)
    # a large house with a sheet of figures in front of it
    gold = (255, 200, 64)
    for i in range(30):
        p.line(60 - i - 2, 22 + i, 60 + i + 2, 22 + i, (200, 48, 40))
    p.rect(34, 52, 86, 104, (240, 236, 224))
    p.box(34, 52, 86, 104, (64, 32, 24))
    p.rect(52, 76, 66, 104, (128, 72, 32))
    p.rect(72, 62, 82, 72, (120, 176, 240))
    p.box(72, 62, 82, 72, (64, 32, 24))
    p.rect(78, 70, 112, 118, WHITE)
    p.box(78, 70, 112, 118, (64, 64, 64))
    for k, y in enumerate(range(78, 112, 7)):
        p.line(83, y, 107 - (k % 2) * 8, y, (60, 60, 120))
    p.disc(106, 110, 9, gold)
    p.ring(106, 110, 9, (160, 112, 0))
    # title and subtitle
    titolo = "Quotara"
    text(p, 140, 26, titolo, 5, WHITE, shadow=(8, 20, 64))
    sotto = "CALCOLO TASI"
    text(p, 142, 78, sotto, 2, gold)
    p.rect(140, 98, 140 + text_width(titolo, 5), 99, gold)
    return p


# --- icons and pointer ---------------------------------------------------------------------

TRASPARENTE = (255, 0, 255)


def foglio_con_penna(n):
    """The program's icon on an n x n grid (32 or 16)."""
    p = Picture(n, n, TRASPARENTE)
    s = n / 32
    def r(v):
        return round(v * s)
    p.rect(r(5), r(2), r(23), r(29), WHITE)
    p.box(r(5), r(2), r(23), r(29), BLACK)
    for y in range(r(7), r(25), max(2, r(4))):
        p.line(r(8), y, r(20), y, (0, 0, 160))
    blue = (0, 64, 200)
    for d in range(max(1, r(3))):
        p.line(r(29) - d, r(6), r(14) - d, r(23), blue)
    p.line(r(14), r(23), r(12), r(27), BLACK)
    p.set(r(12), r(27), BLACK)
    return p


def finestra_clessidra(n):
    p = Picture(n, n, TRASPARENTE)
    p.rect(0, 1, 13, 12, WHITE)
    p.box(0, 1, 13, 12, BLACK)
    p.rect(1, 2, 12, 3, (0, 0, 128))
    sand = (200, 160, 40)
    p.line(6, 5, 14, 5, BLACK)
    p.line(6, 15, 14, 15, BLACK)
    for i in range(4):
        p.line(7 + i, 6 + i, 13 - i, 6 + i, sand if i > 0 else (255, 255, 224))
        p.line(10 - i, 11 + i, 10 + i, 11 + i, sand)
    p.set(10, 10, sand)
    p.line(7, 6, 10, 10, BLACK)
    p.line(13, 6, 10, 10, BLACK)
    p.line(10, 10, 7, 14, BLACK)
    p.line(10, 10, 13, 14, BLACK)
    return p


def mano():
    rows = [
        "....XX..........",
        "...X..X.........",
        "...X..X.........",
        "...X..X.........",
        "...X..XXX.......",
        "...X..X..XXX....",
        ".XXX..X..X..XX..",
        "X..X..X..X..X.X.",
        "X..X........X..X",
        ".X.............X",
        ".X.............X",
        "..X............X",
        "..X...........X.",
        "...X..........X.",
        "....X........X..",
        "....XXXXXXXXXX..",
    ]
    p = Picture(32, 32, TRASPARENTE)
    for y, row in enumerate(rows):
        for x, ch in enumerate(row):
            if ch == "X":
                p.set(x, y, BLACK)
    # the inside of the outline, filled from the palm
    todo = [(8, 11)]
    while todo:
        x, y = todo.pop()
        if 0 <= x < 32 and 0 <= y < 32 and p.get(x, y) == TRASPARENTE:
            p.set(x, y, WHITE)
            todo += [(x + 1, y), (x - 1, y), (x, y + 1), (x, y - 1)]
    return p


# --- file formats ---------------------------------------------------------------------------

def dib_rows(p):
    """24-bit rows bottom-up, each padded to 4 bytes."""
    out = bytearray()
    pad = (4 - (p.w * 3) % 4) % 4
    for y in range(p.h - 1, -1, -1):
        for x in range(p.w):
            r, g, b = p.get(x, y)
            out += bytes((b, g, r))
        out += bytes(pad)
    return bytes(out)


def bmp(p):
    data = dib_rows(p)
    header = struct.pack("<IiiHHIIiiII", 40, p.w, p.h, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    return b"BM" + struct.pack("<IHHI", 14 + 40 + len(data), 0, 0, 54) + header + data


def icon_image(p):
    """One image of an icon or cursor file: the colours, then the AND mask (1 = transparent)."""
    solid = Picture(p.w, p.h, BLACK)
    mask = bytearray()
    stride = ((p.w + 31) // 32) * 4
    for y in range(p.h):
        for x in range(p.w):
            c = p.get(x, y)
            solid.set(x, y, BLACK if c == TRASPARENTE else c)
    for y in range(p.h - 1, -1, -1):
        row = bytearray(stride)
        for x in range(p.w):
            if p.get(x, y) == TRASPARENTE:
                row[x // 8] |= 0x80 >> (x % 8)
        mask += row
    header = struct.pack("<IiiHHIIiiII", 40, p.w, p.h * 2, 1, 24, 0, 0, 0, 0, 0, 0)
    return header + dib_rows(solid) + bytes(mask)


def icon_file(pictures, kind=1, hotspots=None):
    images = [icon_image(p) for p in pictures]
    out = struct.pack("<HHH", 0, kind, len(images))
    offset = 6 + 16 * len(images)
    for i, (p, img) in enumerate(zip(pictures, images)):
        a, b = (1, 24) if kind == 1 else hotspots[i]
        out += struct.pack("<BBBBHHII", p.w % 256, p.h % 256, 0, 0, a, b, len(img), offset)
        offset += len(img)
    return out + b"".join(images)


def main():
    base = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "resources")
    os.makedirs(os.path.join(base, "icone"), exist_ok=True)
    os.makedirs(os.path.join(base, "cursori"), exist_ok=True)
    files = {
        "splash.bmp": bmp(splash()),
        "barra.bmp": bmp(barra()),
        "icone/programma.ico": icon_file([foglio_con_penna(32), foglio_con_penna(16)]),
        "icone/documento.ico": icon_file([foglio_con_penna(16)]),
        "icone/attesa.ico": icon_file([finestra_clessidra(16)]),
        "cursori/mano.cur": icon_file([mano()], kind=2, hotspots=[(5, 0)]),
    }
    for name, data in files.items():
        with open(os.path.join(base, name), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main()
