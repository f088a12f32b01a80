#include "SimSocket.h"

#ifdef _WIN32
#include <winsock2.h>
#include <ws2tcpip.h>
#include <mutex>
#else
#include <arpa/inet.h>
#include <cerrno>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <cstring>

namespace routersim {

#ifdef _WIN32
NativeSocket Socket::Invalid() noexcept { return static_cast<NativeSocket>(INVALID_SOCKET); }
void Socket::Reset(NativeSocket s) noexcept {
    if (s_ != Invalid()) ::closesocket(static_cast<SOCKET>(s_));
    s_ = s;
}
bool InitSockets() {
    static std::once_flag once;
    static bool ok = false;
    std::call_once(once, [] {
        WSADATA data;
        ok = ::WSAStartup(MAKEWORD(2, 2), &data) == 0;
    });
    return ok;
}
static int LastSocketError() { return ::WSAGetLastError(); }
static bool Interrupted(int) { return false; }
#else
NativeSocket Socket::Invalid() noexcept { return -1; }
void Socket::Reset(NativeSocket s) noexcept {
    if (s_ != Invalid()) ::close(s_);
    s_ = s;
}
bool InitSockets() { return true; }
static int LastSocketError() { return errno; }
static bool Interrupted(int e) { return e == EINTR; }
#endif

static sockaddr_in LoopbackAddress(std::uint16_t port) {
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(port);
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return a;
}

static void SetNoDelay(const Socket& s) {
    int one = 1;
    ::setsockopt(s.Get(), IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&one), sizeof one);
}

Socket ListenLoopback(std::uint16_t port, std::uint16_t* actualPort, std::string* error) {
    auto fail = [&](const char* what) {
        if (error) *error = std::string(what) + " failed (error " + std::to_string(LastSocketError()) + ")";
        return Socket();
    };
    if (!InitSockets()) return fail("socket initialisation");
    Socket s(::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP));
    if (!s.Valid()) return fail("socket");
#ifdef _WIN32
    // Two simulators must never share a port silently.
    int exclusive = 1;
    ::setsockopt(s.Get(), SOL_SOCKET, SO_EXCLUSIVEADDRUSE, reinterpret_cast<const char*>(&exclusive),
                 sizeof exclusive);
#else
    int reuse = 1;  // lets a restarted simulator take its port back from TIME_WAIT
    ::setsockopt(s.Get(), SOL_SOCKET, SO_REUSEADDR, &reuse, sizeof reuse);
#endif
    sockaddr_in a = LoopbackAddress(port);
    if (::bind(s.Get(), reinterpret_cast<sockaddr*>(&a), sizeof a) != 0) return fail("bind to 127.0.0.1");
    if (::listen(s.Get(), 8) != 0) return fail("listen");
    sockaddr_in bound{};
    socklen_t len = sizeof bound;
    if (::getsockname(s.Get(), reinterpret_cast<sockaddr*>(&bound), &len) != 0) return fail("getsockname");
    if (actualPort) *actualPort = ntohs(bound.sin_port);
    return s;
}

Socket ConnectLoopback(std::uint16_t port) {
    if (!InitSockets()) return Socket();
    Socket s(::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP));
    if (!s.Valid()) return s;
    sockaddr_in a = LoopbackAddress(port);
    if (::connect(s.Get(), reinterpret_cast<sockaddr*>(&a), sizeof a) != 0) return Socket();
    SetNoDelay(s);
    return s;
}

Socket AcceptConnection(const Socket& listener) {
    Socket s(::accept(listener.Get(), nullptr, nullptr));
    if (s.Valid()) SetNoDelay(s);
    return s;
}

static WaitResult WaitFor(const Socket& s, bool writable, int timeoutMs) {
    if (!s.Valid()) return WaitResult::Error;
#ifdef _WIN32
    WSAPOLLFD p{};
    p.fd = static_cast<SOCKET>(s.Get());
    p.events = writable ? POLLWRNORM : POLLRDNORM;
    int n = ::WSAPoll(&p, 1, timeoutMs);
#else
    pollfd p{};
    p.fd = s.Get();
    p.events = writable ? POLLOUT : POLLIN;
    int n;
    do n = ::poll(&p, 1, timeoutMs);
    while (n < 0 && Interrupted(LastSocketError()));
#endif
    if (n < 0) return WaitResult::Error;
    if (n == 0) return WaitResult::Timeout;
    // A closed or reset peer counts as ready: the next receive or send reports it.
    return WaitResult::Ready;
}

WaitResult WaitReadable(const Socket& s, int timeoutMs) { return WaitFor(s, false, timeoutMs); }

long ReceiveSome(const Socket& s, char* buffer, std::size_t size) {
    for (;;) {
        auto n = ::recv(s.Get(), buffer, static_cast<int>(size), 0);
        if (n >= 0) return static_cast<long>(n);
        if (!Interrupted(LastSocketError())) return -1;
    }
}

bool SendAll(const Socket& s, const char* data, std::size_t size, const std::atomic<bool>* cancel) {
#ifdef MSG_NOSIGNAL
    const int flags = MSG_NOSIGNAL;  // a vanished client must not kill the process with SIGPIPE
#else
    const int flags = 0;
#endif
    // Small enough that a socket reported writable takes the piece without blocking.
    constexpr std::size_t kPiece = 1024;
    while (size > 0) {
        std::size_t piece = size;
        if (cancel) {
            if (cancel->load()) return false;
            WaitResult w = WaitFor(s, true, 25);
            if (w == WaitResult::Error) return false;
            if (w == WaitResult::Timeout) continue;
            piece = std::min(size, kPiece);
        }
        auto n = ::send(s.Get(), data, static_cast<int>(piece), flags);
        if (n < 0) {
            if (Interrupted(LastSocketError())) continue;
            return false;
        }
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

void ShutdownSend(const Socket& s) {
#ifdef _WIN32
    ::shutdown(static_cast<SOCKET>(s.Get()), SD_SEND);
#else
    ::shutdown(s.Get(), SHUT_WR);
#endif
}

}  // namespace routersim
