// The census and the login end to end: the real telnet library against the router simulator
// on 127.0.0.1, measured against the dialogue's own floors: (pages + 1) x 100 ms for a census
// (one 100 ms poll before every read) and 1.6 s for a login (a poll and three 500 ms pauses).
#include "NatTable.h"
#include "RouterSimulator.h"
#include "platform/devicemonitor/devicemonitor.h"
#include "router/BlockCommands.h"
#include "router/Census.h"
#include "router/TelnetBinding.h"

#include <windows.h>
#include <psapi.h>

#include <chrono>
#include <cstdio>

namespace {

using Clock = std::chrono::steady_clock;
double Seconds(Clock::time_point since) { return std::chrono::duration<double>(Clock::now() - since).count(); }

}  // namespace

int main() {
    router::TTelnetBinding& telnet = router::TelnetBinding();
    telnet.telnet_connect = &telnet_connect;
    telnet.ReadResult = &ReadResult;
    telnet.new_do_command = &new_do_command;
    telnet.telnet_is_open = &telnet_is_open;

    routersim::SimConfig config;
    config.dialect = routersim::Dialect::Huawei;
    config.password = config.enablePassword = "bench";
    config.pageLines = 24;
    config.natHosts = routersim::GenerateNatHosts(10000, 50, 1.0);
    routersim::RouterSimulator sim(config);
    if (!sim.Start(0)) {
        std::printf("simulator: %s\n", sim.Error().c_str());
        return 1;
    }
    const std::string host = "127.0.0.1:" + std::to_string(sim.Port());

    int session = 0;
    auto start = Clock::now();
    bool ok = router::DialectLogin(router::TDialect::dlHuawei, host, session, "admin", "bench", "bench");
    double login = Seconds(start);
    std::printf("login: %.3f s against a floor of 1.600 s: %.2fx the floor (%s)\n", login, login / 1.6, ok ? "ok" : "FAILED");

    router::strecord counts;
    start = Clock::now();
    router::RunCensus(host, session, router::TDialect::dlHuawei, counts);
    double census = Seconds(start);
    long lines = 0;
    for (const auto& c : counts) lines += c.Count;
    // The pages the router showed: one more than the continuations it was sent.
    long continuations = 0;
    for (const auto& line : sim.Transcript()) continuations += line == " ";
    long pages = continuations + 1;
    double floor = (pages + 1) * 0.1;
    std::printf("census: %ld sessions over %zu hosts, %ld pages of %d lines: %.3f s against a floor of %.3f s: %.2fx the floor\n",
                lines, counts.size(), pages, config.pageLines, census, floor, census / floor);

    PROCESS_MEMORY_COUNTERS pmc{};
    ::GetProcessMemoryInfo(::GetCurrentProcess(), &pmc, sizeof(pmc));
    std::printf("peak working set: %.1f MB\n", pmc.PeakWorkingSetSize / 1e6);
    sim.Stop();
    return ok && lines == 10000 ? 0 : 1;
}
