// The skin drawing routines on a typical window frame (669 x 340): the nine-slice fit, opaque
// and transparent, against the same fit done piece by piece with GDI blits; and the window
// region built from the fitted frame against a GetPixel scan that combines one region per run.
// Every variant runs in the same process, interleaved, best of several rounds; the output is
// the ratio of the times (absolute times only for orientation).
#include "skin/data/SkinDraw.h"

#include "framework/DibSurface.h"
#include "framework/Handles.h"
#include "skin/data/PixelRows.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
constexpr COLORREF kKey = RGB(255, 0, 255);
constexpr int kWidth = 669, kHeight = 340;

// A frame image like a skin's window border: two 120 x 90 state frames side by side with a
// caption band, a shaded border, a textured centre and magenta rounded corners.
std::unique_ptr<qx::TBitmap> MakeFrameImage() {
    auto b = std::make_unique<qx::TBitmap>();
    b->SetSize(240, 90);
    const TPixelView v = ViewOf(*b);
    for (int y = 0; y < v.Height; ++y) {
        uint8_t* p = v.Row(y);
        for (int x = 0; x < v.Width; ++x, p += 3) {
            const int fx = x % 120;
            const int cx = std::min(fx, 119 - fx), cy = std::min(y, 89 - y);
            COLORREF c = y < 28 ? RGB(40 + y * 4, 60 + y * 3, 150 + fx % 50)
                       : cx < 6 || cy < 6 ? RGB(90 + cx * 10, 90 + cy * 10, 120)
                                          : RGB(200 + (fx * 3 + y) % 40, 200, 190 + (fx ^ y) % 30);
            if (cx + cy < 3) c = kKey;  // rounded outer corners
            p[0] = GetBValue(c);
            p[1] = GetGValue(c);
            p[2] = GetRValue(c);
        }
    }
    return b;
}

const RECT kMargins{6, 28, 6, 6};

// A top-down 32-bit DIB with a DC: the double buffer a painter draws into.
struct TSurface : qx::TDibSurface {
    TSurface(int w, int h) : qx::TDibSurface(w, h, 32) {}
};

//--- baselines

// The nine-slice fit as nine StretchBlt calls into a work bitmap, then one blit (or a masked
// blit) to the target: the straightforward GDI version of the same routine.
void NineSliceByPieces(HDC target, const RECT& r, qx::TBitmap& image, int frameIndex, bool transparent) {
    const int fw = image.Width() / 2, fh = image.Height(), fx = fw * (frameIndex - 1);
    const int w = r.right - r.left, h = r.bottom - r.top;
    const int L = kMargins.left, T = kMargins.top, R = kMargins.right, B = kMargins.bottom;
    TSurface work(w, h);
    qx::BitmapDc source(image);
    HDC dc = work.Dc();
    ::SetStretchBltMode(dc, COLORONCOLOR);
    const int pieces[9][8] = {
        {0, 0, L, T, fx, 0, L, T},                                  // top-left
        {0, h - B, L, B, fx, fh - B, L, B},                         // bottom-left
        {w - R, 0, R, T, fx + fw - R, 0, R, T},                     // top-right
        {0, T, L, h - T - B, fx, T, L, fh - T - B},                 // left
        {L, 0, w - L - R, T, fx + L, 0, fw - L - R, T},             // top
        {L, T, w - L - R, h - T - B, fx + L, T, fw - L - R, fh - T - B},  // centre
        {w - R, h - B, R, B, fx + fw - R, fh - B, R, B},            // bottom-right
        {w - R, T, R, h - T - B, fx + fw - R, T, R, fh - T - B},    // right
        {L, h - B, w - L - R, B, fx + L, fh - B, fw - L - R, B},    // bottom
    };
    for (const auto& p : pieces) ::StretchBlt(dc, p[0], p[1], p[2], p[3], source.get(), p[4], p[5], p[6], p[7], SRCCOPY);
    if (!transparent) {
        ::BitBlt(target, r.left, r.top, w, h, dc, 0, 0, SRCCOPY);
        return;
    }
    ::TransparentBlt(target, r.left, r.top, w, h, dc, 0, 0, w, h, kKey);
}

// Reads every pixel with GetPixel and ORs a one-row region into the result for every run.
qx::UniqueRgn RegionByGetPixel(qx::TBitmap& image) {
    qx::BitmapDc dc(image);
    qx::UniqueRgn result;
    for (int y = 0; y < image.Height(); ++y) {
        int start = -1;
        for (int x = 0; x <= image.Width(); ++x) {
            const bool keyed = x == image.Width() || ::GetPixel(dc.get(), x, y) == kKey;
            if (!keyed && start < 0) start = x;
            if (keyed && start >= 0) {
                qx::UniqueRgn run(::CreateRectRgn(start, y, x, y + 1));
                if (!result)
                    result = std::move(run);
                else
                    ::CombineRgn(result.get(), result.get(), run.get(), RGN_OR);
                start = -1;
            }
        }
    }
    return result;
}

// Scan lines, one rectangle per run and row, regions made 2000 rectangles at a time: the
// region builder without joining equal rows.
qx::UniqueRgn RegionPerRow(qx::TBitmap& image) {
    const TPixelView v = ViewOf(image);
    std::vector<RECT> rects;
    qx::UniqueRgn result;
    auto flush = [&] {
        if (rects.empty()) return;
        std::vector<uint8_t> data(sizeof(RGNDATAHEADER) + rects.size() * sizeof(RECT));
        auto* header = reinterpret_cast<RGNDATAHEADER*>(data.data());
        *header = {sizeof(RGNDATAHEADER), RDH_RECTANGLES, static_cast<DWORD>(rects.size()), 0, {0, 0, v.Width, v.Height}};
        std::copy(rects.begin(), rects.end(), reinterpret_cast<RECT*>(data.data() + sizeof(RGNDATAHEADER)));
        qx::UniqueRgn part(::ExtCreateRegion(nullptr, static_cast<DWORD>(data.size()), reinterpret_cast<RGNDATA*>(data.data())));
        if (!result)
            result = std::move(part);
        else
            ::CombineRgn(result.get(), result.get(), part.get(), RGN_OR);
        rects.clear();
    };
    for (int y = 0; y < v.Height; ++y) {
        const uint8_t* p = v.Row(y);
        int start = -1;
        for (int x = 0; x <= v.Width; ++x, p += v.BytesPerPixel) {
            const bool keyed = x == v.Width || (p[0] == 255 && p[1] <= 1 && p[2] == 255);
            if (!keyed && start < 0) start = x;
            if (keyed && start >= 0) {
                rects.push_back({start, y, x, y + 1});
                start = -1;
            }
        }
        if (rects.size() >= 2000) flush();
    }
    flush();
    return result;
}

//--- timing

struct TVariant {
    std::string Name;
    std::function<void()> Run;
    double Best = 1e30;  // milliseconds per call, best round
};

// Rounds of each variant in turn, so drifts of the machine hit all of them alike.
void Measure(std::vector<TVariant>& variants, int calls, int rounds) {
    for (TVariant& v : variants) v.Run();  // warm-up
    for (int round = 0; round < rounds; ++round)
        for (TVariant& v : variants) {
            const auto start = Clock::now();
            for (int i = 0; i < calls; ++i) v.Run();
            const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count() / calls;
            v.Best = std::min(v.Best, ms);
        }
}

void Report(const char* title, const std::vector<TVariant>& variants) {
    std::printf("%s\n", title);
    for (const TVariant& v : variants)
        std::printf("  %-44s %9.3f ms   %6.2fx the first\n", v.Name.c_str(), v.Best, v.Best / variants.front().Best);
}

}  // namespace

int main() {
    auto image = MakeFrameImage();
    TSurface target(kWidth, kHeight);
    const RECT r{0, 0, kWidth, kHeight};
    HDC dc = target.Dc();

    // The same surface once more, behind a 1:1 MM_ANISOTROPIC mapping: the routines cannot
    // write its rows and compose in a private surface that is blitted (the path for window DCs).
    TSurface mapped(kWidth, kHeight);
    HDC viaGdi = mapped.Dc();
    ::SetMapMode(viaGdi, MM_ANISOTROPIC);
    ::SetWindowExtEx(viaGdi, 1, 1, nullptr);
    ::SetViewportExtEx(viaGdi, 1, 1, nullptr);

    std::vector<TVariant> opaque{
        {"DrawSkinImage into a DIB (rows written)", [&] { DrawSkinImage(dc, r, *image, kMargins, false, false, false, 2, 1); }},
        {"DrawSkinImage, private surface + BitBlt", [&] { DrawSkinImage(viaGdi, r, *image, kMargins, false, false, false, 2, 1); }},
        {"nine StretchBlt pieces + BitBlt", [&] { NineSliceByPieces(dc, r, *image, 1, false); }},
    };
    Measure(opaque, 40, 7);
    Report("nine-slice 669x340, opaque", opaque);

    std::vector<TVariant> transparent{
        {"DrawSkinImage into a DIB (rows written)", [&] { DrawSkinImage(dc, r, *image, kMargins, false, false, true, 2, 1); }},
        {"DrawSkinImage, private surface + MaskBlt", [&] { DrawSkinImage(viaGdi, r, *image, kMargins, false, false, true, 2, 1); }},
        {"nine StretchBlt pieces + TransparentBlt", [&] { NineSliceByPieces(dc, r, *image, 1, true); }},
    };
    Measure(transparent, 40, 7);
    Report("nine-slice 669x340, transparent (magenta corners)", transparent);

    std::vector<TVariant> tiled{
        {"DrawSkinImage tiled centre", [&] { DrawSkinImage(dc, r, *image, kMargins, false, true, false, 2, 1); }},
        {"DrawSkinImage stretched centre", [&] { DrawSkinImage(dc, r, *image, kMargins, false, false, false, 2, 1); }},
    };
    Measure(tiled, 40, 7);
    Report("nine-slice 669x340, tiled against stretched centre", tiled);

    // The region of the fitted frame: every row but the corner ones is one run.
    auto fitted = RenderSkinImage(r, *image, kMargins, false, false, 2, 1);
    const qx::TColor key = static_cast<qx::TColor>(kKey);
    std::vector<TVariant> region{
        {"RegionFromBitmap (scan lines, equal rows joined)", [&] { RegionFromBitmap(*fitted, 0, 0, key, 1, 1, 1); }},
        {"scan lines, one rectangle per run and row", [&] { RegionPerRow(*fitted); }},
        {"GetPixel + CombineRgn per run", [&] { RegionByGetPixel(*fitted); }},
    };
    Measure(region, 5, 5);
    Report("region from the 669x340 frame", region);

    // All three give the same region.
    qx::UniqueRgn a = RegionFromBitmap(*fitted, 0, 0, key, 1, 1, 1);
    qx::UniqueRgn b = RegionPerRow(*fitted);
    qx::UniqueRgn c = RegionByGetPixel(*fitted);
    const bool same = a && b && c && ::EqualRgn(a.get(), b.get()) && ::EqualRgn(a.get(), c.get());
    std::printf("regions equal: %s\n", same ? "yes" : "NO");
    return same ? 0 : 1;
}
