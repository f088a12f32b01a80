#include "router/Login.h"

#include <string_view>

#include "router/RouterText.h"

namespace router {

namespace {

struct TLoginDialect {
    std::string_view UserPrompt;      // compared with the end of the first prompt text
    std::string_view PrivilegeCommand;
    bool (*FirstPromptDone)(const std::string& text);
    bool (*Privileged)(const std::string& lastLine);
};

const TLoginDialect kCisco{
    "Username: ", "enable",
    [](const std::string& text) { return EndsWith(text, ": "); },
    [](const std::string& line) { return !line.empty() && line.back() == '#'; },
};

const TLoginDialect kHuawei{
    "Username:", "super",
    [](const std::string& text) { return !text.empty() && text.back() == ':'; },
    [](const std::string& line) { return !line.empty() && line.front() == '<' && line.back() == '>'; },
};

// A line the device leaves the cursor on: a prompt of either command set, or a question.
bool LooksLikePrompt(std::string_view line) {
    const std::string_view t = TrimView(line);
    return !t.empty() && std::string_view(">#]:").find(t.back()) != std::string_view::npos;
}

bool Login(const TLoginDialect& dialect, const std::string& host, int& session,
           const std::string& userName, const std::string& password,
           const std::string& privilegePassword, const TTelnetBinding& telnet) {
    session = telnet.telnet_connect ? telnet.telnet_connect(host.c_str(), kTelnetPort, kTelnetOption) : -1;
    if (session == -1) return false;

    TTelnetSession line(telnet, session, host);
    TReadBuffer buffer;
    std::string gathered;
    // A device that never shows a prompt ends this wait with a read that delivers nothing; the
    // dialogue then goes on with whatever arrived.
    line.ReadUntil(buffer, gathered, dialect.FirstPromptDone);

    if (EndsWith(gathered, dialect.UserPrompt) && !line.Send(userName)) return false;
    if (!line.Send(password)) return false;
    line.Wait(kLoginCommandPauseMs);
    if (!line.Send(std::string(dialect.PrivilegeCommand))) return false;
    line.Wait(kLoginCommandPauseMs);
    if (!line.Send(privilegePassword)) return false;
    line.Wait(kLoginCommandPauseMs);

    // The verdict comes from this read. Its result is not tested: when it delivers nothing the
    // buffer still holds the last text of the prompt wait.
    const bool delivered = line.Read(buffer);
    std::string answer = buffer.Text();
    // A slow device may not have answered yet, or be in the middle of its prompt ("<Hua" now,
    // "wei>" later): read on until the last line is a whole prompt. On a healthy link the one
    // read above already ends at one.
    const auto settled = [&dialect](const std::string& text) {
        const std::string last = SplitLines(text).back();
        return dialect.Privileged(last) || LooksLikePrompt(last);
    };
    if (!delivered && line.CanTellOpen()) {
        std::string late;
        line.ReadUntil(buffer, late, settled, kSlowAnswerMs);
        if (!late.empty()) answer = std::move(late);
    } else if (!settled(answer)) {
        line.ReadUntil(buffer, answer, settled, kSlowAnswerMs);
    }
    return dialect.Privileged(SplitLines(answer).back());
}

}  // namespace

bool CiscoLogin(const std::string& host, int& session, const std::string& userName,
                const std::string& password, const std::string& enablePassword,
                const TTelnetBinding& telnet) {
    return Login(kCisco, host, session, userName, password, enablePassword, telnet);
}

bool HuaweiLogin(const std::string& host, int& session, const std::string& userName,
                 const std::string& password, const std::string& superPassword,
                 const TTelnetBinding& telnet) {
    return Login(kHuawei, host, session, userName, password, superPassword, telnet);
}

bool CiscoLogout(const std::string& host, int session, const TTelnetBinding& telnet) {
    return TTelnetSession(telnet, session, host).Send("exit");
}

bool HuaweiLogout(const std::string& host, int session, const TTelnetBinding& telnet) {
    return TTelnetSession(telnet, session, host).Send("quit");
}

}  // namespace router
