#include "skin/controls/SkinProgress.h"

#include "framework/Bitmap.h"
#include "skin/controls/SkinPropText.h"
#include "skin/data/ImgUtil.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinDraw.h"

#include <algorithm>
#include <commctrl.h>

QX_DEFINE_CLASS(TSkinProgress, TSkinControl, b) {}

TSkinProgress::TSkinProgress(qx::TComponent* owner) : TSkinControl(owner) {}

int ProgressFilled(int length, int position, int maximum) {
    if (maximum <= 0 || position <= 0 || length <= 0) return 0;
    return std::clamp(::MulDiv(length, position, maximum), 0, length);
}

bool TSkinProgress::HasImage() const { return FSkinData && FSkinData->Progress && !FSkinData->Progress->Bitmap.Empty(); }

bool TSkinProgress::BeforeMessage(qx::TMessage& m) {
    if (!HasImage()) return TSkinControl::BeforeMessage(m);
    switch (m.Msg) {
    case WM_PAINT: PaintWholeWindow(m); return false;
    case WM_ERASEBKGND: m.Result = 1; return false;
    default: return TSkinControl::BeforeMessage(m);
    }
}

void TSkinProgress::Paint(HDC dc, const RECT& r) {
    if (!HasImage()) return;
    TDataSkinBorder& look = *FSkinData->Progress;
    const bool vertical = (WindowLong(FWindow, GWL_STYLE) & PBS_VERTICAL) != 0;
    int w = r.right - r.left, h = r.bottom - r.top;
    if (vertical) std::swap(w, h);
    if (w <= 0 || h <= 0) return;

    qx::TBitmap bar;
    bar.SetPixelFormat(qx::TPixelFormat::pf24bit);
    bar.SetSize(w, h);
    HDC b = bar.Canvas().Handle();
    const RECT whole{0, 0, w, h};
    FillBackground(b, whole);
    const bool transparent = true;  // magenta is the key colour of every bar image
    DrawSkinImage(b, whole, look.Bitmap, look.Margins, false, look.Tile != 0, transparent, 2, 1);

    const int maximum = static_cast<int>(::SendMessageW(FWindow, PBM_GETRANGE, FALSE, 0));
    const int position = static_cast<int>(::SendMessageW(FWindow, PBM_GETPOS, 0, 0));
    const int filled = ProgressFilled(w, position, maximum);
    FLastFilled = filled;
    const bool chunks = FControl && PropOrd(*FControl, L"Style", 0) == 1 && !look.AuxBitmap.Empty();
    if (filled > 0 && !chunks) {
        DrawSkinImage(b, RECT{0, 0, filled, h}, look.Bitmap, look.Margins, false, look.Tile != 0, transparent, 2, 2);
    } else if (filled > 0) {
        // One more chunk than whole chunks fit, cut at the done length.
        qx::TBitmap& chunk = look.AuxBitmap;
        const int cw = std::max(1, chunk.Width()), ch = chunk.Height();
        qx::TBitmap strip;
        strip.SetPixelFormat(qx::TPixelFormat::pf24bit);
        strip.SetSize(filled, ch);
        {
            qx::BitmapDc source(chunk);
            HDC s = strip.Canvas().Handle();
            for (int i = 0; i <= filled / cw; ++i) ::BitBlt(s, i * cw, 0, cw, ch, source.get(), 0, 0, SRCCOPY);
        }
        DrawSkinFrame(b, RECT{look.Margins.left, (h - ch) / 2, look.Margins.left + filled, (h - ch) / 2 + ch}, strip,
                      true, 1, 1);
    }
    ::GdiFlush();
    if (vertical) RotateBitmapLeft(bar);
    qx::BitmapDc source(bar);
    ::BitBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, source.get(), 0, 0, SRCCOPY);
}
