// Fitting one frame of a skin image to a target size, on the rows of DIB sections: the frame's
// margins keep their size while the middle is stretched (nearest pixel, no blending, as GDI's
// COLORONCOLOR) or tiled. Every skin drawing routine that changes an image's size goes through
// here, so they all pick the same source pixels.
#pragma once

#include "skin/data/PixelRows.h"

#include <windows.h>

// Frame k (from 1) of n equal frames laid side by side, or stacked when `vertical`. An index
// outside 1..n is clamped into it. False when there is nothing to draw: an empty picture, n
// below 1, or frames without pixels (n wider than the picture).
bool SkinFrameRect(int bitmapWidth, int bitmapHeight, int frameCount, int frameIndex, bool vertical, RECT& frame);

// One axis of a fit in three parts: the leading margin, the centre and the trailing margin.
// Part p covers [DstBegin, DstEnd) of the target and is drawn from [SrcBegin, SrcEnd) of the
// frame; source ranges are clipped to the frame, so margins larger than the frame never read
// a neighbouring frame or outside the picture.
struct TFitAxis {
    int DstBegin[3]{}, DstEnd[3]{};
    int SrcBegin[3]{}, SrcEnd[3]{};

    // The part has a source and a place to go.
    bool Drawn(int part) const { return SrcEnd[part] > SrcBegin[part] && DstEnd[part] > DstBegin[part]; }
    // The part has a place in the target but nothing to draw it from (margins as large as the frame).
    bool Hole(int part) const { return DstEnd[part] > DstBegin[part] && SrcEnd[part] <= SrcBegin[part]; }
};

struct TFitSpec {
    RECT Frame{};                     // the frame in the picture
    RECT Margins{};                   // fixed widths: Left, Top, Right, Bottom (negative counts as 0)
    bool TileX = false, TileY = false; // the centre is repeated unscaled along x / y
    // Margins together wider (taller) than the target are dropped on that axis, and the frame is
    // stretched whole along it (the nine-slice rule). Without it the trailing margin is drawn
    // last and wins where the two overlap.
    bool DropMargins = false;
};

TFitAxis LayoutFitAxis(int target, int frameLength, int lead, int trail, bool dropMargins);

struct TFitLayout {
    TFitAxis X, Y;
    bool HasHoles() const { return X.Hole(1) || Y.Hole(1); }
};
TFitLayout LayoutFit(int width, int height, const TFitSpec& fit);

// Where a fit goes: rows of a surface (3 or 4 bytes per pixel, like or unlike the source's),
// the fit's top-left corner at (Left, Top) of it, and only the pixels inside Clip written.
struct TFitTarget {
    TPixelView Pixels;
    int Left = 0, Top = 0;
    int Width = 0, Height = 0;  // the size the frame is fitted to
    RECT Clip{};
    bool Transparent = false;   // leave the source's magenta pixels out
    bool FillHoles = true;      // magenta where no part draws (margins as large as the frame); else untouched
    bool SkipCentre = false;    // the eight border pieces only
};

// The whole of a surface, holes filled with magenta: a private bitmap to blit afterwards.
TFitTarget WholeSurface(const TPixelView& pixels);

// Writes the fitted frame of `source` into the target. Fourth bytes of 32-bit targets are
// written as 0, as GDI's copies do.
void FitFrame(const TPixelView& source, const TFitTarget& target, const TFitSpec& fit);
