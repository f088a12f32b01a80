#pragma once
// admds.dll: fills an advertisement panel of the main window with content of its own making.
// The only export is InitScreen; everything else in this header is for the library's tests.
#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

// Takes over the painting of `panel` (a child window of the calling thread) with the house ad
// that fits its size. `url` picks the variant (it is only read, never fetched; may be NULL).
// `colour` is the panel background: 0x00BBGGRR, or high bit set and a system colour index in
// the low byte (0xFF00000F = button face). Calling again on the same panel replaces the
// content. Returns 1 when the panel shows the ad, 0 for an unusable window. The program
// ignores the result.
int WINAPI InitScreen(HWND panel, const char* url, DWORD colour);

#ifdef __cplusplus
}
#endif

// Registered window message a panel answers with the number of admds layers hooked into it
// (0 from a window the library never saw). Lets tests and the skin engine tell that a panel
// paints itself.
#define ADMDS_QUERY_MESSAGE L"Quellox.Admds.PanelQuery"
