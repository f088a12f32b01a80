#include "skin/controls/SkinBarPair.h"

#include <utility>

QX_DEFINE_CLASS(TSkinBarPair, TSkinControl, b) {}

TSkinBarPair::TSkinBarPair(qx::TComponent* owner) : TSkinControl(owner) {}

void TSkinBarPair::Notification(qx::TComponent* component, qx::TOperation operation) {
    TSkinControl::Notification(component, operation);
    if (operation != qx::TOperation::opRemove) return;
    if (component == FHorz) FHorz = nullptr;
    if (component == FVert) FVert = nullptr;
}

void TSkinBarPair::PlaceBars() {
    if (FState != kWrapperAttached || !FWindow) return;
    if (FHorz) FHorz->Place(FWindow);
    if (FVert) FVert->Place(FWindow);
}

void TSkinBarPair::HideBars() {
    if (FHorz) FHorz->HideBar();
    if (FVert) FVert->HideBar();
}

void TSkinBarPair::Scrolled(TWScrollbar* bar, WPARAM wParam) {
    if (!bar) return;
    bar->SetScrollCode(LOWORD(wParam));
    bar->RepaintBar();
}

void TSkinBarPair::RepaintMovedBars() {
    for (TWScrollbar* bar : {FHorz, FVert})
        if (bar) bar->RepaintIfMoved();
}

// The overlays go with the wrapper; after the window was destroyed they are only hidden (their
// parent may be going away with it) and leave with the wrapper.
void TSkinBarPair::Detach() {
    TSkinControl::Detach();
    if (FState == kWrapperWindowDestroyed) {
        HideBars();
        return;
    }
    delete std::exchange(FHorz, nullptr);
    delete std::exchange(FVert, nullptr);
}

// A new skin may have no scroll-bar images (the overlays step aside) or bring them back.
void TSkinBarPair::SkinChanged() {
    TSkinControl::SkinChanged();
    PlaceBars();
    for (TWScrollbar* bar : {FHorz, FVert})
        if (bar && bar->Shown()) bar->RepaintBar();
}

// Skinning switched off for this control: the system's bars show again until it is back on.
void TSkinBarPair::PaintingSwitched(bool on) {
    if (on) {
        PlaceBars();
    } else {
        HideBars();
    }
}
