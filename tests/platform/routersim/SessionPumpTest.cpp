#include "ListingJunk.h"
#include "NatTable.h"
#include "PlainClient.h"
#include "RouterSession.h"
#include "RouterSimulator.h"
#include "ScriptedLink.h"
#include "SessionPump.h"

#include <gtest/gtest.h>

#include <functional>

namespace routersim {
namespace {

using testing::ScriptedLink;
using Step = ScriptedLink::Step;

SimConfig Router(Dialect dialect) {
    SimConfig c;
    c.dialect = dialect;
    c.password = "pw";
    c.enablePassword = "en";
    c.natHosts = {{"192.168.0.10", 20}, {"192.168.0.11", 3}};
    c.pageLines = 0;
    return c;
}

std::vector<Step> Login(Dialect dialect) {
    if (dialect == Dialect::Cisco)
        return {{"Password: ", "pw\r\n"}, {"Router>", "enable\r\n"}, {"Password: ", "en\r\n"}};
    return {{"Password:", "pw\r\n"}, {"<Huawei>", "super\r\n"}, {"Password:", "en\r\n"}};
}

std::vector<Step> LoginThen(Dialect dialect, std::vector<Step> more) {
    std::vector<Step> all = Login(dialect);
    all.insert(all.end(), more.begin(), more.end());
    return all;
}

void RunSession(const SimConfig& config, ScriptedLink& link) {
    SimState state("");
    std::atomic<bool> stopping{false};
    SessionPump(config, state, link, stopping, true).Run();
}

// When the first piece of output holding `text` was sent; negative when none did.
double SentAt(const ScriptedLink& link, const std::string& text) {
    std::string so_far;
    for (const auto& s : link.Sends()) {
        so_far += s.bytes;
        if (so_far.find(text) != std::string::npos) return s.ms;
    }
    return -1;
}

int Count(const std::string& text, const std::string& what) {
    int n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
}

struct TimingCase {
    const char* name;
    Dialect dialect;
    std::function<void(SimConfig&)> set;
    std::vector<Step> afterLogin;
    std::function<void(const ScriptedLink&)> check;
};

void PrintTo(const TimingCase& c, std::ostream* os) { *os << c.name; }

class SessionPumpTiming : public ::testing::TestWithParam<TimingCase> {};

TEST_P(SessionPumpTiming, BehavesAsConfigured) {
    const TimingCase& c = GetParam();
    SimConfig config = Router(c.dialect);
    c.set(config);
    ScriptedLink link(LoginThen(c.dialect, c.afterLogin), 1500);
    RunSession(config, link);
    c.check(link);
}

const TimingCase kTimingCases[] = {
    {"LatencyDelaysEveryAnswer", Dialect::Huawei, [](SimConfig& c) { c.latencyMs = 150; },
     {{"<Huawei>", "display nat sess\r\n"}, {"<Huawei>", "quit\r\n"}},
     [](const ScriptedLink& link) {
         const auto sends = link.Sends();
         ASSERT_FALSE(sends.empty());
         EXPECT_GE(sends.front().ms, 149.0);  // the greeting answers the connect
         for (double in : link.InputTimes()) {
             auto next = std::find_if(sends.begin(), sends.end(), [in](const auto& s) { return s.ms >= in; });
             ASSERT_NE(next, sends.end());
             EXPECT_GE(next->ms - in, 149.0);
         }
         EXPECT_EQ(Count(link.Output(), "<Huawei>"), 3);  // every command was answered
     }},
    {"OutputComesInPiecesWithPauses", Dialect::Huawei,
     [](SimConfig& c) {
         c.pieceBytes = 7;
         c.piecePauseMs = 40;
     },
     {},
     [](const ScriptedLink& link) {
         const auto sends = link.Sends();
         const auto inputs = link.InputTimes();
         ASSERT_GT(sends.size(), 10u);
         for (size_t i = 0; i < sends.size(); ++i) {
             EXPECT_LE(sends[i].bytes.size(), 7u);
             if (i == 0) continue;
             const bool answersInput = std::any_of(inputs.begin(), inputs.end(), [&](double t) {
                 return t > sends[i - 1].ms && t <= sends[i].ms;
             });
             if (!answersInput) {
                 EXPECT_GE(sends[i].ms - sends[i - 1].ms, 39.0) << i;
             }
         }
         EXPECT_NE(link.Output().find("Privilege note"), std::string::npos);  // nothing lost
     }},
    {"CiscoSaveReportsOkLate", Dialect::Cisco, [](SimConfig& c) { c.saveDelayMs = 300; },
     {{"Router#", "write\r\n"}},
     [](const ScriptedLink& link) {
         const double building = SentAt(link, "Building configuration...\r\n");
         const double ok = SentAt(link, "[OK]\r\nRouter#");
         ASSERT_GE(building, 0);
         ASSERT_GE(ok, 0);
         EXPECT_GE(ok - building, 299.0);
     }},
    {"HuaweiSaveAnswersLate", Dialect::Huawei,
     [](SimConfig& c) {
         c.saveDelayMs = 300;
         c.huaweiWriteAnswer = "Saved.";
     },
     {{"<Huawei>", "write\r\n"}},
     [](const ScriptedLink& link) {
         const double echo = SentAt(link, "write\r\n");
         const double answer = SentAt(link, "Saved.\r\n<Huawei>");
         ASSERT_GE(echo, 0);
         ASSERT_GE(answer, 0);
         EXPECT_GE(answer - link.InputTimes().back(), 299.0);
         EXPECT_LT(echo, answer);
     }},
    {"ExecTimeoutHangsUpAnIdleSession", Dialect::Huawei, [](SimConfig& c) { c.execTimeoutMs = 300; }, {},
     [](const ScriptedLink& link) {
         ASSERT_GE(link.HangUpMs(), 0) << "never hung up";
         EXPECT_GE(link.HangUpMs() - link.Sends().back().ms, 299.0);
         EXPECT_TRUE(link.Output().ends_with("<Huawei>"));  // the login itself went through
     }},
    {"HangsUpAfterTheGivenPage", Dialect::Huawei,
     [](SimConfig& c) {
         c.pageLines = 5;
         c.hangupAfterPage = 2;
     },
     {{"<Huawei>", "display nat sess\r\n"},
      {RouterSession::PagerMarker(Dialect::Huawei), " \r\n"},
      {RouterSession::PagerMarker(Dialect::Huawei), " \r\n"}},
     [](const ScriptedLink& link) {
         ASSERT_GE(link.HangUpMs(), 0) << "never hung up";
         EXPECT_EQ(Count(link.Output(), RouterSession::PagerMarker(Dialect::Huawei)), 2);
         EXPECT_TRUE(link.Output().ends_with(RouterSession::PagerMarker(Dialect::Huawei)));
         EXPECT_EQ(link.InputTimes().size(), 5u);  // the third page was never asked for
     }},
};

INSTANTIATE_TEST_SUITE_P(Options, SessionPumpTiming, ::testing::ValuesIn(kTimingCases),
                         [](const auto& info) { return std::string(info.param.name); });

// The junk goes between the rows; taking it out again leaves the listing as it was.
TEST(SessionPump, JunkLinesJoinAListingWithoutTouchingItsRows) {
    for (Dialect dialect : {Dialect::Cisco, Dialect::Huawei}) {
        SimConfig plain = Router(dialect);
        SimConfig junky = plain;
        junky.junkBinary = junky.junkLongLine = junky.junkEscapes = true;
        const std::string prompt = dialect == Dialect::Cisco ? "Router#" : "<Huawei>";
        const std::string command = dialect == Dialect::Cisco ? "show ip nat tran\r\n" : "display nat sess\r\n";
        ScriptedLink a(LoginThen(dialect, {{prompt, command}}), 300), b(LoginThen(dialect, {{prompt, command}}), 300);
        RunSession(plain, a);
        RunSession(junky, b);
        const std::vector<std::string> junk = JunkLines(junky);
        ASSERT_EQ(junk.size(), 3u);
        EXPECT_EQ(junk[1].size(), kJunkLongLineBytes);
        std::string cleaned = testing::StripTelnetCommands(b.Output());
        for (const std::string& line : junk) {
            const size_t at = cleaned.find("\r\n" + line + "\r\n");
            ASSERT_NE(at, std::string::npos);
            cleaned.erase(at + 2, line.size() + 2);
        }
        EXPECT_EQ(cleaned, testing::StripTelnetCommands(a.Output()));
    }
}

// The options reach a real connection too: an idle client is hung up, a busy one is not.
TEST(RouterSimulator, ExecTimeoutClosesAnIdleConnection) {
    SimConfig config = Router(Dialect::Huawei);
    config.execTimeoutMs = 400;
    RouterSimulator sim(config);
    ASSERT_TRUE(sim.Start(0)) << sim.Error();
    testing::PlainClient client(sim.Port());
    client.ReadUntil("Password:");
    for (int i = 0; i < 4; ++i) {  // 4 x 250 ms of activity: longer than the timeout in all
        std::this_thread::sleep_for(std::chrono::milliseconds(250));
        client.SendLine(i == 0 ? "pw" : "");
        ASSERT_NE(client.ReadUntil("<Huawei>", 2000).find("<Huawei>"), std::string::npos) << i;
    }
    EXPECT_TRUE(client.WaitClosed(3000));
}

}  // namespace
}  // namespace routersim
