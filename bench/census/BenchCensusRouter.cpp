// The census and the login end to end: the real telnet library against the router simulator
// on 127.0.0.1, measured against the dialogue's own floors. On loopback as it is: (pages + 1)
// x 100 ms for a census (one 100 ms poll before every read) and 1.6 s for a login (a poll and
// three 500 ms pauses); goals 1.15x and 1.1x. Then over a link with a 150 ms round trip (the
// simulator delays every answer): each page costs at least one round trip, longer than the
// poll, so the floor is (pages + 1) x 150 ms; goal 1.15x.
#include "NatTable.h"
#include "RouterSimulator.h"
#include "platform/devicemonitor/devicemonitor.h"
#include "router/BlockCommands.h"
#include "router/Census.h"
#include "router/TelnetBinding.h"

#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>

namespace {

using Clock = std::chrono::steady_clock;
double Seconds(Clock::time_point since) { return std::chrono::duration<double>(Clock::now() - since).count(); }

constexpr long kSessions = 10000;
constexpr int kPollMs = 100;

// One login and one census of kSessions sessions over a link with the given round trip.
bool Measure(int roundTripMs) {
    routersim::SimConfig config;
    config.dialect = routersim::Dialect::Huawei;
    config.password = config.enablePassword = "bench";
    config.pageLines = 24;
    config.latencyMs = roundTripMs;
    config.natHosts = routersim::GenerateNatHosts(kSessions, 50, 1.0);
    routersim::RouterSimulator sim(config);
    if (!sim.Start(0)) {
        std::printf("simulator: %s\n", sim.Error().c_str());
        return false;
    }
    const std::string host = "127.0.0.1:" + std::to_string(sim.Port());
    const char* link = roundTripMs == 0 ? "loopback" : "slow link";

    int session = 0;
    auto start = Clock::now();
    const bool ok = router::DialectLogin(router::TDialect::dlHuawei, host, session, "admin", "bench", "bench");
    const double login = Seconds(start);
    if (roundTripMs == 0)
        std::printf("login (%s): %.3f s against a floor of 1.600 s: %.2fx the floor (%s)\n", link, login,
                    login / 1.6, ok ? "ok" : "FAILED");
    else
        std::printf("login (%s, %d ms round trip): %.3f s (%s)\n", link, roundTripMs, login, ok ? "ok" : "FAILED");

    router::strecord counts;
    start = Clock::now();
    router::RunCensus(host, session, router::TDialect::dlHuawei, counts);
    const double census = Seconds(start);
    long counted = 0;
    for (const auto& c : counts) counted += c.Count;
    // The pages the router showed: one more than the continuations it was sent.
    long continuations = 0;
    for (const auto& line : sim.Transcript()) continuations += line == " ";
    const long pages = continuations + 1;
    const double floor = (pages + 1) * std::max(kPollMs, roundTripMs) / 1000.0;
    std::printf("census (%s, %d ms round trip): %ld of %ld sessions over %zu hosts, %ld pages of %d lines: "
                "%.3f s against a floor of %.3f s: %.2fx the floor (goal 1.15x)\n",
                link, roundTripMs, counted, kSessions, counts.size(), pages, config.pageLines, census, floor,
                census / floor);
    sim.Stop();
    return ok && counted == kSessions;
}

}  // namespace

int main() {
    router::TTelnetBinding& telnet = router::TelnetBinding();
    telnet.telnet_connect = &telnet_connect;
    telnet.ReadResult = &ReadResult;
    telnet.new_do_command = &new_do_command;
    telnet.telnet_is_open = &telnet_is_open;

    const bool loopback = Measure(0);
    PROCESS_MEMORY_COUNTERS pmc{};
    ::GetProcessMemoryInfo(::GetCurrentProcess(), &pmc, sizeof(pmc));
    std::printf("peak working set: %.1f MB\n", pmc.PeakWorkingSetSize / 1e6);
    const bool slow = Measure(150);
    return loopback && slow ? 0 : 1;
}
