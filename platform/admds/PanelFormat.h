#pragma once
// The four panel formats the house ad is laid out for, chosen from the panel's client size.
// Portable, no windows.h.

namespace admds {

enum TAdFormat {
    afNone,     // empty client area: only the background is painted
    afBanner,   // 180 x 60
    afLine,     // 180 x 20 text line
    afSquare,   // 90 x 90
    afColumn,   // 180 x 300 tall column
};

// Panels lower than this get the text line whatever their width: nothing else fits.
inline constexpr int kMinBlockHeight = 36;

TAdFormat AdFormatForSize(int width, int height) noexcept;

}  // namespace admds
