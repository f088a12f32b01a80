// The few socket operations the simulator and its tests need, over BSD sockets or Winsock.
// Everything here is bound to or aimed at 127.0.0.1: the simulator must never be reachable
// from, or reach out to, any other address.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>

namespace routersim {

#ifdef _WIN32
using NativeSocket = std::uintptr_t;  // SOCKET
#else
using NativeSocket = int;
#endif

// Move-only owner of one socket; closes it on destruction.
class Socket {
public:
    Socket() = default;
    explicit Socket(NativeSocket s) noexcept : s_(s) {}
    Socket(Socket&& o) noexcept : s_(std::exchange(o.s_, Invalid())) {}
    Socket& operator=(Socket&& o) noexcept {
        if (this != &o) Reset(std::exchange(o.s_, Invalid()));
        return *this;
    }
    Socket(const Socket&) = delete;
    Socket& operator=(const Socket&) = delete;
    ~Socket() { Reset(); }

    static NativeSocket Invalid() noexcept;
    bool Valid() const noexcept { return s_ != Invalid(); }
    NativeSocket Get() const noexcept { return s_; }
    void Reset(NativeSocket s = Invalid()) noexcept;

private:
    NativeSocket s_ = Invalid();
};

enum class WaitResult { Ready, Timeout, Error };

// Initialises the socket layer once per process (Winsock); harmless elsewhere.
bool InitSockets();

// Listening socket on 127.0.0.1:port (0 = ephemeral). On success *actualPort is the bound port.
Socket ListenLoopback(std::uint16_t port, std::uint16_t* actualPort, std::string* error);
// Connection to 127.0.0.1:port, blocking; for tests and tools.
Socket ConnectLoopback(std::uint16_t port);
// Accepts one pending connection (call after WaitReadable said Ready).
Socket AcceptConnection(const Socket& listener);

WaitResult WaitReadable(const Socket& s, int timeoutMs);
// Bytes received (> 0), 0 when the peer closed, -1 on error.
long ReceiveSome(const Socket& s, char* buffer, std::size_t size);
// Sends every byte; false when the connection failed. With `cancel`, the data goes out in
// small pieces whenever the socket can take them, so a peer that stops reading never blocks
// the caller for longer than it takes to notice *cancel.
bool SendAll(const Socket& s, const char* data, std::size_t size, const std::atomic<bool>* cancel = nullptr);
inline bool SendAll(const Socket& s, const std::string& data, const std::atomic<bool>* cancel = nullptr) {
    return SendAll(s, data.data(), data.size(), cancel);
}
// Ends our sending direction so the peer sees an orderly close.
void ShutdownSend(const Socket& s);

}  // namespace routersim
