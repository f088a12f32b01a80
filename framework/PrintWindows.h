#pragma once
// Printing child windows (WM_PRINT) into a parent's printed picture.
#include <windows.h>

namespace qx {

// Prints every visible child of `parent` (bottom of the z-order first) at its place in `dc`,
// whose origin is the parent's client origin. Each child prints into a picture of its own
// first: system controls clip to their client rectangle taken as device coordinates (Wine's
// buttons do), so they cannot print into a context with a moved origin.
void PrintChildWindows(HWND parent, HDC dc, LPARAM flags);

}  // namespace qx
