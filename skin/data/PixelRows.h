// Direct access to the rows of a bitmap's DIB section, shared by the image utilities and the
// skin drawing routines: they run on every paint, so they read and write pixels in place
// instead of asking GDI pixel by pixel.
#pragma once

#include "framework/Bitmap.h"

#include <cstddef>
#include <cstdint>

// The pixels of a DIB, row 0 the top row: Bits is null for an empty picture. A bottom-up DIB is
// shown with Bits at its top row and a negative Stride.
struct TPixelView {
    std::uint8_t* Bits = nullptr;
    int Stride = 0;
    int Width = 0;
    int Height = 0;
    int BytesPerPixel = 0;  // 3 or 4; 0 for one bit per pixel

    bool Empty() const { return Bits == nullptr; }
    std::uint8_t* Row(int y) const { return Bits + static_cast<std::ptrdiff_t>(y) * Stride; }
};

// 3 for pf24bit, 4 for pf32bit, 0 for pf1bit.
int BytesPerPixel(qx::TPixelFormat format);
// The bitmap's rows (pending GDI drawing flushed once). Valid until the bitmap is resized,
// converted or reloaded.
TPixelView ViewOf(qx::TBitmap& bitmap);

// Pixels of a bitmap as colours of 3 or 4 bytes: the bitmap's own rows, or for a 1-bit picture
// the rows of a private 24-bit copy, so the caller's bitmap keeps its format.
class TColourRows {
public:
    explicit TColourRows(qx::TBitmap& bitmap);
    TColourRows(const TColourRows&) = delete;
    TColourRows& operator=(const TColourRows&) = delete;

    const TPixelView& View() const { return FView; }
    // The bitmap whose rows View() shows, to blit the very same pixels.
    qx::TBitmap& Bitmap() { return *FSource; }

private:
    qx::TBitmap* FSource;
    qx::TBitmap FCopy;
    TPixelView FView;
};

//--- one bit per pixel, most significant bit leftmost
inline bool GetBit(const std::uint8_t* row, int x) { return (row[x >> 3] >> (7 - (x & 7))) & 1; }
inline void SetBit(std::uint8_t* row, int x, bool on) {
    const auto bit = static_cast<std::uint8_t>(0x80 >> (x & 7));
    row[x >> 3] = on ? static_cast<std::uint8_t>(row[x >> 3] | bit) : static_cast<std::uint8_t>(row[x >> 3] & ~bit);
}

// 0x00BBGGRR of the pixel at p (blue, green, red in memory).
inline std::uint32_t PixelRef(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[2]) | (static_cast<std::uint32_t>(p[1]) << 8) | (static_cast<std::uint32_t>(p[0]) << 16);
}
