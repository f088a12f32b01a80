// The Huawei command set of the simulated router.
#include "CommandLine.h"
#include "NatTable.h"
#include "RouterSession.h"

namespace routersim {

void RouterSession::HuaweiCommand(const std::vector<std::string>& words) {
    const bool systemView = stage_ == Stage::Config;
    if (MatchesKeywords(words, {"quit"})) {
        if (!systemView) {
            Logout();
            return;
        }
        stage_ = Stage::User;
        EmitPrompt();
    } else if (systemView && MatchesKeywords(words, {"return"})) {
        stage_ = Stage::User;
        EmitPrompt();
    } else if (MatchesKeywords(words, {"display", "nat", "session"}) ||
               MatchesKeywords(words, {"display", "nat", "session", "all"})) {
        StartListing(NatListing(Dialect::Huawei, config_.natHosts));
    } else if (!systemView && MatchesKeywords(words, {"super"})) {
        if (privileged_ || config_.enablePassword.empty()) {
            privileged_ = true;
            Emit("  Now user privilege is 3 level, and only those commands whose level is equal to or less "
                 "than this level can be used.\r\n");
            EmitPrompt();
        } else {
            stage_ = Stage::PrivilegePassword;
            Emit("Password:");
        }
    } else if (privileged_ && !systemView && MatchesKeywords(words, {"system-view"})) {
        stage_ = Stage::Config;
        Emit("Enter system view, return user view with Ctrl+Z.\r\n");
        EmitPrompt();
    } else if (privileged_ && MatchesKeywords(words, {"write"})) {
        Emit(config_.huaweiWriteAnswer + "\r\n", config_.saveDelayMs);
        EmitPrompt();
    } else if (systemView && words.size() > 2 && MatchesKeywords({words[0], words[1]}, {"ip", "route-static"})) {
        HuaweiRoute(words, false);
    } else if (systemView && words.size() > 3 &&
               MatchesKeywords({words[0], words[1], words[2]}, {"undo", "ip", "route-static"})) {
        HuaweiRoute(words, true);
    } else {
        InvalidInput();
    }
}

void RouterSession::HuaweiRoute(const std::vector<std::string>& words, bool remove) {
    auto route = ParseNullRouteArgs(words, remove ? 3 : 2);
    if (!route) {
        InvalidInput();
        return;
    }
    if ((route->address & ~route->mask & 0xFFFFFFFFul) != 0)
        Emit("Error: The destination address and mask do not match.\r\n");
    else if (remove && !state_.RemoveNullRoute(route->Key()))
        Emit("Error: The route does not exist.\r\n");
    else if (!remove)
        state_.AddNullRoute(route->Key());
    EmitPrompt();
}

}  // namespace routersim
