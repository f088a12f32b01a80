#pragma once
// Object-instance stubs: a window procedure that calls a method pointer. The framework's
// controls and the skin engine's subclasses install these as GWLP_WNDPROC.
#include "Messages.h"
#include "Method.h"

#include <windows.h>

namespace qx {

using TWndMethod = TMethod<void(TMessage&)>;

// Returns a callable WNDPROC that packs its arguments into a TMessage, calls `method` and
// returns the message's Result. The stub lives until FreeObjectInstance.
WNDPROC MakeObjectInstance(TWndMethod method);
void FreeObjectInstance(WNDPROC stub);

}  // namespace qx
