#include "RouterSimulator.h"

#include "SessionPump.h"

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

void RouterSimulator::Serve(Socket socket) {
    SocketLink link(socket);
    SessionPump(config_, *state_, link, stopping_, true).Run();
}

}  // namespace routersim
