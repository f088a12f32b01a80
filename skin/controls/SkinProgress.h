// TSkinProgress: a progress bar drawn from the skin's Progress image (frame 1 the empty bar,
// frame 2 the done part) or, for the chunk style, the done part as a row of chunk images. A
// vertical bar is drawn lying down and turned upright. Without a Progress image the system
// draws the bar.
#pragma once

#include "skin/controls/SkinControl.h"

class TSkinProgress : public TSkinControl {
    QX_CLASS(TSkinProgress)
public:
    explicit TSkinProgress(qx::TComponent* owner);

    bool BeforeMessage(qx::TMessage& m) override;
    void Paint(HDC dc, const RECT& r) override;

    // The length of the done part at the last paint, along the bar.
    int LastFilled() const { return FLastFilled; }

private:
    bool HasImage() const;
    int FLastFilled = 0;
};

// The done part of a bar `length` long: none unless both the maximum and the position are
// above 0; never longer than the bar.
int ProgressFilled(int length, int position, int maximum);
