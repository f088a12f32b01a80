// What the form skinning needs from the control skinning manager and from the skinned menu
// items, gathered in one place so that both can plug in without the form skinning knowing
// them: the manager's menu mode and menu-active flag, the MDI client it knows, the
// classification of a form's controls, and the skinned look of a form's menus.
//
// Until a manager registers its own hooks, the defaults keep the state here and do nothing
// else: no control gets a wrapper, menus keep the framework's drawing.
#pragma once

#include "framework/Forms.h"
#include "framework/Menus.h"

#include <vector>
#include <windows.h>

class TWinSkinForm;

// Menu mode: what the next menu window that opens belongs to.
inline constexpr int kMenuModePopup = 0;
inline constexpr int kMenuModeMenuBar = 1;
inline constexpr int kMenuModeSystem = 2;

struct TSkinFormHooks {
    // Activation: gives the window's child controls their wrappers (registered with the form).
    void (*ClassifyControls)(TWinSkinForm& form) = nullptr;
    // Switches a menu of the form to the skinned item look (on) or back (off).
    void (*SkinMenu)(TWinSkinForm& form, qx::TMenu& menu, bool on) = nullptr;
    // The window of the form went away (WM_NCDESTROY handled): the registry drops it.
    void (*FormClosed)(TWinSkinForm& form) = nullptr;
};
TSkinFormHooks& SkinFormHooks();

// The manager's menu mode (kMenuMode...), written before a menu opens.
int MenuMode();
void SetMenuMode(int mode);

// The MDI client of the skinned MDI parent, as the manager knows it.
HWND ManagerMDIClient();
void SetManagerMDIClient(HWND client, qx::TCustomForm* parent);
// The MDI parent that owns `client` goes (or stops being skinned): the handle is forgotten, so
// that a later window given the same handle never receives what was meant for the client.
void ClearManagerMDIClient(HWND client);

// The manager's menu-active flag (a maximised MDI child shows its buttons in the parent's menu
// band). Setting a new value tells every skinned MDI child.
bool MenuActive();
void SetMenuActive(bool on);


// The manager's state becomes "activated" (a window was taken over).
void MarkManagerActivated();
