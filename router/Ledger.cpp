#include "router/Ledger.h"

#include <fstream>
#include <system_error>

#include "router/RouterText.h"

namespace router {

std::string LedgerRecordText(const std::vector<std::string>& blockList) {
    std::string text;
    for (const std::string& address : blockList) text += address + "\r\n";
    return TrimBlanks(text);
}

bool AppendLedger(const std::filesystem::path& ledger, std::string_view text) {
    std::ofstream file(ledger, std::ios::binary | std::ios::app);
    if (!file) return false;
    file.write(text.data(), static_cast<std::streamsize>(text.size()));
    file.write("\r\n", 2);
    file.close();
    return !file.fail();
}

std::vector<std::string> LedgerLines(std::string_view content) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < content.size(); ++i) {
        if (content[i] != '\r' && content[i] != '\n') continue;
        lines.emplace_back(content.substr(start, i - start));
        if (content[i] == '\r' && i + 1 < content.size() && content[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (start < content.size()) lines.emplace_back(content.substr(start));
    return lines;
}

std::optional<std::vector<std::string>> ReadLedger(const std::filesystem::path& ledger) {
    std::ifstream file(ledger, std::ios::binary);
    if (!file) return std::nullopt;
    // Read at most one block past the limit: enough to tell an oversized file, whatever size
    // the directory entry claims.
    std::string content;
    char block[65536];
    while (file && content.size() <= kMaxLedgerBytes) {
        file.read(block, sizeof block);
        content.append(block, static_cast<std::size_t>(file.gcount()));
    }
    if (file.bad() || content.size() > kMaxLedgerBytes) return std::nullopt;
    return LedgerLines(content);
}

bool RewriteLedger(const std::filesystem::path& ledger, const std::vector<std::string>& addresses) {
    std::filesystem::path fresh = ledger;
    fresh += ".new";
    {
        std::ofstream file(fresh, std::ios::binary | std::ios::trunc);
        if (!file) return false;
        for (const std::string& address : addresses) file << address << "\r\n";
        file.close();
        if (file.fail()) {
            std::error_code ignored;
            std::filesystem::remove(fresh, ignored);
            return false;
        }
    }
    // Replaced in one step, so a failure half-way never leaves a ledger that names fewer hosts.
    std::error_code error;
    std::filesystem::rename(fresh, ledger, error);
    if (error) std::filesystem::remove(fresh, error);
    return !error;
}

bool DeleteLedger(const std::filesystem::path& ledger) {
    std::error_code error;
    return std::filesystem::remove(ledger, error);
}

}  // namespace router
