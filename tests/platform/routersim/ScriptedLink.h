// A link for driving a SessionPump without sockets: it answers the session's output with
// scripted input (each line once the output so far ends with what it waits for) and records
// when every piece of output was sent.
#pragma once

#include "SimLink.h"

#include <chrono>
#include <mutex>
#include <string>
#include <vector>

namespace routersim::testing {

class ScriptedLink final : public SimLink {
public:
    using Clock = std::chrono::steady_clock;

    struct Step {
        std::string waitFor;   // sent once the output so far ends with this (and some
                               // output answered the step before)
        std::string input;     // bytes, line end included
    };
    struct Sent {
        double ms;             // since the link was made
        std::string bytes;
    };

    // After the script is done and `idleLimitMs` passed without output, the link reports
    // an error, which ends a session that would otherwise never end.
    explicit ScriptedLink(std::vector<Step> script, int idleLimitMs = 3000);

    WaitResult WaitReadable(int timeoutMs) override;
    long Receive(char* buffer, std::size_t size) override;
    bool Send(const std::string& bytes, const std::atomic<bool>* cancel) override;
    void ShutdownSend() override;

    std::vector<Sent> Sends() const { return sends_; }
    std::string Output() const { return output_; }
    std::vector<double> InputTimes() const { return inputTimes_; }
    double HangUpMs() const { return hangUpMs_; }   // negative: never hung up

private:
    double Now() const;
    bool NextDue() const;

    Clock::time_point start_ = Clock::now();
    std::vector<Step> script_;
    size_t next_ = 0;
    int idleLimitMs_;
    std::string output_;
    size_t outputAtInput_ = 0;
    std::vector<Sent> sends_;
    std::vector<double> inputTimes_;
    double hangUpMs_ = -1;
};

}  // namespace routersim::testing
