#include "ProgressBar.h"
#include "CommonControls.h"

#include <algorithm>
#include <commctrl.h>

namespace qx {

static const std::vector<std::wstring> kOrientationNames{L"pbHorizontal", L"pbVertical"};
static const std::vector<std::wstring> kStyleNames{L"pbstNormal", L"pbstChunks"};

QX_DEFINE_CLASS(TProgressBar, TWinControl, b) {
    b.Integer(L"Min", &TProgressBar::Min, &TProgressBar::SetMin);
    b.Integer(L"Max", &TProgressBar::Max, &TProgressBar::SetMax);
    b.Integer(L"Position", &TProgressBar::Position, &TProgressBar::SetPosition);
    b.Integer(L"Step", &TProgressBar::Step, &TProgressBar::SetStep);
    b.Enum<TProgressBarOrientation>(L"Orientation", kOrientationNames, &TProgressBar::Orientation,
                                    &TProgressBar::SetOrientation);
    b.Enum<TProgressBarStyle>(L"Style", kStyleNames, &TProgressBar::Style, &TProgressBar::SetStyle);
    b.Creatable();
}

TProgressBar::TProgressBar(TComponent* owner) : TWinControl(owner) {
    FWidth = 150;
    FHeight = 17;
}

void TProgressBar::CreateParams(TCreateParams& p) {
    EnsureCommonControls(ICC_PROGRESS_CLASS);
    TWinControl::CreateParams(p);
    p.SysClassName = PROGRESS_CLASSW;
    if (FOrientation == TProgressBarOrientation::pbVertical) p.Style |= PBS_VERTICAL;
    if (FStyle == TProgressBarStyle::pbstNormal) p.Style |= PBS_SMOOTH;
}

void TProgressBar::HandleCreated() {
    ::SendMessageW(FHandle, PBM_SETRANGE32, FMin, FMax);
    ::SendMessageW(FHandle, PBM_SETSTEP, FStep, 0);
    ::SendMessageW(FHandle, PBM_SETPOS, FPosition, 0);
}

void TProgressBar::SetMin(int v) {
    FMin = v;
    if (FHandle) ::SendMessageW(FHandle, PBM_SETRANGE32, FMin, FMax);
}

void TProgressBar::SetMax(int v) {
    FMax = v;
    if (FHandle) ::SendMessageW(FHandle, PBM_SETRANGE32, FMin, FMax);
}

int TProgressBar::Position() {
    if (FHandle) FPosition = static_cast<int>(::SendMessageW(FHandle, PBM_GETPOS, 0, 0));
    return FPosition;
}

// Outside the range the position stops at its end (a description read in any order keeps it).
void TProgressBar::SetPosition(int v) {
    if (!HasState(csLoading)) v = std::clamp(v, std::min(FMin, FMax), std::max(FMin, FMax));
    FPosition = v;
    if (FHandle) ::SendMessageW(FHandle, PBM_SETPOS, v, 0);
}

void TProgressBar::SetStep(int v) {
    FStep = v;
    if (FHandle) ::SendMessageW(FHandle, PBM_SETSTEP, v, 0);
}

void TProgressBar::StepIt() {
    if (FHandle) ::SendMessageW(FHandle, PBM_STEPIT, 0, 0);
    else SetPosition(FPosition + FStep > FMax ? FMin : FPosition + FStep);
}

void TProgressBar::SetOrientation(TProgressBarOrientation v) {
    if (v == FOrientation) return;
    FOrientation = v;
    RecreateWnd();
}

void TProgressBar::SetStyle(TProgressBarStyle v) {
    if (v == FStyle) return;
    FStyle = v;
    RecreateWnd();
}

}  // namespace qx
