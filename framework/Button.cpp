#include "Forms.h"
#include "StdCtrls.h"

namespace qx {

QX_DEFINE_CLASS(TButton, TWinControl, b) {
    b.Boolean(L"Default", &TButton::Default, &TButton::SetDefault);
    b.Boolean(L"Cancel", &TButton::Cancel, &TButton::SetCancel);
    b.Integer(L"ModalResult", &TButton::ModalResult, &TButton::SetModalResult);
    b.Creatable();
}

TButton::TButton(TComponent* owner) : TWinControl(owner) {
    FWidth = 75;
    FHeight = 25;
    FTabStop = true;
}

void TButton::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    p.SysClassName = L"BUTTON";
    p.Style |= (FDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
}

void TButton::SetDefault(bool v) {
    FDefault = v;
    if (FHandle) {
        TCustomForm* form = GetParentForm(this);
        if (form) form->Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(form->ActiveControl()));
    }
}

void TButton::SetButtonStyle(bool defaultLook) {
    if (!FHandle || defaultLook == FActive) return;
    FActive = defaultLook;
    ::SendMessageW(FHandle, BM_SETSTYLE, defaultLook ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

void TButton::Click() {
    if (TCustomForm* form = GetParentForm(this); form && FModalResult != 0) form->SetModalResult(FModalResult);
    TWinControl::Click();
}

void TButton::WndProc(TMessage& m) {
    switch (m.Msg) {
    case CN_COMMAND:
        if (HIWORD(m.WParam) == BN_CLICKED) Click();
        return;
    case CM_DIALOGKEY:
        // Enter belongs to the button that shows the default look, Esc to the cancel button.
        if (((m.WParam == VK_RETURN && FActive) || (m.WParam == VK_ESCAPE && FCancel)) && CanFocus()) {
            Click();
            m.Result = 1;
        }
        return;
    case CM_DIALOGCHAR:
        if (IsAccel(m.WParam, Caption()) && CanFocus()) {
            Click();
            m.Result = 1;
        }
        return;
    case CM_FOCUSCHANGED: {
        auto* focused = reinterpret_cast<TWinControl*>(m.LParam);
        bool focusedIsButton = dynamic_cast<TButton*>(focused) != nullptr;
        SetButtonStyle(focusedIsButton ? focused == this : FDefault);
        return;
    }
    }
    TWinControl::WndProc(m);
}

}  // namespace qx
