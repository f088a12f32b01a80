// Lines a listing should never hold but real devices sometimes print: raw binary bytes,
// one very long line, terminal escape sequences. None of them is a session row of either
// command set, so a correct count is the same with or without them.
#pragma once

#include "SimConfig.h"

#include <string>
#include <vector>

namespace routersim {

inline constexpr size_t kJunkLongLineBytes = 64 * 1024;

// The junk lines the configuration asks for, in the order binary, long line, escapes.
std::vector<std::string> JunkLines(const SimConfig& config);

// Puts the junk lines into the middle of a listing's lines (between two rows).
void AddListingJunk(const SimConfig& config, std::vector<std::string>* lines);

}  // namespace routersim
