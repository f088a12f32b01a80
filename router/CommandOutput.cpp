#include "router/CommandOutput.h"

#include <optional>
#include <string_view>

#include "router/RouterText.h"

namespace router {

namespace {

struct TPagerDialect {
    std::string_view Marker;
    std::string_view PromptEndings;
};

constexpr TPagerDialect kHuawei{kHuaweiPager, ">]"};
constexpr TPagerDialect kCisco{kCiscoPager, "#"};
constexpr char kContinuation[] = " ";

// The whole output, pages joined, without the cursor sequences; nothing when the command could
// not be sent.
std::optional<std::string> CaptureText(const TPagerDialect& dialect, const std::string& host, const std::string& command,
                        int session, const TTelnetBinding& telnet) {
    TTelnetSession line(telnet, session, host);
    if (!line.Send(command)) return std::nullopt;

    const auto screenDone = [&dialect](const std::string& text) {
        return EndsWith(text, dialect.Marker) ||
               (!text.empty() && dialect.PromptEndings.find(text.back()) != std::string_view::npos);
    };
    TReadBuffer buffer;
    std::string gathered;
    line.ReadUntil(buffer, gathered, screenDone);

    // Each screen is read into a chunk of its own, so a prompt character inside the earlier
    // screens cannot end this one. A continuation that cannot be sent, or one the device answers
    // with nothing, would leave the text ending with the marker for ever: the capture then ends
    // with what it has (CommandOutputTest.SilentPagerEndsCapture).
    while (EndsWith(gathered, dialect.Marker) && line.BudgetLeft()) {
        if (!line.Send(kContinuation)) break;
        std::string chunk;
        line.ReadUntil(buffer, chunk, screenDone);
        if (chunk.empty()) break;
        gathered += chunk;
    }

    // Huawei devices erase the pager prompt with cursor sequences after the continuation, which
    // glue the next data line to the marker; without them no line is lost
    // (CommandOutputTest.ErasedPagerKeepsEveryLine).
    return StripCursorSequences(gathered);
}

std::vector<std::string> Capture(const TPagerDialect& dialect, const std::string& host,
                                 const std::string& command, int session, const TTelnetBinding& telnet) {
    std::optional<std::string> text = CaptureText(dialect, host, command, session, telnet);
    if (!text) return {};
    std::vector<std::string> lines = SplitLines(*text);
    for (std::string& line : lines) {
        if (StartsWith(line, dialect.Marker))
            line = std::string(" ").append(TrimBlanks(std::string_view(line).substr(dialect.Marker.size())));
    }
    return lines;
}

}  // namespace

std::vector<std::string> HuaweiCommandOutput(const std::string& host, const std::string& command,
                                             int session, const TTelnetBinding& telnet) {
    return Capture(kHuawei, host, command, session, telnet);
}

std::vector<std::string> CiscoCommandOutput(const std::string& host, const std::string& command,
                                            int session, const TTelnetBinding& telnet) {
    return Capture(kCisco, host, command, session, telnet);
}

std::optional<std::string> HuaweiCommandText(const std::string& host, const std::string& command, int session,
                                             const TTelnetBinding& telnet) {
    return CaptureText(kHuawei, host, command, session, telnet);
}

std::optional<std::string> CiscoCommandText(const std::string& host, const std::string& command, int session,
                                            const TTelnetBinding& telnet) {
    return CaptureText(kCisco, host, command, session, telnet);
}

std::string_view CleanPagerLine(std::string_view line, std::string_view marker) {
    return StartsWith(line, marker) ? line.substr(marker.size()) : line;
}

}  // namespace router
