#include "NatTable.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace routersim {

std::string GeneratedHostAddress(int index) {
    // Host parts 2..254 in each /24, so no generated host is a network or broadcast address.
    char text[32];
    std::snprintf(text, sizeof text, "192.168.%d.%d", (index / 253) % 256, 2 + index % 253);
    return text;
}

std::vector<NatHost> GenerateNatHosts(long sessions, int hosts, double skew) {
    std::vector<NatHost> out;
    if (sessions < 0 || sessions > kMaxNatSessions || hosts <= 0 || hosts > kMaxNatHosts ||
        !(skew >= 0.0 && skew <= 16.0))
        return out;
    std::vector<double> weight(static_cast<size_t>(hosts));
    double total = 0;
    for (int i = 0; i < hosts; ++i) total += weight[i] = 1.0 / std::pow(i + 1.0, skew);
    long assigned = 0;
    for (int i = 0; i < hosts; ++i) {
        long share = static_cast<long>(std::floor(static_cast<double>(sessions) * weight[i] / total));
        out.push_back({GeneratedHostAddress(i), static_cast<int>(share)});
        assigned += share;
    }
    // Rounding leftovers go to the first hosts, which keeps the order by size intact.
    for (int i = 0; assigned < sessions; i = (i + 1) % hosts, ++assigned) ++out[i].sessions;
    return out;
}

static bool ParseCount(const std::string& text, long* value) {
    if (text.empty() || text.size() > 9) return false;
    for (char c : text)
        if (c < '0' || c > '9') return false;
    *value = std::strtol(text.c_str(), nullptr, 10);
    return true;
}

bool ParseHostCounts(const std::string& text, std::vector<NatHost>* out, std::string* error) {
    std::vector<NatHost> hosts;
    long total = 0;
    size_t start = 0;
    while (start <= text.size()) {
        size_t comma = text.find(',', start);
        if (comma == std::string::npos) comma = text.size();
        std::string item = text.substr(start, comma - start);
        size_t eq = item.find('=');
        long count = 0;
        if (eq == std::string::npos || eq == 0 || !ParseCount(item.substr(eq + 1), &count)) {
            *error = "expected address=count, got \"" + item + "\"";
            return false;
        }
        std::string address = item.substr(0, eq);
        if (address.find_first_of(" \t\r\n") != std::string::npos) {
            *error = "blank inside address \"" + address + "\"";
            return false;
        }
        total += count;
        if (total > kMaxNatSessions || static_cast<int>(hosts.size()) >= kMaxNatHosts) {
            *error = "table too large";
            return false;
        }
        hosts.push_back({address, static_cast<int>(count)});
        start = comma + 1;
    }
    *out = std::move(hosts);
    return true;
}

namespace {

struct SessionFields {
    const char* protocolName;
    int protocolNumber;
    int globalPort;
    int insidePort;
    std::string dest;
    int destPort;
};

SessionFields FieldsFor(long serial, int hostSerial) {
    static const int kDestPorts[] = {80, 443, 53, 8080};
    SessionFields f;
    f.destPort = kDestPorts[serial % 4];
    bool udp = f.destPort == 53;
    f.protocolName = udp ? "udp" : "tcp";
    f.protocolNumber = udp ? 17 : 6;
    f.globalPort = 12288 + static_cast<int>(serial % 53248);
    f.insidePort = 1024 + hostSerial % 64000;
    f.dest = "198.51.100." + std::to_string(1 + serial % 254);
    return f;
}

void AppendRow(Dialect dialect, const std::string& inside, const SessionFields& f,
               std::vector<std::string>& lines) {
    char row[256];
    if (dialect == Dialect::Huawei) {
        std::snprintf(row, sizeof row, "%-9d %-15s %-6d %-15s %-6d %-15s %d", f.protocolNumber,
                      "203.0.113.1", f.globalPort, inside.c_str(), f.insidePort, f.dest.c_str(),
                      f.destPort);
        lines.emplace_back(row);
        lines.emplace_back("   VPN:    0,  status:   11,  TTL:  00:01:00,  Left:  00:00:59");
    } else {
        std::string global = "203.0.113.1:" + std::to_string(f.globalPort);
        std::string local = inside + ":" + std::to_string(f.insidePort);
        std::string outside = f.dest + ":" + std::to_string(f.destPort);
        std::snprintf(row, sizeof row, "%s %-21s %-21s %-21s %s", f.protocolName, global.c_str(),
                      local.c_str(), outside.c_str(), outside.c_str());
        lines.emplace_back(row);
    }
}

}  // namespace

std::vector<std::string> NatListing(Dialect dialect, const std::vector<NatHost>& hosts) {
    long total = 0;
    for (const NatHost& h : hosts) total += h.sessions > 0 ? h.sessions : 0;
    std::vector<std::string> lines;
    lines.reserve(static_cast<size_t>(total) * (dialect == Dialect::Huawei ? 2 : 1) + 3);
    if (dialect == Dialect::Huawei) {
        lines.push_back("  There are currently " + std::to_string(total) + " NAT sessions:");
        lines.push_back("");
        lines.push_back("Protocol  GlobalAddr      Port   InsideAddr      Port   DestAddr        Port");
    } else if (total > 0) {
        lines.push_back("Pro Inside global         Inside local          Outside local         Outside global");
    }
    // Round-robin over the hosts that still have sessions; exhausted hosts drop out.
    std::vector<size_t> active;
    for (size_t i = 0; i < hosts.size(); ++i)
        if (hosts[i].sessions > 0) active.push_back(i);
    long serial = 0;
    for (int round = 0; !active.empty(); ++round) {
        std::vector<size_t> next;
        for (size_t i : active) {
            AppendRow(dialect, hosts[i].address, FieldsFor(serial++, round), lines);
            if (round + 1 < hosts[i].sessions) next.push_back(i);
        }
        active.swap(next);
    }
    return lines;
}

}  // namespace routersim
