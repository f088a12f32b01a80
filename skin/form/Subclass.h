// One window's subclass for the skin engine: an object-instance stub in the window's procedure
// slot that routes every message to a handler, and the procedure it replaced.
#pragma once

#include "framework/ObjectInstance.h"

#include <windows.h>

class TSubclass {
public:
    // Installs a stub calling `handler` (W or A form of the procedure slot); null when the
    // window refuses it.
    static TSubclass* Install(HWND wnd, bool unicode, qx::TWndMethod handler);
    // Takes the stub out again if it is still the window's procedure, and frees the subclass.
    // When something subclassed the window after us, the stub has to stay in that chain: the
    // handler is cut off and the stub forwards to the old procedure from then on (it and this
    // small record are kept alive for that).
    static void Remove(TSubclass*& subclass);

    WNDPROC OldProc() const { return FOldProc; }
    WNDPROC Stub() const { return FStub; }
    // The replaced procedure's answer to a message.
    LRESULT CallOld(UINT msg, WPARAM wp, LPARAM lp) const;

private:
    TSubclass() = default;
    ~TSubclass();
    void Route(qx::TMessage& m);

    HWND FWnd = nullptr;
    bool FUnicode = true;
    WNDPROC FOldProc = nullptr;
    WNDPROC FStub = nullptr;
    qx::TWndMethod FHandler;
};
