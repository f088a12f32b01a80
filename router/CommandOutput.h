#pragma once
// Runs one show command and returns its whole output as lines, answering the device's pager.

#include <optional>
#include <string>
#include <string_view>
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

// The same capture as one text (pages joined, cursor sequences removed, not yet split), for a
// caller that walks the lines itself with ForEachLine; nothing when the command was not sent.
std::optional<std::string> HuaweiCommandText(const std::string& host, const std::string& command, int session,
                                             const TTelnetBinding& telnet = TelnetBinding());
std::optional<std::string> CiscoCommandText(const std::string& host, const std::string& command, int session,
                                            const TTelnetBinding& telnet = TelnetBinding());
// How a listing ended. Only a complete one may be counted as the router's whole table.
enum class TListingEnd {
    leComplete,     // the last screen ended at the device's prompt
    leNotSent,      // the command could not be sent (no such session)
    leSessionLost,  // the router closed the session, before the command or during the listing
    leCutShort,     // the device fell silent or the dialogue's allowance ran out mid-listing
};

struct TListing {
    TListingEnd End = TListingEnd::leNotSent;
    std::string Text;  // what arrived, pages joined, cursor sequences removed
};

// The capture with its ending. When the library can tell that the session is still open, a
// silent device is waited for up to kSlowAnswerMs per screen before the listing counts as cut
// short.
TListing HuaweiListing(const std::string& host, const std::string& command, int session,
                       const TTelnetBinding& telnet = TelnetBinding());
TListing CiscoListing(const std::string& host, const std::string& command, int session,
                      const TTelnetBinding& telnet = TelnetBinding());

// A line of such a text as the clean-up of the line list leaves it, less the leading blank and
// the trimming (which every table parser does anyway): the rest after a leading pager marker.
std::string_view CleanPagerLine(std::string_view line, std::string_view marker);

}  // namespace router
