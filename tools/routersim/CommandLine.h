// Reading a router command line: words, keyword abbreviations and route arguments.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace routersim {

std::string TrimBlanks(const std::string& text);
std::vector<std::string> SplitWords(const std::string& text);

// Each word is a non-empty, case-insensitive abbreviation of the keyword at its place,
// and there are as many words as keywords ("sh ip nat tran" matches show ip nat translations).
bool MatchesKeywords(const std::vector<std::string>& words, const std::vector<std::string>& keywords,
                     size_t first = 0);

// "a.b.c.d" in canonical form, or nothing for anything else.
std::optional<unsigned long> ParseDottedQuad(const std::string& text);
std::string FormatDottedQuad(unsigned long value);

// The arguments of a null route after the route keywords: "A M null 0" (also "NULL0").
struct RouteArgs {
    unsigned long address = 0;
    unsigned long mask = 0;
    std::string Key() const { return FormatDottedQuad(address) + " " + FormatDottedQuad(mask); }
};
std::optional<RouteArgs> ParseNullRouteArgs(const std::vector<std::string>& words, size_t first);

}  // namespace routersim
