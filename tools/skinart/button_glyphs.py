#!/usr/bin/env python3
"""Draws the glyphs of the standard buttons (OK, Cancel, Help, ...) as the program's bitmap resources.

Usage: button_glyphs.py <output folder>   (the repository keeps its output in resources/glyphs)

Each glyph is 32 x 16: a 16 x 16 cell for the normal look, then one for the disabled look. They are
24-bit bitmaps: a button treats the colour of the bottom-left pixel (magenta here) as transparent,
so the shapes are anti-aliased against the skin's button body (PAPER) and every pixel they do not
touch is magenta. The colours are the skin's palette (see generate.py).
"""

import math
import os
import sys

from bmp import write_bmp24
from canvas import Canvas, Circle, Polygon, Rect, RoundRect, Stroke, arc_points
from generate import (CORAL_500, CORAL_600, MUTED, PAPER, SLATE_200, SLATE_500, SLATE_600, TEAL_400, TEAL_500,
                      TEAL_600, WHITE)

KEY = (255, 0, 255)
CELL = 16


def flatten(canvas):
    """Rows of (r, g, b): covered pixels composited over the button body, the rest the key colour."""
    rows = []
    for j in range(canvas.height):
        row = []
        for i in range(canvas.width):
            r, g, b, a = canvas.pixels[j * canvas.width + i]
            if a < 1.0 / 255:
                row.append(KEY)
            else:
                row.append(tuple(max(0, min(255, int(round(c * a + p * (1.0 - a))))) for c, p in zip((r, g, b), PAPER)))
        rows.append(row)
    return rows


def check(c, colour, x=0.0, y=0.0, scale=1.0, width=2.4):
    points = [(3.0, 8.5), (6.5, 12.0), (13.0, 4.5)]
    c.fill(Stroke([(x + px * scale, y + py * scale) for px, py in points], width), colour)


def ok(c, colour, _):
    check(c, colour, width=2.6)


def cancel(c, colour, _):
    c.fill(Stroke([(4, 4), (12, 12)], 2.4), colour)
    c.fill(Stroke([(12, 4), (4, 12)], 2.4), colour)


def help_(c, colour, inner):
    c.fill(Circle(8, 8, 7), colour)
    c.fill(Stroke(arc_points(8, 6.2, 2.4, 180, 395, 16) + [(8, 9.6)], 1.8), inner)
    c.fill(Circle(8, 12.3, 1.1), inner)


def yes(c, colour, inner):
    c.fill(Circle(8, 8, 7), colour)
    check(c, inner, x=2.2, y=2.4, scale=0.72, width=2.0)


def no(c, colour, _):
    c.fill(Circle(8, 8, 6.6) - Circle(8, 8, 4.6), colour)
    c.fill(Stroke([(4, 12), (12, 4)], 2.0), colour)


def close(c, colour, accent):
    c.fill(RoundRect(2, 2, 10, 14, 1) - Rect(3.5, 3.5, 8.5, 12.5), colour)
    c.fill(Stroke([(6, 8), (14, 8)], 1.8), accent)
    c.fill(Polygon([(15, 8), (11, 4.5), (11, 11.5)]), accent)


def abort(c, colour, inner):
    r, s = 7.0, 2.9
    c.fill(Polygon([(8 - s, 8 - r), (8 + s, 8 - r), (8 + r, 8 - s), (8 + r, 8 + s),
                    (8 + s, 8 + r), (8 - s, 8 + r), (8 - r, 8 + s), (8 - r, 8 - s)]), colour)
    c.fill(Rect(4, 7, 12, 9), inner)


def retry(c, colour, _):
    """A clockwise arrow round the centre, its head at the end pointing on along the circle."""
    radius, end = 5.0, 240.0
    c.fill(Stroke(arc_points(8, 8.4, radius, -50, end - 18, 28), 2.0), colour)
    angle = math.radians(end)
    along = (-math.sin(angle), math.cos(angle))
    outward = (math.cos(angle), math.sin(angle))
    tip = (8 + radius * outward[0] + 2.2 * along[0], 8.4 + radius * outward[1] + 2.2 * along[1])
    base = (8 + radius * outward[0] - 1.8 * along[0], 8.4 + radius * outward[1] - 1.8 * along[1])
    c.fill(Polygon([tip, (base[0] + 2.8 * outward[0], base[1] + 2.8 * outward[1]),
                    (base[0] - 2.8 * outward[0], base[1] - 2.8 * outward[1])]), colour)


def ignore(c, colour, _):
    for x in (3.0, 8.0):
        c.fill(Stroke([(x, 4), (x + 4, 8), (x, 12)], 2.0), colour)


def all_(c, colour, back):
    check(c, back, x=-1.4, y=-0.6, scale=0.72, width=1.9)
    check(c, colour, x=3.4, y=3.4, scale=0.72, width=2.1)


# Name, drawing, main colour, second colour (inner marks and accents; the disabled look puts its marks in
# PAPER over MUTED, or in the colour given last).
GLYPHS = (
    ('KSBTN_OK', ok, TEAL_600, None),
    ('KSBTN_CANCEL', cancel, CORAL_500, None),
    ('KSBTN_HELP', help_, TEAL_500, WHITE),
    ('KSBTN_YES', yes, TEAL_500, WHITE),
    ('KSBTN_NO', no, CORAL_500, None),
    ('KSBTN_CLOSE', close, SLATE_600, TEAL_500),
    ('KSBTN_ABORT', abort, CORAL_600, WHITE),
    ('KSBTN_RETRY', retry, TEAL_600, None),
    ('KSBTN_IGNORE', ignore, SLATE_500, None),
    ('KSBTN_ALL', all_, TEAL_600, TEAL_400, SLATE_200),
)


def glyph(draw, colour, second, disabled_second=PAPER):
    """The normal cell and the disabled one (the same shapes, flat and muted) side by side."""
    result = Canvas(2 * CELL, CELL)
    for index, (main, inner) in enumerate(((colour, second or colour), (MUTED, disabled_second))):
        cell = Canvas(CELL, CELL)
        draw(cell, main, inner)
        result.paste(cell, index * CELL, 0)
    return result


def main(arguments):
    if len(arguments) != 2:
        sys.stderr.write('usage: button_glyphs.py <output folder>\n')
        return 2
    folder = arguments[1]
    os.makedirs(folder, exist_ok=True)
    for name, draw, colour, second, *disabled in GLYPHS:
        canvas = glyph(draw, colour, second, *disabled)
        write_bmp24(os.path.join(folder, name + '.bmp'), canvas.width, canvas.height, flatten(canvas))
    return 0


if __name__ == '__main__':
    sys.exit(main(sys.argv))
