// The two ways the tab-like wrappers write a caption: the tab caption (tabs and header items:
// an optional image, then the text, placed by an alignment) and the plain caption (tab sets and
// status bar panels: text only, centred vertically).
#pragma once

#include <string>
#include <windows.h>

#include <commctrl.h>

// Alignment 0 left (2 pixels in), 1 centred, 2 right (2 pixels in). The image of `imageIndex`
// is used only with an image list, an index other than -1 and an image narrower than `t`. The
// text keeps the DC's text colour, or grey when `enabled` is false, and stays inside `t`
// horizontally. The horizontal offset of the block it returns (for tests).
int DrawTabCaption(HDC dc, const RECT& t, const std::wstring& caption, HIMAGELIST images, int imageIndex, int alignment,
                   bool enabled);

// `align` is DT_LEFT, DT_CENTER or DT_RIGHT; the text sits one pixel above the vertical centre.
void DrawPlainCaption(HDC dc, const RECT& t, const std::wstring& caption, UINT align);
