// A one-connection server on 127.0.0.1 that plays a script of raw bytes, for testing what
// the telnet client does with exactly the bytes a router might send.
#pragma once

#include "SimSocket.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

namespace dmtest {

class RawTelnetServer {
public:
    using Script = std::function<void(RawTelnetServer&)>;

    // Listens at once; the script runs on the server's thread once a client connected.
    explicit RawTelnetServer(Script script);
    ~RawTelnetServer();
    RawTelnetServer(const RawTelnetServer&) = delete;
    RawTelnetServer& operator=(const RawTelnetServer&) = delete;

    std::uint16_t Port() const { return port_; }
    std::string Host() const { return "127.0.0.1:" + std::to_string(port_); }

    // For the script.
    void Send(const std::string& bytes);
    void Pause(int ms);  // keeps receiving meanwhile
    void Close();
    // The router's side of a hang-up: no more output (FIN), but the socket stays open to see
    // whether, and when, the client closes its own.
    void HalfClose();

    // For the test. Everything the client sent so far.
    std::string Received() const;
    bool WaitReceived(const std::string& bytes, int timeoutMs) const;
    bool WaitPeerClosed(int timeoutMs) const;

private:
    void Run(Script script);
    void ReceiveFor(int ms);

    routersim::Socket listener_;
    routersim::Socket client_;
    std::uint16_t port_ = 0;
    std::atomic<bool> stop_{false};
    std::atomic<bool> peerClosed_{false};
    mutable std::mutex mutex_;
    std::string received_;
    std::thread thread_;
};

}  // namespace dmtest
