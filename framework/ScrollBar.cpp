#include "ScrollBar.h"

#include <algorithm>

namespace qx {

static const std::vector<std::wstring> kKindNames{L"sbHorizontal", L"sbVertical"};

QX_DEFINE_CLASS(TScrollBar, TWinControl, b) {
    b.Enum<TScrollBarKind>(L"Kind", kKindNames, &TScrollBar::Kind, &TScrollBar::SetKind);
    b.Integer(L"Min", &TScrollBar::Min, &TScrollBar::SetMin);
    b.Integer(L"Max", &TScrollBar::Max, &TScrollBar::SetMax);
    b.Integer(L"PageSize", &TScrollBar::PageSize, &TScrollBar::SetPageSize);
    b.Integer(L"Position", &TScrollBar::Position, &TScrollBar::SetPosition);
    b.Integer(L"SmallChange", &TScrollBar::SmallChange, &TScrollBar::SetSmallChange);
    b.Integer(L"LargeChange", &TScrollBar::LargeChange, &TScrollBar::SetLargeChange);
    b.Event(L"OnChange", &TScrollBar::OnChange);
    b.Event(L"OnScroll", &TScrollBar::OnScroll);
    b.Creatable();
}

TScrollBar::TScrollBar(TComponent* owner) : TWinControl(owner) {
    FWidth = 121;
    FHeight = ::GetSystemMetrics(SM_CYHSCROLL);
    FTabStop = true;
}

void TScrollBar::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    p.SysClassName = L"SCROLLBAR";
    p.Style |= FKind == TScrollBarKind::sbHorizontal ? SBS_HORZ : SBS_VERT;
}

void TScrollBar::HandleCreated() { WriteScrollInfo(); }

void TScrollBar::WriteScrollInfo() {
    if (!FHandle) return;
    SCROLLINFO info{sizeof(info), SIF_ALL | SIF_DISABLENOSCROLL};
    info.nMin = FMin;
    info.nMax = FMax;
    info.nPage = static_cast<UINT>(FPageSize);
    info.nPos = FPosition;
    ::SetScrollInfo(FHandle, SB_CTL, &info, TRUE);
}

int TScrollBar::HighestPosition() const { return std::max(FMin, FMax - std::max(FPageSize - 1, 0)); }

// Turning the bar keeps its length along the new axis.
void TScrollBar::SetKind(TScrollBarKind v) {
    if (v == FKind) return;
    FKind = v;
    if (!HasState(csLoading)) SetBounds(FLeft, FTop, FHeight, FWidth);
    RecreateWnd();
}

void TScrollBar::SetMin(int v) {
    FMin = v;
    if (FMax < FMin) FMax = FMin;
    if (!HasState(csLoading)) FPosition = std::clamp(FPosition, FMin, HighestPosition());
    WriteScrollInfo();
}

void TScrollBar::SetMax(int v) {
    FMax = v;
    if (FMin > FMax) FMin = FMax;
    if (!HasState(csLoading)) FPosition = std::clamp(FPosition, FMin, HighestPosition());
    WriteScrollInfo();
}

void TScrollBar::SetPageSize(int v) {
    FPageSize = std::clamp(v, 0, std::max(FMax - FMin + 1, 0));
    WriteScrollInfo();
}

void TScrollBar::SetPosition(int v) {
    if (!HasState(csLoading)) v = std::clamp(v, FMin, HighestPosition());
    if (v == FPosition) return;
    FPosition = v;
    WriteScrollInfo();
    if (OnChange && !HasState(csLoading)) OnChange(this);
}

void TScrollBar::Scroll(WORD code) {
    static const TScrollCode kCodes[] = {TScrollCode::scLineUp,  TScrollCode::scLineDown, TScrollCode::scPageUp,
                                         TScrollCode::scPageDown, TScrollCode::scPosition, TScrollCode::scTrack,
                                         TScrollCode::scTop,      TScrollCode::scBottom,   TScrollCode::scEndScroll};
    if (code > SB_ENDSCROLL) return;
    int position = FPosition;
    switch (code) {
    case SB_LINEUP: position -= FSmallChange; break;
    case SB_LINEDOWN: position += FSmallChange; break;
    case SB_PAGEUP: position -= FLargeChange; break;
    case SB_PAGEDOWN: position += FLargeChange; break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: {
        // The 32-bit track position; the message carries only 16 bits of it.
        SCROLLINFO info{sizeof(info), SIF_TRACKPOS};
        if (::GetScrollInfo(FHandle, SB_CTL, &info)) position = info.nTrackPos;
        break;
    }
    case SB_TOP: position = FMin; break;
    case SB_BOTTOM: position = FMax; break;
    }
    position = std::clamp(position, FMin, HighestPosition());
    if (OnScroll) OnScroll(this, kCodes[code], position);
    SetPosition(position);
}

void TScrollBar::WndProc(TMessage& m) {
    if (m.Msg == CN_HSCROLL || m.Msg == CN_VSCROLL) {
        Scroll(LOWORD(m.WParam));
        return;
    }
    TWinControl::WndProc(m);
}

}  // namespace qx
