#include "WinsockConnect.h"

#include <ws2tcpip.h>

#include <chrono>
#include <memory>
#include <mutex>

namespace devicemonitor {

namespace {

constexpr DWORD kSendTimeoutMs = 5000;

struct AddrInfoFree {
    void operator()(addrinfo* a) const noexcept { ::freeaddrinfo(a); }
};
using AddrInfoPtr = std::unique_ptr<addrinfo, AddrInfoFree>;

// Owns a socket until it is handed over.
class SocketGuard {
public:
    explicit SocketGuard(SOCKET s) noexcept : s_(s) {}
    ~SocketGuard() {
        if (s_ != INVALID_SOCKET) ::closesocket(s_);
    }
    SocketGuard(const SocketGuard&) = delete;
    SocketGuard& operator=(const SocketGuard&) = delete;
    SOCKET Get() const noexcept { return s_; }
    SOCKET Release() noexcept {
        SOCKET s = s_;
        s_ = INVALID_SOCKET;
        return s;
    }

private:
    SOCKET s_;
};

bool SetBlocking(SOCKET s, bool blocking) {
    u_long nonBlocking = blocking ? 0 : 1;
    return ::ioctlsocket(s, FIONBIO, &nonBlocking) == 0;
}

// Connects one socket, waiting at most waitMs; true when the connection stands.
bool ConnectWithin(SOCKET s, const addrinfo& a, int waitMs) {
    if (!SetBlocking(s, false)) return false;
    if (::connect(s, a.ai_addr, static_cast<int>(a.ai_addrlen)) != 0) {
        if (::WSAGetLastError() != WSAEWOULDBLOCK) return false;
        fd_set writable, failed;
        FD_ZERO(&writable);
        FD_ZERO(&failed);
        FD_SET(s, &writable);
        FD_SET(s, &failed);  // Winsock reports a refused connect here
        timeval tv{waitMs / 1000, (waitMs % 1000) * 1000};
        if (::select(0, nullptr, &writable, &failed, &tv) <= 0 || FD_ISSET(s, &failed)) return false;
        int error = 0;
        int length = sizeof error;
        if (::getsockopt(s, SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&error), &length) != 0 || error != 0)
            return false;
    }
    return SetBlocking(s, true);
}

}  // namespace

bool EnsureWinsock() {
    static std::once_flag once;
    static bool ok = false;
    std::call_once(once, [] {
        WSADATA data;
        ok = ::WSAStartup(MAKEWORD(2, 2), &data) == 0;
    });
    return ok;
}

SOCKET ConnectTcp(const std::string& host, int port, int timeoutMs) {
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_protocol = IPPROTO_TCP;
    addrinfo* raw = nullptr;
    if (::getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &raw) != 0 || !raw)
        return INVALID_SOCKET;
    AddrInfoPtr list(raw);

    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (const addrinfo* a = list.get(); a; a = a->ai_next) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                              deadline - std::chrono::steady_clock::now()).count();
        if (left <= 0) break;
        SocketGuard s(::socket(a->ai_family, a->ai_socktype, a->ai_protocol));
        if (s.Get() == INVALID_SOCKET) continue;
        if (!ConnectWithin(s.Get(), *a, static_cast<int>(left))) continue;
        BOOL noDelay = TRUE;  // commands are single short lines; send them at once
        ::setsockopt(s.Get(), IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&noDelay), sizeof noDelay);
        DWORD sendTimeout = kSendTimeoutMs;
        ::setsockopt(s.Get(), SOL_SOCKET, SO_SNDTIMEO, reinterpret_cast<const char*>(&sendTimeout),
                     sizeof sendTimeout);
        return s.Release();
    }
    return INVALID_SOCKET;
}

}  // namespace devicemonitor
