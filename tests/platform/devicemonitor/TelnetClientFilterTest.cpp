#include "TelnetClientFilter.h"
#include "TelnetServerCodec.h"

#include <gtest/gtest.h>

namespace devicemonitor {
namespace {

constexpr unsigned char IAC = 255, DONT = 254, DO = 253, WONT = 252, WILL = 251, SB = 250, SE = 240;

std::string Cmd(unsigned char c, unsigned char o) {
    return {static_cast<char>(IAC), static_cast<char>(c), static_cast<char>(o)};
}

struct Out {
    std::string text, replies;
};

Out Feed(TelnetClientFilter& f, const std::string& bytes) {
    Out o;
    f.Feed(bytes.data(), bytes.size(), &o.text, &o.replies);
    return o;
}

// Feeds one byte at a time: every state must survive any split between reads.
Out FeedBytewise(TelnetClientFilter& f, const std::string& bytes) {
    Out all;
    for (char c : bytes) {
        Out o = Feed(f, std::string(1, c));
        all.text += o.text;
        all.replies += o.replies;
    }
    return all;
}

TEST(TelnetClientFilter, AcceptsEchoAndSuppressGoAheadOnceAndRefusesTheRestOnce) {
    TelnetClientFilter f;
    Out o = FeedBytewise(f, Cmd(WILL, 1) + Cmd(WILL, 3) + Cmd(DO, 24) + Cmd(DO, 31) + Cmd(WILL, 200) +
                                Cmd(WILL, 1) + Cmd(DO, 24) + Cmd(WILL, 200));
    EXPECT_EQ(o.text, "");
    EXPECT_EQ(o.replies, Cmd(DO, 1) + Cmd(DO, 3) + Cmd(WONT, 24) + Cmd(WONT, 31) + Cmd(DONT, 200));
    EXPECT_TRUE(f.ServerEchoes());
    EXPECT_TRUE(f.ServerSuppressesGoAhead());

    // The peer confirming our refusal needs no answer; a later new request is refused again.
    EXPECT_EQ(Feed(f, Cmd(DONT, 24)).replies, "");
    EXPECT_EQ(Feed(f, Cmd(DO, 24)).replies, Cmd(WONT, 24));
    // Switching echo off is acknowledged, then ignored when repeated.
    EXPECT_EQ(Feed(f, Cmd(WONT, 1)).replies, Cmd(DONT, 1));
    EXPECT_EQ(Feed(f, Cmd(WONT, 1)).replies, "");
    EXPECT_FALSE(f.ServerEchoes());
    // Our own suppress-go-ahead is granted when asked and can be withdrawn.
    EXPECT_EQ(Feed(f, Cmd(DO, 3) + Cmd(DO, 3)).replies, Cmd(WILL, 3));
    EXPECT_EQ(Feed(f, Cmd(DONT, 3)).replies, Cmd(WONT, 3));
}

TEST(TelnetClientFilter, TextSurvivesCommandsNulsAndSubnegotiationsSplitAnywhere) {
    TelnetClientFilter f;
    const std::string stream = "ab" + Cmd(WILL, 1) + "c\xff\xff" "d" + std::string("\r\0e", 3) +
                               "\xff\xfa\x18\x01\xff\xff\x02\xff\xf0" + "f" + "\xff\xf9" /* GA */ + "\xff\xf1" /* NOP */ +
                               std::string("g\0\0h\r\n", 6);
    Out o = FeedBytewise(f, stream);
    EXPECT_EQ(o.text, "abc\xff" "d\refgh\r\n");
    EXPECT_EQ(o.replies, Cmd(DO, 1));
    // The same stream in one piece gives the same text.
    TelnetClientFilter whole;
    EXPECT_EQ(Feed(whole, stream).text, o.text);
}

TEST(TelnetClientFilter, AnEndlessSubnegotiationGivesTheTextBack) {
    TelnetClientFilter f;
    std::string garbage = std::string("\xff\xfa\x18", 3) + std::string(TelnetClientFilter::kMaxSubnegotiation, 'z');
    Out o = Feed(f, garbage + "Router>");
    ASSERT_GE(o.text.size(), 7u);
    EXPECT_EQ(o.text.substr(o.text.size() - 7), "Router>");
    EXPECT_LT(o.text.size(), 20u);
}

// Plays the router's opening negotiation against the client until both fall silent: the
// exchange must settle within a couple of rounds instead of answering answers for ever.
TEST(TelnetClientFilter, NegotiationWithTheSimulatedRouterSettles) {
    for (bool askTerminalType : {false, true}) {
        routersim::TelnetServerCodec server(askTerminalType);
        TelnetClientFilter client;
        std::string toClient = server.Offers();
        int rounds = 0;
        while (!toClient.empty() && rounds < 10) {
            Out o = Feed(client, toClient);
            EXPECT_EQ(o.text, "");
            std::vector<std::string> lines, events;
            toClient.clear();
            server.Feed(o.replies.data(), o.replies.size(), &lines, &toClient, &events);
            ++rounds;
        }
        EXPECT_LE(rounds, 2);
        EXPECT_TRUE(client.ServerEchoes());
        EXPECT_TRUE(server.EchoActive());
    }
}

}  // namespace
}  // namespace devicemonitor
