#include "UpDown.h"

#include <algorithm>
#include <commctrl.h>

namespace qx {

static const std::vector<std::wstring> kOrientationNames{L"udVertical", L"udHorizontal"};
static const std::vector<std::wstring> kAlignButtonNames{L"udLeft", L"udRight"};

QX_DEFINE_CLASS(TUpDown, TWinControl, b) {
    b.Integer(L"Min", &TUpDown::Min, &TUpDown::SetMin);
    b.Integer(L"Max", &TUpDown::Max, &TUpDown::SetMax);
    b.Integer(L"Increment", &TUpDown::Increment, &TUpDown::SetIncrement);
    b.Integer(L"Position", &TUpDown::Position, &TUpDown::SetPosition);
    b.Enum<TUDOrientation>(L"Orientation", kOrientationNames, &TUpDown::Orientation, &TUpDown::SetOrientation);
    b.Enum<TUDAlignButton>(L"AlignButton", kAlignButtonNames, &TUpDown::AlignButton, &TUpDown::SetAlignButton);
    b.Boolean(L"Wrap", &TUpDown::Wrap, &TUpDown::SetWrap);
    b.Boolean(L"ArrowKeys", &TUpDown::ArrowKeys, &TUpDown::SetArrowKeys);
    b.Boolean(L"Thousands", &TUpDown::Thousands, &TUpDown::SetThousands);
    b.Object(L"Associate", &TUpDown::Associate,
             [](TUpDown& u, TObject* v) { u.SetAssociate(dynamic_cast<TWinControl*>(v)); });
    b.Event(L"OnClick", &TUpDown::OnClick);
    b.Event(L"OnChanging", &TUpDown::OnChanging);
    b.Creatable();
}

TUpDown::TUpDown(TComponent* owner) : TWinControl(owner) {
    FWidth = 17;
    FHeight = 21;
}

TUpDown::~TUpDown() {
    if (FAssociate) FAssociate->RemoveFreeNotification(this);
}

void TUpDown::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    p.SysClassName = UPDOWN_CLASSW;
    if (FOrientation == TUDOrientation::udHorizontal) p.Style |= UDS_HORZ;
    if (FWrap) p.Style |= UDS_WRAP;
    if (FArrowKeys) p.Style |= UDS_ARROWKEYS;
    if (!FThousands) p.Style |= UDS_NOTHOUSANDS;
    if (FAssociate) {
        p.Style |= UDS_SETBUDDYINT;
        // Beside its control the system places it; inside, PlaceInside does.
        if (!Embedded()) p.Style |= FAlignButton == TUDAlignButton::udLeft ? UDS_ALIGNLEFT : UDS_ALIGNRIGHT;
    }
}

void TUpDown::HandleCreated() {
    ApplyRange();
    UDACCEL accel{0, static_cast<UINT>(FIncrement)};
    ::SendMessageW(FHandle, UDM_SETACCEL, 1, reinterpret_cast<LPARAM>(&accel));
    ApplyBuddy();
    // Set after the buddy, so the buddy shows the position from the start.
    ::SendMessageW(FHandle, UDM_SETPOS32, 0, FPosition);
}

void TUpDown::ApplyRange() {
    if (FHandle) ::SendMessageW(FHandle, UDM_SETRANGE32, FMin, FMax);
}

void TUpDown::ApplyBuddy() {
    if (!FHandle || !FAssociate) return;
    if (Embedded()) PlaceInside();
    ::SendMessageW(FHandle, UDM_SETBUDDY, reinterpret_cast<WPARAM>(FAssociate->Handle()), 0);
}

// Inside an edit the up-down takes the inner edge of the client area; the edit clips it out of
// its own painting and stops its text before it.
void TUpDown::PlaceInside() {
    HWND edit = FAssociate->Handle();
    LONG_PTR style = ::GetWindowLongPtrW(edit, GWL_STYLE);
    if (!(style & WS_CLIPCHILDREN)) ::SetWindowLongPtrW(edit, GWL_STYLE, style | WS_CLIPCHILDREN);
    RECT client{};
    ::GetClientRect(edit, &client);
    int width = std::min<int>(FWidth, client.right);
    bool left = FAlignButton == TUDAlignButton::udLeft;
    SetBounds(left ? 0 : client.right - width, 0, width, client.bottom);
    ::SendMessageW(edit, EM_SETMARGINS, left ? EC_LEFTMARGIN : EC_RIGHTMARGIN,
                   left ? MAKELPARAM(width, 0) : MAKELPARAM(0, width));
}

// The error flag concerns reading the associated control's text; an up-down without one may
// report an error (Wine does) while its own position is still right.
int TUpDown::Position() {
    if (!FHandle) return FPosition;
    BOOL failed = FALSE;
    LRESULT pos = ::SendMessageW(FHandle, UDM_GETPOS32, 0, reinterpret_cast<LPARAM>(&failed));
    if (!failed || !FAssociate) FPosition = static_cast<int>(pos);
    return FPosition;
}

void TUpDown::SetPosition(int v) {
    if (!HasState(csLoading)) v = std::clamp(v, std::min(FMin, FMax), std::max(FMin, FMax));
    FPosition = v;
    if (FHandle) ::SendMessageW(FHandle, UDM_SETPOS32, 0, v);
}

void TUpDown::SetMin(int v) {
    FMin = v;
    ApplyRange();
}

void TUpDown::SetMax(int v) {
    FMax = v;
    ApplyRange();
}

void TUpDown::SetIncrement(int v) {
    FIncrement = std::max(v, 1);
    if (!FHandle) return;
    UDACCEL accel{0, static_cast<UINT>(FIncrement)};
    ::SendMessageW(FHandle, UDM_SETACCEL, 1, reinterpret_cast<LPARAM>(&accel));
}

void TUpDown::SetOrientation(TUDOrientation v) {
    if (v == FOrientation) return;
    FOrientation = v;
    RecreateWnd();
}

void TUpDown::SetAlignButton(TUDAlignButton v) {
    if (v == FAlignButton) return;
    FAlignButton = v;
    RecreateWnd();
}

void TUpDown::SetWrap(bool v) {
    if (v == FWrap) return;
    FWrap = v;
    RecreateWnd();
}

void TUpDown::SetArrowKeys(bool v) {
    if (v == FArrowKeys) return;
    FArrowKeys = v;
    RecreateWnd();
}

void TUpDown::SetThousands(bool v) {
    if (v == FThousands) return;
    FThousands = v;
    RecreateWnd();
}

void TUpDown::SetAssociate(TWinControl* v) {
    if (v == FAssociate || v == this) return;
    if (FAssociate) {
        if (Embedded() && FAssociate->HandleAllocated())
            ::SendMessageW(FAssociate->Handle(), EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
        FAssociate->RemoveFreeNotification(this);
    }
    FAssociate = v;
    if (v) v->FreeNotification(this);
    RecreateWnd();
}

void TUpDown::Notification(TComponent* component, TOperation operation) {
    TWinControl::Notification(component, operation);
    if (operation == TOperation::opRemove && component == FAssociate) FAssociate = nullptr;
}

bool TUpDown::DeltaPos(NMUPDOWN& change) {
    bool allow = true;
    if (OnChanging) OnChanging(this, allow);
    FPendingDelta = allow ? change.iDelta : 0;
    return allow;
}

void TUpDown::WndProc(TMessage& m) {
    switch (m.Msg) {
    case CN_NOTIFY: {
        auto* hdr = reinterpret_cast<NMHDR*>(m.LParam);
        if (hdr && hdr->code == UDN_DELTAPOS) {
            // A non-zero answer keeps the position where it is.
            m.Result = DeltaPos(*reinterpret_cast<NMUPDOWN*>(m.LParam)) ? 0 : 1;
            return;
        }
        break;
    }
    case CN_HSCROLL:
    case CN_VSCROLL:
        // The position has moved; SB_ENDSCROLL only closes the sequence. The direction is the
        // arrow's (from UDN_DELTAPOS), not the sign of the change, which a wrap reverses.
        // A press at the end of the range without wrapping moves nothing and is no click.
        if (LOWORD(m.WParam) == SB_THUMBPOSITION) {
            const int previous = FPosition;
            const bool moved = Position() != previous;
            if (OnClick && moved && FPendingDelta != 0)
                OnClick(this, FPendingDelta > 0 ? TUDBtnType::btNext : TUDBtnType::btPrev);
            FPendingDelta = 0;
        }
        return;
    }
    TWinControl::WndProc(m);
}

}  // namespace qx
