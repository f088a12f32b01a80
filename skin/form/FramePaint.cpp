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
    FCaption.HotObject = nullptr;
}

// Nothing thrown while painting may leave the window half-handled: the frame is simply not
// finished then (the context is released by the caller's guard either way).
void TWinSkinForm::PaintFrameTo(HDC dc) {
    try {
        ::GetWindowRect(FHandle, &FFrame.WindowRect);
        const int w = FFrame.WindowRect.right - FFrame.WindowRect.left, h = FFrame.WindowRect.bottom - FFrame.WindowRect.top;
        FFrame.WindowWidth = w;
        FFrame.WindowHeight = h;
        const bool active = FActive != 0;
        const TFrameMetrics& m = FFrame.Metrics;
        PaintBorderPiece(dc, kBorderLeft, RECT{0, 0, m.Left, h}, *FSkinData, active);
        PaintBorderPiece(dc, kBorderRight, RECT{w - m.Right, 0, w, h}, *FSkinData, active);
        PaintBorderPiece(dc, kBorderBottom, RECT{m.Left, h - m.Bottom, w - m.Right, h}, *FSkinData, active);
        PaintCaptionStrip(dc, w);
        PaintMenuBand(dc, w);
    } catch (...) {
        // Swallowed: a message box raised from the frame's paint would make the frame paint
        // (and fail) again underneath it. The frame keeps what was drawn before the fault.
    }
}

// The caption strip is composed off-screen and copied in one go: the ends of the side borders,
// the top border, the title and the caption buttons.
void TWinSkinForm::PaintCaptionStrip(HDC dc, int w) {
    const TFrameMetrics& m = FFrame.Metrics;
    if (w <= 0 || m.Top <= 0) return;
    const bool active = FActive != 0;
    FCaption.Bitmap.SetSize(w, m.Top);
    qx::TCanvas& canvas = FCaption.Bitmap.Canvas();
    HDC strip = canvas.Handle();
    const int h = FFrame.WindowHeight;
    PaintBorderPiece(strip, kBorderLeft, RECT{0, 0, m.Left, h}, *FSkinData, active);
    PaintBorderPiece(strip, kBorderRight, RECT{w - m.Right, 0, w, h}, *FSkinData, active);
    const RECT cap{m.Left, 0, w - m.Right, m.Top};
    PaintBorderPiece(strip, kBorderTop, cap, *FSkinData, active);

    TTitleState title;
    title.Text = FCaption.TitlePrefix + WindowText() + FCaption.TitleSuffix;
    title.Cap = cap;
    title.Active = active;
    title.RightToLeft = FRightToLeft;
    title.Popup = (static_cast<DWORD>(::GetWindowLongPtrW(FHandle, GWL_STYLE)) & WS_POPUP) != 0;
    title.BorderKind = FBorderKind;
    title.ButtonsLeft = FCaption.ButtonsLeft;
    title.Font = FCaption.Font.get();
    FCaption.TitleRect = PaintTitle(canvas, *FSkinData, title);

    strip = canvas.Handle();
    FCaption.Back.SetPixelFormat(qx::TPixelFormat::pf24bit);
    FCaption.Back.SetSize(w, m.Top);
    {
        qx::BitmapDc back(FCaption.Back);
        ::BitBlt(back.get(), 0, 0, w, m.Top, strip, 0, 0, SRCCOPY);
    }
    LayoutButtons(w);
    PaintButtonsOnStrip(strip);
    ::BitBlt(dc, 0, 0, w, m.Top, strip, 0, 0, SRCCOPY);
}

// The band under the caption: the skinned menu bar, else the skin's background.
void TWinSkinForm::PaintMenuBand(HDC dc, int w) {
    const TFrameMetrics& m = FFrame.Metrics;
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
    if (FShape.HasRegion && w == FShape.Width && h == FShape.Height && FFormKind != kFormMDIChild && FState != kFormReskinning)
        return;
    const bool follows = RegionFollowsBorders(*FSkinData);
    // The shape follows the painted caption: paint it first when it is not there yet.
    qx::TBitmap* strip = FCaption.Bitmap.Width() == w && FCaption.Bitmap.Height() == FFrame.Metrics.Top ? &FCaption.Bitmap : nullptr;
    qx::UniqueRgn region = BuildFrameRegion(*FSkinData, FFrame.Metrics, FBorderKind, w, h, FActive != 0, strip);
    if (!region) return;
    // The plain rectangle records no size, so it is made again on every request.
    FShape.Width = follows ? w : 0;
    FShape.Height = follows ? h : 0;
    // The old region belongs to the window, which deletes it when it takes the new one; the
    // new one belongs to the window once it is set (and is deleted here if it was not).
    HRGN handle = region.get();
    if (::SetWindowRgn(FHandle, handle, TRUE)) {
        region.release();
        FShape.Region = handle;
        FShape.HasRegion = true;
    }
}

void TWinSkinForm::ClearRegion() {
    if (!FShape.HasRegion) return;
    FCaption.Bitmap.SetSize(0, 0);
    // Taking the region away makes the system delete it: only the handle is forgotten here.
    FShape.Region = nullptr;
    ::SetWindowRgn(FHandle, nullptr, FFormKind == kFormMDIChild);
    FShape.HasRegion = false;
    FShape.Width = FShape.Height = 0;
}

//--- tool bars

void TWinSkinForm::ToolbarBackground(HDC dc, const RECT& rect) {
    if (FSkinData) DrawToolbarBackground(dc, rect, *FSkinData);
}

void TWinSkinForm::ToolbarButton(HDC dc, const RECT& bounds, UINT itemState, qx::TFont& font) {
    if (FSkinData && FState == kFormActive) DrawToolbarButton(dc, bounds, itemState, *FSkinData, font);
}
