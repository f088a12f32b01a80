"""A skinned window frame composed the way the form painter does it: side and bottom borders,
the caption strip (top border, title plate, title text, caption buttons), the menu band, and
the window region cut from the transparent borders."""

from raster import Image
import skindraw as sd
import textrender as tr

TITLE_PREFIX, TITLE_SUFFIX = "  ", " "
ICON_SIZE = 16


class WindowSpec:
    def __init__(self, title, client_w, client_h, active=True, max_box=False, min_box=True,
                 maximised=False, dialog=False, menu=None, states=None, mdi=False):
        self.title, self.client_w, self.client_h = title, client_w, client_h
        self.active, self.max_box, self.min_box = active, max_box, min_box
        self.maximised, self.dialog = maximised, dialog
        self.mdi = mdi                  # an MDI parent whose active child is maximised
        self.menu = menu or []          # menu bar captions; the first one is drawn hot
        self.states = states or {}      # caption button section name -> frame to show


def _cond(code, look):
    table = {0: True, 1: look.maximised, 2: not look.maximised, 3: look.active, 4: not look.active,
             5: False, 6: look.max_box, 7: not look.max_box, 8: look.min_box, 9: not look.min_box,
             200: look.dialog}
    if code in table:
        return table[code]
    return 201 <= code <= 999


def button_visible(btn, look):
    ex = btn.extra
    # Visibility 0: always for every action but close, which needs a system menu (assumed here).
    first = True if ex["Visibility"] == 0 else _cond(ex["Visibility"], look)
    second = True if ex["Visibility1"] == 0 else _cond(ex["Visibility1"], look)
    if ex["Action"] in (1, 22) and not look.max_box:
        return False
    if ex["Action"] in (2, 23) and not look.min_box:
        return False
    if ex["Action"] in (3, 11, 12) and look.dialog:
        return False
    return first and second


def compose(skin, look, client_painter=None, icon=None):
    """Returns (image, keep-mask) of the whole window."""
    o = skin.objects
    left, right, top, bottom = o["Left"], o["Right"], o["Top"], o["Bottom"]
    lw, rw = left.frame_size()[0], right.frame_size()[0]
    th, bh = top.frame_size()[1], bottom.frame_size()[1]
    menu_h = 20 if look.menu else 0
    w = look.client_w + lw + rw
    h = look.client_h + th + menu_h + bh
    img = Image(w, h, skin.colours["ButtonFace"])

    def piece(obj, x, y, pw, ph):
        k = 1 if look.active or obj.frames == 1 else 2
        part = sd.render_skin_image(pw, ph, obj.bitmap, obj.margins, obj.stacked, obj.tile != 1, obj.frames, k)
        img.blit(part, x, y)
    piece(left, 0, 0, lw, h)
    piece(right, w - rw, 0, rw, h)
    piece(bottom, lw, h - bh, w - lw - rw, bh)
    piece(top, lw, 0, w - lw - rw, th)
    title_rect = _paint_title(img, skin, look, (lw, 0, w - rw, th))
    _paint_buttons(img, skin, look, w, title_rect, icon)
    if look.menu:
        _paint_menu_band(img, skin, look, (lw, th, w - rw, th + menu_h), w, lw, rw, th)
    client = Image(look.client_w, look.client_h, skin.colours["ButtonFace"])
    if client_painter:
        client_painter(client)
    img.blit(client, lw, th + menu_h)
    mask = sd.region_mask(skin, w, h, lw, th, rw, bh, look.active)
    return img, mask


def _paint_title(img, skin, look, cap):
    t = skin.objects["Title"]
    ex = t.extra
    text = TITLE_PREFIX + look.title + TITLE_SUFFIX
    tw, tht = tr.width(text), tr.height()
    x0, y0 = cap[0], cap[1]
    x1 = x0 + tw + ex["TXTBackleft"] + ex["TXTBackRight"]
    align = ex["TextAlignment"]
    if align == 0:
        d = ex["TextShift"]
    elif align == 1:
        d = (cap[2] - x1) // 2
    elif align == 2:
        d = cap[2] - ex["TextRightClip"] - x1
    else:
        d = 0
    dy = (cap[3] - cap[1] - tht) // 2 + ex["TextShiftVert"] // 2
    x0, x1, y0 = x0 + d, x1 + d, y0 + dy
    x1 = min(x1, cap[2] - ex["TextRightClip"])
    if look.dialog and align == 0:
        x0 -= 16
    if t.bitmap is not None:
        sd.draw_skin_strip(img, (x0, cap[1], x1, cap[3]), t.bitmap, ex["TXTBackleft"], ex["TXTBackRight"],
                           1 if look.active else 2, 2, True, True)
    colour = skin.colours["TitleTextActive" if look.active else "TitleTextNoActive"]
    tr.draw(img, x0 + ex["TXTBackleft"], y0, text, colour, clip_right=x1 - ex["TXTBackRight"])
    return (x0, y0, x1, y0 + tht)


def _paint_buttons(img, skin, look, w, title_rect, icon):
    for btn in skin.sysbuttons:
        ex = btn.extra
        if ex["Visibility"] == 100 or btn.bitmap is None or not button_visible(btn, look):
            continue
        bw, bh = btn.frame_size()
        if ex["Action"] in (3, 11):
            bw = bh = ICON_SIZE
        align = ex["Align"]
        if align == 0:
            x, y = ex["Xcoord"], ex["Ycoord"]
        elif align == 1:
            x, y = w - ex["Xcoord"], ex["Ycoord"]
        elif align in (2, 8):
            x, y = title_rect[0] - bw - ex["Xcoord"], ex["Ycoord"]
        elif align in (3, 9):
            x, y = ex["Xcoord"] + title_rect[2], ex["Ycoord"]
        else:
            x = y = 0
        if ex["Action"] in (3, 11):
            if icon is not None:
                img.blit(icon, x, y, keyed=True)
            continue
        k = 1 if look.active or btn.frames < 4 else 4
        k = look.states.get(btn.name, k)
        sd.draw_skin_frame(img, (x, y, x + bw, y + bh), btn.bitmap, True, btn.frames, k)


def _paint_menu_band(img, skin, look, band, w, lw, rw, th):
    bar = skin.objects.get("MenuBar")
    x0, y0, x1, y1 = band
    if bar and bar.bitmap:
        k = 1 if look.active else 2
        if bar.tile == 1:
            sd.draw_skin_image(img, band, bar.bitmap, bar.margins, True, 0, False, 2, k)
        else:
            sd.draw_skin_strip(img, band, bar.bitmap, bar.margins[0], bar.margins[2], k, 2, False, True)
        start = bar.margins[0] + 4
    else:
        sd.fill(img, band, skin.colours["Menubar"])
        start = 6
    x = x0 + start
    for i, caption in enumerate(look.menu):
        bw = tr.width(caption) + 10
        if i == 0:
            sd.frame_rect_line(img, (x, y0, x + bw, y1 - 1), skin.colours["ButtonHilight"])
        tr.draw_centred(img, (x, y0, x + bw, y1 - 1), caption, skin.colours["MenuBarText"])
        x += bw
    if look.mdi:
        for btn in skin.sysbuttons:
            if btn.extra["Visibility"] == 100 and btn.bitmap is not None:
                bw, bh = btn.frame_size()
                bx = w - btn.extra["Xcoord"] - rw
                by = (y1 - y0 - bh) // 2 + th
                k = look.states.get(btn.name, 1)
                sd.draw_skin_frame(img, (bx, by, bx + bw, by + bh), btn.bitmap, True, btn.frames, k)
