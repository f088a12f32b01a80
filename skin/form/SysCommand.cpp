// Caption-button actions, show-state commands, the WM_COMMAND relay of the native system menu
// and WM_SYSCOMMAND of a skinned window.
#include "skin/data/SkinData.h"
#include "skin/form/SkinFormHost.h"
#include "skin/form/WinSkinForm.h"

void TWinSkinForm::RunAction(int action) {
    if (action == kActionClose) {
        StopHoverTimer();
        ::PostMessageW(FHandle, WM_SYSCOMMAND, SC_CLOSE, 0);
    } else if (IsMaximizeAction(action)) {
        ToggleMaximize();
    } else if (IsMinimizeAction(action)) {
        ToggleMinimize();
    } else if (UINT command = ::MdiChildCommand(action)) {
        MdiChildCommand(command);
    } else if (!IsSystemMenuAction(action)) {
        ::PostMessageW(FHandle, SKN_BUTTONACTION, static_cast<WPARAM>(action), 0);
    }
}

void TWinSkinForm::ToggleMaximize() {
    if (FShowState == kShowMaximized) {
        FShowState = kShowNormal;
        ::PostMessageW(FHandle, WM_SYSCOMMAND, SC_RESTORE, 0);
        return;
    }
    if (FFormKind == kFormMDIChild) SetMenuActive(true);
    FShowState = kShowMaximized;
    ::PostMessageW(FHandle, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    FCaption.HotObject = nullptr;
}

void TWinSkinForm::ToggleMinimize() {
    if (FShowState == kShowMinimized) {
        ::PostMessageW(FHandle, WM_SYSCOMMAND, SC_RESTORE, 0);
        return;
    }
    FShowState = kShowMinimized;
    ::PostMessageW(FHandle, WM_SYSCOMMAND, SC_MINIMIZE, 0);
}

void TWinSkinForm::MdiChildCommand(UINT command) {
    if (FFormKind != kFormMDIParent || !FMdi.Client) return;
    auto child = reinterpret_cast<HWND>(::SendMessageW(FMdi.Client, WM_MDIGETACTIVE, 0, 0));
    if (child) ::SendMessageW(child, WM_SYSCOMMAND, command, 0);
}

// Commands chosen in the native system menu (opened with TrackPopupMenu) arrive as
// WM_COMMAND: they are sent on as the system commands they are.
bool TWinSkinForm::WMCommand(qx::TMessage& m) {
    switch (LOWORD(m.WParam)) {
    case SC_SIZE: case SC_MOVE: case SC_MINIMIZE: case SC_MAXIMIZE:
    case SC_NEXTWINDOW: case SC_PREVWINDOW: case SC_CLOSE: case SC_RESTORE:
        // A control's notification carries its window: only menu commands are relayed.
        if (m.LParam == 0) {
            ::PostMessageW(FHandle, WM_SYSCOMMAND, LOWORD(m.WParam), 0);
            m.Result = 0;
            return true;
        }
        break;
    default:
        break;
    }
    Default(m);
    return true;
}

bool TWinSkinForm::WMSysCommand(qx::TMessage& m) {
    const UINT command = static_cast<UINT>(m.WParam) & 0xFFF0;
    const auto key = static_cast<wchar_t>(m.LParam);
    if (command == SC_KEYMENU && key != L' ' && key != L'-' && !::GetCapture() && !FMenus.Tracking && SysKeyMenu(key)) {
        m.Result = 1;
        return true;
    }
    if (command == SC_KEYMENU && key == L' ') {
        POINT origin{0, 0};
        ::ClientToScreen(FHandle, &origin);
        OpenSystemMenu(origin.x, origin.y);
    }
    switch (command) {
    case SC_MINIMIZE: FShowState = kShowMinimized; break;
    case SC_MAXIMIZE: FShowState = kShowMaximized; break;
    case SC_RESTORE:
        FShowState = kShowNormal;
        if (FFormKind == kFormMDIChild && MenuActive()) SetMenuActive(false);
        break;
    default: break;
    }
    Default(m);
    return true;
}
