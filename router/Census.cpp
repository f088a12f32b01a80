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
    void Count(std::string_view key) {
        // Looked up without making a string: a known host costs no allocation.
        if (const auto it = FIndex.find(key); it != FIndex.end()) {
            if (FCounts[it->second].Count < INT32_MAX) ++FCounts[it->second].Count;
            return;
        }
        FIndex.emplace(std::string(key), FCounts.size());
        FCounts.push_back({std::string(key), 1});
    }
private:
    struct THash {
        using is_transparent = void;
        std::size_t operator()(std::string_view s) const noexcept { return std::hash<std::string_view>{}(s); }
    };
    strecord& FCounts;
    std::unordered_map<std::string, std::size_t, THash, std::equal_to<>> FIndex;  // first entry for each IP
};

void CountHuaweiLine(std::string_view line, THostCounter& counter) {
    std::string_view s = TrimView(line);
    // Headers, the command echo and the prompt fall out here.
    if (!StrictToInt(HeadBeforeBlank(s))) return;
    for (int field = 0; field < 3; ++field) s = TailAfterBlank(s);
    counter.Count(HeadBeforeBlank(s));
}

void CountCiscoLine(std::string_view line, THostCounter& counter) {
    std::string_view s = TrimView(line);
    for (int field = 0; field < 2; ++field) s = TailAfterBlank(s);
    const std::size_t colon = s.find(':');
    if (colon == std::string_view::npos) return;
    // Inside local "address:port"; static entries, headers and the prompt have no colon.
    const std::string_view key = TrimView(s.substr(0, colon));
    if (!key.empty()) counter.Count(key);
}

}  // namespace

void CountHuaweiTable(const std::vector<std::string>& lines, strecord& counts) {
    THostCounter counter(counts);
    for (const std::string& line : lines) CountHuaweiLine(line, counter);
}

void CountCiscoTable(const std::vector<std::string>& lines, strecord& counts) {
    THostCounter counter(counts);
    for (const std::string& line : lines) CountCiscoLine(line, counter);
}

// The captured text is walked in place: on a large table, a list of a million line copies
// would cost more than the counting (bench_census_pipeline).
void CountHuaweiText(std::string_view text, strecord& counts) {
    THostCounter counter(counts);
    ForEachLine(text, [&](std::string_view line) { CountHuaweiLine(CleanPagerLine(line, kHuaweiPager), counter); });
}

void CountCiscoText(std::string_view text, strecord& counts) {
    THostCounter counter(counts);
    ForEachLine(text, [&](std::string_view line) { CountCiscoLine(CleanPagerLine(line, kCiscoPager), counter); });
}

TListingEnd HuaweiNatCount(const std::string& host, int session, strecord& counts, const TTelnetBinding& telnet) {
    const TListing listing = HuaweiListing(host, kHuaweiNatCommand, session, telnet);
    CountHuaweiText(listing.Text, counts);
    return listing.End;
}

TListingEnd CiscoNatCount(const std::string& host, int session, strecord& counts, const TTelnetBinding& telnet) {
    const TListing listing = CiscoListing(host, kCiscoNatCommand, session, telnet);
    CountCiscoText(listing.Text, counts);
    return listing.End;
}

// A stable sort gives exactly the order of an adjacent-swap bubble sort that never swaps equal
// counts: descending counts, ties in order of first appearance.
void SortIpCounts(strecord& counts) {
    std::stable_sort(counts.begin(), counts.end(),
                     [](const TIpCount& a, const TIpCount& b) { return a.Count > b.Count; });
}

TCensusEnd RunCensus(const std::string& host, int session, TDialect dialect, strecord& counts,
                     const TTelnetBinding& telnet) noexcept {
    try {
        TListingEnd end = TListingEnd::leComplete;
        if (dialect == TDialect::dlCisco) end = CiscoNatCount(host, session, counts, telnet);
        else if (dialect == TDialect::dlHuawei) end = HuaweiNatCount(host, session, counts, telnet);
        SortIpCounts(counts);
        switch (end) {
        case TListingEnd::leComplete: return TCensusEnd::ceCounted;
        case TListingEnd::leNotSent:
        case TListingEnd::leSessionLost: return TCensusEnd::ceSessionLost;
        case TListingEnd::leCutShort: return TCensusEnd::ceCutShort;
        }
        return TCensusEnd::ceCutShort;
    } catch (const std::exception&) {
        // Out of memory on a huge table: what was counted is not the whole table.
        return TCensusEnd::ceCutShort;
    }
}

}  // namespace router
