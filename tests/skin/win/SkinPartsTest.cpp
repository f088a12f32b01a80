// The strip, whole-frame, glyph and three-part routines: where each part lands, what stays
// untouched, and that degenerate geometry never draws with negative sizes.
#include "skin/data/SkinDraw.h"
#include "support/DrawTestSupport.h"

#include <gtest/gtest.h>

#include <vector>

using qx::TBitmap;
using qx::test::DibCanvas;
using skintest::At;
using skintest::UsePath;
using skintest::Dump;
using skintest::kMagenta;
using skintest::SourceX;
using skintest::SourceY;
using skintest::Tagged;

namespace {

constexpr COLORREF kGround = RGB(0, 160, 0);

// SourceY down column x from y0 to y1 must be a stretch of source rows [s0, s1).
void ExpectRowsStretched(const DibCanvas& c, int x, int y0, int y1, int s0, int s1) {
    int last = s0 - 1;
    for (int y = y0; y < y1; ++y) {
        const int s = SourceY(At(c, x, y));
        ASSERT_TRUE(s == last || s == last + 1) << "row " << y << " from source row " << s;
        last = s;
    }
    EXPECT_EQ(SourceY(At(c, x, y0)), s0);
    EXPECT_EQ(last, s1 - 1);
}

// Draws a strip through a canvas object on a fresh canvas filled with the ground colour.
void Strip(DibCanvas& c, const RECT& r, TBitmap& b, const RECT& margins, int frame, int frames, bool transparent) {
    c.Fill(kGround);
    qx::TCanvas canvas;
    canvas.SetHandle(c.Dc());
    DrawSkinStrip(canvas, r, b, margins, frame, frames, transparent, false);
    canvas.SetHandle(nullptr);
}

}  // namespace

class SkinStrip : public ::testing::TestWithParam<skintest::TPath> {};
class SkinFrameAndGlyph : public ::testing::TestWithParam<skintest::TPath> {};
class SkinThreePart : public ::testing::TestWithParam<skintest::TPath> {};

//--- strips

TEST_P(SkinStrip, CapsKeepTheirWidthAndTheMiddleRepeatsAcross) {
    auto b = skintest::MakeTaggedBitmap(24, 8);  // two 12 x 8 frames
    DibCanvas c(40, 20);
    UsePath(c, GetParam());
    Strip(c, {4, 2, 34, 18}, *b, {3, 0, 2, 0}, 2, 2, false);
    SCOPED_TRACE(Dump("Strip", c, b.get()));
    for (int x = 0; x < 30; ++x) {
        const int expected = x < 3 ? 12 + x : x >= 28 ? 12 + 10 + (x - 28) : 12 + 3 + (x - 3) % 7;
        ASSERT_EQ(SourceX(At(c, 4 + x, 2)), expected) << "column " << x;
        ASSERT_EQ(SourceX(At(c, 4 + x, 17)), expected) << "column " << x;
    }
    ExpectRowsStretched(c, 10, 2, 18, 0, 8);  // every part takes the strip's height
    EXPECT_EQ(At(c, 3, 5), kGround);
    EXPECT_EQ(At(c, 34, 5), kGround);
    EXPECT_EQ(At(c, 10, 18), kGround);
}

TEST_P(SkinStrip, MarginsAsWideAsTheFrameDrawNothingBetweenTheCaps) {
    auto b = skintest::MakeTaggedBitmap(10, 8);
    DibCanvas c(30, 8);
    UsePath(c, GetParam());
    for (const RECT margins : {RECT{6, 0, 6, 0}, RECT{5, 0, 5, 0}}) {  // middle width -2 and 0
        for (bool transparent : {false, true}) {
            Strip(c, c.Rect(), *b, margins, 1, 1, transparent);
            SCOPED_TRACE(Dump("StripNoMiddle", c, b.get()));
            const int r = margins.right;
            for (int x = 0; x < 30; ++x) {
                const COLORREF p = At(c, x, 3);
                if (x < margins.left)
                    ASSERT_EQ(SourceX(p), x) << x;
                else if (x >= 30 - r)
                    ASSERT_EQ(SourceX(p), 10 - r + (x - (30 - r))) << x;
                else
                    ASSERT_EQ(p, kGround) << x;
            }
        }
    }
}

TEST_P(SkinStrip, TransparentStripLeavesMagentaOutAndANarrowStripLetsTheRightCapWin) {
    // Column 5 of the middle is magenta: every repeat of it stays untouched.
    auto b = skintest::MakeBitmap(12, 4, qx::TPixelFormat::pf24bit, [](int x, int y) { return x == 5 ? kMagenta : Tagged(x, y); });
    DibCanvas c(30, 4);
    UsePath(c, GetParam());
    Strip(c, c.Rect(), *b, {3, 0, 2, 0}, 1, 1, true);
    for (int x = 3; x < 28; ++x) EXPECT_EQ(At(c, x, 1) == kGround, (x - 3) % 7 == 2) << x << "; " << Dump("StripTransparent", c);
    // 4 wide, caps of 3 and 2: no middle, the right cap drawn over the left one.
    Strip(c, {0, 0, 4, 4}, *b, {3, 0, 2, 0}, 1, 1, false);
    EXPECT_EQ(SourceX(At(c, 0, 0)), 0);
    EXPECT_EQ(SourceX(At(c, 1, 0)), 1);
    EXPECT_EQ(SourceX(At(c, 2, 0)), 10);
    EXPECT_EQ(SourceX(At(c, 3, 0)), 11);
    EXPECT_EQ(At(c, 4, 0), kGround);
}

//--- whole frames and glyphs

TEST_P(SkinFrameAndGlyph, FrameIsStretchedWholeToTheRectangle) {
    auto b = skintest::MakeBitmap(30, 10, qx::TPixelFormat::pf24bit, [](int x, int y) { return x == 15 && y == 5 ? kMagenta : Tagged(x, y); });
    DibCanvas c(25, 35);
    UsePath(c, GetParam());
    c.Fill(kGround);
    DrawSkinFrame(c.Dc(), {1, 1, 21, 31}, *b, false, 3, 2);
    SCOPED_TRACE(Dump("SkinFrame", c, b.get()));
    EXPECT_EQ(At(c, 1, 1), Tagged(10, 0));
    EXPECT_EQ(At(c, 20, 30), Tagged(19, 9));
    ExpectRowsStretched(c, 2, 1, 31, 0, 10);
    EXPECT_EQ(At(c, 0, 0), kGround);
    EXPECT_EQ(At(c, 21, 31), kGround);
    // The magenta pixel (15, 5) becomes a 2 x 3 block; transparent drawing leaves it out.
    c.Fill(kGround);
    DrawSkinFrame(c.Dc(), {1, 1, 21, 31}, *b, true, 3, 2);
    int untouched = 0;
    for (int y = 1; y < 31; ++y)
        for (int x = 1; x < 21; ++x) untouched += At(c, x, y) == kGround;
    EXPECT_EQ(untouched, 6) << Dump("SkinFrameTransparent", c);
}

TEST_P(SkinFrameAndGlyph, GlyphIsCentredUnscaledEvenWhenLargerThanTheRectangle) {
    auto b = skintest::MakeBitmap(48, 12, qx::TPixelFormat::pf24bit, [](int x, int y) { return x == 33 && y == 1 ? kMagenta : Tagged(x, y); });
    DibCanvas c(60, 60);
    UsePath(c, GetParam());
    c.Fill(kGround);
    // A 16 x 12 glyph in a 10 x 10 rectangle starts 3 pixels before it and 1 above it.
    DrawSkinGlyph(c.Dc(), {20, 20, 30, 30}, *b, false, 3, 3);
    SCOPED_TRACE(Dump("Glyph", c, b.get()));
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 16; ++x) ASSERT_EQ(At(c, 17 + x, 19 + y), x == 1 && y == 1 ? kMagenta : Tagged(32 + x, y));
    EXPECT_EQ(At(c, 16, 19), kGround);
    EXPECT_EQ(At(c, 33, 25), kGround);
    EXPECT_EQ(At(c, 20, 31), kGround);
    c.Fill(kGround);
    DrawSkinGlyph(c.Dc(), {0, 0, 40, 40}, *b, true, 3, 3);  // at (12, 14)
    EXPECT_EQ(At(c, 12, 14), Tagged(32, 0));
    EXPECT_EQ(At(c, 13, 15), kGround);
    EXPECT_EQ(At(c, 27, 25), Tagged(47, 11));
}

//--- three parts

TEST_P(SkinThreePart, HorizontalCapsUnscaledMiddleStretchedAtTheFrameHeightCentred) {
    auto b = skintest::MakeTaggedBitmap(12, 12);  // two stacked 12 x 6 frames
    DibCanvas c(50, 30);
    UsePath(c, GetParam());
    c.Fill(kGround);
    DrawHorzThreePart(c.Dc(), {5, 5, 45, 25}, *b, true, 2, 2, {3, 0, 2, 0});
    SCOPED_TRACE(Dump("HorzThreePart", c, b.get()));
    for (int y = 5; y < 25; ++y) {
        const bool drawn = y >= 12 && y < 18;  // 20 high, frame 6: moved down by 7
        for (int x = 5; x < 45; ++x) {
            const COLORREF p = At(c, x, y);
            if (!drawn) {
                ASSERT_EQ(p, kGround) << x << "," << y;
                continue;
            }
            ASSERT_EQ(SourceY(p), 6 + y - 12);
            if (x < 8) {
                ASSERT_EQ(SourceX(p), x - 5);
            }
            if (x >= 43) {
                ASSERT_EQ(SourceX(p), 10 + x - 43);
            }
        }
    }
    int last = 2;
    for (int x = 8; x < 43; ++x) {
        const int s = SourceX(At(c, x, 14));
        ASSERT_TRUE(s == last || s == last + 1) << x;
        last = s;
    }
    EXPECT_EQ(last, 9);
}

TEST_P(SkinThreePart, VerticalCapsUnscaledMiddleStretchedAtTheFrameWidthCentred) {
    auto b = skintest::MakeTaggedBitmap(12, 12);  // two 6 x 12 frames side by side
    DibCanvas c(30, 50);
    UsePath(c, GetParam());
    c.Fill(kGround);
    DrawVertThreePart(c.Dc(), {5, 5, 25, 45}, *b, false, 2, 2, {0, 3, 0, 2});
    SCOPED_TRACE(Dump("VertThreePart", c, b.get()));
    for (int x = 5; x < 25; ++x) {
        const bool drawn = x >= 12 && x < 18;
        ASSERT_EQ(At(c, x, 20) == kGround, !drawn) << x;
    }
    for (int y = 5; y < 8; ++y) EXPECT_EQ(At(c, 12, y), Tagged(6, y - 5));
    for (int y = 43; y < 45; ++y) EXPECT_EQ(At(c, 17, y), Tagged(11, 10 + y - 43));
    ExpectRowsStretched(c, 14, 8, 43, 3, 10);
}

TEST_P(SkinThreePart, RectanglesSmallerThanTheCapsNeitherSpillNorWriteIntoTheImage) {
    auto b = skintest::MakeTaggedBitmap(12, 6);
    auto before = skintest::MakeTaggedBitmap(12, 6);
    DibCanvas c(20, 20);
    UsePath(c, GetParam());
    c.Fill(kGround);
    DrawHorzThreePart(c.Dc(), {2, 2, 6, 8}, *b, false, 1, 1, {3, 0, 2, 0});  // 4 wide, caps 3 + 2
    DrawVertThreePart(c.Dc(), {10, 2, 16, 5}, *b, false, 2, 1, {0, 4, 0, 4});  // 3 high, caps 4 + 4
    SCOPED_TRACE(Dump("ThreePartNarrow", c, b.get()));
    EXPECT_EQ(SourceX(At(c, 3, 2)), 1);
    EXPECT_EQ(SourceX(At(c, 4, 2)), 10);  // the right cap wins where the caps overlap
    EXPECT_EQ(SourceX(At(c, 5, 2)), 11);
    for (int y = 0; y < 20; ++y) EXPECT_EQ(At(c, 6, y), kGround) << y;
    EXPECT_EQ(SourceY(At(c, 10, 2)), 3);  // likewise the bottom cap (rows 3 to 5) over the top one
    EXPECT_EQ(SourceY(At(c, 15, 4)), 5);
    for (int x = 6; x < 20; ++x) EXPECT_EQ(At(c, x, 5), kGround) << x;
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 12; ++x) ASSERT_EQ(b->Pixel(x, y), before->Pixel(x, y)) << x << "," << y;
}

INSTANTIATE_TEST_SUITE_P(Paths, SkinStrip, ::testing::Values(skintest::TPath::Direct, skintest::TPath::Gdi), skintest::PathName);
INSTANTIATE_TEST_SUITE_P(Paths, SkinFrameAndGlyph, ::testing::Values(skintest::TPath::Direct, skintest::TPath::Gdi), skintest::PathName);
INSTANTIATE_TEST_SUITE_P(Paths, SkinThreePart, ::testing::Values(skintest::TPath::Direct, skintest::TPath::Gdi), skintest::PathName);
