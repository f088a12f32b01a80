#include "GroupBox.h"

#include <algorithm>

namespace qx {

namespace {

// Height of "0" in the font: the group box's caption line.
int CaptionHeight(HFONT font) {
    WindowDc screen(nullptr);
    SelectGuard select(screen.get(), font);
    SIZE size{};
    ::GetTextExtentPoint32W(screen.get(), L"0", 1, &size);
    return size.cy;
}

}  // namespace

//--- TCustomGroupBox

QX_DEFINE_CLASS(TCustomGroupBox, TCustomControl, b) {
    b.Boolean(L"ParentBackground", &TCustomGroupBox::ParentBackground, &TCustomGroupBox::SetParentBackground);
}

QX_DEFINE_CLASS(TGroupBox, TCustomGroupBox, b) { b.Creatable(); }

TCustomGroupBox::TCustomGroupBox(TComponent* owner) : TCustomControl(owner) {
    FWidth = 185;
    FHeight = 105;
}

void TCustomGroupBox::CreateParams(TCreateParams& p) {
    TCustomControl::CreateParams(p);
    p.Style |= WS_CLIPCHILDREN;
    // The frame follows the edges: a resize repaints the whole box.
    p.WindowClassStyle |= CS_HREDRAW | CS_VREDRAW;
}

int TCustomGroupBox::FrameTop() { return CaptionHeight(Font()->Handle()) / 2 - 1; }

void TCustomGroupBox::Paint() {
    TCanvas& canvas = Canvas();
    canvas.Font().Assign(Font());
    if (!FEnabled) canvas.Font().SetColor(clGrayText);
    canvas.Brush().SetColor(FColor);
    HDC dc = canvas.Handle();  // taken after the changes, so the new font is the one selected
    RECT frame = ClientRect();
    frame.top = FrameTop();
    ::DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
    std::wstring text = Caption();
    if (text.empty()) return;
    // The caption interrupts the top line on the box's own colour.
    RECT r{8, 0, 0, 0};
    ::DrawTextW(dc, text.c_str(), -1, &r, DT_SINGLELINE | DT_CALCRECT);
    ::SetBkMode(dc, OPAQUE);
    ::SetBkColor(dc, ColorToRGB(FColor));
    ::SetTextColor(dc, ColorToRGB(canvas.Font().Color()));
    ::DrawTextW(dc, text.c_str(), -1, &r, DT_SINGLELINE);
}

void TCustomGroupBox::WndProc(TMessage& m) {
    TCustomControl::WndProc(m);
    switch (m.Msg) {
    case CM_TEXTCHANGED:
    case CM_ENABLEDCHANGED:
    case CM_FONTCHANGED: Invalidate(); break;
    }
}

//--- TGroupButton

QX_DEFINE_CLASS(TGroupButton, TRadioButton, b) {}

TGroupButton::TGroupButton(TRadioGroup& group, int index) : TRadioButton(&group), FGroup(group), FIndex(index) {}

void TGroupButton::Click() {
    TRadioButton::Click();
    if (Checked()) FGroup.ButtonClicked(*this);
}

void TGroupButton::SetCheckedQuietly(bool v) {
    FClicksDisabled = true;
    SetChecked(v);
    FClicksDisabled = false;
}

//--- TRadioGroup

QX_DEFINE_CLASS(TRadioGroup, TCustomGroupBox, b) {
    b.Object(L"Items", &TRadioGroup::Items);
    b.Integer(L"ItemIndex", &TRadioGroup::ItemIndex, &TRadioGroup::SetItemIndex);
    b.Integer(L"Columns", &TRadioGroup::Columns, &TRadioGroup::SetColumns);
    b.Creatable();
}

TRadioGroup::TRadioGroup(TComponent* owner) : TCustomGroupBox(owner) {
    FItems.OnChange = TNotifyEvent::Of<&TRadioGroup::ItemsChanged>(this);
}

// The buttons are children: the control base frees them.
TRadioGroup::~TRadioGroup() {
    FItems.OnChange = {};
    FButtons.clear();
}

void TRadioGroup::ItemsChanged(TObject*) {
    if (HasState(csLoading)) return;
    if (FItemIndex >= FItems.Count()) FItemIndex = FItems.Count() - 1;
    UpdateButtons();
}

void TRadioGroup::Loaded() {
    TCustomGroupBox::Loaded();
    if (FItemIndex < -1 || FItemIndex >= FItems.Count()) FItemIndex = -1;
    UpdateButtons();
}

void TRadioGroup::UpdateButtons() {
    while (ButtonCount() > FItems.Count()) {
        delete FButtons.back();
        FButtons.pop_back();
    }
    while (ButtonCount() < FItems.Count()) {
        auto* button = new TGroupButton(*this, ButtonCount());
        button->SetEnabled(FEnabled);
        button->SetParent(this);
        FButtons.push_back(button);
    }
    FUpdating = true;
    for (int i = 0; i < ButtonCount(); ++i) {
        FButtons[i]->SetCaption(FItems.Get(i));
        FButtons[i]->SetCheckedQuietly(i == FItemIndex);
    }
    FUpdating = false;
    ArrangeButtons();
}

void TRadioGroup::ArrangeButtons() {
    if (FButtons.empty()) return;
    int textHeight = CaptionHeight(Font()->Handle());
    int columns = std::max(FColumns, 1);
    int perColumn = (ButtonCount() + columns - 1) / columns;
    int width = (FWidth - 10) / columns;
    int space = FHeight - textHeight - 5;
    int height = space / perColumn;
    int topMargin = textHeight + 1 + (space % perColumn) / 2;
    for (int i = 0; i < ButtonCount(); ++i)
        FButtons[i]->SetBounds((i / perColumn) * width + 8, (i % perColumn) * height + topMargin, width, height);
}

void TRadioGroup::SetItemIndex(int v) {
    if (HasState(csLoading)) {
        FItemIndex = v;
        return;
    }
    v = std::clamp(v, -1, ButtonCount() - 1);
    if (v == FItemIndex) return;
    if (FItemIndex >= 0) FButtons[FItemIndex]->SetCheckedQuietly(false);
    FItemIndex = v;
    // Checking the button reports the change through ButtonClicked, as a click of the user does.
    if (v >= 0) FButtons[v]->SetChecked(true);
}

void TRadioGroup::ButtonClicked(TGroupButton& button) {
    if (FUpdating) return;
    FItemIndex = button.Index();
    Click();
}

void TRadioGroup::SetColumns(int v) {
    v = std::clamp(v, 1, 16);
    if (v == FColumns) return;
    FColumns = v;
    ArrangeButtons();
}

void TRadioGroup::SetBounds(int left, int top, int width, int height) {
    TCustomGroupBox::SetBounds(left, top, width, height);
    ArrangeButtons();
}

// The buttons take the group's enabled state, so a disabled group shows disabled buttons.
void TRadioGroup::WndProc(TMessage& m) {
    TCustomGroupBox::WndProc(m);
    if (m.Msg == CM_ENABLEDCHANGED)
        for (TGroupButton* button : FButtons) button->SetEnabled(FEnabled);
}

void TRadioGroup::FontChanged(TObject* sender) {
    TCustomGroupBox::FontChanged(sender);
    ArrangeButtons();
}

}  // namespace qx
