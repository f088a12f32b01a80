#pragma once
// Hand-built BMP data for the bitmap tests: every header field can be set, including the
// wrong values the decoder has to refuse.
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace qx {
class TBitmap;
}

namespace qxtest {

struct TestBmp {
    int Width = 2;
    int Height = 2;  // rows; TopDown stores them top first with a negative height
    bool TopDown = false;
    int Bpp = 24;
    uint32_t HeaderSize = 40;     // 12 writes the old core header
    uint32_t Compression = 0;
    uint16_t Planes = 1;
    std::vector<uint32_t> Palette;  // 0x00RRGGBB
    std::array<uint32_t, 4> Masks{};  // red, green, blue, alpha (bit fields)
    std::optional<uint32_t> ColorsUsed;  // default: Palette.size() (0 when empty)
    std::optional<uint32_t> OffBits;     // default: right after the colour table
    std::optional<int32_t> RawWidth;
    std::optional<int32_t> RawHeight;
    // The stored value of pixel (x, y), y = 0 the top row: a palette index up to 8 bits,
    // the raw 16- or 32-bit value, or 0x00RRGGBB for 24 bits.
    std::function<uint32_t(int x, int y)> Pixel = [](int, int) { return 0u; };

    std::vector<uint8_t> PackedDib() const;
    std::vector<uint8_t> File() const;
};

// A distinct colour (0x00RRGGBB) per position, for checking where pixels end up.
uint32_t PatternColor(int x, int y);
// 0x00BBGGRR (COLORREF, TColor) from 0x00RRGGBB.
uint32_t ToColorRef(uint32_t rgb);

// Where a test may leave pictures to look at ($QUELLOX_ARTIFACTS, made if missing).
std::wstring ArtifactPath(const std::wstring& fileName);
// Saves the bitmap there as a BMP; returns the path (empty if it could not be written).
std::wstring SaveArtifact(qx::TBitmap& bitmap, const std::wstring& fileName);

}  // namespace qxtest
