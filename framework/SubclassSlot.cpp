#include "framework/SubclassSlot.h"

namespace qx {

struct TSubclassSlot::TLink {
    HWND Window = nullptr;
    bool Unicode = true;
    WNDPROC Previous = nullptr;
    WNDPROC Stub = nullptr;
    TWndMethod Handler;

    LRESULT CallPrevious(UINT msg, WPARAM wp, LPARAM lp) const {
        return Unicode ? ::CallWindowProcW(Previous, Window, msg, wp, lp)
                       : ::CallWindowProcA(Previous, Window, msg, wp, lp);
    }
    void Proc(TMessage& m) noexcept {
        // A copy: the handler may release the slot (and free this link) while it runs.
        if (TWndMethod handler = Handler) {
            handler(m);
            return;
        }
        m.Result = CallPrevious(m.Msg, m.WParam, m.LParam);
    }
};

WNDPROC WindowProcOf(HWND window, bool unicode) {
    return reinterpret_cast<WNDPROC>(unicode ? ::GetWindowLongPtrW(window, GWLP_WNDPROC)
                                             : ::GetWindowLongPtrA(window, GWLP_WNDPROC));
}

namespace {

WNDPROC SetWindowProc(HWND window, bool unicode, WNDPROC proc) {
    const auto value = reinterpret_cast<LONG_PTR>(proc);
    return reinterpret_cast<WNDPROC>(unicode ? ::SetWindowLongPtrW(window, GWLP_WNDPROC, value)
                                             : ::SetWindowLongPtrA(window, GWLP_WNDPROC, value));
}

}  // namespace

bool TSubclassSlot::Install(HWND window, TWndMethod handler) {
    return Install(window, window && ::IsWindowUnicode(window) != FALSE, handler);
}

bool TSubclassSlot::Install(HWND window, bool unicode, TWndMethod handler) {
    if (FLink || !window || !::IsWindow(window)) return false;
    auto* link = new TLink{window, unicode, nullptr, nullptr, handler};
    link->Stub = MakeObjectInstance(TWndMethod::Of<&TLink::Proc>(link));
    link->Previous = SetWindowProc(window, unicode, link->Stub);
    if (!link->Previous) {
        FreeObjectInstance(link->Stub);
        delete link;
        return false;
    }
    FLink = link;
    return true;
}

void TSubclassSlot::Release() noexcept {
    TLink* link = FLink;
    FLink = nullptr;
    if (!link) return;
    const bool alive = ::IsWindow(link->Window) != FALSE;
    if (alive && WindowProcOf(link->Window, link->Unicode) != link->Stub) {
        // Someone else's procedure calls our stub: it keeps forwarding, without the handler.
        link->Handler = {};
        return;
    }
    if (alive) SetWindowProc(link->Window, link->Unicode, link->Previous);
    FreeObjectInstance(link->Stub);
    delete link;
}

HWND TSubclassSlot::Window() const { return FLink ? FLink->Window : nullptr; }
bool TSubclassSlot::Unicode() const { return FLink ? FLink->Unicode : true; }
WNDPROC TSubclassSlot::Previous() const { return FLink ? FLink->Previous : nullptr; }
WNDPROC TSubclassSlot::Stub() const { return FLink ? FLink->Stub : nullptr; }

LRESULT TSubclassSlot::CallPrevious(UINT msg, WPARAM wp, LPARAM lp) const {
    return FLink ? FLink->CallPrevious(msg, wp, lp) : 0;
}

}  // namespace qx
