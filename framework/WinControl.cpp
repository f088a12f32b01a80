#include "Controls.h"
#include "Forms.h"
#include "Menus.h"
#include "PrintWindows.h"
#include "WindowText.h"

#include <algorithm>
#include <map>
#include <stdexcept>

namespace qx {

namespace {

// The control whose window is being created on this thread: the first message of the new
// window claims it (some messages arrive before WM_NCCREATE).
thread_local TWinControl* gCreationControl = nullptr;

// Original window procedures of the system classes our classes superclass.
std::map<std::wstring, WNDPROC>& SuperclassProcs() {
    static std::map<std::wstring, WNDPROC> procs;
    return procs;
}

HWND ChildFromMessage(const TMessage& m) {
    switch (m.Msg) {
    case WM_NOTIFY: return m.LParam ? reinterpret_cast<NMHDR*>(m.LParam)->hwndFrom : nullptr;
    case WM_DRAWITEM: {
        auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(m.LParam);
        return dis && dis->CtlType != ODT_MENU ? dis->hwndItem : nullptr;
    }
    case WM_MEASUREITEM: return nullptr;
    default: return reinterpret_cast<HWND>(m.LParam);
    }
}

}  // namespace

LRESULT CALLBACK InitWndProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) noexcept {
    TWinControl* control = gCreationControl;
    if (!control) return ::DefWindowProcW(wnd, msg, wp, lp);
    gCreationControl = nullptr;
    control->FHandle = wnd;
    ::SetPropW(wnd, MAKEINTATOM(ControlAtom()), control);
    ::SetWindowLongPtrW(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(control->FObjectInstance));
    return ::CallWindowProcW(control->FObjectInstance, wnd, msg, wp, lp);
}

//--- TWinControl

QX_DEFINE_CLASS(TWinControl, TControl, b) {
    b.Integer(L"TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder);
    b.Boolean(L"TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop);
    b.Boolean(L"DoubleBuffered", &TWinControl::DoubleBuffered, &TWinControl::SetDoubleBuffered);
    b.Event(L"OnEnter", &TWinControl::OnEnter);
    b.Event(L"OnExit", &TWinControl::OnExit);
    b.Event(L"OnKeyDown", &TWinControl::OnKeyDown);
}

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {
    FObjectInstance = MakeObjectInstance(TWndMethod::Of<&TWinControl::MainWndProc>(this));
    FBrush.SetColor(FColor);
    FBrush.OnChange = TNotifyEvent::Of<&TWinControl::ColorChanged>(this);
}

TWinControl::~TWinControl() {
    Destroying();
    // A parent frees the controls it holds, last inserted first.
    while (!FControls.empty()) {
        TControl* c = FControls.back();
        RemoveControl(c);
        delete c;
    }
    if (FParent) FParent->RemoveControl(this);
    DestroyHandle();
    FreeObjectInstance(FObjectInstance);
}

void TWinControl::ColorChanged(TObject*) {}

HWND TWinControl::Handle() {
    if (!FHandle && !FCreatingHandle) {
        if (FParent) FParent->HandleNeeded();
        if (FHandle) return FHandle;  // the parent created ours with its children
        FCreatingHandle = true;
        try {
            CreateWnd();
        } catch (...) {
            FCreatingHandle = false;
            throw;
        }
        FCreatingHandle = false;
        CreateHandleChildren();
        UpdateShowing();
    }
    return FHandle;
}

void TWinControl::SetParentWindow(HWND wnd) {
    FParentWindow = wnd;
    if (FHandle && !FParent) ::SetParent(FHandle, wnd);
}

void TWinControl::CreateParams(TCreateParams& p) {
    p.Caption = FText;
    p.Style = WS_CHILD | WS_CLIPSIBLINGS;
    if (FVisible) p.Style |= WS_VISIBLE;
    if (!FEnabled) p.Style |= WS_DISABLED;
    if (FTabStop) p.Style |= WS_TABSTOP;
    p.X = FLeft;
    p.Y = FTop;
    p.Width = FWidth;
    p.Height = FHeight;
    p.WndParent = FParent ? FParent->Handle() : FParentWindow;
    p.Cursor = ::LoadCursorW(nullptr, IDC_ARROW);
    p.WinClassName = ClassName();
}

void TWinControl::CreateWnd() {
    TCreateParams p;
    CreateParams(p);
    HINSTANCE inst = ::GetModuleHandleW(nullptr);
    WNDCLASSEXW existing{sizeof(existing)};
    if (!::GetClassInfoExW(inst, p.WinClassName.c_str(), &existing)) {
        WNDCLASSEXW wc{sizeof(wc)};
        if (!p.SysClassName.empty()) {
            if (!::GetClassInfoExW(nullptr, p.SysClassName.c_str(), &wc))
                throw std::runtime_error("system window class not found");
            SuperclassProcs()[p.WinClassName] = wc.lpfnWndProc;
            wc.cbSize = sizeof(wc);
        } else {
            wc.style = p.WindowClassStyle;
            wc.hCursor = p.Cursor;
            wc.hbrBackground = p.Background;
            SuperclassProcs()[p.WinClassName] = &::DefWindowProcW;
        }
        wc.lpfnWndProc = &InitWndProc;
        wc.hInstance = inst;
        wc.lpszClassName = p.WinClassName.c_str();
        if (!::RegisterClassExW(&wc)) throw std::runtime_error("cannot register window class");
    }
    FDefWndProc = SuperclassProcs()[p.WinClassName];
    if (!FDefWndProc) FDefWndProc = &::DefWindowProcW;
    gCreationControl = this;
    CreateWindowHandle(p);
    gCreationControl = nullptr;
    if (!FHandle) throw std::runtime_error("cannot create window");
    ::SendMessageW(FHandle, WM_SETFONT, reinterpret_cast<WPARAM>(FFont.Handle()), 0);
    HandleCreated();
}

void TWinControl::CreateWindowHandle(const TCreateParams& p) {
    ::CreateWindowExW(p.ExStyle, p.WinClassName.c_str(), p.Caption.c_str(), p.Style, p.X, p.Y, p.Width, p.Height,
                      p.WndParent, nullptr, ::GetModuleHandleW(nullptr), p.Param);
}

void TWinControl::CreateHandleChildren() {
    for (TControl* c : std::vector<TControl*>(FControls))
        if (auto* w = dynamic_cast<TWinControl*>(c)) w->HandleNeeded();
    Realign();
}

void TWinControl::DestroyWnd() {
    if (FHandle) {
        FText = GetText();
        ::DestroyWindow(FHandle);
    }
}

void TWinControl::DestroyHandle() {
    if (!FHandle) return;
    for (TControl* c : FControls)
        if (auto* w = dynamic_cast<TWinControl*>(c)) w->DestroyHandle();
    DestroyWnd();
    FHandle = nullptr;
}

void TWinControl::RecreateWnd() {
    if (!FHandle) return;
    Perform(CM_RECREATEWND);
}

void TWinControl::UpdateShowing() {
    if (!FHandle || FParent == nullptr) return;  // top-level windows are shown by their form
    ::ShowWindow(FHandle, FVisible ? SW_SHOWNA : SW_HIDE);
}

//--- children

void TWinControl::InsertControl(TControl* c) {
    c->FParent = this;
    FControls.push_back(c);
    if (auto* w = dynamic_cast<TWinControl*>(c)) {
        FTabList.push_back(w);
        if (FHandle) w->HandleNeeded();
    }
    c->Invalidate();
}

void TWinControl::RemoveControl(TControl* c) {
    c->Invalidate();
    FControls.erase(std::remove(FControls.begin(), FControls.end(), c), FControls.end());
    if (auto* w = dynamic_cast<TWinControl*>(c)) {
        FTabList.erase(std::remove(FTabList.begin(), FTabList.end(), w), FTabList.end());
        if (auto* form = GetParentForm(this)) form->ControlRemoved(w);
    }
    c->FParent = nullptr;
}

void TWinControl::Broadcast(TMessage& m) {
    for (TControl* c : std::vector<TControl*>(FControls)) {
        c->WindowProc(m);
        if (m.Result != 0) return;
    }
}

TControl* TWinControl::ControlAtPos(POINT p, bool allowDisabled) {
    for (auto it = FControls.rbegin(); it != FControls.rend(); ++it) {
        TControl* c = *it;
        RECT r = c->BoundsRect();
        if (c->Visible() && (allowDisabled || c->Enabled()) && ::PtInRect(&r, p)) return c;
    }
    return nullptr;
}

void TWinControl::Realign() {
    RECT area = AlignArea();
    for (TControl* c : FControls) {
        if (c->Align() == TAlign::alNone || !c->Visible()) continue;
        int w = area.right - area.left, h = area.bottom - area.top;
        switch (c->Align()) {
        case TAlign::alTop: c->SetBounds(area.left, area.top, w, c->Height()); area.top += c->Height(); break;
        case TAlign::alBottom: c->SetBounds(area.left, area.bottom - c->Height(), w, c->Height()); area.bottom -= c->Height(); break;
        case TAlign::alLeft: c->SetBounds(area.left, area.top, c->Width(), h); area.left += c->Width(); break;
        case TAlign::alRight: c->SetBounds(area.right - c->Width(), area.top, c->Width(), h); area.right -= c->Width(); break;
        case TAlign::alClient: c->SetBounds(area.left, area.top, w, h); break;
        default: break;
        }
    }
}

//--- tab order and focus

int TWinControl::TabOrder() {
    if (!FParent) return -1;
    auto& list = FParent->FTabList;
    auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

void TWinControl::SetTabOrder(int order) {
    if (!FParent) return;
    auto& list = FParent->FTabList;
    auto it = std::find(list.begin(), list.end(), this);
    if (it == list.end()) return;
    list.erase(it);
    order = std::clamp(order, 0, static_cast<int>(list.size()));
    list.insert(list.begin() + order, this);
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& list) {
    for (TWinControl* w : FTabList) {
        list.push_back(w);
        w->GetTabOrderList(list);
    }
}

TWinControl* TWinControl::FindNextControl(TWinControl* current, bool forward, bool checkTabStop, bool checkParent) {
    std::vector<TWinControl*> list;
    GetTabOrderList(list);
    if (list.empty()) return nullptr;
    int n = static_cast<int>(list.size());
    auto it = std::find(list.begin(), list.end(), current);
    int start = it == list.end() ? (forward ? n - 1 : 0) : static_cast<int>(it - list.begin());
    int i = start;
    for (int step = 0; step < n; ++step) {
        i = forward ? (i + 1) % n : (i - 1 + n) % n;
        TWinControl* c = list[i];
        if (c == current) break;
        if ((!checkTabStop || c->TabStop()) && (!checkParent || c->Parent() == this) && c->CanFocus()) return c;
    }
    return nullptr;
}

void TWinControl::SelectNext(TWinControl* current, bool forward, bool checkTabStop) {
    if (TWinControl* next = FindNextControl(current, forward, checkTabStop, false)) next->SetFocus();
}

bool TWinControl::CanFocus() {
    for (TControl* c = this; c; c = c->Parent())
        if (!c->Visible() || !c->Enabled()) return false;
    return true;
}

bool TWinControl::Focused() { return FHandle && ::GetFocus() == FHandle; }

void TWinControl::SetFocus() {
    if (TCustomForm* form = GetParentForm(this); form && form != this) form->FocusControl(this);
    else if (HandleAllocated()) ::SetFocus(FHandle);
}

//--- geometry and text

RECT TWinControl::ClientRect() {
    RECT r{0, 0, FWidth, FHeight};
    if (FHandle) ::GetClientRect(FHandle, &r);
    return r;
}

void TWinControl::SetBounds(int left, int top, int width, int height) {
    bool resized = width != FWidth || height != FHeight;
    FLeft = left;
    FTop = top;
    FWidth = width;
    FHeight = height;
    if (FHandle) ::SetWindowPos(FHandle, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    if (resized) Realign();
}

std::wstring TWinControl::GetText() {
    if (!FHandle) return FText;
    return WindowTextOf(FHandle);
}

void TWinControl::SetText(const std::wstring& s) {
    if (!FHandle) return TControl::SetText(s);
    if (s == GetText()) return;
    FText = s;
    ::SetWindowTextW(FHandle, s.c_str());
    Perform(CM_TEXTCHANGED);
}

void TWinControl::Invalidate() {
    if (FHandle) ::InvalidateRect(FHandle, nullptr, TRUE);
}

void TWinControl::Update() {
    if (FHandle) ::UpdateWindow(FHandle);
}

void TWinControl::Repaint() {
    if (!FHandle) return;
    ::RedrawWindow(FHandle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void TWinControl::SetEnabled(bool v) {
    if (v == FEnabled) return;
    FEnabled = v;
    Perform(CM_ENABLEDCHANGED);
}

void TWinControl::SetParentBackground(bool v) {
    if (v == FParentBackground) return;
    FParentBackground = v;
    Invalidate();
}

//--- painting

void TWinControl::PaintWindow(HDC dc) {
    TMessage m{WM_PAINT, reinterpret_cast<WPARAM>(dc), 0, 0};
    DefaultHandler(m);
}

void TWinControl::PaintControls(HDC dc) {
    for (TControl* c : FControls)
        if (auto* g = dynamic_cast<TGraphicControl*>(c); g && g->Visible()) {
            RECT r = g->BoundsRect(), clip{};
            if (::GetClipBox(dc, &clip) == NULLREGION || ::IntersectRect(&clip, &clip, &r)) g->PaintTo(dc);
        }
}

void TWinControl::PaintHandler(TMessage& m) {
    if (m.WParam) {  // WM_PRINTCLIENT or a paint with a given DC
        HDC dc = reinterpret_cast<HDC>(m.WParam);
        PaintWindow(dc);
        PaintControls(dc);
        return;
    }
    PaintDc paint(FHandle);
    PaintWindow(paint.get());
    PaintControls(paint.get());
}

void TWinControl::PrintHandler(TMessage& m) {
    HDC dc = reinterpret_cast<HDC>(m.WParam);
    LPARAM flags = m.LParam;
    if ((flags & PRF_CHECKVISIBLE) && !::IsWindowVisible(FHandle)) return;
    DcStateGuard state(dc);
    if (flags & PRF_NONCLIENT) {
        TMessage frame{WM_PRINT, m.WParam, PRF_NONCLIENT, 0};
        DefaultHandler(frame);
        // The client area starts where the frame ends.
        RECT window{};
        POINT origin{0, 0};
        ::GetWindowRect(FHandle, &window);
        ::ClientToScreen(FHandle, &origin);
        ::OffsetViewportOrgEx(dc, origin.x - window.left, origin.y - window.top, nullptr);
    }
    RECT client{};
    ::GetClientRect(FHandle, &client);
    ::IntersectClipRect(dc, 0, 0, client.right, client.bottom);
    if (flags & PRF_ERASEBKGND) ::SendMessageW(FHandle, WM_ERASEBKGND, m.WParam, 0);
    if (flags & PRF_CLIENT) ::SendMessageW(FHandle, WM_PRINTCLIENT, m.WParam, flags);
    if (flags & PRF_CHILDREN) PrintChildWindows(FHandle, dc, flags);
}

LRESULT TWinControl::CtlColor(HDC dc) {
    ::SetTextColor(dc, ColorToRGB(FFont.Color()));
    ::SetBkColor(dc, ColorToRGB(FBrush.Color()));
    return reinterpret_cast<LRESULT>(FBrush.Handle());
}

//--- messages

void TWinControl::MainWndProc(TMessage& m) {
    HWND wnd = FHandle;
    try {
        WindowProc(m);
    } catch (...) {
        if (Application) Application->HandleException(this);
    }
    if (m.Msg == WM_NCDESTROY && wnd) {
        ::RemovePropW(wnd, MAKEINTATOM(ControlAtom()));
        if (FHandle == wnd) FHandle = nullptr;
    }
}

void TWinControl::DefaultHandler(TMessage& m) {
    if (!FHandle) return TControl::DefaultHandler(m);
    m.Result = ::CallWindowProcW(FDefWndProc, FHandle, m.Msg, m.WParam, m.LParam);
}

bool TWinControl::HandleKey(TMessage& m) {
    WORD key = static_cast<WORD>(m.WParam);
    if (OnKeyDown) {
        OnKeyDown(this, key, 0);
        if (key == 0) return true;
    }
    // The form's menu shortcuts come before the dialog keys.
    if (TCustomForm* form = GetParentForm(this); form && form->Menu() && key <= 0xFF) {
        if (form->Menu()->IsShortCut(ShortCut(static_cast<std::uint8_t>(key), ShortCutModifiersNow()))) return true;
    }
    UINT want = 0;
    switch (key) {
    case VK_TAB: want = DLGC_WANTTAB; break;
    case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN: want = DLGC_WANTARROWS; break;
    case VK_RETURN: case VK_EXECUTE: case VK_ESCAPE: case VK_CANCEL: want = DLGC_WANTALLKEYS; break;
    default: return false;
    }
    if (::SendMessageW(FHandle, WM_GETDLGCODE, 0, 0) & want) return false;
    TCustomForm* form = GetParentForm(this);
    return form && form->Perform(CM_DIALOGKEY, key, m.LParam) != 0;
}

void TWinControl::WndProc(TMessage& m) {
    switch (m.Msg) {
    case WM_PAINT:
        if (FControls.empty() && FDefWndProc != &::DefWindowProcW) break;
        PaintHandler(m);
        return;
    case WM_PRINT:
        if (FDefWndProc != &::DefWindowProcW) break;
        PrintHandler(m);
        return;
    case WM_PRINTCLIENT:
        if (FDefWndProc != &::DefWindowProcW) break;
        PaintHandler(m);
        return;
    case WM_ERASEBKGND:
        if (FDefWndProc != &::DefWindowProcW) break;
        if (!FParentBackground) {
            RECT r = ClientRect();
            ::FillRect(reinterpret_cast<HDC>(m.WParam), &r, FBrush.Handle());
        }
        m.Result = 1;
        return;
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_DRAWITEM:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSCROLLBAR:
        if (HWND child = ChildFromMessage(m); child && child != FHandle)
            if (TWinControl* c = FindControl(child)) {
                m.Result = c->Perform(CN_BASE + m.Msg, m.WParam, m.LParam);
                return;
            }
        break;
    case CN_CTLCOLORBTN:
    case CN_CTLCOLOREDIT:
    case CN_CTLCOLORSTATIC:
    case CN_CTLCOLORLISTBOX:
    case CN_CTLCOLORSCROLLBAR:
        m.Result = CtlColor(reinterpret_cast<HDC>(m.WParam));
        return;
    case CN_KEYDOWN:
    case CN_SYSKEYDOWN:
        m.Result = HandleKey(m) ? 1 : 0;
        return;
    case CN_CHAR:
    case CN_SYSCHAR:
        // Alt+letter, or a letter typed in a control that takes no characters: accelerators.
        if (m.Msg == CN_SYSCHAR || !(::SendMessageW(FHandle, WM_GETDLGCODE, 0, 0) & DLGC_WANTCHARS))
            if (TCustomForm* form = GetParentForm(this)) m.Result = form->Perform(CM_DIALOGCHAR, m.WParam, m.LParam);
        return;
    case WM_SETFOCUS:
        if (TCustomForm* form = GetParentForm(this); form && form != this) form->SetFocusedControl(this);
        break;
    case WM_MOUSEMOVE:
        if (!FMouseInControl) {
            FMouseInControl = true;
            TRACKMOUSEEVENT tme{sizeof(tme), TME_LEAVE, FHandle, 0};
            ::TrackMouseEvent(&tme);
            Perform(CM_MOUSEENTER, 0, reinterpret_cast<LPARAM>(this));
        }
        break;
    case WM_MOUSELEAVE:
        if (FMouseInControl) {
            FMouseInControl = false;
            Perform(CM_MOUSELEAVE, 0, reinterpret_cast<LPARAM>(this));
        }
        break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
        // Mouse messages over a graphic child go to it, in its coordinates.
        if (TControl* c = ControlAtPos({static_cast<short>(m.LParamLo()), static_cast<short>(m.LParamHi())}, false);
            c && dynamic_cast<TGraphicControl*>(c)) {
            POINT p{static_cast<short>(m.LParamLo()) - c->Left(), static_cast<short>(m.LParamHi()) - c->Top()};
            c->Perform(m.Msg, m.WParam, MAKELPARAM(p.x, p.y));
        }
        break;
    case WM_WINDOWPOSCHANGED: {
        auto* wp = reinterpret_cast<WINDOWPOS*>(m.LParam);
        if (!(wp->flags & SWP_NOMOVE)) { FLeft = wp->x; FTop = wp->y; }
        if (!(wp->flags & SWP_NOSIZE)) {
            bool resized = wp->cx != FWidth || wp->cy != FHeight;
            FWidth = wp->cx;
            FHeight = wp->cy;
            if (resized) Realign();
        }
        break;
    }
    case CM_ENABLEDCHANGED:
        if (FHandle) {
            ::EnableWindow(FHandle, FEnabled);
            // Skinned children draw a disabled container's look: let them paint again.
            ::RedrawWindow(FHandle, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
        }
        return;
    case CM_VISIBLECHANGED:
        UpdateShowing();
        return;
    case CM_FONTCHANGED:
        if (FHandle) ::SendMessageW(FHandle, WM_SETFONT, reinterpret_cast<WPARAM>(FFont.Handle()), TRUE);
        for (TControl* c : FControls) c->Perform(CM_PARENTFONTCHANGED);
        return;
    case CM_COLORCHANGED:
        FBrush.SetColor(FColor);
        for (TControl* c : FControls) c->Perform(CM_PARENTCOLORCHANGED);
        Invalidate();
        return;
    case CM_RECREATEWND: {
        bool focused = Focused();
        DestroyHandle();
        HandleNeeded();
        if (focused) SetFocus();
        return;
    }
    case CM_FOCUSCHANGED:
    case CM_DIALOGKEY:
    case CM_DIALOGCHAR:
        Broadcast(m);
        return;
    }
    TControl::WndProc(m);
}

//--- TCustomControl

QX_DEFINE_CLASS(TCustomControl, TWinControl, b) {}

TCustomControl::TCustomControl(TComponent* owner) : TWinControl(owner) {}

void TCustomControl::PaintWindow(HDC dc) {
    FCanvas.SetHandle(dc);
    Paint();
    FCanvas.SetHandle(nullptr);
}

}  // namespace qx
