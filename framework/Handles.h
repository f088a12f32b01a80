#pragma once
// Move-only owners for Win32 handles. Each handle kind has its own release function; the
// owner deletes on destruction unless ownership was handed over with release().
#include <windows.h>
#include <utility>

namespace qx {

template <class H, auto Free>
class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(H h) noexcept : h_(h) {}
    UniqueHandle(UniqueHandle&& o) noexcept : h_(std::exchange(o.h_, nullptr)) {}
    UniqueHandle& operator=(UniqueHandle&& o) noexcept { reset(o.release()); return *this; }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    ~UniqueHandle() { reset(); }

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

inline void FreeGdi(HGDIOBJ h) noexcept { ::DeleteObject(h); }
inline void FreeMemDc(HDC h) noexcept { ::DeleteDC(h); }
inline void FreeKernel(HANDLE h) noexcept { ::CloseHandle(h); }
inline void FreeMenu(HMENU h) noexcept { ::DestroyMenu(h); }
inline void FreeIcon(HICON h) noexcept { ::DestroyIcon(h); }

using UniqueBitmap = UniqueHandle<HBITMAP, FreeGdi>;
using UniqueRgn = UniqueHandle<HRGN, FreeGdi>;
using UniqueBrush = UniqueHandle<HBRUSH, FreeGdi>;
using UniqueFont = UniqueHandle<HFONT, FreeGdi>;
using UniquePen = UniqueHandle<HPEN, FreeGdi>;
using UniqueMemDc = UniqueHandle<HDC, FreeMemDc>;
using UniqueKernelHandle = UniqueHandle<HANDLE, FreeKernel>;
using UniqueMenu = UniqueHandle<HMENU, FreeMenu>;
using UniqueIcon = UniqueHandle<HICON, FreeIcon>;

// A DC borrowed from a window with GetDC/GetWindowDC, released with ReleaseDC.
class WindowDc {
public:
    explicit WindowDc(HWND wnd, bool wholeWindow = false) noexcept
        : wnd_(wnd), dc_(wholeWindow ? ::GetWindowDC(wnd) : ::GetDC(wnd)) {}
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    ~WindowDc() { if (dc_) ::ReleaseDC(wnd_, dc_); }
    HDC get() const noexcept { return dc_; }

private:
    HWND wnd_;
    HDC dc_;
};

// BeginPaint/EndPaint pair.
class PaintDc {
public:
    explicit PaintDc(HWND wnd) noexcept : wnd_(wnd) { dc_ = ::BeginPaint(wnd, &ps_); }
    PaintDc(const PaintDc&) = delete;
    PaintDc& operator=(const PaintDc&) = delete;
    ~PaintDc() { ::EndPaint(wnd_, &ps_); }
    HDC get() const noexcept { return dc_; }
    const PAINTSTRUCT& info() const noexcept { return ps_; }

private:
    HWND wnd_;
    HDC dc_;
    PAINTSTRUCT ps_{};
};

// Selects an object into a DC for the guard's lifetime. Declare the owner of the object
// before the guard so the guard deselects first.
class SelectGuard {
public:
    SelectGuard(HDC dc, HGDIOBJ obj) noexcept : dc_(dc), old_(obj ? ::SelectObject(dc, obj) : nullptr) {}
    SelectGuard(const SelectGuard&) = delete;
    SelectGuard& operator=(const SelectGuard&) = delete;
    ~SelectGuard() { if (old_) ::SelectObject(dc_, old_); }

private:
    HDC dc_;
    HGDIOBJ old_;
};

// SaveDC/RestoreDC pair.
class DcStateGuard {
public:
    explicit DcStateGuard(HDC dc) noexcept : dc_(dc), id_(::SaveDC(dc)) {}
    DcStateGuard(const DcStateGuard&) = delete;
    DcStateGuard& operator=(const DcStateGuard&) = delete;
    ~DcStateGuard() { if (id_) ::RestoreDC(dc_, id_); }

private:
    HDC dc_;
    int id_;
};

}  // namespace qx
