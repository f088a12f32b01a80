"""The engine's skin drawing rules in plain Python: frame selection, nine-slice fitting with
fixed margins, three-part strips, whole-frame stretching, centred glyphs and colour-key
transparency. preview.py draws with these so that what it shows is what the engine would
paint; stretching is nearest-neighbour like StretchBlt in COLORONCOLOR mode.
"""

from raster import Image, MAGENTA


def frame_rect(bitmap, frames, k, stacked=False):
    """(x, y, w, h) of frame k (from 1) of an image holding `frames` equal frames."""
    frames = max(1, frames)
    if stacked:
        fh = bitmap.h // frames
        return (0, fh * (k - 1), bitmap.w, fh)
    fw = bitmap.w // frames
    return (fw * (k - 1), 0, fw, bitmap.h)


def stretch(dst, src, sx, sy, sw, sh, dx, dy, dw, dh, keyed=False):
    """Copy a source rectangle onto a destination rectangle, nearest neighbour."""
    if sw <= 0 or sh <= 0 or dw <= 0 or dh <= 0:
        return
    for j in range(dh):
        ty = dy + j
        if not 0 <= ty < dst.h:
            continue
        srow = (sy + (j * sh) // dh) * src.w
        for i in range(dw):
            tx = dx + i
            if not 0 <= tx < dst.w:
                continue
            c = src.px[srow + sx + (i * sw) // dw]
            if keyed and c == MAGENTA:
                continue
            dst.px[ty * dst.w + tx] = c


def render_skin_image(w, h, bitmap, margins, stacked, tile, frames, k):
    """The nine-slice fit: corners unscaled, edges stretched, centre stretched or tiled; the
    right and bottom pieces are drawn after the centre so they cover tiles that overrun."""
    fx, fy, fw, fh = frame_rect(bitmap, frames, k, stacked)
    L, T, R, B = margins
    if w < L + R:
        L = R = 0
    if h < T + B:
        T = B = 0
    out = Image(w, h)

    def piece(sx, sy, sw, sh, dx, dy, dw, dh):
        stretch(out, bitmap, sx, sy, sw, sh, dx, dy, dw, dh)
    if L * T:
        piece(fx, fy, L, T, 0, 0, L, T)
    if L * B:
        piece(fx, fy + fh - B, L, B, 0, h - B, L, B)
    if R * T:
        piece(fx + fw - R, fy, R, T, w - R, 0, R, T)
    if L:
        piece(fx, fy + T, L, fh - T - B, 0, T, L, h - T - B)
    if T:
        piece(fx + L, fy, fw - L - R, T, L, 0, w - L - R, T)
    cw, ch = fw - L - R, fh - T - B
    if tile:
        if cw > 0 and ch > 0:
            y = T
            while y < h - B:
                x = L
                while x < w - R:
                    piece(fx + L, fy + T, cw, ch, x, y, cw, ch)
                    x += cw
                y += ch
    else:
        piece(fx + L, fy + T, cw, ch, L, T, w - L - R, h - T - B)
    if R * B:
        piece(fx + fw - R, fy + fh - B, R, B, w - R, h - B, R, B)
    if R:
        piece(fx + fw - R, fy + T, R, fh - T - B, w - R, T, R, h - T - B)
    if B:
        piece(fx + L, fy + fh - B, fw - L - R, B, L, h - B, w - L - R, B)
    return out


def draw_skin_image(dst, rect, bitmap, margins, stacked, tile, transparent, frames, k):
    x0, y0, x1, y1 = rect
    if x1 < x0 or y1 < y0 or bitmap is None:
        return
    img = render_skin_image(x1 - x0, y1 - y0, bitmap, margins, stacked, tile, frames, k)
    dst.blit(img, x0, y0, keyed=transparent)


def draw_object(dst, rect, obj, k, transparent=None):
    """A skin object's frame k over rect with its own margins, tiling and transparency."""
    draw_skin_image(dst, rect, obj.bitmap, obj.margins, obj.stacked, obj.tile,
                    obj.trans if transparent is None else transparent, obj.frames, k)


def draw_skin_strip(dst, rect, bitmap, left, right, k, frames, transparent, stacked):
    """Caption and menu strips: left cap, middle tiled across, right cap; full height."""
    x0, y0, x1, y1 = rect
    if x1 < x0 or y1 < y0:
        return
    w, h = x1 - x0, y1 - y0
    fx, fy, fw, fh = frame_rect(bitmap, frames, k, stacked)
    out = Image(w, h)
    stretch(out, bitmap, fx, fy, left, fh, 0, 0, left, h)
    m = fw - left - right
    if m > 0:
        x = left
        while x < w - right:
            stretch(out, bitmap, fx + left, fy, m, fh, x, 0, m, h)
            x += m
    stretch(out, bitmap, fx + fw - right, fy, right, fh, w - right, 0, right, h)
    dst.blit(out, x0, y0, keyed=transparent)


def draw_skin_frame(dst, rect, bitmap, transparent, frames, k):
    """One whole frame (side by side) stretched to the rectangle."""
    x0, y0, x1, y1 = rect
    if x1 < x0 or y1 < y0 or bitmap is None:
        return
    fx, fy, fw, fh = frame_rect(bitmap, frames, k)
    out = Image(x1 - x0, y1 - y0)
    stretch(out, bitmap, fx, fy, fw, fh, 0, 0, x1 - x0, y1 - y0)
    dst.blit(out, x0, y0, keyed=transparent)


def draw_skin_glyph(dst, rect, bitmap, transparent, frames, k):
    """One frame unscaled, centred in the rectangle."""
    x0, y0, x1, y1 = rect
    if x1 < x0 or y1 < y0 or bitmap is None:
        return
    fx, fy, fw, fh = frame_rect(bitmap, frames, k)
    gx = x0 + int((x1 - x0 - fw) / 2)
    gy = y0 + int((y1 - y0 - fh) / 2)
    dst.blit(bitmap.crop(fx, fy, fw, fh), gx, gy, keyed=transparent)


def fill(dst, rect, colour):
    x0, y0, x1, y1 = rect
    for y in range(max(0, y0), min(dst.h, y1)):
        for x in range(max(0, x0), min(dst.w, x1)):
            dst.px[y * dst.w + x] = colour


def frame_rect_line(dst, rect, colour):
    """A 1-pixel rectangle outline (FrameRect)."""
    x0, y0, x1, y1 = rect
    fill(dst, (x0, y0, x1, y0 + 1), colour)
    fill(dst, (x0, y1 - 1, x1, y1), colour)
    fill(dst, (x0, y0, x0 + 1, y1), colour)
    fill(dst, (x1 - 1, y0, x1, y1), colour)


def combo_composite(skin, scroll_width=16):
    """The loader's edit frame composite: SunkEdge, ComboButton and the ExtraImages arrow
    combined into 50 x 21 frames, the text area keyed out. Returns (strip, margins) of the
    resulting ComboButton, or None when the skin lacks SunkEdge or ComboButton."""
    sunk, combo = skin.objects.get("SunkEdge"), skin.objects.get("ComboButton")
    if not sunk or not combo or not sunk.bitmap or not combo.bitmap:
        return None
    extra = skin.objects.get("ExtraImages")
    w = scroll_width + 2
    strip = Image(50 * sunk.frames, 21)
    for b in range(1, sunk.frames + 1):
        work = Image(50, 21)
        draw_skin_image(work, (0, 0, 50, 21), sunk.bitmap, sunk.margins, False, 0, sunk.trans == 1, sunk.frames, b)
        draw_skin_image(work, (50 - w, 0, 50, 21), combo.bitmap, combo.margins, False, 0, True, combo.frames, b)
        if extra and extra.bitmap:
            draw_skin_glyph(work, (50 - w, 0, 50, 21), extra.bitmap, True, extra.frames, b)
        fill(work, (2, 2, 49 - w, 18), MAGENTA)
        strip.blit(work, 50 * (b - 1), 0)
    margins = (2, sunk.margins[1], w + 2, sunk.margins[3])
    return strip, margins


def region_mask(skin, w, h, left_w, top_h, right_w, bottom_h, active=True):
    """Which window pixels the window region keeps: the inner rectangle plus each border, cut
    from its rendered image where that border is transparent (the top border here from its
    own image; the engine takes it from the painted caption strip)."""
    keep = [True] * (w * h)
    k = 1 if active else 2

    def cut(obj, x0, y0, pw, ph):
        if not obj.trans or not obj.bitmap or pw <= 0 or ph <= 0:
            return
        img = render_skin_image(pw, ph, obj.bitmap, obj.margins, obj.stacked, obj.tile == 0,
                                obj.frames, 1 if obj.frames == 1 else k)
        for y in range(ph):
            for x in range(pw):
                if img.px[y * pw + x] == MAGENTA:
                    keep[(y0 + y) * w + x0 + x] = False
    o = skin.objects
    if not (o["Left"].trans or o["Right"].trans or o["Top"].trans):
        return keep
    cut(o["Left"], 0, 0, left_w, h)
    cut(o["Right"], w - right_w, 0, right_w, h)
    if bottom_h >= 2:
        cut(o["Bottom"], left_w, h - bottom_h, w - left_w - right_w, bottom_h)
    if top_h > 1:
        cut(o["Top"], left_w, 0, w - left_w - right_w, top_h)
    return keep
