#pragma once
// The session census: list the router's NAT table, count the entries per inside host, sort.
// TSetThread (the app's worker thread) runs RunCensus and then the report step.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "router/CommandOutput.h"
#include "router/Dialect.h"
#include "router/TelnetBinding.h"

namespace router {

struct TIpCount {
    std::string IP;          // the inside host address exactly as the router printed it
    std::int32_t Count = 0;  // table lines seen for it
};

// In order of first appearance until sorted.
using strecord = std::vector<TIpCount>;

inline constexpr char kHuaweiNatCommand[] = "display nat sess";
inline constexpr char kCiscoNatCommand[] = "show ip nat tran";

// Count the lines of an already captured table into counts (which may hold entries already).
// Huawei: lines whose first field is a strict integer; the host is the fourth field (empty when
// the line has at most four fields, and counted all the same). Cisco: the host is the text of
// the third field up to its colon; lines without such a colon are skipped.
void CountHuaweiTable(const std::vector<std::string>& lines, strecord& counts);
void CountCiscoTable(const std::vector<std::string>& lines, strecord& counts);
// The same on a whole captured text (see HuaweiCommandText), walked in place.
void CountHuaweiText(std::string_view text, strecord& counts);
void CountCiscoText(std::string_view text, strecord& counts);

// Capture the table from the router ("display nat sess" / "show ip nat tran") and count what
// arrived; the result tells whether that was the whole table.
TListingEnd HuaweiNatCount(const std::string& host, int session, strecord& counts,
                           const TTelnetBinding& telnet = TelnetBinding());
TListingEnd CiscoNatCount(const std::string& host, int session, strecord& counts,
                          const TTelnetBinding& telnet = TelnetBinding());

// Descending Count; equal counts keep their order.
void SortIpCounts(strecord& counts);

enum class TCensusEnd {
    ceCounted,      // the whole table was counted
    ceSessionLost,  // no session (the command was not sent) or the router closed it
    ceCutShort,     // the listing stopped before its end: the counts are not the table's
};

// The worker's body: count with the dialect's function (a value that is no dialect counts
// nothing), then sort. Only ceCounted gives counts that may be reported; otherwise counts
// holds what arrived before the listing broke off. Never throws.
TCensusEnd RunCensus(const std::string& host, int session, TDialect dialect, strecord& counts,
                     const TTelnetBinding& telnet = TelnetBinding()) noexcept;

}  // namespace router
