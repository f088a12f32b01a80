// The server side of the telnet protocol as routers speak it: offers echo and
// suppress-go-ahead at connect, answers the client's option requests without ever
// acknowledging an acknowledgement, strips commands and subnegotiations from the input,
// and assembles the remaining bytes into lines (CR LF, CR NUL, lone CR or LF end a line).
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace routersim {

namespace telnet {
inline constexpr unsigned char IAC = 255, DONT = 254, DO = 253, WONT = 252, WILL = 251, SB = 250,
                               SE = 240;
inline constexpr unsigned char ECHO = 1, SGA = 3, TTYPE = 24, NAWS = 31;
}  // namespace telnet

class TelnetServerCodec {
public:
    static constexpr size_t kMaxLine = 4096;      // longer input lines are cut
    static constexpr size_t kMaxSubnegotiation = 4096;

    // `askTerminalType`: also request the terminal type, as some devices do at connect.
    // Without `telnet` the input is plain text (a terminal): every byte is data.
    explicit TelnetServerCodec(bool askTerminalType, bool telnet = true);

    // What the server sends right after accepting a connection.
    std::string Offers();

    // Consumes received bytes. Completed lines go to *lines, negotiation answers to *replies
    // (send them before anything else), and each option command or subnegotiation the client
    // sent is described in *events ("DO ECHO", "WONT NAWS", "SB TTYPE", ...).
    void Feed(const char* data, size_t size, std::vector<std::string>* lines, std::string* replies,
              std::vector<std::string>* events);

    // The client has not refused our echo: we echo what it types.
    bool EchoActive() const { return us_[telnet::ECHO] != State::No; }

    // Output text with every 255 byte doubled, as the protocol requires.
    static std::string EscapeOutput(const std::string& text);

private:
    enum class State : unsigned char { No, WantYes, Yes };
    enum class Mode { Data, Iac, Option, Sub, SubIac };

    void OnOption(unsigned char cmd, unsigned char opt, std::string* replies);
    void OnData(unsigned char b, std::vector<std::string>* lines);

    State us_[256] = {};    // options the server performs
    State him_[256] = {};   // options the client performs
    bool askTerminalType_;
    bool telnet_;
    Mode mode_ = Mode::Data;
    unsigned char command_ = 0;
    size_t subLength_ = 0;
    bool afterCr_ = false;
    std::string line_;
};

std::string TelnetOptionName(unsigned char option);

}  // namespace routersim
