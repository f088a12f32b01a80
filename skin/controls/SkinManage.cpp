#include "skin/controls/SkinManage.h"

#include "framework/TextConvert.h"
#include "framework/WindowText.h"
#include "skin/controls/SkinClassify.h"
#include "skin/controls/SkinFormAdapter.h"
#include "skin/controls/SkinPopMenu.h"
#include "skin/data/SkinData.h"
#include "skin/form/SkinFormHost.h"
#include "skin/form/SkinFormRegistry.h"
#include "skin/form/WinSkinForm.h"

#include <algorithm>
#include <cstdlib>
#include <cwctype>

TSkinManage* SkinManager = nullptr;

namespace {

bool IsDialogClass(const std::wstring& className) {
    const std::wstring lower = qx::LowerCase(className);
    return lower == L"tmessageform" || lower == L"#32770";
}

}  // namespace

QX_DEFINE_CLASS(TSkinManage, ::qx::TObject, b) {}

TSkinManage::TSkinManage(bool subordinate) : FSubordinate(subordinate) {
    if (subordinate) FModuleInstance = ::GetModuleHandleW(nullptr);
    FTimer = std::make_unique<qx::TTimer>(nullptr);
    FTimer->SetEnabled(false);
    FTimer->SetInterval(250);
    FTimer->OnTimer = qx::TNotifyEvent::Of<&TSkinManage::CommandTimer>(this);
    if (!subordinate) {
        // Every skinned window classifies its controls when it is activated, and tells the
        // registry when its window is gone.
        InstallControlClassification();
        InstallPopupMenuPainters();
        SkinFormHooks().FormClosed = &TSkinManage::FormClosed;
    }
}

// The timer goes first, so no command can run while the rest is taken down; the hook goes last,
// so nothing is skinned while the lists are emptied.
TSkinManage::~TSkinManage() {
    FState = kManagerDestroying;
    FActive = false;
    FTimer.reset();
    if (FParent) {
        LeaveMainManager();
    } else if (!FSubordinate) {
        for (auto& painter : FPopupMenus) painter->Detach();
        FPopupMenus.clear();
        DetachSubordinates();
        if (SkinFormHooks().FormClosed == &TSkinManage::FormClosed) SkinFormHooks().FormClosed = nullptr;
    }
    // The manager frees what it keeps: a window still skinned (also one of another module,
    // whose manager is left without lists) gets its own look back.
    for (const TSkinFormEntry& e : SkinFormRegistry().KeptBy(this)) {
        // Freeing an earlier one may have freed this one too (a form owning another).
        if (!TakeEntry(e.Form)) continue;
        if (e.Form->State() != kFormClosed) e.Form->Detach();
        delete e.Form;
    }
    FSkinDataList.clear();
    FPendingSkinData = nullptr;
    FDefaultSkinData = nullptr;
    if (FHook) ::UnhookWindowsHookEx(FHook);
    FHook = nullptr;
    if (SkinManager == this) SkinManager = nullptr;
    if (SkinManagerLink() == this) SetSkinManagerLink(nullptr);
}

//--- the lists

std::vector<TSkinData*>& TSkinManage::DataList() { return FParent ? FParent->FSkinDataList : FSkinDataList; }
const std::vector<TSkinData*>& TSkinManage::SkinDataList() const {
    return FParent ? FParent->FSkinDataList : FSkinDataList;
}

//--- the skin data components

void TSkinManage::AddSkinData(TSkinData* skinData) {
    std::vector<TSkinData*>& list = DataList();
    if (!skinData || std::find(list.begin(), list.end(), skinData) != list.end()) return;
    list.push_back(skinData);
    if (!FDefaultSkinData && skinData->SkinFormtype() == TSkinFormType::sfMainform) FDefaultSkinData = skinData;
}

void TSkinManage::RemoveSkinData(TSkinData* skinData) {
    std::vector<TSkinData*>& list = DataList();
    list.erase(std::remove(list.begin(), list.end(), skinData), list.end());
    if (FPendingSkinData == skinData) FPendingSkinData = nullptr;
    if (FDefaultSkinData == skinData) FDefaultSkinData = nullptr;
    for (TSkinManage* sub : FSubordinates) {
        if (sub->FPendingSkinData == skinData) sub->FPendingSkinData = nullptr;
        if (sub->FDefaultSkinData == skinData) sub->FDefaultSkinData = nullptr;
    }
    // No object keeps a pointer to the component: a live window lets go of it and gets its own
    // look back. Both are freed by the next purge (not here: the component may go from inside
    // the window's own procedure, as a form freed by its own message does).
    if (!skinData || FState == kManagerDestroying) return;
    for (const TSkinFormEntry& e : SkinFormRegistry().KeptBy(&Root())) {
        if (e.Form->SkinData() != skinData) continue;
        if (e.Form->State() != kFormClosed) e.Form->Detach();
        e.Form->ForgetSkinData();
    }
}

// In each of the first three searches the last match wins.
TSkinData* TSkinManage::ChooseSkinData(HWND window) const {
    const std::vector<TSkinData*>& list = SkinDataList();
    auto lastOf = [&](auto&& matches) {
        TSkinData* found = nullptr;
        for (TSkinData* skin : list)
            if (matches(*skin)) found = skin;
        return found;
    };
    TSkinData* skin = lastOf([&](TSkinData& s) {
        if (s.SkinFormtype() != TSkinFormType::sfOnlyThisForm) return false;
        auto* owner = dynamic_cast<qx::TWinControl*>(s.Owner());
        return owner && owner->HandleAllocated() && owner->Handle() == window;
    });
    // Message boxes have their own skin only when a dialog component exists.
    if (!skin && IsDialogClass(qx::ClassNameOf(window)))
        skin = lastOf([](TSkinData& s) { return s.SkinFormtype() == TSkinFormType::sfDialog; });
    if (!skin) skin = lastOf([](TSkinData& s) { return s.SkinFormtype() == TSkinFormType::sfMainform; });
    if (!skin && !list.empty()) skin = list.front();
    return skin;
}

bool TSkinManage::AcceptWindowClass(const std::wstring& className) const {
    bool doSkin = true;
    if (!FDefaultSkinData) return doSkin;
    if (!InSet(FDefaultSkinData->Options(), xoPreview) && qx::LowerCase(className).find(L"preview") != std::wstring::npos)
        doSkin = false;
    FDefaultSkinData->FormFilter(className, doSkin);
    return doSkin;
}

//--- the CBT hook

// Thread-local: it sees the windows of the thread that installed it, and runs inside their
// creation, activation and destruction. The hook procedure serves the process's main manager,
// so a subordinate one (whose windows come through the shared registry) installs none.
void TSkinManage::InstallHook() {
    if (FHook || FParent || FSubordinate) return;
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

void TSkinManage::CbtNotify(int code, WPARAM wParam, LPARAM lParam) {
    const auto window = reinterpret_cast<HWND>(wParam);
    switch (code) {
    case HCBT_CREATEWND: {
        const auto* create = reinterpret_cast<const CBT_CREATEWNDW*>(lParam);
        const CREATESTRUCTW* cs = create ? create->lpcs : nullptr;
        if (!cs) break;
        const std::wstring className = qx::ClassNameOf(window);
        // A size grip made after its dialog was skinned gets its wrapper at once.
        if (className == L"ScrollBar" && (cs->style & SBS_SIZEGRIP))
            if (TWinSkinForm* form = FindSkinForm(cs->hwndParent)) ClassifyWindow(SkinFormHost(*form), window);
        if (!(cs->style & WS_CHILD) && className == L"#32768" && !FParent) AttachPopupMenu(window);
        if (cs->dwExStyle & WS_EX_MDICHILD) SkinWindow(window);
        break;
    }
    case HCBT_DESTROYWND:
        DetachPopupMenu(window);
        break;
    case HCBT_ACTIVATE:
        if (FState == kManagerNeverActivated) FState = kManagerActivated;
        SkinWindow(window);
        break;
    default:
        break;
    }
}

//--- skinning windows

qx::TWinControl* TSkinManage::FindFormControl(HWND window) const {
    if (!window) return nullptr;
    if (qx::Screen)
        for (int i = 0; i < qx::Screen->FormCount(); ++i) {
            qx::TCustomForm* form = qx::Screen->Forms(i);
            if (form->HandleAllocated() && form->Handle() == window) return form;
        }
    return qx::FindControl(window);
}

bool TSkinManage::SkinWindow(HWND window) {
    if (!FActive || !window || !::IsWindow(window)) return false;
    if (::SendMessageW(window, SKN_QUERY, 0, 0) == 1) return false;
    PurgeSkinForms();
    if (FindSkinForm(window)) return false;
    qx::TWinControl* control = FindFormControl(window);

    const auto style = static_cast<DWORD>(::GetWindowLongPtrW(window, GWL_STYLE));
    const auto exStyle = static_cast<DWORD>(::GetWindowLongPtrW(window, GWL_EXSTYLE));
    const bool mdiChild = (exStyle & WS_EX_MDICHILD) != 0;
    // Child windows are skinned by their form; the activation pass lets them through.
    if (!FActivationPass && (style & WS_CHILD) && !mdiChild && qx::LowerCase(qx::ClassNameOf(::GetParent(window))) != L"mdiclient")
        return false;
    const std::wstring className = qx::ClassNameOf(window);
    const auto instance = reinterpret_cast<HINSTANCE>(::GetWindowLongPtrW(window, GWLP_HINSTANCE));
    if (!control && instance != FModuleInstance && className != L"#32770") return false;
    RECT r{};
    ::GetWindowRect(window, &r);
    if ((r.right <= r.left || r.bottom <= r.top) && !mdiChild) return false;
    if (control && control->Tag() == kNeverSkinTag) return false;
    if (className == L"TApplication" || !AcceptWindowClass(className)) return false;
    TSkinData* skin = ChooseSkinData(window);
    if (!skin || skin->NotLoaded()) return false;

    // Registered before it attaches: attaching may run the hook again for the same window.
    // The registry owns the object, also for a framework form: a form that owned it would mark
    // it as being destroyed before its controls go, and their wrappers could no longer leave
    // its list. When the window is gone, a purge frees it.
    auto* form = new TWinSkinForm(nullptr);
    form->SetHandle(window);
    AddEntry(form);
    if (auto* framework = dynamic_cast<qx::TCustomForm*>(control)) form->AttachForm(skin, framework);
    else form->Attach(skin);
    if (!form->Subclassed()) {
        // The window refused the subclass: it stays as the system draws it.
        TakeEntry(form);
        delete form;
        return false;
    }
    ::PostMessageW(window, SKN_ACTIVATE, 0, 1000);
    return true;
}

bool TSkinManage::SkinForm(qx::TCustomForm* form) {
    if (!form || !form->Visible() || !form->HandleAllocated()) return false;
    if (form->FormStyle() != qx::TFormStyle::fsMDIChild &&
        (::GetWindowLongPtrW(form->Handle(), GWL_STYLE) & WS_CHILD) != 0)
        return false;
    return SkinWindow(form->Handle());
}

//--- the registry

void TSkinManage::AddEntry(TWinSkinForm* form) { SkinFormRegistry().Keep(*form, &Root(), FModuleInstance); }

bool TSkinManage::TakeEntry(TWinSkinForm* form) { return SkinFormRegistry().Release(*form, &Root()); }

void TSkinManage::ReleaseEntry(TWinSkinForm* form) {
    if (!TakeEntry(form)) return;
    if (form->State() != kFormClosed) form->Detach();
    delete form;
}

TWinSkinForm* TSkinManage::FindSkinForm(HWND window) const {
    TWinSkinForm* form = SkinFormRegistry().Find(window);
    return form && SkinFormRegistry().IsKeptBy(*form, &Root()) ? form : nullptr;
}

void TSkinManage::RemoveSkinForm(HWND window) {
    if (FState == kManagerDestroying) return;
    if (TWinSkinForm* form = FindSkinForm(window)) TakeEntry(form);
}

void TSkinManage::PurgeSkinForms() {
    if (FState == kManagerDestroying) return;
    DropClosed(false);
}

// Closed objects, and those whose skin data went, are freed.
void TSkinManage::DropClosed(bool anyModule) {
    for (const TSkinFormEntry& e : SkinFormRegistry().KeptBy(&Root()))
        if ((anyModule || e.Module == FModuleInstance) && (e.Form->State() == kFormClosed || !e.Form->SkinData())) {
            // Freeing an earlier one may have freed this one too (a form owning another).
            if (TakeEntry(e.Form)) delete e.Form;
        }
}

std::vector<TWinSkinForm*> TSkinManage::SkinForms() const {
    std::vector<TWinSkinForm*> out;
    for (const TSkinFormEntry& e : SkinFormRegistry().KeptBy(&Root())) out.push_back(e.Form);
    return out;
}

// The object is inside its own window procedure here: it is freed later, by a purge command
// (unless a command is pending already, whose purge comes first anyway).
void TSkinManage::FormClosed(TWinSkinForm& form) {
    TSkinManage* manager = SkinManager;
    if (!manager || manager->FState == kManagerDestroying || manager->CommandTimerEnabled()) return;
    const std::vector<TSkinData*>& list = manager->SkinDataList();
    if (std::find(list.begin(), list.end(), form.SkinData()) == list.end()) return;
    if (!SkinFormRegistry().IsKeptBy(form, &manager->Root())) return;
    if (!manager->FPendingSkinData) manager->FPendingSkinData = form.SkinData();
    manager->PostCommand(scPurge, 250);
}

//--- menus

int TSkinManage::MenuMode() const { return ::MenuMode(); }
void TSkinManage::SetMenuMode(int mode) { ::SetMenuMode(mode); }
bool TSkinManage::MenuActive() const { return ::MenuActive(); }

void TSkinManage::SetMenuActive(bool on) {
    if (on == ::MenuActive()) return;
    ::SetMenuActive(on);
}

//--- the one manager

namespace {
void FreeAtExit() { FreeSkinManager(); }
}  // namespace

TSkinManage& CreateSkinManager() {
    if (!SkinManager) {
        SkinManager = new TSkinManage(false);
        SetSkinManagerLink(SkinManager);
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

namespace {
TSkinManagerLink* MakeSkinManager() { return &CreateSkinManager(); }
// A program that links the manager lets its skin data components make one.
const bool kFactoryInstalled = (InstallSkinManager(), true);
}  // namespace

void InstallSkinManager() { SetSkinManagerFactory(&MakeSkinManager); }
