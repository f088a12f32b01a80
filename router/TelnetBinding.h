#pragma once
// The router dialogue reaches the telnet client library only through this table, so the app can
// bind the real DLL and tests can bind a scripted transport. No platform headers here.

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
    bool BudgetLeft() const noexcept { return FReadsLeft > 0 && FBytesLeft > 0; }
    // Poll loop: { wait 100 ms; read; stop on nothing; append; stop when done(text) }. Also
    // stops when the dialogue's allowance is used up.
    template <class Done>
    void ReadUntil(TReadBuffer& buffer, std::string& text, Done done);
private:
    bool Append(const TReadBuffer& buffer, std::string& text);
    const TTelnetBinding& FBinding;
    int FHandle;
    std::string FHost;
    std::size_t FReadsLeft;
    std::size_t FBytesLeft;
};

template <class Done>
void TTelnetSession::ReadUntil(TReadBuffer& buffer, std::string& text, Done done) {
    while (BudgetLeft()) {
        Wait(kReadPollMs);
        if (!Read(buffer)) return;
        if (!Append(buffer, text)) return;
        if (done(text)) return;
    }
}

}  // namespace router
