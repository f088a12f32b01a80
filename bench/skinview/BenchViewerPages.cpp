// Benchmark: a full repaint of each page of the skin viewer (frame, menu bar, tool bar, status
// bar, the page control and every control of the page), skinned against skinning off. The two
// states alternate in rounds within one run (switching skinning takes the manager's command
// delay, so each round times a batch of repaints per page); prints the median of each and the
// ratio per page.
//   bench_viewer_pages.exe [rounds] [repaints per page and round]
#include "SkinViewForm.h"
#include "skin/controls/SkinManage.h"
#include "support/TestSupport.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

using namespace qx;

namespace {

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

bool IsSkinned(HWND wnd) { return SkinManager && SkinManager->FindSkinForm(wnd) != nullptr; }

// Everything the window shows, invalidated and painted again, as after being uncovered.
double RepaintMicroseconds(HWND wnd, const LARGE_INTEGER& frequency) {
    LARGE_INTEGER a{}, b{};
    ::QueryPerformanceCounter(&a);
    ::RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    ::GdiFlush();
    ::QueryPerformanceCounter(&b);
    return 1e6 * static_cast<double>(b.QuadPart - a.QuadPart) / static_cast<double>(frequency.QuadPart);
}

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 6;
    const int repaints = argc > 2 ? std::max(1, std::atoi(argv[2])) : 15;
    test::EnsureApplication();
    RegisterSkinViewClasses();
    auto* form = new TSkinViewForm(Application);
    form->Tell = [](const std::wstring&) {};
    form->Show();
    ::SetForegroundWindow(form->Handle());
    if (!test::PumpUntil([&] { return IsSkinned(form->Handle()); }, std::chrono::milliseconds(5000))) {
        std::printf("bench_viewer_pages: the viewer was not skinned\n");
        return 1;
    }
    const struct {
        TMenuItem* Item;
        const char* Name;
    } pages[] = {{form->PageButtons, "buttons and check boxes"},
                 {form->PageInputs, "edits, combo boxes, lists"},
                 {form->PageLists, "list view, header, tabs"},
                 {form->PageRanges, "progress, track, scroll bars"}};
    constexpr int kPages = sizeof pages / sizeof pages[0];
    std::vector<double> times[kPages][2];  // [page][skinned]

    LARGE_INTEGER frequency{};
    ::QueryPerformanceFrequency(&frequency);
    for (int round = 0; round < rounds; ++round) {
        // Each round starts with the other state, so that a drift of the machine falls on both.
        for (int k = 0; k < 2; ++k) {
            const bool skinned = (round + k) % 2 == 0;
            form->SetSkinning(skinned);
            if (!test::PumpUntil([&] { return IsSkinned(form->Handle()) == skinned; }, std::chrono::milliseconds(5000))) {
                std::printf("bench_viewer_pages: skinning did not switch %s\n", skinned ? "on" : "off");
                return 1;
            }
            for (int p = 0; p < kPages; ++p) {
                pages[p].Item->Click();
                test::PumpPending(std::chrono::milliseconds(150));
                for (int i = 0; i < repaints; ++i) times[p][skinned].push_back(RepaintMicroseconds(form->Handle(), frequency));
            }
        }
    }
    std::printf("full repaint of a viewer page (window %d x %d), median of %d repaints per state\n",
                form->Width(), form->Height(), rounds * repaints);
    std::printf("  %-30s %12s %12s %7s\n", "page", "off (us)", "skinned (us)", "ratio");
    for (int p = 0; p < kPages; ++p) {
        const double off = Median(times[p][0]), on = Median(times[p][1]);
        std::printf("  %-30s %12.0f %12.0f %7.2f\n", pages[p].Name, off, on, on / off);
    }
    delete form;
    return 0;
}
