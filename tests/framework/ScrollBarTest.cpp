// A scroll-bar control moves its own position for what the user did (the system only reports
// it): by SmallChange, by LargeChange, to either end, never past Max less the page.
#include "framework/Forms.h"
#include "framework/ScrollBar.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace qx;

namespace {

TEST(ScrollBarTest, ScrollCodesMoveThePositionWithinTheRangeLessThePage) {
    struct Case {
        WORD code;
        int from;
        int expected;
    };
    const Case cases[] = {
        {SB_LINEDOWN, 50, 51}, {SB_LINEUP, 50, 49},  {SB_PAGEDOWN, 50, 60}, {SB_PAGEUP, 50, 40},
        {SB_PAGEDOWN, 85, 90}, {SB_PAGEUP, 5, 0},    {SB_BOTTOM, 50, 90},   {SB_TOP, 50, 0},
    };
    test::EnsureApplication();
    TForm form(nullptr);
    auto* bar = new TScrollBar(&form);
    bar->SetParent(&form);
    bar->SetKind(TScrollBarKind::sbVertical);
    bar->SetMax(100);
    bar->SetPageSize(11);
    bar->SetLargeChange(10);
    int changes = 0;
    struct Counter {
        int* n;
        void Changed(TObject*) { ++*n; }
    } counter{&changes};
    bar->OnChange = TNotifyEvent::Of<&Counter::Changed>(&counter);
    for (const Case& c : cases) {
        bar->SetPosition(c.from);
        changes = 0;
        // What the system sends the parent; the form hands it to the bar.
        ::SendMessageW(form.Handle(), WM_VSCROLL, c.code, reinterpret_cast<LPARAM>(bar->Handle()));
        EXPECT_EQ(bar->Position(), c.expected) << "code " << c.code << " from " << c.from;
        EXPECT_EQ(::GetScrollPos(bar->Handle(), SB_CTL), c.expected);
        EXPECT_EQ(changes, c.expected != c.from ? 1 : 0);
    }
}

}  // namespace
