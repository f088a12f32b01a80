// Slow devices: answers that come late or in pieces with pauses between them. A pause is a read
// that delivers nothing while the session stays open; the dialogue waits for the answer it
// expects, within a bound.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "FakeTelnet.h"
#include "router/Census.h"
#include "router/Login.h"
#include "router/NullRoute.h"

using router::TCensusEnd;
using router::TDialect;
using testing::ElementsAre;

namespace {

// Queue text in pieces with `pauses` empty reads before each piece.
void Trickle(TFakeTelnet& fake, const std::vector<std::string>& pieces, int pauses) {
    for (const std::string& piece : pieces) {
        for (int i = 0; i < pauses; ++i) fake.Silence();
        fake.Output(piece);
    }
}

int Reads(const TFakeTelnet& fake) { return static_cast<int>(std::count(fake.Events.begin(), fake.Events.end(), "read")); }

}  // namespace

TEST(SlowDeviceTest, LoginWhosePromptArrivesInPiecesSucceeds) {
    struct TCase {
        TDialect Dialect;
        const char* FirstPrompt;
        std::vector<std::string> Final;  // the privileged prompt, cut
    };
    const TCase cases[] = {
        {TDialect::dlHuawei, "Password:", {"\r\nNow user privilege is 3 level\r\n<Qui", "dw", "ay>"}},
        {TDialect::dlCisco, "Password: ", {"\r\nRou", "ter#"}},
    };
    for (const TCase& c : cases) {
        TFakeTelnet fake;
        fake.Output(c.FirstPrompt);
        Trickle(fake, c.Final, 3);
        int session = 0;
        const bool cisco = c.Dialect == TDialect::dlCisco;
        const bool ok = cisco ? router::CiscoLogin("h", session, "u", "pw", "en", fake.LiveBinding())
                              : router::HuaweiLogin("h", session, "u", "pw", "su", fake.LiveBinding());
        EXPECT_TRUE(ok) << (cisco ? "cisco" : "huawei");
        EXPECT_THAT(fake.Sent, ElementsAre("pw", cisco ? "enable" : "super", cisco ? "en" : "su"));
    }
}

// A whole prompt that is not the privileged one ends the login at once: no waiting for more.
TEST(SlowDeviceTest, RefusedPrivilegeIsNotWaitedFor) {
    TFakeTelnet fake;
    fake.Output("Password: ");
    fake.Output("\r\n% Bad secrets\r\nRouter>");
    int session = 0;
    EXPECT_FALSE(router::CiscoLogin("h", session, "u", "pw", "bad", fake.LiveBinding()));
    EXPECT_EQ(Reads(fake), 2);
}

TEST(SlowDeviceTest, SaveWaitsForOkWithinThirtySeconds) {
    struct TCase {
        const char* Name;
        int Pauses;      // empty reads of 100 ms each before "[OK]"
        bool HangUp;     // the router hangs up during the pause instead
        bool Saved;
    };
    const TCase cases[] = {
        {"three seconds", 30, false, true},
        {"just under thirty", 295, false, true},
        {"over thirty", 310, false, false},
        {"hung up while writing", 5, true, false},
    };
    for (const TCase& c : cases) {
        TFakeTelnet fake;
        fake.Output("write\r\nBuilding configuration...\r\n");
        for (int i = 0; i < c.Pauses; ++i) fake.Silence();
        if (c.HangUp) fake.HangUp();
        fake.Output("[OK]\r\nRouter#");
        EXPECT_EQ(router::SaveConfig("h", 2, fake.LiveBinding()), c.Saved) << c.Name;
        // Never more than thirty seconds of polls after the last text.
        EXPECT_LE(Reads(fake), 2 + router::kSlowSaveMs / router::kReadPollMs) << c.Name;
    }
}

TEST(SlowDeviceTest, ListingWhosePagesArriveInPiecesIsCountedExactly) {
    TFakeTelnet fake;
    Trickle(fake, {"display nat sess\r\n6 a b 10.0", ".0.1 x\r\n6 a b 10.0.0.2 x\r\n  ---- Mo", "re ----"}, 2);
    fake.OnCommand = [&fake](const std::string& line) {
        if (line == " ") Trickle(fake, {"6 a b 10.0.0.1 x\r\n6 a b 10", ".0.0.1 x\r\n<Quid", "way>"}, 4);
    };
    router::strecord counts;
    EXPECT_EQ(router::RunCensus("h", 3, TDialect::dlHuawei, counts, fake.LiveBinding()), TCensusEnd::ceCounted);
    ASSERT_EQ(counts.size(), 2u);
    EXPECT_EQ(counts[0].IP, "10.0.0.1");
    EXPECT_EQ(counts[0].Count, 3);
    EXPECT_EQ(counts[1].IP, "10.0.0.2");
    EXPECT_EQ(counts[1].Count, 1);
    EXPECT_EQ(std::count(fake.Sent.begin(), fake.Sent.end(), " "), 1);
}
