#pragma once
// The router commands behind the window's buttons, without the window: the dialect dispatch,
// blocking, restoring and the manual target. The window keeps asking, the messages and the
// automatic-mode flags. A dialect value that is no dialect sends nothing and fails.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "router/Dialect.h"
#include "router/NullRoute.h"
#include "router/TelnetBinding.h"

namespace router {

bool DialectLogin(TDialect dialect, const std::string& host, int& session, const std::string& userName,
                  const std::string& password, const std::string& privilegePassword,
                  const TTelnetBinding& telnet = TelnetBinding());
bool DialectLogout(TDialect dialect, const std::string& host, int session,
                   const TTelnetBinding& telnet = TelnetBinding());
TRouteChange DialectNullRoute(TDialect dialect, const std::string& host, int session, TRouteMode mode,
                              const std::string& target, const TTelnetBinding& telnet = TelnetBinding());

enum TBlockResult : int {
    brBlocked,         // routes sent and the record appended to the ledger
    brNothingToBlock,  // empty block list: no route change, nothing written
    brRouteFailed,     // a route change failed (line not sent, session lost): the hosts before
                       // it, and it if its route line went out, are recorded; nothing after it
                       // was sent
    brLedgerFailed,    // routes sent, but the record could not be written
};

// Cut off the hosts of blockList in order (host route to "null 0") until one fails, then
// append one ledger record of every host whose route line went out. Only brBlocked is a
// success. cutOff, when given, receives those hosts.
TBlockResult BlockHosts(TDialect dialect, const std::string& host, int session,
                        const std::vector<std::string>& blockList, const std::filesystem::path& ledger,
                        const TTelnetBinding& telnet = TelnetBinding(), std::vector<std::string>* cutOff = nullptr);

// Replace blockList with the ledger's addresses (a missing or unreadable ledger gives none) and
// remove the route of each, in order, until one fails. Succeeds when every removal was done;
// the ledger is then deleted (a failed deletion is ignored). Otherwise the ledger is rewritten
// to hold exactly the hosts not restored, and the result is a failure; an empty list is a
// failure that leaves the ledger alone.
bool RestoreHosts(TDialect dialect, const std::string& host, int session, const std::filesystem::path& ledger,
                  std::vector<std::string>& blockList, const TTelnetBinding& telnet = TelnetBinding());

// The block list of the manual target: the typed address, trimmed, and nothing else; empty when
// the text is not a dotted IPv4 address.
std::vector<std::string> ManualTarget(std::string_view typedAddress);

}  // namespace router
