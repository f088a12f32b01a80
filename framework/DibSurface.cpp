#include "DibSurface.h"

#include "BmpFile.h"

namespace qx {

TDibSurface::TDibSurface(int width, int height, int bitsPerPixel, bool topDown, HDC reference) {
    if (width <= 0 || height <= 0 || width > kMaxBmpDimension || height > kMaxBmpDimension) return;
    if (bitsPerPixel != 1 && bitsPerPixel != 24 && bitsPerPixel != 32) return;
    FInfo.Header.biSize = sizeof(BITMAPINFOHEADER);
    FInfo.Header.biWidth = width;
    FInfo.Header.biHeight = topDown ? -height : height;
    FInfo.Header.biPlanes = 1;
    FInfo.Header.biBitCount = static_cast<WORD>(bitsPerPixel);
    FInfo.Header.biCompression = BI_RGB;
    if (bitsPerPixel == 1) {
        FInfo.Header.biClrUsed = 2;
        FInfo.Colors[1] = {255, 255, 255, 0};
    }
    void* pixels = nullptr;
    FBitmap.reset(::CreateDIBSection(reference, reinterpret_cast<BITMAPINFO*>(&FInfo), DIB_RGB_COLORS, &pixels, nullptr, 0));
    FDc.reset(::CreateCompatibleDC(reference));
    if (!FBitmap || !pixels || !FDc) {
        FDc.reset();
        FBitmap.reset();
        FInfo.Header = {};
        return;
    }
    FOld = ::SelectObject(FDc.get(), FBitmap.get());
    FBits = static_cast<std::uint8_t*>(pixels);
    FStride = static_cast<int>(((static_cast<size_t>(width) * bitsPerPixel + 31) / 32) * 4);
}

TDibSurface::~TDibSurface() {
    if (FOld) ::SelectObject(FDc.get(), FOld);
}

HBITMAP TDibSurface::Release() {
    if (FOld) ::SelectObject(FDc.get(), FOld);
    FOld = nullptr;
    FDc.reset();
    FBits = nullptr;
    FStride = 0;
    return FBitmap.release();
}

}  // namespace qx
