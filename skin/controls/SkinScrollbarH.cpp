#include "skin/controls/SkinScrollbarH.h"

#include "skin/controls/SkinScrollbar.h"
#include "skin/data/SkinData.h"

QX_DEFINE_CLASS(TSkinScrollbarH, TSkinBarPair, b) {}

TSkinControl* MakeSkinScrollbarH(qx::TComponent* owner) { return new TSkinScrollbarH(owner); }

TSkinScrollbarH::TSkinScrollbarH(qx::TComponent* owner) : TSkinBarPair(owner) {}

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

// A bar placed from inside its own placing (the window moves under it) waits for the next.
void TSkinScrollbarH::PlaceBars() {
    if (FPlacing) return;
    FPlacing = true;
    TSkinBarPair::PlaceBars();
    FPlacing = false;
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
    case WM_HSCROLL: Scrolled(FHorz, m.WParam); return;
    case WM_VSCROLL: Scrolled(FVert, m.WParam); return;
    default:
        TSkinControl::AfterMessage(m);
        if (FState != kWrapperAttached || m.Msg == WM_PAINT || m.Msg == WM_NCHITTEST || m.Msg == WM_SETCURSOR) return;
        RepaintMovedBars();
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
