#!/usr/bin/env python3
"""Draws Korvel's own pictures: the tutorial's three set-up steps as 24-bit
bitmaps (497x341, 1242x558, 602x456) and the labels' link cursor (three
32x32 images: monochrome, 16 colours, 32-bit with alpha).

Run from anywhere; writes korvel_step1.bmp, korvel_step2.bmp,
korvel_step3.bmp and korvel_link.cur beside this script. Pure Python, no
imaging library: a small canvas with rectangles, lines, arrows and a 5x7
pixel font for the labels.
"""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))

# ---- 5x7 pixel font (upper case, digits and the few signs the labels use) ----
FONT = {
    "A": ["01110", "10001", "10001", "11111", "10001", "10001", "10001"],
    "B": ["11110", "10001", "10001", "11110", "10001", "10001", "11110"],
    "C": ["01110", "10001", "10000", "10000", "10000", "10001", "01110"],
    "D": ["11110", "10001", "10001", "10001", "10001", "10001", "11110"],
    "E": ["11111", "10000", "10000", "11110", "10000", "10000", "11111"],
    "F": ["11111", "10000", "10000", "11110", "10000", "10000", "10000"],
    "G": ["01110", "10001", "10000", "10111", "10001", "10001", "01111"],
    "H": ["10001", "10001", "10001", "11111", "10001", "10001", "10001"],
    "I": ["01110", "00100", "00100", "00100", "00100", "00100", "01110"],
    "J": ["00111", "00010", "00010", "00010", "00010", "10010", "01100"],
    "K": ["10001", "10010", "10100", "11000", "10100", "10010", "10001"],
    "L": ["10000", "10000", "10000", "10000", "10000", "10000", "11111"],
    "M": ["10001", "11011", "10101", "10101", "10001", "10001", "10001"],
    "N": ["10001", "10001", "11001", "10101", "10011", "10001", "10001"],
    "O": ["01110", "10001", "10001", "10001", "10001", "10001", "01110"],
    "P": ["11110", "10001", "10001", "11110", "10000", "10000", "10000"],
    "Q": ["01110", "10001", "10001", "10001", "10101", "10010", "01101"],
    "R": ["11110", "10001", "10001", "11110", "10100", "10010", "10001"],
    "S": ["01111", "10000", "10000", "01110", "00001", "00001", "11110"],
    "T": ["11111", "00100", "00100", "00100", "00100", "00100", "00100"],
    "U": ["10001", "10001", "10001", "10001", "10001", "10001", "01110"],
    "V": ["10001", "10001", "10001", "10001", "10001", "01010", "00100"],
    "W": ["10001", "10001", "10001", "10101", "10101", "10101", "01010"],
    "X": ["10001", "10001", "01010", "00100", "01010", "10001", "10001"],
    "Y": ["10001", "10001", "01010", "00100", "00100", "00100", "00100"],
    "Z": ["11111", "00001", "00010", "00100", "01000", "10000", "11111"],
    "0": ["01110", "10001", "10011", "10101", "11001", "10001", "01110"],
    "1": ["00100", "01100", "00100", "00100", "00100", "00100", "01110"],
    "2": ["01110", "10001", "00001", "00010", "00100", "01000", "11111"],
    "3": ["11111", "00010", "00100", "00010", "00001", "10001", "01110"],
    "4": ["00010", "00110", "01010", "10010", "11111", "00010", "00010"],
    "5": ["11111", "10000", "11110", "00001", "00001", "10001", "01110"],
    "6": ["00110", "01000", "10000", "11110", "10001", "10001", "01110"],
    "7": ["11111", "00001", "00010", "00100", "01000", "01000", "01000"],
    "8": ["01110", "10001", "10001", "01110", "10001", "10001", "01110"],
    "9": ["01110", "10001", "10001", "01111", "00001", "00010", "01100"],
    ".": ["00000", "00000", "00000", "00000", "00000", "01100", "01100"],
    ":": ["00000", "01100", "01100", "00000", "01100", "01100", "00000"],
    "\\": ["10000", "10000", "01000", "00100", "00010", "00001", "00001"],
    "-": ["00000", "00000", "00000", "11111", "00000", "00000", "00000"],
    ",": ["00000", "00000", "00000", "00000", "01100", "00100", "01000"],
    ">": ["10000", "01000", "00100", "00010", "00100", "01000", "10000"],
    "(": ["00010", "00100", "01000", "01000", "01000", "00100", "00010"],
    ")": ["01000", "00100", "00010", "00010", "00010", "00100", "01000"],
    " ": ["00000"] * 7,
}

# Colours as (r, g, b)
WHITE = (255, 255, 255)
BLACK = (0, 0, 0)
FACE = (236, 233, 216)
DESK = (58, 110, 165)
TITLE = (10, 36, 106)
TITLE2 = (166, 202, 240)
GREY = (128, 128, 128)
LIGHT = (212, 208, 200)
YELLOW = (255, 214, 80)
FOLDER_DARK = (214, 160, 30)
GREEN = (40, 160, 60)
RED = (200, 40, 40)
BLUE = (0, 0, 255)
SELECT = (49, 106, 197)
CHIP = (60, 60, 70)
PIN = (200, 200, 150)


class Canvas:
    def __init__(self, w, h, colour):
        self.w, self.h = w, h
        self.px = [bytearray(bytes(colour[::-1]) * w) for _ in range(h)]  # rows of BGR

    def dot(self, x, y, c):
        if 0 <= x < self.w and 0 <= y < self.h:
            row = self.px[y]
            row[3 * x:3 * x + 3] = bytes((c[2], c[1], c[0]))

    def fill(self, x, y, w, h, c):
        x0, y0, x1, y1 = max(x, 0), max(y, 0), min(x + w, self.w), min(y + h, self.h)
        if x0 >= x1:
            return
        run = bytes((c[2], c[1], c[0])) * (x1 - x0)
        for yy in range(y0, y1):
            self.px[yy][3 * x0:3 * x1] = run

    def frame(self, x, y, w, h, c, t=1):
        self.fill(x, y, w, t, c)
        self.fill(x, y + h - t, w, t, c)
        self.fill(x, y, t, h, c)
        self.fill(x + w - t, y, t, h, c)

    def bevel(self, x, y, w, h, raised=True):
        hi, lo = (WHITE, GREY) if raised else (GREY, WHITE)
        self.fill(x, y, w, 1, hi)
        self.fill(x, y, 1, h, hi)
        self.fill(x, y + h - 1, w, 1, lo)
        self.fill(x + w - 1, y, 1, h, lo)

    def line(self, x0, y0, x1, y1, c, t=1):
        steps = max(abs(x1 - x0), abs(y1 - y0), 1)
        for i in range(steps + 1):
            x = x0 + (x1 - x0) * i // steps
            y = y0 + (y1 - y0) * i // steps
            self.fill(x - t // 2, y - t // 2, t, t, c)

    def arrow(self, x0, y0, x1, y1, c, t=5):
        self.line(x0, y0, x1, y1, c, t)
        # head: a filled triangle pointing along the shaft
        dx, dy = x1 - x0, y1 - y0
        length = max((dx * dx + dy * dy) ** 0.5, 1)
        ux, uy = dx / length, dy / length
        size = 6 * t
        for i in range(size):
            half = (size - i) * 0.6
            cx, cy = x1 - ux * (size - i), y1 - uy * (size - i)
            for s in range(-int(half * 100), int(half * 100) + 1, 50):
                self.dot(int(cx - uy * s / 100), int(cy + ux * s / 100), c)
        self.fill(x1 - t, y1 - t, 2 * t, 2 * t, c)

    def text(self, x, y, s, c, scale=2):
        for ch in s.upper():
            glyph = FONT.get(ch, FONT[" "])
            for gy, bits in enumerate(glyph):
                for gx, b in enumerate(bits):
                    if b == "1":
                        self.fill(x + gx * scale, y + gy * scale, scale, scale, c)
            x += 6 * scale
        return x

    def text_width(self, s, scale=2):
        return len(s) * 6 * scale - scale

    def save_bmp(self, path):
        row_bytes = (3 * self.w + 3) & ~3
        pad = b"\0" * (row_bytes - 3 * self.w)
        image = b"".join(bytes(self.px[y]) + pad for y in range(self.h - 1, -1, -1))
        header = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(image), 0, 0, 14 + 40)
        info = struct.pack("<IiiHHIIiiII", 40, self.w, self.h, 1, 24, 0, len(image), 2835, 2835, 0, 0)
        with open(path, "wb") as f:
            f.write(header + info + image)


# ---- pieces of the diagrams ----
def window(cv, x, y, w, h, title, scale=2):
    cv.fill(x, y, w, h, FACE)
    cv.bevel(x, y, w, h)
    th = 10 * scale
    cv.fill(x + 3, y + 3, w - 6, th, TITLE)
    cv.text(x + 8, y + 3 + (th - 7 * scale) // 2, title, WHITE, scale)
    # close box
    bx = x + w - 3 - th + 2
    cv.fill(bx, y + 5, th - 4, th - 4, FACE)
    cv.bevel(bx, y + 5, th - 4, th - 4)
    cv.line(bx + 3, y + 8, bx + th - 8, y + th + 1, BLACK, 2)
    cv.line(bx + th - 8, y + 8, bx + 3, y + th + 1, BLACK, 2)
    return y + 3 + th + 4


def folder_icon(cv, x, y, s=1):
    cv.fill(x, y + 6 * s, 44 * s, 32 * s, YELLOW)
    cv.fill(x, y, 18 * s, 8 * s, YELLOW)
    cv.frame(x, y + 6 * s, 44 * s, 32 * s, FOLDER_DARK, max(1, s))
    cv.frame(x, y, 18 * s, 8 * s, FOLDER_DARK, max(1, s))


def program_icon(cv, x, y, body, s=1):
    """A little application window: title strip and a coloured body."""
    cv.fill(x, y, 40 * s, 34 * s, WHITE)
    cv.frame(x, y, 40 * s, 34 * s, BLACK, max(1, s))
    cv.fill(x + s, y + s, 38 * s, 7 * s, TITLE)
    cv.fill(x + 6 * s, y + 12 * s, 28 * s, 16 * s, body)


def chip_icon(cv, x, y, s=1):
    """Korvel: a processor chip with pins."""
    cv.fill(x + 6 * s, y + 6 * s, 28 * s, 28 * s, CHIP)
    for i in range(5):
        p = x + 9 * s + i * 5 * s
        cv.fill(p, y, 2 * s, 6 * s, PIN)
        cv.fill(p, y + 34 * s, 2 * s, 6 * s, PIN)
        q = y + 9 * s + i * 5 * s
        cv.fill(x, q, 6 * s, 2 * s, PIN)
        cv.fill(x + 34 * s, q, 6 * s, 2 * s, PIN)
    cv.fill(x + 13 * s, y + 13 * s, 14 * s, 14 * s, GREEN)


def shortcut_badge(cv, x, y, s=1):
    cv.fill(x, y, 12 * s, 12 * s, WHITE)
    cv.frame(x, y, 12 * s, 12 * s, BLACK, max(1, s))
    cv.line(x + 3 * s, y + 9 * s, x + 9 * s, y + 3 * s, BLUE, 2 * s)


def check_row(cv, x, y, label, ticked, scale=2, width=150):
    cv.fill(x, y, 12, 12, WHITE)
    cv.frame(x, y, 12, 12, GREY)
    if ticked:
        cv.line(x + 2, y + 6, x + 5, y + 9, BLACK, 2)
        cv.line(x + 5, y + 9, x + 10, y + 2, BLACK, 2)
    cv.text(x + 18, y - 1, label, BLACK, scale)


def step1():
    """Copy Korvel into the folder of the program it is to start."""
    cv = Canvas(497, 341, DESK)
    top = window(cv, 150, 40, 330, 280, "C:\\GAMES\\MYGAME")
    cv.fill(156, top, 318, 280 - (top - 40) - 8, WHITE)
    cv.bevel(156, top, 318, 280 - (top - 40) - 8, raised=False)
    program_icon(cv, 190, top + 40, RED, 2)
    cv.text(172, top + 120, "GAME.EXE", BLACK, 2)
    chip_icon(cv, 345, top + 36, 2)
    cv.text(318, top + 120, "KORVEL.EXE", BLACK, 2)
    cv.frame(312, top + 28, 142, 114, SELECT, 2)
    # where it comes from
    chip_icon(cv, 30, 150, 1)
    cv.text(12, 200, "KORVEL.EXE", WHITE, 1)
    cv.arrow(80, 170, 330, top + 78, YELLOW, 4)
    cv.text(150, 12, "1. COPY KORVEL.EXE HERE", WHITE, 2)
    return cv


def field(cv, x, y, w, label, value, scale=2, highlight=False):
    cv.text(x, y + 6, label, BLACK, scale)
    fx = x + 150
    cv.fill(fx, y, w - 150, 26, WHITE)
    cv.bevel(fx, y, w - 150, 26, raised=False)
    if highlight:
        cv.fill(fx + 4, y + 4, cv.text_width(value, scale) + 6, 18, SELECT)
        cv.text(fx + 7, y + 6, value, WHITE, scale)
    else:
        cv.text(fx + 7, y + 6, value, BLACK, scale)


def step2():
    """Point the program's shortcut at Korvel."""
    cv = Canvas(1242, 558, DESK)
    # the desktop shortcut
    program_icon(cv, 60, 120, RED, 2)
    shortcut_badge(cv, 60, 164, 2)
    cv.text(44, 200, "MY GAME", WHITE, 2)
    cv.arrow(170, 160, 300, 160, YELLOW, 5)
    top = window(cv, 320, 40, 880, 470, "MY GAME - PROPERTIES", 3)
    # tabs
    cv.fill(340, top + 6, 160, 34, FACE)
    cv.bevel(340, top + 6, 160, 34)
    cv.text(356, top + 14, "SHORTCUT", BLACK, 2)
    panel_y = top + 40
    cv.fill(336, panel_y, 848, 470 - (panel_y - 40) - 16, FACE)
    cv.bevel(336, panel_y, 848, 470 - (panel_y - 40) - 16)
    program_icon(cv, 360, panel_y + 20, RED, 1)
    cv.text(420, panel_y + 32, "MY GAME", BLACK, 2)
    rows = panel_y + 90
    field(cv, 360, rows, 800, "TYPE:", "APPLICATION")
    field(cv, 360, rows + 50, 800, "TARGET:", "C:\\GAMES\\MYGAME\\KORVEL.EXE", highlight=True)
    field(cv, 360, rows + 100, 800, "START IN:", "C:\\GAMES\\MYGAME")
    field(cv, 360, rows + 150, 800, "RUN:", "NORMAL WINDOW")
    # the old target, crossed out
    old = "WAS: C:\\GAMES\\MYGAME\\GAME.EXE"
    cv.text(510, rows + 210, old, GREY, 2)
    cv.line(506, rows + 217, 510 + cv.text_width(old), rows + 217, RED, 3)
    cv.arrow(900, rows + 214, 900, rows + 86, GREEN, 4)
    # buttons
    for i, label in enumerate(("OK", "CANCEL", "APPLY")):
        bx = 860 + i * 105
        cv.fill(bx, 440, 95, 32, FACE)
        cv.bevel(bx, 440, 95, 32)
        cv.text(bx + (95 - cv.text_width(label)) // 2, 449, label, BLACK, 2)
    cv.text(330, 10, "2. SHORTCUT TARGET: KORVEL.EXE", WHITE, 2)
    return cv


def step3():
    """Start through the shortcut and pick the processors."""
    cv = Canvas(602, 456, DESK)
    program_icon(cv, 24, 60, RED, 2)
    shortcut_badge(cv, 24, 104, 2)
    cv.text(16, 140, "MY GAME", WHITE, 2)
    cv.arrow(112, 100, 160, 100, YELLOW, 4)
    top = window(cv, 170, 40, 410, 390, "KORVEL")
    # program list
    cv.text(182, top + 6, "PROGRAM:", BLACK, 2)
    cv.fill(182, top + 26, 180, 150, WHITE)
    cv.bevel(182, top + 26, 180, 150, raised=False)
    check_row(cv, 188, top + 34, "GAME.EXE", True)
    check_row(cv, 188, top + 56, "SETUP.EXE", False)
    # processor list
    cv.text(376, top + 6, "CPU:", BLACK, 2)
    cv.fill(376, top + 26, 190, 150, WHITE)
    cv.bevel(376, top + 26, 190, 150, raised=False)
    for i, (label, ticked) in enumerate((("ALLCPU", False), ("CPU0", False), ("CPU1", True),
                                         ("CPU2", True), ("CPU3", False))):
        check_row(cv, 382, top + 34 + 22 * i, label, ticked)
    # priorities
    cv.text(182, top + 188, "PRIORITY:", BLACK, 2)
    cv.fill(182, top + 208, 384, 60, WHITE)
    cv.bevel(182, top + 208, 384, 60, raised=False)
    check_row(cv, 188, top + 214, "NORMAL", False)
    check_row(cv, 188, top + 238, "HIGH", True)
    # buttons
    for i, label in enumerate(("OK", "CANCEL")):
        bx = 376 + i * 98
        cv.fill(bx, top + 290, 90, 30, FACE)
        cv.bevel(bx, top + 290, 90, 30)
        cv.text(bx + (90 - cv.text_width(label)) // 2, top + 298, label, BLACK, 2)
    cv.frame(374, top + 288, 94, 34, RED, 2)
    cv.text(170, 10, "3. START IT, CHOOSE CPUS", WHITE, 2)
    return cv


# ---- the link cursor: a pointing hand, hot spot at the finger tip ----
HAND = [
    "..........##....................",
    ".........#oo#...................",
    ".........#oo#...................",
    ".........#oo#...................",
    ".........#oo#...................",
    ".........#oo###.................",
    ".........#oo#oo###..............",
    ".........#oo#oo#oo##............",
    ".........#oo#oo#oo#o#...........",
    "......##.#oo#oo#oo#oo#..........",
    ".....#oo##ooooooooo#oo#.........",
    ".....#ooo#ooooooooooooo#........",
    "......#oo#ooooooooooooo#........",
    ".......#ooooooooooooooo#........",
    ".......#ooooooooooooooo#........",
    "........#oooooooooooooo#........",
    "........#ooooooooooooo#.........",
    ".........#oooooooooooo#.........",
    ".........#ooooooooooo#..........",
    "..........#oooooooooo#..........",
    "..........#oooooooooo#..........",
    "..........############..........",
] + ["." * 32] * 10
HOT_X, HOT_Y = 10, 0


def cursor_images():
    """Yields (bpp, palette, xor rows top-down as pixel values, and mask)."""
    mask = [[1 if c == "." else 0 for c in row] for row in HAND]   # 1 = transparent
    # monochrome: 0 black, 1 white
    mono = [[0 if c == "#" else 1 if c == "o" else 0 for c in row] for row in HAND]
    yield 1, [(0, 0, 0), (255, 255, 255)], mono, mask
    # 16 colours: black outline, white hand, a blue cuff line on row 21
    pal16 = [(0, 0, 0), (255, 255, 255), (0, 0, 255)] + [(0, 0, 0)] * 13
    c16 = [[0 if c == "#" else 1 if c == "o" else 0 for c in row] for row in HAND]
    for x, c in enumerate(HAND[21]):
        if c == "#":
            c16[21][x] = 2
    yield 4, pal16, c16, mask
    # 32-bit with alpha
    argb = []
    for y, row in enumerate(HAND):
        line = []
        for c in row:
            if c == "#":
                line.append((0, 0, 0, 255))
            elif c == "o":
                line.append((255, 255, 255, 255))
            else:
                line.append((0, 0, 0, 0))
        argb.append(line)
    for x, c in enumerate(HAND[21]):
        if c == "#":
            argb[21][x] = (0, 0, 255, 255)
    yield 32, None, argb, mask


def dib(bpp, palette, pixels, mask):
    w = h = 32
    rows = []
    for y in range(h - 1, -1, -1):  # bottom-up
        src = pixels[y]
        if bpp == 1:
            out = bytearray(4)
            for x in range(w):
                if src[x]:
                    out[x // 8] |= 0x80 >> (x % 8)
            rows.append(bytes(out))
        elif bpp == 4:
            out = bytearray(16)
            for x in range(w):
                out[x // 2] |= (src[x] & 15) << (4 if x % 2 == 0 else 0)
            rows.append(bytes(out))
        else:
            rows.append(b"".join(struct.pack("<BBBB", b, g, r, a) for (r, g, b, a) in src))
    xor = b"".join(rows)
    and_rows = []
    for y in range(h - 1, -1, -1):
        out = bytearray(4)
        for x in range(w):
            if mask[y][x]:
                out[x // 8] |= 0x80 >> (x % 8)
        and_rows.append(bytes(out))
    andmask = b"".join(and_rows)
    colours = len(palette) if palette else 0
    header = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, bpp, 0, len(xor) + len(andmask), 0, 0, colours, 0)
    pal = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in (palette or []))
    return header + pal + xor + andmask


def save_cursor(path):
    images = [(bpp, pal, dib(bpp, pal, px, mask)) for bpp, pal, px, mask in cursor_images()]
    out = struct.pack("<HHH", 0, 2, len(images))
    offset = 6 + 16 * len(images)
    for bpp, pal, data in images:
        colour_count = len(pal) if pal and len(pal) < 256 else 0
        out += struct.pack("<BBBBHHII", 32, 32, colour_count, 0, HOT_X, HOT_Y, len(data), offset)
        offset += len(data)
    for _, _, data in images:
        out += data
    with open(path, "wb") as f:
        f.write(out)


def main():
    step1().save_bmp(os.path.join(HERE, "korvel_step1.bmp"))
    step2().save_bmp(os.path.join(HERE, "korvel_step2.bmp"))
    step3().save_bmp(os.path.join(HERE, "korvel_step3.bmp"))
    save_cursor(os.path.join(HERE, "korvel_link.cur"))


if __name__ == "__main__":
    main()
