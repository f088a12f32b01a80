#include "router/Census.h"
#include "router/CommandOutput.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "FakeTelnet.h"
#include "router/RouterText.h"

using router::strecord;
using router::TIpCount;
using testing::ElementsAre;

namespace router {
// Lets gmock print and compare counts.
bool operator==(const TIpCount& a, const TIpCount& b) { return a.IP == b.IP && a.Count == b.Count; }
void PrintTo(const TIpCount& c, std::ostream* os) { *os << c.IP << "=" << c.Count; }
}  // namespace router

namespace {

const char kHuaweiTable[] =
    "<Quidway>display nat sess\r\n"
    "  There are currently 6 NAT sessions:\r\n"
    "\r\n"
    "  Protocol  GlobalAddr  Port   InsideAddr    Port   DestAddr        Port\r\n"
    "  6         202.96.1.5  12289  192.168.0.10  3041   61.135.169.125  80\r\n"
    "    VPN: 0,  status: 11,  TTL: 00:01:00,  Left: 00:00:59\r\n"
    "  17        202.96.1.5  12290  192.168.0.23  1031   202.96.128.86   53\r\n"
    "    VPN: 0,  status: 11,  TTL: 00:02:00,  Left: 00:01:58\r\n"
    "  6         202.96.1.5  12291  192.168.0.10  3042   61.135.169.125  80\r\n"
    "  1         202.96.1.5  12292  192.168.0.10  7      8.8.8.8         7\r\n"
    "  6         202.96.1.5  12293  192.168.0.31  3043   1.2.3.4         443\r\n"
    "  0x11      202.96.1.5  12294  192.168.0.23  1032   202.96.128.86   53\r\n"
    "<Quidway>";

const char kCiscoTable[] =
    "Router#show ip nat tran\r\n"
    "Pro Inside global      Inside local       Outside local      Outside global\r\n"
    "tcp 202.96.1.5:1024    192.168.0.10:3041  61.135.169.125:80  61.135.169.125:80\r\n"
    "udp 202.96.1.5:1025    192.168.0.23:1031  202.96.128.86:53   202.96.128.86:53\r\n"
    "--- 202.96.1.6         192.168.0.50       ---                ---\r\n"
    "icmp 202.96.1.5:7      192.168.0.10:7     8.8.8.8:7          8.8.8.8:7\r\n"
    "tcp 202.96.1.5:1026    192.168.0.10:3042  61.135.169.125:80  61.135.169.125:80\r\n"
    "Router#";

}  // namespace

TEST(CensusTest, HuaweiTableCountsTheFourthFieldOfNumberedLines) {
    strecord counts;
    router::CountHuaweiTable(router::SplitLines(kHuaweiTable), counts);
    EXPECT_THAT(counts, ElementsAre(TIpCount{"192.168.0.10", 3}, TIpCount{"192.168.0.23", 2},
                                    TIpCount{"192.168.0.31", 1}));
}

TEST(CensusTest, HuaweiShortNumberedLineCountsAnEmptyHost) {
    strecord counts;
    // "8" has no blank, so no first field; "x" is not a number.
    router::CountHuaweiTable({"6 a b c", "7 a b", "8", "9 g p 10.0.0.1 x", "x g p 10.0.0.9 x"}, counts);
    EXPECT_THAT(counts, ElementsAre(TIpCount{"", 2}, TIpCount{"10.0.0.1", 1}));
}

TEST(CensusTest, CiscoTableCountsTheInsideLocalAddress) {
    strecord counts;
    router::CountCiscoTable(router::SplitLines(kCiscoTable), counts);
    // The static entry without ports, the header, the echo and the prompt are skipped.
    EXPECT_THAT(counts, ElementsAre(TIpCount{"192.168.0.10", 3}, TIpCount{"192.168.0.23", 1}));
}

TEST(CensusTest, CiscoKeyIsTheTextUpToTheFirstColon) {
    strecord counts;
    router::CountCiscoTable({"tcp g :80 x", "tcp g 10.0.0.1:5", "tcp g 10.0.0.1 :5", "tcp 10.0.0.2:1"}, counts);
    // An empty key is skipped; the port may follow after blanks; with only two fields the second
    // drop finds no blank and leaves the second field in place.
    EXPECT_THAT(counts, ElementsAre(TIpCount{"10.0.0.1", 2}, TIpCount{"10.0.0.2", 1}));
}

TEST(CensusTest, CountingContinuesAnExistingArrayAndMatchesBytesExactly) {
    strecord counts{{"10.0.0.1", 4}};
    router::CountHuaweiTable({"6 g p 10.0.0.2 x", "6 g p 10.0.0.1 x", "6 g p 010.0.0.1 x"}, counts);
    EXPECT_THAT(counts, ElementsAre(TIpCount{"10.0.0.1", 5}, TIpCount{"10.0.0.2", 1}, TIpCount{"010.0.0.1", 1}));
}

TEST(CensusTest, SortIsDescendingAndKeepsTiesInFirstSeenOrder) {
    strecord counts{{"a", 1}, {"b", 5}, {"c", 3}, {"d", 5}, {"e", 3}, {"f", 7}};
    router::SortIpCounts(counts);
    EXPECT_THAT(counts, ElementsAre(TIpCount{"f", 7}, TIpCount{"b", 5}, TIpCount{"d", 5}, TIpCount{"c", 3},
                                    TIpCount{"e", 3}, TIpCount{"a", 1}));
    strecord none;
    router::SortIpCounts(none);
    EXPECT_TRUE(none.empty());
}

TEST(CensusTest, NatCountSendsTheDialectsCommand) {
    TFakeTelnet fake;
    fake.Output(kHuaweiTable, 64);
    strecord counts;
    router::HuaweiNatCount("h", 3, counts, fake.Binding());
    EXPECT_THAT(fake.Sent, ElementsAre("display nat sess"));
    EXPECT_EQ(counts.size(), 3u);

    TFakeTelnet cisco;
    cisco.Output(kCiscoTable, 64);
    strecord ciscoCounts;
    router::CiscoNatCount("h", 3, ciscoCounts, cisco.Binding());
    EXPECT_THAT(cisco.Sent, ElementsAre("show ip nat tran"));
    EXPECT_EQ(ciscoCounts.size(), 2u);
}

TEST(CensusTest, RunCensusCountsAndSorts) {
    TFakeTelnet fake;
    fake.Output("6 g p 10.0.0.1 x\r\n6 g p 10.0.0.2 x\r\n6 g p 10.0.0.2 x\r\n<R>");
    strecord counts;
    router::RunCensus("h", 3, router::TDialect::dlHuawei, counts, fake.Binding());
    EXPECT_THAT(counts, ElementsAre(TIpCount{"10.0.0.2", 2}, TIpCount{"10.0.0.1", 1}));

    // Not logged in: the command is not sent and nothing is counted.
    fake.SendResult = 0;
    strecord empty;
    router::RunCensus("h", 3, router::TDialect::dlCisco, empty, fake.Binding());
    EXPECT_TRUE(empty.empty());

    // An unknown dialect sends nothing.
    fake.Sent.clear();
    router::RunCensus("h", 3, static_cast<router::TDialect>(2), empty, fake.Binding());
    EXPECT_TRUE(fake.Sent.empty());
}

// The census walks the captured text in place; it must count exactly what the line list gives.
TEST(CensusTextTest, CountingTheTextEqualsCountingItsLines) {
    const std::string huawei =
        "\r\ndisplay nat sess\r\n  There are currently 5 NAT sessions:\r\n\r\n"
        "Protocol  GlobalAddr  Port  InsideAddr  Port\r\n"
        "6 1.1.1.1 100 10.0.0.1 200 8.8.8.8 80\r\n  ---- More ----17 1.1.1.1 101 10.0.0.2 201 8.8.8.8 53\r\n"
        "6 1.1.1.1 102 10.0.0.1 202\r\n6 a b\r\n0x10 1.1.1.1 103 10.0.0.3 x\r\nx 1 2 3 4\r\n<Quidway>\r\n";
    router::strecord fromLines, fromText;
    auto lines = router::SplitLines(huawei);
    for (auto& l : lines)
        if (l.rfind(router::kHuaweiPager, 0) == 0) l = std::string(" ").append(router::TrimBlanks(l.substr(16)));
    router::CountHuaweiTable(lines, fromLines);
    router::CountHuaweiText(huawei, fromText);
    ASSERT_EQ(fromText.size(), fromLines.size());
    for (size_t i = 0; i < fromText.size(); ++i) {
        EXPECT_EQ(fromText[i].IP, fromLines[i].IP);
        EXPECT_EQ(fromText[i].Count, fromLines[i].Count);
    }
    EXPECT_EQ(fromText.size(), 4u);  // 10.0.0.1 twice, 10.0.0.2, 10.0.0.3 and the empty host of "6 a b"

    const std::string cisco = "show ip nat tran\r\nPro Inside global Inside local Outside local\r\n"
                              "tcp 1.1.1.1:5 10.0.0.9:1025 8.8.8.8:80 8.8.8.8:80\r\n"
                              " --More-- tcp 1.1.1.1:6 10.0.0.9:1026 8.8.8.8:80\r\n--- 1.1.1.1 10.0.0.7 --- ---\r\nRouter#";
    router::strecord ciscoLines, ciscoText;
    auto clines = router::SplitLines(cisco);
    for (auto& l : clines)
        if (l.rfind(router::kCiscoPager, 0) == 0) l = std::string(" ").append(router::TrimBlanks(l.substr(10)));
    router::CountCiscoTable(clines, ciscoLines);
    router::CountCiscoText(cisco, ciscoText);
    ASSERT_EQ(ciscoText.size(), 1u);
    EXPECT_EQ(ciscoText[0].IP, "10.0.0.9");
    EXPECT_EQ(ciscoText[0].Count, 2);
    EXPECT_EQ(ciscoLines.size(), ciscoText.size());
}
