// The client side of telnet for a router session: separates the router's text from the
// protocol's commands, answers option negotiation (accepting the server's echo and
// suppress-go-ahead, refusing everything else) and keeps its state across reads, so a
// command split over two packets is still recognised.
#pragma once

#include <cstddef>
#include <string>

namespace devicemonitor {

class TelnetClientFilter {
public:
    // A subnegotiation longer than this is taken as garbage; the bytes after it are text again.
    static constexpr size_t kMaxSubnegotiation = 4096;

    // Appends the router's text to *text (NUL bytes dropped, IAC IAC as one 255 byte) and the
    // answers the protocol requires to *replies.
    void Feed(const char* data, size_t size, std::string* text, std::string* replies);

    bool ServerEchoes() const { return him_[kEcho]; }
    bool ServerSuppressesGoAhead() const { return him_[kSga]; }

private:
    static constexpr unsigned char kEcho = 1, kSga = 3;
    enum class Mode { Data, Iac, Option, Sub, SubIac };

    void OnOption(unsigned char command, unsigned char option, std::string* replies);

    // Options enabled on the server's side (him) and on ours (us). A refusal is remembered
    // until the peer confirms it, so a repeated request is refused only once.
    bool him_[256] = {};
    bool us_[256] = {};
    bool refusedWill_[256] = {};
    bool refusedDo_[256] = {};
    Mode mode_ = Mode::Data;
    unsigned char command_ = 0;
    size_t subLength_ = 0;
};

}  // namespace devicemonitor
