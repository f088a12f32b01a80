#include "skin/controls/SkinBox.h"

#include "skin/data/SkinData.h"

QX_DEFINE_CLASS(TSkinBox, TSkinControl, b) {}
QX_DEFINE_CLASS(TSkinBoxH, TSkinControl, b) {}

//--- TSkinBox

TSkinBox::TSkinBox(qx::TComponent* owner) : TSkinControl(owner) {}

// A second attach would save the skin colour as the one to give back; it does nothing.
void TSkinBox::Attach(TSkinControlHost* form, TSkinData* skinData, bool colourFlag, qx::TCanvas* canvas) {
    if (FAttached) return;
    auto* control = dynamic_cast<qx::TWinControl*>(Owner());
    if (!control) return;
    FColourFlag = colourFlag;
    BindControl(control, skinData, form, canvas);
    FAttached = true;
    ApplyColourFlag();
}

void TSkinBox::Detach() {
    TSkinControl::Detach();
    FState = kWrapperDetached;
}

void TSkinBox::AfterMessage(qx::TMessage&) {}

void TSkinBox::ReleaseToolbarHandlers() {
    if (FForm && FControl) FForm->ReleaseToolbarDraw(FControl);
}

//--- TSkinBoxH

TSkinBoxH::TSkinBoxH(qx::TComponent* owner) : TSkinControl(owner) {}

bool TSkinBoxH::BeforeMessage(qx::TMessage& m) {
    switch (m.Msg) {
    case WM_ERASEBKGND: {
        RECT r{};
        ::GetWindowRect(FWindow, &r);
        ::OffsetRect(&r, -r.left, -r.top);
        FillBackground(reinterpret_cast<HDC>(m.WParam), r);
        m.Result = 0;
        return false;
    }
    case WM_CTLCOLORSTATIC:
        CallDefault(m);
        // The text cell takes the same colour as the brush, or the text would sit on a band
        // of the system's face colour.
        if (FSkinData) {
            ::SetBkColor(reinterpret_cast<HDC>(m.WParam), qx::ColorToRGB(FSkinData->ButtonFace));
            m.Result = reinterpret_cast<LRESULT>(FSkinData->FaceBrush());
        }
        return false;
    default: return TSkinControl::BeforeMessage(m);
    }
}
