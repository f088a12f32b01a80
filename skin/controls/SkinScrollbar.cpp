#include "skin/controls/SkinScrollbar.h"

#include "framework/Handles.h"
#include "skin/controls/SkinPropText.h"
#include "skin/controls/SkinSubWrappers.h"
#include "skin/data/SkinData.h"

#include <commctrl.h>
#include <utility>

QX_DEFINE_CLASS(TSkinScrollbar, TSkinBarPair, b) {}
QX_DEFINE_CLASS(TSkinListView, TSkinScrollbar, b) {}

POINT ClientOffset(HWND window) {
    RECT w{};
    POINT origin{0, 0};
    if (!window || !::GetWindowRect(window, &w)) return origin;
    ::ClientToScreen(window, &origin);
    return {origin.x - w.left, origin.y - w.top};
}

void PaintScrollCorner(HDC dc, const TWScrollbar& horz, const TWScrollbar& vert, POINT offset, COLORREF face) {
    if (!horz.Shown() || !vert.Shown()) return;
    const RECT& h = horz.BarRect();
    const RECT& v = vert.BarRect();
    RECT corner{v.left + offset.x, h.top + offset.y, v.right + offset.x, h.bottom + offset.y};
    qx::UniqueBrush brush(::CreateSolidBrush(face));
    ::FillRect(dc, &corner, brush.get());
}

//--- TSkinScrollbar

TSkinScrollbar::TSkinScrollbar(qx::TComponent* owner) : TSkinBarPair(owner) {}

void TSkinScrollbar::Attach(TSkinControlHost* form, TSkinData* skinData, bool colourFlag, qx::TCanvas* canvas) {
    (void)colourFlag;
    if (auto* control = dynamic_cast<qx::TWinControl*>(Owner())) AttachScroll(control, skinData, form, canvas);
}

void TSkinScrollbar::AttachScroll(qx::TWinControl* control, TSkinData* skinData, TSkinControlHost* form,
                                  qx::TCanvas* canvas) {
    if (FAttached || !control) return;
    BindControl(control, skinData, form, canvas);
    // An image scroll box draws its own edge.
    FBorder = LowerText(PropText(*control, L"BorderStyle")) != L"bsnone" &&
              !qx::SameText(control->ClassName(), L"TImageScrollBox");
    FHorz = new TWScrollbar(this);
    FVert = new TWScrollbar(this);
    FHorz->AttachControl(this, control, okHorizontal);
    FVert->AttachControl(this, control, okVertical);
    if (!control->Visible()) HideBars();
    HookControl(control);
    FAttached = true;
    FState = kWrapperAttached;
    Repaint();
}

// A control that makes its window again (a memo given other scroll bars) keeps its wrapper:
// the old window's end is not the control's end.
bool TSkinScrollbar::BeforeMessage(qx::TMessage& m) {
    if (m.Msg == qx::CM_RECREATEWND) {
        FRecreating = true;
        HideBars();
        return true;
    }
    if (m.Msg == WM_NCDESTROY && FRecreating) return true;
    if (m.Msg == WM_NCDESTROY) HideBars();  // never left standing over a window that is gone
    return TSkinControl::BeforeMessage(m);
}

void TSkinScrollbar::AfterMessage(qx::TMessage& m) {
    switch (m.Msg) {
    case WM_SIZE:
    case WM_WINDOWPOSCHANGED: PlaceBars(); return;
    // The system redraws the edge alone when only the frame was uncovered.
    case WM_NCPAINT: PaintWindow(nullptr); return;
    case WM_HSCROLL: Scrolled(FHorz, m.WParam); return;
    case WM_VSCROLL: Scrolled(FVert, m.WParam); return;
    case WM_MOUSEWHEEL:
        for (TWScrollbar* bar : {FHorz, FVert})
            if (bar && bar->Shown()) bar->RepaintBar();
        return;
    case qx::CM_VISIBLECHANGED:
        if (m.WParam == 0) HideBars();
        else PlaceBars();
        return;
    case qx::CM_RECREATEWND:
        FRecreating = false;
        if (FControl) {
            FWindow = FControl->Handle();
            if (FHorz) FHorz->SetTarget(FWindow);
            if (FVert) FVert->SetTarget(FWindow);
        }
        PlaceBars();
        return;
    default:
        TSkinControl::AfterMessage(m);
        if (FState != kWrapperAttached || m.Msg == WM_PAINT || m.Msg == WM_NCHITTEST || m.Msg == WM_SETCURSOR) return;
        RepaintMovedBars();
    }
}

void TSkinScrollbar::Paint(HDC dc, const RECT& r) {
    // A shown overlay repaints only when its bar moved since it last painted: it is a window of
    // its own and paints itself when uncovered, and the scroll messages repaint it already.
    // Painting it again on every paint of the control would double the cost of each scroll step.
    for (std::pair<TWScrollbar*, LONG_PTR> bar : {std::pair{FVert, LONG_PTR{WS_VSCROLL}}, std::pair{FHorz, LONG_PTR{WS_HSCROLL}}}) {
        if (!bar.first) continue;
        if (bar.first->Shown()) bar.first->RepaintIfMoved();
        else if (WindowLong(FWindow, GWL_STYLE) & bar.second) bar.first->Place(FWindow);
    }
    if (!FSkinData) return;
    if (FHorz && FVert) PaintScrollCorner(dc, *FHorz, *FVert, ClientOffset(FWindow), qx::ColorToRGB(FSkinData->ButtonFace));
    if (FBorder) {
        RECT edge = r;
        qx::UniqueBrush shadow(::CreateSolidBrush(qx::ColorToRGB(FSkinData->ButtonShadow)));
        ::FrameRect(dc, &edge, shadow.get());
        ::InflateRect(&edge, -1, -1);
        qx::UniqueBrush face(::CreateSolidBrush(qx::ColorToRGB(FSkinData->ButtonFace)));
        ::FrameRect(dc, &edge, face.get());
    }
}

//--- TSkinListView

TSkinListView::TSkinListView(qx::TComponent* owner) : TSkinScrollbar(owner) {}

void TSkinListView::Notification(qx::TComponent* component, qx::TOperation operation) {
    TSkinScrollbar::Notification(component, operation);
    if (operation == qx::TOperation::opRemove && component == FHeader) FHeader = nullptr;
}

// The header is a window of the list view's own; its wrapper belongs to the list view like
// this one, and is made by the header skinning's maker (none installed: the system draws it).
void TSkinListView::AttachScroll(qx::TWinControl* control, TSkinData* skinData, TSkinControlHost* form,
                                 qx::TCanvas* canvas) {
    TSkinScrollbar::AttachScroll(control, skinData, form, canvas);
    if (!FAttached || FHeader) return;
    const auto header = reinterpret_cast<HWND>(::SendMessageW(FWindow, LVM_GETHEADER, 0, 0));
    if (!header) return;
    FHeader = MakeListHeader(Owner());
    if (!FHeader) return;
    FHeader->FreeNotification(this);
    FHeader->AttachWindow(header, skinData, form, canvas);
}
