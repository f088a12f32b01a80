// Drawing straight into a context's DIB section: which contexts qualify, and that the direct
// path puts exactly the pixels GDI would, whatever the origin, clipping, row order and depth.
#include "skin/data/DibTarget.h"
#include "skin/data/SkinDraw.h"
#include "support/DrawTestSupport.h"

#include "framework/Handles.h"

#include <gtest/gtest.h>

#include <functional>

using qx::test::DibCanvas;
using skintest::Tagged;

namespace {

// A DIB section of any depth and row order with its own memory DC.
class TTestDib {
public:
    TTestDib(int w, int h, int bits, bool bottomUp) : FWidth(w), FHeight(h), FBits(bits) {
        BITMAPINFO bi{};
        bi.bmiHeader = {sizeof(BITMAPINFOHEADER), w, bottomUp ? h : -h, 1, static_cast<WORD>(bits), BI_RGB, 0, 0, 0, 0, 0};
        void* p = nullptr;
        FBitmap.reset(::CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &p, nullptr, 0));
        FDc.reset(::CreateCompatibleDC(nullptr));
        FOld = ::SelectObject(FDc.get(), FBitmap.get());
        FPixels = static_cast<uint8_t*>(p);
        FStride = ((w * bits + 31) / 32) * 4;
        FBottomUp = bottomUp;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) Put(x, y, RGB(x * 3, 200, y * 5));
    }
    ~TTestDib() { ::SelectObject(FDc.get(), FOld); }
    HDC Dc() const { return FDc.get(); }
    COLORREF Pixel(int x, int y) const {
        ::GdiFlush();
        const uint8_t* p = Row(y) + x * (FBits / 8);
        return RGB(p[2], p[1], p[0]);
    }

private:
    uint8_t* Row(int y) const { return FPixels + static_cast<size_t>(FBottomUp ? FHeight - 1 - y : y) * FStride; }
    void Put(int x, int y, COLORREF c) {
        uint8_t* p = Row(y) + x * (FBits / 8);
        p[0] = GetBValue(c);
        p[1] = GetGValue(c);
        p[2] = GetRValue(c);
    }
    int FWidth, FHeight, FBits;
    qx::UniqueBitmap FBitmap;
    qx::UniqueMemDc FDc;
    HGDIOBJ FOld = nullptr;
    uint8_t* FPixels = nullptr;
    int FStride = 0;
    bool FBottomUp = false;
};

void ForceGdi(HDC dc) {
    ::SetMapMode(dc, MM_ANISOTROPIC);
    ::SetWindowExtEx(dc, 1, 1, nullptr);
    ::SetViewportExtEx(dc, 1, 1, nullptr);
}

}  // namespace

TEST(DibTarget, OnlyPlainMemoryContextsOverDibSectionsQualify) {
    DibCanvas c(20, 10);
    TDibTarget t;
    ASSERT_TRUE(DirectDibTarget(c.Dc(), t));
    EXPECT_EQ(t.Pixels.Width, 20);
    EXPECT_EQ(t.Pixels.Height, 10);
    EXPECT_EQ(t.Pixels.BytesPerPixel, 4);
    const RECT whole{0, 0, 20, 10};
    EXPECT_TRUE(::EqualRect(&t.Clip, &whole));

    // Origin and a rectangular clip, both in device pixels.
    ::SetViewportOrgEx(c.Dc(), 5, 6, nullptr);
    ::IntersectClipRect(c.Dc(), 2, 3, 10, 12);
    ASSERT_TRUE(DirectDibTarget(c.Dc(), t));
    EXPECT_EQ(t.Offset.x, 5);
    EXPECT_EQ(t.Offset.y, 6);
    EXPECT_EQ(t.Clip.left, 7);
    EXPECT_EQ(t.Clip.top, 9);
    EXPECT_EQ(t.Clip.right, 15);
    EXPECT_EQ(t.Clip.bottom, 10);  // cut by the surface

    // A clip region of two pieces, a mapping, a transform or mirroring: left to GDI.
    DibCanvas d(20, 10);
    qx::UniqueRgn two(::CreateRectRgn(0, 0, 5, 5));
    qx::UniqueRgn other(::CreateRectRgn(10, 5, 15, 10));
    ::CombineRgn(two.get(), two.get(), other.get(), RGN_OR);
    ::SelectClipRgn(d.Dc(), two.get());
    EXPECT_FALSE(DirectDibTarget(d.Dc(), t));
    ::SelectClipRgn(d.Dc(), nullptr);
    ForceGdi(d.Dc());
    EXPECT_FALSE(DirectDibTarget(d.Dc(), t));
    ::SetMapMode(d.Dc(), MM_TEXT);
    ::SetGraphicsMode(d.Dc(), GM_ADVANCED);
    EXPECT_TRUE(DirectDibTarget(d.Dc(), t));  // identity transform
    const XFORM scale{2, 0, 0, 2, 0, 0};
    ::SetWorldTransform(d.Dc(), &scale);
    EXPECT_FALSE(DirectDibTarget(d.Dc(), t));
    ::ModifyWorldTransform(d.Dc(), nullptr, MWT_IDENTITY);
    ::SetLayout(d.Dc(), LAYOUT_RTL);
    EXPECT_FALSE(DirectDibTarget(d.Dc(), t));

    // A device-dependent bitmap, or no context at all.
    qx::WindowDc screen(nullptr);
    qx::UniqueBitmap ddb(::CreateCompatibleBitmap(screen.get(), 8, 8));
    qx::UniqueMemDc mem(::CreateCompatibleDC(screen.get()));
    qx::SelectGuard selected(mem.get(), ddb.get());
    EXPECT_FALSE(DirectDibTarget(mem.get(), t));
    EXPECT_FALSE(DirectDibTarget(nullptr, t));
}

TEST(DibTarget, BottomUpRowsAreAddressedTopFirst) {
    TTestDib dib(6, 4, 24, true);
    TDibTarget t;
    ASSERT_TRUE(DirectDibTarget(dib.Dc(), t));
    EXPECT_EQ(t.Pixels.BytesPerPixel, 3);
    EXPECT_LT(t.Pixels.Stride, 0);
    const uint8_t* p = t.Pixels.Row(3) + 2 * 3;  // pixel (2, 3)
    EXPECT_EQ(RGB(p[2], p[1], p[0]), dib.Pixel(2, 3));
}

// Every routine, drawn once directly and once through GDI into equal surfaces with equal
// context state, must leave identical pixels.
TEST(DibTarget, DirectWritesMatchGdiUnderOriginClipDepthAndRowOrder) {
    auto image = skintest::MakeBitmap(45, 15, qx::TPixelFormat::pf24bit, [](int x, int y) {
        return (x % 15 + y) % 6 == 0 ? skintest::kMagenta : Tagged(x, y);
    });
    const std::function<void(HDC)> draws[] = {
        [&](HDC dc) { DrawSkinImage(dc, {-7, 3, 50, 30}, *image, {3, 2, 4, 3}, false, false, false, 3, 2); },
        [&](HDC dc) { DrawSkinImage(dc, {4, -5, 38, 25}, *image, {3, 2, 4, 3}, false, true, true, 3, 3); },
        [&](HDC dc) { DrawSkinEdges(dc, {2, 2, 36, 26}, *image, {3, 2, 4, 3}, false, 3, 1); },
        [&](HDC dc) { DrawSkinImage(dc, {1, 1, 40, 20}, *image, {10, 0, 10, 0}, false, false, false, 3, 1); },
        [&](HDC dc) { DrawSkinGlyph(dc, {30, 20, 34, 24}, *image, true, 3, 2); },
        [&](HDC dc) { DrawTransparent(dc, {-3, 9, 60, 40}, *image, static_cast<qx::TColor>(skintest::kMagenta)); },
        [&](HDC dc) { DrawHorzThreePart(dc, {5, 5, 33, 30}, *image, false, 3, 2, {4, 0, 4, 0}); },
    };
    struct TSetup {
        int Bits;
        bool BottomUp;
        POINT Origin;
        RECT Clip;  // logical; empty for none
    };
    const TSetup setups[] = {
        {32, false, {0, 0}, {}},
        {24, true, {0, 0}, {}},
        {32, true, {6, -4}, {3, 5, 29, 19}},
        {24, false, {-2, 3}, {0, 0, 12, 40}},
    };
    int index = 0;
    for (const TSetup& s : setups) {
        for (const auto& draw : draws) {
            TTestDib direct(40, 30, s.Bits, s.BottomUp), gdi(40, 30, s.Bits, s.BottomUp);
            ForceGdi(gdi.Dc());
            for (HDC dc : {direct.Dc(), gdi.Dc()}) {
                ::SetViewportOrgEx(dc, s.Origin.x, s.Origin.y, nullptr);
                if (!::IsRectEmpty(&s.Clip)) ::IntersectClipRect(dc, s.Clip.left, s.Clip.top, s.Clip.right, s.Clip.bottom);
                draw(dc);
            }
            for (int y = 0; y < 30; ++y)
                for (int x = 0; x < 40; ++x)
                    ASSERT_EQ(direct.Pixel(x, y), gdi.Pixel(x, y)) << "setup " << (&s - setups) << ", drawing " << (index % 7)
                                                                     << ", pixel " << x << "," << y;
            ++index;
        }
    }
}
