// The skinned system menu of one window (SystemMenu.cpp, SysCommand.cpp): the menu the skin
// shows instead of the native one, and what tells a double click on the icon from two clicks.
#pragma once

#include "framework/Menus.h"

#include <memory>
#include <windows.h>

// The skinned system menu's Tag.
inline constexpr int kSystemMenuTag = 33333;

struct TSystemMenuPart {
    HMENU Handle = nullptr;  // the window's native system menu
    std::unique_ptr<qx::TPopupMenu> Menu;
    bool Fixed = false;  // the fixed menu of old systems rather than a copy of the native one
    DWORD Tick = 0;      // when the menu was last opened from the icon
    bool Shown = false;
    DWORD DoubleClickTime = 0;
};
