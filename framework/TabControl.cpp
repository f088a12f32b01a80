#include "TabControl.h"
#include "CommonControls.h"

#include <commctrl.h>

namespace qx {

namespace {

std::vector<std::wstring> TextsOf(const TStrings& list) {
    std::vector<std::wstring> texts;
    for (int i = 0; i < list.Count(); ++i) texts.push_back(list.Get(i));
    return texts;
}

}  // namespace

const std::vector<std::wstring>& TabPositionNames() {
    static const std::vector<std::wstring> names{L"tpTop", L"tpBottom", L"tpLeft", L"tpRight"};
    return names;
}

//--- TCustomTabControl

QX_DEFINE_CLASS(TCustomTabControl, TWinControl, b) {
    b.Enum<TTabPosition>(L"TabPosition", TabPositionNames(), &TCustomTabControl::TabPosition,
                         &TCustomTabControl::SetTabPosition);
    b.Boolean(L"MultiLine", &TCustomTabControl::MultiLine, &TCustomTabControl::SetMultiLine);
    b.Event(L"OnChange", &TCustomTabControl::OnChange);
    b.Event(L"OnChanging", &TCustomTabControl::OnChanging);
}

TCustomTabControl::TCustomTabControl(TComponent* owner) : TWinControl(owner) {
    FWidth = 289;
    FHeight = 193;
    FTabStop = true;
}

void TCustomTabControl::CreateParams(TCreateParams& p) {
    EnsureCommonControls(ICC_TAB_CLASSES);
    TWinControl::CreateParams(p);
    p.SysClassName = WC_TABCONTROLW;
    p.Style |= WS_CLIPCHILDREN | TCS_TABS;
    switch (FTabPosition) {
    case TTabPosition::tpTop: break;
    case TTabPosition::tpBottom: p.Style |= TCS_BOTTOM; break;
    // Tabs at the side exist only in several rows.
    case TTabPosition::tpLeft: p.Style |= TCS_VERTICAL | TCS_MULTILINE; break;
    case TTabPosition::tpRight: p.Style |= TCS_VERTICAL | TCS_RIGHT | TCS_MULTILINE; break;
    }
    if (FMultiLine) p.Style |= TCS_MULTILINE;
}

void TCustomTabControl::SetTabPosition(TTabPosition v) {
    if (v == FTabPosition) return;
    FTabPosition = v;
    RecreateWnd();
    Realign();
}

void TCustomTabControl::SetMultiLine(bool v) {
    if (v == FMultiLine) return;
    FMultiLine = v;
    RecreateWnd();
    Realign();
}

int TCustomTabControl::TabIndex() {
    if (!FHandle) return FTabIndex;
    return static_cast<int>(::SendMessageW(FHandle, TCM_GETCURSEL, 0, 0));
}

void TCustomTabControl::SetTabIndex(int v) {
    FTabIndex = v;
    if (FHandle) ::SendMessageW(FHandle, TCM_SETCURSEL, static_cast<WPARAM>(v), 0);
}

int TCustomTabControl::TabCount() {
    return FHandle ? static_cast<int>(::SendMessageW(FHandle, TCM_GETITEMCOUNT, 0, 0)) : 0;
}

RECT TCustomTabControl::DisplayRect() {
    RECT r = ClientRect();
    if (FHandle) ::SendMessageW(FHandle, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&r));
    return r;
}

void TCustomTabControl::SetWindowTabs(const std::vector<std::wstring>& texts, int selected) {
    if (!FHandle) return;
    ::SendMessageW(FHandle, TCM_DELETEALLITEMS, 0, 0);
    for (size_t i = 0; i < texts.size(); ++i) {
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<wchar_t*>(texts[i].c_str());
        ::SendMessageW(FHandle, TCM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&item));
    }
    ::SendMessageW(FHandle, TCM_SETCURSEL, static_cast<WPARAM>(selected), 0);
    // The rows of tabs may have changed, and with them the display area.
    Realign();
}

bool TCustomTabControl::CanChange() {
    bool allow = true;
    if (OnChanging) OnChanging(this, allow);
    return allow;
}

void TCustomTabControl::Change() {
    FTabIndex = TabIndex();
    if (OnChange) OnChange(this);
}

void TCustomTabControl::WndProc(TMessage& m) {
    switch (m.Msg) {
    case CN_NOTIFY: {
        auto* hdr = reinterpret_cast<NMHDR*>(m.LParam);
        // A non-zero answer to TCN_SELCHANGING keeps the selection.
        if (hdr && hdr->code == TCN_SELCHANGING) { m.Result = CanChange() ? 0 : 1; return; }
        if (hdr && hdr->code == TCN_SELCHANGE) { Change(); return; }
        break;
    }
    case WM_SIZE:
        TWinControl::WndProc(m);
        Realign();
        return;
    }
    TWinControl::WndProc(m);
}

//--- TTabControl

QX_DEFINE_CLASS(TTabControl, TCustomTabControl, b) {
    b.Object(L"Tabs", &TTabControl::Tabs);
    b.Integer(L"TabIndex", &TTabControl::TabIndex, &TTabControl::SetTabIndex);
    b.Creatable();
}

TTabControl::TTabControl(TComponent* owner) : TCustomTabControl(owner) {
    FTabs.OnChange = TNotifyEvent::Of<&TTabControl::TabsChanged>(this);
}

void TTabControl::HandleCreated() { SetWindowTabs(TextsOf(FTabs), FTabIndex); }

void TTabControl::DestroyWnd() {
    if (FHandle) FTabIndex = TabIndex();
    TCustomTabControl::DestroyWnd();
}

void TTabControl::TabsChanged(TObject*) {
    if (!FHandle) return;
    int selected = TabIndex();
    if (selected >= FTabs.Count()) selected = FTabs.Count() - 1;
    SetWindowTabs(TextsOf(FTabs), selected);
}

}  // namespace qx
