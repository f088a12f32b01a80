#include "skin/controls/SkinComboPaint.h"

#include "framework/Handles.h"
#include "skin/data/SkinDraw.h"

namespace {

bool HasBitmap(TDataSkinObject* object) { return object && !object->Bitmap.Empty(); }

// The arrow glyph, unscaled, centred in the cell ((cell - size) div 2 on each axis).
void DrawGlyph(HDC dc, const RECT& cell, TDataSkinObject& glyphs, int frame) {
    const int w = glyphs.FrameWidth(), h = glyphs.Bitmap.Height();
    const int x = cell.left + ((cell.right - cell.left) - w) / 2;
    const int y = cell.top + ((cell.bottom - cell.top) - h) / 2;
    const RECT at{x, y, x + w, y + h};
    DrawSkinFrame(dc, at, glyphs.Bitmap, true, glyphs.FrameCount, frame);
}

void PaintSliced(HDC dc, const RECT& r, const TComboLook& look, const TComboPaintState& state, int frame) {
    TDataSkinObject* picture = look.ComboButton;
    if (state.ButtonLeft && HasBitmap(look.SunkEdge)) picture = look.SunkEdge;
    // The composite's middle is magenta: drawn transparent, the text area stays visible.
    DrawSkinImage(dc, r, picture->Bitmap, picture->Margins, false, picture->Tile != 0, true, picture->FrameCount, frame);
}

void PaintFramed(HDC dc, const RECT& r, const TComboLook& look, const TComboPaintState& state, int frame,
                 int buttonWidth) {
    const TComboLayout layout = ComboLayout(r, state.ButtonLeft, buttonWidth);
    qx::DcStateGuard keep(dc);
    ::ExcludeClipRect(dc, layout.Inner.left, layout.Inner.top, layout.Inner.right, layout.Inner.bottom);
    if (HasBitmap(look.SunkEdge)) {
        TDataSkinObject& edge = *look.SunkEdge;
        DrawSkinImage(dc, r, edge.Bitmap, edge.Margins, false, edge.Tile != 0, edge.Trans == 1, edge.FrameCount, frame);
    }
    qx::TBitmap& button = state.ButtonLeft ? look.ComboButton->AuxBitmap : look.ComboButton->Bitmap;
    DrawSkinFrame(dc, layout.Button, button, true, look.ComboButton->FrameCount, frame);
    if (HasBitmap(look.ExtraImages)) DrawGlyph(dc, layout.GlyphCell, *look.ExtraImages, frame);
}

// The flat look: the context's current brush wipes a one-pixel ring and the button area, the
// button frame is stretched into that area and a shadow line closes the border.
void PaintFlat(HDC dc, const RECT& r, const TComboLook& look, int frame, int flatButtonWidth) {
    auto* current = static_cast<HBRUSH>(::GetCurrentObject(dc, OBJ_BRUSH));
    RECT ring = r;
    ::InflateRect(&ring, -1, -1);
    ::FrameRect(dc, &ring, current);
    RECT area = ring;
    ::InflateRect(&area, -1, -1);
    area.left = area.right - flatButtonWidth;
    ::FillRect(dc, &area, current);
    TDataSkinBorder& button = *look.ComboButton;
    DrawSkinFrame(dc, area, button.Bitmap, button.Trans == 1, button.FrameCount, frame);
    qx::UniqueBrush shadow(::CreateSolidBrush(look.Shadow));
    ::FrameRect(dc, &r, shadow.get());
}

}  // namespace

int ComboFrame(const TComboPaintState& state) {
    if (!state.Enabled) return 3;
    if (state.Pressed) return 2;
    if (state.Focused || state.Hot) return 4;
    return 1;
}

TComboMetrics SystemComboMetrics() {
    return {::GetSystemMetrics(SM_CXHSCROLL), ::GetSystemMetrics(SM_CYVTHUMB)};
}

TComboLayout ComboLayout(const RECT& r, bool buttonLeft, int e) {
    if (buttonLeft)
        return {{e + 4, 2, r.right - 2, r.bottom - 2}, {0, 0, e + 2, r.bottom}, {2, 0, e + 2, r.bottom}};
    return {{2, 2, r.right - e - 4, r.bottom - 2}, {r.right - e - 2, 0, r.right, r.bottom},
            {r.right - e - 2, 0, r.right - 2, r.bottom}};
}

bool PaintSkinCombo(HDC dc, const RECT& r, const TComboLook& look, const TComboPaintState& state,
                    const TComboMetrics& metrics) {
    if (!HasBitmap(look.ComboButton)) return false;
    const int frame = ComboFrame(state);
    // A combo narrower than its button, or a glyph larger than its cell, must not spill over
    // the neighbours: everything is kept inside the combo's rectangle.
    qx::DcStateGuard keep(dc);
    ::IntersectClipRect(dc, r.left, r.top, r.right, r.bottom);
    switch (look.ComboButton->Style) {
    case 1: PaintFlat(dc, r, look, frame, metrics.FlatButtonWidth); break;
    case 2: PaintSliced(dc, r, look, state, frame); break;
    default: PaintFramed(dc, r, look, state, frame, metrics.ButtonWidth); break;
    }
    return true;
}
