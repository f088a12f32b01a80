#include "skin/data/DibTarget.h"
#include "skin/data/SkinFit.h"

#include "framework/Handles.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

bool IdentityTransform(HDC dc) {
    if (::GetGraphicsMode(dc) != GM_ADVANCED) return true;
    XFORM x{};
    return ::GetWorldTransform(dc, &x) && x.eM11 == 1.0f && x.eM12 == 0.0f && x.eM21 == 0.0f && x.eM22 == 1.0f &&
           x.eDx == 0.0f && x.eDy == 0.0f;
}

bool PlainRgbMasks(const DIBSECTION& ds) {
    if (ds.dsBmih.biCompression == BI_RGB) return true;
    return ds.dsBmih.biCompression == BI_BITFIELDS && ds.dsBmih.biBitCount == 32 && ds.dsBitfields[0] == 0xFF0000 &&
           ds.dsBitfields[1] == 0x00FF00 && ds.dsBitfields[2] == 0x0000FF;
}

// The system reports every DIB section's height as positive, top-down or not, so the row order
// is found out: two marker colours go into the memory of one visible pixel as either order would
// place it, GDI is asked which one it sees, and the memory is put back.
bool RowOrder(HDC dc, uint8_t* bits, int stride, int bytesPerPixel, int height, const RECT& clip, POINT origin, bool& bottomUp) {
    bottomUp = false;
    if (::IsRectEmpty(&clip)) return true;  // nothing will be written
    int y = clip.top;
    if (y == height - 1 - y) {
        if (y + 1 >= clip.bottom) return true;  // only the middle row is visible: the same either way
        ++y;
    }
    const int x = clip.left;
    uint8_t* asTopDown = bits + static_cast<std::ptrdiff_t>(y) * stride + x * bytesPerPixel;
    uint8_t* asBottomUp = bits + static_cast<std::ptrdiff_t>(height - 1 - y) * stride + x * bytesPerPixel;
    uint8_t keepTop[3], keepBottom[3];
    std::memcpy(keepTop, asTopDown, 3);
    std::memcpy(keepBottom, asBottomUp, 3);
    static constexpr uint8_t kTop[3] = {0x12, 0x34, 0x56}, kBottom[3] = {0x65, 0x43, 0x21};  // blue, green, red
    std::memcpy(asTopDown, kTop, 3);
    std::memcpy(asBottomUp, kBottom, 3);
    const COLORREF seen = ::GetPixel(dc, x - origin.x, y - origin.y);
    std::memcpy(asBottomUp, keepBottom, 3);
    std::memcpy(asTopDown, keepTop, 3);
    if (seen == RGB(kTop[2], kTop[1], kTop[0])) return true;
    bottomUp = true;
    return seen == RGB(kBottom[2], kBottom[1], kBottom[0]);
}

}  // namespace

bool DirectDibTarget(HDC dc, TDibTarget& target) {
    if (!dc || ::GetObjectType(dc) != OBJ_MEMDC) return false;
    auto* bitmap = static_cast<HBITMAP>(::GetCurrentObject(dc, OBJ_BITMAP));
    DIBSECTION ds{};
    if (!bitmap || ::GetObjectW(bitmap, sizeof ds, &ds) != sizeof ds || !ds.dsBm.bmBits) return false;
    if ((ds.dsBmih.biBitCount != 24 && ds.dsBmih.biBitCount != 32) || !PlainRgbMasks(ds)) return false;
    if (::GetMapMode(dc) != MM_TEXT || ::GetLayout(dc) != 0 || !IdentityTransform(dc)) return false;

    const int width = ds.dsBm.bmWidth, height = std::abs(ds.dsBmih.biHeight);
    RECT clip{0, 0, width, height};
    qx::UniqueRgn region(::CreateRectRgn(0, 0, 0, 0));
    if (!region) return false;
    if (::GetMetaRgn(dc, region.get()) != 0) return false;  // a meta region: leave it to GDI
    switch (::GetClipRgn(dc, region.get())) {
    case 0: break;  // no clip region
    case 1: {
        RECT box{};
        const int kind = ::GetRgnBox(region.get(), &box);  // device coordinates
        if (kind == NULLREGION) box = {0, 0, 0, 0};
        else if (kind != SIMPLEREGION) return false;
        ::IntersectRect(&clip, &clip, &box);
        break;
    }
    default: return false;
    }

    POINT origin{0, 0};
    if (!::LPtoDP(dc, &origin, 1)) return false;
    ::GdiFlush();  // drawing queued for this surface must land before we write its rows
    const int stride = ds.dsBm.bmWidthBytes;
    auto* bits = static_cast<uint8_t*>(ds.dsBm.bmBits);
    bool bottomUp = false;
    if (!RowOrder(dc, bits, stride, ds.dsBmih.biBitCount / 8, height, clip, origin, bottomUp)) return false;
    target.Pixels.Bits = bottomUp ? bits + static_cast<std::ptrdiff_t>(height - 1) * stride : bits;
    target.Pixels.Stride = bottomUp ? -stride : stride;
    target.Pixels.Width = width;
    target.Pixels.Height = height;
    target.Pixels.BytesPerPixel = ds.dsBmih.biBitCount / 8;
    target.Offset = origin;
    target.Clip = clip;
    return true;
}

TFitTarget DirectSurface(const TDibTarget& direct, int x, int y, int w, int h, bool transparent) {
    TFitTarget t;
    t.Pixels = direct.Pixels;
    t.Left = x + direct.Offset.x;
    t.Top = y + direct.Offset.y;
    t.Width = w;
    t.Height = h;
    t.Clip = direct.Clip;
    t.Transparent = transparent;
    t.FillHoles = false;
    return t;
}
