// The router hung up: an idle session ended by the router's exec timeout, or a session dropped in
// the middle of a dialogue. No command may report success for work it did not do, and the
// ledger must name exactly the hosts that are (or may be) cut off.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <iterator>

#include "FakeTelnet.h"
#include "TempFolder.h"
#include "router/BlockCommands.h"
#include "router/Census.h"
#include "router/Ledger.h"
#include "router/NullRoute.h"

using router::TCensusEnd;
using router::TDialect;
using testing::ElementsAre;

namespace {

class HangUpTest : public testing::Test {
protected:
    std::string LedgerText() const {
        std::ifstream file(ledger, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(file), {});
    }
    // The Huawei device returns to its prompt after each "quit", except after the quit number
    // `hangUpAt` (from 1), where it hangs up instead.
    void HangUpAtQuit(int hangUpAt) {
        fake.OnCommand = [this, hangUpAt, quits = 0](const std::string& line) mutable {
            if (line != "quit") return;
            if (++quits == hangUpAt) fake.HangUp();
            else fake.Output("[Quidway]quit\r\n<Quidway>");
        };
    }

    TFakeTelnet fake;
    router::TTelnetBinding telnet = fake.LiveBinding();
    TTempFolder folder;
    std::filesystem::path ledger = folder.Path() / router::kLedgerFileName;
};

}  // namespace

TEST_F(HangUpTest, EveryCommandOnAClosedSessionFailsWithoutSending) {
    struct TCase {
        const char* Name;
        std::function<bool()> Failed;
    };
    std::vector<std::string> listed;
    router::strecord counts;
    const TCase cases[] = {
        {"census huawei", [&] { return router::RunCensus("h", 3, TDialect::dlHuawei, counts, telnet) == TCensusEnd::ceSessionLost; }},
        {"census cisco", [&] { return router::RunCensus("h", 3, TDialect::dlCisco, counts, telnet) == TCensusEnd::ceSessionLost; }},
        {"block", [&] { return router::BlockHosts(TDialect::dlHuawei, "h", 3, {"10.0.0.1"}, ledger, telnet) == router::brRouteFailed; }},
        {"restore", [&] { return !router::RestoreHosts(TDialect::dlCisco, "h", 3, ledger, listed, telnet); }},
        {"save", [&] { return !router::SaveConfig("h", 3, telnet); }},
    };
    for (const TCase& c : cases) {
        fake.Sent.clear();
        ASSERT_TRUE(router::AppendLedger(ledger, "10.0.0.9"));
        const std::string before = LedgerText();
        fake.Open = false;  // the router ended the idle session
        EXPECT_TRUE(c.Failed()) << c.Name;
        EXPECT_TRUE(fake.Sent.empty()) << c.Name;
        EXPECT_EQ(LedgerText(), before) << c.Name << ": the ledger names the same hosts";
        std::filesystem::remove(ledger);
    }
}

TEST_F(HangUpTest, FailedSendEndsEachDialogueAsAFailure) {
    fake.RefuseSend = [](const std::string& line) { return line == "write" || line == "system-view"; };
    EXPECT_FALSE(router::SaveConfig("h", 3, telnet));
    EXPECT_EQ(router::BlockHosts(TDialect::dlHuawei, "h", 3, {"10.0.0.1", "10.0.0.2"}, ledger, telnet),
              router::brRouteFailed);
    // Nothing after the refused line goes out, and no host is recorded.
    EXPECT_THAT(fake.Sent, ElementsAre("write", "system-view"));
    EXPECT_FALSE(std::filesystem::exists(ledger));
}

// The router hangs up after the second host's route line: that host may be cut off, so it is
// recorded with the first; the third was never sent.
TEST_F(HangUpTest, BlockRecordsOnlyHostsWhoseRouteLineWentOut) {
    HangUpAtQuit(2);
    std::vector<std::string> cutOff;
    EXPECT_EQ(router::BlockHosts(TDialect::dlHuawei, "h", 3, {"10.0.0.1", "10.0.0.2", "10.0.0.3"}, ledger, telnet,
                                 &cutOff),
              router::brRouteFailed);
    EXPECT_THAT(cutOff, ElementsAre("10.0.0.1", "10.0.0.2"));
    EXPECT_EQ(LedgerText(), "10.0.0.1\r\n10.0.0.2\r\n");
    EXPECT_EQ(std::count(fake.Sent.begin(), fake.Sent.end(), "system-view"), 2);
}

TEST_F(HangUpTest, RestoreKeepsExactlyTheHostsNotRestored) {
    ASSERT_TRUE(router::AppendLedger(ledger, "10.0.0.1\r\n10.0.0.2"));
    ASSERT_TRUE(router::AppendLedger(ledger, "10.0.0.3"));
    HangUpAtQuit(2);
    std::vector<std::string> listed;
    EXPECT_FALSE(router::RestoreHosts(TDialect::dlHuawei, "h", 3, ledger, listed, telnet));
    EXPECT_THAT(listed, ElementsAre("10.0.0.1", "10.0.0.2", "10.0.0.3"));
    // The first was restored; the second may not have been, the third was never tried.
    EXPECT_EQ(LedgerText(), "10.0.0.2\r\n10.0.0.3\r\n");

    // Once every removal goes through, the ledger is gone.
    fake.Open = true;
    HangUpAtQuit(0);
    EXPECT_TRUE(router::RestoreHosts(TDialect::dlHuawei, "h", 3, ledger, listed, telnet));
    EXPECT_FALSE(std::filesystem::exists(ledger));
}

TEST_F(HangUpTest, CensusCountsOnlyAListingThatReachedItsPrompt) {
    const std::string page1 = "display nat sess\r\n6 a b 10.0.0.1 x\r\n  ---- More ----";
    struct TCase {
        const char* Name;
        std::function<void(TFakeTelnet&)> Rest;  // what follows the continuation
        TCensusEnd End;
    };
    const TCase cases[] = {
        {"whole listing", [](TFakeTelnet& f) { f.Output("6 a b 10.0.0.2 x\r\n<Quidway>"); }, TCensusEnd::ceCounted},
        {"hung up after page 1", [](TFakeTelnet& f) { f.HangUp(); }, TCensusEnd::ceSessionLost},
        {"hung up inside page 2", [](TFakeTelnet& f) { f.Output("6 a b 10.0.0.2 x\r\n"); f.HangUp(); },
         TCensusEnd::ceSessionLost},
        // Open but silent for longer than a device may pause.
        {"fell silent", [](TFakeTelnet&) {}, TCensusEnd::ceCutShort},
    };
    for (const TCase& c : cases) {
        TFakeTelnet f;
        f.Output(page1);
        f.OnCommand = [&f, &c](const std::string& line) {
            if (line == " ") c.Rest(f);
        };
        router::strecord counts;
        EXPECT_EQ(router::RunCensus("h", 3, TDialect::dlHuawei, counts, f.LiveBinding()), c.End) << c.Name;
    }
}
