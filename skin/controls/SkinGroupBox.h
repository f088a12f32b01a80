// TSkinGroupBox: draws a group box's frame and caption in the skin's colours. A framework group
// box is painted whole by the wrapper on its parent's background (variant flag 1); a raw
// group box window is painted by the system first and the wrapper draws over it.
#pragma once

#include "skin/controls/SkinControl.h"

class TSkinGroupBox : public TSkinControl {
    QX_CLASS(TSkinGroupBox)
public:
    explicit TSkinGroupBox(qx::TComponent* owner);

    void Attach(TSkinControlHost* form, TSkinData* skinData, bool colourFlag, qx::TCanvas* canvas) override;
    bool BeforeMessage(qx::TMessage& m) override;
    void Paint(HDC dc, const RECT& r) override;
};
