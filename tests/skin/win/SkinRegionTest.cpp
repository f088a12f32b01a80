// Colour-key transparency (DrawTransparent) and window regions cut from skin images
// (RegionFromBitmap), checked pixel by pixel against the source picture.
#include "skin/data/SkinRegion.h"
#include "skin/data/SkinTransparent.h"
#include "support/DrawTestSupport.h"

#include <gtest/gtest.h>

using qx::TBitmap;
using qx::TPixelFormat;
using qx::test::DibCanvas;
using skintest::At;
using skintest::UsePath;
using skintest::Dump;
using skintest::kMagenta;
using skintest::Tagged;

namespace {

constexpr COLORREF kGround = RGB(0, 160, 0);

// Magenta in a scattered pattern, some near-magenta colours around it.
COLORREF Speckled(int x, int y) {
    switch ((x * 7 + y * 13 + x * y) % 9) {
    case 0:
    case 1: return kMagenta;
    case 2: return RGB(255, 1, 255);  // inside a tolerance of 1
    case 3: return RGB(254, 0, 255);  // below the key's red: outside any tolerance
    default: return Tagged(x, y);
    }
}

bool InKeyRange(COLORREF c, int tolerance) {
    return GetRValue(c) == 255 && GetGValue(c) <= tolerance && GetBValue(c) == 255;
}

// Every pixel is in the region exactly when it lies outside the key range.
void ExpectRegionMatches(HRGN region, TBitmap& b, int dx, int dy, int tolerance) {
    ASSERT_NE(region, nullptr);
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x)
            ASSERT_EQ(::PtInRegion(region, x + dx, y + dy) != FALSE, !InKeyRange(static_cast<COLORREF>(b.Pixel(x, y)), tolerance))
                << "pixel " << x << "," << y << "; " << Dump("RegionSource", b);
    RECT box{};
    ::GetRgnBox(region, &box);
    EXPECT_GE(box.left, dx);
    EXPECT_GE(box.top, dy);
    EXPECT_LE(box.right, dx + b.Width());
    EXPECT_LE(box.bottom, dy + b.Height());
}

}  // namespace

class SkinTransparent : public ::testing::TestWithParam<skintest::TPath> {};

//--- DrawTransparent

TEST_P(SkinTransparent, KeyPixelsLeaveTheDestinationAndOthersAreCopiedUnscaled) {
    for (TPixelFormat format : {TPixelFormat::pf24bit, TPixelFormat::pf32bit, TPixelFormat::pf1bit}) {
        auto b = skintest::MakeBitmap(9, 7, format, [&](int x, int y) {
            if (format == TPixelFormat::pf1bit) return (x + y) % 3 ? RGB(0, 0, 0) : RGB(255, 255, 255);
            return Speckled(x, y);
        });
        const COLORREF key = format == TPixelFormat::pf1bit ? RGB(255, 255, 255) : kMagenta;
        DibCanvas c(20, 20);
        UsePath(c, GetParam());
        c.Fill(kGround);
        DrawTransparent(c.Dc(), {3, 4, 12, 11}, *b, static_cast<qx::TColor>(key));
        SCOPED_TRACE(Dump("Transparent", c, b.get()));
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 20; ++x) {
                const bool inside = x >= 3 && x < 12 && y >= 4 && y < 11;
                const COLORREF source = inside ? static_cast<COLORREF>(b->Pixel(x - 3, y - 4)) : key;
                ASSERT_EQ(At(c, x, y), source == key ? kGround : source) << x << "," << y;
            }
        EXPECT_EQ(b->PixelFormat(), format);
    }
}

TEST_P(SkinTransparent, RectangleLimitsTheCopyAndNothingIsReadBeyondThePicture) {
    auto b = skintest::MakeBitmap(6, 6, TPixelFormat::pf24bit, Speckled);
    DibCanvas c(20, 20);
    UsePath(c, GetParam());
    c.Fill(kGround);
    DrawTransparent(c.Dc(), {2, 2, 5, 4}, *b, static_cast<qx::TColor>(kMagenta));  // 3 x 2 of the 6 x 6
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x) {
            const bool inside = x >= 2 && x < 5 && y >= 2 && y < 4;
            const COLORREF source = inside ? static_cast<COLORREF>(b->Pixel(x - 2, y - 2)) : kMagenta;
            ASSERT_EQ(At(c, x, y), source == kMagenta ? kGround : source) << x << "," << y;
        }
    c.Fill(kGround);
    DrawTransparent(c.Dc(), {1, 1, 19, 19}, *b, static_cast<qx::TColor>(kMagenta));  // larger than the picture
    EXPECT_EQ(At(c, 7, 3), kGround);
    EXPECT_EQ(At(c, 3, 7), kGround);
    EXPECT_EQ(At(c, 18, 18), kGround);
    // All key, or an inverted rectangle: nothing at all.
    auto keyed = skintest::MakeBitmap(4, 4, TPixelFormat::pf24bit, [](int, int) { return kMagenta; });
    c.Fill(kGround);
    DrawTransparent(c.Dc(), {0, 0, 4, 4}, *keyed, static_cast<qx::TColor>(kMagenta));
    DrawTransparent(c.Dc(), {5, 5, 1, 1}, *b, static_cast<qx::TColor>(kMagenta));
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x) ASSERT_EQ(At(c, x, y), kGround) << Dump("TransparentNothing", c);
}

//--- RegionFromBitmap

TEST(SkinRegion, ExcludesExactlyTheKeyRangeInEveryFormat) {
    for (TPixelFormat format : {TPixelFormat::pf24bit, TPixelFormat::pf32bit}) {
        auto b = skintest::MakeBitmap(40, 30, format, Speckled);
        qx::UniqueRgn tolerant = RegionFromBitmap(*b, 0, 0, static_cast<qx::TColor>(kMagenta), 1, 1, 1);
        ExpectRegionMatches(tolerant.get(), *b, 0, 0, 1);
        qx::UniqueRgn exact = RegionFromBitmap(*b, 5, -3, static_cast<qx::TColor>(kMagenta), 0, 0, 0);
        ExpectRegionMatches(exact.get(), *b, 5, -3, 0);
        EXPECT_EQ(b->PixelFormat(), format);  // read in place, not converted
    }
}

TEST(SkinRegion, AllKeyGivesNoRegionAndNoKeyGivesTheWholeRectangle) {
    auto keyed = skintest::MakeBitmap(12, 9, TPixelFormat::pf24bit, [](int x, int) { return x % 2 ? kMagenta : RGB(255, 1, 255); });
    EXPECT_FALSE(RegionFromBitmap(*keyed, 0, 0, static_cast<qx::TColor>(kMagenta), 1, 1, 1));
    TBitmap empty;
    EXPECT_FALSE(RegionFromBitmap(empty, 0, 0, static_cast<qx::TColor>(kMagenta), 1, 1, 1));
    auto solid = skintest::MakeTaggedBitmap(12, 9);
    qx::UniqueRgn region = RegionFromBitmap(*solid, 3, 4, static_cast<qx::TColor>(kMagenta), 1, 1, 1);
    qx::UniqueRgn whole(::CreateRectRgn(3, 4, 15, 13));
    ASSERT_TRUE(region);
    EXPECT_TRUE(::EqualRgn(region.get(), whole.get()));
}

TEST(SkinRegion, ManyRunsAcrossSeveralBatchesStillMatchEveryPixel) {
    // Bands of rows with one magenta column in two: 150 runs a row, tens of thousands of
    // rectangles in all, some bands of equal rows and some rows differing from their neighbours.
    auto b = skintest::MakeBitmap(300, 120, TPixelFormat::pf32bit, [](int x, int y) {
        const bool shifted = (y / 7) % 2 == 1 || y % 5 == 0;
        return (x + (shifted ? 1 : 0)) % 2 ? kMagenta : Tagged(x % 256, y);
    });
    qx::UniqueRgn region = RegionFromBitmap(*b, -10, 20, static_cast<qx::TColor>(kMagenta), 1, 1, 1);
    ExpectRegionMatches(region.get(), *b, -10, 20, 1);
}

TEST(SkinRegion, OneBitPicturesAndSystemColourKeys) {
    auto mono = skintest::MakeBitmap(16, 8, TPixelFormat::pf1bit, [](int x, int y) { return (x ^ y) & 1 ? RGB(255, 255, 255) : RGB(0, 0, 0); });
    qx::UniqueRgn region = RegionFromBitmap(*mono, 0, 0, static_cast<qx::TColor>(RGB(255, 255, 255)), 0, 0, 0);
    ASSERT_TRUE(region);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 16; ++x) EXPECT_EQ(::PtInRegion(region.get(), x, y) != FALSE, ((x ^ y) & 1) == 0) << x << "," << y;
    EXPECT_EQ(mono->PixelFormat(), TPixelFormat::pf1bit);
    // A system colour key is resolved before the comparison.
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    auto b = skintest::MakeBitmap(4, 1, TPixelFormat::pf24bit, [&](int x, int) { return x == 2 ? face : Tagged(x, 0); });
    qx::UniqueRgn r2 = RegionFromBitmap(*b, 0, 0, qx::clBtnFace, 0, 0, 0);
    ASSERT_TRUE(r2);
    EXPECT_TRUE(::PtInRegion(r2.get(), 1, 0));
    EXPECT_FALSE(::PtInRegion(r2.get(), 2, 0));
}

INSTANTIATE_TEST_SUITE_P(Paths, SkinTransparent, ::testing::Values(skintest::TPath::Direct, skintest::TPath::Gdi), skintest::PathName);
