#include "skin/controls/SkinControl.h"

#include "framework/Forms.h"
#include "framework/Handles.h"
#include "framework/WindowText.h"
#include "skin/controls/SkinPropText.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinPaintHelpers.h"

#include <algorithm>
#include <vector>

QX_DEFINE_CLASS(TSkinControl, ::qx::TComponent, b) {}

TSkinControl::TSkinControl(qx::TComponent* owner) : qx::TComponent(owner) {}

namespace {

// Every wrapper whose procedure sits in a framework control's WindowProc chain (main thread).
std::vector<TSkinControl*>& HookedWrappers() {
    static std::vector<TSkinControl*> hooked;
    return hooked;
}

void ForgetHooked(TSkinControl* wrapper) {
    auto& hooked = HookedWrappers();
    hooked.erase(std::remove(hooked.begin(), hooked.end(), wrapper), hooked.end());
}

}  // namespace

void TSkinControl::HookControl(qx::TControl* control) {
    FOldWindowProc = control->WindowProc;
    control->WindowProc = qx::TWndMethod::Of<&TSkinControl::SkinWndProc>(this);
    HookedWrappers().push_back(this);
}

// Order: stop dispatch (unhook while the control or window is still valid), then leave the
// form's list. A raw window's stub that someone else's subclass still calls stays behind and
// passes every message straight on (SkinControlTest.SubclassOnTopKeepsWorkingAfterRelease).
TSkinControl::~TSkinControl() {
    // A control being destroyed frees its components after its own parts are gone: its
    // WindowProc must not be touched then (the window's WM_NCDESTROY already unhooked us).
    // A raw window outlives the component that owns us.
    if (!HasState(qx::csDestroying) || FRawSlot.Installed()) Unhook();
    ForgetHooked(this);
    if (FForm) FForm->UnregisterControl(this);
    FForm = nullptr;
}

qx::TControl* TSkinControl::WrappedControl() const {
    if (FControl) return FControl;
    return FGraphicControl;
}

void TSkinControl::ForgetForm() { FForm = nullptr; }

//--- attaching

void TSkinControl::BindControl(qx::TWinControl* control, TSkinData* skinData, TSkinControlHost* form,
                               qx::TCanvas* canvas) {
    FSkinData = skinData;
    FForm = form;
    FCanvas = canvas;
    FControl = control;
    FWindow = control->Handle();
    FUnicode = ::IsWindowUnicode(FWindow) != FALSE;
    if (FForm) FForm->RegisterControl(this);
}

void TSkinControl::Attach(TSkinControlHost* form, TSkinData* skinData, bool colourFlag, qx::TCanvas* canvas) {
    if (FAttached) return;
    auto* control = dynamic_cast<qx::TWinControl*>(Owner());
    if (!control) return;
    FColourFlag = colourFlag;
    BindControl(control, skinData, form, canvas);

    HookControl(control);
    control->SetDoubleBuffered(true);

    ApplyColourFlag();
    if (FParentBackgroundChanged) FVariant = 1;
    control->Invalidate();
    FAttached = true;
    FState = kWrapperAttached;
}

// With the colour flag the control takes the skin's face colour, and a ParentBackground that
// was on is switched off (unless the skin keeps it); Detach undoes both.
void TSkinControl::ApplyColourFlag() {
    qx::TControl* control = FControl ? static_cast<qx::TControl*>(FControl) : FGraphicControl;
    if (!FColourFlag || !FSkinData || !control || FColourApplied) return;
    if (!InSet(FSkinData->Options(), xoParentBackGround) && LowerText(PropText(*control, L"ParentBackground")) == L"true" &&
        SetPropText(*control, L"ParentBackground", L"False"))
        FParentBackgroundChanged = true;
    FSavedColour = control->Color();
    FSavedParentColour = control->ParentColor();
    control->SetColor(FSkinData->ButtonFace);
    FColourApplied = true;
}

void TSkinControl::AttachWindow(HWND window, TSkinData* skinData, TSkinControlHost* form, qx::TCanvas* canvas) {
    if (FAttached || !window || !::IsWindow(window)) return;
    FSkinData = skinData;
    FCanvas = canvas;
    FForm = form;
    FWindow = window;
    FEnabled = true;
    FVariant = 0;
    if (FForm) FForm->RegisterControl(this);
    FUnicode = ::IsWindowUnicode(window) != FALSE;
    FCaption = ReadCaption();

    if (FRawSlot.Install(window, FUnicode, qx::TWndMethod::Of<&TSkinControl::RawWndProc>(this)))
        FPrevProc = FRawSlot.Previous();
    ::InvalidateRect(window, nullptr, TRUE);
    FAttached = true;
    FState = kWrapperAttached;
}

void TSkinControl::HookGraphicControl(qx::TControl* control) {
    FGraphicControl = control;
    HookControl(control);
}

// Puts back what attach replaced, but only where it still points at us: a hook installed on
// top of ours keeps working (it calls our procedure, which passes everything on).
void TSkinControl::Unhook() {
    const auto ours = qx::TWndMethod::Of<&TSkinControl::SkinWndProc>(this);
    ForgetHooked(this);
    if (qx::TControl* target = WrappedControl(); target && FOldWindowProc) {
        if (target->WindowProc == ours) {
            target->WindowProc = FOldWindowProc;
        } else {
            // Another wrapper hooked the control over us: it now passes on to what we passed on
            // to, so nothing is left calling a wrapper that is gone.
            for (TSkinControl* above : HookedWrappers())
                if (above->FOldWindowProc == ours) above->FOldWindowProc = FOldWindowProc;
        }
        FOldWindowProc = {};
    }
    FRawSlot.Release();
}

void TSkinControl::Detach() {
    qx::TControl* control = WrappedControl();
    if (!FColourApplied || !control) return;
    FColourApplied = false;
    if (FParentBackgroundChanged) SetPropText(*control, L"ParentBackground", L"True");
    FParentBackgroundChanged = false;
    // Setting a colour cuts the tie to the parent's colour: tie it again when it was there.
    control->SetColor(FSavedColour);
    if (FSavedParentColour) control->SetParentColor(true);
}

void TSkinControl::SkinChanged() {
    if (qx::TControl* control = WrappedControl(); FColourFlag && control && FSkinData)
        control->SetColor(FSkinData->ButtonFace);
    Repaint();
}

//--- the message stream

void TSkinControl::RawWndProc(qx::TMessage& m) noexcept {
    try {
        SkinWndProc(m);
    } catch (...) {
        if (qx::Application) qx::Application->HandleException(this);
    }
}

void TSkinControl::SkinWndProc(qx::TMessage& m) {
    if (m.Msg == SKN_ENABLE) {
        FPaintingOn = static_cast<LONG_PTR>(m.WParam) > 0;
        PaintingSwitched(FPaintingOn);
        // Switching off repaints too: the skinned picture must not stay up until the control
        // happens to paint again (SkinControlTest.EnableOffRestoresTheSystemLook).
        if (FPaintingOn) Repaint();
        else if (FWindow) ::InvalidateRect(FWindow, nullptr, TRUE);
        else if (FGraphicControl) FGraphicControl->Invalidate();
        return;
    }
    if (!FPaintingOn) {
        CallDefault(m);
        return;
    }
    if (BeforeMessage(m)) {
        CallDefault(m);
        AfterMessage(m);
    }
}

void TSkinControl::CallDefault(qx::TMessage& m) {
    if (FOldWindowProc) {
        FOldWindowProc(m);
    } else if (FPrevProc && FWindow) {
        m.Result = FUnicode ? ::CallWindowProcW(FPrevProc, FWindow, m.Msg, m.WParam, m.LParam)
                            : ::CallWindowProcA(FPrevProc, FWindow, m.Msg, m.WParam, m.LParam);
    } else if (FWindow) {
        m.Result = FUnicode ? ::DefWindowProcW(FWindow, m.Msg, m.WParam, m.LParam)
                            : ::DefWindowProcA(FWindow, m.Msg, m.WParam, m.LParam);
    }
}

bool TSkinControl::BeforeMessage(qx::TMessage& m) {
    switch (m.Msg) {
    case WM_NCDESTROY: {
        // Unhooked before the default runs, with what it needs kept aside, so the window goes
        // away with nothing of ours left in its chain.
        const qx::TWndMethod previousMethod = FOldWindowProc;
        const WNDPROC previousProc = FPrevProc;
        Unhook();
        FOldWindowProc = previousMethod;
        FPrevProc = previousProc;
        CallDefault(m);
        FOldWindowProc = {};
        FPaintingOn = false;
        FState = kWrapperWindowDestroyed;
        Detach();
        return false;
    }
    case SKN_QUERY: m.Result = 1; return false;
    default: return true;
    }
}

void TSkinControl::AfterMessage(qx::TMessage& m) {
    switch (m.Msg) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
    case WM_SETTEXT:
    case qx::CM_ENABLEDCHANGED: Repaint(); return;
    case WM_PAINT: PaintWindow(reinterpret_cast<HDC>(m.WParam)); return;
    default: return;
    }
}

void TSkinControl::Repaint() {
    if (FGraphicControl) {
        FGraphicControl->Invalidate();
        return;
    }
    if (!FWindow) return;
    ::InvalidateRect(FWindow, nullptr, TRUE);
    ::UpdateWindow(FWindow);
}

//--- painting

void TSkinControl::PaintWindow(HDC dc) {
    if (!FWindow) return;
    RECT r{};
    if (!::GetWindowRect(FWindow, &r)) return;
    FWindowRect = r;
    ::OffsetRect(&r, -r.left, -r.top);
    // A broken skin must never break the control's message processing.
    try {
        if (dc) {
            Paint(dc, r);
        } else {
            qx::WindowDc window(FWindow, true);
            if (window.get()) Paint(window.get(), r);
        }
    } catch (...) {
        // Swallowed: a message box raised from a paint would repaint the control (and fail
        // again) underneath it. The control keeps its last picture.
    }
}

void TSkinControl::Paint(HDC, const RECT&) {}

void TSkinControl::PaintWholeWindow(qx::TMessage& m) {
    RECT r{};
    if (FWindow && ::GetWindowRect(FWindow, &r)) FWindowRect = r;
    ::OffsetRect(&r, -r.left, -r.top);
    try {
        if (m.WParam) {
            Paint(reinterpret_cast<HDC>(m.WParam), r);
        } else {
            qx::PaintDc paint(FWindow);
            Paint(paint.get(), r);
        }
    } catch (...) {
        // Swallowed, as in PaintWindow; EndPaint has run, so the window is validated and the
        // fault does not come back at once.
    }
    m.Result = 0;
}

void TSkinControl::EraseWithParentBackground(qx::TMessage& m) {
    const HDC dc = reinterpret_cast<HDC>(m.WParam);
    if (FControl) {
        PaintParentBackground(FControl, dc);
    } else if (FWindow) {
        RECT client{};
        ::GetClientRect(FWindow, &client);
        FillParentColour(dc, client);
    }
    m.Result = 1;
}

void TSkinControl::FillBackground(HDC dc, const RECT& r) {
    const qx::TColor face = FSkinData ? FSkinData->ButtonFace : qx::clBtnFace;
    qx::UniqueBrush brush(::CreateSolidBrush(qx::ColorToRGB(face)));
    ::FillRect(dc, &r, brush.get());
}

void TSkinControl::FillParentColour(HDC dc, const RECT& r) {
    qx::TColor colour = FSkinData ? FSkinData->ButtonFace : qx::clBtnFace;
    if (qx::TControl* control = WrappedControl(); control && control->Parent()) colour = control->Parent()->Color();
    qx::UniqueBrush brush(::CreateSolidBrush(qx::ColorToRGB(colour)));
    ::FillRect(dc, &r, brush.get());
}

// The measured caption is centred (one pixel above the exact vertical centre) or right-aligned
// like the caption itself, then grown by 2 x 1 and kept inside r.
void TSkinControl::DrawFocus(HDC dc, UINT flags, const RECT& r) {
    RECT t = r;
    DrawTextWide(dc, FCaption, t, flags | DT_CALCRECT | DT_NOCLIP);
    const int rw = r.right - r.left, rh = r.bottom - r.top;
    const int tw = t.right - t.left, th = t.bottom - t.top;
    if (flags & DT_CENTER) ::OffsetRect(&t, (rw - tw) / 2, (rh - th) / 2 - 1);
    else if (flags & DT_RIGHT) ::OffsetRect(&t, rw - tw, 0);
    ::InflateRect(&t, 2, 1);
    ::IntersectRect(&t, &t, &r);
    ::DrawFocusRect(dc, &t);
}

// Controls wider or taller than a 16-bit coordinate can say get their point from the cursor.
void TSkinControl::ForwardMouseDown(const qx::TMessage& m) {
    if (!FControl || !FControl->OnMouseDown) return;
    POINT p{static_cast<short>(LOWORD(m.LParam)), static_cast<short>(HIWORD(m.LParam))};
    if (FControl->Width() > 0x8000 || FControl->Height() > 0x8000) {
        ::GetCursorPos(&p);
        ::ScreenToClient(FWindow, &p);
    }
    FControl->OnMouseDown(FControl, 0, m.WParam, p.x, p.y);
}

LONG_PTR TSkinControl::WindowLong(HWND window, int index) const {
    return FUnicode ? ::GetWindowLongPtrW(window, index) : ::GetWindowLongPtrA(window, index);
}

// A control inside a disabled container (the working panel while a census runs) looks disabled
// too; a disabled top-level window (behind a modal message box) does not count.
bool TSkinControl::WindowEnabled() const {
    if (FWindow) {
        for (HWND w = FWindow; w; w = ::GetParent(w)) {
            const LONG_PTR style = WindowLong(w, GWL_STYLE);
            if (!(style & WS_CHILD)) break;
            if (style & WS_DISABLED) return false;
        }
        return true;
    }
    return !FGraphicControl || FGraphicControl->Enabled();
}

std::wstring TSkinControl::ReadCaption() const {
    if (qx::TControl* control = WrappedControl()) return control->Caption();
    return qx::WindowTextOf(FWindow, FUnicode);
}
