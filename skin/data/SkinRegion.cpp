#include "skin/data/SkinRegion.h"

#include "skin/data/PixelRows.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <utility>
#include <vector>

namespace {

// Rectangles handed to the system per region creation, which keeps each creation bounded.
constexpr size_t kBatchRects = 2000;

// A run of pixels [first, second) of one row.
using TRun = std::pair<int, int>;

// Collects the rectangles of the runs and turns them into a region a batch at a time.
class TRegionBuilder {
public:
    // Runs of one row, [x0, x1) each, already offset.
    void AddRow(const std::vector<TRun>& runs, int top) {
        // A row with the same runs as the row just above makes those rectangles one pixel
        // taller instead of adding new ones: frame images repeat their rows, and the system
        // joins such bands anyway, so the region is the same with far fewer rectangles.
        if (FLastTop == top - 1 && runs == FLastRuns && FLastFirst + runs.size() == FRects.size() && !runs.empty()) {
            for (size_t i = FLastFirst; i < FRects.size(); ++i) FRects[i].bottom = top + 1;
            FBounds.bottom = std::max<LONG>(FBounds.bottom, top + 1);
            FLastTop = top;
            return;
        }
        if (FRects.size() + runs.size() > kBatchRects) Flush();
        FLastFirst = FRects.size();
        for (const TRun& run : runs) {
            FRects.push_back({run.first, top, run.second, top + 1});
            FBounds.left = std::min<LONG>(FBounds.left, run.first);
            FBounds.top = std::min<LONG>(FBounds.top, top);
            FBounds.right = std::max<LONG>(FBounds.right, run.second);
            FBounds.bottom = std::max<LONG>(FBounds.bottom, top + 1);
        }
        FLastRuns = runs;
        FLastTop = top;
    }

    qx::UniqueRgn Finish() {
        Flush();
        return std::move(FRegion);
    }

private:
    void Flush() {
        FLastRuns.clear();  // the rectangles leave the buffer: nothing left to extend
        if (FRects.empty()) return;
        std::vector<uint8_t> data(sizeof(RGNDATAHEADER) + FRects.size() * sizeof(RECT));
        RGNDATAHEADER header{};
        header.dwSize = sizeof(RGNDATAHEADER);
        header.iType = RDH_RECTANGLES;
        header.nCount = static_cast<DWORD>(FRects.size());
        header.nRgnSize = static_cast<DWORD>(FRects.size() * sizeof(RECT));
        header.rcBound = FBounds;
        std::memcpy(data.data(), &header, sizeof header);
        std::memcpy(data.data() + sizeof header, FRects.data(), FRects.size() * sizeof(RECT));
        qx::UniqueRgn part(::ExtCreateRegion(nullptr, static_cast<DWORD>(data.size()), reinterpret_cast<const RGNDATA*>(data.data())));
        FRects.clear();
        FBounds = kEmptyBounds;
        if (!part) return;
        if (!FRegion)
            FRegion = std::move(part);
        else
            ::CombineRgn(FRegion.get(), FRegion.get(), part.get(), RGN_OR);
    }

    static constexpr RECT kEmptyBounds{LONG_MAX, LONG_MAX, LONG_MIN, LONG_MIN};
    std::vector<RECT> FRects;
    RECT FBounds = kEmptyBounds;
    std::vector<TRun> FLastRuns;   // the runs of the last row added
    size_t FLastFirst = 0;         // where its rectangles start in FRects
    int FLastTop = INT_MIN;
    qx::UniqueRgn FRegion;
};

template <int N>
qx::UniqueRgn BuildRegion(const TPixelView& view, int dx, int dy, const uint8_t (&lo)[3], const uint8_t (&hi)[3]) {
    TRegionBuilder builder;
    std::vector<TRun> runs;
    for (int y = 0; y < view.Height; ++y) {
        runs.clear();
        const uint8_t* p = view.Row(y);
        int start = -1;
        for (int x = 0; x < view.Width; ++x, p += N) {
            // Bytes are blue, green, red.
            const bool keyed = p[2] >= lo[0] && p[2] <= hi[0] && p[1] >= lo[1] && p[1] <= hi[1] && p[0] >= lo[2] && p[0] <= hi[2];
            if (!keyed && start < 0) start = x;
            if (keyed && start >= 0) {
                runs.push_back({start + dx, x + dx});
                start = -1;
            }
        }
        if (start >= 0) runs.push_back({start + dx, view.Width + dx});
        if (!runs.empty()) builder.AddRow(runs, y + dy);
    }
    return builder.Finish();
}

}  // namespace

qx::UniqueRgn RegionFromBitmap(qx::TBitmap& bitmap, int dx, int dy, qx::TColor key, int tr, int tg, int tb) {
    if (bitmap.Empty()) return {};
    // Read in the picture's own format (a 1-bit picture through a copy) instead of converting
    // the caller's bitmap to 32 bits: skin images are shared with code that expects them as
    // they were loaded.
    TColourRows rows(bitmap);
    const COLORREF k = qx::ColorToRGB(key);
    const int channels[3] = {GetRValue(k), GetGValue(k), GetBValue(k)};
    const int tolerances[3] = {tr, tg, tb};
    uint8_t lo[3], hi[3];
    bool emptyRange = false;
    for (int i = 0; i < 3; ++i) {
        lo[i] = static_cast<uint8_t>(channels[i]);
        const int top = std::min(255, channels[i] + tolerances[i]);
        emptyRange = emptyRange || top < channels[i];  // a negative tolerance: no colour is keyed
        hi[i] = static_cast<uint8_t>(std::max(top, channels[i]));
    }
    if (emptyRange) {
        const TPixelView& v = rows.View();
        return qx::UniqueRgn(::CreateRectRgn(dx, dy, dx + v.Width, dy + v.Height));
    }
    const TPixelView& view = rows.View();
    return view.BytesPerPixel == 4 ? BuildRegion<4>(view, dx, dy, lo, hi) : BuildRegion<3>(view, dx, dy, lo, hi);
}
