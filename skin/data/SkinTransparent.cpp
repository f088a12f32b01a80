#include "skin/data/SkinTransparent.h"

#include "skin/data/DibTarget.h"
#include "skin/data/SkinFit.h"
#include "skin/data/WorkDib.h"

#include <algorithm>
#include <cstring>
#include <optional>

namespace {

// Destination kept where the mask is 1 (key pixels), source copied where it is 0.
constexpr DWORD kKeepDestination = 0x00AA0029;
constexpr DWORD kMaskRop = MAKEROP4(kKeepDestination, SRCCOPY);
constexpr COLORREF kMagenta = RGB(255, 0, 255);

// Builds the 1-bit mask of the key pixels of a w x h area (1 = key); returns their number.
template <int N>
long long BuildMask(const TPixelView& pixels, int sx, int sy, int w, int h, COLORREF key, const TPixelView& mask) {
    const uint8_t b = GetBValue(key), g = GetGValue(key), r = GetRValue(key);
    long long count = 0;
    for (int y = 0; y < h; ++y) {
        const uint8_t* p = pixels.Row(sy + y) + static_cast<size_t>(sx) * N;
        uint8_t* out = mask.Row(y);
        std::memset(out, 0, static_cast<size_t>(mask.Stride));
        for (int x = 0; x < w; ++x, p += N) {
            if (p[0] == b && p[1] == g && p[2] == r) {
                out[x >> 3] |= static_cast<uint8_t>(0x80 >> (x & 7));
                ++count;
            }
        }
    }
    return count;
}

}  // namespace

void BlitPixels(HDC dc, int x, int y, int w, int h, const TBlitSource& from, int sx, int sy, bool transparent,
                COLORREF key) {
    const TPixelView& pixels = from.Pixels;
    if (!dc || pixels.Empty() || (pixels.BytesPerPixel != 3 && pixels.BytesPerPixel != 4)) return;
    if (sx < 0) { x -= sx; w += sx; sx = 0; }
    if (sy < 0) { y -= sy; h += sy; sy = 0; }
    w = std::min(w, pixels.Width - sx);
    h = std::min(h, pixels.Height - sy);
    if (w <= 0 || h <= 0) return;

    TDibTarget direct;
    if ((!transparent || key == kMagenta) && DirectDibTarget(dc, direct)) {
        // An unscaled fit of the area is a plain copy, done on the rows.
        TFitSpec fit;
        fit.Frame = {sx, sy, sx + w, sy + h};
        FitFrame(pixels, DirectSurface(direct, x, y, w, h, transparent), fit);
        return;
    }
    std::optional<qx::BitmapDc> selected;
    HDC source = from.Dc;
    if (!source && from.Bitmap) {
        selected.emplace(*from.Bitmap);
        source = selected->get();
    }
    if (!source) return;
    if (!transparent) {
        ::BitBlt(dc, x, y, w, h, source, sx, sy, SRCCOPY);
        return;
    }

    TWorkDib mask(w, h, 0);
    if (mask.Empty()) return;
    ::GdiFlush();  // the source rows may have been drawn into just now
    const long long keys = pixels.BytesPerPixel == 4 ? BuildMask<4>(pixels, sx, sy, w, h, key, mask.View())
                                                      : BuildMask<3>(pixels, sx, sy, w, h, key, mask.View());
    // Most skin pieces are either fully opaque or fully keyed: no mask operation for those.
    if (keys == 0) {
        ::BitBlt(dc, x, y, w, h, source, sx, sy, SRCCOPY);
        return;
    }
    if (keys == static_cast<long long>(w) * h) return;
    if (::MaskBlt(dc, x, y, w, h, source, sx, sy, mask.Handle(), 0, 0, kMaskRop)) return;
    // Devices without MaskBlt: picture XOR, mask AND (white keeps, black clears), picture XOR;
    // where the mask is white the two XORs cancel and the destination is left as it was. The
    // mono mask becomes colour through the text (0) and background (1) colours.
    const COLORREF oldBack = ::SetBkColor(dc, RGB(255, 255, 255));
    const COLORREF oldText = ::SetTextColor(dc, RGB(0, 0, 0));
    ::BitBlt(dc, x, y, w, h, source, sx, sy, SRCINVERT);
    ::BitBlt(dc, x, y, w, h, mask.Dc(), 0, 0, SRCAND);
    ::BitBlt(dc, x, y, w, h, source, sx, sy, SRCINVERT);
    ::SetTextColor(dc, oldText);
    ::SetBkColor(dc, oldBack);
}

void DrawTransparent(HDC dc, const RECT& rect, qx::TBitmap& bitmap, qx::TColor key) {
    if (rect.right < rect.left || rect.bottom < rect.top || bitmap.Empty()) return;
    TColourRows rows(bitmap);
    BlitPixels(dc, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, {rows.View(), nullptr, &rows.Bitmap()},
               0, 0, true, qx::ColorToRGB(key));
}
