// Painting of a skinned frame from the skin: the border pieces and the caption title. Pure
// functions of (skin, state, device context, rectangle); the form composes them into the
// caption strip and the whole frame.
#pragma once

#include "framework/Graphics.h"
#include "skin/form/FrameMetrics.h"

#include <string>
#include <windows.h>

class TSkinData;

// Border indexes.
inline constexpr int kBorderLeft = 1;
inline constexpr int kBorderRight = 2;
inline constexpr int kBorderTop = 3;
inline constexpr int kBorderBottom = 4;

// One border piece fitted into `r`: the active frame (1), or the inactive one (2) when the
// window is inactive and the image has more than one frame; the margins stay fixed, the middle
// stretches (Stretch 1) or tiles. A rectangle of negative width or height draws nothing, as
// does a border without an image.
void PaintBorderPiece(HDC dc, int index, const RECT& r, TSkinData& skin, bool active);

// The frame the border pieces are drawn from.
int BorderFrame(const TDataSkinBorder& border, bool active);

struct TTitleState {
    std::wstring Text;          // prefix + window text + suffix
    RECT Cap{};                 // the caption rectangle (caption-strip coordinates)
    bool Active = true;
    bool RightToLeft = false;
    bool Popup = false;         // WS_POPUP: clipped at the caption buttons
    TBorderKind BorderKind = bkSizeable;
    int ButtonsLeft = 0;
    HFONT Font = nullptr;
};

// Where the title goes: Cap measured for the text, shifted by the skin's alignment, clipped on
// the right. No drawing.
RECT LayoutTitle(HDC dc, TSkinData& skin, const TTitleState& s);
// Lays out and draws the title (text background plate, then the text with an ellipsis where
// it is cut) on the caption-strip canvas; returns the title rectangle.
RECT PaintTitle(qx::TCanvas& canvas, TSkinData& skin, const TTitleState& s);
