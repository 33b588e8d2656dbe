#!/usr/bin/env python3
"""Draws the command strip's toolbar bitmap: 16 colours, a row of cells of SIZE x SIZE pixels
(16 when not given; 13 cells at 16, 4 at other sizes) and one unused row below: a computer
with keyboard (exit), a wrench (settings), a left arrow and a right arrow; the other cells are
blank. The pictures are drawn on a 16 x 16 grid; at a larger size each grid square covers the
pixels whose centres fall in it, so every edge stays sharp.

Usage: make_toolbar.py OUTPUT.bmp [SIZE]
"""
import struct
import sys

# The standard 16-colour palette, as (red, green, blue).
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
    (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
# Silver is the toolbar's face: the control shows it in the button colour.
INK = {'.': 7, 'k': 0, 'g': 8, 'w': 15, 'b': 4, 'c': 6, 'B': 12, 'G': 2, 'L': 10}

COMPUTER = """
................
.kkkkkkkkkkkkk..
.kwwwwwwwwwwwk..
.kwbbbbbbbbbgk..
.kwbcccccccbgk..
.kwbcccccccbgk..
.kwbcccccccbgk..
.kwbbbbbbbbbgk..
.kgggggggggggk..
.kkkkkkkkkkkkk..
......kggk......
....kkkkkkkk....
.kkkkkkkkkkkkkk.
.kwgwgwgwgwgwgk.
.kgwgwgwgwgwgwk.
.kkkkkkkkkkkkkk.
"""

WRENCH = """
................
..........kk.kk.
.........kwk.kgk
.........kwgkgk.
........kwggggk.
.......kwgggkk..
......kwggk.....
.....kwggk......
....kwggk.......
...kwggk........
..kwggk.........
.kwggk..........
.kwgk...........
..kk............
................
................
"""

LEFT_ARROW = """
................
................
.......k........
......kLk.......
.....kLGk.......
....kLGGkkkkkk..
...kLGGGGGGGGGk.
..kLGGGGGGGGGGk.
...kGGGGGGGGGGk.
....kGGGkkkkkk..
.....kGGk.......
......kGk.......
.......k........
................
................
................
"""


def cells():
    left = [row for row in LEFT_ARROW.split()]
    right = [row[::-1] for row in left]
    return [COMPUTER.split(), WRENCH.split(), left, right]


def plain(pixels, width):
    row_bytes = (width * 4 + 31) // 32 * 4
    data = b''
    for row in reversed(pixels):
        packed = bytes((row[i] << 4) | row[i + 1] for i in range(0, width, 2))
        data += packed.ljust(row_bytes, b'\0')
    return data


def run_length(pixels):
    """The larger bitmaps, bottom row first, as runs of one colour: a third of their plain size,
    which keeps the program small."""
    data = b''
    for row in reversed(pixels):
        x = 0
        while x < len(row):
            run = 1
            while x + run < len(row) and row[x + run] == row[x] and run < 255:
                run += 1
            data += bytes((run, (row[x] << 4) | row[x]))
            x += run
        data += b'\0\0'
    return data + b'\0\1'


def main():
    size = int(sys.argv[2]) if len(sys.argv) > 2 else 16
    # The 16-pixel bitmap keeps its thirteen cells; the larger ones hold only the four drawn.
    width, height = (13 if size == 16 else len(cells())) * size, size + 1
    pixels = [[INK['.']] * width for _ in range(height)]
    for n, cell in enumerate(cells()):
        assert len(cell) == 16 and all(len(row) == 16 for row in cell)
        for y in range(size):
            for x in range(size):
                pixels[y][size * n + x] = INK[cell[(2 * y + 1) * 8 // size][(2 * x + 1) * 8 // size]]
    data = run_length(pixels)
    palette = b''.join(struct.pack('<BBBB', b, g, r, 0) for (r, g, b) in PALETTE)
    offset = 14 + 40 + len(palette)
    header = struct.pack('<2sIHHI', b'BM', offset + len(data), 0, 0, offset)
    compression = 2  # BI_RLE4
    info = struct.pack('<IiiHHIIiiII', 40, width, height, 1, 4, compression, len(data), 2835,
                       2835, 16, 0)
    with open(sys.argv[1], 'wb') as f:
        f.write(header + info + palette + data)


if __name__ == '__main__':
    main()
