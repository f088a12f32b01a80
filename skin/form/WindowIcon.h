// The window's small icon as the caption shows it: the icon itself when the window has one,
// otherwise a bitmap on magenta taken from the skin's application icon.
#pragma once

#include "framework/Bitmap.h"

#include <windows.h>

class TSkinData;

class TWindowIcon {
public:
    // Asks the window for its small (else big) icon and renders it on magenta; without one,
    // takes `skin`'s application icon, or that of the last registered main-form skin that has
    // one, or else the skin's own picture for its icon button.
    void Render(HWND wnd, TSkinData* skin);
    // Draws into the rectangle's top-left corner: the icon scaled to Size() square, or the
    // bitmap with magenta left out.
    void Draw(HDC dc, const RECT& rect);

    HICON Icon() const { return FIcon; }
    int Size() const { return FSize; }
    qx::TBitmap& Bitmap() { return FBitmap; }

private:
    HICON FIcon = nullptr;  // the window's, not ours: never destroyed here
    int FSize = 16;
    qx::TBitmap FBitmap;
};
