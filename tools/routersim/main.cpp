// routersim: a telnet router simulator on 127.0.0.1 for tests, benchmarks and the demo.
// Prints the port it listens on once ready, then serves until interrupted. With --stdio it
// is the router's shell instead: one session on standard input and output.
#include "RouterSimulator.h"
#include "SessionPump.h"
#include "SimOptions.h"

#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <thread>

namespace {
std::atomic<bool> g_interrupted{false};
extern "C" void OnSignal(int) { g_interrupted = true; }
}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    routersim::SimOptions options;
    std::string error;
    if (!routersim::ParseSimOptions(args, &options, &error)) {
        std::fprintf(stderr, "routersim: %s\n%s", error.c_str(), routersim::SimUsage().c_str());
        return 2;
    }
    if (options.help) {
        std::fputs(routersim::SimUsage().c_str(), stdout);
        return 0;
    }
    if (options.stdio) {
#ifdef _WIN32
        std::fputs("routersim: --stdio is not available on this system\n", stderr);
        return 2;
#else
        routersim::SimState state(options.config.transcriptPath);
        if (!state.TranscriptFileOk()) {
            std::fprintf(stderr, "routersim: cannot open transcript %s\n", options.config.transcriptPath.c_str());
            return 1;
        }
        std::signal(SIGPIPE, SIG_IGN);
        std::signal(SIGINT, OnSignal);
        std::signal(SIGTERM, OnSignal);
        std::signal(SIGHUP, OnSignal);
        routersim::StdioLink link;
        routersim::SessionPump(options.config, state, link, g_interrupted, false).Run();
        return 0;
#endif
    }
    routersim::RouterSimulator simulator(options.config);
    if (!simulator.TranscriptFileOk()) {
        std::fprintf(stderr, "routersim: cannot open transcript %s\n", options.config.transcriptPath.c_str());
        return 1;
    }
    if (!simulator.Start(options.port)) {
        std::fprintf(stderr, "routersim: %s\n", simulator.Error().c_str());
        return 1;
    }
    std::signal(SIGINT, OnSignal);
    std::signal(SIGTERM, OnSignal);
    std::printf("%u\n", static_cast<unsigned>(simulator.Port()));
    std::fflush(stdout);
    while (!g_interrupted) std::this_thread::sleep_for(std::chrono::milliseconds(100));
    simulator.Stop();
    return 0;
}
