"""Reads a skin folder the way the skin loader does: the description's lines, sections and keys,
its colour texts and image references, and the skin objects with their frame counts.

Used by check_skin.py (to judge a folder) and preview.py (to draw with it), so both see the
description exactly as the program will.
"""

import os

from bmpio import BmpError, load_bmp

# Generic image sections and the frame count the loader gives each (None: key FrameCount).
GENERIC = {
    "GroupBoxEdge": 2, "StatusBarEdges": 3, "ToolBars": 5, "SunkEdge": 4, "ExtraImages": 5,
    "Headerbar": 5, "MenuItem": 5, "MenuBackground": 1, "Scrollbar": 23, "HorzScroll": 4,
    "VertScroll": 4, "HorzScrollThumb": None, "VertScrollThumb": None,
    "Trackbar.ThumbHorz": 5, "Trackbar.ThumbVert": 5, "Trackbar.ThumbLeft": 5,
    "Trackbar.ThumbRight": 5, "Trackbar.ThumbUp": 5, "Trackbar.ThumbDown": 5,
}
# Sections with an auxiliary bitmap: (image key, aux key, frame count).
WITH_AUX = {"Tabs": ("Image", "Border", 5), "ComboButton": ("Image", None, 4),
            "UpDown.Horz": ("Image", "GlyphImage", 8), "UpDown.Vert": ("Image", "GlyphImage", 8),
            "Progress": ("Bitmap", "Chunk", 2)}
BORDERS = ("Left", "Right", "Top", "Bottom")
COLOUR_KEYS = ("WindowText", "TitleTextActive", "TitleTextNoActive", "ButtonFace", "ButtonText",
               "ButtonHilight", "Buttonlight", "ButtonShadow", "ButtonDkShadow", "HilightText",
               "Hilight", "Menubar", "MenuBarText", "MenuText", "Menu", "Scrollbar")


def _trim(text):
    i, j = 0, len(text)
    while i < j and ord(text[i]) <= 32:
        i += 1
    while j > i and ord(text[j - 1]) <= 32:
        j -= 1
    return text[i:j]


class QuickIni:
    def __init__(self, data):
        text = data.split(b"\0", 1)[0].decode("latin-1")
        self.lines, self.sections = [], []
        for raw in text.replace("\r\n", "\n").replace("\r", "\n").split("\n"):
            line = _trim(raw)
            if not line or line.startswith(";"):
                continue
            if line.startswith("[") and line.endswith("]"):
                self.sections.append((line, len(self.lines)))
            self.lines.append(line)

    def has_section(self, name):
        return self._find(name) is not None

    def _find(self, name):
        header = ("[" + name + "]").lower()
        for text, index in self.sections:
            if text.lower() == header:
                return index
        return None

    def read_string(self, section, key, default=""):
        index = self._find(section)
        if index is None:
            return default
        want = key.lower()
        for line in self.lines[index + 1:]:
            if line.startswith("[") and line.endswith("]"):
                break
            name, eq, value = line.partition("=")
            if (_trim(name).lower() if eq else "") == want:
                value = _trim(value)
                return value if value else default
        return default

    def read_int(self, section, key, default=0):
        text = self.read_string(section, key, "")
        base = 10
        if len(text) > 2 and text[:2] in ("0x", "0X"):
            text, base = text[2:], 16
        elif text.startswith("$"):
            text, base = text[1:], 16
        try:
            value = int(text, base)
        except ValueError:
            return default
        return value if -2 ** 31 <= value < 2 ** 31 else default

    def read_sections(self):
        return [_trim(text[1:-1]) for text, _ in self.sections]


def parse_colour(text, default):
    """Three numbers red green blue as the loader scans them; (r, g, b) or the default."""
    text = _trim(text or "")
    if not text:
        return default
    parts, run = [], ""
    for ch in text:
        if ch.isdigit() and ch.isascii():
            run += ch
        elif run:
            parts.append(int(run) & 255)
            run = ""
    if run and len(parts) == 2:
        parts.append(int(run) & 255)
    parts = (parts + [0, 0, 0])[:3]
    return tuple(parts)


def image_member(value):
    """The member name an image key refers to, or None when the loader makes the bitmap empty."""
    cut = max(value.rfind("\\"), value.rfind(":"))
    name = value[cut + 1:]
    dot = name.rfind(".")
    if not name or dot < 0 or name[dot:] != ".bmp":
        return None
    return name.lower()


class SkinObject:
    def __init__(self, name, bitmap=None, frames=1, stacked=False):
        self.name, self.bitmap, self.frames, self.stacked = name, bitmap, frames, stacked
        self.aux = None
        self.margins = (0, 0, 0, 0)    # left, top, right, bottom
        self.trans = self.tile = self.style = 0
        self.extra = {}

    def frame_size(self):
        if not self.bitmap or self.frames < 1:
            return (0, 0)
        if self.stacked:
            return (self.bitmap.w, self.bitmap.h // self.frames)
        return (self.bitmap.w // self.frames, self.bitmap.h)


class SkinFolder:
    """The description and bitmaps of a skin folder, read into skin objects. Problems that the
    loader would silently turn into empty bitmaps are collected in `problems`."""

    def __init__(self, folder):
        self.folder = folder
        self.problems, self.refs, self.bitmaps = [], {}, {}
        files = {n.lower(): n for n in sorted(os.listdir(folder))}
        inis = [n for n in files if ".ini" in n]
        if len(inis) != 1:
            raise ValueError("expected one description (.ini) in %s, found %d" % (folder, len(inis)))
        self.ini_name = files[inis[0]]
        with open(os.path.join(folder, self.ini_name), "rb") as f:
            self.ini = QuickIni(f.read())
        self._files = files
        self.objects, self.sysbuttons, self.colours = {}, [], {}
        self._read()

    # -- bitmaps
    def image(self, section, key):
        value = self.ini.read_string(section, key, "")
        if not value:
            return None
        member = image_member(value)
        where = "[%s] %s=%s" % (section, key, value)
        if member is None:
            self.problems.append(where + ": not a lower-case .bmp name, the loader leaves it empty")
            return None
        self.refs.setdefault(member, []).append(where)
        if member not in self._files:
            self.problems.append(where + ": no such file in the folder")
            return None
        if member not in self.bitmaps:
            try:
                self.bitmaps[member] = load_bmp(os.path.join(self.folder, self._files[member]))
            except (BmpError, OSError) as err:
                self.problems.append("%s: %s" % (member, err))
                self.bitmaps[member] = None
        return self.bitmaps[member]

    def _margins(self, obj, section):
        ini = self.ini
        obj.margins = (ini.read_int(section, "LeftWidth"), ini.read_int(section, "TopHeight"),
                       ini.read_int(section, "RightWidth"), ini.read_int(section, "BottomHeight"))
        obj.trans = ini.read_int(section, "Trans")
        obj.tile = ini.read_int(section, "Tile")

    # -- the reading order of the loader, as far as it matters here
    def _read(self):
        ini = self.ini
        self.skin_name = ini.read_string("TitlebarSkin", "SkinName", "")
        for name in BORDERS:
            bmp = self.image("Personality", name)
            obj = SkinObject(name, bmp, ini.read_int("Personality", name + "Frame", 1), name in ("Top", "Bottom"))
            top, bot = ini.read_int("Personality", name + "TopHeight"), ini.read_int("Personality", name + "BotHeight")
            obj.margins = (0, top, 0, bot) if name in ("Left", "Right") else (top, 0, bot, 0)
            obj.tile = min(ini.read_int("Personality", name + "Stretch", 1), 1)
            obj.trans = ini.read_int("Personality", name + "Trans", 1)
            self.objects[name] = obj
        for key in COLOUR_KEYS:
            self.colours[key] = parse_colour(ini.read_string("Colours", key, ""), None)
        self._read_sysbuttons()
        self._read_buttons()
        title = SkinObject("Title", self.image("Personality", "TextBack"), 2, True)
        title.extra = {k: ini.read_int("Personality", k) for k in
                       ("TextShift", "TextShiftVert", "TextRightClip", "TextAlignment", "TXTBackleft", "TXTBackRight")}
        self.objects["Title"] = title
        bar = self.image("Personality", "menuBar")
        if bar is not None or ini.read_string("Personality", "menuBar"):
            mb = SkinObject("MenuBar", bar, 2, True)
            mb.margins = (ini.read_int("Personality", "TileLeftMenu", 1), 0, ini.read_int("Personality", "TileRightMenu", 1), 0)
            mb.tile = min(ini.read_int("Personality", "TileMenu", 1), 1)
            self.objects["MenuBar"] = mb
        for section, frames in GENERIC.items():
            if not ini.read_string(section, "Image"):
                continue
            obj = SkinObject(section, self.image(section, "Image"),
                             frames if frames else ini.read_int(section, "FrameCount", 3))
            self._margins(obj, section)
            obj.tile = 0 if obj.tile > 1 else obj.tile
            obj.style = ini.read_int(section, "Style")
            obj.extra["NormalColour2"] = parse_colour(ini.read_string(section, "NormalColour2"), None)
            self.objects[section] = obj
        for section, (key, aux, frames) in WITH_AUX.items():
            if not ini.read_string(section, key):
                continue
            obj = SkinObject(section, self.image(section, key), frames)
            self._margins(obj, section)
            if aux:
                obj.aux = self.image(section, aux)
            if section == "Progress":
                obj.style = ini.read_int(section, "Style")
                obj.tile = 1 if obj.tile > 1 else obj.tile
            else:
                obj.tile = 0 if obj.tile > 1 else obj.tile
            obj.extra["NormalColour2"] = parse_colour(ini.read_string(section, "NormalColour2"), None)
            obj.extra["MouseOverColour2"] = parse_colour(ini.read_string(section, "MouseOverColour2"), None)
            self.objects[section] = obj

    def _read_buttons(self):
        ini = self.ini
        obj = SkinObject("Buttons", self.image("Buttons", "Bitmap"), 5)
        self._margins(obj, "Buttons")
        obj.tile = 0 if obj.tile > 1 else obj.tile
        check, radio = self.image("Buttons", "CheckButton"), self.image("Buttons", "RadioButton")
        obj.extra = {"check": check, "radio": radio}
        for key, bmp, frames_key in (("check_frames", check, "CheckButtonFrame"), ("radio_frames", radio, "RadioButtonFrame")):
            n = ini.read_int("Buttons", frames_key)
            if n == 0 and bmp is not None:
                n = max(4, bmp.w // (13 if bmp.h < 16 else 16))
            obj.extra[key] = n
        for key in ("NormalColour2", "MouseOverColour2", "PressedColour2"):
            obj.extra[key] = parse_colour(ini.read_string("Buttons", key), None)
        self.objects["Buttons"] = obj

    def _read_sysbuttons(self):
        ini = self.ini
        kept = []
        for name in ini.read_sections():
            up = name.upper()
            if not up.startswith("BUTTON") or up in ("BUTTONS", "BUTTON.RADIO", "BUTTON.CHECKBOX", "BUTTON"):
                continue
            if ini.read_int(name, "Action", 0) == -1 and ini.read_int(name, "Visibility", -1) != 0:
                continue
            kept.append(name)
        for name in kept:
            action = ini.read_int(name, "Action")
            obj = SkinObject(name.upper(), self.image(name, "ButtonImage"), ini.read_int(name, "frame"))
            obj.extra = {"Action": action, "Align": ini.read_int(name, "Align"),
                         "Xcoord": ini.read_int(name, "Xcoord"), "Ycoord": ini.read_int(name, "Ycoord"),
                         "Visibility": ini.read_int(name, "Visibility"),
                         "Visibility1": ini.read_int(name, "Visibility1", -1 if action == -1 else 0),
                         "explicit_frames": obj.frames != 0}
            if obj.frames == 0:
                obj.frames = 6
                if obj.bitmap is not None:
                    obj.frames = 3 if obj.bitmap.w / float(obj.bitmap.h) <= 3.8 else 6
                    if action < 0:
                        obj.frames = 6
                if action in (3, 11):
                    obj.bitmap = None
            self.sysbuttons.append(obj)
        mdi = self.image("MDICONTROLS", "Image")
        self.mdi_image = mdi
        for i, action in enumerate((7, 8, 9)):
            obj = SkinObject("MDI%d" % i, None, 4)
            obj.extra = {"Action": action, "Align": 100, "Visibility": 100, "Visibility1": 100,
                         "Ycoord": 0, "Xcoord": 0}
            if mdi is not None:
                a = mdi.w // 12
                obj.bitmap = mdi.crop(a * 4 * i, 0, a * 4, mdi.h)
                obj.extra["Xcoord"] = (a + 4) * (3 - i)
            self.sysbuttons.append(obj)
