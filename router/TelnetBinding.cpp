#include "router/TelnetBinding.h"

#include <chrono>
#include <cstring>
#include <thread>

namespace router {

TTelnetBinding& TelnetBinding() {
    static TTelnetBinding binding = [] {
        TTelnetBinding initial;
        initial.Wait = SleepMilliseconds;
        return initial;
    }();
    return binding;
}

void SleepMilliseconds(int milliseconds) {
    if (milliseconds > 0) std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

//--- read buffer

TReadBuffer::TReadBuffer() : FData(new char[kReadBufferSize]()) {}

std::string TReadBuffer::Text() const {
    const void* nul = std::memchr(FData.get(), 0, kReadBufferSize);
    const std::size_t length =
        nul ? static_cast<std::size_t>(static_cast<const char*>(nul) - FData.get()) : kReadBufferSize;
    return std::string(FData.get(), length);
}

//--- session

TTelnetSession::TTelnetSession(const TTelnetBinding& binding, int handle, const std::string& host)
    : FBinding(binding), FHandle(handle), FHost(host),
      FReadsLeft(binding.MaxReads), FBytesLeft(binding.MaxBytes) {}

// The library's boolean results are tested on their low byte only.
bool TTelnetSession::Send(const std::string& line) const {
    if (!FBinding.new_do_command) return false;
    return (FBinding.new_do_command(FHandle, FHost.c_str(), line.c_str()) & 0xFF) != 0;
}

bool TTelnetSession::Read(TReadBuffer& buffer) {
    if (FReadsLeft > 0) --FReadsLeft;
    if (!FBinding.ReadResult) return false;
    return (FBinding.ReadResult(FHandle, FHost.c_str(), buffer.Data(), kReadBufferSize) & 0xFF) != 0;
}

bool TTelnetSession::Open() const {
    if (!FBinding.telnet_is_open) return true;
    return (FBinding.telnet_is_open(FHandle) & 0xFF) != 0;
}

void TTelnetSession::Wait(int milliseconds) const {
    if (FBinding.Wait) FBinding.Wait(milliseconds);
}

bool TTelnetSession::Append(const TReadBuffer& buffer, std::string& text) {
    const std::string piece = buffer.Text();
    if (piece.size() > FBytesLeft) {
        FBytesLeft = 0;
        return false;
    }
    FBytesLeft -= piece.size();
    text += piece;
    return true;
}

}  // namespace router
