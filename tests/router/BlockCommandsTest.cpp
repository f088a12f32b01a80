#include "router/BlockCommands.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "FakeTelnet.h"
#include "TempFolder.h"
#include "router/Ledger.h"

using router::TDialect;
using testing::ElementsAre;

namespace {
constexpr TDialect kCisco = TDialect::dlCisco;
constexpr TDialect kHuawei = TDialect::dlHuawei;
// A value that is no dialect, as a corrupted setting would hold.
TDialect NoDialect(int value) { return static_cast<TDialect>(value); }
}  // namespace

namespace {

class BlockCommandsTest : public testing::Test {
protected:
    BlockCommandsTest() {
        // The device comes back to its prompt after every configuration exit.
        fake.OnCommand = [this](const std::string& line) {
            if (line == "exit") fake.Output("Router(config)#exit\r\nRouter#");
            if (line == "quit") fake.Output("[Quidway]quit\r\n<Quidway>");
        };
    }
    std::string LedgerText() const {
        std::ifstream file(ledger, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(file), {});
    }

    TFakeTelnet fake;
    router::TTelnetBinding telnet = fake.Binding();
    TTempFolder folder;
    std::filesystem::path ledger = folder.Path() / router::kLedgerFileName;
};

}  // namespace

TEST_F(BlockCommandsTest, CiscoBlockOfTwoHostsSendsThreeLinesEachAndOneRecord) {
    EXPECT_EQ(router::BlockHosts(kCisco, "h", 5, {"10.0.0.1", "10.0.0.2"}, ledger, telnet), router::brBlocked);
    EXPECT_THAT(fake.Sent, ElementsAre("configure terminal", "ip route 10.0.0.1 255.255.255.255 null 0", "exit",
                                       "configure terminal", "ip route 10.0.0.2 255.255.255.255 null 0", "exit"));
    EXPECT_EQ(LedgerText(), "10.0.0.1\r\n10.0.0.2\r\n");
}

TEST_F(BlockCommandsTest, EmptyListChangesNothing) {
    EXPECT_EQ(router::BlockHosts(kHuawei, "h", 5, {}, ledger, telnet), router::brNothingToBlock);
    EXPECT_TRUE(fake.Sent.empty());
    EXPECT_FALSE(std::filesystem::exists(ledger));
}

TEST_F(BlockCommandsTest, UnknownDialectSendsAndWritesNothing) {
    EXPECT_EQ(router::BlockHosts(NoDialect(2), "h", 5, {"10.0.0.1"}, ledger, telnet), router::brRouteFailed);
    EXPECT_TRUE(fake.Sent.empty());
    EXPECT_FALSE(std::filesystem::exists(ledger));
}

TEST_F(BlockCommandsTest, UnwritableLedgerIsAFailureAfterTheRoutes) {
    const auto nowhere = folder.Path() / "no-such-folder" / router::kLedgerFileName;
    EXPECT_EQ(router::BlockHosts(kHuawei, "h", 5, {"10.0.0.1"}, nowhere, telnet), router::brLedgerFailed);
    EXPECT_THAT(fake.Sent, ElementsAre("system-view", "ip route-static 10.0.0.1 255.255.255.255 null 0", "quit"));
}

TEST_F(BlockCommandsTest, TwiceBlockedHostIsRestoredTwiceThenTheLedgerIsGone) {
    ASSERT_EQ(router::BlockHosts(kHuawei, "h", 5, {"10.0.0.1"}, ledger, telnet), router::brBlocked);
    ASSERT_EQ(router::BlockHosts(kHuawei, "h", 5, {"10.0.0.1", "10.0.0.3"}, ledger, telnet), router::brBlocked);
    fake.Sent.clear();

    std::vector<std::string> blockList{"stale"};
    EXPECT_TRUE(router::RestoreHosts(kHuawei, "h", 5, ledger, blockList, telnet));
    EXPECT_THAT(blockList, ElementsAre("10.0.0.1", "10.0.0.1", "10.0.0.3"));
    EXPECT_THAT(fake.Sent, ElementsAre("system-view", "undo ip route-static 10.0.0.1 255.255.255.255 null 0", "quit",
                                       "system-view", "undo ip route-static 10.0.0.1 255.255.255.255 null 0", "quit",
                                       "system-view", "undo ip route-static 10.0.0.3 255.255.255.255 null 0", "quit"));
    EXPECT_FALSE(std::filesystem::exists(ledger));

    // Nothing left to restore: nothing is sent, and the list is emptied.
    fake.Sent.clear();
    EXPECT_FALSE(router::RestoreHosts(kHuawei, "h", 5, ledger, blockList, telnet));
    EXPECT_TRUE(blockList.empty());
    EXPECT_TRUE(fake.Sent.empty());
}

TEST_F(BlockCommandsTest, RestoreReadsAnyLineEndStyle) {
    std::ofstream(ledger, std::ios::binary) << "10.0.0.1\n10.0.0.2\r10.0.0.3";
    std::vector<std::string> blockList;
    EXPECT_TRUE(router::RestoreHosts(kCisco, "h", 5, ledger, blockList, telnet));
    EXPECT_THAT(blockList, ElementsAre("10.0.0.1", "10.0.0.2", "10.0.0.3"));
    EXPECT_EQ(fake.Sent[1], "no ip route 10.0.0.1 255.255.255.255 null 0");
    EXPECT_EQ(fake.Sent[7], "no ip route 10.0.0.3 255.255.255.255 null 0");
}

TEST_F(BlockCommandsTest, RestoreWithUnknownDialectKeepsTheLedger) {
    ASSERT_TRUE(router::AppendLedger(ledger, "10.0.0.1"));
    std::vector<std::string> blockList;
    EXPECT_FALSE(router::RestoreHosts(NoDialect(3), "h", 5, ledger, blockList, telnet));
    EXPECT_TRUE(std::filesystem::exists(ledger));
}

TEST_F(BlockCommandsTest, ManualTargetBlocksExactlyTheTypedAddress) {
    const auto blockList = router::ManualTarget("  192.168.0.10 \t");
    EXPECT_THAT(blockList, ElementsAre("192.168.0.10"));
    EXPECT_EQ(router::BlockHosts(kCisco, "h", 5, blockList, ledger, telnet), router::brBlocked);
    EXPECT_EQ(fake.Sent[1], "ip route 192.168.0.10 255.255.255.255 null 0");
    EXPECT_EQ(LedgerText(), "192.168.0.10\r\n");
}

TEST_F(BlockCommandsTest, DialectDispatchPicksTheCommandSet) {
    fake.Output("Password:");
    fake.Output("<Quidway>");
    int session = 0;
    EXPECT_TRUE(router::DialectLogin(kHuawei, "h", session, "u", "pw", "su", telnet));
    EXPECT_TRUE(router::DialectLogout(kCisco, "h", session, telnet));
    EXPECT_TRUE(router::DialectLogout(kHuawei, "h", session, telnet));
    EXPECT_FALSE(router::DialectLogout(NoDialect(7), "h", session, telnet));
    EXPECT_FALSE(router::DialectLogin(NoDialect(7), "h", session, "u", "pw", "su", telnet));
    EXPECT_THAT(fake.Sent, ElementsAre("pw", "super", "su", "exit", "quit"));
}

TEST_F(BlockCommandsTest, RestoreSkipsBlankLinesAndAnythingButAnAddress) {
    std::ofstream(ledger, std::ios::binary) << "10.0.0.1\r\n\r\n   \r\nwrite erase\r\n 10.0.0.2 \r\n";
    std::vector<std::string> blockList;
    EXPECT_TRUE(router::RestoreHosts(kHuawei, "h", 5, ledger, blockList, telnet));
    EXPECT_THAT(blockList, ElementsAre("10.0.0.1", "10.0.0.2"));
    EXPECT_THAT(fake.Sent, ElementsAre("system-view", "undo ip route-static 10.0.0.1 255.255.255.255 null 0", "quit",
                                       "system-view", "undo ip route-static 10.0.0.2 255.255.255.255 null 0", "quit"));
}

TEST_F(BlockCommandsTest, ManualTargetThatIsNoAddressGivesNothingToBlock) {
    for (const char* typed : {"", "  ", "192.168.0", "host.example", "1.2.3.4 null 0"})
        EXPECT_TRUE(router::ManualTarget(typed).empty()) << typed;
}
