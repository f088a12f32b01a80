// The whole load of the default skin into a skin data component: decode the stored package,
// parse its description and build every skin object with its bitmaps. Best and median of 21.
#include "skin/data/SkinData.h"

#include "framework/Forms.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <vector>

int main() {
    qx::InitApplication();
    std::ifstream file(QUELLOX_SKIN_STORED, std::ios::binary);
    std::vector<char> stored((std::istreambuf_iterator<char>(file)), {});
    if (stored.size() < 4) {
        std::printf("no stored skin at %s\n", QUELLOX_SKIN_STORED);
        return 1;
    }
    // The stored property: a length word, then the compressed package.
    TSkinData skin(nullptr);
    skin.Store().WriteBuffer(stored.data() + 4, static_cast<int64_t>(stored.size() - 4));
    std::vector<double> times;
    for (int run = 0; run < 21; ++run) {
        auto start = std::chrono::steady_clock::now();
        bool ok = skin.LoadSkin();
        times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
        if (!ok) {
            std::printf("the default skin did not load\n");
            return 1;
        }
    }
    std::sort(times.begin(), times.end());
    std::printf("default skin (%zu bytes stored): whole load best %.2f ms, median %.2f ms; target under 20 ms: %s\n",
                stored.size(), times.front(), times[times.size() / 2], times[times.size() / 2] < 20 ? "met" : "MISSED");
    qx::DoneApplication();
    return 0;
}
