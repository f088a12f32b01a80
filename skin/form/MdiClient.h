// The MDI client of a skinned MDI parent (MdiClient.cpp): subclassed while the parent is
// skinned, so that the parent's frame stays the skin's while children come and go.
#pragma once

#include "framework/SubclassSlot.h"

#include <windows.h>

struct TMdiPart {
    HWND Client = nullptr;
    qx::TSubclassSlot Subclass;
    bool MenuUpdateAtAttach = true;  // the skin's menu setting before children came
};
