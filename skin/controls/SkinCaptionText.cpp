#include "skin/controls/SkinCaptionText.h"

#include "framework/Handles.h"
#include "skin/data/SkinPaintHelpers.h"

#include <algorithm>

int DrawTabCaption(HDC dc, const RECT& t, const std::wstring& caption, HIMAGELIST images, int imageIndex, int alignment,
                   bool enabled) {
    const int width = t.right - t.left, height = t.bottom - t.top;
    int imageWidth = 0, imageHeight = 0;
    bool useImage = false;
    if (images && imageIndex != -1 && ::ImageList_GetIconSize(images, &imageWidth, &imageHeight))
        useImage = imageWidth < width;
    if (!useImage) imageWidth = imageHeight = 0;

    const UINT flags = DT_SINGLELINE | DT_EXPANDTABS | DT_END_ELLIPSIS;
    RECT measured{0, 0, width, height};
    int textWidth = 0, textHeight = 0;
    if (!caption.empty()) {
        DrawTextWide(dc, caption, measured, flags | DT_CALCRECT | DT_NOCLIP);
        textWidth = measured.right - measured.left;
        textHeight = measured.bottom - measured.top;
    }
    int offset = 2;
    if (alignment == 1) offset = (width - textWidth - imageWidth) / 2;
    else if (alignment == 2) offset = width - textWidth - imageWidth - 2;
    if (offset < 2) offset = 1;

    int x = t.left + offset;
    if (useImage) {
        ::ImageList_Draw(images, imageIndex, dc, x, t.top + (height - imageHeight) / 2, ILD_TRANSPARENT);
        x += imageWidth;
    }
    if (caption.empty()) return offset;
    const int oldMode = ::SetBkMode(dc, TRANSPARENT);
    COLORREF oldColour = CLR_INVALID;
    if (!enabled) oldColour = ::SetTextColor(dc, ::GetSysColor(COLOR_GRAYTEXT));
    RECT text{x, t.top + (height - textHeight) / 2, std::min<LONG>(x + textWidth, t.right), t.top + (height - textHeight) / 2 + textHeight};
    {
        qx::DcStateGuard state(dc);
        ::IntersectClipRect(dc, t.left, t.top - textHeight, t.right, t.bottom + textHeight);
        DrawTextWide(dc, caption, text, flags | DT_NOCLIP);
    }
    if (oldColour != CLR_INVALID) ::SetTextColor(dc, oldColour);
    ::SetBkMode(dc, oldMode);
    return offset;
}

void DrawPlainCaption(HDC dc, const RECT& t, const std::wstring& caption, UINT align) {
    const int oldMode = ::SetBkMode(dc, TRANSPARENT);
    RECT r = t;
    DrawTextWide(dc, caption, r, align | DT_CALCRECT | DT_NOCLIP | DT_EXPANDTABS);
    const int textWidth = r.right - r.left, textHeight = r.bottom - r.top;
    if (align == DT_CENTER) {
        r.left = t.left + ((t.right - t.left) - textWidth) / 2;
        r.right = r.left + textWidth;
    } else {
        r.left = t.left;
        r.right = t.right;
    }
    r.top = t.top + ((t.bottom - t.top) - textHeight) / 2 - 1;
    r.bottom = r.top + textHeight;
    DrawTextWide(dc, caption, r, align | DT_EXPANDTABS);
    ::SetBkMode(dc, oldMode);
}
