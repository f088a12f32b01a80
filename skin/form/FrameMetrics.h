// Frame geometry of a skinned window: how thick the skin's borders are, what kind of border a
// window style asks for, and how the window and client rectangles relate. No GDI here.
#pragma once

#include "skin/data/SkinObjects.h"

#include <cstdint>
#include <windows.h>

// The border kind of a skinned window (decides metrics, caption buttons and title placement).
enum TBorderKind : std::uint8_t { bkSizeable = 0, bkSingle = 1, bkNone = 2, bkDialog = 3 };

// Thickness of the four skin borders and of the menu band under the caption, in pixels.
struct TFrameMetrics {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    int Menu = 0;

    bool operator==(const TFrameMetrics&) const = default;
    // Top of the client area: caption strip and menu band.
    int ClientTop() const { return Top + Menu; }
};

// The form skinning's frame geometry of one window: the skin's metrics, the window as last
// painted, and the system's own frame measured once before the skin changed it.
struct TFrameGeometry {
    TFrameMetrics Metrics;
    RECT WindowRect{};
    int WindowWidth = 0;
    int WindowHeight = 0;
    RECT ClientRect{};
    int NativeExtraWidth = 0;
    int NativeExtraHeight = 0;
};

// From the window's styles: none without a full caption (WS_CAPTION), sizeable with a thick
// frame, dialog with DS_MODALFRAME or WS_EX_DLGMODALFRAME, single otherwise. Dialog boxes
// ("#32770", "TMessageForm") always count as dialogs, even without a caption.
TBorderKind BorderKindOf(DWORD style, DWORD exStyle, bool dialogBox);

// The border thicknesses a skin gives: each border image's size across the border divided by
// its frame count (side borders' frames lie side by side, top and bottom's one above the other).
// A window without a caption has no frame at all; a missing or empty image gives 0.
TFrameMetrics MeasureFrame(const TSkinObjectSet& skin, TBorderKind kind);

// The client rectangle inside a window rectangle (both in the same coordinates).
RECT ClientRectIn(const RECT& window, const TFrameMetrics& m);
// The window size that holds a client area of `client` with this frame.
SIZE WindowSizeFor(SIZE client, const TFrameMetrics& m);

// A dialog box whose title does not fit is widened to `needed`: the width it gets, and how
// far its controls move right to stay centred (half the growth).
struct TTitleWidening {
    int Width = 0;
    int Shift = 0;
};
TTitleWidening WidenForTitle(int width, int textShift, int titleWidth, int textRightClip);
