#include "TabSet.h"
#include "Handles.h"

#include <algorithm>

namespace qx {

namespace {
constexpr int kTabPadding = 9;        // a tab is its text + this
constexpr int kScrollerReserve = 21;  // what a tab needs beyond its text while the arrows show
constexpr int kScrollerWidth = 32;
}  // namespace

QX_DEFINE_CLASS(TTabSet, TCustomControl, b) {
    b.Object(L"Tabs", &TTabSet::Tabs);
    b.Integer(L"TabIndex", &TTabSet::TabIndex, &TTabSet::SetTabIndex);
    b.Integer(L"FirstIndex", &TTabSet::FirstIndex, &TTabSet::SetFirstIndex);
    b.Integer(L"StartMargin", &TTabSet::StartMargin, &TTabSet::SetStartMargin);
    b.Integer(L"EndMargin", &TTabSet::EndMargin, &TTabSet::SetEndMargin);
    b.Boolean(L"AutoScroll", &TTabSet::AutoScroll, &TTabSet::SetAutoScroll);
    b.Integer(L"SelectedColor", &TTabSet::SelectedColor, &TTabSet::SetSelectedColor);
    b.Integer(L"UnselectedColor", &TTabSet::UnselectedColor, &TTabSet::SetUnselectedColor);
    b.Event(L"OnChange", &TTabSet::OnChange);
    b.Creatable();
}

TTabSet::TTabSet(TComponent* owner) : TCustomControl(owner) {
    FWidth = 185;
    FHeight = 21;
    FTabStop = true;
    FTabs.OnChange = TNotifyEvent::Of<&TTabSet::TabsChanged>(this);
    // Created first, so it is the tab set's first owned component.
    FScroller = new TUpDown(this);
    FScroller->SetOrientation(TUDOrientation::udHorizontal);
    FScroller->SetVisible(false);
    FScroller->SetParent(this);
    FScroller->OnClick = TUDClickEvent::Of<&TTabSet::ScrollerClicked>(this);
}

void TTabSet::SetTabIndex(int v) {
    if (v < -1 || (!HasState(csLoading) && v >= FTabs.Count())) v = -1;
    if (v == FTabIndex) return;
    FTabIndex = v;
    Invalidate();
}

void TTabSet::SetFirstIndex(int v) {
    if (!HasState(csLoading)) v = std::clamp(v, 0, std::max(FTabs.Count() - 1, 0));
    if (v == FFirstIndex) return;
    FFirstIndex = v;
    UpdateScroller();
    Invalidate();
}

void TTabSet::SetStartMargin(int v) {
    FStartMargin = std::max(v, 0);
    UpdateScroller();
    Invalidate();
}

void TTabSet::SetEndMargin(int v) {
    FEndMargin = std::max(v, 0);
    UpdateScroller();
    Invalidate();
}

void TTabSet::SetAutoScroll(bool v) {
    FAutoScroll = v;
    UpdateScroller();
    Invalidate();
}

int TTabSet::TabWidth(HDC dc, int index) {
    const std::wstring text = FTabs.Get(index);
    SIZE size{};
    ::GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    return size.cx;
}

std::vector<TTabSet::TTabPlace> TTabSet::VisibleTabs() {
    std::vector<TTabPlace> places;
    WindowDc screen(nullptr);
    SelectGuard font(screen.get(), FFont.Handle());
    const int limit = ClientWidth() - FEndMargin;
    const int reserve = FScroller->Visible() ? kScrollerReserve : kTabPadding;
    int x = FStartMargin;
    for (int i = std::max(FFirstIndex, 0); i < FTabs.Count(); ++i) {
        const int text = TabWidth(screen.get(), i);
        if (x + text + reserve > limit) break;
        places.push_back({i, {x, 0, x + text + kTabPadding, ClientHeight() - 2}});
        x += text + kTabPadding;
    }
    return places;
}

int TTabSet::TabAt(POINT p) {
    for (const TTabPlace& place : VisibleTabs())
        if (::PtInRect(&place.Rect, p)) return place.Index;
    return -1;
}

// The arrows show while the strip is scrolled or some tab does not fit.
void TTabSet::UpdateScroller() {
    bool overflow = false;
    if (FAutoScroll && FTabs.Count() > 0) {
        WindowDc screen(nullptr);
        SelectGuard font(screen.get(), FFont.Handle());
        int x = FStartMargin;
        for (int i = 0; i < FTabs.Count() && !overflow; ++i) {
            x += TabWidth(screen.get(), i) + kTabPadding;
            overflow = x > ClientWidth() - FEndMargin;
        }
        overflow = overflow || FFirstIndex > 0;
    }
    const int height = std::min(ClientHeight(), 18);
    FScroller->SetBounds(ClientWidth() - kScrollerWidth, 0, kScrollerWidth, height);
    FScroller->SetMax(std::max(FTabs.Count() - 1, 0));
    FScroller->SetPosition(FFirstIndex);
    FScroller->SetVisible(overflow);
}

void TTabSet::ScrollerClicked(TObject*, TUDBtnType) { SetFirstIndex(FScroller->Position()); }

void TTabSet::TabsChanged(TObject*) {
    if (FTabIndex >= FTabs.Count()) FTabIndex = FTabs.Count() - 1;
    if (FFirstIndex >= FTabs.Count()) FFirstIndex = std::max(FTabs.Count() - 1, 0);
    UpdateScroller();
    Invalidate();
}

void TTabSet::HandleCreated() { UpdateScroller(); }

// Tabs hang from a line at the top edge: the selected one joins the page above it.
void TTabSet::Paint() {
    TCanvas& canvas = Canvas();
    HDC dc = canvas.Handle();
    RECT client = ClientRect();
    canvas.Brush().SetColor(FColor);
    canvas.FillRect(client);
    canvas.Font().Assign(Font());
    canvas.Pen().SetColor(clBtnShadow);
    canvas.MoveTo(0, 0);
    canvas.LineTo(client.right, 0);
    for (const TTabPlace& place : VisibleTabs()) {
        RECT r = place.Rect;
        const bool selected = place.Index == FTabIndex;
        canvas.Brush().SetColor(selected ? FSelectedColor : FUnselectedColor);
        canvas.Pen().SetColor(clWindowText);
        POINT outline[] = {{r.left, r.top}, {r.left + 3, r.bottom - 1}, {r.right - 3, r.bottom - 1}, {r.right, r.top}};
        canvas.Polygon(outline, 4);
        if (selected) {
            canvas.Pen().SetColor(FSelectedColor);
            canvas.MoveTo(r.left + 1, 0);
            canvas.LineTo(r.right, 0);
        }
        ::SetBkMode(dc, TRANSPARENT);
        canvas.Brush().SetStyle(TBrushStyle::bsClear);
        const std::wstring text = FTabs.Get(place.Index);
        ::DrawTextW(canvas.Handle(), text.c_str(), -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        canvas.Brush().SetStyle(TBrushStyle::bsSolid);
    }
}

void TTabSet::WndProc(TMessage& m) {
    switch (m.Msg) {
    case WM_LBUTTONDOWN: {
        const int tab = TabAt({static_cast<short>(m.LParamLo()), static_cast<short>(m.LParamHi())});
        if (tab >= 0 && tab != FTabIndex) {
            SetTabIndex(tab);
            Click();
            if (OnChange) OnChange(this);
        }
        break;
    }
    case WM_SIZE:
        TCustomControl::WndProc(m);
        UpdateScroller();
        return;
    }
    TCustomControl::WndProc(m);
}

}  // namespace qx
