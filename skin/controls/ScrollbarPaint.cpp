#include "skin/controls/ScrollbarPaint.h"

#include "framework/DibSurface.h"
#include "framework/Handles.h"
#include "skin/data/SkinDraw.h"

#include <algorithm>

//--- geometry

int ScrollHitTest(int a, int length, int buttonSize, const TThumbExtent& thumb) {
    if (a < buttonSize) return kScrollLineUp;
    if (a < thumb.Start) return kScrollPageUp;
    if (a < thumb.End) return kScrollThumbTrack;
    if (a < length - buttonSize) return kScrollPageDown;
    return kScrollLineDown;
}

// The upper clamp first, then the lower one: a bar too short for its thumb keeps the thumb
// against the first arrow rather than pushing it under it.
TThumbExtent DragThumb(int pressThumbStart, int delta, int thumbLength, int length, int buttonSize) {
    int start = pressThumbStart + delta;
    start = std::min(start, length - buttonSize - thumbLength);
    start = std::max(start, buttonSize);
    return {start, start + thumbLength};
}

TThumbExtent ControlThumb(int length, int buttonSize, int max, int page, int position) {
    // A range of nothing has no thumb to show (and nothing to divide by).
    if (max <= 0) return {buttonSize, buttonSize};
    int thumbLength = 0, start = 0;
    if (page != 0) {
        thumbLength = ::MulDiv(length - 2 * buttonSize, page - 1, max);
        start = buttonSize + ::MulDiv(length - 2 * buttonSize, position, max);
    } else {
        thumbLength = buttonSize;
        start = buttonSize + ::MulDiv(length - 3 * buttonSize, position, max);
    }
    return {start, start + thumbLength};
}

int ScrollbarThickness(int imageHeight, int buttonSize) {
    return std::abs(imageHeight - buttonSize) <= 2 ? imageHeight : buttonSize;
}

int ArrowFrame(bool vertical, bool second, bool pressed) {
    const int normal = (vertical ? 9 : 1) + (second ? 4 : 0);
    return pressed ? normal + 1 : normal;
}

//--- painting

namespace {

bool Usable(const TDataSkinObject* object) { return object && !object->Bitmap.Empty(); }

// A rectangle along the bar's axis from `from` to `to`, `thickness` across it.
RECT AlongAxis(bool vertical, int from, int to, int thickness) {
    return vertical ? RECT{0, from, thickness, to} : RECT{from, 0, to, thickness};
}

}  // namespace

bool ScrollbarLookUsable(const TScrollbarLook& look) { return Usable(look.Arrows); }

bool PaintSkinScrollbar(HDC dc, const TScrollbarLook& look, const TScrollbarPaintState& s) {
    if (!ScrollbarLookUsable(look) || s.Width <= 0 || s.Height <= 0) return false;
    qx::TDibSurface surface(s.Width, s.Height, 32, true, dc);
    if (surface.Empty()) return false;
    HDC mem = surface.Dc();
    ::SetStretchBltMode(mem, COLORONCOLOR);
    const RECT all{0, 0, s.Width, s.Height};
    {
        qx::UniqueBrush face(::CreateSolidBrush(look.Face));
        ::FillRect(mem, &all, face.get());
    }
    const int length = s.Vertical ? s.Height : s.Width;
    const int across = s.Vertical ? s.Width : s.Height;
    const int thickness = std::min(across, ScrollbarThickness(look.Arrows->Bitmap.Height(), s.ButtonSize));
    const int bs = s.ButtonSize;

    // The track between the arrows.
    if (Usable(look.Track)) {
        const RECT track = AlongAxis(s.Vertical, bs, length - bs, thickness);
        DrawSkinImage(mem, track, look.Track->Bitmap, look.Track->Margins, false, look.Track->Tile != 0,
                      look.Track->Trans != 0, look.Track->FrameCount, s.Enabled ? 1 : 3);
    }
    // The arrows; a bar shorter than two buttons splits its length between them.
    const int arrow = length < 2 * bs ? length / 2 : bs;
    DrawSkinFrame(mem, AlongAxis(s.Vertical, 0, arrow, thickness), look.Arrows->Bitmap, true, kScrollbarArrowFrames,
                  ArrowFrame(s.Vertical, false, s.FirstPressed));
    DrawSkinFrame(mem, AlongAxis(s.Vertical, length - arrow, length, thickness), look.Arrows->Bitmap, true,
                  kScrollbarArrowFrames, ArrowFrame(s.Vertical, true, s.SecondPressed));
    // The thumb, only on a bar that can be used.
    if (s.Enabled && Usable(look.Thumb) && s.Thumb.End > s.Thumb.Start) {
        const RECT thumb = AlongAxis(s.Vertical, s.Thumb.Start, s.Thumb.End, thickness);
        DrawSkinImage(mem, thumb, look.Thumb->Bitmap, look.Thumb->Margins, false, false, look.Thumb->Trans != 0,
                      look.Thumb->FrameCount, s.ThumbDragged ? 2 : 1);
    }
    ::GdiFlush();
    return ::BitBlt(dc, 0, 0, s.Width, s.Height, mem, 0, 0, SRCCOPY) != FALSE;
}
