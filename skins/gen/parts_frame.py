"""Window frame, caption strip, caption buttons, MDI child buttons and the menu bar band."""

from raster import (Canvas, Rect, RoundRect, Stroke, Circle, ring, hstrip, vstrip, mix, vgrad, rgb)
from palette import (ACTIVE, INACTIVE, TITLE_H, BORDER, CORNER_R, FRAME_MID, TOP_END, TOP_MID,
                     FACE, CAP_W, CAP_H, CAP_Y, CLOSE_HOT, CLOSE_PRESSED, TEXTBACK_LEFT,
                     TEXTBACK_MID, TEXTBACK_RIGHT, ACCENT, ACCENT_DARK, WHITE, title_colour,
                     menubar_colour)


# ---------------------------------------------------------------- borders

def _virtual_window(state):
    """A whole small window frame; the four border images are cut out of it, so the pieces
    join without seams whatever size the engine stretches them to."""
    vw = 2 * BORDER + 2 * TOP_END + TOP_MID
    vh = TITLE_H + FRAME_MID + BORDER
    r = CORNER_R
    c = Canvas(vw, vh)
    outer = RoundRect(0, 0, vw, vh, 0, radii=(r, r, 0, 0))
    inner = RoundRect(1, 1, vw - 1, vh - 1, 0, radii=(r - 1, r - 1, 0, 0))
    c.paint(outer, state["outline"])

    def body(x, y):
        return title_colour(state, y) if y < TITLE_H else state["title_bottom"]
    c.paint(inner, body)
    # A faint light edge along the top and round the corners, as if lit from above.
    rim = ring(inner, RoundRect(2, 2, vw - 2, vh - 2, 0, radii=(r - 2, r - 2, 0, 0)))
    c.paint(rim & Rect(0, 0, vw, r - 1), WHITE, alpha=state["highlight"])
    # One darker line round the client area keeps the light client crisp against the frame.
    c.paint(ring(Rect(BORDER - 1, TITLE_H - 1, vw - BORDER + 1, vh - BORDER + 1),
                 Rect(BORDER, TITLE_H, vw - BORDER, vh - BORDER)), state["inner"])
    c.paint(Rect(BORDER, TITLE_H, vw - BORDER, vh - BORDER), FACE)
    return c.reduce()


def frame_borders():
    act, ina = _virtual_window(ACTIVE), _virtual_window(INACTIVE)
    vw, vh = act.w, act.h
    mid = vw - 2 * BORDER

    def pieces(img):
        return (img.crop(0, 0, BORDER, vh), img.crop(vw - BORDER, 0, BORDER, vh),
                img.crop(BORDER, 0, mid, TITLE_H), img.crop(BORDER, vh - BORDER, mid, BORDER))
    a, i = pieces(act), pieces(ina)
    return {
        "frameleft.bmp": hstrip([a[0], i[0]]),     # frames side by side: active, inactive
        "frameright.bmp": hstrip([a[1], i[1]]),
        "frametop.bmp": vstrip([a[2], i[2]]),      # frames stacked: active, inactive
        "framebottom.bmp": vstrip([a[3], i[3]]),
    }


def title_back():
    """A soft pill behind the window text: left cap, tileable middle, right cap."""
    w = TEXTBACK_LEFT + TEXTBACK_MID + TEXTBACK_RIGHT
    frames = []
    for state, fill, edge in ((ACTIVE, 0.08, 0.10), (INACTIVE, 0.24, 0.30)):
        c = Canvas(w, TITLE_H)
        c.backdrop(lambda x, y, s=state: title_colour(s, y))
        pill = RoundRect(0, 6, w, 22, 8)
        c.paint(pill, WHITE, alpha=fill)
        c.paint(ring(pill, RoundRect(1, 7, w - 1, 21, 7)), WHITE, alpha=edge)
        frames.append(c.reduce(keyed=True))
    return {"titleback.bmp": vstrip(frames)}


# ---------------------------------------------------------------- caption buttons

def _glyph_close(ox=0.0, oy=0.0, w=1.5, a=(9.6, 5.6), b=(17.4, 13.4)):
    return (Stroke([(a[0] + ox, a[1] + oy), (b[0] + ox, b[1] + oy)], w) |
            Stroke([(b[0] + ox, a[1] + oy), (a[0] + ox, b[1] + oy)], w))


def _glyph_max():
    return ring(Rect(9, 5, 18, 14), Rect(10, 7, 17, 13))


def _glyph_min():
    return Rect(9, 12, 18, 14)


def _glyph_restore():
    front_box = Rect(9, 8, 16, 14)
    front = ring(front_box, Rect(10, 10, 15, 13))
    back = ring(Rect(11, 5, 18, 11), Rect(12, 7, 17, 10)) - front_box
    return front | back


def _caption_button(glyph, close=False):
    frames = []
    plate = RoundRect(0.5, 0.5, CAP_W - 0.5, CAP_H - 0.5, 4)
    # Frame order: 1 normal, 2 pressed, 3 hot, 4 inactive window.
    for kind in ("normal", "pressed", "hot", "inactive"):
        state = INACTIVE if kind == "inactive" else ACTIVE
        c = Canvas(CAP_W, CAP_H)
        c.backdrop(lambda x, y, s=state: title_colour(s, y + CAP_Y))
        colour = state["glyph"]
        if kind == "pressed":
            if close:
                c.paint(plate, CLOSE_PRESSED)
                colour = WHITE
            else:
                c.paint(plate, (0, 0, 0), alpha=0.22)
        elif kind == "hot":
            if close:
                c.paint(plate, vgrad(mix(CLOSE_HOT, WHITE, 0.12), CLOSE_HOT, 0, CAP_H))
                colour = WHITE
            else:
                c.paint(plate, WHITE, alpha=0.20)
                c.paint(ring(plate, RoundRect(1.5, 1.5, CAP_W - 1.5, CAP_H - 1.5, 3)), WHITE, alpha=0.12)
        c.paint(glyph, colour)
        frames.append(c.reduce(keyed=True))
    return hstrip(frames)


def app_icon():
    """Stand-in image of the system-menu button; the engine paints the window's own icon in
    its place, so only the size matters there. Also used as the icon in the preview."""
    c = Canvas(16, 16)
    box = RoundRect(0.5, 0.5, 15.5, 15.5, 3.5)
    c.paint(box, ACCENT_DARK)
    c.paint(RoundRect(1.5, 1.5, 14.5, 14.5, 2.5), vgrad(rgb(0x5C94D1), ACCENT, 1, 15))
    c.paint(Stroke([(4.5, 11), (8, 5), (11.5, 11), (4.5, 11)], 1.2), WHITE)
    for cx, cy in ((8, 5), (4.5, 11), (11.5, 11)):
        c.paint(Circle(cx, cy, 2.0), WHITE)
    return c.reduce()


def caption_buttons():
    return {
        "btnclose.bmp": _caption_button(_glyph_close(), close=True),
        "btnmax.bmp": _caption_button(_glyph_max()),
        "btnrestore.bmp": _caption_button(_glyph_restore()),
        "btnmin.bmp": _caption_button(_glyph_min()),
        "btnicon.bmp": app_icon(),
    }


# ---------------------------------------------------------------- MDI child buttons

MDI_W, MDI_H = 16, 14
MENUBAR_H = 20


def mdi_controls():
    """Twelve frames: minimise, restore, close of a maximised MDI child, four frames each
    (1 normal, 2 pressed, 3 hot, 4 hot in the menu band)."""
    glyph_colour = rgb(0x3A4754)
    glyphs = [
        Rect(4, 9, 12, 11),
        (ring(Rect(4, 6, 10, 11), Rect(5, 8, 9, 10)) |
         (ring(Rect(6, 3, 12, 8), Rect(7, 5, 11, 7)) - Rect(4, 6, 10, 11))),
        _glyph_close(0.0, 0.0, 1.4, (4.6, 3.6), (11.4, 10.4)),
    ]
    plate = RoundRect(0.5, 0.5, MDI_W - 0.5, MDI_H - 0.5, 3)
    inner = RoundRect(1.5, 1.5, MDI_W - 1.5, MDI_H - 1.5, 2)
    top = (MENUBAR_H - MDI_H) // 2
    frames = []
    for glyph in glyphs:
        for kind in ("normal", "pressed", "hot", "hot"):
            c = Canvas(MDI_W, MDI_H)
            c.backdrop(lambda x, y: menubar_colour(y + top, MENUBAR_H))
            if kind == "pressed":
                c.paint(plate, rgb(0x7898BE))
                c.paint(inner, rgb(0xBCD0E6))
            elif kind == "hot":
                c.paint(plate, rgb(0x9DBBDC))
                c.paint(inner, vgrad(rgb(0xEEF4FB), rgb(0xD6E5F4), 1, MDI_H - 1))
            c.paint(glyph, glyph_colour)
            frames.append(c.reduce(keyed=True))
    return {"mdicontrols.bmp": hstrip(frames)}


def menu_bar():
    """Menu band background, frames stacked: active, inactive (1-pixel fixed ends)."""
    frames = []
    for dull in (0.0, 0.5):
        c = Canvas(8, MENUBAR_H)
        c.paint(Rect(0, 0, 8, MENUBAR_H), lambda x, y, d=dull: mix(menubar_colour(y, MENUBAR_H), FACE, d))
        c.paint(Rect(0, MENUBAR_H - 1, 8, MENUBAR_H), mix(rgb(0xD0D8E0), FACE, dull))
        frames.append(c.reduce())
    return {"menubar.bmp": vstrip(frames)}


def build():
    out = {}
    for part in (frame_borders, title_back, caption_buttons, mdi_controls, menu_bar):
        out.update(part())
    return out
