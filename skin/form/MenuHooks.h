// What the menu code of the form skinning needs from the popup menu painters, which the control
// skinning manager keeps: marking the painters of menu-bar menus, giving the newest painter
// its menu, and the frame image of the painter that shows a menu. The manager installs these
// when it is created; without it the calls do nothing and menus have no frame image.
#pragma once

#include "framework/Bitmap.h"

#include <windows.h>

struct TMenuManagerHooks {
    // Every painter (and every new one until the menus close) was opened from the menu bar.
    void (*MarkMenuBarPopups)() = nullptr;
    // The newest painter without a menu shows this one.
    void (*AssignPopupMenuHandle)(HMENU menu) = nullptr;
    // The frame image of the first painter showing the menu, or null.
    qx::TBitmap* (*FindPopupFrameImage)(HMENU menu) = nullptr;
};
TMenuManagerHooks& MenuManagerHooks();

void MarkMenuBarPopups();
void AssignPopupMenuHandle(HMENU menu);
qx::TBitmap* FindPopupFrameImage(HMENU menu);
