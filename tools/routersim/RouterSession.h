// One telnet session's dialogue with the simulated router, free of sockets: lines go in,
// timed chunks of output come out. Login (optional user name, password, three attempts),
// the privilege step, the command set of the configured dialect, and paged listings.
#pragma once

#include "SimConfig.h"
#include "SimState.h"

#include <deque>
#include <string>
#include <vector>

namespace routersim {

// Output to send after waiting delayMs (the per-page delay, a slow save).
struct OutputChunk {
    std::string text;
    int delayMs = 0;
};

class RouterSession {
public:
    static constexpr int kLoginAttempts = 3;

    RouterSession(const SimConfig& config, SimState& state);

    // The banner and the first login prompt.
    void Start();
    // One line the client typed (without its line end). `echo`: the client lets us echo.
    void OnLine(const std::string& line, bool echo);
    std::vector<OutputChunk> TakeOutput();
    // The router ended the session (logout or too many failed logins).
    bool Finished() const { return finished_; }

    // Exact texts of the devices' pagers, and what they send to wipe the marker again.
    static const std::string& PagerMarker(Dialect dialect);
    static std::string EraseSequence(Dialect dialect);

private:
    enum class Stage { Username, Password, User, PrivilegePassword, Privileged, Config, Pager };

    void Emit(const std::string& text, int delayMs = 0);
    void EmitPrompt();
    std::string Prompt() const;
    void LoginLine(const std::string& line);
    void PrivilegeLine(const std::string& line);
    void PagerLine(const std::string& line);
    void StartListing(std::vector<std::string> lines);
    void EmitPage();
    void Command(const std::string& line);
    void CiscoCommand(const std::vector<std::string>& words);
    void HuaweiCommand(const std::vector<std::string>& words);
    void CiscoRoute(const std::vector<std::string>& words, bool remove);
    void HuaweiRoute(const std::vector<std::string>& words, bool remove);
    void InvalidInput();
    void Logout();

    const SimConfig& config_;
    SimState& state_;
    Stage stage_ = Stage::Password;
    Stage afterPager_ = Stage::User;
    bool privileged_ = false;   // Huawei: "super" succeeded (the prompt does not show it)
    int failedLogins_ = 0;
    std::string username_;
    std::deque<std::string> pending_;   // listing lines not shown yet
    int pagesShown_ = 0;                // pages of the current listing sent so far
    std::vector<OutputChunk> output_;
    bool finished_ = false;
};

}  // namespace routersim
