// TSkinManage: the single object that decides which windows of the program are skinned. It
// keeps the skin data components in registration order, watches the user-interface thread
// through a thread-local CBT hook, and carries out the skin commands (on, off, skin changed)
// that the skin data components post to it, on a short timer.
//
// Not here yet, because the per-window skinning objects and the popup menu painters do not exist
// yet: their registry, SkinWindow's tests after the first and the creation of the object, what
// the commands and ReloadSkinData do to the registered windows, and the hook's handling of window
// creation and destruction. SkinWindow, CbtNotify, RunCommand and ReloadSkinData mark the places.
#pragma once

#include "framework/ExtCtrls.h"
#include "framework/Forms.h"

#include <memory>
#include <vector>
#include <windows.h>

class TSkinData;

// Private window messages of the skin engine (values fixed).
inline constexpr UINT SKN_QUERY = 0x3523;          // answered 1 by anything already skinned
inline constexpr UINT SKN_ACTIVATE = 0x3503;       // posted after a window's skinning object exists
inline constexpr UINT SKN_ENABLE = 0x3506;         // wrapped control: skinned painting on / off
inline constexpr UINT SKN_REPAINTFRAME = 0x3502;   // repaint a skinned window's whole frame
inline constexpr UINT SKN_SKINCHANGED = 0x3401;    // a framework form re-applies the skin
inline constexpr UINT SKN_BUTTONACTION = 0x3514;   // application-defined caption button clicked
inline constexpr UINT SKN_BUTTONVISIBLE = 0x3515;  // is an application-defined caption button visible
inline constexpr UINT SKN_MDIREDRAW = 0x3516;      // MDI parent: redraw completely
inline constexpr UINT SKN_TABCLOSE = 0x3507;       // a tab's close box was clicked

// The commands a skin data component posts.
enum TSkinCommand : int { scNone = 0, scActivate = 1, scDeactivate = 2, scSkinChanged = 3, scPurge = 6 };

// Manager states.
inline constexpr int kManagerNeverActivated = 0;
inline constexpr int kManagerActivated = 1;
inline constexpr int kManagerDestroying = 4;

class TSkinManage : public qx::TObject {
    QX_CLASS(TSkinManage)
public:
    // A main manager keeps the lists; a subordinate one (of another module) has none of its own.
    explicit TSkinManage(bool subordinate = false);
    ~TSkinManage() override;

    // The CBT hook for the calling thread; installed once.
    void InstallHook();
    bool HookInstalled() const { return FHook != nullptr; }

    // Registers a component (once); the first main-form component becomes the default.
    void AddSkinData(TSkinData* skinData);
    // Forgets a component, also as pending or default skin data, so that no command or lookup
    // reaches it after it is gone.
    void RemoveSkinData(TSkinData* skinData);
    const std::vector<TSkinData*>& SkinDataList() const { return FSkinDataList; }
    TSkinData* DefaultSkinData() const { return FDefaultSkinData; }

    // Decides whether the window gets a skinning object; true when one was created.
    bool SkinWindow(HWND window);
    // SkinWindow for a form that is visible and not a plain child window.
    bool SkinForm(qx::TCustomForm* form);

    // Stores the command for the timer. Before anything was ever activated, commands 1 and 2
    // only set the active flag: windows are then skinned as the hook sees them activated.
    void PostCommand(int command, unsigned interval);
    // The timer's work: carries out the pending command, then tells the pending skin data.
    void RunCommand();
    // Every skinned window using the pending skin data reloads its skin.
    void ReloadSkinData();

    bool Active() const { return FActive; }
    void SetActive(bool value) { FActive = value; }
    int State() const { return FState; }
    void SetState(int value) { FState = value; }
    int PendingCommand() const { return FPendingCommand; }
    TSkinData* PendingSkinData() const { return FPendingSkinData; }
    void SetPendingSkinData(TSkinData* skinData) { FPendingSkinData = skinData; }
    bool ActivationPass() const { return FActivationPass; }
    bool CommandTimerEnabled() const { return FTimer && FTimer->Enabled(); }
    unsigned CommandInterval() const { return FTimer ? FTimer->Interval() : 0; }
    bool Subordinate() const { return FSubordinate; }

private:
    static LRESULT CALLBACK CbtProc(int code, WPARAM wParam, LPARAM lParam) noexcept;
    void CbtNotify(int code, WPARAM wParam, LPARAM lParam);
    void CommandTimer(qx::TObject* sender);

    std::unique_ptr<qx::TTimer> FTimer;
    HHOOK FHook = nullptr;
    std::vector<TSkinData*> FSkinDataList;
    bool FSubordinate = false;
    bool FActive = false;
    bool FActivationPass = false;
    int FState = kManagerNeverActivated;
    int FPendingCommand = scNone;
    TSkinData* FPendingSkinData = nullptr;
    TSkinData* FDefaultSkinData = nullptr;
    // 0 for the main manager; a subordinate one's module.
    HINSTANCE FModuleInstance = nullptr;
};

// The process's manager, null until the first skin data component has loaded.
extern TSkinManage* SkinManager;
// The main manager, created on first use; it is freed when the process ends.
TSkinManage& CreateSkinManager();
// Frees the manager now (the process's end does the same).
void FreeSkinManager();
