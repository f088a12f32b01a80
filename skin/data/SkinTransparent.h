// Colour-key transparency: pixels of exactly the key colour (magenta in every skin image) are
// left out, so the destination shows through them.
#pragma once

#include "framework/Bitmap.h"
#include "framework/Graphics.h"
#include "skin/data/PixelRows.h"

#include <windows.h>

// Copies the bitmap unscaled to the rectangle's origin, at most the rectangle's size, leaving
// the key-coloured pixels out. An inverted rectangle draws nothing.
void DrawTransparent(HDC dc, const RECT& rect, qx::TBitmap& bitmap, qx::TColor key);

// Pixels to copy: their rows, and for GDI either a context they are selected into or the
// bitmap holding them (then selected only if GDI is needed, so drawing a bitmap into its own
// canvas's context in place stays possible).
struct TBlitSource {
    const TPixelView& Pixels;
    HDC Dc = nullptr;
    qx::TBitmap* Bitmap = nullptr;
};

// The same from any part of a picture: copies w x h pixels from (sx, sy) of the source to
// (x, y) of `dc`, leaving out the key colour when `transparent`. The area is clipped to the
// picture. A context over a DIB section is written directly (magenta key); any other goes
// through GDI.
void BlitPixels(HDC dc, int x, int y, int w, int h, const TBlitSource& source, int sx, int sy, bool transparent,
                COLORREF key);
