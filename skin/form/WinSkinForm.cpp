#include "skin/form/WinSkinForm.h"

#include "framework/WindowText.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinPaintHelpers.h"
#include "skin/form/SkinFormHost.h"
#include "skin/form/SkinFormRegistry.h"
#include "skin/form/SkinMenuItems.h"

#include <algorithm>
#include <cstddef>

namespace {

constexpr unsigned kHoverInterval = 250;

// The caption font of the system; the default font when the system gives none.
HFONT CreateCaptionFont() {
    // The structure as it was before the padded border width: accepted by every system.
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = offsetof(NONCLIENTMETRICSW, iPaddedBorderWidth);
    if (::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0))
        return ::CreateFontIndirectW(&metrics.lfCaptionFont);
    return nullptr;
}

HWND FindMDIClient(HWND parent) {
    for (HWND child = ::GetTopWindow(parent); child; child = ::GetWindow(child, GW_HWNDNEXT))
        if (qx::ClassNameOf(child) == L"MDIClient") return child;
    return nullptr;
}

}  // namespace

QX_DEFINE_CLASS(TWinSkinForm, ::qx::TComponent, b) {}

TWinSkinForm::TWinSkinForm(qx::TComponent* owner)
    : qx::TComponent(owner) {
    FSysMenu.DoubleClickTime = ::GetDoubleClickTime();
    FCaption.Font.reset(CreateCaptionFont());
    if (!FCaption.Font) FCaption.Font.reset(::CreateFontW(-11, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"MS Sans Serif"));
    FCaption.Bitmap.SetPixelFormat(qx::TPixelFormat::pf24bit);
    SkinFormRegistry().Add(*this);
}

// The window may still be ours when the object goes first (a test, or the manager freeing a
// live window's object): it must not keep calling into freed memory.
TWinSkinForm::~TWinSkinForm() {
    FCaption.HoverTimer.reset();
    FSysMenu.Menu.reset();
    if (FFormHooked && FForm && !FForm->HasState(qx::csDestroying)) FForm->WindowProc = FOldFormProc;
    FFormHooked = false;
    FSubclass.Release();
    ForgetMDIClient();
    ReleaseWrappers();
    SkinFormRegistry().Remove(*this);
}

void TWinSkinForm::SetHandle(HWND wnd) {
    if (FHandle) SkinFormRegistry().Unbind(*this, FHandle);
    FHandle = wnd;
    SkinFormRegistry().Bind(*this, wnd);
}

//--- attaching

void TWinSkinForm::AttachForm(TSkinData* skin, qx::TCustomForm* form) {
    FForm = form;
    if (!form || !skin) return Attach(skin);
    if (FSubclass.Installed() || ::SendMessageW(form->Handle(), SKN_QUERY, 0, 0) == 1) return;
    form->SetAutoScroll(false);
    if (InSet(skin->SkinControls(), xcMainMenu) && !FFormHooked) {
        FOldFormProc = form->WindowProc;
        form->WindowProc = qx::TWndMethod::Of<&TWinSkinForm::FormHook>(this);
        FFormHooked = true;
    }
    Attach(skin);
    FOldColor = form->Color();
    FColorSet = true;
    form->SetColor(skin->ButtonFace);
    if (InSet(skin->SkinControls(), xcMenuItem) && FMenus.Items) FMenus.Items->HookMainMenus(form, true);
}

void TWinSkinForm::Attach(TSkinData* skin) {
    if (FSubclass.Installed() || !FHandle || !skin) return;
    // Something already skins this window: a second subclass would paint over the first.
    if (::SendMessageW(FHandle, SKN_QUERY, 0, 0) == 1) return;
    MarkManagerActivated();
    FSkinData = skin;
    FCaption.HoverTimer = std::make_unique<qx::TTimer>(nullptr);
    FCaption.HoverTimer->SetEnabled(false);
    FCaption.HoverTimer->SetInterval(kHoverInterval);
    FCaption.HoverTimer->OnTimer = qx::TNotifyEvent::Of<&TWinSkinForm::HoverTimer>(this);
    FSkinFrame = InSet(skin->SkinControls(), xcMainMenu);

    FStyle = static_cast<DWORD>(::GetWindowLongPtrW(FHandle, GWL_STYLE));
    const auto exStyle = static_cast<DWORD>(::GetWindowLongPtrW(FHandle, GWL_EXSTYLE));
    FRightToLeft = (exStyle & WS_EX_LEFTSCROLLBAR) != 0;
    FIsChild = (FStyle & WS_CHILD) != 0;
    FSysMenu.Handle = ::GetSystemMenu(FHandle, FALSE);
    FClassName = qx::ClassNameOf(FHandle);
    FOwner = ::GetWindow(FHandle, GW_OWNER);

    FBorderIcons = 0;
    if ((FStyle & WS_SYSMENU) || FSysMenu.Handle) FBorderIcons |= kIconSystemMenu;
    if (FStyle & WS_MINIMIZEBOX) FBorderIcons |= kIconMinimize;
    if (FStyle & WS_MAXIMIZEBOX) FBorderIcons |= kIconMaximize;
    RefreshShowState();

    FMdi.Client = FindMDIClient(FHandle);
    FFormKind = FMdi.Client ? kFormMDIParent : kFormOrdinary;
    if (FMdi.Client) SetManagerMDIClient(FMdi.Client, FForm);
    if (exStyle & WS_EX_MDICHILD) FFormKind = kFormMDIChild;

    FUnicode = ::IsWindowUnicode(FHandle) != FALSE;
    FDialogBox = FClassName == L"#32770" || FClassName == L"TMessageForm";
    FBorderKind = BorderKindOf(FStyle, exStyle, FDialogBox);

    if (FFormKind == kFormMDIParent) {
        FMdi.MenuUpdateAtAttach = skin->MenuUpdate();
        SubclassMDIClient();
    }
    if (!FSubclass.Install(FHandle, FUnicode, qx::TWndMethod::Of<&TWinSkinForm::WndProc>(this))) return;
    FOldWndProc = FSubclass.Previous();

    AttachMenus();
    if (FSkinFrame) {
        UpdateFrameMetrics();
    } else {
        FState = kFormActive;
    }
    if (FFormKind == kFormMDIChild) {
        const int needed = ::GetSystemMetrics(SM_CYCAPTION) + ::GetSystemMetrics(SM_CXFRAME);
        if (FFrame.Metrics.Top < needed) FFrame.Metrics.Menu = needed - FFrame.Metrics.Top;
        if (FShowState == kShowMaximized && !MenuActive()) SetMenuActive(true);
    }
}

//--- frame metrics

void TWinSkinForm::UpdateFrameMetrics() {
    if (!FSkinData || FSkinData->NotLoaded()) return;
    const int menu = FFrame.Metrics.Menu;
    if (MenuBar()) MenuBar()->Invalidate();
    FFrame.Metrics = MeasureFrame(*FSkinData, FBorderKind);
    FFrame.Metrics.Menu = FBorderKind == bkNone ? 0 : menu;
    BuildButtons();
}

void TWinSkinForm::RefreshFrame() {
    if (FHandle)
        ::SetWindowPos(FHandle, nullptr, 0, 0, 0, 0,
                       SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void TWinSkinForm::RefreshShowState() {
    WINDOWPLACEMENT placement{sizeof(placement)};
    if (!::GetWindowPlacement(FHandle, &placement)) return;
    switch (placement.showCmd) {
    case SW_SHOWMINIMIZED: case SW_MINIMIZE: case SW_SHOWMINNOACTIVE: FShowState = kShowMinimized; break;
    case SW_SHOWMAXIMIZED: FShowState = kShowMaximized; break;
    default: FShowState = kShowNormal; break;
    }
}

void TWinSkinForm::SetStyle(DWORD style) {
    FStyle = style;
    if (FUnicode) ::SetWindowLongPtrW(FHandle, GWL_STYLE, static_cast<LONG_PTR>(style));
    else ::SetWindowLongPtrA(FHandle, GWL_STYLE, static_cast<LONG_PTR>(style));
}

//--- activation

void TWinSkinForm::Activate() {
    FCaption.Icon.Render(FHandle, FSkinData);
    OSVERSIONINFOW version{sizeof(version)};
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    const bool oldNT = ::GetVersionExW(&version) && version.dwPlatformId == VER_PLATFORM_WIN32_NT && version.dwMajorVersion < 5;
#pragma GCC diagnostic pop
    BuildSystemMenu(oldNT);
    HookFormMenus(true);
    // The unskinned frame is measured once, before the skin changes it: a second activation
    // would otherwise take the skin's frame for the window's own.
    if (FState == kFormAttached) {
        RECT window{}, client{};
        ::GetWindowRect(FHandle, &window);
        ::GetClientRect(FHandle, &client);
        FFrame.NativeExtraWidth = (window.right - window.left) - client.right;
        FFrame.NativeExtraHeight = (window.bottom - window.top) - client.bottom;
        FFrame.ClientRect = client;
    }
    if (SkinFormHooks().ClassifyControls) SkinFormHooks().ClassifyControls(*this);
    if (FState == kFormAttached) {
        if (FFormKind == kFormMDIChild) {
            if (FShowState == kShowNormal) {
                FState = kFormResizing;
                ResizeKeepingClient(true);
                FState = kFormActive;
                UpdateRegion();
            } else if (FShowState == kShowMaximized && FMdi.Client) {
                ::PostMessageW(FMdi.Client, SKN_MDIREDRAW, reinterpret_cast<WPARAM>(FHandle), 0);
            }
        } else if (!FIsChild && FBorderKind != bkNone && FShowState != kShowMinimized) {
            FState = kFormResizing;
            ResizeKeepingClient(true);
            FState = kFormActive;
            if (FShowState == kShowNormal) UpdateRegion();
            else if (FShowState == kShowMaximized) RefreshFrame();
        }
    }
    FState = kFormActive;
    if (FCaption.HoverTimer) FCaption.HoverTimer->SetEnabled(true);
}

void TWinSkinForm::ResizeKeepingClient(bool activation) {
    UINT flags = SWP_NOMOVE | SWP_NOZORDER | SWP_FRAMECHANGED;
    if (FState == kFormReskinning) flags |= SWP_NOACTIVATE;
    if (FShowState == kShowMaximized) {
        ::SetWindowPos(FHandle, nullptr, 0, 0, 0, 0, flags | SWP_NOSIZE);
        return;
    }
    SIZE client{FFrame.ClientRect.right - FFrame.ClientRect.left, FFrame.ClientRect.bottom - FFrame.ClientRect.top};
    if (FDialogBox || FState == kFormReskinning || !activation) {
        RECT r{};
        ::GetClientRect(FHandle, &r);
        client = {r.right, r.bottom};
    }
    if (activation && FForm) {
        client.cx = FForm->ClientWidth();
        client.cy = FForm->ClientHeight() - (FFormKind == kFormMDIChild ? 0 : FFrame.Metrics.Menu);
    } else if (activation && MenuBar()) {
        // The native bar the skinned one replaced was counted in the client when it went.
        client.cy -= FFrame.Metrics.Menu;
    }
    SIZE size = WindowSizeFor(client, FFrame.Metrics);
    if (FDialogBox && FState == kFormResizing && FSkinData && FSkinData->Title) {
        MeasureTitle();
        const RECT& shifts = FSkinData->Title->Margins;
        const TTitleWidening widened = WidenForTitle(size.cx, shifts.left, FCaption.TitleWidth, shifts.right);
        if (widened.Shift > 0) {
            for (HWND child = ::GetWindow(FHandle, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
                RECT r{};
                ::GetWindowRect(child, &r);
                ::MapWindowPoints(nullptr, FHandle, reinterpret_cast<POINT*>(&r), 2);
                ::SetWindowPos(child, nullptr, r.left + widened.Shift, r.top, 0, 0,
                               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOSENDCHANGING | SWP_NOOWNERZORDER);
            }
        }
        size.cx = widened.Width;
        ::SetWindowPos(FHandle, nullptr, 0, 0, size.cx, size.cy, flags);
        // The client's old pixels are kept by the resize, controls at their old places
        // included: paint it all again.
        if (widened.Shift > 0)
            ::RedrawWindow(FHandle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
        return;
    }
    ::SetWindowPos(FHandle, nullptr, 0, 0, size.cx, size.cy, flags);
}

void TWinSkinForm::MeasureTitle() {
    const std::wstring text = WindowText();
    qx::WindowDc screen(nullptr);
    qx::SelectGuard font(screen.get(), FCaption.Font.get());
    SIZE extent{};
    ::GetTextExtentPoint32W(screen.get(), text.c_str(), static_cast<int>(text.size()), &extent);
    FCaption.TitleWidth = extent.cx;
}

//--- control wrappers

bool TWinSkinForm::RegisterControl(TFormControl* wrapper) {
    if (!wrapper) return false;
    if (std::find(FControls.begin(), FControls.end(), wrapper) != FControls.end()) return true;
    FControls.push_back(wrapper);
    return false;
}

void TWinSkinForm::UnregisterControl(TFormControl* wrapper) {
    FControls.erase(std::remove(FControls.begin(), FControls.end(), wrapper), FControls.end());
}

bool TWinSkinForm::IsControlSkinned(HWND control) const {
    if (!control) return false;
    if (::SendMessageW(control, SKN_QUERY, 0, 0) == 1) return true;
    return std::any_of(FControls.begin(), FControls.end(),
                       [control](TFormControl* w) { return w->WrappedWindow() == control; });
}

//--- small queries

POINT TWinSkinForm::ScreenToWindowPoint(POINT screen) const {
    POINT p = screen;
    ::ScreenToClient(FHandle, &p);
    if (FShowState != kShowMinimized) {
        p.x += FFrame.Metrics.Left;
        p.y += FFrame.Metrics.ClientTop();
    }
    return p;
}

std::wstring TWinSkinForm::WindowText() const { return qx::WindowTextOf(FHandle, FUnicode); }
