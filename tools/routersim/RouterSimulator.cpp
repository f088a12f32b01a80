#include "RouterSimulator.h"

#include "RouterSession.h"
#include "TelnetServerCodec.h"

#include <algorithm>
#include <chrono>

namespace routersim {

namespace {
// How often blocked threads look at the stop flag: bounds how long Stop() takes.
constexpr int kPollMs = 25;
}  // namespace

RouterSimulator::RouterSimulator(SimConfig config)
    : config_(std::move(config)), state_(std::make_unique<SimState>(config_.transcriptPath)) {}

RouterSimulator::~RouterSimulator() { Stop(); }

bool RouterSimulator::Start(std::uint16_t port) {
    if (acceptThread_.joinable()) {
        error_ = "already running";
        return false;
    }
    listener_ = ListenLoopback(port, &port_, &error_);
    if (!listener_.Valid()) return false;
    stopping_ = false;
    acceptThread_ = std::thread([this] { AcceptLoop(); });
    return true;
}

void RouterSimulator::Stop() {
    stopping_ = true;
    if (acceptThread_.joinable()) acceptThread_.join();
    ReapFinished(true);
    listener_.Reset();
}

void RouterSimulator::ReapFinished(bool all) {
    for (auto it = connections_.begin(); it != connections_.end();) {
        if (all || it->done) {
            if (it->thread.joinable()) it->thread.join();
            it = connections_.erase(it);
        } else {
            ++it;
        }
    }
}

void RouterSimulator::AcceptLoop() {
    while (!stopping_) {
        ReapFinished(false);
        WaitResult w = WaitReadable(listener_, kPollMs);
        if (w == WaitResult::Timeout) continue;
        if (w == WaitResult::Error) break;
        Socket client = AcceptConnection(listener_);
        if (!client.Valid()) continue;
        ++accepted_;
        if (static_cast<int>(connections_.size()) >= config_.maxConnections) continue;  // closes it
        Connection& c = connections_.emplace_back();
        c.thread = std::thread([this, &c, s = std::move(client)]() mutable {
            Serve(std::move(s));
            c.done = true;
        });
    }
}

// Waits in short steps so that Stop() is never held up by a slow page.
bool RouterSimulator::SendChunk(const Socket& socket, const std::string& text, int delayMs) {
    auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(delayMs);
    while (std::chrono::steady_clock::now() < until) {
        if (stopping_) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(std::min(delayMs, kPollMs)));
    }
    return SendAll(socket, TelnetServerCodec::EscapeOutput(text), &stopping_);
}

void RouterSimulator::Serve(Socket socket) {
    TelnetServerCodec codec(config_.dialect == Dialect::Cisco);
    RouterSession session(config_, *state_);
    session.Start();
    if (!SendAll(socket, codec.Offers(), &stopping_)) return;
    for (const OutputChunk& c : session.TakeOutput())
        if (!SendChunk(socket, c.text, c.delayMs)) return;

    char buffer[4096];
    std::vector<std::string> lines, events;
    std::string replies;
    while (!stopping_ && !session.Finished()) {
        WaitResult w = WaitReadable(socket, kPollMs);
        if (w == WaitResult::Timeout) continue;
        if (w == WaitResult::Error) return;
        long n = ReceiveSome(socket, buffer, sizeof buffer);
        if (n <= 0) return;  // the client left
        lines.clear();
        events.clear();
        replies.clear();
        codec.Feed(buffer, static_cast<size_t>(n), &lines, &replies, &events);
        state_->RecordTelnetEvents(events);
        if (!replies.empty() && !SendAll(socket, replies, &stopping_)) return;
        for (const std::string& line : lines) {
            if (session.Finished()) break;  // type-ahead after a logout goes nowhere
            state_->RecordLine(line);
            session.OnLine(line, codec.EchoActive());
            for (const OutputChunk& c : session.TakeOutput())
                if (!SendChunk(socket, c.text, c.delayMs)) return;
        }
    }
    ShutdownSend(socket);
    // Closing with unread input would reset the connection; let the client close first.
    for (int i = 0; i < 10 && !stopping_; ++i) {
        WaitResult w = WaitReadable(socket, kPollMs);
        if (w == WaitResult::Error) break;
        if (w == WaitResult::Ready && ReceiveSome(socket, buffer, sizeof buffer) <= 0) break;
    }
}

}  // namespace routersim
