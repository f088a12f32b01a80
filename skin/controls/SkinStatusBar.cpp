#include "skin/controls/SkinStatusBar.h"

#include "framework/DibSurface.h"
#include "framework/Handles.h"
#include "framework/StatusBar.h"
#include "framework/WindowText.h"
#include "skin/controls/SkinCaptionText.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinDraw.h"

#include <commctrl.h>

QX_DEFINE_CLASS(TSkinStatusBar, TSkinControl, b) {}

TSkinStatusBar::TSkinStatusBar(qx::TComponent* owner) : TSkinControl(owner) {}

UINT StatusPanelAlign(int alignment, bool rightToLeft) {
    if (alignment == 2) return DT_CENTER;
    const bool right = (alignment == 1) != rightToLeft;
    return right ? DT_RIGHT : DT_LEFT;
}

bool TSkinStatusBar::BeforeMessage(qx::TMessage& m) {
    switch (m.Msg) {
    case WM_PAINT: PaintWholeWindow(m); return false;
    case WM_ERASEBKGND: m.Result = 1; return false;
    default: return TSkinControl::BeforeMessage(m);
    }
}

bool TSkinStatusBar::SimpleMode() const {
    if (auto* bar = dynamic_cast<qx::TStatusBar*>(FControl))
        return bar->SimplePanel() || const_cast<qx::TStatusBar*>(bar)->Panels()->Count() == 0;
    return ::SendMessageW(FWindow, SB_ISSIMPLE, 0, 0) != 0 || ::SendMessageW(FWindow, SB_GETPARTS, 0, 0) <= 0;
}

// The panels with their rectangles; each reaches 2 pixels further right, the last one to the
// bar's right edge.
std::vector<TStatusPanelLook> TSkinStatusBar::Panels(const RECT& r) const {
    std::vector<TStatusPanelLook> out;
    auto* bar = dynamic_cast<qx::TStatusBar*>(FControl);
    const int count = bar ? bar->Panels()->Count() : static_cast<int>(::SendMessageW(FWindow, SB_GETPARTS, 0, 0));
    for (int i = 0; i < count; ++i) {
        TStatusPanelLook p;
        if (!::SendMessageW(FWindow, SB_GETRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&p.Rect))) continue;
        p.Rect.right += 2;
        if (i == count - 1) p.Rect.right = r.right;
        if (bar) {
            qx::TStatusPanel* panel = bar->Panels()->Items(i);
            p.Edge = panel->Bevel() == qx::TStatusPanelBevel::pbLowered ? 1
                     : panel->Bevel() == qx::TStatusPanelBevel::pbRaised ? 2 : 3;
            p.Text = panel->Style() == qx::TStatusPanelStyle::psText;
            p.Caption = panel->Text();
            const int alignment = panel->Alignment() == qx::TAlignment::taRightJustify ? 1
                                  : panel->Alignment() == qx::TAlignment::taCenter ? 2 : 0;
            p.Align = StatusPanelAlign(alignment, panel->BiDiMode() == qx::TBiDiMode::bdRightToLeft);
        } else {
            const LRESULT info = ::SendMessageW(FWindow, SB_GETTEXTLENGTHW, static_cast<WPARAM>(i), 0);
            const int type = HIWORD(info);
            p.Edge = (type & SBT_NOBORDERS) ? 3 : (type & SBT_POPOUT) ? 2 : 1;
            p.Text = !(type & SBT_OWNERDRAW);
            if (p.Text) {
                std::wstring text(LOWORD(info) + 1, L'\0');
                ::SendMessageW(FWindow, SB_GETTEXTW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text.data()));
                text.resize(wcslen(text.c_str()));
                p.Caption = text;
            }
        }
        if (p.Caption.empty()) p.Caption = L" ";
        out.push_back(p);
    }
    return out;
}

// Frame 1, 2 or 3 of the edge image; without one, a 1-pixel 3D edge (none for frame 3).
void TSkinStatusBar::DrawEdge(HDC dc, const RECT& r, int edge) {
    TDataSkinObject* look = FSkinData ? FSkinData->StatusBarEdges.get() : nullptr;
    if (look && !look->Bitmap.Empty()) {
        DrawSkinImage(dc, r, look->Bitmap, look->Margins, false, look->Tile != 0, look->Trans != 0, 3, edge);
        return;
    }
    if (edge == 3) return;
    const COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW), light = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    const COLORREF topLeft = edge == 1 ? shadow : light, bottomRight = edge == 1 ? light : shadow;
    qx::UniqueBrush a(::CreateSolidBrush(topLeft)), b(::CreateSolidBrush(bottomRight));
    const RECT top{r.left, r.top, r.right, r.top + 1}, left{r.left, r.top, r.left + 1, r.bottom};
    const RECT bottom{r.left, r.bottom - 1, r.right, r.bottom}, right{r.right - 1, r.top, r.right, r.bottom};
    ::FillRect(dc, &top, a.get());
    ::FillRect(dc, &left, a.get());
    ::FillRect(dc, &bottom, b.get());
    ::FillRect(dc, &right, b.get());
}

void TSkinStatusBar::Paint(HDC dc, const RECT& r) {
    const int w = r.right - r.left, h = r.bottom - r.top;
    if (w <= 0 || h <= 0) return;
    qx::TDibSurface buffer(w, h, 24, true, dc);
    if (buffer.Empty()) return;
    HDC b = buffer.Dc();
    const RECT local{0, 0, w, h};
    FillBackground(b, local);
    HFONT font = FControl ? FControl->Font()->Handle() : reinterpret_cast<HFONT>(::SendMessageW(FWindow, WM_GETFONT, 0, 0));
    qx::SelectGuard selectFont(b, font);
    TDataSkinObject* edges = FSkinData ? FSkinData->StatusBarEdges.get() : nullptr;
    ::SetTextColor(b, qx::ColorToRGB(edges ? edges->NormalColour2 : (FSkinData ? FSkinData->ButtonText : qx::clBtnText)));

    auto* bar = dynamic_cast<qx::TStatusBar*>(FControl);
    std::vector<TStatusPanelLook> panels;
    if (SimpleMode()) {
        DrawEdge(b, local, 1);
        std::wstring text = bar ? bar->SimpleText() : qx::WindowTextOf(FWindow);
        if (text.empty()) text = L" ";
        const bool rightToLeft = bar && bar->BiDiMode() == qx::TBiDiMode::bdRightToLeft;
        DrawPlainCaption(b, RECT{2, 0, w - 2, h}, text, rightToLeft ? DT_RIGHT : DT_LEFT);
    } else {
        panels = Panels(local);
        for (const TStatusPanelLook& p : panels) {
            DrawEdge(b, p.Rect, p.Edge);
            if (p.Text) DrawPlainCaption(b, RECT{p.Rect.left + 2, p.Rect.top, p.Rect.right - 2, p.Rect.bottom}, p.Caption, p.Align);
        }
    }
    if (WindowLong(FWindow, GWL_STYLE) & SBARS_SIZEGRIP) {
        TDataSkinObject* extra = FSkinData ? FSkinData->ExtraImages.get() : nullptr;
        if (extra && !extra->Bitmap.Empty()) {
            const int fw = extra->FrameWidth(), fh = extra->Bitmap.Height();
            DrawSkinFrame(b, RECT{w - 1 - fw, h - 1 - fh, w - 1, h - 1}, extra->Bitmap, extra->Trans != 0,
                          extra->FrameCount, 5);
        } else {
            const int size = ::GetSystemMetrics(SM_CXVSCROLL);
            RECT grip{w - size, h - size, w, h};
            ::DrawFrameControl(b, &grip, DFC_SCROLL, DFCS_SCROLLSIZEGRIP);
        }
    }
    ::BitBlt(dc, r.left, r.top, w, h, b, 0, 0, SRCCOPY);

    if (!bar) return;
    for (int i = 0; i < bar->ControlCount(); ++i)
        if (auto* g = dynamic_cast<qx::TGraphicControl*>(bar->Controls(i)); g && g->Visible()) g->PaintTo(dc);
    if (!bar->OnDrawPanel || bar->SimplePanel()) return;
    for (int i = 0; i < bar->Panels()->Count(); ++i) {
        qx::TStatusPanel* panel = bar->Panels()->Items(i);
        RECT pr{};
        if (panel->Style() != qx::TStatusPanelStyle::psOwnerDraw ||
            !::SendMessageW(FWindow, SB_GETRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&pr)))
            continue;
        ::InflateRect(&pr, -2, -2);
        bar->Canvas().SetHandle(dc);
        bar->OnDrawPanel(bar, panel, pr);
        bar->Canvas().SetHandle(nullptr);
    }
}
