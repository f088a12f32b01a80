#pragma once
// The router commands behind the window's buttons, without the window: the dialect dispatch,
// blocking, restoring and the manual target. The window keeps asking, the messages and the
// automatic-mode flags. Dialect: 0 Cisco, 1 Huawei; any other value sends nothing and fails.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "router/NullRoute.h"
#include "router/TelnetBinding.h"

namespace router {

bool DialectLogin(int dialect, const std::string& host, int& session, const std::string& userName,
                  const std::string& password, const std::string& privilegePassword,
                  const TTelnetBinding& telnet = TelnetBinding());
bool DialectLogout(int dialect, const std::string& host, int session,
                   const TTelnetBinding& telnet = TelnetBinding());
bool DialectNullRoute(int dialect, const std::string& host, int session, TRouteMode mode,
                      const std::string& target, const TTelnetBinding& telnet = TelnetBinding());

enum TBlockResult : int {
    brBlocked,         // routes sent and the record appended to the ledger
    brNothingToBlock,  // empty block list: no route change, nothing written
    brRouteFailed,     // the last route change failed (unknown dialect): nothing written
    brLedgerFailed,    // routes sent, but the record could not be written
};

// Cut off every host of blockList in order (host route to "null 0"), then append one ledger
// record of them. Only brBlocked is a success.
TBlockResult BlockHosts(int dialect, const std::string& host, int session,
                        const std::vector<std::string>& blockList, const std::filesystem::path& ledger,
                        const TTelnetBinding& telnet = TelnetBinding());

// Replace blockList with the ledger's lines (a missing or unreadable ledger gives none) and
// remove the route of each, in order. Succeeds when the last removal did; an empty list is a
// failure. On success the ledger is deleted (a failed deletion is ignored).
bool RestoreHosts(int dialect, const std::string& host, int session, const std::filesystem::path& ledger,
                  std::vector<std::string>& blockList, const TTelnetBinding& telnet = TelnetBinding());

// The block list of the manual target: the typed address, trimmed, and nothing else; empty when
// the text is not a dotted IPv4 address.
std::vector<std::string> ManualTarget(std::string_view typedAddress);

}  // namespace router
