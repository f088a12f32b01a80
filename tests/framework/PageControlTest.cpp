// Tab families: a page control shows the page of the tab the user picks (unless OnChanging
// refuses), freeing a page takes its tab away and selects a neighbour, and a tab set selects the
// tab under the mouse and scrolls with its arrows.
#include "framework/Forms.h"
#include "framework/PageControl.h"
#include "framework/TabSet.h"
#include "support/TestSupport.h"

#include <commctrl.h>
#include <gtest/gtest.h>

using namespace qx;

namespace {

LPARAM CenterOf(const RECT& r) { return MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2); }

// A page control with the pages "One", "Two" and "Three", its window made.
TPageControl* MakePages(TForm* form) {
    auto* pages = new TPageControl(form);
    pages->SetParent(form);
    pages->SetBounds(0, 0, 300, 200);
    for (const wchar_t* caption : {L"One", L"Two", L"Three"}) {
        auto* sheet = new TTabSheet(form);
        sheet->SetCaption(caption);
        sheet->SetPageControl(pages);
    }
    pages->HandleNeeded();
    return pages;
}

class PageControlTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::EnsureApplication();
        form = new TForm(Application);
        form->SetBounds(0, 0, 400, 300);
        pages = MakePages(form);
    }
    void TearDown() override { delete form; }

    void Click(int tab) {
        RECT r{};
        ::SendMessageW(pages->Handle(), TCM_GETITEMRECT, tab, reinterpret_cast<LPARAM>(&r));
        ::SendMessageW(pages->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, CenterOf(r));
        ::SendMessageW(pages->Handle(), WM_LBUTTONUP, 0, CenterOf(r));
    }

public:
    void Changing(TObject*, bool& allow) { allow = allowChange; }
    void Changed(TObject*) { ++changes; }

    TForm* form = nullptr;
    TPageControl* pages = nullptr;
    bool allowChange = true;
    int changes = 0;
};

TEST_F(PageControlTest, ClickingATabShowsItsPageUnlessOnChangingRefuses) {
    struct Case {
        bool allow;
        int expectedPage;
        int expectedChanges;
    };
    for (Case c : {Case{false, 0, 0}, Case{true, 2, 1}}) {
        allowChange = c.allow;
        changes = 0;
        pages->OnChanging = TTabChangingEvent::Of<&PageControlTest::Changing>(this);
        pages->OnChange = TNotifyEvent::Of<&PageControlTest::Changed>(this);
        Click(2);
        EXPECT_EQ(pages->ActivePageIndex(), c.expectedPage) << "allow " << c.allow;
        EXPECT_EQ(changes, c.expectedChanges);
        EXPECT_TRUE(::GetWindowLongPtrW(pages->ActivePage()->Handle(), GWL_STYLE) & WS_VISIBLE);
        EXPECT_FALSE(::GetWindowLongPtrW(pages->Pages(1)->Handle(), GWL_STYLE) & WS_VISIBLE);
    }
}

TEST_F(PageControlTest, FreeingTheActivePageSelectsTheNextOneOrElseThePrevious) {
    struct Case {
        int active;
        const wchar_t* expected;
    };
    for (Case c : {Case{1, L"Three"}, Case{2, L"Two"}}) {
        TForm other(nullptr);
        TPageControl* p = MakePages(&other);
        p->SetActivePageIndex(c.active);
        delete p->Pages(c.active);
        EXPECT_EQ(p->PageCount(), 2);
        EXPECT_EQ(::SendMessageW(p->Handle(), TCM_GETITEMCOUNT, 0, 0), 2);
        ASSERT_NE(p->ActivePage(), nullptr);
        EXPECT_EQ(p->ActivePage()->Caption(), c.expected);
        EXPECT_EQ(::SendMessageW(p->Handle(), TCM_GETCURSEL, 0, 0), p->ActivePage()->TabIndex());
        EXPECT_TRUE(::GetWindowLongPtrW(p->ActivePage()->Handle(), GWL_STYLE) & WS_VISIBLE);
    }
}

TEST_F(PageControlTest, APageWithoutItsTabKeepsTheOtherTabsInOrder) {
    pages->Pages(1)->SetTabVisible(false);
    EXPECT_EQ(::SendMessageW(pages->Handle(), TCM_GETITEMCOUNT, 0, 0), 2);
    EXPECT_EQ(pages->PageOfTab(1), pages->Pages(2));
    EXPECT_EQ(pages->Pages(2)->TabIndex(), 1);
}

class TabSetTest : public PageControlTest {
public:
    void TabChanged(TObject*) { ++changes; }
};

TEST_F(TabSetTest, ClickingATabSelectsItAndTheArrowsScrollTheStrip) {
    auto* set = new TTabSet(form);
    set->SetParent(form);
    set->SetBounds(0, 250, 140, 21);
    set->Tabs()->SetText(L"First\nSecond\nThird\nFourth\nFifth");
    set->OnChange = TNotifyEvent::Of<&TabSetTest::TabChanged>(this);
    set->HandleNeeded();
    auto tabs = set->VisibleTabs();
    ASSERT_GE(tabs.size(), 2u);
    ::SendMessageW(set->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, CenterOf(tabs[1].Rect));
    EXPECT_EQ(set->TabIndex(), 1);
    EXPECT_EQ(changes, 1);

    // The right arrow of the horizontal up-down moves the strip by one tab.
    HWND arrows = set->Scroller()->Handle();
    RECT r{};
    ::GetClientRect(arrows, &r);
    LPARAM right = MAKELPARAM(r.right - 3, r.bottom / 2);
    ::SendMessageW(arrows, WM_LBUTTONDOWN, MK_LBUTTON, right);
    ::SendMessageW(arrows, WM_LBUTTONUP, 0, right);
    EXPECT_EQ(set->FirstIndex(), 1);
    EXPECT_EQ(set->VisibleTabs().front().Index, 1);
}

}  // namespace
