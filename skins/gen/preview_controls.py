"""Standard controls painted from the skin as the control wrappers paint them: push buttons,
edits, check boxes, radio buttons, combo boxes, scroll bars, progress and track bars, tabs,
headers, up-down buttons, status bars and popup menus."""

import skindraw as sd
import textrender as tr

WHITE = (255, 255, 255)
GREY_TEXT = (128, 128, 128)


class Painter:
    def __init__(self, skin, scroll=17):
        self.skin, self.o, self.c = skin, skin.objects, skin.colours
        self.scroll = scroll
        composite = sd.combo_composite(skin, scroll - 1)
        self.combo = composite

    # ------------------------------------------------------------------ buttons
    def button(self, img, rect, caption, frame=1, focused=False):
        btn = self.o["Buttons"]
        sd.draw_object(img, rect, btn, frame)
        colour = {1: btn.extra["NormalColour2"], 2: btn.extra["PressedColour2"],
                  4: btn.extra["MouseOverColour2"], 5: btn.extra["MouseOverColour2"]}.get(frame)
        colour = GREY_TEXT if frame == 3 else colour or self.c["ButtonText"]
        tr.draw_centred(img, rect, caption, colour, dy=-1)
        if focused:
            x0, y0, x1, y1 = rect
            tw, th = tr.width(caption), tr.height()
            fx = x0 + (x1 - x0 - tw) // 2 - 2
            fy = y0 + (y1 - y0 - th) // 2 - 2
            self.dotted(img, (fx, fy, fx + tw + 4, fy + th + 2))

    def dotted(self, img, rect):
        x0, y0, x1, y1 = rect
        for x in range(x0, x1):
            for y in (y0, y1 - 1):
                if (x + y) % 2 == 0 and 0 <= x < img.w and 0 <= y < img.h:
                    img.px[y * img.w + x] = (40, 40, 40)
        for y in range(y0, y1):
            for x in (x0, x1 - 1):
                if (x + y) % 2 == 0 and 0 <= x < img.w and 0 <= y < img.h:
                    img.px[y * img.w + x] = (40, 40, 40)

    def label(self, img, x, y, text, colour=None):
        tr.draw(img, x, y, text, colour or self.c["WindowText"])

    # ------------------------------------------------------------------ edits and combos
    def edit(self, img, rect, text, enabled=True):
        x0, y0, x1, y1 = rect
        sd.fill(img, rect, WHITE)
        sd.frame_rect_line(img, rect, self.c["ButtonShadow"])
        tr.draw(img, x0 + 4, y0 + (y1 - y0 - tr.height()) // 2, text,
                self.c["WindowText"] if enabled else GREY_TEXT, clip_right=x1 - 3)

    def combo_box(self, img, rect, text, frame=1):
        if not self.combo:
            return
        strip, margins = self.combo
        x0, y0, x1, y1 = rect
        sd.fill(img, rect, WHITE if frame != 3 else (244, 246, 248))
        sd.draw_skin_image(img, rect, strip, margins, False, 0, True, 4, frame)
        tr.draw(img, x0 + 4, y0 + (y1 - y0 - tr.height()) // 2, text,
                GREY_TEXT if frame == 3 else self.c["WindowText"])

    # ------------------------------------------------------------------ check and radio
    def check(self, img, x, y, h, caption, state=1, radio=False):
        btn = self.o["Buttons"]
        bmp = btn.extra["radio" if radio else "check"]
        n = btn.extra["radio_frames" if radio else "check_frames"]
        fw = bmp.w // n
        top = y + (h - bmp.h) // 2
        left = x + ((14 - fw) // 2 if radio and fw < 15 else 0)
        sd.draw_skin_frame(img, (left, top, left + fw, top + bmp.h), bmp, True, n, state)
        if caption:
            tr.draw(img, x + 18, y + (h - tr.height()) // 2, caption, self.c["WindowText"])

    # ------------------------------------------------------------------ scroll bars
    def scroll_bar(self, img, rect, vertical, start, length, pressed=None, enabled=True):
        o, b = self.o, self.scroll
        x0, y0, x1, y1 = rect
        sd.fill(img, rect, self.c["ButtonFace"])
        track = o["VertScroll" if vertical else "HorzScroll"]
        arrows = o["Scrollbar"]
        thumb = o["VertScrollThumb" if vertical else "HorzScrollThumb"]
        if vertical:
            sd.draw_object(img, (x0, y0 + b, x1, y1 - b), track, 1 if enabled else 3)
            first, second = (x0, y0, x1, y0 + b), (x0, y1 - b, x1, y1)
            codes = (9, 13)
        else:
            sd.draw_object(img, (x0 + b, y0, x1 - b, y1), track, 1 if enabled else 3)
            first, second = (x0, y0, x0 + b, y1), (x1 - b, y0, x1, y1)
            codes = (1, 5)
        for r, code, which in ((first, codes[0], 0), (second, codes[1], 1)):
            frame = code + (1 if pressed == which else 0) + (3 if not enabled else 0)
            sd.draw_skin_frame(img, r, arrows.bitmap, True, arrows.frames, frame)
        if enabled:
            k = 2 if pressed == 5 else 1
            r = (x0, y0 + start, x1, y0 + start + length) if vertical else (x0 + start, y0, x0 + start + length, y1)
            sd.draw_object(img, r, thumb, k)

    # ------------------------------------------------------------------ progress, track bar
    def progress(self, img, rect, fraction):
        p = self.o["Progress"]
        x0, y0, x1, y1 = rect
        sd.draw_skin_image(img, rect, p.bitmap, p.margins, False, p.tile, True, 2, 1)
        filled = int((x1 - x0) * fraction)
        if filled > 0:
            sd.draw_skin_image(img, (x0, y0, x0 + filled, y1), p.bitmap, p.margins, False, p.tile, True, 2, 2)

    def track_bar(self, img, rect, fraction, ticks=11):
        x0, y0, x1, y1 = rect
        cy = y0 + 10
        # Built-in groove of the program (not part of the skin): dark top line, white below.
        sd.fill(img, (x0 + 8, cy - 2, x1 - 8, cy + 2), WHITE)
        sd.fill(img, (x0 + 8, cy - 2, x1 - 8, cy - 1), (128, 128, 128))
        sd.fill(img, (x0 + 8, cy - 2, x0 + 9, cy + 2), (160, 160, 160))
        for i in range(ticks):
            tx = x0 + 13 + (x1 - x0 - 26) * i // (ticks - 1)
            sd.fill(img, (tx, y0 + 24, tx + 1, y0 + 28), (60, 60, 60))
        thumb = self.o["Trackbar.ThumbHorz"]
        tx = x0 + 13 + int((x1 - x0 - 26) * fraction) - 5
        sd.draw_skin_frame(img, (tx, y0, tx + 11, y0 + 20), thumb.bitmap, True, thumb.frames, 2)

    # ------------------------------------------------------------------ tabs and headers
    def tabs(self, img, rect, captions, selected, page_h):
        t = self.o["Tabs"]
        x0, y0, x1, y1 = rect
        x = x0 + 2
        for i, cap in enumerate(captions):
            w = tr.width(cap) + 18
            sel = i == selected
            r = (x - (2 if sel else 0), y0 + (0 if sel else 2), x + w + (2 if sel else 0), y0 + 22)
            sd.draw_object(img, r, t, 2 if sel else 1)
            colour = t.extra["MouseOverColour2" if sel else "NormalColour2"] or self.c["ButtonText"]
            tr.draw_centred(img, r, cap, colour, dy=1)
            x += w
        sd.draw_skin_image(img, (x0, y0 + 22, x1, y0 + 22 + page_h), t.aux, (4, 5, 4, 4), False, 0, True, 1, 1)

    def header(self, img, rect, items, hot=-1):
        hb = self.o["Headerbar"]
        x0, y0, x1, y1 = rect
        x = x0
        for i, (cap, w) in enumerate(items):
            sd.draw_object(img, (x, y0, x + w, y1), hb, 2 if i == hot else 1)
            tr.draw(img, x + 6, y0 + (y1 - y0 - tr.height()) // 2, cap, self.c["ButtonText"])
            x += w
        sd.draw_object(img, (x, y0, x1, y1), hb, 1)

    def up_down_edit(self, img, rect, text, pressed_down=False):
        x0, y0, x1, y1 = rect
        self.edit(img, rect, text)
        ud, glyph = self.o["UpDown.Vert"], self.o["UpDown.Vert"].aux
        ux0, ux1 = x1 - 3 - 15, x1 - 3
        half = (y1 - y0 - 6) // 2
        for i, (ry0, ry1) in enumerate(((y0 + 3, y0 + 3 + half), (y0 + 3 + half, y1 - 3))):
            state = 2 if (i == 1 and pressed_down) else 1
            frame = i * 4 + state
            sd.draw_object(img, (ux0, ry0, ux1, ry1), ud, frame)
            sd.draw_skin_glyph(img, (ux0, ry0, ux1, ry1), glyph, True, 8, frame)

    # ------------------------------------------------------------------ status bar and menus
    def status_bar(self, img, rect, panels):
        se, extra = self.o["StatusBarEdges"], self.o["ExtraImages"]
        x0, y0, x1, y1 = rect
        sd.fill(img, rect, self.c["ButtonFace"])
        x = x0
        colour = se.extra.get("NormalColour2") or self.c["ButtonText"]
        for i, (text, w) in enumerate(panels):
            right = x1 if i == len(panels) - 1 else x + w + 2
            sd.draw_object(img, (x, y0 + 2, right, y1), se, 1)
            tr.draw(img, x + 4, y0 + 2 + (y1 - y0 - 2 - tr.height()) // 2 - 1, text, colour)
            x += w + 2
        fw = extra.bitmap.w // extra.frames
        sd.draw_skin_frame(img, (x1 - 1 - fw, y1 - 1 - extra.bitmap.h, x1 - 1, y1 - 1), extra.bitmap, True, extra.frames, 5)

    def popup_menu(self, img, x, y, w, items):
        """items: (caption, kind) with kind 'normal', 'selected', 'disabled' or 'sep'."""
        bg, mi = self.o["MenuBackground"], self.o["MenuItem"]
        heights = [9 if kind == "sep" else 22 for _, kind in items]
        h = sum(heights) + 6
        frame = sd.render_skin_image(w, h, bg.bitmap, bg.margins, False, bg.tile, 1, 1)
        img.blit(frame, x, y)
        iy = y + 3
        for (cap, kind), ih in zip(items, heights):
            r = (x + 3, iy, x + w - 3, iy + ih)
            if kind == "sep":
                fw = mi.bitmap.w // mi.frames
                src_y = mi.bitmap.h - ih if mi.bitmap.h > ih else 0
                sep = mi.bitmap.crop(fw, src_y, fw, min(ih, mi.bitmap.h))
                sd.draw_skin_image(img, (r[0], r[1], r[2], r[1] + sep.h), sep, (mi.margins[0], 0, mi.margins[2], 0), False, 0, True, 1, 1)
            else:
                k = 4 if kind == "selected" else 1
                sd.draw_object(img, r, mi, k)
                colour = {"selected": self.c["HilightText"], "disabled": self.c["ButtonShadow"]}.get(kind, self.c["MenuText"])
                tr.draw(img, r[0] + 1 + mi.margins[0] + 16 + 3, iy + (ih - tr.height()) // 2, cap, colour)
            iy += ih
        return h
