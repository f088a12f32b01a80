#include "StdCtrls.h"

namespace qx {

QX_DEFINE_CLASS(TEdit, TWinControl, b) {
    b.String(L"Text", &TEdit::Text, [](TEdit& e, const std::wstring& s) { e.SetText(s); });
    b.Integer(L"PasswordChar", [](TEdit& e) { return static_cast<int>(e.PasswordChar()); },
              [](TEdit& e, int c) { e.SetPasswordChar(static_cast<wchar_t>(c)); });
    b.Boolean(L"ReadOnly", &TEdit::ReadOnly, &TEdit::SetReadOnly);
    b.Integer(L"MaxLength", &TEdit::MaxLength, &TEdit::SetMaxLength);
    b.Event(L"OnChange", &TEdit::OnChange);
    b.Creatable();
}

TEdit::TEdit(TComponent* owner) : TWinControl(owner) {
    FWidth = 121;
    FHeight = 21;
    FTabStop = true;
    FColor = clWindow;
    FParentColor = false;
    FBrush.SetColor(clWindow);
}

void TEdit::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    p.SysClassName = L"EDIT";
    p.Style |= ES_AUTOHSCROLL | ES_LEFT;
    if (FReadOnly) p.Style |= ES_READONLY;
    if (FPasswordChar) p.Style |= ES_PASSWORD;
    p.ExStyle |= WS_EX_CLIENTEDGE;
}

void TEdit::HandleCreated() {
    if (FPasswordChar) ::SendMessageW(FHandle, EM_SETPASSWORDCHAR, FPasswordChar, 0);
    if (FMaxLength) ::SendMessageW(FHandle, EM_LIMITTEXT, FMaxLength, 0);
}

void TEdit::SetPasswordChar(wchar_t c) {
    if (c == FPasswordChar) return;
    FPasswordChar = c;
    if (FHandle) {
        ::SendMessageW(FHandle, EM_SETPASSWORDCHAR, c, 0);
        Invalidate();
    }
}

void TEdit::SetReadOnly(bool v) {
    FReadOnly = v;
    if (FHandle) ::SendMessageW(FHandle, EM_SETREADONLY, v, 0);
}

void TEdit::SetMaxLength(int v) {
    FMaxLength = v;
    if (FHandle) ::SendMessageW(FHandle, EM_LIMITTEXT, v, 0);
}

void TEdit::SelectAll() {
    if (FHandle) ::SendMessageW(FHandle, EM_SETSEL, 0, -1);
}

void TEdit::WndProc(TMessage& m) {
    if (m.Msg == CN_COMMAND && HIWORD(m.WParam) == EN_CHANGE) {
        if (OnChange && !HasState(csLoading)) OnChange(this);
        return;
    }
    TWinControl::WndProc(m);
}

}  // namespace qx
