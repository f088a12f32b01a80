#include "PrintWindows.h"

#include "Handles.h"

namespace qx {

void PrintChildWindows(HWND parent, HDC dc, LPARAM flags) {
    for (HWND child = ::GetWindow(::GetWindow(parent, GW_CHILD), GW_HWNDLAST); child; child = ::GetWindow(child, GW_HWNDPREV)) {
        if (!::IsWindowVisible(child)) continue;
        RECT r{};
        ::GetWindowRect(child, &r);
        ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
        const int w = r.right - r.left, h = r.bottom - r.top;
        if (w <= 0 || h <= 0) continue;
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = w;
        info.bmiHeader.biHeight = -h;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        UniqueBitmap picture(::CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        UniqueMemDc memory(::CreateCompatibleDC(dc));
        if (!picture || !memory) continue;
        {
            SelectGuard select(memory.get(), picture.get());
            // What lies under the child shows through where it paints nothing.
            ::BitBlt(memory.get(), 0, 0, w, h, dc, r.left, r.top, SRCCOPY);
            ::SendMessageW(child, WM_PRINT, reinterpret_cast<WPARAM>(memory.get()), flags | PRF_NONCLIENT);
            ::BitBlt(dc, r.left, r.top, w, h, memory.get(), 0, 0, SRCCOPY);
        }
    }
}

}  // namespace qx
