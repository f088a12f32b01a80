// A bare socket client for talking to the simulator in tests: no telnet logic of its own
// beyond what a test sends explicitly.
#pragma once

#include "SimSocket.h"

#include <cstdint>
#include <string>

namespace routersim::testing {

class PlainClient {
public:
    explicit PlainClient(std::uint16_t port) : socket_(ConnectLoopback(port)) {}
    bool Connected() const { return socket_.Valid(); }

    bool Send(const std::string& bytes) { return SendAll(socket_, bytes); }
    bool SendLine(const std::string& line) { return Send(line + "\r\n"); }

    // Receives until the bytes received since the last call end with `suffix`, the peer
    // closes, or the time is up; returns those bytes (telnet commands included).
    std::string ReadUntil(const std::string& suffix, int timeoutMs = 5000);
    // Receives whatever arrives within the given time.
    std::string ReadFor(int timeoutMs);
    // True when the server closed the connection within the time.
    bool WaitClosed(int timeoutMs);

private:
    Socket socket_;
    std::string unread_;
};

// The text of a received stream without its three-byte telnet commands.
std::string StripTelnetCommands(const std::string& raw);

}  // namespace routersim::testing
