// The census over a slow link: the real telnet library against the router simulator on
// 127.0.0.1 with every answer delayed by 150 ms (a 150 ms round trip), measured against the
// floor (pages + 1) x 150 ms: each page costs at least one round trip, which is longer than
// the dialogue's 100 ms poll. Goal: at most 1.15x the floor, every session counted.
#include "NatTable.h"
#include "RouterSimulator.h"
#include "platform/devicemonitor/devicemonitor.h"
#include "router/BlockCommands.h"
#include "router/Census.h"
#include "router/TelnetBinding.h"

#include <chrono>
#include <cstdio>

namespace {

using Clock = std::chrono::steady_clock;
double Seconds(Clock::time_point since) { return std::chrono::duration<double>(Clock::now() - since).count(); }

constexpr int kRoundTripMs = 150;
constexpr long kSessions = 10000;

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
    config.latencyMs = kRoundTripMs;
    config.natHosts = routersim::GenerateNatHosts(kSessions, 50, 1.0);
    routersim::RouterSimulator sim(config);
    if (!sim.Start(0)) {
        std::printf("simulator: %s\n", sim.Error().c_str());
        return 1;
    }
    const std::string host = "127.0.0.1:" + std::to_string(sim.Port());

    int session = 0;
    auto start = Clock::now();
    const bool ok = router::DialectLogin(router::TDialect::dlHuawei, host, session, "admin", "bench", "bench");
    std::printf("login over a %d ms round trip: %.3f s (%s)\n", kRoundTripMs, Seconds(start), ok ? "ok" : "FAILED");

    router::strecord counts;
    start = Clock::now();
    router::RunCensus(host, session, router::TDialect::dlHuawei, counts);
    const double census = Seconds(start);
    long counted = 0;
    for (const auto& c : counts) counted += c.Count;
    long continuations = 0;
    for (const auto& line : sim.Transcript()) continuations += line == " ";
    const long pages = continuations + 1;
    const double floor = (pages + 1) * kRoundTripMs / 1000.0;
    std::printf("census over a %d ms round trip: %ld of %ld sessions counted, %ld pages of %d lines: "
                "%.3f s against a floor of %.3f s: %.2fx the floor (goal 1.15x)\n",
                kRoundTripMs, counted, kSessions, pages, config.pageLines, census, floor, census / floor);
    sim.Stop();
    return ok && counted == kSessions ? 0 : 1;
}
