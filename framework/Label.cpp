#include "StdCtrls.h"

#include <cwctype>

namespace qx {

const std::vector<std::wstring>& AlignmentNames() {
    static const std::vector<std::wstring> names{L"taLeftJustify", L"taRightJustify", L"taCenter"};
    return names;
}

bool IsAccel(WPARAM key, const std::wstring& caption) {
    for (size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != L'&') continue;
        if (caption[i + 1] == L'&') { ++i; continue; }
        return std::towupper(caption[i + 1]) == std::towupper(static_cast<wint_t>(key));
    }
    return false;
}

QX_DEFINE_CLASS(TLabel, TGraphicControl, b) {
    b.Boolean(L"AutoSize", &TLabel::AutoSize, &TLabel::SetAutoSize);
    b.Boolean(L"Transparent", &TLabel::Transparent, &TLabel::SetTransparent);
    b.Boolean(L"WordWrap", &TLabel::WordWrap, &TLabel::SetWordWrap);
    b.Boolean(L"ShowAccelChar", &TLabel::ShowAccelChar, &TLabel::SetShowAccelChar);
    b.Enum<TAlignment>(L"Alignment", AlignmentNames(), &TLabel::Alignment, &TLabel::SetAlignment);
    b.Creatable();
}

TLabel::TLabel(TComponent* owner) : TGraphicControl(owner) {
    FWidth = 65;
    FHeight = 17;
}

UINT TLabel::DrawFlags() const {
    UINT flags = DT_EXPANDTABS | (FWordWrap ? DT_WORDBREAK : DT_SINGLELINE);
    if (!FShowAccelChar) flags |= DT_NOPREFIX;
    if (FAlignment == TAlignment::taRightJustify) flags |= DT_RIGHT;
    else if (FAlignment == TAlignment::taCenter) flags |= DT_CENTER;
    return flags;
}

void TLabel::Paint() {
    TCanvas& canvas = Canvas();
    RECT r = ClientRect();
    if (!FTransparent) {
        canvas.Brush().SetColor(FColor);
        canvas.FillRect(r);
    }
    canvas.Brush().SetStyle(TBrushStyle::bsClear);
    canvas.Font().Assign(Font());
    std::wstring text = Caption();
    if (!FEnabled) {
        // The platform's disabled look: a highlight copy offset by one pixel under the shadow.
        RECT shifted = r;
        ::OffsetRect(&shifted, 1, 1);
        canvas.Font().SetColor(clBtnHighlight);
        ::DrawTextW(canvas.Handle(), text.c_str(), -1, &shifted, DrawFlags());
        canvas.Font().SetColor(clBtnShadow);
    }
    ::DrawTextW(canvas.Handle(), text.c_str(), -1, &r, DrawFlags());
}

void TLabel::AdjustBounds() {
    if (!FAutoSize || HasState(csLoading)) return;
    HDC dc = ::GetDC(nullptr);
    HGDIOBJ old = ::SelectObject(dc, Font()->Handle());
    RECT r{0, 0, FWordWrap ? FWidth : 0, 0};
    std::wstring text = Caption().empty() ? L" " : Caption();
    ::DrawTextW(dc, text.c_str(), -1, &r, DrawFlags() | DT_CALCRECT);
    ::SelectObject(dc, old);
    ::ReleaseDC(nullptr, dc);
    SetBounds(FLeft, FTop, r.right, r.bottom);
}

void TLabel::SetAutoSize(bool v) {
    FAutoSize = v;
    AdjustBounds();
}

void TLabel::SetText(const std::wstring& s) {
    TGraphicControl::SetText(s);
    AdjustBounds();
}

void TLabel::FontChanged(TObject* sender) {
    TGraphicControl::FontChanged(sender);
    AdjustBounds();
}

void TLabel::Loaded() {
    TGraphicControl::Loaded();
    AdjustBounds();
}

void TLabel::WndProc(TMessage& m) {
    if (m.Msg == CM_DIALOGCHAR && FFocusControl && FEnabled && FShowAccelChar && IsAccel(m.WParam, Caption()) &&
        FFocusControl->CanFocus()) {
        FFocusControl->SetFocus();
        m.Result = 1;
        return;
    }
    TGraphicControl::WndProc(m);
}

//--- TStaticText

QX_DEFINE_CLASS(TStaticText, TWinControl, b) { b.Creatable(); }

TStaticText::TStaticText(TComponent* owner) : TWinControl(owner) {
    FWidth = 65;
    FHeight = 17;
}

void TStaticText::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    p.SysClassName = L"STATIC";
    p.Style |= SS_LEFT | SS_NOPREFIX;
}

}  // namespace qx
