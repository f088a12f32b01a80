"""Colours and measures of the default skin ("Slate": calm blue-grey with one blue accent).

skin.ini repeats several of these numbers (frame sizes, margins, colours); check_skin.py
verifies that the description and the drawn bitmaps agree.
"""

from raster import rgb, mix

WHITE = (255, 255, 255)

# Window surfaces and text.
FACE = rgb(0xEEF1F4)          # ButtonFace: window and panel background
TEXT = rgb(0x1F2933)          # ButtonText / WindowText / MenuText
SHADOW = rgb(0x8D9AA8)        # ButtonShadow: edit outlines (the combo edge matches them)
MENU = rgb(0xFBFCFD)          # popup menu background
MENUBAR_TOP = rgb(0xF6F8FA)
MENUBAR_BOTTOM = rgb(0xE8ECF0)
SCROLLBAR = rgb(0xE6EAEE)

# Accent (selection, focus, checked marks, progress).
ACCENT = rgb(0x2F6DB5)
ACCENT_DARK = rgb(0x265C9C)
FOCUS_BORDER = rgb(0x4A86C5)

# Neutral control greys.
CTRL_BORDER = rgb(0xA0ACB9)
CTRL_BORDER_DIS = rgb(0xC9D0D7)
CTRL_FILL_DIS = rgb(0xF4F6F8)
GLYPH = rgb(0x4A5866)
GLYPH_DIS = rgb(0xAAB4BE)

# Window frame, active and inactive.
TITLE_H = 28                 # caption strip height (FTopHeight)
BORDER = 5                   # left, right and bottom border thickness
CORNER_R = 7                 # radius of the rounded top corners
FRAME_MID = 12               # rows of the stretched middle of the side borders
TOP_END = 4                  # fixed ends of the top and bottom strips
TOP_MID = 24                 # stretched middle of the top and bottom strips

ACTIVE = {
    "title_top": rgb(0x6584A2),
    "title_bottom": rgb(0x4D6B89),
    "outline": rgb(0x2E4256),
    "inner": rgb(0x3D5771),
    "glyph": rgb(0xF3F6F9),
    "text": WHITE,
    "highlight": 0.20,
}
INACTIVE = {
    "title_top": rgb(0xD3DAE1),
    "title_bottom": rgb(0xC0CAD4),
    "outline": rgb(0x8795A3),
    "inner": rgb(0xA6B2BE),
    "glyph": rgb(0x5A6774),
    "text": rgb(0x54606C),
    "highlight": 0.35,
}

# Caption buttons.
CAP_W, CAP_H = 27, 20
CAP_Y = 4
CLOSE_HOT = rgb(0xD4453B)
CLOSE_PRESSED = rgb(0xA9322A)

# Title back plate (a soft pill behind the window text).
TEXTBACK_LEFT, TEXTBACK_MID, TEXTBACK_RIGHT = 8, 4, 11


def title_colour(state, y):
    """The caption gradient at row y (pixel centre y + 0.5)."""
    t = (y - 1.0) / (TITLE_H - 3.0)
    t = 0.0 if t < 0 else 1.0 if t > 1 else t
    return mix(state["title_top"], state["title_bottom"], t)


def menubar_colour(y, h=20):
    t = y / float(h - 2)
    t = 0.0 if t < 0 else 1.0 if t > 1 else t
    return mix(MENUBAR_TOP, MENUBAR_BOTTOM, t)
