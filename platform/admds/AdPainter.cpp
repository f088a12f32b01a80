#include "AdPainter.h"

#include "AdLayouts.h"
#include "GdiHandles.h"
#include "PanelFormat.h"

namespace admds {

namespace {

using TLayout = void (*)(const TAdCanvas&, const TAdLook&) noexcept;

struct TFormatLayout {
    double NominalWidth, NominalHeight;
    TLayout Layout;
};

TFormatLayout LayoutFor(TAdFormat format) noexcept {
    switch (format) {
    case afBanner: return {180, 60, LayoutBanner};
    case afLine:   return {180, 20, LayoutLine};
    case afSquare: return {90, 90, LayoutSquare};
    case afColumn: return {180, 300, LayoutColumn};
    case afNone:   break;
    }
    return {1, 1, nullptr};
}

// Shapes are drawn at three times the size and averaged down. Huge panels skip it: the
// fine surface would cost nine times their area in memory.
constexpr int kSupersample = 3;
constexpr long long kMaxSupersampledArea = 512LL * 512LL;

void FillSolid(HDC dc, int width, int height, COLORREF colour) noexcept {
    RECT r{0, 0, width, height};
    TUniqueBrush brush(::CreateSolidBrush(colour));
    ::FillRect(dc, &r, brush.get());
}

// Box filter from `fine` (scale times larger) into `out`.
void Downsample(const TDibSurface& fine, const TDibSurface& out, int scale) noexcept {
    ::GdiFlush();   // GDI may batch drawing; the bits must be complete before they are read
    const unsigned n = static_cast<unsigned>(scale * scale);
    for (int y = 0; y < out.Height(); ++y) {
        DWORD* dst = out.Row(y);
        for (int x = 0; x < out.Width(); ++x) {
            unsigned r = 0, g = 0, b = 0;
            for (int sy = 0; sy < scale; ++sy) {
                const DWORD* src = fine.Row(y * scale + sy) + x * scale;
                for (int sx = 0; sx < scale; ++sx) {
                    r += (src[sx] >> 16) & 0xFF;
                    g += (src[sx] >> 8) & 0xFF;
                    b += src[sx] & 0xFF;
                }
            }
            dst[x] = ((r + n / 2) / n) << 16 | ((g + n / 2) / n) << 8 | ((b + n / 2) / n);
        }
    }
}

}  // namespace

void PaintAdPanel(HDC target, int width, int height, const TAdLook& look) noexcept {
    if (target == nullptr || width <= 0 || height <= 0) return;
    TFormatLayout format = LayoutFor(AdFormatForSize(width, height));
    if (format.Layout == nullptr) {
        FillSolid(target, width, height, look.Background);
        return;
    }
    const int scale = static_cast<long long>(width) * height <= kMaxSupersampledArea ? kSupersample : 1;
    TDibSurface fine(target, width * scale, height * scale);
    TDibSurface out(target, width, height);
    if (!fine.Valid() || !out.Valid()) {
        // Out of GDI memory: the panel still gets its colour rather than garbage.
        FillSolid(target, width, height, look.Background);
        return;
    }
    const double fx = width / format.NominalWidth, fy = height / format.NominalHeight;

    FillSolid(fine.Dc(), fine.Width(), fine.Height(), look.Background);
    format.Layout(TAdCanvas(fine.Dc(), true, scale, fx, fy), look);
    Downsample(fine, out, scale);
    format.Layout(TAdCanvas(out.Dc(), false, 1, fx, fy), look);
    ::GdiFlush();
    ::BitBlt(target, 0, 0, width, height, out.Dc(), 0, 0, SRCCOPY);
}

}  // namespace admds
