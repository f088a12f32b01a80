#include "skin/controls/SkinGlyphLayout.h"

#include "framework/TypInfo.h"
#include "skin/controls/SkinPropText.h"
#include "skin/data/ImgUtil.h"
#include "skin/data/PixelRows.h"
#include "skin/data/SkinTransparent.h"

#include <algorithm>

TGlyphSide GlyphSideFromText(const std::wstring& layout) {
    if (layout == L"blglyphright") return TGlyphSide::gsRight;
    if (layout == L"blglyphtop") return TGlyphSide::gsTop;
    if (layout == L"blglyphbottom") return TGlyphSide::gsBottom;
    return TGlyphSide::gsLeft;
}

TGlyphPlacement PlaceGlyphAndCaption(SIZE control, SIZE glyph, SIZE caption, TGlyphSide side, int margin, int spacing,
                                     bool centred) {
    TGlyphPlacement out;
    const bool horizontal = side == TGlyphSide::gsLeft || side == TGlyphSide::gsRight;
    if (horizontal) {
        out.Glyph.y = (control.cy - glyph.cy + 1) / 2;
        out.Caption.y = (control.cy - caption.cy + 1) / 2;
    } else {
        out.Glyph.x = (control.cx - glyph.cx + 1) / 2;
        out.Caption.x = (control.cx - caption.cx + 1) / 2;
    }
    if (caption.cx == 0 || glyph.cx == 0) spacing = 0;
    const int c = horizontal ? control.cx : control.cy;
    const int g = horizontal ? glyph.cx : glyph.cy;
    const int t = horizontal ? caption.cx : caption.cy;
    if (margin == -1 || centred) {
        if (spacing == -1) {
            margin = (c - g - t) / 3;
            spacing = margin;
        } else {
            margin = (c - (g + spacing + t)) / 2;
        }
    } else if (spacing == -1) {
        spacing = (c - margin - g - t) / 2;
    }
    switch (side) {
    case TGlyphSide::gsLeft:
        out.Glyph.x = margin;
        out.Caption.x = margin + glyph.cx + spacing;
        break;
    case TGlyphSide::gsRight:
        out.Glyph.x = control.cx - margin - glyph.cx;
        out.Caption.x = out.Glyph.x - spacing - caption.cx;
        out.CaptionFlags |= DT_RIGHT;
        break;
    case TGlyphSide::gsTop:
        out.Glyph.y = margin;
        out.Caption.y = margin + glyph.cy + spacing;
        out.CaptionFlags |= DT_CENTER;
        break;
    case TGlyphSide::gsBottom:
        out.Glyph.y = control.cy - margin - glyph.cy;
        out.Caption.y = out.Glyph.y - spacing - caption.cy;
        out.CaptionFlags |= DT_CENTER;
        break;
    }
    return out;
}

TButtonGlyph TButtonGlyph::Of(qx::TControl& control) {
    TButtonGlyph g;
    if (qx::IsPublishedProp(control, L"Glyph")) {
        try {
            g.Strip = dynamic_cast<qx::TBitmap*>(qx::GetObjectProp(control, L"Glyph"));
        } catch (...) {
            // A "Glyph" of another kind is no glyph: the button paints without one.
        }
    }
    g.Count = static_cast<int>(std::max<long long>(1, PropOrd(control, L"NumGlyphs", 1)));
    if (qx::IsPublishedProp(control, L"Images")) {
        try {
            g.Images = dynamic_cast<qx::TImageList*>(qx::GetObjectProp(control, L"Images"));
        } catch (...) {
            // "Images" of another kind is no image list: the button paints without one.
        }
    }
    g.ImageIndex = static_cast<int>(PropOrd(control, L"ImageIndex", -1));
    g.DisabledIndex = static_cast<int>(PropOrd(control, L"DisabledIndex", -1));
    if (g.Strip && !g.Strip->Empty()) g.Size = {g.Strip->Width() / g.Count, g.Strip->Height()};
    else if (g.Images && g.ImageIndex != -1) g.Size = {g.Images->Width(), g.Images->Height()};
    return g;
}

namespace {

// Draws a picture with its bottom-left pixel's colour left out.
void DrawKeyed(HDC dc, POINT at, qx::TBitmap& picture) {
    if (picture.Empty()) return;
    const COLORREF key = static_cast<COLORREF>(picture.Pixel(0, picture.Height() - 1));
    TColourRows rows(picture);
    BlitPixels(dc, at.x, at.y, picture.Width(), picture.Height(), {rows.View(), nullptr, &rows.Bitmap()}, 0, 0, true,
               key);
}

}  // namespace

void DrawButtonGlyph(HDC dc, POINT at, TButtonGlyph& glyph, int image, bool disabled) {
    if (glyph.Empty()) return;
    qx::TBitmap piece;
    if (glyph.Strip && !glyph.Strip->Empty()) {
        if (glyph.Count < image) image = 1;
        const int w = glyph.Size.cx, h = glyph.Size.cy;
        piece.SetPixelFormat(qx::TPixelFormat::pf24bit);
        piece.SetSize(w, h);
        qx::BitmapDc target(piece);
        qx::BitmapDc source(*glyph.Strip);
        ::BitBlt(target.get(), 0, 0, w, h, source.get(), w * (image - 1), 0, SRCCOPY);
    } else if (glyph.Images) {
        const int index = disabled && glyph.DisabledIndex != -1 ? glyph.DisabledIndex : glyph.ImageIndex;
        if (!disabled) {
            qx::TCanvas canvas;
            canvas.SetHandle(dc);
            glyph.Images->Draw(canvas, at.x, at.y, index, true);
            canvas.SetHandle(nullptr);
            return;
        }
        if (!glyph.Images->GetBitmap(index, &piece)) return;
    }
    if (disabled) GrayBitmap(piece);
    DrawKeyed(dc, at, piece);
}
