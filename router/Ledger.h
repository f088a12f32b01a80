#pragma once
// The blocked-host ledger: one record per block, one address per line, beside the executable.
// The app passes the full path (exe folder + kLedgerFileName).

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace router {

inline constexpr char kLedgerFileName[] = "cctdlsc.txt";
// A larger file is treated as unreadable rather than loaded.
inline constexpr std::uintmax_t kMaxLedgerBytes = std::uintmax_t{16} << 20;

// One block's record text: the addresses joined by CR LF, the whole trimmed (so blank first or
// last entries vanish), without a final line end.
std::string LedgerRecordText(const std::vector<std::string>& blockList);

// Appends text and CR LF, creating the file when it does not exist. False when the file cannot
// be opened or the write does not complete.
bool AppendLedger(const std::filesystem::path& ledger, std::string_view text);

// The lines of a ledger's content: CR LF, a lone LF and a lone CR each end a line; a final line
// without a line end counts; an empty content has no lines.
std::vector<std::string> LedgerLines(std::string_view content);

// The ledger's lines; no value when the file is missing, unreadable or too large.
std::optional<std::vector<std::string>> ReadLedger(const std::filesystem::path& ledger);

// Replaces the ledger with these addresses, each followed by CR LF (the format the records
// append). False, leaving the old ledger as it was, when the new one cannot be written.
bool RewriteLedger(const std::filesystem::path& ledger, const std::vector<std::string>& addresses);

// True when the file was removed.
bool DeleteLedger(const std::filesystem::path& ledger);

}  // namespace router
