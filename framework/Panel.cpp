#include "ExtCtrls.h"

namespace qx {

const std::vector<std::wstring>& AlignmentNames();
static const std::vector<std::wstring> kBevelNames{L"bvNone", L"bvLowered", L"bvRaised", L"bvSpace"};
static const std::vector<std::wstring> kPanelBorderNames{L"bsNone", L"bsSingle"};

QX_DEFINE_CLASS(TPanel, TCustomControl, b) {
    b.Enum<TBevelCut>(L"BevelInner", kBevelNames, &TPanel::BevelInner, &TPanel::SetBevelInner);
    b.Enum<TBevelCut>(L"BevelOuter", kBevelNames, &TPanel::BevelOuter, &TPanel::SetBevelOuter);
    b.Integer(L"BevelWidth", &TPanel::BevelWidth, &TPanel::SetBevelWidth);
    b.Integer(L"BorderWidth", &TPanel::BorderWidth, &TPanel::SetBorderWidth);
    b.Enum<TBorderStyle>(L"BorderStyle", kPanelBorderNames, &TPanel::BorderStyle, &TPanel::SetBorderStyle);
    b.Enum<TAlignment>(L"Alignment", AlignmentNames(), &TPanel::Alignment, &TPanel::SetAlignment);
    b.Boolean(L"ParentBackground", &TPanel::ParentBackground, &TPanel::SetParentBackground);
    b.Creatable();
}

TPanel::TPanel(TComponent* owner) : TCustomControl(owner) {
    FWidth = 185;
    FHeight = 41;
}

void TPanel::CreateParams(TCreateParams& p) {
    TCustomControl::CreateParams(p);
    p.Style |= WS_CLIPCHILDREN;
    if (FBorderStyle == TBorderStyle::bsSingle) p.ExStyle |= WS_EX_CLIENTEDGE;
    p.WindowClassStyle &= ~(CS_HREDRAW | CS_VREDRAW);
}

void TPanel::SetBorderStyle(TBorderStyle v) {
    if (v == FBorderStyle) return;
    FBorderStyle = v;
    RecreateWnd();
}

void Frame3D(HDC dc, RECT& r, TColor topLeft, TColor bottomRight, int width) {
    UniquePen light(::CreatePen(PS_SOLID, 1, ColorToRGB(topLeft)));
    UniquePen dark(::CreatePen(PS_SOLID, 1, ColorToRGB(bottomRight)));
    for (int i = 0; i < width; ++i) {
        r.right--, r.bottom--;
        {
            SelectGuard pen(dc, light.get());
            POINT tl[] = {{r.left, r.bottom}, {r.left, r.top}, {r.right, r.top}};
            ::Polyline(dc, tl, 3);
        }
        {
            SelectGuard pen(dc, dark.get());
            POINT br[] = {{r.right, r.top}, {r.right, r.bottom}, {r.left - 1, r.bottom}};
            ::Polyline(dc, br, 3);
        }
        r.left++, r.top++;
    }
}

void TPanel::Paint() {
    TCanvas& canvas = Canvas();
    HDC dc = canvas.Handle();
    RECT r = ClientRect();
    auto bevel = [&](TBevelCut cut) {
        if (cut == TBevelCut::bvNone) return;
        TColor tl = cut == TBevelCut::bvLowered ? clBtnShadow : clBtnHighlight;
        TColor br = cut == TBevelCut::bvLowered ? clBtnHighlight : clBtnShadow;
        if (cut == TBevelCut::bvSpace) tl = br = FColor;
        Frame3D(dc, r, tl, br, FBevelWidth);
    };
    bevel(FBevelOuter);
    if (FBorderWidth > 0) {
        UniqueBrush face(::CreateSolidBrush(ColorToRGB(FColor)));
        for (int i = 0; i < FBorderWidth; ++i) {
            ::FrameRect(dc, &r, face.get());
            ::InflateRect(&r, -1, -1);
        }
    }
    bevel(FBevelInner);
    if (!FParentBackground) {
        canvas.Brush().SetColor(FColor);
        canvas.FillRect(r);
    }
    std::wstring text = Caption();
    if (text.empty()) return;
    canvas.Brush().SetStyle(TBrushStyle::bsClear);
    canvas.Font().Assign(Font());
    UINT flags = DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS |
                 (FAlignment == TAlignment::taLeftJustify ? DT_LEFT : FAlignment == TAlignment::taRightJustify ? DT_RIGHT : DT_CENTER);
    ::DrawTextW(canvas.Handle(), text.c_str(), -1, &r, flags);
}

}  // namespace qx
