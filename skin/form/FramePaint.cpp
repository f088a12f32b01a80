// Painting a skinned window's frame and cutting its shape: the form's side of FramePainter
// and FormRegion.
#include "skin/data/SkinData.h"
#include "skin/data/SkinDraw.h"
#include "skin/form/FormRegion.h"
#include "skin/form/FramePainter.h"
#include "skin/form/ToolbarDraw.h"
#include "skin/form/WinSkinForm.h"

//--- frame painting

void TWinSkinForm::PaintFrame(HDC dc) {
    if (FState != kFormActive && FState != kFormReskinning) return;
    if (!FSkinData || FBorderKind == bkNone || MdiChildNotNormal()) return;
    if (dc) {
        PaintFrameTo(dc);
    } else {
        qx::WindowDc window(FHandle, true);
        if (window.get()) PaintFrameTo(window.get());
    }
    // Every button was drawn in its normal frame: no hover state survives a full paint.
    FHotObject = nullptr;
}

// Nothing thrown while painting may leave the window half-handled: the frame is simply not
// finished then (the context is released by the caller's guard either way).
void TWinSkinForm::PaintFrameTo(HDC dc) {
    try {
        ::GetWindowRect(FHandle, &FWindowRect);
        const int w = FWindowRect.right - FWindowRect.left, h = FWindowRect.bottom - FWindowRect.top;
        FWindowWidth = w;
        FWindowHeight = h;
        const bool active = FActive != 0;
        const TFrameMetrics& m = FMetrics;
        PaintBorderPiece(dc, kBorderLeft, RECT{0, 0, m.Left, h}, *FSkinData, active);
        PaintBorderPiece(dc, kBorderRight, RECT{w - m.Right, 0, w, h}, *FSkinData, active);
        PaintBorderPiece(dc, kBorderBottom, RECT{m.Left, h - m.Bottom, w - m.Right, h}, *FSkinData, active);
        PaintCaptionStrip(dc, w);
        PaintMenuBand(dc, w);
    } catch (...) {
    }
}

// The caption strip is composed off-screen and copied in one go: the ends of the side borders,
// the top border, the title and the caption buttons.
void TWinSkinForm::PaintCaptionStrip(HDC dc, int w) {
    const TFrameMetrics& m = FMetrics;
    if (w <= 0 || m.Top <= 0) return;
    const bool active = FActive != 0;
    FCaptionBitmap.SetSize(w, m.Top);
    qx::TCanvas& canvas = FCaptionBitmap.Canvas();
    HDC strip = canvas.Handle();
    const int h = FWindowHeight;
    PaintBorderPiece(strip, kBorderLeft, RECT{0, 0, m.Left, h}, *FSkinData, active);
    PaintBorderPiece(strip, kBorderRight, RECT{w - m.Right, 0, w, h}, *FSkinData, active);
    const RECT cap{m.Left, 0, w - m.Right, m.Top};
    PaintBorderPiece(strip, kBorderTop, cap, *FSkinData, active);

    TTitleState title;
    title.Text = FTitlePrefix + WindowText() + FTitleSuffix;
    title.Cap = cap;
    title.Active = active;
    title.RightToLeft = FRightToLeft;
    title.Popup = (static_cast<DWORD>(::GetWindowLongPtrW(FHandle, GWL_STYLE)) & WS_POPUP) != 0;
    title.BorderKind = FBorderKind;
    title.ButtonsLeft = FButtonsLeft;
    title.Font = FCaptionFont.get();
    FTitleRect = PaintTitle(canvas, *FSkinData, title);

    strip = canvas.Handle();
    FCaptionBack.SetPixelFormat(qx::TPixelFormat::pf24bit);
    FCaptionBack.SetSize(w, m.Top);
    {
        qx::BitmapDc back(FCaptionBack);
        ::BitBlt(back.get(), 0, 0, w, m.Top, strip, 0, 0, SRCCOPY);
    }
    LayoutButtons(w);
    PaintButtonsOnStrip(strip);
    ::BitBlt(dc, 0, 0, w, m.Top, strip, 0, 0, SRCCOPY);
}

// The band under the caption: the skinned menu bar, else the skin's background.
void TWinSkinForm::PaintMenuBand(HDC dc, int w) {
    const TFrameMetrics& m = FMetrics;
    if (m.Menu <= 0) return;
    RECT band{m.Left, m.Top, w - m.Right, m.Top + m.Menu};
    if (band.right <= band.left) return;
    if (TWinSkinMenu* bar = MenuBar()) return bar->PaintBar(dc, band);
    if (HBRUSH brush = FSkinData->FaceBrush()) ::FillRect(dc, &band, brush);
}

//--- the window's shape

void TWinSkinForm::UpdateRegion() {
    if (FState == kFormClosed || !FHandle || !FSkinData || MdiChildNotNormal()) return;
    RECT r{};
    ::GetWindowRect(FHandle, &r);
    const int w = r.right - r.left, h = r.bottom - r.top;
    if (w <= 0 || h <= 0) return;
    if (FHasRegion && w == FRegionWidth && h == FRegionHeight && FFormKind != kFormMDIChild && FState != kFormReskinning)
        return;
    const bool follows = RegionFollowsBorders(*FSkinData);
    // The shape follows the painted caption: paint it first when it is not there yet.
    qx::TBitmap* strip = FCaptionBitmap.Width() == w && FCaptionBitmap.Height() == FMetrics.Top ? &FCaptionBitmap : nullptr;
    qx::UniqueRgn region = BuildFrameRegion(*FSkinData, FMetrics, FBorderKind, w, h, FActive != 0, strip);
    if (!region) return;
    // The plain rectangle records no size, so it is made again on every request.
    FRegionWidth = follows ? w : 0;
    FRegionHeight = follows ? h : 0;
    // The old region belongs to the window, which deletes it when it takes the new one; the
    // new one belongs to the window once it is set (and is deleted here if it was not).
    HRGN handle = region.get();
    if (::SetWindowRgn(FHandle, handle, TRUE)) {
        region.release();
        FRegion = handle;
        FHasRegion = true;
    }
}

void TWinSkinForm::ClearRegion() {
    if (!FHasRegion) return;
    FCaptionBitmap.SetSize(0, 0);
    // Taking the region away makes the system delete it: only the handle is forgotten here.
    FRegion = nullptr;
    ::SetWindowRgn(FHandle, nullptr, FFormKind == kFormMDIChild);
    FHasRegion = false;
    FRegionWidth = FRegionHeight = 0;
}

//--- tool bars

void TWinSkinForm::ToolbarBackground(HDC dc, const RECT& rect) {
    if (FSkinData) DrawToolbarBackground(dc, rect, *FSkinData);
}

void TWinSkinForm::ToolbarButton(HDC dc, const RECT& bounds, UINT itemState, qx::TFont& font) {
    if (FSkinData && FState == kFormActive) DrawToolbarButton(dc, bounds, itemState, *FSkinData, font);
}
