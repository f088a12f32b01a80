// TBitmap over a DIB section: loading every BMP depth, scan lines, canvas, copies,
// conversions, transparent drawing, malformed data and the release of its GDI objects.
#include "framework/Bitmap.h"
#include "framework/Streams.h"
#include "support/BitmapTestSupport.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <functional>
#include <tuple>

using namespace qx;
using qxtest::PatternColor;
using qxtest::TestBmp;
using qxtest::ToColorRef;

namespace {

constexpr COLORREF kGreen = RGB(0, 255, 0);
constexpr COLORREF kMagenta = RGB(255, 0, 255);
constexpr int kObmCheck = 32760;  // OBM_CHECK, declared only with OEMRESOURCE

COLORREF Rgb24(TBitmap& b, int x, int y) {
    const uint8_t* row = b.ScanLine(y);
    return RGB(row[x * 3 + 2], row[x * 3 + 1], row[x * 3]);
}

void Put24(TBitmap& b, int x, int y, COLORREF c) {
    uint8_t* row = b.ScanLine(y);
    row[x * 3] = GetBValue(c);
    row[x * 3 + 1] = GetGValue(c);
    row[x * 3 + 2] = GetRValue(c);
}

void FillPattern(TBitmap& b, int w, int h) {
    b.SetPixelFormat(TPixelFormat::pf24bit);
    b.SetSize(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) Put24(b, x, y, ToColorRef(PatternColor(x, y)));
}

void Fill(TBitmap& b, int w, int h, COLORREF c) {
    b.SetSize(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) Put24(b, x, y, c);
}

struct ChangeCounter {
    int Count = 0;
    void Hit(TObject*) { ++Count; }
};

//--- size and pixels

TEST(Bitmap, SizingKeepsTheOverlapAndWhitensNewPixels) {
    TBitmap b;
    EXPECT_TRUE(b.Empty());
    EXPECT_EQ(b.PixelFormat(), TPixelFormat::pf24bit);
    EXPECT_THROW(b.ScanLine(0), std::out_of_range);
    FillPattern(b, 4, 3);
    EXPECT_EQ(b.ScanLineBytes(), 12);
    EXPECT_THROW(b.ScanLine(3), std::out_of_range);
    EXPECT_THROW(b.ScanLine(-1), std::out_of_range);

    b.SetSize(6, 2);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 6; ++x)
            EXPECT_EQ(Rgb24(b, x, y), x < 4 ? ToColorRef(PatternColor(x, y)) : RGB(255, 255, 255)) << x << "," << y;
    EXPECT_EQ(b.Pixel(6, 0), clNone);

    b.SetHeight(0);
    EXPECT_TRUE(b.Empty());
    EXPECT_EQ(b.Width(), 6);
}

TEST(Bitmap, SizesBeyondTheLimitThrowAndChangeNothing) {
    TBitmap b;
    FillPattern(b, 2, 2);
    EXPECT_THROW(b.SetSize(kMaxBmpDimension + 1, 2), EOutOfResources);
    b.SetPixelFormat(TPixelFormat::pf32bit);
    EXPECT_THROW(b.SetSize(kMaxBmpDimension, kMaxBmpDimension), EOutOfResources);  // 1 GiB
    EXPECT_EQ(b.Width(), 2);
    EXPECT_EQ(static_cast<COLORREF>(b.Pixel(1, 1)), ToColorRef(PatternColor(1, 1)));
}

//--- loading

class BitmapLoad : public testing::TestWithParam<std::tuple<int, bool>> {};

TEST_P(BitmapLoad, PixelsArriveInScanLinesTopRowFirst) {
    const auto [bpp, topDown] = GetParam();
    TestBmp bmp;
    bmp.Width = 5;
    bmp.Height = 3;
    bmp.TopDown = topDown;
    bmp.Bpp = bpp;
    if (bpp <= 8)
        for (uint32_t i = 0; i < (1u << bpp); ++i) bmp.Palette.push_back((i * 0x00030507u + 0x102030) & 0xFFFFFF);
    bmp.Pixel = [bpp](int x, int y) {
        if (bpp <= 8) return static_cast<uint32_t>((x * 37 + y * 11) % (1 << bpp));
        return PatternColor(x, y) | (bpp == 32 ? 0xAB000000u : 0u);
    };
    TBitmap b;
    ASSERT_TRUE(b.LoadFromMemory(bmp.File()));
    ASSERT_EQ(b.Width(), 5);
    ASSERT_EQ(b.Height(), 3);
    const TPixelFormat expected = bpp == 1 ? TPixelFormat::pf1bit : bpp == 32 ? TPixelFormat::pf32bit : TPixelFormat::pf24bit;
    ASSERT_EQ(b.PixelFormat(), expected);
    for (int y = 0; y < 3; ++y) {
        const uint8_t* row = b.ScanLine(y);
        for (int x = 0; x < 5; ++x) {
            const uint32_t stored = bmp.Pixel(x, y);
            const uint32_t rgb = bpp <= 8 ? bmp.Palette[stored] : stored & 0xFFFFFF;
            EXPECT_EQ(static_cast<COLORREF>(b.Pixel(x, y)), ToColorRef(rgb)) << x << "," << y;
            if (bpp == 1) {
                EXPECT_EQ((row[0] >> (7 - x)) & 1, static_cast<int>(stored));
            } else if (bpp == 32) {
                EXPECT_EQ(row[x * 4 + 3], 0xAB);
            } else {
                EXPECT_EQ(row[x * 3], rgb & 0xFF) << "blue first";
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Depths, BitmapLoad, testing::Combine(testing::Values(1, 4, 8, 24, 32), testing::Bool()),
                         [](const auto& info) {
                             return std::to_string(std::get<0>(info.param)) + "bit" +
                                    (std::get<1>(info.param) ? "TopDown" : "BottomUp");
                         });

TEST(Bitmap, SaveAndLoadKeepFormatAndPixels) {
    for (TPixelFormat format : {TPixelFormat::pf1bit, TPixelFormat::pf24bit, TPixelFormat::pf32bit}) {
        TBitmap a;
        FillPattern(a, 7, 3);
        a.SetPixelFormat(format);
        TMemoryStream stream;
        a.SaveToStream(stream);
        stream.SetPosition(0);
        TBitmap b;
        b.LoadFromStream(stream);
        ASSERT_FALSE(b.Empty());
        EXPECT_EQ(b.PixelFormat(), format);
        for (int y = 0; y < 3; ++y)
            EXPECT_EQ(0, std::memcmp(a.ScanLine(y), b.ScanLine(y), a.ScanLineBytes())) << "row " << y;
    }
    TBitmap a, b;
    FillPattern(a, 3, 3);
    const std::wstring path = qxtest::ArtifactPath(L"BitmapRoundTrip.bmp");
    ASSERT_TRUE(a.SaveToFile(path));
    ASSERT_TRUE(b.LoadFromFile(path));
    EXPECT_EQ(static_cast<COLORREF>(b.Pixel(2, 1)), ToColorRef(PatternColor(2, 1)));
    EXPECT_FALSE(b.LoadFromFile(path + L".missing"));
    EXPECT_TRUE(b.Empty());
}

TEST(Bitmap, LoadFromStreamTakesTheRestOfTheStream) {
    TestBmp bmp;
    bmp.Pixel = PatternColor;
    std::vector<uint8_t> file = bmp.File();
    TMemoryStream stream;
    stream.WriteBuffer("prefix", 6);
    stream.WriteBuffer(file.data(), static_cast<int64_t>(file.size()));
    stream.SetPosition(6);
    TBitmap b;
    EXPECT_TRUE(b.LoadFromStreamChecked(stream));
    EXPECT_EQ(stream.Position(), stream.Size());
    EXPECT_EQ(static_cast<COLORREF>(b.Pixel(1, 0)), ToColorRef(PatternColor(1, 0)));
    EXPECT_FALSE(b.LoadFromStreamChecked(stream)) << "nothing left";
    EXPECT_TRUE(b.Empty());
}

TEST(Bitmap, MalformedDataLeavesAnEmptyBitmap) {
    auto loaded = [] {
        auto b = std::make_unique<TBitmap>();
        FillPattern(*b, 2, 2);
        return b;
    };
    const std::function<void(TestBmp&)> spoils[] = {
        [](TestBmp& b) { b.HeaderSize = 64; },
        [](TestBmp& b) { b.RawHeight = INT_MIN; },
        [](TestBmp& b) { b.RawWidth = b.RawHeight = 100000; },
        [](TestBmp& b) { b.RawWidth = b.RawHeight = kMaxBmpDimension; b.Bpp = 32; },
        [](TestBmp& b) { b.Bpp = 8; b.Palette.resize(300); },
        [](TestBmp& b) { b.OffBits = 0x7FFFFFFF; },
        [](TestBmp& b) { b.Compression = 2; },
    };
    for (size_t i = 0; i < std::size(spoils); ++i) {
        TestBmp bmp;
        spoils[i](bmp);
        auto b = loaded();
        EXPECT_FALSE(b->LoadFromMemory(bmp.File())) << "case " << i;
        EXPECT_TRUE(b->Empty()) << "case " << i;
    }
    std::vector<uint8_t> bad = TestBmp{}.File();
    bad[0] = 'X';
    auto b = loaded();
    EXPECT_FALSE(b->LoadFromMemory(bad));
    EXPECT_TRUE(b->Empty());

    for (int bpp : {8, 24}) {
        TestBmp small;
        small.Width = 3;
        small.Bpp = bpp;
        if (bpp == 8) small.Palette.resize(256, 0x123456);
        const std::vector<uint8_t> whole = small.File();
        for (size_t n = 0; n < whole.size(); ++n) {
            TMemoryStream stream;
            stream.WriteBuffer(whole.data(), static_cast<int64_t>(n));
            stream.SetPosition(0);
            auto t = loaded();
            t->LoadFromStream(stream);
            EXPECT_TRUE(t->Empty()) << bpp << " bpp cut at " << n;
        }
    }
}

TEST(Bitmap, LoadsBitmapResourcesAndAdoptsHandles) {
    HMODULE user32 = ::GetModuleHandleW(L"user32.dll");
    HBITMAP system = ::LoadBitmapW(nullptr, MAKEINTRESOURCEW(kObmCheck));
    ASSERT_NE(system, nullptr);
    BITMAP info{};
    ::GetObjectW(system, sizeof info, &info);

    TBitmap fromResource;
    ASSERT_TRUE(fromResource.LoadFromResourceID(user32, kObmCheck));
    EXPECT_EQ(fromResource.Width(), info.bmWidth);
    EXPECT_EQ(fromResource.Height(), info.bmHeight);

    TBitmap adopted;
    adopted.SetHandle(system);
    adopted.SetHandle(adopted.Handle());  // its own handle: nothing happens
    ASSERT_FALSE(adopted.Empty());
    EXPECT_EQ(::GetObjectType(system), 0u) << "the source handle was deleted";
    ASSERT_EQ(adopted.Width(), info.bmWidth);
    for (int y = 0; y < adopted.Height(); ++y)
        for (int x = 0; x < adopted.Width(); ++x)
            EXPECT_EQ(adopted.Pixel(x, y), fromResource.Pixel(x, y)) << x << "," << y;

    // A monochrome device bitmap: set bits become the white entry of its colour table.
    const BYTE rows[4] = {0xA0, 0, 0x40, 0};  // 1 0 1 / 0 1 0, rows padded to 16 bits
    HBITMAP mono = ::CreateBitmap(3, 2, 1, 1, rows);
    adopted.SetHandle(mono);
    EXPECT_EQ(adopted.PixelFormat(), TPixelFormat::pf1bit);
    EXPECT_EQ(adopted.Pixel(0, 0), clWhite);
    EXPECT_EQ(adopted.Pixel(1, 0), clBlack);
    EXPECT_EQ(adopted.Pixel(1, 1), clWhite);

    EXPECT_FALSE(fromResource.LoadFromResourceName(user32, L"NO_SUCH_BITMAP"));
    EXPECT_TRUE(fromResource.Empty());
}

//--- copies and conversions

TEST(Bitmap, AssignMakesAnIndependentDeepCopy) {
    TBitmap a;
    FillPattern(a, 3, 2);
    a.SetTransparent(true);
    a.SetTransparentColor(clFuchsia);
    TBitmap b;
    b.Assign(&a);
    EXPECT_NE(a.Handle(), b.Handle());
    EXPECT_TRUE(b.Transparent());
    EXPECT_EQ(b.TransparentMode(), TTransparentMode::tmFixed);
    EXPECT_EQ(b.TransparentColor(), clFuchsia);

    Put24(a, 0, 0, kGreen);
    a.Canvas().Brush().SetColor(clBlue);
    a.Canvas().FillRect(RECT{1, 0, 3, 2});
    EXPECT_EQ(Rgb24(b, 0, 0), ToColorRef(PatternColor(0, 0)));
    EXPECT_EQ(Rgb24(b, 2, 1), ToColorRef(PatternColor(2, 1)));

    b.Assign(nullptr);
    EXPECT_TRUE(b.Empty());
    TFont font;
    EXPECT_THROW(b.Assign(&font), std::invalid_argument);
}

TEST(Bitmap, PixelFormatConversionKeepsThePicture) {
    TBitmap b;
    FillPattern(b, 5, 2);
    b.SetPixelFormat(TPixelFormat::pf32bit);
    EXPECT_EQ(b.ScanLineBytes(), 20);
    EXPECT_EQ(b.ScanLine(1)[4 * 4 + 2], PatternColor(4, 1) >> 16) << "red of (4,1)";
    b.SetPixelFormat(TPixelFormat::pf24bit);
    for (int x = 0; x < 5; ++x) EXPECT_EQ(Rgb24(b, x, 1), ToColorRef(PatternColor(x, 1)));

    Put24(b, 0, 0, RGB(0x30, 0x30, 0x30));
    Put24(b, 1, 0, RGB(0xD0, 0xD0, 0xD0));
    Put24(b, 2, 0, kMagenta);  // nearer white than black
    b.SetPixelFormat(TPixelFormat::pf1bit);
    EXPECT_EQ(b.ScanLineBytes(), 4);
    EXPECT_EQ(b.ScanLine(0)[0] >> 5, 0b011);
    b.SetPixelFormat(TPixelFormat::pf24bit);
    EXPECT_EQ(Rgb24(b, 0, 0), RGB(0, 0, 0));
    EXPECT_EQ(Rgb24(b, 1, 0), RGB(255, 255, 255));

    // A 1-bit picture with its own colours expands to those colours.
    TestBmp two;
    two.Bpp = 1;
    two.Palette = {0x00FF0000, 0x000000FF};
    two.Pixel = [](int x, int) { return static_cast<uint32_t>(x); };
    ASSERT_TRUE(b.LoadFromMemory(two.File()));
    b.SetPixelFormat(TPixelFormat::pf24bit);
    EXPECT_EQ(Rgb24(b, 0, 0), RGB(255, 0, 0));
    EXPECT_EQ(Rgb24(b, 1, 0), RGB(0, 0, 255));

    TBitmap empty;
    empty.SetPixelFormat(TPixelFormat::pf32bit);
    EXPECT_TRUE(empty.Empty());
    empty.SetSize(2, 2);
    EXPECT_EQ(empty.ScanLineBytes(), 8);
}

TEST(Bitmap, MaskMarksTheKeyColourWhite) {
    TBitmap b;
    FillPattern(b, 10, 2);
    Put24(b, 9, 0, kMagenta);
    Put24(b, 0, 1, kMagenta);
    b.Mask(clFuchsia);
    EXPECT_EQ(b.PixelFormat(), TPixelFormat::pf1bit);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 10; ++x)
            EXPECT_EQ(b.Pixel(x, y), (x == 9 && y == 0) || (x == 0 && y == 1) ? clWhite : clBlack) << x << "," << y;

    // The mask serves MaskBlt as is: white keeps the destination, black copies the source.
    TBitmap source, target;
    FillPattern(source, 10, 2);
    Fill(target, 10, 2, kGreen);
    {
        BitmapDc from(source);
        BitmapDc to(target);
        ASSERT_TRUE(::MaskBlt(to.get(), 0, 0, 10, 2, from.get(), 0, 0, b.Handle(), 0, 0, MAKEROP4(0x00AA0029, SRCCOPY)));
    }
    EXPECT_EQ(Rgb24(target, 9, 0), kGreen);
    EXPECT_EQ(Rgb24(target, 0, 1), kGreen);
    EXPECT_EQ(Rgb24(target, 8, 0), ToColorRef(PatternColor(8, 0)));
    EXPECT_EQ(Rgb24(target, 1, 1), ToColorRef(PatternColor(1, 1)));
}

//--- canvas and drawing

TEST(Bitmap, CanvasDrawingAndScanLinesShareMemory) {
    TBitmap b;
    b.SetPixelFormat(TPixelFormat::pf32bit);
    b.SetSize(8, 8);
    b.Canvas().Brush().SetColor(clRed);
    b.Canvas().FillRect(RECT{2, 2, 6, 6});
    const uint8_t* row = b.ScanLine(3);
    EXPECT_EQ(row[3 * 4 + 2], 255);
    EXPECT_EQ(row[3 * 4 + 1], 0);
    EXPECT_EQ(row[3 * 4], 0);
    EXPECT_EQ(row[1 * 4], 255) << "outside the rectangle still white";

    b.ScanLine(1)[1 * 4 + 1] = 0;  // white (1,1) becomes blue: green and red off
    b.ScanLine(1)[1 * 4 + 2] = 0;
    EXPECT_EQ(b.Canvas().Pixel(1, 1), RGB(0, 0, 255));

    // Handle() takes the DIB out of the canvas's DC so that it can be selected elsewhere.
    HBITMAP h = b.Handle();
    HDC other = ::CreateCompatibleDC(nullptr);
    HGDIOBJ old = ::SelectObject(other, h);
    EXPECT_NE(old, nullptr);
    ::SelectObject(other, old);
    ::DeleteDC(other);
    b.Canvas().FillRect(RECT{0, 0, 1, 1});  // and the canvas comes back on its own
    EXPECT_EQ(b.ScanLine(0)[2], 255);
}

TEST(Bitmap, GdiObjectsAreReleased) {
    HBITMAP firstDib = nullptr, lastDib = nullptr;
    HDC dc = nullptr;
    {
        TBitmap b;
        b.SetSize(4, 4);
        firstDib = b.Handle();
        b.Canvas().FillRect(RECT{0, 0, 1, 1});
        b.SetSize(8, 8);  // replaced while the canvas had it selected
        EXPECT_EQ(::GetObjectType(firstDib), 0u);
        lastDib = b.Handle();
        dc = b.Canvas().Handle();
        EXPECT_EQ(::GetCurrentObject(dc, OBJ_BITMAP), lastDib);
    }
    EXPECT_EQ(::GetObjectType(lastDib), 0u);
    EXPECT_EQ(::GetObjectType(dc), 0u);

    TBitmap b;
    b.SetSize(2, 2);
    b.Canvas().Handle();
    HBITMAP mine = b.ReleaseHandle();
    EXPECT_TRUE(b.Empty());
    EXPECT_EQ(::GetObjectType(mine), static_cast<DWORD>(OBJ_BITMAP));
    ::DeleteObject(mine);
}

TEST(Bitmap, TransparentDrawLeavesKeyPixelsDestinationUntouched) {
    TBitmap source;
    FillPattern(source, 4, 4);
    Put24(source, 1, 1, kMagenta);
    Put24(source, 2, 1, kMagenta);
    Put24(source, 3, 3, kMagenta);
    auto isKey = [](int x, int y) { return (y == 1 && (x == 1 || x == 2)) || (x == 3 && y == 3); };
    TBitmap target;
    auto check = [&](const char* what, int scale, bool keyed, auto isKeyAt) {
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x) {
                const int sx = (x - 2) / scale, sy = (y - 2) / scale;
                const bool inside = x >= 2 && y >= 2 && sx < 4 && sy < 4;
                COLORREF expected = !inside ? kGreen
                                  : keyed && isKeyAt(sx, sy) ? kGreen
                                  : static_cast<COLORREF>(source.Pixel(sx, sy));
                EXPECT_EQ(Rgb24(target, x, y), expected) << what << " at " << x << "," << y;
            }
    };

    Fill(target, 8, 8, kGreen);
    target.Canvas().Draw(2, 2, &source);
    check("opaque", 1, false, isKey);

    Fill(target, 8, 8, kGreen);
    source.SetTransparent(true);
    source.SetTransparentColor(clFuchsia);
    target.Canvas().Draw(2, 2, &source);
    check("magenta key", 1, true, isKey);
    qxtest::SaveArtifact(target, L"BitmapTransparentDraw.bmp");

    Fill(target, 10, 10, kGreen);
    target.Canvas().StretchDraw(RECT{2, 2, 10, 10}, &source);
    target.SetSize(8, 8);
    check("stretched twice", 2, true, isKey);

    // Automatic colour: the bottom-left pixel.
    source.SetTransparentMode(TTransparentMode::tmAuto);
    EXPECT_EQ(static_cast<COLORREF>(source.TransparentColor()), ToColorRef(PatternColor(0, 3)));
    Fill(target, 8, 8, kGreen);
    target.Canvas().Draw(2, 2, &source);
    check("bottom-left key", 1, true, [](int x, int y) { return x == 0 && y == 3; });

    // A 1-bit picture keyed on one of its two colours.
    TestBmp mono;
    mono.Width = mono.Height = 4;
    mono.Bpp = 1;
    mono.Palette = {0x00FF00FF, 0x000000FF};
    mono.Pixel = [](int x, int y) { return static_cast<uint32_t>((x + y) % 2); };
    ASSERT_TRUE(source.LoadFromMemory(mono.File()));
    source.SetTransparentColor(clFuchsia);
    Fill(target, 8, 8, kGreen);
    target.Canvas().Draw(2, 2, &source);
    check("1-bit", 1, true, [](int x, int y) { return (x + y) % 2 == 0; });
}

TEST(Bitmap, OnChangeFollowsEveryNewPicture) {
    ChangeCounter counter;
    TBitmap b;
    b.OnChange = TNotifyEvent::Of<&ChangeCounter::Hit>(&counter);
    b.SetSize(3, 3);
    EXPECT_EQ(counter.Count, 1);
    b.SetSize(3, 3);
    EXPECT_EQ(counter.Count, 1) << "no change, no event";
    b.SetPixelFormat(TPixelFormat::pf32bit);
    EXPECT_EQ(counter.Count, 2);
    b.LoadFromMemory(TestBmp{}.File());
    EXPECT_EQ(counter.Count, 3);
    b.LoadFromMemory({});
    EXPECT_EQ(counter.Count, 4) << "a failed load empties the bitmap, which is a change too";
}

}  // namespace
