#pragma once
// A DIB section selected into its own memory DC: the one way the program makes a drawing
// surface whose pixels it can also read and write (double buffers, work bitmaps, captures).
#include "Handles.h"

#include <cstdint>
#include <windows.h>

namespace qx {

class TDibSurface {
public:
    // bitsPerPixel 1 (a mask: index 0 black, 1 white), 24 or 32; rows top-down unless
    // `topDown` is false. A size of 0, a size beyond what a bitmap file may hold, or a refused
    // allocation gives an empty surface (no DC, no pixels). `reference`: the DC the memory DC
    // is made compatible with (null: the screen).
    TDibSurface(int width, int height, int bitsPerPixel, bool topDown = true, HDC reference = nullptr);
    TDibSurface(const TDibSurface&) = delete;
    TDibSurface& operator=(const TDibSurface&) = delete;
    ~TDibSurface();

    bool Empty() const { return FBits == nullptr; }
    HDC Dc() const { return FDc.get(); }
    HBITMAP Handle() const { return FBitmap.get(); }
    std::uint8_t* Bits() const { return FBits; }
    int Stride() const { return FStride; }
    int Width() const { return FInfo.Header.biWidth; }
    int Height() const { return FInfo.Header.biHeight < 0 ? -FInfo.Header.biHeight : FInfo.Header.biHeight; }
    int BitsPerPixel() const { return FInfo.Header.biBitCount; }
    // The header the section was made with (what a bitmap file of it carries).
    const BITMAPINFOHEADER& Header() const { return FInfo.Header; }
    // Hands the DIB section over (taken out of the DC first); the surface is empty afterwards.
    HBITMAP Release();

private:
    struct {
        BITMAPINFOHEADER Header;
        RGBQUAD Colors[2];
    } FInfo{};
    UniqueBitmap FBitmap;  // declared before the DC: the DC goes first
    UniqueMemDc FDc;
    HGDIOBJ FOld = nullptr;
    std::uint8_t* FBits = nullptr;
    int FStride = 0;
};

}  // namespace qx
