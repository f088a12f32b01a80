#include "TelnetServerCodec.h"

namespace routersim {

using namespace telnet;

std::string TelnetOptionName(unsigned char option) {
    switch (option) {
    case ECHO: return "ECHO";
    case SGA: return "SGA";
    case TTYPE: return "TTYPE";
    case NAWS: return "NAWS";
    default: return std::to_string(option);
    }
}

static std::string CommandName(unsigned char cmd) {
    switch (cmd) {
    case WILL: return "WILL";
    case WONT: return "WONT";
    case DO: return "DO";
    default: return "DONT";
    }
}

static void Reply(std::string* replies, unsigned char cmd, unsigned char opt) {
    replies->push_back(static_cast<char>(IAC));
    replies->push_back(static_cast<char>(cmd));
    replies->push_back(static_cast<char>(opt));
}

TelnetServerCodec::TelnetServerCodec(bool askTerminalType, bool telnet)
    : askTerminalType_(askTerminalType), telnet_(telnet) {}

std::string TelnetServerCodec::Offers() {
    std::string out;
    us_[ECHO] = us_[SGA] = State::WantYes;
    Reply(&out, WILL, ECHO);
    Reply(&out, WILL, SGA);
    if (askTerminalType_) {
        him_[TTYPE] = State::WantYes;
        Reply(&out, DO, TTYPE);
    }
    him_[NAWS] = State::WantYes;
    Reply(&out, DO, NAWS);
    return out;
}

// A request for the state an option is already in, or the answer to our own request, is
// never answered; that is what keeps two peers from acknowledging each other for ever.
void TelnetServerCodec::OnOption(unsigned char cmd, unsigned char opt, std::string* replies) {
    const bool weSupport = opt == ECHO || opt == SGA;
    switch (cmd) {
    case DO:
        if (us_[opt] == State::WantYes) us_[opt] = State::Yes;
        else if (us_[opt] == State::No) {
            if (weSupport) us_[opt] = State::Yes;
            Reply(replies, weSupport ? WILL : WONT, opt);
        }
        break;
    case DONT:
        if (us_[opt] == State::Yes) Reply(replies, WONT, opt);
        us_[opt] = State::No;
        break;
    case WILL:
        if (him_[opt] == State::WantYes) him_[opt] = State::Yes;
        else if (him_[opt] == State::No) Reply(replies, DONT, opt);
        break;
    case WONT:
        if (him_[opt] == State::Yes) Reply(replies, DONT, opt);
        him_[opt] = State::No;
        break;
    }
}

void TelnetServerCodec::OnData(unsigned char b, std::vector<std::string>* lines) {
    if (afterCr_) {
        afterCr_ = false;
        if (b == '\n' || b == '\0') return;  // second half of CR LF or CR NUL
    }
    switch (b) {
    case '\r':
        afterCr_ = true;
        [[fallthrough]];
    case '\n':
        lines->push_back(std::move(line_));
        line_.clear();
        return;
    case '\0': return;
    case '\b':
    case 0x7F:
        if (!line_.empty()) line_.pop_back();
        return;
    default:
        if (line_.size() < kMaxLine) line_.push_back(static_cast<char>(b));
    }
}

void TelnetServerCodec::Feed(const char* data, size_t size, std::vector<std::string>* lines,
                             std::string* replies, std::vector<std::string>* events) {
    for (size_t i = 0; i < size; ++i) {
        const auto b = static_cast<unsigned char>(data[i]);
        if (!telnet_) {
            OnData(b, lines);
            continue;
        }
        switch (mode_) {
        case Mode::Data:
            if (b == IAC) mode_ = Mode::Iac;
            else OnData(b, lines);
            break;
        case Mode::Iac:
            mode_ = Mode::Data;
            if (b == IAC) OnData(b, lines);
            else if (b >= WILL && b <= DONT) {
                command_ = b;
                mode_ = Mode::Option;
            } else if (b == SB) {
                mode_ = Mode::Sub;
                subLength_ = 0;
            }
            // Other commands (NOP, GA, AYT, ...) carry nothing a line-oriented router needs.
            break;
        case Mode::Option:
            events->push_back(CommandName(command_) + " " + TelnetOptionName(b));
            OnOption(command_, b, replies);
            mode_ = Mode::Data;
            break;
        case Mode::Sub:
        case Mode::SubIac:
            if (subLength_++ == 0) events->push_back("SB " + TelnetOptionName(b));
            if (mode_ == Mode::SubIac) mode_ = b == SE ? Mode::Data : Mode::Sub;
            else if (b == IAC) mode_ = Mode::SubIac;
            // A subnegotiation that never ends must not swallow the rest of the session.
            if (mode_ != Mode::Data && subLength_ > kMaxSubnegotiation) mode_ = Mode::Data;
            break;
        }
    }
}

std::string TelnetServerCodec::EscapeOutput(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        out.push_back(c);
        if (static_cast<unsigned char>(c) == IAC) out.push_back(c);
    }
    return out;
}

}  // namespace routersim
