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

TRouteChange NullRoute(const TRouteDialect& dialect, const std::string& host, int session, TRouteMode mode,
                       const std::string& target, const std::string& mask, const std::string& nextHop,
                       const TTelnetBinding& telnet) {
    TTelnetSession line(telnet, session, host);
    if (!line.Open()) return TRouteChange::rcNotSent;
    // Sent back to back; a line the router refuses is not detected here. A line that cannot be
    // sent ends the change: the next one would reach the router in the wrong mode.
    if (!line.Send(dialect.EnterConfig)) return TRouteChange::rcNotSent;
    if (!line.Send(dialect.RouteLine(mode, target, mask, nextHop))) return TRouteChange::rcNotSent;
    if (!line.Send(dialect.LeaveConfig)) return TRouteChange::rcUnconfirmed;
    TReadBuffer buffer;
    std::string gathered;
    // The router that hangs up before its prompt comes back may or may not have taken the line.
    const TReadEnd end = line.ReadUntil(buffer, gathered, dialect.BackAtPrompt, kSlowAnswerMs);
    return end == TReadEnd::reClosed ? TRouteChange::rcUnconfirmed : TRouteChange::rcDone;
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

TRouteChange CiscoRouteChange(const std::string& host, int session, TRouteMode mode, const std::string& target,
                              const std::string& mask, const std::string& nextHop, const TTelnetBinding& telnet) {
    return NullRoute(kCisco, host, session, mode, target, mask, nextHop, telnet);
}

TRouteChange HuaweiRouteChange(const std::string& host, int session, TRouteMode mode, const std::string& target,
                               const std::string& mask, const std::string& nextHop, const TTelnetBinding& telnet) {
    return NullRoute(kHuawei, host, session, mode, target, mask, nextHop, telnet);
}

bool CiscoNullRoute(const std::string& host, int session, TRouteMode mode, const std::string& target,
                    const std::string& mask, const std::string& nextHop, const TTelnetBinding& telnet) {
    return CiscoRouteChange(host, session, mode, target, mask, nextHop, telnet) == TRouteChange::rcDone;
}

bool HuaweiNullRoute(const std::string& host, int session, TRouteMode mode, const std::string& target,
                     const std::string& mask, const std::string& nextHop, const TTelnetBinding& telnet) {
    return HuaweiRouteChange(host, session, mode, target, mask, nextHop, telnet) == TRouteChange::rcDone;
}

bool SaveConfig(const std::string& host, int session, const TTelnetBinding& telnet) {
    TTelnetSession line(telnet, session, host);
    if (!line.Open() || !line.Send("write")) return false;
    TReadBuffer buffer;
    std::string gathered;
    // A Cisco device writes "Building configuration..." and only seconds later "[OK]" and its
    // prompt; a Huawei prompt ends in ">" or "]". Either prompt ends the wait at once.
    line.ReadUntil(buffer, gathered, [](const std::string& text) {
        return EndsWith(text, "#") || EndsWith(text, ">") || EndsWith(text, "]");
    }, kSlowSaveMs);
    return gathered.find("[OK]") != std::string::npos;
}

}  // namespace router
