#include "TestPanels.h"

namespace admds::test {

namespace {

LRESULT CALLBACK PanelProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto* log = reinterpret_cast<TPanelLog*>(::GetWindowLongPtrW(wnd, GWLP_USERDATA));
    switch (msg) {
    case WM_NCCREATE:
        ::SetWindowLongPtrW(wnd, GWLP_USERDATA,
                            reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams));
        break;
    case kPing:
        if (log) ++log->Pings;
        return kPingAnswer;
    case WM_PAINT: {
        if (log) ++log->Paints;
        PAINTSTRUCT ps;
        HDC dc = ::BeginPaint(wnd, &ps);
        HBRUSH b = ::CreateSolidBrush(kPanelOwnColour);
        ::FillRect(dc, &ps.rcPaint, b);
        ::DeleteObject(b);
        ::EndPaint(wnd, &ps);
        return 0;
    }
    case WM_PRINTCLIENT: {
        RECT r;
        ::GetClientRect(wnd, &r);
        HBRUSH b = ::CreateSolidBrush(kPanelOwnColour);
        ::FillRect(reinterpret_cast<HDC>(wp), &r, b);
        ::DeleteObject(b);
        return 0;
    }
    case WM_NCDESTROY:
        if (log) ++log->NcDestroys;
        break;
    }
    return ::DefWindowProcW(wnd, msg, wp, lp);
}

void RegisterClassesOnce() {
    static bool done = [] {
        WNDCLASSW wc{};
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
        wc.lpfnWndProc = PanelProc;
        wc.lpszClassName = L"AdmdsTestPanel";
        ::RegisterClassW(&wc);
        wc.lpfnWndProc = ::DefWindowProcW;
        wc.hbrBackground = ::GetSysColorBrush(COLOR_BTNFACE);
        wc.lpszClassName = L"AdmdsTestHost";
        ::RegisterClassW(&wc);
        return true;
    }();
    (void)done;
}

}  // namespace

void AdPanelTest::SetUp() {
    RegisterClassesOnce();
    host_ = ::CreateWindowExW(0, L"AdmdsTestHost", L"admds", WS_POPUP | WS_CLIPCHILDREN, 0, 0, 700,
                              400, nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(host_, nullptr);
}

void AdPanelTest::TearDown() {
    if (host_) ::DestroyWindow(host_);
}

HWND AdPanelTest::MakePanel(int x, int y, int w, int h) {
    logs_.push_back(std::make_unique<TPanelLog>());
    HWND panel = ::CreateWindowExW(0, L"AdmdsTestPanel", L"", WS_CHILD | WS_VISIBLE, x, y, w, h, host_, nullptr,
                                   ::GetModuleHandleW(nullptr), logs_.back().get());
    EXPECT_NE(panel, nullptr);
    return panel;
}

TPanelLog& AdPanelTest::LogOf(HWND panel) {
    return *reinterpret_cast<TPanelLog*>(::GetWindowLongPtrW(panel, GWLP_USERDATA));
}

}  // namespace admds::test
