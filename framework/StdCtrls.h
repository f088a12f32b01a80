#pragma once
// Standard controls: label, static text, edit, button, check box and radio button.
#include "Controls.h"

namespace qx {

enum class TAlignment { taLeftJustify, taRightJustify, taCenter };
enum class TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };

// True when `key` is the "&" accelerator of `caption` (case-insensitive).
bool IsAccel(WPARAM key, const std::wstring& caption);

class TLabel : public TGraphicControl {
    QX_CLASS(TLabel)
public:
    explicit TLabel(TComponent* owner);

    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool v);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool v) { FTransparent = v; Invalidate(); }
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool v) { FWordWrap = v; AdjustBounds(); Invalidate(); }
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment v) { FAlignment = v; Invalidate(); }
    bool ShowAccelChar() const { return FShowAccelChar; }
    void SetShowAccelChar(bool v) { FShowAccelChar = v; Invalidate(); }
    TWinControl* FocusControl() const { return FFocusControl; }
    void SetFocusControl(TWinControl* c) { FFocusControl = c; }
    void SetText(const std::wstring& s) override;
    void WndProc(TMessage& m) override;
    void Loaded() override;

protected:
    void Paint() override;
    void FontChanged(TObject*) override;

private:
    UINT DrawFlags() const;
    void AdjustBounds();
    bool FAutoSize = true;
    bool FTransparent = false;
    bool FWordWrap = false;
    bool FShowAccelChar = true;
    TAlignment FAlignment = TAlignment::taLeftJustify;
    TWinControl* FFocusControl = nullptr;
};

// A label with a window of its own: screen readers and automation read its window text.
class TStaticText : public TWinControl {
    QX_CLASS(TStaticText)
public:
    explicit TStaticText(TComponent* owner);

protected:
    void CreateParams(TCreateParams& p) override;
};

class TEdit : public TWinControl {
    QX_CLASS(TEdit)
public:
    explicit TEdit(TComponent* owner);

    std::wstring Text() { return GetText(); }
    wchar_t PasswordChar() const { return FPasswordChar; }
    void SetPasswordChar(wchar_t c);
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool v);
    int MaxLength() const { return FMaxLength; }
    void SetMaxLength(int v);
    void SelectAll();
    void WndProc(TMessage& m) override;

    TNotifyEvent OnChange;

protected:
    void CreateParams(TCreateParams& p) override;
    void HandleCreated() override;

private:
    wchar_t FPasswordChar = 0;
    bool FReadOnly = false;
    int FMaxLength = 0;
};

// Push button. Enter clicks the default button (or the focused one), Esc the cancel button.
class TButton : public TWinControl {
    QX_CLASS(TButton)
public:
    explicit TButton(TComponent* owner);

    bool Default() const { return FDefault; }
    void SetDefault(bool v);
    bool Cancel() const { return FCancel; }
    void SetCancel(bool v) { FCancel = v; }
    int ModalResult() const { return FModalResult; }
    void SetModalResult(int v) { FModalResult = v; }
    void Click() override;
    void WndProc(TMessage& m) override;

protected:
    void CreateParams(TCreateParams& p) override;

private:
    void SetButtonStyle(bool defaultLook);
    bool FDefault = false;
    bool FCancel = false;
    bool FActive = false;
    int FModalResult = 0;
};

class TCheckBox : public TWinControl {
    QX_CLASS(TCheckBox)
public:
    explicit TCheckBox(TComponent* owner);

    TCheckBoxState State() const { return FState; }
    void SetState(TCheckBoxState s);
    bool Checked() const { return FState == TCheckBoxState::cbChecked; }
    void SetChecked(bool v) { SetState(v ? TCheckBoxState::cbChecked : TCheckBoxState::cbUnchecked); }
    bool AllowGrayed() const { return FAllowGrayed; }
    void SetAllowGrayed(bool v) { FAllowGrayed = v; }
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment a);
    void WndProc(TMessage& m) override;

protected:
    void CreateParams(TCreateParams& p) override;
    void HandleCreated() override;
    virtual void Toggle();

private:
    TCheckBoxState FState = TCheckBoxState::cbUnchecked;
    bool FAllowGrayed = false;
    TAlignment FAlignment = TAlignment::taRightJustify;
};

class TRadioButton : public TWinControl {
    QX_CLASS(TRadioButton)
public:
    explicit TRadioButton(TComponent* owner);

    bool Checked() const { return FChecked; }
    void SetChecked(bool v);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment a);
    void WndProc(TMessage& m) override;

protected:
    void CreateParams(TCreateParams& p) override;
    void HandleCreated() override;

private:
    bool FChecked = false;
    TAlignment FAlignment = TAlignment::taRightJustify;
};

}  // namespace qx
