// The BMP decoder and encoder on hand-built data: every stored depth and both row orders,
// the header variants, and the malformed inputs a skin package may carry.
#include "framework/BmpFile.h"
#include "support/BitmapTestSupport.h"

#include <gtest/gtest.h>

#include <climits>

using qx::TBmpImage;
using qxtest::PatternColor;
using qxtest::TestBmp;

namespace {

TBmpImage Decode(const std::vector<uint8_t>& data) {
    TBmpImage image;
    std::string error;
    EXPECT_TRUE(qx::DecodeBmpFile(data, image, &error)) << error;
    return image;
}

// 0x00RRGGBB of a decoded 24- or 32-bit pixel.
uint32_t Rgb(const TBmpImage& image, int x, int y) {
    const size_t step = image.BitsPerPixel / 8;
    const uint8_t* p = image.Pixels.data() + y * qx::BmpRowBytes(image.Width, image.BitsPerPixel) + x * step;
    return (uint32_t{p[2]} << 16) | (uint32_t{p[1]} << 8) | p[0];
}

int Bit(const TBmpImage& image, int x, int y) {
    const uint8_t* row = image.Pixels.data() + y * qx::BmpRowBytes(image.Width, 1);
    return (row[x / 8] >> (7 - x % 8)) & 1;
}

std::vector<uint32_t> GreyPalette(int n) {
    std::vector<uint32_t> p;
    for (int i = 0; i < n; ++i) {
        uint32_t v = static_cast<uint32_t>(i * 255 / (n - 1));
        p.push_back(v << 16 | v << 8 | ((v + 7) & 0xFF));
    }
    return p;
}

class BmpDepth : public testing::TestWithParam<bool> {};  // parameter: top-down rows

TEST_P(BmpDepth, PaletteImagesExpandTo24BitsAtTheRightPlaces) {
    for (int bpp : {4, 8}) {
        TestBmp bmp;
        bmp.Width = 5;
        bmp.Height = 3;
        bmp.TopDown = GetParam();
        bmp.Bpp = bpp;
        bmp.Palette = GreyPalette(1 << bpp);
        bmp.Pixel = [bpp](int x, int y) { return static_cast<uint32_t>((x * 3 + y * 5) % (1 << bpp)); };
        TBmpImage image = Decode(bmp.File());
        ASSERT_EQ(image.BitsPerPixel, 24);
        ASSERT_EQ(image.Width, 5);
        ASSERT_EQ(image.Height, 3);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 5; ++x)
                EXPECT_EQ(Rgb(image, x, y), bmp.Palette[bmp.Pixel(x, y)]) << bpp << " bpp at " << x << "," << y;
    }
}

TEST_P(BmpDepth, OneBitKeepsItsBitsAndColourTable) {
    TestBmp bmp;
    bmp.Width = 11;  // crosses a byte boundary
    bmp.Height = 3;
    bmp.TopDown = GetParam();
    bmp.Bpp = 1;
    bmp.Palette = {0x00FF0000, 0x000000FF};
    bmp.Pixel = [](int x, int y) { return static_cast<uint32_t>((x + y) % 3 == 0); };
    TBmpImage image = Decode(bmp.File());
    ASSERT_EQ(image.BitsPerPixel, 1);
    EXPECT_EQ(image.Palette[0], 0x00FF0000u);
    EXPECT_EQ(image.Palette[1], 0x000000FFu);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 11; ++x) EXPECT_EQ(Bit(image, x, y), static_cast<int>(bmp.Pixel(x, y))) << x << "," << y;
}

TEST_P(BmpDepth, DirectColourDepths) {
    TestBmp b24;
    b24.Width = 3;  // 9 bytes of pixels, 3 of padding per row
    b24.Height = 4;
    b24.TopDown = GetParam();
    b24.Pixel = PatternColor;
    TBmpImage i24 = Decode(b24.File());
    ASSERT_EQ(i24.BitsPerPixel, 24);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 3; ++x) EXPECT_EQ(Rgb(i24, x, y), PatternColor(x, y));

    TestBmp b32 = b24;
    b32.Bpp = 32;
    b32.Pixel = [](int x, int y) { return PatternColor(x, y) | static_cast<uint32_t>(x + 1) << 24; };
    TBmpImage i32 = Decode(b32.File());
    ASSERT_EQ(i32.BitsPerPixel, 32);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 3; ++x) {
            EXPECT_EQ(Rgb(i32, x, y), PatternColor(x, y));
            EXPECT_EQ(i32.Pixels[y * 12 + x * 4 + 3], x + 1) << "the fourth byte is kept";
        }

    TestBmp b16 = b24;  // 5-5-5 without masks
    b16.Bpp = 16;
    b16.Pixel = [](int x, int y) { return static_cast<uint32_t>((31 << 10) * (x == 0) | (y << 5) | (x == 2 ? 31 : 0)); };
    TBmpImage i16 = Decode(b16.File());
    ASSERT_EQ(i16.BitsPerPixel, 24);
    EXPECT_EQ(Rgb(i16, 0, 0), 0xFF0000u);
    EXPECT_EQ(Rgb(i16, 2, 0), 0x0000FFu);
    EXPECT_EQ(Rgb(i16, 1, 3), 25u << 8) << "green 3 of 31 scaled to 8 bits, rounded";
}

INSTANTIATE_TEST_SUITE_P(RowOrder, BmpDepth, testing::Values(false, true),
                         [](const auto& info) { return info.param ? "TopDown" : "BottomUp"; });

TEST(BmpFile, BitFieldsAndLaterHeaders) {
    TestBmp b565;  // info header with its three masks after it
    b565.Width = 2;
    b565.Height = 1;
    b565.Bpp = 16;
    b565.Compression = 3;
    b565.Masks = {0xF800, 0x07E0, 0x001F, 0};
    b565.Pixel = [](int x, int) { return x == 0 ? 0xF800u : 0x07E0u; };
    TBmpImage i565 = Decode(b565.File());
    EXPECT_EQ(Rgb(i565, 0, 0), 0xFF0000u);
    EXPECT_EQ(Rgb(i565, 1, 0), 0x00FF00u);

    TestBmp v5;  // 124-byte header, masks inside it, alpha in the top byte
    v5.HeaderSize = 124;
    v5.Width = 2;
    v5.Height = 2;
    v5.TopDown = true;
    v5.Bpp = 32;
    v5.Compression = 3;
    v5.Masks = {0x0000FF00, 0x00FF0000, 0xFF000000, 0x000000FF};  // channels in unusual places
    v5.Pixel = [](int x, int y) { return static_cast<uint32_t>(0x11 * (x + 1)) << 8 | 0x22u << 16 | 0x33u << 24 | static_cast<uint32_t>(y); };
    TBmpImage iv5 = Decode(v5.File());
    ASSERT_EQ(iv5.BitsPerPixel, 32);
    EXPECT_EQ(Rgb(iv5, 1, 0), 0x222233u) << "red from bits 8-15, green 16-23, blue 24-31";
    EXPECT_EQ(iv5.Pixels[4 * 1 + 3], 0) << "alpha of row 0";
    EXPECT_EQ(iv5.Pixels[8 + 3], 1) << "alpha of row 1";

    TestBmp core;  // the old 12-byte header with 3-byte colour entries
    core.HeaderSize = 12;
    core.Width = 3;
    core.Height = 2;
    core.Bpp = 8;
    core.Palette = GreyPalette(256);
    core.Pixel = [](int x, int y) { return static_cast<uint32_t>(x * 100 + y); };
    TBmpImage icore = Decode(core.File());
    EXPECT_EQ(Rgb(icore, 2, 1), core.Palette[201]);
}

TEST(BmpFile, ShortColourTables) {
    TestBmp declared;  // an 8-bit picture that declares only 4 colours: higher indexes are black
    declared.Bpp = 8;
    declared.Palette = {0x102030, 0x405060, 0x708090, 0xA0B0C0};
    declared.Pixel = [](int x, int y) { return static_cast<uint32_t>(x == 1 && y == 1 ? 200 : x + y); };
    TBmpImage a = Decode(declared.File());
    EXPECT_EQ(Rgb(a, 1, 0), 0x405060u);
    EXPECT_EQ(Rgb(a, 1, 1), 0u);

    // A table cut short by the pixel offset: what is there is used, the rest is black.
    TestBmp cut = declared;
    cut.ColorsUsed = 0;  // "all 256"
    TBmpImage b = Decode(cut.File());
    EXPECT_EQ(Rgb(b, 0, 1), 0x405060u);
    EXPECT_EQ(Rgb(b, 1, 1), 0u);
}

TEST(BmpFile, PackedDibHasNoFileHeader) {
    TestBmp bmp;
    bmp.Bpp = 4;
    bmp.Palette = GreyPalette(16);
    bmp.Pixel = [](int x, int y) { return static_cast<uint32_t>(x * 7 + y * 3); };
    TBmpImage image;
    ASSERT_TRUE(qx::DecodePackedDib(bmp.PackedDib(), image));
    EXPECT_EQ(Rgb(image, 1, 1), bmp.Palette[10]);
    EXPECT_FALSE(qx::DecodePackedDib(bmp.File(), image)) << "a file header is no info header";
    EXPECT_FALSE(qx::DecodeBmpFile(bmp.PackedDib(), image)) << "no BM magic";
}

//--- malformed data

struct Malformed {
    const char* Name;
    std::function<void(TestBmp&)> Spoil;
};

TEST(BmpFile, MalformedHeadersAreRefused) {
    const Malformed cases[] = {
        {"header size 20", [](TestBmp& b) { b.HeaderSize = 20; }},
        {"header size 64 (OS/2 2)", [](TestBmp& b) { b.HeaderSize = 64; }},
        {"two planes", [](TestBmp& b) { b.Planes = 2; }},
        {"width 0", [](TestBmp& b) { b.RawWidth = 0; }},
        {"negative width", [](TestBmp& b) { b.RawWidth = -2; }},
        {"height 0", [](TestBmp& b) { b.RawHeight = 0; }},
        {"height INT_MIN", [](TestBmp& b) { b.RawHeight = INT_MIN; }},
        {"width above the limit", [](TestBmp& b) { b.RawWidth = qx::kMaxBmpDimension + 1; }},
        {"top-down height above the limit", [](TestBmp& b) { b.RawHeight = -(qx::kMaxBmpDimension + 1); }},
        {"1 GiB of pixels", [](TestBmp& b) { b.RawWidth = b.RawHeight = qx::kMaxBmpDimension; b.Bpp = 32; }},
        {"huge 8-bit picture, little data", [](TestBmp& b) { b.RawWidth = b.RawHeight = 16000; b.Bpp = 8; b.Palette.resize(256); }},
        {"2 bits per pixel", [](TestBmp& b) { b.Bpp = 2; }},
        {"palette above 256 entries", [](TestBmp& b) { b.Bpp = 8; b.Palette.resize(257); }},
        {"palette of 3 for 1 bit", [](TestBmp& b) { b.Bpp = 1; b.Palette.resize(3); }},
        {"palette count 2^32-1", [](TestBmp& b) { b.Bpp = 24; b.ColorsUsed = 0xFFFFFFFF; }},
        {"run-length compression", [](TestBmp& b) { b.Bpp = 8; b.Palette.resize(256); b.Compression = 1; }},
        {"bit fields on 24 bits", [](TestBmp& b) { b.Compression = 3; b.Masks = {0xFF0000, 0xFF00, 0xFF, 0}; }},
        {"empty mask", [](TestBmp& b) { b.Bpp = 32; b.Compression = 3; b.Masks = {0xFF0000, 0, 0xFF, 0}; }},
        {"mask with a hole", [](TestBmp& b) { b.Bpp = 32; b.Compression = 3; b.Masks = {0xFF00F0, 0xFF00, 0xF, 0}; }},
        {"compression PNG", [](TestBmp& b) { b.Compression = 5; }},
        {"pixel offset past the end", [](TestBmp& b) { b.OffBits = 100000; }},
        {"pixel offset inside the header", [](TestBmp& b) { b.OffBits = 20; }},
        {"pixel offset below the file header", [](TestBmp& b) { b.OffBits = 3; }},
        {"pixel offset leaves too few bytes", [](TestBmp& b) { b.OffBits = 14 + 40 + 8; }},
        {"32-bit core header", [](TestBmp& b) { b.HeaderSize = 12; b.Bpp = 32; }},
    };
    for (const auto& c : cases) {
        TestBmp bmp;
        bmp.Pixel = PatternColor;
        c.Spoil(bmp);
        TBmpImage image;
        image.Width = 99;  // must be reset
        std::string error;
        EXPECT_FALSE(qx::DecodeBmpFile(bmp.File(), image, &error)) << c.Name;
        EXPECT_FALSE(error.empty()) << c.Name;
        EXPECT_EQ(image.Width, 0) << c.Name;
        EXPECT_TRUE(image.Pixels.empty()) << c.Name;
    }
}

TEST(BmpFile, EveryTruncationIsRefused) {
    for (int bpp : {1, 4, 8, 16, 24, 32}) {
        TestBmp bmp;
        bmp.Width = 3;
        bmp.Height = 2;
        bmp.Bpp = bpp;
        if (bpp <= 8) bmp.Palette = GreyPalette(1 << bpp);
        if (bpp == 32) {
            bmp.Compression = 3;
            bmp.Masks = {0xFF0000, 0xFF00, 0xFF, 0};
        }
        const std::vector<uint8_t> whole = bmp.File();
        TBmpImage image;
        ASSERT_TRUE(qx::DecodeBmpFile(whole, image)) << bpp;
        for (size_t n = 0; n < whole.size(); ++n) {
            // A copy of exactly n bytes, so that reading past it is caught by the allocator.
            std::vector<uint8_t> part(whole.begin(), whole.begin() + n);
            EXPECT_FALSE(qx::DecodeBmpFile(part, image)) << bpp << " bpp cut at " << n;
            EXPECT_FALSE(qx::DecodePackedDib(std::vector<uint8_t>(part.begin() + std::min<size_t>(n, 14), part.end()), image))
                << bpp << " bpp packed, cut at " << n;
        }
    }
}

TEST(BmpFile, OversizedInputIsRefusedBeforeParsing) {
    std::vector<uint8_t> big(qx::kMaxBmpFileBytes + 1);
    TestBmp bmp;
    std::vector<uint8_t> file = bmp.File();
    std::copy(file.begin(), file.end(), big.begin());
    TBmpImage image;
    std::string error;
    EXPECT_FALSE(qx::DecodeBmpFile(big, image, &error));
    EXPECT_EQ(error, "file too large");
}

//--- writing

TEST(BmpFile, EncodedFilesAreBottomUpAndDecodeToTheSamePicture) {
    for (int bpp : {1, 24, 32}) {
        TBmpImage image;
        image.Width = 13;
        image.Height = 3;
        image.BitsPerPixel = bpp;
        image.Palette = {0x00112233, 0x00445566};
        image.Pixels.resize(qx::BmpRowBytes(13, bpp) * 3);
        for (size_t i = 0; i < image.Pixels.size(); ++i) image.Pixels[i] = static_cast<uint8_t>(i * 7 + 1);
        std::vector<uint8_t> file = qx::EncodeBmpFile(image);
        ASSERT_FALSE(file.empty());
        EXPECT_EQ(file[0], 'B');
        EXPECT_EQ(file[1], 'M');
        const size_t offBits = file[10] | file[11] << 8;
        const size_t stride = qx::BmpRowBytes(13, bpp);
        EXPECT_EQ(file.size(), offBits + 3 * stride);
        EXPECT_TRUE(std::equal(file.begin() + offBits, file.begin() + offBits + stride,
                               image.Pixels.begin() + 2 * stride)) << "first stored row is the bottom row";
        TBmpImage back;
        ASSERT_TRUE(qx::DecodeBmpFile(file, back));
        EXPECT_EQ(back.BitsPerPixel, bpp);
        EXPECT_EQ(back.Pixels, image.Pixels);
        if (bpp == 1) {
            EXPECT_EQ(back.Palette, image.Palette);
        }
    }
    TBmpImage invalid;
    invalid.Width = 2;
    invalid.Height = 2;
    invalid.BitsPerPixel = 24;
    invalid.Pixels.resize(5);  // too short
    EXPECT_TRUE(qx::EncodeBmpFile(invalid).empty());
}

}  // namespace
