#include "Forms.h"
#include "FormReader.h"
#include "Menus.h"

#include <algorithm>

namespace qx {

static const std::vector<std::wstring> kBorderStyleNames{L"bsNone", L"bsSingle", L"bsSizeable", L"bsDialog",
                                                         L"bsToolWindow", L"bsSizeToolWin"};
static const std::vector<std::wstring> kBorderIconNames{L"biSystemMenu", L"biMinimize", L"biMaximize", L"biHelp"};
static const std::vector<std::wstring> kPositionNames{L"poDesigned", L"poDefault", L"poDefaultPosOnly",
                                                      L"poDefaultSizeOnly", L"poScreenCenter", L"poDesktopCenter",
                                                      L"poMainFormCenter", L"poOwnerFormCenter"};
static const std::vector<std::wstring> kFormStyleNames{L"fsNormal", L"fsMDIChild", L"fsMDIForm", L"fsStayOnTop"};
static const std::vector<std::wstring> kWindowStateNames{L"wsNormal", L"wsMinimized", L"wsMaximized"};

QX_DEFINE_CLASS(TCustomForm, TWinControl, b) {
    b.Enum<TFormBorderStyle>(L"BorderStyle", kBorderStyleNames, &TCustomForm::BorderStyle, &TCustomForm::SetBorderStyle);
    b.Set(L"BorderIcons", kBorderIconNames, &TCustomForm::BorderIcons,
          [](TCustomForm& f, uint64_t v) { f.SetBorderIcons(static_cast<TBorderIcons>(v)); });
    b.Enum<TPosition>(L"Position", kPositionNames, &TCustomForm::Position, &TCustomForm::SetPosition);
    b.Enum<TFormStyle>(L"FormStyle", kFormStyleNames, &TCustomForm::FormStyle, &TCustomForm::SetFormStyle);
    b.Enum<TWindowState>(L"WindowState", kWindowStateNames, &TCustomForm::WindowState, &TCustomForm::SetWindowState);
    b.Boolean(L"AutoScroll", &TCustomForm::AutoScroll, &TCustomForm::SetAutoScroll);
    b.Object(L"Menu", &TCustomForm::Menu,
             [](TCustomForm& f, TObject* v) { f.SetMenu(dynamic_cast<TMainMenu*>(v)); });
    b.Boolean(L"KeyPreview", &TCustomForm::KeyPreview, &TCustomForm::SetKeyPreview);
    b.Integer(L"ClientWidth", &TCustomForm::FormClientWidth, &TCustomForm::SetClientWidth).NotStored();
    b.Integer(L"ClientHeight", &TCustomForm::FormClientHeight, &TCustomForm::SetClientHeight).NotStored();
    b.Event(L"OnCreate", &TCustomForm::OnCreate);
    b.Event(L"OnShow", &TCustomForm::OnShow);
    b.Event(L"OnHide", &TCustomForm::OnHide);
    b.Event(L"OnActivate", &TCustomForm::OnActivate);
    b.Event(L"OnDeactivate", &TCustomForm::OnDeactivate);
    b.Event(L"OnDestroy", &TCustomForm::OnDestroy);
    b.Event(L"OnPaint", &TCustomForm::OnPaint);
    b.Event(L"OnCloseQuery", &TCustomForm::OnCloseQuery);
    b.Event(L"OnClose", &TCustomForm::OnClose);
}
QX_DEFINE_CLASS(TForm, TCustomForm, b) { b.Creatable(); }

TCustomForm::TCustomForm(TComponent* owner) : TWinControl(owner) {
    FVisible = false;
    FParentColor = false;
    FParentFont = false;
    FWidth = 320;
    FHeight = 240;
    if (Screen) Screen->AddForm(this);
}

TCustomForm::~TCustomForm() {
    if (FCreated && OnDestroy) {
        try { OnDestroy(this); } catch (...) {}
    }
    if (Screen) Screen->RemoveForm(this);
    // Children go while the form is still a form, so ControlRemoved can run.
    Destroying();
    while (!FControls.empty()) {
        TControl* c = FControls.back();
        RemoveControl(c);
        delete c;
    }
    DestroyHandle();
}

void TCustomForm::InitInheritedComponent(const std::wstring& resourceName) {
    ReadComponentRes(resourceName, this);
}

void TCustomForm::AfterConstruction() {
    FCreated = true;
    DoCreate();
}

void TCustomForm::DoCreate() {
    if (OnCreate) OnCreate(this);
}

void TCustomForm::DoShow() {
    if (OnShow) OnShow(this);
}

void TCustomForm::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    p.Style = WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    p.ExStyle = 0;
    switch (FBorderStyle) {
    case TFormBorderStyle::bsNone: p.Style |= WS_POPUP; break;
    case TFormBorderStyle::bsSingle: case TFormBorderStyle::bsToolWindow: p.Style |= WS_CAPTION | WS_BORDER; break;
    case TFormBorderStyle::bsSizeable: case TFormBorderStyle::bsSizeToolWin: p.Style |= WS_CAPTION | WS_THICKFRAME; break;
    case TFormBorderStyle::bsDialog: p.Style |= WS_POPUP | WS_CAPTION; p.ExStyle |= WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE; break;
    }
    if (FBorderStyle == TFormBorderStyle::bsToolWindow || FBorderStyle == TFormBorderStyle::bsSizeToolWin)
        p.ExStyle |= WS_EX_TOOLWINDOW;
    if (FBorderStyle != TFormBorderStyle::bsNone) {
        if (FBorderIcons & biSystemMenu) p.Style |= WS_SYSMENU;
        if (FBorderStyle != TFormBorderStyle::bsDialog) {
            if (FBorderIcons & biMinimize) p.Style |= WS_MINIMIZEBOX;
            if (FBorderIcons & biMaximize) p.Style |= WS_MAXIMIZEBOX;
        }
    }
    if (FFormStyle == TFormStyle::fsStayOnTop) p.ExStyle |= WS_EX_TOPMOST;
    // Forms other than the main form belong to the active form, so they stay above it.
    p.WndParent = nullptr;
    if (Application && Application->MainForm() && Application->MainForm() != this) {
        TCustomForm* active = Screen ? Screen->ActiveForm() : nullptr;
        if (!active || active == this) active = Application->MainForm();
        if (active->HandleAllocated()) p.WndParent = active->Handle();
    }
    p.WinClassName = ClassName();
}

void TCustomForm::HandleCreated() {
    if (FMenu) FMenu->SetWindow(FHandle);
    if (FPendingClientWidth >= 0) SetClientWidth(FPendingClientWidth);
    if (FPendingClientHeight >= 0) SetClientHeight(FPendingClientHeight);
    FPendingClientWidth = FPendingClientHeight = -1;
}

void TCustomForm::PaintWindow(HDC dc) {
    if (!OnPaint) return;
    FCanvas.SetHandle(dc);
    OnPaint(this);
    FCanvas.SetHandle(nullptr);
}

void TCustomForm::PlaceOnScreen() {
    if (FPosition != TPosition::poScreenCenter && FPosition != TPosition::poDesktopCenter &&
        FPosition != TPosition::poMainFormCenter && FPosition != TPosition::poOwnerFormCenter)
        return;
    RECT area{0, 0, Screen->Width(), Screen->Height()};
    if (FPosition == TPosition::poMainFormCenter || FPosition == TPosition::poOwnerFormCenter) {
        TCustomForm* main = Application ? Application->MainForm() : nullptr;
        if (main && main != this && main->HandleAllocated()) ::GetWindowRect(main->Handle(), &area);
    }
    SetBounds(area.left + (area.right - area.left - FWidth) / 2, area.top + (area.bottom - area.top - FHeight) / 2,
              FWidth, FHeight);
}

void TCustomForm::Show() {
    HandleNeeded();
    if (!FVisible) {
        SetVisible(true);
        return;
    }
    ::ShowWindow(FHandle, SW_SHOW);
    ::SetForegroundWindow(FHandle);
}

void TCustomForm::ShowingChanged(bool visible) {
    if (!visible) {
        if (OnHide) OnHide(this);
        if (FHandle) ::ShowWindow(FHandle, SW_HIDE);
        return;
    }
    HandleNeeded();
    PlaceOnScreen();
    DoShow();
    int cmd = FWindowState == TWindowState::wsMaximized ? SW_SHOWMAXIMIZED
            : FWindowState == TWindowState::wsMinimized ? SW_SHOWMINIMIZED : SW_SHOWNORMAL;
    ::ShowWindow(FHandle, cmd);
    ::SetForegroundWindow(FHandle);
    if (!FActiveControl) {
        if (TWinControl* first = FindNextControl(nullptr, true, true, false)) FocusControl(first);
    } else {
        FocusControl(FActiveControl);
    }
}

TModalResult TCustomForm::ShowModal() {
    // Every other enabled top-level window of this thread is disabled while the form is up.
    HandleNeeded();
    std::pair<HWND, std::vector<HWND>> state{FHandle, {}};
    ::EnumThreadWindows(::GetCurrentThreadId(), [](HWND w, LPARAM lp) -> BOOL {
        auto& st = *reinterpret_cast<std::pair<HWND, std::vector<HWND>>*>(lp);
        if (w != st.first && ::IsWindowVisible(w) && ::IsWindowEnabled(w)) {
            ::EnableWindow(w, FALSE);
            st.second.push_back(w);
        }
        return TRUE;
    }, reinterpret_cast<LPARAM>(&state));
    FModal = true;
    FModalResult = mrNone;
    Show();
    while (FModalResult == mrNone && !Application->Terminated()) {
        Application->HandleMessage();
        if (FModalResult != mrNone && !CloseQuery()) FModalResult = mrNone;
    }
    // Enable the others before hiding, so the system activates the previous window.
    for (HWND w : state.second) ::EnableWindow(w, TRUE);
    Hide();
    FModal = false;
    return FModalResult;
}

bool TCustomForm::CloseQuery() {
    bool canClose = true;
    if (OnCloseQuery) OnCloseQuery(this, canClose);
    return canClose;
}

void TCustomForm::Close() {
    if (FModal) {
        FModalResult = mrCancel;
        return;
    }
    if (!CloseQuery()) return;
    TCloseAction action = (Application && Application->MainForm() == this) ? TCloseAction::caFree : TCloseAction::caHide;
    if (OnClose) OnClose(this, action);
    if (action == TCloseAction::caNone) return;
    if (Application && Application->MainForm() == this) {
        Application->Terminate();
        return;
    }
    if (action == TCloseAction::caHide) Hide();
    else if (action == TCloseAction::caMinimize) SetWindowState(TWindowState::wsMinimized);
    else Release();
}

void TCustomForm::Release() {
    if (FHandle) ::PostMessageW(FHandle, CM_RELEASE, 0, 0);
}

void TCustomForm::SetActiveControl(TWinControl* c) {
    if (c && c->HandleAllocated() && FActive) FocusControl(c);
    else FActiveControl = c;
}

void TCustomForm::FocusControl(TWinControl* c) {
    if (!c || !c->CanFocus()) return;
    FActiveControl = c;
    if (c->HandleAllocated() && ::IsWindowVisible(FHandle)) ::SetFocus(c->Handle());
}

// Focus arrived at a control: the control left gets CM_EXIT, then every control hears of it.
void TCustomForm::SetFocusedControl(TWinControl* c) {
    if (c == FActiveControl) {
        Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(c));
        return;
    }
    TWinControl* previous = FActiveControl;
    FActiveControl = c;
    if (previous) {
        previous->Perform(CM_EXIT);
        if (previous->OnExit) previous->OnExit(previous);
    }
    if (c) {
        c->Perform(CM_ENTER);
        if (c->OnEnter) c->OnEnter(c);
    }
    Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(c));
}

void TCustomForm::ControlRemoved(TWinControl* c) {
    if (FActiveControl == c) FActiveControl = nullptr;
}

void TCustomForm::SetBorderStyle(TFormBorderStyle v) {
    if (v == FBorderStyle) return;
    FBorderStyle = v;
    RecreateWnd();
}

void TCustomForm::SetBorderIcons(TBorderIcons v) {
    if (v == FBorderIcons) return;
    FBorderIcons = v;
    RecreateWnd();
}

void TCustomForm::SetWindowState(TWindowState v) {
    FWindowState = v;
    if (FHandle && FVisible)
        ::ShowWindow(FHandle, v == TWindowState::wsMaximized ? SW_MAXIMIZE : v == TWindowState::wsMinimized ? SW_MINIMIZE : SW_RESTORE);
}

void TCustomForm::SetMenu(TMainMenu* menu) {
    if (menu == FMenu) return;
    if (FMenu) {
        FMenu->RemoveFreeNotification(this);
        FMenu->SetWindow(nullptr);
    }
    FMenu = menu;
    if (FMenu) FMenu->FreeNotification(this);
    if (!FHandle) return;
    if (FMenu) FMenu->SetWindow(FHandle);
    else ::SetMenu(FHandle, nullptr);
}

void TCustomForm::Notification(TComponent* component, TOperation operation) {
    TWinControl::Notification(component, operation);
    if (operation != TOperation::opRemove || component != FMenu) return;
    // The menu is being destroyed (its handle already went with it): the window drops it.
    if (FHandle) ::SetMenu(FHandle, nullptr);
    FMenu = nullptr;
}

int TCustomForm::FormClientWidth() { return ClientWidth(); }
int TCustomForm::FormClientHeight() { return ClientHeight(); }

void TCustomForm::SetClientWidth(int v) {
    if (!FHandle) { FPendingClientWidth = v; return; }
    RECT c{}, w{};
    ::GetClientRect(FHandle, &c);
    ::GetWindowRect(FHandle, &w);
    SetBounds(FLeft, FTop, (w.right - w.left) - (c.right - c.left) + v, FHeight);
}

void TCustomForm::SetClientHeight(int v) {
    if (!FHandle) { FPendingClientHeight = v; return; }
    RECT c{}, w{};
    ::GetClientRect(FHandle, &c);
    ::GetWindowRect(FHandle, &w);
    SetBounds(FLeft, FTop, FWidth, (w.bottom - w.top) - (c.bottom - c.top) + v);
}

bool TCustomForm::DialogKey(TMessage& m) {
    bool shift = ::GetKeyState(VK_SHIFT) < 0;
    switch (m.WParam) {
    case VK_TAB:
        if (::GetKeyState(VK_CONTROL) < 0) return false;
        SelectNext(FActiveControl, !shift, true);
        return true;
    case VK_LEFT: case VK_UP:
        SelectNext(FActiveControl, false, false);
        return true;
    case VK_RIGHT: case VK_DOWN:
        SelectNext(FActiveControl, true, false);
        return true;
    }
    return false;
}

void TCustomForm::WndProc(TMessage& m) {
    switch (m.Msg) {
    case WM_CLOSE:
        Close();
        return;
    case WM_ACTIVATE: {
        bool active = LOWORD(m.WParam) != WA_INACTIVE;
        FActive = active;
        if (active) {
            if (Screen) Screen->SetActiveForm(this);
            if (OnActivate) OnActivate(this);
        } else if (OnDeactivate) {
            OnDeactivate(this);
        }
        TWinControl::WndProc(m);
        // Give the focus back to the control that had it.
        if (active && FActiveControl && FActiveControl->HandleAllocated() && !::IsIconic(FHandle))
            ::SetFocus(FActiveControl->Handle());
        return;
    }
    case WM_SETFOCUS:
        if (FActiveControl && FActiveControl != this && FActiveControl->HandleAllocated()) {
            ::SetFocus(FActiveControl->Handle());
            return;
        }
        break;
    case CM_RELEASE:
        delete this;
        return;
    case WM_COMMAND:
        // A menu command (no control window, notification 0) goes to the menu bar's item.
        if (m.LParam == 0 && HIWORD(m.WParam) == 0 && FMenu && FMenu->DispatchCommand(LOWORD(m.WParam))) return;
        break;
    case WM_MEASUREITEM:
        if (TMenu::MeasureItemMessage(*reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam))) {
            m.Result = TRUE;
            return;
        }
        break;
    case WM_DRAWITEM:
        if (TMenu::DrawItemMessage(*reinterpret_cast<const DRAWITEMSTRUCT*>(m.LParam))) {
            m.Result = TRUE;
            return;
        }
        break;
    case CM_VISIBLECHANGED:
        ShowingChanged(m.WParam != 0);
        return;
    case CM_DIALOGKEY:
        // Buttons take Enter and Esc first (default and cancel buttons); then navigation.
        Broadcast(m);
        if (m.Result == 0 && DialogKey(m)) m.Result = 1;
        return;
    }
    TWinControl::WndProc(m);
}

}  // namespace qx
