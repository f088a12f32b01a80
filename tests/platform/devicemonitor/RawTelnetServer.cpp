#include "RawTelnetServer.h"

#include <algorithm>
#include <chrono>

namespace dmtest {

namespace {
using Clock = std::chrono::steady_clock;
int Left(Clock::time_point until) {
    return static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(until - Clock::now()).count());
}
}  // namespace

RawTelnetServer::RawTelnetServer(Script script) {
    listener_ = routersim::ListenLoopback(0, &port_, nullptr);
    thread_ = std::thread([this, s = std::move(script)]() mutable { Run(std::move(s)); });
}

RawTelnetServer::~RawTelnetServer() {
    stop_ = true;
    thread_.join();
}

void RawTelnetServer::Run(Script script) {
    const auto until = Clock::now() + std::chrono::seconds(20);
    while (!stop_ && Left(until) > 0) {
        if (routersim::WaitReadable(listener_, 25) != routersim::WaitResult::Ready) continue;
        client_ = routersim::AcceptConnection(listener_);
        break;
    }
    if (!client_.Valid()) return;
    script(*this);
    // Keep collecting what the client sends after the script, until the test ends.
    while (!stop_ && client_.Valid() && !peerClosed_) ReceiveFor(25);
}

void RawTelnetServer::ReceiveFor(int ms) {
    const auto until = Clock::now() + std::chrono::milliseconds(ms);
    char buffer[4096];
    do {
        if (!client_.Valid() || peerClosed_) {
            std::this_thread::sleep_for(std::chrono::milliseconds(std::max(0, std::min(Left(until), 25))));
            continue;
        }
        auto w = routersim::WaitReadable(client_, std::max(0, std::min(Left(until), 25)));
        if (w != routersim::WaitResult::Ready) continue;
        long n = routersim::ReceiveSome(client_, buffer, sizeof buffer);
        if (n <= 0) {
            peerClosed_ = true;
            continue;
        }
        std::lock_guard lock(mutex_);
        received_.append(buffer, static_cast<size_t>(n));
    } while (Left(until) > 0 && !stop_);
}

void RawTelnetServer::Send(const std::string& bytes) { routersim::SendAll(client_, bytes); }

void RawTelnetServer::Pause(int ms) { ReceiveFor(ms); }

void RawTelnetServer::Close() {
    routersim::ShutdownSend(client_);
    ReceiveFor(50);  // closing with unread input would reset instead of closing
    client_.Reset();
}

void RawTelnetServer::HalfClose() { routersim::ShutdownSend(client_); }

std::string RawTelnetServer::Received() const {
    std::lock_guard lock(mutex_);
    return received_;
}

bool RawTelnetServer::WaitReceived(const std::string& bytes, int timeoutMs) const {
    const auto until = Clock::now() + std::chrono::milliseconds(timeoutMs);
    do {
        if (Received().find(bytes) != std::string::npos) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    } while (Left(until) > 0);
    return false;
}

bool RawTelnetServer::WaitPeerClosed(int timeoutMs) const {
    const auto until = Clock::now() + std::chrono::milliseconds(timeoutMs);
    do {
        if (peerClosed_) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    } while (Left(until) > 0);
    return false;
}

}  // namespace dmtest
