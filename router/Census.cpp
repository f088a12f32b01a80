#include "router/Census.h"

#include <algorithm>
#include <cstdint>
#include <exception>
#include <unordered_map>

#include "router/CommandOutput.h"
#include "router/RouterText.h"
#include "router/StrictInt.h"

namespace router {

namespace {

// Finds a host's entry in constant time instead of walking the array: a table of many distinct
// hosts would otherwise cost quadratic time. Entries match byte for byte, as before.
class THostCounter {
public:
    explicit THostCounter(strecord& counts) : FCounts(counts) {
        for (std::size_t i = 0; i < counts.size(); ++i) FIndex.emplace(counts[i].IP, i);
    }
    void Count(const std::string& key) {
        const auto [it, added] = FIndex.emplace(key, FCounts.size());
        if (added) FCounts.push_back({key, 1});
        else if (FCounts[it->second].Count < INT32_MAX) ++FCounts[it->second].Count;
    }
private:
    strecord& FCounts;
    std::unordered_map<std::string, std::size_t> FIndex;  // first entry for each IP
};

}  // namespace

void CountHuaweiTable(const std::vector<std::string>& lines, strecord& counts) {
    THostCounter counter(counts);
    for (const std::string& line : lines) {
        std::string s = TrimBlanks(line);
        // Headers, the command echo and the prompt fall out here.
        if (!StrictToInt(HeadBeforeBlank(s))) continue;
        for (int field = 0; field < 3; ++field) s = TailAfterBlank(s);
        counter.Count(HeadBeforeBlank(s));
    }
}

void CountCiscoTable(const std::vector<std::string>& lines, strecord& counts) {
    THostCounter counter(counts);
    for (const std::string& line : lines) {
        std::string s = TrimBlanks(line);
        for (int field = 0; field < 2; ++field) s = TailAfterBlank(s);
        const std::size_t colon = s.find(':');
        if (colon == std::string::npos) continue;
        // Inside local "address:port"; static entries, headers and the prompt have no colon.
        const std::string key = TrimBlanks(std::string_view(s).substr(0, colon));
        if (!key.empty()) counter.Count(key);
    }
}

void HuaweiNatCount(const std::string& host, int session, strecord& counts, const TTelnetBinding& telnet) {
    CountHuaweiTable(HuaweiCommandOutput(host, kHuaweiNatCommand, session, telnet), counts);
}

void CiscoNatCount(const std::string& host, int session, strecord& counts, const TTelnetBinding& telnet) {
    CountCiscoTable(CiscoCommandOutput(host, kCiscoNatCommand, session, telnet), counts);
}

// A stable sort gives exactly the order of an adjacent-swap bubble sort that never swaps equal
// counts: descending counts, ties in order of first appearance.
void SortIpCounts(strecord& counts) {
    std::stable_sort(counts.begin(), counts.end(),
                     [](const TIpCount& a, const TIpCount& b) { return a.Count > b.Count; });
}

void RunCensus(const std::string& host, int session, int dialect, strecord& counts,
               const TTelnetBinding& telnet) noexcept {
    try {
        if (dialect == 0) CiscoNatCount(host, session, counts, telnet);
        else if (dialect == 1) HuaweiNatCount(host, session, counts, telnet);
        SortIpCounts(counts);
    } catch (const std::exception&) {
        // Out of memory on a huge table: report what was counted.
    }
}

}  // namespace router
