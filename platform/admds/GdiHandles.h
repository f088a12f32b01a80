#pragma once
// Move-only owners for the GDI objects the painter creates. The library keeps its own small
// set rather than using the program's framework: it ships as a separate DLL with no link to it.
#include <windows.h>

#include <utility>

namespace admds {

template <class H, auto Free>
class TUniqueHandle {
public:
    TUniqueHandle() = default;
    explicit TUniqueHandle(H h) noexcept : h_(h) {}
    TUniqueHandle(TUniqueHandle&& o) noexcept : h_(std::exchange(o.h_, nullptr)) {}
    TUniqueHandle& operator=(TUniqueHandle&& o) noexcept { reset(o.release()); return *this; }
    TUniqueHandle(const TUniqueHandle&) = delete;
    TUniqueHandle& operator=(const TUniqueHandle&) = delete;
    ~TUniqueHandle() { reset(); }

    H get() const noexcept { return h_; }
    H release() noexcept { return std::exchange(h_, nullptr); }
    void reset(H h = nullptr) noexcept {
        if (h_ && h_ != h) Free(h_);
        h_ = h;
    }
    explicit operator bool() const noexcept { return h_ != nullptr; }

private:
    H h_ = nullptr;
};

inline void FreeGdiObject(HGDIOBJ h) noexcept { ::DeleteObject(h); }
inline void FreeMemoryDc(HDC h) noexcept { ::DeleteDC(h); }

using TUniqueBitmap = TUniqueHandle<HBITMAP, FreeGdiObject>;
using TUniqueBrush = TUniqueHandle<HBRUSH, FreeGdiObject>;
using TUniquePen = TUniqueHandle<HPEN, FreeGdiObject>;
using TUniqueFont = TUniqueHandle<HFONT, FreeGdiObject>;
using TUniqueRgn = TUniqueHandle<HRGN, FreeGdiObject>;
using TUniqueMemDc = TUniqueHandle<HDC, FreeMemoryDc>;

// Selects an object into a DC for the guard's lifetime. Declare the object's owner before the
// guard, so the guard puts the old object back before the owner deletes its own.
class TSelectGuard {
public:
    TSelectGuard(HDC dc, HGDIOBJ obj) noexcept : dc_(dc), old_(obj ? ::SelectObject(dc, obj) : nullptr) {}
    TSelectGuard(const TSelectGuard&) = delete;
    TSelectGuard& operator=(const TSelectGuard&) = delete;
    ~TSelectGuard() { if (old_) ::SelectObject(dc_, old_); }

private:
    HDC dc_;
    HGDIOBJ old_;
};

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
