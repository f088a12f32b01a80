#include "skin/controls/SkinScControl.h"

#include "skin/controls/SkinPropText.h"
#include "skin/data/SkinData.h"

#include <utility>

QX_DEFINE_CLASS(TSkinScControl, TSkinControl, b) {}
QX_DEFINE_CLASS(TSkinSizer, TSkinControl, b) {}

TSkinScControl::TSkinScControl(qx::TComponent* owner) : TSkinControl(owner) {}

void TSkinScControl::Notification(qx::TComponent* component, qx::TOperation operation) {
    TSkinControl::Notification(component, operation);
    if (operation == qx::TOperation::opRemove && component == FBar) FBar = nullptr;
}

void TSkinScControl::Attach(TSkinControlHost* form, TSkinData* skinData, bool colourFlag, qx::TCanvas* canvas) {
    (void)colourFlag;
    if (auto* control = dynamic_cast<qx::TWinControl*>(Owner())) AttachScroll(control, skinData, form, canvas);
}

void TSkinScControl::AttachScroll(qx::TWinControl* control, TSkinData* skinData, TSkinControlHost* form,
                                  qx::TCanvas* canvas) {
    if (FAttached || !control) return;
    BindControl(control, skinData, form, canvas);
    FBar = new TWScrollbar(this);
    // The overlay shows the control's hint, when the control has one.
    const std::wstring showHint = PropText(*control, L"ShowHint");
    if (!showHint.empty()) SetPropText(*FBar, L"ShowHint", showHint);
    const std::wstring hint = PropText(*control, L"Hint");
    if (!hint.empty()) SetPropText(*FBar, L"Hint", hint);
    FBar->AttachControl(this, control, okControl);
    if (!control->Visible()) FBar->HideBar();
    HookControl(control);
    FAttached = true;
    FState = kWrapperAttached;
}

bool TSkinScControl::BeforeMessage(qx::TMessage& m) {
    if (m.Msg == qx::CM_RECREATEWND) {
        FRecreating = true;  // a turned bar (Kind changed) keeps its wrapper
        if (FBar) FBar->HideBar();
        return true;
    }
    if (m.Msg == WM_NCDESTROY && FRecreating) return true;
    if (m.Msg == WM_NCDESTROY && FBar) FBar->HideBar();
    return TSkinControl::BeforeMessage(m);
}

void TSkinScControl::AfterMessage(qx::TMessage& m) {
    switch (m.Msg) {
    case WM_WINDOWPOSCHANGED:
        if (FBar && FState == kWrapperAttached) FBar->Place(FWindow);
        return;
    case WM_NCPAINT:
        if (FControl) FWindow = FControl->Handle();
        if (FBar) FBar->Place(FWindow);
        return;
    case SBM_SETSCROLLINFO:
    case qx::CN_VSCROLL:
    case qx::CN_HSCROLL:
        if (FBar) FBar->RepaintBar();
        return;
    case qx::CM_VISIBLECHANGED:
        if (!FBar) return;
        if (m.WParam == 0) FBar->HideBar();
        else FBar->Place(FWindow);
        return;
    case qx::CM_RECREATEWND:
        FRecreating = false;
        if (FControl && FBar) {
            FWindow = FControl->Handle();
            // The bar may have turned: its overlay follows the new direction.
            FBar->AttachControl(this, FControl, okControl);
        }
        return;
    default: TSkinControl::AfterMessage(m);
    }
}

void TSkinScControl::Paint(HDC dc, const RECT& r) {
    (void)dc;
    (void)r;
    if (FBar && FBar->Shown()) FBar->RepaintBar();
}

void TSkinScControl::Detach() {
    TSkinControl::Detach();
    if (FState == kWrapperWindowDestroyed) {
        if (FBar) FBar->HideBar();
        return;
    }
    delete std::exchange(FBar, nullptr);
}

// A new skin may have no scroll-bar images (the overlays step aside) or bring them back.
void TSkinScControl::SkinChanged() {
    TSkinControl::SkinChanged();
    if (FBar && FState == kWrapperAttached) FBar->Place(FWindow);
}

// Skinning switched off for this control: the system's bars show again until it is back on.
void TSkinScControl::PaintingSwitched(bool on) {
    if (on) {
        if (FBar && FState == kWrapperAttached) FBar->Place(FWindow);
    } else {
        if (FBar) FBar->HideBar();
    }
}

//--- TSkinSizer

TSkinSizer::TSkinSizer(qx::TComponent* owner) : TSkinControl(owner) {}

// Over the grip the system drew: the dialog's corner in the skin's face colour. Only a size
// grip or size box is covered: a plain scroll bar of a dialog (it may lack a tab stop too)
// keeps its working system look instead of vanishing under a square
// (ScrollOverlayTest.SizeGripIsCoveredAndPlainScrollBarsAreNot).
void TSkinSizer::Paint(HDC dc, const RECT& r) {
    if (!(WindowLong(FWindow, GWL_STYLE) & (SBS_SIZEGRIP | SBS_SIZEBOX))) return;
    const qx::TColor face = FSkinData ? FSkinData->ButtonFace : qx::clBtnFace;
    qx::UniqueBrush brush(::CreateSolidBrush(qx::ColorToRGB(face)));
    ::FillRect(dc, &r, brush.get());
}
