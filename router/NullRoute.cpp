#include "router/NullRoute.h"

#include "router/RouterText.h"

namespace router {

namespace {

struct TRouteDialect {
    const char* EnterConfig;
    const char* LeaveConfig;
    std::string (*RouteLine)(TRouteMode, const std::string&, const std::string&, const std::string&);
    bool (*BackAtPrompt)(const std::string& text);
};

// "R(config)#" is still configuration mode; only a plain "R#" means the exit went through.
bool CiscoBackAtPrompt(const std::string& text) {
    return EndsWith(text, "#") && !EndsWith(text, ")#");
}

bool HuaweiBackAtPrompt(const std::string& text) { return text.find('>') != std::string::npos; }

const TRouteDialect kCisco{"configure terminal", "exit", CiscoRouteLine, CiscoBackAtPrompt};
const TRouteDialect kHuawei{"system-view", "quit", HuaweiRouteLine, HuaweiBackAtPrompt};

bool NullRoute(const TRouteDialect& dialect, const std::string& host, int session, TRouteMode mode,
               const std::string& target, const std::string& mask, const std::string& nextHop,
               const TTelnetBinding& telnet) {
    TTelnetSession line(telnet, session, host);
    // Sent back to back; a refused line is not detected here.
    line.Send(dialect.EnterConfig);
    line.Send(dialect.RouteLine(mode, target, mask, nextHop));
    line.Send(dialect.LeaveConfig);
    TReadBuffer buffer;
    std::string gathered;
    line.ReadUntil(buffer, gathered, dialect.BackAtPrompt);
    return true;
}

}  // namespace

std::string CiscoRouteLine(TRouteMode mode, const std::string& target, const std::string& mask,
                           const std::string& nextHop) {
    return (mode == rmRemove ? "no ip route " : "ip route ") + target + " " + mask + " " + nextHop;
}

std::string HuaweiRouteLine(TRouteMode mode, const std::string& target, const std::string& mask,
                            const std::string& nextHop) {
    return (mode == rmRemove ? "undo ip route-static " : "ip route-static ") + target + " " + mask + " " +
           nextHop;
}

bool CiscoNullRoute(const std::string& host, int session, TRouteMode mode, const std::string& target,
                    const std::string& mask, const std::string& nextHop, const TTelnetBinding& telnet) {
    return NullRoute(kCisco, host, session, mode, target, mask, nextHop, telnet);
}

bool HuaweiNullRoute(const std::string& host, int session, TRouteMode mode, const std::string& target,
                     const std::string& mask, const std::string& nextHop, const TTelnetBinding& telnet) {
    return NullRoute(kHuawei, host, session, mode, target, mask, nextHop, telnet);
}

bool SaveConfig(const std::string& host, int session, const TTelnetBinding& telnet) {
    TTelnetSession line(telnet, session, host);
    line.Send("write");
    TReadBuffer buffer;
    std::string gathered;
    line.ReadUntil(buffer, gathered, [](const std::string& text) { return EndsWith(text, "#"); });
    return gathered.find("[OK]") != std::string::npos;
}

}  // namespace router
