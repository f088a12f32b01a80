#include "PanelFormat.h"

#include <cmath>

namespace admds {

TAdFormat AdFormatForSize(int width, int height) noexcept {
    if (width <= 0 || height <= 0) return afNone;
    if (height < kMinBlockHeight) return afLine;
    // Nearest format by aspect ratio on a log scale, so that 2:1 and 1:2 are judged alike.
    struct Candidate { TAdFormat format; double ratio; };
    static constexpr Candidate kCandidates[] = {
        {afLine, 180.0 / 20.0}, {afBanner, 180.0 / 60.0}, {afSquare, 1.0}, {afColumn, 180.0 / 300.0}};
    double ratio = std::log(static_cast<double>(width) / height);
    TAdFormat best = afSquare;
    double bestDistance = 1e300;
    for (const Candidate& c : kCandidates) {
        double d = std::fabs(ratio - std::log(c.ratio));
        if (d < bestDistance) {
            bestDistance = d;
            best = c.format;
        }
    }
    return best;
}

}  // namespace admds
