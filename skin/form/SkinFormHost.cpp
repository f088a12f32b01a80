#include "skin/form/SkinFormHost.h"

#include "skin/data/SkinManagerLink.h"
#include "skin/form/SkinFormRegistry.h"
#include "skin/form/WinSkinForm.h"

#include <algorithm>

namespace {

int gMenuMode = kMenuModePopup;
bool gMenuActive = false;
HWND gMDIClient = nullptr;

}  // namespace

TSkinFormHooks& SkinFormHooks() {
    static TSkinFormHooks hooks;
    return hooks;
}

int MenuMode() { return gMenuMode; }
void SetMenuMode(int mode) { gMenuMode = mode; }

HWND ManagerMDIClient() { return gMDIClient; }
void SetManagerMDIClient(HWND client, qx::TCustomForm*) { gMDIClient = client; }
void ClearManagerMDIClient(HWND client) {
    if (client && gMDIClient == client) gMDIClient = nullptr;
}

bool MenuActive() { return gMenuActive; }

// Every MDI child hears of a change; a copy of the list is walked, as a child may go away.
void SetMenuActive(bool on) {
    if (on == gMenuActive) return;
    gMenuActive = on;
    for (TWinSkinForm* form : SkinFormRegistry().Forms()) {
        const std::vector<TWinSkinForm*> alive = SkinFormRegistry().Forms();
        if (std::find(alive.begin(), alive.end(), form) != alive.end() && form->FormKind() == kFormMDIChild)
            form->MenuActiveChanged(on);
    }
}

// Only from "never activated": a manager counting its form-only components up keeps its count.
void MarkManagerActivated() {
    TSkinManagerLink* manager = SkinManagerLink();
    if (manager && manager->State() == kManagerNeverActivated) manager->SetState(kManagerActivated);
}
