// Tool buttons are clicked by their bar: one click of the mouse runs the button's OnClick once,
// and a check button's Down follows the bar's checked state. A menu on the bar shows as buttons.
#include "framework/Forms.h"
#include "framework/Menus.h"
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

std::wstring ButtonText(HWND bar, int command) {
    wchar_t text[32] = {};
    ::SendMessageW(bar, TB_GETBUTTONTEXTW, command, reinterpret_cast<LPARAM>(text));
    return text;
}

TEST(ToolBarTest, AMenuShowsAsOneButtonPerVisibleItemUntilTheMenuIsFreed) {
    test::EnsureApplication();
    TForm form(nullptr);
    auto* bar = new TToolBar(&form);
    bar->SetParent(&form);
    auto* menu = new TMainMenu(&form);
    for (const wchar_t* caption : {L"File", L"Hidden", L"Help"}) {
        auto* item = new TMenuItem(menu);
        item->SetCaption(caption);
        item->SetVisible(std::wstring(caption) != L"Hidden");
        menu->Items()->Add(item);
    }
    bar->SetMenu(menu);
    bar->HandleNeeded();
    ASSERT_EQ(::SendMessageW(bar->Handle(), TB_BUTTONCOUNT, 0, 0), 2);
    EXPECT_EQ(ButtonText(bar->Handle(), bar->Buttons(0)->CommandId()), L"File");
    EXPECT_EQ(ButtonText(bar->Handle(), bar->Buttons(1)->CommandId()), L"Help");
    delete menu;
    EXPECT_EQ(bar->Menu(), nullptr);
    EXPECT_EQ(::SendMessageW(bar->Handle(), TB_BUTTONCOUNT, 0, 0), 0);
}

}  // namespace
