#include "skin/data/WorkDib.h"

TWorkDib::TWorkDib(int width, int height, int bytesPerPixel)
    : FSurface(width, height, bytesPerPixel == 0 ? 1 : bytesPerPixel * 8) {
    if (FSurface.Empty()) return;
    FView.Bits = FSurface.Bits();
    FView.Stride = FSurface.Stride();
    FView.Width = width;
    FView.Height = height;
    FView.BytesPerPixel = bytesPerPixel;
}

HBITMAP TWorkDib::Release() {
    FView = {};
    return FSurface.Release();
}
