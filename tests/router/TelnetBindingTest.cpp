#include "router/TelnetBinding.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "FakeTelnet.h"
#include "router/CommandOutput.h"
#include "router/Login.h"

using router::TReadBuffer;
using router::TTelnetSession;

namespace {
bool Never(const std::string&) { return false; }
}  // namespace

TEST(TelnetBindingTest, BufferTextStopsAtFirstNulOrBufferEnd) {
    TReadBuffer buffer;
    EXPECT_EQ(buffer.Text(), "");  // zero-filled
    std::memcpy(buffer.Data(), "ab\0cd", 5);
    EXPECT_EQ(buffer.Text(), "ab");
    // A library that fills the whole buffer without a NUL: the text is bounded by the buffer.
    std::memset(buffer.Data(), 'z', router::kReadBufferSize);
    EXPECT_EQ(buffer.Text(), std::string(router::kReadBufferSize, 'z'));
}

TEST(TelnetBindingTest, BufferIsReusedWithoutClearing) {
    TFakeTelnet fake;
    const router::TTelnetBinding binding = fake.Binding();
    fake.Output("ABCDEFGH");
    fake.Raw("xy", 1);  // a delivery the library forgot to terminate
    fake.Output("z");
    TTelnetSession session(binding, 5, "127.0.0.1");
    TReadBuffer buffer;
    std::string text;
    session.ReadUntil(buffer, text, Never);
    // The second read shows the first one's tail: only the library's NUL separates deliveries.
    EXPECT_EQ(text, "ABCDEFGHxyCDEFGHz");
    ASSERT_EQ(fake.ReadBuffers.size(), 4u);  // three deliveries and the empty read that ends it
    for (std::size_t i = 0; i < fake.ReadBuffers.size(); ++i) {
        EXPECT_EQ(fake.ReadBuffers[i], fake.ReadBuffers[0]);
        EXPECT_EQ(fake.ReadSizes[i], 0x4000);
        EXPECT_EQ(fake.Handles[i], 5);
        EXPECT_EQ(fake.Hosts[i], "127.0.0.1");
    }
}

TEST(TelnetBindingTest, PollWaitsBeforeEveryRead) {
    TFakeTelnet fake;
    const router::TTelnetBinding binding = fake.Binding();
    fake.Output("a");
    fake.Output("b");
    TTelnetSession session(binding, 1, "h");
    TReadBuffer buffer;
    std::string text;
    session.ReadUntil(buffer, text, Never);
    EXPECT_EQ(fake.Events, (std::vector<std::string>{"wait 100", "read", "wait 100", "read", "wait 100", "read"}));
}

TEST(TelnetBindingTest, OnlyTheLowByteOfResultsCounts) {
    TFakeTelnet fake;
    const router::TTelnetBinding binding = fake.Binding();
    fake.SendResult = 0x100;
    TTelnetSession session(binding, 1, "h");
    EXPECT_FALSE(session.Send("enable"));
    fake.SendResult = 0x101;
    EXPECT_TRUE(session.Send("enable"));
    fake.Raw(std::string("text\0", 5), 0x200);
    TReadBuffer buffer;
    EXPECT_FALSE(session.Read(buffer));
}

TEST(TelnetBindingTest, EmptyTableFailsEveryCall) {
    const router::TTelnetBinding none;
    int session = 0;
    EXPECT_FALSE(router::HuaweiLogin("h", session, "u", "p", "s", none));
    EXPECT_EQ(session, -1);
    EXPECT_FALSE(router::CiscoLogout("h", 3, none));
    EXPECT_TRUE(router::HuaweiCommandOutput("h", "display nat sess", 3, none).empty());
}

namespace {
int QUELLOX_TELNET_API EndlessRead(int, const char*, char* buffer, int) {
    std::memcpy(buffer, "line\r\n", 7);
    return 1;
}
int QUELLOX_TELNET_API AcceptCommand(int, const char*, const char*) { return 1; }
}  // namespace

TEST(TelnetBindingTest, EndlessOutputEndsAtTheReadLimit) {
    router::TTelnetBinding binding;
    binding.ReadResult = EndlessRead;
    binding.new_do_command = AcceptCommand;
    binding.MaxReads = 500;
    const auto lines = router::CiscoCommandOutput("h", "show ip nat tran", 1, binding);
    EXPECT_EQ(lines.size(), 500u);
}

TEST(TelnetBindingTest, EndlessOutputEndsAtTheByteLimit) {
    router::TTelnetBinding binding;
    binding.ReadResult = EndlessRead;
    binding.new_do_command = AcceptCommand;
    binding.MaxBytes = 6 * 40 + 3;  // 40 deliveries fit, the 41st does not
    const auto lines = router::HuaweiCommandOutput("h", "display nat sess", 1, binding);
    EXPECT_EQ(lines.size(), 40u);
}
