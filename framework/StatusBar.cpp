#include "StatusBar.h"
#include "CommonControls.h"

#include <commctrl.h>

namespace qx {

const std::vector<std::wstring>& AlignmentNames();

namespace {

const std::vector<std::wstring> kBevelNames{L"pbNone", L"pbLowered", L"pbRaised"};
const std::vector<std::wstring> kPanelStyleNames{L"psText", L"psOwnerDraw"};

bool RightToLeft(TBiDiMode mode) { return mode == TBiDiMode::bdRightToLeft; }

// The system status bar aligns a part's text by leading tabs: one centres it, two put it right.
std::wstring AlignedText(const std::wstring& text, TAlignment alignment, bool rightToLeft) {
    if (rightToLeft && alignment != TAlignment::taCenter)
        alignment = alignment == TAlignment::taLeftJustify ? TAlignment::taRightJustify : TAlignment::taLeftJustify;
    switch (alignment) {
    case TAlignment::taCenter: return L"\t" + text;
    case TAlignment::taRightJustify: return L"\t\t" + text;
    default: return text;
    }
}

}  // namespace

const std::vector<std::wstring>& BiDiModeNames() {
    static const std::vector<std::wstring> names{L"bdLeftToRight", L"bdRightToLeft", L"bdRightToLeftNoAlign",
                                                 L"bdRightToLeftReadingOnly"};
    return names;
}

QX_DEFINE_CLASS(TStatusPanel, TCollectionItem, b) {
    b.String(L"Text", &TStatusPanel::Text, &TStatusPanel::SetText);
    b.Integer(L"Width", &TStatusPanel::Width, &TStatusPanel::SetWidth);
    b.Enum<TStatusPanelBevel>(L"Bevel", kBevelNames, &TStatusPanel::Bevel, &TStatusPanel::SetBevel);
    b.Enum<TStatusPanelStyle>(L"Style", kPanelStyleNames, &TStatusPanel::Style, &TStatusPanel::SetStyle);
    b.Enum<TAlignment>(L"Alignment", AlignmentNames(), &TStatusPanel::Alignment, &TStatusPanel::SetAlignment);
    b.Enum<TBiDiMode>(L"BiDiMode", BiDiModeNames(), &TStatusPanel::BiDiMode, &TStatusPanel::SetBiDiMode);
}

QX_DEFINE_CLASS(TStatusBar, TWinControl, b) {
    b.Object(L"Panels", &TStatusBar::Panels);
    b.Boolean(L"SimplePanel", &TStatusBar::SimplePanel, &TStatusBar::SetSimplePanel);
    b.String(L"SimpleText", &TStatusBar::SimpleText, &TStatusBar::SetSimpleText);
    b.Boolean(L"SizeGrip", &TStatusBar::SizeGrip, &TStatusBar::SetSizeGrip);
    b.Enum<TBiDiMode>(L"BiDiMode", BiDiModeNames(), &TStatusBar::BiDiMode, &TStatusBar::SetBiDiMode);
    b.Event(L"OnDrawPanel", &TStatusBar::OnDrawPanel);
    b.Creatable();
}

TStatusBar::TStatusBar(TComponent* owner)
    : TWinControl(owner), FPanels(this, [this](TCollectionItem* item) { PanelsChanged(item); }) {
    FWidth = 200;
    FHeight = 19;
    FAlign = TAlign::alBottom;
}

// The framework places the bar (Align), so the system neither moves nor sizes it.
void TStatusBar::CreateParams(TCreateParams& p) {
    EnsureCommonControls(ICC_BAR_CLASSES);
    TWinControl::CreateParams(p);
    p.SysClassName = STATUSCLASSNAMEW;
    p.Style |= CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER;
    if (FSizeGrip) p.Style |= SBARS_SIZEGRIP;
}

void TStatusBar::HandleCreated() {
    PanelsChanged(nullptr);
    WriteSimpleText();
}

// Panels end at the sum of the widths so far; the last one reaches the bar's end.
void TStatusBar::WriteParts() {
    if (!FHandle) return;
    const bool simple = FSimplePanel || FPanels.Count() == 0;
    std::vector<int> edges;
    int right = 0;
    for (int i = 0; i < FPanels.Count(); ++i) {
        right += FPanels.Items(i)->Width();
        edges.push_back(i + 1 == FPanels.Count() ? -1 : right);
    }
    if (edges.empty()) edges.push_back(-1);
    ::SendMessageW(FHandle, SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
    ::SendMessageW(FHandle, SB_SIMPLE, simple, 0);
}

void TStatusBar::WritePanelText(int index) {
    TStatusPanel* panel = FPanels.Items(index);
    WPARAM flags = static_cast<WPARAM>(index);
    if (panel->Bevel() == TStatusPanelBevel::pbNone) flags |= SBT_NOBORDERS;
    if (panel->Bevel() == TStatusPanelBevel::pbRaised) flags |= SBT_POPOUT;
    if (RightToLeft(panel->BiDiMode())) flags |= SBT_RTLREADING;
    if (panel->Style() == TStatusPanelStyle::psOwnerDraw) {
        // The item data of WM_DRAWITEM is the panel's index.
        ::SendMessageW(FHandle, SB_SETTEXTW, flags | SBT_OWNERDRAW, index);
        return;
    }
    const std::wstring text = AlignedText(panel->Text(), panel->Alignment(), RightToLeft(panel->BiDiMode()));
    ::SendMessageW(FHandle, SB_SETTEXTW, flags, reinterpret_cast<LPARAM>(text.c_str()));
}

void TStatusBar::PanelsChanged(TCollectionItem* item) {
    if (!FHandle) return;
    WriteParts();
    if (item) return WritePanelText(item->Index());
    for (int i = 0; i < FPanels.Count(); ++i) WritePanelText(i);
}

void TStatusBar::WriteSimpleText() {
    if (!FHandle) return;
    const bool rtl = RightToLeft(FBiDiMode);
    const std::wstring text = AlignedText(FSimpleText, TAlignment::taLeftJustify, rtl);
    ::SendMessageW(FHandle, SB_SETTEXTW, SB_SIMPLEID | (rtl ? SBT_RTLREADING : 0), reinterpret_cast<LPARAM>(text.c_str()));
}

void TStatusBar::SetSimplePanel(bool v) {
    if (v == FSimplePanel) return;
    FSimplePanel = v;
    WriteParts();
}

void TStatusBar::SetSimpleText(const std::wstring& v) {
    FSimpleText = v;
    WriteSimpleText();
}

void TStatusBar::SetSizeGrip(bool v) {
    if (v == FSizeGrip) return;
    FSizeGrip = v;
    RecreateWnd();
}

void TStatusBar::SetBiDiMode(TBiDiMode v) {
    FBiDiMode = v;
    WriteSimpleText();
}

void TStatusBar::DrawPanel(const DRAWITEMSTRUCT& item) {
    if (!OnDrawPanel || item.itemID >= static_cast<UINT>(FPanels.Count())) return;
    FCanvas.SetHandle(item.hDC);
    FCanvas.Font().Assign(Font());
    OnDrawPanel(this, FPanels.Items(static_cast<int>(item.itemID)), item.rcItem);
    FCanvas.SetHandle(nullptr);
}

void TStatusBar::WndProc(TMessage& m) {
    if (m.Msg == CN_DRAWITEM && m.LParam) {
        DrawPanel(*reinterpret_cast<const DRAWITEMSTRUCT*>(m.LParam));
        m.Result = 1;
        return;
    }
    TWinControl::WndProc(m);
}

}  // namespace qx
