#include "CommandLine.h"

#include <cctype>

namespace routersim {

std::string TrimBlanks(const std::string& text) {
    size_t b = 0, e = text.size();
    while (b < e && static_cast<unsigned char>(text[b]) <= ' ') ++b;
    while (e > b && static_cast<unsigned char>(text[e - 1]) <= ' ') --e;
    return text.substr(b, e - b);
}

std::vector<std::string> SplitWords(const std::string& text) {
    std::vector<std::string> words;
    std::string word;
    for (char c : text) {
        if (static_cast<unsigned char>(c) <= ' ') {
            if (!word.empty()) words.push_back(std::move(word));
            word.clear();
        } else {
            word.push_back(c);
        }
    }
    if (!word.empty()) words.push_back(std::move(word));
    return words;
}

static bool IsAbbreviation(const std::string& word, const std::string& keyword) {
    if (word.empty() || word.size() > keyword.size()) return false;
    for (size_t i = 0; i < word.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(word[i])) != keyword[i]) return false;
    return true;
}

bool MatchesKeywords(const std::vector<std::string>& words, const std::vector<std::string>& keywords,
                     size_t first) {
    if (words.size() != first + keywords.size()) return false;
    for (size_t i = 0; i < keywords.size(); ++i)
        if (!IsAbbreviation(words[first + i], keywords[i])) return false;
    return true;
}

std::optional<unsigned long> ParseDottedQuad(const std::string& text) {
    unsigned long value = 0;
    int parts = 0;
    size_t i = 0;
    while (parts < 4) {
        size_t start = i;
        unsigned long part = 0;
        while (i < text.size() && i - start < 3 && std::isdigit(static_cast<unsigned char>(text[i])))
            part = part * 10 + static_cast<unsigned long>(text[i++] - '0');
        if (i == start || part > 255) return std::nullopt;
        value = (value << 8) | part;
        if (++parts < 4) {
            if (i >= text.size() || text[i] != '.') return std::nullopt;
            ++i;
        }
    }
    if (i != text.size()) return std::nullopt;
    return value;
}

std::string FormatDottedQuad(unsigned long value) {
    return std::to_string((value >> 24) & 255) + "." + std::to_string((value >> 16) & 255) + "." +
           std::to_string((value >> 8) & 255) + "." + std::to_string(value & 255);
}

static bool IsNullInterface(const std::vector<std::string>& words, size_t at) {
    auto lower = [](std::string s) {
        for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return s;
    };
    if (words.size() == at + 2) return lower(words[at]) == "null" && words[at + 1] == "0";
    if (words.size() == at + 1) return lower(words[at]) == "null0";
    return false;
}

std::optional<RouteArgs> ParseNullRouteArgs(const std::vector<std::string>& words, size_t first) {
    if (words.size() < first + 3) return std::nullopt;
    auto address = ParseDottedQuad(words[first]);
    auto mask = ParseDottedQuad(words[first + 1]);
    if (!address || !mask || !IsNullInterface(words, first + 2)) return std::nullopt;
    return RouteArgs{*address, *mask};
}

}  // namespace routersim
