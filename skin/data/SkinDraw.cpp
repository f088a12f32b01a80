#include "skin/data/SkinDraw.h"

#include "skin/data/DibTarget.h"
#include "skin/data/PixelRows.h"
#include "skin/data/SkinFit.h"
#include "skin/data/WorkDib.h"

#include <cstring>

using qx::TBitmap;

namespace {

constexpr COLORREF kKey = RGB(255, 0, 255);

bool Inverted(const RECT& r) { return r.right < r.left || r.bottom < r.top; }

void FillKey(const TPixelView& view) {
    static constexpr uint8_t kKeyPixel[4] = {0xFF, 0x00, 0xFF, 0x00};
    const int n = view.BytesPerPixel;
    for (int y = 0; y < view.Height; ++y) {
        uint8_t* p = view.Row(y);
        for (int x = 0; x < view.Width; ++x, p += n) std::memcpy(p, kKeyPixel, n);
    }
}

// A skin image with one of its frames chosen; Valid() is false when there is nothing to draw.
class TFramedImage {
public:
    TFramedImage(TBitmap& bitmap, int frameCount, int frameIndex, bool vertical) : FRows(bitmap) {
        const TPixelView& v = FRows.View();
        FValid = !v.Empty() && SkinFrameRect(v.Width, v.Height, frameCount, frameIndex, vertical, FFrame);
    }
    bool Valid() const { return FValid; }
    const RECT& Frame() const { return FFrame; }
    int FrameWidth() const { return FFrame.right - FFrame.left; }
    int FrameHeight() const { return FFrame.bottom - FFrame.top; }
    const TPixelView& Rows() const { return FRows.View(); }
    TBitmap& Bitmap() { return FRows.Bitmap(); }

private:
    TColourRows FRows;
    RECT FFrame{};
    bool FValid = false;
};

// Opaque: one blit, or, when the layout has holes (margins as large as the frame) or the
// centre is to stay untouched, only the cells to be drawn.
void BlitCells(HDC dc, int x, int y, const TWorkDib& work, const TFitLayout& layout, bool skipCentre) {
    const TPixelView& v = work.View();
    if (!layout.HasHoles() && !skipCentre) {
        ::BitBlt(dc, x, y, v.Width, v.Height, work.Dc(), 0, 0, SRCCOPY);
        return;
    }
    for (int row = 0; row < 3; ++row) {
        for (int col = 0; col < 3; ++col) {
            if (!layout.X.Drawn(col) || !layout.Y.Drawn(row) || (skipCentre && row == 1 && col == 1)) continue;
            const int cx = layout.X.DstBegin[col], cy = layout.Y.DstBegin[row];
            ::BitBlt(dc, x + cx, y + cy, layout.X.DstEnd[col] - cx, layout.Y.DstEnd[row] - cy, work.Dc(), cx, cy, SRCCOPY);
        }
    }
}

// Draws the fit of the image's frame to w x h at (x, y). A context over a DIB section gets
// the pixels written in place; any other gets the fit composed in a private 32-bit surface
// and shown in one operation, so the screen never shows a partly drawn element.
void DrawFitted(HDC dc, int x, int y, int w, int h, TFramedImage& image, TFitSpec fit, bool transparent,
                bool skipCentre = false) {
    if (!image.Valid() || w <= 0 || h <= 0) return;
    fit.Frame = image.Frame();
    TDibTarget direct;
    if (DirectDibTarget(dc, direct)) {
        TFitTarget t = DirectSurface(direct, x, y, w, h, transparent);
        t.SkipCentre = skipCentre;
        FitFrame(image.Rows(), t, fit);
        return;
    }
    TWorkDib work(w, h, 4);
    if (work.Empty()) return;
    FitFrame(image.Rows(), WholeSurface(work.View()), fit);
    if (transparent)
        BlitPixels(dc, x, y, w, h, {work.View(), work.Dc()}, 0, 0, true, kKey);
    else
        BlitCells(dc, x, y, work, LayoutFit(w, h, fit), skipCentre);
}

TFitSpec NineSlice(const RECT& margins, bool tile) {
    TFitSpec fit;
    fit.Margins = margins;
    fit.TileX = fit.TileY = tile;
    fit.DropMargins = true;
    return fit;
}

}  // namespace

std::unique_ptr<TBitmap> RenderSkinImage(const RECT& target, TBitmap& bitmap, const RECT& margins, bool vertical,
                                         bool tile, int frameCount, int frameIndex) {
    auto result = std::make_unique<TBitmap>();
    const int w = target.right - target.left, h = target.bottom - target.top;
    if (w <= 0 || h <= 0) return result;
    TFramedImage image(bitmap, frameCount, frameIndex, vertical);
    TWorkDib work(w, h, image.Valid() ? image.Rows().BytesPerPixel : 3);
    if (work.Empty()) return result;
    if (image.Valid()) {
        TFitSpec fit = NineSlice(margins, tile);
        fit.Frame = image.Frame();
        FitFrame(image.Rows(), WholeSurface(work.View()), fit);
    } else {
        FillKey(work.View());
    }
    result->SetHandle(work.Release());
    return result;
}

void DrawSkinImage(HDC dc, const RECT& rect, TBitmap& bitmap, const RECT& margins, bool vertical, bool tile,
                   bool transparent, int frameCount, int frameIndex) {
    if (Inverted(rect)) return;
    TFramedImage image(bitmap, frameCount, frameIndex, vertical);
    DrawFitted(dc, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, image, NineSlice(margins, tile),
               transparent);
}

void DrawSkinEdges(HDC dc, const RECT& rect, TBitmap& bitmap, const RECT& margins, bool vertical, int frameCount,
                   int frameIndex) {
    if (Inverted(rect)) return;
    TFramedImage image(bitmap, frameCount, frameIndex, vertical);
    DrawFitted(dc, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, image, NineSlice(margins, false),
               false, true);
}

void DrawSkinStrip(qx::TCanvas& canvas, const RECT& rect, TBitmap& bitmap, const RECT& margins, int frameIndex,
                   int frameCount, bool transparent, bool vertical) {
    if (Inverted(rect)) return;
    TFramedImage image(bitmap, frameCount, frameIndex, vertical);
    TFitSpec fit;
    fit.Margins = {margins.left, 0, margins.right, 0};  // caps keep their width, all parts take the height
    fit.TileX = true;
    DrawFitted(canvas.Handle(), rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, image, fit,
               transparent);
}

void DrawSkinFrame(HDC dc, const RECT& rect, TBitmap& bitmap, bool transparent, int frameCount, int frameIndex) {
    if (Inverted(rect)) return;
    TFramedImage image(bitmap, frameCount, frameIndex, false);
    DrawFitted(dc, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, image, TFitSpec{}, transparent);
}

void DrawSkinGlyph(HDC dc, const RECT& rect, TBitmap& bitmap, bool transparent, int frameCount, int frameIndex) {
    if (Inverted(rect)) return;
    TFramedImage image(bitmap, frameCount, frameIndex, false);
    if (!image.Valid()) return;
    const int fw = image.FrameWidth(), fh = image.FrameHeight();
    // Division truncating toward zero: a glyph larger than the rectangle is centred as well.
    const int x = rect.left + (rect.right - rect.left - fw) / 2;
    const int y = rect.top + (rect.bottom - rect.top - fh) / 2;
    BlitPixels(dc, x, y, fw, fh, {image.Rows(), nullptr, &image.Bitmap()}, image.Frame().left, image.Frame().top, transparent,
               kKey);
}

// A rectangle narrower (lower) than the frame gets the three parts only, cut to its size; no
// copy goes from the device context back into the skin image.
void DrawHorzThreePart(HDC dc, const RECT& rect, TBitmap& bitmap, bool vertical, int frameCount, int frameIndex,
                       const RECT& margins) {
    if (Inverted(rect)) return;
    TFramedImage image(bitmap, frameCount, frameIndex, vertical);
    if (!image.Valid()) return;
    const int fh = image.FrameHeight(), height = rect.bottom - rect.top;
    const int top = height > fh ? rect.top + (height - fh) / 2 : rect.top;
    TFitSpec fit;
    fit.Margins = {margins.left, 0, margins.right, 0};
    DrawFitted(dc, rect.left, top, rect.right - rect.left, fh, image, fit, false);
}

void DrawVertThreePart(HDC dc, const RECT& rect, TBitmap& bitmap, bool vertical, int frameCount, int frameIndex,
                       const RECT& margins) {
    if (Inverted(rect)) return;
    TFramedImage image(bitmap, frameCount, frameIndex, vertical);
    if (!image.Valid()) return;
    const int fw = image.FrameWidth(), width = rect.right - rect.left;
    const int left = width > fw ? rect.left + (width - fw) / 2 : rect.left;
    TFitSpec fit;
    fit.Margins = {0, margins.top, 0, margins.bottom};
    DrawFitted(dc, left, rect.top, fw, rect.bottom - rect.top, image, fit, false);
}
