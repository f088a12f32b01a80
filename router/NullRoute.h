#pragma once
// Host routes to the null interface (cutting a host off and restoring it) and saving the
// router's configuration.

#include <string>

#include "router/TelnetBinding.h"

namespace router {

enum TRouteMode : int { rmAdd = 0, rmRemove = 1 };

inline constexpr char kHostMask[] = "255.255.255.255";
inline constexpr char kNullNextHop[] = "null 0";

// "[no ]ip route <target> <mask> <next hop>" and "[undo ]ip route-static <target> <mask> <next hop>".
std::string CiscoRouteLine(TRouteMode mode, const std::string& target, const std::string& mask,
                           const std::string& nextHop);
std::string HuaweiRouteLine(TRouteMode mode, const std::string& target, const std::string& mask,
                            const std::string& nextHop);

enum class TRouteChange {
    rcDone,         // the three lines went out and the router did not hang up on them
    rcNotSent,      // the route line never went out (no session, or a send failed before it)
    rcUnconfirmed,  // the route line went out, then the session broke: it may have been taken
};

// Send the enter-configuration line, the route line and the leave-configuration line, then read
// until the device is back at a prompt (Cisco: text ends in "#" not preceded by ")"; Huawei: a
// ">" anywhere) or a read delivers nothing. A line the router refuses is not detected; a line
// that cannot be sent, or a session the router closes, is.
TRouteChange CiscoRouteChange(const std::string& host, int session, TRouteMode mode, const std::string& target,
                              const std::string& mask, const std::string& nextHop,
                              const TTelnetBinding& telnet = TelnetBinding());
TRouteChange HuaweiRouteChange(const std::string& host, int session, TRouteMode mode, const std::string& target,
                               const std::string& mask, const std::string& nextHop,
                               const TTelnetBinding& telnet = TelnetBinding());
// The same; true exactly for rcDone.
bool CiscoNullRoute(const std::string& host, int session, TRouteMode mode, const std::string& target,
                    const std::string& mask, const std::string& nextHop,
                    const TTelnetBinding& telnet = TelnetBinding());
bool HuaweiNullRoute(const std::string& host, int session, TRouteMode mode, const std::string& target,
                     const std::string& mask, const std::string& nextHop,
                     const TTelnetBinding& telnet = TelnetBinding());

// Both dialects: send "write", read until the text ends in a prompt character ("#", ">" or "]")
// or the device stays silent (up to kSlowSaveMs while the session is open); true exactly when
// the answer contains "[OK]". A line that cannot be sent is a failure.
bool SaveConfig(const std::string& host, int session, const TTelnetBinding& telnet = TelnetBinding());

}  // namespace router
