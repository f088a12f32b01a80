// The skinned group box: a rounded one-pixel frame in ButtonShadow whose top line runs through
// the middle of the caption, and the caption on an opaque ButtonFace band that cuts the line.
#pragma once

#include <string>
#include <windows.h>

struct TGroupBoxLook {
    COLORREF Face = 0;    // ButtonFace, resolved
    COLORREF Shadow = 0;  // ButtonShadow, resolved
    HFONT Font = nullptr;           // none: the context's font
    COLORREF TextColour = CLR_INVALID;  // CLR_INVALID: the context's text colour
    // A raw window's system frame is wiped with ButtonFace first (the wrapper paints over what
    // the system drew); a framework group box is painted whole on the parent's background.
    bool WipeSystemEdge = false;
};

// The y of the frame's top line: (height of "0" in the context's current font) div 2 - 1.
int GroupBoxFrameTop(HDC dc);

// Paints over r (the window rectangle at the origin). The context's font, colours and
// background mode are as before afterwards.
void PaintSkinGroupBox(HDC dc, const RECT& r, const std::wstring& caption, const TGroupBoxLook& look);
