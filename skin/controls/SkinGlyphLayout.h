// Where a glyph button puts its glyph and caption, and where the glyph comes from: shared by
// the skinned glyph buttons and speed buttons. Pure arithmetic apart from the glyph drawing.
#pragma once

#include "framework/Bitmap.h"
#include "framework/Controls.h"
#include "framework/ImageList.h"

#include <string>
#include <windows.h>

enum class TGlyphSide { gsLeft, gsRight, gsTop, gsBottom };

// From the control's Layout text, lower-cased: "blglyphleft", "blglyphright", "blglyphtop",
// "blglyphbottom"; anything else is left.
TGlyphSide GlyphSideFromText(const std::wstring& layout);

struct TGlyphPlacement {
    POINT Glyph{};
    POINT Caption{};
    // DT_RIGHT for a glyph on the right, DT_CENTER above or below; always DT_WORDBREAK.
    UINT CaptionFlags = DT_WORDBREAK;
};

// control: the control's size; glyph and caption: their sizes (0 x 0 when absent); margin and
// spacing as the control gives them (-1: worked out); centred: the control's Alignment is
// "tacenter".
TGlyphPlacement PlaceGlyphAndCaption(SIZE control, SIZE glyph, SIZE caption, TGlyphSide side, int margin, int spacing,
                                     bool centred);

// The glyph a button shows: one image of a strip (Glyph, NumGlyphs side by side) or an image
// list entry (Images, ImageIndex, DisabledIndex), read from the control's published properties.
struct TButtonGlyph {
    qx::TBitmap* Strip = nullptr;
    int Count = 1;
    qx::TImageList* Images = nullptr;
    int ImageIndex = -1;
    int DisabledIndex = -1;
    SIZE Size{};

    // Reads the properties of any control that publishes them; missing ones leave no glyph.
    static TButtonGlyph Of(qx::TControl& control);
    bool Empty() const { return Size.cx <= 0 || Size.cy <= 0; }
};

// Draws glyph image `image` (1 up, 2 disabled, 3 pressed; image 1 when the strip holds fewer)
// at `at`, its automatic transparent colour left out; a disabled glyph is drawn in grey.
void DrawButtonGlyph(HDC dc, POINT at, TButtonGlyph& glyph, int image, bool disabled);
