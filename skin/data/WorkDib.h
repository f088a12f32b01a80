// A private drawing surface: a top-down DIB section selected into its own memory DC (the
// framework's TDibSurface), seen as pixel rows, so the skin routines can compose an element in
// memory, on its rows, and show it in one blit.
#pragma once

#include "framework/DibSurface.h"
#include "skin/data/PixelRows.h"

#include <windows.h>

class TWorkDib {
public:
    // bytesPerPixel 3 or 4 for colour; 0 for a monochrome mask (index 0 black, 1 white).
    // A size of 0 or a refused allocation gives an empty surface (View().Empty(), no DC).
    TWorkDib(int width, int height, int bytesPerPixel);

    bool Empty() const { return FView.Empty(); }
    const TPixelView& View() const { return FView; }
    HDC Dc() const { return FSurface.Dc(); }
    HBITMAP Handle() const { return FSurface.Handle(); }
    // Hands the DIB section over (taken out of the DC first); the surface is empty afterwards.
    HBITMAP Release();

private:
    qx::TDibSurface FSurface;
    TPixelView FView;
};
