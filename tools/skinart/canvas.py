"""A small anti-aliasing RGBA canvas: shapes are filled by supersampling each pixel.

Coordinates are continuous: pixel (i, j) covers the square [i, i + 1) x [j, j + 1). Colours are
(r, g, b) or (r, g, b, a) with channels 0..255 and a straight (not premultiplied) alpha 0..1.

Drawings are made in design units; set_scale(2) renders every canvas made afterwards at twice the
resolution (each design unit two pixels wide), for screens of 200 % and more.
"""

import math

SUPERSAMPLE = 8  # samples per pixel along each axis (64 per pixel)
_OFFSETS = [(k + 0.5) / SUPERSAMPLE for k in range(SUPERSAMPLE)]
_scale = 1


def set_scale(scale):
    """Pixels per design unit of the canvases made from now on."""
    global _scale
    _scale = scale


def rgba(colour, alpha=1.0):
    if len(colour) == 4:
        return (colour[0], colour[1], colour[2], colour[3] * alpha)
    return (colour[0], colour[1], colour[2], alpha)


def mix(a, b, t):
    """Colour between a (t = 0) and b (t = 1)."""
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(len(a)))


class Shape:
    def bounds(self):
        raise NotImplementedError

    def contains(self, x, y):
        raise NotImplementedError

    def __sub__(self, other):
        return Difference(self, other)


class Rect(Shape):
    def __init__(self, x0, y0, x1, y1):
        self.box = (x0, y0, x1, y1)

    def bounds(self):
        return self.box

    def contains(self, x, y):
        x0, y0, x1, y1 = self.box
        return x0 <= x < x1 and y0 <= y < y1


class RoundRect(Shape):
    """Rectangle with corner radii (top-left, top-right, bottom-right, bottom-left)."""

    def __init__(self, x0, y0, x1, y1, radius):
        self.box = (x0, y0, x1, y1)
        self.radii = radius if isinstance(radius, tuple) else (radius,) * 4

    def bounds(self):
        return self.box

    def contains(self, x, y):
        x0, y0, x1, y1 = self.box
        if not (x0 <= x < x1 and y0 <= y < y1):
            return False
        tl, tr, br, bl = self.radii
        for r, cx, cy, inside in ((tl, x0 + tl, y0 + tl, x >= x0 + tl or y >= y0 + tl),
                                  (tr, x1 - tr, y0 + tr, x <= x1 - tr or y >= y0 + tr),
                                  (br, x1 - br, y1 - br, x <= x1 - br or y <= y1 - br),
                                  (bl, x0 + bl, y1 - bl, x >= x0 + bl or y <= y1 - bl)):
            if r > 0 and not inside and (x - cx) ** 2 + (y - cy) ** 2 > r * r:
                return False
        return True


class Circle(Shape):
    def __init__(self, cx, cy, r):
        self.cx, self.cy, self.r = cx, cy, r

    def bounds(self):
        return (self.cx - self.r, self.cy - self.r, self.cx + self.r, self.cy + self.r)

    def contains(self, x, y):
        return (x - self.cx) ** 2 + (y - self.cy) ** 2 <= self.r * self.r


class Polygon(Shape):
    """Filled polygon, even-odd rule."""

    def __init__(self, points):
        self.points = points

    def bounds(self):
        xs = [p[0] for p in self.points]
        ys = [p[1] for p in self.points]
        return (min(xs), min(ys), max(xs), max(ys))

    def contains(self, x, y):
        inside = False
        n = len(self.points)
        for i in range(n):
            xa, ya = self.points[i]
            xb, yb = self.points[(i + 1) % n]
            if (ya > y) != (yb > y) and x < xa + (y - ya) * (xb - xa) / (yb - ya):
                inside = not inside
        return inside


class Stroke(Shape):
    """A polyline drawn with a pen of the given width and round joins and caps."""

    def __init__(self, points, width):
        self.points = points
        self.half = width / 2.0

    def bounds(self):
        xs = [p[0] for p in self.points]
        ys = [p[1] for p in self.points]
        return (min(xs) - self.half, min(ys) - self.half, max(xs) + self.half, max(ys) + self.half)

    def contains(self, x, y):
        limit = self.half * self.half
        for (xa, ya), (xb, yb) in zip(self.points, self.points[1:]):
            dx, dy = xb - xa, yb - ya
            length = dx * dx + dy * dy
            t = 0.0 if length == 0 else max(0.0, min(1.0, ((x - xa) * dx + (y - ya) * dy) / length))
            px, py = xa + t * dx - x, ya + t * dy - y
            if px * px + py * py <= limit:
                return True
        return False


def arc_points(cx, cy, r, start_degrees, end_degrees, steps=24):
    """Points along a circular arc; angles grow clockwise on screen (y points down)."""
    result = []
    for k in range(steps + 1):
        angle = math.radians(start_degrees + (end_degrees - start_degrees) * k / steps)
        result.append((cx + r * math.cos(angle), cy + r * math.sin(angle)))
    return result


class Difference(Shape):
    def __init__(self, a, b):
        self.a, self.b = a, b

    def bounds(self):
        return self.a.bounds()

    def contains(self, x, y):
        return self.a.contains(x, y) and not self.b.contains(x, y)


def vertical_gradient(top_y, bottom_y, top_colour, bottom_colour):
    """A paint whose colour runs from top_colour at top_y to bottom_colour at bottom_y."""
    span = float(bottom_y - top_y) or 1.0

    def paint(x, y):
        return mix(rgba(top_colour), rgba(bottom_colour), max(0.0, min(1.0, (y - top_y) / span)))
    return paint


def horizontal_gradient(left_x, right_x, left_colour, right_colour):
    span = float(right_x - left_x) or 1.0

    def paint(x, y):
        return mix(rgba(left_colour), rgba(right_colour), max(0.0, min(1.0, (x - left_x) / span)))
    return paint


class Canvas:
    """width x height design units; pixel_width x pixel_height pixels at the scale it was made with."""

    def __init__(self, width, height):
        self.width, self.height = width, height
        self.scale = _scale
        self.pixel_width, self.pixel_height = width * self.scale, height * self.scale
        self.pixels = [[0.0, 0.0, 0.0, 0.0] for _ in range(self.pixel_width * self.pixel_height)]

    def coverage(self, shape, i, j):
        inside = 0
        for oy in _OFFSETS:
            for ox in _OFFSETS:
                if shape.contains((i + ox) / self.scale, (j + oy) / self.scale):
                    inside += 1
        return inside / (SUPERSAMPLE * SUPERSAMPLE)

    def _centre(self, i, j):
        return (i + 0.5) / self.scale, (j + 0.5) / self.scale

    def _pixel_range(self, shape):
        x0, y0, x1, y1 = (value * self.scale for value in shape.bounds())
        return (range(max(0, int(math.floor(x0))), min(self.pixel_width, int(math.ceil(x1)))),
                range(max(0, int(math.floor(y0))), min(self.pixel_height, int(math.ceil(y1)))))

    def fill(self, shape, paint, opacity=1.0):
        """Composites paint (a colour or a function of the pixel centre) over the shape's area."""
        columns, rows = self._pixel_range(shape)
        for j in rows:
            for i in columns:
                cover = self.coverage(shape, i, j)
                if cover == 0:
                    continue
                colour = paint(*self._centre(i, j)) if callable(paint) else rgba(paint)
                self._blend(i, j, colour, colour[3] * cover * opacity)

    def fill_hard(self, shape, paint):
        """Fills without anti-aliasing: a pixel is painted opaque when at least half of it is inside.

        Used for a window's outer silhouette, which becomes the window region and must not carry
        partial alpha there."""
        columns, rows = self._pixel_range(shape)
        for j in rows:
            for i in columns:
                if self.coverage(shape, i, j) >= 0.5:
                    colour = paint(*self._centre(i, j)) if callable(paint) else rgba(paint)
                    self.pixels[j * self.pixel_width + i] = [colour[0], colour[1], colour[2], 1.0]

    def _blend(self, i, j, colour, alpha):
        if alpha <= 0:
            return
        d = self.pixels[j * self.pixel_width + i]
        out_alpha = alpha + d[3] * (1.0 - alpha)
        for c in range(3):
            d[c] = (colour[c] * alpha + d[c] * d[3] * (1.0 - alpha)) / out_alpha
        d[3] = out_alpha

    def paste(self, other, x, y):
        """Copies another canvas's pixels (not composited) with its top-left at (x, y)."""
        x, y = x * self.scale, y * self.scale
        for j in range(other.pixel_height):
            for i in range(other.pixel_width):
                self.pixels[(y + j) * self.pixel_width + x + i] = list(other.pixels[j * other.pixel_width + i])

    def bgra_rows(self):
        """Rows top to bottom of (b, g, r, a) byte tuples; transparent pixels become 7F 00 7F 00."""
        rows = []
        for j in range(self.pixel_height):
            row = []
            for i in range(self.pixel_width):
                r, g, b, a = self.pixels[j * self.pixel_width + i]
                alpha = int(round(a * 255))
                if alpha == 0:
                    row.append((0x7F, 0x00, 0x7F, 0x00))
                else:
                    row.append((_byte(b), _byte(g), _byte(r), alpha))
            rows.append(row)
        return rows


def _byte(value):
    return max(0, min(255, int(round(value))))
