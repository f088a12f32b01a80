// Keyboard: Tab and Shift+Tab follow the tab order, Alt plus an accelerator clicks.
#include "framework/Forms.h"
#include "framework/StdCtrls.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace qx;

namespace {

void SetShift(bool down) {
    BYTE keys[256];
    ::GetKeyboardState(keys);
    keys[VK_SHIFT] = down ? 0x80 : 0;
    ::SetKeyboardState(keys);
}

class KeyboardTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::EnsureApplication();
        form = new TForm(Application);
        form->SetBounds(100, 100, 300, 200);
        // Created in one order, tab order set differently.
        a = AddButton(L"&Alpha", 10);
        b = AddButton(L"&Beta", 40);
        edit = new TEdit(form);
        edit->SetParent(form);
        edit->SetBounds(10, 100, 100, 21);
        c = AddButton(L"&Gamma", 70);
        c->SetTabOrder(0);
        edit->SetTabOrder(1);
        a->SetTabOrder(2);
        b->SetTabOrder(3);
        form->Show();
        test::PumpPending(std::chrono::milliseconds(200));
    }
    void TearDown() override { delete form; }

    TButton* AddButton(const wchar_t* caption, int top) {
        auto* btn = new TButton(form);
        btn->SetParent(form);
        btn->SetCaption(caption);
        btn->SetBounds(150, top, 75, 25);
        btn->OnClick = TNotifyEvent::Of<&KeyboardTest::Clicked>(this);
        return btn;
    }
    void Clicked(TObject* sender) { clicked.push_back(static_cast<TButton*>(sender)); }

    TWinControl* Focused() { return FindControl(::GetFocus()); }
    void Press(UINT msg, WPARAM key) {
        ::PostMessageW(::GetFocus(), msg, key, msg == WM_SYSCHAR ? (1 << 29) : 0);
        test::PumpPending(std::chrono::milliseconds(60));
    }

    TForm* form = nullptr;
    TButton *a = nullptr, *b = nullptr, *c = nullptr;
    TEdit* edit = nullptr;
    std::vector<TButton*> clicked;
};

TEST_F(KeyboardTest, TabFollowsTheTabOrderAndWraps) {
    EXPECT_EQ(Focused(), c);  // the first control in tab order has the focus at start
    std::vector<TWinControl*> seen;
    for (int i = 0; i < 4; ++i) {
        Press(WM_KEYDOWN, VK_TAB);
        seen.push_back(Focused());
    }
    EXPECT_EQ(seen, (std::vector<TWinControl*>{edit, a, b, c}));
    EXPECT_TRUE(clicked.empty());
}

TEST_F(KeyboardTest, ShiftTabGoesBackwards) {
    SetShift(true);
    Press(WM_KEYDOWN, VK_TAB);
    TWinControl* first = Focused();
    Press(WM_KEYDOWN, VK_TAB);
    TWinControl* second = Focused();
    SetShift(false);
    EXPECT_EQ(first, b);
    EXPECT_EQ(second, a);
}

TEST_F(KeyboardTest, DisabledControlsAreSkipped) {
    edit->SetEnabled(false);
    Press(WM_KEYDOWN, VK_TAB);
    EXPECT_EQ(Focused(), a);
}

TEST_F(KeyboardTest, AltAcceleratorClicksTheButton) {
    Press(WM_SYSCHAR, L'b');
    ASSERT_EQ(clicked.size(), 1u);
    EXPECT_EQ(clicked[0], b);
    Press(WM_SYSCHAR, L'x');  // no such accelerator
    EXPECT_EQ(clicked.size(), 1u);
}

TEST_F(KeyboardTest, EnterClicksTheFocusedButton) {
    Press(WM_KEYDOWN, VK_RETURN);
    ASSERT_EQ(clicked.size(), 1u);
    EXPECT_EQ(clicked[0], c);
}

}  // namespace
