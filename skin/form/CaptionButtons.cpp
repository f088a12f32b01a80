#include "skin/form/CaptionButtons.h"

#include "skin/data/SkinData.h"
#include "skin/data/SkinDraw.h"
#include "skin/form/WinSkinForm.h"

#include <algorithm>

//--- action codes

bool IsMaximizeAction(int action) { return action == 1 || action == 22; }
bool IsMinimizeAction(int action) { return action == 2 || action == 23; }
bool IsIconAction(int action) { return action == 3 || action == 11; }
bool IsSystemMenuAction(int action) { return IsIconAction(action) || action == 12; }

UINT MdiChildCommand(int action) {
    switch (action) {
    case 7: case 60: return SC_MINIMIZE;
    case 8: case 61: return SC_RESTORE;
    case 9: case 62: return SC_CLOSE;
    default: return 0;
    }
}

//--- the state machine

void TNCObject::MouseDown() {
    if (TNCObject* hot = FForm->HotObject(); hot && hot != this) hot->MouseLeave();
    if (!FVisible) return;
    FForm->SetHotObject(this);
    FState = kFramePressed;
    Paint();
}

void TNCObject::MouseUp() {
    if (!FVisible) return;
    FState = kFrameHot;
    Paint();
}

void TNCObject::MouseMove() {
    TNCObject* hot = FForm->HotObject();
    if (hot == this) return;
    if (hot) hot->MouseLeave();
    if (!FVisible) return;
    FForm->SetHotObject(this);
    FState = kFrameHot;
    Paint();
}

void TNCObject::MouseLeave() {
    if (!FVisible) return;
    FForm->SetHotObject(nullptr);
    FState = kFrameNormal;
    Paint();
}

SIZE TWinSysButton::Size() const {
    if (!FData || FData->Bitmap.Empty()) return {0, 0};
    return {FData->FrameWidth(), FData->Bitmap.Height()};
}

void TWinSysButton::Paint() {
    if (!FData || FState < kFrameNormal) return;
    // Menu-band buttons show their fourth frame when hot.
    const int frame = FData->Visibility == 100 && FState == kFrameHot ? kFrameInactive : FState;
    FForm->PaintButton(*this, frame);
}

//--- visibility

bool FirstVisibility(int code, int action, const TButtonContext& c) {
    if (code >= 201 && code <= 999) return true;
    if (code >= 1000 && code <= 2000) return c.AskApplication && c.AskApplication(code, action) > 0;
    switch (code) {
    case 0: return action != kActionClose || c.SystemMenu;
    case 1: return c.Maximized;
    case 2: return !c.Maximized;
    case 3: return c.Active;
    case 4: return !c.Active;
    case 6: return c.MaximizeBox && c.SystemMenu;
    case 7: return !c.MaximizeBox;
    case 8: return c.MinimizeBox && c.SystemMenu;
    case 9: return !c.MinimizeBox;
    case 100: return c.MdiChildMaximizedInMenuBar;
    case 200: return c.BorderKind == bkDialog && !c.DialogBox;
    // -1 has no meaning of its own (the skin pairs it with a second condition that hides the
    // button): hidden.
    default: return false;
    }
}

bool SecondVisibility(int code, const TButtonContext& c) {
    if (code >= 201 && code <= 2000) return true;
    switch (code) {
    case 0: return true;
    case 1: return c.Maximized;
    case 2: return !c.Maximized;
    case 3: return c.Active;
    case 4: return !c.Active;
    case 6: return c.MaximizeBox;
    case 7: return !c.MaximizeBox;
    case 8: return c.MinimizeBox;
    case 9: return !c.MinimizeBox;
    case 100: return c.MdiChildMaximizedInMenuBar;
    case 200: return c.BorderKind == bkDialog && !c.DialogBox;
    default: return false;
    }
}

bool ButtonVisible(const TDataSkinSysButton& data, const TButtonContext& c) {
    if (!FirstVisibility(data.Visibility, data.Action, c) || !SecondVisibility(data.Visibility1, c)) return false;
    if (data.Action == 1 && !c.MaximizeBox) return false;
    if (data.Action == 2 && !c.MinimizeBox) return false;
    if (IsSystemMenuAction(data.Action) && c.BorderKind == bkDialog) return false;
    return true;
}

//--- layout

RECT LayoutButton(const TDataSkinSysButton& data, SIZE size, const TLayoutContext& c) {
    POINT at{0, 0};
    switch (data.Align) {
    case 0: at = {data.Xcoord, data.Ycoord}; break;
    case 1: at = {c.WindowWidth - data.Xcoord, data.Ycoord}; break;
    case 2: case 8: at = {c.TitleRect.left - size.cx - data.Xcoord, data.Ycoord}; break;
    case 3: case 9: at = {data.Xcoord + c.TitleRect.right, data.Ycoord}; break;
    case 100:
        at.y = (c.Metrics.Menu - size.cy) / 2 + c.Metrics.Top;
        at.x = c.RightToLeft ? data.Xcoord + c.Metrics.Left + c.MenuBarMargin
                             : c.WindowWidth - data.Xcoord - c.Metrics.Right - c.MenuBarMargin;
        break;
    default: break;
    }
    return {at.x, at.y, at.x + size.cx, at.y + size.cy};
}

//--- the form's buttons

void TWinSkinForm::BuildButtons() {
    FCaption.HotObject = nullptr;
    FCaption.Buttons.clear();
    if (!FSkinData) return;
    for (auto& data : FSkinData->SysButtons) {
        if (!data) continue;
        if (IsIconAction(data->Action)) {
            FCaption.Icon.Render(FHandle, FSkinData);
            if (data->Bitmap.Empty() && !FSkinData->AppIcon.Empty()) data->Bitmap.Assign(&FSkinData->AppIcon);
            data->FrameCount = 1;
        }
        FCaption.Buttons.push_back(std::make_unique<TWinSysButton>(this, data.get()));
    }
}

TButtonContext TWinSkinForm::ButtonContext() const {
    TButtonContext c;
    c.SystemMenu = (FBorderIcons & kIconSystemMenu) != 0;
    c.MaximizeBox = (FBorderIcons & kIconMaximize) != 0;
    c.MinimizeBox = (FBorderIcons & kIconMinimize) != 0;
    c.Maximized = FShowState == kShowMaximized;
    c.Active = FActive != 0;
    c.BorderKind = FBorderKind;
    c.DialogBox = FDialogBox;
    // Buttons in the menu band: an MDI parent with a skinned menu bar whose active child is
    // maximised.
    c.MdiChildMaximizedInMenuBar = MdiChildMaximizedInBand();
    HWND wnd = FHandle;
    c.AskApplication = [wnd](int visibility, int action) {
        return ::SendMessageW(wnd, SKN_BUTTONVISIBLE, static_cast<WPARAM>(visibility), action);
    };
    return c;
}

void TWinSkinForm::LayoutButtons(int windowWidth) {
    TLayoutContext layout;
    layout.WindowWidth = windowWidth;
    layout.TitleRect = FCaption.TitleRect;
    layout.Metrics = FFrame.Metrics;
    layout.RightToLeft = FRightToLeft;
    if (FSkinData && FSkinData->MenuBar) layout.MenuBarMargin = FSkinData->MenuBar->Margins.left;
    const TButtonContext context = ButtonContext();
    int buttonsLeft = 0;
    for (auto& button : FCaption.Buttons) {
        button->FVisible = ButtonVisible(*button->FData, context);
        const SIZE size = button->Size();
        if (!button->FVisible || size.cx <= 0 || size.cy <= 0) continue;
        button->FRect = LayoutButton(*button->FData, size, layout);
        if (button->FData->Align == 1) buttonsLeft = std::max<int>(buttonsLeft, button->FRect.left);
    }
    if (buttonsLeft > 0) FCaption.ButtonsLeft = buttonsLeft;
}

void TWinSkinForm::PaintButtonsOnStrip(HDC strip) {
    for (auto& button : FCaption.Buttons) {
        TDataSkinSysButton& data = *button->FData;
        if (!button->FVisible || data.Bitmap.Empty() || data.Visibility == 100) continue;
        if (IsIconAction(data.Action)) {
            FCaption.Icon.Draw(strip, button->FRect);
            continue;
        }
        const int frame = FActive || data.FrameCount < 4 ? kFrameNormal : kFrameInactive;
        DrawSkinFrame(strip, button->FRect, data.Bitmap, true, std::max(data.FrameCount, 1), frame);
    }
}

// Composed off-screen (the caption behind the button, then the frame) and copied in one go,
// so the button never shows half-drawn and no earlier state shows through its transparent
// pixels.
void TWinSkinForm::PaintButton(TWinSysButton& button, int frame) {
    TDataSkinSysButton& data = *button.FData;
    const RECT& r = button.FRect;
    const int w = r.right - r.left, h = r.bottom - r.top;
    if (!FHandle || data.Bitmap.Empty() || w <= 0 || h <= 0) return;
    qx::TBitmap work;
    work.SetPixelFormat(qx::TPixelFormat::pf24bit);
    work.SetSize(w, h);
    qx::BitmapDc dc(work);
    if (!FCaption.Back.Empty()) {
        qx::BitmapDc back(FCaption.Back);
        ::BitBlt(dc.get(), 0, 0, w, h, back.get(), r.left, r.top, SRCCOPY);
    }
    const RECT local{0, 0, w, h};
    if (IsIconAction(data.Action)) FCaption.Icon.Draw(dc.get(), local);
    else DrawSkinFrame(dc.get(), local, data.Bitmap, true, std::max(data.FrameCount, 1), frame);
    qx::WindowDc window(FHandle, true);
    if (window.get()) ::BitBlt(window.get(), r.left, r.top, w, h, dc.get(), 0, 0, SRCCOPY);
}

TWinSysButton* TWinSkinForm::ObjectAt(POINT pt) {
    for (auto& button : FCaption.Buttons)
        if (button->FVisible && button->FData->Action >= 0 && ::PtInRect(&button->FRect, pt)) return button.get();
    return nullptr;
}
