#include "skin/controls/SkinGroupBox.h"

#include "framework/WindowText.h"
#include "skin/controls/SkinGroupBoxPaint.h"
#include "skin/data/SkinData.h"

QX_DEFINE_CLASS(TSkinGroupBox, TSkinControl, b) {}

TSkinGroupBox::TSkinGroupBox(qx::TComponent* owner) : TSkinControl(owner) {}

void TSkinGroupBox::Attach(TSkinControlHost* form, TSkinData* skinData, bool colourFlag, qx::TCanvas* canvas) {
    TSkinControl::Attach(form, skinData, colourFlag, canvas);
    if (FControl) FVariant = 1;
}

// The whole box is the wrapper's: the framework's own painting is consumed. WM_PRINTCLIENT
// takes the same way, so a printed picture of the window shows the skinned box too.
bool TSkinGroupBox::BeforeMessage(qx::TMessage& m) {
    if (!TSkinControl::BeforeMessage(m)) return false;
    if (FVariant == 0) return true;
    switch (m.Msg) {
    case WM_PAINT:
    case WM_PRINTCLIENT: PaintWholeWindow(m); return false;
    case WM_ERASEBKGND: EraseWithParentBackground(m); return false;
    default: return true;
    }
}

void TSkinGroupBox::Paint(HDC dc, const RECT& r) {
    std::wstring caption = qx::WindowTextOf(FWindow);
    if (caption.empty() && FControl) caption = FControl->Caption();

    TGroupBoxLook look;
    look.Face = qx::ColorToRGB(FSkinData ? FSkinData->ButtonFace : qx::clBtnFace);
    look.Shadow = qx::ColorToRGB(FSkinData ? FSkinData->ButtonShadow : qx::clBtnShadow);
    look.WipeSystemEdge = FVariant == 0;
    if (FWindow) look.Font = reinterpret_cast<HFONT>(::SendMessageW(FWindow, WM_GETFONT, 0, 0));
    if (FControl) {
        look.Font = FControl->Font()->Handle();
        look.TextColour = qx::ColorToRGB(FControl->Font()->Color());
    }
    PaintSkinGroupBox(dc, r, caption, look);

    // Its own WM_PAINT was consumed: the group box's graphic children (labels) are drawn here.
    if (FControl)
        for (int i = 0; i < FControl->ControlCount(); ++i)
            if (auto* g = dynamic_cast<qx::TGraphicControl*>(FControl->Controls(i)); g && g->Visible()) g->PaintTo(dc);
}
