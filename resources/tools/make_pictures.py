#!/usr/bin/env python3
"""Draws the game's pictures into resources/pictures/.

Pure standard library on purpose, so anyone can remake the files without
installing anything. Not run at build time; run it by hand after a change:

    python3 resources/tools/make_pictures.py [number ...]

With numbers (168 ... 178) it remakes only those; all of them take a few
minutes. Every picture is rendered with 4x4 supersampling: each sub-sample
is painted bottom-up through a list of layers, then the sub-samples are
averaged. Each is drawn at 1x, 2x and 3x ("168.png", "168@2x.png",
"168@3x.png") from the same shapes, for screens of higher pixel density.
Pure white (#FFFFFF) is the "transparent" colour for the suits and the
logo, so those never put pure white inside a drawn shape.
"""

import math
import os
import struct
import sys
import zlib

SUPER = 4
WHITE = (255, 255, 255)


# --- PNG output -------------------------------------------------------------

def write_png(path, width, height, rows):
    """rows: list of rows, each a list of (r, g, b)."""
    raw = bytearray()
    for row in rows:
        raw.append(0)  # filter type none
        for r, g, b in row:
            raw += bytes((r, g, b))

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    png = b"\x89PNG\r\n\x1a\n"
    png += chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
    png += chunk(b"IDAT", zlib.compress(bytes(raw), 9))
    png += chunk(b"IEND", b"")
    with open(path, "wb") as f:
        f.write(png)


# --- shapes -----------------------------------------------------------------
# Each shape answers contains(x, y) and has a bounding box (x0, y0, x1, y1)
# used to skip work. Coordinates are in pixels, y pointing down.

class Shape:
    bbox = (-1e9, -1e9, 1e9, 1e9)

    def hit(self, x, y):
        b = self.bbox
        return b[0] <= x <= b[2] and b[1] <= y <= b[3] and self.contains(x, y)


class Circle(Shape):
    def __init__(self, cx, cy, r):
        self.cx, self.cy, self.r2 = cx, cy, r * r
        self.bbox = (cx - r, cy - r, cx + r, cy + r)

    def contains(self, x, y):
        dx, dy = x - self.cx, y - self.cy
        return dx * dx + dy * dy <= self.r2


class Ellipse(Shape):
    def __init__(self, cx, cy, rx, ry):
        self.cx, self.cy, self.rx, self.ry = cx, cy, rx, ry
        self.bbox = (cx - rx, cy - ry, cx + rx, cy + ry)

    def contains(self, x, y):
        dx, dy = (x - self.cx) / self.rx, (y - self.cy) / self.ry
        return dx * dx + dy * dy <= 1.0


class Polygon(Shape):
    def __init__(self, points):
        self.pts = list(points)
        xs = [p[0] for p in self.pts]
        ys = [p[1] for p in self.pts]
        self.bbox = (min(xs), min(ys), max(xs), max(ys))

    def contains(self, x, y):
        inside = False
        pts = self.pts
        j = len(pts) - 1
        for i in range(len(pts)):
            xi, yi = pts[i]
            xj, yj = pts[j]
            if (yi > y) != (yj > y):
                if x < (xj - xi) * (y - yi) / (yj - yi) + xi:
                    inside = not inside
            j = i
        return inside


class RoundRect(Shape):
    def __init__(self, x0, y0, x1, y1, r):
        self.x0, self.y0, self.x1, self.y1, self.r = x0, y0, x1, y1, r
        self.bbox = (x0, y0, x1, y1)

    def contains(self, x, y):
        if not (self.x0 <= x <= self.x1 and self.y0 <= y <= self.y1):
            return False
        r = self.r
        cx = min(max(x, self.x0 + r), self.x1 - r)
        cy = min(max(y, self.y0 + r), self.y1 - r)
        dx, dy = x - cx, y - cy
        return dx * dx + dy * dy <= r * r


class Capsule(Shape):
    """A thick line with round ends."""

    def __init__(self, ax, ay, bx, by, r):
        self.a = (ax, ay)
        self.d = (bx - ax, by - ay)
        self.len2 = self.d[0] ** 2 + self.d[1] ** 2
        self.r2 = r * r
        self.bbox = (min(ax, bx) - r, min(ay, by) - r, max(ax, bx) + r, max(ay, by) + r)

    def contains(self, x, y):
        px, py = x - self.a[0], y - self.a[1]
        t = 0.0
        if self.len2 > 0:
            t = max(0.0, min(1.0, (px * self.d[0] + py * self.d[1]) / self.len2))
        dx, dy = px - t * self.d[0], py - t * self.d[1]
        return dx * dx + dy * dy <= self.r2


class Union(Shape):
    def __init__(self, *parts):
        self.parts = parts
        bs = [p.bbox for p in parts]
        self.bbox = (min(b[0] for b in bs), min(b[1] for b in bs),
                     max(b[2] for b in bs), max(b[3] for b in bs))

    def contains(self, x, y):
        return any(p.hit(x, y) for p in self.parts)


class Diff(Shape):
    def __init__(self, keep, cut):
        self.keep, self.cut = keep, cut
        self.bbox = keep.bbox

    def contains(self, x, y):
        return self.keep.hit(x, y) and not self.cut.hit(x, y)


class Placed(Shape):
    """A shape drawn in its own coordinates, then scaled, rotated (degrees)
    and moved to (tx, ty)."""

    def __init__(self, shape, scale=1.0, angle=0.0, tx=0.0, ty=0.0):
        self.shape = shape
        self.s = scale
        a = math.radians(angle)
        self.c, self.sn = math.cos(a), math.sin(a)
        self.tx, self.ty = tx, ty
        b = shape.bbox
        corners = [self.forward(px, py) for px in (b[0], b[2]) for py in (b[1], b[3])]
        self.bbox = (min(p[0] for p in corners), min(p[1] for p in corners),
                     max(p[0] for p in corners), max(p[1] for p in corners))

    def forward(self, x, y):
        x, y = x * self.s, y * self.s
        return (x * self.c - y * self.sn + self.tx, x * self.sn + y * self.c + self.ty)

    def to_local(self, x, y):
        x, y = x - self.tx, y - self.ty
        return ((x * self.c + y * self.sn) / self.s, (-x * self.sn + y * self.c) / self.s)

    def contains(self, x, y):
        lx, ly = self.to_local(x, y)
        return self.shape.hit(lx, ly)


def regular_polygon(cx, cy, radius, sides, start_deg):
    return Polygon([(cx + radius * math.cos(math.radians(start_deg + 360.0 * k / sides)),
                     cy + radius * math.sin(math.radians(start_deg + 360.0 * k / sides)))
                    for k in range(sides)])


def quad_curve(p0, ctrl, p1, steps=12):
    pts = []
    for i in range(steps + 1):
        t = i / steps
        u = 1 - t
        pts.append((u * u * p0[0] + 2 * u * t * ctrl[0] + t * t * p1[0],
                    u * u * p0[1] + 2 * u * t * ctrl[1] + t * t * p1[1]))
    return pts


def outer_tangent(cx, cy, r, px, py, side):
    """Tangent point on a circle seen from (px, py); side -1 = left, +1 = right."""
    dx, dy = cx - px, cy - py
    d = math.hypot(dx, dy)
    a = math.atan2(dy, dx)
    b = math.asin(r / d)
    t = math.sqrt(d * d - r * r)
    cands = [(px + t * math.cos(a + s * b), py + t * math.sin(a + s * b)) for s in (-1, 1)]
    return min(cands, key=lambda p: p[0]) if side < 0 else max(cands, key=lambda p: p[0])


# --- suit symbols, drawn in a box of about [-1, 1] x [-1, 1] ---------------

def heart_shape():
    r = 0.52
    cl, cr = (-0.49, -0.38), (0.49, -0.38)
    tip = (0.0, 0.98)
    tl = outer_tangent(cl[0], cl[1], r, tip[0], tip[1], -1)
    tr = outer_tangent(cr[0], cr[1], r, tip[0], tip[1], +1)
    body = Polygon([tl, cl, cr, tr, tip])
    return Union(Circle(cl[0], cl[1], r), Circle(cr[0], cr[1], r), body)


def diamond_shape():
    top, right, bottom, left = (0, -1.0), (0.84, 0), (0, 1.0), (-0.84, 0)
    bow = 0.08  # slightly hollow sides look less like a plain rhombus
    pts = []
    for a, b in ((top, right), (right, bottom), (bottom, left), (left, top)):
        mx, my = (a[0] + b[0]) / 2, (a[1] + b[1]) / 2
        pts += quad_curve(a, (mx * (1 - bow * 2), my * (1 - bow * 2)), b)[:-1]
    return Polygon(pts)


def stem_shape(top_y, half_top, half_base, bend=0.7):
    """Flared stem with hollow sides, reaching down to y = 1. The flare must
    be a good pixel tall or it vanishes at 16x16."""
    left = quad_curve((-half_top, top_y), (-half_top, bend), (-half_base, 1.0))
    right = quad_curve((half_base, 1.0), (half_top, bend), (half_top, top_y))
    return Polygon(left + right)


def spade_shape():
    r = 0.47
    cl, cr = (-0.45, 0.18), (0.45, 0.18)
    tip = (0.0, -1.0)
    tl = outer_tangent(cl[0], cl[1], r, tip[0], tip[1], -1)
    tr = outer_tangent(cr[0], cr[1], r, tip[0], tip[1], +1)
    body = Polygon([tip, tr, cr, cl, tl])
    return Union(Circle(cl[0], cl[1], r), Circle(cr[0], cr[1], r), body,
                 stem_shape(0.3, 0.1, 0.4))


def club_shape():
    r = 0.37
    return Union(Circle(0.0, -0.6, r), Circle(-0.56, 0.08, r), Circle(0.56, 0.08, r),
                 Circle(0.0, -0.08, 0.3),
                 stem_shape(0.0, 0.1, 0.42, 0.6))


# shape, colour, size that gives them equal weight at 16x16, and a nudge
# that puts the flat foot of a stem exactly on a pixel edge (else it blurs)
SUITS = {
    "clubs": (club_shape, (22, 22, 22), 6.2, -0.2),
    "diamonds": (diamond_shape, (208, 16, 16), 6.4, 0.0),
    "hearts": (heart_shape, (208, 16, 16), 5.7, 0.0),
    "spades": (spade_shape, (22, 22, 22), 6.2, -0.2),
}


# --- renderer ---------------------------------------------------------------

def blend(dst, src, alpha):
    return (dst[0] + (src[0] - dst[0]) * alpha,
            dst[1] + (src[1] - dst[1]) * alpha,
            dst[2] + (src[2] - dst[2]) * alpha)


def render(width, height, layers, background=WHITE, keep_white=False, hard=False, scale=1):
    """layers: list of (shape, paint) or (shape, paint, alpha); paint is an
    (r, g, b) tuple or a function (x, y) -> (r, g, b).

    keep_white=False nudges drawn pixels that would round to pure white to
    #FEFEFE, so only untouched background stays transparent.
    hard=True gives a two-colour picture (for masks): a pixel counts as
    covered if any sub-sample is covered.
    scale: pixels per unit; the picture is width * scale pixels wide."""
    rows = []
    n = SUPER * SUPER
    offs = [(i + 0.5) / SUPER for i in range(SUPER)]
    step = 1.0 / scale
    prepared = []
    for layer in layers:
        shape, paint = layer[0], layer[1]
        alpha = layer[2] if len(layer) > 2 else 1.0
        prepared.append((shape, paint, alpha, callable(paint)))
    for py in range(height * scale):
        row = []
        top = py / scale
        for px in range(width * scale):
            left = px / scale
            # Layers whose box touches this pixel.
            active = [l for l in prepared
                      if l[0].bbox[0] <= left + step and l[0].bbox[2] >= left
                      and l[0].bbox[1] <= top + step and l[0].bbox[3] >= top]
            acc = [0.0, 0.0, 0.0]
            touched = False
            for oy in offs:
                y = (py + oy) / scale
                for ox in offs:
                    x = (px + ox) / scale
                    col = background
                    for shape, paint, alpha, fn in active:
                        if shape.hit(x, y):
                            touched = True
                            c = paint(x, y) if fn else paint
                            col = c if alpha >= 1.0 else blend(col, c, alpha)
                    acc[0] += col[0]
                    acc[1] += col[1]
                    acc[2] += col[2]
            if hard:
                row.append((0, 0, 0) if touched else WHITE)
                continue
            pix = tuple(max(0, min(255, int(round(v / n)))) for v in acc)
            if touched and not keep_white and pix == WHITE:
                pix = (254, 254, 254)
            row.append(pix)
        rows.append(row)
    return rows


def linear(c0, c1, y0, y1):
    """Vertical gradient."""
    def paint(x, y):
        t = max(0.0, min(1.0, (y - y0) / (y1 - y0)))
        return blend(c0, c1, t)
    return paint


def radial(c0, c1, cx, cy, r):
    def paint(x, y):
        t = max(0.0, min(1.0, math.hypot(x - cx, y - cy) / r))
        return blend(c0, c1, t)
    return paint


# --- the pictures -----------------------------------------------------------

def suit_picture(name, scale):
    make, colour, size, nudge = SUITS[name]
    # at most about 13 px, centred on the 16x16 grid
    return render(16, 16, [(Placed(make(), scale=size, tx=8.0, ty=8.0 + nudge), colour)], scale=scale)


def card_picture(scale):
    w, h = 25, 34
    return render(w, h, [
        (RoundRect(0, 0, w, h, 3.0), (85, 85, 85)),
        (RoundRect(1, 1, w - 1, h - 1, 2.0), WHITE),
    ], background=(200, 200, 200), keep_white=True, scale=scale)


def ace_letter(x, y, size, thick):
    """An 'A' built from three strokes; (x, y) is its top centre."""
    half = size * 0.42
    return Union(Capsule(x, y, x - half, y + size, thick),
                 Capsule(x, y, x + half, y + size, thick),
                 Capsule(x - half * 0.52, y + size * 0.62, x + half * 0.52, y + size * 0.62, thick * 0.85))


def logo_picture(scale):
    w, h = 133, 125
    fx, fy, frx, fry = 66.5, 63.0, 64.0, 58.5
    layers = [
        (Ellipse(fx, fy, frx, fry), (20, 78, 36)),
        (Ellipse(fx, fy, frx - 1.6, fry - 1.6), radial((74, 164, 88), (28, 102, 46), fx - 6, fy - 14, 74.0)),
        # faint lighter rim so the felt reads as a table edge
        (Diff(Ellipse(fx, fy, frx - 1.6, fry - 1.6), Ellipse(fx, fy, frx - 5.0, fry - 5.0)),
         (150, 210, 150), 0.25),
    ]

    card_w, card_h = 42.0, 59.0
    pivot = (66.5, 110.0)
    dist = 52.0
    order = ["hearts", "clubs", "diamonds", "spades"]
    angles = [-34.0, -11.5, 11.5, 34.0]
    for name, ang in zip(order, angles):
        make, colour = SUITS[name][:2]
        a = math.radians(ang)
        cx = pivot[0] + dist * math.sin(a)
        cy = pivot[1] - dist * math.cos(a)

        def place(shape, _cx=cx, _cy=cy, _ang=ang):
            return Placed(shape, 1.0, _ang, _cx, _cy)

        hw, hh = card_w / 2, card_h / 2
        # soft shadow, then border, then face
        layers.append((Placed(RoundRect(-hw, -hh, hw, hh, 4.5), 1.0, ang, cx + 1.6, cy + 2.0),
                       (0, 30, 0), 0.30))
        layers.append((place(RoundRect(-hw, -hh, hw, hh, 4.5)), (60, 60, 66)))
        layers.append((place(RoundRect(-hw + 1.1, -hh + 1.1, hw - 1.1, hh - 1.1, 3.5)),
                       linear((253, 253, 250), (236, 236, 230), -hh, hh)))
        # corner index: an 'A' with a small suit under it
        layers.append((place(ace_letter(-hw + 7.2, -hh + 3.8, 8.6, 1.1)), colour))
        layers.append((place(Placed(make(), 3.0, 0, -hw + 7.2, -hh + 18.6)), colour))
        # big pip in the middle
        layers.append((place(Placed(make(), 9.5, 0, 1.5, 2.0)), colour))
    return render(w, h, layers, scale=scale)


ICON = 128
ICON_C = 64.0
ICON_R = 60.0  # shared silhouette of 'note' and 'win'


def note_picture(scale):
    c, r = ICON_C, ICON_R
    layers = [
        (Circle(c, c, r), (24, 62, 120)),
        (Circle(c, c, r - 2.5), radial((110, 175, 240), (36, 96, 180), c - 18, c - 22, 92.0)),
        # glossy highlight across the top
        (Diff(Ellipse(c, c - 26, 44, 28), Circle(c, c + 70, 82)), (255, 255, 255), 0.22),
        # the 'i': a dot and a rounded bar with a small foot
        (Circle(c + 1.5, 36 + 1.5, 9.5), (14, 48, 100), 0.35),
        (Circle(c, 36, 9.5), (250, 252, 255)),
        (RoundRect(c - 9 + 1.5, 52 + 1.5, c + 9 + 1.5, 98 + 1.5, 5), (14, 48, 100), 0.35),
        (RoundRect(c - 9, 52, c + 9, 98, 5), (250, 252, 255)),
    ]
    return render(ICON, ICON, layers, keep_white=True, scale=scale)


def star_points(cx, cy, outer, inner, n=5, start=-90.0):
    pts = []
    for k in range(2 * n):
        rad = outer if k % 2 == 0 else inner
        a = math.radians(start + 180.0 * k / n)
        pts.append((cx + rad * math.cos(a), cy + rad * math.sin(a)))
    return pts


def win_picture(scale):
    c, r = ICON_C, ICON_R
    layers = [
        (Circle(c, c, r), (128, 84, 6)),
        (Circle(c, c, r - 2.5), radial((255, 226, 120), (206, 142, 24), c - 20, c - 24, 95.0)),
        (Circle(c, c, r - 10), (170, 112, 14)),
        (Circle(c, c, r - 12), radial((250, 206, 84), (214, 150, 30), c + 10, c + 14, 80.0)),
    ]
    # a bevelled star: each facet lit according to where it faces
    cx, cy = c, c + 2.5
    pts = star_points(cx, cy, 38.0, 16.0)
    light = (-0.6, -0.8)
    layers.append((Polygon(star_points(cx + 1.8, cy + 2.2, 38.0, 16.0)), (120, 76, 0), 0.35))
    layers.append((Polygon(star_points(cx, cy, 40.0, 17.2)), (150, 92, 4)))
    for k in range(10):
        p, q = pts[k], pts[(k + 1) % 10]
        mx, my = (p[0] + q[0] + cx) / 3 - cx, (p[1] + q[1] + cy) / 3 - cy
        ln = math.hypot(mx, my)
        shade = (mx * light[0] + my * light[1]) / ln  # -1 .. 1
        t = (shade + 1) / 2
        col = blend((218, 140, 10), (255, 246, 170), t)
        layers.append((Polygon([(cx, cy), p, q]), col))
    # two small sparkles
    for sx, sy, s in ((34, 34, 7.0), (96, 90, 5.0)):
        layers.append((Polygon(star_points(sx, sy, s, s * 0.25, n=4)), (255, 252, 228)))
    return render(ICON, ICON, layers, keep_white=True, scale=scale)


def silhouette_mask(scale):
    return render(ICON, ICON, [(Circle(ICON_C, ICON_C, ICON_R), (0, 0, 0))], hard=True, scale=scale)


def octagon(r):
    # flat top and bottom
    return regular_polygon(ICON_C, ICON_C, r, 8, 22.5)


STOP_R = 65.0  # flat-to-flat about 120 px


def stop_picture(scale):
    layers = [
        (octagon(STOP_R), (110, 8, 8)),
        (octagon(STOP_R - 2.2), (250, 248, 248)),
        (octagon(STOP_R - 7.0), linear((236, 54, 44), (176, 14, 14), 8, 120)),
        (Diff(octagon(STOP_R - 9.0), Circle(ICON_C, ICON_C + 86, 104)), (255, 255, 255), 0.14),
        (RoundRect(27 + 1.5, 54 + 2, 101 + 1.5, 74 + 2, 4), (90, 0, 0), 0.35),
        (RoundRect(27, 54, 101, 74, 4), (252, 250, 250)),
    ]
    return render(ICON, ICON, layers, keep_white=True, scale=scale)


def stop_mask(scale):
    return render(ICON, ICON, [(octagon(STOP_R), (0, 0, 0))], hard=True, scale=scale)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out = os.path.join(here, "..", "pictures")
    os.makedirs(out, exist_ok=True)
    jobs = [
        (168, lambda scale: suit_picture("clubs", scale)),
        (169, lambda scale: suit_picture("diamonds", scale)),
        (170, lambda scale: suit_picture("hearts", scale)),
        (171, lambda scale: suit_picture("spades", scale)),
        (172, card_picture),
        (173, logo_picture),
        (174, note_picture),
        (175, silhouette_mask),
        (176, stop_picture),
        (177, stop_mask),
        (178, win_picture),
    ]
    only = {int(a) for a in sys.argv[1:]}
    for number, make in jobs:
        if only and number not in only:
            continue
        for scale in (1, 2, 3):
            rows = make(scale)
            name = "%d.png" % number if scale == 1 else "%d@%dx.png" % (number, scale)
            path = os.path.join(out, name)
            write_png(path, len(rows[0]), len(rows), rows)
            print("%s %dx%d" % (os.path.relpath(path), len(rows[0]), len(rows)))


if __name__ == "__main__":
    main()
