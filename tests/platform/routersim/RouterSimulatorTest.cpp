#include "PlainClient.h"
#include "NatTable.h"
#include "RouterSimulator.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <thread>

namespace routersim {
namespace {

using testing::PlainClient;
using testing::StripTelnetCommands;

const std::string kWillEcho = "\xff\xfb\x01";
const std::string kWillSga = "\xff\xfb\x03";

SimConfig CiscoWithUser() {
    SimConfig c;
    c.dialect = Dialect::Cisco;
    c.usernamePrompt = true;
    c.password = "pw";
    c.enablePassword = "en";
    c.natHosts = {{"192.168.0.10", 30}, {"192.168.0.11", 5}};
    c.pageLines = 12;
    return c;
}

TEST(RouterSimulator, ServesACompleteCiscoSessionOverLoopback) {
    RouterSimulator sim(CiscoWithUser());
    ASSERT_TRUE(sim.Start(0)) << sim.Error();
    ASSERT_NE(sim.Port(), 0);
    PlainClient client(sim.Port());
    ASSERT_TRUE(client.Connected());

    std::string greeting = client.ReadUntil("Username: ");
    EXPECT_EQ(greeting.substr(0, 6), kWillEcho + kWillSga);  // offered at connect, first thing
    client.Send("\xff\xfd\x01\xff\xfd\x03");                  // DO ECHO, DO SGA
    client.SendLine("admin");
    EXPECT_EQ(client.ReadUntil("Password: "), "admin\r\nPassword: ");
    client.SendLine("pw");
    EXPECT_EQ(client.ReadUntil("Router>"), "\r\nRouter>");
    client.SendLine("enable");
    client.ReadUntil("Password: ");
    client.SendLine("en");
    EXPECT_EQ(client.ReadUntil("Router#"), "\r\nRouter#");

    client.SendLine("show ip nat tran");
    std::string listing = client.ReadUntil(" --More-- ");
    int pages = 1;
    while (listing.size() >= 10 && listing.compare(listing.size() - 10, 10, " --More-- ") == 0 && pages < 10) {
        client.SendLine(" ");
        listing += client.ReadUntil(" --More-- ", 1000);
        ++pages;
    }
    EXPECT_EQ(pages, 3);  // 36 lines at 12 per screen
    EXPECT_TRUE(listing.size() >= 7 && listing.compare(listing.size() - 7, 7, "Router#") == 0) << listing;

    client.SendLine("configure terminal");
    client.SendLine("ip route 192.168.0.10 255.255.255.255 null 0");  // typed ahead, as the program does
    client.SendLine("exit");
    std::string config = client.ReadUntil("Router#");
    EXPECT_NE(config.find("Router(config)#"), std::string::npos);
    client.SendLine("exit");
    EXPECT_TRUE(client.WaitClosed(3000));

    EXPECT_TRUE(sim.HasHostNullRoute("192.168.0.10"));
    auto transcript = sim.Transcript();
    ASSERT_GE(transcript.size(), 5u);
    EXPECT_EQ(transcript[0], "admin");
    EXPECT_EQ(transcript[1], "pw");
    EXPECT_EQ(transcript.back(), "exit");
    auto events = sim.TelnetEvents();
    EXPECT_EQ(events, (std::vector<std::string>{"DO ECHO", "DO SGA"}));
}

TEST(RouterSimulator, HuaweiSessionWithCrNulLineEndsAndRefusedEcho) {
    SimConfig config;
    config.password = "pw";
    config.enablePassword = "";
    RouterSimulator sim(config);
    ASSERT_TRUE(sim.Start(0)) << sim.Error();
    PlainClient client(sim.Port());
    client.ReadUntil("Password:");
    client.Send("\xff\xfe\x01");  // DONT ECHO refuses the offer: the client echoes locally
    client.Send(std::string("pw\r\0", 4));
    EXPECT_NE(client.ReadUntil("<Huawei>").find("<Huawei>"), std::string::npos);
    client.Send(std::string("super\r\0", 7));
    EXPECT_EQ(client.ReadUntil("<Huawei>").substr(0, 2), "\r\n");  // not echoed, no password
    client.Send(std::string("quit\r\0", 6));
    EXPECT_TRUE(client.WaitClosed(3000));
    EXPECT_EQ(sim.Transcript(), (std::vector<std::string>{"pw", "super", "quit"}));
}

TEST(RouterSimulator, ConnectionsShareTheRouterAndExtraClientsAreTurnedAway) {
    SimConfig config;
    config.password = "pw";
    config.enablePassword = "";
    config.maxConnections = 2;
    RouterSimulator sim(config);
    ASSERT_TRUE(sim.Start(0));
    PlainClient a(sim.Port()), b(sim.Port());
    a.ReadUntil("Password:");
    b.ReadUntil("Password:");
    PlainClient c(sim.Port());
    EXPECT_TRUE(c.WaitClosed(3000));
    for (PlainClient* client : {&a, &b}) {
        client->SendLine("pw");
        client->ReadUntil("<Huawei>");
        client->SendLine("super");
        client->ReadUntil("<Huawei>");
        client->SendLine("system-view");
        client->ReadUntil("[Huawei]");
    }
    a.SendLine("ip route-static 10.1.1.1 255.255.255.255 NULL 0");
    a.ReadUntil("[Huawei]");
    b.SendLine("undo ip route-static 10.1.1.1 255.255.255.255 NULL 0");
    EXPECT_EQ(StripTelnetCommands(b.ReadUntil("[Huawei]")).find("Error"), std::string::npos);
    EXPECT_TRUE(sim.NullRoutes().empty());
    EXPECT_EQ(sim.ConnectionsAccepted(), 3);
}

// A Stop that waited for the page delay or for the client to read would take a minute or for
// ever; the bound is loose so that a busy machine under the sanitizers never trips it.
constexpr auto kStopBound = std::chrono::seconds(15);

TEST(RouterSimulator, StopIsPromptEvenDuringASlowPage) {
    SimConfig config;
    config.password = "pw";
    config.natHosts = {{"192.168.0.10", 50}};
    config.pageDelayMs = 60000;
    auto sim = std::make_unique<RouterSimulator>(config);
    ASSERT_TRUE(sim->Start(0));
    PlainClient client(sim->Port());
    client.ReadUntil("Password:");
    client.SendLine("pw");
    client.ReadUntil("<Huawei>");
    client.SendLine("display nat sess");
    client.ReadUntil("display nat sess\r\n");
    const auto start = std::chrono::steady_clock::now();
    sim->Stop();
    EXPECT_LT(std::chrono::steady_clock::now() - start, kStopBound);
    EXPECT_TRUE(client.WaitClosed(15000));
    sim.reset();  // a second Stop (from the destructor) is harmless
}

TEST(RouterSimulator, StopIsPromptWhenAClientStopsReading) {
    SimConfig config;
    config.dialect = Dialect::Cisco;
    config.password = "pw";
    config.natHosts = GenerateNatHosts(150000, 50, 0.0);  // far more than the socket buffers hold
    config.pageLines = 0;
    RouterSimulator sim(config);
    ASSERT_TRUE(sim.Start(0));
    PlainClient client(sim.Port());
    client.ReadUntil("Password: ");
    client.SendLine("pw");
    client.ReadUntil("Router>");
    client.SendLine("show ip nat tran");
    std::this_thread::sleep_for(std::chrono::milliseconds(1500));  // the server is stuck sending by now
    const auto start = std::chrono::steady_clock::now();
    sim.Stop();
    EXPECT_LT(std::chrono::steady_clock::now() - start, kStopBound);
}

TEST(RouterSimulator, PortsAreNotSharedAndTheTranscriptFileFollowsTheSession) {
    const std::string path = ::testing::TempDir() + "routersim_transcript_test.txt";
    std::remove(path.c_str());
    SimConfig config;
    config.password = "pw";
    config.transcriptPath = path;
    RouterSimulator sim(config);
    ASSERT_TRUE(sim.Start(0));
    RouterSimulator rival(SimConfig{});
    EXPECT_FALSE(rival.Start(sim.Port()));
    EXPECT_FALSE(rival.Error().empty());
    EXPECT_FALSE(sim.Start(0));  // already running

    PlainClient client(sim.Port());
    client.ReadUntil("Password:");
    client.SendLine("pw");
    client.SendLine("display nat sess");
    client.ReadUntil("Port\r\n<Huawei>");  // the end of the (empty) listing
    std::ifstream in(path, std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(text, "pw\ndisplay nat sess\n");
    sim.Stop();
    std::remove(path.c_str());
}

}  // namespace
}  // namespace routersim
