// Caption buttons of a skinned window: the mouse state machine (press and release on the same
// and on different buttons), the actions, double and right clicks on the icon and the caption,
// Alt+Space, the inactive window and the hover timer, and buttons the application defines.
#include "support/FormTestSupport.h"

#include "skin/form/SkinFormHost.h"

#include <gtest/gtest.h>

using namespace formtest;
using qx::test::PumpPending;
using qx::test::PumpUntil;

namespace {

class CaptionButtonTest : public ::testing::Test {
protected:
    void SetUp() override {
        s = MakeSkinned(WS_OVERLAPPEDWINDOW, 0, L"Caption buttons");
        ASSERT_TRUE(s->Attach());
        s->LayOut();
    }
    LRESULT Send(UINT msg, WPARAM hit, POINT windowPoint) {
        return ::SendMessageW(s->Handle(), msg, hit, ScreenPoint(s->Handle(), windowPoint));
    }
    int SysCommands(WPARAM command) { return s->Window->Count(WM_SYSCOMMAND, command); }

    std::unique_ptr<TSkinnedWindow> s;
};

TEST_F(CaptionButtonTest, PressAndReleaseOnTheCloseButtonClosesTheWindow) {
    TWinSysButton* close = s->Button(kActionClose);
    ASSERT_NE(close, nullptr);
    const POINT at = s->ButtonCentre(kActionClose);
    EXPECT_EQ(Send(WM_NCLBUTTONDOWN, HTCAPTION, at), 0);
    EXPECT_EQ(close->FState, kFramePressed);
    EXPECT_EQ(s->Form->HotObject(), close);
    EXPECT_EQ(s->Window->Count(WM_NCLBUTTONDOWN), 0);  // not passed on: no system tracking
    EXPECT_EQ(Send(WM_NCLBUTTONUP, HTCAPTION, at), 0);
    EXPECT_EQ(close->FState, kFrameHot);
    EXPECT_FALSE(s->Form->HoverTimerEnabled());
    ASSERT_TRUE(PumpUntil([&] { return SysCommands(SC_CLOSE) == 1; }));
    EXPECT_EQ(s->Window->Count(WM_CLOSE), 1);  // the system's SC_CLOSE sent it on
}

TEST_F(CaptionButtonTest, AReleaseOnAnotherButtonDoesNothing) {
    const POINT close = s->ButtonCentre(kActionClose);
    const POINT maximize = s->ButtonCentre(1);
    Send(WM_NCLBUTTONDOWN, HTCAPTION, close);
    EXPECT_EQ(Send(WM_NCLBUTTONUP, HTCAPTION, maximize), 0);
    PumpPending(std::chrono::milliseconds(50));
    EXPECT_EQ(SysCommands(SC_CLOSE), 0);
    EXPECT_EQ(SysCommands(SC_MAXIMIZE), 0);
    EXPECT_EQ(s->Window->Count(WM_NCLBUTTONUP), 0);
    // A release off every button goes to the system.
    Send(WM_NCLBUTTONUP, HTCAPTION, {60, 10});
    EXPECT_EQ(s->Window->Count(WM_NCLBUTTONUP), 1);
}

TEST_F(CaptionButtonTest, MaximiseRestoreAndMinimiseButtons) {
    const POINT maximize = s->ButtonCentre(1);
    Send(WM_NCLBUTTONDOWN, HTCAPTION, maximize);
    Send(WM_NCLBUTTONUP, HTCAPTION, maximize);
    EXPECT_EQ(s->Form->ShowState(), kShowMaximized);
    ASSERT_TRUE(PumpUntil([&] { return ::IsZoomed(s->Handle()) != FALSE; }));
    EXPECT_EQ(SysCommands(SC_MAXIMIZE), 1);
    // Now the restore image (Visibility 1, maximised) has the place of the maximise one.
    s->LayOut();
    TWinSysButton* restore = s->Button(1);
    ASSERT_NE(restore, nullptr);
    EXPECT_EQ(restore->FData->Visibility, 1);
    const POINT at = s->ButtonCentre(1);
    Send(WM_NCLBUTTONDOWN, HTCAPTION, at);
    Send(WM_NCLBUTTONUP, HTCAPTION, at);
    ASSERT_TRUE(PumpUntil([&] { return !::IsZoomed(s->Handle()); }));
    EXPECT_EQ(s->Form->ShowState(), kShowNormal);
    s->LayOut();
    const POINT minimize = s->ButtonCentre(2);
    Send(WM_NCLBUTTONDOWN, HTCAPTION, minimize);
    Send(WM_NCLBUTTONUP, HTCAPTION, minimize);
    ASSERT_TRUE(PumpUntil([&] { return ::IsIconic(s->Handle()) != FALSE; }));
    EXPECT_EQ(s->Form->ShowState(), kShowMinimized);
    ::ShowWindow(s->Handle(), SW_RESTORE);
}

TEST_F(CaptionButtonTest, DoubleClicksOnTheIconAndOnTheCaption) {
    EXPECT_EQ(Send(WM_NCLBUTTONDBLCLK, HTCAPTION, s->ButtonCentre(3)), 0);
    ASSERT_TRUE(PumpUntil([&] { return SysCommands(SC_CLOSE) == 1; }));
    // Empty caption: maximise, and back.
    const POINT caption{s->Form->Metrics().Left + 150, 10};
    EXPECT_EQ(Send(WM_NCLBUTTONDBLCLK, HTCAPTION, caption), 0);
    ASSERT_TRUE(PumpUntil([&] { return ::IsZoomed(s->Handle()) != FALSE; }));
    Send(WM_NCLBUTTONDBLCLK, HTCAPTION, caption);
    ASSERT_TRUE(PumpUntil([&] { return !::IsZoomed(s->Handle()); }));
    // Other buttons ignore a double click.
    Send(WM_NCLBUTTONDBLCLK, HTCAPTION, s->ButtonCentre(2));
    PumpPending(std::chrono::milliseconds(50));
    EXPECT_EQ(SysCommands(SC_MINIMIZE), 0);
}

TEST_F(CaptionButtonTest, RightClicksWithinTheDoubleClickTime) {
    const POINT caption{s->Form->Metrics().Left + 150, 10};
    {
        TMenuWatcher watcher;
        EXPECT_EQ(Send(WM_NCRBUTTONDOWN, HTCAPTION, caption), 0);
        EXPECT_EQ(watcher.Seen().Opened, 1);
        EXPECT_EQ(MenuMode(), kMenuModeSystem);
        // The second, with nothing hot: no menu, no close.
        Send(WM_NCRBUTTONDOWN, HTCAPTION, caption);
        PumpPending(std::chrono::milliseconds(30));
        EXPECT_EQ(watcher.Seen().Opened, 1);
        EXPECT_EQ(s->Window->Count(WM_CLOSE), 0);
        // The third, with a caption button hot: the window closes.
        Send(WM_NCMOUSEMOVE, HTCAPTION, s->ButtonCentre(2));
        ASSERT_NE(s->Form->HotObject(), nullptr);
        Send(WM_NCRBUTTONDOWN, HTCAPTION, caption);
        ASSERT_TRUE(PumpUntil([&] { return s->Window->Count(WM_CLOSE) == 1; }));
        EXPECT_EQ(watcher.Seen().Opened, 1);
    }
    // Not on the caption: the system's.
    Send(WM_NCRBUTTONDOWN, HTLEFT, {0, 100});
    EXPECT_EQ(s->Window->Count(WM_NCRBUTTONDOWN), 1);
}

TEST_F(CaptionButtonTest, AltSpaceOpensTheSystemMenuAtTheClientsCorner) {
    TMenuWatcher watcher;
    ::SendMessageW(s->Handle(), WM_SYSCOMMAND, SC_KEYMENU, L' ');
    ASSERT_GE(watcher.Seen().Opened, 1);
    POINT origin{0, 0};
    ::ClientToScreen(s->Handle(), &origin);
    EXPECT_EQ(watcher.Seen().Rect.left, origin.x);
    EXPECT_EQ(watcher.Seen().Rect.top, origin.y);
    // The system keeps its part of the command.
    EXPECT_EQ(s->Window->Count(WM_SYSCOMMAND, SC_KEYMENU), 1);
}

TEST_F(CaptionButtonTest, AltMinusAndPlainAltTakeTheirOwnPaths) {
    TMenuWatcher watcher;
    ::SendMessageW(s->Handle(), WM_SYSCOMMAND, SC_KEYMENU, L'-');
    EXPECT_EQ(s->Window->Count(WM_SYSCOMMAND, SC_KEYMENU), 1);  // default path
    // Plain Alt: there is no menu bar to open, and the system's menu mode is not entered.
    EXPECT_EQ(::SendMessageW(s->Handle(), WM_SYSCOMMAND, SC_KEYMENU, 0), 1);
    EXPECT_EQ(s->Window->Count(WM_SYSCOMMAND, SC_KEYMENU), 1);
    EXPECT_EQ(watcher.Seen().Opened, 0);
}

TEST_F(CaptionButtonTest, MouseMovesOnAnInactiveWindowAreSwallowed) {
    const POINT close = s->ButtonCentre(kActionClose);
    ::SendMessageW(s->Handle(), WM_NCACTIVATE, FALSE, 0);
    EXPECT_FALSE(s->Form->Active());
    EXPECT_FALSE(s->Form->HoverTimerEnabled());
    EXPECT_EQ(Send(WM_NCMOUSEMOVE, HTCAPTION, close), 0);
    EXPECT_EQ(s->Form->HotObject(), nullptr);
    EXPECT_EQ(s->Window->Count(WM_NCMOUSEMOVE), 0);
    Send(WM_NCMOUSEMOVE, HTCAPTION, {60, 10});
    EXPECT_EQ(s->Window->Count(WM_NCMOUSEMOVE), 0);
    ::SendMessageW(s->Handle(), WM_NCACTIVATE, TRUE, 0);
    EXPECT_TRUE(s->Form->HoverTimerEnabled());
    EXPECT_EQ(Send(WM_NCMOUSEMOVE, HTCAPTION, close), 0);
    TWinSysButton* button = s->Button(kActionClose);
    EXPECT_EQ(s->Form->HotObject(), button);
    EXPECT_EQ(button->FState, kFrameHot);
    EXPECT_EQ(s->Window->Count(WM_NCMOUSEMOVE), 0);
    // Off the buttons: the hot one goes back to normal and the system gets the move.
    Send(WM_NCMOUSEMOVE, HTCAPTION, {60, 10});
    EXPECT_EQ(s->Form->HotObject(), nullptr);
    EXPECT_EQ(button->FState, kFrameNormal);
    EXPECT_EQ(s->Window->Count(WM_NCMOUSEMOVE), 1);
}

TEST_F(CaptionButtonTest, TheHoverTimerEndsAHotStateTheCursorHasLeft) {
    TWinSysButton* close = s->Button(kActionClose);
    const POINT at = s->ButtonCentre(kActionClose);
    Send(WM_NCMOUSEMOVE, HTCAPTION, at);
    ASSERT_EQ(s->Form->HotObject(), close);
    const RECT w = WindowRectOf(s->Handle());
    ::SetCursorPos(w.left + at.x, w.top + at.y);
    s->Form->HoverTick();
    EXPECT_EQ(s->Form->HotObject(), close);  // still over it
    ::SetCursorPos(w.left + 60, w.top + 100);
    s->Form->HoverTick();
    EXPECT_EQ(s->Form->HotObject(), nullptr);
    EXPECT_EQ(close->FState, kFrameNormal);
}

TEST_F(CaptionButtonTest, AFullFramePaintForgetsTheHotObject) {
    Send(WM_NCMOUSEMOVE, HTCAPTION, s->ButtonCentre(kActionClose));
    ASSERT_NE(s->Form->HotObject(), nullptr);
    s->LayOut();
    EXPECT_EQ(s->Form->HotObject(), nullptr);
}

// A skin whose icon button has an action of the application's own, and whose close button
// asks the application whether it shows.
TEST(CaptionButtonSkin, ApplicationActionsAndVisibility) {
    qx::test::EnsureApplication();
    auto members = DefaultSkinMembers();
    SetIniValue(members, "Button5", "Action", "42");
    SetIniValue(members, "Button0", "Visibility", "1500");
    auto skin = LoadSkin(members);
    ASSERT_TRUE(skin);
    auto s = MakeSkinned(WS_OVERLAPPEDWINDOW, 0, L"Actions", {300, 200}, std::move(skin));
    ASSERT_TRUE(s->Attach());
    s->LayOut();
    // The window's own procedure (DefWindowProc) answers 0: the close button stays hidden.
    EXPECT_GE(s->Window->Count(SKN_BUTTONVISIBLE, 1500), 1);
    EXPECT_EQ(s->Button(kActionClose), nullptr);
    const POINT at = s->ButtonCentre(42);
    ASSERT_GE(at.x, 0);
    ::SendMessageW(s->Handle(), WM_NCLBUTTONDOWN, HTCAPTION, ScreenPoint(s->Handle(), at));
    ::SendMessageW(s->Handle(), WM_NCLBUTTONUP, HTCAPTION, ScreenPoint(s->Handle(), at));
    ASSERT_TRUE(PumpUntil([&] { return s->Window->Count(SKN_BUTTONACTION, 42) == 1; }));
}

}  // namespace
