#include "TelnetClientFilter.h"

namespace devicemonitor {

namespace {
constexpr unsigned char IAC = 255, DONT = 254, DO = 253, WONT = 252, WILL = 251, SB = 250, SE = 240;

void Reply(std::string* replies, unsigned char command, unsigned char option) {
    replies->push_back(static_cast<char>(IAC));
    replies->push_back(static_cast<char>(command));
    replies->push_back(static_cast<char>(option));
}
}  // namespace

// Answers only requests that would change an option's state; acknowledgements and repeats
// of a request already answered get no reply, so two peers can never answer each other
// for ever.
void TelnetClientFilter::OnOption(unsigned char command, unsigned char option, std::string* replies) {
    switch (command) {
    case WILL:
        if (option == kEcho || option == kSga) {
            if (!him_[option]) Reply(replies, DO, option);
            him_[option] = true;
        } else if (!refusedWill_[option]) {
            refusedWill_[option] = true;
            Reply(replies, DONT, option);
        }
        break;
    case WONT:
        if (him_[option]) Reply(replies, DONT, option);
        him_[option] = false;
        refusedWill_[option] = false;
        break;
    case DO:
        // We never send go-aheads anyway, so suppressing them costs nothing.
        if (option == kSga) {
            if (!us_[option]) Reply(replies, WILL, option);
            us_[option] = true;
        } else if (!refusedDo_[option]) {
            refusedDo_[option] = true;
            Reply(replies, WONT, option);
        }
        break;
    case DONT:
        if (us_[option]) Reply(replies, WONT, option);
        us_[option] = false;
        refusedDo_[option] = false;
        break;
    }
}

void TelnetClientFilter::Feed(const char* data, size_t size, std::string* text, std::string* replies) {
    for (size_t i = 0; i < size; ++i) {
        const auto b = static_cast<unsigned char>(data[i]);
        switch (mode_) {
        case Mode::Data:
            if (b == IAC) mode_ = Mode::Iac;
            else if (b != 0) text->push_back(static_cast<char>(b));
            break;
        case Mode::Iac:
            mode_ = Mode::Data;
            if (b == IAC) {
                text->push_back(static_cast<char>(b));
            } else if (b >= WILL && b <= DONT) {
                command_ = b;
                mode_ = Mode::Option;
            } else if (b == SB) {
                mode_ = Mode::Sub;
                subLength_ = 0;
            }
            // NOP, GA, DM, AYT and the other one-byte commands carry no text.
            break;
        case Mode::Option:
            OnOption(command_, b, replies);
            mode_ = Mode::Data;
            break;
        case Mode::Sub:
            if (b == IAC) mode_ = Mode::SubIac;
            break;
        case Mode::SubIac:
            mode_ = b == SE ? Mode::Data : Mode::Sub;  // IAC IAC inside is a data byte
            break;
        }
        if ((mode_ == Mode::Sub || mode_ == Mode::SubIac) && ++subLength_ > kMaxSubnegotiation)
            mode_ = Mode::Data;
    }
}

}  // namespace devicemonitor
