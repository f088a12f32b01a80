// A window region cut out of a skin image: every pixel outside a colour-key range belongs to it.
#pragma once

#include "framework/Bitmap.h"
#include "framework/Graphics.h"
#include "framework/Handles.h"

// The region of the pixels of `bitmap` whose colour lies outside the key range (red r..r+tr,
// green g..g+tg, blue b..b+tb, each capped at 255, r, g, b the key's channels), moved by
// (dx, dy). No region (a null handle) when every pixel lies in the range or the bitmap is
// empty. The bitmap itself is not changed.
qx::UniqueRgn RegionFromBitmap(qx::TBitmap& bitmap, int dx, int dy, qx::TColor key, int tr, int tg, int tb);
