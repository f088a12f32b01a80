// The flat border that replaces an edit box's sunken 3D edge: a one-pixel line of the skin's
// ButtonShadow colour with a two-pixel white band inside it. The text area stays the system's.
#pragma once

#include <windows.h>

// An edit has a border to replace when its client area is smaller than its window (a
// borderless edit is left alone). Only the sizes of the two rectangles count.
bool EditHasBorder(const RECT& window, const RECT& client);
// Frames r (the window rectangle at the origin): the shadow line, then two white lines inside.
void PaintEditBorder(HDC dc, const RECT& r, COLORREF shadow);

// The border drawn into a WM_PRINT picture needs two spare pixels on both axes.
bool EditPrintsBorder(const RECT& window, const RECT& client);
// Frames r shrunk by 1 with the brush selected in dc, then r with the shadow line.
void PrintEditBorder(HDC dc, const RECT& r, COLORREF shadow);
