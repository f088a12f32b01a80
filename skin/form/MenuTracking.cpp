// Opening a menu-bar button's submenu and following the user while it is open: a thread
// message-filter hook switches to the neighbouring menu on Left and Right, and to the button
// the mouse moves over. One menu can be tracked at a time, so the state is process-wide.
#include "framework/Forms.h"
#include "skin/form/MenuBar.h"
#include "skin/form/MenuHooks.h"
#include "skin/form/SkinFormHost.h"
#include "skin/form/WinSkinForm.h"

#include <algorithm>

namespace {

struct TTracking {
    TWinSkinMenu* Bar = nullptr;  // the bar whose menu is open
    int OpenIndex = -1;
    HMENU CurrentMenu = nullptr;  // the menu of the highlighted item
    HMENU CurrentSub = nullptr;   // its submenu, when it has one
    bool CurrentKnown = false;
    bool Switching = false;
    bool FirstMessage = false;
    POINT LastMouse{};
    HHOOK Hook = nullptr;
};
TTracking gTrack;

void Unhook() {
    if (gTrack.Hook) ::UnhookWindowsHookEx(gTrack.Hook);
    gTrack = TTracking{};
}

HWND OpenMenuWindow() {
    HWND found = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), [](HWND w, LPARAM lp) -> BOOL {
        wchar_t name[16] = {};
        ::GetClassNameW(w, name, 16);
        if (std::wstring(name) == L"#32768" && ::IsWindowVisible(w)) {
            *reinterpret_cast<HWND*>(lp) = w;
            return FALSE;
        }
        return TRUE;
    }, reinterpret_cast<LPARAM>(&found));
    return found;
}

// The neighbour of the open button, wrapping at both ends (hidden buttons count too).
TMenuBtn* Neighbour(TWinSkinMenu& bar, int step) {
    const auto& buttons = bar.Buttons();
    if (buttons.empty() || gTrack.OpenIndex < 0) return nullptr;
    const int n = static_cast<int>(buttons.size());
    return buttons[static_cast<size_t>((gTrack.OpenIndex + step + n) % n)].get();
}

LRESULT CALLBACK MenuFilterProc(int code, WPARAM wParam, LPARAM lParam) noexcept {
    TWinSkinMenu* bar = gTrack.Bar;
    auto* msg = reinterpret_cast<MSG*>(lParam);
    // A right-to-left menu reads the arrow keys the other way round.
    if (bar && msg && bar->RightToLeft() && (msg->message == WM_KEYDOWN) && (msg->wParam == VK_LEFT || msg->wParam == VK_RIGHT))
        msg->wParam = msg->wParam == VK_LEFT ? VK_RIGHT : VK_LEFT;
    const LRESULT next = ::CallNextHookEx(gTrack.Hook, code, wParam, lParam);
    if (next || code != MSGF_MENU || !bar || !msg) return next;
    if (!gTrack.FirstMessage) {
        // The first item is highlighted as soon as the menu is there.
        gTrack.FirstMessage = true;
        if (HWND menu = OpenMenuWindow()) ::PostMessageW(menu, WM_KEYDOWN, VK_DOWN, 0);
    }
    TWinSkinForm& form = bar->Form();
    TMenuBtn* target = nullptr;
    switch (msg->message) {
    case WM_KEYDOWN:
        if (msg->wParam == VK_RETURN || msg->wParam == VK_ESCAPE) gTrack.Switching = false;
        if (msg->wParam == VK_LEFT) {
            // Left in a submenu closes that submenu.
            const HMENU tracked = form.MenuPart().TrackedMenu;
            const bool deeper = gTrack.CurrentKnown && gTrack.CurrentMenu != tracked && gTrack.CurrentSub != tracked;
            if (!deeper) target = Neighbour(*bar, -1);
        } else if (msg->wParam == VK_RIGHT) {
            // Right on an item with a submenu opens it.
            if (!(gTrack.CurrentKnown && gTrack.CurrentSub)) target = Neighbour(*bar, +1);
        }
        break;
    case WM_SYSKEYDOWN:
        if (msg->wParam == VK_MENU) form.MenuPart().Tracking = false;
        return 0;
    case WM_MOUSEMOVE: {
        const POINT pt = msg->pt;
        if (pt.x != gTrack.LastMouse.x || pt.y != gTrack.LastMouse.y) {
            gTrack.LastMouse = pt;
            target = bar->ButtonAt(form.ScreenToWindowPoint(pt));
        }
        break;
    }
    default:
        break;
    }
    if (target && target->FIndex != gTrack.OpenIndex) {
        // The open menu ends first; the posted click then opens the neighbour's menu.
        gTrack.Switching = true;
        ::EndMenu();
        bar->ClickButton(target);
        return 1;
    }
    return 0;
}

}  // namespace

bool MenuBarHookInstalled() { return gTrack.Hook != nullptr; }

void TWinSkinMenu::MenuSelect(WPARAM wParam, LPARAM lParam) {
    if (gTrack.Bar != this) return;
    const UINT flags = HIWORD(wParam);
    const auto menu = reinterpret_cast<HMENU>(lParam);
    if (flags == 0xFFFF && !menu) {
        // The menu closes.
        if (!gTrack.Switching) FForm.MenuPart().Tracking = false;
        return;
    }
    gTrack.Switching = false;
    gTrack.CurrentKnown = true;
    gTrack.CurrentMenu = menu;
    gTrack.CurrentSub = (flags & MF_POPUP) ? ::GetSubMenu(menu, LOWORD(wParam)) : nullptr;
}

void TWinSkinMenu::ClickButton(TMenuBtn* button) {
    if (!button) return;
    RECT window{};
    ::GetWindowRect(FForm.Handle(), &window);
    ::PostMessageW(FForm.Handle(), WM_NCLBUTTONDOWN, HTCLIENT,
                   MAKELPARAM(window.left + button->FRect.left + 1, window.top + button->FRect.top + 1));
}

// Separators of a framework submenu: none before the first or after the last visible ordinary
// item, and of a run of separators only the last one.
void TWinSkinMenu::TidySeparators(qx::TMenuItem& item) {
    const int n = item.Count();
    int first = -1, last = -1;
    for (int i = 0; i < n; ++i)
        if (item.Items(i)->Visible() && !item.Items(i)->IsLine()) {
            if (first < 0) first = i;
            last = i;
        }
    for (int i = 0; i < n; ++i) {
        qx::TMenuItem* sub = item.Items(i);
        if (!sub->IsLine()) continue;
        if (first < 0 || i < first || i > last) {
            sub->SetVisible(false);
            continue;
        }
        const bool nextIsLine = i + 1 < n && item.Items(i + 1)->IsLine();
        sub->SetVisible(!nextIsLine);
    }
}

void TWinSkinMenu::MakeOwnerDrawn(HMENU menu) {
    const int n = ::GetMenuItemCount(menu);
    for (int i = 0; i < n; ++i) {
        MENUITEMINFOW info{sizeof(info)};
        info.fMask = MIIM_FTYPE | MIIM_SUBMENU;
        if (!::GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info)) continue;
        if (!(info.fType & MFT_OWNERDRAW)) {
            info.fMask = MIIM_FTYPE;
            info.fType |= MFT_OWNERDRAW;
            if (::SetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info)) FOwnerDrawn.emplace_back(menu, static_cast<UINT>(i));
        }
        if (info.hSubMenu) MakeOwnerDrawn(info.hSubMenu);
    }
}

void TWinSkinMenu::RestoreOwnerDrawn() {
    for (const auto& [menu, position] : FOwnerDrawn) {
        if (!::IsMenu(menu)) continue;
        MENUITEMINFOW info{sizeof(info)};
        info.fMask = MIIM_FTYPE;
        if (!::GetMenuItemInfoW(menu, position, TRUE, &info)) continue;
        info.fType &= ~MFT_OWNERDRAW;
        ::SetMenuItemInfoW(menu, position, TRUE, &info);
    }
    FOwnerDrawn.clear();
}

bool TWinSkinMenu::OpenMenu(TMenuBtn* button) {
    if (!button) return false;
    HWND wnd = FForm.Handle();
    // A command item runs; a framework item's click runs before its submenu opens. A native
    // item with a submenu has no command (its identifier is the submenu).
    if (button->FItem || !button->FSubMenu) ::PostMessageW(wnd, WM_COMMAND, button->FCommand, 0);
    if (!button->FSubMenu) return false;
    if (button->FItem) {
        TidySeparators(*button->FItem);
        // Hiding a separator rebuilt the framework's menu.
        button->FSubMenu = button->FItem->Count() > 0 ? button->FItem->Handle() : nullptr;
        if (!button->FSubMenu) return false;
    }
    gTrack.OpenIndex = button->FIndex;
    gTrack.Bar = this;
    RECT window{};
    ::GetWindowRect(wnd, &window);
    MakeOwnerDrawn(button->FSubMenu);

    TFormMenus& part = FForm.MenuPart();
    part.Tracking = true;
    const bool rtl = RightToLeft();
    const int x = window.left + (rtl ? button->FRect.right : button->FRect.left);
    const int y = window.top + button->FRect.bottom;
    SetMenuMode(kMenuModeMenuBar);
    MarkMenuBarPopups();
    part.TrackedMenu = button->FSubMenu;

    gTrack.Switching = false;
    gTrack.FirstMessage = false;
    gTrack.CurrentKnown = false;
    ::GetCursorPos(&gTrack.LastMouse);
    if (!gTrack.Hook) gTrack.Hook = ::SetWindowsHookExW(WH_MSGFILTER, &MenuFilterProc, nullptr, ::GetCurrentThreadId());
    if (button->FEnabled) {
        UINT flags = TPM_NONOTIFY | TPM_RIGHTBUTTON;
        if (rtl) flags |= TPM_RIGHTALIGN;
        ::TrackPopupMenu(button->FSubMenu, flags, x, y, 0, wnd, nullptr);
    }
    // The window (and this bar) may be gone by now: the hook goes in any case, the rest only
    // when this bar still tracks.
    const bool mine = gTrack.Bar == this;
    Unhook();
    if (mine) part.Tracking = false;
    return true;
}

TWinSkinMenu::~TWinSkinMenu() {
    // Destroyed while its menu is open (the window went): nothing may point at it any more.
    if (gTrack.Bar == this) Unhook();
    RestoreOwnerDrawn();
}
