#!/usr/bin/env python3
"""Draws the flag pictures of the shipped languages as small 24-bit BMP files.

Usage: tools/draw-flags.py OUTPUT_FOLDER
Writes English.bmp, Italiano.bmp and DefaultFlag.bmp (48 x 32 pixels). The pictures are kept
in languages/; run this again only to change them.
"""
import math
import struct
import sys
from pathlib import Path

WIDTH, HEIGHT = 48, 32

WHITE = (255, 255, 255)
RED = (200, 16, 46)
BLUE = (1, 33, 105)
GREEN = (0, 146, 70)
IT_RED = (206, 43, 55)
GREY = (128, 128, 128)
SKY = (70, 130, 200)


def english(x, y):
    # The flag in a 60 x 30 grid, sampled at the pixel's centre.
    u = (x + 0.5) * 60 / WIDTH
    v = (y + 0.5) * 30 / HEIGHT
    if abs(u - 30) < 3 or abs(v - 15) < 3:
        return RED
    if abs(u - 30) < 5 or abs(v - 15) < 5:
        return WHITE
    norm = math.hypot(60, 30)
    d1 = (30 * u - 60 * v) / norm  # signed distance from the diagonal top-left to bottom-right
    d2 = (30 * u + 60 * v - 1800) / norm  # from bottom-left to top-right
    left = u < 30
    top = v < 15
    # The red diagonals sit off-centre, turning clockwise round the flag.
    if (left and 0 < -d1 < 2 and top) or (not left and 0 < d1 < 2 and not top):
        return RED
    if (left and 0 < d2 < 2 and not top) or (not left and 0 < -d2 < 2 and top):
        return RED
    if abs(d1) < 3 or abs(d2) < 3:
        return WHITE
    return BLUE


def italiano(x, _y):
    return (GREEN, WHITE, IT_RED)[x * 3 // WIDTH]


def default_flag(x, y):
    # A plain globe on white inside a grey frame: a language without a flag of its own.
    if x in (0, WIDTH - 1) or y in (0, HEIGHT - 1):
        return GREY
    cx, cy, r = (WIDTH - 1) / 2, (HEIGHT - 1) / 2, 12
    d = math.hypot(x - cx, y - cy)
    if abs(d - r) < 0.8:
        return SKY
    if d < r and (abs(x - cx) < 0.6 or abs(y - cy) < 0.6 or
                  abs(math.hypot((x - cx) * 2, y - cy) - r) < 1.2):
        return SKY
    return WHITE


def write_bmp(path, pixel):
    row_size = (WIDTH * 3 + 3) // 4 * 4
    image = bytearray()
    for y in reversed(range(HEIGHT)):  # BMP rows run bottom-up
        row = bytearray()
        for x in range(WIDTH):
            r, g, b = pixel(x, y)
            row += bytes((b, g, r))
        image += row + bytes(row_size - len(row))
    header = struct.pack('<2sIHHI', b'BM', 54 + len(image), 0, 0, 54)
    info = struct.pack('<IiiHHIIiiII', 40, WIDTH, HEIGHT, 1, 24, 0, len(image), 2835, 2835, 0, 0)
    path.write_bytes(header + info + image)


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    folder = Path(sys.argv[1])
    folder.mkdir(parents=True, exist_ok=True)
    write_bmp(folder / 'English.bmp', english)
    write_bmp(folder / 'Italiano.bmp', italiano)
    write_bmp(folder / 'DefaultFlag.bmp', default_flag)


if __name__ == '__main__':
    main()
