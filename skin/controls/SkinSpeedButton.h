// TSkinSpeedButton: a speed button (a control without a window, painted by its parent) drawn
// from the skin's Button object with its glyph and caption. It hooks the control's WindowProc;
// the control keeps its own clicking. A Flat button at rest shows only the background.
#pragma once

#include "skin/controls/SkinBitButton.h"

// The state frame of a speed button: Down 2, else disabled 3, pressed 2, hot 4, otherwise 1.
int SpeedButtonFrame(bool down, bool enabled, bool pressed, bool hot);

class TSkinSpeedButton : public TSkinBitButton {
    QX_CLASS(TSkinSpeedButton)
public:
    explicit TSkinSpeedButton(qx::TComponent* owner);

    // The control is the owner, as for every wrapper, but it has no window: its WindowProc is
    // hooked and nothing else.
    void Attach(TSkinControlHost* form, TSkinData* skinData, bool colourFlag, qx::TCanvas* canvas) override;
    bool BeforeMessage(qx::TMessage& m) override;
    void AfterMessage(qx::TMessage& m) override;
    // Paints into dc (a context whose origin is the button's corner, as the parent hands it
    // to its graphic children), or straight onto the parent's window when dc is 0.
    void PaintWindow(HDC dc) override;
    void Paint(HDC dc, const RECT& r) override;

private:
    bool FBusy = false;
};
