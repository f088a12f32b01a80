// The skinned menu items of one skinned window: the draw and measure handlers that framework
// items get (its popup menus, the submenus of its main menu, the skinned system menu), and
// WM_MEASUREITEM / WM_DRAWITEM of the items of its menu-bar popups, which reach the window
// itself. The drawing is MenuItemPaint's.
#pragma once

#include "framework/Classes.h"
#include "framework/Graphics.h"
#include "framework/Menus.h"

#include <windows.h>

class TWinSkinForm;
class TSkinData;

class TSkinMenuItems {
public:
    explicit TSkinMenuItems(TWinSkinForm& form) : FForm(form) {}

    //--- the handlers framework items get
    void SkinDrawItem(qx::TObject* sender, qx::TCanvas& canvas, const RECT& rect, bool selected);
    // Popup and system-menu items.
    void SkinMeasureItem(qx::TObject* sender, qx::TCanvas& canvas, int& width, int& height);
    // Items below a main menu's top level.
    void SkinMeasureSubItem(qx::TObject* sender, qx::TCanvas& canvas, int& width, int& height);

    //--- installing them
    // Every popup menu owned by `owner` (and by the forms it owns) whose Tag is not the skin's
    // DisableTag: owner-drawn with the handlers (on), or back to its own drawing (off). An item's
    // own measure handler stays.
    void HookPopupMenus(qx::TComponent* owner, bool on);
    void HookPopupMenu(qx::TMenu& menu, bool on);
    // Every main menu owned by the form: owner-drawn, the handlers on the items below the top
    // level that have none (on), or removed (off).
    void HookMainMenus(qx::TComponent* owner, bool on);
    void HookMainMenu(qx::TMenu& menu, bool on);

    //--- the window's own menu messages; false: not a menu item of ours, the default runs
    bool WMMeasureItem(MEASUREITEMSTRUCT& mis);
    bool WMDrawItem(const DRAWITEMSTRUCT& dis);

private:
    TSkinData* Skin() const;
    bool IsOurs(const qx::TMenuDrawItemEvent& e) const;
    bool IsOurs(const qx::TMenuMeasureItemEvent& e) const;
    void HookItems(qx::TMenuItem& parent, bool on, bool popup);
    // The menu-bar popup item of this command, when the window's bar has a framework menu.
    qx::TMenuItem* BarItem(UINT command) const;

    TWinSkinForm& FForm;
    // The menus this object switched to owner-drawn, with their own setting.
    std::vector<std::pair<qx::TMenu*, bool>> FOwnerDraw;
};
