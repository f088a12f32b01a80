// TSkinUpDown: an up-down (spin) control drawn from the skin's UpDown.Vert (top/bottom halves)
// or UpDown.Horz (left/right halves) image, each half in its state (normal, pressed, hot,
// disabled) with its arrow glyph; without the image, two flat buttons in the skin's colours with
// line arrows. Stand-alone, inside an edit box, or the scroll arrows of tab controls and tab
// sets. The control keeps its behaviour: every press reaches it first.
#pragma once

#include "skin/controls/SkinControl.h"

class TSkinUpDown : public TSkinControl {
    QX_CLASS(TSkinUpDown)
public:
    explicit TSkinUpDown(qx::TComponent* owner);

    bool BeforeMessage(qx::TMessage& m) override;
    void AfterMessage(qx::TMessage& m) override;
    void Paint(HDC dc, const RECT& r) override;

    // Left/right halves whatever the style says (the tab set's arrows).
    void SetHorizontal(bool on) { FHorizontal = on; }
    // Sits inside an edit box: it keeps clear of the edit's border.
    void SetEmbedded(bool on) { FEmbedded = on; }
    bool Horizontal() const;
    bool Embedded() const { return FEmbedded; }
    // The frame drawn last for each half (direction × 4 + state; 0 before any paint).
    int LastFrame(int half) const { return FLastFrame[half & 1]; }

private:
    int HalfUnderCursor(const RECT& r) const;
    bool FHorizontal = false;
    bool FEmbedded = false;
    int FHotHalf = -1;
    int FLastFrame[2]{};
};

// The frame of one half: direction (0 up or left, 1 down or right) × 4 + state (1 normal,
// 2 pressed, 3 disabled, 4 hot).
int UpDownFrame(int direction, bool enabled, bool underCursor, bool pressed, bool hot);

// Makes the wrapper of an up-down embedded in an edit (the maker TSkinEdit uses).
TSkinControl* MakeEmbeddedSkinUpDown(qx::TComponent* owner);
