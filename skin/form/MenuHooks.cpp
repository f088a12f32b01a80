#include "skin/form/MenuHooks.h"

TMenuManagerHooks& MenuManagerHooks() {
    static TMenuManagerHooks hooks;
    return hooks;
}

void MarkMenuBarPopups() {
    if (MenuManagerHooks().MarkMenuBarPopups) MenuManagerHooks().MarkMenuBarPopups();
}

void AssignPopupMenuHandle(HMENU menu) {
    if (MenuManagerHooks().AssignPopupMenuHandle) MenuManagerHooks().AssignPopupMenuHandle(menu);
}

qx::TBitmap* FindPopupFrameImage(HMENU menu) {
    return MenuManagerHooks().FindPopupFrameImage ? MenuManagerHooks().FindPopupFrameImage(menu) : nullptr;
}
