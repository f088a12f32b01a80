#include "DllTestSupport.h"

#include <chrono>
#include <cstring>
#include <thread>
#include <vector>

namespace dmtest {

std::string LoopbackHost(std::uint16_t port) { return "127.0.0.1:" + std::to_string(port); }

bool EndsWith(const std::string& s, const std::string& suffix) {
    return s.size() >= suffix.size() && s.compare(s.size() - suffix.size(), suffix.size(), suffix) == 0;
}

std::string ReadUntil(int handle, const std::string& host, const std::function<bool(const std::string&)>& done,
                      int maxReads) {
    std::vector<char> buffer(kProgramBufferSize, 0);
    std::string gathered;
    for (int i = 0; i < maxReads; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        if ((ReadResult(handle, host.c_str(), buffer.data(), kProgramBufferSize) & 0xFF) == 0) break;
        gathered += buffer.data();
        if (done(gathered)) break;
    }
    return gathered;
}

std::string ReadUntilSuffix(int handle, const std::string& host, const std::string& suffix) {
    return ReadUntil(handle, host, [&](const std::string& s) { return EndsWith(s, suffix); });
}

GuardedRead ReadGuarded(int handle, int size) {
    constexpr int kGuard = 32;
    std::vector<char> buffer(static_cast<size_t>(size) + kGuard, '\x5a');
    GuardedRead r;
    r.result = ReadResult(handle, "", buffer.data(), size);
    const void* nul = std::memchr(buffer.data(), '\0', static_cast<size_t>(size));
    r.terminated = nul != nullptr;
    r.text.assign(buffer.data(), nul ? static_cast<const char*>(nul) - buffer.data() : 0);
    r.guardIntact = true;
    for (int i = size; i < size + kGuard; ++i) r.guardIntact = r.guardIntact && buffer[i] == '\x5a';
    return r;
}

std::string LastLine(const std::string& text) {
    std::string t = text;
    while (!t.empty() && (t.back() == '\r' || t.back() == '\n')) t.pop_back();
    size_t cut = t.rfind("\r\n");
    return cut == std::string::npos ? t : t.substr(cut + 2);
}

}  // namespace dmtest
