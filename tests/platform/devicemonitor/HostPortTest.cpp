#include "HostPort.h"

#include <gtest/gtest.h>

namespace devicemonitor {
namespace {

void ExpectTarget(const char* text, int defaultPort, const std::string& host, int port) {
    auto r = ParseHostPort(text, defaultPort);
    ASSERT_TRUE(r.has_value()) << text;
    EXPECT_EQ(r->host, host) << text;
    EXPECT_EQ(r->port, port) << text;
}

TEST(HostPort, APortInTheTextOverridesTheArgument) {
    ExpectTarget("172.31.1.253", 23, "172.31.1.253", 23);
    ExpectTarget("127.0.0.1:2323", 23, "127.0.0.1", 2323);
    ExpectTarget("  localhost:65535 \t", 23, "localhost", 65535);
    ExpectTarget("router.example:1", 0, "router.example", 1);  // the argument is not needed then
    ExpectTarget("[::1]:2323", 23, "::1", 2323);
    ExpectTarget("[::1]", 23, "::1", 23);
    ExpectTarget("fe80::1", 23, "fe80::1", 23);  // several colons: an address, not a port
}

TEST(HostPort, MalformedTextsAreRejected) {
    EXPECT_FALSE(ParseHostPort(nullptr, 23));
    for (const char* bad : {"", "   ", "host:", ":23", "host:0", "host:65536", "host:123456", "host:2a",
                            "host:-1", "[::1", "[::1]x", "[::1]:", "[]:23", "two words"})
        EXPECT_FALSE(ParseHostPort(bad, 23).has_value()) << bad;
    EXPECT_FALSE(ParseHostPort("host", 0).has_value());
    EXPECT_FALSE(ParseHostPort("host", 70000).has_value());
    EXPECT_FALSE(ParseHostPort(std::string(400, 'a').c_str(), 23).has_value());
}

}  // namespace
}  // namespace devicemonitor
