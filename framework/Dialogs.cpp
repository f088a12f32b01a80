#include "Dialogs.h"

#include <algorithm>

namespace qx {

QX_DEFINE_CLASS(TMessageForm, TForm, b) {}

namespace {
constexpr int kMargin = 12;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 25;
constexpr int kMaxTextWidth = 480;

SIZE MeasureText(TFont& font, const std::wstring& text) {
    HDC dc = ::GetDC(nullptr);
    HGDIOBJ old = ::SelectObject(dc, font.Handle());
    RECT r{0, 0, kMaxTextWidth, 0};
    ::DrawTextW(dc, text.empty() ? L" " : text.c_str(), -1, &r, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS);
    ::SelectObject(dc, old);
    ::ReleaseDC(nullptr, dc);
    return {r.right, r.bottom};
}
}  // namespace

TMessageForm::TMessageForm(TComponent* owner, const std::wstring& text, const std::wstring& caption) : TForm(owner) {
    SetBorderStyle(TFormBorderStyle::bsDialog);
    SetPosition(TPosition::poScreenCenter);
    SetCaption(caption);
    Font()->SetName(L"MS Sans Serif");
    Font()->SetHeight(-11);

    FMessage = new TStaticText(this);
    FMessage->SetName(L"Message");
    FMessage->SetParent(this);
    FMessage->SetCaption(text);
    SIZE textSize = MeasureText(*FMessage->Font(), text);

    FOk = new TButton(this);
    FOk->SetName(L"OK");
    FOk->SetParent(this);
    FOk->SetCaption(L"OK");
    FOk->SetModalResult(mrOk);
    FOk->SetDefault(true);
    FOk->SetCancel(true);

    int clientW = std::max<int>(textSize.cx, kButtonWidth) + 2 * kMargin;
    int clientH = kMargin + textSize.cy + kMargin + kButtonHeight + kMargin;
    FMessage->SetBounds(kMargin, kMargin, textSize.cx, textSize.cy);
    FOk->SetBounds((clientW - kButtonWidth) / 2, kMargin + textSize.cy + kMargin, kButtonWidth, kButtonHeight);
    SetClientWidth(clientW);
    SetClientHeight(clientH);
    SetActiveControl(FOk);
}

void ShowMessage(const std::wstring& text) {
    TMessageForm* form = new TMessageForm(Application, text, Application ? Application->Title() : L"");
    try {
        form->ShowModal();
    } catch (...) {
        delete form;
        throw;
    }
    delete form;
}

int MessageDlgBox(const std::wstring& text, const std::wstring& caption, UINT flags) {
    return Application ? Application->MessageBox(text, caption, flags) : ::MessageBoxW(nullptr, text.c_str(), caption.c_str(), flags);
}

}  // namespace qx
