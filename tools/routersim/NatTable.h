// The simulated NAT table: which inside hosts hold how many sessions, and the listing a
// router prints for it in each dialect.
#pragma once

#include "SimConfig.h"

#include <string>
#include <vector>

namespace routersim {

// Upper bounds that keep a mistyped table description from exhausting memory.
inline constexpr long kMaxNatSessions = 500000;
inline constexpr int kMaxNatHosts = 64768;

// Inside address of generated host number index (0-based): 192.168.0.2, 192.168.0.3, ...
std::string GeneratedHostAddress(int index);

// Spreads `sessions` over `hosts` hosts; host i gets a share proportional to 1 / (i+1)^skew
// (skew 0: even), so host 0 holds the most. Deterministic. Empty when the numbers are out
// of bounds.
std::vector<NatHost> GenerateNatHosts(long sessions, int hosts, double skew);

// "addr=count,addr=count,...": an explicit table. False (with a reason) on malformed text,
// a negative count or totals beyond the bounds.
bool ParseHostCounts(const std::string& text, std::vector<NatHost>* out, std::string* error);

// The listing lines (without line ends) for "display nat sess" (Huawei) or
// "show ip nat tran" (Cisco). Rows are interleaved: one session of every host that still
// has some, round after round, so hosts first appear in the order given.
std::vector<std::string> NatListing(Dialect dialect, const std::vector<NatHost>& hosts);

}  // namespace routersim
