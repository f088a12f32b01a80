// One whole cycle of the router commands (login, census, block, restore, logout) through the
// real telnet library and a telnet server none of us wrote: the distribution's telnetd on
// 127.0.0.1, started per connection by the test's own tiny inetd, running the router
// simulator's one-session mode on a terminal. The server is started before this test and
// stopped after it (telnetd-fixture.sh); QUELLOX_TELNETD_DIR names its folder.
#include "platform/devicemonitor/devicemonitor.h"
#include "router/BlockCommands.h"
#include "router/Census.h"
#include "router/CensusReport.h"
#include "router/Ledger.h"
#include "router/TelnetBinding.h"

#include "../../router/TempFolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <thread>

namespace {

// The router the fixture starts (see CMakeLists.txt): Huawei, these passwords, this table.
constexpr char kPassword[] = "cycle-pw";
constexpr char kSuperPassword[] = "cycle-super";
const router::strecord kTable = {{"192.168.0.10", 150}, {"192.168.0.11", 100}, {"192.168.0.12", 99},
                                 {"192.168.0.13", 12}};

std::string ServerFile(const char* name) {
    const char* dir = std::getenv("QUELLOX_TELNETD_DIR");
    return dir ? std::string(dir) + "/" + name : std::string();
}

std::string ReadWhole(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

TEST(TelnetdCycle, LoginCensusBlockRestoreThroughTheDistributionsTelnetServer) {
    ASSERT_NE(std::getenv("QUELLOX_TELNETD_DIR"), nullptr) << "the telnet server fixture did not run";
    const std::string portText = ReadWhole(ServerFile("port"));
    ASSERT_FALSE(portText.empty()) << "no telnet server is listening (see loopinetd.log beside the port file)";
    const std::string host = "127.0.0.1:" + std::to_string(std::stoi(portText));

    router::TTelnetBinding& telnet = router::TelnetBinding();
    telnet.telnet_connect = &telnet_connect;
    telnet.ReadResult = &ReadResult;
    telnet.new_do_command = &new_do_command;
    telnet.telnet_is_open = &telnet_is_open;

    int session = 0;
    ASSERT_TRUE(router::DialectLogin(router::TDialect::dlHuawei, host, session, "admin", kPassword, kSuperPassword));

    router::strecord counts;
    ASSERT_EQ(router::RunCensus(host, session, router::TDialect::dlHuawei, counts), router::TCensusEnd::ceCounted);
    ASSERT_EQ(counts.size(), kTable.size());
    for (size_t i = 0; i < kTable.size(); ++i) {
        EXPECT_EQ(counts[i].IP, kTable[i].IP);
        EXPECT_EQ(counts[i].Count, kTable[i].Count) << kTable[i].IP;
    }
    const router::TCensusReport report =
        router::BuildCensusReport(counts, "100", [] { return std::string("192.0.2.1"); });
    ASSERT_EQ(report.BlockList, (std::vector<std::string>{"192.168.0.10", "192.168.0.11"}));

    TTempFolder folder;
    const auto ledger = folder.Path() / router::kLedgerFileName;
    EXPECT_EQ(router::BlockHosts(router::TDialect::dlHuawei, host, session, report.BlockList, ledger), router::brBlocked);
    EXPECT_EQ(ReadWhole(ledger.string()), "192.168.0.10\r\n192.168.0.11\r\n");
    std::vector<std::string> restored;
    EXPECT_TRUE(router::RestoreHosts(router::TDialect::dlHuawei, host, session, ledger, restored));
    EXPECT_FALSE(std::filesystem::exists(ledger));
    EXPECT_TRUE(router::DialectLogout(router::TDialect::dlHuawei, host, session));

    // What reached the router's shell through telnetd and the terminal, line by line: each
    // command once, in order, and a blank for every page of the listing but the last.
    std::vector<std::string> received;
    int continuations = 0;
    for (int i = 0; i < 50; ++i) {  // the shell writes its last line as the session ends
        received.clear();
        continuations = 0;
        for (const std::string& line : Lines(ReadWhole(ServerFile("transcript.txt")))) {
            if (line == " ") ++continuations;
            else received.push_back(line);
        }
        if (!received.empty() && received.back() == "quit" && received.size() >= 17) break;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    const std::string add = "ip route-static ", remove = "undo ip route-static ", tail = " 255.255.255.255 null 0";
    EXPECT_EQ(received, (std::vector<std::string>{
                            kPassword, "super", kSuperPassword, "display nat sess",
                            "system-view", add + "192.168.0.10" + tail, "quit",
                            "system-view", add + "192.168.0.11" + tail, "quit",
                            "system-view", remove + "192.168.0.10" + tail, "quit",
                            "system-view", remove + "192.168.0.11" + tail, "quit",
                            "quit"}));
    EXPECT_GT(continuations, 10);  // 361 sessions at 24 lines a page
}

}  // namespace
