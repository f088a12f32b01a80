"""Push buttons, check boxes, radio buttons, edit/combo edges, tabs, progress bars, headers,
status bars, tool bars and group box edges."""

from raster import Canvas, Rect, RoundRect, Stroke, Circle, ring, hstrip, mix, vgrad, rgb
from palette import (FACE, WHITE, TEXT, SHADOW, ACCENT, ACCENT_DARK, FOCUS_BORDER, CTRL_BORDER,
                     CTRL_BORDER_DIS, CTRL_FILL_DIS, GLYPH, GLYPH_DIS)

BTN_W, BTN_H = 22, 25


def _box(w, h, r, border, fill, backdrop=FACE, extra=None):
    """A rounded box with a 1-pixel border over the given backdrop."""
    c = Canvas(w, h)
    c.backdrop(backdrop)
    outer = RoundRect(0, 0, w, h, r)
    inner = RoundRect(1, 1, w - 1, h - 1, r - 1)
    c.paint(outer, border)
    c.paint(inner, fill)
    if extra:
        extra(c)
    return c.reduce(keyed=True)


# ---------------------------------------------------------------- push buttons

def push_buttons():
    """[Buttons] Bitmap: 1 normal, 2 pressed, 3 disabled, 4 hot or focused, 5 default."""
    def top_light(c):
        c.paint(Rect(3, 1, BTN_W - 3, 2), WHITE, alpha=0.9)

    def pressed_shade(c):
        c.paint(Rect(3, 1, BTN_W - 3, 2), rgb(0xB9C6D3), alpha=0.8)

    def default_ring(c):
        c.paint(ring(RoundRect(1, 1, BTN_W - 1, BTN_H - 1, 2), RoundRect(2, 2, BTN_W - 2, BTN_H - 2, 1)),
                rgb(0xB3CDEA))
    frames = [
        _box(BTN_W, BTN_H, 3, CTRL_BORDER, vgrad(WHITE, rgb(0xE6EBF0), 1, BTN_H - 1), extra=top_light),
        _box(BTN_W, BTN_H, 3, rgb(0x6F8396), vgrad(rgb(0xD2DBE4), rgb(0xE2E8EE), 1, BTN_H - 1), extra=pressed_shade),
        _box(BTN_W, BTN_H, 3, CTRL_BORDER_DIS, CTRL_FILL_DIS),
        _box(BTN_W, BTN_H, 3, FOCUS_BORDER, vgrad(WHITE, rgb(0xDCE9F7), 1, BTN_H - 1), extra=top_light),
        _box(BTN_W, BTN_H, 3, ACCENT, vgrad(WHITE, rgb(0xE6EBF0), 1, BTN_H - 1), extra=default_ring),
    ]
    return {"button.bmp": hstrip(frames)}


# ---------------------------------------------------------------- check boxes and radio buttons

CHK = 13
_UNCHECKED = {   # border, fill top, fill bottom
    "normal": (rgb(0x7D8B99), WHITE, rgb(0xEEF1F4)),
    "hot": (FOCUS_BORDER, WHITE, rgb(0xE2EDF9)),
    "pressed": (ACCENT, rgb(0xD3E1F0), rgb(0xE4ECF5)),
    "disabled": (CTRL_BORDER_DIS, CTRL_FILL_DIS, CTRL_FILL_DIS),
}
_CHECKED = {
    "normal": (ACCENT_DARK, rgb(0x4C88CB), ACCENT),
    "hot": (ACCENT, rgb(0x6AA2DE), rgb(0x4A86C9)),
    "pressed": (rgb(0x1F4F86), rgb(0x2A609E), rgb(0x245690)),
    "disabled": (rgb(0xB3BEC9), rgb(0xC3CCD5), rgb(0xBAC4CE)),
}
STATES = ("normal", "hot", "pressed", "disabled")


def _mark(c, shape, disabled):
    c.paint(shape, rgb(0xF6F8FA) if disabled else WHITE)


def check_boxes():
    """CheckButton, 12 frames: unchecked, checked, mixed, each normal, hot, pressed, disabled.
    (The engine maps 4-state codes onto 1, 5, 4, 8 and an indeterminate box onto 9 or 12.)"""
    tick = Stroke([(3.3, 6.6), (5.6, 9.0), (9.8, 3.9)], 1.7)
    dash = Rect(3.5, 5.5, 9.5, 7.5)
    frames = []
    for mark in (None, tick, dash):
        for st in STATES:
            border, top, bottom = (_UNCHECKED if mark is None else _CHECKED)[st]

            def extra(c, m=mark, s=st):
                if m is not None:
                    _mark(c, m, s == "disabled")
            frames.append(_box(CHK, CHK, 3, border, vgrad(top, bottom, 1, CHK - 1), extra=extra))
    return {"checkbox.bmp": hstrip(frames)}


def radio_buttons():
    """RadioButton, 8 frames: unchecked then checked, each normal, hot, pressed, disabled."""
    frames = []
    centre = CHK / 2.0
    for checked in (False, True):
        for st in STATES:
            border, top, bottom = (_CHECKED if checked else _UNCHECKED)[st]
            c = Canvas(CHK, CHK)
            c.backdrop(FACE)
            c.paint(Circle(centre, centre, centre), border)
            c.paint(Circle(centre, centre, centre - 1), vgrad(top, bottom, 1, CHK - 1))
            if checked:
                _mark(c, Circle(centre, centre, 2.6), st == "disabled")
            frames.append(c.reduce(keyed=True))
    return {"radio.bmp": hstrip(frames)}


# ---------------------------------------------------------------- edit and combo edges

EDGE_W, EDGE_H = 10, 21
COMBO_W = 18
FIELD_BORDERS = (SHADOW, ACCENT, CTRL_BORDER_DIS, FOCUS_BORDER)     # normal, pressed, disabled, hot
FIELD_FILLS = (WHITE, WHITE, CTRL_FILL_DIS, WHITE)
COMBO_FACES = ((rgb(0xFAFBFC), rgb(0xE6EBF0)), (rgb(0xCCD9E6), rgb(0xDCE5EE)),
               (CTRL_FILL_DIS, CTRL_FILL_DIS), (rgb(0xF4F8FD), rgb(0xDAE7F5)))
ARROW_COLOURS = (GLYPH, TEXT, GLYPH_DIS, ACCENT)


def sunk_edge():
    """[SunkEdge]: field edge, 1 normal, 2 pressed, 3 disabled, 4 hot or focused. Matches the
    edit box outline (ButtonShadow and two white lines) so edits and combos look alike."""
    frames = []
    for border, fill in zip(FIELD_BORDERS, FIELD_FILLS):
        c = Canvas(EDGE_W, EDGE_H)
        c.paint(Rect(0, 0, EDGE_W, EDGE_H), border)
        c.paint(Rect(1, 1, EDGE_W - 1, EDGE_H - 1), fill)
        frames.append(c.reduce())
    return {"sunkedge.bmp": hstrip(frames)}


def combo_button():
    """[ComboButton]: right end of a combo box, full height, same four states as SunkEdge."""
    frames = []
    for border, fill, (top, bottom) in zip(FIELD_BORDERS, FIELD_FILLS, COMBO_FACES):
        c = Canvas(COMBO_W, EDGE_H)
        c.paint(Rect(0, 0, COMBO_W, EDGE_H), border)
        c.paint(Rect(0, 1, COMBO_W - 1, EDGE_H - 1), fill)
        c.paint(Rect(1, 2, COMBO_W - 2, EDGE_H - 2), vgrad(top, bottom, 2, EDGE_H - 2))
        c.paint(Rect(0, 2, 1, EDGE_H - 2), mix(border, WHITE, 0.45))
        frames.append(c.reduce())
    return {"combobutton.bmp": hstrip(frames)}


def extra_images():
    """[ExtraImages]: frames 1-4 the drop-down arrow for the combo states, 5 the size grip."""
    size = 11
    chevron = Stroke([(2.6, 4.0), (5.5, 6.9), (8.4, 4.0)], 1.6)
    frames = []
    for (top, bottom), colour in zip(COMBO_FACES, ARROW_COLOURS):
        c = Canvas(size, size)
        c.backdrop(mix(top, bottom, 0.5))
        c.paint(chevron, colour)
        frames.append(c.reduce(keyed=True))
    c = Canvas(size, size)
    c.backdrop(FACE)
    for gx, gy in ((8, 8), (5, 8), (8, 5), (2, 8), (5, 5), (8, 2)):
        c.paint(Rect(gx + 1, gy + 1, gx + 3, gy + 3), WHITE)
        c.paint(Rect(gx, gy, gx + 2, gy + 2), rgb(0x9AA7B4))
    frames.append(c.reduce(keyed=True))
    return {"extraimages.bmp": hstrip(frames)}


# ---------------------------------------------------------------- tabs, progress, headers

TAB_W, TAB_H = 20, 22
TAB_LINE = rgb(0xAAB6C2)


def tabs():
    """[Tabs] Image: 1 normal, 2 selected, 3 hot, 4 disabled, 5 selected and focused.
    Border: the page frame (margins 4, 5, 4, 4 are fixed by the painter), centre = face."""
    def tab(border, fill, accent=None, open_bottom=False):
        c = Canvas(TAB_W, TAB_H)
        c.backdrop(FACE)
        shape = RoundRect(0, 0, TAB_W, TAB_H + 4, 0, radii=(4, 4, 0, 0))
        c.paint(shape & Rect(0, 0, TAB_W, TAB_H), border)
        c.paint(RoundRect(1, 1, TAB_W - 1, TAB_H + 4, 0, radii=(3, 3, 0, 0)) & Rect(0, 0, TAB_W, TAB_H), fill)
        if accent:
            c.paint(RoundRect(1, 1, TAB_W - 1, 6, 0, radii=(3, 3, 0, 0)) & Rect(0, 1, TAB_W, 3), accent)
        if not open_bottom:
            c.paint(Rect(0, TAB_H - 1, TAB_W, TAB_H), TAB_LINE)
        return c.reduce(keyed=True)
    frames = [
        tab(TAB_LINE, vgrad(rgb(0xF3F5F8), rgb(0xE1E7ED), 1, TAB_H)),
        tab(TAB_LINE, vgrad(rgb(0xFBFCFD), FACE, 3, TAB_H), accent=ACCENT, open_bottom=True),
        tab(rgb(0x94AEC8), vgrad(rgb(0xF8FBFE), rgb(0xE3ECF6), 1, TAB_H)),
        tab(CTRL_BORDER_DIS, CTRL_FILL_DIS),
        tab(TAB_LINE, vgrad(rgb(0xFBFCFD), FACE, 3, TAB_H), accent=ACCENT_DARK, open_bottom=True),
    ]
    c = Canvas(16, 16)
    c.paint(Rect(0, 0, 16, 16), TAB_LINE)
    c.paint(Rect(1, 1, 15, 15), FACE)
    c.paint(Rect(1, 1, 15, 2), rgb(0xF8FAFB))
    return {"tabs.bmp": hstrip(frames), "tabborder.bmp": c.reduce()}


PROG_W, PROG_H = 20, 14


def progress():
    """[Progress] Bitmap: 1 the empty bar, 2 the filled part; Chunk for the chunk style."""
    track = Canvas(PROG_W, PROG_H)
    track.backdrop(FACE)
    track.paint(RoundRect(0, 0, PROG_W, PROG_H, 4), rgb(0xAEBAC6))
    track.paint(RoundRect(1, 1, PROG_W - 1, PROG_H - 1, 3), vgrad(rgb(0xDCE2E8), rgb(0xF3F5F7), 1, PROG_H - 1))
    empty = track.reduce(keyed=True)
    fill = Canvas(PROG_W, PROG_H)
    fill.paint(RoundRect(0, 0, PROG_W, PROG_H, 4), rgb(0xAEBAC6), kind=1)
    fill.paint(RoundRect(1, 1, PROG_W - 1, PROG_H - 1, 3), rgb(0xE8ECF0), kind=1)
    fill.paint(RoundRect(1, 1, PROG_W - 1, PROG_H - 1, 3), ACCENT_DARK)
    fill.paint(RoundRect(2, 2, PROG_W - 2, PROG_H - 2, 2), vgrad(rgb(0x79AEE6), rgb(0x3B79C0), 2, PROG_H - 2))
    fill.paint(Rect(3, 2, PROG_W - 3, 3), WHITE, alpha=0.35)
    chunk = Canvas(8, 10)
    chunk.paint(RoundRect(0, 0, 6, 10, 1.5), vgrad(rgb(0x79AEE6), rgb(0x3B79C0), 0, 10))
    return {"progress.bmp": hstrip([empty, fill.reduce(keyed=True)]),
            "progresschunk.bmp": chunk.reduce()}


HDR_W, HDR_H = 16, 20


def header_bar():
    """[Headerbar]: 1 normal, 2 hot, 3 pressed, 4 disabled, 5 sorted/selected."""
    looks = ((WHITE, rgb(0xE9EEF3), None), (rgb(0xF6FAFE), rgb(0xDDE9F6), None),
             (rgb(0xD5DFE9), rgb(0xE3E9EF), None), (CTRL_FILL_DIS, CTRL_FILL_DIS, None),
             (WHITE, rgb(0xE9EEF3), ACCENT))
    frames = []
    for top, bottom, accent in looks:
        c = Canvas(HDR_W, HDR_H)
        c.paint(Rect(0, 0, HDR_W, HDR_H), vgrad(top, bottom, 0, HDR_H - 1))
        c.paint(Rect(HDR_W - 2, 3, HDR_W - 1, HDR_H - 4), rgb(0xC9D2DB))
        c.paint(Rect(HDR_W - 1, 3, HDR_W, HDR_H - 4), WHITE)
        c.paint(Rect(0, HDR_H - 1, HDR_W, HDR_H), rgb(0xB7C3CF))
        if accent:
            c.paint(Rect(0, HDR_H - 2, HDR_W, HDR_H), accent)
        frames.append(c.reduce())
    return {"headerbar.bmp": hstrip(frames)}


def status_edges():
    """[StatusBarEdges]: 1 lowered panel, 2 raised panel, 3 no edge."""
    w, h = 12, 18
    lowered = Canvas(w, h)
    lowered.paint(Rect(0, 0, w, h), rgb(0xC6CFD8))
    lowered.paint(Rect(1, 1, w - 1, h - 1), rgb(0xF5F7F9))
    raised = Canvas(w, h)
    raised.paint(Rect(0, 0, w, h), FACE)
    raised.paint(Rect(0, 0, w, 1), WHITE)
    raised.paint(Rect(0, 0, 1, h), WHITE)
    raised.paint(Rect(0, h - 1, w, h), rgb(0xC6CFD8))
    raised.paint(Rect(w - 1, 0, w, h), rgb(0xC6CFD8))
    plain = Canvas(w, h)
    plain.paint(Rect(0, 0, w, h), FACE)
    return {"statusbaredges.bmp": hstrip([lowered.reduce(), raised.reduce(), plain.reduce()])}


def tool_bars():
    """[ToolBars]: 1 normal (flat), 2 pressed, 3 disabled (flat), 4 hot, 5 checked."""
    size = 22
    looks = (None, (rgb(0x8CA4BF), rgb(0xCBD8E6)), None, (rgb(0xA5C0DE), rgb(0xEAF2FB)),
             (rgb(0x7B9CC4), rgb(0xDAE6F3)))
    frames = []
    for look in looks:
        c = Canvas(size, size)
        c.backdrop(FACE)
        if look:
            c.paint(RoundRect(0, 0, size, size, 3), look[0])
            c.paint(RoundRect(1, 1, size - 1, size - 1, 2), look[1])
        frames.append(c.reduce(keyed=True))
    return {"toolbars.bmp": hstrip(frames)}


def group_box_edge():
    """[GroupBoxEdge]: a rounded frame with a transparent centre, 1 normal, 2 disabled."""
    frames = []
    for colour in (TAB_LINE, CTRL_BORDER_DIS):
        c = Canvas(16, 16)
        c.backdrop(FACE)
        c.paint(ring(RoundRect(0, 0, 16, 16, 3), RoundRect(1, 1, 15, 15, 2)), colour)
        frames.append(c.reduce(keyed=True))
    return {"groupboxedge.bmp": hstrip(frames)}


def build():
    out = {}
    for part in (push_buttons, check_boxes, radio_buttons, sunk_edge, combo_button, extra_images,
                 tabs, progress, header_bar, status_edges, tool_bars, group_box_edge):
        out.update(part())
    return out
