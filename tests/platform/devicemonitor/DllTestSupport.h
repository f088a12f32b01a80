// Reading from devicemonitor.dll the way the router dialogue does, for the DLL tests.
#pragma once

#include "devicemonitor.h"

#include <cstdint>
#include <functional>
#include <string>

namespace dmtest {

constexpr int kProgramBufferSize = 0x4000;

std::string LoopbackHost(std::uint16_t port);
bool EndsWith(const std::string& s, const std::string& suffix);

// Polls like the program: 100 ms pause, ReadResult into one zero-filled 16 KiB buffer that
// is reused without clearing, text taken up to the first NUL; stops at a zero result or
// when done(gathered) holds. maxReads bounds the loop.
std::string ReadUntil(int handle, const std::string& host, const std::function<bool(const std::string&)>& done,
                      int maxReads = 60);
std::string ReadUntilSuffix(int handle, const std::string& host, const std::string& suffix);

// One ReadResult into a buffer of `size` bytes followed by guard bytes.
struct GuardedRead {
    int result = 0;
    std::string text;          // up to the first NUL
    bool terminated = false;   // a NUL within the first size bytes
    bool guardIntact = false;  // nothing written past size
};
GuardedRead ReadGuarded(int handle, int size);

// The last line of a text cut at CR LF pairs (the program's rule).
std::string LastLine(const std::string& text);

}  // namespace dmtest
