// The two custom-draw handlers a skinned form gives its tool bars: the bar's background from
// the skin's tool bar image, and each button from the skin's button image.
#pragma once

#include "framework/Graphics.h"

#include <windows.h>

class TSkinData;

// Stretches the whole Toolbar image over `rect`; nothing without one or when the skin's
// options keep the bar's own background (xoToolbarBK).
void DrawToolbarBackground(HDC dc, const RECT& rect, TSkinData& skin);

// The Button frame for a custom-draw item state (CDIS_*): 2 selected, 4 focused or hot, none
// (0) grayed or disabled, 1 default, none otherwise.
int ToolbarButtonFrame(UINT itemState);
// Draws the button frame into `bounds` shrunk by one pixel and sets the font colour the skin
// gives for that frame. Nothing without a button image or frame. The default drawing still runs.
void DrawToolbarButton(HDC dc, const RECT& bounds, UINT itemState, TSkinData& skin, qx::TFont& font);
