#pragma once
// Runs one show command and returns its whole output as lines, answering the device's pager.

#include <string>
#include <vector>

#include "router/TelnetBinding.h"

namespace router {

inline constexpr char kHuaweiPager[] = "  ---- More ----";
inline constexpr char kCiscoPager[] = " --More-- ";

// The command's echo and the final prompt stay in the list; a line that carried the pager
// marker becomes one blank plus the rest of the line, trimmed. Empty when the command could not
// be sent. Huawei reads stop at ">" or "]", Cisco reads at "#".
std::vector<std::string> HuaweiCommandOutput(const std::string& host, const std::string& command,
                                             int session, const TTelnetBinding& telnet = TelnetBinding());
std::vector<std::string> CiscoCommandOutput(const std::string& host, const std::string& command,
                                            int session, const TTelnetBinding& telnet = TelnetBinding());

}  // namespace router
