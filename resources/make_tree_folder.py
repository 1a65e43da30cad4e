#!/usr/bin/env python3
"""Draws the tree view's node icon "FOLDER": a small yellow folder, 20 x 14
pixels, 24-bit, written as tree_folder.bmp beside this script.

Colours stay clear of the tree's line colour (RGB 165, 195, 231) so a pixel
test can tell a connector from the icon."""
import os
import struct

W, H = 20, 14
WHITE = (255, 255, 255)
EDGE = (176, 120, 16)     # dark amber outline
BACK = (236, 184, 48)     # back panel and tab
FRONT = (255, 216, 96)    # front panel
SHINE = (255, 240, 176)   # highlight along the front's top edge

# One character per pixel, top row first.
ART = [
    "                    ",
    " ######             ",
    " #bbbb#             ",
    " #bbbbb##########   ",
    " #bbbbbbbbbbbbbb#   ",
    " #b##############!  ",
    " #b#ssssssssssssss# ",
    " #b#ffffffffffffff# ",
    " ##fffffffffffffff# ",
    " ##ffffffffffffff#  ",
    " #fffffffffffffff#  ",
    " #ffffffffffffff#   ",
    " ################   ",
    "                    ",
]
PALETTE = {" ": WHITE, "#": EDGE, "!": EDGE, "b": BACK, "f": FRONT, "s": SHINE}


def main():
    assert len(ART) == H and all(len(r) == W for r in ART)
    row_bytes = (W * 3 + 3) & ~3
    pixels = bytearray()
    for row in reversed(ART):  # bottom-up rows
        line = bytearray()
        for ch in row:
            r, g, b = PALETTE[ch]
            line += bytes((b, g, r))
        line += b"\0" * (row_bytes - len(line))
        pixels += line
    header = struct.pack("<IiiHHIIiiII", 40, W, H, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    offset = 14 + len(header)
    filehead = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    out = os.path.join(os.path.dirname(os.path.abspath(__file__)), "tree_folder.bmp")
    with open(out, "wb") as f:
        f.write(filehead + header + pixels)


if __name__ == "__main__":
    main()
