#include "skin/controls/SkinManage.h"

#include "skin/data/SkinData.h"

#include <algorithm>
#include <cstdlib>

TSkinManage* SkinManager = nullptr;

namespace {
constexpr unsigned kCommandInterval = 250;
}  // namespace

QX_DEFINE_CLASS(TSkinManage, ::qx::TObject, b) {}

TSkinManage::TSkinManage(bool subordinate) : FSubordinate(subordinate) {
    if (subordinate) FModuleInstance = ::GetModuleHandleW(nullptr);
    FTimer = std::make_unique<qx::TTimer>(nullptr);
    FTimer->SetEnabled(false);
    FTimer->SetInterval(kCommandInterval);
    FTimer->OnTimer = qx::TNotifyEvent::Of<&TSkinManage::CommandTimer>(this);
}

// The timer goes first, so no command can run while the rest is taken down.
TSkinManage::~TSkinManage() {
    FState = kManagerDestroying;
    FActive = false;
    FTimer.reset();
    FSkinDataList.clear();
    FPendingSkinData = nullptr;
    FDefaultSkinData = nullptr;
    if (FHook) ::UnhookWindowsHookEx(FHook);
    FHook = nullptr;
    if (SkinManager == this) SkinManager = nullptr;
}

//--- the skin data components

void TSkinManage::AddSkinData(TSkinData* skinData) {
    if (!skinData || std::find(FSkinDataList.begin(), FSkinDataList.end(), skinData) != FSkinDataList.end()) return;
    FSkinDataList.push_back(skinData);
    if (!FDefaultSkinData && skinData->SkinFormtype() == TSkinFormType::sfMainform) FDefaultSkinData = skinData;
}

void TSkinManage::RemoveSkinData(TSkinData* skinData) {
    FSkinDataList.erase(std::remove(FSkinDataList.begin(), FSkinDataList.end(), skinData), FSkinDataList.end());
    if (FPendingSkinData == skinData) FPendingSkinData = nullptr;
    if (FDefaultSkinData == skinData) FDefaultSkinData = nullptr;
}

//--- the CBT hook

// Thread-local: it sees the windows of the thread that installed it, and runs inside their
// creation, activation and destruction.
void TSkinManage::InstallHook() {
    if (FHook) return;
    FHook = ::SetWindowsHookExW(WH_CBT, &TSkinManage::CbtProc, nullptr, ::GetCurrentThreadId());
}

// Nothing may escape into the system's hook chain; the next hook always gets the notification
// unchanged.
LRESULT CALLBACK TSkinManage::CbtProc(int code, WPARAM wParam, LPARAM lParam) noexcept {
    HHOOK hook = SkinManager ? SkinManager->FHook : nullptr;
    if (code >= 0 && SkinManager && SkinManager->FState != kManagerDestroying) {
        try {
            SkinManager->CbtNotify(code, wParam, lParam);
        } catch (...) {
            if (qx::Application) qx::Application->HandleException(SkinManager);
        }
    }
    return ::CallNextHookEx(hook, code, wParam, lParam);
}

// Window creation (MDI children, menu windows, size grips) and destruction (menu windows) are
// handled by the form skinning and the popup menu painters once they exist.
void TSkinManage::CbtNotify(int code, WPARAM wParam, LPARAM) {
    switch (code) {
    case HCBT_ACTIVATE:
        if (FState == kManagerNeverActivated) FState = kManagerActivated;
        SkinWindow(reinterpret_cast<HWND>(wParam));
        break;
    default:
        break;
    }
}

//--- skinning windows

bool TSkinManage::SkinWindow(HWND window) {
    if (!FActive || !window) return false;
    if (::SendMessageW(window, SKN_QUERY, 0, 0) == 1) return false;
    // The per-window skinning object (and the tests that decide whether a window gets one) is
    // the form skinning's; until it exists no window is taken over.
    return false;
}

bool TSkinManage::SkinForm(qx::TCustomForm* form) {
    if (!form || !form->Visible()) return false;
    if (form->FormStyle() != qx::TFormStyle::fsMDIChild &&
        (::GetWindowLongPtrW(form->Handle(), GWL_STYLE) & WS_CHILD) != 0)
        return false;
    return SkinWindow(form->Handle());
}

//--- commands

void TSkinManage::PostCommand(int command, unsigned interval) {
    FPendingCommand = command;
    FTimer->SetInterval(interval);
    if (FState != kManagerNeverActivated) {
        FTimer->SetEnabled(true);
        return;
    }
    // Nothing was ever activated: the hook skins each window as it is activated, so there is
    // nothing for the timer to do.
    if (command == scActivate || command == scDeactivate) FActive = command == scActivate;
}

void TSkinManage::CommandTimer(qx::TObject*) { RunCommand(); }

void TSkinManage::RunCommand() {
    FTimer->SetEnabled(false);
    TSkinData* skinData = FPendingSkinData;
    if (!skinData) return;
    const bool onlyThisForm = skinData->SkinFormtype() == TSkinFormType::sfOnlyThisForm;
    switch (FPendingCommand) {
    case scActivate:
        FActive = true;
        FActivationPass = true;
        if (onlyThisForm) {
            // The form that owns the skin data, searched from the newest form down.
            for (int i = qx::Screen ? qx::Screen->FormCount() - 1 : -1; i >= 0; --i)
                if (qx::Screen->Forms(i) == skinData->Owner()) {
                    SkinForm(qx::Screen->Forms(i));
                    break;
                }
        } else {
            for (int i = qx::Screen ? qx::Screen->FormCount() - 1 : -1; i >= 0; --i) SkinForm(qx::Screen->Forms(i));
        }
        FActivationPass = false;
        break;
    case scDeactivate:
        // The skinned windows let go of their windows here, once they exist.
        FActive = false;
        break;
    case scSkinChanged:
        ReloadSkinData();
        break;
    default:
        break;
    }
    // Cleared before the component hears of it: a command it posts from its handler must not be
    // wiped out, and it may even free itself there.
    FPendingSkinData = nullptr;
    skinData->RaiseSkinChanged();
}

void TSkinManage::ReloadSkinData() {
    // Every skinned window using FPendingSkinData reloads its skin: none exists until the form
    // skinning registers its windows here.
}

//--- the one manager

namespace {
void FreeAtExit() { FreeSkinManager(); }
}  // namespace

TSkinManage& CreateSkinManager() {
    if (!SkinManager) {
        SkinManager = new TSkinManage(false);
        // Registered after the manager (and its timer) exist, so the process's end frees the
        // manager before the framework objects it uses are taken down.
        static const bool registered = (std::atexit(&FreeAtExit), true);
        (void)registered;
    }
    return *SkinManager;
}

void FreeSkinManager() {
    TSkinManage* manager = SkinManager;
    SkinManager = nullptr;
    delete manager;
}
