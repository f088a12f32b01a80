#include "router/Login.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "FakeTelnet.h"

using testing::ElementsAre;

namespace {

class LoginTest : public testing::Test {
protected:
    TFakeTelnet fake;
    router::TTelnetBinding telnet = fake.Binding();
    int session = 0;
};

}  // namespace

TEST_F(LoginTest, CiscoPasswordPromptGoesStraightToPassword) {
    fake.Output("\r\n\r\nUser Access Verification\r\n\r\nPassword: ", 5);
    fake.Output("\r\nRouter>enable\r\nPassword: \r\nRouter#");
    EXPECT_TRUE(router::CiscoLogin("127.0.0.1", session, "admin", "pw", "en", telnet));
    EXPECT_EQ(session, 42);
    EXPECT_THAT(fake.Sent, ElementsAre("pw", "enable", "en"));
    // The poll waits before each read, then 500 ms after each login command; the verdict read
    // follows the last pause directly.
    const std::vector<std::string> tail(fake.Events.end() - 7, fake.Events.end());
    EXPECT_THAT(tail, ElementsAre("send pw", "wait 500", "send enable", "wait 500", "send en", "wait 500", "read"));
    EXPECT_EQ(fake.Events.front(), "connect 127.0.0.1 23 1");
    EXPECT_EQ(fake.Events[1], "wait 100");
}

TEST_F(LoginTest, CiscoUserNamePromptGetsTheUserNameFirst) {
    fake.Output("Userna", 0);
    fake.Output("me: ");
    fake.Output("\r\nRouter#");
    EXPECT_TRUE(router::CiscoLogin("h", session, "admin", "pw", "en", telnet));
    EXPECT_THAT(fake.Sent, ElementsAre("admin", "pw", "enable", "en"));
}

TEST_F(LoginTest, CiscoFailsWhenPrivilegeWasRefused) {
    fake.Output("Password: ");
    fake.Output("\r\n% Bad passwords\r\nRouter>");
    EXPECT_FALSE(router::CiscoLogin("h", session, "u", "pw", "wrong", telnet));
    EXPECT_EQ(session, 42);  // the connection stays in use
}

TEST_F(LoginTest, CiscoPromptWithoutBlankWaitsUntilTheDeviceIsSilent) {
    fake.Output("Password:");  // not ": " — the wait goes on to the empty read
    fake.Silence();
    fake.Output("Router#");
    EXPECT_TRUE(router::CiscoLogin("h", session, "u", "pw", "en", telnet));
    EXPECT_THAT(fake.Sent, ElementsAre("pw", "enable", "en"));
}

TEST_F(LoginTest, HuaweiColonEndsTheWaitAndUserNameIsSent) {
    fake.Output("Login authentication\r\n\r\nUsername:");
    fake.Output("\r\n<Quidway>super\r\nPassword:\r\nNow user privilege is 3 level\r\n<Quidway>");
    EXPECT_TRUE(router::HuaweiLogin("h", session, "admin", "pw", "su", telnet));
    EXPECT_THAT(fake.Sent, ElementsAre("admin", "pw", "super", "su"));
}

TEST_F(LoginTest, HuaweiNeedsAnAngleBracketPrompt) {
    fake.Output("Password:");
    fake.Output("\r\n[Quidway]");
    EXPECT_FALSE(router::HuaweiLogin("h", session, "u", "pw", "su", telnet));
    EXPECT_THAT(fake.Sent, ElementsAre("pw", "super", "su"));

    TFakeTelnet again;
    again.Output("Password:");
    again.Output("<Quidway>\r\n");  // the prompt is the last line once the line end is gone
    EXPECT_TRUE(router::HuaweiLogin("h", session, "u", "pw", "su", again.Binding()));

    TFakeTelnet empty;
    empty.Output("Password:");
    empty.Output("<Quidway>\r\n\r\n \r\n");  // last line is a blank, not the prompt
    EXPECT_FALSE(router::HuaweiLogin("h", session, "u", "pw", "su", empty.Binding()));
}

TEST_F(LoginTest, SilentDeviceAfterLoginJudgesTheStaleBuffer) {
    // The verdict read delivers nothing; the buffer still holds the prompt of the first wait.
    fake.Output("Password: ");
    EXPECT_FALSE(router::CiscoLogin("h", session, "u", "pw", "en", telnet));
    EXPECT_EQ(fake.PendingReads(), 0u);
}

TEST_F(LoginTest, FailedConnectionStopsAtOnce) {
    fake.ConnectResult = -1;
    session = 7;
    EXPECT_FALSE(router::HuaweiLogin("h", session, "u", "pw", "su", telnet));
    EXPECT_EQ(session, -1);
    EXPECT_THAT(fake.Events, ElementsAre("connect h 23 1"));
}

TEST_F(LoginTest, FailedSendEndsTheLogin) {
    fake.Output("Username: ");
    fake.RefuseSend = [](const std::string& line) { return line == "enable"; };
    EXPECT_FALSE(router::CiscoLogin("h", session, "admin", "pw", "en", telnet));
    EXPECT_THAT(fake.Sent, ElementsAre("admin", "pw", "enable"));

    TFakeTelnet user;
    user.Output("Username:");
    user.RefuseSend = [](const std::string&) { return true; };
    EXPECT_FALSE(router::HuaweiLogin("h", session, "admin", "pw", "su", user.Binding()));
    EXPECT_THAT(user.Sent, ElementsAre("admin"));
}

TEST_F(LoginTest, LogoutSendsOneLineWhateverTheHandle) {
    EXPECT_TRUE(router::CiscoLogout("h", 0, telnet));
    EXPECT_TRUE(router::HuaweiLogout("h", -1, telnet));
    fake.SendResult = 0;
    EXPECT_FALSE(router::HuaweiLogout("h", 9, telnet));
    EXPECT_THAT(fake.Sent, ElementsAre("exit", "quit", "quit"));
    EXPECT_THAT(fake.Handles, ElementsAre(0, -1, 9));
    EXPECT_EQ(fake.Events.size(), 3u);  // nothing is read back
}
