// TUpDown beside and inside an edit: the position shows in the edit, arrow keys move it within
// the range, OnChanging can refuse a move, OnClick names the arrow, and an embedded up-down sits
// inside the edit's client area with the text kept clear of it.
#include "framework/Forms.h"
#include "framework/StdCtrls.h"
#include "framework/UpDown.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace qx;

namespace {

class UpDownTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::EnsureApplication();
        form = new TForm(Application);
        form->SetBounds(0, 0, 300, 200);
        edit = new TEdit(form);
        edit->SetParent(form);
        edit->SetBounds(10, 10, 100, 24);
        updown = new TUpDown(form);
    }
    void TearDown() override { delete form; }

public:
    void Clicked(TObject*, TUDBtnType button) { arrows.push_back(button); }
    void Changing(TObject*, bool& allow) { allow = allowMoves; }

    TForm* form = nullptr;
    TEdit* edit = nullptr;
    TUpDown* updown = nullptr;
    std::vector<TUDBtnType> arrows;
    bool allowMoves = true;
};

TEST_F(UpDownTest, BesideAnEditItShowsAndMovesThePosition) {
    updown->SetParent(form);
    updown->SetMin(0);
    updown->SetMax(3);
    updown->SetPosition(2);
    updown->SetAssociate(edit);
    updown->OnClick = TUDClickEvent::Of<&UpDownTest::Clicked>(this);
    updown->OnChanging = TUDChangingEvent::Of<&UpDownTest::Changing>(this);
    HWND wnd = updown->Handle();
    wchar_t name[32] = {};
    ::GetClassNameW(wnd, name, 32);
    EXPECT_STREQ(name, L"TUpDown");
    EXPECT_EQ(reinterpret_cast<HWND>(::SendMessageW(wnd, UDM_GETBUDDY, 0, 0)), edit->Handle());
    EXPECT_EQ(edit->Text(), L"2");
    // The system puts it at the edit's right edge.
    EXPECT_EQ(updown->Left(), edit->Left() + edit->Width());

    ::SendMessageW(edit->Handle(), WM_KEYDOWN, VK_UP, 0);
    EXPECT_EQ(updown->Position(), 3);
    EXPECT_EQ(edit->Text(), L"3");
    ::SendMessageW(edit->Handle(), WM_KEYDOWN, VK_UP, 0);  // at the top: no move
    EXPECT_EQ(updown->Position(), 3);
    allowMoves = false;
    ::SendMessageW(edit->Handle(), WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(updown->Position(), 3);
    allowMoves = true;
    ::SendMessageW(edit->Handle(), WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(updown->Position(), 2);
    EXPECT_EQ(arrows, (std::vector<TUDBtnType>{TUDBtnType::btNext, TUDBtnType::btPrev}));
}

TEST_F(UpDownTest, InsideAnEditItTakesTheInnerRightEdge) {
    updown->SetParent(edit);
    updown->SetAssociate(edit);
    updown->SetPosition(5);
    HWND wnd = updown->Handle();
    EXPECT_TRUE(updown->Embedded());
    EXPECT_EQ(::GetParent(wnd), edit->Handle());
    RECT client{};
    ::GetClientRect(edit->Handle(), &client);
    EXPECT_EQ(updown->Left() + updown->Width(), client.right);
    EXPECT_EQ(updown->Top(), 0);
    EXPECT_EQ(updown->Height(), client.bottom);
    EXPECT_TRUE(::GetWindowLongW(edit->Handle(), GWL_STYLE) & WS_CLIPCHILDREN);
    LRESULT margins = ::SendMessageW(edit->Handle(), EM_GETMARGINS, 0, 0);
    EXPECT_EQ(HIWORD(margins), updown->Width());
    EXPECT_EQ(edit->Text(), L"5");
    // Arrow keys in the edit move it, as beside the edit.
    ::SendMessageW(edit->Handle(), WM_KEYDOWN, VK_UP, 0);
    EXPECT_EQ(updown->Position(), 6);
}

TEST_F(UpDownTest, WithoutAnAssociateAnArrowClickMovesThePosition) {
    updown->SetParent(form);
    updown->SetBounds(150, 10, 17, 24);
    updown->OnClick = TUDClickEvent::Of<&UpDownTest::Clicked>(this);
    const LPARAM upper = MAKELPARAM(8, 3);  // the upper half counts up
    ::SendMessageW(updown->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, upper);
    ::SendMessageW(updown->Handle(), WM_LBUTTONUP, 0, upper);
    EXPECT_EQ(updown->Position(), 1);
    EXPECT_EQ(arrows, std::vector<TUDBtnType>{TUDBtnType::btNext});
}

TEST_F(UpDownTest, PositionStaysInTheRangeAndAssociateForgetsAFreedControl) {
    updown->SetParent(form);
    updown->SetMax(10);
    updown->SetPosition(50);
    EXPECT_EQ(updown->Position(), 10);
    updown->SetAssociate(edit);
    updown->HandleNeeded();
    delete edit;
    edit = nullptr;
    EXPECT_EQ(updown->Associate(), nullptr);
}

}  // namespace
