#pragma once
// Text helpers of the router dialogue. Router output and ledger lines are byte strings in the
// system code page; the routers send ASCII, so bytes and characters coincide.

#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace router {

// Removes every character of code 32 and below at both ends.
std::string TrimBlanks(std::string_view text);
// The same, as a view into `text`.
std::string_view TrimView(std::string_view text) noexcept;

bool EndsWith(std::string_view text, std::string_view tail) noexcept;
bool StartsWith(std::string_view text, std::string_view head) noexcept;

// Router output to lines, cut exactly at each CR LF pair; a lone CR or LF inside the text stays
// part of its line. Leading and trailing CR/LF characters are dropped first. Never empty: an
// empty text (or one made only of CR and LF) yields one empty line.
std::vector<std::string> SplitLines(std::string_view text);

// Calls visit(line) for each line SplitLines would return, as views into `text`, without
// copying: the census walks a million-line table this way.
template <class Visit>
void ForEachLine(std::string_view text, Visit&& visit);

// True for exactly four decimal numbers 0..255 (one to three digits each) joined by dots.
bool IsDottedIPv4(std::string_view text) noexcept;

// The text without terminal cursor sequences (ESC "[" digits or ";" then a letter), which
// routers send to erase a pager prompt.
std::string StripCursorSequences(std::string_view text);

// The trimmed text before the first blank, and the trimmed text after it. Without a blank the
// head is empty and the tail is the text unchanged. Both are views into `text`.
std::string_view HeadBeforeBlank(std::string_view text) noexcept;
std::string_view TailAfterBlank(std::string_view text) noexcept;

// Widens ASCII to UTF-16 for the window layer; other bytes become U+FFFD.
std::wstring WidenAscii(std::string_view text);

template <class Visit>
void ForEachLine(std::string_view text, Visit&& visit) {
    const auto lineEnd = [](char c) { return c == '\r' || c == '\n'; };
    while (!text.empty() && lineEnd(text.front())) text.remove_prefix(1);
    // Trailing line ends go one character at a time. Dropping them in pairs, as a plain
    // "remove the final CR LF" would, eats the last real character when the text ends in a
    // lone LF or CR (SplitLinesTest.TrailingLoneLineFeedKeepsLastCharacter).
    while (!text.empty() && lineEnd(text.back())) text.remove_suffix(1);
    // Lines end exactly at CR LF pairs; a lone CR or LF stays part of its line. memchr is much
    // faster than a two-character search on a million-line table (bench_census_pipeline).
    for (std::size_t from = 0;;) {
        const void* hit = std::memchr(text.data() + from, '\r', text.size() - from);
        if (!hit) break;
        const std::size_t cr = static_cast<std::size_t>(static_cast<const char*>(hit) - text.data());
        if (cr + 1 < text.size() && text[cr + 1] == '\n') {
            visit(text.substr(0, cr));
            text.remove_prefix(cr + 2);
            from = 0;
        } else {
            from = cr + 1;
        }
    }
    visit(text);
}

}  // namespace router
