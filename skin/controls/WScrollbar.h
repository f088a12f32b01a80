// TWScrollbar: the small window laid exactly over one system scroll bar. System scroll bars are
// drawn by the system in their window's non-client area and cannot be repainted reliably from
// outside, so the overlay hides the real bar under a skinned picture of it. A press on the
// overlay goes on to the real bar, so the system still does the scrolling; the wrapper of the
// scrolled window hears the scroll messages and makes the overlay repaint.
//
// The overlay is a child of the scrolled window's parent (a sibling placed directly above the
// scrolled window), but not a control of the parent's framework tree: it is owned by its
// wrapper and never classified, and it answers SKN_QUERY with 1.
#pragma once

#include "framework/Controls.h"
#include "skin/controls/ScrollbarPaint.h"

#include <memory>
#include <windows.h>

class TSkinControl;

// What the overlay covers.
enum TScrollOverlayKind : int {
    okHorizontal = 0,  // the window's horizontal bar
    okVertical = 1,    // the window's vertical bar
    okControl = 2,     // a scroll-bar control, covered whole
};

class TWScrollbar : public qx::TCustomControl {
    QX_CLASS(TWScrollbar)
public:
    explicit TWScrollbar(qx::TComponent* owner);
    ~TWScrollbar() override;

    // Over a bar of a framework control (kind okControl: the control is the bar).
    void AttachControl(TSkinControl* wrapper, qx::TWinControl* control, int kind);
    // Over a bar of a raw window.
    void AttachRawWindow(TSkinControl* wrapper, HWND window, int kind);
    // Follows the target: size and place over its bar, or hide when the bar is not there.
    void Place(HWND target);
    void HideBar();
    // Invalidates and repaints at once.
    void RepaintBar();
    // Repaints when the bar's range, page or position moved, or the target was enabled or
    // disabled, since the last paint: the target scrolls without scroll messages too (keys,
    // text changes, selection).
    void RepaintIfMoved();
    // Bar-relative point on the axis -> the scroll code of what lies there.
    int HitTest(POINT barPoint) const;
    // The scrolled window was made again (same control, new handle).
    void SetTarget(HWND target) { FTarget = target; }

    //--- state, for the wrappers and tests
    int Kind() const { return FKind; }
    bool Vertical() const { return FOrientation == 1; }
    bool Shown() const { return FShown; }
    bool Pressing() const { return FPressing; }
    int ScrollCode() const { return FScrollCode; }
    void SetScrollCode(int code) { FScrollCode = code; }
    int Length() const { return FLength; }
    int ButtonSize() const { return FButtonSize; }
    TThumbExtent Thumb() const { return {FThumbStart, FThumbEnd}; }
    // The bar in the target's client coordinates at the last placement.
    const RECT& BarRect() const { return FBarRect; }
    HWND Target() const { return FTarget; }
    // Draws the bar as the overlay shows it into dc at the origin; false when nothing was drawn.
    bool PaintBar(HDC dc);
    // The look the skin gives this bar (arrows, track and thumb of its orientation).
    TScrollbarLook Look() const;

    void WndProc(qx::TMessage& m) override;

protected:
    void CreateParams(qx::TCreateParams& p) override;
    void PaintWindow(HDC dc) override;

private:
    struct TBarInfo {
        RECT Bar{};       // screen coordinates (kind okControl: parent's client coordinates)
        DWORD State = 0;  // the bar's first state word
        TThumbExtent Thumb;
    };
    bool ReadBar(TBarInfo& info) const;
    bool SkinUsable() const;
    void Press(qx::TMessage& m);
    void Release(qx::TMessage& m);
    void TrackThumb();
    void Bind(TSkinControl* wrapper, HWND window, int kind);

    int FLength = 0;
    int FThumbStart = 0;
    int FThumbEnd = 0;
    POINT FBarOrigin{};
    POINT FPressPoint{};
    int FPressThumbStart = 0;
    int FOrientation = 1;
    int FButtonSize = 16;
    HWND FTarget = nullptr;
    qx::TWinControl* FTargetControl = nullptr;
    TSkinControl* FWrapper = nullptr;
    int FKind = okVertical;
    RECT FBarRect{};
    int FScrollCode = -1;
    bool FPressing = false;
    bool FShown = false;
    SCROLLINFO FPainted{sizeof(SCROLLINFO), 0, 0, 0, 0, 0, 0};  // what the last paint showed
    bool FPaintedEnabled = true;
    std::shared_ptr<bool> FAlive = std::make_shared<bool>(true);
};
