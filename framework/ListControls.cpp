#include "ListControls.h"

#include "Handles.h"

#include <algorithm>
#include <stdexcept>

namespace qx {

//--- TMemoStrings

QX_DEFINE_CLASS(TMemoStrings, TStrings, b) {}

std::vector<std::wstring> TMemoStrings::Lines() const {
    TStringList split;
    split.SetText(FMemo.GetText());
    std::vector<std::wstring> lines;
    for (int i = 0; i < split.Count(); ++i) lines.push_back(split.Get(i));
    return lines;
}

void TMemoStrings::Store(const std::vector<std::wstring>& lines) {
    std::wstring text;
    for (const auto& line : lines) text += line + L"\r\n";
    FMemo.SetText(text);
    Changed();
}

int TMemoStrings::Count() const { return static_cast<int>(Lines().size()); }

std::wstring TMemoStrings::Get(int index) const { return Lines().at(static_cast<size_t>(index)); }

void TMemoStrings::Put(int index, const std::wstring& s) {
    auto lines = Lines();
    lines.at(static_cast<size_t>(index)) = s;
    Store(lines);
}

void TMemoStrings::Insert(int index, const std::wstring& s) {
    auto lines = Lines();
    if (index < 0 || index > static_cast<int>(lines.size())) throw std::out_of_range("list index out of bounds");
    lines.insert(lines.begin() + index, s);
    Store(lines);
}

void TMemoStrings::Delete(int index) {
    auto lines = Lines();
    if (index < 0 || index >= static_cast<int>(lines.size())) throw std::out_of_range("list index out of bounds");
    lines.erase(lines.begin() + index);
    Store(lines);
}

void TMemoStrings::Clear() { Store({}); }

//--- TMemo

static const std::vector<std::wstring> kScrollStyleNames{L"ssNone", L"ssHorizontal", L"ssVertical", L"ssBoth"};

QX_DEFINE_CLASS(TMemo, TEdit, b) {
    b.Object(L"Lines", &TMemo::Lines);
    b.Enum<TScrollStyle>(L"ScrollBars", kScrollStyleNames, &TMemo::ScrollBars, &TMemo::SetScrollBars);
    b.Boolean(L"WordWrap", &TMemo::WordWrap, &TMemo::SetWordWrap);
    b.Boolean(L"WantReturns", &TMemo::WantReturns, &TMemo::SetWantReturns);
    b.Creatable();
}

TMemo::TMemo(TComponent* owner) : TEdit(owner), FLines(*this) {
    FWidth = 185;
    FHeight = 89;
}

void TMemo::CreateParams(TCreateParams& p) {
    TEdit::CreateParams(p);
    p.Style |= ES_MULTILINE | ES_AUTOVSCROLL;
    bool horizontal = FScrollBars == TScrollStyle::ssHorizontal || FScrollBars == TScrollStyle::ssBoth;
    if (horizontal) p.Style |= WS_HSCROLL;
    if (FScrollBars == TScrollStyle::ssVertical || FScrollBars == TScrollStyle::ssBoth) p.Style |= WS_VSCROLL;
    // Wrapped lines never scroll sideways.
    if (FWordWrap && !horizontal) p.Style &= ~static_cast<DWORD>(ES_AUTOHSCROLL);
    if (FWantReturns) p.Style |= ES_WANTRETURN;
}

void TMemo::SetScrollBars(TScrollStyle v) {
    if (v == FScrollBars) return;
    FScrollBars = v;
    RecreateWnd();
}

void TMemo::SetWordWrap(bool v) {
    if (v == FWordWrap) return;
    FWordWrap = v;
    RecreateWnd();
}

void TMemo::WndProc(TMessage& m) {
    TEdit::WndProc(m);
    // Without WantReturns, Enter belongs to the form (its default button).
    if (m.Msg == WM_GETDLGCODE && !FWantReturns) m.Result &= ~static_cast<LRESULT>(DLGC_WANTALLKEYS);
}

//--- TListBox

QX_DEFINE_CLASS(TListBox, TWinControl, b) {
    b.Boolean(L"Sorted", &TListBox::Sorted, &TListBox::SetSorted);
    b.Boolean(L"MultiSelect", &TListBox::MultiSelect, &TListBox::SetMultiSelect);
    b.Boolean(L"ExtendedSelect", &TListBox::ExtendedSelect, &TListBox::SetExtendedSelect);
    b.Boolean(L"IntegralHeight", &TListBox::IntegralHeight, &TListBox::SetIntegralHeight);
    b.Enum<TScrollStyle>(L"ScrollBars", kScrollStyleNames, &TListBox::ScrollBars, &TListBox::SetScrollBars);
    b.Integer(L"ScrollWidth", &TListBox::ScrollWidth, &TListBox::SetScrollWidth);
    b.Object(L"Items", &TListBox::Items);
    b.Integer(L"ItemIndex", &TListBox::ItemIndex, &TListBox::SetItemIndex);
    b.Event(L"OnDblClick", &TListBox::OnDblClick);
    b.Creatable();
}

TListBox::TListBox(TComponent* owner) : TWinControl(owner), FItems(*this, kListBoxMessages) {
    FWidth = 121;
    FHeight = 97;
    FTabStop = true;
    FColor = clWindow;
    FParentColor = false;
    FBrush.SetColor(clWindow);
}

void TListBox::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    p.SysClassName = L"LISTBOX";
    p.Style |= LBS_NOTIFY | LBS_HASSTRINGS;
    if (FScrollBars == TScrollStyle::ssVertical || FScrollBars == TScrollStyle::ssBoth) p.Style |= WS_VSCROLL;
    if (ScrollsSideways()) p.Style |= WS_HSCROLL;
    if (!FIntegralHeight) p.Style |= LBS_NOINTEGRALHEIGHT;
    if (FItems.Sorted()) p.Style |= LBS_SORT;
    if (FMultiSelect) p.Style |= FExtendedSelect ? LBS_EXTENDEDSEL : LBS_MULTIPLESEL;
    p.ExStyle |= WS_EX_CLIENTEDGE;
}

void TListBox::HandleCreated() {
    FItems.HandleCreated();
    if (FItemIndex >= 0) SetItemIndex(FItemIndex);
    UpdateHorizontalExtent();
}

void TListBox::SetScrollBars(TScrollStyle v) {
    if (v == FScrollBars) return;
    FScrollBars = v;
    RecreateWnd();
}

void TListBox::SetScrollWidth(int v) {
    FScrollWidth = v < 0 ? 0 : v;
    UpdateHorizontalExtent();
}

// The system scrolls a list box sideways only as far as it is told: the widest item, with the
// item's margins, or ScrollWidth when that is wider.
int TListBox::ItemTextWidth(const wchar_t* text) {
    if (!text) return 0;
    WindowDc dc(FHandle);
    SelectGuard font(dc.get(), reinterpret_cast<HFONT>(::SendMessageW(FHandle, WM_GETFONT, 0, 0)));
    SIZE size{};
    ::GetTextExtentPoint32W(dc.get(), text, static_cast<int>(wcslen(text)), &size);
    return size.cx + 6;
}

void TListBox::WriteHorizontalExtent() {
    const int extent = ScrollsSideways() ? std::max(FWidestItem, FScrollWidth) : 0;
    ::SendMessageW(FHandle, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(extent), 0);
}

void TListBox::UpdateHorizontalExtent() {
    if (!FHandle) return;
    FWidestItem = 0;
    if (ScrollsSideways())
        for (int i = 0; i < FItems.Count(); ++i) FWidestItem = std::max(FWidestItem, ItemTextWidth(FItems.Get(i).c_str()));
    WriteHorizontalExtent();
}

void TListBox::DestroyWnd() {
    if (FHandle) {
        FItemIndex = ItemIndex();
        FItems.SaveBeforeDestroy();
    }
    TWinControl::DestroyWnd();
}

// With several selectable items the item index is the one with the focus rectangle.
int TListBox::ItemIndex() {
    if (!FHandle) return FItemIndex;
    LRESULT i = ::SendMessageW(FHandle, FMultiSelect ? LB_GETCARETINDEX : LB_GETCURSEL, 0, 0);
    return i == LB_ERR ? -1 : static_cast<int>(i);
}

void TListBox::SetItemIndex(int v) {
    if (v < -1 || (!HasState(csLoading) && v >= FItems.Count())) v = -1;
    FItemIndex = v;
    if (!FHandle) return;
    if (FMultiSelect) ::SendMessageW(FHandle, LB_SETCARETINDEX, static_cast<WPARAM>(v), FALSE);
    else ::SendMessageW(FHandle, LB_SETCURSEL, static_cast<WPARAM>(v), 0);
}

void TListBox::SetSorted(bool v) {
    if (v == FItems.Sorted()) return;
    FItems.SetSorted(v);
    RecreateWnd();
}

void TListBox::SetMultiSelect(bool v) {
    if (v == FMultiSelect) return;
    FMultiSelect = v;
    RecreateWnd();
}

void TListBox::SetExtendedSelect(bool v) {
    if (v == FExtendedSelect) return;
    FExtendedSelect = v;
    RecreateWnd();
}

void TListBox::SetIntegralHeight(bool v) {
    if (v == FIntegralHeight) return;
    FIntegralHeight = v;
    RecreateWnd();
}

bool TListBox::Selected(int index) {
    if (!FHandle) return index == FItemIndex;
    LRESULT r = ::SendMessageW(FHandle, LB_GETSEL, static_cast<WPARAM>(index), 0);
    if (r == LB_ERR) throw std::out_of_range("list index out of bounds");
    return r > 0;
}

void TListBox::SetSelected(int index, bool v) {
    if (index < 0 || index >= FItems.Count()) throw std::out_of_range("list index out of bounds");
    if (!FMultiSelect) {
        SetItemIndex(v ? index : (ItemIndex() == index ? -1 : ItemIndex()));
        return;
    }
    if (FHandle) ::SendMessageW(FHandle, LB_SETSEL, v, index);
}

int TListBox::SelCount() {
    if (!FHandle || !FMultiSelect) return ItemIndex() >= 0 ? 1 : 0;
    LRESULT n = ::SendMessageW(FHandle, LB_GETSELCOUNT, 0, 0);
    return n == LB_ERR ? 0 : static_cast<int>(n);
}

void TListBox::WndProc(TMessage& m) {
    switch (m.Msg) {
    // A new item may be the widest; after a removal the widest is looked for again.
    case LB_ADDSTRING:
    case LB_INSERTSTRING:
        TWinControl::WndProc(m);
        if (ScrollsSideways() && m.Result >= 0) {
            FWidestItem = std::max(FWidestItem, ItemTextWidth(reinterpret_cast<const wchar_t*>(m.LParam)));
            WriteHorizontalExtent();
        }
        return;
    case LB_DELETESTRING:
    case LB_RESETCONTENT:
        TWinControl::WndProc(m);
        if (ScrollsSideways()) UpdateHorizontalExtent();
        return;
    }
    if (m.Msg == CN_COMMAND) {
        switch (HIWORD(m.WParam)) {
        case LBN_SELCHANGE: Click(); break;
        case LBN_DBLCLK:
            if (OnDblClick) OnDblClick(this);
            break;
        }
        return;
    }
    TWinControl::WndProc(m);
}

}  // namespace qx
