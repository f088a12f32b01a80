#include "ComboBox.h"

namespace qx {

static const std::vector<std::wstring> kComboStyleNames{L"csDropDown", L"csSimple", L"csDropDownList",
                                                        L"csOwnerDrawFixed", L"csOwnerDrawVariable"};

// Items come before ItemIndex and Text, so a description read in table order selects an item
// that already exists; Loaded settles the rest.
QX_DEFINE_CLASS(TComboBox, TWinControl, b) {
    b.Enum<TComboBoxStyle>(L"Style", kComboStyleNames, &TComboBox::Style, &TComboBox::SetStyle);
    b.Boolean(L"Sorted", &TComboBox::Sorted, &TComboBox::SetSorted);
    b.Object(L"Items", &TComboBox::Items);
    b.Integer(L"ItemIndex", &TComboBox::ItemIndex, &TComboBox::SetItemIndex);
    b.String(L"Text", &TComboBox::Text, [](TComboBox& c, const std::wstring& s) { c.SetText(s); });
    b.Integer(L"DropDownCount", &TComboBox::DropDownCount, &TComboBox::SetDropDownCount);
    b.Integer(L"MaxLength", &TComboBox::MaxLength, &TComboBox::SetMaxLength);
    b.Event(L"OnChange", &TComboBox::OnChange);
    b.Event(L"OnSelect", &TComboBox::OnSelect);
    b.Event(L"OnDropDown", &TComboBox::OnDropDown);
    b.Event(L"OnCloseUp", &TComboBox::OnCloseUp);
    b.Creatable();
}

TComboBox::TComboBox(TComponent* owner) : TWinControl(owner), FItems(*this, kComboBoxMessages) {
    FWidth = 145;
    FHeight = 21;
    FTabStop = true;
    FColor = clWindow;
    FParentColor = false;
    FBrush.SetColor(clWindow);
}

void TComboBox::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    p.SysClassName = L"COMBOBOX";
    p.Style |= WS_VSCROLL | CBS_AUTOHSCROLL;
    switch (FStyle) {
    case TComboBoxStyle::csDropDown: p.Style |= CBS_DROPDOWN; break;
    case TComboBoxStyle::csSimple: p.Style |= CBS_SIMPLE; break;
    case TComboBoxStyle::csDropDownList: p.Style |= CBS_DROPDOWNLIST; break;
    case TComboBoxStyle::csOwnerDrawFixed: p.Style |= CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS; break;
    case TComboBoxStyle::csOwnerDrawVariable: p.Style |= CBS_DROPDOWNLIST | CBS_OWNERDRAWVARIABLE | CBS_HASSTRINGS; break;
    }
    if (FItems.Sorted()) p.Style |= CBS_SORT;
    p.Height = DroppedHeight(FHeight);
}

// A drop-down combo box is created with the height of its open list; the system shrinks the
// window to the selection field and keeps the rest for the list.
int TComboBox::DroppedHeight(int height) const {
    if (FStyle == TComboBoxStyle::csSimple) return height;
    int item = 16;
    if (FHandle) {
        LRESULT h = ::SendMessageW(FHandle, CB_GETITEMHEIGHT, 0, 0);
        if (h > 0 && h != CB_ERR) item = static_cast<int>(h);
    }
    return height + item * (FDropDownCount > 0 ? FDropDownCount : 1) + 2;
}

void TComboBox::HandleCreated() {
    FItems.HandleCreated();
    if (FMaxLength) ::SendMessageW(FHandle, CB_LIMITTEXT, FMaxLength, 0);
    if (FItemIndex >= 0) ::SendMessageW(FHandle, CB_SETCURSEL, FItemIndex, 0);
    else if (HasEditField()) ::SetWindowTextW(FHandle, FText.c_str());
}

void TComboBox::DestroyWnd() {
    if (FHandle) {
        FItemIndex = ItemIndex();
        FItems.SaveBeforeDestroy();
    }
    TWinControl::DestroyWnd();
}

void TComboBox::Loaded() {
    TWinControl::Loaded();
    if (!HasEditField() && FItemIndex < 0 && !FText.empty()) FItemIndex = FItems.IndexOf(FText);
}

void TComboBox::SetBounds(int left, int top, int width, int height) {
    if (!FHandle || FStyle == TComboBoxStyle::csSimple) return TWinControl::SetBounds(left, top, width, height);
    FLeft = left;
    FTop = top;
    FWidth = width;
    FHeight = height;
    // The system reports the field height back through WM_WINDOWPOSCHANGED.
    ::SetWindowPos(FHandle, nullptr, left, top, width, DroppedHeight(height), SWP_NOZORDER | SWP_NOACTIVATE);
}

void TComboBox::SetStyle(TComboBoxStyle v) {
    if (v == FStyle) return;
    FStyle = v;
    RecreateWnd();
}

int TComboBox::ItemIndex() {
    if (!FHandle) return FItemIndex;
    LRESULT i = ::SendMessageW(FHandle, CB_GETCURSEL, 0, 0);
    return i == CB_ERR ? -1 : static_cast<int>(i);
}

void TComboBox::SetItemIndex(int v) {
    if (v < -1 || (!HasState(csLoading) && v >= FItems.Count())) v = -1;
    FItemIndex = v;
    if (FHandle) ::SendMessageW(FHandle, CB_SETCURSEL, static_cast<WPARAM>(v), 0);
}

// Before the window exists a chosen item is already the text the window will show.
std::wstring TComboBox::GetText() {
    if (!FHandle && FItemIndex >= 0 && FItemIndex < FItems.Count()) return FItems.Get(FItemIndex);
    return TWinControl::GetText();
}

// In the drop-down list style the text is the chosen item's: setting it chooses that item.
void TComboBox::SetText(const std::wstring& s) {
    if (HasEditField() || !FHandle) {
        TWinControl::SetText(s);
        return;
    }
    int i = FItems.IndexOf(s);
    if (i >= 0 || s.empty()) SetItemIndex(i);
}

void TComboBox::SetDropDownCount(int v) {
    FDropDownCount = v < 1 ? 1 : v;
    if (FHandle) SetBounds(FLeft, FTop, FWidth, FHeight);
}

void TComboBox::SetSorted(bool v) {
    if (v == FItems.Sorted()) return;
    FItems.SetSorted(v);
    RecreateWnd();
}

void TComboBox::SetMaxLength(int v) {
    FMaxLength = v < 0 ? 0 : v;
    if (FHandle) ::SendMessageW(FHandle, CB_LIMITTEXT, FMaxLength, 0);
}

bool TComboBox::DroppedDown() { return FHandle && ::SendMessageW(FHandle, CB_GETDROPPEDSTATE, 0, 0) != 0; }

void TComboBox::SetDroppedDown(bool v) {
    if (FHandle) ::SendMessageW(FHandle, CB_SHOWDROPDOWN, v, 0);
}

HWND TComboBox::EditHandle() {
    if (!HasEditField()) return nullptr;
    COMBOBOXINFO info{sizeof(info)};
    return ::GetComboBoxInfo(Handle(), &info) ? info.hwndItem : nullptr;
}

void TComboBox::CnCommand(WORD code) {
    switch (code) {
    case CBN_SELCHANGE: {
        // The edit field shows the new item only after this notification; make Text agree now.
        int i = ItemIndex();
        if (HasEditField() && i >= 0) TWinControl::SetText(FItems.Get(i));
        Click();
        if (OnSelect) OnSelect(this);
        else if (OnChange) OnChange(this);
        return;
    }
    case CBN_EDITCHANGE:
        if (OnChange) OnChange(this);
        return;
    case CBN_DROPDOWN:
        if (OnDropDown) OnDropDown(this);
        return;
    case CBN_CLOSEUP:
        if (OnCloseUp) OnCloseUp(this);
        return;
    }
}

void TComboBox::WndProc(TMessage& m) {
    if (m.Msg == CN_COMMAND) {
        if (!HasState(csLoading)) CnCommand(HIWORD(m.WParam));
        return;
    }
    TWinControl::WndProc(m);
}

}  // namespace qx
