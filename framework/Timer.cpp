#include "ExtCtrls.h"
#include "Forms.h"

namespace qx {

QX_DEFINE_CLASS(TTimer, TComponent, b) {
    b.Boolean(L"Enabled", &TTimer::Enabled, &TTimer::SetEnabled);
    b.Integer(L"Interval", [](TTimer& t) { return static_cast<int>(t.Interval()); },
              [](TTimer& t, int v) { t.SetInterval(static_cast<unsigned>(v)); });
    b.Event(L"OnTimer", &TTimer::OnTimer);
    b.Creatable();
}

namespace {
// A message-only utility window per timer: WM_TIMER reaches it through the message loop of
// the thread that made it, so OnTimer runs on the main thread, also inside modal loops.
HWND AllocateHWnd(WNDPROC proc) {
    HINSTANCE inst = ::GetModuleHandleW(nullptr);
    WNDCLASSEXW wc{sizeof(wc)};
    if (!::GetClassInfoExW(inst, L"TPUtilWindow", &wc)) {
        wc = WNDCLASSEXW{sizeof(wc)};
        wc.lpfnWndProc = &::DefWindowProcW;
        wc.hInstance = inst;
        wc.lpszClassName = L"TPUtilWindow";
        ::RegisterClassExW(&wc);
    }
    HWND wnd = ::CreateWindowExW(WS_EX_TOOLWINDOW, L"TPUtilWindow", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, inst, nullptr);
    if (wnd) ::SetWindowLongPtrW(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(proc));
    return wnd;
}
}  // namespace

TTimer::TTimer(TComponent* owner) : TComponent(owner) {
    FStub = MakeObjectInstance(TWndMethod::Of<&TTimer::WndProc>(this));
    FWindow = AllocateHWnd(FStub);
}

TTimer::~TTimer() {
    FEnabled = false;
    if (FWindow) {
        ::KillTimer(FWindow, 1);
        ::DestroyWindow(FWindow);
    }
    FreeObjectInstance(FStub);
}

void TTimer::WndProc(TMessage& m) {
    if (m.Msg == WM_TIMER) {
        if (FEnabled && OnTimer) {
            try {
                OnTimer(this);
            } catch (...) {
                if (Application) Application->HandleException(this);
            }
        }
        return;
    }
    m.Result = ::DefWindowProcW(FWindow, m.Msg, m.WParam, m.LParam);
}

// Enabling (or changing the interval) starts the period afresh.
void TTimer::UpdateTimer() {
    if (!FWindow) return;
    ::KillTimer(FWindow, 1);
    if (FEnabled && FInterval != 0 && !HasState(csLoading)) ::SetTimer(FWindow, 1, FInterval, nullptr);
}

void TTimer::SetEnabled(bool v) {
    if (v == FEnabled) return;
    FEnabled = v;
    UpdateTimer();
}

void TTimer::SetInterval(unsigned v) {
    if (v == FInterval) return;
    FInterval = v;
    UpdateTimer();
}

void TTimer::Loaded() {
    TComponent::Loaded();
    UpdateTimer();
}

}  // namespace qx
