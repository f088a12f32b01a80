// Non-client mouse handling of a skinned window: the caption objects' mouse state, their
// actions on release, double and right clicks on the caption, and the hover timer.
#include "skin/data/SkinData.h"
#include "skin/form/SkinFormHost.h"
#include "skin/form/WinSkinForm.h"

#include <windowsx.h>

namespace {

POINT ScreenPointOf(LPARAM lp) { return {GET_X_LPARAM(lp), GET_Y_LPARAM(lp)}; }

}  // namespace

// Every message handler below answers true when it finished the message; false sends it on to
// the window's own procedure.

bool TWinSkinForm::NCMouseMove(qx::TMessage& m) {
    // An inactive window shows no hover states and the move is not passed on either.
    if (!FActive) {
        m.Result = 0;
        return true;
    }
    const POINT pt = ScreenToWindowPoint(ScreenPointOf(m.LParam));
    TNCObject* object = ObjectAt(pt);
    if (!object && MenuBar()) object = MenuBar()->ButtonAt(pt);
    if (object) {
        object->MouseMove();
        m.Result = 0;
        return true;
    }
    if (FCaption.HotObject) FCaption.HotObject->MouseLeave();
    return false;
}

bool TWinSkinForm::NCLButtonDown(qx::TMessage& m) {
    const POINT pt = ScreenToWindowPoint(ScreenPointOf(m.LParam));
    if (TWinSysButton* object = ObjectAt(pt)) {
        if (!FActive) ::SetForegroundWindow(FHandle);
        object->MouseDown();
        m.Result = 0;
        return true;
    }
    if (TMenuBtn* button = MenuBar() ? MenuBar()->ButtonAt(pt) : nullptr) {
        if (!FActive) ::SetForegroundWindow(FHandle);
        button->MouseDown();
        m.Result = 0;
        MenuBar()->OpenMenu(button);
        return true;
    }
    // A maximised window cannot be dragged by its caption.
    if (FShowState == kShowMaximized && FActive && m.WParam == HTCAPTION) m.WParam = HTMENU;
    return false;
}

bool TWinSkinForm::NCLButtonUp(qx::TMessage& m) {
    const POINT screen = ScreenPointOf(m.LParam);
    const POINT pt = ScreenToWindowPoint(screen);
    TWinSysButton* object = ObjectAt(pt);
    if (!object && MenuBar() && MenuBar()->ButtonAt(pt)) {
        m.Result = 0;
        return true;
    }
    if (!object) return false;
    m.Result = 0;
    // A press that began on another object (or nowhere) does nothing here.
    if (object != FCaption.HotObject) return true;
    object->MouseUp();
    const int action = object->FData->Action;
    if (IsSystemMenuAction(action)) {
        OpenSystemMenu(screen.x + 1, screen.y + 1);
        return true;
    }
    RunAction(action);
    return true;
}

bool TWinSkinForm::NCLButtonDblClk(qx::TMessage& m) {
    if (TWinSysButton* object = ObjectAt(ScreenToWindowPoint(ScreenPointOf(m.LParam)))) {
        if (IsIconAction(object->FData->Action)) {
            StopHoverTimer();
            ::PostMessageW(FHandle, WM_SYSCOMMAND, SC_CLOSE, 0);
        }
        m.Result = 0;
        return true;
    }
    if (FShowState != kShowNormal) {
        FShowState = kShowNormal;
        ::PostMessageW(FHandle, WM_SYSCOMMAND, SC_RESTORE, 0);
    } else if (FBorderIcons & kIconMaximize) {
        FShowState = kShowMaximized;
        ::PostMessageW(FHandle, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    } else {
        return false;
    }
    m.Result = 0;
    return true;
}

bool TWinSkinForm::NCRButtonDown(qx::TMessage& m) {
    if (m.WParam != HTCAPTION || FFormKind == kFormMDIChild) return false;
    const POINT screen = ScreenPointOf(m.LParam);
    OpenSystemMenu(screen.x, screen.y);
    m.Result = 0;
    return true;
}

//--- hover timer

void TWinSkinForm::HoverTimer(qx::TObject*) { HoverTick(); }

void TWinSkinForm::HoverTick() {
    if (!FActive || !FCaption.HotObject || FMenus.Tracking) return;
    POINT cursor{};
    if (!::GetCursorPos(&cursor)) return;
    const POINT pt = ScreenToWindowPoint(cursor);
    if (!::PtInRect(&FCaption.HotObject->FRect, pt)) FCaption.HotObject->MouseLeave();
}

void TWinSkinForm::StopHoverTimer() {
    if (FCaption.HoverTimer) FCaption.HoverTimer->SetEnabled(false);
}
