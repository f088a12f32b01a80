#pragma once
// A raw window's procedure slot taken over by a handler: the one way the program subclasses a
// window it did not create. The slot is written with the call that matches the window's
// character set (W or A), so subclassing never turns a Unicode window into an ANSI one.
//
// The stub in the window's slot calls a small link record, never the owner itself. When the
// owner lets go while someone else has subclassed the window on top of us, the stub has to
// stay in that chain: the link is cut from the handler and keeps passing every message to the
// procedure we replaced (the stub and the link, a few bytes, stay alive for that).
#include "ObjectInstance.h"

#include <windows.h>

namespace qx {

class TSubclassSlot {
public:
    TSubclassSlot() = default;
    TSubclassSlot(const TSubclassSlot&) = delete;
    TSubclassSlot& operator=(const TSubclassSlot&) = delete;
    ~TSubclassSlot() { Release(); }

    // Puts a stub calling `handler` into the window's procedure slot; false when the window
    // is gone or refuses it, or when this slot is in use already.
    bool Install(HWND window, TWndMethod handler);
    bool Install(HWND window, bool unicode, TWndMethod handler);
    // Gives the window its procedure back where the stub is still the current one; else cuts
    // the handler off and leaves a stub that only passes messages on. Safe to call from inside
    // the handler (WM_NCDESTROY) and more than once.
    void Release() noexcept;

    bool Installed() const { return FLink != nullptr; }
    HWND Window() const;
    bool Unicode() const;
    WNDPROC Previous() const;
    WNDPROC Stub() const;
    // The replaced procedure's answer to a message.
    LRESULT CallPrevious(UINT msg, WPARAM wp, LPARAM lp) const;
    void CallPrevious(TMessage& m) const { m.Result = CallPrevious(m.Msg, m.WParam, m.LParam); }

private:
    struct TLink;
    TLink* FLink = nullptr;
};

// The window's procedure as its character set reads it.
WNDPROC WindowProcOf(HWND window, bool unicode);

}  // namespace qx
