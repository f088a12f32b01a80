#include "Menus.h"

#include "Forms.h"
#include "ImageList.h"

#include <algorithm>
#include <mutex>
#include <unordered_set>

namespace qx {

namespace {

constexpr int kImageColumn = 22;   // room for a 16-pixel image and its margins
constexpr int kTextGap = 6;
constexpr int kShortcutGap = 24;
constexpr int kSeparatorHeight = 8;

// Every live item: menu item data handed to the system is only trusted when it names one of
// them, so a message for a freed item (or a foreign owner-drawn menu) is left alone.
std::unordered_set<const TMenuItem*>& LiveItems() {
    static auto* items = new std::unordered_set<const TMenuItem*>;
    return *items;
}

// Command identifiers 1..0xFFFF, reused once freed; WM_COMMAND carries only 16 bits.
class CommandPool {
public:
    UINT Take() {
        std::lock_guard<std::mutex> lock(FLock);
        if (!FFree.empty()) {
            UINT id = FFree.back();
            FFree.pop_back();
            return id;
        }
        return FNext <= 0xFFFF ? FNext++ : 0;
    }
    void Give(UINT id) {
        if (!id) return;
        std::lock_guard<std::mutex> lock(FLock);
        FFree.push_back(id);
    }

private:
    std::mutex FLock;
    std::vector<UINT> FFree;
    UINT FNext = 1;
};

CommandPool& Commands() {
    static auto* pool = new CommandPool;
    return *pool;
}

// The hidden window that owns shown popup menus: it receives their WM_MEASUREITEM and
// WM_DRAWITEM. Choosing an item is returned by TrackPopupMenu itself (TPM_RETURNCMD).
LRESULT CALLBACK PopupWindowProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) noexcept {
    try {
        if (msg == WM_MEASUREITEM && TMenu::MeasureItemMessage(*reinterpret_cast<MEASUREITEMSTRUCT*>(lp))) return TRUE;
        if (msg == WM_DRAWITEM && TMenu::DrawItemMessage(*reinterpret_cast<const DRAWITEMSTRUCT*>(lp))) return TRUE;
    } catch (...) {
        if (Application) Application->HandleException(nullptr);
    }
    return ::DefWindowProcW(wnd, msg, wp, lp);
}

HWND PopupWindow() {
    thread_local HWND wnd = nullptr;
    if (wnd && ::IsWindow(wnd)) return wnd;
    HINSTANCE inst = ::GetModuleHandleW(nullptr);
    WNDCLASSEXW wc{sizeof(wc)};
    if (!::GetClassInfoExW(inst, L"TPopupList", &wc)) {
        wc = WNDCLASSEXW{sizeof(wc)};
        wc.lpfnWndProc = &PopupWindowProc;
        wc.hInstance = inst;
        wc.lpszClassName = L"TPopupList";
        ::RegisterClassExW(&wc);
    }
    wnd = ::CreateWindowExW(WS_EX_TOOLWINDOW, L"TPopupList", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, inst, nullptr);
    return wnd;
}

struct TKeyName {
    std::uint8_t Key;
    const wchar_t* Name;
};
constexpr TKeyName kKeyNames[] = {
    {VK_BACK, L"BkSp"},   {VK_TAB, L"Tab"},      {VK_RETURN, L"Enter"}, {VK_ESCAPE, L"Esc"},
    {VK_SPACE, L"Space"}, {VK_PRIOR, L"PgUp"},   {VK_NEXT, L"PgDn"},    {VK_END, L"End"},
    {VK_HOME, L"Home"},   {VK_LEFT, L"Left"},    {VK_UP, L"Up"},        {VK_RIGHT, L"Right"},
    {VK_DOWN, L"Down"},   {VK_INSERT, L"Ins"},   {VK_DELETE, L"Del"},
};

std::wstring KeyName(std::uint8_t key) {
    if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) return std::wstring(1, static_cast<wchar_t>(key));
    if (key >= VK_F1 && key <= VK_F24) return L"F" + std::to_wstring(key - VK_F1 + 1);
    for (const TKeyName& name : kKeyNames)
        if (name.Key == key) return name.Name;
    return {};
}

// The caption as the item shows it: "&" marks the accelerator, the part after a tab is drawn
// as the shortcut.
std::wstring ShownCaption(const TMenuItem& item) {
    std::wstring text = item.Caption();
    if (!item.ShortCutText().empty()) text += L"\t" + item.ShortCutText();
    return text;
}

}  // namespace

//--- shortcuts

std::wstring ShortCutToText(TShortCut shortCut) {
    std::wstring name = KeyName(static_cast<std::uint8_t>(shortCut & 0xFF));
    if (name.empty()) return {};
    std::wstring text;
    if (shortCut & scShift) text += L"Shift+";
    if (shortCut & scCtrl) text += L"Ctrl+";
    if (shortCut & scAlt) text += L"Alt+";
    return text + name;
}

TShortCut ShortCutModifiersNow() {
    TShortCut modifiers = 0;
    if (::GetKeyState(VK_SHIFT) < 0) modifiers |= scShift;
    if (::GetKeyState(VK_CONTROL) < 0) modifiers |= scCtrl;
    if (::GetKeyState(VK_MENU) < 0) modifiers |= scAlt;
    return modifiers;
}

//--- TMenuItem

QX_DEFINE_CLASS(TMenuItem, TComponent, b) {
    b.String(L"Caption", &TMenuItem::Caption, &TMenuItem::SetCaption);
    b.Boolean(L"Enabled", &TMenuItem::Enabled, &TMenuItem::SetEnabled);
    b.Boolean(L"Checked", &TMenuItem::Checked, &TMenuItem::SetChecked);
    b.Boolean(L"Visible", &TMenuItem::Visible, &TMenuItem::SetVisible);
    b.Integer(L"ImageIndex", &TMenuItem::ImageIndex, &TMenuItem::SetImageIndex);
    b.Boolean(L"Default", &TMenuItem::Default, &TMenuItem::SetDefault);
    b.Boolean(L"RadioItem", &TMenuItem::RadioItem, &TMenuItem::SetRadioItem);
    b.Integer(L"GroupIndex", &TMenuItem::GroupIndex, &TMenuItem::SetGroupIndex);
    b.Integer(
        L"ShortCut", [](const TMenuItem& i) { return static_cast<int>(i.ShortCut()); },
        [](TMenuItem& i, int v) { i.SetShortCut(static_cast<TShortCut>(v)); });
    b.Event(L"OnClick", &TMenuItem::OnClick);
    b.Creatable();
}

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner), FCommand(Commands().Take()) {
    LiveItems().insert(this);
}

TMenuItem::~TMenuItem() {
    LiveItems().erase(this);
    Clear();
    if (FParent) FParent->Remove(this);
    Commands().Give(FCommand);
}

void TMenuItem::Changed() {
    if (TMenu* menu = GetParentMenu()) menu->ItemsChanged();
}

void TMenuItem::SetCaption(const std::wstring& caption) {
    if (caption == FCaption) return;
    FCaption = caption;
    Changed();
}

void TMenuItem::SetShortCutText(const std::wstring& text) {
    if (text == FShortCutText) return;
    FShortCutText = text;
    Changed();
}

std::wstring TMenuItem::ShortCutText() const { return FShortCutText.empty() ? ShortCutToText(FShortCut) : FShortCutText; }

void TMenuItem::SetShortCut(TShortCut shortCut) {
    if (shortCut == FShortCut) return;
    FShortCut = shortCut;
    Changed();
}

void TMenuItem::SetDefault(bool on) {
    if (on == FDefault) return;
    FDefault = on;
    Changed();
}

void TMenuItem::SetRadioItem(bool on) {
    if (on == FRadioItem) return;
    FRadioItem = on;
    Changed();
}

void TMenuItem::SetGroupIndex(int index) {
    if (index == FGroupIndex) return;
    FGroupIndex = index;
    Changed();
}

HMENU TMenuItem::Handle() {
    TMenu* menu = GetParentMenu();
    if (!menu) return nullptr;
    HMENU root = menu->Handle();
    return FParent ? FHandle : root;
}

bool TMenuItem::IsRightToLeft() const {
    const TMenu* menu = GetParentMenu();
    return menu && menu->IsRightToLeft();
}

void TMenuItem::ForgetHandles() {
    FHandle = nullptr;
    for (TMenuItem* item : FItems) item->ForgetHandles();
}

// State changes go straight into a built menu as well, so a menu can be adjusted between its
// handle being made and being shown.
void TMenuItem::SetEnabled(bool on) {
    if (on == FEnabled) return;
    FEnabled = on;
    TMenu* menu = GetParentMenu();
    if (menu && menu->HandleAllocated() && !menu->FDirty)
        ::EnableMenuItem(menu->FHandle.get(), FCommand, MF_BYCOMMAND | (on ? MF_ENABLED : MF_GRAYED));
}

void TMenuItem::SetChecked(bool on) {
    if (on == FChecked) return;
    FChecked = on;
    TMenu* menu = GetParentMenu();
    if (menu && menu->HandleAllocated() && !menu->FDirty)
        ::CheckMenuItem(menu->FHandle.get(), FCommand, MF_BYCOMMAND | (on ? MF_CHECKED : MF_UNCHECKED));
    // One radio item of a group is checked at a time.
    if (on && FRadioItem && FParent)
        for (TMenuItem* other : FParent->FItems)
            if (other != this && other->FRadioItem && other->FGroupIndex == FGroupIndex) other->SetChecked(false);
}

void TMenuItem::SetVisible(bool on) {
    if (on == FVisible) return;
    FVisible = on;
    Changed();
}

void TMenuItem::SetImageIndex(int index) {
    if (index == FImageIndex) return;
    FImageIndex = index;
    Changed();
}

void TMenuItem::Add(TMenuItem* item) { Insert(Count(), item); }

void TMenuItem::Insert(int index, TMenuItem* item) {
    if (!item || item == this) return;
    if (item->FParent) item->FParent->Remove(item);
    index = std::clamp(index, 0, Count());
    FItems.insert(FItems.begin() + index, item);
    item->FParent = this;
    Changed();
}

void TMenuItem::Remove(TMenuItem* item) {
    auto it = std::find(FItems.begin(), FItems.end(), item);
    if (it == FItems.end()) return;
    Changed();
    FItems.erase(it);
    item->FParent = nullptr;
}

void TMenuItem::Clear() {
    while (!FItems.empty()) delete FItems.back();  // each leaves FItems in its destructor
}

TMenuItem* TMenuItem::Find(UINT command) {
    if (command == FCommand && FParent) return this;
    for (TMenuItem* item : FItems)
        if (TMenuItem* found = item->Find(command)) return found;
    return nullptr;
}

TMenu* TMenuItem::GetParentMenu() const {
    const TMenuItem* root = this;
    while (root->FParent) root = root->FParent;
    return root->FMenu;
}

void TMenuItem::Click() {
    if (OnClick) OnClick(this);
}

TMenuItem* TMenuItem::FromItemData(ULONG_PTR data) {
    auto* item = reinterpret_cast<TMenuItem*>(data);
    return LiveItems().count(item) ? item : nullptr;
}

void TMenuItem::AppendTo(HMENU menu, bool ownerDraw, bool rightToLeft) {
    if (!FVisible) return;
    MENUITEMINFOW mii{sizeof(mii)};
    mii.fMask = MIIM_ID | MIIM_STATE | MIIM_FTYPE | MIIM_DATA;
    mii.wID = FCommand;
    mii.dwItemData = reinterpret_cast<ULONG_PTR>(this);
    mii.fState = (FEnabled ? MFS_ENABLED : MFS_GRAYED) | (FChecked ? MFS_CHECKED : 0) | (FDefault ? MFS_DEFAULT : 0);
    std::wstring text = ShownCaption(*this);
    if (IsLine()) {
        mii.fType = MFT_SEPARATOR;
    } else {
        mii.fMask |= MIIM_STRING;
        mii.dwTypeData = text.data();
    }
    if (ownerDraw) mii.fType |= MFT_OWNERDRAW;
    if (FRadioItem) mii.fType |= MFT_RADIOCHECK;
    if (rightToLeft) mii.fType |= MFT_RIGHTORDER;
    UniqueMenu sub;
    if (!FItems.empty()) {
        sub.reset(::CreatePopupMenu());
        for (TMenuItem* item : FItems) item->AppendTo(sub.get(), ownerDraw, rightToLeft);
        mii.fMask |= MIIM_SUBMENU;
        mii.hSubMenu = sub.get();
    }
    // The menu owns the sub-menu once the item is in it.
    if (::InsertMenuItemW(menu, ::GetMenuItemCount(menu), TRUE, &mii)) FHandle = sub.release();
}

//--- TMenu

QX_DEFINE_CLASS(TMenu, TComponent, b) {
    b.Boolean(L"OwnerDraw", &TMenu::OwnerDraw, &TMenu::SetOwnerDraw);
}

TMenu::TMenu(TComponent* owner) : TComponent(owner), FItems(new TMenuItem(nullptr)) { FItems->FMenu = this; }

TMenu::~TMenu() {
    FHandle.reset();
    delete FItems;
}

void TMenu::SetOwnerDraw(bool on) {
    if (on == FOwnerDraw) return;
    FOwnerDraw = on;
    FDirty = true;
}

void TMenu::SetImages(TImageList* images) {
    if (images == FImages) return;
    if (FImages) FImages->RemoveFreeNotification(this);
    FImages = images;
    if (FImages) FImages->FreeNotification(this);
    FDirty = true;
}

void TMenu::SetBiDiMode(TBiDiMode mode) {
    if (mode == FBiDiMode) return;
    FBiDiMode = mode;
    FDirty = true;
}

void TMenu::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation == TOperation::opRemove && component == FImages) FImages = nullptr;
}

HMENU TMenu::Handle() {
    if (FHandle && !FDirty) return FHandle.get();
    UniqueMenu menu(CreateMenuHandle());
    FItems->ForgetHandles();
    for (int i = 0; i < FItems->Count(); ++i) FItems->Items(i)->AppendTo(menu.get(), FOwnerDraw, IsRightToLeft());
    // The old handle lives until a window showing it has the new one.
    UniqueMenu old(FHandle.release());
    FHandle = std::move(menu);
    FDirty = false;
    if (old) HandleRebuilt(old.get(), FHandle.get());
    return FHandle.get();
}

bool TMenu::DispatchCommand(UINT command) {
    TMenuItem* item = command ? FItems->Find(command) : nullptr;
    if (!item || !item->Enabled()) return false;
    item->Click();
    return true;
}

namespace {
TMenuItem* FindShortCut(TMenuItem& parent, TShortCut shortCut) {
    for (int i = 0; i < parent.Count(); ++i) {
        TMenuItem* item = parent.Items(i);
        if (!item->Visible() || !item->Enabled()) continue;
        if (item->ShortCut() == shortCut) return item;
        if (TMenuItem* found = FindShortCut(*item, shortCut)) return found;
    }
    return nullptr;
}
}  // namespace

bool TMenu::IsShortCut(TShortCut shortCut) {
    if ((shortCut & 0xFF) == 0) return false;
    TMenuItem* item = FindShortCut(*FItems, shortCut);
    if (!item) return false;
    item->Click();
    return true;
}

bool TMenu::MeasureItemMessage(MEASUREITEMSTRUCT& mis) {
    if (mis.CtlType != ODT_MENU) return false;
    TMenuItem* item = TMenuItem::FromItemData(mis.itemData);
    TMenu* menu = item ? item->GetParentMenu() : nullptr;
    if (!menu) return false;
    WindowDc screen(nullptr);
    TCanvas canvas;
    canvas.SetHandle(screen.get());
    if (Screen) canvas.Font().Assign(Screen->MenuFont());
    int width = 0, height = 0;
    // The handler starts from the default size and may change it.
    menu->DefaultMeasureItem(*item, canvas, width, height);
    if (item->OnMeasureItem) item->OnMeasureItem(item, canvas, width, height);
    canvas.SetHandle(nullptr);
    mis.itemWidth = static_cast<UINT>(std::max(width, 0));
    mis.itemHeight = static_cast<UINT>(std::max(height, 0));
    return true;
}

bool TMenu::DrawItemMessage(const DRAWITEMSTRUCT& dis) {
    if (dis.CtlType != ODT_MENU) return false;
    TMenuItem* item = TMenuItem::FromItemData(dis.itemData);
    TMenu* menu = item ? item->GetParentMenu() : nullptr;
    if (!menu) return false;
    DcStateGuard state(dis.hDC);
    TCanvas canvas;
    canvas.SetHandle(dis.hDC);
    if (Screen) canvas.Font().Assign(Screen->MenuFont());
    const bool selected = (dis.itemState & ODS_SELECTED) != 0;
    if (item->OnDrawItem) item->OnDrawItem(item, canvas, dis.rcItem, selected);
    else menu->DefaultDrawItem(*item, canvas, dis.rcItem, selected);
    canvas.SetHandle(nullptr);
    return true;
}

void TMenu::DefaultMeasureItem(TMenuItem& item, TCanvas& canvas, int& width, int& height) {
    if (item.IsLine()) {
        width = kImageColumn;
        height = kSeparatorHeight;
        return;
    }
    RECT text{0, 0, 0, 0};
    ::DrawTextW(canvas.Handle(), item.Caption().c_str(), -1, &text, DT_CALCRECT | DT_SINGLELINE);
    width = kImageColumn + kTextGap + (text.right - text.left) + kTextGap;
    if (!item.ShortCutText().empty()) width += kShortcutGap + canvas.TextWidth(item.ShortCutText());
    int imageHeight = FImages ? FImages->Height() : 16;
    height = std::max<int>(text.bottom - text.top, imageHeight) + 4;
}

void TMenu::DefaultDrawItem(TMenuItem& item, TCanvas& canvas, const RECT& rect, bool selected) {
    HDC dc = canvas.Handle();
    const bool enabled = item.Enabled();
    canvas.Brush().SetColor(selected && enabled ? clHighlight : SysColor(COLOR_MENU));
    canvas.FillRect(rect);
    if (item.IsLine()) {
        RECT line{rect.left + 2, (rect.top + rect.bottom) / 2 - 1, rect.right - 2, (rect.top + rect.bottom) / 2 + 1};
        ::DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
        return;
    }
    if (FImages && item.ImageIndex() >= 0 && item.ImageIndex() < FImages->Count()) {
        int y = rect.top + (rect.bottom - rect.top - FImages->Height()) / 2;
        FImages->Draw(canvas, rect.left + (kImageColumn - FImages->Width()) / 2, y, item.ImageIndex(), enabled);
    } else if (item.Checked()) {
        dc = canvas.Handle();
        RECT mark{rect.left, rect.top, rect.left + kImageColumn, rect.bottom};
        ::SetBkMode(dc, TRANSPARENT);
        ::SetTextColor(dc, ColorToRGB(selected ? clHighlightText : SysColor(COLOR_MENUTEXT)));
        // A radio item shows a bullet, any other a tick.
        ::DrawTextW(dc, item.RadioItem() ? L"\x2022" : L"\x221A", 1, &mark, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
    // The default item is bold. Changing the brush (and the font) took the canvas's objects
    // out of the DC: select them again.
    if (item.Default()) canvas.Font().SetStyle(canvas.Font().Style() | fsBold);
    dc = canvas.Handle();
    ::SetBkMode(dc, TRANSPARENT);
    TColor textColour = !enabled ? clGrayText : selected ? clHighlightText : SysColor(COLOR_MENUTEXT);
    ::SetTextColor(dc, ColorToRGB(textColour));
    RECT text{rect.left + kImageColumn + kTextGap, rect.top, rect.right - kTextGap, rect.bottom};
    ::DrawTextW(dc, item.Caption().c_str(), -1, &text, DT_VCENTER | DT_SINGLELINE);
    if (!item.ShortCutText().empty())
        ::DrawTextW(dc, item.ShortCutText().c_str(), -1, &text, DT_VCENTER | DT_SINGLELINE | DT_RIGHT);
}

//--- TPopupMenu

QX_DEFINE_CLASS(TPopupMenu, TMenu, b) {
    b.Event(L"OnPopup", &TPopupMenu::OnPopup);
    b.Creatable();
}

TPopupMenu::TPopupMenu(TComponent* owner) : TMenu(owner) {}

void TPopupMenu::Popup(int x, int y) {
    if (OnPopup) OnPopup(this);
    HWND owner = PopupWindow();
    // A menu closes on a click elsewhere only while a window of its thread is the foreground
    // window. When one is (the usual case), it stays so: taking the foreground for the hidden
    // owner would show the user's window as inactive while its menu is open.
    DWORD foregroundThread = ::GetWindowThreadProcessId(::GetForegroundWindow(), nullptr);
    if (foregroundThread != ::GetCurrentThreadId()) ::SetForegroundWindow(owner);
    UINT command = static_cast<UINT>(::TrackPopupMenu(Handle(), TPM_LEFTALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD, x, y,
                                                      0, owner, nullptr));
    ::PostMessageW(owner, WM_NULL, 0, 0);
    if (command) DispatchCommand(command);
}

//--- TMainMenu

QX_DEFINE_CLASS(TMainMenu, TMenu, b) { b.Creatable(); }

TMainMenu::TMainMenu(TComponent* owner) : TMenu(owner) {}

void TMainMenu::SetWindow(HWND window) {
    if (FWindow && FWindow != window && ::IsWindow(FWindow) && ::GetMenu(FWindow) == (HandleAllocated() ? Handle() : nullptr))
        ::SetMenu(FWindow, nullptr);
    FWindow = window;
    if (FWindow) ::SetMenu(FWindow, Handle());
}

void TMainMenu::HandleRebuilt(HMENU old, HMENU now) {
    if (FWindow && ::IsWindow(FWindow) && ::GetMenu(FWindow) == old) ::SetMenu(FWindow, now);
}

}  // namespace qx
