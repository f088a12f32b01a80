#include "ToolBar.h"
#include "CommonControls.h"
#include "Menus.h"

#include <algorithm>

namespace qx {

namespace {
const std::vector<std::wstring> kButtonStyleNames{L"tbsButton", L"tbsCheck", L"tbsDropDown", L"tbsSeparator",
                                                  L"tbsDivider"};
constexpr int kSeparatorWidth = 8;
}  // namespace

//--- TToolButton

QX_DEFINE_CLASS(TToolButton, TGraphicControl, b) {
    b.Enum<TToolButtonStyle>(L"Style", kButtonStyleNames, &TToolButton::Style, &TToolButton::SetStyle);
    b.Integer(L"ImageIndex", &TToolButton::ImageIndex, &TToolButton::SetImageIndex);
    b.Boolean(L"Down", &TToolButton::Down, &TToolButton::SetDown);
    b.Boolean(L"Grouped", &TToolButton::Grouped, &TToolButton::SetGrouped);
    b.Boolean(L"Wrap", &TToolButton::Wrap, &TToolButton::SetWrap);
    b.Object(L"DropdownMenu", &TToolButton::DropdownMenu,
             [](TToolButton& t, TObject* v) { t.SetDropdownMenu(dynamic_cast<TPopupMenu*>(v)); });
    b.Creatable();
}

TToolButton::TToolButton(TComponent* owner) : TGraphicControl(owner) {
    FWidth = 23;
    FHeight = 22;
}

TToolButton::~TToolButton() { SetParent(nullptr); }

TToolBar* TToolButton::ToolBar() const { return dynamic_cast<TToolBar*>(FParent); }

void TToolButton::BarChanged() {
    if (TToolBar* bar = ToolBar()) bar->UpdateButtons();
}

void TToolButton::SetParent(TWinControl* parent) {
    TToolBar* old = ToolBar();
    TGraphicControl::SetParent(parent);
    if (old && old != parent && !old->HasState(csDestroying)) old->UpdateButtons();
    BarChanged();
}

void TToolButton::SetStyle(TToolButtonStyle v) {
    FStyle = v;
    BarChanged();
}

void TToolButton::SetImageIndex(int v) {
    FImageIndex = v;
    BarChanged();
}

void TToolButton::SetGrouped(bool v) {
    FGrouped = v;
    BarChanged();
}

void TToolButton::SetWrap(bool v) {
    FWrap = v;
    BarChanged();
}

void TToolButton::SetDown(bool v) {
    FDown = v;
    TToolBar* bar = ToolBar();
    if (bar && bar->HandleAllocated() && FCommandId) ::SendMessageW(bar->Handle(), TB_CHECKBUTTON, FCommandId, v);
}

void TToolButton::SetEnabled(bool v) {
    TGraphicControl::SetEnabled(v);
    TToolBar* bar = ToolBar();
    if (bar && bar->HandleAllocated() && FCommandId) ::SendMessageW(bar->Handle(), TB_ENABLEBUTTON, FCommandId, v);
}

// The bar clicks its buttons (WM_COMMAND); mouse messages passed down by the parent are not
// clicks of their own. A new caption or visibility is written to the bar.
void TToolButton::WndProc(TMessage& m) {
    switch (m.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP: return;
    case CM_TEXTCHANGED:
    case CM_VISIBLECHANGED:
        TGraphicControl::WndProc(m);
        BarChanged();
        return;
    }
    TGraphicControl::WndProc(m);
}

//--- TToolBar

QX_DEFINE_CLASS(TToolBar, TWinControl, b) {
    b.Boolean(L"Flat", &TToolBar::Flat, &TToolBar::SetFlat);
    b.Boolean(L"ShowCaptions", &TToolBar::ShowCaptions, &TToolBar::SetShowCaptions);
    b.Boolean(L"List", &TToolBar::List, &TToolBar::SetList);
    b.Boolean(L"Wrapable", &TToolBar::Wrapable, &TToolBar::SetWrapable);
    b.Integer(L"ButtonWidth", &TToolBar::ButtonWidth, &TToolBar::SetButtonWidth);
    b.Integer(L"ButtonHeight", &TToolBar::ButtonHeight, &TToolBar::SetButtonHeight);
    b.Object(L"Menu", &TToolBar::Menu, [](TToolBar& t, TObject* v) { t.SetMenu(dynamic_cast<TMainMenu*>(v)); });
    b.Event(L"OnCustomDraw", &TToolBar::OnCustomDraw);
    b.Event(L"OnCustomDrawButton", &TToolBar::OnCustomDrawButton);
    b.Creatable();
}

TToolBar::TToolBar(TComponent* owner) : TWinControl(owner) {
    FWidth = 150;
    FHeight = 29;
    FAlign = TAlign::alTop;
}

// Marked first, so the buttons freed with the bar do not write themselves back to it.
TToolBar::~TToolBar() {
    Destroying();
    if (FMenu) FMenu->RemoveFreeNotification(this);
}

void TToolBar::CreateParams(TCreateParams& p) {
    EnsureCommonControls(ICC_BAR_CLASSES);
    TWinControl::CreateParams(p);
    p.SysClassName = TOOLBARCLASSNAMEW;
    p.Style |= CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER | TBSTYLE_TOOLTIPS;
    if (FFlat) p.Style |= TBSTYLE_FLAT;
    if (FList) p.Style |= TBSTYLE_LIST;
    if (FWrapable) p.Style |= TBSTYLE_WRAPABLE;
}

void TToolBar::HandleCreated() {
    ::SendMessageW(FHandle, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    UpdateButtons();
}

void TToolBar::SetFlat(bool v) {
    if (v == FFlat) return;
    FFlat = v;
    RecreateWnd();
}

void TToolBar::SetShowCaptions(bool v) {
    FShowCaptions = v;
    UpdateButtons();
}

void TToolBar::SetList(bool v) {
    if (v == FList) return;
    FList = v;
    RecreateWnd();
}

void TToolBar::SetWrapable(bool v) {
    if (v == FWrapable) return;
    FWrapable = v;
    RecreateWnd();
}

void TToolBar::SetButtonWidth(int v) {
    FButtonWidth = std::max(v, 1);
    UpdateButtons();
}

void TToolBar::SetButtonHeight(int v) {
    FButtonHeight = std::max(v, 1);
    UpdateButtons();
}

std::vector<TToolButton*> TToolBar::ToolButtons() const {
    std::vector<TToolButton*> buttons;
    for (TControl* c : FControls)
        if (auto* b = dynamic_cast<TToolButton*>(c)) buttons.push_back(b);
    return buttons;
}

int TToolBar::ButtonCount() const { return static_cast<int>(ToolButtons().size()); }
TToolButton* TToolBar::Buttons(int index) const { return ToolButtons().at(static_cast<size_t>(index)); }

// The buttons are written again as a whole: command identifiers follow their order.
void TToolBar::UpdateButtons() {
    if (!FHandle || FUpdating || HasState(csDestroying)) return;
    FUpdating = true;
    while (::SendMessageW(FHandle, TB_BUTTONCOUNT, 0, 0) > 0) ::SendMessageW(FHandle, TB_DELETEBUTTON, 0, 0);
    std::vector<TToolButton*> buttons = ToolButtons();
    std::vector<std::wstring> captions;
    std::vector<TBBUTTON> items;
    captions.reserve(buttons.size());
    for (size_t i = 0; i < buttons.size(); ++i) {
        TToolButton* b = buttons[i];
        b->FCommandId = static_cast<int>(i) + 1;
        TBBUTTON tb{};
        const bool separator = b->Style() == TToolButtonStyle::tbsSeparator || b->Style() == TToolButtonStyle::tbsDivider;
        tb.iBitmap = separator ? kSeparatorWidth : (b->ImageIndex() >= 0 ? b->ImageIndex() : I_IMAGENONE);
        tb.idCommand = b->FCommandId;
        tb.fsState = static_cast<BYTE>((b->Enabled() ? TBSTATE_ENABLED : 0) | (b->Down() ? TBSTATE_CHECKED : 0) |
                                       (b->Wrap() ? TBSTATE_WRAP : 0) | (b->Visible() ? 0 : TBSTATE_HIDDEN));
        BYTE style = BTNS_BUTTON;
        if (separator) style = BTNS_SEP;
        if (b->Style() == TToolButtonStyle::tbsCheck) style = BTNS_CHECK;
        if (b->Style() == TToolButtonStyle::tbsDropDown) style = BTNS_DROPDOWN;
        if (b->Grouped()) style |= BTNS_GROUP;
        tb.fsStyle = style;
        captions.push_back(b->Caption());
        tb.iString = FShowCaptions && !separator ? reinterpret_cast<INT_PTR>(captions.back().c_str()) : -1;
        items.push_back(tb);
    }
    ::SendMessageW(FHandle, TB_SETBUTTONSIZE, 0, MAKELPARAM(FButtonWidth, FButtonHeight));
    if (!items.empty()) ::SendMessageW(FHandle, TB_ADDBUTTONSW, items.size(), reinterpret_cast<LPARAM>(items.data()));
    PlaceButtons();
    FUpdating = false;
}

// A button's bounds are where the bar shows it.
void TToolBar::PlaceButtons() {
    std::vector<TToolButton*> buttons = ToolButtons();
    for (size_t i = 0; i < buttons.size(); ++i) {
        RECT r{};
        if (::SendMessageW(FHandle, TB_GETITEMRECT, i, reinterpret_cast<LPARAM>(&r)))
            buttons[i]->SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
    }
}

//--- the menu shown as buttons

void TToolBar::SetMenu(TMainMenu* v) {
    if (v == FMenu) return;
    if (FMenu) FMenu->RemoveFreeNotification(this);
    DropMenuButtons();
    FMenu = v;
    if (!v) return UpdateButtons();
    v->FreeNotification(this);
    FShowCaptions = true;
    TMenuItem* root = v->Items();
    for (int i = 0; i < root->Count(); ++i) {
        TMenuItem* item = root->Items(i);
        if (!item->Visible()) continue;
        auto* button = new TToolButton(this);
        button->FMenuItem = item;
        button->SetCaption(item->Caption());
        button->SetGrouped(true);
        button->SetParent(this);
    }
    UpdateButtons();
}

void TToolBar::DropMenuButtons() {
    for (TToolButton* b : ToolButtons())
        if (b->FMenuItem) delete b;
}

void TToolBar::Notification(TComponent* component, TOperation operation) {
    TWinControl::Notification(component, operation);
    if (operation != TOperation::opRemove || component != FMenu) return;
    FMenu = nullptr;
    if (!HasState(csDestroying)) DropMenuButtons();
}

HMENU TToolBar::SubMenuOf(TMenuItem* item) {
    if (!FMenu) return nullptr;
    HMENU bar = FMenu->Handle();
    for (int i = 0; i < ::GetMenuItemCount(bar); ++i) {
        MENUITEMINFOW mii{sizeof(mii)};
        mii.fMask = MIIM_ID | MIIM_SUBMENU;
        if (::GetMenuItemInfoW(bar, static_cast<UINT>(i), TRUE, &mii) && mii.wID == item->Command()) return mii.hSubMenu;
    }
    return nullptr;
}

// The menu opens below the button, which stays pressed while it is open; the chosen item runs.
void TToolBar::ShowButtonMenu(TToolButton* button, HMENU menu) {
    if (!menu) return;
    RECT r{};
    ::SendMessageW(FHandle, TB_GETRECT, button->FCommandId, reinterpret_cast<LPARAM>(&r));
    POINT p{r.left, r.bottom};
    ::ClientToScreen(FHandle, &p);
    ::SendMessageW(FHandle, TB_PRESSBUTTON, button->FCommandId, TRUE);
    UINT command = ::TrackPopupMenuEx(menu, TPM_RETURNCMD | TPM_LEFTALIGN | TPM_TOPALIGN, p.x, p.y, FHandle, nullptr);
    ::SendMessageW(FHandle, TB_PRESSBUTTON, button->FCommandId, FALSE);
    if (command == 0) return;
    if (FMenu && FMenu->DispatchCommand(command)) return;
    if (button->DropdownMenu()) button->DropdownMenu()->DispatchCommand(command);
}

void TToolBar::ButtonCommand(int id) {
    for (TToolButton* b : ToolButtons()) {
        if (b->FCommandId != id) continue;
        if (b->Style() == TToolButtonStyle::tbsCheck) b->FDown = ::SendMessageW(FHandle, TB_ISBUTTONCHECKED, id, 0) != 0;
        if (b->FMenuItem) return ShowButtonMenu(b, SubMenuOf(b->FMenuItem));
        b->Click();
        return;
    }
}

//--- custom drawing

LRESULT TToolBar::CustomDraw(NMTBCUSTOMDRAW& draw) {
    NMCUSTOMDRAW& cd = draw.nmcd;
    bool defaultDraw = true;
    if (cd.dwDrawStage == CDDS_PREPAINT) {
        if (OnCustomDraw) {
            FCanvas.SetHandle(cd.hdc);
            OnCustomDraw(this, cd.rc, defaultDraw);
            FCanvas.SetHandle(nullptr);
            if (!defaultDraw) return CDRF_SKIPDEFAULT;
        }
        return OnCustomDrawButton ? CDRF_NOTIFYITEMDRAW : CDRF_DODEFAULT;
    }
    if (cd.dwDrawStage == CDDS_ITEMPREPAINT && OnCustomDrawButton) {
        for (TToolButton* b : ToolButtons())
            if (b->FCommandId == static_cast<int>(cd.dwItemSpec)) {
                FCanvas.SetHandle(cd.hdc);
                OnCustomDrawButton(this, b, cd.uItemState, defaultDraw);
                FCanvas.SetHandle(nullptr);
                break;
            }
        return defaultDraw ? CDRF_DODEFAULT : CDRF_SKIPDEFAULT;
    }
    return CDRF_DODEFAULT;
}

void TToolBar::WndProc(TMessage& m) {
    switch (m.Msg) {
    case CN_COMMAND:
        ButtonCommand(LOWORD(m.WParam));
        return;
    case CN_NOTIFY: {
        auto* hdr = reinterpret_cast<NMHDR*>(m.LParam);
        if (hdr && hdr->code == NM_CUSTOMDRAW) {
            m.Result = CustomDraw(*reinterpret_cast<NMTBCUSTOMDRAW*>(m.LParam));
            return;
        }
        if (hdr && hdr->code == TBN_DROPDOWN) {
            auto* tb = reinterpret_cast<NMTOOLBARW*>(m.LParam);
            for (TToolButton* b : ToolButtons())
                if (b->FCommandId == tb->iItem && b->DropdownMenu()) ShowButtonMenu(b, b->DropdownMenu()->Handle());
            m.Result = TBDDRET_DEFAULT;
            return;
        }
        break;
    }
    case WM_SIZE:
        TWinControl::WndProc(m);
        if (FHandle && !FUpdating) PlaceButtons();
        return;
    }
    TWinControl::WndProc(m);
}

}  // namespace qx
