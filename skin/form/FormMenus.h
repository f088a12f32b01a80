// The menus of a skinned window as the form skinning holds them: the window's menu bar and the
// framework menus switched to owner drawing. The skinned menu bar adds its state here.
#pragma once

#include "framework/Menus.h"

#include <utility>
#include <vector>
#include <windows.h>

struct TFormMenus {
    HMENU Handle = nullptr;   // the window's menu bar at attach
    bool NativeKept = false;  // the native menu bar stays and is drawn in the menu band
    std::vector<std::pair<qx::TMenu*, bool>> OwnerDraw;  // menus switched, with their old setting
};
