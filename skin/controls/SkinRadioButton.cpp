#include "skin/controls/SkinRadioButton.h"

#include "skin/controls/SkinPropText.h"
#include "skin/data/SkinData.h"

QX_DEFINE_CLASS(TSkinRadioButton, TSkinCheckBase, b) {}

TSkinRadioButton::TSkinRadioButton(qx::TComponent* owner) : TSkinCheckBase(owner) {}

qx::TBitmap* TSkinRadioButton::Image(int& frames) const {
    if (!FSkinData || !FSkinData->Button || FSkinData->Button->RadioBitmap.Empty()) return nullptr;
    frames = FSkinData->Button->RadioFrames;
    return &FSkinData->Button->RadioBitmap;
}

int TSkinRadioButton::StateFrame(int frames) {
    int s = (::SendMessageW(FWindow, BM_GETCHECK, 0, 0) & 1) ? 2 : 1;
    if (FControl && HasProp(*FControl, L"Checked")) s = LowerText(PropText(*FControl, L"Checked")) == L"true" ? 2 : 1;
    if (!WindowEnabled()) s += 2;  // the control or its container
    return RadioImageFrame(s, frames);
}

TCheckLayout TSkinRadioButton::Layout(const RECT& r, int w, int h, bool rightButton) const {
    return RadioButtonLayout(r, w, h, rightButton);
}
