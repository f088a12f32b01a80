#include "skin/form/ToolbarDraw.h"

#include "skin/data/SkinData.h"
#include "skin/data/SkinDraw.h"

#include <commctrl.h>

void DrawToolbarBackground(HDC dc, const RECT& rect, TSkinData& skin) {
    if (!skin.Toolbar || skin.Toolbar->Bitmap.Empty() || InSet(skin.Options(), xoToolbarBK)) return;
    qx::TBitmap& image = skin.Toolbar->Bitmap;
    qx::BitmapDc source(image);
    const int oldMode = ::SetStretchBltMode(dc, COLORONCOLOR);
    ::StretchBlt(dc, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, source.get(), 0, 0,
                 image.Width(), image.Height(), SRCCOPY);
    ::SetStretchBltMode(dc, oldMode);
}

int ToolbarButtonFrame(UINT itemState) {
    if (itemState & CDIS_SELECTED) return 2;
    if (itemState & (CDIS_FOCUS | CDIS_HOT)) return 4;
    if (itemState & (CDIS_GRAYED | CDIS_DISABLED)) return 0;
    if (itemState & CDIS_DEFAULT) return 1;
    return 0;
}

void DrawToolbarButton(HDC dc, const RECT& bounds, UINT itemState, TSkinData& skin, qx::TFont& font) {
    TDataSkinButton* button = skin.Button.get();
    if (!button || button->Bitmap.Empty()) return;
    const int frame = ToolbarButtonFrame(itemState);
    if (frame == 0) return;
    if (frame == 1 && button->HasNormalColour2) font.SetColor(button->NormalColour2);
    if (frame == 4 && button->HasMouseOverColour2) font.SetColor(button->MouseOverColour2);
    if (frame == 2 && button->HasPressedColour2) font.SetColor(button->PressedColour2);
    RECT r = bounds;
    ::InflateRect(&r, -1, -1);
    DrawSkinImage(dc, r, button->Bitmap, button->Margins, false, false, button->Trans != 0, 5, frame);
}
