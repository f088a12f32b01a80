#include "skin/controls/SkinGroupBoxPaint.h"

#include "framework/Handles.h"
#include "skin/data/SkinPaintHelpers.h"

int GroupBoxFrameTop(HDC dc) {
    SIZE size{};
    ::GetTextExtentPoint32W(dc, L"0", 1, &size);
    return size.cy / 2 - 1;
}

void PaintSkinGroupBox(HDC dc, const RECT& r, const std::wstring& caption, const TGroupBoxLook& look) {
    qx::DcStateGuard keep(dc);
    ::IntersectClipRect(dc, r.left, r.top, r.right, r.bottom);
    if (look.Font) ::SelectObject(dc, look.Font);
    if (look.TextColour != CLR_INVALID) ::SetTextColor(dc, look.TextColour);
    const int top = GroupBoxFrameTop(dc);

    if (look.WipeSystemEdge) {
        qx::UniqueBrush face(::CreateSolidBrush(look.Face));
        RECT edge{0, top, r.right, r.bottom};
        ::FrameRect(dc, &edge, face.get());
        ::InflateRect(&edge, -1, -1);
        ::FrameRect(dc, &edge, face.get());
    }

    qx::UniquePen shadow(::CreatePen(PS_SOLID, 1, look.Shadow));
    {
        qx::SelectGuard pen(dc, shadow.get());
        qx::SelectGuard brush(dc, ::GetStockObject(NULL_BRUSH));
        ::RoundRect(dc, 1, top, r.right - 1, r.bottom - 1, 5, 5);
    }

    ::SetBkMode(dc, OPAQUE);
    ::SetBkColor(dc, look.Face);
    RECT text{r.left + 8, r.top, r.right, r.bottom};
    DrawTextWide(dc, caption, text, DT_EXPANDTABS);
}
