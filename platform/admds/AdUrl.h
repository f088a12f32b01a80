#pragma once
// Which variant of the house ad a panel shows, derived from the URL the program hands over.
// The URL is only read, never fetched: its MDS value (or, without one, the whole text) is
// hashed so that every panel keeps the same look from run to run. Portable, no windows.h.
#include <cstdint>
#include <string_view>

namespace admds {

inline constexpr unsigned kTaglineCount = 6;
inline constexpr unsigned kThemeCount = 3;
// Longest URL text read; anything after it is ignored (the caller's text may be unterminated
// garbage, and nothing of value lies that far out in a real advertisement URL).
inline constexpr std::size_t kMaxUrlLength = 2048;

struct TAdVariant {
    std::uint32_t Hash = 0;
    unsigned Tagline = 0;   // index into the tagline table, < kTaglineCount
    unsigned Theme = 0;     // index into the colour themes, < kThemeCount
};

// The value of query parameter `key` (compared case-insensitively); empty when the URL has no
// query or no such parameter. A view into `url`.
std::string_view FindQueryValue(std::string_view url, std::string_view key) noexcept;

// The variant for a NUL-terminated URL text; nullptr gives variant 0.
TAdVariant AdVariantFromUrl(const char* url) noexcept;

}  // namespace admds
