#include "RouterSession.h"

#include "CommandLine.h"
#include "ListingJunk.h"
#include "NatTable.h"

namespace routersim {

namespace {
const std::string kHuaweiMarker = "  ---- More ----";
const std::string kCiscoMarker = " --More-- ";
}  // namespace

const std::string& RouterSession::PagerMarker(Dialect dialect) {
    return dialect == Dialect::Cisco ? kCiscoMarker : kHuaweiMarker;
}

std::string RouterSession::EraseSequence(Dialect dialect) {
    if (dialect == Dialect::Huawei) return "\x1b[42D" + std::string(42, ' ') + "\x1b[42D";
    const std::string back(kCiscoMarker.size(), '\b');
    return back + std::string(kCiscoMarker.size(), ' ') + back;
}

RouterSession::RouterSession(const SimConfig& config, SimState& state) : config_(config), state_(state) {}

void RouterSession::Emit(const std::string& text, int delayMs) {
    if (text.empty() && delayMs == 0) return;
    if (!output_.empty() && delayMs == 0) output_.back().text += text;
    else output_.push_back({text, delayMs});
}

std::vector<OutputChunk> RouterSession::TakeOutput() {
    std::vector<OutputChunk> out;
    out.swap(output_);
    return out;
}

std::string RouterSession::Prompt() const {
    const std::string name = config_.Hostname();
    const bool cisco = config_.dialect == Dialect::Cisco;
    switch (stage_) {
    case Stage::Privileged: return cisco ? name + "#" : "<" + name + ">";
    case Stage::Config: return cisco ? name + "(config)#" : "[" + name + "]";
    default: return cisco ? name + ">" : "<" + name + ">";
    }
}

// Prompts end the output without a line end, exactly as the devices leave the cursor.
void RouterSession::EmitPrompt() { Emit(Prompt()); }

static std::string LoginPrompt(Dialect dialect, bool username) {
    if (dialect == Dialect::Cisco) return username ? "Username: " : "Password: ";
    return username ? "Username:" : "Password:";
}

void RouterSession::Start() {
    stage_ = config_.usernamePrompt ? Stage::Username : Stage::Password;
    if (config_.dialect == Dialect::Cisco) Emit("\r\n\r\nUser Access Verification\r\n\r\n");
    else Emit("\r\n\r\n  Login authentication\r\n\r\n\r\n");
    Emit(LoginPrompt(config_.dialect, config_.usernamePrompt));
}

void RouterSession::OnLine(const std::string& line, bool echo) {
    if (finished_) return;
    switch (stage_) {
    case Stage::Username:
        if (echo) Emit(line);
        Emit("\r\n");
        username_ = line;
        stage_ = Stage::Password;
        Emit(LoginPrompt(config_.dialect, false));
        return;
    case Stage::Password: LoginLine(line); return;
    case Stage::PrivilegePassword: PrivilegeLine(line); return;
    case Stage::Pager: PagerLine(line); return;
    default:
        if (echo) Emit(line);
        Emit("\r\n");
        Command(TrimBlanks(line));
    }
}

// Passwords are not echoed; the device moves to a new line itself.
void RouterSession::LoginLine(const std::string& line) {
    const bool cisco = config_.dialect == Dialect::Cisco;
    const bool userOk = config_.username.empty() || username_ == config_.username;
    Emit("\r\n");
    if (userOk && line == config_.password) {
        stage_ = Stage::User;
        if (!cisco)
            Emit("  Info: The max number of VTY users is 5, and the number\r\n"
                 "        of current VTY users on line is 1.\r\n");
        EmitPrompt();
        return;
    }
    const bool last = ++failedLogins_ >= kLoginAttempts;
    if (cisco) {
        if (config_.usernamePrompt) Emit("% Login invalid\r\n\r\n");
        else if (last) Emit("% Bad passwords\r\n");
    } else {
        Emit("Error: Failed to authenticate.\r\n\r\n");
    }
    if (last) {
        finished_ = true;
        return;
    }
    stage_ = config_.usernamePrompt ? Stage::Username : Stage::Password;
    Emit(LoginPrompt(config_.dialect, config_.usernamePrompt));
}

// A wrong privilege password leaves the session at the lower level, at once.
void RouterSession::PrivilegeLine(const std::string& line) {
    Emit("\r\n");
    if (line == config_.enablePassword) {
        privileged_ = true;
        if (config_.dialect == Dialect::Cisco) {
            stage_ = Stage::Privileged;
        } else {
            stage_ = Stage::User;
            Emit("  Now user privilege is 3 level, and only those commands whose level is equal to or less "
                 "than this level can be used.\r\n  Privilege note: 0-VISIT, 1-MONITOR, 2-SYSTEM, 3-MANAGE\r\n");
        }
    } else {
        stage_ = Stage::User;
        Emit(config_.dialect == Dialect::Cisco ? "% Access denied\r\n\r\n" : "Error: Invalid password.\r\n");
    }
    EmitPrompt();
}

void RouterSession::StartListing(std::vector<std::string> lines) {
    AddListingJunk(config_, &lines);
    pagesShown_ = 0;
    pending_.assign(std::make_move_iterator(lines.begin()), std::make_move_iterator(lines.end()));
    EmitPage();
}

void RouterSession::EmitPage() {
    std::string page;
    const bool paged = config_.pageLines > 0;
    for (int n = 0; !pending_.empty() && (!paged || n < config_.pageLines); ++n) {
        page += pending_.front();
        page += "\r\n";
        pending_.pop_front();
    }
    ++pagesShown_;
    if (!pending_.empty()) {
        page += PagerMarker(config_.dialect);
        if (stage_ != Stage::Pager) afterPager_ = stage_;
        stage_ = Stage::Pager;
        Emit(page, config_.pageDelayMs);
        // A device that drops the line in the middle of a listing.
        if (config_.hangupAfterPage > 0 && pagesShown_ >= config_.hangupAfterPage) {
            pending_.clear();
            finished_ = true;
        }
        return;
    }
    if (stage_ == Stage::Pager) stage_ = afterPager_;
    Emit(page, config_.pageDelayMs);
    EmitPrompt();
}

// At the pager a blank line shows the next screen; anything else abandons the listing.
void RouterSession::PagerLine(const std::string& line) {
    if (config_.erase) Emit(EraseSequence(config_.dialect));
    if (TrimBlanks(line).empty()) {
        EmitPage();
        return;
    }
    pending_.clear();
    stage_ = afterPager_;
    Emit("\r\n");
    EmitPrompt();
}

void RouterSession::Command(const std::string& line) {
    if (line.empty()) {
        EmitPrompt();
        return;
    }
    const auto words = SplitWords(line);
    if (config_.dialect == Dialect::Cisco) CiscoCommand(words);
    else HuaweiCommand(words);
}

void RouterSession::InvalidInput() {
    const std::string caret = std::string(Prompt().size(), ' ') + "^\r\n";
    if (config_.dialect == Dialect::Cisco) Emit(caret + "% Invalid input detected at '^' marker.\r\n\r\n");
    else Emit(caret + "Error: Unrecognized command found at '^' position.\r\n");
    EmitPrompt();
}

void RouterSession::Logout() { finished_ = true; }

}  // namespace routersim
