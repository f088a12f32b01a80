// Start-up: from nothing to the main window read from its description (skin decoded), shown,
// skinned by the manager on activation and painted, as the program starts. Then a full repaint
// (frame and every control) of the skinned window against the same window with skinning
// switched off, medians of 50 in one run.
#include "app/Unit1.h"

#include "skin/controls/SkinManage.h"
#include "skin/data/SkinData.h"

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
double Ms(Clock::time_point since) { return std::chrono::duration<double, std::milli>(Clock::now() - since).count(); }

void Pump() {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

double MedianRepaint(HWND wnd) {
    std::vector<double> times;
    for (int i = 0; i < 50; ++i) {
        auto start = Clock::now();
        ::RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        ::GdiFlush();
        times.push_back(Ms(start));
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

}  // namespace

int main() {
    auto start = Clock::now();
    qx::InitApplication();
    RegisterUnit1Classes();
    RegisterSkinDataClasses();
    qx::Application->SetTitle(L"Quellox");
    qx::Application->CreateForm(Form8);
    double created = Ms(start);
    Form8->Show();
    HWND wnd = Form8->Handle();
    // Skinned on activation through the manager's hook; the activation sequence is posted.
    while (!(SkinManager && SkinManager->FindSkinForm(wnd)) && Ms(start) < 5000) {
        Pump();
        ::Sleep(1);
    }
    Pump();
    ::UpdateWindow(wnd);
    ::GdiFlush();
    double firstPaint = Ms(start);
    bool skinned = SkinManager && SkinManager->FindSkinForm(wnd);
    std::printf("start-up: window read with its skin %.1f ms, first fully painted skinned window %.1f ms (%s); goal under 300 ms\n",
                created, firstPaint, skinned ? "skinned" : "NOT SKINNED");

    double withSkin = MedianRepaint(wnd);
    SkinManager->PostCommand(scDeactivate, 250);
    SkinManager->RunCommand();
    Pump();
    double withoutSkin = MedianRepaint(wnd);
    std::printf("full repaint: skinned %.2f ms, skinning off %.2f ms: ratio %.2f (goal under 2)\n", withSkin, withoutSkin,
                withSkin / withoutSkin);
    qx::DoneApplication();
    return skinned ? 0 : 1;
}
