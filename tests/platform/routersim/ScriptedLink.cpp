#include "ScriptedLink.h"

#include <algorithm>
#include <cstring>
#include <thread>

namespace routersim::testing {

ScriptedLink::ScriptedLink(std::vector<Step> script, int idleLimitMs)
    : script_(std::move(script)), idleLimitMs_(idleLimitMs) {}

double ScriptedLink::Now() const {
    return std::chrono::duration<double, std::milli>(Clock::now() - start_).count();
}

bool ScriptedLink::NextDue() const {
    if (next_ >= script_.size() || hangUpMs_ >= 0) return false;
    if (next_ > 0 && output_.size() == outputAtInput_) return false;  // the last input is not answered yet
    const std::string& w = script_[next_].waitFor;
    return output_.size() >= w.size() && output_.compare(output_.size() - w.size(), w.size(), w) == 0;
}

WaitResult ScriptedLink::WaitReadable(int timeoutMs) {
    if (NextDue()) return WaitResult::Ready;
    const double lastOutput = sends_.empty() ? 0.0 : sends_.back().ms;
    if (Now() - lastOutput > idleLimitMs_) return WaitResult::Error;
    std::this_thread::sleep_for(std::chrono::milliseconds(timeoutMs));
    return WaitResult::Timeout;
}

long ScriptedLink::Receive(char* buffer, std::size_t size) {
    if (!NextDue()) return 0;
    const std::string& input = script_[next_++].input;
    const size_t n = std::min(size, input.size());
    std::memcpy(buffer, input.data(), n);
    inputTimes_.push_back(Now());
    outputAtInput_ = output_.size();
    return static_cast<long>(n);
}

bool ScriptedLink::Send(const std::string& bytes, const std::atomic<bool>*) {
    if (hangUpMs_ >= 0) return false;
    sends_.push_back({Now(), bytes});
    output_ += bytes;
    return true;
}

void ScriptedLink::ShutdownSend() {
    if (hangUpMs_ < 0) hangUpMs_ = Now();
}

}  // namespace routersim::testing
