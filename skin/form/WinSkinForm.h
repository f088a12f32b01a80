// TWinSkinForm: takes over the non-client area of one top-level window and draws it from the
// active skin: borders, caption strip with icon, title and caption buttons, and the window's
// shape. It also takes over hit-testing, non-client mouse handling, activation painting,
// maximise/minimise bookkeeping, the system menu, the menu bar and the menu items. One object
// per skinned window.
//
// A framework form (TCustomForm) or a plain window of the module (a system dialog "#32770")
// runs through the same window procedure; a framework form also has its WindowProc hooked and
// its colour set from the skin.
//
// The wrappers of child controls come through SkinFormHooks(); the menu bar and the menu items
// are the menu part's (MenuBar.h, SkinMenuItems.h).
#pragma once

#include "framework/ExtCtrls.h"
#include "framework/Forms.h"
#include "framework/Handles.h"
#include "framework/Menus.h"
#include "skin/SkinMessages.h"
#include "skin/form/CaptionButtons.h"
#include "skin/form/FormControl.h"
#include "skin/form/FrameMetrics.h"
#include "skin/form/MenuBar.h"
#include "skin/form/Subclass.h"
#include "skin/form/WindowIcon.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>
#include <windows.h>

class TSkinData;

// Skin states of a window.
inline constexpr int kFormAttached = 0;   // attached, not yet activated
inline constexpr int kFormActive = 1;
inline constexpr int kFormReskinning = 3;  // SkinChanged runs
inline constexpr int kFormDestroying = 4;  // WM_NCDESTROY is being handled
inline constexpr int kFormResizing = 5;    // the first resize
inline constexpr int kFormClosed = 6;      // the window is gone

// Form kinds.
inline constexpr std::uint8_t kFormOrdinary = 0;
inline constexpr std::uint8_t kFormMDIParent = 1;
inline constexpr std::uint8_t kFormMDIChild = 2;

// Show states.
inline constexpr std::uint8_t kShowNormal = 0;
inline constexpr std::uint8_t kShowMaximized = 1;
inline constexpr std::uint8_t kShowMinimized = 2;

// Border icon bits.
inline constexpr std::uint8_t kIconMaximize = 1 << 0;
inline constexpr std::uint8_t kIconMinimize = 1 << 1;
inline constexpr std::uint8_t kIconSystemMenu = 1 << 3;

// The skinned system menu's Tag.
inline constexpr int kSystemMenuTag = 33333;

class TWinSkinForm : public qx::TComponent {
    QX_CLASS(TWinSkinForm)
public:
    // `owner`: the framework form, or null for a plain window.
    explicit TWinSkinForm(qx::TComponent* owner);
    ~TWinSkinForm() override;

    //--- attaching (the manager: construct, SetHandle, AttachForm or Attach, post SKN_ACTIVATE)
    void SetHandle(HWND wnd) { FHandle = wnd; }
    HWND Handle() const { return FHandle; }
    void AttachForm(TSkinData* skin, qx::TCustomForm* form);
    void Attach(TSkinData* skin);

    //--- operations of the manager
    void UpdateFrameMetrics();
    void UpdateRegion();
    void ClearRegion();
    void RefreshFrame();
    void SkinChanged();
    // Lets go of the window: it gets back its procedure, style, size, colour and shape.
    void Detach();
    // WM_NCDESTROY: lets go of everything that needs the window.
    void DetachOnDestroy();
    // The MDI child's reaction to the manager's menu-active flag changing.
    void MenuActiveChanged(bool on);

    //--- control wrappers
    // Adds the wrapper unless it is there; returns whether it was.
    bool RegisterControl(TFormControl* wrapper);
    void UnregisterControl(TFormControl* wrapper);
    bool IsControlSkinned(HWND control) const;
    const std::vector<TFormControl*>& Controls() const { return FControls; }

    //--- painting (this file's friends: FramePaint.cpp, CaptionButtons.cpp)
    // The whole non-client area, into `dc` or (null) the window's own device context.
    void PaintFrame(HDC dc = nullptr);
    void DrawWindowIcon(HDC dc, const RECT& rect) { FIcon.Draw(dc, rect); }
    // One caption button in frame `frame`, straight onto the window over the caption behind it.
    void PaintButton(TWinSysButton& button, int frame);

    //--- the menu bar and the menu items
    TMenuBarPart& MenuPart() { return FMenuPart; }
    const TMenuBarPart& MenuPart() const { return FMenuPart; }
    TWinSkinMenu* MenuBar() const { return FMenuPart.Bar.get(); }
    // The menu band's height (the menu bar sets it from its rows).
    void SetMenuBandHeight(int height) { FMetrics.Menu = height; }
    bool RightToLeft() const { return FRightToLeft; }
    // An MDI parent with a skinned menu bar whose active child is maximised: the band carries
    // the child's buttons.
    bool MdiChildMaximizedInBand() const;

    //--- tool bars: the two custom-draw handlers
    void ToolbarBackground(HDC dc, const RECT& rect);
    void ToolbarButton(HDC dc, const RECT& bounds, UINT itemState, qx::TFont& font);

    //--- caption objects
    // The first visible button with Action >= 0 containing the window point, or null.
    TWinSysButton* ObjectAt(POINT pt);
    TNCObject* HotObject() const { return FHotObject; }
    void SetHotObject(TNCObject* object) { FHotObject = object; }
    const std::vector<std::unique_ptr<TWinSysButton>>& Buttons() const { return FButtons; }
    // Opens the system menu at the screen point (the skinned one or the native one).
    void OpenSystemMenu(int x, int y);
    qx::TPopupMenu* SystemMenu() const { return FSystemMenu.get(); }
    // Builds the skinned system menu: a copy of the window's, or the fixed one.
    void BuildSystemMenu(bool fixed);
    // Ends the hover state of a caption object the cursor has left.
    void HoverTick();
    bool HoverTimerEnabled() const { return FTimer && FTimer->Enabled(); }
    // The visibility table's view of this window.
    TButtonContext ButtonContext() const;

    //--- state, for the manager, the wrappers and tests
    TSkinData* SkinData() const { return FSkinData; }
    qx::TCustomForm* Form() const { return FForm; }
    int State() const { return FState; }
    bool Subclassed() const { return FSubclass != nullptr; }
    bool SkinFrame() const { return FSkinFrame; }
    const TFrameMetrics& Metrics() const { return FMetrics; }
    TBorderKind BorderKind() const { return FBorderKind; }
    std::uint8_t BorderIcons() const { return FBorderIcons; }
    std::uint8_t FormKind() const { return FFormKind; }
    std::uint8_t ShowState() const { return FShowState; }
    bool Active() const { return FActive != 0; }
    bool IsDialogBox() const { return FDialogBox; }
    HWND MDIClient() const { return FMDIClient; }
    RECT TitleRect() const { return FTitleRect; }
    int ButtonsLeft() const { return FButtonsLeft; }
    HRGN Region() const { return FRegion; }
    bool HasRegion() const { return FHasRegion; }
    int TitleWidth() const { return FTitleWidth; }
    qx::TBitmap& CaptionBitmap() { return FCaptionBitmap; }
    HFONT CaptionFont() const { return FCaptionFont.get(); }
    // A screen point in window coordinates (the non-client mouse messages' rule).
    POINT ScreenToWindowPoint(POINT screen) const;
    // The window text as the title shows it (without prefix and suffix).
    std::wstring WindowText() const;

private:
    //--- window procedure (WinSkinFormProc.cpp)
    void WndProc(qx::TMessage& m);
    void Dispatch(qx::TMessage& m);
    bool Stage1(qx::TMessage& m);
    bool Stage2(qx::TMessage& m);
    void Stage3(qx::TMessage& m);
    void Default(qx::TMessage& m);
    void FormHook(qx::TMessage& m);
    void WMNCCalcSize(qx::TMessage& m);
    void WMNCHitTest(qx::TMessage& m);
    void WMNCActivate(qx::TMessage& m);
    void WMNCPaint(qx::TMessage& m);
    void WMPrint(qx::TMessage& m);
    void WMSize(qx::TMessage& m);
    void WMGetMinMaxInfo(qx::TMessage& m);

    //--- attach, activation and detach (WinSkinForm.cpp)
    void Activate();
    void ResizeKeepingClient(bool activation);
    void ReleaseWrappers();
    void RestoreWindowProc();
    void RestoreFormMenus();
    void RefreshShowState();
    bool MdiChildNotNormal() const { return FFormKind == kFormMDIChild && FShowState != kShowNormal; }
    bool Minimized() const { return FShowState == kShowMinimized; }
    void SetStyle(DWORD style);

    //--- caption objects and mouse (CaptionMouse.cpp, CaptionButtons.cpp)
    void BuildButtons();
    void LayoutButtons(int windowWidth);
    void PaintButtonsOnStrip(HDC strip);
    bool NCMouseMove(qx::TMessage& m);
    bool NCLButtonDown(qx::TMessage& m);
    bool NCLButtonUp(qx::TMessage& m);
    bool NCLButtonDblClk(qx::TMessage& m);
    bool NCRButtonDown(qx::TMessage& m);
    void HoverTimer(qx::TObject* sender);
    void StopHoverTimer();

    //--- commands (SysCommand.cpp)
    void RunAction(int action);
    void ToggleMaximize();
    void ToggleMinimize();
    void MdiChildCommand(UINT command);
    bool WMCommand(qx::TMessage& m);
    bool WMSysCommand(qx::TMessage& m);
    void SystemMenuClick(qx::TObject* sender);
    void FixedMenuClick(qx::TObject* sender);

    //--- frame painting (FramePaint.cpp)
    void PaintFrameTo(HDC dc);
    void PaintCaptionStrip(HDC dc, int w);
    void PaintMenuBand(HDC dc, int w);
    void MeasureTitle();

    //--- menus (MenuPart.cpp)
    void AttachMenus();
    void HookFormMenus(bool on);
    void DetachMenus(bool restoreNative);
    bool SysKeyMenu(wchar_t key);
    bool DialogChar(qx::TMessage& m);
    void MenuChanged();

    //--- MDI (MdiClient.cpp)
    void SubclassMDIClient();
    void RestoreMDIClient();
    void MDIClientProc(qx::TMessage& m);

    HWND FHandle = nullptr;
    qx::TCustomForm* FForm = nullptr;
    TSkinData* FSkinData = nullptr;
    TSubclass* FSubclass = nullptr;  // our stub in the window's procedure slot
    WNDPROC FOldWndProc = nullptr;   // the window procedure found at attach
    qx::TWndMethod FOldFormProc;
    bool FFormHooked = false;
    bool FUnicode = true;
    int FState = kFormAttached;
    bool FSkinFrame = false;
    std::uint8_t FFormKind = kFormOrdinary;
    TBorderKind FBorderKind = bkSizeable;
    std::uint8_t FBorderIcons = 0;
    std::uint8_t FShowState = kShowNormal;
    std::uint8_t FActive = 1;
    bool FRightToLeft = false;
    bool FIsChild = false;
    bool FDialogBox = false;
    DWORD FStyle = 0;
    std::wstring FClassName;
    HWND FOwner = nullptr;
    HMENU FSysMenuHandle = nullptr;
    HMENU FMenuHandle = nullptr;
    HWND FMDIClient = nullptr;
    TSubclass* FClientSubclass = nullptr;
    bool FMenuUpdateAtAttach = true;
    TFrameMetrics FMetrics;
    RECT FWindowRect{};
    int FWindowWidth = 0;
    int FWindowHeight = 0;
    RECT FClientRect{};
    int FNativeExtraWidth = 0;
    int FNativeExtraHeight = 0;
    RECT FTitleRect{};
    std::vector<std::unique_ptr<TWinSysButton>> FButtons;
    TNCObject* FHotObject = nullptr;
    int FButtonsLeft = 0;
    qx::TBitmap FCaptionBitmap;
    qx::TBitmap FCaptionBack;  // the strip before the buttons went on: what lies behind them
    TWindowIcon FIcon;
    qx::UniqueFont FCaptionFont;
    std::wstring FTitlePrefix = L"  ";
    std::wstring FTitleSuffix = L" ";
    int FTitleWidth = 0;
    // The region the window was given: the window owns it, so this is only its identity.
    HRGN FRegion = nullptr;
    bool FHasRegion = false;
    int FRegionWidth = 0;
    int FRegionHeight = 0;
    std::unique_ptr<qx::TTimer> FTimer;
    std::unique_ptr<qx::TPopupMenu> FSystemMenu;
    bool FSystemMenuFixed = false;
    DWORD FSysMenuTick = 0;
    bool FSysMenuShown = false;
    DWORD FDoubleClickTime = 0;
    std::vector<TFormControl*> FControls;
    qx::TColor FOldColor = qx::clBtnFace;
    bool FColorSet = false;
    TMenuBarPart FMenuPart;
};
