#include "ListingJunk.h"

namespace routersim {

// Every byte value but CR, LF, the blank and the printable ASCII range: a line with no
// field separator, no digit and no colon.
static std::string BinaryLine() {
    std::string line;
    for (int b = 0; b < 256; ++b)
        if (b != '\r' && b != '\n' && (b < 0x20 || b > 0x7E)) line.push_back(static_cast<char>(b));
    return line;
}

static std::string EscapeLine() {
    return "\x1b[2K\x1b[1;31m\x1b[7m\x1b[0m\x1b[?25l\x1b[10;1H\x1b[K\x1b[?25h\x1b[42D\x1b" "7\x1b" "8";
}

std::vector<std::string> JunkLines(const SimConfig& config) {
    std::vector<std::string> junk;
    if (config.junkBinary) junk.push_back(BinaryLine());
    if (config.junkLongLine) junk.emplace_back(kJunkLongLineBytes, 'x');
    if (config.junkEscapes) junk.push_back(EscapeLine());
    return junk;
}

void AddListingJunk(const SimConfig& config, std::vector<std::string>* lines) {
    std::vector<std::string> junk = JunkLines(config);
    if (junk.empty()) return;
    // Huawei rows come in pairs (the session line and its detail line); keep them together.
    size_t at = lines->size() / 2;
    if (config.dialect == Dialect::Huawei && at >= 3 && (at - 3) % 2 == 1) ++at;
    lines->insert(lines->begin() + static_cast<std::ptrdiff_t>(at), junk.begin(), junk.end());
}

}  // namespace routersim
