// The router dialogues of the program, run through the real DLL against the simulator.
#include "DllTestSupport.h"
#include "NatTable.h"
#include "RouterSession.h"
#include "RouterSimulator.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace dmtest {
namespace {

using routersim::Dialect;
using routersim::RouterSimulator;
using routersim::SimConfig;

void Pause(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

SimConfig Router(Dialect dialect) {
    SimConfig c;
    c.dialect = dialect;
    c.password = "pw";
    c.enablePassword = "en";
    return c;
}

// The login as the program performs it: first prompt, optional user name, password and
// privilege step sent with fixed pauses, then one last read.
std::string Login(int h, const std::string& host, Dialect dialect, const std::string& privilegePassword) {
    const bool cisco = dialect == Dialect::Cisco;
    std::string first = ReadUntil(h, host, [&](const std::string& s) { return EndsWith(s, cisco ? ": " : ":"); });
    if (EndsWith(first, cisco ? "Username: " : "Username:")) {
        EXPECT_EQ(new_do_command(h, host.c_str(), "admin"), 1);
    }
    EXPECT_EQ(new_do_command(h, host.c_str(), "pw"), 1);
    Pause(500);
    EXPECT_EQ(new_do_command(h, host.c_str(), cisco ? "enable" : "super"), 1);
    Pause(500);
    EXPECT_EQ(new_do_command(h, host.c_str(), privilegePassword.c_str()), 1);
    Pause(500);
    std::vector<char> buffer(kProgramBufferSize, 0);
    ReadResult(h, host.c_str(), buffer.data(), kProgramBufferSize);
    return buffer.data();
}

TEST(DllDialogue, CiscoLoginWithUserNameEndsAtThePrivilegedPrompt) {
    SimConfig config = Router(Dialect::Cisco);
    config.usernamePrompt = true;
    config.username = "admin";
    RouterSimulator sim(config);
    ASSERT_TRUE(sim.Start(0));
    const std::string host = LoopbackHost(sim.Port());
    const int h = telnet_connect(host.c_str(), 23, 1);
    ASSERT_GT(h, 0);
    const std::string last = Login(h, host, Dialect::Cisco, "en");
    EXPECT_EQ(LastLine(last), "Router#") << last;
    EXPECT_EQ(last.find('\xff'), std::string::npos);
    EXPECT_EQ(sim.Transcript(), (std::vector<std::string>{"admin", "pw", "enable", "en"}));
    // Echo and go-ahead suppression accepted, the terminal type and window size refused.
    EXPECT_EQ(sim.TelnetEvents(), (std::vector<std::string>{"DO ECHO", "DO SGA", "WONT TTYPE", "WONT NAWS"}));
}

TEST(DllDialogue, WrongPrivilegePasswordLeavesTheUserPrompt) {
    for (Dialect d : {Dialect::Cisco, Dialect::Huawei}) {
        RouterSimulator sim(Router(d));
        ASSERT_TRUE(sim.Start(0));
        const std::string host = LoopbackHost(sim.Port());
        const int h = telnet_connect(host.c_str(), 23, 1);
        ASSERT_GT(h, 0);
        const std::string last = Login(h, host, d, "wrong");
        EXPECT_EQ(LastLine(last), d == Dialect::Cisco ? "Router>" : "<Huawei>") << last;
        ASSERT_EQ(new_do_command(h, host.c_str(), d == Dialect::Cisco ? "configure terminal" : "system-view"), 1);
        std::string refused = ReadUntilSuffix(h, host, d == Dialect::Cisco ? "Router>" : "<Huawei>");
        EXPECT_NE(refused.find(d == Dialect::Cisco ? "% Invalid input" : "Error: Unrecognized"), std::string::npos);
    }
}

// Part of the capture loop: read until the pager marker or a prompt character ends the text.
std::string ReadChunk(int h, const std::string& host, const std::string& marker, const std::string& promptEnds) {
    return ReadUntil(h, host, [&](const std::string& s) {
        return EndsWith(s, marker) || (!s.empty() && promptEnds.find(s.back()) != std::string::npos);
    });
}

TEST(DllDialogue, PagedListingsArriveWholeInBothDialects) {
    for (Dialect d : {Dialect::Huawei, Dialect::Cisco}) {
        SimConfig config = Router(d);
        config.natHosts = {{"192.168.0.10", 40}, {"192.168.0.11", 15}, {"10.0.0.2", 3}};
        config.pageLines = 24;
        RouterSimulator sim(config);
        ASSERT_TRUE(sim.Start(0));
        const std::string host = LoopbackHost(sim.Port());
        const int h = telnet_connect(host.c_str(), 23, 1);
        ASSERT_GT(h, 0);
        Login(h, host, d, "en");
        const bool cisco = d == Dialect::Cisco;
        const std::string command = cisco ? "show ip nat tran" : "display nat sess";
        const std::string marker = routersim::RouterSession::PagerMarker(d);
        const std::string promptEnds = cisco ? "#" : ">]";
        ASSERT_EQ(new_do_command(h, host.c_str(), command.c_str()), 1);
        std::string text = ReadChunk(h, host, marker, promptEnds);
        int continuations = 0;
        while (EndsWith(text, marker) && continuations < 20) {
            ASSERT_EQ(new_do_command(h, host.c_str(), " "), 1);
            ++continuations;
            text += ReadChunk(h, host, marker, promptEnds);
        }
        const auto listing = routersim::NatListing(d, config.natHosts);
        EXPECT_EQ(continuations, static_cast<int>((listing.size() - 1) / 24));
        // Without the pager's marker and erase sequence the text is exactly echo, table, prompt.
        const std::string pager = marker + routersim::RouterSession::EraseSequence(d);
        for (size_t at; (at = text.find(pager)) != std::string::npos;) text.erase(at, pager.size());
        std::string expected = command + "\r\n";
        for (const std::string& line : listing) expected += line + "\r\n";
        expected += cisco ? "Router#" : "<Huawei>";
        EXPECT_EQ(text, expected);
    }
}

TEST(DllDialogue, AListingLargerThanTheBufferComesInSeveralReads) {
    SimConfig config = Router(Dialect::Cisco);
    config.natHosts = routersim::GenerateNatHosts(600, 20, 1.0);
    config.pageLines = 0;
    RouterSimulator sim(config);
    ASSERT_TRUE(sim.Start(0));
    const std::string host = LoopbackHost(sim.Port());
    const int h = telnet_connect(host.c_str(), 23, 1);
    ASSERT_GT(h, 0);
    Login(h, host, Dialect::Cisco, "en");
    ASSERT_EQ(new_do_command(h, host.c_str(), "show ip nat tran"), 1);
    std::string text;
    int reads = 0;
    while (!EndsWith(text, "Router#") && reads < 40) {
        GuardedRead r = ReadGuarded(h, kProgramBufferSize);
        ASSERT_EQ(r.result, 1);
        ASSERT_TRUE(r.guardIntact);
        ASSERT_LE(r.text.size(), static_cast<size_t>(kProgramBufferSize - 1));
        text += r.text;
        ++reads;
    }
    std::string expected = "show ip nat tran\r\n";
    for (const std::string& line : routersim::NatListing(Dialect::Cisco, config.natHosts)) expected += line + "\r\n";
    ASSERT_GT(expected.size(), 2u * kProgramBufferSize);
    EXPECT_EQ(text, expected + "Router#");
    EXPECT_GE(reads, 3);
}

TEST(DllDialogue, NullRoutesAndSaveInBothDialects) {
    for (Dialect d : {Dialect::Cisco, Dialect::Huawei}) {
        SimConfig config = Router(d);
        config.huaweiWriteAnswer = "Info: The configuration was saved.\r\n[OK]";
        RouterSimulator sim(config);
        ASSERT_TRUE(sim.Start(0));
        const std::string host = LoopbackHost(sim.Port());
        const int h = telnet_connect(host.c_str(), 23, 1);
        ASSERT_GT(h, 0);
        Login(h, host, d, "en");
        const bool cisco = d == Dialect::Cisco;
        // Three lines back to back, as the block command sends them.
        new_do_command(h, host.c_str(), cisco ? "configure terminal" : "system-view");
        new_do_command(h, host.c_str(),
                       cisco ? "ip route 192.168.0.10 255.255.255.255 null 0"
                             : "ip route-static 192.168.0.10 255.255.255.255 null 0");
        new_do_command(h, host.c_str(), cisco ? "exit" : "quit");
        std::string reply = ReadUntil(h, host, [&](const std::string& s) {
            if (!cisco) return s.find('>') != std::string::npos;
            return EndsWith(s, "#") && !EndsWith(s, ")#");
        });
        EXPECT_TRUE(sim.HasHostNullRoute("192.168.0.10")) << reply;
        ASSERT_EQ(new_do_command(h, host.c_str(), "write"), 1);
        std::string saved = ReadUntilSuffix(h, host, cisco ? "#" : ">");
        EXPECT_NE(saved.find("[OK]"), std::string::npos) << saved;
        ASSERT_EQ(new_do_command(h, host.c_str(), cisco ? "exit" : "quit"), 1);
        // The router hangs up: its echo is the last text, then the handle is gone.
        EXPECT_EQ(ReadUntil(h, host, [](const std::string&) { return false; }), cisco ? "exit\r\n" : "quit\r\n");
        EXPECT_EQ(new_do_command(h, host.c_str(), "display nat sess"), 0);
    }
}

}  // namespace
}  // namespace dmtest
