#include "skin/controls/SkinHeader.h"

#include "framework/DibSurface.h"
#include "framework/Handles.h"
#include "skin/controls/SkinCaptionText.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinDraw.h"
#include "skin/data/SkinPaintHelpers.h"

#include <algorithm>
#include <commctrl.h>

QX_DEFINE_CLASS(TSkinHeader, TSkinControl, b) {}

TSkinHeader::TSkinHeader(qx::TComponent* owner) : TSkinControl(owner) {}

bool TSkinHeader::HasImage() const { return FSkinData && FSkinData->Headerbar && !FSkinData->Headerbar->Bitmap.Empty(); }

bool TSkinHeader::BeforeMessage(qx::TMessage& m) {
    if (!HasImage()) return TSkinControl::BeforeMessage(m);
    switch (m.Msg) {
    case WM_PAINT: PaintWholeWindow(m); return false;
    case WM_ERASEBKGND: m.Result = 1; return false;
    default: return TSkinControl::BeforeMessage(m);
    }
}

int TSkinHeader::ItemAt(POINT p) const {
    for (size_t i = 0; i < FItemRects.size(); ++i)
        if (::PtInRect(&FItemRects[i], p)) return static_cast<int>(i);
    return -1;
}

void TSkinHeader::AfterMessage(qx::TMessage& m) {
    switch (m.Msg) {
    case WM_MOUSEMOVE: {
        const int hot = ItemAt(POINT{static_cast<short>(LOWORD(m.LParam)), static_cast<short>(HIWORD(m.LParam))});
        TrackMouseLeave(FWindow);
        if (hot != FHotItem) {
            FHotItem = hot;
            Repaint();
        }
        return;
    }
    case WM_MOUSELEAVE:
        FHotItem = -1;
        Repaint();
        return;
    default: TSkinControl::AfterMessage(m);
    }
}

void TSkinHeader::Paint(HDC dc, const RECT& r) {
    if (!HasImage()) return;
    TDataSkinObject& look = *FSkinData->Headerbar;
    const int w = r.right - r.left, h = r.bottom - r.top;
    if (w <= 0 || h <= 0) return;
    qx::TDibSurface buffer(w, h, 24, true, dc);
    if (buffer.Empty()) return;
    HDC b = buffer.Dc();
    FillBackground(b, RECT{0, 0, w, h});
    qx::SelectGuard selectFont(b, reinterpret_cast<HFONT>(::SendMessageW(FWindow, WM_GETFONT, 0, 0)));
    ::SetBkMode(b, TRANSPARENT);
    auto images = reinterpret_cast<HIMAGELIST>(::SendMessageW(FWindow, HDM_GETIMAGELIST, 0, 0));
    const bool enabled = WindowEnabled();

    FItemRects.clear();
    int right = 0;
    const int count = static_cast<int>(::SendMessageW(FWindow, HDM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        RECT item{};
        if (!::SendMessageW(FWindow, HDM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item))) continue;
        const int frame = i == FHotItem ? 2 : 1;
        DrawSkinImage(b, item, look.Bitmap, look.Margins, false, look.Tile != 0, look.Trans != 0, look.FrameCount, frame);
        wchar_t text[201]{};
        HDITEMW info{};
        info.mask = HDI_TEXT | HDI_FORMAT | HDI_IMAGE;
        info.pszText = text;
        info.cchTextMax = 200;
        ::SendMessageW(FWindow, HDM_GETITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&info));
        const int alignment = (info.fmt & HDF_RIGHT) ? 2 : (info.fmt & HDF_CENTER) ? 1 : 0;
        const int image = (info.fmt & (HDF_IMAGE | HDF_BITMAP_ON_RIGHT)) ? info.iImage : -1;
        ::SetTextColor(b, qx::ColorToRGB(frame == 2 ? look.MouseOverColour2 : look.NormalColour2));
        DrawTabCaption(b, item, text, images, image, alignment, enabled);
        RECT hit = item;
        ::InflateRect(&hit, -3, 0);
        FItemRects.resize(static_cast<size_t>(i) + 1, RECT{});
        FItemRects[static_cast<size_t>(i)] = hit;
        right = std::max<int>(right, item.right);
    }
    if (right < w)
        DrawSkinImage(b, RECT{right, 0, w, h}, look.Bitmap, look.Margins, false, look.Tile != 0, look.Trans != 0,
                      look.FrameCount, 1);
    ::BitBlt(dc, r.left, r.top, w, h, b, 0, 0, SRCCOPY);
}
