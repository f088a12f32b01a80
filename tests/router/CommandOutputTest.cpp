#include "router/CommandOutput.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "FakeTelnet.h"

using testing::ElementsAre;

namespace {

class CommandOutputTest : public testing::Test {
protected:
    TFakeTelnet fake;
    router::TTelnetBinding telnet = fake.Binding();

    // The device answers each continuation with the next screen, in small pieces so that
    // markers and line ends are split across reads.
    void PageOnBlank(std::vector<std::string> screens, std::size_t piece) {
        fake.OnCommand = [this, screens = std::move(screens), piece, next = std::size_t{0}](
                             const std::string& line) mutable {
            if (line == " " && next < screens.size()) fake.Output(screens[next++], piece);
        };
    }
    std::size_t Continuations() const { return std::count(fake.Sent.begin(), fake.Sent.end(), " "); }
};

}  // namespace

TEST_F(CommandOutputTest, OneScreenEndingInThePromptNeedsNoContinuation) {
    fake.Output("display nat sess\r\n 6 a b c d\r\n<Quidway>", 4);
    fake.Output("never read");
    EXPECT_THAT(router::HuaweiCommandOutput("h", "display nat sess", 3, telnet),
                ElementsAre("display nat sess", " 6 a b c d", "<Quidway>"));
    EXPECT_THAT(fake.Sent, ElementsAre("display nat sess"));
    EXPECT_EQ(fake.PendingReads(), 1u);
}

TEST_F(CommandOutputTest, HuaweiPagesThroughThreeMarkers) {
    fake.Output("display nat sess\r\nline 1\r\nline 2\r\n  ---- More ----", 7);
    PageOnBlank({"line 3\r\nline 4\r\n  ---- More ----", "line 5\r\n  ---- More ----",
                 "line 6\r\n<Quidway>"},
                5);
    const auto lines = router::HuaweiCommandOutput("h", "display nat sess", 3, telnet);
    EXPECT_EQ(Continuations(), 3u);
    // Each data line once; the lines that carried the marker start with one blank.
    EXPECT_THAT(lines, ElementsAre("display nat sess", "line 1", "line 2", " line 3", "line 4", " line 5",
                                   " line 6", "<Quidway>"));
    // Every read of the capture used the same 16 KiB buffer.
    ASSERT_FALSE(fake.ReadBuffers.empty());
    EXPECT_TRUE(std::all_of(fake.ReadBuffers.begin(), fake.ReadBuffers.end(),
                            [&](const char* b) { return b == fake.ReadBuffers.front(); }));
}

TEST_F(CommandOutputTest, MarkerLineRestIsTrimmed) {
    fake.Output("  ---- More ----");
    PageOnBlank({"   6  1.1.1.1 \t\r\n<R>"}, 0);
    EXPECT_THAT(router::HuaweiCommandOutput("h", "c", 1, telnet), ElementsAre(" 6  1.1.1.1", "<R>"));
}

TEST_F(CommandOutputTest, SquareBracketPromptEndsAHuaweiRead) {
    fake.Output("display nat sess\r\n[Quidway]");
    fake.Output("not part of it");
    EXPECT_THAT(router::HuaweiCommandOutput("h", "display nat sess", 1, telnet),
                ElementsAre("display nat sess", "[Quidway]"));
}

TEST_F(CommandOutputTest, CiscoHashEndsThePagingEvenIfMoreFollows) {
    fake.Output("show ip nat tran\r\nPro Inside global\r\n --More-- ", 3);
    PageOnBlank({"tcp 1.1.1.1:1 10.0.0.1:2 #", "tcp 1.1.1.1:3 10.0.0.2:4\r\nRouter#"}, 0);
    const auto lines = router::CiscoCommandOutput("h", "show ip nat tran", 1, telnet);
    EXPECT_EQ(Continuations(), 1u);
    EXPECT_THAT(lines, ElementsAre("show ip nat tran", "Pro Inside global", " tcp 1.1.1.1:1 10.0.0.1:2 #"));
}

TEST_F(CommandOutputTest, CiscoMarkerIsNotTheHuaweiOne) {
    // A Huawei marker means nothing to the Cisco capture: the silent device ends it.
    fake.Output("x\r\n  ---- More ----");
    fake.Silence();
    EXPECT_THAT(router::CiscoCommandOutput("h", "show ip nat tran", 1, telnet),
                ElementsAre("x", "  ---- More ----"));
    EXPECT_EQ(Continuations(), 0u);
}

TEST_F(CommandOutputTest, UnsentCommandReadsNothing) {
    fake.SendResult = 0;
    fake.Output("anything");
    EXPECT_TRUE(router::HuaweiCommandOutput("h", "display nat sess", 1, telnet).empty());
    EXPECT_EQ(fake.ReadBuffers.size(), 0u);
}

TEST_F(CommandOutputTest, SilentPagerEndsCapture) {
    // The device never answers the continuation: the capture ends with what it has, after one
    // attempt, instead of sending blanks for ever.
    fake.Output("a\r\nb\r\n  ---- More ----");
    const auto lines = router::HuaweiCommandOutput("h", "display nat sess", 1, telnet);
    EXPECT_THAT(lines, ElementsAre("a", "b", " "));
    EXPECT_EQ(Continuations(), 1u);
}

TEST_F(CommandOutputTest, RefusedContinuationEndsCapture) {
    fake.Output("a\r\n --More-- ");
    fake.Output("left unread");
    fake.RefuseSend = [](const std::string& line) { return line == " "; };
    EXPECT_THAT(router::CiscoCommandOutput("h", "show ip nat tran", 1, telnet), ElementsAre("a", " "));
    EXPECT_EQ(Continuations(), 1u);
    EXPECT_EQ(fake.PendingReads(), 1u);
}

TEST_F(CommandOutputTest, MarkerSplitOverTwoChunksIsNotAPager) {
    // Only the end of the text after each piece is tested: a chunk that stops inside the marker
    // ends the paging.
    fake.Output("a\r\n  ---- More ----");
    PageOnBlank({"b\r\n  ---- Mo"}, 0);
    EXPECT_THAT(router::HuaweiCommandOutput("h", "c", 1, telnet), ElementsAre("a", " b", "  ---- Mo"));
    EXPECT_EQ(Continuations(), 1u);
}

// Real devices erase the pager prompt after the continuation; the erase sequence must not cost
// the first line of the next page.
TEST_F(CommandOutputTest, ErasedPagerKeepsEveryLine) {
    const std::string erase42 = "\x1B[42D" + std::string(42, ' ') + "\x1B[42D";
    const std::string erase16 = "\x1B[16D" + std::string(16, ' ') + "\x1B[16D";
    fake.Output("display nat sess\r\n 1 a b 10.0.0.1 x\r\n  ---- More ----", 9);
    PageOnBlank({erase42 + " 2 a b 10.0.0.2 x\r\n  ---- More ----", erase16 + " 3 a b 10.0.0.3 x\r\n<H>"}, 6);
    EXPECT_THAT(router::HuaweiCommandOutput("h", "display nat sess", 1, telnet),
                ElementsAre("display nat sess", " 1 a b 10.0.0.1 x", " 2 a b 10.0.0.2 x", " 3 a b 10.0.0.3 x", "<H>"));
}
