// Benchmark: one step of scrolling a 10,000-line memo by its thumb (the system's scroll, the
// memo's repaint and, when skinned, the overlay's repaint), with skinned scroll bars against a
// plain memo of the same size, interleaved in one run. Prints the median of each and the ratio.
//   bench_scroll.exe [steps]
#include "framework/ListControls.h"
#include "skin/controls/SkinScrollbar.h"
#include "support/BoxesTestSupport.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

using namespace boxestest;

namespace {

double Microseconds(const LARGE_INTEGER& a, const LARGE_INTEGER& b, const LARGE_INTEGER& frequency) {
    return 1e6 * static_cast<double>(b.QuadPart - a.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

qx::TMemo* MakeMemo(qx::TForm* form, int left, const std::wstring& text) {
    auto* memo = new qx::TMemo(form);
    memo->SetParent(form);
    memo->SetBounds(left, 10, 240, 300);
    memo->SetScrollBars(qx::TScrollStyle::ssVertical);
    memo->SetText(text);
    return memo;
}

// The thumb dragged to `line`: the tracking message the system sends, then the repaint the
// user waits for.
void Step(HWND memo, int line) {
    ::SendMessageW(memo, WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, line), 0);
    ::UpdateWindow(memo);
    ::GdiFlush();
}

}  // namespace

int main(int argc, char** argv) {
    const int steps = argc > 1 ? std::max(10, std::atoi(argv[1])) : 800;
    std::unique_ptr<TSkinData> skin = LoadDefaultSkin();
    if (!skin) {
        std::printf("bench_scroll: the default skin did not load\n");
        return 1;
    }
    TTestHost host(skin.get());
    qx::TForm* form = NewForm(520, 360);
    std::wstring text;
    for (int i = 1; i <= 10000; ++i) text += L"Host 10.0." + std::to_wstring(i / 250) + L"." + std::to_wstring(i % 250) + L" line\r\n";
    qx::TMemo* plain = MakeMemo(form, 10, text);
    qx::TMemo* skinned = MakeMemo(form, 260, text);
    auto* wrapper = new TSkinScrollbar(skinned);
    wrapper->Attach(&host, skin.get(), false, host.ControlCanvas());
    form->Show();
    PaintNow(form->Handle());
    if (!wrapper->VertBar() || !wrapper->VertBar()->Shown()) {
        std::printf("bench_scroll: the overlay is not shown\n");
        return 1;
    }

    LARGE_INTEGER frequency{}, a{}, b{};
    ::QueryPerformanceFrequency(&frequency);
    std::vector<double> off, on;
    for (int i = 0; i < steps; ++i) {
        const int line = (i * 9973) % 9990;  // jumps all over the text, as a fast drag does
        ::QueryPerformanceCounter(&a);
        Step(plain->Handle(), line);
        ::QueryPerformanceCounter(&b);
        off.push_back(Microseconds(a, b, frequency));
        ::QueryPerformanceCounter(&a);
        Step(skinned->Handle(), line);
        ::QueryPerformanceCounter(&b);
        on.push_back(Microseconds(a, b, frequency));
    }
    const double system = Median(off), skinnedTime = Median(on);
    std::printf("thumb scroll step of a 10,000-line memo (240 x 300), median of %d steps\n", steps);
    std::printf("  system scroll bar (skinning off)     %8.1f us\n", system);
    std::printf("  skinned scroll bar (overlay)          %8.1f us   ratio %.2f\n", skinnedTime, skinnedTime / system);
    delete form;
    return 0;
}
