"""Text for the preview only: ImageMagick renders each label as a coverage mask in a CJK font.

The skin itself never contains text; when ImageMagick or the font is missing the preview still
draws every skin image and leaves the captions out.
"""

import os
import shutil
import subprocess

FONTS = ("/usr/share/fonts/truetype/wqy/wqy-microhei.ttc",
         "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf")
_cache = {}
_warned = []


def _font():
    for path in FONTS:
        if os.path.exists(path):
            return path
    return None


def mask(text, size=12, bold=False):
    """(width, height, coverage bytes) of the text, or None when it cannot be rendered."""
    key = (text, size, bold)
    if key in _cache:
        return _cache[key]
    convert, font = shutil.which("convert"), _font()
    result = None
    if convert and font and text:
        cmd = [convert, "-background", "black", "-fill", "white", "-font", font, "-pointsize", str(size)]
        if bold:
            cmd += ["-stroke", "white", "-strokewidth", "0.4"]
        cmd += ["label:" + text.replace("\\", "\\\\").replace("%", "%%"), "-depth", "8", "pgm:-"]
        try:
            out = subprocess.run(cmd, capture_output=True, timeout=30, check=True).stdout
            parts = out.split(b"\n", 3)
            w, h = (int(v) for v in parts[1].split())
            result = (w, h, parts[3][:w * h])
        except (OSError, subprocess.SubprocessError, ValueError, IndexError):
            result = None
    if result is None and text and not _warned:
        _warned.append(True)
        print("preview: no ImageMagick text rendering; captions are left out")
    _cache[key] = result
    return result


def width(text, size=12, bold=False):
    m = mask(text, size, bold)
    return m[0] if m else 7 * len(text)


def height(size=12):
    m = mask("Ag", size)
    return m[1] if m else size + 3


def draw(img, x, y, text, colour, size=12, bold=False, clip_right=None):
    """Blend the text onto the image with its top-left corner at (x, y)."""
    m = mask(text, size, bold)
    if not m:
        return 0
    w, h, cov = m
    right = min(img.w, x + w if clip_right is None else min(x + w, clip_right))
    for j in range(h):
        ty = y + j
        if not 0 <= ty < img.h:
            continue
        for i in range(w):
            tx = x + i
            a = cov[j * w + i]
            if a == 0 or tx < 0 or tx >= right:
                continue
            k = ty * img.w + tx
            c = img.px[k]
            t = a / 255.0
            img.px[k] = (int(c[0] + (colour[0] - c[0]) * t + 0.5), int(c[1] + (colour[1] - c[1]) * t + 0.5),
                         int(c[2] + (colour[2] - c[2]) * t + 0.5))
    return w


def draw_centred(img, rect, text, colour, size=12, bold=False, dy=0):
    x0, y0, x1, y1 = rect
    w, h = width(text, size, bold), height(size)
    draw(img, x0 + (x1 - x0 - w) // 2, y0 + (y1 - y0 - h) // 2 + dy, text, colour, size, bold)
