#include "AdColour.h"

namespace admds {

COLORREF ResolveColourValue(DWORD value) noexcept {
    if (value & 0x80000000u) return ::GetSysColor(static_cast<int>(value & 0xFFu));
    return value & 0x00FFFFFFu;
}

COLORREF MixColour(COLORREF a, COLORREF b, int percent) noexcept {
    if (percent < 0) percent = 0;
    if (percent > 100) percent = 100;
    auto mix = [percent](int x, int y) { return x + (y - x) * percent / 100; };
    return RGB(mix(GetRValue(a), GetRValue(b)), mix(GetGValue(a), GetGValue(b)),
               mix(GetBValue(a), GetBValue(b)));
}

int ColourLuma(COLORREF c) noexcept {
    return (GetRValue(c) * 299 + GetGValue(c) * 587 + GetBValue(c) * 114) / 1000;
}

}  // namespace admds
