#include "skin/form/FrameMetrics.h"

#include <algorithm>

namespace {

int Across(const TDataSkinBorder* border, bool stacked) {
    if (!border || border->Bitmap.Empty()) return 0;
    const int frames = std::max(border->FrameCount, 1);
    return (stacked ? border->Bitmap.Height() : border->Bitmap.Width()) / frames;
}

}  // namespace

TBorderKind BorderKindOf(DWORD style, DWORD exStyle, bool dialogBox) {
    TBorderKind kind = bkNone;
    if ((style & WS_CAPTION) == WS_CAPTION) {
        if (style & WS_THICKFRAME) kind = bkSizeable;
        else if (style & DS_MODALFRAME) kind = bkDialog;
        else kind = bkSingle;
    }
    if (exStyle & WS_EX_DLGMODALFRAME) kind = bkDialog;
    if (dialogBox) kind = bkDialog;
    return kind;
}

TFrameMetrics MeasureFrame(const TSkinObjectSet& skin, TBorderKind kind) {
    TFrameMetrics m;
    if (kind == bkNone) return m;
    m.Top = Across(skin.BorderTop.get(), true);
    m.Left = Across(skin.BorderLeft.get(), false);
    m.Right = Across(skin.BorderRight.get(), false);
    m.Bottom = Across(skin.BorderBottom.get(), true);
    return m;
}

RECT ClientRectIn(const RECT& window, const TFrameMetrics& m) {
    return {window.left + m.Left, window.top + m.ClientTop(), window.right - m.Right, window.bottom - m.Bottom};
}

SIZE WindowSizeFor(SIZE client, const TFrameMetrics& m) {
    return {client.cx + m.Left + m.Right, client.cy + m.Top + m.Menu + m.Bottom};
}

TTitleWidening WidenForTitle(int width, int textShift, int titleWidth, int textRightClip) {
    const int needed = textShift + titleWidth + textRightClip;
    if (width >= needed) return {width, 0};
    return {needed, (needed - width) / 2};
}
