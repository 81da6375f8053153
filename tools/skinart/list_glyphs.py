#!/usr/bin/env python3
"""Draws the list box's bitmap resources (program resources, not skin bitmaps) in the skin's palette.

Usage: list_glyphs.py <output folder>   (the repository keeps its output in resources/glyphs)

These are 24-bit bitmaps whose transparent parts are magenta (255, 0, 255), as the controls that
draw them expect. Their outer edge is hard, so no pixel mixes with the key colour; the inside is
anti-aliased over the glyph's own body.

KS_TRUETYPE.bmp (12 x 12): the mark a font list shows before a scalable (TrueType) family: a teal
tile carrying a white serif letter T.
"""

import os
import sys

from bmp import write_bmp24
from canvas import Canvas, Rect, RoundRect
from generate import TEAL_600, TEAL_700, WHITE

KEY = (255, 0, 255)


def true_type_mark():
    c = Canvas(12, 12)
    tile = RoundRect(0, 0, 12, 12, 2.5)
    c.fill_hard(tile, TEAL_600)
    c.fill(tile - RoundRect(1, 1, 11, 11, 1.5), TEAL_700)
    # A serif capital T, on whole pixels so that it stays crisp at this size.
    for part in (Rect(2, 2, 10, 3), Rect(2, 3, 3, 4), Rect(9, 3, 10, 4), Rect(5, 3, 7, 9), Rect(4, 9, 8, 10)):
        c.fill(part, WHITE)
    c.fill(Rect(3, 3, 4, 4), WHITE, opacity=0.35)
    c.fill(Rect(8, 3, 9, 4), WHITE, opacity=0.35)
    return c


def key_coloured_rows(canvas):
    """(r, g, b) rows: opaque pixels as drawn, the rest the key colour."""
    rows = []
    for j in range(canvas.height):
        row = []
        for i in range(canvas.width):
            r, g, b, a = canvas.pixels[j * canvas.width + i]
            row.append(tuple(max(0, min(255, int(round(v)))) for v in (r, g, b)) if a >= 0.999 else KEY)
        rows.append(row)
    return rows


GLYPHS = [
    ('KS_TRUETYPE.bmp', true_type_mark),
]


def main(arguments):
    if len(arguments) != 2:
        sys.stderr.write('usage: list_glyphs.py <output folder>\n')
        return 2
    folder = arguments[1]
    os.makedirs(folder, exist_ok=True)
    for name, draw in GLYPHS:
        canvas = draw()
        write_bmp24(os.path.join(folder, name), canvas.width, canvas.height, key_coloured_rows(canvas))
    return 0


if __name__ == '__main__':
    sys.exit(main(sys.argv))
