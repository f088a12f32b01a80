// Image utilities (unit imgutil): grey, mirrored, flipped and rotated copies of skin images,
// mixing two colours by weight, and two-colour gradient fills served from a small cache of
// gradient tables.
//
// The bitmap operations work in place on the rows of the bitmap's DIB section. They keep the
// pixel format (only GrayBitmap converts, to 24 bits); an empty bitmap is left alone.
#pragma once

#include "framework/Bitmap.h"
#include "framework/Graphics.h"

#include <vector>
#include <windows.h>

// Converts to 24 bits per pixel and replaces each pixel by (red + green + blue) div 3.
void GrayBitmap(qx::TBitmap& bitmap);
// Left to right.
void MirrorBitmap(qx::TBitmap& bitmap);
// Top to bottom.
void FlipBitmap(qx::TBitmap& bitmap);
// 90 degrees counter-clockwise / clockwise; width and height are exchanged.
void RotateBitmapLeft(qx::TBitmap& bitmap);
void RotateBitmapRight(qx::TBitmap& bitmap);

// The mix of a and b, w being the weight of a: a percentage below 100, per mille from 100 on
// (150 is 15 %, 100 is 10 %). System colour references are resolved first.
qx::TColor MixColors(qx::TColor a, qx::TColor b, int w);

//--- gradients
// The cache has this many slots, filled round-robin.
inline constexpr int kGradientSlots = 16;

// The slot of a cached table of n colours from start to end, made (over the oldest slot) when
// no slot holds one. n must be above 0 (EAssertionFailed otherwise).
int GradientTable(int n, qx::TColor start, qx::TColor end);
// The two halves of GradientTable: the lookup (-1 when no slot matches) and the creation.
int FindGradientTable(int n, qx::TColor start, qx::TColor end);
int NewGradientTable(int n, qx::TColor start, qx::TColor end);
// The colours of a slot (empty for a slot never filled or out of range).
const std::vector<qx::TColor>& GradientColors(int slot);

// Fills the rectangle line by line from start (top or left) to end (bottom or right). Only the
// lines inside the clip box are painted, with the colours they have in the whole gradient.
void GradientFill(HDC dc, const RECT& rect, qx::TColor start, bool vertical, qx::TColor end);
