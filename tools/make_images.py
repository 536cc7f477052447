#!/usr/bin/env python3
"""Draws Tevanor's pictures and writes them to res/images as .bmp and .ico files.

The build uses the committed files; run this script only to change a picture:
    python3 tools/make_images.py
Only the Python standard library is used. Shapes and letters are drawn as anti-aliased
strokes and fills: every pixel takes the coverage of each shape from its distance to it.
"""

import math
import os
import struct

OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "res", "images")

# ---------------------------------------------------------------------------------------------
# Canvas


class Canvas:
    def __init__(self, width, height, colour):
        self.width = width
        self.height = height
        self.pixels = [[tuple(colour) + (255,) for _ in range(width)] for _ in range(height)]

    def blend(self, x, y, colour, coverage):
        if coverage <= 0 or not (0 <= x < self.width and 0 <= y < self.height):
            return
        coverage = min(coverage, 1.0)
        r, g, b, a = self.pixels[y][x]
        cr, cg, cb = colour
        out_a = coverage + (a / 255) * (1 - coverage)
        if out_a <= 0:
            return
        mix = lambda c, d: (c * coverage + d * (a / 255) * (1 - coverage)) / out_a
        self.pixels[y][x] = (round(mix(cr, r)), round(mix(cg, g)), round(mix(cb, b)),
                             round(out_a * 255))

    def paint(self, colour_at, coverage_at, box=None):
        """Paints colour_at(x, y) wherever coverage_at(px, py) > 0 (pixel centres)."""
        x0, y0, x1, y1 = box or (0, 0, self.width, self.height)
        for y in range(max(0, int(y0)), min(self.height, int(math.ceil(y1)))):
            for x in range(max(0, int(x0)), min(self.width, int(math.ceil(x1)))):
                c = coverage_at(x + 0.5, y + 0.5)
                if c > 0:
                    self.blend(x, y, colour_at(x, y), c)


def edge(distance):
    """Coverage of a pixel whose centre lies `distance` inside (positive) a shape's edge."""
    return max(0.0, min(1.0, distance + 0.5))


def solid(colour):
    return lambda x, y: colour


def vertical_gradient(top, bottom, y0, y1):
    def colour(x, y):
        t = max(0.0, min(1.0, (y - y0) / max(1, y1 - y0)))
        return tuple(round(a + (b - a) * t) for a, b in zip(top, bottom))
    return colour


def rounded_rect(x0, y0, x1, y1, radius):
    def coverage(px, py):
        qx = abs(px - (x0 + x1) / 2) - ((x1 - x0) / 2 - radius)
        qy = abs(py - (y0 + y1) / 2) - ((y1 - y0) / 2 - radius)
        outside = math.hypot(max(qx, 0), max(qy, 0)) + min(max(qx, qy), 0) - radius
        return edge(-outside)
    return coverage


def polygon(points):
    def coverage(px, py):
        inside = False
        best = float("inf")
        n = len(points)
        for i in range(n):
            (ax, ay), (bx, by) = points[i], points[(i + 1) % n]
            if (ay > py) != (by > py) and px < ax + (py - ay) * (bx - ax) / (by - ay):
                inside = not inside
            best = min(best, segment_distance(px, py, ax, ay, bx, by))
        return edge(best if inside else -best)
    return coverage


def circle(cx, cy, r):
    return lambda px, py: edge(r - math.hypot(px - cx, py - cy))


def segment_distance(px, py, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    length = dx * dx + dy * dy
    t = 0.0 if length == 0 else max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / length))
    return math.hypot(px - ax - t * dx, py - ay - t * dy)


def strokes(polylines, width):
    segments = [(a, b) for line in polylines for a, b in zip(line, line[1:])]

    def coverage(px, py):
        d = min(segment_distance(px, py, a[0], a[1], b[0], b[1]) for a, b in segments)
        return edge(width / 2 - d)
    return coverage


def bounds(polylines, margin):
    xs = [p[0] for line in polylines for p in line]
    ys = [p[1] for line in polylines for p in line]
    return (min(xs) - margin, min(ys) - margin, max(xs) + margin + 1, max(ys) + margin + 1)


# ---------------------------------------------------------------------------------------------
# Letters: strokes in a box whose cap height is 1 (y grows downwards, baseline at 1). Lower-case
# letters reach from the x-height X to the baseline. Each entry is (advance width, polylines).


def arc(cx, cy, rx, ry, start, end, steps=28):
    return [(cx + rx * math.cos(math.radians(start + (end - start) * i / steps)),
             cy + ry * math.sin(math.radians(start + (end - start) * i / steps)))
            for i in range(steps + 1)]


X = 0.34  # top of the lower-case letters
GLYPHS = {
    "O": (0.82, [arc(0.41, 0.5, 0.36, 0.5, 0, 360, 40)]),
    "K": (0.70, [[(0.05, 0), (0.05, 1)], [(0.65, 0), (0.05, 0.62)], [(0.27, 0.42), (0.67, 1)]]),
    "C": (0.74, [arc(0.40, 0.5, 0.36, 0.5, 40, 320, 36)]),
    "a": (0.60, [arc(0.27, 0.67, 0.24, 0.33, 0, 360, 32), [(0.52, X), (0.52, 1)]]),
    "n": (0.58, [[(0.05, X), (0.05, 1)],
                 [(0.05, 0.55)] + arc(0.27, 0.58, 0.22, 0.24, 200, 360, 12) + [(0.49, 1)]]),
    "c": (0.52, [arc(0.27, 0.67, 0.24, 0.33, 45, 315, 28)]),
    "e": (0.56, [[(0.04, 0.66), (0.50, 0.66)] + arc(0.27, 0.67, 0.23, 0.33, 0, 320, 30)]),
    "l": (0.22, [[(0.08, 0), (0.08, 1)]]),
}


def text_strokes(text, x, baseline, cap, spacing):
    """The strokes of `text` with its left edge at x, in pixels; returns (polylines, width)."""
    lines = []
    pen = x
    for ch in text:
        advance, glyph = GLYPHS[ch]
        for line in glyph:
            lines.append([(pen + gx * cap, baseline - cap + gy * cap) for gx, gy in line])
        pen += advance * cap + spacing
    return lines, pen - spacing - x


def text_width(text, cap, spacing):
    return sum(GLYPHS[ch][0] * cap for ch in text) + spacing * (len(text) - 1)


# ---------------------------------------------------------------------------------------------
# Pictures

FACE = (240, 240, 240)  # the dialog's button face, behind the rounded edge of each image
WHITE = (255, 255, 255)


def button(width, height, top, bottom, symbol, label):
    """A push-button picture: a coloured rounded face with a white symbol and a white word."""
    canvas = Canvas(width, height, FACE)
    inset = 3
    canvas.paint(vertical_gradient(top, bottom, inset, height - inset),
                 rounded_rect(inset, inset, width - inset, height - inset, 5))
    cap, stroke, spacing = 11, 1.9, 1.6
    icon = 11
    gap = 5
    total = icon + gap + text_width(label, cap, spacing)
    x = (width - total) / 2
    baseline = height / 2 + cap / 2
    symbol_lines = symbol(x, baseline - cap, icon)
    canvas.paint(solid(WHITE), strokes(symbol_lines, 2.4), bounds(symbol_lines, 3))
    lines, _ = text_strokes(label, x + icon + gap + stroke / 2, baseline - 0.5, cap - 1, spacing)
    canvas.paint(solid(WHITE), strokes(lines, stroke), bounds(lines, 3))
    return canvas


def check_mark(x, y, size):
    return [[(x + 0.5, y + size * 0.55), (x + size * 0.38, y + size * 0.92),
             (x + size - 0.5, y + size * 0.08)]]


def cross(x, y, size):
    return [[(x + 1, y + 1), (x + size - 1, y + size - 1)],
            [(x + size - 1, y + 1), (x + 1, y + size - 1)]]


def shield_outline(cx, top, width, height):
    """The points of a shield: flat top with rounded shoulders, sides curving to a point."""
    half = width / 2
    points = []
    points += arc(cx - half + width * 0.12, top + width * 0.12, width * 0.12, width * 0.12, 180,
                  270, 6)
    points += arc(cx + half - width * 0.12, top + width * 0.12, width * 0.12, width * 0.12, 270,
                  360, 6)
    for i in range(1, 17):  # right side down to the point
        t = i / 16
        points.append((cx + half * (1 - t ** 2.2), top + width * 0.12 + (height - width * 0.12) * t))
    for i in range(15, 0, -1):  # left side back up
        t = i / 16
        points.append((cx - half * (1 - t ** 2.2), top + width * 0.12 + (height - width * 0.12) * t))
    return points


def shield(canvas, cx, top, width, height, mark_width):
    """The program's mark: a blue shield with a white rim and a white check mark."""
    outer = shield_outline(cx, top, width, height)
    canvas.paint(solid(WHITE), polygon(outer), bounds([outer], 2))
    rim = max(1.0, width * 0.07)
    inner = shield_outline(cx, top + rim, width - 2 * rim, height - 2.2 * rim)
    canvas.paint(vertical_gradient((58, 120, 216), (18, 52, 130), top, top + height),
                 polygon(inner), bounds([inner], 2))
    size = width * 0.52
    mark = check_mark(cx - size / 2, top + height * 0.28, size)
    canvas.paint(solid(WHITE), strokes(mark, mark_width), bounds(mark, mark_width))


def icon(size):
    canvas = Canvas(size, size, (0, 0, 0))
    canvas.pixels = [[(0, 0, 0, 0)] * size for _ in range(size)]
    shield(canvas, size / 2, 0.5, size - 2, size - 1, max(2.0, size / 9))
    return canvas


def notice_picture():
    width, height = 200, 100
    canvas = Canvas(width, height, FACE)
    canvas.paint(vertical_gradient((214, 232, 250), (250, 252, 255), 0, height),
                 rounded_rect(1, 1, width - 1, height - 1, 8))
    # Rays behind the shield.
    for angle in range(-160, 0, 20):
        a = math.radians(angle)
        ray = [[(100 + 34 * math.cos(a), 54 + 34 * math.sin(a)),
                (100 + 90 * math.cos(a), 54 + 90 * math.sin(a))]]
        canvas.paint(solid((180, 208, 240)), strokes(ray, 5), bounds(ray, 4))
    shield(canvas, 100, 8, 64, 80, 7)
    # A "no entry" badge: something was just stopped.
    canvas.paint(solid(WHITE), circle(128, 72, 15), (110, 54, 147, 91))
    canvas.paint(solid((200, 40, 40)), circle(128, 72, 13), (110, 54, 147, 91))
    bar = [[(120, 72), (136, 72)]]
    canvas.paint(solid(WHITE), strokes(bar, 5), bounds(bar, 4))
    return canvas


# The control panel's buttons: a coloured face with a white symbol. The word on each button is
# the group box beside it, so the pictures carry no text.


def panel_button(width, height, top, bottom, draw):
    canvas = Canvas(width, height, FACE)
    inset = 3
    canvas.paint(vertical_gradient(top, bottom, inset, height - inset),
                 rounded_rect(inset, inset, width - inset, height - inset, 7))
    draw(canvas, width / 2, height / 2, min(width, height) * 0.62)
    return canvas


def white_strokes(canvas, lines, width):
    canvas.paint(solid(WHITE), strokes(lines, width), bounds(lines, width))


def draw_shield(colour_top, colour_bottom, mark):
    def draw(canvas, cx, cy, size):
        outer = shield_outline(cx, cy - size / 2, size * 0.8, size)
        canvas.paint(solid(WHITE), polygon(outer), bounds([outer], 2))
        inner = shield_outline(cx, cy - size / 2 + 2, size * 0.8 - 4, size - 4.4)
        canvas.paint(vertical_gradient(colour_top, colour_bottom, cy - size / 2, cy + size / 2),
                     polygon(inner), bounds([inner], 2))
        lines = mark(cx - size * 0.2, cy - size * 0.18, size * 0.4)
        white_strokes(canvas, lines, 3)
    return draw


def draw_padlock(canvas, cx, cy, size):
    body = rounded_rect(cx - size * 0.38, cy - size * 0.05, cx + size * 0.38, cy + size * 0.48, 3)
    canvas.paint(solid(WHITE), body, (cx - size, cy - size, cx + size, cy + size))
    white_strokes(canvas, [arc(cx, cy - size * 0.05, size * 0.24, size * 0.34, 180, 360, 16)], 3.2)


def draw_funnel(canvas, cx, cy, size):
    points = [(cx - size * 0.5, cy - size * 0.42), (cx + size * 0.5, cy - size * 0.42),
              (cx + size * 0.1, cy + size * 0.05), (cx + size * 0.1, cy + size * 0.48),
              (cx - size * 0.1, cy + size * 0.36), (cx - size * 0.1, cy + size * 0.05)]
    canvas.paint(solid(WHITE), polygon(points), bounds([points], 2))


def draw_globe(canvas, cx, cy, size):
    r = size * 0.48
    white_strokes(canvas, [arc(cx, cy, r, r, 0, 360, 40), arc(cx, cy, r * 0.45, r, 0, 360, 30),
                           [(cx - r, cy), (cx + r, cy)], [(cx, cy - r), (cx, cy + r)]], 2.2)


def draw_clock(canvas, cx, cy, size):
    r = size * 0.48
    white_strokes(canvas, [arc(cx, cy, r, r, 0, 360, 40),
                           [(cx, cy - r * 0.65), (cx, cy), (cx + r * 0.5, cy + r * 0.25)]], 2.6)


def draw_exit(canvas, cx, cy, size):
    s = size * 0.5
    white_strokes(canvas, [[(cx + s * 0.2, cy - s * 0.8), (cx - s, cy - s * 0.8), (cx - s, cy + s * 0.8),
                            (cx + s * 0.2, cy + s * 0.8)],
                           [(cx - s * 0.3, cy), (cx + s, cy)],
                           [(cx + s * 0.55, cy - s * 0.45), (cx + s, cy), (cx + s * 0.55, cy + s * 0.45)]],
                  2.6)


def draw_info(canvas, cx, cy, size):
    r = size * 0.48
    white_strokes(canvas, [arc(cx, cy, r, r, 0, 360, 40), [(cx, cy - r * 0.1), (cx, cy + r * 0.55)]],
                  2.6)
    canvas.paint(solid(WHITE), circle(cx, cy - r * 0.45, 2.0), (cx - 4, cy - r, cx + 4, cy))


def tray_images():
    """Two 16x16 tray images side by side, pure green where the tray shows through."""
    green = (0, 255, 0)
    canvas = Canvas(32, 16, green)
    for index, (top, bottom) in enumerate((BLUE, GREY)):
        left = 16 * index
        outer = shield_outline(left + 8, 0.5, 14, 15)
        canvas.paint(solid(WHITE), polygon(outer), bounds([outer], 1))
        inner = shield_outline(left + 8, 1.5, 12, 13)
        canvas.paint(vertical_gradient(top, bottom, 1, 15), polygon(inner), bounds([inner], 1))
    # Anti-aliased edges would leave a green fringe: every pixel is either the picture or green.
    canvas.pixels = [[p if p[:3] == green or abs(p[1] - 255) > 40 or p[0] > 60 else (0, 255, 0, 255)
                      for p in row] for row in canvas.pixels]
    return canvas


# Pictures of the parent's editing dialogs: symbol buttons and the list rows' small images.


def symbol_button(width, height, top, bottom, symbol, line=2.4):
    """A push-button picture with one white symbol in the middle of a coloured face."""
    canvas = Canvas(width, height, FACE)
    inset = 3
    canvas.paint(vertical_gradient(top, bottom, inset, height - inset),
                 rounded_rect(inset, inset, width - inset, height - inset, 5))
    size = min(height - 2 * inset - 6, 17)
    lines = symbol(width / 2 - size / 2, height / 2 - size / 2, size)
    canvas.paint(solid(WHITE), strokes(lines, line), bounds(lines, 3))
    return canvas


def plus(x, y, size):
    return [[(x + size / 2, y + 1), (x + size / 2, y + size - 1)],
            [(x + 1, y + size / 2), (x + size - 1, y + size / 2)]]


def minus(x, y, size):
    return [[(x + 1, y + size / 2), (x + size - 1, y + size / 2)]]


def emptied_list(x, y, size):
    """Three lines of a list struck through."""
    rows = [[(x + 1, y + size * f), (x + size - 1, y + size * f)] for f in (0.2, 0.5, 0.8)]
    return rows + [[(x, y + size), (x + size, y)]]


def eye(x, y, size):
    upper = arc(x + size / 2, y + size * 0.95, size * 0.62, size * 0.62, 216, 324, 16)
    lower = arc(x + size / 2, y + size * 0.05, size * 0.62, size * 0.62, 36, 144, 16)
    return [upper, lower, arc(x + size / 2, y + size / 2, size * 0.16, size * 0.16, 0, 360, 12)]


def swap_arrows(x, y, size):
    top, bottom = y + size * 0.3, y + size * 0.7
    return [[(x + 1, top), (x + size - 1, top)],
            [(x + size - 5, top - 4), (x + size - 1, top), (x + size - 5, top + 4)],
            [(x + size - 1, bottom), (x + 1, bottom)],
            [(x + 5, bottom - 4), (x + 1, bottom), (x + 5, bottom + 4)]]


def sparkle(x, y, size):
    cx, cy, r = x + size / 2, y + size / 2, size / 2
    return [[(cx, cy - r), (cx, cy + r)], [(cx - r, cy), (cx + r, cy)],
            [(cx - r * 0.55, cy - r * 0.55), (cx + r * 0.55, cy + r * 0.55)],
            [(cx - r * 0.55, cy + r * 0.55), (cx + r * 0.55, cy - r * 0.55)]]


def globe_with(mark):
    def symbol(x, y, size):
        ring = arc(x + size * 0.4, y + size * 0.45, size * 0.38, size * 0.38, 0, 360, 24)
        return [ring, [(x + size * 0.02, y + size * 0.45), (x + size * 0.78, y + size * 0.45)]] + \
            mark(x + size * 0.55, y + size * 0.55, size * 0.45)
    return symbol


def row_strip(colours, size=10):
    """Small list images side by side; white is transparent in the list views."""
    canvas = Canvas(size * len(colours), size, WHITE)
    for i, colour in enumerate(colours):
        if colour is not None:
            canvas.paint(solid(colour), circle(i * size + size / 2, size / 2, size / 2 - 1.2),
                         (i * size, 0, i * size + size, size))
    return canvas


GREEN = ((76, 175, 80), (36, 122, 48))
RED = ((226, 86, 70), (170, 40, 32))
BLUE = ((66, 133, 224), (28, 78, 160))
GREY = ((150, 158, 170), (96, 104, 116))
AMBER = ((240, 170, 60), (196, 120, 20))


def editing_pictures():
    return {
        # Filter rows: 1 a word compared with case, 2 without, 3 built-in, 5 new.
        "filter_rows.bmp": row_strip([None, (28, 78, 160), (66, 133, 224), (150, 158, 170),
                                      None, (76, 175, 80)]),
        "add_word_button.bmp": symbol_button(81, 29, *GREEN, plus),
        "delete_button.bmp": symbol_button(81, 29, *RED, minus, 3),
        "empty_button.bmp": symbol_button(81, 29, *AMBER, emptied_list),
        "show_button.bmp": symbol_button(81, 29, *BLUE, eye),
        # Site rows: 0 allowed, 1 prohibited.
        "site_rows.bmp": row_strip([(76, 175, 80), (210, 50, 40)]),
        "allow_button.bmp": symbol_button(38, 24, *GREEN, check_mark),
        "add_site_button.bmp": symbol_button(81, 46, *GREEN, globe_with(plus)),
        "block_button.bmp": symbol_button(38, 24, *RED, cross),
        "allowed_list_button.bmp": symbol_button(81, 29, *GREEN, globe_with(check_mark)),
        "prohibited_list_button.bmp": symbol_button(81, 29, *RED, globe_with(cross)),
        "move_button.bmp": symbol_button(81, 29, *BLUE, swap_arrows),
        "optimise_button.bmp": symbol_button(81, 29, *GREY, sparkle, 2),
    }


# ---------------------------------------------------------------------------------------------
# Files


def bmp_24(canvas):
    row_size = (canvas.width * 3 + 3) // 4 * 4
    rows = []
    for y in range(canvas.height - 1, -1, -1):  # bottom-up
        row = bytearray()
        for r, g, b, _ in canvas.pixels[y]:
            row += bytes((b, g, r))
        rows.append(bytes(row) + bytes(row_size - len(row)))
    pixels = b"".join(rows)
    info = struct.pack("<IiiHHIIiiII", 40, canvas.width, canvas.height, 1, 24, 0, len(pixels),
                       2835, 2835, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(pixels), 0, 0, 14 + len(info))
    return header + info + pixels


def bmp_8(canvas):
    """An 8-bit bitmap: each pixel takes the nearest colour of a 6x6x6 cube and 40 greys."""
    levels = [0, 51, 102, 153, 204, 255]
    palette = [(r, g, b) for r in levels for g in levels for b in levels]
    palette += [(round(i * 255 / 39),) * 3 for i in range(40)]

    def index(r, g, b):
        cube = 36 * round(r / 51) + 6 * round(g / 51) + round(b / 51)
        grey = 216 + round((r + g + b) / 3 * 39 / 255)
        error = lambda i: sum((a - c) ** 2 for a, c in zip(palette[i], (r, g, b)))
        return cube if error(cube) <= error(grey) else grey

    row_size = (canvas.width + 3) // 4 * 4
    rows = []
    for y in range(canvas.height - 1, -1, -1):
        row = bytes(index(r, g, b) for r, g, b, _ in canvas.pixels[y])
        rows.append(row + bytes(row_size - len(row)))
    pixels = b"".join(rows)
    colours = b"".join(bytes((b, g, r, 0)) for r, g, b in palette)
    info = struct.pack("<IiiHHIIiiII", 40, canvas.width, canvas.height, 1, 8, 0, len(pixels),
                       2835, 2835, 256, 0)
    offset = 14 + len(info) + len(colours)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    return header + info + colours + pixels


def ico(canvases):
    images = []
    for c in canvases:
        xor = b"".join(bytes((b, g, r, a)) for y in range(c.height - 1, -1, -1)
                       for r, g, b, a in c.pixels[y])
        mask_row = (c.width + 31) // 32 * 4
        mask = bytearray()
        for y in range(c.height - 1, -1, -1):
            row = bytearray(mask_row)
            for x in range(c.width):
                if c.pixels[y][x][3] == 0:
                    row[x // 8] |= 0x80 >> (x % 8)
            mask += row
        info = struct.pack("<IiiHHIIiiII", 40, c.width, c.height * 2, 1, 32, 0,
                           len(xor) + len(mask), 0, 0, 0, 0)
        images.append((c, info + xor + bytes(mask)))
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for c, data in images:
        out += struct.pack("<BBBBHHII", c.width % 256, c.height % 256, 0, 0, 1, 32, len(data),
                           offset)
        offset += len(data)
    return out + b"".join(data for _, data in images)


def write(name, data):
    with open(os.path.join(OUT, name), "wb") as f:
        f.write(data)


def main():
    os.makedirs(OUT, exist_ok=True)
    write("main.ico", ico([icon(32), icon(16)]))
    write("ok_button.bmp", bmp_24(button(81, 29, (76, 175, 80), (36, 122, 48), check_mark, "OK")))
    write("cancel_button.bmp",
          bmp_24(button(81, 29, (226, 86, 70), (170, 40, 32), cross, "Cancela")))
    write("notice_picture.bmp", bmp_24(notice_picture()))
    panel = [("guard_off_button.bmp", GREY, draw_shield(*GREY, cross)),
             ("guard_on_button.bmp", BLUE, draw_shield(*BLUE, check_mark)),
             ("passwords_button.bmp", ((236, 170, 50), (190, 120, 20)), draw_padlock),
             ("filter_button.bmp", ((120, 90, 200), (70, 45, 150)), draw_funnel),
             ("sites_button.bmp", ((40, 160, 170), (20, 105, 120)), draw_globe),
             ("history_button.bmp", ((90, 150, 70), (50, 105, 40)), draw_clock),
             ("exit_button.bmp", ((200, 70, 60), (150, 35, 30)), draw_exit)]
    for name, (top, bottom), draw in panel:
        write(name, bmp_8(panel_button(79, 58, top, bottom, draw)))
    write("help_button.bmp", bmp_24(panel_button(62, 42, *BLUE, draw_info)))
    write("tray.bmp", bmp_24(tray_images()))
    for name, canvas in editing_pictures().items():
        write(name, bmp_24(canvas))


if __name__ == "__main__":
    main()
