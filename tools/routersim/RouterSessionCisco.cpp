// The Cisco command set of the simulated router.
#include "CommandLine.h"
#include "NatTable.h"
#include "RouterSession.h"

namespace routersim {

void RouterSession::CiscoCommand(const std::vector<std::string>& words) {
    const bool privileged = stage_ == Stage::Privileged;
    if (stage_ == Stage::Config) {
        if (MatchesKeywords(words, {"exit"}) || MatchesKeywords(words, {"end"})) {
            stage_ = Stage::Privileged;
            EmitPrompt();
        } else if (words.size() > 2 && MatchesKeywords({words[0], words[1]}, {"ip", "route"})) {
            CiscoRoute(words, false);
        } else if (words.size() > 3 && MatchesKeywords({words[0], words[1], words[2]}, {"no", "ip", "route"})) {
            CiscoRoute(words, true);
        } else {
            InvalidInput();
        }
        return;
    }
    if (MatchesKeywords(words, {"exit"}) || MatchesKeywords(words, {"logout"}) ||
        MatchesKeywords(words, {"quit"})) {
        Logout();
    } else if (MatchesKeywords(words, {"enable"})) {
        if (privileged || config_.enablePassword.empty()) {
            stage_ = Stage::Privileged;
            EmitPrompt();
        } else {
            stage_ = Stage::PrivilegePassword;
            Emit("Password: ");
        }
    } else if (MatchesKeywords(words, {"disable"})) {
        stage_ = Stage::User;
        EmitPrompt();
    } else if (MatchesKeywords(words, {"show", "ip", "nat", "translations"})) {
        StartListing(NatListing(Dialect::Cisco, config_.natHosts));
    } else if (privileged && MatchesKeywords(words, {"configure", "terminal"})) {
        stage_ = Stage::Config;
        Emit("Enter configuration commands, one per line.  End with CNTL/Z.\r\n");
        EmitPrompt();
    } else if (privileged && (MatchesKeywords(words, {"write"}) || MatchesKeywords(words, {"write", "memory"}))) {
        // A slow device reports at once that it started and only later that it is done.
        Emit("Building configuration...\r\n");
        Emit("[OK]\r\n", config_.saveDelayMs);
        EmitPrompt();
    } else {
        InvalidInput();
    }
}

void RouterSession::CiscoRoute(const std::vector<std::string>& words, bool remove) {
    auto route = ParseNullRouteArgs(words, remove ? 3 : 2);
    if (!route) {
        InvalidInput();
        return;
    }
    if ((route->address & ~route->mask & 0xFFFFFFFFul) != 0) Emit("%Inconsistent address and mask\r\n");
    else if (remove && !state_.RemoveNullRoute(route->Key())) Emit("%No matching route to delete\r\n");
    else if (!remove) state_.AddNullRoute(route->Key());
    EmitPrompt();
}

}  // namespace routersim
