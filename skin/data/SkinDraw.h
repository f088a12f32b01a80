// Skin image drawing: cutting one state frame out of a skin image and fitting it to a
// rectangle so that its margins keep their size while the middle stretches or tiles.
//
// Common to every routine taking a frame count n and a frame index k (from 1): frame k of n
// frames side by side, or stacked when the vertical flag is set; k is clamped into 1..n.
// Margins are a skin object's Margins (Left, Top, Right, Bottom widths in image pixels).
// Stretching picks the nearest source pixel, never blends (as GDI's COLORONCOLOR). Transparent
// drawing leaves out the pixels of exactly magenta (0xFF00FF).
//
// Drawing into a memory DC over a 24- or 32-bit DIB section writes its rows directly (see
// DibTarget.h); other contexts get the element composed privately and blitted in one go.
//
// Bad geometry never reads outside the image nor draws with negative sizes: an empty bitmap,
// a frame count below 1 or frames without pixels draw nothing; margins larger than the frame
// are clipped to it, and a middle left without source pixels is not drawn.
//
// This header also brings the transparency, region and painter helpers of the same family.
#pragma once

#include "framework/Bitmap.h"
#include "framework/Graphics.h"
#include "skin/data/SkinPaintHelpers.h"
#include "skin/data/SkinRegion.h"
#include "skin/data/SkinTransparent.h"

#include <memory>
#include <windows.h>

// The nine-slice fit of frame k into a new bitmap of the target's size: corners unscaled,
// edges stretched, the centre stretched or (tile) repeated unscaled from the top-left corner.
// Margins together wider (taller) than the target are dropped on that axis, the frame being
// stretched whole along it. Parts with nothing to draw from (and the whole picture when the
// frame is unusable) are magenta. An inverted or empty target gives an empty bitmap.
std::unique_ptr<qx::TBitmap> RenderSkinImage(const RECT& target, qx::TBitmap& bitmap, const RECT& margins, bool vertical,
                                             bool tile, int frameCount, int frameIndex);

// The nine-slice fit drawn at the rectangle, transparent or opaque, in one operation.
void DrawSkinImage(HDC dc, const RECT& rect, qx::TBitmap& bitmap, const RECT& margins, bool vertical, bool tile,
                   bool transparent, int frameCount, int frameIndex);

// Only the eight border pieces of the nine-slice fit; the centre is left untouched.
void DrawSkinEdges(HDC dc, const RECT& rect, qx::TBitmap& bitmap, const RECT& margins, bool vertical, int frameCount,
                   int frameIndex);

// A horizontal strip (caption, menu bar): left cap and right cap at their own width, the
// middle repeated across, all stretched to the rectangle's height. Margins as wide as the frame
// leave no middle: nothing is drawn between the caps then.
void DrawSkinStrip(qx::TCanvas& canvas, const RECT& rect, qx::TBitmap& bitmap, const RECT& margins, int frameIndex,
                   int frameCount, bool transparent, bool vertical);

// Frame k (side by side) stretched whole to the rectangle.
void DrawSkinFrame(HDC dc, const RECT& rect, qx::TBitmap& bitmap, bool transparent, int frameCount, int frameIndex);

// Frame k (side by side) unscaled, centred in the rectangle (a larger glyph overhangs it on
// every side).
void DrawSkinGlyph(HDC dc, const RECT& rect, qx::TBitmap& bitmap, bool transparent, int frameCount, int frameIndex);

// Left cap, stretched middle, right cap, at the frame's own height, centred vertically in a
// taller rectangle. Opaque.
void DrawHorzThreePart(HDC dc, const RECT& rect, qx::TBitmap& bitmap, bool vertical, int frameCount, int frameIndex,
                       const RECT& margins);

// Top cap, stretched middle, bottom cap, at the frame's own width, centred horizontally in a
// wider rectangle. Opaque.
void DrawVertThreePart(HDC dc, const RECT& rect, qx::TBitmap& bitmap, bool vertical, int frameCount, int frameIndex,
                       const RECT& margins);
