#include "router/CensusReport.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using router::BuildCensusReport;
using router::strecord;
using testing::ElementsAre;

namespace router {
bool operator==(const TReportLine& a, const TReportLine& b) { return a.IP == b.IP && a.Count == b.Count; }
void PrintTo(const TReportLine& l, std::ostream* os) { *os << l.IP << "=" << l.Count; }
}  // namespace router

using router::TReportLine;

namespace {
std::string NoOwnAddress() { return "10.9.9.9"; }
}  // namespace

TEST(CensusReportTest, ReportsCountsAtOrAboveTheThreshold) {
    const strecord sorted{{"10.0.0.1", 150}, {"10.0.0.2", 100}, {"10.0.0.3", 99}, {"10.0.0.4", 150}};
    const auto report = BuildCensusReport(sorted, "100", NoOwnAddress);
    EXPECT_TRUE(report.ThresholdValid);
    EXPECT_THAT(report.Lines, ElementsAre(TReportLine{"10.0.0.1", 150}, TReportLine{"10.0.0.2", 100}));
    // The walk stops at the first count below the threshold: the array is sorted.
    EXPECT_THAT(report.BlockList, ElementsAre("10.0.0.1", "10.0.0.2"));
}

TEST(CensusReportTest, OwnAddressIsReportedButNotBlocked) {
    int lookups = 0;
    const auto own = [&lookups] { ++lookups; return std::string("192.168.0.5"); };
    const strecord sorted{{"192.168.0.9", 300}, {"192.168.0.5", 200}, {"192.168.0.7", 10}};
    const auto report = BuildCensusReport(sorted, "100", own);
    EXPECT_THAT(report.Lines, ElementsAre(TReportLine{"192.168.0.9", 300}, TReportLine{"192.168.0.5", 200}));
    EXPECT_THAT(report.BlockList, ElementsAre("192.168.0.9"));
    EXPECT_EQ(lookups, 3);  // afresh for each entry walked, the stopping one included
}

TEST(CensusReportTest, ThresholdTextUsesTheStrictConversion) {
    const strecord sorted{{"a", 120}, {"b", 100}, {"c", 16}};
    EXPECT_EQ(BuildCensusReport(sorted, "  100", NoOwnAddress).Lines.size(), 2u);
    EXPECT_EQ(BuildCensusReport(sorted, "$10", NoOwnAddress).Lines.size(), 3u);
    EXPECT_EQ(BuildCensusReport(sorted, "-1", NoOwnAddress).Lines.size(), 3u);
    EXPECT_EQ(BuildCensusReport(sorted, "121", NoOwnAddress).Lines.size(), 0u);
}

TEST(CensusReportTest, BadThresholdReportsNothing) {
    const strecord sorted{{"a", 120}, {"b", 100}};
    for (const char* text : {"", "100 ", "abc", "1e2", "99999999999"}) {
        const auto report = BuildCensusReport(sorted, text, NoOwnAddress);
        EXPECT_FALSE(report.ThresholdValid) << text;
        EXPECT_TRUE(report.Lines.empty()) << text;
        EXPECT_TRUE(report.BlockList.empty()) << text;
    }
    // An empty census never reads the threshold.
    EXPECT_TRUE(BuildCensusReport({}, "abc", NoOwnAddress).ThresholdValid);
}

TEST(CensusReportTest, DefaultLookupIsTheInjectedOwnAddress) {
    router::SetOwnAddressLookup([] { return std::string("10.0.0.1"); });
    const auto report = BuildCensusReport({{"10.0.0.1", 5}, {"10.0.0.2", 5}}, "1");
    router::SetOwnAddressLookup(nullptr);
    EXPECT_THAT(report.BlockList, ElementsAre("10.0.0.2"));
    EXPECT_EQ(router::OwnAddress(), "");
}

TEST(CensusReportTest, ReportLineTexts) {
    EXPECT_EQ(router::ReportLineText({"192.168.0.10", 150}), L"192.168.0.10有150个连接");
    EXPECT_EQ(router::ReportText({{"a", 1}, {"b", 22}}), L"a有1个连接\r\nb有22个连接\r\n");
    EXPECT_EQ(router::ReportText({}), L"");
}

TEST(CensusReportTest, OnlyAddressesGoOnTheBlockListButEverythingIsReported) {
    const strecord sorted{{"10.0.0.1", 300}, {"", 250}, {"1.2.3.4;write", 200}, {"10.0.0.2", 120}};
    const auto report = BuildCensusReport(sorted, "100", NoOwnAddress);
    EXPECT_THAT(report.BlockList, ElementsAre("10.0.0.1", "10.0.0.2"));
    EXPECT_EQ(report.Lines.size(), 4u);
}
