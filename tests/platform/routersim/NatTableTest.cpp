#include "NatTable.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <sstream>

namespace routersim {
namespace {

std::vector<std::string> Fields(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> f;
    for (std::string w; in >> w;) f.push_back(w);
    return f;
}

bool IsInteger(const std::string& s) {
    return !s.empty() && s.find_first_not_of("0123456789") == std::string::npos;
}

// What the program's census reads from each table: Huawei rows start with an integer and
// carry the inside host in the fourth field; Cisco rows carry "host:port" third.
std::map<std::string, int> CountLikeTheCensus(Dialect dialect, const std::vector<std::string>& lines) {
    std::map<std::string, int> counts;
    for (const std::string& line : lines) {
        auto f = Fields(line);
        if (dialect == Dialect::Huawei) {
            if (f.size() >= 4 && IsInteger(f[0])) ++counts[f[3]];
        } else if (f.size() >= 3 && f[2].find(':') != std::string::npos) {
            ++counts[f[2].substr(0, f[2].find(':'))];
        }
    }
    return counts;
}

std::map<std::string, int> Expected(const std::vector<NatHost>& hosts) {
    std::map<std::string, int> m;
    for (const NatHost& h : hosts)
        if (h.sessions > 0) m[h.address] += h.sessions;
    return m;
}

TEST(NatTable, ListingsCountEverySessionOfEveryHostInBothDialects) {
    const std::vector<NatHost> hosts = {{"192.168.0.10", 150}, {"192.168.0.11", 100}, {"10.0.0.7", 1},
                                        {"192.168.0.12", 0}};
    for (Dialect d : {Dialect::Huawei, Dialect::Cisco}) {
        auto lines = NatListing(d, hosts);
        EXPECT_EQ(CountLikeTheCensus(d, lines), Expected(hosts)) << (d == Dialect::Cisco ? "cisco" : "huawei");
        for (const std::string& line : lines) {
            // A line ending like a prompt would stop a client's read loop in mid-listing.
            ASSERT_FALSE(!line.empty() && (line.back() == '#' || line.back() == '>' || line.back() == ']'))
                << line;
        }
    }
}

TEST(NatTable, HeadersHaveTheDevicesColumnsAndAreNotCountable) {
    auto cisco = NatListing(Dialect::Cisco, {{"192.168.0.2", 1}});
    ASSERT_EQ(cisco.size(), 2u);
    EXPECT_EQ(Fields(cisco[0]), (std::vector<std::string>{"Pro", "Inside", "global", "Inside", "local", "Outside",
                                                          "local", "Outside", "global"}));
    auto row = Fields(cisco[1]);
    ASSERT_EQ(row.size(), 5u);
    EXPECT_EQ(row[0], "tcp");
    EXPECT_EQ(row[2].rfind("192.168.0.2:", 0), 0u);

    auto huawei = NatListing(Dialect::Huawei, {{"192.168.0.2", 1}});
    ASSERT_GE(huawei.size(), 4u);
    EXPECT_EQ(Fields(huawei[0])[0], "There");
    EXPECT_EQ(Fields(huawei[2])[0], "Protocol");
    EXPECT_EQ(Fields(huawei[3])[3], "192.168.0.2");
    EXPECT_TRUE(IsInteger(Fields(huawei[3])[0]));

    EXPECT_TRUE(NatListing(Dialect::Cisco, {}).empty());
    EXPECT_EQ(CountLikeTheCensus(Dialect::Huawei, NatListing(Dialect::Huawei, {})).size(), 0u);
}

TEST(NatTable, HostsFirstAppearInTheOrderGiven) {
    auto lines = NatListing(Dialect::Cisco, {{"10.0.0.3", 2}, {"10.0.0.1", 5}, {"10.0.0.2", 2}});
    std::vector<std::string> order;
    for (size_t i = 1; i < lines.size(); ++i) {
        auto f = Fields(lines[i]);
        std::string host = f[2].substr(0, f[2].find(':'));
        if (std::find(order.begin(), order.end(), host) == order.end()) order.push_back(host);
    }
    EXPECT_EQ(order, (std::vector<std::string>{"10.0.0.3", "10.0.0.1", "10.0.0.2"}));
    // Interleaved, as a live table is: the big host's rows are not one block.
    EXPECT_NE(Fields(lines[2])[2].substr(0, 8), Fields(lines[1])[2].substr(0, 8));
}

TEST(NatTable, GeneratedTablesHoldExactlyTheSessionsAskedFor) {
    auto even = GenerateNatHosts(1003, 10, 0.0);
    ASSERT_EQ(even.size(), 10u);
    long total = 0;
    for (const NatHost& h : even) {
        total += h.sessions;
        EXPECT_TRUE(h.sessions == 100 || h.sessions == 101) << h.sessions;
    }
    EXPECT_EQ(total, 1003);

    auto skewed = GenerateNatHosts(5000, 300, 1.2);
    total = 0;
    for (size_t i = 0; i < skewed.size(); ++i) {
        total += skewed[i].sessions;
        if (i > 0) {
            EXPECT_GE(skewed[i - 1].sessions, skewed[i].sessions);
        }
    }
    EXPECT_EQ(total, 5000);
    EXPECT_GT(skewed[0].sessions, 10 * skewed[299].sessions);
    // Addresses stay valid and distinct past one /24.
    EXPECT_EQ(skewed[0].address, "192.168.0.2");
    EXPECT_EQ(skewed[253].address, "192.168.1.2");

    EXPECT_TRUE(GenerateNatHosts(-1, 10, 1).empty());
    EXPECT_TRUE(GenerateNatHosts(kMaxNatSessions + 1, 10, 1).empty());
    EXPECT_TRUE(GenerateNatHosts(10, 0, 1).empty());
    EXPECT_TRUE(GenerateNatHosts(10, 5, -0.5).empty());
}

TEST(NatTable, HostCountListsAreParsedStrictly) {
    std::vector<NatHost> hosts;
    std::string error;
    ASSERT_TRUE(ParseHostCounts("192.168.0.10=150,192.168.0.11=0", &hosts, &error)) << error;
    ASSERT_EQ(hosts.size(), 2u);
    EXPECT_EQ(hosts[0].address, "192.168.0.10");
    EXPECT_EQ(hosts[0].sessions, 150);
    EXPECT_EQ(hosts[1].sessions, 0);

    for (const char* bad : {"", "192.168.0.1", "=5", "a=-1", "a=5,", "a=5x", "a b=1", "a=999999999"}) {
        hosts = {{"untouched", 1}};
        EXPECT_FALSE(ParseHostCounts(bad, &hosts, &error)) << bad;
        EXPECT_EQ(hosts.size(), 1u) << bad;
    }
}

}  // namespace
}  // namespace routersim
