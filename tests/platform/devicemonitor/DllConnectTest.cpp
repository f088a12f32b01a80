// Connecting, handles, threads and unloading of devicemonitor.dll.
#include "DllTestSupport.h"
#include "RawTelnetServer.h"
#include "RouterSimulator.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <chrono>
#include <climits>
#include <thread>

namespace dmtest {
namespace {

using Clock = std::chrono::steady_clock;

routersim::SimConfig Huawei() {
    routersim::SimConfig c;
    c.password = "pw";
    c.enablePassword = "su";
    c.natHosts = {{"192.168.0.10", 3}};
    c.pageLines = 0;
    return c;
}

TEST(DllConnect, ReachesTheRouterByAddressByNameAndByHostPortText) {
    routersim::RouterSimulator sim(Huawei());
    ASSERT_TRUE(sim.Start(0)) << sim.Error();
    const int port = sim.Port();
    const int byAddress = telnet_connect("127.0.0.1", port, 1);
    const int byText = telnet_connect(("127.0.0.1:" + std::to_string(port)).c_str(), 1, 1);  // overrides port 1
    const int byName = telnet_connect(("localhost:" + std::to_string(port)).c_str(), 23, 1);
    for (int h : {byAddress, byText, byName}) {
        ASSERT_GT(h, 0);
        EXPECT_TRUE(EndsWith(ReadUntilSuffix(h, "", "Password:"), "\r\n\r\nPassword:"));
    }
    EXPECT_NE(byAddress, byText);
    EXPECT_NE(byText, byName);
    EXPECT_NE(byAddress, byName);
    EXPECT_EQ(sim.ConnectionsAccepted(), 3);
}

TEST(DllConnect, RefusedAndMalformedTargetsGiveMinusOne) {
    std::uint16_t closedPort = 0;
    routersim::ListenLoopback(0, &closedPort, nullptr);  // bound and released at once
    ASSERT_NE(closedPort, 0);
    const auto start = Clock::now();
    EXPECT_EQ(telnet_connect("127.0.0.1", closedPort, 1), -1);
    EXPECT_LT(Clock::now() - start, std::chrono::seconds(4));
    EXPECT_EQ(telnet_connect(("127.0.0.1:" + std::to_string(closedPort)).c_str(), 23, 1), -1);
    for (const char* bad : {"", "   ", "127.0.0.1:0", "127.0.0.1:http", "127.0.0.1:70000", "[::1"})
        EXPECT_EQ(telnet_connect(bad, 23, 1), -1) << bad;
    EXPECT_EQ(telnet_connect(nullptr, 23, 1), -1);
    EXPECT_EQ(telnet_connect("127.0.0.1", 0, 1), -1);
}

TEST(DllConnect, UnknownHandlesGiveZeroAndAnEmptyBuffer) {
    for (int h : {0, -1, 987654, INT_MIN, INT_MAX}) {
        char buffer[8] = "garbage";
        EXPECT_EQ(ReadResult(h, "", buffer, sizeof buffer), 0) << h;
        EXPECT_EQ(buffer[0], '\0') << h;
        EXPECT_EQ(new_do_command(h, "", "exit"), 0) << h;
    }
}

TEST(DllConnect, OneHandleServesTwoThreadsAndASendNeverWaitsForARead) {
    routersim::RouterSimulator sim(Huawei());
    ASSERT_TRUE(sim.Start(0));
    const std::string host = LoopbackHost(sim.Port());
    const int h = telnet_connect(host.c_str(), 23, 1);
    ASSERT_GT(h, 0);
    ReadUntilSuffix(h, host, "Password:");
    ASSERT_EQ(new_do_command(h, host.c_str(), "pw"), 1);
    ReadUntilSuffix(h, host, "<Huawei>");

    // A read waiting on a silent router must not hold up a command from another thread.
    std::atomic<bool> readerStarted{false};
    std::thread waiting([&] {
        readerStarted = true;
        ReadGuarded(h, kProgramBufferSize);
    });
    while (!readerStarted) std::this_thread::yield();
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    const auto start = Clock::now();
    EXPECT_EQ(new_do_command(h, host.c_str(), "display nat sess"), 1);
    EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(500));
    waiting.join();

    // Then commands and reads in full swing on both threads.
    constexpr int kCommands = 25;
    std::string seen;
    std::atomic<bool> sending{true};
    std::thread reader([&] {
        std::vector<char> buffer(kProgramBufferSize);
        for (;;) {
            if (ReadResult(h, host.c_str(), buffer.data(), kProgramBufferSize)) seen += buffer.data();
            else if (!sending) break;
        }
    });
    for (int i = 0; i < kCommands; ++i) {
        EXPECT_EQ(new_do_command(h, host.c_str(), ("display nat sess " + std::to_string(i)).c_str()), 1);
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    sending = false;
    reader.join();
    auto transcript = sim.Transcript();
    ASSERT_EQ(transcript.size(), 2u + kCommands);
    for (int i = 0; i < kCommands; ++i) {
        EXPECT_EQ(transcript[2 + i], "display nat sess " + std::to_string(i));
        EXPECT_NE(seen.find("display nat sess " + std::to_string(i) + "\r\n"), std::string::npos) << i;
    }
}

// A second copy of the DLL under another name can really be unloaded; its open session
// must be closed by the unload, and its exports must carry their plain names.
TEST(DllConnect, UnloadingTheLibraryClosesItsSessions) {
    wchar_t exe[MAX_PATH];
    ASSERT_GT(::GetModuleFileNameW(nullptr, exe, MAX_PATH), 0u);
    std::wstring dir(exe);
    dir.erase(dir.find_last_of(L"\\/") + 1);
    const std::wstring copy = dir + L"devicemonitor_unload_test.dll";
    ASSERT_TRUE(::CopyFileW((dir + L"devicemonitor.dll").c_str(), copy.c_str(), FALSE));
    HMODULE module = ::LoadLibraryW(copy.c_str());
    ASSERT_NE(module, nullptr);
    // Through a generic function pointer: the export's real type is not FARPROC's.
    auto symbol = [module](const char* name) { return reinterpret_cast<void (*)()>(::GetProcAddress(module, name)); };
    auto connect = reinterpret_cast<telnet_connect_fn>(symbol("telnet_connect"));
    auto read = reinterpret_cast<ReadResult_fn>(symbol("ReadResult"));
    auto command = reinterpret_cast<new_do_command_fn>(symbol("new_do_command"));
    ASSERT_TRUE(connect && read && command);

    RawTelnetServer server([](RawTelnetServer& s) { s.Send("<Huawei>"); });
    int h = connect(server.Host().c_str(), 23, 1);
    ASSERT_GT(h, 0);
    char buffer[64];
    EXPECT_EQ(read(h, "", buffer, sizeof buffer), 1);
    EXPECT_STREQ(buffer, "<Huawei>");
    EXPECT_FALSE(server.WaitPeerClosed(200));
    EXPECT_TRUE(::FreeLibrary(module));
    EXPECT_TRUE(server.WaitPeerClosed(3000));
    ::DeleteFileW(copy.c_str());
}

}  // namespace
}  // namespace dmtest
