// TSkinBitButton: a glyph button painted from the skin's Button object, its glyph (Glyph strip
// or image list) and caption laid out as the control's Layout, Margin and Spacing say. Only the
// painting differs from TSkinButton; the mouse handling is the same.
#pragma once

#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinGlyphLayout.h"

// The state frame of a glyph button (1..4; 5 is never chosen).
int GlyphButtonFrame(bool focused, bool pressed, bool hot, bool enabled);

class TSkinBitButton : public TSkinButton {
    QX_CLASS(TSkinBitButton)
public:
    explicit TSkinBitButton(qx::TComponent* owner);

    void Paint(HDC dc, const RECT& r) override;

    // Where the last paint put the glyph and the caption (window coordinates from 0, 0).
    const TGlyphPlacement& LastPlacement() const { return FPlacement; }
    const RECT& LastCaptionRect() const { return FCaptionRect; }

protected:
    // Glyph and caption into the buffer; `image`: the glyph image (1 up, 2 disabled, 3 pressed).
    void PaintGlyphAndCaption(HDC dc, const RECT& r, int frame, int image, bool enabled, bool focused);

    TGlyphPlacement FPlacement;
    RECT FCaptionRect{};
};
