// The router simulator as an object: listens on 127.0.0.1 (only) on a thread of its own,
// serves each telnet client on another thread, and lets tests watch what clients sent.
#pragma once

#include "SimConfig.h"
#include "SimSocket.h"
#include "SimState.h"

#include <atomic>
#include <cstdint>
#include <list>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace routersim {

class RouterSimulator {
public:
    explicit RouterSimulator(SimConfig config);
    ~RouterSimulator();
    RouterSimulator(const RouterSimulator&) = delete;
    RouterSimulator& operator=(const RouterSimulator&) = delete;

    // Binds 127.0.0.1:port (0 picks a free port) and starts serving. False (see Error()) when
    // the port cannot be had or the simulator already runs.
    bool Start(std::uint16_t port = 0);
    // Closes every connection and joins every thread; safe to call twice.
    void Stop();

    std::uint16_t Port() const { return port_; }
    const std::string& Error() const { return error_; }
    const SimConfig& Config() const { return config_; }

    // Every line received from any client, in arrival order (passwords included).
    std::vector<std::string> Transcript() const { return state_->Transcript(); }
    // Telnet commands clients sent ("DO ECHO", "WONT NAWS", "SB TTYPE", ...).
    std::vector<std::string> TelnetEvents() const { return state_->TelnetEvents(); }
    // Null routes as "address mask".
    std::set<std::string> NullRoutes() const { return state_->NullRoutes(); }
    bool HasHostNullRoute(const std::string& address) const {
        return NullRoutes().count(address + " 255.255.255.255") > 0;
    }
    int ConnectionsAccepted() const { return accepted_.load(); }
    bool TranscriptFileOk() const { return state_->TranscriptFileOk(); }

private:
    struct Connection {
        std::thread thread;
        std::atomic<bool> done{false};
    };

    void AcceptLoop();
    void Serve(Socket socket);
    void ReapFinished(bool all);

    SimConfig config_;
    std::unique_ptr<SimState> state_;
    Socket listener_;
    std::uint16_t port_ = 0;
    std::string error_;
    std::atomic<bool> stopping_{false};
    std::atomic<int> accepted_{0};
    std::thread acceptThread_;
    std::list<Connection> connections_;   // touched by the accept thread, and by Stop after joining it
};

}  // namespace routersim
