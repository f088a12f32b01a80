// Sockets after the router hung up: the library gives a socket back as soon as it learns the
// session is over, and a table of dead sessions never fills.
#include "DllTestSupport.h"
#include "RawTelnetServer.h"
#include "RouterSimulator.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <vector>

namespace dmtest {
namespace {

// The router says goodbye and hangs up; the client is left to find out.
void Goodbye(RawTelnetServer& server) {
    server.Send("quit\r\n");
    server.HalfClose();
}

TEST(DllSockets, SocketIsClosedAsSoonAsTheLibraryLearnsOfTheHangUp) {
    routersim::SimConfig other;
    other.pageLines = 0;
    routersim::RouterSimulator sim(other);
    ASSERT_TRUE(sim.Start(0)) << sim.Error();
    const std::string otherHost = LoopbackHost(sim.Port());
    struct TCase {
        const char* Name;
        std::function<void(int handle, const std::string& host)> Learn;
    };
    const TCase cases[] = {
        {"reading to the end", [](int h, const std::string& host) { ReadUntil(h, host, [](const std::string&) { return false; }); }},
        {"asking whether it is open", [](int h, const std::string&) { EXPECT_EQ(telnet_is_open(h), 0); }},
        // The logout case: nothing reads the old session; the next connect sweeps it.
        {"connecting again", [&](int, const std::string&) { EXPECT_GT(telnet_connect(otherHost.c_str(), 23, 1), 0); }},
    };
    for (const TCase& c : cases) {
        RawTelnetServer server(Goodbye);
        const int h = telnet_connect(server.Host().c_str(), 23, 1);
        ASSERT_GT(h, 0) << c.Name;
        ::Sleep(200);  // the goodbye and the end of stream have arrived
        EXPECT_FALSE(server.WaitPeerClosed(0)) << c.Name << ": nothing closes it before the library looks";
        c.Learn(h, server.Host());
        EXPECT_TRUE(server.WaitPeerClosed(2000)) << c.Name;
        EXPECT_EQ(telnet_is_open(h), 0) << c.Name;
        EXPECT_EQ(new_do_command(h, "", "display nat sess"), 0) << c.Name;
    }
}

TEST(DllSockets, OpenSessionStaysOpenAndItsTextIsStillDelivered) {
    RawTelnetServer server([](RawTelnetServer& s) {
        s.Send("<Huawei>");
        s.Pause(3000);
    });
    const int h = telnet_connect(server.Host().c_str(), 23, 1);
    ASSERT_GT(h, 0);
    ::Sleep(200);
    EXPECT_EQ(telnet_is_open(h), 1);
    EXPECT_EQ(ReadUntilSuffix(h, "", ">"), "<Huawei>");
    EXPECT_EQ(telnet_is_open(0), 0);
    EXPECT_EQ(telnet_is_open(-1), 0);
}

// Routers that end every session a moment after it starts (an exec timeout of 1 ms): far more
// sessions than the table holds, each opened after the last was hung up, and none refused.
TEST(DllSockets, DeadSessionsNeverFillTheTable) {
    routersim::SimConfig config;
    config.execTimeoutMs = 1;
    routersim::RouterSimulator sim(config);
    ASSERT_TRUE(sim.Start(0)) << sim.Error();
    const std::string host = LoopbackHost(sim.Port());
    std::vector<int> handles;
    for (int i = 0; i < 300; ++i) {
        const int h = telnet_connect(host.c_str(), 23, 1);
        ASSERT_GT(h, 0) << "connection " << i;
        handles.push_back(h);
        ::Sleep(10);
    }
    ::Sleep(200);  // the last ones are hung up too by now
    int open = 0;
    for (int h : handles) open += telnet_is_open(h);
    EXPECT_EQ(open, 0);
}

}  // namespace
}  // namespace dmtest
