#include "StdCtrls.h"

namespace qx {

const std::vector<std::wstring>& AlignmentNames();
static const std::vector<std::wstring> kCheckStateNames{L"cbUnchecked", L"cbChecked", L"cbGrayed"};

//--- TCheckBox

QX_DEFINE_CLASS(TCheckBox, TWinControl, b) {
    b.Boolean(L"AllowGrayed", &TCheckBox::AllowGrayed, &TCheckBox::SetAllowGrayed);
    b.Enum<TAlignment>(L"Alignment", AlignmentNames(), &TCheckBox::Alignment, &TCheckBox::SetAlignment);
    b.Enum<TCheckBoxState>(L"State", kCheckStateNames, &TCheckBox::State, &TCheckBox::SetState);
    b.Boolean(L"Checked", &TCheckBox::Checked, &TCheckBox::SetChecked).NotStored();
    b.Creatable();
}

TCheckBox::TCheckBox(TComponent* owner) : TWinControl(owner) {
    FWidth = 97;
    FHeight = 17;
    FTabStop = true;
}

void TCheckBox::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    p.SysClassName = L"BUTTON";
    // A plain three-state box: the control's own toggling is ours, so AllowGrayed decides.
    p.Style |= BS_3STATE;
    if (FAlignment == TAlignment::taLeftJustify) p.Style |= BS_LEFTTEXT;
}

void TCheckBox::HandleCreated() { ::SendMessageW(FHandle, BM_SETCHECK, static_cast<WPARAM>(FState), 0); }

void TCheckBox::SetAlignment(TAlignment a) {
    if (a == FAlignment) return;
    FAlignment = a;
    RecreateWnd();
}

// Every change of the state is a click, whether the user or the program made it.
void TCheckBox::SetState(TCheckBoxState s) {
    if (s == FState) return;
    FState = s;
    if (FHandle) ::SendMessageW(FHandle, BM_SETCHECK, static_cast<WPARAM>(s), 0);
    if (!FClicksDisabled && !HasState(csLoading)) Click();
}

void TCheckBox::Toggle() {
    switch (FState) {
    case TCheckBoxState::cbUnchecked: SetState(FAllowGrayed ? TCheckBoxState::cbGrayed : TCheckBoxState::cbChecked); break;
    case TCheckBoxState::cbChecked: SetState(TCheckBoxState::cbUnchecked); break;
    case TCheckBoxState::cbGrayed: SetState(TCheckBoxState::cbChecked); break;
    }
}

void TCheckBox::WndProc(TMessage& m) {
    switch (m.Msg) {
    case CN_COMMAND:
        if (HIWORD(m.WParam) == BN_CLICKED) Toggle();
        return;
    case CM_DIALOGCHAR:
        if (IsAccel(m.WParam, Caption()) && CanFocus()) {
            SetFocus();
            Toggle();
            m.Result = 1;
        }
        return;
    }
    TWinControl::WndProc(m);
}

//--- TRadioButton

QX_DEFINE_CLASS(TRadioButton, TWinControl, b) {
    b.Enum<TAlignment>(L"Alignment", AlignmentNames(), &TRadioButton::Alignment, &TRadioButton::SetAlignment);
    b.Boolean(L"Checked", &TRadioButton::Checked, &TRadioButton::SetChecked);
    b.Creatable();
}

TRadioButton::TRadioButton(TComponent* owner) : TWinControl(owner) {
    FWidth = 113;
    FHeight = 17;
}

void TRadioButton::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    p.SysClassName = L"BUTTON";
    p.Style |= BS_RADIOBUTTON;
    if (FAlignment == TAlignment::taLeftJustify) p.Style |= BS_LEFTTEXT;
}

void TRadioButton::HandleCreated() { ::SendMessageW(FHandle, BM_SETCHECK, FChecked, 0); }

void TRadioButton::SetAlignment(TAlignment a) {
    if (a == FAlignment) return;
    FAlignment = a;
    RecreateWnd();
}

// Checking one radio button unchecks its siblings; only the checked one is a tab stop.
void TRadioButton::SetChecked(bool v) {
    if (v == FChecked) return;
    FChecked = v;
    FTabStop = v;
    if (FHandle) ::SendMessageW(FHandle, BM_SETCHECK, v, 0);
    if (!v) return;
    if (FParent)
        for (int i = 0; i < FParent->ControlCount(); ++i)
            if (auto* other = dynamic_cast<TRadioButton*>(FParent->Controls(i)); other && other != this)
                other->SetChecked(false);
    if (!FClicksDisabled && !HasState(csLoading)) Click();
}

void TRadioButton::WndProc(TMessage& m) {
    switch (m.Msg) {
    case CN_COMMAND:
        if (HIWORD(m.WParam) == BN_CLICKED) SetChecked(true);
        return;
    case WM_SETFOCUS:
        // Moving onto a radio button with the arrow keys chooses it.
        TWinControl::WndProc(m);
        if (::GetKeyState(VK_LBUTTON) >= 0) SetChecked(true);
        return;
    case CM_DIALOGCHAR:
        if (IsAccel(m.WParam, Caption()) && CanFocus()) {
            SetFocus();
            SetChecked(true);
            m.Result = 1;
        }
        return;
    }
    TWinControl::WndProc(m);
}

}  // namespace qx
