// The message form: its text in a child window, Enter and Esc answer it, and a timer keeps
// firing while it is open.
#include "framework/Dialogs.h"
#include "framework/ExtCtrls.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace qx;

namespace {

HWND FindMessageForm() { return ::FindWindowW(L"TMessageForm", nullptr); }

std::wstring WindowText(HWND w) {
    wchar_t buf[512] = {};
    ::GetWindowTextW(w, buf, 512);
    return buf;
}

struct Answerer {
    TTimer* Timer = nullptr;
    WPARAM Key = VK_RETURN;
    int Ticks = 0;
    std::wstring SeenCaption, SeenText, SeenChildClass;
    int AnswerOnTick = 3;

    void Tick(TObject*) {
        ++Ticks;
        HWND form = FindMessageForm();
        if (!form || Ticks < AnswerOnTick) return;
        SeenCaption = WindowText(form);
        // The message is the window text of a child window.
        for (HWND child = ::GetWindow(form, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
            wchar_t cls[64];
            ::GetClassNameW(child, cls, 64);
            if (std::wstring(cls) != L"TButton") {
                SeenText = WindowText(child);
                SeenChildClass = cls;
            }
        }
        // Keys go to the focused control, which is the OK button.
        ::PostMessageW(::GetFocus(), WM_KEYDOWN, Key, 0);
        Timer->SetEnabled(false);
    }
};

class MessageFormTest : public ::testing::TestWithParam<WPARAM> {
protected:
    void SetUp() override {
        test::EnsureApplication();
        Application->SetTitle(L"Quellox");
    }
};

TEST_P(MessageFormTest, TimerFiresWhileOpenAndTheKeyAnswersIt) {
    Answerer answerer;
    answerer.Key = GetParam();
    TTimer timer(nullptr);
    timer.SetInterval(30);
    timer.OnTimer = TNotifyEvent::Of<&Answerer::Tick>(&answerer);
    answerer.Timer = &timer;
    timer.SetEnabled(true);

    ShowMessage(L"连接成功！");  // returns only once answered

    EXPECT_GE(answerer.Ticks, 3);
    EXPECT_EQ(answerer.SeenCaption, L"Quellox");
    EXPECT_EQ(answerer.SeenText, L"连接成功！");
    EXPECT_EQ(FindMessageForm(), nullptr);
}

INSTANTIATE_TEST_SUITE_P(EnterAndEsc, MessageFormTest, ::testing::Values(VK_RETURN, VK_ESCAPE));

TEST(MessageFormLayout, TextAndButtonFitInsideAndTheFormIsADialog) {
    test::EnsureApplication();
    TMessageForm form(nullptr, L"192.168.0.10有150个连接\r\n192.168.0.11有100个连接\r\n", L"Quellox");
    form.HandleNeeded();
    RECT client{};
    ::GetClientRect(form.Handle(), &client);
    RECT text = form.Message()->BoundsRect(), ok = form.OkButton()->BoundsRect();
    EXPECT_LE(text.right, client.right);
    EXPECT_LE(ok.bottom, client.bottom);
    EXPECT_GE(ok.top, text.bottom);
    EXPECT_GT(text.bottom - text.top, 20);  // two lines
    EXPECT_EQ(form.BorderStyle(), TFormBorderStyle::bsDialog);
    wchar_t cls[64];
    ::GetClassNameW(form.Handle(), cls, 64);
    EXPECT_STREQ(cls, L"TMessageForm");
}

}  // namespace
