#pragma once
// Hooks a panel window so that it paints the house ad, through the system's subclass chain
// (SetWindowSubclass) so that later subclassers, the skin engine among them, stack cleanly.
#include <windows.h>

#include "AdUrl.h"

namespace admds {

// Hooks `panel` (a window of the calling thread) or, when it already shows an ad, replaces
// what it shows. False when the panel could not be hooked.
bool AttachAdPanel(HWND panel, const TAdVariant& variant, DWORD colour) noexcept;

}  // namespace admds
