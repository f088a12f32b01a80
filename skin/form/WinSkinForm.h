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
// The object's state is grouped into parts, each declared beside the file that uses it: the
// frame geometry (FrameMetrics.h), the window's shape (FormRegion.h), the caption
// (CaptionButtons.h), the system menu (SystemMenu.h), the MDI client (MdiClient.h) and the
// menus (FormMenus.h: the skinned menu bar and the item handlers). The wrappers of child
// controls come through SkinFormHooks().
#pragma once

#include "framework/ExtCtrls.h"
#include "framework/Forms.h"
#include "framework/Handles.h"
#include "framework/Menus.h"
#include "framework/SubclassSlot.h"
#include "skin/SkinMessages.h"
#include "skin/form/CaptionButtons.h"
#include "skin/form/FormControl.h"
#include "skin/form/FormMenus.h"
#include "skin/form/FormRegion.h"
#include "skin/form/FrameMetrics.h"
#include "skin/form/MdiClient.h"
#include "skin/form/MenuBar.h"
#include "skin/form/SystemMenu.h"
#include "skin/form/WindowIcon.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>
#include <windows.h>

class TSkinData;

// Skin states of a window.
enum class TSkinFormState : std::uint8_t {
    ssAttached = 0,    // attached, not yet activated
    ssActive = 1,
    ssReskinning = 3,  // SkinChanged runs
    ssDestroying = 4,  // WM_NCDESTROY is being handled
    ssResizing = 5,    // the first resize
    ssClosed = 6,      // the window is gone
};
inline constexpr TSkinFormState kFormAttached = TSkinFormState::ssAttached;
inline constexpr TSkinFormState kFormActive = TSkinFormState::ssActive;
inline constexpr TSkinFormState kFormReskinning = TSkinFormState::ssReskinning;
inline constexpr TSkinFormState kFormDestroying = TSkinFormState::ssDestroying;
inline constexpr TSkinFormState kFormResizing = TSkinFormState::ssResizing;
inline constexpr TSkinFormState kFormClosed = TSkinFormState::ssClosed;

// Form kinds.
enum class TSkinFormKind : std::uint8_t { fkOrdinary, fkMDIParent, fkMDIChild };
inline constexpr TSkinFormKind kFormOrdinary = TSkinFormKind::fkOrdinary;
inline constexpr TSkinFormKind kFormMDIParent = TSkinFormKind::fkMDIParent;
inline constexpr TSkinFormKind kFormMDIChild = TSkinFormKind::fkMDIChild;

// Show states.
enum class TShowState : std::uint8_t { shNormal, shMaximized, shMinimized };
inline constexpr TShowState kShowNormal = TShowState::shNormal;
inline constexpr TShowState kShowMaximized = TShowState::shMaximized;
inline constexpr TShowState kShowMinimized = TShowState::shMinimized;

// Border icon bits.
inline constexpr std::uint8_t kIconMaximize = 1 << 0;
inline constexpr std::uint8_t kIconMinimize = 1 << 1;
inline constexpr std::uint8_t kIconSystemMenu = 1 << 3;

class TWinSkinForm : public qx::TComponent {
    QX_CLASS(TWinSkinForm)
public:
    // `owner`: the framework form, or null for a plain window.
    explicit TWinSkinForm(qx::TComponent* owner);
    ~TWinSkinForm() override;

    //--- attaching (the manager: construct, SetHandle, AttachForm or Attach, post SKN_ACTIVATE)
    // The window it skins; the window points back at it (the registry's lookup).
    void SetHandle(HWND wnd);
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
    void DrawWindowIcon(HDC dc, const RECT& rect) { FCaption.Icon.Draw(dc, rect); }
    // One caption button in frame `frame`, straight onto the window over the caption behind it.
    void PaintButton(TWinSysButton& button, int frame);

    //--- the menu bar and the menu items
    TFormMenus& MenuPart() { return FMenus; }
    const TFormMenus& MenuPart() const { return FMenus; }
    TWinSkinMenu* MenuBar() const { return FMenus.Bar.get(); }
    // The menu band's height (the menu bar sets it from its rows).
    void SetMenuBandHeight(int height) { FFrame.Metrics.Menu = height; }
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
    TNCObject* HotObject() const { return FCaption.HotObject; }
    void SetHotObject(TNCObject* object) { FCaption.HotObject = object; }
    const std::vector<std::unique_ptr<TWinSysButton>>& Buttons() const { return FCaption.Buttons; }
    // Opens the system menu at the screen point (the skinned one or the native one).
    void OpenSystemMenu(int x, int y);
    qx::TPopupMenu* SystemMenu() const { return FSysMenu.Menu.get(); }
    // Builds the skinned system menu: a copy of the window's, or the fixed one.
    void BuildSystemMenu(bool fixed);
    // Ends the hover state of a caption object the cursor has left.
    void HoverTick();
    bool HoverTimerEnabled() const { return FCaption.HoverTimer && FCaption.HoverTimer->Enabled(); }
    // The visibility table's view of this window.
    TButtonContext ButtonContext() const;

    //--- state, for the manager, the wrappers and tests
    TSkinData* SkinData() const { return FSkinData; }
    // The skin data component is going: nothing here may point at it any longer.
    void ForgetSkinData() { FSkinData = nullptr; }
    qx::TCustomForm* Form() const { return FForm; }
    TSkinFormState State() const { return FState; }
    bool Subclassed() const { return FSubclass.Installed(); }
    bool SkinFrame() const { return FSkinFrame; }
    const TFrameMetrics& Metrics() const { return FFrame.Metrics; }
    TBorderKind BorderKind() const { return FBorderKind; }
    std::uint8_t BorderIcons() const { return FBorderIcons; }
    TSkinFormKind FormKind() const { return FFormKind; }
    TShowState ShowState() const { return FShowState; }
    bool Active() const { return FActive != 0; }
    bool IsDialogBox() const { return FDialogBox; }
    HWND MDIClient() const { return FMdi.Client; }
    RECT TitleRect() const { return FCaption.TitleRect; }
    int ButtonsLeft() const { return FCaption.ButtonsLeft; }
    HRGN Region() const { return FShape.Region; }
    bool HasRegion() const { return FShape.HasRegion; }
    int TitleWidth() const { return FCaption.TitleWidth; }
    qx::TBitmap& CaptionBitmap() { return FCaption.Bitmap; }
    HFONT CaptionFont() const { return FCaption.Font.get(); }
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
    // Lets go of the client and of the manager's handle of it.
    void ForgetMDIClient();
    void MDIClientProc(qx::TMessage& m);

    //--- the window and how it is hooked
    HWND FHandle = nullptr;
    qx::TCustomForm* FForm = nullptr;
    TSkinData* FSkinData = nullptr;
    qx::TSubclassSlot FSubclass;  // our stub in the window's procedure slot
    WNDPROC FOldWndProc = nullptr;   // the window procedure found at attach
    qx::TWndMethod FOldFormProc;
    bool FFormHooked = false;
    bool FUnicode = true;
    qx::TColor FOldColor = qx::clBtnFace;
    bool FColorSet = false;
    std::vector<TFormControl*> FControls;

    //--- what the window is and how it shows
    TSkinFormState FState = kFormAttached;
    bool FSkinFrame = false;
    TSkinFormKind FFormKind = kFormOrdinary;
    TBorderKind FBorderKind = bkSizeable;
    std::uint8_t FBorderIcons = 0;
    TShowState FShowState = kShowNormal;
    std::uint8_t FActive = 1;
    bool FRightToLeft = false;
    bool FIsChild = false;
    bool FDialogBox = false;
    DWORD FStyle = 0;
    std::wstring FClassName;
    HWND FOwner = nullptr;

    //--- the parts, each kept by the files that use it
    TFrameGeometry FFrame;    // FrameMetrics.h: WinSkinForm.cpp, FramePaint.cpp, SkinLifecycle.cpp
    TFormShape FShape;        // FormRegion.h: FramePaint.cpp, SkinLifecycle.cpp
    TCaptionParts FCaption;   // CaptionButtons.h: CaptionButtons.cpp, CaptionMouse.cpp, FramePaint.cpp
    TSystemMenuPart FSysMenu; // SystemMenu.h: SystemMenu.cpp, SysCommand.cpp
    TMdiPart FMdi;            // MdiClient.h: MdiClient.cpp
    TFormMenus FMenus;        // FormMenus.h: the menu band and the framework menus
};
