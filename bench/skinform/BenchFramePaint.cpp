// Benchmark: a full frame paint (PaintFrame) of a window the size of the main window
// (669 x 340), against the system's own non-client paint of the same window unskinned, in one
// run. Prints the median of each and their ratio.
//   bench_skinform.exe [rounds]
#include "support/FormTestSupport.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

using namespace formtest;

namespace {

double MedianMicroseconds(int rounds, const std::function<void()>& work) {
    LARGE_INTEGER frequency{}, start{}, stop{};
    ::QueryPerformanceFrequency(&frequency);
    std::vector<double> times;
    for (int i = 0; i < rounds; ++i) {
        ::QueryPerformanceCounter(&start);
        work();
        ::GdiFlush();
        ::QueryPerformanceCounter(&stop);
        times.push_back(1e6 * static_cast<double>(stop.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart));
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 400;
    qx::test::EnsureApplication();
    const DWORD style = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_VISIBLE;
    TPlainWindow plain(style, 0, L"Quellox", {663, 311});
    ::SetWindowPos(plain.Handle(), nullptr, 0, 0, 669, 340, SWP_NOMOVE | SWP_NOZORDER);
    auto skinned = MakeSkinned(style, 0, L"Quellox", {663, 311});
    if (!skinned->Skin || !skinned->Attach()) {
        std::printf("bench_skinform: the default skin did not attach\n");
        return 1;
    }
    ::SetWindowPos(skinned->Handle(), nullptr, 0, 0, 669, 340, SWP_NOMOVE | SWP_NOZORDER);
    qx::test::PumpPending(std::chrono::milliseconds(100));
    qx::test::DibCanvas dib(669, 340);

    const double system = MedianMicroseconds(rounds, [&] { ::SendMessageW(plain.Handle(), WM_NCPAINT, 1, 0); });
    const double window = MedianMicroseconds(rounds, [&] { skinned->Form->PaintFrame(); });
    const double memory = MedianMicroseconds(rounds, [&] { skinned->Form->PaintFrame(dib.Dc()); });
    std::printf("frame paint of a 669 x 340 window, median of %d rounds\n", rounds);
    std::printf("  system non-client paint (unskinned)   %8.1f us\n", system);
    std::printf("  PaintFrame into the window             %8.1f us   ratio %.2f\n", window, window / system);
    std::printf("  PaintFrame into a 32-bit DIB           %8.1f us   ratio %.2f\n", memory, memory / system);
    return 0;
}
