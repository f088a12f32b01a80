// Drawing straight into a device context's own pixels. Painters double-buffer into memory DCs
// with a DIB section selected; for those the skin routines write the rows in place instead of
// composing in a private bitmap and blitting it (which, for a window-sized element, costs more
// than the fit itself). Nothing reaches the screen before the painter's final blit either way.
#pragma once

#include "skin/data/PixelRows.h"

#include <windows.h>

struct TDibTarget {
    TPixelView Pixels;  // rows top down (a negative Stride for a bottom-up DIB)
    POINT Offset{};     // device = logical + Offset
    RECT Clip{};        // device pixels that may be written
};

// True when `dc` is a memory DC with a 24- or 32-bit DIB section selected, plain MM_TEXT
// mapping without world transform or mirroring, and no clip region other than a rectangle;
// then `target` describes its pixels (pending GDI drawing flushed). Any other context is left
// to GDI.
bool DirectDibTarget(HDC dc, TDibTarget& target);

struct TFitTarget;
// The rectangle (x, y, w, h) of a DC's own pixels as a fit target: drawn in place, holes left
// untouched.
TFitTarget DirectSurface(const TDibTarget& direct, int x, int y, int w, int h, bool transparent);
