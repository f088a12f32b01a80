#include "router/RouterText.h"

#include <cstring>

namespace router {

namespace {
bool IsBlankOrControl(char c) { return static_cast<unsigned char>(c) <= 32; }
}  // namespace

std::string_view TrimView(std::string_view text) noexcept {
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && IsBlankOrControl(text[first])) ++first;
    while (last > first && IsBlankOrControl(text[last - 1])) --last;
    return text.substr(first, last - first);
}

std::string TrimBlanks(std::string_view text) { return std::string(TrimView(text)); }

bool EndsWith(std::string_view text, std::string_view tail) noexcept {
    return text.size() >= tail.size() && text.substr(text.size() - tail.size()) == tail;
}

bool StartsWith(std::string_view text, std::string_view head) noexcept {
    return text.substr(0, head.size()) == head;
}

std::vector<std::string> SplitLines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t count = 1;
    for (const char *p = text.data(), *end = p + text.size();
         (p = static_cast<const char*>(std::memchr(p, '\n', static_cast<std::size_t>(end - p)))); ++p)
        ++count;
    lines.reserve(count);
    ForEachLine(text, [&](std::string_view line) { lines.emplace_back(line); });
    return lines;
}

std::string_view HeadBeforeBlank(std::string_view text) noexcept {
    const std::size_t blank = text.find(' ');
    return blank == std::string_view::npos ? std::string_view() : TrimView(text.substr(0, blank));
}

std::string_view TailAfterBlank(std::string_view text) noexcept {
    const std::size_t blank = text.find(' ');
    return blank == std::string_view::npos ? text : TrimView(text.substr(blank + 1));
}

std::wstring WidenAscii(std::string_view text) {
    std::wstring wide;
    wide.reserve(text.size());
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        wide.push_back(byte < 0x80 ? static_cast<wchar_t>(byte) : L'\xFFFD');
    }
    return wide;
}

bool IsDottedIPv4(std::string_view text) noexcept {
    int parts = 0;
    std::size_t i = 0;
    while (true) {
        std::size_t start = i;
        int value = 0;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9' && i - start < 3) value = value * 10 + (text[i++] - '0');
        if (i == start || value > 255) return false;
        if (++parts == 4) return i == text.size();
        if (i >= text.size() || text[i] != '.') return false;
        ++i;
    }
}

std::string StripCursorSequences(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\x1B' && i + 1 < text.size() && text[i + 1] == '[') {
            std::size_t j = i + 2;
            while (j < text.size() && ((text[j] >= '0' && text[j] <= '9') || text[j] == ';')) ++j;
            if (j < text.size() && ((text[j] >= 'A' && text[j] <= 'Z') || (text[j] >= 'a' && text[j] <= 'z'))) {
                i = j;
                continue;
            }
        }
        out += text[i];
    }
    return out;
}

}  // namespace router
