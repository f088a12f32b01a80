// Tab wrappers: the close boxes of a page control tagged 7777 ask the form and free the page
// on 0; bottom tabs draw the Tabs image upside down; the strip coordinates of every tab position
// map back exactly; a tab set's tabs are drawn where the tab set lays them out.
#include "framework/PageControl.h"
#include "framework/TabControl.h"
#include "framework/TabSet.h"
#include "skin/controls/SkinClassify.h"
#include "skin/controls/SkinTab.h"
#include "skin/controls/SkinTab31.h"
#include "support/BoxesTestSupport.h"

#include <commctrl.h>
#include <gtest/gtest.h>

using namespace boxestest;
using qx::test::DibCanvas;

namespace {

class SkinTabTest : public ::testing::Test {
protected:
    void SetUp() override {
        skin = LoadDefaultSkin();
        ASSERT_NE(skin, nullptr);
        ASSERT_TRUE(skin->Tabs);
        host = std::make_unique<TTestHost>(skin.get());
        form = NewForm(420, 300);
        oldProc = form->WindowProc;
        form->WindowProc = qx::TWndMethod::Of<&SkinTabTest::FormProc>(this);
    }
    void TearDown() override {
        host.reset();
        delete form;
    }
    qx::TPageControl* MakePages(int tag) {
        auto* pages = new qx::TPageControl(form);
        pages->SetParent(form);
        pages->SetBounds(10, 10, 380, 200);
        pages->SetTag(tag);
        for (const wchar_t* caption : {L"Hosts", L"Routes", L"Ledger"}) {
            auto* sheet = new qx::TTabSheet(form);
            sheet->SetCaption(caption);
            sheet->SetPageControl(pages);
        }
        pages->HandleNeeded();
        return pages;
    }
    TSkinTab* Wrap(qx::TWinControl* control) {
        auto* w = new TSkinTab(control);
        w->Attach(host.get(), skin.get(), false, host->ControlCanvas());
        return w;
    }

public:
    // The form answers SKN_TABCLOSE with `answer` and keeps what it was asked.
    void FormProc(qx::TMessage& m) {
        if (m.Msg == SKN_TABCLOSE) {
            asked.push_back({reinterpret_cast<HWND>(m.WParam), static_cast<int>(m.LParam)});
            m.Result = answer;
            return;
        }
        oldProc(m);
    }
    std::unique_ptr<TSkinData> skin;
    std::unique_ptr<TTestHost> host;
    qx::TForm* form = nullptr;
    qx::TWndMethod oldProc;
    std::vector<std::pair<HWND, int>> asked;
    LRESULT answer = 0;
};

LPARAM CentreOf(const RECT& r) { return MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2); }

TEST_F(SkinTabTest, CloseBoxAsksTheFormAndFreesThePageOnZero) {
    struct Case {
        int tag;
        int tab;
        LRESULT answer;
        bool onBox;
        bool asks;
        int pagesLeft;
        const wchar_t* gone;
    };
    const Case cases[] = {
        {7777, 1, 0, true, true, 2, L"Routes"},
        {7777, 0, 1, true, true, 3, nullptr},    // the form keeps the page
        {7777, 2, 0, false, false, 3, nullptr},  // a press beside the box selects the tab
        {0, 1, 0, true, false, 3, nullptr},      // no close boxes without the tag
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "tag " << c.tag << " tab " << c.tab);
        asked.clear();
        answer = c.answer;
        qx::TPageControl* pages = MakePages(c.tag);
        TSkinTab* w = Wrap(pages);
        form->Show();
        PaintNow(form->Handle());
        EXPECT_EQ(w->CloseBoxMode(), c.tag == 7777);
        RECT item{};
        ::SendMessageW(pages->Handle(), TCM_GETITEMRECT, c.tab, reinterpret_cast<LPARAM>(&item));
        const RECT box = c.tag == 7777 ? w->CloseBoxes().at(static_cast<size_t>(c.tab)) : RECT{item.right - 8, item.top + 2, item.right - 2, item.top + 8};
        // The box sits in the tab's top-right corner.
        EXPECT_TRUE(::PtInRect(&item, POINT{box.left, box.top}));
        const LPARAM at = c.onBox ? CentreOf(box) : MAKELPARAM(item.left + 4, (item.top + item.bottom) / 2);
        ::SendMessageW(pages->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
        ::SendMessageW(pages->Handle(), WM_LBUTTONUP, 0, at);
        ASSERT_EQ(asked.size(), c.asks ? 1u : 0u);
        if (c.asks) {
            EXPECT_EQ(asked[0].first, pages->Handle());
            EXPECT_EQ(asked[0].second, c.tab);
        }
        EXPECT_EQ(pages->PageCount(), c.pagesLeft);
        for (int i = 0; i < pages->PageCount(); ++i) {
            if (c.gone) {
                EXPECT_NE(pages->Pages(i)->Caption(), c.gone);
            }
        }
        if (!c.asks && c.tag == 7777) {
            EXPECT_EQ(pages->TabIndex(), c.tab);
        }
        if (c.tag == 7777 && c.tab == 1) {
            DibCanvas shot(420, 300);
            ScreenShot(form->Handle(), shot);
            SaveShot(shot, "SkinTab_CloseBoxes");
        }
        delete pages;
    }
}

TEST_F(SkinTabTest, BottomTabsUseTheImageUpsideDown) {
    struct Case {
        qx::TTabPosition position;
        int expected;
        bool flipped;
    };
    const Case cases[] = {{qx::TTabPosition::tpTop, 0, false}, {qx::TTabPosition::tpBottom, 1, true},
                          {qx::TTabPosition::tpLeft, 2, false}, {qx::TTabPosition::tpRight, 3, false}};
    qx::TBitmap& source = skin->Tabs->Bitmap;
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.position));
        auto* tabs = new qx::TTabControl(form);
        tabs->SetParent(form);
        tabs->SetBounds(10, 10, 300, 150);
        tabs->SetTabPosition(c.position);
        tabs->Tabs()->Add(L"Cisco");
        tabs->Tabs()->Add(L"Huawei");
        tabs->HandleNeeded();
        TSkinTab* w = Wrap(tabs);
        EXPECT_EQ(w->Position(), c.expected);
        ASSERT_EQ(w->TabImage().Width(), source.Width());
        ASSERT_EQ(w->TabImage().Height(), source.Height());
        const int h = source.Height();
        int differing = 0;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < source.Width(); x += 3)
                differing += w->TabImage().Pixel(x, y) != source.Pixel(x, c.flipped ? h - 1 - y : y);
        EXPECT_EQ(differing, 0);
        if (c.flipped) {
            form->Show();
            DibCanvas shot(420, 300);
            ScreenShot(form->Handle(), shot);
            SaveShot(shot, "SkinTab_BottomTabs");
        }
        delete tabs;
    }
}

// A strip with more tabs than fit shows the system's scroll arrows: they get their wrapper,
// owned by the control as every wrapper of it is, and go away with it.
TEST_F(SkinTabTest, ScrollArrowsOfAStripThatDoesNotFitAreSkinned) {
    auto* tabs = new qx::TTabControl(form);
    tabs->SetParent(form);
    tabs->SetBounds(10, 10, 160, 100);
    for (const wchar_t* t : {L"Hosts", L"Routes", L"Ledger", L"Census", L"Threshold"}) tabs->Tabs()->Add(t);
    tabs->HandleNeeded();
    form->Show();
    TSkinTab* w = Wrap(tabs);
    PaintNow(form->Handle());
    ASSERT_NE(w->UpDown(), nullptr);
    EXPECT_EQ(w->UpDown()->Owner(), tabs);
    EXPECT_EQ(::SendMessageW(w->UpDown()->Window(), SKN_QUERY, 0, 0), 1);
    EXPECT_EQ(host->Wrappers().size(), 2u);
    DibCanvas shot(420, 300);
    ScreenShot(form->Handle(), shot);
    SaveShot(shot, "SkinTab_ScrollArrows");
    delete tabs;
    EXPECT_TRUE(host->Wrappers().empty());
}

// A raw tab control of a system dialog or another module ("SysTabControl32") is wrapped by its
// window unless it draws its tabs itself (style 0x2000).
TEST_F(SkinTabTest, RawTabControlIsWrappedByItsWindowUnlessOwnerDrawn) {
    for (DWORD extra : {DWORD{0}, DWORD{0x2000}}) {
        HWND raw = ::CreateWindowExW(0, WC_TABCONTROLW, L"", WS_CHILD | WS_VISIBLE | extra, 10, 10, 200, 100,
                                     form->Handle(), nullptr, nullptr, nullptr);
        ASSERT_NE(raw, nullptr);
        ClassifyWindow(*host, raw);
        EXPECT_EQ(::SendMessageW(raw, SKN_QUERY, 0, 0), extra ? 0 : 1) << extra;
        ::DestroyWindow(raw);
    }
}

TEST(TabStripMapTest, EveryPositionMapsBackExactly) {
    for (int position = 0; position < 4; ++position) {
        TTabStripMap map;
        map.Position = position;
        map.Display = RECT{4, 24, 296, 146};
        map.Strip = position == 0   ? RECT{0, 0, 300, 24}
                    : position == 1 ? RECT{0, 146, 300, 170}
                    : position == 2 ? RECT{0, 0, 26, 170}
                                    : RECT{274, 0, 300, 170};
        const SIZE size = map.BitmapSize();
        const RECT tab = position < 2 ? RECT{2, position == 0 ? 2 : 147, 60, position == 0 ? 22 : 167}
                                      : RECT{position == 2 ? 2 : 275, 2, position == 2 ? 24 : 298, 50};
        const RECT s = map.ToStrip(tab);
        EXPECT_TRUE(s.left >= 0 && s.top >= 0 && s.right <= size.cx + 1 && s.bottom <= size.cy + 1) << position;
        const RECT back = map.ToControl(s);
        EXPECT_TRUE(::EqualRect(&back, &tab)) << position;
    }
}

TEST_F(SkinTabTest, TabSetDrawsItsVisibleTabsFromTheFirstIndexWithTheSelectedOneInFrameTwo) {
    auto* tabSet = new qx::TTabSet(form);
    tabSet->SetParent(form);
    tabSet->SetBounds(10, 220, 200, 22);
    for (const wchar_t* t : {L"Hosts", L"Routes", L"Ledger", L"Census", L"Threshold", L"Dialect"}) tabSet->Tabs()->Add(t);
    tabSet->SetTabIndex(1);
    tabSet->HandleNeeded();
    auto* w = new TSkinTab31(tabSet);
    w->Attach(host.get(), skin.get(), false, host->ControlCanvas());
    form->Show();
    PaintNow(form->Handle());
    DibCanvas canvas(200, 22);
    w->Paint(canvas.Dc(), canvas.Rect());
    ASSERT_FALSE(w->DrawnTabs().empty());
    EXPECT_EQ(w->DrawnTabs().front().first, tabSet->FirstIndex());
    EXPECT_EQ(w->DrawnTabs().front().second.left, tabSet->StartMargin());
    EXPECT_LT(w->DrawnTabs().size(), 6u);  // they do not all fit
    for (const auto& [index, r] : w->DrawnTabs()) EXPECT_LE(r.right, 200 - tabSet->EndMargin());
    // The arrows of the tab set are wrapped, left and right.
    ASSERT_NE(w->UpDown(), nullptr);
    DibCanvas shot(420, 300);
    ScreenShot(form->Handle(), shot);
    SaveShot(shot, "SkinTab_TabSet");
}

}  // namespace
