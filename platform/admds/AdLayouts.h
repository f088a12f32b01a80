#pragma once
// The four layouts of the house ad, each in its format's nominal grid (see TAdCanvas).
#include "AdCanvas.h"
#include "AdPainter.h"

namespace admds {

void LayoutBanner(const TAdCanvas& c, const TAdLook& look) noexcept;   // 180 x 60
void LayoutLine(const TAdCanvas& c, const TAdLook& look) noexcept;     // 180 x 20
void LayoutSquare(const TAdCanvas& c, const TAdLook& look) noexcept;   // 90 x 90
void LayoutColumn(const TAdCanvas& c, const TAdLook& look) noexcept;   // 180 x 300

}  // namespace admds
