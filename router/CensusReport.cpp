#include "router/CensusReport.h"

#include <optional>

#include "router/RouterText.h"
#include "router/StrictInt.h"

namespace router {

TCensusReport BuildCensusReport(const strecord& sorted, std::string_view thresholdText,
                                const TOwnAddressLookup& ownAddress) {
    TCensusReport report;
    for (const TIpCount& entry : sorted) {
        const std::string own = ownAddress ? ownAddress() : std::string();
        const std::optional<std::int32_t> threshold = StrictToInt(thresholdText);
        if (!threshold) {
            // Report nothing rather than half a list: the user fixes the threshold and runs
            // the census again (CensusReportTest.BadThresholdReportsNothing).
            TCensusReport rejected;
            rejected.ThresholdValid = false;
            return rejected;
        }
        // A count equal to the threshold is reported.
        if (*threshold > entry.Count) break;
        // Only addresses go to the router; the report still shows what the router printed.
        if (entry.IP != own && IsDottedIPv4(entry.IP)) report.BlockList.push_back(entry.IP);
        report.Lines.push_back({entry.IP, entry.Count});
    }
    return report;
}

std::wstring ReportLineText(const TReportLine& line) {
    return WidenAscii(line.IP) + L"有" + std::to_wstring(line.Count) + L"个连接";
}

std::wstring ReportText(const std::vector<TReportLine>& lines) {
    std::wstring text;
    for (const TReportLine& line : lines) text += ReportLineText(line) + L"\r\n";
    return text;
}

}  // namespace router
