#pragma once
// Text helpers of the router dialogue. Router output and ledger lines are byte strings in the
// system code page; the routers send ASCII, so bytes and characters coincide.

#include <string>
#include <string_view>
#include <vector>

namespace router {

// Removes every character of code 32 and below at both ends.
std::string TrimBlanks(std::string_view text);

bool EndsWith(std::string_view text, std::string_view tail) noexcept;
bool StartsWith(std::string_view text, std::string_view head) noexcept;

// Router output to lines, cut exactly at each CR LF pair; a lone CR or LF inside the text stays
// part of its line. Leading and trailing CR/LF characters are dropped first. Never empty: an
// empty text (or one made only of CR and LF) yields one empty line.
std::vector<std::string> SplitLines(std::string_view text);

// True for exactly four decimal numbers 0..255 (one to three digits each) joined by dots.
bool IsDottedIPv4(std::string_view text) noexcept;

// The text without terminal cursor sequences (ESC "[" digits or ";" then a letter), which
// routers send to erase a pager prompt.
std::string StripCursorSequences(std::string_view text);

// The trimmed text before the first blank, and the trimmed text after it. Without a blank the
// head is empty and the tail is the text unchanged.
std::string HeadBeforeBlank(std::string_view text);
std::string TailAfterBlank(std::string_view text);

// Widens ASCII to UTF-16 for the window layer; other bytes become U+FFFD.
std::wstring WidenAscii(std::string_view text);

}  // namespace router
