#include "GdiHandles.h"

namespace admds {

TDibSurface::TDibSurface(HDC compatible, int width, int height) noexcept : width_(width), height_(height) {
    if (width <= 0 || height <= 0) return;
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;   // top-down: row 0 is the top line
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    dc_.reset(::CreateCompatibleDC(compatible));
    if (!dc_) return;
    bitmap_.reset(::CreateDIBSection(dc_.get(), &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap_ || !bits) return;
    old_ = ::SelectObject(dc_.get(), bitmap_.get());
    bits_ = static_cast<DWORD*>(bits);
}

TDibSurface::~TDibSurface() {
    // The bitmap must leave the DC before either is deleted.
    if (old_) ::SelectObject(dc_.get(), old_);
}

}  // namespace admds
