// What a running simulator shares between its connections and with the tests watching it:
// the transcript of received lines, the telnet commands clients sent, and the router's
// configuration state (its null routes). Every member is safe to call from any thread.
#pragma once

#include <fstream>
#include <mutex>
#include <set>
#include <string>
#include <vector>

namespace routersim {

class SimState {
public:
    explicit SimState(const std::string& transcriptPath);

    void RecordLine(const std::string& line);
    void RecordTelnetEvents(const std::vector<std::string>& events);

    // Null routes are kept as "address mask" in canonical dotted form.
    bool AddNullRoute(const std::string& route);     // false when it was already there
    bool RemoveNullRoute(const std::string& route);  // false when it was not there

    std::vector<std::string> Transcript() const;
    std::vector<std::string> TelnetEvents() const;
    std::set<std::string> NullRoutes() const;
    bool TranscriptFileOk() const;

private:
    static constexpr size_t kMaxEvents = 10000;
    mutable std::mutex mutex_;
    std::vector<std::string> transcript_;
    std::vector<std::string> events_;
    std::set<std::string> routes_;
    std::ofstream file_;
    bool wantFile_ = false;
};

}  // namespace routersim
