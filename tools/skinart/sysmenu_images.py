#!/usr/bin/env python3
"""Draws the frame's system-menu images and writes them as 24-bit .bmp files masked by magenta.

Usage: sysmenu_images.py <output folder>   (the repository keeps its output in resources/sysmenu)

The images sit in the system menu's popup, on its white item background, one per entry: close,
minimize, maximize, restore, roll up and minimize to the notification area. They are the caption
glyphs' shapes redrawn for 16 x 16 with a heavier pen, in the skin's ink colour (close in the close
button's coral). The program
loads them into an image list with magenta, RGB(255, 0, 255), as the mask colour, so every pixel no
shape touches is magenta and the edges are smoothed against the menu's white, never against
magenta.
"""

import os
import struct
import sys

from canvas import Canvas, Rect, Stroke
from generate import CORAL_600, INK, WHITE

SIZE = 16
PEN = 1.6
MASK = (255, 0, 255)


def draw_close(c, colour):
    c.fill(Stroke([(4.2, 4.2), (11.8, 11.8)], PEN), colour)
    c.fill(Stroke([(11.8, 4.2), (4.2, 11.8)], PEN), colour)


def draw_minimize(c, colour):
    c.fill(Rect(4, 11, 12, 13), colour)


def draw_maximize(c, colour):
    c.fill(Rect(3, 3, 13, 13) - Rect(4, 5, 12, 12), colour)


def draw_restore(c, colour):
    front = Rect(3, 6, 10, 13)
    c.fill(front - Rect(4, 8, 9, 12), colour)
    c.fill(Rect(6, 3, 13, 10) - Rect(7, 5, 12, 9) - front, colour)


def draw_roll_up(c, colour):
    c.fill(Rect(4, 3, 12, 5), colour)
    c.fill(Stroke([(4.4, 11.2), (8.0, 7.6), (11.6, 11.2)], PEN), colour)


def draw_tray(c, colour):
    c.fill(Stroke([(8.0, 2.8), (8.0, 9.6)], PEN), colour)
    c.fill(Stroke([(5.0, 6.8), (8.0, 9.8), (11.0, 6.8)], PEN), colour)
    c.fill(Rect(3, 12, 13, 14), colour)


def image(draw, colour):
    result = Canvas(SIZE, SIZE)
    draw(result, colour)
    return result


def masked_rows(canvas):
    """Rows top to bottom of (r, g, b): magenta where nothing is drawn, else the shape over white."""
    rows = []
    for j in range(canvas.height):
        row = []
        for i in range(canvas.width):
            r, g, b, a = canvas.pixels[j * canvas.width + i]
            if round(a * 255) == 0:
                row.append(MASK)
            else:
                row.append(tuple(max(0, min(255, round(c * a + w * (1 - a)))) for c, w in zip((r, g, b), WHITE)))
        rows.append(row)
    return rows


def write_bmp24(path, rows):
    """A 24-bit BMP (BITMAPINFOHEADER, bottom-up rows padded to four bytes)."""
    height = len(rows)
    width = len(rows[0])
    stride = (width * 3 + 3) & ~3
    pixels = bytearray()
    for row in reversed(rows):
        line = bytearray()
        for r, g, b in row:
            line += bytes((b, g, r))
        pixels += line + bytes(stride - len(line))
    offset = 14 + 40
    header = struct.pack('<2sIHHI', b'BM', offset + len(pixels), 0, 0, offset)
    info = struct.pack('<IiiHHIIiiII', 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    with open(path, 'wb') as out:
        out.write(header + info + pixels)


IMAGES = [
    ('KSE_CLOSE.bmp', draw_close, CORAL_600),
    ('KSE_MINIMIZE.bmp', draw_minimize, INK),
    ('KSE_MAXIMIZE.bmp', draw_maximize, INK),
    ('KSE_RESTORE.bmp', draw_restore, INK),
    ('KSE_ROLLUP.bmp', draw_roll_up, INK),
    ('KSE_TRAY.bmp', draw_tray, INK),
]


def main(arguments):
    if len(arguments) != 2:
        sys.stderr.write('usage: sysmenu_images.py <output folder>\n')
        return 2
    folder = arguments[1]
    os.makedirs(folder, exist_ok=True)
    for name, draw, colour in IMAGES:
        write_bmp24(os.path.join(folder, name), masked_rows(image(draw, colour)))
    return 0


if __name__ == '__main__':
    sys.exit(main(sys.argv))
