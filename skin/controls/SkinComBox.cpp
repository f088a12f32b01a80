#include "skin/controls/SkinComBox.h"

#include "framework/Forms.h"
#include "skin/controls/SkinSubWrappers.h"
#include "skin/data/SkinData.h"

#include <utility>

QX_DEFINE_CLASS(TSkinComBox, TSkinControl, b) {}

TSkinComBox::TSkinComBox(qx::TComponent* owner) : TSkinControl(owner) { FComboInfo.cbSize = sizeof(COMBOBOXINFO); }

// A stub that someone else's subclass still calls stays callable: the slot leaves it passing
// messages on, never into this freed wrapper.
TSkinComBox::~TSkinComBox() { UnhookEdit(); }

void TSkinComBox::Notification(qx::TComponent* component, qx::TOperation operation) {
    TSkinControl::Notification(component, operation);
    if (operation == qx::TOperation::opRemove && component == FListScrollbars) FListScrollbars = nullptr;
}

//--- attaching

void TSkinComBox::Attach(TSkinControlHost* form, TSkinData* skinData, bool colourFlag, qx::TCanvas* canvas) {
    if (FAttached) return;
    TSkinControl::Attach(form, skinData, colourFlag, canvas);
    if (FAttached) AfterAttach();
}

void TSkinComBox::AttachWindow(HWND window, TSkinData* skinData, TSkinControlHost* form, qx::TCanvas* canvas) {
    if (FAttached) return;
    TSkinControl::AttachWindow(window, skinData, form, canvas);
    if (FAttached) AfterAttach();
}

// A drop-down combo's edit field is hooked; a simple combo's list, when it is a plain child
// window, gets the scroll-bar wrapper.
void TSkinComBox::AfterAttach() {
    FStyle = static_cast<DWORD>(WindowLong(FWindow, GWL_STYLE));
    FListScrollbars = nullptr;
    if ((FStyle & 3) != CBS_SIMPLE) {
        FListWindow = nullptr;
        HookEdit(::GetWindow(FWindow, GW_CHILD));
        return;
    }
    FComboInfo.cbSize = sizeof(COMBOBOXINFO);
    if (!::GetComboBoxInfo(FWindow, &FComboInfo)) return;
    FListWindow = FComboInfo.hwndList;
    const LONG_PTR listStyle = ::GetWindowLongPtrW(FListWindow, GWL_STYLE);
    if ((listStyle & WS_POPUP) || !(listStyle & WS_CHILD) || ::GetParent(FListWindow) == ::GetDesktopWindow()) return;
    // Like every wrapper of a raw window it belongs to the form, which lists it too.
    FListScrollbars = MakeListScrollbar(FForm ? FForm->HostComponent() : static_cast<qx::TComponent*>(this));
    if (!FListScrollbars) return;
    FListScrollbars->FreeNotification(this);  // the form may free it first
    FListScrollbars->AttachWindow(FListWindow, FSkinData, FForm, FCanvas);
}

// The list's scroll-bar wrapper sits in the form's wrapper list: the form frees it with the
// others (freeing it here would leave the form's release loop a dangling entry). Only a
// combo skinned without a form frees it itself.
void TSkinComBox::Detach() {
    TSkinControl::Detach();
    UnhookEdit();
    TSkinControl* scrollbars = std::exchange(FListScrollbars, nullptr);
    if (scrollbars && scrollbars->Owner() == this) delete scrollbars;
}

//--- the edit field's hook

void TSkinComBox::HookEdit(HWND edit) {
    if (!edit || FEditWindow) return;
    if (FEditSlot.Install(edit, qx::TWndMethod::Of<&TSkinComBox::EditWndProc>(this))) FEditWindow = edit;
}

// Puts the edit's procedure back where ours is still the current one; a subclass installed on
// top of ours keeps calling the stub, which then only passes messages on.
void TSkinComBox::UnhookEdit() {
    FEditSlot.Release();
    FEditWindow = nullptr;
}

void TSkinComBox::EditWndProc(qx::TMessage& m) noexcept {
    FEditSlot.CallPrevious(m);
    if (m.Msg == WM_NCDESTROY) {
        UnhookEdit();
        return;
    }
    if (!FPaintingOn || FState != kWrapperAttached) return;
    try {
        switch (m.Msg) {
        case WM_PAINT: PaintWindow(nullptr); break;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK: SetPressed(true); Repaint(); break;
        case WM_LBUTTONUP: SetPressed(false); Repaint(); break;
        // The combo's focus look follows its edit field, which holds the focus for it.
        case WM_SETFOCUS:
        case WM_KILLFOCUS: Repaint(); break;
        }
    } catch (...) {
        if (qx::Application) qx::Application->HandleException(this);
    }
}

//--- messages and painting

void TSkinComBox::AfterMessage(qx::TMessage& m) {
    switch (m.Msg) {
    case WM_DRAWITEM:
    case WM_NCPAINT: Repaint(); return;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: SetPressed(true); Repaint(); return;
    case WM_LBUTTONUP: SetPressed(false); Repaint(); return;
    case qx::CM_MOUSEENTER:
        if (FEnabled) SetHot(true);
        return;
    case qx::CM_MOUSELEAVE:
        if (FEnabled) {
            SetHot(false);
            Repaint();
        }
        return;
    // A press that opened the list is released over the list, never over the combo: the
    // button comes up when the list closes.
    case qx::CN_COMMAND:
        if (HIWORD(m.WParam) == CBN_CLOSEUP && Pressed()) {
            SetPressed(false);
            Repaint();
        }
        return;
    default: TSkinControl::AfterMessage(m);
    }
}

TComboLook TSkinComBox::Look() const {
    TComboLook look;
    if (!FSkinData) return look;
    look.SunkEdge = FSkinData->SunkEdge.get();
    look.ComboButton = FSkinData->ComboButton.get();
    look.ExtraImages = FSkinData->ExtraImages.get();
    look.Shadow = qx::ColorToRGB(FSkinData->ButtonShadow);
    return look;
}

// A drop-down combo's focus sits in its edit field.
bool TSkinComBox::ComboFocused() const {
    const HWND focus = ::GetFocus();
    return focus && (focus == FWindow || ::IsChild(FWindow, focus));
}

void TSkinComBox::Paint(HDC dc, const RECT& r) {
    FLastFrame = 0;
    const TComboLook look = Look();
    if (!look.ComboButton || look.ComboButton->Bitmap.Empty()) return;
    FStyle = static_cast<DWORD>(WindowLong(FWindow, GWL_STYLE));
    FExStyle = static_cast<DWORD>(WindowLong(FWindow, GWL_EXSTYLE));
    FComboInfo.cbSize = sizeof(COMBOBOXINFO);
    if (!::GetComboBoxInfo(FWindow, &FComboInfo) || (FComboInfo.stateButton & STATE_SYSTEM_INVISIBLE)) return;
    if ((FStyle & 3) == CBS_SIMPLE) return;
    FFocused = ComboFocused();
    FEnabled = (FStyle & WS_DISABLED) == 0;
    const TComboPaintState state{Pressed(), Hot(), FFocused, FEnabled, (FExStyle & WS_EX_LEFTSCROLLBAR) != 0};
    if (PaintSkinCombo(dc, r, look, state, SystemComboMetrics())) FLastFrame = ComboFrame(state);
}
