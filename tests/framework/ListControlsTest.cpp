// TMemo (lines over the edit's text, multi-line styles, Enter) and TListBox (items kept across
// the window's life, selection from the keyboard reported as OnClick).
#include "framework/Forms.h"
#include "framework/ListControls.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace qx;

namespace {

class ListControlsTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::EnsureApplication();
        form = new TForm(Application);
        form->SetBounds(0, 0, 300, 260);
    }
    void TearDown() override { delete form; }
public:
    void Clicked(TObject*) { ++clicks; }
    void Changed(TObject*) { ++changes; }

    TForm* form = nullptr;
    int clicks = 0;
    int changes = 0;
};

TEST_F(ListControlsTest, MemoLinesAreTheTextCutIntoLines) {
    auto* memo = new TMemo(form);
    memo->SetParent(form);
    memo->SetText(L"one\ntwo\r\nthree");
    ASSERT_EQ(memo->Lines()->Count(), 3);
    EXPECT_EQ(memo->Lines()->Get(1), L"two");
    memo->HandleNeeded();
    memo->Lines()->Insert(1, L"inserted");
    memo->Lines()->Delete(3);
    memo->Lines()->Put(0, L"ONE");
    EXPECT_EQ(memo->Text(), L"ONE\r\ninserted\r\ntwo\r\n");
    wchar_t shown[64] = {};
    ::GetWindowTextW(memo->Handle(), shown, 64);
    EXPECT_STREQ(shown, L"ONE\r\ninserted\r\ntwo\r\n");
    EXPECT_THROW(memo->Lines()->Delete(5), std::out_of_range);
    memo->Lines()->Clear();
    EXPECT_EQ(memo->Lines()->Count(), 0);
}

TEST_F(ListControlsTest, MemoIsAMultiLineEditWithItsScrollBarsAndEnter) {
    auto* memo = new TMemo(form);
    memo->SetParent(form);
    memo->SetScrollBars(TScrollStyle::ssVertical);
    memo->OnChange = TNotifyEvent::Of<&ListControlsTest::Changed>(this);
    HWND wnd = memo->Handle();
    wchar_t name[32] = {};
    ::GetClassNameW(wnd, name, 32);
    EXPECT_STREQ(name, L"TMemo");
    LONG style = ::GetWindowLongW(wnd, GWL_STYLE);
    EXPECT_TRUE(style & ES_MULTILINE);
    EXPECT_TRUE(style & WS_VSCROLL);
    EXPECT_FALSE(style & WS_HSCROLL);
    EXPECT_FALSE(style & ES_AUTOHSCROLL);  // word wrap
    EXPECT_TRUE(::SendMessageW(wnd, WM_GETDLGCODE, 0, 0) & DLGC_WANTALLKEYS);
    memo->SetWantReturns(false);
    EXPECT_FALSE(::SendMessageW(wnd, WM_GETDLGCODE, 0, 0) & DLGC_WANTALLKEYS);
    // Typing is a change, as in an edit.
    ::SendMessageW(wnd, WM_CHAR, L'x', 0);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(memo->Lines()->Get(0), L"x");
}

TEST_F(ListControlsTest, ListBoxKeepsItemsAndSelectionAcrossItsWindow) {
    auto* list = new TListBox(form);
    list->SetParent(form);
    list->Items()->Add(L"a");
    list->Items()->Add(L"b");
    list->SetItemIndex(1);
    HWND wnd = list->Handle();
    EXPECT_EQ(::SendMessageW(wnd, LB_GETCOUNT, 0, 0), 2);
    EXPECT_EQ(::SendMessageW(wnd, LB_GETCURSEL, 0, 0), 1);
    list->Items()->Add(L"c");
    list->SetSorted(true);  // re-creates the window
    EXPECT_NE(list->Handle(), nullptr);
    EXPECT_EQ(list->Items()->Count(), 3);
    EXPECT_EQ(list->Items()->Get(2), L"c");
    EXPECT_EQ(list->ItemIndex(), 1);
    EXPECT_TRUE(::GetWindowLongW(list->Handle(), GWL_STYLE) & LBS_SORT);
}

TEST_F(ListControlsTest, ListBoxReportsKeyboardSelectionAsAClick) {
    auto* list = new TListBox(form);
    list->SetParent(form);
    for (const wchar_t* s : {L"a", L"b", L"c"}) list->Items()->Add(s);
    list->OnClick = TNotifyEvent::Of<&ListControlsTest::Clicked>(this);
    list->SetItemIndex(0);
    ::SendMessageW(list->Handle(), WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(list->ItemIndex(), 1);
    EXPECT_EQ(clicks, 1);
    list->SetItemIndex(2);  // the program's choice is not a click
    EXPECT_EQ(clicks, 1);
}

TEST_F(ListControlsTest, MultiSelectListBoxSelectsSeveralItems) {
    auto* list = new TListBox(form);
    list->SetParent(form);
    list->SetMultiSelect(true);
    for (const wchar_t* s : {L"a", L"b", L"c"}) list->Items()->Add(s);
    list->HandleNeeded();
    list->SetSelected(0, true);
    list->SetSelected(2, true);
    EXPECT_EQ(list->SelCount(), 2);
    EXPECT_TRUE(list->Selected(2));
    EXPECT_FALSE(list->Selected(1));
    EXPECT_THROW(list->SetSelected(3, true), std::out_of_range);
}

}  // namespace
