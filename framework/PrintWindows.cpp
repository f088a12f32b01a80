#include "PrintWindows.h"

#include "DibSurface.h"

namespace qx {

void PrintChildWindows(HWND parent, HDC dc, LPARAM flags) {
    for (HWND child = ::GetWindow(::GetWindow(parent, GW_CHILD), GW_HWNDLAST); child; child = ::GetWindow(child, GW_HWNDPREV)) {
        if (!::IsWindowVisible(child)) continue;
        RECT r{};
        ::GetWindowRect(child, &r);
        ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
        const int w = r.right - r.left, h = r.bottom - r.top;
        if (w <= 0 || h <= 0) continue;
        TDibSurface picture(w, h, 32, true, dc);
        if (picture.Empty()) continue;
        // What lies under the child shows through where it paints nothing.
        ::BitBlt(picture.Dc(), 0, 0, w, h, dc, r.left, r.top, SRCCOPY);
        ::SendMessageW(child, WM_PRINT, reinterpret_cast<WPARAM>(picture.Dc()), flags | PRF_NONCLIENT);
        ::BitBlt(dc, r.left, r.top, w, h, picture.Dc(), 0, 0, SRCCOPY);
    }
}

}  // namespace qx
