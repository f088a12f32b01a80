#include "skin/form/SkinFormHost.h"

#include "skin/controls/SkinManage.h"
#include "skin/form/WinSkinForm.h"

#include <algorithm>

namespace {

int gMenuMode = kMenuModePopup;
bool gMenuActive = false;
HWND gMDIClient = nullptr;

std::vector<TWinSkinForm*>& Forms() {
    static auto* forms = new std::vector<TWinSkinForm*>;
    return *forms;
}

}  // namespace

TSkinFormHooks& SkinFormHooks() {
    static TSkinFormHooks hooks;
    return hooks;
}

int MenuMode() { return gMenuMode; }
void SetMenuMode(int mode) { gMenuMode = mode; }

HWND ManagerMDIClient() { return gMDIClient; }
void SetManagerMDIClient(HWND client, qx::TCustomForm*) { gMDIClient = client; }

bool MenuActive() { return gMenuActive; }

// Every MDI child hears of a change; a copy of the list is walked, as a child may go away.
void SetMenuActive(bool on) {
    if (on == gMenuActive) return;
    gMenuActive = on;
    for (TWinSkinForm* form : std::vector<TWinSkinForm*>(Forms()))
        if (std::find(Forms().begin(), Forms().end(), form) != Forms().end() && form->FormKind() == kFormMDIChild)
            form->MenuActiveChanged(on);
}

const std::vector<TWinSkinForm*>& SkinForms() { return Forms(); }

void AddSkinForm(TWinSkinForm* form) {
    if (std::find(Forms().begin(), Forms().end(), form) == Forms().end()) Forms().push_back(form);
}

void RemoveSkinForm(TWinSkinForm* form) {
    Forms().erase(std::remove(Forms().begin(), Forms().end(), form), Forms().end());
}

TWinSkinForm* FindSkinForm(HWND wnd) {
    for (TWinSkinForm* form : Forms())
        if (form->Handle() == wnd) return form;
    return nullptr;
}

// Only from "never activated": a manager counting its form-only components up keeps its count.
void MarkManagerActivated() {
    if (SkinManager && SkinManager->State() == kManagerNeverActivated) SkinManager->SetState(kManagerActivated);
}
