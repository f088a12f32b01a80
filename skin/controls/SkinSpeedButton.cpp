#include "skin/controls/SkinSpeedButton.h"

#include "framework/Handles.h"
#include "skin/controls/SkinPropText.h"
#include "skin/data/SkinData.h"

int SpeedButtonFrame(bool down, bool enabled, bool pressed, bool hot) {
    if (down) return 2;
    if (!enabled) return 3;
    if (pressed) return 2;
    if (hot) return 4;
    return 1;
}

QX_DEFINE_CLASS(TSkinSpeedButton, TSkinBitButton, b) {}

TSkinSpeedButton::TSkinSpeedButton(qx::TComponent* owner) : TSkinBitButton(owner) {}

void TSkinSpeedButton::Attach(TSkinControlHost* form, TSkinData* skinData, bool colourFlag, qx::TCanvas* canvas) {
    if (FAttached) return;
    auto* control = dynamic_cast<qx::TControl*>(Owner());
    if (!control) return;
    if (dynamic_cast<qx::TWinControl*>(control)) {
        // A speed button family with windows of its own is wrapped like any glyph button.
        TSkinBitButton::Attach(form, skinData, colourFlag, canvas);
        return;
    }
    FSkinData = skinData;
    FForm = form;
    FCanvas = canvas;
    FColourFlag = colourFlag;
    HookGraphicControl(control);
    if (FForm) FForm->RegisterControl(this);
    FTransparent = control->Tag() == kTransparentTag || (skinData && InSet(skinData->Options(), xoTransparent));
    FAttached = true;
    FState = kWrapperAttached;
    control->Invalidate();
}

bool TSkinSpeedButton::BeforeMessage(qx::TMessage& m) {
    if (!FGraphicControl) return TSkinBitButton::BeforeMessage(m);
    switch (m.Msg) {
    case WM_PAINT:
        if (!ButtonSkin()) return true;
        PaintWindow(reinterpret_cast<HDC>(m.WParam));
        m.Result = 1;
        return false;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        CallDefault(m);
        SetPressed(true);
        PaintWindow(nullptr);
        return false;
    case SKN_QUERY: m.Result = 1; return false;
    default: return true;
    }
}

void TSkinSpeedButton::AfterMessage(qx::TMessage& m) {
    if (!FGraphicControl) {
        TSkinBitButton::AfterMessage(m);
        return;
    }
    switch (m.Msg) {
    case WM_NCDESTROY:
    case qx::CM_RELEASE:
        if (FOldWindowProc) {
            FGraphicControl->WindowProc = FOldWindowProc;
            FOldWindowProc = {};
        }
        return;
    case WM_KEYDOWN:
    case WM_KEYUP:
        if (m.WParam != VK_SPACE) return;
        SetPressed(m.Msg == WM_KEYDOWN);
        PaintWindow(nullptr);
        return;
    case WM_LBUTTONUP:
        SetPressed(false);
        PaintWindow(nullptr);
        return;
    case qx::CM_MOUSEENTER:
        SetHot(true);
        PaintWindow(nullptr);
        return;
    case qx::CM_MOUSELEAVE:
        SetHot(false);
        SetPressed(false);
        if (FGraphicControl->Visible()) Repaint();
        return;
    case qx::CM_ENABLEDCHANGED:
    case WM_SETTEXT: Repaint(); return;
    default: return;
    }
}

void TSkinSpeedButton::PaintWindow(HDC dc) {
    if (!FGraphicControl) {
        TSkinBitButton::PaintWindow(dc);
        return;
    }
    if (FBusy) return;
    const RECT r{0, 0, FGraphicControl->Width(), FGraphicControl->Height()};
    try {
        if (dc) {
            Paint(dc, r);
            return;
        }
        qx::TWinControl* parent = FGraphicControl->Parent();
        if (!parent || !parent->HandleAllocated() || !FGraphicControl->Visible()) return;
        qx::WindowDc window(parent->Handle());
        if (!window.get()) return;
        qx::DcStateGuard state(window.get());
        ::OffsetViewportOrgEx(window.get(), FGraphicControl->Left(), FGraphicControl->Top(), nullptr);
        ::IntersectClipRect(window.get(), 0, 0, r.right, r.bottom);
        Paint(window.get(), r);
    } catch (...) {
        // Swallowed: a message box raised from a paint would repaint the button (and fail
        // again) underneath it. The button keeps its last picture.
    }
}

void TSkinSpeedButton::Paint(HDC dc, const RECT& r) {
    if (!FGraphicControl) {
        TSkinBitButton::Paint(dc, r);
        return;
    }
    if (FBusy || !ButtonSkin()) return;
    FBusy = true;
    struct TBusyReset {
        bool& Flag;
        ~TBusyReset() { Flag = false; }
    } reset{FBusy};

    qx::TControl& control = *FGraphicControl;
    FEnabled = control.Enabled();
    const bool down = LowerText(PropText(control, L"Down")) == L"true";
    const int frame = SpeedButtonFrame(down, FEnabled, Pressed(), Hot());
    FLastFrame = frame;
    const int w = r.right - r.left, h = r.bottom - r.top;
    if (w <= 0 || h <= 0) return;
    FBuffer.SetSize(w, h);
    qx::BitmapDc buffer(FBuffer);
    const RECT local{0, 0, w, h};
    PaintButtonBackground(buffer.get(), local);
    const bool flat = LowerText(PropText(control, L"Flat")) == L"true";
    if (frame == 2 || frame == 4 || !flat) PaintButtonImage(buffer.get(), local, frame);
    const int image = frame == 2 ? 3 : frame == 3 ? 2 : 1;
    PaintGlyphAndCaption(buffer.get(), local, frame, image, FEnabled, false);
    ::BitBlt(dc, r.left, r.top, w, h, buffer.get(), 0, 0, SRCCOPY);
}
