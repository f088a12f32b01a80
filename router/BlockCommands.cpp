#include "router/BlockCommands.h"

#include "router/Ledger.h"
#include "router/Login.h"
#include "router/RouterText.h"

namespace router {

bool DialectLogin(int dialect, const std::string& host, int& session, const std::string& userName,
                  const std::string& password, const std::string& privilegePassword,
                  const TTelnetBinding& telnet) {
    if (dialect == 0) return CiscoLogin(host, session, userName, password, privilegePassword, telnet);
    if (dialect == 1) return HuaweiLogin(host, session, userName, password, privilegePassword, telnet);
    return false;
}

bool DialectLogout(int dialect, const std::string& host, int session, const TTelnetBinding& telnet) {
    if (dialect == 0) return CiscoLogout(host, session, telnet);
    if (dialect == 1) return HuaweiLogout(host, session, telnet);
    return false;
}

bool DialectNullRoute(int dialect, const std::string& host, int session, TRouteMode mode,
                      const std::string& target, const TTelnetBinding& telnet) {
    if (dialect == 0) return CiscoNullRoute(host, session, mode, target, kHostMask, kNullNextHop, telnet);
    if (dialect == 1) return HuaweiNullRoute(host, session, mode, target, kHostMask, kNullNextHop, telnet);
    return false;
}

TBlockResult BlockHosts(int dialect, const std::string& host, int session,
                        const std::vector<std::string>& blockList, const std::filesystem::path& ledger,
                        const TTelnetBinding& telnet) {
    // Nothing to cut off is not a success: no route changes, and no empty record that a later
    // restore would turn into a bogus "undo" line (BlockCommandsTest.EmptyListChangesNothing).
    if (blockList.empty()) return brNothingToBlock;
    bool routed = false;
    for (const std::string& address : blockList)
        routed = DialectNullRoute(dialect, host, session, rmAdd, address, telnet);
    if (!routed) return brRouteFailed;
    // The routes are in place by now; a record that cannot be written means a later restore
    // will not know them, so the user must hear of it.
    return AppendLedger(ledger, LedgerRecordText(blockList)) ? brBlocked : brLedgerFailed;
}

bool RestoreHosts(int dialect, const std::string& host, int session, const std::filesystem::path& ledger,
                  std::vector<std::string>& blockList, const TTelnetBinding& telnet) {
    // The ledger is a file anyone may edit: blank lines and anything but an address are skipped.
    blockList.clear();
    for (std::string& line : ReadLedger(ledger).value_or(std::vector<std::string>{})) {
        std::string address = TrimBlanks(line);
        if (IsDottedIPv4(address)) blockList.push_back(std::move(address));
    }
    bool restored = false;
    for (const std::string& address : blockList)
        restored = DialectNullRoute(dialect, host, session, rmRemove, address, telnet);
    if (restored) DeleteLedger(ledger);
    return restored;
}

std::vector<std::string> ManualTarget(std::string_view typedAddress) {
    std::string address = TrimBlanks(typedAddress);
    if (!IsDottedIPv4(address)) return {};
    return {address};
}

}  // namespace router
