#include "NatTable.h"
#include "RouterSession.h"

#include <gtest/gtest.h>

#include <memory>

namespace routersim {
namespace {

class Session {
public:
    explicit Session(SimConfig config) : config_(std::move(config)), session_(config_, state_) {}

    std::string Start() {
        session_.Start();
        return Text();
    }
    std::string Line(const std::string& line, bool echo = true) {
        session_.OnLine(line, echo);
        return Text();
    }
    std::vector<OutputChunk> Chunks(const std::string& line) {
        session_.OnLine(line, true);
        return session_.TakeOutput();
    }
    bool Finished() const { return session_.Finished(); }
    SimState& State() { return state_; }

private:
    std::string Text() {
        std::string all;
        for (const OutputChunk& c : session_.TakeOutput()) all += c.text;
        return all;
    }
    SimConfig config_;
    SimState state_{""};
    RouterSession session_;
};

bool EndsWith(const std::string& s, const std::string& suffix) {
    return s.size() >= suffix.size() && s.compare(s.size() - suffix.size(), suffix.size(), suffix) == 0;
}

SimConfig Cisco() {
    SimConfig c;
    c.dialect = Dialect::Cisco;
    c.password = "pw";
    c.enablePassword = "en";
    return c;
}

SimConfig Huawei() {
    SimConfig c;
    c.dialect = Dialect::Huawei;
    c.password = "pw";
    c.enablePassword = "su";
    return c;
}

TEST(RouterSession, CiscoLoginWithUserNameReachesThePrivilegedPrompt) {
    SimConfig config = Cisco();
    config.usernamePrompt = true;
    config.username = "admin";
    Session s(config);
    EXPECT_TRUE(EndsWith(s.Start(), "\r\nUsername: "));
    EXPECT_EQ(s.Line("admin"), "admin\r\nPassword: ");
    EXPECT_EQ(s.Line("pw"), "\r\nRouter>");  // passwords are not echoed
    EXPECT_EQ(s.Line("enable"), "enable\r\nPassword: ");
    EXPECT_EQ(s.Line("en"), "\r\nRouter#");
    EXPECT_EQ(s.Line("exit"), "exit\r\n");
    EXPECT_TRUE(s.Finished());
}

TEST(RouterSession, WrongPasswordsKeepTheLowerLevelAndThreeFailuresHangUp) {
    Session cisco(Cisco());
    cisco.Start();
    EXPECT_EQ(cisco.Line("nope"), "\r\nPassword: ");
    EXPECT_EQ(cisco.Line("pw"), "\r\nRouter>");
    EXPECT_EQ(cisco.Line("enable"), "enable\r\nPassword: ");
    EXPECT_EQ(cisco.Line("wrong"), "\r\n% Access denied\r\n\r\nRouter>");
    EXPECT_TRUE(EndsWith(cisco.Line("configure terminal"), "% Invalid input detected at '^' marker.\r\n\r\nRouter>"));

    SimConfig withUser = Huawei();
    withUser.usernamePrompt = true;
    withUser.username = "admin";
    Session huawei(withUser);
    EXPECT_TRUE(EndsWith(huawei.Start(), "Username:"));
    huawei.Line("guest");  // right password, wrong user
    EXPECT_TRUE(EndsWith(huawei.Line("pw"), "Error: Failed to authenticate.\r\n\r\nUsername:"));
    huawei.Line("admin");
    huawei.Line("x");
    huawei.Line("admin");
    EXPECT_FALSE(huawei.Finished());
    huawei.Line("y");
    EXPECT_TRUE(huawei.Finished());
    EXPECT_EQ(huawei.Line("pw"), "");  // nothing is served after the hang-up
}

TEST(RouterSession, HuaweiSuperUnlocksSystemViewAndRoutesUseTheSharedTable) {
    Session s(Huawei());
    EXPECT_TRUE(EndsWith(s.Start(), "\r\nPassword:"));
    EXPECT_TRUE(EndsWith(s.Line("pw"), "\r\n<Huawei>"));
    EXPECT_TRUE(EndsWith(s.Line("system-view"), "Error: Unrecognized command found at '^' position.\r\n<Huawei>"));
    EXPECT_EQ(s.Line("super"), "super\r\nPassword:");
    EXPECT_TRUE(EndsWith(s.Line("bad"), "Error: Invalid password.\r\n<Huawei>"));
    s.Line("super");
    EXPECT_TRUE(EndsWith(s.Line("su"), "3-MANAGE\r\n<Huawei>"));
    EXPECT_TRUE(EndsWith(s.Line("system-view"), "\r\n[Huawei]"));
    EXPECT_EQ(s.Line("ip route-static 192.168.0.10 255.255.255.255 NULL 0"),
              "ip route-static 192.168.0.10 255.255.255.255 NULL 0\r\n[Huawei]");
    s.Line("ip route-static 192.168.0.11 255.255.255.255 null0");
    EXPECT_EQ(s.State().NullRoutes(), (std::set<std::string>{"192.168.0.10 255.255.255.255", "192.168.0.11 255.255.255.255"}));
    s.Line("undo ip route-static 192.168.0.10 255.255.255.255 null 0");
    EXPECT_TRUE(EndsWith(s.Line("undo ip route-static 192.168.0.10 255.255.255.255 null 0"),
                         "Error: The route does not exist.\r\n[Huawei]"));
    EXPECT_TRUE(EndsWith(s.Line("ip route-static 192.168.0.10 255.255.255.0 null 0"), "do not match.\r\n[Huawei]"));
    EXPECT_TRUE(EndsWith(s.Line("ip route-static 192.168.0.300 255.255.255.255 null 0"), "position.\r\n[Huawei]"));
    EXPECT_EQ(s.State().NullRoutes(), (std::set<std::string>{"192.168.0.11 255.255.255.255"}));
    EXPECT_EQ(s.Line("quit"), "quit\r\n<Huawei>");
    EXPECT_FALSE(s.Finished());
    s.Line("quit");
    EXPECT_TRUE(s.Finished());
}

TEST(RouterSession, CiscoConfigurationModeAndWrite) {
    Session s(Cisco());
    s.Start();
    s.Line("pw");
    s.Line("enable");
    s.Line("en");
    EXPECT_EQ(s.Line("configure terminal"),
              "configure terminal\r\nEnter configuration commands, one per line.  End with CNTL/Z.\r\nRouter(config)#");
    EXPECT_EQ(s.Line("ip route 192.168.0.10 255.255.255.255 null 0"),
              "ip route 192.168.0.10 255.255.255.255 null 0\r\nRouter(config)#");
    EXPECT_TRUE(EndsWith(s.Line("no ip route 10.9.9.9 255.255.255.255 Null0"), "%No matching route to delete\r\nRouter(config)#"));
    EXPECT_TRUE(EndsWith(s.Line("ip route 192.168.0.10 255.255.255.255 ethernet0"), "marker.\r\n\r\nRouter(config)#"));
    EXPECT_EQ(s.State().NullRoutes(), (std::set<std::string>{"192.168.0.10 255.255.255.255"}));
    EXPECT_EQ(s.Line("exit"), "exit\r\nRouter#");
    EXPECT_EQ(s.Line("write"), "write\r\nBuilding configuration...\r\n[OK]\r\nRouter#");
    EXPECT_EQ(s.Line("wr", false), "\r\nBuilding configuration...\r\n[OK]\r\nRouter#");  // no echo when refused
    s.Line("conf t");
    s.Line("no ip route 192.168.0.10 255.255.255.255 null 0");
    EXPECT_TRUE(s.State().NullRoutes().empty());
}

TEST(RouterSession, HuaweiWriteAnswerIsConfigurable) {
    SimConfig config = Huawei();
    config.huaweiWriteAnswer = "Info: saved.\r\n[OK]";
    Session s(config);
    s.Start();
    s.Line("pw");
    EXPECT_TRUE(EndsWith(s.Line("write"), "position.\r\n<Huawei>"));  // needs the privilege
    s.Line("super");
    s.Line("su");
    EXPECT_EQ(s.Line("write"), "write\r\nInfo: saved.\r\n[OK]\r\n<Huawei>");
}

struct PagingCase {
    Dialect dialect;
    const char* command;
    const char* marker;
    std::string erase;
    const char* prompt;
};

class RouterSessionPaging : public ::testing::TestWithParam<PagingCase> {};

TEST_P(RouterSessionPaging, ListingsStopAtTheMarkerAndContinueOnABlankLine) {
    const PagingCase& p = GetParam();
    SimConfig config = p.dialect == Dialect::Cisco ? Cisco() : Huawei();
    config.natHosts = {{"192.168.0.10", 13}, {"192.168.0.11", 9}};
    config.pageLines = 10;
    config.pageDelayMs = 30;
    Session s(config);
    s.Start();
    s.Line("pw");
    const auto listing = NatListing(p.dialect, config.natHosts);
    std::string expected;
    for (const std::string& line : listing) expected += line + "\r\n";

    auto chunks = s.Chunks(p.command);
    ASSERT_EQ(chunks.size(), 2u);  // the echo at once, the page after the delay
    EXPECT_EQ(chunks[0].text, std::string(p.command) + "\r\n");
    EXPECT_EQ(chunks[1].delayMs, 30);
    std::string seen = chunks[1].text;
    int markers = 0;
    while (EndsWith(seen, p.marker)) {
        ++markers;
        seen.erase(seen.size() - std::string(p.marker).size());
        std::string next = s.Line(" ");
        ASSERT_EQ(next.substr(0, p.erase.size()), p.erase);
        seen += next.substr(p.erase.size());
    }
    EXPECT_EQ(markers, static_cast<int>((listing.size() - 1) / 10));
    EXPECT_EQ(seen, expected + p.prompt);
    // The session is back at its prompt: a command works again.
    EXPECT_TRUE(EndsWith(s.Line(""), std::string("\r\n") + p.prompt));
}

TEST_P(RouterSessionPaging, AnythingButABlankLineAbandonsTheListing) {
    const PagingCase& p = GetParam();
    SimConfig config = p.dialect == Dialect::Cisco ? Cisco() : Huawei();
    config.natHosts = {{"192.168.0.10", 40}};
    config.pageLines = 5;
    config.erase = false;
    Session s(config);
    s.Start();
    s.Line("pw");
    EXPECT_TRUE(EndsWith(s.Line(p.command), p.marker));
    std::string page2 = s.Line(" ");
    ASSERT_FALSE(page2.empty());
    EXPECT_NE(page2[0], '\x1b');  // erase is off: the page starts with its text
    EXPECT_NE(page2[0], '\b');
    EXPECT_TRUE(EndsWith(page2, p.marker));
    EXPECT_EQ(s.Line("q"), std::string("\r\n") + p.prompt);
}

INSTANTIATE_TEST_SUITE_P(
    BothDialects, RouterSessionPaging,
    ::testing::Values(PagingCase{Dialect::Huawei, "display nat sess", "  ---- More ----",
                                 "\x1b[42D" + std::string(42, ' ') + "\x1b[42D", "<Huawei>"},
                      PagingCase{Dialect::Cisco, "show ip nat tran", " --More-- ",
                                 std::string(10, '\b') + std::string(10, ' ') + std::string(10, '\b'), "Router>"}),
    [](const auto& info) { return info.param.dialect == Dialect::Cisco ? "Cisco" : "Huawei"; });

}  // namespace
}  // namespace routersim
