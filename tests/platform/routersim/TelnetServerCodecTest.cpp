#include "TelnetServerCodec.h"

#include <gtest/gtest.h>

namespace routersim {
namespace {

std::string Cmd(unsigned char c, unsigned char o) {
    return {static_cast<char>(255), static_cast<char>(c), static_cast<char>(o)};
}

struct Fed {
    std::vector<std::string> lines, events;
    std::string replies;
};

Fed Feed(TelnetServerCodec& codec, const std::string& bytes) {
    Fed f;
    codec.Feed(bytes.data(), bytes.size(), &f.lines, &f.replies, &f.events);
    return f;
}

TEST(TelnetServerCodec, OffersEchoAndSuppressGoAheadLikeARouter) {
    TelnetServerCodec codec(true);
    std::string offers = codec.Offers();
    EXPECT_EQ(offers.substr(0, 6), Cmd(telnet::WILL, telnet::ECHO) + Cmd(telnet::WILL, telnet::SGA));
    EXPECT_NE(offers.find(Cmd(telnet::DO, telnet::TTYPE)), std::string::npos);
    EXPECT_TRUE(codec.EchoActive());
}

TEST(TelnetServerCodec, AcknowledgementsAndRepeatsAreNeverAnswered) {
    TelnetServerCodec codec(false);
    codec.Offers();
    // The client accepts what we offered: nothing to answer, also when it says so twice.
    auto f = Feed(codec, Cmd(telnet::DO, telnet::ECHO) + Cmd(telnet::DO, telnet::SGA) + Cmd(telnet::DO, telnet::ECHO));
    EXPECT_EQ(f.replies, "");
    EXPECT_EQ(f.events, (std::vector<std::string>{"DO ECHO", "DO SGA", "DO ECHO"}));
    // Refusing the window size we asked for is an answer, not a request.
    EXPECT_EQ(Feed(codec, Cmd(telnet::WONT, telnet::NAWS)).replies, "");
    // Requests for options we do not have are refused.
    EXPECT_EQ(Feed(codec, Cmd(telnet::DO, 39)).replies, Cmd(telnet::WONT, 39));
    EXPECT_EQ(Feed(codec, Cmd(telnet::WILL, 24)).replies, Cmd(telnet::DONT, 24));
    // Switching echo off is acknowledged once and ends our echo.
    EXPECT_EQ(Feed(codec, Cmd(telnet::DONT, telnet::ECHO)).replies, Cmd(telnet::WONT, telnet::ECHO));
    EXPECT_FALSE(codec.EchoActive());
    EXPECT_EQ(Feed(codec, Cmd(telnet::DONT, telnet::ECHO)).replies, "");
    // Asking for it again turns it back on.
    EXPECT_EQ(Feed(codec, Cmd(telnet::DO, telnet::ECHO)).replies, Cmd(telnet::WILL, telnet::ECHO));
    EXPECT_TRUE(codec.EchoActive());
}

TEST(TelnetServerCodec, EveryLineEndFormEndsExactlyOneLineAcrossReads) {
    TelnetServerCodec codec(false);
    std::vector<std::string> lines;
    for (std::string piece : {std::string("abc\r\n"), std::string("def\r\0", 5), std::string("ghi\n"),
                              std::string("jk\r"), std::string("\nlm\r"), std::string("\r\n")}) {
        auto f = Feed(codec, piece);
        lines.insert(lines.end(), f.lines.begin(), f.lines.end());
    }
    EXPECT_EQ(lines, (std::vector<std::string>{"abc", "def", "ghi", "jk", "lm", ""}));
}

TEST(TelnetServerCodec, CommandsAndSubnegotiationsNeverReachTheLineEvenWhenSplit) {
    TelnetServerCodec codec(false);
    codec.Offers();
    std::string stream = "sh" + Cmd(telnet::DO, telnet::SGA) + "ow" + std::string("\xff\xfa\x1f\x00\x50\x00\x18\xff\xf0", 9) +
                         " x\xff\xff" + "\r\n";
    std::vector<std::string> lines, events;
    for (char c : stream) {  // one byte per read: the hardest split there is
        auto f = Feed(codec, std::string(1, c));
        lines.insert(lines.end(), f.lines.begin(), f.lines.end());
        events.insert(events.end(), f.events.begin(), f.events.end());
    }
    EXPECT_EQ(lines, (std::vector<std::string>{"show x\xff"}));
    EXPECT_EQ(events, (std::vector<std::string>{"DO SGA", "SB NAWS"}));
}

TEST(TelnetServerCodec, RunawayInputIsBounded) {
    TelnetServerCodec codec(false);
    // A subnegotiation that never ends gives the session back after a bounded length.
    std::string sub = "\xff\xfa\x18" + std::string(TelnetServerCodec::kMaxSubnegotiation + 10, 'a') + "ok\r\n";
    auto f = Feed(codec, sub);
    ASSERT_EQ(f.lines.size(), 1u);
    EXPECT_EQ(f.lines[0].substr(f.lines[0].size() - 2), "ok");
    f = Feed(codec, std::string(TelnetServerCodec::kMaxLine * 3, 'x') + "\r\n");
    ASSERT_EQ(f.lines.size(), 1u);
    EXPECT_EQ(f.lines[0].size(), TelnetServerCodec::kMaxLine);
    f = Feed(codec, "abx\bc\x7f\x7f" "d\r\n");
    EXPECT_EQ(f.lines, (std::vector<std::string>{"ad"}));
}

TEST(TelnetServerCodec, OutputDoublesTheCommandByte) {
    EXPECT_EQ(TelnetServerCodec::EscapeOutput("a\xff" "b"), "a\xff\xff" "b");
    EXPECT_EQ(TelnetServerCodec::EscapeOutput("plain"), "plain");
}

}  // namespace
}  // namespace routersim
