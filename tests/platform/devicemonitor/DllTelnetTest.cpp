// What the DLL does with raw telnet bytes: negotiation, escapes, NULs, subnegotiations,
// delivery in pieces and the end of a session.
#include "DllTestSupport.h"
#include "RawTelnetServer.h"

#include <gtest/gtest.h>

namespace dmtest {
namespace {

const std::string IAC = "\xff";
std::string Cmd(unsigned char c, unsigned char o) { return IAC + static_cast<char>(c) + static_cast<char>(o); }
constexpr unsigned char DONT = 254, DO = 253, WONT = 252, WILL = 251;

TEST(DllTelnet, NegotiationSplitAcrossPacketsIsAnsweredOnceAndNeverDelivered) {
    RawTelnetServer server([](RawTelnetServer& s) {
        s.Send(IAC);
        s.Pause(60);
        s.Send("\xfb");
        s.Pause(60);
        s.Send("\x01" "hel");
        s.Pause(60);
        s.Send("lo" + Cmd(WILL, 1) + Cmd(DO, 24) + Cmd(DO, 24) + Cmd(WILL, 200) + Cmd(WILL, 3) + "\r\n>");
    });
    int h = telnet_connect(server.Host().c_str(), 23, 1);
    ASSERT_GT(h, 0);
    std::string text = ReadUntilSuffix(h, server.Host(), ">");
    EXPECT_EQ(text, "hello\r\n>");
    // The answers went out while reading; a request repeated is not answered twice.
    ASSERT_TRUE(server.WaitReceived(Cmd(DO, 3), 2000));
    EXPECT_EQ(server.Received(), Cmd(DO, 1) + Cmd(WONT, 24) + Cmd(DONT, 200) + Cmd(DO, 3));
}

TEST(DllTelnet, EscapedBytesNulsAndSubnegotiationsSplitAnywhereLeaveOnlyTheText) {
    RawTelnetServer server([](RawTelnetServer& s) {
        for (const std::string& piece :
             {std::string("a\xff"), std::string("\xff" "b"), std::string("\xff\xfa"), std::string("\x18\x01\xff"),
              std::string("\xff\x02\xff\xf0" "c"), std::string("\r\0", 2), std::string("d\0e\xff", 4),
              std::string("\xf1" "f\r\n<Huawei>")}) {
            s.Send(piece);
            s.Pause(40);
        }
    });
    int h = telnet_connect(server.Host().c_str(), 23, 1);
    ASSERT_GT(h, 0);
    EXPECT_EQ(ReadUntilSuffix(h, server.Host(), "<Huawei>"), "a\xff" "bc\rdef\r\n<Huawei>");
}

TEST(DllTelnet, LongOutputIsDeliveredInPiecesThatFitTheBuffer) {
    std::string pattern;
    for (int i = 0; pattern.size() < 5000; ++i) pattern += "row " + std::to_string(i) + "\r\n";
    RawTelnetServer server([&pattern](RawTelnetServer& s) { s.Send(pattern); });
    int h = telnet_connect(server.Host().c_str(), 23, 1);
    ASSERT_GT(h, 0);

    // Too small to hold any text: nothing is delivered and nothing is lost.
    GuardedRead tiny = ReadGuarded(h, 1);
    EXPECT_EQ(tiny.result, 0);
    EXPECT_TRUE(tiny.terminated);
    EXPECT_TRUE(tiny.guardIntact);
    char untouched = 'u';
    EXPECT_EQ(ReadResult(h, "", &untouched, 0), 0);
    EXPECT_EQ(untouched, 'u');
    EXPECT_EQ(ReadResult(h, "", nullptr, 100), 0);

    std::string all;
    for (int i = 0; i < 200 && all.size() < pattern.size(); ++i) {
        GuardedRead r = ReadGuarded(h, 64);
        ASSERT_EQ(r.result, 1) << "after " << all.size() << " bytes";
        ASSERT_TRUE(r.terminated);
        ASSERT_TRUE(r.guardIntact);
        ASSERT_LE(r.text.size(), 63u);
        ASSERT_FALSE(r.text.empty());
        all += r.text;
    }
    EXPECT_EQ(all, pattern);
}

TEST(DllTelnet, APeerThatClosesGivesItsLastTextThenZero) {
    RawTelnetServer server([](RawTelnetServer& s) {
        s.Send("bye\r\n");
        s.Close();
    });
    int h = telnet_connect(server.Host().c_str(), 23, 1);
    ASSERT_GT(h, 0);
    GuardedRead first = ReadGuarded(h, kProgramBufferSize);
    EXPECT_EQ(first.result, 1);
    EXPECT_EQ(first.text, "bye\r\n");
    GuardedRead after = ReadGuarded(h, kProgramBufferSize);
    EXPECT_EQ(after.result, 0);
    EXPECT_EQ(after.text, "");
    EXPECT_EQ(new_do_command(h, "", "show"), 0);
}

TEST(DllTelnet, CommandsEndInCrLfWithTheCommandByteDoubled) {
    RawTelnetServer server([](RawTelnetServer& s) { s.Send("Router#"); });
    int h = telnet_connect(server.Host().c_str(), 23, 1);
    ASSERT_GT(h, 0);
    EXPECT_EQ(new_do_command(h, server.Host().c_str(), "show \xff"), 1);
    EXPECT_EQ(new_do_command(h, server.Host().c_str(), ""), 1);
    EXPECT_EQ(new_do_command(h, server.Host().c_str(), nullptr), 0);
    ASSERT_TRUE(server.WaitReceived("show \xff\xff\r\n\r\n", 2000)) << server.Received();
    EXPECT_EQ(server.Received(), "show \xff\xff\r\n\r\n");
}

}  // namespace
}  // namespace dmtest
