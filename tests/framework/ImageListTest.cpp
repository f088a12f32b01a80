// TImageList: adding strips with a mask or a mask colour, drawing (enabled and embossed),
// copying images out, and indexes out of range.
#include "framework/ImageList.h"
#include "support/BitmapTestSupport.h"

#include <gtest/gtest.h>

using namespace qx;
using qxtest::PatternColor;
using qxtest::ToColorRef;

namespace {

constexpr COLORREF kGreen = RGB(0, 255, 0);
constexpr COLORREF kMagenta = RGB(255, 0, 255);
constexpr COLORREF kWhite = RGB(255, 255, 255);

COLORREF At(TBitmap& b, int x, int y) { return static_cast<COLORREF>(b.Pixel(x, y)); }

void Put(TBitmap& b, int x, int y, COLORREF c) {
    uint8_t* row = b.ScanLine(y);
    row[x * 3] = GetBValue(c);
    row[x * 3 + 1] = GetGValue(c);
    row[x * 3 + 2] = GetRValue(c);
}

void Fill(TBitmap& b, int w, int h, COLORREF c) {
    b.SetSize(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) Put(b, x, y, c);
}

// A strip of `count` 4 x 3 images; image i has magenta in column i of its top row, the
// other pixels a pattern colour that differs per image.
void MakeStrip(TBitmap& b, int count) {
    b.SetSize(4 * count, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4 * count; ++x)
            Put(b, x, y, y == 0 && x % 4 == x / 4 ? kMagenta : ToColorRef(PatternColor(x, y)));
}
bool IsKey(int image, int x, int y) { return y == 0 && x == image; }

TEST(ImageList, DefaultsAndPublishedSize) {
    TImageList list(nullptr);
    EXPECT_EQ(list.Width(), 16);
    EXPECT_EQ(list.Height(), 16);
    EXPECT_EQ(list.Count(), 0);
    SetOrdProp(list, L"Width", 24);
    EXPECT_EQ(list.Width(), 24);
    EXPECT_EQ(GetOrdProp(list, L"Height"), 16);
    list.SetSize(0, 5);  // refused
    list.SetHeight(-3);
    EXPECT_EQ(list.Width(), 24);
    EXPECT_EQ(list.Height(), 16);

    ASSERT_NE(TImageList::StaticClass().Create, nullptr);
    TComponent owner(nullptr);
    TComponent* made = TImageList::StaticClass().Create(&owner);
    EXPECT_TRUE(made->InheritsFrom(TImageList::StaticClass()));
    EXPECT_EQ(made->Owner(), &owner);
}

TEST(ImageList, AddMaskedSplitsAStripAndDrawsWithoutTheKeyColour) {
    TImageList list(nullptr);
    list.SetSize(4, 3);
    TBitmap strip;
    MakeStrip(strip, 4);
    EXPECT_EQ(list.AddMasked(&strip, clFuchsia), 0);
    EXPECT_EQ(list.Count(), 4);
    EXPECT_EQ(list.AddMasked(&strip, clFuchsia), 4) << "index of the first image added";

    TBitmap target;
    Fill(target, 10, 6, kGreen);
    list.Draw(target.Canvas(), 3, 2, 2);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 10; ++x) {
            const int ix = x - 3, iy = y - 2;
            const bool inside = ix >= 0 && ix < 4 && iy >= 0 && iy < 3;
            const COLORREF expected = inside && !IsKey(2, ix, iy) ? ToColorRef(PatternColor(8 + ix, iy)) : kGreen;
            EXPECT_EQ(At(target, x, y), expected) << x << "," << y;
        }
}

TEST(ImageList, AddWithAMaskBitmapTreatsWhiteAsTransparent) {
    TImageList list(nullptr);
    list.SetSize(4, 3);
    TBitmap image, mask;
    MakeStrip(image, 1);
    mask.SetPixelFormat(TPixelFormat::pf1bit);
    mask.SetSize(4, 3);  // all white
    mask.Canvas().Brush().SetColor(clBlack);
    mask.Canvas().FillRect(RECT{0, 1, 4, 3});  // rows 1 and 2 opaque, row 0 transparent
    EXPECT_EQ(list.Add(&image, &mask), 0);
    EXPECT_EQ(list.Add(&image, nullptr), 1);

    TBitmap target;
    Fill(target, 4, 6, kGreen);
    list.Draw(target.Canvas(), 0, 0, 0);
    list.Draw(target.Canvas(), 0, 3, 1);
    for (int x = 0; x < 4; ++x) {
        EXPECT_EQ(At(target, x, 0), kGreen) << x;
        EXPECT_EQ(At(target, x, 1), ToColorRef(PatternColor(x, 1))) << x;
        EXPECT_EQ(At(target, x, 3), At(image, x, 0)) << "without a mask even magenta is drawn";
    }
}

TEST(ImageList, NarrowAndShortPicturesLeaveTheRestTransparent) {
    TImageList list(nullptr);
    list.SetSize(4, 3);
    TBitmap small;
    Fill(small, 2, 2, RGB(1, 2, 3));
    EXPECT_EQ(list.AddMasked(&small, clFuchsia), 0);
    EXPECT_EQ(list.Count(), 1);
    TBitmap copy;
    ASSERT_TRUE(list.GetBitmap(0, &copy));
    EXPECT_EQ(At(copy, 1, 1), RGB(1, 2, 3));
    EXPECT_EQ(At(copy, 2, 1), kWhite);
    EXPECT_EQ(At(copy, 0, 2), kWhite);
}

TEST(ImageList, GetBitmapCopiesAnImageOverWhite) {
    TImageList list(nullptr);
    list.SetSize(4, 3);
    TBitmap strip;
    MakeStrip(strip, 3);
    list.AddMasked(&strip, clFuchsia);
    TBitmap copy;
    copy.SetPixelFormat(TPixelFormat::pf1bit);
    ASSERT_TRUE(list.GetBitmap(1, &copy));
    EXPECT_EQ(copy.PixelFormat(), TPixelFormat::pf24bit);
    ASSERT_EQ(copy.Width(), 4);
    ASSERT_EQ(copy.Height(), 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(At(copy, x, y), IsKey(1, x, y) ? kWhite : ToColorRef(PatternColor(4 + x, y))) << x << "," << y;
}

TEST(ImageList, IndexesOutOfRangeDoNothing) {
    TImageList list(nullptr);
    list.SetSize(4, 3);
    TBitmap strip;
    MakeStrip(strip, 2);
    list.AddMasked(&strip, clFuchsia);
    EXPECT_EQ(list.Add(nullptr, nullptr), -1);
    TBitmap empty;
    EXPECT_EQ(list.AddMasked(&empty, clFuchsia), -1);

    TBitmap target;
    Fill(target, 4, 3, kGreen);
    for (int index : {-1, 2, 1000}) {
        list.Draw(target.Canvas(), 0, 0, index);
        list.Draw(target.Canvas(), 0, 0, index, false);
        TBitmap copy;
        Fill(copy, 1, 1, kGreen);
        EXPECT_FALSE(list.GetBitmap(index, &copy));
        EXPECT_EQ(copy.Width(), 1) << "left untouched";
        list.Delete(index);
    }
    EXPECT_FALSE(list.GetBitmap(0, nullptr));
    EXPECT_EQ(list.Count(), 2);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x) EXPECT_EQ(At(target, x, y), kGreen);
}

TEST(ImageList, DeleteShiftsAndClearOrResizeEmpties) {
    TImageList list(nullptr);
    list.SetSize(4, 3);
    TBitmap strip;
    MakeStrip(strip, 3);
    list.AddMasked(&strip, clFuchsia);
    int changes = 0;
    struct Counter {
        int* N;
        void Hit(TObject*) { ++*N; }
    } counter{&changes};
    list.OnChange = TNotifyEvent::Of<&Counter::Hit>(&counter);

    list.Delete(0);
    EXPECT_EQ(list.Count(), 2);
    TBitmap copy;
    list.GetBitmap(0, &copy);
    EXPECT_EQ(At(copy, 0, 2), ToColorRef(PatternColor(4, 2))) << "the former image 1";
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    list.AddMasked(&strip, clFuchsia);
    list.SetWidth(8);
    EXPECT_EQ(list.Count(), 0) << "images of the old size are dropped";
    EXPECT_EQ(changes, 4);
}

TEST(ImageList, DisabledImagesAreEmbossedInShadowAndHighlight) {
    TImageList list(nullptr);
    list.SetSize(5, 5);
    TBitmap glyph;  // a black plus on white, white being the mask colour as for menu glyphs
    Fill(glyph, 5, 5, kWhite);
    for (int i = 1; i < 4; ++i) {
        Put(glyph, i, 2, RGB(0, 0, 0));
        Put(glyph, 2, i, RGB(0, 0, 0));
    }
    list.AddMasked(&glyph, clWhite);
    TBitmap target;
    Fill(target, 7, 7, kGreen);
    list.Draw(target.Canvas(), 1, 1, 0, false);
    const COLORREF shadow = ColorToRGB(clBtnShadow), highlight = ColorToRGB(clBtnHighlight);
    auto onPlus = [](int x, int y) { return (y == 2 && x >= 1 && x <= 3) || (x == 2 && y >= 1 && y <= 3); };
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 7; ++x) {
            COLORREF expected = onPlus(x - 1, y - 1) ? shadow : onPlus(x - 2, y - 2) ? highlight : kGreen;
            EXPECT_EQ(At(target, x, y), expected) << x << "," << y;
        }
    qxtest::SaveArtifact(target, L"ImageListDisabled.bmp");
}

}  // namespace
