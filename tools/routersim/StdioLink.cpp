#ifndef _WIN32
#include "SimLink.h"

#include <cerrno>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace routersim {

struct StdioLink::SavedTerminal {
    termios modes;
};

StdioLink::StdioLink() {
    termios t{};
    if (!::isatty(STDIN_FILENO) || ::tcgetattr(STDIN_FILENO, &t) != 0) return;
    saved_ = std::make_unique<SavedTerminal>(SavedTerminal{t});
    t.c_iflag &= ~static_cast<tcflag_t>(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL | IXON);
    t.c_oflag &= ~static_cast<tcflag_t>(OPOST);
    t.c_lflag &= ~static_cast<tcflag_t>(ECHO | ECHONL | ICANON | ISIG | IEXTEN);
    t.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB);
    t.c_cflag |= CS8;
    t.c_cc[VMIN] = 1;
    t.c_cc[VTIME] = 0;
    ::tcsetattr(STDIN_FILENO, TCSANOW, &t);
}

StdioLink::~StdioLink() {
    if (!saved_) return;
    ::tcsetattr(STDIN_FILENO, TCSANOW, &saved_->modes);
}

WaitResult StdioLink::WaitReadable(int timeoutMs) {
    pollfd p{};
    p.fd = STDIN_FILENO;
    p.events = POLLIN;
    int n;
    do n = ::poll(&p, 1, timeoutMs);
    while (n < 0 && errno == EINTR);
    if (n < 0) return WaitResult::Error;
    return n == 0 ? WaitResult::Timeout : WaitResult::Ready;
}

long StdioLink::Receive(char* buffer, std::size_t size) {
    for (;;) {
        ssize_t n = ::read(STDIN_FILENO, buffer, size);
        if (n >= 0) return static_cast<long>(n);
        if (errno == EIO) return 0;  // the terminal's other side went away
        if (errno != EINTR) return -1;
    }
}

// A telnet server keeps the terminal's output processing to itself (it switches it on for a
// client that does not speak binary), so the line ends follow whatever the terminal does now:
// when it turns LF into CR LF, CR LF goes out as a bare LF.
static std::string ForTerminal(const std::string& bytes) {
    termios t{};
    if (::tcgetattr(STDOUT_FILENO, &t) != 0 || !(t.c_oflag & OPOST) || !(t.c_oflag & ONLCR)) return bytes;
    std::string out;
    out.reserve(bytes.size());
    for (size_t i = 0; i < bytes.size(); ++i)
        if (!(bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')) out.push_back(bytes[i]);
    return out;
}

bool StdioLink::Send(const std::string& bytes, const std::atomic<bool>* cancel) {
    const std::string text = ForTerminal(bytes);
    const char* data = text.data();
    std::size_t left = text.size();
    while (left > 0) {
        if (!outputOpen_ || (cancel && cancel->load())) return false;
        ssize_t n = ::write(STDOUT_FILENO, data, left);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        data += n;
        left -= static_cast<std::size_t>(n);
    }
    return true;
}

void StdioLink::ShutdownSend() {
    if (saved_) ::tcdrain(STDOUT_FILENO);
    outputOpen_ = false;
}

}  // namespace routersim
#endif
