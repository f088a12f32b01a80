// The nine-slice fit (RenderSkinImage, DrawSkinImage, DrawSkinEdges): which source pixel
// lands where, frame selection, transparency and bad geometry. Sources are "tagged" pictures
// whose pixels carry their own coordinates, so every target pixel says where it came from.
#include "skin/data/SkinDraw.h"
#include "support/DrawTestSupport.h"

#include <gtest/gtest.h>

#include <vector>

using qx::TBitmap;
using qx::test::DibCanvas;
using skintest::At;
using skintest::UsePath;
using skintest::Dump;
using skintest::SourceX;
using skintest::SourceY;
using skintest::Tagged;

namespace {

constexpr COLORREF kGround = RGB(0, 160, 0);  // what the canvas shows where nothing is drawn

// The source coordinates a run of target pixels came from must be a stretch of [s0, s1): in
// order, from first to last, each source pixel at least once (the target is at least as long).
void ExpectStretch(const std::vector<int>& got, int s0, int s1, const std::string& what) {
    ASSERT_FALSE(got.empty()) << what;
    EXPECT_EQ(got.front(), s0) << what;
    EXPECT_EQ(got.back(), s1 - 1) << what;
    for (size_t i = 1; i < got.size(); ++i) {
        ASSERT_GE(got[i], got[i - 1]) << what << " at " << i;
        ASSERT_LE(got[i] - got[i - 1], 1) << what << " skips a source pixel at " << i;
    }
}

std::vector<int> RowSources(const DibCanvas& c, int y, int x0, int x1) {
    std::vector<int> v;
    for (int x = x0; x < x1; ++x) v.push_back(SourceX(At(c, x, y)));
    return v;
}

std::vector<int> ColumnSources(const DibCanvas& c, int x, int y0, int y1) {
    std::vector<int> v;
    for (int y = y0; y < y1; ++y) v.push_back(SourceY(At(c, x, y)));
    return v;
}

// Checks the 50 x 21 fit of a 15 x 15 frame at (fx, fy) with margins 1 on every side.
void ExpectFiftyByTwentyOne(const DibCanvas& c, int fx, int fy, const std::string& name) {
    SCOPED_TRACE(Dump(name, c));
    // Corners unscaled.
    EXPECT_EQ(At(c, 0, 0), Tagged(fx, fy));
    EXPECT_EQ(At(c, 49, 0), Tagged(fx + 14, fy));
    EXPECT_EQ(At(c, 0, 20), Tagged(fx, fy + 14));
    EXPECT_EQ(At(c, 49, 20), Tagged(fx + 14, fy + 14));
    // Top and bottom edges stretched from 13 to 48 pixels, each in its own source row.
    for (int y : {0, 20}) {
        ExpectStretch(RowSources(c, y, 1, 49), fx + 1, fx + 14, "horizontal edge");
        for (int x = 1; x < 49; ++x) ASSERT_EQ(SourceY(At(c, x, y)), y == 0 ? fy : fy + 14);
    }
    // Left and right edges stretched from 13 to 19 pixels.
    for (int x : {0, 49}) {
        ExpectStretch(ColumnSources(c, x, 1, 20), fy + 1, fy + 14, "vertical edge");
        for (int y = 1; y < 20; ++y) ASSERT_EQ(SourceX(At(c, x, y)), x == 0 ? fx : fx + 14);
    }
    // Centre stretched from 13 x 13 to 48 x 19: the column decides x, the row decides y.
    ExpectStretch(RowSources(c, 10, 1, 49), fx + 1, fx + 14, "centre row");
    ExpectStretch(ColumnSources(c, 25, 1, 20), fy + 1, fy + 14, "centre column");
    for (int y = 1; y < 20; ++y)
        for (int x = 1; x < 49; ++x) {
            ASSERT_EQ(SourceX(At(c, x, y)), SourceX(At(c, x, 10))) << x << "," << y;
            ASSERT_EQ(SourceY(At(c, x, y)), SourceY(At(c, 25, y))) << x << "," << y;
        }
}

}  // namespace

class SkinNineSlice : public ::testing::TestWithParam<skintest::TPath> {};
class SkinNineSliceGeometry : public ::testing::TestWithParam<skintest::TPath> {};

TEST_P(SkinNineSlice, FiftyByTwentyOneFromAFifteenPixelFrameOfThree) {
    auto b = skintest::MakeTaggedBitmap(45, 15);
    DibCanvas c(50, 21);
    UsePath(c, GetParam());
    DrawSkinImage(c.Dc(), c.Rect(), *b, {1, 1, 1, 1}, false, false, false, 3, 2);
    ExpectFiftyByTwentyOne(c, 15, 0, "NineSlice50x21");
}

TEST_P(SkinNineSlice, StackedFramesInEveryFormatAndTheRenderedBitmapAgree) {
    for (qx::TPixelFormat format : {qx::TPixelFormat::pf24bit, qx::TPixelFormat::pf32bit}) {
        auto b = skintest::MakeTaggedBitmap(15, 45, format);
        DibCanvas drawn(50, 21);
        UsePath(drawn, GetParam());
        DrawSkinImage(drawn.Dc(), drawn.Rect(), *b, {1, 1, 1, 1}, true, false, false, 3, 3);
        ExpectFiftyByTwentyOne(drawn, 0, 30, "NineSliceStacked");
        auto rendered = RenderSkinImage({7, 9, 57, 30}, *b, {1, 1, 1, 1}, true, false, 3, 3);
        ASSERT_EQ(rendered->Width(), 50);
        ASSERT_EQ(rendered->Height(), 21);
        for (int y = 0; y < 21; ++y)
            for (int x = 0; x < 50; ++x)
                ASSERT_EQ(static_cast<COLORREF>(rendered->Pixel(x, y)), At(drawn, x, y)) << x << "," << y;
    }
}

TEST_P(SkinNineSlice, MarginsWiderThanTheTargetAreDroppedOnThatAxisOnly) {
    // LeftWidth 8 and RightWidth 9 in a 10-pixel-wide target: the frame is stretched whole
    // across, while the top and bottom margins (2 each) still keep their rows.
    auto b = skintest::MakeTaggedBitmap(20, 10);
    DibCanvas c(10, 30);
    UsePath(c, GetParam());
    DrawSkinImage(c.Dc(), c.Rect(), *b, {8, 2, 9, 2}, false, false, false, 1, 1);
    SCOPED_TRACE(Dump("NineSliceDropped", c, b.get()));
    for (int y = 0; y < 30; ++y) {
        const std::vector<int> xs = RowSources(c, y, 0, 10);
        EXPECT_LT(xs.front(), 4);  // from the frame's left part ...
        EXPECT_GT(xs.back(), 15);  // ... to its right part, shrunk evenly
        for (size_t i = 1; i < xs.size(); ++i) ASSERT_EQ(xs[i] - xs[i - 1], 2) << "row " << y;
    }
    EXPECT_EQ(SourceY(At(c, 5, 0)), 0);
    EXPECT_EQ(SourceY(At(c, 5, 1)), 1);
    EXPECT_EQ(SourceY(At(c, 5, 28)), 8);
    EXPECT_EQ(SourceY(At(c, 5, 29)), 9);
    ExpectStretch(ColumnSources(c, 5, 2, 28), 2, 8, "middle rows");
}

TEST_P(SkinNineSlice, TiledCentreRepeatsUnscaledFromItsCornerWhileEdgesStretch) {
    // A 6 x 6 frame with margins 1 has a 4 x 4 centre; in a 12 x 12 target the centre area
    // is 10 x 10: tiles start at 0, 4 and 8, the last ones cut by the right and bottom parts.
    auto b = skintest::MakeTaggedBitmap(6, 6);
    DibCanvas c(12, 12);
    UsePath(c, GetParam());
    DrawSkinImage(c.Dc(), c.Rect(), *b, {1, 1, 1, 1}, false, true, false, 1, 1);
    SCOPED_TRACE(Dump("NineSliceTiled", c, b.get()));
    for (int y = 1; y < 11; ++y)
        for (int x = 1; x < 11; ++x) ASSERT_EQ(At(c, x, y), Tagged(1 + (x - 1) % 4, 1 + (y - 1) % 4)) << x << "," << y;
    for (int i = 1; i < 11; ++i) {
        ASSERT_EQ(SourceX(At(c, 11, i)), 5);  // right edge
        ASSERT_EQ(SourceY(At(c, i, 11)), 5);  // bottom edge
    }
    ExpectStretch(RowSources(c, 0, 1, 11), 1, 5, "top edge");
    ExpectStretch(ColumnSources(c, 0, 1, 11), 1, 5, "left edge");
}

TEST_P(SkinNineSlice, TransparentDrawingLeavesMagentaPixelsOut) {
    // Rounded corners: the outer corner pixels are magenta.
    auto b = skintest::MakeBitmap(10, 10, qx::TPixelFormat::pf24bit, [](int x, int y) {
        return (x == 0 || x == 9) && (y == 0 || y == 9) ? skintest::kMagenta : Tagged(x, y);
    });
    DibCanvas c(30, 20);
    UsePath(c, GetParam());
    c.Fill(kGround);
    DrawSkinImage(c.Dc(), {2, 3, 26, 17}, *b, {2, 2, 2, 2}, false, false, true, 1, 1);
    SCOPED_TRACE(Dump("NineSliceTransparent", c, b.get()));
    EXPECT_EQ(At(c, 2, 3), kGround);
    EXPECT_EQ(At(c, 25, 3), kGround);
    EXPECT_EQ(At(c, 2, 16), kGround);
    EXPECT_EQ(At(c, 25, 16), kGround);
    EXPECT_EQ(At(c, 3, 3), Tagged(1, 0));
    EXPECT_TRUE(skintest::IsTagged(At(c, 14, 10)));
    EXPECT_EQ(At(c, 1, 3), kGround);   // outside the rectangle
    EXPECT_EQ(At(c, 26, 10), kGround);
    // Opaque, magenta is just a colour.
    DrawSkinImage(c.Dc(), {2, 3, 26, 17}, *b, {2, 2, 2, 2}, false, false, false, 1, 1);
    EXPECT_EQ(At(c, 2, 3), skintest::kMagenta);
}

TEST_P(SkinNineSlice, EdgesOnlyLeaveTheCentreAndMatchTheFullFitAtTheCorners) {
    auto b = skintest::MakeTaggedBitmap(45, 15);
    DibCanvas c(60, 30);
    UsePath(c, GetParam());
    c.Fill(kGround);
    DrawSkinEdges(c.Dc(), {5, 4, 55, 25}, *b, {1, 1, 1, 1}, false, 3, 2);
    SCOPED_TRACE(Dump("NineSliceEdges", c, b.get()));
    for (int y = 5; y < 24; ++y)
        for (int x = 6; x < 54; ++x) ASSERT_EQ(At(c, x, y), kGround) << x << "," << y;
    EXPECT_EQ(At(c, 5, 4), Tagged(15, 0));
    EXPECT_EQ(At(c, 54, 24), Tagged(29, 14));
    ExpectStretch(RowSources(c, 4, 6, 54), 16, 29, "top edge");
    ExpectStretch(ColumnSources(c, 54, 5, 24), 1, 14, "right edge");
    EXPECT_EQ(At(c, 4, 4), kGround);
    EXPECT_EQ(At(c, 55, 24), kGround);
}

//--- bad geometry: never a crash, never a read outside the image

TEST_P(SkinNineSliceGeometry, UnusableImagesAndRectanglesDrawNothing) {
    auto b = skintest::MakeTaggedBitmap(45, 15);
    TBitmap empty;
    DibCanvas c(20, 20);
    UsePath(c, GetParam());
    c.Fill(kGround);
    DrawSkinImage(c.Dc(), c.Rect(), *b, {1, 1, 1, 1}, false, false, false, 0, 1);    // no frames
    DrawSkinImage(c.Dc(), c.Rect(), *b, {1, 1, 1, 1}, false, false, false, -2, 1);
    DrawSkinImage(c.Dc(), c.Rect(), *b, {1, 1, 1, 1}, false, false, false, 100, 1);  // frames without pixels
    DrawSkinImage(c.Dc(), c.Rect(), empty, {1, 1, 1, 1}, false, false, false, 1, 1);
    DrawSkinImage(c.Dc(), {10, 10, 5, 15}, *b, {1, 1, 1, 1}, false, false, false, 3, 1);  // inverted
    DrawSkinEdges(c.Dc(), c.Rect(), *b, {1, 1, 1, 1}, false, 0, 1);
    DrawSkinEdges(c.Dc(), c.Rect(), empty, {1, 1, 1, 1}, false, 1, 1);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x) ASSERT_EQ(At(c, x, y), kGround) << Dump("NothingDrawn", c);
    EXPECT_TRUE(RenderSkinImage({10, 10, 5, 15}, *b, {1, 1, 1, 1}, false, false, 3, 1)->Empty());
    auto keyed = RenderSkinImage({0, 0, 4, 3}, empty, {1, 1, 1, 1}, false, false, 1, 1);
    ASSERT_EQ(keyed->Width(), 4);
    EXPECT_EQ(static_cast<COLORREF>(keyed->Pixel(3, 2)), skintest::kMagenta);
}

TEST_P(SkinNineSliceGeometry, FrameIndexOutsideTheCountIsClampedIntoIt) {
    auto b = skintest::MakeTaggedBitmap(45, 15);
    DibCanvas c(15, 15);
    UsePath(c, GetParam());
    DrawSkinImage(c.Dc(), c.Rect(), *b, {0, 0, 0, 0}, false, false, false, 3, 0);
    EXPECT_EQ(At(c, 0, 0), Tagged(0, 0));
    DrawSkinImage(c.Dc(), c.Rect(), *b, {0, 0, 0, 0}, false, false, false, 3, 7);
    EXPECT_EQ(At(c, 0, 0), Tagged(30, 0));
    EXPECT_EQ(At(c, 14, 14), Tagged(44, 14));
}

TEST_P(SkinNineSliceGeometry, MarginsLargerThanTheFrameStayInsideItAndLeaveTheHoleUntouched) {
    // Frame 2 of 3, 15 wide; margins 10 + 10 leave no centre pixels, the target (40) is wide
    // enough to keep them.
    auto b = skintest::MakeTaggedBitmap(45, 15);
    DibCanvas c(40, 15);
    UsePath(c, GetParam());
    c.Fill(kGround);
    DrawSkinImage(c.Dc(), c.Rect(), *b, {10, 0, 10, 0}, false, false, false, 3, 2);
    SCOPED_TRACE(Dump("MarginsBeyondFrame", c, b.get()));
    for (int y = 0; y < 15; ++y) {
        for (int x = 0; x < 40; ++x) {
            const COLORREF p = At(c, x, y);
            if (x >= 10 && x < 30) {
                ASSERT_EQ(p, kGround) << x << "," << y;
            } else {
                ASSERT_GE(SourceX(p), 15) << x << "," << y;  // never from the neighbouring frames
                ASSERT_LT(SourceX(p), 30) << x << "," << y;
            }
        }
    }
    EXPECT_EQ(At(c, 0, 0), Tagged(15, 0));
    EXPECT_EQ(At(c, 39, 14), Tagged(29, 14));
    // Transparent drawing and the rendered bitmap agree: the hole is key-coloured.
    auto r = RenderSkinImage(c.Rect(), *b, {10, 0, 10, 0}, false, false, 3, 2);
    EXPECT_EQ(static_cast<COLORREF>(r->Pixel(20, 7)), skintest::kMagenta);
    // Negative margins count as none.
    DrawSkinImage(c.Dc(), c.Rect(), *b, {-5, -5, -5, -5}, false, false, false, 3, 2);
    EXPECT_EQ(At(c, 0, 0), Tagged(15, 0));
    EXPECT_EQ(At(c, 39, 14), Tagged(29, 14));
}

INSTANTIATE_TEST_SUITE_P(Paths, SkinNineSlice, ::testing::Values(skintest::TPath::Direct, skintest::TPath::Gdi), skintest::PathName);
INSTANTIATE_TEST_SUITE_P(Paths, SkinNineSliceGeometry, ::testing::Values(skintest::TPath::Direct, skintest::TPath::Gdi), skintest::PathName);
