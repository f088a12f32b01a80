#include "skin/data/WorkDib.h"

#include "framework/BmpFile.h"

#include <cstring>

TWorkDib::TWorkDib(int width, int height, int bytesPerPixel) {
    if (width <= 0 || height <= 0 || width > qx::kMaxBmpDimension || height > qx::kMaxBmpDimension) return;
    struct {
        BITMAPINFOHEADER Header;
        RGBQUAD Colors[2];
    } info{};
    const int bits = bytesPerPixel == 0 ? 1 : bytesPerPixel * 8;
    info.Header.biSize = sizeof(BITMAPINFOHEADER);
    info.Header.biWidth = width;
    info.Header.biHeight = -height;  // top row first
    info.Header.biPlanes = 1;
    info.Header.biBitCount = static_cast<WORD>(bits);
    info.Header.biCompression = BI_RGB;
    if (bits == 1) {
        info.Header.biClrUsed = 2;
        info.Colors[1] = {255, 255, 255, 0};
    }
    void* pixels = nullptr;
    FBitmap.reset(::CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &pixels, nullptr, 0));
    if (!FBitmap || !pixels) {
        FBitmap.reset();
        return;
    }
    FDc.reset(::CreateCompatibleDC(nullptr));
    if (!FDc) {
        FBitmap.reset();
        return;
    }
    FOld = ::SelectObject(FDc.get(), FBitmap.get());
    FView.Bits = static_cast<uint8_t*>(pixels);
    FView.Stride = static_cast<int>(((static_cast<size_t>(width) * bits + 31) / 32) * 4);
    FView.Width = width;
    FView.Height = height;
    FView.BytesPerPixel = bytesPerPixel;
}

TWorkDib::~TWorkDib() {
    if (FOld) ::SelectObject(FDc.get(), FOld);
}

HBITMAP TWorkDib::Release() {
    if (FOld) ::SelectObject(FDc.get(), FOld);
    FOld = nullptr;
    FDc.reset();
    FView = {};
    return FBitmap.release();
}
