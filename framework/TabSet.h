#pragma once
// TTabSet: a strip of tabs drawn by the control itself (window class "TTabSet"), each as wide
// as its text + 9, laid out from StartMargin beginning with the tab FirstIndex. When the tabs do
// not all fit before EndMargin, a horizontal up-down (the tab set's first owned component)
// appears at the right end and scrolls the strip.
#include "Controls.h"
#include "Strings.h"
#include "UpDown.h"

#include <vector>

namespace qx {

class TTabSet : public TCustomControl {
    QX_CLASS(TTabSet)
public:
    explicit TTabSet(TComponent* owner);

    TStrings* Tabs() { return &FTabs; }
    int TabIndex() const { return FTabIndex; }
    void SetTabIndex(int v);
    int FirstIndex() const { return FFirstIndex; }
    void SetFirstIndex(int v);
    int StartMargin() const { return FStartMargin; }
    void SetStartMargin(int v);
    int EndMargin() const { return FEndMargin; }
    void SetEndMargin(int v);
    bool AutoScroll() const { return FAutoScroll; }
    void SetAutoScroll(bool v);
    TColor SelectedColor() const { return FSelectedColor; }
    void SetSelectedColor(TColor v) { FSelectedColor = v; Invalidate(); }
    TColor UnselectedColor() const { return FUnselectedColor; }
    void SetUnselectedColor(TColor v) { FUnselectedColor = v; Invalidate(); }
    // The scroll arrows; shown only while some tabs do not fit.
    TUpDown* Scroller() const { return FScroller; }

    // Tab rectangles of the visible tabs, from FirstIndex on (client coordinates).
    struct TTabPlace {
        int Index;
        RECT Rect;
    };
    std::vector<TTabPlace> VisibleTabs();
    // The tab under a client point, -1 when none.
    int TabAt(POINT p);

    void WndProc(TMessage& m) override;

    TNotifyEvent OnChange;

protected:
    void Paint() override;
    void HandleCreated() override;

private:
    void TabsChanged(TObject*);
    void ScrollerClicked(TObject*, TUDBtnType button);
    void UpdateScroller();
    int TabWidth(HDC dc, int index);

    TStringList FTabs;
    TUpDown* FScroller = nullptr;
    int FTabIndex = -1;
    int FFirstIndex = 0;
    int FStartMargin = 5;
    int FEndMargin = 5;
    bool FAutoScroll = true;
    TColor FSelectedColor = clBtnFace;
    TColor FUnselectedColor = clWindow;
};

}  // namespace qx
