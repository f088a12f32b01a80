#!/usr/bin/env python3
"""Check a skin folder before it is packed.

    check_skin.py <folder>

Reads the description as the skin loader does and verifies that every referenced bitmap exists
and is a 24-bit BMP, that image sizes divide evenly by their frame counts, that margins fit in a
frame, that the frame borders fit together and are cut (magenta) where the window must be
rounded, that opaque pieces hold no magenta, and that caption buttons neither overlap nor leave
the caption. Prints every problem and exits with 1 if there is any, 0 otherwise.
"""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from raster import MAGENTA                       # noqa: E402
from skinini import SkinFolder, COLOUR_KEYS      # noqa: E402

REQUIRED_SECTIONS = (
    "Personality", "Colours", "Fonts", "TitlebarSkin", "Buttons", "MdiControls", "ComboButton",
    "SunkEdge", "ExtraImages", "Scrollbar", "HorzScroll", "VertScroll", "HorzScrollThumb",
    "VertScrollThumb", "Tabs", "Progress", "Trackbar.ThumbHorz", "Trackbar.ThumbVert",
    "Trackbar.ThumbLeft", "Trackbar.ThumbRight", "Trackbar.ThumbUp", "Trackbar.ThumbDown",
    "UpDown.Horz", "UpDown.Vert", "Headerbar", "MenuItem", "MenuBackground", "StatusBarEdges",
    "ToolBars", "GroupBoxEdge")
CUT_CORNERS = ("Buttons",)          # objects drawn with rounded, keyed-out corners
SMALL_ICON = 16


def near_magenta(c):
    """Inside the window region's key range (magenta plus a tolerance of 1) but not magenta."""
    return c != MAGENTA and c[0] >= 254 and c[1] <= 1 and c[2] >= 254


class Checker:
    def __init__(self, folder):
        self.skin = SkinFolder(folder)
        self.errors = list(self.skin.problems)
        self.warnings = []

    def err(self, text):
        if text not in self.errors:
            self.errors.append(text)

    # ---------------------------------------------------------- generic geometry
    def check_frames(self, label, bmp, frames, stacked, margins):
        if bmp is None:
            return
        if frames < 1:
            self.err("%s: frame count %d" % (label, frames))
            return
        size = bmp.h if stacked else bmp.w
        if size % frames:
            self.err("%s: %s %d does not divide into %d frames" % (label, "height" if stacked else "width", size, frames))
        fw, fh = (bmp.w, bmp.h // frames) if stacked else (bmp.w // frames, bmp.h)
        left, top, right, bottom = margins
        if min(margins) < 0:
            self.err("%s: negative margin %s" % (label, margins))
        if left + right > fw:
            self.err("%s: margins %d + %d wider than the %d-pixel frame" % (label, left, right, fw))
        if top + bottom > fh:
            self.err("%s: margins %d + %d taller than the %d-pixel frame" % (label, top, bottom, fh))
        for i, c in enumerate(bmp.px):
            if near_magenta(c):
                self.err("%s: pixel %d,%d is almost magenta and would be cut" % (label, i % bmp.w, i // bmp.w))
                break

    def check_objects(self):
        for name, obj in sorted(self.skin.objects.items()):
            self.check_frames("[%s]" % name, obj.bitmap, obj.frames, obj.stacked, obj.margins)
            if name in ("Tabs", "UpDown.Horz", "UpDown.Vert") and obj.aux is None:
                self.err("[%s]: auxiliary image missing" % name)
            if name in ("UpDown.Horz", "UpDown.Vert") and obj.aux is not None and obj.aux.w % 8:
                self.err("[%s] GlyphImage: width %d does not divide into 8 frames" % (name, obj.aux.w))
        btn = self.skin.objects["Buttons"]
        for key, frames_key, allowed in (("check", "check_frames", (4, 12)), ("radio", "radio_frames", (4, 8))):
            bmp, n = btn.extra[key], btn.extra[frames_key]
            if bmp is None:
                self.err("[Buttons]: no %s image" % key)
                continue
            self.check_frames("[Buttons] %s" % key, bmp, n, False, (0, 0, 0, 0))
            if n not in allowed:
                self.err("[Buttons] %s: %d frames; the painter maps states for %s only" % (key, n, allowed))
            if bmp.w // max(n, 1) > 15:
                self.err("[Buttons] %s: frames wider than the 15-pixel cell" % key)
            self.check_corners("[Buttons] %s" % key, bmp, n)
        for name in CUT_CORNERS:
            obj = self.skin.objects.get(name)
            if obj and obj.bitmap and obj.trans:
                self.check_corners("[%s]" % name, obj.bitmap, obj.frames)

    def check_corners(self, label, bmp, frames):
        fw = bmp.w // frames
        for k in range(frames):
            for x, y in ((0, 0), (fw - 1, 0), (0, bmp.h - 1), (fw - 1, bmp.h - 1)):
                if bmp.get(k * fw + x, y) != MAGENTA:
                    self.err("%s frame %d: corner %d,%d is not magenta" % (label, k + 1, x, y))
                    return

    # ---------------------------------------------------------- window frame
    def check_borders(self):
        o = self.skin.objects
        left, right, top, bottom = o["Left"], o["Right"], o["Top"], o["Bottom"]
        for b in (left, right, top, bottom):
            if b.bitmap is None:
                self.err("[Personality] %s: no border image" % b.name)
                return
        title_h = top.frame_size()[1]
        bottom_h = bottom.frame_size()[1]
        for side in (left, right):
            if side.margins[1] != title_h:
                self.err("%sTopHeight %d differs from the caption height %d" % (side.name, side.margins[1], title_h))
            if side.margins[3] != bottom_h:
                self.err("%sBotHeight %d differs from the bottom border height %d" % (side.name, side.margins[3], bottom_h))
        if len({left.frames, right.frames, top.frames, bottom.frames}) != 1:
            self.warnings.append("the four borders have different frame counts")
        for b in (left, right, top, bottom):
            has_key = any(c == MAGENTA for c in b.bitmap.px)
            if has_key and not b.trans:
                self.err("[Personality] %s: holds magenta but %sTrans is 0, so it would show" % (b.name, b.name))
            if b.name == "Bottom" and has_key:
                self.err("[Personality] Bottom: magenta in the bottom border is not cut by the region rule")
        if left.trans or right.trans or top.trans:
            for side, cx in ((left, 0), (right, -1)):
                fw, fh = side.frame_size()
                for k in range(side.frames):
                    x = k * fw + (cx % fw)
                    if side.bitmap.get(x, 0) != MAGENTA:
                        self.err("%s border frame %d: outer top corner is not magenta, the window stays square" % (side.name, k + 1))
                    for y in range(side.margins[1], fh):
                        if any(side.bitmap.get(k * fw + i, y) == MAGENTA for i in range(fw)):
                            self.err("%s border frame %d: magenta below the caption at row %d would punch a hole" % (side.name, k + 1, y))
                            break
        return title_h

    def check_title(self, title_h):
        t = self.skin.objects["Title"]
        ex = t.extra
        if t.bitmap is None:
            self.warnings.append("no TextBack image")
            return
        fw, fh = t.frame_size()
        if t.bitmap.h % 2:
            self.err("TextBack: height %d is not two stacked frames" % t.bitmap.h)
        if fh != title_h:
            self.warnings.append("TextBack frames are %d high, the caption %d: they will be stretched" % (fh, title_h))
        if ex["TXTBackleft"] + ex["TXTBackRight"] >= fw:
            self.err("TextBack: TXTBackleft + TXTBackRight leave no middle to tile")

    # ---------------------------------------------------------- caption buttons
    @staticmethod
    def visible(extra, max_box, maximised):
        def cond(code):
            return {0: True, 1: maximised, 2: not maximised, 6: max_box, 7: not max_box,
                    8: True, 9: False, 5: False}.get(code, code >= 201)
        action = extra["Action"]
        if action in (1, 22) and not max_box:
            return False
        return cond(extra["Visibility"]) and cond(extra["Visibility1"])

    def check_caption_buttons(self, title_h):
        o = self.skin.objects
        right_w = o["Right"].frame_size()[0]
        left_w = o["Left"].frame_size()[0]
        caption = [b for b in self.skin.sysbuttons if b.extra["Visibility"] != 100]
        if not caption:
            self.err("no caption buttons")
        for b in caption:
            if b.bitmap is None:
                continue
            if b.extra["explicit_frames"]:
                self.check_frames("[%s]" % b.name, b.bitmap, b.frames, False, (0, 0, 0, 0))
            w, h = b.frame_size()
            if b.extra["Ycoord"] < 0 or b.extra["Ycoord"] + h > title_h:
                self.err("[%s]: %d-pixel button at y %d leaves the %d-pixel caption" % (b.name, h, b.extra["Ycoord"], title_h))
            if b.extra["Action"] in (3, 11) and (w, h) != (SMALL_ICON, SMALL_ICON):
                self.warnings.append("[%s]: icon button is %dx%d, the small icon is %d" % (b.name, w, h, SMALL_ICON))
            if b.extra["Action"] not in (3, 11) and b.frames < 4:
                self.warnings.append("[%s]: fewer than 4 frames, no inactive look" % b.name)
        width = 400
        clip = self.skin.objects["Title"].extra["TextRightClip"]
        shift = self.skin.objects["Title"].extra["TextShift"]
        for max_box in (True, False):
            for maximised in ((True, False) if max_box else (False,)):
                shown = [b for b in caption if b.bitmap is not None and b.extra["Align"] == 1
                         and self.visible(b.extra, max_box, maximised)]
                spans = sorted((width - b.extra["Xcoord"], width - b.extra["Xcoord"] + b.frame_size()[0], b.name) for b in shown)
                for (a0, a1, an), (b0, b1, bn) in zip(spans, spans[1:]):
                    if b0 < a1:
                        self.err("[%s] and [%s] overlap (maximise box %s, maximised %s)" % (an, bn, max_box, maximised))
                if spans and width - right_w - clip > spans[0][0]:
                    self.err("TextRightClip %d lets the title run under [%s]" % (clip, spans[0][2]))
                if spans and spans[-1][1] > width - right_w:
                    self.err("[%s] reaches into the right border" % spans[-1][2])
        for b in caption:
            if b.extra["Align"] == 0 and b.bitmap is not None:
                if b.extra["Xcoord"] + b.frame_size()[0] > left_w + shift:
                    self.err("[%s] at x %d runs into the title (TextShift %d)" % (b.name, b.extra["Xcoord"], shift))
        mdi = self.skin.mdi_image
        if mdi is None:
            self.err("[MdiControls]: no image")
        elif mdi.w % 12:
            self.err("[MdiControls]: width %d does not divide into 12 frames" % mdi.w)

    # ---------------------------------------------------------- the rest
    def check_sections_and_colours(self):
        for name in REQUIRED_SECTIONS:
            if not self.skin.ini.has_section(name):
                self.err("section [%s] missing" % name)
        for key in COLOUR_KEYS:
            text = self.skin.ini.read_string("Colours", key, "")
            if len(text.split()) != 3 or not all(p.isdigit() and int(p) < 256 for p in text.split()):
                self.err("[Colours] %s=%r is not three numbers 0-255" % (key, text))
        sb = self.skin.objects.get("Scrollbar")
        if sb and sb.bitmap:
            fw, fh = sb.frame_size()
            if fw != fh or not 14 <= fh <= 19:
                self.warnings.append("[Scrollbar] frames are %dx%d; square frames near 16-17 pixels draw unscaled" % (fw, fh))
        listed = {n.lower() for n in os.listdir(self.skin.folder) if n.lower().endswith(".bmp")}
        for name in sorted(listed - set(self.skin.refs)):
            self.warnings.append("%s is in the folder but no key names it" % name)

    def run(self):
        title_h = self.check_borders()
        if title_h:
            self.check_title(title_h)
            self.check_caption_buttons(title_h)
        self.check_objects()
        self.check_sections_and_colours()
        return self.errors, self.warnings


def main(argv=None):
    argv = sys.argv[1:] if argv is None else argv
    if len(argv) != 1:
        print("usage: check_skin.py <skin-folder>", file=sys.stderr)
        return 2
    try:
        checker = Checker(argv[0])
    except (OSError, ValueError) as err:
        print("check_skin: " + str(err), file=sys.stderr)
        return 1
    errors, warnings = checker.run()
    for w in warnings:
        print("warning: " + w)
    for e in errors:
        print("error: " + e)
    skin = checker.skin
    print("check_skin: %s, %d sections, %d bitmaps, %d caption buttons: %d errors, %d warnings"
          % (skin.ini_name, len(skin.ini.sections), len(skin.refs), len(skin.sysbuttons) - 3, len(errors), len(warnings)))
    return 1 if errors else 0


if __name__ == "__main__":
    sys.exit(main())
