"""Scroll bars, track bar thumbs, up-down buttons and popup menus."""

from raster import Canvas, Rect, RoundRect, Stroke, Polygon, hstrip, mix, vgrad, hgrad, rgb
from palette import (FACE, WHITE, TEXT, ACCENT, ACCENT_DARK, MENU, CTRL_FILL_DIS, GLYPH, GLYPH_DIS,
                     SCROLLBAR)

SB = 17     # scroll bar thickness and arrow button size

# Arrow button looks: border, fill top, fill bottom, glyph colour.
_ARROW_LOOKS = {
    "normal": (rgb(0xBAC4CE), rgb(0xF7F9FA), rgb(0xE5EAEF), GLYPH),
    "pressed": (rgb(0x8096AC), rgb(0xC3D0DD), rgb(0xD2DCE6), TEXT),
    "hot": (rgb(0x98B5D3), rgb(0xF2F7FC), rgb(0xDAE7F4), ACCENT),
    "disabled": (rgb(0xD4DAE0), CTRL_FILL_DIS, CTRL_FILL_DIS, GLYPH_DIS),
}


def _chevron(direction, cx, cy, half=3.5, depth=2.0, width=1.7):
    """An open arrow head pointing left, right, up or down, centred on (cx, cy)."""
    if direction in ("up", "down"):
        s = -1.0 if direction == "up" else 1.0
        pts = [(cx - half, cy - s * depth), (cx, cy + s * depth), (cx + half, cy - s * depth)]
    else:
        s = -1.0 if direction == "left" else 1.0
        pts = [(cx - s * depth, cy - half), (cx + s * depth, cy), (cx - s * depth, cy + half)]
    return Stroke(pts, width)


def _arrow_button(direction, look):
    border, top, bottom, glyph = _ARROW_LOOKS[look]
    c = Canvas(SB, SB)
    c.backdrop(FACE)
    c.paint(RoundRect(1, 1, SB - 1, SB - 1, 3), border)
    c.paint(RoundRect(2, 2, SB - 2, SB - 2, 2), vgrad(top, bottom, 2, SB - 2))
    c.paint(_chevron(direction, SB / 2.0, SB / 2.0), glyph)
    return c.reduce(keyed=True)


def scroll_arrows():
    """[Scrollbar], 23 frames of 17 x 17. Frames 1-16: left, right, up, down arrows, four each
    (1 normal, 2 pressed, 3 hot, 4 disabled), so left = 1/2, right = 5/6, up = 9/10,
    down = 13/14 as the painter reads them. Frame 17 is a size-grip corner and 18-23 plain
    face; the engine does not draw them."""
    frames = []
    for direction in ("left", "right", "up", "down"):
        for look in ("normal", "pressed", "hot", "disabled"):
            frames.append(_arrow_button(direction, look))
    grip = Canvas(SB, SB)
    grip.paint(Rect(0, 0, SB, SB), FACE)
    for gx, gy in ((13, 13), (10, 13), (13, 10), (7, 13), (10, 10), (13, 7)):
        grip.paint(Rect(gx + 1, gy + 1, gx + 3, gy + 3), WHITE)
        grip.paint(Rect(gx, gy, gx + 2, gy + 2), rgb(0x9AA7B4))
    frames.append(grip.reduce())
    plain = Canvas(SB, SB)
    plain.paint(Rect(0, 0, SB, SB), FACE)
    plain = plain.reduce()
    frames.extend([plain] * 6)
    return {"scrollbar.bmp": hstrip(frames)}


TRACK_LEN = 8
_TRACKS = ((SCROLLBAR, rgb(0xD9DFE5)), (rgb(0xD3DBE3), rgb(0xC4CED8)),
           (rgb(0xF1F3F5), rgb(0xE5E9ED)), (rgb(0xDFE5EB), rgb(0xD0D8E0)))


def scroll_tracks():
    """[HorzScroll] and [VertScroll]: 1 enabled, 2 pressed, 3 disabled, 4 hot."""
    frames = []
    for fill, edge in _TRACKS:
        c = Canvas(TRACK_LEN, SB)
        c.paint(Rect(0, 0, TRACK_LEN, SB), fill)
        c.paint(Rect(0, 0, TRACK_LEN, 1), edge)
        c.paint(Rect(0, SB - 1, TRACK_LEN, SB), edge)
        frames.append(c.reduce())
    return {"horzscroll.bmp": hstrip(frames),
            "vertscroll.bmp": hstrip([f.transposed() for f in frames])}


THUMB_LEN = 24
_THUMBS = ((rgb(0x9EADBC), rgb(0xBAC6D2), rgb(0xAAB8C6)),      # normal
           (rgb(0x5F7890), rgb(0x8197AD), rgb(0x7089A2)),      # dragged
           (rgb(0x8498AD), rgb(0xA6B6C6), rgb(0x95A7B9)))      # hot


def scroll_thumbs():
    """[HorzScrollThumb] and [VertScrollThumb], FrameCount 3: 1 normal, 2 dragged, 3 hot.
    A pill floating in the track; the corners are transparent so the track shows."""
    frames = []
    for border, top, bottom in _THUMBS:
        c = Canvas(THUMB_LEN, SB)
        c.backdrop(_TRACKS[0][0])
        c.paint(RoundRect(1, 3, THUMB_LEN - 1, SB - 3, 5.5), border)
        c.paint(RoundRect(2, 4, THUMB_LEN - 2, SB - 4, 4.5), vgrad(top, bottom, 4, SB - 4))
        frames.append(c.reduce(keyed=True))
    return {"horzthumb.bmp": hstrip(frames),
            "vertthumb.bmp": hstrip([f.transposed() for f in frames])}


# ---------------------------------------------------------------- track bar thumbs

TB_W, TB_H = 11, 20
# The painter always shows frame 2, so frame 2 is the resting look:
# 1 hot, 2 normal, 3 pressed, 4 disabled, 5 focused.
_THUMB_LOOKS = (
    (rgb(0x4A86C5), WHITE, rgb(0xDCE9F7)),
    (rgb(0x7A8C9E), WHITE, rgb(0xE3E8EE)),
    (ACCENT_DARK, rgb(0xC9D8E8), rgb(0xDCE5EE)),
    (rgb(0xC2CAD2), CTRL_FILL_DIS, CTRL_FILL_DIS),
    (ACCENT, WHITE, rgb(0xE3E8EE)),
)


def _thumb(shape_outer, shape_inner, look, w, h, vertical_grad=True):
    border, top, bottom = look
    c = Canvas(w, h)
    c.backdrop(FACE)
    c.paint(shape_outer, border)
    grad = vgrad(top, bottom, 1, h - 1) if vertical_grad else hgrad(top, bottom, 1, w - 1)
    c.paint(shape_inner, grad)
    return c.reduce(keyed=True)


def trackbar_thumbs():
    """The six [Trackbar.Thumb…] images, 5 frames each (order above). Horz/Vert are plain
    rounded bars; Down/Up/Left/Right point toward the tick marks."""
    out = {}
    w, h = TB_W, TB_H
    bar = (RoundRect(0, 0, w, h, 3), RoundRect(1, 1, w - 1, h - 1, 2))
    down_outer = Polygon([(0, 0), (w, 0), (w, h - 5.5), (w / 2.0, h), (0, h - 5.5)]) & RoundRect(0, 0, w, h + 4, 2.5)
    down_inner = Polygon([(1, 1), (w - 1, 1), (w - 1, h - 6), (w / 2.0, h - 1.4), (1, h - 6)]) & RoundRect(1, 1, w - 1, h + 4, 1.5)
    kinds = {"horz": bar, "down": (down_outer, down_inner)}
    for name, (outer, inner) in kinds.items():
        frames = [_thumb(outer, inner, look, w, h) for look in _THUMB_LOOKS]
        out["trackthumb%s.bmp" % name] = hstrip(frames)
        if name == "horz":
            vbar = (RoundRect(0, 0, h, w, 3), RoundRect(1, 1, h - 1, w - 1, 2))
            out["trackthumbvert.bmp"] = hstrip([_thumb(vbar[0], vbar[1], look, h, w, False)
                                                for look in _THUMB_LOOKS])
        else:
            out["trackthumbup.bmp"] = hstrip([f.flipped() for f in frames])
            right = [f.transposed() for f in frames]
            out["trackthumbright.bmp"] = hstrip(right)
            out["trackthumbleft.bmp"] = hstrip([f.mirrored() for f in right])
    return out


# ---------------------------------------------------------------- up-down buttons

UD_W, UD_H = 16, 11
_UD_LOOKS = (("normal", rgb(0xA9B5C1), WHITE, rgb(0xE6EBF0), GLYPH),
             ("pressed", rgb(0x6F8396), rgb(0xCBD7E3), rgb(0xDCE4EC), TEXT),
             ("disabled", rgb(0xCDD4DB), CTRL_FILL_DIS, CTRL_FILL_DIS, GLYPH_DIS),
             ("hot", rgb(0x4A86C5), WHITE, rgb(0xDCE9F7), ACCENT))


def up_down():
    """[UpDown.Vert] and [UpDown.Horz]: Image and GlyphImage, 8 frames each: frames 1-4 the
    first button (up / left), 5-8 the second (down / right), each 1 normal, 2 pressed,
    3 disabled, 4 hot."""
    out = {}
    for name, w, h, first, second in (("vert", UD_W, UD_H, "up", "down"), ("horz", UD_H, UD_W, "left", "right")):
        images, glyphs = [], []
        for idx, direction in enumerate((first, second)):
            if name == "vert":
                radii = (3, 3, 0, 0) if idx == 0 else (0, 0, 3, 3)
                outer = RoundRect(0, 0 if idx == 0 else -1, w, h + (1 if idx == 0 else 0), 0, radii=radii)
            else:
                radii = (3, 0, 0, 3) if idx == 0 else (0, 3, 3, 0)
                outer = RoundRect(0 if idx == 0 else -1, 0, w + (1 if idx == 0 else 0), h, 0, radii=radii)
            inner_r = tuple(max(0, r - 1) for r in radii)
            inner = RoundRect(outer.bbox[0] + 1, outer.bbox[1] + 1, outer.bbox[2] - 1, outer.bbox[3] - 1, 0, radii=inner_r)
            for _look, border, top, bottom, glyph in _UD_LOOKS:
                c = Canvas(w, h)
                c.backdrop(FACE)
                c.paint(outer, border)
                c.paint(inner, vgrad(top, bottom, 1, h - 1))
                images.append(c.reduce(keyed=True))
                gw, gh = (7, 5) if name == "vert" else (5, 7)
                g = Canvas(gw, gh)
                g.backdrop(mix(top, bottom, 0.5))
                g.paint(_chevron(direction, gw / 2.0, gh / 2.0, half=2.6, depth=1.3, width=1.5), glyph)
                glyphs.append(g.reduce(keyed=True))
        out["updown%s.bmp" % name] = hstrip(images)
        out["updown%sglyph.bmp" % name] = hstrip(glyphs)
    return out


# ---------------------------------------------------------------- popup menus

MI_W, MI_H = 16, 22


def menu_item():
    """[MenuItem], 5 frames: 1 normal (transparent), 2 separator (line near the bottom, where
    the painter takes it from for short separator items), 3 disabled and selected,
    4 selected, 5 checked."""
    frames = []
    blank = Canvas(MI_W, MI_H)
    blank.backdrop(MENU)
    frames.append(blank.reduce(keyed=True))
    sep = Canvas(MI_W, MI_H)
    sep.backdrop(MENU)
    sep.paint(Rect(2, MI_H - 5, MI_W - 2, MI_H - 4), rgb(0xD5DCE3))
    sep.paint(Rect(2, MI_H - 4, MI_W - 2, MI_H - 3), WHITE)
    frames.append(sep.reduce(keyed=True))
    plate = RoundRect(2, 1, MI_W - 2, MI_H - 1, 3)
    inner = RoundRect(3, 2, MI_W - 3, MI_H - 2, 2)
    for border, top, bottom in ((rgb(0xD2D9E0), rgb(0xF0F3F6), rgb(0xE8EDF1)),
                                (ACCENT_DARK, rgb(0x4A86C8), rgb(0x3471B5)),
                                (rgb(0xA9C4E2), rgb(0xEEF4FB), rgb(0xDDE9F6))):
        c = Canvas(MI_W, MI_H)
        c.backdrop(MENU)
        c.paint(plate, border)
        c.paint(inner, vgrad(top, bottom, 2, MI_H - 2))
        frames.append(c.reduce(keyed=True))
    return {"menuitem.bmp": hstrip(frames)}


def menu_background():
    """[MenuBackground]: popup frame, 3-pixel bands round the menu colour."""
    c = Canvas(16, 16)
    c.paint(Rect(0, 0, 16, 16), rgb(0x8C9BAA))
    c.paint(Rect(1, 1, 15, 15), MENU)
    return {"menubackground.bmp": c.reduce()}


def build():
    out = {}
    for part in (scroll_arrows, scroll_tracks, scroll_thumbs, trackbar_thumbs, up_down, menu_item,
                 menu_background):
        out.update(part())
    return out
