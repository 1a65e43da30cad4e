#!/usr/bin/env python3
"""Draws the check box's tick mark (23 x 23, blue on white) into CheckBox.bmp.

Run from anywhere: python3 resources/make_checkbox_bmp.py
"""
import os
import struct

SIZE = 23
WHITE = (255, 255, 255)
BLUE = (0, 128, 255)  # RGB

# Blue pixels of the tick, by row from the top: inclusive x ranges.
TICK = {
    5: [(18, 19)],
    6: [(17, 20)],
    7: [(16, 20)],
    8: [(15, 19)],
    9: [(14, 18)],
    10: [(4, 5), (13, 17)],
    11: [(3, 6), (12, 16)],
    12: [(3, 7), (11, 15)],
    13: [(4, 8), (10, 14)],
    14: [(5, 13)],
    15: [(6, 12)],
    16: [(7, 11)],
    17: [(8, 11)],
    18: [(9, 10)],
}


def pixel(x, y):
    for lo, hi in TICK.get(y, []):
        if lo <= x <= hi:
            return BLUE
    return WHITE


def bmp_bytes():
    row_size = (SIZE * 3 + 3) // 4 * 4
    pixels = bytearray()
    for y in range(SIZE - 1, -1, -1):  # bottom-up rows
        row = bytearray()
        for x in range(SIZE):
            r, g, b = pixel(x, y)
            row += bytes((b, g, r))
        row += b"\0" * (row_size - len(row))
        pixels += row
    info = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    offset = 14 + len(info)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    return header + info + bytes(pixels)


if __name__ == "__main__":
    out = os.path.join(os.path.dirname(os.path.abspath(__file__)), "CheckBox.bmp")
    with open(out, "wb") as f:
        f.write(bmp_bytes())
