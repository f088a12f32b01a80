// One telnet session of the library: its socket, the protocol state and the text received
// but not yet delivered.
#pragma once

#include "TelnetClientFilter.h"

#include <winsock2.h>

#include <atomic>
#include <mutex>
#include <string>

namespace devicemonitor {

class TelnetConnection {
public:
    static constexpr int kFirstByteWaitMs = 1500;
    // The dialogue polls every 100 ms and tests the end of what it gathered after each read, so
    // a read need only wait out the tail of a burst, not the whole of the next one: a long quiet
    // window would add itself to every page of a listing (bench_census_router).
    static constexpr int kQuietMs = 4;
    static constexpr int kMaxReadMs = 5000;
    static constexpr size_t kMaxCommand = 65536;
    // CheckOpen stops taking in text beyond this; the next read delivers it.
    static constexpr size_t kMaxPendingOnCheck = size_t{1} << 20;

    explicit TelnetConnection(SOCKET s) noexcept : socket_(s) {}
    ~TelnetConnection();
    TelnetConnection(const TelnetConnection&) = delete;
    TelnetConnection& operator=(const TelnetConnection&) = delete;

    // Sends command + CR LF; false unless every byte went out.
    bool SendLine(const char* command);

    // Fills buffer with up to size - 1 bytes of text (NUL-terminated); returns the count.
    // *finished: the router closed the session and everything it sent has been delivered.
    int Read(char* buffer, int size, bool* finished);

    // False once the session is known to be over: the router closed it (an end of stream is
    // looked for without waiting, taking in whatever text has arrived) or a send failed. A
    // session another thread is reading from counts as open; that read will find the end.
    bool CheckOpen();

    // For DLL unload under the loader lock: closes the socket without taking any lock.
    void CloseForUnload() noexcept;

private:
    bool ReceiveOnce(int waitMs);  // caller holds readMutex_
    bool SendRaw(const std::string& bytes);  // caller holds sendMutex_
    void CloseSocket() noexcept;

    // Reads and sends are serialised separately, so a command is never held up by a read
    // that is waiting for output. Lock order: readMutex_ before sendMutex_.
    std::mutex readMutex_;
    std::mutex sendMutex_;
    std::atomic<SOCKET> socket_;
    TelnetClientFilter filter_;   // guarded by readMutex_
    std::string pending_;         // guarded by readMutex_
    bool peerClosed_ = false;     // guarded by readMutex_
};

}  // namespace devicemonitor
