#pragma once
// The census report step, as a pure function: which hosts to report and which to put on the
// pending block list. The window shows the text and keeps the lists.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "router/Census.h"
#include "router/OwnAddress.h"

namespace router {

struct TReportLine {
    std::string IP;
    std::int32_t Count = 0;
};

struct TCensusReport {
    std::vector<std::string> BlockList;  // reported hosts except this machine's own address
    std::vector<TReportLine> Lines;      // every reported host, own address included
    // False when the census found hosts but the threshold text is not an integer; nothing is
    // reported or listed then, and the window should tell the user. An empty census never
    // reads the threshold and is always valid.
    bool ThresholdValid = true;
};

// Walks the sorted counts while each count is at least the threshold (strict integer
// conversion of thresholdText, not trimmed; leading blanks are accepted). ownAddress is asked
// afresh for each entry.
TCensusReport BuildCensusReport(const strecord& sorted, std::string_view thresholdText,
                                const TOwnAddressLookup& ownAddress = OwnAddress);

// "<ip>有<count>个连接" as UTF-16 for the window: the host address (ASCII), "有", the decimal
// count and "个连接", no blanks.
std::wstring ReportLineText(const TReportLine& line);

// The message box text: every report line followed by CR LF. Empty for no lines.
std::wstring ReportText(const std::vector<TReportLine>& lines);

}  // namespace router
