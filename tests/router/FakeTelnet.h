#pragma once
// A scripted stand-in for the telnet client library. It records every call, answers reads from
// a queue of scripted deliveries (written into the caller's buffer like the library does:
// text plus NUL), and lets a test react to sent lines by queueing more output.

#include <deque>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "router/TelnetBinding.h"

class TFakeTelnet {
public:
    TFakeTelnet();   // becomes the instance the binding's functions talk to
    ~TFakeTelnet();
    TFakeTelnet(const TFakeTelnet&) = delete;
    TFakeTelnet& operator=(const TFakeTelnet&) = delete;

    // Function table of this fake; Wait only records.
    router::TTelnetBinding Binding() const;
    // The same, with the library's "is the session open?" question answered from Open.
    router::TTelnetBinding LiveBinding() const;

    // Queue text as deliveries of at most `piece` bytes each (0: one delivery).
    void Output(std::string_view text, std::size_t piece = 0);
    // Queue a read that delivers nothing (result 0, buffer untouched).
    void Silence();
    // Queue a read that writes exactly these bytes (no NUL added) and returns result.
    void Raw(std::string bytes, int result);
    // Queue the router hanging up: that read delivers nothing and from then on the session is
    // closed (Open false, sends fail, reads deliver nothing).
    void HangUp();

    // Script and settings.
    int ConnectResult = 42;
    int SendResult = 1;                                        // for accepted lines
    bool Open = true;                                          // false: the router closed it
    std::function<bool(const std::string&)> RefuseSend;        // true: the send fails (result 0)
    std::function<void(const std::string&)> OnCommand;         // after an accepted send

    // Record.
    std::vector<std::string> Sent;     // every line passed to new_do_command, refused ones too
    std::vector<std::string> Events;   // "connect host 23 1", "send <line>", "wait <ms>", "read", "open?"
    std::vector<const char*> ReadBuffers;
    std::vector<int> ReadSizes;
    std::vector<int> Handles;          // handle of every read and send
    std::vector<std::string> Hosts;    // host of every call
    int WaitedMs = 0;
    std::size_t PendingReads() const { return FScript.size(); }

private:
    struct TDelivery {
        std::string Bytes;
        int Result;
        bool Terminate;
        bool HangUp = false;
    };
    static int QUELLOX_TELNET_API Connect(const char* host, int port, int option);
    static int QUELLOX_TELNET_API Read(int handle, const char* host, char* buffer, int size);
    static int QUELLOX_TELNET_API Command(int handle, const char* host, const char* command);
    static int QUELLOX_TELNET_API IsOpen(int handle);
    static void Wait(int milliseconds);

    std::deque<TDelivery> FScript;
};
