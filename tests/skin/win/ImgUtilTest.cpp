// The image utilities: bitmap transforms in every pixel format, colour mixing, the gradient
// table cache and clipped gradient fills.
#include "skin/data/ImgUtil.h"
#include "skin/data/SkinAssert.h"
#include "support/DrawTestSupport.h"

#include <gtest/gtest.h>

#include <set>

using qx::TBitmap;
using qx::TPixelFormat;
using skintest::MakeBitmap;
using skintest::Tagged;

namespace {

const TPixelFormat kColourFormats[] = {TPixelFormat::pf24bit, TPixelFormat::pf32bit};

// A black and white pattern with no symmetry, as a 1-bit picture.
COLORREF Pattern1(int x, int y) { return ((x * 3 + y * 5 + x * y) % 7) < 3 ? RGB(255, 255, 255) : RGB(0, 0, 0); }

// Expects bitmap(x, y) == expected(x, y) over the whole picture.
template <class F>
void ExpectPixels(TBitmap& bitmap, int w, int h, F expected, const char* name) {
    ASSERT_EQ(bitmap.Width(), w);
    ASSERT_EQ(bitmap.Height(), h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            ASSERT_EQ(static_cast<COLORREF>(bitmap.Pixel(x, y)), expected(x, y))
                << "at " << x << "," << y << "; " << skintest::Dump(name, bitmap);
}

}  // namespace

//--- bitmaps

TEST(ImgUtilBitmaps, GrayAveragesTheChannelsAndConvertsTo24Bits) {
    for (TPixelFormat format : {TPixelFormat::pf24bit, TPixelFormat::pf32bit, TPixelFormat::pf1bit}) {
        auto b = MakeBitmap(3, 2, format, [](int x, int y) { return RGB(10 + x * 100, 20 + y * 90, 31 + x * y * 80); });
        GrayBitmap(*b);
        EXPECT_EQ(b->PixelFormat(), TPixelFormat::pf24bit);
        auto source = MakeBitmap(3, 2, format, [](int x, int y) { return RGB(10 + x * 100, 20 + y * 90, 31 + x * y * 80); });
        ExpectPixels(*b, 3, 2, [&](int x, int y) {
            const COLORREF c = static_cast<COLORREF>(source->Pixel(x, y));
            const int g = (GetRValue(c) + GetGValue(c) + GetBValue(c)) / 3;  // truncating
            return RGB(g, g, g);
        }, "GrayBitmap");
    }
}

TEST(ImgUtilBitmaps, MirrorAndFlipKeepTheFormat) {
    for (TPixelFormat format : kColourFormats) {
        auto b = MakeBitmap(5, 3, format, Tagged);
        MirrorBitmap(*b);
        EXPECT_EQ(b->PixelFormat(), format);
        ExpectPixels(*b, 5, 3, [](int x, int y) { return Tagged(4 - x, y); }, "MirrorBitmap");
        FlipBitmap(*b);
        ExpectPixels(*b, 5, 3, [](int x, int y) { return Tagged(4 - x, 2 - y); }, "FlipBitmap");
    }
    // One bit per pixel: the bits move, the colour table stays.
    auto mono = MakeBitmap(11, 4, TPixelFormat::pf1bit, Pattern1);
    MirrorBitmap(*mono);
    FlipBitmap(*mono);
    EXPECT_EQ(mono->PixelFormat(), TPixelFormat::pf1bit);
    ExpectPixels(*mono, 11, 4, [](int x, int y) { return Pattern1(10 - x, 3 - y); }, "MirrorFlip1");
}

TEST(ImgUtilBitmaps, TwoByOneRotatesRightPixelUpLeftAndLeftPixelUpRight) {
    auto pair = [] { return MakeBitmap(2, 1, TPixelFormat::pf24bit, [](int x, int) { return x ? RGB(0, 0, 255) : RGB(255, 0, 0); }); };
    auto left = pair();
    RotateBitmapLeft(*left);
    ExpectPixels(*left, 1, 2, [](int, int y) { return y == 0 ? RGB(0, 0, 255) : RGB(255, 0, 0); }, "RotateLeft2x1");
    auto right = pair();
    RotateBitmapRight(*right);
    ExpectPixels(*right, 1, 2, [](int, int y) { return y == 0 ? RGB(255, 0, 0) : RGB(0, 0, 255); }, "RotateRight2x1");
}

TEST(ImgUtilBitmaps, RotationsMapEveryPixelInEveryFormat) {
    const int w = 7, h = 3;
    for (TPixelFormat format : kColourFormats) {
        auto b = MakeBitmap(w, h, format, Tagged);
        RotateBitmapLeft(*b);  // new (x, y) = old (w - 1 - y, x)
        EXPECT_EQ(b->PixelFormat(), format);
        ExpectPixels(*b, h, w, [&](int x, int y) { return Tagged(w - 1 - y, x); }, "RotateLeft");
        RotateBitmapRight(*b);
        ExpectPixels(*b, w, h, Tagged, "RotateBack");
        RotateBitmapRight(*b);  // new (x, y) = old (y, h - 1 - x)
        ExpectPixels(*b, h, w, [&](int x, int y) { return Tagged(y, h - 1 - x); }, "RotateRight");
    }
    auto mono = MakeBitmap(13, 5, TPixelFormat::pf1bit, Pattern1);
    RotateBitmapRight(*mono);
    EXPECT_EQ(mono->PixelFormat(), TPixelFormat::pf1bit);
    ExpectPixels(*mono, 5, 13, [](int x, int y) { return Pattern1(y, 4 - x); }, "RotateRight1");
}

TEST(ImgUtilBitmaps, EmptyBitmapsAreLeftAlone) {
    TBitmap empty;
    MirrorBitmap(empty);
    FlipBitmap(empty);
    RotateBitmapLeft(empty);
    RotateBitmapRight(empty);
    GrayBitmap(empty);
    EXPECT_TRUE(empty.Empty());
}

//--- colours

TEST(ImgUtilColours, MixColorsWeighsPercentBelowHundredAndPerMilleFromHundred) {
    EXPECT_EQ(MixColors(0x808080, 0xFFFFFF, 150), 0xECECEC);  // 15 % grey, rounded
    // 50: the average, half rounded up per channel.
    EXPECT_EQ(MixColors(RGB(10, 0, 255), RGB(21, 1, 0), 50), static_cast<qx::TColor>(RGB(16, 1, 128)));
    // 100 is 10 %, not 100 %.
    EXPECT_EQ(MixColors(0xFFFFFF, 0x000000, 100), 0x1A1A1A);
    EXPECT_EQ(MixColors(RGB(200, 100, 50), RGB(0, 0, 0), 0), 0);
    EXPECT_EQ(MixColors(RGB(200, 100, 50), RGB(0, 0, 0), 1000), static_cast<qx::TColor>(RGB(200, 100, 50)));
    // System colour references are resolved first.
    const auto face = static_cast<qx::TColor>(::GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(MixColors(qx::clBtnFace, face, 37), face);
    EXPECT_EQ(MixColors(qx::clBtnFace, 0, 100), MixColors(face, 0, 100));
}

//--- gradient tables

TEST(ImgUtilGradient, EntriesInterpolateWithTruncatingRounding) {
    const auto& t = GradientColors(GradientTable(5, RGB(0, 0, 0), RGB(100, 10, 0)));
    ASSERT_EQ(t.size(), 5u);
    const COLORREF expected[] = {RGB(0, 0, 0), RGB(25, 3, 0), RGB(50, 5, 0), RGB(75, 8, 0), RGB(100, 10, 0)};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(static_cast<COLORREF>(t[i]), expected[i]) << "entry " << i;
    // One entry: the start plus half the difference, truncated toward zero either way.
    EXPECT_EQ(GradientColors(GradientTable(1, RGB(10, 20, 0), RGB(21, 9, 0)))[0], static_cast<qx::TColor>(RGB(15, 15, 0)));
}

TEST(ImgUtilGradient, AFallingChannelEndsShortAndIsBuiltAgainOnEveryUse) {
    const int first = GradientTable(5, RGB(10, 0, 0), RGB(0, 0, 0));
    const auto& t = GradientColors(first);
    ASSERT_EQ(t.size(), 5u);
    EXPECT_EQ(static_cast<COLORREF>(t[4]), RGB(1, 0, 0));  // (-10 * 4 + 2) div 4 = -9
    EXPECT_EQ(FindGradientTable(5, RGB(10, 0, 0), RGB(0, 0, 0)), -1);
    EXPECT_NE(GradientTable(5, RGB(10, 0, 0), RGB(0, 0, 0)), first);
}

TEST(ImgUtilGradient, LookupFindsATableAndTheSeventeenthNewTableTakesTheOldestSlot) {
    const int a = GradientTable(3, RGB(1, 2, 3), RGB(4, 5, 6));
    EXPECT_EQ(GradientTable(3, RGB(1, 2, 3), RGB(4, 5, 6)), a);
    EXPECT_EQ(FindGradientTable(3, RGB(1, 2, 3), RGB(4, 5, 6)), a);
    std::set<int> slots;
    int firstNew = -1, seventeenth = -1;
    for (int i = 0; i < kGradientSlots + 1; ++i) {
        const int slot = GradientTable(7 + i, RGB(0, 0, 0), RGB(0, 0, 100));  // distinct lengths
        if (i == 0) firstNew = slot;
        if (i < kGradientSlots) slots.insert(slot);
        if (i == kGradientSlots) seventeenth = slot;
    }
    EXPECT_EQ(slots.size(), static_cast<size_t>(kGradientSlots));  // every slot used once
    EXPECT_EQ(seventeenth, firstNew);
    EXPECT_EQ(FindGradientTable(7, RGB(0, 0, 0), RGB(0, 0, 100)), -1);  // overwritten
    EXPECT_EQ(FindGradientTable(3, RGB(1, 2, 3), RGB(4, 5, 6)), -1);
}

TEST(ImgUtilGradient, LengthsBelowOneFailTheAssertionsNamingUnitAndLine) {
    try {
        GradientTable(0, 0, 0);
        FAIL() << "no assertion";
    } catch (const EAssertionFailed& e) {
        EXPECT_STREQ(e.what(), "Assertion failure (imgutil, line 275)");
        EXPECT_EQ(e.Unit(), "imgutil");
        EXPECT_EQ(e.Line(), 275);
    }
    try {
        NewGradientTable(-3, 0, 0);
        FAIL() << "no assertion";
    } catch (const EAssertionFailed& e) {
        EXPECT_STREQ(e.what(), "Assertion failure (imgutil, line 294)");
    }
}

//--- gradient fills

TEST(ImgUtilGradientFill, FillsEveryLineWithItsTableEntry) {
    qx::test::DibCanvas v(10, 40), h(40, 10);
    GradientFill(v.Dc(), {0, 0, 10, 40}, RGB(0, 0, 0), true, RGB(78, 39, 0));
    GradientFill(h.Dc(), {0, 0, 40, 10}, RGB(0, 0, 0), false, RGB(78, 39, 0));
    for (int i = 0; i < 40; ++i) {
        // m = 39, half = 19: red (78 i + 19) div 39 = 2 i, green i.
        ASSERT_EQ(skintest::At(v, 0, i), RGB(2 * i, i, 0)) << skintest::Dump("GradientFillV", v);
        ASSERT_EQ(skintest::At(v, 9, i), RGB(2 * i, i, 0));
        ASSERT_EQ(skintest::At(h, i, 0), RGB(2 * i, i, 0)) << skintest::Dump("GradientFillH", h);
        ASSERT_EQ(skintest::At(h, i, 9), RGB(2 * i, i, 0));
    }
}

TEST(ImgUtilGradientFill, AClippedFillPaintsOnlyVisibleLinesWithTheirWholeRectangleColours) {
    qx::test::DibCanvas c(20, 50);
    c.Fill(RGB(255, 255, 255));
    ::IntersectClipRect(c.Dc(), 0, 25, 20, 50);  // the upper half of the rectangle below is clipped away
    GradientFill(c.Dc(), {0, 5, 10, 45}, RGB(0, 0, 0), true, RGB(78, 39, 0));
    for (int y = 0; y < 50; ++y) {
        const int i = y - 5;
        const COLORREF inside = y >= 25 && y < 45 ? RGB(2 * i, i, 0) : RGB(255, 255, 255);
        ASSERT_EQ(skintest::At(c, 3, y), inside) << "row " << y << "; " << skintest::Dump("GradientFillClipped", c);
        ASSERT_EQ(skintest::At(c, 15, y), RGB(255, 255, 255));
    }
}

TEST(ImgUtilGradientFill, ResolvesSystemColoursAndIgnoresEmptyOrHiddenRectangles) {
    qx::test::DibCanvas c(8, 8);
    c.Fill(RGB(1, 2, 3));
    GradientFill(c.Dc(), {0, 0, 8, 4}, qx::clBtnFace, true, qx::clBtnFace);
    EXPECT_EQ(skintest::At(c, 4, 2), ::GetSysColor(COLOR_BTNFACE));
    GradientFill(c.Dc(), {0, 4, 8, 4}, 0, true, 0);      // no lines
    GradientFill(c.Dc(), {0, 6, 8, 4}, 0, true, 0);      // inverted
    GradientFill(c.Dc(), {20, 20, 30, 30}, 0, true, 0);  // outside the picture
    EXPECT_EQ(skintest::At(c, 4, 5), RGB(1, 2, 3));
}
