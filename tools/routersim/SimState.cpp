#include "SimState.h"

namespace routersim {

SimState::SimState(const std::string& transcriptPath) {
    if (!transcriptPath.empty()) {
        wantFile_ = true;
        file_.open(transcriptPath, std::ios::out | std::ios::app | std::ios::binary);
    }
}

void SimState::RecordLine(const std::string& line) {
    std::lock_guard lock(mutex_);
    transcript_.push_back(line);
    if (file_.is_open()) {
        file_ << line << '\n';
        file_.flush();  // scripts read the file while the simulator runs
    }
}

void SimState::RecordTelnetEvents(const std::vector<std::string>& events) {
    std::lock_guard lock(mutex_);
    for (const std::string& e : events)
        if (events_.size() < kMaxEvents) events_.push_back(e);
}

bool SimState::AddNullRoute(const std::string& route) {
    std::lock_guard lock(mutex_);
    return routes_.insert(route).second;
}

bool SimState::RemoveNullRoute(const std::string& route) {
    std::lock_guard lock(mutex_);
    return routes_.erase(route) > 0;
}

std::vector<std::string> SimState::Transcript() const {
    std::lock_guard lock(mutex_);
    return transcript_;
}

std::vector<std::string> SimState::TelnetEvents() const {
    std::lock_guard lock(mutex_);
    return events_;
}

std::set<std::string> SimState::NullRoutes() const {
    std::lock_guard lock(mutex_);
    return routes_;
}

bool SimState::TranscriptFileOk() const {
    std::lock_guard lock(mutex_);
    return !wantFile_ || file_.is_open();
}

}  // namespace routersim
