// The skinned scroll bar as a picture: the geometry the overlay works with (thumb extent,
// hit test, thumb drag, drawn thickness) and the painter that draws track, arrows and thumb
// from the skin. No window is read here: the overlay hands in what it measured.
#pragma once

#include "skin/data/SkinObjects.h"

#include <windows.h>

// Scroll codes the overlay keeps (as the system reports them).
inline constexpr int kScrollLineUp = SB_LINEUP;          // first arrow
inline constexpr int kScrollLineDown = SB_LINEDOWN;      // second arrow
inline constexpr int kScrollPageUp = SB_PAGEUP;
inline constexpr int kScrollPageDown = SB_PAGEDOWN;
inline constexpr int kScrollThumbTrack = SB_THUMBTRACK;

// The thumb's extent along the bar, bar-relative.
struct TThumbExtent {
    int Start = 0;
    int End = 0;
};

// Where a bar-relative coordinate `a` along the axis falls: an arrow, the track before or after
// the thumb, or the thumb.
int ScrollHitTest(int a, int length, int buttonSize, const TThumbExtent& thumb);

// The thumb dragged by `delta` pixels from where it was at the press, kept between the arrows.
TThumbExtent DragThumb(int pressThumbStart, int delta, int thumbLength, int length, int buttonSize);

// The thumb of a scroll-bar control, worked out from its scroll information.
TThumbExtent ControlThumb(int length, int buttonSize, int max, int page, int position);

// The bar's drawn thickness: the arrow image's own height when it is within 2 pixels of the
// system's button size, else the button size.
int ScrollbarThickness(int imageHeight, int buttonSize);

// Arrow frames of the Scrollbar strip.
inline constexpr int kScrollbarArrowFrames = 23;
int ArrowFrame(bool vertical, bool second, bool pressed);

struct TScrollbarLook {
    TDataSkinObject* Arrows = nullptr;  // Scrollbar: 23 frames
    TDataSkinObject* Track = nullptr;   // HorzScroll or VertScroll: 4 frames
    TDataSkinObject* Thumb = nullptr;   // HorzScrollThumb or VertScrollThumb
    COLORREF Face = 0;
};

struct TScrollbarPaintState {
    bool Vertical = true;
    int Width = 0;   // the bar rectangle's size
    int Height = 0;
    int ButtonSize = 16;
    bool Enabled = true;
    bool FirstPressed = false;
    bool SecondPressed = false;
    bool ThumbDragged = false;
    TThumbExtent Thumb;
};

// Whether the look can draw a bar at all (the arrow strip is the one image a bar needs).
bool ScrollbarLookUsable(const TScrollbarLook& look);

// Draws the bar at the origin of dc, through an off-screen picture of the bar's size copied in
// one go. False (nothing drawn) when the look is unusable or no picture could be made.
bool PaintSkinScrollbar(HDC dc, const TScrollbarLook& look, const TScrollbarPaintState& state);
