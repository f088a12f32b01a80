#pragma once
// What a window says about itself, read the one way: its class name and its text.
#include <string>
#include <windows.h>

namespace qx {

// The window's class name; empty for no window.
std::wstring ClassNameOf(HWND window);
// The window's text, read with the call that matches its character set (an ANSI window's text
// is converted from the ANSI code page).
std::wstring WindowTextOf(HWND window, bool unicode = true);

}  // namespace qx
