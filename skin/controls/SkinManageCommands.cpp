// The manager's commands (skin on, off, changed, purge) and the managers of other modules that
// join the main one.
#include "skin/controls/SkinManage.h"

#include "skin/data/SkinData.h"
#include "skin/form/SkinFormRegistry.h"
#include "skin/form/WinSkinForm.h"

#include <algorithm>

namespace {
constexpr unsigned kSubordinateInterval = 300;
}  // namespace

//--- commands

void TSkinManage::PostCommand(int command, unsigned interval) {
    FPendingCommand = command;
    if (FTimer) FTimer->SetInterval(interval);
    if (FState == kManagerNeverActivated) {
        // Nothing was ever activated: the hook skins each window as it is activated, so there
        // is nothing for the timer to do.
        if (command == scActivate || command == scDeactivate) FActive = command == scActivate;
        return;
    }
    if (FState == kManagerDestroying) return;
    for (TSkinManage* sub : FSubordinates) {
        sub->FPendingSkinData = FPendingSkinData;
        if (command == scActivate) {
            sub->FActive = true;
            sub->PostCommand(scActivate, kSubordinateInterval);
        } else if (command == scDeactivate) {
            sub->FActive = false;
        }
    }
    if (FTimer) FTimer->SetEnabled(true);
}

void TSkinManage::CommandTimer(qx::TObject*) { RunCommand(); }

void TSkinManage::RunCommand() {
    if (FTimer) FTimer->SetEnabled(false);
    TSkinData* skinData = FPendingSkinData;
    if (!skinData || FState == kManagerDestroying) return;
    if (skinData->SkinFormtype() == TSkinFormType::sfOnlyThisForm) RunOnlyThisForm(FPendingCommand, skinData);
    else RunForAll(FPendingCommand, skinData);
    // Cleared before the component hears of it: a command it posts from its handler must not be
    // wiped out, and it may even free itself there. A command posted while this one ran keeps
    // its component.
    if (!CommandTimerEnabled()) FPendingSkinData = nullptr;
    skinData->RaiseSkinChanged();
}

void TSkinManage::RunOnlyThisForm(int command, TSkinData* skinData) {
    switch (command) {
    case scActivate:
        FActive = true;
        FActivationPass = true;
        // The form that owns the skin data, searched from the newest form down.
        for (int i = qx::Screen ? qx::Screen->FormCount() - 1 : -1; i >= 0; --i)
            if (i < qx::Screen->FormCount() && qx::Screen->Forms(i) == skinData->Owner()) {
                SkinForm(qx::Screen->Forms(i));
                break;
            }
        FActivationPass = false;
        break;
    case scDeactivate: {
        FActive = false;
        PurgeSkinForms();
        const std::vector<TWinSkinForm*> forms = SkinForms();
        for (auto it = forms.rbegin(); it != forms.rend(); ++it)
            if ((*it)->SkinData() == skinData) {
                ReleaseEntry(*it);
                break;
            }
        break;
    }
    case scSkinChanged:
        PurgeSkinForms();
        for (TWinSkinForm* form : SkinForms())
            if (form->SkinData() == skinData) {
                ReloadAndRepaint(form, skinData);
                break;
            }
        break;
    case scPurge:
        DropClosed(true);
        break;
    default:
        break;
    }
}

void TSkinManage::RunForAll(int command, TSkinData* skinData) {
    switch (command) {
    case scActivate:
        FActive = true;
        FActivationPass = true;
        PurgeSkinForms();
        for (int i = qx::Screen ? qx::Screen->FormCount() - 1 : -1; i >= 0; --i)
            if (i < qx::Screen->FormCount()) SkinForm(qx::Screen->Forms(i));
        FActivationPass = false;
        for (TSkinManage* sub : FSubordinates) {
            sub->FPendingSkinData = skinData;
            sub->FActive = true;
            sub->PostCommand(scActivate, kSubordinateInterval);
        }
        break;
    case scDeactivate:
        FActive = false;
        PurgeSkinForms();
        // Each window gets back its procedure, frame, shape, style and colours, and each control
        // its own painting.
        for (TWinSkinForm* form : SkinForms()) ReleaseEntry(form);
        for (TSkinManage* sub : FSubordinates) sub->FActive = false;
        break;
    case scSkinChanged:
        PurgeSkinForms();
        ReloadAndRepaint(nullptr, skinData);
        break;
    case scPurge:
        DropClosed(true);
        break;
    default:
        break;
    }
}

// First every frame is measured again from the skin and painted; then every window refreshes
// its controls and takes the size that keeps its client area (a framework form does that itself;
// a plain window's frame is recalculated around its client, and its shape cut again).
void TSkinManage::ReloadAndRepaint(TWinSkinForm* only, TSkinData* skinData) {
    auto matches = [&](TWinSkinForm* form) {
        return form->State() != kFormClosed && form->SkinData() == skinData && (!only || form == only);
    };
    for (TWinSkinForm* form : SkinForms())
        if (matches(form)) {
            form->UpdateFrameMetrics();
            form->PaintFrame();
        }
    for (TWinSkinForm* form : SkinForms()) {
        if (!matches(form)) continue;
        form->SkinChanged();
        if (form->Form()) continue;
        form->RefreshFrame();
        if (form->ShowState() != kShowMinimized && form->HasRegion()) {
            form->ClearRegion();
            form->UpdateRegion();
        }
    }
}

void TSkinManage::ReloadSkinData() {
    if (!FPendingSkinData) return;
    // A closed window's object may still wait for its purge: its skin may be gone.
    for (TWinSkinForm* form : SkinForms())
        if (form->State() != kFormClosed && form->SkinData() == FPendingSkinData) form->UpdateFrameMetrics();
}

//--- subordinate managers

void TSkinManage::JoinMainManager(TSkinManage& main) {
    if (&main == this || FParent || !FSubordinate || main.FParent) return;
    FParent = &main;
    FDefaultSkinData = main.FDefaultSkinData;
    FActive = main.FActive;
    FState = kManagerActivated;
    main.FSubordinates.push_back(this);
}

// A subordinate manager's module goes away: its windows' objects and the forms behind them go
// with it.
void TSkinManage::LeaveMainManager() {
    TSkinManage* main = FParent;
    main->FSubordinates.erase(std::remove(main->FSubordinates.begin(), main->FSubordinates.end(), this),
                              main->FSubordinates.end());
    for (const TSkinFormEntry& e : SkinFormRegistry().KeptBy(main)) {
        if (e.Module != FModuleInstance || !TakeEntry(e.Form)) continue;
        if (e.Form->State() != kFormClosed) delete e.Form->Form();
        delete e.Form;
    }
    FParent = nullptr;
}

void TSkinManage::DetachSubordinates() {
    for (TSkinManage* sub : std::vector<TSkinManage*>(FSubordinates)) {
        sub->FParent = nullptr;
        sub->FState = kManagerDestroying;
        sub->FActive = false;
        if (sub->FTimer) sub->FTimer->SetEnabled(false);
        sub->FSkinDataList.clear();
        sub->FPopupMenus.clear();
        sub->FPendingSkinData = nullptr;
        sub->FDefaultSkinData = nullptr;
        if (sub->FHook) ::UnhookWindowsHookEx(sub->FHook);
        sub->FHook = nullptr;
    }
    FSubordinates.clear();
}
