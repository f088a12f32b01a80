#include "router/BlockCommands.h"

#include "router/Ledger.h"
#include "router/Login.h"
#include "router/RouterText.h"

namespace router {

bool DialectLogin(TDialect dialect, const std::string& host, int& session, const std::string& userName,
                  const std::string& password, const std::string& privilegePassword,
                  const TTelnetBinding& telnet) {
    if (dialect == TDialect::dlCisco) return CiscoLogin(host, session, userName, password, privilegePassword, telnet);
    if (dialect == TDialect::dlHuawei) return HuaweiLogin(host, session, userName, password, privilegePassword, telnet);
    return false;
}

bool DialectLogout(TDialect dialect, const std::string& host, int session, const TTelnetBinding& telnet) {
    if (dialect == TDialect::dlCisco) return CiscoLogout(host, session, telnet);
    if (dialect == TDialect::dlHuawei) return HuaweiLogout(host, session, telnet);
    return false;
}

TRouteChange DialectNullRoute(TDialect dialect, const std::string& host, int session, TRouteMode mode,
                              const std::string& target, const TTelnetBinding& telnet) {
    if (dialect == TDialect::dlCisco)
        return CiscoRouteChange(host, session, mode, target, kHostMask, kNullNextHop, telnet);
    if (dialect == TDialect::dlHuawei)
        return HuaweiRouteChange(host, session, mode, target, kHostMask, kNullNextHop, telnet);
    return TRouteChange::rcNotSent;
}

TBlockResult BlockHosts(TDialect dialect, const std::string& host, int session,
                        const std::vector<std::string>& blockList, const std::filesystem::path& ledger,
                        const TTelnetBinding& telnet, std::vector<std::string>* cutOff) {
    // Nothing to cut off is not a success: no route changes, and no empty record that a later
    // restore would turn into a bogus "undo" line (BlockCommandsTest.EmptyListChangesNothing).
    if (blockList.empty()) return brNothingToBlock;
    // Every host whose route line went out is recorded, also when the router hung up before
    // confirming it: an "undo" of a route that never came costs nothing, a blocked host that
    // no record names stays cut off for good. After the first failure nothing more is sent.
    std::vector<std::string> sent;
    bool allDone = true;
    for (const std::string& address : blockList) {
        const TRouteChange change = DialectNullRoute(dialect, host, session, rmAdd, address, telnet);
        if (change != TRouteChange::rcNotSent) sent.push_back(address);
        if (change != TRouteChange::rcDone) {
            allDone = false;
            break;
        }
    }
    if (cutOff) *cutOff = sent;
    // The routes are in place by now; a record that cannot be written means a later restore
    // will not know them, so the user must hear of it.
    if (!sent.empty() && !AppendLedger(ledger, LedgerRecordText(sent))) return brLedgerFailed;
    return allDone ? brBlocked : brRouteFailed;
}

bool RestoreHosts(TDialect dialect, const std::string& host, int session, const std::filesystem::path& ledger,
                  std::vector<std::string>& blockList, const TTelnetBinding& telnet) {
    // The ledger is a file anyone may edit: blank lines and anything but an address are skipped.
    blockList.clear();
    for (std::string& line : ReadLedger(ledger).value_or(std::vector<std::string>{})) {
        std::string address = TrimBlanks(line);
        if (IsDottedIPv4(address)) blockList.push_back(std::move(address));
    }
    if (blockList.empty()) return false;
    std::size_t restored = 0;
    while (restored < blockList.size() &&
           DialectNullRoute(dialect, host, session, rmRemove, blockList[restored], telnet) == TRouteChange::rcDone)
        ++restored;
    if (restored == blockList.size()) {
        DeleteLedger(ledger);  // a failed deletion is ignored
        return true;
    }
    // The hosts from the first failure on are still cut off (or may be): the ledger keeps
    // exactly them. Should the rewrite fail, the old ledger stays, which names them too.
    RewriteLedger(ledger, std::vector<std::string>(blockList.begin() + static_cast<std::ptrdiff_t>(restored),
                                                   blockList.end()));
    return false;
}

std::vector<std::string> ManualTarget(std::string_view typedAddress) {
    std::string address = TrimBlanks(typedAddress);
    if (!IsDottedIPv4(address)) return {};
    return {address};
}

}  // namespace router
