#!/usr/bin/env python3
"""Writes the program's own skin bitmaps (16-colour BMP files) next to this script.

  track.bmp        TRACK       16 x 4  sunken horizontal track-bar groove
  trackvert.bmp    TRACKVERT   4 x 16  the same groove for vertical use
  brondelmenu.bmp  BRONDELMENU 64 x 16 four 16 x 16 black-on-white glyphs for the menu items of
                               a maximized MDI child: restore, maximize, minimize, close

The outputs are committed, so the build needs no Python; run this again only after changing
the pictures. Standard library only; the result is the same on every run.
"""

import os
import struct

# The standard 16-colour palette, as (red, green, blue).
PALETTE = [
    (0x00, 0x00, 0x00), (0x80, 0x00, 0x00), (0x00, 0x80, 0x00), (0x80, 0x80, 0x00),
    (0x00, 0x00, 0x80), (0x80, 0x00, 0x80), (0x00, 0x80, 0x80), (0xC0, 0xC0, 0xC0),
    (0x80, 0x80, 0x80), (0xFF, 0x00, 0x00), (0x00, 0xFF, 0x00), (0xFF, 0xFF, 0x00),
    (0x00, 0x00, 0xFF), (0xFF, 0x00, 0xFF), (0x00, 0xFF, 0xFF), (0xFF, 0xFF, 0xFF),
]
BLACK, LIGHT_GREY, DARK_GREY, WHITE = 0, 7, 8, 15


def bmp4(pixels):
    """A 4-bit BMP file of `pixels`, a list of rows (top row first) of palette indices."""
    height, width = len(pixels), len(pixels[0])
    row_bytes = ((width * 4 + 31) // 32) * 4
    body = bytearray()
    for row in reversed(pixels):  # BMP rows are stored bottom-up
        packed = bytearray()
        for x in range(0, width, 2):
            high = row[x]
            low = row[x + 1] if x + 1 < width else 0
            packed.append((high << 4) | low)
        body += packed + bytes(row_bytes - len(packed))
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in PALETTE)
    offset = 14 + 40 + len(palette)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 4, 0, len(body), 2835, 2835, 16, 0)
    header = struct.pack("<2sIHHI", b"BM", offset + len(body), 0, 0, offset)
    return header + info + palette + bytes(body)


def track():
    """Columns 0-1 light grey (one dark grey pixel at the left of the third row); the top row
    dark grey from column 2 to 13 and white in 14-15; the other rows white from column 2."""
    rows = []
    for y in range(4):
        row = []
        for x in range(16):
            if x < 2:
                row.append(DARK_GREY if (x, y) == (0, 2) else LIGHT_GREY)
            elif y == 0:
                row.append(DARK_GREY if x <= 13 else WHITE)
            else:
                row.append(WHITE)
        rows.append(row)
    return rows


def track_vert():
    """Rows 0-1 light grey with dark grey at (2, 0); in rows 2 to 13 column 0 dark grey and
    columns 1-3 white; rows 14-15 white."""
    rows = []
    for y in range(16):
        row = []
        for x in range(4):
            if y < 2:
                row.append(DARK_GREY if (x, y) == (2, 0) else LIGHT_GREY)
            elif y <= 13:
                row.append(DARK_GREY if x == 0 else WHITE)
            else:
                row.append(WHITE)
        rows.append(row)
    return rows


class Glyph:
    def __init__(self):
        self.rows = [[WHITE] * 16 for _ in range(16)]

    def fill(self, left, top, right, bottom, colour=BLACK):
        """Inclusive bounds."""
        for y in range(top, bottom + 1):
            for x in range(left, right + 1):
                self.rows[y][x] = colour

    def window(self, left, top, right, bottom):
        """A window outline with a two-pixel title bar."""
        self.fill(left, top, right, top + 1)
        self.fill(left, top, left, bottom)
        self.fill(right, top, right, bottom)
        self.fill(left, bottom, right, bottom)


def restore():
    g = Glyph()
    g.window(5, 4, 12, 9)
    g.fill(3, 7, 10, 12, WHITE)  # the front window covers part of the back one
    g.window(3, 7, 10, 12)
    return g.rows


def maximize():
    g = Glyph()
    g.window(3, 3, 12, 12)
    return g.rows


def minimize():
    g = Glyph()
    g.fill(5, 7, 11, 8)
    return g.rows


def close():
    """Two diagonals from column 3 to 11 over rows 4 to 12, each two pixels wide (three where
    they cross); at the ends the second pixel lies inwards."""
    g = Glyph()
    for i in range(9):
        y = 4 + i
        down = 3 + i
        up = 11 - i
        for x in (down, down + 1 if down < 11 else down - 1, up, up - 1 if up > 3 else up + 1):
            g.rows[y][x] = BLACK
    return g.rows


def brondel_menu():
    glyphs = [restore(), maximize(), minimize(), close()]
    return [sum((glyph[y] for glyph in glyphs), []) for y in range(16)]


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    for name, pixels in (("track.bmp", track()), ("trackvert.bmp", track_vert()),
                         ("brondelmenu.bmp", brondel_menu())):
        with open(os.path.join(here, name), "wb") as f:
            f.write(bmp4(pixels))


if __name__ == "__main__":
    main()
