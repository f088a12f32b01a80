// TSkinCheckBox: a check box drawn with a frame of the skin's check image (4 frames: unchecked,
// checked, disabled unchecked, disabled checked or grey; a 12-frame image is remapped).
#pragma once

#include "skin/controls/SkinCheckBase.h"

class TSkinCheckBox : public TSkinCheckBase {
    QX_CLASS(TSkinCheckBox)
public:
    explicit TSkinCheckBox(qx::TComponent* owner);

    void Attach(TSkinControlHost* form, TSkinData* skinData, bool colourFlag, qx::TCanvas* canvas) override;
    void AttachWindow(HWND window, TSkinData* skinData, TSkinControlHost* form, qx::TCanvas* canvas) override;
    void AfterMessage(qx::TMessage& m) override;

    // The state last announced by BM_SETCHECK: 0 none, else wParam + 1.
    int AnnouncedState() const { return FAnnounced; }

protected:
    qx::TBitmap* Image(int& frames) const override;
    int StateFrame(int frames) override;
    TCheckLayout Layout(const RECT& r, int w, int h, bool rightButton) const override;

private:
    int FAnnounced = 0;
};
