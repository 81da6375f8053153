#!/usr/bin/env python3
"""Draws every bitmap of the embedded skin and writes them as 32-bit BGRA .bmp files.

Usage: generate.py <output folder> [scale]   (the repository keeps its output in resources/skin/bitmaps,
and the same drawings at scale 2, for screens of 175 % and more, in resources/skin/bitmaps-200)

Palette "Slate and Teal" (red, green, blue):
    INK        30  38  50   text and strong glyphs
    SLATE_900  27  35  47   caption outline
    SLATE_800  41  53  70   caption, bottom of its gradient
    SLATE_700  60  76  99   caption, top of its gradient
    SLATE_600  78  94 117   body outline, menu text
    SLATE_500 108 123 145   quiet glyphs
    SLATE_400 146 159 178   hot outlines
    SLATE_300 184 194 207   control outlines
    SLATE_200 213 220 229   hairlines, hot fills
    SLATE_100 232 236 241   menu bar, button gradient foot
    PAPER     244 246 249   window body
    WHITE     255 255 255   fields, popup menus
    TEAL_700   11 112 122   accent text
    TEAL_600   16 132 142   accent pressed
    TEAL_500   28 156 165   accent, focus, selection
    TEAL_400   72 184 190   accent hot
    TEAL_200  170 222 225   accent tint, focus halo
    TEAL_100  221 242 243   accent wash (hover)
    CORAL_600 200  52  58   close button pressed
    CORAL_500 224  72  76   close button hot
    MUTED     200 207 217   disabled glyphs
    INACTIVE_CAPTION 106 120 141 to 92 106 128   caption of an inactive window

States of a multi-state bitmap are stacked vertically, each one state high. The order is given with
each bitmap below; the common one is normal, hot, pressed, disabled, focused.
"""

import math
import os
import sys

from bmp import write_bmp
from canvas import (Canvas, Circle, Polygon, Rect, RoundRect, Stroke, arc_points,
                    horizontal_gradient, set_scale, vertical_gradient)

INK = (30, 38, 50)
SLATE_900 = (27, 35, 47)
SLATE_800 = (41, 53, 70)
SLATE_700 = (60, 76, 99)
SLATE_600 = (78, 94, 117)
SLATE_500 = (108, 123, 145)
SLATE_400 = (146, 159, 178)
SLATE_300 = (184, 194, 207)
SLATE_200 = (213, 220, 229)
SLATE_100 = (232, 236, 241)
PAPER = (244, 246, 249)
WHITE = (255, 255, 255)
TEAL_700 = (11, 112, 122)
TEAL_600 = (16, 132, 142)
TEAL_500 = (28, 156, 165)
TEAL_400 = (72, 184, 190)
TEAL_200 = (170, 222, 225)
TEAL_100 = (221, 242, 243)
CORAL_600 = (200, 52, 58)
CORAL_500 = (224, 72, 76)
MUTED = (200, 207, 217)
INACTIVE_CAPTION_TOP = (106, 120, 141)
INACTIVE_CAPTION_BOTTOM = (92, 106, 128)

CAPTION_HEIGHT = 30
CAPTION_BUTTON_WIDTH = 24


def stack(states):
    """Puts equally sized canvases one below the other."""
    width, height = states[0].width, states[0].height
    result = Canvas(width, height * len(states))
    for index, state in enumerate(states):
        result.paste(state, 0, index * height)
    return result


def outlined(canvas, outer, inner, outline, body):
    """Fills outer with the outline colour and inner (one pixel smaller) with the body paint."""
    canvas.fill(outer, outline)
    canvas.fill(inner, body)


# --- window frame ----------------------------------------------------------------------------

def frame_caption():
    """66 x 30 each, active window then inactive window: 6 columns of rounded left end, 54 of
    middle, 6 of rounded right end. The inactive caption is a lighter, quieter slate."""
    width = 66
    states = []
    for outline, top, bottom, highlight in ((SLATE_900, SLATE_700, SLATE_800, 0.10),
                                            (SLATE_700, INACTIVE_CAPTION_TOP, INACTIVE_CAPTION_BOTTOM, 0.06)):
        c = Canvas(width, CAPTION_HEIGHT)
        c.fill_hard(RoundRect(0, 0, width, CAPTION_HEIGHT + 10, (6, 6, 0, 0)), outline)
        c.fill(RoundRect(1, 1, width - 1, CAPTION_HEIGHT + 10, (5, 5, 0, 0)),
               vertical_gradient(0, CAPTION_HEIGHT, top, bottom))
        c.fill(Rect(6, 1, width - 6, 2), WHITE, highlight)
        states.append(c)
    return stack(states)


def frame_side(left):
    """5 x 8 side border: an outline column, then window body."""
    c = Canvas(5, 8)
    c.fill(Rect(0, 0, 5, 8), PAPER)
    x = 0 if left else 4
    c.fill(Rect(x, 0, x + 1, 8), SLATE_600)
    return c


def frame_bottom():
    """16 x 5: 6 columns of rounded left corner, 4 of edge, 6 of rounded right corner."""
    c = Canvas(16, 5)
    c.fill_hard(RoundRect(0, -10, 16, 5, (0, 0, 5, 5)), SLATE_600)
    c.fill(RoundRect(1, -10, 15, 4, (0, 0, 4, 4)), PAPER)
    return c


def caption_button(hot_colour, hot_alpha, pressed_colour, pressed_alpha):
    """Caption button face, 24 x 30 each: normal (transparent), hot, pressed."""
    states = [Canvas(CAPTION_BUTTON_WIDTH, CAPTION_HEIGHT)]
    for colour, alpha in ((hot_colour, hot_alpha), (pressed_colour, pressed_alpha)):
        c = Canvas(CAPTION_BUTTON_WIDTH, CAPTION_HEIGHT)
        c.fill(RoundRect(1, 4, CAPTION_BUTTON_WIDTH - 1, CAPTION_HEIGHT - 4, 4), colour, alpha)
        states.append(c)
    return stack(states)


CAPTION_GLYPH_COLOURS = ((220, 226, 234), WHITE, WHITE, (196, 204, 214))


def caption_glyph(draw):
    """12 x 12 caption glyph in four states: normal, hot, pressed, inactive window."""
    states = []
    for colour in CAPTION_GLYPH_COLOURS:
        c = Canvas(12, 12)
        draw(c, colour)
        states.append(c)
    return stack(states)


def draw_close(c, colour):
    c.fill(Stroke([(2.6, 2.6), (9.4, 9.4)], 1.35), colour)
    c.fill(Stroke([(9.4, 2.6), (2.6, 9.4)], 1.35), colour)


def draw_maximize(c, colour):
    c.fill(Rect(2, 2, 10, 10) - Rect(3, 3, 9, 9), colour)


def draw_restore(c, colour):
    front = Rect(2, 4, 8, 10)
    c.fill(front - Rect(3, 5, 7, 9), colour)
    c.fill(Rect(4, 2, 10, 8) - Rect(5, 3, 9, 7) - front, colour)


def draw_minimize(c, colour):
    c.fill(Rect(2, 6, 10, 7), colour)


def draw_help(c, colour):
    hook = arc_points(6.0, 4.3, 2.3, 190, 395, 20) + [(6.0, 7.4)]
    c.fill(Stroke(hook, 1.3), colour)
    c.fill(Circle(6.0, 9.7, 0.85), colour)


def draw_roll_up(c, colour):
    c.fill(Stroke([(2.8, 7.6), (6.0, 4.4), (9.2, 7.6)], 1.35), colour)


def draw_roll_down(c, colour):
    c.fill(Stroke([(2.8, 4.4), (6.0, 7.6), (9.2, 4.4)], 1.35), colour)


def draw_tray(c, colour):
    c.fill(Stroke([(6.0, 1.6), (6.0, 6.8)], 1.3), colour)
    c.fill(Stroke([(3.8, 4.7), (6.0, 6.9), (8.2, 4.7)], 1.3), colour)
    c.fill(Rect(2, 9, 10, 10), colour)


# --- menu bar buttons of a maximized child window --------------------------------------------

def mdi_caption_button():
    """16 x 16 each: normal (transparent), hot, pressed, disabled (transparent)."""
    states = [Canvas(16, 16)]
    for colour in (SLATE_200, SLATE_300):
        c = Canvas(16, 16)
        c.fill(RoundRect(0, 0, 16, 16, 3), colour)
        states.append(c)
    states.append(Canvas(16, 16))
    return stack(states)


def mdi_glyph(draw):
    """10 x 10 each: normal, hot, pressed, disabled."""
    states = []
    for colour in (SLATE_600, INK, INK, SLATE_300):
        c = Canvas(10, 10)
        draw(c, colour)
        states.append(c)
    return stack(states)


def draw_mdi_close(c, colour):
    c.fill(Stroke([(2.5, 2.5), (7.5, 7.5)], 1.3), colour)
    c.fill(Stroke([(7.5, 2.5), (2.5, 7.5)], 1.3), colour)


def draw_mdi_minimize(c, colour):
    c.fill(Rect(2, 7, 8, 8), colour)


def draw_mdi_restore(c, colour):
    front = Rect(1, 4, 7, 9)
    c.fill(front - Rect(2, 5, 6, 8), colour)
    c.fill(Rect(3, 1, 9, 7) - Rect(4, 2, 8, 6) - front, colour)


# --- push buttons ----------------------------------------------------------------------------

def push_button():
    """20 x 23 each: normal, hot, pressed, disabled, focused."""
    looks = (
        ((190, 199, 211), (160, 172, 188), WHITE, (234, 238, 243), None),
        ((150, 163, 181), (128, 142, 162), WHITE, (222, 240, 242), None),
        ((146, 159, 178), (146, 159, 178), (212, 219, 228), (228, 232, 238), None),
        ((218, 223, 230), (214, 220, 228), (242, 244, 247), (242, 244, 247), None),
        (TEAL_500, TEAL_600, WHITE, (234, 238, 243), TEAL_200),
    )
    states = []
    for outline_top, outline_bottom, body_top, body_bottom, halo in looks:
        c = Canvas(20, 23)
        outlined(c, RoundRect(0, 0, 20, 23, 4), RoundRect(1, 1, 19, 22, 3),
                 vertical_gradient(0, 23, outline_top, outline_bottom),
                 vertical_gradient(1, 22, body_top, body_bottom))
        if halo:
            c.fill(RoundRect(1, 1, 19, 22, 3) - RoundRect(2, 2, 18, 21, 2), halo)
        elif body_top == WHITE:
            c.fill(Rect(3, 1, 17, 2), WHITE, 0.9)
        states.append(c)
    return stack(states)


def toolbar_buttons():
    """20 x 23 each: normal (transparent), hot, pressed, disabled (transparent), focused."""
    states = [Canvas(20, 23)]
    for outline, body in ((TEAL_200, TEAL_100), (TEAL_400, (198, 231, 233))):
        c = Canvas(20, 23)
        outlined(c, RoundRect(0, 0, 20, 23, 4), RoundRect(1, 1, 19, 22, 3), outline, body)
        states.append(c)
    states.append(Canvas(20, 23))
    c = Canvas(20, 23)
    c.fill(RoundRect(0, 0, 20, 23, 4) - RoundRect(1, 1, 19, 22, 3), TEAL_400)
    states.append(c)
    return stack(states)


def toolbar_background():
    c = Canvas(1, 17)
    c.fill(Rect(0, 0, 1, 16), vertical_gradient(0, 16, (250, 251, 252), SLATE_100))
    c.fill(Rect(0, 16, 1, 17), SLATE_200)
    return c


def toolbar_gripper():
    """10 x 6 tile of grip dots, repeated down a band's grabber."""
    c = Canvas(10, 6)
    for x in (3.5, 6.5):
        c.fill(Circle(x, 3.0, 0.9), SLATE_400)
    return c


# --- edit fields, combo box ------------------------------------------------------------------

def field_outline():
    """9 x 9 each: normal, hot, focused, disabled. Three-pixel corners and edges around a
    one-pixel centre. The outside of the rounded corners is painted in the window body colour
    because fields are drawn opaque."""
    looks = ((SLATE_300, WHITE, None), (SLATE_400, WHITE, None),
             (TEAL_500, WHITE, TEAL_200), ((214, 220, 228), (242, 244, 247), None))
    states = []
    for outline, body, halo in looks:
        c = Canvas(9, 9)
        c.fill(Rect(0, 0, 9, 9), PAPER)
        outlined(c, RoundRect(0, 0, 9, 9, 3), RoundRect(1, 1, 8, 8, 2), outline, body)
        if halo:
            c.fill(RoundRect(1, 1, 8, 8, 2) - Rect(2, 2, 7, 7), halo)
        states.append(c)
    return stack(states)


def combo_button():
    """15 x 17 each: normal (transparent), hot, pressed, disabled (transparent)."""
    states = [Canvas(15, 17)]
    for colour in (TEAL_100, (198, 231, 233)):
        c = Canvas(15, 17)
        c.fill(RoundRect(0, 0, 15, 17, 3), colour)
        states.append(c)
    states.append(Canvas(15, 17))
    return stack(states)


def combo_glyph():
    """10 x 7 each: normal, hot, pressed, disabled."""
    states = []
    for colour in (SLATE_500, TEAL_700, TEAL_700, MUTED):
        c = Canvas(10, 7)
        c.fill(Stroke([(2.0, 1.9), (5.0, 4.9), (8.0, 1.9)], 1.6), colour)
        states.append(c)
    return stack(states)


# --- check boxes and radio buttons -----------------------------------------------------------

MARK_LOOKS = (  # outline, body, halo: normal, hot, pressed, disabled, focused
    ((160, 172, 188), WHITE, None),
    (TEAL_500, (238, 249, 249), None),
    (TEAL_600, (206, 234, 236), None),
    ((214, 220, 228), (242, 244, 247), None),
    (TEAL_500, WHITE, TEAL_200),
)
MARK_FILLS = (TEAL_500, TEAL_400, TEAL_600, MUTED, TEAL_600)


def check_box():
    """13 x 13 each: unchecked, checked, mixed; each in normal, hot, pressed, disabled, focused."""
    states = []
    for outline, body, halo in MARK_LOOKS:
        c = Canvas(13, 13)
        outlined(c, RoundRect(0, 0, 13, 13, 3), RoundRect(1, 1, 12, 12, 2), outline, body)
        if halo:
            c.fill(RoundRect(1, 1, 12, 12, 2) - RoundRect(2, 2, 11, 11, 1), halo)
        states.append(c)
    for mark in ('check', 'dash'):
        for index, fill in enumerate(MARK_FILLS):
            c = Canvas(13, 13)
            c.fill(RoundRect(0, 0, 13, 13, 3), fill)
            if index == 4:
                c.fill(RoundRect(0, 0, 13, 13, 3) - RoundRect(1, 1, 12, 12, 2), TEAL_700)
            if mark == 'check':
                c.fill(Stroke([(3.3, 6.7), (5.5, 8.9), (9.7, 4.1)], 1.7), WHITE)
            else:
                c.fill(Rect(3.5, 5.75, 9.5, 7.25), WHITE)
            states.append(c)
    return stack(states)


def radio_button():
    """13 x 13 each: unchecked, checked; each in normal, hot, pressed, disabled, focused."""
    states = []
    for outline, body, halo in MARK_LOOKS:
        c = Canvas(13, 13)
        outlined(c, Circle(6.5, 6.5, 6.5), Circle(6.5, 6.5, 5.5), outline, body)
        if halo:
            c.fill(Circle(6.5, 6.5, 5.5) - Circle(6.5, 6.5, 4.5), halo)
        states.append(c)
    for index, fill in enumerate(MARK_FILLS):
        c = Canvas(13, 13)
        c.fill(Circle(6.5, 6.5, 6.5), fill)
        if index == 4:
            c.fill(Circle(6.5, 6.5, 6.5) - Circle(6.5, 6.5, 5.5), TEAL_700)
        c.fill(Circle(6.5, 6.5, 2.6), WHITE)
        states.append(c)
    return stack(states)


# --- scroll bar ------------------------------------------------------------------------------

SCROLL_THICKNESS = 17


def scroll_shaft(vertical):
    c = Canvas(SCROLL_THICKNESS, SCROLL_THICKNESS)
    c.fill(Rect(0, 0, SCROLL_THICKNESS, SCROLL_THICKNESS), (238, 241, 245))
    c.fill(Rect(0, 0, 1, SCROLL_THICKNESS) if vertical else Rect(0, 0, SCROLL_THICKNESS, 1), SLATE_200)
    return c


def scroll_arrow_faces():
    """17 x 17 each, shared by all four arrows: normal (transparent), hot, pressed, disabled."""
    states = [Canvas(17, 17)]
    for colour in (SLATE_200, SLATE_300):
        c = Canvas(17, 17)
        c.fill(RoundRect(2, 2, 15, 15, 3), colour)
        states.append(c)
    states.append(Canvas(17, 17))
    return stack(states)


def scroll_arrow_glyphs():
    """9 x 9 each: left, right, up, down; each in normal, hot, pressed, disabled."""
    triangles = {
        'left': [(6.3, 1.6), (6.3, 7.4), (2.4, 4.5)],
        'right': [(2.7, 1.6), (2.7, 7.4), (6.6, 4.5)],
        'up': [(1.6, 6.3), (7.4, 6.3), (4.5, 2.4)],
        'down': [(1.6, 2.7), (7.4, 2.7), (4.5, 6.6)],
    }
    states = []
    for direction in ('left', 'right', 'up', 'down'):
        for colour in (SLATE_500, SLATE_700, INK, MUTED):
            c = Canvas(9, 9)
            c.fill(Polygon(triangles[direction]), colour)
            states.append(c)
    return stack(states)


THUMB_COLOURS = ((190, 199, 211), (160, 172, 188), (130, 144, 164), (222, 227, 233))


def scroll_thumb(vertical):
    """The thumb in normal, hot, pressed, disabled: a pill inset 4 pixels from the track's
    sides; 17 x 22 each when vertical, 22 x 17 when horizontal."""
    states = []
    for colour in THUMB_COLOURS:
        if vertical:
            c = Canvas(17, 22)
            c.fill(RoundRect(4, 1, 13, 21, 4.5), colour)
        else:
            c = Canvas(22, 17)
            c.fill(RoundRect(1, 4, 21, 13, 4.5), colour)
        states.append(c)
    return stack(states)


def scroll_gripper(vertical):
    """9 x 9 grip lines centred on the thumb (across the thumb's length)."""
    c = Canvas(9, 9)
    for offset in (2.5, 4.5, 6.5):
        line = [(3.0, offset), (6.0, offset)] if vertical else [(offset, 3.0), (offset, 6.0)]
        c.fill(Stroke(line, 1.0), WHITE, 0.8)
    return c


# --- group box, panels, tabs, grid -----------------------------------------------------------

def group_box():
    c = Canvas(22, 20)
    c.fill(RoundRect(0, 0, 22, 20, 4) - RoundRect(1, 1, 21, 19, 3), (203, 211, 221))
    return c


def pane():
    """12 x 12 white pane with a one-pixel border, used by tab panes and popup menus."""
    c = Canvas(12, 12)
    c.fill(Rect(0, 0, 12, 12), (170, 181, 196))
    c.fill(Rect(1, 1, 11, 11), WHITE)
    return c


def panel_background():
    c = Canvas(12, 12)
    c.fill(RoundRect(0, -6, 12, 12, (0, 0, 4, 4)), (203, 211, 221))
    c.fill(RoundRect(1, -6, 11, 11, (0, 0, 3, 3)), WHITE)
    return c


def panel_head():
    c = Canvas(12, 24)
    outlined(c, RoundRect(0, 0, 12, 24, (4, 4, 0, 0)), RoundRect(1, 1, 11, 24, (3, 3, 0, 0)),
             (203, 211, 221), vertical_gradient(1, 23, (250, 251, 252), SLATE_100))
    c.fill(Rect(1, 23, 11, 24), SLATE_200)
    return c


def panel_roll_button(up):
    """19 x 19 each: normal, hot, pressed."""
    states = []
    for disc, colour in ((None, SLATE_500), (SLATE_200, INK), (SLATE_300, INK)):
        c = Canvas(19, 19)
        if disc:
            c.fill(Circle(9.5, 9.5, 8.5), disc)
        points = [(6.0, 11.2), (9.5, 7.7), (13.0, 11.2)] if up else [(6.0, 7.8), (9.5, 11.3), (13.0, 7.8)]
        c.fill(Stroke(points, 1.5), colour)
        states.append(c)
    return stack(states)


def tab_item():
    """18 x 18 each: normal, hot, pressed (the selected tab), disabled, focused."""
    looks = ((SLATE_100, (203, 211, 221), None), (PAPER, SLATE_300, None), (WHITE, SLATE_300, TEAL_500),
             ((240, 242, 245), (221, 226, 233), None), (WHITE, TEAL_500, TEAL_500))
    states = []
    for body, outline, accent in looks:
        c = Canvas(18, 18)
        outlined(c, RoundRect(0, 0, 18, 22, (4, 4, 0, 0)), RoundRect(1, 1, 17, 22, (3, 3, 0, 0)),
                 outline, body)
        if accent:
            c.fill(RoundRect(1, 1, 17, 3, (3, 3, 0, 0)), accent)
        states.append(c)
    return stack(states)


def list_view_header():
    c = Canvas(12, 20)
    c.fill(Rect(0, 0, 12, 19), vertical_gradient(0, 19, WHITE, (236, 239, 243)))
    c.fill(Rect(0, 19, 12, 20), (203, 211, 221))
    c.fill(Rect(11, 4, 12, 16), SLATE_200)
    return c


# --- progress bar and track bar --------------------------------------------------------------

def progress_trough():
    c = Canvas(10, 9)
    outlined(c, RoundRect(0, 0, 10, 9, 3.5), RoundRect(1, 1, 9, 8, 2.5), (192, 201, 213), (229, 233, 239))
    c.fill(Rect(2, 1, 8, 2), (205, 212, 222), 0.8)
    return c


def progress_chunk(vertical):
    """One block and its gap, tiled along the bar: 10 x 12 (8 block, 2 gap) when horizontal,
    12 x 10 (2 gap, 8 block) when vertical. The three rows (columns) at each side carry the
    block's rounded ends; the ones between are alike, so the block grows with the bar."""
    if vertical:
        c = Canvas(12, 10)
        block = RoundRect(0, 2, 12, 10, 2)
        paint = horizontal_gradient(0, 12, TEAL_400, TEAL_600)
    else:
        c = Canvas(10, 12)
        block = RoundRect(0, 0, 8, 12, 2)
        paint = vertical_gradient(0, 12, TEAL_400, TEAL_600)

    def banded(x, y):
        position = x if vertical else y
        if 3 <= position <= 9:
            return TEAL_500 + (1.0,)
        return paint(x, y)
    c.fill(block, banded)
    return c


def slider_track():
    c = Canvas(5, 5)
    c.fill(RoundRect(0, 0, 5, 5, 2), SLATE_200)
    c.fill(Rect(1, 0, 4, 1), SLATE_300)
    return c


THUMB_LOOKS = (  # outline, body, halo: normal, hot, pressed, disabled, focused
    ((160, 172, 188), WHITE, None),
    (TEAL_500, WHITE, None),
    (TEAL_600, TEAL_100, None),
    ((214, 220, 228), (242, 244, 247), None),
    (TEAL_500, WHITE, TEAL_200),
)


def inset_polygon(points, amount):
    """Moves every edge of a convex, clockwise polygon inward by amount."""
    lines = []
    n = len(points)
    for i in range(n):
        (xa, ya), (xb, yb) = points[i], points[(i + 1) % n]
        length = math.hypot(xb - xa, yb - ya)
        nx, ny = -(yb - ya) / length, (xb - xa) / length
        lines.append(((xa + nx * amount, ya + ny * amount), (xb - xa, yb - ya)))
    result = []
    for i in range(n):
        (p1, d1), (p2, d2) = lines[i - 1], lines[i]
        cross = d1[0] * d2[1] - d1[1] * d2[0]
        t = ((p2[0] - p1[0]) * d2[1] - (p2[1] - p1[1]) * d2[0]) / cross
        result.append((p1[0] + d1[0] * t, p1[1] + d1[1] * t))
    return result


def track_thumb(width, height, outline_points):
    """A track-bar thumb of the given outline in normal, hot, pressed, disabled, focused."""
    states = []
    for outline, body, halo in THUMB_LOOKS:
        c = Canvas(width, height)
        outer = Polygon(outline_points)
        inner = Polygon(inset_polygon(outline_points, 1.0))
        outlined(c, outer, inner, outline, body)
        if halo:
            c.fill(inner - Polygon(inset_polygon(outline_points, 2.0)), halo)
        states.append(c)
    return stack(states)


def thumb_pill(width, height):
    states = []
    for outline, body, halo in THUMB_LOOKS:
        c = Canvas(width, height)
        radius = min(width, height) / 2 - 1
        outlined(c, RoundRect(1, 1, width - 1, height - 1, radius),
                 RoundRect(2, 2, width - 2, height - 2, radius - 1), outline, body)
        if halo:
            c.fill(RoundRect(2, 2, width - 2, height - 2, radius - 1)
                   - RoundRect(3, 3, width - 3, height - 3, radius - 2), halo)
        states.append(c)
    return stack(states)


def pointer_points(direction):
    """Outline of a pointed thumb, clockwise, in its 11 x 21 (or 21 x 11) cell."""
    if direction == 'up':
        return [(5.5, 0.6), (10.4, 5.5), (10.4, 20.4), (0.6, 20.4), (0.6, 5.5)]
    if direction == 'down':
        return [(0.6, 0.6), (10.4, 0.6), (10.4, 15.5), (5.5, 20.4), (0.6, 15.5)]
    if direction == 'left':
        return [(0.6, 5.5), (5.5, 0.6), (20.4, 0.6), (20.4, 10.4), (5.5, 10.4)]
    return [(0.6, 0.6), (15.5, 0.6), (20.4, 5.5), (15.5, 10.4), (0.6, 10.4)]


# --- the table ------------------------------------------------------------------------------

BITMAPS = [
    ('FRAMEBOTTOM.BMP', frame_bottom),
    ('FRAMECAPTION.BMP', frame_caption),
    ('FRAMELEFT.BMP', lambda: frame_side(True)),
    ('FRAMERIGHT.BMP', lambda: frame_side(False)),
    ('CAPTIONBUTTON.bmp', lambda: caption_button(WHITE, 0.14, WHITE, 0.26)),
    ('CLOSEBUTTON.bmp', lambda: caption_button(CORAL_500, 1.0, CORAL_600, 1.0)),
    ('CLOSEGLYPH.BMP', lambda: caption_glyph(draw_close)),
    ('MAXIMIZEGLYPH.BMP', lambda: caption_glyph(draw_maximize)),
    ('RESTOREGLYPH.BMP', lambda: caption_glyph(draw_restore)),
    ('MINIMIZEGLYPH.BMP', lambda: caption_glyph(draw_minimize)),
    ('FIELDOUTLINEBLUE.BMP', field_outline),
    ('MDICAPTIONBUTTON.BMP', mdi_caption_button),
    ('CHECKBOX13.bmp', check_box),
    ('SCROLLSHAFTHORIZONTAL.BMP', lambda: scroll_shaft(False)),
    ('SCROLLARROWS.BMP', scroll_arrow_faces),
    ('SCROLLARROWGLYPHS.BMP', scroll_arrow_glyphs),
    ('SCROLLTHUMBGRIPPERHORIZONTAL.BMP', lambda: scroll_gripper(False)),
    ('SCROLLTHUMBHORIZONTAL.BMP', lambda: scroll_thumb(False)),
    ('SCROLLTHUMBVERTICAL.BMP', lambda: scroll_thumb(True)),
    ('SCROLLSHAFTVERTICAL.BMP', lambda: scroll_shaft(True)),
    ('SCROLLTHUMBGRIPPERVERTICAL.BMP', lambda: scroll_gripper(True)),
    ('BUTTON.bmp', push_button),
    ('TOOLBARBUTTONS.BMP', toolbar_buttons),
    ('HELPGLYPH.BMP', lambda: caption_glyph(draw_help)),
    ('GROUPBOX.BMP', group_box),
    ('PROGRESSTRACKVERT.BMP', progress_trough),
    ('PROGRESSCHUNK.BMP', lambda: progress_chunk(False)),
    ('PROGRESSCHUNKVERT.BMP', lambda: progress_chunk(True)),
    ('SLIDERTRACK.BMP', slider_track),
    ('TRACKBARHORIZONTAL.BMP', lambda: thumb_pill(11, 21)),
    ('COMBOBUTTON.BMP', combo_button),
    ('COMBOBUTTONGLYPH.BMP', combo_glyph),
    ('NORMALGROUPBACKGROUND.BMP', panel_background),
    ('NORMALGROUPHEAD.BMP', panel_head),
    ('NORMALGROUPCOLLAPSE.BMP', lambda: panel_roll_button(True)),
    ('NORMALGROUPEXPAND.BMP', lambda: panel_roll_button(False)),
    ('TABPANEEDGE.BMP', pane),
    ('TABITEM.BMP', tab_item),
    ('ROLlDOWNPGLYPH.bmp', lambda: caption_glyph(draw_roll_down)),
    ('ROLLUPGLYPH.bmp', lambda: caption_glyph(draw_roll_up)),
    ('TRAYGLYPH.bmp', lambda: caption_glyph(draw_tray)),
    ('MDIGLYPHCLOSE.BMP', lambda: mdi_glyph(draw_mdi_close)),
    ('MDIGLYPHMINIMIZE.BMP', lambda: mdi_glyph(draw_mdi_minimize)),
    ('MDIGLYPHRESTORE.BMP', lambda: mdi_glyph(draw_mdi_restore)),
    ('TRACKBARUP13.BMP', lambda: track_thumb(11, 21, pointer_points('up'))),
    ('TRACKBARDOWN13.BMP', lambda: track_thumb(11, 21, pointer_points('down'))),
    ('TOOLBARBACKGROUND.BMP', toolbar_background),
    ('TOOLBARGRIPPERVERT.BMP', toolbar_gripper),
    ('LISTVIEWHEADER.BMP', list_view_header),
    ('TRACKBARVERTICAL.BMP', lambda: thumb_pill(21, 11)),
    ('TRACKBARRIGHT13.BMP', lambda: track_thumb(21, 11, pointer_points('right'))),
    ('RADIOBUTTON13.bmp', radio_button),
    ('TRACKBARLEFT13.BMP', lambda: track_thumb(21, 11, pointer_points('left'))),
]


def main(arguments):
    if len(arguments) not in (2, 3):
        sys.stderr.write('usage: generate.py <output folder> [scale]\n')
        return 2
    folder = arguments[1]
    set_scale(int(arguments[2]) if len(arguments) == 3 else 1)
    os.makedirs(folder, exist_ok=True)
    for name, draw in BITMAPS:
        canvas = draw()
        write_bmp(os.path.join(folder, name), canvas.pixel_width, canvas.pixel_height, canvas.bgra_rows())
    return 0


if __name__ == '__main__':
    sys.exit(main(sys.argv))
