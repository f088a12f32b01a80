// The skin viewer's pages: a screenshot of each, and switching skinning off and on, after which
// every control of every page is wrapped again.
#include "SkinViewSupport.h"

#include "framework/ListView.h"
#include "framework/TabSet.h"
#include "skin/SkinMessages.h"

#include <gtest/gtest.h>
#include <iostream>

using namespace qx;
using namespace viewtest;

namespace {

class SkinViewPagesTest : public ::testing::Test {
protected:
    void TearDown() override {
        if (form) CloseViewer(form);
    }
    // Brings every page to the front once (so that every control has its window), ending on
    // the first.
    void VisitPages() {
        for (TMenuItem* item : {form->PageRanges, form->PageLists, form->PageInputs, form->PageButtons}) {
            item->Click();
            test::PumpPending(std::chrono::milliseconds(100));
        }
    }
    TSkinViewForm* form = nullptr;
};

struct TWindowed {
    std::string Name;
    HWND Window;
};

std::string Narrow(const std::wstring& s) { return std::string(s.begin(), s.end()); }

// Every window the viewer made: its windowed controls, the list view's header and the tab
// set's scroller.
std::vector<TWindowed> ViewerWindows(TSkinViewForm* form) {
    std::vector<TWindowed> found;
    for (int i = 0; i < form->ComponentCount(); ++i) {
        auto* control = dynamic_cast<TWinControl*>(form->Components(i));
        if (!control || !control->HandleAllocated()) continue;
        found.push_back({Narrow(control->ClassName()) + " " + std::to_string(i), control->Handle()});
        if (auto* view = dynamic_cast<TListView*>(control)) found.push_back({"list view header", view->HeaderHandle()});
        if (auto* set = dynamic_cast<TTabSet*>(control); set && set->Scroller() && set->Scroller()->HandleAllocated())
            found.push_back({"tab set scroller", set->Scroller()->Handle()});
    }
    return found;
}

bool Wrapped(HWND window) { return ::SendMessageW(window, SKN_QUERY, 0, 0) == 1; }

TEST_F(SkinViewPagesTest, EachPageIsShotSkinned) {
    form = OpenViewer();
    const struct {
        TMenuItem* Item;
        const char* Shot;
    } pages[] = {{form->PageButtons, "skinview_page1"},
                 {form->PageInputs, "skinview_page2"},
                 {form->PageLists, "skinview_page3"},
                 {form->PageRanges, "skinview_page4"}};
    for (const auto& p : pages) {
        p.Item->Click();
        RepaintAll(form->Handle());
        EXPECT_TRUE(IsSkinned(form->Handle()));
        EXPECT_FALSE(ShotWithMenus(form->Handle(), p.Shot).empty()) << p.Shot;
    }
}

// Off, no control answers as skinned and every page looks exactly as in a viewer never skinned;
// on again, exactly the controls wrapped before are wrapped again and every page looks exactly
// as it did before; off a second time, exactly as the first time off.
TEST_F(SkinViewPagesTest, SkinningOffAndOnRewrapsEveryControl) {
    const auto switchTo = [&](bool on) {
        form->SetSkinning(on);
        ASSERT_TRUE(test::PumpUntil([&] { return IsSkinned(form->Handle()) == on; }));
        test::PumpPending(std::chrono::milliseconds(200));
    };
    const char* const names[] = {"page1", "page2", "page3", "page4"};
    // Each page as the screen shows it, saved with the given prefix.
    const auto shootPages = [&](const std::string& prefix) {
        std::vector<std::unique_ptr<test::DibCanvas>> shots;
        for (TMenuItem* item : {form->PageButtons, form->PageInputs, form->PageLists, form->PageRanges}) {
            item->Click();
            RepaintAll(form->Handle());
            shots.push_back(ShootWindow(form->Handle(), prefix + names[shots.size()]));
        }
        return shots;
    };
    // The whole window, or only its client area (the never skinned viewer's caption may show it
    // inactive).
    const auto expectSame = [&](const auto& a, const auto& b, const char* what, bool clientOnly = false) {
        RECT area{0, 0, a[0]->Width(), a[0]->Height()};
        if (clientOnly) {
            ::GetClientRect(form->Handle(), &area);
            POINT origin{0, 0};
            ::ClientToScreen(form->Handle(), &origin);
            RECT frame{};
            ::GetWindowRect(form->Handle(), &frame);
            ::OffsetRect(&area, origin.x - frame.left, origin.y - frame.top);
        }
        const POINT at{area.left, area.top};
        for (size_t i = 0; i < a.size(); ++i)
            EXPECT_EQ(Differing(*a[i], at, *b[i], at, area.right - area.left, area.bottom - area.top), 0) << what << " " << names[i];
    };
    // A viewer that was never skinned, as the baseline of the unskinned look.
    form = new TSkinViewForm(Application);
    form->Tell = [](const std::wstring&) {};
    form->SetSkinning(false);
    form->Show();
    ::SetForegroundWindow(form->Handle());
    test::PumpPending(std::chrono::milliseconds(600));
    ASSERT_FALSE(IsSkinned(form->Handle()));
    const auto never = shootPages("skinview_never_");
    CloseViewer(form);

    // A face colour far from the system's, so that a colour not given back shows.
    form = OpenViewer(WriteSkinFile("view_face.skin", "Colours", "ButtonFace", "200 225 190"));
    ASSERT_EQ(form->SkinData1->ButtonFace, RGB(200, 225, 190));
    VisitPages();
    const std::vector<TWindowed> windows = ViewerWindows(form);
    ASSERT_GT(windows.size(), 40u);
    std::vector<bool> before;
    for (const TWindowed& w : windows) {
        before.push_back(Wrapped(w.Window));
        // Some kinds answer nothing (the panel's wrapper only recolours it): named, not forced.
        if (!before.back()) std::cout << "not wrapped while skinned: " << w.Name << "\n";
    }
    const auto skinned = shootPages("skinview_before_");

    switchTo(false);
    for (const TWindowed& w : windows) EXPECT_FALSE(Wrapped(w.Window)) << w.Name;
    const auto off = shootPages("skinview_off_");
    expectSame(never, off, "off, against never skinned", true);

    switchTo(true);
    VisitPages();
    // No window was made anew: the same windows carry their wrappers again.
    ASSERT_EQ(ViewerWindows(form).size(), windows.size());
    for (size_t i = 0; i < windows.size(); ++i) EXPECT_EQ(Wrapped(windows[i].Window), before[i]) << windows[i].Name;
    expectSame(skinned, shootPages("skinview_reskinned_"), "skinned again");

    switchTo(false);
    expectSame(off, shootPages("skinview_off_again_"), "off again");
}

}  // namespace
