#include "skin/form/Subclass.h"

TSubclass* TSubclass::Install(HWND wnd, bool unicode, qx::TWndMethod handler) {
    if (!wnd || !::IsWindow(wnd)) return nullptr;
    auto* s = new TSubclass;
    s->FWnd = wnd;
    s->FUnicode = unicode;
    s->FHandler = handler;
    s->FStub = qx::MakeObjectInstance(qx::TWndMethod::Of<&TSubclass::Route>(s));
    const auto stub = reinterpret_cast<LONG_PTR>(s->FStub);
    s->FOldProc = reinterpret_cast<WNDPROC>(unicode ? ::SetWindowLongPtrW(wnd, GWLP_WNDPROC, stub)
                                                    : ::SetWindowLongPtrA(wnd, GWLP_WNDPROC, stub));
    if (!s->FOldProc) {
        delete s;
        return nullptr;
    }
    return s;
}

TSubclass::~TSubclass() { qx::FreeObjectInstance(FStub); }

void TSubclass::Remove(TSubclass*& subclass) {
    TSubclass* s = subclass;
    subclass = nullptr;
    if (!s) return;
    const auto current = reinterpret_cast<WNDPROC>(s->FUnicode ? ::GetWindowLongPtrW(s->FWnd, GWLP_WNDPROC)
                                                               : ::GetWindowLongPtrA(s->FWnd, GWLP_WNDPROC));
    if (current == s->FStub || !::IsWindow(s->FWnd)) {
        if (current == s->FStub) {
            const auto old = reinterpret_cast<LONG_PTR>(s->FOldProc);
            if (s->FUnicode) ::SetWindowLongPtrW(s->FWnd, GWLP_WNDPROC, old);
            else ::SetWindowLongPtrA(s->FWnd, GWLP_WNDPROC, old);
        }
        delete s;
        return;
    }
    // Someone else's procedure calls our stub: keep forwarding, without the handler.
    s->FHandler = {};
}

LRESULT TSubclass::CallOld(UINT msg, WPARAM wp, LPARAM lp) const {
    return FUnicode ? ::CallWindowProcW(FOldProc, FWnd, msg, wp, lp) : ::CallWindowProcA(FOldProc, FWnd, msg, wp, lp);
}

void TSubclass::Route(qx::TMessage& m) {
    // A copy: the handler may remove this subclass while it runs (WM_NCDESTROY).
    if (qx::TWndMethod handler = FHandler) {
        handler(m);
        return;
    }
    m.Result = CallOld(m.Msg, m.WParam, m.LParam);
}
