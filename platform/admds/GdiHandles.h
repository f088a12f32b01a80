#pragma once
// Owners for the GDI objects the painter creates: the framework's header-only handle types (the
// library links nothing of the framework), and a DIB surface of its own.
#include "framework/Handles.h"

#include <windows.h>

namespace admds {

using TUniqueBitmap = qx::UniqueBitmap;
using TUniqueBrush = qx::UniqueBrush;
using TUniquePen = qx::UniquePen;
using TUniqueFont = qx::UniqueFont;
using TUniqueRgn = qx::UniqueRgn;
using TUniqueMemDc = qx::UniqueMemDc;
// Declare the object's owner before the guard, so the guard puts the old object back first.
using TSelectGuard = qx::SelectGuard;

// A 32-bpp top-down DIB section selected into its own memory DC.
class TDibSurface {
public:
    TDibSurface(HDC compatible, int width, int height) noexcept;
    TDibSurface(const TDibSurface&) = delete;
    TDibSurface& operator=(const TDibSurface&) = delete;
    ~TDibSurface();

    bool Valid() const noexcept { return bits_ != nullptr; }
    HDC Dc() const noexcept { return dc_.get(); }
    int Width() const noexcept { return width_; }
    int Height() const noexcept { return height_; }
    DWORD* Row(int y) const noexcept { return bits_ + static_cast<size_t>(y) * width_; }

private:
    int width_;
    int height_;
    DWORD* bits_ = nullptr;
    TUniqueMemDc dc_;
    TUniqueBitmap bitmap_;
    HGDIOBJ old_ = nullptr;
};

}  // namespace admds
