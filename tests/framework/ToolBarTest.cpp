// Tool buttons are clicked by their bar: one click of the mouse runs the button's OnClick once,
// and a check button's Down follows the bar's checked state.
#include "framework/Forms.h"
#include "framework/ToolBar.h"
#include "support/TestSupport.h"

#include <commctrl.h>
#include <gtest/gtest.h>

using namespace qx;

namespace {

TEST(ToolBarTest, AMouseClickRunsTheButtonOnceAndACheckButtonKeepsItsDownState) {
    struct Case {
        TToolButtonStyle style;
        bool downAfter;
    };
    test::EnsureApplication();
    for (Case c : {Case{TToolButtonStyle::tbsButton, false}, Case{TToolButtonStyle::tbsCheck, true}}) {
        TForm form(nullptr);
        form.SetBounds(0, 0, 300, 200);
        auto* bar = new TToolBar(&form);
        bar->SetParent(&form);
        auto* first = new TToolButton(&form);
        first->SetParent(bar);
        auto* button = new TToolButton(&form);
        button->SetStyle(c.style);
        button->SetParent(bar);
        int clicks = 0;
        struct Counter {
            int* n;
            void Clicked(TObject*) { ++*n; }
        } counter{&clicks};
        button->OnClick = TNotifyEvent::Of<&Counter::Clicked>(&counter);
        bar->HandleNeeded();
        const LPARAM at = MAKELPARAM(button->Left() + button->Width() / 2, button->Top() + button->Height() / 2);
        ::SendMessageW(bar->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
        ::SendMessageW(bar->Handle(), WM_LBUTTONUP, 0, at);
        EXPECT_EQ(clicks, 1) << "style " << static_cast<int>(c.style);
        EXPECT_EQ(button->Down(), c.downAfter);
        EXPECT_GT(button->Left(), first->Left());  // bounds follow the bar's layout
    }
}

}  // namespace
