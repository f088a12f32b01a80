#pragma once
// Paints the house ad for one panel: background, then the layout of the panel's format.
#include <windows.h>

#include "AdUrl.h"

namespace admds {

struct TAdLook {
    COLORREF Background;
    TAdVariant Variant;
};

// Paints the whole client area (0, 0, width, height) of a panel into `target`.
void PaintAdPanel(HDC target, int width, int height, const TAdLook& look) noexcept;

}  // namespace admds
