#include "AdUrl.h"

#include <cstring>

namespace admds {

namespace {

char LowerAscii(char c) noexcept { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualsNoCase(std::string_view a, std::string_view b) noexcept {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
    return true;
}

// FNV-1a over the lower-cased text: "MDS=ABC" and "mds=abc" name the same slot.
std::uint32_t HashNoCase(std::string_view text) noexcept {
    std::uint32_t h = 2166136261u;
    for (char c : text) {
        h ^= static_cast<unsigned char>(LowerAscii(c));
        h *= 16777619u;
    }
    return h;
}

}  // namespace

std::string_view FindQueryValue(std::string_view url, std::string_view key) noexcept {
    std::size_t query = url.find('?');
    if (query == std::string_view::npos) return {};
    std::string_view rest = url.substr(query + 1);
    rest = rest.substr(0, rest.find('#'));   // a fragment is not part of the query
    while (!rest.empty()) {
        std::size_t amp = rest.find('&');
        std::string_view pair = rest.substr(0, amp);
        std::size_t eq = pair.find('=');
        if (eq != std::string_view::npos && EqualsNoCase(pair.substr(0, eq), key))
            return pair.substr(eq + 1);
        if (amp == std::string_view::npos) break;
        rest.remove_prefix(amp + 1);
    }
    return {};
}

TAdVariant AdVariantFromUrl(const char* url) noexcept {
    TAdVariant v;
    if (url == nullptr) return v;
    std::string_view text(url, ::strnlen(url, kMaxUrlLength));
    std::string_view mds = FindQueryValue(text, "MDS");
    v.Hash = HashNoCase(mds.empty() ? text : mds);
    // Tagline and theme come from different bits so that neighbouring panels rarely share both.
    v.Tagline = v.Hash % kTaglineCount;
    v.Theme = (v.Hash >> 16) % kThemeCount;
    return v;
}

}  // namespace admds
