#include "PlainClient.h"

#include <chrono>

namespace routersim::testing {

namespace {
using Clock = std::chrono::steady_clock;
int Left(Clock::time_point until) {
    return static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(until - Clock::now()).count());
}
bool EndsWith(const std::string& s, const std::string& suffix) {
    return s.size() >= suffix.size() && s.compare(s.size() - suffix.size(), suffix.size(), suffix) == 0;
}
}  // namespace

std::string PlainClient::ReadUntil(const std::string& suffix, int timeoutMs) {
    const auto until = Clock::now() + std::chrono::milliseconds(timeoutMs);
    char buffer[4096];
    while (!EndsWith(unread_, suffix) && Left(until) > 0) {
        if (WaitReadable(socket_, Left(until)) != WaitResult::Ready) break;
        long n = ReceiveSome(socket_, buffer, sizeof buffer);
        if (n <= 0) break;
        unread_.append(buffer, static_cast<size_t>(n));
    }
    std::string out;
    out.swap(unread_);
    return out;
}

std::string PlainClient::ReadFor(int timeoutMs) {
    const auto until = Clock::now() + std::chrono::milliseconds(timeoutMs);
    char buffer[4096];
    while (Left(until) > 0) {
        if (WaitReadable(socket_, Left(until)) != WaitResult::Ready) break;
        long n = ReceiveSome(socket_, buffer, sizeof buffer);
        if (n <= 0) break;
        unread_.append(buffer, static_cast<size_t>(n));
    }
    std::string out;
    out.swap(unread_);
    return out;
}

bool PlainClient::WaitClosed(int timeoutMs) {
    const auto until = Clock::now() + std::chrono::milliseconds(timeoutMs);
    char buffer[4096];
    while (Left(until) > 0) {
        if (WaitReadable(socket_, Left(until)) != WaitResult::Ready) return false;
        long n = ReceiveSome(socket_, buffer, sizeof buffer);
        if (n <= 0) return true;
        unread_.append(buffer, static_cast<size_t>(n));
    }
    return false;
}

std::string StripTelnetCommands(const std::string& raw) {
    std::string text;
    for (size_t i = 0; i < raw.size(); ++i) {
        if (static_cast<unsigned char>(raw[i]) != 255) text.push_back(raw[i]);
        else if (i + 1 < raw.size() && static_cast<unsigned char>(raw[i + 1]) == 255) text.push_back(raw[++i]);
        else i += 2;
    }
    return text;
}

}  // namespace routersim::testing
