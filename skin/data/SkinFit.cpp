#include "skin/data/SkinFit.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

namespace {

// Source position (within the frame) of the target positions [Begin, End) along one axis, at
// index position - Begin; -1 where no part draws. Stretch holds the centre stretched, Centre the
// centre as the centre cell of the fit draws it (tiled or stretched). Only the visible
// positions are mapped, so a huge target clipped to a small surface costs no more than that.
struct TAxisMap {
    int Begin = 0;
    std::vector<int> Stretch;
    std::vector<int> Centre;
};

TAxisMap MapAxis(const TFitAxis& axis, int begin, int end, bool tile) {
    TAxisMap map;
    map.Begin = begin;
    map.Stretch.assign(static_cast<size_t>(end - begin), -1);
    // Parts in drawing order: where the margins overlap (no dropping) the trailing one wins.
    for (int part = 0; part < 3; ++part) {
        if (!axis.Drawn(part)) continue;
        const int d0 = axis.DstBegin[part], dl = axis.DstEnd[part] - d0;
        const int s0 = axis.SrcBegin[part], sl = axis.SrcEnd[part] - s0;
        for (int i = std::max(d0, begin); i < std::min(d0 + dl, end); ++i)  // the source pixel nearest the target pixel's centre
            map.Stretch[i - begin] = s0 + static_cast<int>((int64_t{2} * (i - d0) + 1) * sl / (int64_t{2} * dl));
    }
    map.Centre = map.Stretch;
    if (tile && axis.Drawn(1)) {
        const int d0 = axis.DstBegin[1], d1 = axis.DstEnd[1];
        const int s0 = axis.SrcBegin[1], sl = axis.SrcEnd[1] - s0;
        for (int i = std::max(d0, begin); i < std::min(d1, end); ++i) map.Centre[i - begin] = s0 + (i - d0) % sl;
    }
    return map;
}

// One output pixel from one source pixel (S and D bytes per pixel), or the key colour.
template <int S, int D>
inline void PutPixel(uint8_t* out, const uint8_t* in) {
    if constexpr (S == 4 && D == 4) {
        uint32_t v;
        std::memcpy(&v, in, 4);
        v &= 0x00FFFFFF;
        std::memcpy(out, &v, 4);
    } else {
        out[0] = in[0];
        out[1] = in[1];
        out[2] = in[2];
        if constexpr (D == 4) out[3] = 0;
    }
}

template <int D>
inline void PutKey(uint8_t* out) {
    static constexpr uint8_t kKey[4] = {0xFF, 0x00, 0xFF, 0x00};  // magenta: blue, green, red, x
    std::memcpy(out, kKey, D);
}

inline bool IsKey(const uint8_t* p) { return p[0] == 0xFF && p[1] == 0x00 && p[2] == 0xFF; }

// Writes fit columns [begin, end) of one row, each from the source pixel the map names; fit
// column x is surface column left + x of `row`. A missing row or map entry is a hole.
template <int S, int D, bool Transparent>
void CopyMapped(uint8_t* row, int left, const uint8_t* in, const TAxisMap& cols, const std::vector<int>& map, int begin,
                int end, bool fillHoles) {
    for (int x = begin; x < end; ++x) {
        uint8_t* o = row + static_cast<std::ptrdiff_t>(left + x) * D;
        const int s = in ? map[x - cols.Begin] : -1;
        if (s < 0) {
            if (fillHoles) PutKey<D>(o);
            continue;
        }
        const uint8_t* p = in + static_cast<size_t>(s) * S;
        if (Transparent && IsKey(p)) continue;
        PutPixel<S, D>(o, p);
    }
}

template <int S, int D, bool Transparent>
void FitRows(const TPixelView& source, const TFitTarget& target, const TFitSpec& fit, const TFitLayout& layout) {
    const int w = target.Width, h = target.Height;
    // The fit's pixels that land inside the clip.
    auto within = [](int64_t v, int limit) { return static_cast<int>(std::clamp<int64_t>(v, 0, limit)); };
    const int vx0 = within(int64_t{target.Clip.left} - target.Left, w);
    const int vx1 = within(int64_t{target.Clip.right} - target.Left, w);
    const int vy0 = within(int64_t{target.Clip.top} - target.Top, h);
    const int vy1 = within(int64_t{target.Clip.bottom} - target.Top, h);
    if (vx0 >= vx1 || vy0 >= vy1) return;
    const TAxisMap cols = MapAxis(layout.X, vx0, vx1, fit.TileX);
    const TAxisMap rows = MapAxis(layout.Y, vy0, vy1, fit.TileY);
    // Columns [c0, c1) belong to the centre part; rows [r0, r1) likewise. Only the cell where
    // the two meet uses the Centre maps (the edges are always stretched).
    const int c0 = layout.X.DstBegin[1], c1 = std::max(c0, layout.X.DstEnd[1]);
    const int r0 = layout.Y.DstBegin[1], r1 = std::max(r0, layout.Y.DstEnd[1]);
    const int fx = fit.Frame.left, fy = fit.Frame.top;
    auto sourceRow = [&](int r) -> const uint8_t* {
        return r < 0 ? nullptr : source.Row(fy + r) + static_cast<size_t>(fx) * S;
    };
    // A stretched image repeats source rows; such a row is a copy of the one above, but only
    // when the row above holds nothing but fitted pixels.
    const bool rowsCopyable = !Transparent && !target.SkipCentre && (target.FillHoles || !layout.HasHoles());
    const size_t spanBytes = static_cast<size_t>(vx1 - vx0) * D;
    const std::ptrdiff_t spanStart = static_cast<std::ptrdiff_t>(target.Left + vx0) * D;
    const int left = target.Left;
    int lastEdge = -2, lastCentre = -2;
    bool lastInCentre = false;
    for (int y = vy0; y < vy1; ++y) {
        const bool inCentre = y >= r0 && y < r1;
        const int edge = rows.Stretch[y - vy0];
        const int centre = inCentre ? rows.Centre[y - vy0] : edge;
        uint8_t* out = target.Pixels.Row(target.Top + y);
        if (rowsCopyable && y > vy0 && edge == lastEdge && centre == lastCentre && inCentre == lastInCentre) {
            std::memcpy(out + spanStart, target.Pixels.Row(target.Top + y - 1) + spanStart, spanBytes);
            continue;
        }
        lastEdge = edge;
        lastCentre = centre;
        lastInCentre = inCentre;
        const uint8_t* edgeRow = sourceRow(edge);
        const bool fill = target.FillHoles;
        CopyMapped<S, D, Transparent>(out, left, edgeRow, cols, cols.Stretch, vx0, std::min(c0, vx1), fill);
        if (!(inCentre && target.SkipCentre))
            CopyMapped<S, D, Transparent>(out, left, sourceRow(centre), cols, inCentre ? cols.Centre : cols.Stretch,
                                          std::max(c0, vx0), std::min(c1, vx1), fill);
        CopyMapped<S, D, Transparent>(out, left, edgeRow, cols, cols.Stretch, std::max(c1, vx0), vx1, fill);
    }
}

template <int S, int D>
void FitRowsKeyed(const TPixelView& source, const TFitTarget& target, const TFitSpec& fit, const TFitLayout& layout) {
    if (target.Transparent)
        FitRows<S, D, true>(source, target, fit, layout);
    else
        FitRows<S, D, false>(source, target, fit, layout);
}

}  // namespace

bool SkinFrameRect(int bitmapWidth, int bitmapHeight, int frameCount, int frameIndex, bool vertical, RECT& frame) {
    if (bitmapWidth <= 0 || bitmapHeight <= 0 || frameCount < 1) return false;
    const int k = std::clamp(frameIndex, 1, frameCount) - 1;
    if (vertical) {
        const int fh = bitmapHeight / frameCount;
        frame = {0, fh * k, bitmapWidth, fh * (k + 1)};
        return fh > 0;
    }
    const int fw = bitmapWidth / frameCount;
    frame = {fw * k, 0, fw * (k + 1), bitmapHeight};
    return fw > 0;
}

TFitAxis LayoutFitAxis(int target, int frameLength, int lead, int trail, bool dropMargins) {
    target = std::max(0, target);
    frameLength = std::max(0, frameLength);
    lead = std::max(0, lead);
    trail = std::max(0, trail);
    if (dropMargins && target < lead + trail) lead = trail = 0;
    TFitAxis a;
    a.DstBegin[0] = 0;
    a.DstEnd[0] = std::min(lead, target);
    // A margin cut short by the target shows its outer part unscaled (as a blit of the whole
    // margin would, clipped), rather than squeezed.
    a.SrcBegin[0] = 0;
    a.SrcEnd[0] = std::min({lead, frameLength, target});
    a.DstBegin[1] = std::min(lead, target);
    a.DstEnd[1] = std::max(a.DstBegin[1], target - trail);
    a.SrcBegin[1] = std::min(lead, frameLength);
    a.SrcEnd[1] = std::max(0, frameLength - trail);  // may lie before SrcBegin: nothing to draw
    a.DstBegin[2] = std::max(0, target - trail);
    a.DstEnd[2] = target;
    a.SrcBegin[2] = frameLength - std::min({trail, frameLength, target});
    a.SrcEnd[2] = frameLength;
    return a;
}

TFitLayout LayoutFit(int width, int height, const TFitSpec& fit) {
    const RECT& f = fit.Frame;
    const RECT& m = fit.Margins;
    return {LayoutFitAxis(width, f.right - f.left, m.left, m.right, fit.DropMargins),
            LayoutFitAxis(height, f.bottom - f.top, m.top, m.bottom, fit.DropMargins)};
}

TFitTarget WholeSurface(const TPixelView& pixels) {
    TFitTarget t;
    t.Pixels = pixels;
    t.Width = pixels.Width;
    t.Height = pixels.Height;
    t.Clip = {0, 0, pixels.Width, pixels.Height};
    return t;
}

void FitFrame(const TPixelView& source, const TFitTarget& target, const TFitSpec& fit) {
    const int s = source.BytesPerPixel, d = target.Pixels.BytesPerPixel;
    if (source.Empty() || target.Pixels.Empty() || (s != 3 && s != 4) || (d != 3 && d != 4)) return;
    if (target.Width <= 0 || target.Height <= 0) return;
    // The frame must lie in the picture: it comes from SkinFrameRect, but a caller's own
    // rectangle is checked here too rather than read past the rows.
    const RECT& f = fit.Frame;
    if (f.left < 0 || f.top < 0 || f.right > source.Width || f.bottom > source.Height || f.right <= f.left || f.bottom <= f.top)
        return;
    // Likewise the clip must lie in the surface.
    TFitTarget t = target;
    const RECT surface{0, 0, t.Pixels.Width, t.Pixels.Height};
    if (!::IntersectRect(&t.Clip, &t.Clip, &surface)) return;
    const TFitLayout layout = LayoutFit(t.Width, t.Height, fit);
    if (s == 3 && d == 3) FitRowsKeyed<3, 3>(source, t, fit, layout);
    if (s == 3 && d == 4) FitRowsKeyed<3, 4>(source, t, fit, layout);
    if (s == 4 && d == 3) FitRowsKeyed<4, 3>(source, t, fit, layout);
    if (s == 4 && d == 4) FitRowsKeyed<4, 4>(source, t, fit, layout);
}
