#include "skin/data/ImgUtil.h"

#include "framework/Handles.h"
#include "skin/data/PixelRows.h"
#include "skin/data/SkinAssert.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <utility>
#include <vector>

using qx::TBitmap;
using qx::TColor;
using qx::TPixelFormat;

namespace {

// The unit and lines the gradient assertions report.
constexpr const char* kUnit = "imgutil";
constexpr int kLookupAssertLine = 275;
constexpr int kCreateAssertLine = 294;

// Copies pixel sx of one row to pixel dx of another, in the rows' own format.
inline void CopyPixel(uint8_t* dst, int dx, const uint8_t* src, int sx, int bytesPerPixel) {
    if (bytesPerPixel == 0)
        SetBit(dst, dx, GetBit(src, sx));
    else
        std::memcpy(dst + dx * bytesPerPixel, src + sx * bytesPerPixel, bytesPerPixel);
}

enum class TTurn { Left, Right };

void RotateBitmap(TBitmap& bitmap, TTurn turn) {
    if (bitmap.Empty()) return;
    const int w = bitmap.Width(), h = bitmap.Height();
    TBitmap source;
    source.Assign(&bitmap);
    bitmap.SetSize(h, w);  // same pixel format and colour table; every pixel is rewritten below
    const TPixelView from = ViewOf(source), to = ViewOf(bitmap);
    const int bpp = from.BytesPerPixel;
    for (int y = 0; y < w; ++y) {
        uint8_t* row = to.Row(y);
        if (turn == TTurn::Left) {
            // new (x, y) = old (w - 1 - y, x): the old column w - 1 - y read downwards
            for (int x = 0; x < h; ++x) CopyPixel(row, x, from.Row(x), w - 1 - y, bpp);
        } else {
            // new (x, y) = old (y, h - 1 - x): the old column y read upwards
            for (int x = 0; x < h; ++x) CopyPixel(row, x, from.Row(h - 1 - x), y, bpp);
        }
    }
}

//--- gradient cache

struct TGradientCache {
    std::array<std::vector<TColor>, kGradientSlots> Slots;
    int Next = 0;
};

// Lives until the process ends; painting happens on one thread, so there is no lock.
TGradientCache& Cache() {
    static TGradientCache cache;
    return cache;
}

int Channel(TColor c, int shift) { return (c >> shift) & 0xFF; }

}  // namespace

//--- bitmaps

void GrayBitmap(TBitmap& bitmap) {
    bitmap.SetPixelFormat(TPixelFormat::pf24bit);
    const TPixelView view = ViewOf(bitmap);
    for (int y = 0; y < view.Height; ++y) {
        uint8_t* p = view.Row(y);
        for (int x = 0; x < view.Width; ++x, p += 3) {
            const auto g = static_cast<uint8_t>((unsigned(p[0]) + p[1] + p[2]) / 3);
            p[0] = p[1] = p[2] = g;
        }
    }
}

void MirrorBitmap(TBitmap& bitmap) {
    const TPixelView view = ViewOf(bitmap);
    const int bpp = view.BytesPerPixel;
    for (int y = 0; y < view.Height; ++y) {
        uint8_t* row = view.Row(y);
        for (int l = 0, r = view.Width - 1; l < r; ++l, --r) {
            if (bpp == 0) {
                const bool left = GetBit(row, l);
                SetBit(row, l, GetBit(row, r));
                SetBit(row, r, left);
            } else {
                uint8_t t[4];
                std::memcpy(t, row + l * bpp, bpp);
                std::memcpy(row + l * bpp, row + r * bpp, bpp);
                std::memcpy(row + r * bpp, t, bpp);
            }
        }
    }
}

void FlipBitmap(TBitmap& bitmap) {
    const TPixelView view = ViewOf(bitmap);
    std::vector<uint8_t> line(static_cast<size_t>(view.Stride));
    for (int top = 0, bottom = view.Height - 1; top < bottom; ++top, --bottom) {
        std::memcpy(line.data(), view.Row(top), line.size());
        std::memcpy(view.Row(top), view.Row(bottom), line.size());
        std::memcpy(view.Row(bottom), line.data(), line.size());
    }
}

void RotateBitmapLeft(TBitmap& bitmap) { RotateBitmap(bitmap, TTurn::Left); }

void RotateBitmapRight(TBitmap& bitmap) { RotateBitmap(bitmap, TTurn::Right); }

//--- colours

TColor MixColors(TColor a, TColor b, int w) {
    if (a < 0) a = static_cast<TColor>(::GetSysColor(a & 0xFF));
    if (b < 0) b = static_cast<TColor>(::GetSysColor(b & 0xFF));
    // Below 100 the weight is a percentage, from 100 on per mille: 100 means 10 %.
    const int64_t d = w < 100 ? 100 : 1000;
    auto mix = [&](int64_t ca, int64_t cb) { return ((ca * w + cb * (d - w) + d / 2) / d) & 0xFF; };
    const int64_t red = mix(a & 0xFF, b & 0xFF);
    const int64_t green = mix((a >> 8) & 0xFF, (b >> 8) & 0xFF);
    const int64_t blue = mix(a >> 16, b >> 16);  // "blue" is everything from bit 16 up
    return static_cast<TColor>(red | (green << 8) | (blue << 16));
}

//--- gradients

int FindGradientTable(int n, TColor start, TColor end) {
    SkinAssert(n > 0, kAssertionFailureText, kUnit, kLookupAssertLine);
    const TGradientCache& cache = Cache();
    for (int slot = kGradientSlots - 1; slot >= 0; --slot) {
        const std::vector<TColor>& table = cache.Slots[slot];
        if (static_cast<int>(table.size()) == n && table.front() == start && table.back() == end) return slot;
    }
    return -1;
}

int NewGradientTable(int n, TColor start, TColor end) {
    SkinAssert(n > 0, kAssertionFailureText, kUnit, kCreateAssertLine);
    TGradientCache& cache = Cache();
    const int slot = cache.Next;
    cache.Next = (cache.Next + 1) % kGradientSlots;
    std::vector<TColor>& table = cache.Slots[slot];
    table.assign(static_cast<size_t>(n), 0);
    const int m = n - 1, half = m / 2;
    for (int i = 0; i < n; ++i) {
        TColor c = 0;
        for (int shift : {0, 8, 16}) {
            const int c1 = Channel(start, shift), d = Channel(end, shift) - c1;
            // Signed division truncating toward zero: a falling channel can stop one step short
            // of the end colour, and such a table is never found again by the lookup.
            const int v = m == 0 ? c1 + d / 2 : c1 + (d * i + half) / m;
            c |= (v & 0xFF) << shift;
        }
        table[i] = c;
    }
    return slot;
}

int GradientTable(int n, TColor start, TColor end) {
    const int slot = FindGradientTable(n, start, end);
    return slot >= 0 ? slot : NewGradientTable(n, start, end);
}

const std::vector<TColor>& GradientColors(int slot) {
    static const std::vector<TColor> none;
    if (slot < 0 || slot >= kGradientSlots) return none;
    return Cache().Slots[slot];
}

void GradientFill(HDC dc, const RECT& rect, TColor start, bool vertical, TColor end) {
    if (!::RectVisible(dc, &rect)) return;
    start = static_cast<TColor>(qx::ColorToRGB(start));
    end = static_cast<TColor>(qx::ColorToRGB(end));
    RECT clip{};
    if (::GetClipBox(dc, &clip) == ERROR) return;
    const int origin = vertical ? rect.top : rect.left;
    const int length = vertical ? rect.bottom - rect.top : rect.right - rect.left;
    if (length <= 0) return;
    // Only the lines inside the clip box are painted, but the table always spans the whole
    // rectangle, so a partly clipped fill puts the same colours at the same places.
    const int clipStart = (vertical ? clip.top : clip.left) - origin;
    const int clipEnd = (vertical ? clip.bottom : clip.right) - origin;
    const int first = clipStart > 0 && clipStart < length ? clipStart : 0;
    const int last = clipEnd > 0 && clipEnd < length ? clipEnd - 1 : length - 1;
    const std::vector<TColor>& colours = GradientColors(GradientTable(length, start, end));
    for (int i = first; i <= last; ++i) {
        const RECT line = vertical ? RECT{rect.left, rect.top + i, rect.right, rect.top + i + 1}
                                   : RECT{rect.left + i, rect.top, rect.left + i + 1, rect.bottom};
        qx::UniqueBrush brush(::CreateSolidBrush(static_cast<COLORREF>(colours[i])));
        ::FillRect(dc, &line, brush.get());
    }
}
