// Benchmark of the skinned menus, each figure against the system's own in one run:
//  1. from a click on the first menu-bar button to its drop-down fully painted (the menu loop
//     idle for the first time, WM_ENTERIDLE at the owner), skinned (skinned bar, owner-drawn
//     items, skinned frame) against the same window unskinned (its native menu bar);
//  2. one paint of the menu band (the skinned bar's PaintBar) against the system's menu-bar
//     drawing (user32's DrawMenuBarTemp) of the same menu in the same rectangle, into the
//     window and into a 32-bit DIB; the bar keeps its painted band between paints, so the
//     first paint after a skin change (cold) is timed too.
// Prints medians and ratios.   bench_skinmenu.exe [rounds]
#include "skin/controls/SkinManage.h"
#include "skin/form/MenuBar.h"
#include "support/FormTestSupport.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

using namespace formtest;

namespace {

double Now() {
    LARGE_INTEGER frequency{}, t{};
    ::QueryPerformanceFrequency(&frequency);
    ::QueryPerformanceCounter(&t);
    return 1e6 * static_cast<double>(t.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double Median(std::vector<double> times) {
    std::sort(times.begin(), times.end());
    return times.empty() ? 0 : times[times.size() / 2];
}

double MedianMicroseconds(int rounds, const std::function<void()>& work) {
    std::vector<double> times;
    for (int i = 0; i < rounds; ++i) {
        const double start = Now();
        work();
        ::GdiFlush();
        times.push_back(Now() - start);
    }
    return Median(times);
}

HMENU MakeMenuBar() {
    HMENU bar = ::CreateMenu();
    const wchar_t* tops[] = {L"&File", L"&View", L"&Tools", L"&Help"};
    for (const wchar_t* top : tops) {
        HMENU sub = ::CreatePopupMenu();
        const wchar_t* items[] = {L"&Open...\tCtrl+O", L"&Save\tCtrl+S", L"Save &as...", L"&Print\tCtrl+P",
                                  L"Pr&operties", L"&Close"};
        UINT id = 100;
        for (const wchar_t* item : items) ::AppendMenuW(sub, MF_STRING, id++, item);
        ::InsertMenuW(sub, 3, MF_BYPOSITION | MF_SEPARATOR, 0, nullptr);
        ::CheckMenuItem(sub, 101, MF_CHECKED);
        ::EnableMenuItem(sub, 104, MF_GRAYED);
        ::AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), top);
    }
    return bar;
}

// The moment the first menu loop of this thread goes idle: the drop-down is painted.
double gIdleAt = 0;
HHOOK gCallHook = nullptr;
LRESULT CALLBACK CallProc(int code, WPARAM wParam, LPARAM lParam) noexcept {
    const auto* msg = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && msg && msg->message == WM_ENTERIDLE && gIdleAt == 0) {
        gIdleAt = Now();
        ::EndMenu();
    }
    return ::CallNextHookEx(gCallHook, code, wParam, lParam);
}

// Posts a click at the screen point and returns the microseconds until the drop-down is idle.
double ClickToPainted(HWND wnd, WPARAM hit, POINT screen) {
    gIdleAt = 0;
    const double start = Now();
    ::PostMessageW(wnd, WM_NCLBUTTONDOWN, hit, MAKELPARAM(screen.x, screen.y));
    qx::test::PumpUntil([] { return gIdleAt != 0; }, std::chrono::milliseconds(3000));
    const double took = gIdleAt ? gIdleAt - start : 0;
    qx::test::PumpPending(std::chrono::milliseconds(5));
    return took;
}

using TDrawMenuBarTemp = DWORD(WINAPI*)(HWND, HDC, LPRECT, HMENU, HFONT);

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 60;
    qx::test::EnsureApplication();
    const DWORD style = WS_OVERLAPPEDWINDOW | WS_VISIBLE;

    // Skinning off: the window's own menu bar.
    TPlainWindow plain(style, 0, L"Native", {560, 300});
    HMENU plainBar = MakeMenuBar();
    ::SetMenu(plain.Handle(), plainBar);
    ::SetWindowPos(plain.Handle(), nullptr, 20, 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER);

    // Skinned, with the manager watching for menu windows as in the program.
    auto skinned = MakeSkinned(style, 0, L"Skinned", {560, 300});
    HMENU skinnedBar = MakeMenuBar();
    ::SetMenu(skinned->Handle(), skinnedBar);
    TSkinManage& manager = CreateSkinManager();
    manager.AddSkinData(skinned->Skin.get());
    manager.InstallHook();
    manager.SetActive(true);
    if (!skinned->Skin || !skinned->Attach() || !skinned->Form->MenuBar()) {
        std::printf("bench_skinmenu: the default skin did not attach\n");
        return 1;
    }
    ::SetWindowPos(skinned->Handle(), nullptr, 620, 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    skinned->Form->PaintFrame();
    qx::test::PumpPending(std::chrono::milliseconds(100));
    gCallHook = ::SetWindowsHookExW(WH_CALLWNDPROC, &CallProc, nullptr, ::GetCurrentThreadId());

    RECT item{};
    ::GetMenuItemRect(plain.Handle(), plainBar, 0, &item);
    const POINT plainPoint{item.left + 4, item.top + 4};
    const RECT button = skinned->Form->MenuBar()->Buttons().front()->FRect;
    const RECT window = WindowRectOf(skinned->Handle());
    const POINT skinnedPoint{window.left + button.left + 4, window.top + button.top + 4};
    std::vector<double> native, skin;
    for (int i = 0; i < rounds; ++i) {
        ::SetForegroundWindow(plain.Handle());
        native.push_back(ClickToPainted(plain.Handle(), HTMENU, plainPoint));
        ::SetForegroundWindow(skinned->Handle());
        skin.push_back(ClickToPainted(skinned->Handle(), HTMENU, skinnedPoint));
    }
    const double nativeClick = Median(native), skinClick = Median(skin);

    // The band alone.
    const TFrameMetrics& m = skinned->Form->Metrics();
    const RECT band{m.Left, m.Top, SizeOf(window).cx - m.Right, m.Top + m.Menu};
    auto drawBarTemp = reinterpret_cast<TDrawMenuBarTemp>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"user32.dll"), "DrawMenuBarTemp")));
    qx::test::DibCanvas dib(band.right, band.bottom);
    double systemWindow = 0, systemDib = 0;
    const int paints = rounds * 10;
    HDC windowDc = ::GetWindowDC(skinned->Handle());
    if (drawBarTemp) {
        RECT r = band;
        systemWindow = MedianMicroseconds(paints, [&] { drawBarTemp(plain.Handle(), windowDc, &r, plainBar, nullptr); });
        systemDib = MedianMicroseconds(paints, [&] { drawBarTemp(plain.Handle(), dib.Dc(), &r, plainBar, nullptr); });
    }
    TWinSkinMenu& bar = *skinned->Form->MenuBar();
    const double skinWindow = MedianMicroseconds(paints, [&] { bar.PaintBar(windowDc, band); });
    const double skinDib = MedianMicroseconds(paints, [&] { bar.PaintBar(dib.Dc(), band); });
    // The first paint after a skin change: background, captions and layout made again.
    const double skinCold = MedianMicroseconds(paints, [&] {
        bar.Invalidate();
        bar.PaintBar(dib.Dc(), band);
    });
    ::ReleaseDC(skinned->Handle(), windowDc);
    ::UnhookWindowsHookEx(gCallHook);

    std::printf("menus of a 560 x 300 window, 4 drop-downs of 7 items; medians\n");
    std::printf("  click to drop-down painted, skinning off   %9.1f us  (%d rounds)\n", nativeClick, rounds);
    std::printf("  click to drop-down painted, skinned        %9.1f us   ratio %.2f\n", skinClick,
                nativeClick > 0 ? skinClick / nativeClick : 0.0);
    if (drawBarTemp) {
        std::printf("  system menu-bar paint into the window      %9.1f us  (%d rounds)\n", systemWindow, paints);
        std::printf("  skinned band paint into the window         %9.1f us   ratio %.2f\n", skinWindow, skinWindow / systemWindow);
        std::printf("  system menu-bar paint into a 32-bit DIB    %9.1f us\n", systemDib);
        std::printf("  skinned band paint into a 32-bit DIB       %9.1f us   ratio %.2f\n", skinDib, skinDib / systemDib);
        std::printf("  the same after a skin change (cold)        %9.1f us   ratio %.2f\n", skinCold, skinCold / systemDib);
    } else {
        std::printf("  the system's menu-bar drawing is not exported here; band paint %9.1f us\n", skinWindow);
    }
    FreeSkinManager();
    return 0;
}
