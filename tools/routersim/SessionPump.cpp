#include "SessionPump.h"

#include "TelnetServerCodec.h"

#include <algorithm>
#include <thread>

namespace routersim {

namespace {
// How often blocked waits look at the stop flag: bounds how long stopping takes.
constexpr int kPollMs = 25;
}  // namespace

SessionPump::SessionPump(const SimConfig& config, SimState& state, SimLink& link,
                         const std::atomic<bool>& stopping, bool telnet)
    : config_(config), state_(state), link_(link), stopping_(stopping), telnet_(telnet) {}

// Sleeps in short steps so that a stop request is never held up by a slow device.
bool SessionPump::WaitUntil(Clock::time_point when) {
    for (;;) {
        if (stopping_) return false;
        const auto now = Clock::now();
        if (now >= when) return true;
        std::this_thread::sleep_for(std::min<Clock::duration>(when - now, std::chrono::milliseconds(kPollMs)));
    }
}

bool SessionPump::SendPaced(const std::string& bytes) {
    const size_t piece = config_.pieceBytes > 0 ? static_cast<size_t>(config_.pieceBytes) : bytes.size();
    for (size_t at = 0; at < bytes.size(); at += piece) {
        if (at > 0 && !WaitUntil(Clock::now() + std::chrono::milliseconds(config_.piecePauseMs))) return false;
        if (!link_.Send(bytes.substr(at, piece), &stopping_)) return false;
    }
    return true;
}

// The first chunk leaves at `due`, behind `raw` (telnet commands); each later one after
// its own delay.
bool SessionPump::SendOutput(std::vector<OutputChunk> chunks, Clock::time_point due, std::string raw) {
    if (chunks.empty() && !raw.empty()) chunks.emplace_back();
    for (OutputChunk& c : chunks) {
        if (!WaitUntil(due + std::chrono::milliseconds(c.delayMs))) return false;
        raw += telnet_ ? TelnetServerCodec::EscapeOutput(c.text) : c.text;
        if (!SendPaced(raw)) return false;
        raw.clear();
        due = Clock::now();
        lastActivity_ = due;
    }
    return true;
}

bool SessionPump::IdleTooLong() const {
    return config_.execTimeoutMs > 0 &&
           Clock::now() - lastActivity_ >= std::chrono::milliseconds(config_.execTimeoutMs);
}

void SessionPump::HangUp() {
    link_.ShutdownSend();
    // Closing with unread input would reset the connection; let the client close first.
    char buffer[4096];
    for (int i = 0; i < 10 && !stopping_; ++i) {
        WaitResult w = link_.WaitReadable(kPollMs);
        if (w == WaitResult::Error) break;
        if (w == WaitResult::Ready && link_.Receive(buffer, sizeof buffer) <= 0) break;
    }
}

void SessionPump::Run() {
    const auto latency = std::chrono::milliseconds(config_.latencyMs);
    lastActivity_ = Clock::now();
    TelnetServerCodec codec(config_.dialect == Dialect::Cisco, telnet_);
    RouterSession session(config_, state_);
    session.Start();
    if (!SendOutput(session.TakeOutput(), lastActivity_ + latency, telnet_ ? codec.Offers() : "")) return;

    char buffer[4096];
    std::vector<std::string> lines, events;
    std::string replies;
    while (!stopping_ && !session.Finished()) {
        if (IdleTooLong()) break;
        WaitResult w = link_.WaitReadable(kPollMs);
        if (w == WaitResult::Timeout) continue;
        if (w == WaitResult::Error) return;
        long n = link_.Receive(buffer, sizeof buffer);
        if (n <= 0) return;  // the client left
        const auto due = Clock::now() + latency;
        lastActivity_ = Clock::now();
        lines.clear();
        events.clear();
        replies.clear();
        codec.Feed(buffer, static_cast<size_t>(n), &lines, &replies, &events);
        state_.RecordTelnetEvents(events);
        if (!replies.empty() && !SendOutput({}, due, replies)) return;
        for (const std::string& line : lines) {
            if (session.Finished()) break;  // type-ahead after a logout goes nowhere
            state_.RecordLine(line);
            session.OnLine(line, !telnet_ || codec.EchoActive());
            if (!SendOutput(session.TakeOutput(), due, "")) return;
        }
    }
    HangUp();
}

}  // namespace routersim
