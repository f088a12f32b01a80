// Splitting the host text of telnet_connect into host and port.
#pragma once

#include <optional>
#include <string>

namespace devicemonitor {

struct HostPort {
    std::string host;
    int port = 0;
};

// "name", "name:port", "a.b.c.d:port", "[v6]:port", "[v6]" or a bare IPv6 literal (more than
// one colon: no port part). Surrounding blanks are ignored. A port in the text overrides
// defaultPort. Nothing when the host is empty or too long, or the port is not 1..65535.
std::optional<HostPort> ParseHostPort(const char* text, int defaultPort);

}  // namespace devicemonitor
