#include "skin/form/FramePainter.h"

#include "skin/data/SkinData.h"
#include "skin/data/SkinDraw.h"

#include <algorithm>

namespace {

TDataSkinBorder* BorderOf(TSkinData& skin, int index) {
    switch (index) {
    case kBorderLeft: return skin.BorderLeft.get();
    case kBorderRight: return skin.BorderRight.get();
    case kBorderTop: return skin.BorderTop.get();
    case kBorderBottom: return skin.BorderBottom.get();
    default: return nullptr;
    }
}

COLORREF TitleColour(TSkinData& skin, bool active) {
    return qx::ColorToRGB(active ? skin.TitleTextActive : skin.TitleTextNoActive);
}

}  // namespace

int BorderFrame(const TDataSkinBorder& border, bool active) { return active || border.FrameCount <= 1 ? 1 : 2; }

void PaintBorderPiece(HDC dc, int index, const RECT& r, TSkinData& skin, bool active) {
    if (r.right < r.left || r.bottom < r.top) return;
    TDataSkinBorder* border = BorderOf(skin, index);
    if (!border || border->Bitmap.Empty()) return;
    // Top and bottom hold their frames one above the other, the sides side by side. For the
    // borders Tile carries the Stretch value: 1 stretches the middle, anything else tiles it.
    const bool stacked = index == kBorderTop || index == kBorderBottom;
    DrawSkinImage(dc, r, border->Bitmap, border->Margins, stacked, border->Tile != 1, false,
                  std::max(border->FrameCount, 1), BorderFrame(*border, active));
}

RECT LayoutTitle(HDC dc, TSkinData& skin, const TTitleState& s) {
    const TDataSkinTitle* title = skin.Title.get();
    const int textShift = title ? title->Margins.left : 0;
    const int shiftVert = title ? title->Margins.top : 0;
    const int rightClip = title ? title->Margins.right : 0;
    const int backLeft = title ? title->TXTBackleft : 0;
    const int backRight = title ? title->TXTBackRight : 0;
    const int alignment = s.RightToLeft ? 2 : (title ? title->TextAlignment : 0);
    const RECT& cap = s.Cap;

    RECT txt = cap;
    {
        qx::SelectGuard font(dc, s.Font);
        DrawTextWide(dc, s.Text, txt, DT_CALCRECT | DT_NOCLIP | DT_NOPREFIX);
    }
    txt.right += backLeft + backRight;
    int dx = 0;
    switch (alignment) {
    case 0: dx = textShift; break;
    case 1: dx = (cap.right - txt.right) / 2; break;
    case 2: dx = cap.right - rightClip - txt.right; break;
    default: break;
    }
    const int dy = ((cap.bottom - cap.top) - (txt.bottom - txt.top)) / 2 + shiftVert / 2;
    ::OffsetRect(&txt, dx, dy);
    // Clip at the caption buttons (popups) or at the skin's right clip.
    if (s.Popup) {
        if (s.ButtonsLeft > 5 && s.ButtonsLeft - 5 < txt.right) txt.right = s.ButtonsLeft - 5;
    } else if (cap.right - rightClip < txt.right) {
        txt.right = cap.right - rightClip;
    }
    if (s.BorderKind == bkDialog && alignment == 0) txt.left -= 16;
    return txt;
}

RECT PaintTitle(qx::TCanvas& canvas, TSkinData& skin, const TTitleState& s) {
    HDC dc = canvas.Handle();
    const RECT txt = LayoutTitle(dc, skin, s);
    TDataSkinTitle* title = skin.Title.get();
    if (title && !title->Bitmap.Empty()) {
        // The plate behind the text: two frames stacked, active over inactive, fixed ends.
        const RECT plate{txt.left, s.Cap.top, txt.right, s.Cap.bottom};
        const RECT ends{title->TXTBackleft, 0, title->TXTBackRight, 0};
        DrawSkinStrip(canvas, plate, title->Bitmap, ends, s.Active ? 1 : 2, 2, true, true);
        dc = canvas.Handle();
    }
    RECT text = txt;
    if (title) {
        text.left += title->TXTBackleft;
        text.right -= title->TXTBackRight;
    }
    qx::SelectGuard font(dc, s.Font);
    const int oldMode = ::SetBkMode(dc, TRANSPARENT);
    const COLORREF oldColour = ::SetTextColor(dc, TitleColour(skin, s.Active));
    DrawTextWide(dc, s.Text, text, DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX | (s.RightToLeft ? DT_RIGHT : 0));
    ::SetTextColor(dc, oldColour);
    ::SetBkMode(dc, oldMode);
    return txt;
}
