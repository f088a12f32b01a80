// The handles of the library: small positive integers mapped to open sessions.
#pragma once

#include "TelnetConnection.h"

#include <map>
#include <memory>
#include <mutex>

namespace devicemonitor {

class ConnectionTable {
public:
    static constexpr size_t kMaxSessions = 256;

    // A fresh handle (1, 2, 3, ...; never 0 or -1, never one still in use), or -1 when the
    // table is full.
    int Add(std::shared_ptr<TelnetConnection> connection);
    std::shared_ptr<TelnetConnection> Find(int handle);
    void Remove(int handle);
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
