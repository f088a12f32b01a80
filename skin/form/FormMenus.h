// The menus of a skinned window as the form skinning holds them: the menu bar it took over from
// the window (MenuBar.h), whether one of its drop-downs is open and which, and the handlers
// that draw the items of the window's menus from the skin (SkinMenuItems.h).
#pragma once

#include <memory>
#include <windows.h>

class TWinSkinMenu;
class TSkinMenuItems;

struct TFormMenus {
    TFormMenus();
    ~TFormMenus();
    HMENU Handle = nullptr;  // the window's menu bar at attach
    std::unique_ptr<TWinSkinMenu> Bar;
    bool Tracking = false;       // a drop-down of the bar is open
    HMENU TrackedMenu = nullptr;  // which
    std::unique_ptr<TSkinMenuItems> Items;
};
