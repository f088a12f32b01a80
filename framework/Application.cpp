#include "Forms.h"
#include "TextConvert.h"

#include <commctrl.h>

#include <algorithm>
#include <string>

namespace qx {

TApplication* Application = nullptr;
TScreen* Screen = nullptr;

namespace {
constexpr UINT WM_QX_SYNCHRONIZE = WM_APP + 0x3F00;
}  // namespace

void InitApplication() {
    if (!Application) {
        Application = new TApplication(nullptr);
        Screen = new TScreen(nullptr);
        Application->Initialize();
    }
}

void DoneApplication() {
    // Threads that look for the application from now on find none.
    TApplication* app = Application;
    Application = nullptr;
    delete app;  // frees the forms it owns
    delete Screen;
    Screen = nullptr;
}

//--- TScreen

QX_DEFINE_CLASS(TScreen, TComponent, b) {}

TScreen::TScreen(TComponent* owner) : TComponent(owner) {
    NONCLIENTMETRICSW ncm{};
    ncm.cbSize = sizeof(ncm);
    if (::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0)) {
        FMenuFont.SetName(ncm.lfMenuFont.lfFaceName);
        FMenuFont.SetHeight(ncm.lfMenuFont.lfHeight);
        FMenuFont.SetColor(clWindowText);
    }
}

void TScreen::AddForm(TCustomForm* f) {
    if (std::find(FForms.begin(), FForms.end(), f) == FForms.end()) FForms.push_back(f);
}

void TScreen::RemoveForm(TCustomForm* f) {
    FForms.erase(std::remove(FForms.begin(), FForms.end(), f), FForms.end());
    if (FActiveForm == f) FActiveForm = nullptr;
}

void TScreen::SetActiveForm(TCustomForm* f) { FActiveForm = f; }

//--- TApplication

QX_DEFINE_CLASS(TApplication, TComponent, b) {}

TApplication::TApplication(TComponent* owner) : TComponent(owner), FMainThreadId(::GetCurrentThreadId()) {}

TApplication::~TApplication() {
    // Threads waiting for the main thread are let go without their work being done: the forms
    // it would touch are about to go.
    {
        std::lock_guard<std::mutex> lock(FSyncLock);
        FClosing = true;
        for (SyncRequest* request : FSyncQueue) ::SetEvent(request->Done);
        FSyncQueue.clear();
    }
    Destroying();
    // Forms first, while the application window still exists.
    while (ComponentCount() > 0) {
        TComponent* c = Components(ComponentCount() - 1);
        RemoveComponent(c);
        delete c;
    }
    FMainForm = nullptr;
    if (FHandle) ::DestroyWindow(FHandle);
}

void TApplication::Initialize() {
    if (FHandle) return;
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&icc);
    RegisterFrameworkClasses();
    ControlAtom();

    HINSTANCE inst = ::GetModuleHandleW(nullptr);
    WNDCLASSEXW wc{sizeof(wc)};
    if (!::GetClassInfoExW(inst, L"TApplication", &wc)) {
        wc = WNDCLASSEXW{sizeof(wc)};
        wc.lpfnWndProc = &TApplication::WndProc;
        wc.hInstance = inst;
        wc.hIcon = ::LoadIconW(inst, L"MAINICON");
        wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
        wc.lpszClassName = L"TApplication";
        ::RegisterClassExW(&wc);
    }
    // The hidden application window: never shown, it receives the cross-thread requests.
    FHandle = ::CreateWindowExW(0, L"TApplication", FTitle.c_str(),
                                WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX,
                                ::GetSystemMetrics(SM_CXSCREEN) / 2, ::GetSystemMetrics(SM_CYSCREEN) / 2, 0, 0,
                                nullptr, nullptr, inst, nullptr);
    ::SetWindowLongPtrW(FHandle, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

void TApplication::SetTitle(const std::wstring& title) {
    FTitle = title;
    if (FHandle) ::SetWindowTextW(FHandle, title.c_str());
}

LRESULT CALLBACK TApplication::WndProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) noexcept {
    auto* app = reinterpret_cast<TApplication*>(::GetWindowLongPtrW(wnd, GWLP_USERDATA));
    if (msg == WM_QX_SYNCHRONIZE && app) {
        app->CheckSynchronize();
        return 0;
    }
    return ::DefWindowProcW(wnd, msg, wp, lp);
}

void TApplication::Run() {
    if (FMainForm) FMainForm->Show();
    while (!FTerminated) HandleMessage();
}

void TApplication::Terminate() {
    ::PostQuitMessage(0);
}

bool TApplication::IsKeyMsg(MSG& msg) {
    if (msg.message < WM_KEYFIRST || msg.message > WM_KEYLAST) return false;
    TWinControl* control = FindVCLWindow(msg.hwnd);
    if (!control) return false;
    return control->Perform(CN_BASE + msg.message, msg.wParam, msg.lParam) != 0;
}

bool TApplication::ProcessMessage(MSG& msg) {
    if (!::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) return false;
    if (msg.message == WM_QUIT) {
        FTerminated = true;
        return true;
    }
    if (!IsKeyMsg(msg)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return true;
}

void TApplication::ProcessMessages() {
    MSG msg;
    while (ProcessMessage(msg)) {
    }
}

void TApplication::HandleMessage() {
    MSG msg;
    if (!ProcessMessage(msg)) {
        CheckSynchronize();
        ::WaitMessage();
    }
}

void TApplication::HandleException(TObject* sender) {
    try {
        throw;
    } catch (const std::exception& e) {
        if (OnException) OnException(sender, e);
        else MessageBox(AnsiToWide(e.what()), FTitle, MB_OK | MB_ICONSTOP);
    } catch (...) {
        MessageBox(L"Unknown error", FTitle, MB_OK | MB_ICONSTOP);
    }
}

int TApplication::MessageBox(const std::wstring& text, const std::wstring& caption, UINT flags) {
    HWND owner = ::GetActiveWindow();
    if (!owner && FMainForm && FMainForm->HandleAllocated()) owner = FMainForm->Handle();
    return ::MessageBoxW(owner, text.c_str(), caption.c_str(), flags);
}

//--- synchronisation with other threads

void TApplication::Synchronize(const std::function<void()>& work) {
    if (::GetCurrentThreadId() == FMainThreadId) {
        work();
        return;
    }
    SyncRequest request{work, ::CreateEventW(nullptr, TRUE, FALSE, nullptr), nullptr};
    {
        std::lock_guard<std::mutex> lock(FSyncLock);
        if (FClosing) {
            ::CloseHandle(request.Done);
            return;
        }
        FSyncQueue.push_back(&request);
    }
    ::PostMessageW(FHandle, WM_QX_SYNCHRONIZE, 0, 0);
    ::WaitForSingleObject(request.Done, INFINITE);
    ::CloseHandle(request.Done);
    if (request.Error) std::rethrow_exception(request.Error);
}

void TApplication::CheckSynchronize() {
    for (;;) {
        SyncRequest* request = nullptr;
        {
            std::lock_guard<std::mutex> lock(FSyncLock);
            if (FSyncQueue.empty()) return;
            request = FSyncQueue.front();
            FSyncQueue.pop_front();
        }
        try {
            request->Work();
        } catch (...) {
            request->Error = std::current_exception();
        }
        ::SetEvent(request->Done);
    }
}

}  // namespace qx
