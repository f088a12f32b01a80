// Caption objects: the clickable things of a skinned frame. TNCObject holds the
// normal / hot / pressed state machine shared with the menu-bar buttons; TWinSysButton shows
// one caption-button descriptor of the skin. The visibility table and the layout by Align are
// plain functions of the window's state.
#pragma once

#include "framework/Bitmap.h"
#include "framework/ExtCtrls.h"
#include "framework/Handles.h"
#include "skin/data/SkinObjects.h"
#include "skin/form/FrameMetrics.h"
#include "skin/form/WindowIcon.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>
#include <windows.h>

class TWinSkinForm;

// Button frames: 1 normal, 2 pressed, 3 hot, 4 inactive window (only with 4 frames or more).
inline constexpr int kFrameNormal = 1;
inline constexpr int kFramePressed = 2;
inline constexpr int kFrameHot = 3;
inline constexpr int kFrameInactive = 4;

// Action codes with a meaning of their own; any other posts SKN_BUTTONACTION.
inline constexpr int kActionClose = 0;
bool IsMaximizeAction(int action);  // 1, 22
bool IsMinimizeAction(int action);  // 2, 23
bool IsIconAction(int action);      // 3, 11: drawn as the window icon
bool IsSystemMenuAction(int action);  // 3, 11, 12
// 7/60, 8/61, 9/62: SC_MINIMIZE, SC_RESTORE, SC_CLOSE for the active MDI child; 0 otherwise.
UINT MdiChildCommand(int action);

class TNCObject {
public:
    explicit TNCObject(TWinSkinForm* form) : FForm(form) {}
    TNCObject(const TNCObject&) = delete;
    TNCObject& operator=(const TNCObject&) = delete;
    virtual ~TNCObject() = default;

    virtual void MouseDown();
    virtual void MouseUp();
    virtual void MouseMove();
    virtual void MouseLeave();
    virtual void Paint() {}

    TWinSkinForm* FForm;
    RECT FRect{};            // window coordinates
    bool FVisible = false;   // an invisible object ignores the mouse
    int FState = 0;          // 1 normal, 2 pressed, 3 hot (0 before the first change)
};

class TWinSysButton : public TNCObject {
public:
    TWinSysButton(TWinSkinForm* form, TDataSkinSysButton* data) : TNCObject(form), FData(data) {}
    // Draws the button in its current state straight onto the window.
    void Paint() override;
    // (width of one frame, image height); (0, 0) for an empty image.
    SIZE Size() const;

    TDataSkinSysButton* FData;
};

// What the visibility codes test.
struct TButtonContext {
    bool SystemMenu = false;
    bool MaximizeBox = false;
    bool MinimizeBox = false;
    bool Maximized = false;
    bool Active = false;
    TBorderKind BorderKind = bkSizeable;
    bool DialogBox = false;  // "#32770" or "TMessageForm"
    // An MDI parent whose active child is maximised and that has a skinned menu bar.
    bool MdiChildMaximizedInMenuBar = false;
    // Codes 1000..2000 ask the application (SKN_BUTTONVISIBLE); a result above 0 is visible.
    std::function<LRESULT(int visibility, int action)> AskApplication;
};

bool FirstVisibility(int code, int action, const TButtonContext& c);
bool SecondVisibility(int code, const TButtonContext& c);
// Both conditions, then the box rules: no maximise box hides Action 1, no minimise box hides
// Action 2, a dialog border hides the icon and system-menu buttons.
bool ButtonVisible(const TDataSkinSysButton& data, const TButtonContext& c);

// Where the layout puts a button of `size`.
struct TLayoutContext {
    int WindowWidth = 0;
    RECT TitleRect{};
    TFrameMetrics Metrics;
    bool RightToLeft = false;
    int MenuBarMargin = 0;  // the MenuBar descriptor's left margin, 0 without one
};
RECT LayoutButton(const TDataSkinSysButton& data, SIZE size, const TLayoutContext& c);

// The caption of one skinned window: its buttons and hover state, the painted strip, the icon,
// the font and the title as drawn.
struct TCaptionParts {
    std::vector<std::unique_ptr<TWinSysButton>> Buttons;
    TNCObject* HotObject = nullptr;
    int ButtonsLeft = 0;
    qx::TBitmap Bitmap;
    qx::TBitmap Back;  // the strip before the buttons went on: what lies behind them
    TWindowIcon Icon;
    qx::UniqueFont Font;
    std::wstring TitlePrefix = L"  ";
    std::wstring TitleSuffix = L" ";
    int TitleWidth = 0;
    RECT TitleRect{};
    // Ends the hover state of a caption object the cursor has left.
    std::unique_ptr<qx::TTimer> HoverTimer;
};
