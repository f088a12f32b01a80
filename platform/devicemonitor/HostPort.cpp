#include "HostPort.h"

#include <cstring>

namespace devicemonitor {

namespace {
constexpr size_t kMaxHostText = 300;  // a DNS name is at most 253 characters

std::optional<int> ParsePort(const std::string& text) {
    if (text.empty() || text.size() > 5) return std::nullopt;
    int port = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        port = port * 10 + (c - '0');
    }
    if (port < 1 || port > 65535) return std::nullopt;
    return port;
}
}  // namespace

std::optional<HostPort> ParseHostPort(const char* text, int defaultPort) {
    if (!text) return std::nullopt;
    const size_t length = ::strnlen(text, kMaxHostText + 1);
    if (length > kMaxHostText) return std::nullopt;
    std::string s(text, length);
    size_t b = s.find_first_not_of(" \t\r\n");
    if (b == std::string::npos) return std::nullopt;
    s = s.substr(b, s.find_last_not_of(" \t\r\n") - b + 1);

    HostPort r;
    std::string portText;
    bool hasPort = false;
    if (s[0] == '[') {
        size_t close = s.find(']');
        if (close == std::string::npos) return std::nullopt;
        r.host = s.substr(1, close - 1);
        std::string rest = s.substr(close + 1);
        if (!rest.empty()) {
            if (rest[0] != ':') return std::nullopt;
            portText = rest.substr(1);
            hasPort = true;
        }
    } else {
        size_t colon = s.find(':');
        if (colon != std::string::npos && s.find(':', colon + 1) == std::string::npos) {
            r.host = s.substr(0, colon);
            portText = s.substr(colon + 1);
            hasPort = true;
        } else {
            r.host = s;  // no colon, or an IPv6 literal
        }
    }
    if (r.host.empty() || r.host.find_first_of(" \t\r\n") != std::string::npos) return std::nullopt;
    if (hasPort) {
        auto port = ParsePort(portText);
        if (!port) return std::nullopt;
        r.port = *port;
    } else {
        if (defaultPort < 1 || defaultPort > 65535) return std::nullopt;
        r.port = defaultPort;
    }
    return r;
}

}  // namespace devicemonitor
