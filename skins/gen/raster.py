"""Small deterministic rasteriser for the skin bitmaps.

Shapes are drawn on a canvas sampled SS x SS times per pixel and box-filtered down, which gives
anti-aliased edges without any imaging library. Only +, -, *, / and sqrt are used on floats, so
the same input gives the same bytes on every IEEE machine.

A canvas sample is empty, "backdrop" or "content". Backdrop is what the engine paints under the
image at run time (the title gradient under a caption button, the button face under a check box);
it is drawn only so that edge pixels are blended against the right colour. When an image is
reduced with keyed=True, pixels that hold no content at all become magenta (the transparent key),
so the engine shows its own background there.
"""

import math

SS = 4                      # samples per pixel along each axis
MAGENTA = (255, 0, 255)     # the transparent key colour of every skin image

EMPTY, BACKDROP, CONTENT = 0, 1, 2


# ---------------------------------------------------------------- colours

def mix(a, b, t):
    """Colour a moved toward b by t (0..1)."""
    return (a[0] + (b[0] - a[0]) * t, a[1] + (b[1] - a[1]) * t, a[2] + (b[2] - a[2]) * t)


def rgb(hexcode):
    return ((hexcode >> 16) & 255, (hexcode >> 8) & 255, hexcode & 255)


def vgrad(top, bottom, y0, y1):
    """Colour function: a vertical gradient from top (at y0) to bottom (at y1)."""
    span = float(y1 - y0) or 1.0

    def colour(x, y):
        t = (y - y0) / span
        t = 0.0 if t < 0 else 1.0 if t > 1 else t
        return mix(top, bottom, t)
    return colour


def hgrad(left, right, x0, x1):
    span = float(x1 - x0) or 1.0

    def colour(x, y):
        t = (x - x0) / span
        t = 0.0 if t < 0 else 1.0 if t > 1 else t
        return mix(left, right, t)
    return colour


# ---------------------------------------------------------------- shapes
# Every shape answers inside(x, y) for a point in pixel units and has a bounding box.

class Shape:
    bbox = (0.0, 0.0, 0.0, 0.0)

    def inside(self, x, y):
        raise NotImplementedError

    def __sub__(self, other):
        return Diff(self, other)

    def __or__(self, other):
        return Union(self, other)

    def __and__(self, other):
        return Intersect(self, other)


class Rect(Shape):
    def __init__(self, x0, y0, x1, y1):
        self.bbox = (x0, y0, x1, y1)

    def inside(self, x, y):
        b = self.bbox
        return b[0] <= x < b[2] and b[1] <= y < b[3]


class RoundRect(Shape):
    """Rectangle with per-corner radii (top-left, top-right, bottom-right, bottom-left)."""

    def __init__(self, x0, y0, x1, y1, r, radii=None):
        self.bbox = (x0, y0, x1, y1)
        self.radii = radii if radii is not None else (r, r, r, r)

    def inside(self, x, y):
        x0, y0, x1, y1 = self.bbox
        if not (x0 <= x < x1 and y0 <= y < y1):
            return False
        tl, tr, br, bl = self.radii
        for r, cx, cy, in_corner in (
                (tl, x0 + tl, y0 + tl, x < x0 + tl and y < y0 + tl),
                (tr, x1 - tr, y0 + tr, x > x1 - tr and y < y0 + tr),
                (br, x1 - br, y1 - br, x > x1 - br and y > y1 - br),
                (bl, x0 + bl, y1 - bl, x < x0 + bl and y > y1 - bl)):
            if r > 0 and in_corner:
                dx, dy = x - cx, y - cy
                return dx * dx + dy * dy <= r * r
        return True


class Circle(Shape):
    def __init__(self, cx, cy, r):
        self.c = (cx, cy, r)
        self.bbox = (cx - r, cy - r, cx + r, cy + r)

    def inside(self, x, y):
        cx, cy, r = self.c
        dx, dy = x - cx, y - cy
        return dx * dx + dy * dy <= r * r


class Stroke(Shape):
    """A polyline of the given width with round joins and caps."""

    def __init__(self, points, width):
        self.points = points
        self.h = width / 2.0
        xs = [p[0] for p in points]
        ys = [p[1] for p in points]
        self.bbox = (min(xs) - self.h, min(ys) - self.h, max(xs) + self.h, max(ys) + self.h)

    def inside(self, x, y):
        h2 = self.h * self.h
        pts = self.points
        for i in range(len(pts) - 1):
            ax, ay = pts[i]
            bx, by = pts[i + 1]
            vx, vy = bx - ax, by - ay
            ll = vx * vx + vy * vy
            t = ((x - ax) * vx + (y - ay) * vy) / ll if ll else 0.0
            t = 0.0 if t < 0 else 1.0 if t > 1 else t
            dx, dy = x - (ax + vx * t), y - (ay + vy * t)
            if dx * dx + dy * dy <= h2:
                return True
        return False


class Polygon(Shape):
    def __init__(self, points):
        self.points = points
        xs = [p[0] for p in points]
        ys = [p[1] for p in points]
        self.bbox = (min(xs), min(ys), max(xs), max(ys))

    def inside(self, x, y):
        pts = self.points
        odd = False
        j = len(pts) - 1
        for i in range(len(pts)):
            xi, yi = pts[i]
            xj, yj = pts[j]
            if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
                odd = not odd
            j = i
        return odd


class Diff(Shape):
    def __init__(self, a, b):
        self.a, self.b = a, b
        self.bbox = a.bbox

    def inside(self, x, y):
        return self.a.inside(x, y) and not self.b.inside(x, y)


class Union(Shape):
    def __init__(self, a, b):
        self.a, self.b = a, b
        self.bbox = (min(a.bbox[0], b.bbox[0]), min(a.bbox[1], b.bbox[1]),
                     max(a.bbox[2], b.bbox[2]), max(a.bbox[3], b.bbox[3]))

    def inside(self, x, y):
        return self.a.inside(x, y) or self.b.inside(x, y)


class Intersect(Shape):
    def __init__(self, a, b):
        self.a, self.b = a, b
        self.bbox = (max(a.bbox[0], b.bbox[0]), max(a.bbox[1], b.bbox[1]),
                     min(a.bbox[2], b.bbox[2]), min(a.bbox[3], b.bbox[3]))

    def inside(self, x, y):
        return self.a.inside(x, y) and self.b.inside(x, y)


def ring(outer, inner):
    """The band between two shapes, e.g. a 1-pixel outline."""
    return Diff(outer, inner)


# ---------------------------------------------------------------- canvas

class Canvas:
    """A supersampled drawing surface of w x h pixels."""

    def __init__(self, w, h):
        self.w, self.h = w, h
        self.sw, self.sh = w * SS, h * SS
        self.col = [None] * (self.sw * self.sh)
        self.kind = bytearray(self.sw * self.sh)

    def paint(self, shape, colour, alpha=1.0, kind=CONTENT):
        """Fill the shape. colour is an (r, g, b) tuple or a function of (x, y); with alpha < 1
        it is blended over what is already there."""
        x0, y0, x1, y1 = shape.bbox
        i0 = max(0, int(math.floor(x0 * SS)))
        i1 = min(self.sw, int(math.ceil(x1 * SS)) + 1)
        j0 = max(0, int(math.floor(y0 * SS)))
        j1 = min(self.sh, int(math.ceil(y1 * SS)) + 1)
        fn = colour if callable(colour) else None
        inside = shape.inside
        for j in range(j0, j1):
            y = (j + 0.5) / SS
            row = j * self.sw
            for i in range(i0, i1):
                x = (i + 0.5) / SS
                if not inside(x, y):
                    continue
                c = fn(x, y) if fn else colour
                k = row + i
                if alpha < 1.0 and self.col[k] is not None:
                    c = mix(self.col[k], c, alpha)
                self.col[k] = c
                if kind > self.kind[k] or alpha >= 1.0:
                    self.kind[k] = kind

    def fill(self, colour, kind=CONTENT):
        self.paint(Rect(0, 0, self.w, self.h), colour, kind=kind)

    def backdrop(self, colour):
        """Paint what the engine will have under the image (for edge blending only)."""
        self.paint(Rect(0, 0, self.w, self.h), colour, kind=BACKDROP)

    def reduce(self, keyed=False):
        """Box-filter down to an Image. Pixels less than half covered become magenta; with
        keyed=True so do pixels without any content sample."""
        out = Image(self.w, self.h)
        n = SS * SS
        half = n / 2.0
        for py in range(self.h):
            for px in range(self.w):
                r = g = b = 0.0
                filled = content = 0
                for sy in range(SS):
                    base = (py * SS + sy) * self.sw + px * SS
                    for sx in range(SS):
                        k = base + sx
                        c = self.col[k]
                        if c is None:
                            continue
                        filled += 1
                        if self.kind[k] == CONTENT:
                            content += 1
                        r += c[0]
                        g += c[1]
                        b += c[2]
                if filled < half or (keyed and content == 0):
                    out.put(px, py, MAGENTA)
                else:
                    out.set(px, py, (r / filled, g / filled, b / filled))
        return out


# ---------------------------------------------------------------- images

def _clamp8(v):
    v = int(v + 0.5)
    return 0 if v < 0 else 255 if v > 255 else v


class Image:
    """A plain 24-bit image, rows top to bottom."""

    def __init__(self, w, h, fill=MAGENTA):
        self.w, self.h = w, h
        self.px = [tuple(fill)] * (w * h)

    def get(self, x, y):
        return self.px[y * self.w + x]

    def set(self, x, y, c):
        c = (_clamp8(c[0]), _clamp8(c[1]), _clamp8(c[2]))
        # A drawn colour must never hit the key (or its tolerance) by accident, or it would
        # punch a hole; put() is the way to store the key itself.
        if c[0] >= 254 and c[1] <= 1 and c[2] >= 254:
            c = (c[0], 2, c[2])
        self.px[y * self.w + x] = c

    def put(self, x, y, c):
        """Store a colour as given (the key included)."""
        self.px[y * self.w + x] = tuple(c)

    def crop(self, x, y, w, h):
        out = Image(w, h)
        for j in range(h):
            out.px[j * w:(j + 1) * w] = self.px[(y + j) * self.w + x:(y + j) * self.w + x + w]
        return out

    def blit(self, src, x, y, keyed=False):
        for j in range(src.h):
            ty = y + j
            if not 0 <= ty < self.h:
                continue
            for i in range(src.w):
                tx = x + i
                if not 0 <= tx < self.w:
                    continue
                c = src.px[j * src.w + i]
                if keyed and c == MAGENTA:
                    continue
                self.px[ty * self.w + tx] = c

    def mirrored(self):
        out = Image(self.w, self.h)
        for j in range(self.h):
            row = self.px[j * self.w:(j + 1) * self.w]
            out.px[j * self.w:(j + 1) * self.w] = row[::-1]
        return out

    def flipped(self):
        out = Image(self.w, self.h)
        for j in range(self.h):
            out.px[j * self.w:(j + 1) * self.w] = self.px[(self.h - 1 - j) * self.w:(self.h - j) * self.w]
        return out

    def transposed(self):
        out = Image(self.h, self.w)
        for j in range(self.h):
            for i in range(self.w):
                out.px[i * self.h + j] = self.px[j * self.w + i]
        return out


def hstrip(frames):
    """Frames side by side (the default frame layout of skin images)."""
    h = frames[0].h
    out = Image(sum(f.w for f in frames), h)
    x = 0
    for f in frames:
        assert f.h == h, "frames of one strip must share their height"
        out.blit(f, x, 0)
        x += f.w
    return out


def vstrip(frames):
    """Frames one above the other (title, menu bar and the top/bottom borders)."""
    w = frames[0].w
    out = Image(w, sum(f.h for f in frames))
    y = 0
    for f in frames:
        assert f.w == w, "frames of one strip must share their width"
        out.blit(f, 0, y)
        y += f.h
    return out
