#pragma once
// The router dialogue reaches the telnet client library only through this table, so the app can
// bind the real DLL and tests can bind a scripted transport. No platform headers here.

#include <chrono>
#include <cstddef>
#include <memory>
#include <string>

// The library exports stdcall functions; on x86-64 there is only one calling convention.
#if defined(_WIN32) && !defined(_WIN64)
#define QUELLOX_TELNET_API __stdcall
#else
#define QUELLOX_TELNET_API
#endif

namespace router {

struct TTelnetBinding {
    // Same signatures as the library's exports. A null entry behaves like a failing call:
    // connect yields -1, a read delivers nothing, a command is not sent.
    int (QUELLOX_TELNET_API* telnet_connect)(const char* host, int port, int option) = nullptr;
    int (QUELLOX_TELNET_API* ReadResult)(int handle, const char* host, char* buffer, int size) = nullptr;
    int (QUELLOX_TELNET_API* new_do_command)(int handle, const char* host, const char* command) = nullptr;
    // The library's answer to "is this session still open?" (non-zero: open). Null means the
    // dialogue cannot tell: it then takes every session for open and ends each wait at the
    // first read that delivers nothing, as it always did.
    int (QUELLOX_TELNET_API* telnet_is_open)(int handle) = nullptr;
    // The dialogue's fixed pauses (100 ms before a read, 500 ms after a login command).
    // Null means no pause at all.
    void (*Wait)(int milliseconds) = nullptr;
    // Bounds on one dialogue, so a device that never stops talking cannot hang the caller:
    // the dialogue ends with what it has gathered once either is used up.
    std::size_t MaxReads = 100000;
    std::size_t MaxBytes = std::size_t{64} << 20;
};

// The process-wide table the app fills at start-up, before any dialogue or census thread runs.
// Initially it has no telnet functions and waits with a real sleep.
TTelnetBinding& TelnetBinding();

// Sleeps the calling thread; the default Wait of TelnetBinding().
void SleepMilliseconds(int milliseconds);

constexpr int kTelnetPort = 23;
constexpr int kTelnetOption = 1;
constexpr int kReadBufferSize = 0x4000;
constexpr int kReadPollMs = 100;
constexpr int kLoginCommandPauseMs = 500;
// How long a device may stay silent in the middle of an answer before the dialogue gives up on
// it, when the library can tell that the session is still open. Real devices pause: a listing
// page built slowly, a prompt sent in pieces, a configuration being written.
constexpr int kSlowAnswerMs = 10000;
constexpr int kSlowSaveMs = 30000;

// How a wait for the device's answer ended.
enum class TReadEnd {
    reDone,    // the caller's condition holds
    reQuiet,   // nothing more came (at once, or within the patience given)
    reClosed,  // the router closed the session
    reSpent,   // the dialogue's read allowance is used up
};

// One dialogue's read buffer: zero-filled once, reused for every read without clearing. The
// library NUL-terminates each delivery, so a short read after a long one still yields only the
// new text; Text() stops at the first NUL (or at the end of the buffer if there is none).
class TReadBuffer {
public:
    TReadBuffer();
    char* Data() noexcept { return FData.get(); }
    std::string Text() const;
private:
    std::unique_ptr<char[]> FData;
};

// One session as the dialogue sees it: binding, handle and router address, plus what is left of
// the dialogue's read allowance.
class TTelnetSession {
public:
    TTelnetSession(const TTelnetBinding& binding, int handle, const std::string& host);
    bool Send(const std::string& line) const;
    // One ReadResult call without the poll pause; true when text was delivered.
    bool Read(TReadBuffer& buffer);
    void Wait(int milliseconds) const;
    // False once the library knows the router closed the session (always true when the
    // library cannot be asked). Cheap: no waiting.
    bool Open() const;
    bool CanTellOpen() const noexcept { return FBinding.telnet_is_open != nullptr; }
    bool BudgetLeft() const noexcept { return FReadsLeft > 0 && FBytesLeft > 0; }
    // Poll loop: { wait 100 ms; read; on nothing: stop, unless the session is still open and
    // the device has been silent for less than patienceMs; append; stop when done(text) }.
    // Also stops when the dialogue's allowance is used up. With patienceMs 0 the first read
    // that delivers nothing ends the wait, as on a healthy link it always does.
    template <class Done>
    TReadEnd ReadUntil(TReadBuffer& buffer, std::string& text, Done done, int patienceMs = 0);
private:
    bool Append(const TReadBuffer& buffer, std::string& text);
    const TTelnetBinding& FBinding;
    int FHandle;
    std::string FHost;
    std::size_t FReadsLeft;
    std::size_t FBytesLeft;
};

template <class Done>
TReadEnd TTelnetSession::ReadUntil(TReadBuffer& buffer, std::string& text, Done done, int patienceMs) {
    using Clock = std::chrono::steady_clock;
    long long quietMs = 0;
    while (BudgetLeft()) {
        Wait(kReadPollMs);
        const Clock::time_point asked = Clock::now();
        if (!Read(buffer)) {
            // Nothing within the library's own read wait: either the router hung up, or a slow
            // device is still working on its answer.
            if (!Open()) return TReadEnd::reClosed;
            quietMs += kReadPollMs +
                       std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - asked).count();
            if (!CanTellOpen() || quietMs >= patienceMs) return TReadEnd::reQuiet;
            continue;
        }
        quietMs = 0;
        if (!Append(buffer, text)) return TReadEnd::reSpent;
        if (done(text)) return TReadEnd::reDone;
    }
    return TReadEnd::reSpent;
}

}  // namespace router
