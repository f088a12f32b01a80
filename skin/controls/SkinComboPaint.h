// The skinned border and drop-down button of a combo box, drawn from the skin objects SunkEdge
// (border), ComboButton (button; its Style chooses the look) and ExtraImages (arrow glyphs).
// The text area is left to the system. Frames of every strip: 1 normal, 2 pressed,
// 3 disabled, 4 hot or focused.
#pragma once

#include "skin/data/SkinObjects.h"

#include <windows.h>

struct TComboLook {
    TDataSkinObject* SunkEdge = nullptr;     // may be absent
    TDataSkinBorder* ComboButton = nullptr;  // nothing is drawn without its bitmap
    TDataSkinObject* ExtraImages = nullptr;  // may be absent
    COLORREF Shadow = 0;                     // ButtonShadow, resolved
};

struct TComboPaintState {
    bool Pressed = false;
    bool Hot = false;
    bool Focused = false;
    bool Enabled = true;
    bool ButtonLeft = false;  // WS_EX_LEFTSCROLLBAR: the button sits at the left
};

// The frame for the state: pressed 2, else focused or hot 4, else 1; disabled 3 overrides.
int ComboFrame(const TComboPaintState& state);

// The widths the looks depend on: the button (SM_CXHSCROLL) and the flat look's button
// (SM_CYVTHUMB).
struct TComboMetrics {
    int ButtonWidth = 0;
    int FlatButtonWidth = 0;
};
TComboMetrics SystemComboMetrics();

// Paints over r (the window rectangle at the origin). Style 0: the SunkEdge border, the
// ComboButton frame in the button cell and the arrow glyph centred on it, the text area kept
// out of the clip; style 1: the flat look; style 2: ComboButton (or, with the button at the
// left, SunkEdge) as one nine-slice picture whose magenta middle lets the text area show.
// False when the look has nothing to draw (no ComboButton bitmap).
bool PaintSkinCombo(HDC dc, const RECT& r, const TComboLook& look, const TComboPaintState& state,
                    const TComboMetrics& metrics);

// The rectangles of the style-0 look: the area kept out of the clip, the button and the
// glyph cell.
struct TComboLayout {
    RECT Inner{};
    RECT Button{};
    RECT GlyphCell{};
};
TComboLayout ComboLayout(const RECT& r, bool buttonLeft, int buttonWidth);
