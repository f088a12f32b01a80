#pragma once
// Reading and writing Windows BMP data. No platform header here, so the decoder, which sees
// untrusted bytes (skin package members), can be built and fuzzed natively too.
//
// Decoded pictures have one of three layouts, rows top first, each row padded to 4 bytes:
//   1 bit per pixel  - most significant bit leftmost, with a two-entry colour table;
//   24 bits          - blue, green, red;
//   32 bits          - blue, green, red, and the fourth byte as stored.
// 4- and 8-bit palette images and 16-bit images are expanded to 24 bits; 1-bit images keep
// their colour table because masks are made of them.
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace qx {

// Refused beyond these: either dimension above 16384 pixels, or more than 256 MiB of decoded
// (or stored) pixel data. A skin image is a few hundred pixels wide.
constexpr int kMaxBmpDimension = 16384;
constexpr uint64_t kMaxBmpPixelBytes = 256ull * 1024 * 1024;
// A whole file may carry headers and a colour table beside the pixels.
constexpr uint64_t kMaxBmpFileBytes = kMaxBmpPixelBytes + 64 * 1024;

struct TBmpImage {
    int Width = 0;
    int Height = 0;
    int BitsPerPixel = 0;               // 1, 24 or 32
    std::array<uint32_t, 2> Palette{};  // 1 bit only: entries as RGBQUAD values (0x00RRGGBB)
    std::vector<uint8_t> Pixels;        // Height rows of BmpRowBytes(Width, BitsPerPixel)

    bool Valid() const;
};

// Bytes of one stored row (padded to a multiple of 4), or 0 when the width is out of range.
size_t BmpRowBytes(int width, int bitsPerPixel);

// A whole .bmp file: BITMAPFILEHEADER, info header, colour table, pixels. On failure `out` is
// left empty and `error` (if given) says why.
bool DecodeBmpFile(std::span<const uint8_t> data, TBmpImage& out, std::string* error = nullptr);
// A packed DIB, as RT_BITMAP resources store it: the info header, colour table, pixels.
bool DecodePackedDib(std::span<const uint8_t> data, TBmpImage& out, std::string* error = nullptr);

// A .bmp file with a BITMAPINFOHEADER and bottom-up rows; empty when the image is not Valid().
std::vector<uint8_t> EncodeBmpFile(const TBmpImage& image);

}  // namespace qx
