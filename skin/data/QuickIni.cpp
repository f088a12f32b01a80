#include "QuickIni.h"

#include <algorithm>

namespace {

bool IsBlank(char c) noexcept { return static_cast<unsigned char>(c) <= ' '; }

std::string_view Trim(std::string_view s) noexcept {
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    return s;
}

char LowerAscii(char c) noexcept { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + ('a' - 'A')) : c; }

std::string LowerAscii(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = LowerAscii(c);
    return out;
}

bool SameText(std::string_view a, std::string_view b) noexcept {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return LowerAscii(x) == LowerAscii(y); });
}

bool IsHeader(std::string_view line) noexcept { return line.size() >= 2 && line.front() == '[' && line.back() == ']'; }

int HexDigit(char c) noexcept {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

bool TryIniInteger(std::string_view text, std::int32_t& value) noexcept {
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    const bool hex = !text.empty() && text.front() == '$';
    if (hex) text.remove_prefix(1);
    if (text.empty()) return false;

    std::uint64_t magnitude = 0;
    for (char c : text) {
        const int digit = hex ? HexDigit(c) : (c >= '0' && c <= '9' ? c - '0' : -1);
        if (digit < 0) return false;
        magnitude = magnitude * (hex ? 16 : 10) + static_cast<unsigned>(digit);
        if (magnitude > 0xFFFFFFFFull) return false;
    }
    if (hex) {
        // Hexadecimal covers the full 32 bits, so $FFFFFFFF is -1.
        const auto bits = static_cast<std::uint32_t>(negative ? 0u - magnitude : magnitude);
        value = static_cast<std::int32_t>(bits);
        return true;
    }
    const std::int64_t signedValue = negative ? -static_cast<std::int64_t>(magnitude) : static_cast<std::int64_t>(magnitude);
    if (signedValue < INT32_MIN || signedValue > INT32_MAX) return false;
    value = static_cast<std::int32_t>(signedValue);
    return true;
}

void TQuickIni::Load(std::span<const std::uint8_t> bytes) {
    Load(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

void TQuickIni::Load(std::string_view text) {
    FLines.clear();
    FSections.clear();
    text = text.substr(0, std::min(text.find('\0'), text.size()));
    std::size_t i = 0;
    while (i < text.size()) {
        std::size_t end = i;
        while (end < text.size() && text[end] != '\r' && text[end] != '\n') ++end;
        const std::string_view line = Trim(text.substr(i, end - i));
        if (end < text.size() && text[end] == '\r') ++end;
        if (end < text.size() && text[end] == '\n') ++end;
        i = end;

        if (line.empty() || line.front() == ';') continue;
        if (IsHeader(line)) FSections.push_back({std::string(line), FLines.size()});
        FLines.emplace_back(line);
    }
}

const TQuickIni::TSectionRef* TQuickIni::FindSection(std::string_view name) const {
    std::string header;
    header.reserve(name.size() + 2);
    header.append(1, '[').append(name).append(1, ']');
    for (const TSectionRef& s : FSections) {
        if (SameText(s.Header, header)) return &s;
    }
    return nullptr;
}

std::string TQuickIni::ReadString(std::string_view section, std::string_view key, std::string_view defaultValue) const {
    std::string result(defaultValue);
    const TSectionRef* found = FindSection(section);
    if (found == nullptr) return result;

    const std::string wanted = LowerAscii(key);
    for (std::size_t i = found->Line + 1; i < FLines.size(); ++i) {
        const std::string_view line = FLines[i];
        if (IsHeader(line)) break;
        const std::size_t eq = line.find('=');
        // A line without "=" has an empty key, so it can only answer an empty key.
        const std::string_view lineKey = eq == std::string_view::npos ? std::string_view() : Trim(line.substr(0, eq));
        if (LowerAscii(lineKey) != wanted) continue;
        const std::string_view value = eq == std::string_view::npos ? std::string_view() : Trim(line.substr(eq + 1));
        // The first line of the key decides; an empty value keeps the default.
        if (!value.empty()) result.assign(value);
        break;
    }
    return result;
}

std::int32_t TQuickIni::ReadInteger(std::string_view section, std::string_view key, std::int32_t defaultValue) const {
    std::string text = ReadString(section, key, "");
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) text.replace(0, 2, "$");
    std::int32_t value = 0;
    return TryIniInteger(text, value) ? value : defaultValue;
}

void TQuickIni::ReadSections(std::vector<std::string>& strings) const {
    strings.clear();
    strings.reserve(FSections.size());
    for (const TSectionRef& s : FSections) {
        strings.emplace_back(Trim(std::string_view(s.Header).substr(1, s.Header.size() - 2)));
    }
}
