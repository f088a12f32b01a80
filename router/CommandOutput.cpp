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

// The whole output, pages joined, without the cursor sequences, and how the listing ended.
TListing CaptureListing(const TPagerDialect& dialect, const std::string& host, const std::string& command,
                        int session, const TTelnetBinding& telnet) {
    TTelnetSession line(telnet, session, host);
    TListing listing;
    // A session the router has already closed would take the command without complaint and
    // answer nothing: ask first, it costs no wait.
    if (!line.Open()) {
        listing.End = TListingEnd::leSessionLost;
        return listing;
    }
    if (!line.Send(command)) {
        listing.End = line.Open() ? TListingEnd::leNotSent : TListingEnd::leSessionLost;
        return listing;
    }

    const auto atPrompt = [&dialect](const std::string& text) {
        return !text.empty() && dialect.PromptEndings.find(text.back()) != std::string_view::npos;
    };
    const auto screenDone = [&](const std::string& text) { return EndsWith(text, dialect.Marker) || atPrompt(text); };
    TReadBuffer buffer;
    std::string gathered;
    TReadEnd end = line.ReadUntil(buffer, gathered, screenDone, kSlowAnswerMs);

    // Each screen is read into a chunk of its own, so a prompt character inside the earlier
    // screens cannot end this one. A continuation that cannot be sent, or one the device answers
    // with nothing, would leave the text ending with the marker for ever: the capture then ends
    // with what it has (CommandOutputTest.SilentPagerEndsCapture).
    bool sentAll = true;
    while (end == TReadEnd::reDone && EndsWith(gathered, dialect.Marker) && line.BudgetLeft()) {
        if (!line.Send(kContinuation)) {
            sentAll = false;
            break;
        }
        std::string chunk;
        end = line.ReadUntil(buffer, chunk, screenDone, kSlowAnswerMs);
        gathered += chunk;
        if (chunk.empty()) break;
    }

    // The listing is whole only when its last screen ended at the device's prompt; anything
    // else (the router hung up, fell silent, or the allowance ran out) leaves the count short.
    if (end == TReadEnd::reDone && !EndsWith(gathered, dialect.Marker) && atPrompt(gathered))
        listing.End = TListingEnd::leComplete;
    else if (end == TReadEnd::reClosed || !sentAll || !line.Open())
        listing.End = TListingEnd::leSessionLost;
    else
        listing.End = TListingEnd::leCutShort;
    // Huawei devices erase the pager prompt with cursor sequences after the continuation, which
    // glue the next data line to the marker; without them no line is lost
    // (CommandOutputTest.ErasedPagerKeepsEveryLine).
    listing.Text = StripCursorSequences(gathered);
    return listing;
}

std::optional<std::string> CaptureText(const TPagerDialect& dialect, const std::string& host,
                                       const std::string& command, int session, const TTelnetBinding& telnet) {
    TListing listing = CaptureListing(dialect, host, command, session, telnet);
    if (listing.End == TListingEnd::leNotSent ||
        (listing.End == TListingEnd::leSessionLost && listing.Text.empty()))
        return std::nullopt;
    return std::move(listing.Text);
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

TListing HuaweiListing(const std::string& host, const std::string& command, int session,
                       const TTelnetBinding& telnet) {
    return CaptureListing(kHuawei, host, command, session, telnet);
}

TListing CiscoListing(const std::string& host, const std::string& command, int session,
                      const TTelnetBinding& telnet) {
    return CaptureListing(kCisco, host, command, session, telnet);
}

std::string_view CleanPagerLine(std::string_view line, std::string_view marker) {
    return StartsWith(line, marker) ? line.substr(marker.size()) : line;
}

}  // namespace router
