// The window procedure of a skinned window. Every message passes three stages: the first
// always runs (painting, destruction, the skin engine's own messages), the second only for a
// skinned frame (commands, show state, activation bookkeeping), the third only while the frame
// is drawn by the skin (geometry, hit-testing, caption mouse). What no stage finishes goes to
// the window's own procedure.
#include "framework/PrintWindows.h"
#include "skin/data/SkinData.h"
#include "skin/form/NcHitTest.h"
#include "skin/form/SkinFormHost.h"
#include "skin/form/SkinMenuItems.h"
#include "skin/form/WinSkinForm.h"
#include "skin/form/SkinFormRegistry.h"

#include <windowsx.h>

void TWinSkinForm::WndProc(qx::TMessage& m) {
    try {
        Dispatch(m);
    } catch (...) {
        if (qx::Application) qx::Application->HandleException(this);
    }
}

void TWinSkinForm::Default(qx::TMessage& m) {
    if (!FOldWndProc) {
        m.Result = ::DefWindowProcW(FHandle, m.Msg, m.WParam, m.LParam);
        return;
    }
    m.Result = FUnicode ? ::CallWindowProcW(FOldWndProc, FHandle, m.Msg, m.WParam, m.LParam)
                        : ::CallWindowProcA(FOldWndProc, FHandle, m.Msg, m.WParam, m.LParam);
}

void TWinSkinForm::Dispatch(qx::TMessage& m) {
    if (Stage1(m)) return;
    if (!FSkinFrame && m.Msg != WM_NCACTIVATE) return Default(m);
    if (Stage2(m)) return;
    Stage3(m);
}

//--- stage 1: always

bool TWinSkinForm::Stage1(qx::TMessage& m) {
    switch (m.Msg) {
    case WM_ERASEBKGND:
        Default(m);
        if (!FForm && FSkinData && FSkinData->FaceBrush()) {
            RECT client{};
            ::GetClientRect(FHandle, &client);
            ::FillRect(reinterpret_cast<HDC>(m.WParam), &client, FSkinData->FaceBrush());
            m.Result = 1;
        }
        return true;
    case WM_NCDESTROY:
        FState = kFormDestroying;
        DetachOnDestroy();
        Default(m);
        FState = kFormClosed;
        SkinFormRegistry().Unbind(*this, FHandle);
        if (SkinFormHooks().FormClosed) SkinFormHooks().FormClosed(*this);
        return true;
    case WM_NCPAINT:
        if (FState == kFormAttached) m.Result = 0;
        else WMNCPaint(m);
        return true;
    case WM_NCACTIVATE:
        // Before the activation message nothing changes, not even the activation painting.
        if (FState == kFormAttached && FFormKind != kFormMDIChild) {
            m.Result = 0;
            return true;
        }
        return false;
    case WM_INITMENUPOPUP:
        SetMenuMode(reinterpret_cast<HMENU>(m.WParam) == FSysMenu.Handle ? kMenuModeSystem : kMenuModeMenuBar);
        Default(m);
        return true;
    case WM_CTLCOLORBTN:
        Default(m);
        if (!FForm) ::SetBkMode(reinterpret_cast<HDC>(m.WParam), TRANSPARENT);
        return true;
    case WM_CTLCOLORSTATIC:
        Default(m);
        if (!FForm && FSkinData && FSkinData->FaceBrush()) {
            ::SetBkMode(reinterpret_cast<HDC>(m.WParam), TRANSPARENT);
            m.Result = reinterpret_cast<LRESULT>(FSkinData->FaceBrush());
        }
        return true;
    case WM_PRINT:
        WMPrint(m);
        return true;
    case SKN_ACTIVATE:
        Activate();
        m.Result = 0;
        return true;
    case SKN_QUERY:
        m.Result = 1;
        return true;
    default:
        return false;
    }
}

//--- stage 2: a skinned frame

bool TWinSkinForm::Stage2(qx::TMessage& m) {
    if (FFormKind != kFormMDIChild && (FStyle & WS_CHILD)) {
        Default(m);
        return true;
    }
    switch (m.Msg) {
    case WM_COMMAND: return WMCommand(m);
    case WM_GETMINMAXINFO: WMGetMinMaxInfo(m); return true;
    case WM_SIZE: WMSize(m); return true;
    case WM_ACTIVATE: FActive = LOBYTE(m.WParam); return false;
    case WM_NCACTIVATE: FActive = LOBYTE(m.WParam); return false;
    case WM_WINDOWPOSCHANGED: RefreshShowState(); Default(m); return true;
    case WM_SYSCOMMAND: return WMSysCommand(m);
    case qx::CM_MENUCHANGED:
        if (FSkinData && !FSkinData->FramePainting) Default(m);
        MenuChanged();
        return true;
    case WM_MENUSELECT:
        if (MenuBar()) MenuBar()->MenuSelect(m.WParam, m.LParam);
        return false;
    case WM_SETTEXT:
        // The default procedure repaints the system's caption: the title is painted again over
        // it (a framework form's hook refreshes the whole frame instead).
        if (FFormHooked) return false;
        Default(m);
        PaintFrame();
        return true;
    default:
        return false;
    }
}

//--- stage 3: the frame is the skin's

void TWinSkinForm::Stage3(qx::TMessage& m) {
    if (FState == kFormAttached || Minimized() || MdiChildNotNormal()) return Default(m);
    switch (m.Msg) {
    case WM_MEASUREITEM:
        if (!FMenus.Handle || !FMenus.Items || !FMenus.Items->WMMeasureItem(*reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam))) Default(m);
        else m.Result = TRUE;
        return;
    case WM_DRAWITEM:
        if (!FMenus.Handle || !FMenus.Items || !FMenus.Items->WMDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(m.LParam))) Default(m);
        else m.Result = TRUE;
        return;
    case WM_NCCALCSIZE: WMNCCalcSize(m); return;
    case WM_NCHITTEST: WMNCHitTest(m); return;
    case WM_NCACTIVATE: WMNCActivate(m); return;
    case WM_NCMOUSEMOVE: if (!NCMouseMove(m)) Default(m); return;
    case WM_NCLBUTTONDOWN: if (!NCLButtonDown(m)) Default(m); return;
    case WM_NCLBUTTONUP: if (!NCLButtonUp(m)) Default(m); return;
    case WM_NCLBUTTONDBLCLK: if (!NCLButtonDblClk(m)) Default(m); return;
    case WM_NCRBUTTONDOWN: if (!NCRButtonDown(m)) Default(m); return;
    case SKN_REPAINTFRAME: PaintFrame(); m.Result = 0; return;
    default: Default(m); return;
    }
}

//--- the form's WindowProc hook (framework forms with a skinned frame)

void TWinSkinForm::FormHook(qx::TMessage& m) {
    switch (m.Msg) {
    case WM_SETTEXT:
        FOldFormProc(m);
        if (FShowState == kShowMaximized && ManagerMDIClient())
            ::PostMessageW(ManagerMDIClient(), SKN_MDIREDRAW, reinterpret_cast<WPARAM>(FHandle), 0);
        RefreshFrame();
        return;
    case SKN_SKINCHANGED:
        SkinChanged();
        return;
    case qx::CM_DIALOGCHAR:
        FOldFormProc(m);
        if (!m.Result) DialogChar(m);
        return;
    default:
        FOldFormProc(m);
        return;
    }
}

//--- handlers

void TWinSkinForm::WMNCCalcSize(qx::TMessage& m) {
    if (!m.WParam) {
        // The window rectangle in, the client rectangle out.
        auto* r = reinterpret_cast<RECT*>(m.LParam);
        const RECT window = *r;
        Default(m);
        if (FBorderKind != bkNone) *r = ClientRectIn(window, FFrame.Metrics);
        m.Result = 0;
        return;
    }
    auto* params = reinterpret_cast<NCCALCSIZE_PARAMS*>(m.LParam);
    const RECT proposed = params->rgrc[0];  // the new window rectangle
    Default(m);
    if (MdiChildNotNormal() || FBorderKind == bkNone) {
        params->rgrc[1] = params->rgrc[0];
        m.Result = WVR_VALIDRECTS;
        return;
    }
    params->rgrc[0] = ClientRectIn(proposed, FFrame.Metrics);
    params->rgrc[1] = params->rgrc[0];
    m.Result = WVR_VALIDRECTS;
}

void TWinSkinForm::WMNCHitTest(qx::TMessage& m) {
    Default(m);
    const POINT screen{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
    m.Result = SkinHitCode(m.Result, ScreenToWindowPoint(screen), FFrame.Metrics);
}

void TWinSkinForm::WMNCActivate(qx::TMessage& m) {
    FActive = m.WParam ? 1 : 0;
    if (FCaption.HoverTimer) FCaption.HoverTimer->SetEnabled(FActive != 0);
    if (FFormKind == kFormMDIParent && FMdi.Client) ::SendMessageW(FMdi.Client, WM_NCACTIVATE, m.WParam, 0);
    else if (FFormKind == kFormMDIChild) Default(m);
    if (!MdiChildNotNormal()) PaintFrame();
    m.Result = 1;
}

// The system must never draw its caption buttons or open its own system menu: WS_SYSMENU is
// off while the frame is the skin's (a minimised window keeps it, its frame is the system's).
void TWinSkinForm::WMNCPaint(qx::TMessage& m) {
    DWORD style = static_cast<DWORD>(::GetWindowLongPtrW(FHandle, GWL_STYLE));
    DWORD wanted = style;
    if (!Minimized()) wanted &= ~WS_SYSMENU;
    else if (FBorderIcons & kIconSystemMenu) wanted |= WS_SYSMENU;
    if (wanted != style) SetStyle(wanted);
    else FStyle = style;
    m.Result = 0;
    if (!FSkinData || !FSkinData->FramePainting) return;
    if (MdiChildNotNormal() || FBorderKind == bkNone) return Default(m);
    PaintFrame();
}

// WM_PRINT with PRF_NONCLIENT: the skinned frame goes into the given context too. Windows'
// default would print the system frame and Wine's prints none, so without this a printed (or
// screenshot) window would not look like the window on the screen. The client area and the
// children are printed at the client's place inside the frame.
void TWinSkinForm::WMPrint(qx::TMessage& m) {
    const auto dc = reinterpret_cast<HDC>(m.WParam);
    const auto flags = static_cast<DWORD>(m.LParam);
    const bool skinned = (FState == kFormActive || FState == kFormReskinning) && FSkinData && FSkinFrame &&
                         FBorderKind != bkNone && !MdiChildNotNormal();
    if (!(flags & PRF_NONCLIENT) || !skinned || !dc) return Default(m);
    if ((flags & PRF_CHECKVISIBLE) && !::IsWindowVisible(FHandle)) return;
    {
        qx::DcStateGuard state(dc);
        PaintFrame(dc);
    }
    RECT client{};
    ::GetClientRect(FHandle, &client);
    qx::DcStateGuard state(dc);
    const POINT origin{FFrame.Metrics.Left, FFrame.Metrics.ClientTop()};
    ::OffsetViewportOrgEx(dc, origin.x, origin.y, nullptr);
    ::IntersectClipRect(dc, 0, 0, client.right, client.bottom);
    qx::TMessage inner{WM_PRINT, m.WParam, static_cast<LPARAM>(flags & ~(PRF_NONCLIENT | PRF_CHILDREN)), 0};
    Default(inner);
    if (flags & PRF_CHILDREN) qx::PrintChildWindows(FHandle, dc, static_cast<LPARAM>(flags));
}

void TWinSkinForm::WMSize(qx::TMessage& m) {
    Default(m);
    switch (m.WParam) {
    case SIZE_RESTORED: FShowState = kShowNormal; break;
    case SIZE_MINIMIZED: FShowState = kShowMinimized; break;
    case SIZE_MAXIMIZED: FShowState = kShowMaximized; break;
    default: break;
    }
    // A maximised or minimised MDI child has the system's frame: a region cut for its normal size
    // would clip it.
    if (FFormKind == kFormMDIChild && FShowState != kShowNormal) ClearRegion();
    const bool mdiChildAside = FFormKind == kFormMDIChild && (FShowState != kShowNormal || MenuActive());
    if (!Minimized() && !mdiChildAside && (FState == kFormActive || FState == kFormReskinning)) UpdateRegion();
}

void TWinSkinForm::WMGetMinMaxInfo(qx::TMessage& m) {
    Default(m);
    RefreshShowState();
    auto* info = reinterpret_cast<MINMAXINFO*>(m.LParam);
    info->ptMaxTrackSize = {::GetSystemMetrics(SM_CXMAXIMIZED), ::GetSystemMetrics(SM_CYMAXIMIZED)};
    m.Result = 0;
}
