#pragma once
// TBitmap: a picture held in a DIB section, so that its pixels can be read and written in
// place through ScanLine while GDI draws into the same memory through its canvas.
#include "BmpFile.h"
#include "Graphics.h"
#include "Handles.h"

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <stdexcept>
#include <string>
#include <windows.h>

namespace qx {

class TBitmap;

// Bits per pixel of a bitmap's rows: 1 (two-entry colour table), 24 (B, G, R), 32 (B, G, R, X).
enum class TPixelFormat { pf1bit, pf24bit, pf32bit };

// tmAuto: the transparent colour is the bottom-left pixel; tmFixed: TransparentColor as set.
enum class TTransparentMode { tmAuto, tmFixed };

// A bitmap size beyond the limits of BmpFile.h, or the system refusing the DIB section.
class EOutOfResources : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The canvas of a bitmap: a memory DC with the bitmap's DIB section selected, made on first
// use and deleted again whenever the bitmap needs its handle free (Handle, resizing, ...).
class TBitmapCanvas : public TCanvas {
    QX_CLASS(TBitmapCanvas)
public:
    explicit TBitmapCanvas(TBitmap& bitmap) : FBitmap(bitmap) {}
    ~TBitmapCanvas() override;
    void FreeContext();

protected:
    void CreateHandle() override;

private:
    TBitmap& FBitmap;
    UniqueMemDc FDc;
    HGDIOBJ FOldBitmap = nullptr;
};

class TBitmap : public TGraphic {
    QX_CLASS(TBitmap)
public:
    TBitmap();
    ~TBitmap() override;

    int Width() const override { return FDib.Width; }
    int Height() const override { return FDib.Height; }
    // No pixels: width or height 0, or a failed load.
    bool Empty() const override { return !FDib.Handle; }
    void SetWidth(int width) { SetSize(width, FDib.Height); }
    void SetHeight(int height) { SetSize(FDib.Width, height); }
    // Keeps the overlapping part of the picture; new pixels are white.
    void SetSize(int width, int height);

    TPixelFormat PixelFormat() const { return FDib.Format; }
    // Converts the picture; conversion to 1 bit maps each pixel to the nearer of black and white.
    void SetPixelFormat(TPixelFormat format);

    // Row y, top row 0, ScanLineBytes() long. Pending GDI drawing is flushed first.
    uint8_t* ScanLine(int y);
    const uint8_t* ScanLine(int y) const;
    int ScanLineBytes() const { return FDib.Stride; }
    // Colour of pixel (x, y) as 0x00BBGGRR; clNone outside the picture.
    TColor Pixel(int x, int y) const;

    TCanvas& Canvas();
    // The DIB section, taken out of the canvas's DC so it can be selected elsewhere; a DC got
    // from Canvas().Handle() before this call is no longer valid.
    HBITMAP Handle();
    // Takes over any bitmap handle (device-dependent or DIB section): the picture is copied into
    // this bitmap's own DIB section and `bitmap` is deleted.
    void SetHandle(HBITMAP bitmap);
    // Hands the DIB section to the caller, who deletes it; the bitmap becomes empty.
    HBITMAP ReleaseHandle();

    void Assign(TPersistent* source) override;
    void Draw(TCanvas& canvas, const RECT& r) override;

    // Malformed data leaves the bitmap empty (the bool forms say false).
    void LoadFromStream(TStream& stream) override;
    void SaveToStream(TStream& stream) override;
    bool LoadFromMemory(std::span<const uint8_t> bmpFile);
    bool LoadFromStreamChecked(TStream& stream);
    bool LoadFromFile(const std::wstring& path);
    bool SaveToFile(const std::wstring& path);
    bool LoadFromResourceName(HINSTANCE instance, const std::wstring& name);
    bool LoadFromResourceID(HINSTANCE instance, int id);

    TColor TransparentColor() const;
    // clDefault switches back to the automatic colour.
    void SetTransparentColor(TColor color);
    TTransparentMode TransparentMode() const { return FTransparentMode; }
    void SetTransparentMode(TTransparentMode mode);

    // Turns the picture into a 1-bit mask: pixels of `transparentColor` white, all others black.
    void Mask(TColor transparentColor);

private:
    friend class TBitmapCanvas;
    // One DIB section with its geometry; rows are stored top row first (negative biHeight).
    struct TDib {
        UniqueBitmap Handle;
        uint8_t* Bits = nullptr;
        int Width = 0;
        int Height = 0;
        int Stride = 0;
        TPixelFormat Format = TPixelFormat::pf24bit;
        std::array<RGBQUAD, 2> Palette{};

        uint8_t* Row(int y) const { return Bits + static_cast<size_t>(y) * Stride; }
        COLORREF Rgb(int x, int y) const;
        void Put(int x, int y, COLORREF c);
    };
    static TDib CreateDib(int width, int height, TPixelFormat format, const std::array<RGBQUAD, 2>& palette);

    void Install(TDib dib);
    void Clear();
    TDib MakeMask(COLORREF key) const;
    bool LoadImage(bool decoded, const TBmpImage& image);
    bool LoadFromResource(HINSTANCE instance, const wchar_t* name);
    TBmpImage ToImage() const;
    void FreeContext();

    TDib FDib;
    std::unique_ptr<TBitmapCanvas> FCanvas;
    TTransparentMode FTransparentMode = TTransparentMode::tmAuto;
    TColor FTransparentColor = clDefault;
};

// A memory DC with a bitmap's DIB section selected for the guard's lifetime: a bitmap as the
// source or target of a blit without creating its canvas (no font, brush or pen handles).
class BitmapDc {
public:
    explicit BitmapDc(TBitmap& bitmap) noexcept;
    BitmapDc(const BitmapDc&) = delete;
    BitmapDc& operator=(const BitmapDc&) = delete;
    ~BitmapDc();
    HDC get() const noexcept { return FDc.get(); }

private:
    UniqueMemDc FDc;
    HGDIOBJ FOld = nullptr;
};

}  // namespace qx
