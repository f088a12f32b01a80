// TSkinRadioButton: a radio button drawn with a frame of the skin's radio image (4 frames:
// unchecked, checked, disabled unchecked, disabled checked; an 8-frame image is remapped),
// centred in the 15-pixel cell when narrower.
#pragma once

#include "skin/controls/SkinCheckBase.h"

class TSkinRadioButton : public TSkinCheckBase {
    QX_CLASS(TSkinRadioButton)
public:
    explicit TSkinRadioButton(qx::TComponent* owner);


protected:
    qx::TBitmap* Image(int& frames) const override;
    int StateFrame(int frames) override;
    TCheckLayout Layout(const RECT& r, int w, int h, bool rightButton) const override;
};
