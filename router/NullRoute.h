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

// Send the enter-configuration line, the route line and the leave-configuration line, then read
// until the device is back at a prompt (Cisco: text ends in "#" not preceded by ")"; Huawei: a
// ">" anywhere) or a read delivers nothing. The router's answer is not checked: always true.
bool CiscoNullRoute(const std::string& host, int session, TRouteMode mode, const std::string& target,
                    const std::string& mask, const std::string& nextHop,
                    const TTelnetBinding& telnet = TelnetBinding());
bool HuaweiNullRoute(const std::string& host, int session, TRouteMode mode, const std::string& target,
                     const std::string& mask, const std::string& nextHop,
                     const TTelnetBinding& telnet = TelnetBinding());

// Both dialects: send "write", read until the text ends in "#" or a read delivers nothing;
// true exactly when the answer contains "[OK]".
bool SaveConfig(const std::string& host, int session, const TTelnetBinding& telnet = TelnetBinding());

}  // namespace router
