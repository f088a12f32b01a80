#include "TrackBar.h"
#include "CommonControls.h"

#include <algorithm>
#include <commctrl.h>

namespace qx {

static const std::vector<std::wstring> kOrientationNames{L"trHorizontal", L"trVertical"};
static const std::vector<std::wstring> kTickMarkNames{L"tmBottomRight", L"tmTopLeft", L"tmBoth"};
static const std::vector<std::wstring> kTickStyleNames{L"tsNone", L"tsAuto", L"tsManual"};

QX_DEFINE_CLASS(TTrackBar, TWinControl, b) {
    b.Enum<TTrackBarOrientation>(L"Orientation", kOrientationNames, &TTrackBar::Orientation, &TTrackBar::SetOrientation);
    b.Integer(L"Min", &TTrackBar::Min, &TTrackBar::SetMin);
    b.Integer(L"Max", &TTrackBar::Max, &TTrackBar::SetMax);
    b.Integer(L"Position", &TTrackBar::Position, &TTrackBar::SetPosition);
    b.Integer(L"Frequency", &TTrackBar::Frequency, &TTrackBar::SetFrequency);
    b.Integer(L"LineSize", &TTrackBar::LineSize, &TTrackBar::SetLineSize);
    b.Integer(L"PageSize", &TTrackBar::PageSize, &TTrackBar::SetPageSize);
    b.Enum<TTickMark>(L"TickMarks", kTickMarkNames, &TTrackBar::TickMarks, &TTrackBar::SetTickMarks);
    b.Enum<TTickStyle>(L"TickStyle", kTickStyleNames, &TTrackBar::TickStyle, &TTrackBar::SetTickStyle);
    b.Event(L"OnChange", &TTrackBar::OnChange);
    b.Creatable();
}

TTrackBar::TTrackBar(TComponent* owner) : TWinControl(owner) {
    FWidth = 150;
    FHeight = 45;
    FTabStop = true;
}

void TTrackBar::CreateParams(TCreateParams& p) {
    EnsureCommonControls(ICC_BAR_CLASSES);
    TWinControl::CreateParams(p);
    p.SysClassName = TRACKBAR_CLASSW;
    p.Style |= FOrientation == TTrackBarOrientation::trVertical ? TBS_VERT : TBS_HORZ;
    switch (FTickMarks) {
    case TTickMark::tmBottomRight: break;
    case TTickMark::tmTopLeft: p.Style |= TBS_TOP; break;
    case TTickMark::tmBoth: p.Style |= TBS_BOTH; break;
    }
    if (FTickStyle == TTickStyle::tsNone) p.Style |= TBS_NOTICKS;
    if (FTickStyle == TTickStyle::tsAuto) p.Style |= TBS_AUTOTICKS;
}

void TTrackBar::HandleCreated() {
    ::SendMessageW(FHandle, TBM_SETRANGEMIN, FALSE, FMin);
    ::SendMessageW(FHandle, TBM_SETRANGEMAX, FALSE, FMax);
    ::SendMessageW(FHandle, TBM_SETLINESIZE, 0, FLineSize);
    ::SendMessageW(FHandle, TBM_SETPAGESIZE, 0, FPageSize);
    if (FTickStyle == TTickStyle::tsAuto) ::SendMessageW(FHandle, TBM_SETTICFREQ, FFrequency, 0);
    ::SendMessageW(FHandle, TBM_SETPOS, TRUE, FPosition);
}

void TTrackBar::Restyle() { RecreateWnd(); }

void TTrackBar::SetMin(int v) {
    FMin = v;
    if (FHandle) ::SendMessageW(FHandle, TBM_SETRANGEMIN, TRUE, v);
}

void TTrackBar::SetMax(int v) {
    FMax = v;
    if (FHandle) ::SendMessageW(FHandle, TBM_SETRANGEMAX, TRUE, v);
}

int TTrackBar::Position() {
    if (FHandle) FPosition = static_cast<int>(::SendMessageW(FHandle, TBM_GETPOS, 0, 0));
    return FPosition;
}

void TTrackBar::SetPosition(int v) {
    if (!HasState(csLoading)) v = std::clamp(v, std::min(FMin, FMax), std::max(FMin, FMax));
    if (v == Position()) return;
    FPosition = v;
    if (FHandle) ::SendMessageW(FHandle, TBM_SETPOS, TRUE, v);
    if (OnChange && !HasState(csLoading)) OnChange(this);
}

void TTrackBar::SetFrequency(int v) {
    FFrequency = std::max(v, 1);
    if (FHandle && FTickStyle == TTickStyle::tsAuto) ::SendMessageW(FHandle, TBM_SETTICFREQ, FFrequency, 0);
}

void TTrackBar::SetLineSize(int v) {
    FLineSize = v;
    if (FHandle) ::SendMessageW(FHandle, TBM_SETLINESIZE, 0, v);
}

void TTrackBar::SetPageSize(int v) {
    FPageSize = v;
    if (FHandle) ::SendMessageW(FHandle, TBM_SETPAGESIZE, 0, v);
}

// Turning the bar keeps its length along the new axis.
void TTrackBar::SetOrientation(TTrackBarOrientation v) {
    if (v == FOrientation) return;
    FOrientation = v;
    if (!HasState(csLoading)) SetBounds(FLeft, FTop, FHeight, FWidth);
    Restyle();
}

void TTrackBar::SetTickMarks(TTickMark v) {
    if (v == FTickMarks) return;
    FTickMarks = v;
    Restyle();
}

void TTrackBar::SetTickStyle(TTickStyle v) {
    if (v == FTickStyle) return;
    FTickStyle = v;
    Restyle();
}

// The thumb moved (mouse or keys): the system reports it to the parent, which reflects it here.
void TTrackBar::WndProc(TMessage& m) {
    if (m.Msg == CN_HSCROLL || m.Msg == CN_VSCROLL) {
        const int previous = FPosition;
        if (Position() != previous && OnChange) OnChange(this);
        return;
    }
    TWinControl::WndProc(m);
}

}  // namespace qx
