// Small platform helpers shared by the skin painters: the parent's background behind a
// control, wide text onto a context, mouse-leave
// tracking, and the framework control of a window handle.
#pragma once

#include "framework/Controls.h"
#include "framework/TextConvert.h"

#include <string>
#include <string_view>
#include <windows.h>

// Paints the control's parent into `dc` (a context of the control's own coordinates) as it
// shows behind the control: its background, then its client painting. A control without a
// parent paints nothing.
void PaintParentBackground(qx::TControl* control, HDC dc);

// The painters convert ANSI text with the framework's helper.
using qx::AnsiToWide;

// DrawText of wide text (the ANSI call with converted text on systems without the wide one);
// returns what DrawText returns. `rect` is updated as DrawText does (DT_CALCRECT).
int DrawTextWide(HDC dc, const std::wstring& text, RECT& rect, UINT format);

// Asks the system for WM_MOUSELEAVE when the mouse leaves the window.
bool TrackMouseLeave(HWND wnd);

// The framework control attached to the window, or null (also for a null handle or a window
// of another process).
qx::TWinControl* ControlFromHandle(HWND wnd);
