#pragma once
// The program's information messages: the framework's message form (window class
// "TMessageForm") and a wrapper of the system message box (class "#32770").
#include "Forms.h"
#include "StdCtrls.h"

namespace qx {

class TMessageForm : public TForm {
    QX_CLASS(TMessageForm)
public:
    // A message form with the application title as caption, the text and an OK button.
    TMessageForm(TComponent* owner, const std::wstring& text, const std::wstring& caption);

    TStaticText* Message() const { return FMessage; }
    TButton* OkButton() const { return FOk; }

private:
    TStaticText* FMessage;
    TButton* FOk;
};

// Shows `text` in a message form captioned with the application title; returns when the
// user has answered it (OK, Enter or Esc).
void ShowMessage(const std::wstring& text);
// The system message box, owned by the active window; returns the button chosen (IDOK, ...).
int MessageDlgBox(const std::wstring& text, const std::wstring& caption, UINT flags);

}  // namespace qx
