#!/usr/bin/env python3
"""Draws Tessara's small icons as 16 x 16, 256-colour .ico files.

  tessara_jar.ico      icon 101: a red jar
  tessara_pointer.ico  icon 102: a pointer over an input field
  tessara_bin.ico      icon 103: a blue bin
  tessara_app.ico      the program's own icon: four coloured tiles

Run from anywhere: python3 resources/make_tessara_icons.py
"""
import os
import struct

SIZE = 16

# Legend letter -> RGB; '.' is transparent.
COLOURS = {
    'k': (0, 0, 0),
    'w': (255, 255, 255),
    'g': (128, 128, 128),
    'G': (96, 96, 96),
    '#': (128, 0, 0),        # the jar's outline
    'r': (220, 30, 30),
    'R': (255, 160, 160),    # the glaze's highlight
    'n': (150, 90, 40),      # the jar's cork
    'B': (0, 40, 140),       # the bin's outline
    'b': (40, 110, 230),
    'l': (150, 190, 255),    # the bin's ribs
    'Y': (240, 200, 0),
    'E': (30, 160, 60),
}

JAR = [
    "................",
    "......nnnn......",
    ".....#nnnn#.....",
    "....########....",
    ".....#rrrr#.....",
    "....#rrrrrr#....",
    "...#rRRrrrrr#...",
    "...#rRrrrrrr#...",
    "...#rRrrrrrr#...",
    "...#rrrrrrrr#...",
    "...#rrrrrrrr#...",
    "...#rrrrrrrr#...",
    "....#rrrrrr#....",
    ".....######.....",
    "................",
    "................",
]

POINTER = [
    "................",
    "................",
    "GGGGGGGGGGGGGGGG",
    "GwwwwwwwwwwwwwwG",
    "GwkwwwwwwwwwwwwG",
    "GwkwwwkwwwwwwwwG",
    "GwkwwwkkwwwwwwwG",
    "GwwwwwkwkwwwwwwG",
    "GGGGGGkwwkGGGGGG",
    "......kwwwk.....",
    "......kwwwwk....",
    "......kwwkkkk...",
    "......kwkwk.....",
    "......kk..kk....",
    "......k....k....",
    "................",
]

BIN = [
    "................",
    "......BBBB......",
    "...BBBBBBBBBB...",
    "...BbbbbbbbbB...",
    "...BBBBBBBBBB...",
    "....BblbblbB....",
    "....BblbblbB....",
    "....BblbblbB....",
    "....BblbblbB....",
    "....BblbblbB....",
    "....BblbblbB....",
    "....BblbblbB....",
    "....BblbblbB....",
    "....BbbbbbbB....",
    ".....BBBBBB.....",
    "................",
]

APP = [
    "................",
    ".gggggg..gggggg.",
    ".grrrrg..gEEEEg.",
    ".grrrrg..gEEEEg.",
    ".grrrrg..gEEEEg.",
    ".grrrrg..gEEEEg.",
    ".gggggg..gggggg.",
    "................",
    "................",
    ".gggggg..gggggg.",
    ".gbbbbg..gYYYYg.",
    ".gbbbbg..gYYYYg.",
    ".gbbbbg..gYYYYg.",
    ".gbbbbg..gYYYYg.",
    ".gggggg..gggggg.",
    "................",
]


def ico_bytes(rows):
    assert len(rows) == SIZE and all(len(r) == SIZE for r in rows)
    letters = sorted({c for r in rows for c in r if c != '.'})
    # Index 0 stays black for the transparent pixels (the mask hides them).
    palette = [(0, 0, 0)] + [COLOURS[c] for c in letters]
    index = {c: i + 1 for i, c in enumerate(letters)}
    palette += [(0, 0, 0)] * (256 - len(palette))

    xor = bytearray()
    mask = bytearray()
    for row in reversed(rows):  # bottom-up, as bitmaps are stored
        xor += bytes(index.get(c, 0) for c in row)
        bits = 0
        for x, c in enumerate(row):
            if c == '.':
                bits |= 1 << (15 - x)
        mask += struct.pack('>H', bits) + b'\0\0'  # rows padded to 4 bytes

    header = struct.pack('<IiiHHIIiiII', 40, SIZE, SIZE * 2, 1, 8, 0, len(xor) + len(mask), 0, 0, 256, 0)
    colours = b''.join(struct.pack('<BBBB', b, g, r, 0) for (r, g, b) in palette)
    image = header + colours + bytes(xor) + bytes(mask)
    directory = struct.pack('<HHH', 0, 1, 1)
    entry = struct.pack('<BBBBHHII', SIZE, SIZE, 0, 0, 1, 8, len(image), 6 + 16)
    return directory + entry + image


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    for name, rows in (("tessara_jar.ico", JAR), ("tessara_pointer.ico", POINTER),
                       ("tessara_bin.ico", BIN), ("tessara_app.ico", APP)):
        with open(os.path.join(here, name), "wb") as f:
            f.write(ico_bytes(rows))


if __name__ == "__main__":
    main()
