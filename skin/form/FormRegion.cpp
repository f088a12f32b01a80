#include "skin/form/FormRegion.h"

#include "skin/data/SkinData.h"
#include "skin/data/SkinDraw.h"
#include "skin/form/FramePainter.h"

#include <algorithm>

namespace {

using qx::UniqueRgn;

UniqueRgn RectRegion(int left, int top, int right, int bottom) {
    return UniqueRgn(::CreateRectRgn(left, top, right, bottom));
}

// The non-magenta pixels of a border piece rendered w x h, placed at (x, y).
UniqueRgn PieceRegion(TSkinData& skin, int index, int x, int y, int w, int h, bool active) {
    qx::TBitmap piece;
    piece.SetPixelFormat(qx::TPixelFormat::pf24bit);
    piece.SetSize(w, h);
    {
        qx::BitmapDc dc(piece);
        PaintBorderPiece(dc.get(), index, RECT{0, 0, w, h}, skin, active);
    }
    return RegionFromBitmap(piece, x, y, kSkinKeyColour, 1, 1, 1);
}

// a := a ∪ b; a missing part (no pixel outside the key colour) adds nothing.
void Unite(UniqueRgn& a, UniqueRgn b) {
    if (!b) return;
    if (!a) {
        a = std::move(b);
        return;
    }
    ::CombineRgn(a.get(), a.get(), b.get(), RGN_OR);
}

}  // namespace

bool RegionFollowsBorders(const TSkinData& skin) {
    auto trans = [](const TDataSkinBorder* b) { return b ? b->Trans : 0; };
    return trans(skin.BorderLeft.get()) != 0 || trans(skin.BorderRight.get()) != 0 || trans(skin.BorderTop.get()) != 0;
}

UniqueRgn BuildFrameRegion(TSkinData& skin, const TFrameMetrics& m, TBorderKind kind, int w, int h, bool active,
                           qx::TBitmap* captionStrip) {
    if (w <= 0 || h <= 0) return {};
    if (!RegionFollowsBorders(skin)) return RectRegion(0, 0, w, h);

    UniqueRgn region = RectRegion(m.Left, m.Top, w - m.Right, h - m.Bottom);
    if (kind == bkNone) return region;
    auto transparent = [](const TDataSkinBorder* b) { return b && b->Trans == 1 && !b->Bitmap.Empty(); };

    UniqueRgn left = transparent(skin.BorderLeft.get()) && h > 1
                         ? PieceRegion(skin, kBorderLeft, 0, 0, m.Left, h, active)
                         : RectRegion(0, 0, m.Left, h);
    UniqueRgn right = transparent(skin.BorderRight.get()) && h > 1
                          ? PieceRegion(skin, kBorderRight, w - m.Right, 0, m.Right, h, active)
                          : RectRegion(w - m.Right, 0, w, h);
    const int middle = w - m.Left - m.Right;
    // A bottom border thinner than two pixels has no shape worth cutting.
    UniqueRgn bottom = transparent(skin.BorderBottom.get()) && m.Bottom >= 2 && middle > 0
                           ? PieceRegion(skin, kBorderBottom, m.Left, h - m.Bottom, middle, m.Bottom, active)
                           : RectRegion(m.Left, h - m.Bottom, w - m.Right, h);
    UniqueRgn top;
    if (transparent(skin.BorderTop.get()) && m.Top > 1 && middle > 0) {
        if (captionStrip && captionStrip->Width() >= w - m.Right && captionStrip->Height() >= m.Top) {
            // The painted strip: the title plate and the caption buttons shape the top too.
            qx::TBitmap piece;
            piece.SetPixelFormat(qx::TPixelFormat::pf24bit);
            piece.SetSize(middle, m.Top);
            {
                qx::BitmapDc to(piece);
                qx::BitmapDc from(*captionStrip);
                ::BitBlt(to.get(), 0, 0, middle, m.Top, from.get(), m.Left, 0, SRCCOPY);
            }
            top = RegionFromBitmap(piece, m.Left, 0, kSkinKeyColour, 1, 1, 1);
        } else {
            top = PieceRegion(skin, kBorderTop, m.Left, 0, middle, m.Top, active);
        }
    } else {
        top = RectRegion(m.Left, 0, w - m.Right, m.Top);
    }
    Unite(left, std::move(right));
    Unite(top, std::move(bottom));
    Unite(left, std::move(top));
    Unite(region, std::move(left));
    return region;
}
