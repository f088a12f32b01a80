#include "skin/controls/SkinEditPaint.h"

#include "framework/Handles.h"

namespace {

int Width(const RECT& r) { return r.right - r.left; }
int Height(const RECT& r) { return r.bottom - r.top; }

void FrameWith(HDC dc, const RECT& r, COLORREF colour) {
    qx::UniqueBrush brush(::CreateSolidBrush(colour));
    ::FrameRect(dc, &r, brush.get());
}

}  // namespace

bool EditHasBorder(const RECT& window, const RECT& client) {
    return Width(client) != Width(window) && Height(client) != Height(window);
}

// A band that shrank to nothing stops the framing: GDI would draw an inverted rectangle the
// other way round, outside the edit.
void PaintEditBorder(HDC dc, const RECT& r, COLORREF shadow) {
    RECT band = r;
    if (::IsRectEmpty(&band)) return;
    FrameWith(dc, band, shadow);
    for (int i = 0; i < 2; ++i) {
        ::InflateRect(&band, -1, -1);
        if (::IsRectEmpty(&band)) return;
        FrameWith(dc, band, RGB(255, 255, 255));
    }
}

bool EditPrintsBorder(const RECT& window, const RECT& client) {
    return Width(client) + 2 < Width(window) && Height(client) + 2 < Height(window);
}

void PrintEditBorder(HDC dc, const RECT& r, COLORREF shadow) {
    if (::IsRectEmpty(&r)) return;
    RECT inner = r;
    ::InflateRect(&inner, -1, -1);
    if (!::IsRectEmpty(&inner)) ::FrameRect(dc, &inner, static_cast<HBRUSH>(::GetCurrentObject(dc, OBJ_BRUSH)));
    FrameWith(dc, r, shadow);
}
