// The handles of the library: small positive integers mapped to open sessions.
#pragma once

#include "TelnetConnection.h"

#include <map>
#include <memory>
#include <mutex>
#include <utility>
#include <vector>

namespace devicemonitor {

class ConnectionTable {
public:
    static constexpr size_t kMaxSessions = 256;

    // A fresh handle (1, 2, 3, ...; never 0 or -1, never one still in use), or -1 when the
    // table is full.
    int Add(std::shared_ptr<TelnetConnection> connection);
    std::shared_ptr<TelnetConnection> Find(int handle);
    void Remove(int handle);
    // Drops every session whose router has closed it (or whose send failed), closing its
    // socket, except `keep`, which the current call is about. No session is waited for.
    void SweepClosed(int keep);
    // DLL unload: closes every socket without waiting; skipped when the table is busy
    // (the process is then going away and the system closes the sockets).
    void CloseAllForUnload() noexcept;

private:
    std::mutex mutex_;
    std::map<int, std::shared_ptr<TelnetConnection>> sessions_;
    int next_ = 1;
};

// The process-wide table behind the exported functions.
ConnectionTable& Sessions();

}  // namespace devicemonitor
