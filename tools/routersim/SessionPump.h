// Runs one router session over a link: feeds what arrives through the telnet codec (or,
// on a terminal, takes it as plain text) into the session, and sends the session's output
// the way the configured device and link would: late, in pieces, and hanging up an idle or
// listing session when told to.
#pragma once

#include "RouterSession.h"
#include "SimConfig.h"
#include "SimLink.h"
#include "SimState.h"

#include <atomic>
#include <chrono>
#include <string>
#include <vector>

namespace routersim {

class SessionPump {
public:
    using Clock = std::chrono::steady_clock;

    // `telnet`: the link carries the telnet protocol (false: a terminal, already decoded).
    SessionPump(const SimConfig& config, SimState& state, SimLink& link, const std::atomic<bool>& stopping,
                bool telnet);

    // Returns when the session ended: logout, hang-up, the client left, or `stopping`.
    void Run();

private:
    bool SendOutput(std::vector<OutputChunk> chunks, Clock::time_point due, std::string raw);
    bool SendPaced(const std::string& bytes);
    bool WaitUntil(Clock::time_point when);
    bool IdleTooLong() const;
    void HangUp();

    const SimConfig& config_;
    SimState& state_;
    SimLink& link_;
    const std::atomic<bool>& stopping_;
    const bool telnet_;
    Clock::time_point lastActivity_;
};

}  // namespace routersim
