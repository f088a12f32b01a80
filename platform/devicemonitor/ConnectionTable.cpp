#include "ConnectionTable.h"

#include <climits>

namespace devicemonitor {

int ConnectionTable::Add(std::shared_ptr<TelnetConnection> connection) {
    std::lock_guard lock(mutex_);
    if (sessions_.size() >= kMaxSessions) return -1;
    // Handles are not reused, so a stale handle can never reach a newer session; after
    // INT_MAX sessions the count starts again at 1, skipping handles still open.
    while (sessions_.count(next_)) next_ = next_ == INT_MAX ? 1 : next_ + 1;
    const int handle = next_;
    next_ = next_ == INT_MAX ? 1 : next_ + 1;
    sessions_.emplace(handle, std::move(connection));
    return handle;
}

std::shared_ptr<TelnetConnection> ConnectionTable::Find(int handle) {
    std::lock_guard lock(mutex_);
    auto it = sessions_.find(handle);
    return it == sessions_.end() ? nullptr : it->second;
}

void ConnectionTable::Remove(int handle) {
    std::shared_ptr<TelnetConnection> last;  // destroyed after the lock is released
    std::lock_guard lock(mutex_);
    auto it = sessions_.find(handle);
    if (it == sessions_.end()) return;
    last = std::move(it->second);
    sessions_.erase(it);
}

void ConnectionTable::SweepClosed(int keep) {
    // Checked outside the table's lock: a check may answer the router's telnet options, and a
    // slow send must not hold up every other call.
    std::vector<std::pair<int, std::shared_ptr<TelnetConnection>>> open;
    {
        std::lock_guard lock(mutex_);
        open.reserve(sessions_.size());
        for (const auto& entry : sessions_)
            if (entry.first != keep) open.emplace_back(entry);
    }
    for (const auto& [handle, connection] : open)
        if (!connection->CheckOpen()) Remove(handle);
}

void ConnectionTable::CloseAllForUnload() noexcept {
    std::unique_lock lock(mutex_, std::try_to_lock);
    if (!lock.owns_lock()) return;
    for (auto& entry : sessions_) entry.second->CloseForUnload();
}

// Built when the library is loaded, so DLL unload never has to construct it.
static ConnectionTable g_sessions;

ConnectionTable& Sessions() { return g_sessions; }

}  // namespace devicemonitor
