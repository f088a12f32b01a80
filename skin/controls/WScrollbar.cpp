#include "skin/controls/WScrollbar.h"

#include "skin/SkinMessages.h"
#include "skin/controls/SkinControl.h"
#include "skin/controls/SkinPropText.h"
#include "skin/data/SkinData.h"

#include <memory>

QX_DEFINE_CLASS(TWScrollbar, ::qx::TCustomControl, b) {}

TWScrollbar::TWScrollbar(qx::TComponent* owner) : qx::TCustomControl(owner) {
    FVisible = false;  // shown by Place once there is a bar to cover
    FTabStop = false;
    FButtonSize = ::GetSystemMetrics(SM_CXHSCROLL);
}

TWScrollbar::~TWScrollbar() { *FAlive = false; }

void TWScrollbar::CreateParams(qx::TCreateParams& p) {
    qx::TCustomControl::CreateParams(p);
    p.Style &= ~static_cast<DWORD>(WS_TABSTOP | WS_VISIBLE);
    p.ExStyle |= WS_EX_TOOLWINDOW;
}

//--- attaching

void TWScrollbar::AttachControl(TSkinControl* wrapper, qx::TWinControl* control, int kind) {
    FTargetControl = control;
    FOrientation = kind;
    // A scroll-bar control says its own direction.
    if (kind == okControl) FOrientation = LowerText(PropText(*control, L"Kind")) == L"sbhorizontal" ? 0 : 1;
    const qx::TColor face = wrapper && wrapper->SkinData() ? wrapper->SkinData()->ButtonFace : qx::clBtnFace;
    SetColor(control->Parent() ? control->Parent()->Color() : face);
    Bind(wrapper, control->Handle(), kind);
}

void TWScrollbar::AttachRawWindow(TSkinControl* wrapper, HWND window, int kind) {
    FTargetControl = nullptr;
    FOrientation = kind == okHorizontal ? 0 : 1;
    Bind(wrapper, window, kind);
}

void TWScrollbar::Bind(TSkinControl* wrapper, HWND window, int kind) {
    FWrapper = wrapper;
    FTarget = window;
    FKind = kind;
    if (!window || !::IsWindow(window)) return;
    SetParentWindow(::GetParent(window));
    HandleNeeded();
    Place(window);
}

//--- the bar's geometry

bool TWScrollbar::ReadBar(TBarInfo& info) const {
    if (!FTarget || !::IsWindow(FTarget)) return false;
    if (FKind == okControl) {
        RECT r{};
        if (!::GetWindowRect(FTarget, &r)) return false;
        ::MapWindowPoints(nullptr, ::GetParent(FTarget), reinterpret_cast<POINT*>(&r), 2);
        SCROLLINFO si{sizeof(si), SIF_ALL};
        if (!::GetScrollInfo(FTarget, SB_CTL, &si)) return false;
        info.Bar = r;
        const int length = FOrientation == 1 ? r.bottom - r.top : r.right - r.left;
        info.Thumb = ControlThumb(length, FButtonSize, si.nMax, static_cast<int>(si.nPage), si.nPos);
        SCROLLBARINFO sbi{sizeof(sbi)};
        info.State = ::GetScrollBarInfo(FTarget, OBJID_CLIENT, &sbi) ? sbi.rgstate[0] : 0;
    } else {
        SCROLLBARINFO sbi{sizeof(sbi)};
        if (!::GetScrollBarInfo(FTarget, FKind == okVertical ? OBJID_VSCROLL : OBJID_HSCROLL, &sbi)) return false;
        info.Bar = sbi.rcScrollBar;
        info.State = sbi.rgstate[0];
        info.Thumb = {sbi.xyThumbTop, sbi.xyThumbBottom};
    }
    // A disabled window's bars are disabled too, whatever the bar itself says.
    if (!::IsWindowEnabled(FTarget)) info.State |= STATE_SYSTEM_UNAVAILABLE;
    return true;
}

TScrollbarLook TWScrollbar::Look() const {
    TScrollbarLook look;
    TSkinData* skin = FWrapper ? FWrapper->SkinData() : nullptr;
    if (!skin) return look;
    look.Arrows = skin->Scrollbar.get();
    look.Track = Vertical() ? skin->VertScroll.get() : skin->HorzScroll.get();
    look.Thumb = Vertical() ? skin->VertScrollThumb.get() : skin->HorzScrollThumb.get();
    look.Face = qx::ColorToRGB(skin->ButtonFace);
    return look;
}

bool TWScrollbar::SkinUsable() const { return ScrollbarLookUsable(Look()); }

int TWScrollbar::HitTest(POINT p) const {
    return ScrollHitTest(Vertical() ? p.y : p.x, FLength, FButtonSize, {FThumbStart, FThumbEnd});
}

//--- following the target

// A skin without the arrow strip cannot draw a bar: the overlay then stays hidden and the
// system's own bar shows, so the control keeps a working, visible scroll bar
// (ScrollOverlayTest.SkinWithoutImagesLeavesTheSystemBars).
void TWScrollbar::Place(HWND target) {
    FTarget = target;
    TBarInfo info;
    if (!ReadBar(info)) return;
    const bool visible = (::GetWindowLongPtrW(target, GWL_STYLE) & WS_VISIBLE) != 0;
    if (!visible || (info.State & STATE_SYSTEM_INVISIBLE) || !SkinUsable()) {
        HideBar();
        return;
    }
    const HWND parent = ::GetParent(target);
    if (!HandleAllocated() || ::GetParent(Handle()) != parent) SetParentWindow(parent);
    RECT place = info.Bar;  // in the parent's client coordinates
    if (FKind == okControl) {
        FBarRect = {0, 0, place.right - place.left, place.bottom - place.top};
        RECT screen{};
        ::GetWindowRect(target, &screen);
        FBarOrigin = {screen.left, screen.top};
    } else {
        FBarRect = info.Bar;
        ::MapWindowPoints(nullptr, target, reinterpret_cast<POINT*>(&FBarRect), 2);
        FBarOrigin = {info.Bar.left, info.Bar.top};
        ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&place), 2);
    }
    FLength = Vertical() ? place.bottom - place.top : place.right - place.left;
    FShown = true;
    // Directly above the target in Z-order, so the target's clipping keeps the system's bar
    // from ever painting through.
    const HWND self = Handle();
    HWND after = ::GetWindow(target, GW_HWNDPREV);
    UINT flags = SWP_NOACTIVATE | SWP_SHOWWINDOW;
    if (after == self) flags |= SWP_NOZORDER;
    if (!after) after = HWND_TOP;
    ::SetWindowPos(self, after, place.left, place.top, place.right - place.left, place.bottom - place.top, flags);
    ::MoveWindow(self, place.left, place.top, place.right - place.left, place.bottom - place.top, TRUE);
}

void TWScrollbar::HideBar() {
    FShown = false;
    if (HandleAllocated() && ::IsWindowVisible(Handle()))
        ::SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                       SWP_HIDEWINDOW | SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
}

void TWScrollbar::RepaintBar() {
    if (!HandleAllocated()) return;
    ::InvalidateRect(Handle(), nullptr, FALSE);
    ::UpdateWindow(Handle());
}

namespace {

SCROLLINFO ReadScrollInfo(HWND target, int kind) {
    SCROLLINFO si{sizeof(si), SIF_RANGE | SIF_PAGE | SIF_POS};
    const int bar = kind == okControl ? SB_CTL : kind == okVertical ? SB_VERT : SB_HORZ;
    if (!target || !::GetScrollInfo(target, bar, &si)) si.fMask = 0;
    return si;
}

bool SameScroll(const SCROLLINFO& a, const SCROLLINFO& b) {
    return a.fMask == b.fMask && a.nMin == b.nMin && a.nMax == b.nMax && a.nPage == b.nPage && a.nPos == b.nPos;
}

}  // namespace

void TWScrollbar::RepaintIfMoved() {
    if (!FShown || FPressing) return;
    const bool enabled = FTarget && ::IsWindowEnabled(FTarget);
    if (!SameScroll(ReadScrollInfo(FTarget, FKind), FPainted) || enabled != FPaintedEnabled) RepaintBar();
}

//--- mouse

// The press goes on to the real bar: the system's scroll tracking runs inside the SendMessage
// until the button comes up, and the scrolled window's wrapper repaints this overlay from the
// scroll messages it hears meanwhile.
void TWScrollbar::Press(qx::TMessage& m) {
    qx::TCustomControl::WndProc(m);
    POINT p{static_cast<short>(LOWORD(m.LParam)), static_cast<short>(HIWORD(m.LParam))};
    TBarInfo info;
    if (ReadBar(info)) {
        FThumbStart = info.Thumb.Start;
        FThumbEnd = info.Thumb.End;
        FPressThumbStart = info.Thumb.Start;
    }
    if (FKind == okControl) {
        FScrollCode = HitTest(p);
    } else {
        p.x += FBarOrigin.x;
        p.y += FBarOrigin.y;
    }
    FPressPoint = p;
    FPressing = true;
    if (FKind == okControl) RepaintBar();
    ::ReleaseCapture();
    // Whatever the scroll handlers do may free this overlay (a form closed from OnScroll).
    const std::shared_ptr<bool> alive = FAlive;
    const HWND target = FTarget;
    if (FKind == okControl)
        ::SendMessageW(target, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
    else
        ::SendMessageW(target, WM_NCLBUTTONDOWN, FKind == okVertical ? HTVSCROLL : HTHSCROLL, MAKELPARAM(p.x, p.y));
    if (!*alive) return;
    FPressing = false;
    ::ReleaseCapture();
    RepaintBar();
}

void TWScrollbar::Release(qx::TMessage& m) {
    qx::TCustomControl::WndProc(m);
    POINT p{static_cast<short>(LOWORD(m.LParam)), static_cast<short>(HIWORD(m.LParam))};
    FPressing = false;
    ::ReleaseCapture();
    if (FKind == okControl) {
        ::PostMessageW(FTarget, WM_LBUTTONUP, MK_LBUTTON, MAKELPARAM(p.x, p.y));
        RepaintBar();
    } else {
        p.x += FBarOrigin.x;
        p.y += FBarOrigin.y;
        ::PostMessageW(FTarget, WM_NCLBUTTONUP, FKind == okVertical ? HTVSCROLL : HTHSCROLL, MAKELPARAM(p.x, p.y));
    }
}

// While the system tracks the thumb the drawn thumb follows the cursor itself: the target only
// learns the new position when it scrolls, which may lag or move in whole lines.
void TWScrollbar::TrackThumb() {
    POINT cursor{};
    ::GetCursorPos(&cursor);
    const int delta = Vertical() ? cursor.y - FPressPoint.y : cursor.x - FPressPoint.x;
    const TThumbExtent t = DragThumb(FPressThumbStart, delta, FThumbEnd - FThumbStart, FLength, FButtonSize);
    FThumbStart = t.Start;
    FThumbEnd = t.End;
}

//--- painting

bool TWScrollbar::PaintBar(HDC dc) {
    const TScrollbarLook look = Look();
    if (!ScrollbarLookUsable(look)) return false;
    TBarInfo info;
    if (!ReadBar(info) || (info.State & STATE_SYSTEM_INVISIBLE)) return false;
    const int width = info.Bar.right - info.Bar.left, height = info.Bar.bottom - info.Bar.top;
    if (width < 0 || height < 0) return false;
    FLength = Vertical() ? height : width;
    if (FKind != okControl && FScrollCode == kScrollThumbTrack) {
        // The thumb keeps the length the system gives it; only its place follows the cursor.
        const int thumbLength = info.Thumb.End - info.Thumb.Start;
        FThumbEnd = FThumbStart + thumbLength;
        TrackThumb();
    } else {
        FThumbStart = info.Thumb.Start;
        FThumbEnd = info.Thumb.End;
    }
    TScrollbarPaintState s;
    s.Vertical = Vertical();
    s.Width = width;
    s.Height = height;
    s.ButtonSize = FButtonSize;
    s.Enabled = (info.State & STATE_SYSTEM_UNAVAILABLE) == 0;
    s.FirstPressed = FPressing && FScrollCode == kScrollLineUp;
    s.SecondPressed = FPressing && FScrollCode == kScrollLineDown;
    s.ThumbDragged = FPressing && FScrollCode == kScrollThumbTrack;
    s.Thumb = {FThumbStart, FThumbEnd};
    FPainted = ReadScrollInfo(FTarget, FKind);
    FPaintedEnabled = ::IsWindowEnabled(FTarget) != FALSE;
    return PaintSkinScrollbar(dc, look, s);
}

void TWScrollbar::PaintWindow(HDC dc) {
    try {
        PaintBar(dc);
    } catch (...) {
        // A broken skin leaves the overlay's last picture; the scroll bar keeps working.
    }
}

void TWScrollbar::WndProc(qx::TMessage& m) {
    switch (m.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: Press(m); return;
    case WM_LBUTTONUP: Release(m); return;
    case WM_ERASEBKGND: m.Result = 1; return;
    case SKN_QUERY: m.Result = 1; return;
    }
    qx::TCustomControl::WndProc(m);
}
