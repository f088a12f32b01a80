// TSkinManage: the single object that decides which windows of the program are skinned. It
// keeps the skin data components in registration order and picks the one that skins a window,
// watches the user-interface thread through a thread-local CBT hook, creates one TWinSkinForm
// for every top-level window that is to be skinned, and carries out the skin commands (on, off,
// skin changed, purge) that the skin data components post to it, on a short timer. The skin data
// components reach it through TSkinManagerLink (skin/data/SkinManagerLink.h), which it
// implements; the form skinning through the hooks of skin/form/SkinFormHost.h.
//
// The manager keeps its TWinSkinForm objects in the one registry of skinned windows
// (skin/form/SkinFormRegistry.h) and frees them, for framework forms too: an object whose window
// is gone waits, closed, for the next purge (every SkinWindow and every command runs one, and the
// window's end posts a purge command when no other command is pending).
//
// The popup menu painters are a seam for now: AttachPopupMenu runs its refusal tests and then
// asks a factory that nobody has installed yet, so menu windows keep the system's look. The
// painter list and the operations around it already work on whatever the factory makes.
//
// Implementation: SkinManage.cpp (lifecycle, components, hook, SkinWindow, registry),
// SkinManageCommands.cpp (commands and subordinate managers), SkinManagePopup.cpp (popup seams).
#pragma once

#include "framework/ExtCtrls.h"
#include "framework/Forms.h"
#include "framework/Bitmap.h"
#include "skin/SkinMessages.h"
#include "skin/data/SkinManagerLink.h"

#include <memory>
#include <string>
#include <vector>
#include <windows.h>

class TSkinData;
class TWinSkinForm;

// A form or control with this Tag is never skinned as a window, whatever DisableTag says.
inline constexpr int kNeverSkinTag = 99;

// What the manager needs of a popup menu painter (the menu window's own skinning object).
class TSkinPopupPainter {
public:
    TSkinPopupPainter() = default;
    TSkinPopupPainter(const TSkinPopupPainter&) = delete;
    TSkinPopupPainter& operator=(const TSkinPopupPainter&) = delete;
    virtual ~TSkinPopupPainter() = default;

    // The menu window it paints.
    virtual HWND Window() const = 0;
    // The menu it shows; null until AssignPopupMenuHandle gave it one.
    virtual HMENU MenuHandle() const = 0;
    virtual void SetMenuHandle(HMENU menu) = 0;
    // The menu was opened from the menu bar.
    virtual void MarkFromMenuBar() = 0;
    // The frame image it draws, or null.
    virtual qx::TBitmap* FrameImage() = 0;
    // Lets go of the menu window.
    virtual void Detach() = 0;
};
// Makes and attaches a painter for a menu window with a skin and no menu handle yet; null when
// none was attached.
using TSkinPopupPainterFactory = TSkinPopupPainter* (*)(HWND menuWindow, TSkinData* skin);
void SetSkinPopupPainterFactory(TSkinPopupPainterFactory factory);

class TSkinManage : public qx::TObject, public TSkinManagerLink {
    QX_CLASS(TSkinManage)
public:
    // A main manager keeps the lists; a subordinate one (of another module) takes its module's
    // instance and uses the lists of the main manager it joins.
    explicit TSkinManage(bool subordinate = false);
    ~TSkinManage() override;

    // The CBT hook for the calling thread; installed once, by the main manager.
    void InstallHook() override;
    bool HookInstalled() const { return FHook != nullptr; }

    //--- the skin data components
    // Registers a component (once); the first main-form component becomes the default.
    void AddSkinData(TSkinData* skinData) override;
    // Forgets a component, also as pending or default skin data, so that no command or lookup
    // reaches it after it is gone.
    void RemoveSkinData(TSkinData* skinData) override;
    const std::vector<TSkinData*>& SkinDataList() const override;
    TSkinData* DefaultSkinData() const { return FDefaultSkinData; }
    // The component that skins this window: an only-this-form one whose owner it is, a dialog
    // one for message boxes, the last main-form one, else the first registered; null when none.
    TSkinData* ChooseSkinData(HWND window) const;
    // Whether windows of this class may be skinned (preview windows, the form filter).
    bool AcceptWindowClass(const std::wstring& className) const;

    //--- skinning windows
    // Decides whether the window gets a skinning object and creates it; true when one was made.
    bool SkinWindow(HWND window) override;
    // SkinWindow for a form that is visible and not a plain child window.
    bool SkinForm(qx::TCustomForm* form);
    // The framework form with this window, else the framework control attached to it.
    qx::TWinControl* FindFormControl(HWND window) const;

    //--- the skinned windows this manager keeps (in the one registry of skinned windows)
    // The live (not closed) object of the window, or null.
    TWinSkinForm* FindSkinForm(HWND window) const;
    // Drops the window's entry without freeing it: the caller takes the object (nothing while
    // being destroyed).
    void RemoveSkinForm(HWND window);
    // Drops and frees every entry of this module whose window is gone (nothing while being
    // destroyed).
    void PurgeSkinForms();
    // The registered skinning objects, oldest first.
    std::vector<TWinSkinForm*> SkinForms() const;

    //--- popup menu painters (seams until the painters exist)
    bool AttachPopupMenu(HWND menuWindow);
    bool DetachPopupMenu(HWND menuWindow);
    bool IsPopupMenu(HWND menuWindow) const;
    void MarkMenuBarPopups();
    void AssignPopupMenuHandle(HMENU menu);
    qx::TBitmap* FindPopupFrameImage(HMENU menu) const;
    size_t PopupMenuCount() const { return FPopupMenus.size(); }
    bool MenuBarPopups() const { return FMenuBarPopups; }

    //--- menus
    // What the next menu window belongs to (0 popup, 1 menu bar, 2 system menu).
    int MenuMode() const;
    void SetMenuMode(int mode);
    bool MenuActive() const;
    // A new value reaches every skinned MDI child.
    void SetMenuActive(bool on);

    //--- commands (SkinManageCommands.cpp)
    // Stores the command for the timer. Before anything was ever activated, commands 1 and 2
    // only set the active flag: windows are then skinned as the hook sees them activated.
    void PostCommand(int command, unsigned interval) override;
    // The timer's work: carries out the pending command, then tells the pending skin data.
    void RunCommand();
    // Every skinned window using the pending skin data reloads its skin.
    void ReloadSkinData() override;

    //--- subordinate managers (SkinManageCommands.cpp)
    // A subordinate manager joins a main one: it shares its lists, takes its default skin data
    // and active flag, and counts as activated.
    void JoinMainManager(TSkinManage& main);
    const std::vector<TSkinManage*>& Subordinates() const { return FSubordinates; }
    TSkinManage* ParentManager() const { return FParent; }
    HINSTANCE ModuleInstance() const { return FModuleInstance; }

    bool Active() const override { return FActive; }
    void SetActive(bool value) override { FActive = value; }
    int State() const override { return FState; }
    void SetState(int value) override { FState = value; }
    int PendingCommand() const { return FPendingCommand; }
    TSkinData* PendingSkinData() const { return FPendingSkinData; }
    void SetPendingSkinData(TSkinData* skinData) override { FPendingSkinData = skinData; }
    bool ActivationPass() const { return FActivationPass; }
    bool CommandTimerEnabled() const { return FTimer && FTimer->Enabled(); }
    unsigned CommandInterval() const { return FTimer ? FTimer->Interval() : 0; }
    bool Subordinate() const { return FSubordinate; }

private:
    static LRESULT CALLBACK CbtProc(int code, WPARAM wParam, LPARAM lParam) noexcept;
    void CbtNotify(int code, WPARAM wParam, LPARAM lParam);
    void CommandTimer(qx::TObject* sender);
    static void FormClosed(TWinSkinForm& form);

    // The lists: a subordinate manager works on those of the main manager it joined.
    const TSkinManage& Root() const { return FParent ? *FParent : *this; }
    std::vector<TSkinData*>& DataList();
    void AddEntry(TWinSkinForm* form);
    // Takes the entry out of the manager's keeping without freeing it.
    bool TakeEntry(TWinSkinForm* form);
    // Stops skinning the window, drops the entry and frees the object.
    void ReleaseEntry(TWinSkinForm* form);
    // Drops and frees every closed entry; only this module's unless `anyModule`.
    void DropClosed(bool anyModule);
    void RunOnlyThisForm(int command, TSkinData* skinData);
    void RunForAll(int command, TSkinData* skinData);
    void ReloadAndRepaint(TWinSkinForm* only, TSkinData* skinData);
    void LeaveMainManager();
    void DetachSubordinates();

    std::unique_ptr<qx::TTimer> FTimer;
    HHOOK FHook = nullptr;
    std::vector<std::unique_ptr<TSkinPopupPainter>> FPopupMenus;
    std::vector<TSkinData*> FSkinDataList;
    std::vector<TSkinManage*> FSubordinates;
    bool FActive = false;
    bool FActivationPass = false;
    int FState = kManagerNeverActivated;
    bool FMenuBarPopups = false;
    int FPendingCommand = scNone;
    TSkinData* FPendingSkinData = nullptr;
    TSkinData* FDefaultSkinData = nullptr;
    // 0 for the main manager; a subordinate one's module.
    HINSTANCE FModuleInstance = nullptr;
    TSkinManage* FParent = nullptr;
    bool FSubordinate = false;
};

// The process's manager, null until the first skin data component has loaded.
extern TSkinManage* SkinManager;
// The main manager, created on first use; it is freed when the process ends.
TSkinManage& CreateSkinManager();
// Frees the manager now (the process's end does the same).
void FreeSkinManager();
// Lets the skin data components make the manager when they need one (CreateSkinManager). A
// program that links this library has it done before its entry point runs; calling it again
// does no harm.
void InstallSkinManager();
