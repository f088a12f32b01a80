#include "SimOptions.h"

#include <gtest/gtest.h>

namespace routersim {
namespace {

TEST(SimOptions, EveryOptionReachesTheConfiguration) {
    SimOptions o;
    std::string error;
    ASSERT_TRUE(ParseSimOptions({"--port", "2323", "--dialect", "cisco", "--hostname", "Edge", "--password", "a",
                                 "--enable-password", "", "--username-prompt", "on", "--username", "u",
                                 "--hosts", "10.0.0.1=3,10.0.0.2=1", "--page-lines", "0", "--erase", "off",
                                 "--page-delay-ms", "250", "--write-answer", "Saved\\r\\n[OK]\\x21",
                                 "--transcript", "t.txt", "--max-connections", "3", "--latency-ms", "150",
                                 "--piece-bytes", "16", "--piece-pause-ms", "20", "--save-delay-ms", "3000",
                                 "--exec-timeout-ms", "600000", "--hangup-after-page", "2", "--junk",
                                 "escapes,binary", "--stdio"},
                                &o, &error))
        << error;
    EXPECT_EQ(o.port, 2323);
    EXPECT_EQ(o.config.dialect, Dialect::Cisco);
    EXPECT_EQ(o.config.Hostname(), "Edge");
    EXPECT_EQ(o.config.password, "a");
    EXPECT_EQ(o.config.enablePassword, "");
    EXPECT_TRUE(o.config.usernamePrompt);
    EXPECT_EQ(o.config.username, "u");
    ASSERT_EQ(o.config.natHosts.size(), 2u);
    EXPECT_EQ(o.config.natHosts[0].sessions, 3);
    EXPECT_EQ(o.config.pageLines, 0);
    EXPECT_FALSE(o.config.erase);
    EXPECT_EQ(o.config.pageDelayMs, 250);
    EXPECT_EQ(o.config.huaweiWriteAnswer, "Saved\r\n[OK]!");
    EXPECT_EQ(o.config.transcriptPath, "t.txt");
    EXPECT_EQ(o.config.maxConnections, 3);
    EXPECT_EQ(o.config.latencyMs, 150);
    EXPECT_EQ(o.config.pieceBytes, 16);
    EXPECT_EQ(o.config.piecePauseMs, 20);
    EXPECT_EQ(o.config.saveDelayMs, 3000);
    EXPECT_EQ(o.config.execTimeoutMs, 600000);
    EXPECT_EQ(o.config.hangupAfterPage, 2);
    EXPECT_TRUE(o.config.junkBinary);
    EXPECT_FALSE(o.config.junkLongLine);
    EXPECT_TRUE(o.config.junkEscapes);
    EXPECT_TRUE(o.stdio);
}

TEST(SimOptions, DefaultsGiveAHuaweiRouterWithASmallTable) {
    SimOptions o;
    std::string error;
    ASSERT_TRUE(ParseSimOptions({}, &o, &error));
    EXPECT_EQ(o.port, 0);
    EXPECT_EQ(o.config.dialect, Dialect::Huawei);
    EXPECT_EQ(o.config.Hostname(), "Huawei");
    EXPECT_FALSE(o.config.natHosts.empty());
    ASSERT_TRUE(ParseSimOptions({"--sessions", "1000", "--host-count", "7", "--skew", "0"}, &o, &error));
    ASSERT_EQ(o.config.natHosts.size(), 7u);
    int total = 0;
    for (const NatHost& h : o.config.natHosts) total += h.sessions;
    EXPECT_EQ(total, 1000);
}

TEST(SimOptions, MistakesAreReportedNotGuessed) {
    const std::vector<std::vector<std::string>> bad = {
        {"--port"},          {"--port", "65536"},      {"--port", "12x"},         {"--dialect", "juniper"},
        {"--erase", "yes"},  {"--page-lines", "-1"},   {"--skew", "abc"},         {"--bogus", "1"},
        {"--hosts", "a=1", "--sessions", "5"},         {"--write-answer", "bad\\q"}, {"--write-answer", "\\x4"},
        {"--sessions", "99999999"}, {"--hosts", ""},  {"--latency-ms", "-5"},     {"--piece-bytes", "x"},
        {"--junk", "binary,"},      {"--junk", "all"}, {"--exec-timeout-ms", ""}, {"--hangup-after-page"}};
    for (const auto& args : bad) {
        SimOptions o;
        std::string error;
        EXPECT_FALSE(ParseSimOptions(args, &o, &error)) << args[0];
        EXPECT_FALSE(error.empty()) << args[0];
    }
}

}  // namespace
}  // namespace routersim
