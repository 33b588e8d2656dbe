#!/usr/bin/env python3
"""Draws the program's icon: a narrow bar of small square buttons, 16x16 and 32x32, 16 colours.

Usage: make_icon.py OUTPUT.ico
"""
import struct
import sys

# The standard 16-colour palette, as (blue, green, red).
PALETTE = [
    (0, 0, 0), (0, 0, 128), (0, 128, 0), (0, 128, 128), (128, 0, 0), (128, 0, 128),
    (128, 128, 0), (192, 192, 192), (128, 128, 128), (0, 0, 255), (0, 255, 0), (0, 255, 255),
    (255, 0, 0), (255, 0, 255), (255, 255, 0), (255, 255, 255),
]
BLACK, DARK_GREY, SILVER, WHITE = 0, 8, 7, 15
BUTTON_FACES = [12, 10, 9, 11]  # blue, green, red, yellow (palette indices, BGR order above)


# Per size: the bar's columns, the grip's rows, and the buttons' height, first row and spacing.
LAYOUT = {
    16: dict(bar=(3, 13), grip=(1,), button=4, first=3, step=4, inset=1),
    32: dict(bar=(7, 25), grip=(2, 4), button=7, first=7, step=8, inset=2),
}


def draw(size):
    """Returns rows of palette indices, None where the icon is transparent."""
    lay = LAYOUT[size]
    px = [[None] * size for _ in range(size)]

    def fill(x0, y0, x1, y1, colour):
        for y in range(y0, y1):
            for x in range(x0, x1):
                px[y][x] = colour

    left, right = lay['bar']
    # The bar: a black outline round a silver face, standing the full height.
    fill(left, 0, right, size, BLACK)
    fill(left + 1, 1, right - 1, size - 1, SILVER)
    # The grip at its head: engraved lines.
    for y in lay['grip']:
        fill(left + 2, y, right - 2, y + 1, DARK_GREY)
        fill(left + 2, y + 1, right - 2, y + 2, WHITE)
    # Buttons below it: raised squares, each with a coloured picture.
    x0, x1 = left + 2, right - 2
    for i, face in enumerate(BUTTON_FACES[:(size - 1 - lay['first']) // lay['step']]):
        y0 = lay['first'] + i * lay['step']
        y1 = y0 + lay['button']
        fill(x0, y0, x1, y1, DARK_GREY)
        fill(x0, y0, x1 - 1, y1 - 1, WHITE)
        fill(x0 + 1, y0 + 1, x1 - 1, y1 - 1, SILVER)
        fill(x0 + lay['inset'], y0 + lay['inset'], x1 - lay['inset'], y1 - lay['inset'], face)
    return px


def bmp_image(px):
    size = len(px)
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 4, 0, 0, 0, 0, 16, 0)
    palette = b''.join(struct.pack('<BBBB', b, g, r, 0) for (b, g, r) in PALETTE)
    xor_row = (size * 4 + 31) // 32 * 4
    and_row = (size + 31) // 32 * 4
    xor, mask = b'', b''
    for row in reversed(px):
        nibbles = [0 if c is None else c for c in row]
        data = bytes((nibbles[i] << 4) | nibbles[i + 1] for i in range(0, size, 2))
        xor += data.ljust(xor_row, b'\0')
        bits = 0
        for x, c in enumerate(row):
            if c is None:
                bits |= 1 << (size - 1 - x)
        mask += bits.to_bytes((size + 7) // 8, 'big').ljust(and_row, b'\0')
    return header + palette + xor + mask


def main():
    images = [bmp_image(draw(s)) for s in (16, 32)]
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for s, img in zip((16, 32), images):
        out += struct.pack('<BBBBHHII', s, s, 16, 0, 1, 4, len(img), offset)
        offset += len(img)
    with open(sys.argv[1], 'wb') as f:
        f.write(out + b''.join(images))


if __name__ == '__main__':
    main()
