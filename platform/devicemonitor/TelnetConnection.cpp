#include "TelnetConnection.h"

#include <algorithm>
#include <chrono>
#include <cstring>

namespace devicemonitor {

namespace {
using Clock = std::chrono::steady_clock;

int MillisLeft(Clock::time_point until) {
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(until - Clock::now()).count();
    return left > 0 ? static_cast<int>(left) : 0;
}
}  // namespace

TelnetConnection::~TelnetConnection() { CloseSocket(); }

void TelnetConnection::CloseSocket() noexcept {
    SOCKET s = socket_.exchange(INVALID_SOCKET);
    if (s != INVALID_SOCKET) ::closesocket(s);
}

void TelnetConnection::CloseForUnload() noexcept { CloseSocket(); }

bool TelnetConnection::SendRaw(const std::string& bytes) {
    SOCKET s = socket_.load();
    if (s == INVALID_SOCKET) return false;
    size_t sent = 0;
    while (sent < bytes.size()) {
        int n = ::send(s, bytes.data() + sent, static_cast<int>(bytes.size() - sent), 0);
        if (n <= 0) return false;  // includes the send timeout set at connect
        sent += static_cast<size_t>(n);
    }
    return true;
}

bool TelnetConnection::SendLine(const char* command) {
    if (!command) return false;
    const size_t length = ::strnlen(command, kMaxCommand + 1);
    if (length > kMaxCommand) return false;
    std::string line;
    line.reserve(length + 2);
    for (size_t i = 0; i < length; ++i) {
        line.push_back(command[i]);
        if (static_cast<unsigned char>(command[i]) == 255) line.push_back(command[i]);
    }
    line += "\r\n";
    std::lock_guard lock(sendMutex_);
    if (SendRaw(line)) return true;
    // A connection that refuses a line is finished: give the socket back now, not at unload.
    CloseSocket();
    return false;
}

bool TelnetConnection::CheckOpen() {
    if (socket_.load() == INVALID_SOCKET) return false;
    std::unique_lock lock(readMutex_, std::try_to_lock);
    if (!lock.owns_lock()) return true;
    while (!peerClosed_ && pending_.size() < kMaxPendingOnCheck && ReceiveOnce(0)) {
    }
    return !peerClosed_ && socket_.load() != INVALID_SOCKET;
}

// Waits up to waitMs for input and takes what is there. False when nothing came in time or
// the session ended (then the socket is closed at once).
bool TelnetConnection::ReceiveOnce(int waitMs) {
    SOCKET s = socket_.load();
    if (s == INVALID_SOCKET) {
        peerClosed_ = true;
        return false;
    }
    fd_set readable;
    FD_ZERO(&readable);
    FD_SET(s, &readable);
    timeval tv{waitMs / 1000, (waitMs % 1000) * 1000};
    int ready = ::select(0, &readable, nullptr, nullptr, &tv);
    if (ready == 0) return false;
    char chunk[4096];
    int n = ready > 0 ? ::recv(s, chunk, sizeof chunk, 0) : -1;
    if (n <= 0) {
        peerClosed_ = true;
        std::lock_guard lock(sendMutex_);
        CloseSocket();
        return false;
    }
    std::string replies;
    filter_.Feed(chunk, static_cast<size_t>(n), &pending_, &replies);
    if (!replies.empty()) {
        std::lock_guard lock(sendMutex_);
        SendRaw(replies);
    }
    return true;
}

int TelnetConnection::Read(char* buffer, int size, bool* finished) {
    *finished = false;
    if (!buffer || size <= 0) return 0;
    std::lock_guard lock(readMutex_);
    buffer[0] = '\0';
    const size_t room = static_cast<size_t>(size) - 1;
    if (room > 0) {
        const auto start = Clock::now();
        const auto firstDeadline = start + std::chrono::milliseconds(kFirstByteWaitMs);
        const auto lastDeadline = start + std::chrono::milliseconds(kMaxReadMs);
        while (pending_.empty() && !peerClosed_ && MillisLeft(firstDeadline) > 0)
            ReceiveOnce(MillisLeft(firstDeadline));
        // Text usually comes in bursts; gather the rest of the burst before delivering.
        while (!pending_.empty() && pending_.size() < room && !peerClosed_ && MillisLeft(lastDeadline) > 0)
            if (!ReceiveOnce(std::min(kQuietMs, MillisLeft(lastDeadline)))) break;
    }
    const size_t n = std::min(pending_.size(), room);
    std::memcpy(buffer, pending_.data(), n);
    buffer[n] = '\0';
    pending_.erase(0, n);
    *finished = peerClosed_ && pending_.empty();
    return static_cast<int>(n);
}

}  // namespace devicemonitor
