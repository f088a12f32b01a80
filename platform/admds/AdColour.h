#pragma once
// Colour values as the program passes them, and the little colour arithmetic the ad needs.
#include <windows.h>

namespace admds {

// High bit set: a system colour, index in the low byte, looked up when drawn (so a changed
// system scheme shows at the next paint). Otherwise 0x00BBGGRR; the top byte is ignored.
COLORREF ResolveColourValue(DWORD value) noexcept;

// `a` moved `percent` (0..100) of the way towards `b`.
COLORREF MixColour(COLORREF a, COLORREF b, int percent) noexcept;

// Perceived brightness, 0..255.
int ColourLuma(COLORREF c) noexcept;

// COLORREF (0x00BBGGRR) to and from a 32-bpp DIB pixel (0x00RRGGBB).
inline DWORD PixelFromColour(COLORREF c) noexcept {
    return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
}
inline COLORREF ColourFromPixel(DWORD p) noexcept {
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

}  // namespace admds
