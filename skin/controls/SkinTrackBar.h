// TSkinTrackBar: takes part in a track bar's custom drawing: the channel from the skin's Track
// (TrackVert) groove and the thumb from Trackbar.ThumbHorz (ThumbVert); the tick marks stay
// the system's. Without a thumb image the thumb is a face-coloured box outlined in the skin's
// shadow colour.
#pragma once

#include "skin/controls/SkinControl.h"

#include <commctrl.h>

class TSkinTrackBar : public TSkinControl {
    QX_CLASS(TSkinTrackBar)
public:
    explicit TSkinTrackBar(qx::TComponent* owner);

    bool BeforeMessage(qx::TMessage& m) override;
    void SkinChanged() override;

    // The answer to one custom-draw notification; false leaves it to the control.
    bool CustomDraw(NMCUSTOMDRAW& draw, LRESULT& result);

private:
    void DrawThumb(HDC dc, bool vertical);
    void DrawChannel(HDC dc, bool vertical);
};
