// The skinned window's side of its menus: taking the menu bar over at attach and giving it back
// at detach, the item handlers on the form's menus and the system menu, and the keyboard's
// ways into the menu bar (Alt, F10, Alt+letter).
#include "skin/data/SkinData.h"
#include "skin/form/SkinMenuItems.h"
#include "skin/form/WinSkinForm.h"

void TWinSkinForm::AttachMenus() {
    if (!FMenus.Items) FMenus.Items = std::make_unique<TSkinMenuItems>(*this);
    if (!FSkinFrame) return;
    FMenus.Handle = ::GetMenu(FHandle);
    if (!FMenus.Handle || FFormKind == kFormMDIChild) return;
    // A first guess of one row: the band is measured at its first paint.
    FFrame.Metrics.Menu = ::GetSystemMetrics(SM_CYMENU);
    FMenus.Bar = std::make_unique<TWinSkinMenu>(*this);
    FMenus.Bar->Build();
}

// The popup menus of the form (and the skinned system menu) draw skinned items while the window
// is skinned; switched off, every menu of the form gets its own drawing back.
void TWinSkinForm::HookFormMenus(bool on) {
    TSkinMenuItems* items = FMenus.Items.get();
    if (!items) return;
    if (FSysMenu.Menu) items->HookPopupMenu(*FSysMenu.Menu, on);
    if (!FForm) return;
    items->HookPopupMenus(FForm, on);
    if (!on) items->HookMainMenus(FForm, false);
}

void TWinSkinForm::DetachMenus(bool restoreNative) {
    // Handlers pointing at this object must not outlive the window's skinning, also when only
    // the window (not the form) goes.
    HookFormMenus(false);
    if (FMenus.Bar) {
        if (restoreNative) FMenus.Bar->Restore();
        FMenus.Bar.reset();
    }
    FMenus.Tracking = false;
    FMenus.TrackedMenu = nullptr;
}

// SC_KEYMENU: Alt or F10 alone opens the first menu of the bar, Alt+letter the menu with that
// accelerator. Without a menu bar nothing opens, and the system's own menu-bar mode is not
// entered either. False: the key is left to the default handling.
bool TWinSkinForm::SysKeyMenu(wchar_t key) {
    TWinSkinMenu* bar = MenuBar();
    TMenuBtn* button = nullptr;
    if (bar) button = key ? bar->FindAccelerator(key) : (bar->Buttons().empty() ? nullptr : bar->Buttons().front().get());
    if (key && !button) return false;
    if (button) {
        button->MouseDown();
        bar->OpenMenu(button);
    }
    return true;
}

// CM_DIALOGCHAR that the form left alone: Alt+letter opens the menu-bar button with that
// accelerator.
bool TWinSkinForm::DialogChar(qx::TMessage& m) {
    TWinSkinMenu* bar = MenuBar();
    TMenuBtn* button = bar ? bar->FindAccelerator(static_cast<wchar_t>(m.WParam)) : nullptr;
    const bool altOnly = ::GetKeyState(VK_MENU) < 0 && ::GetKeyState(VK_CONTROL) >= 0 && ::GetKeyState(VK_SHIFT) >= 0;
    if (!button || !altOnly) return false;
    bar->ClickButton(button);
    m.Result = 1;
    return true;
}

bool TWinSkinForm::MdiChildMaximizedInBand() const {
    if (FFormKind != kFormMDIParent || !FMdi.Client || !MenuBar()) return false;
    BOOL maximized = FALSE;
    const auto active = reinterpret_cast<HWND>(::SendMessageW(FMdi.Client, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&maximized)));
    return active && maximized;
}

// CM_MENUCHANGED: the bar takes the window's new menu.
void TWinSkinForm::MenuChanged() {
    TWinSkinMenu* bar = MenuBar();
    if (!bar || !FSkinData || !FSkinData->MenuUpdate() || !::GetMenu(FHandle)) return;
    bar->Build();
    PaintFrame();
}
