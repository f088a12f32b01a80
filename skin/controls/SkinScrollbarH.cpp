#include "skin/controls/SkinScrollbarH.h"

#include "skin/controls/SkinScrollbar.h"
#include "skin/data/SkinData.h"

#include <utility>

QX_DEFINE_CLASS(TSkinScrollbarH, TSkinControl, b) {}

TSkinControl* MakeSkinScrollbarH(qx::TComponent* owner) { return new TSkinScrollbarH(owner); }

TSkinScrollbarH::TSkinScrollbarH(qx::TComponent* owner) : TSkinControl(owner) {}

void TSkinScrollbarH::Notification(qx::TComponent* component, qx::TOperation operation) {
    TSkinControl::Notification(component, operation);
    if (operation != qx::TOperation::opRemove) return;
    if (component == FHorz) FHorz = nullptr;
    if (component == FVert) FVert = nullptr;
}

// The window procedure is replaced the way the window itself is (W or A): a raw window of an
// ANSI module keeps getting ANSI text.
void TSkinScrollbarH::AttachWindow(HWND window, TSkinData* skinData, TSkinControlHost* form, qx::TCanvas* canvas) {
    if (FAttached) return;
    TSkinControl::AttachWindow(window, skinData, form, canvas);
    if (!FAttached) return;
    FHorz = new TWScrollbar(this);
    FVert = new TWScrollbar(this);
    FHorz->AttachRawWindow(this, window, okHorizontal);
    FVert->AttachRawWindow(this, window, okVertical);
}

void TSkinScrollbarH::PlaceBars() {
    if (FState != kWrapperAttached || !FWindow || FPlacing) return;
    FPlacing = true;
    if (FHorz) FHorz->Place(FWindow);
    if (FVert) FVert->Place(FWindow);
    FPlacing = false;
}

void TSkinScrollbarH::HideBars() {
    if (FHorz) FHorz->HideBar();
    if (FVert) FVert->HideBar();
}

bool TSkinScrollbarH::BeforeMessage(qx::TMessage& m) {
    if (m.Msg == WM_NCDESTROY) HideBars();
    return TSkinControl::BeforeMessage(m);
}

void TSkinScrollbarH::AfterMessage(qx::TMessage& m) {
    // A hidden window takes both its bars with it.
    if (FWindow && !::IsWindowVisible(FWindow)) HideBars();
    switch (m.Msg) {
    case WM_SIZE:
    case WM_WINDOWPOSCHANGED:
    case WM_NCPAINT:
        if (FPlacing) return;
        PlaceBars();
        if (m.Msg != WM_WINDOWPOSCHANGED) Repaint();
        return;
    case WM_HSCROLL:
        if (FHorz) {
            FHorz->SetScrollCode(LOWORD(m.WParam));
            FHorz->RepaintBar();
        }
        return;
    case WM_VSCROLL:
        if (FVert) {
            FVert->SetScrollCode(LOWORD(m.WParam));
            FVert->RepaintBar();
        }
        return;
    default:
        TSkinControl::AfterMessage(m);
        if (FState != kWrapperAttached || m.Msg == WM_PAINT || m.Msg == WM_NCHITTEST || m.Msg == WM_SETCURSOR) return;
        for (TWScrollbar* bar : {FHorz, FVert})
            if (bar) bar->RepaintIfMoved();
    }
}

void TSkinScrollbarH::Paint(HDC dc, const RECT& r) {
    (void)r;
    // As for framework controls: only a bar that moved since its last paint is painted again.
    for (TWScrollbar* bar : {FHorz, FVert})
        if (bar && bar->Shown()) bar->RepaintIfMoved();
    if (FHorz && FVert && FSkinData)
        PaintScrollCorner(dc, *FHorz, *FVert, ClientOffset(FWindow), qx::ColorToRGB(FSkinData->ButtonFace));
}

void TSkinScrollbarH::Detach() {
    TSkinControl::Detach();
    if (FState == kWrapperWindowDestroyed) {
        HideBars();
        return;
    }
    delete std::exchange(FHorz, nullptr);
    delete std::exchange(FVert, nullptr);
}

// A new skin may have no scroll-bar images (the overlays step aside) or bring them back.
void TSkinScrollbarH::SkinChanged() {
    TSkinControl::SkinChanged();
    PlaceBars();
    for (TWScrollbar* bar : {FHorz, FVert})
        if (bar && bar->Shown()) bar->RepaintBar();
}

// Skinning switched off for this control: the system's bars show again until it is back on.
void TSkinScrollbarH::PaintingSwitched(bool on) {
    if (on) {
        PlaceBars();
    } else {
        HideBars();
    }
}
