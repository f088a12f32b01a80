// The byte stream one simulated session runs over: a TCP connection accepted by the
// simulator, or the standard input and output of a program that a telnet server started
// on a terminal.
#pragma once

#include "SimSocket.h"

#include <atomic>
#include <cstddef>
#include <memory>
#include <string>

namespace routersim {

class SimLink {
public:
    virtual ~SimLink() = default;
    virtual WaitResult WaitReadable(int timeoutMs) = 0;
    // Bytes received (> 0), 0 when the peer closed, -1 on error.
    virtual long Receive(char* buffer, std::size_t size) = 0;
    // Every byte, or false; gives up soon after *cancel turns true.
    virtual bool Send(const std::string& bytes, const std::atomic<bool>* cancel) = 0;
    // Ends our sending direction so the peer sees an orderly close.
    virtual void ShutdownSend() = 0;
};

class SocketLink final : public SimLink {
public:
    explicit SocketLink(const Socket& socket) : socket_(socket) {}
    WaitResult WaitReadable(int timeoutMs) override { return routersim::WaitReadable(socket_, timeoutMs); }
    long Receive(char* buffer, std::size_t size) override { return ReceiveSome(socket_, buffer, size); }
    bool Send(const std::string& bytes, const std::atomic<bool>* cancel) override {
        return SendAll(socket_, bytes, cancel);
    }
    void ShutdownSend() override { routersim::ShutdownSend(socket_); }

private:
    const Socket& socket_;
};

#ifndef _WIN32
// Standard input and output. When standard input is a terminal it is switched to raw mode
// for the link's lifetime (no echo, no line editing, no CR/LF translation either way): the
// session echoes and ends lines itself, as a router on a serial line does.
class StdioLink final : public SimLink {
public:
    StdioLink();
    ~StdioLink() override;
    StdioLink(const StdioLink&) = delete;
    StdioLink& operator=(const StdioLink&) = delete;

    WaitResult WaitReadable(int timeoutMs) override;
    long Receive(char* buffer, std::size_t size) override;
    bool Send(const std::string& bytes, const std::atomic<bool>* cancel) override;
    void ShutdownSend() override;

private:
    struct SavedTerminal;
    std::unique_ptr<SavedTerminal> saved_;   // set while the terminal is in raw mode
    bool outputOpen_ = true;
};
#endif

}  // namespace routersim
