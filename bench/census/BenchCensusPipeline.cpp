// The census pipeline on a 1,000,000-line Huawei NAT table (200 hosts, skewed): split, parse,
// count and sort, measured against `awk '{print $4}' | sort | uniq -c | sort -rn` on the same
// text in the same run (where a shell is available). Prints the ratio and checks that both
// give the same ranking.
#include "router/Census.h"
#include "router/RouterText.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#if defined(_WIN32)
#include <windows.h>
#include <psapi.h>
#else
#include <sys/resource.h>
#endif

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point since) { return std::chrono::duration<double>(Clock::now() - since).count(); }

// Host i holds a share proportional to 1/(i+1); rows interleave like a router's table.
std::string MakeTable(int lines, int hosts) {
    std::vector<double> weight(hosts);
    double sum = 0;
    for (int i = 0; i < hosts; ++i) sum += weight[i] = 1.0 / (i + 1);
    std::vector<int> left(hosts);
    int given = 0;
    for (int i = 0; i < hosts; ++i) given += left[i] = static_cast<int>(lines * weight[i] / sum);
    left[0] += lines - given;
    std::string text = "display nat sess\r\n  There are currently " + std::to_string(lines) + " NAT sessions:\r\n\r\n";
    text += "Protocol  GlobalAddr      Port   InsideAddr      Port   DestAddr        Port\r\n";
    char row[160];
    for (int written = 0, round = 0; written < lines; ++round)
        for (int h = 0; h < hosts; ++h) {
            if (left[h] == 0) continue;
            --left[h];
            ++written;
            std::snprintf(row, sizeof row, "%-9d %-15s %-6d %-15s %-6d %-15s %d\r\n", 6, "203.0.113.1",
                          10000 + written % 50000, ("192.168." + std::to_string(h / 250) + "." + std::to_string(h % 250 + 2)).c_str(),
                          1024 + round % 60000, "198.51.100.7", 443);
            text += row;
        }
    return text + "<Quidway>";
}

long PeakMemoryKiB() {
#if defined(_WIN32)
    PROCESS_MEMORY_COUNTERS pmc{};
    ::GetProcessMemoryInfo(::GetCurrentProcess(), &pmc, sizeof(pmc));
    return static_cast<long>(pmc.PeakWorkingSetSize / 1024);
#else
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
#endif
}

}  // namespace

int main() {
    const int kLines = 1000000, kHosts = 200;
    std::string table = MakeTable(kLines, kHosts);
    long baseKiB = PeakMemoryKiB();
    std::printf("table: %d session lines, %d hosts, %.1f MB of text\n", kLines, kHosts, table.size() / 1e6);

    // Best of three for our pipeline.
    double ours = 1e9;
    router::strecord counts;
    for (int run = 0; run < 3; ++run) {
        auto start = Clock::now();
        router::strecord c;
        router::CountHuaweiText(table, c);  // split, parse and count, as the census does
        router::SortIpCounts(c);
        ours = std::min(ours, Seconds(start));
        counts = std::move(c);
    }
    long total = 0;
    for (const auto& c : counts) total += c.Count;
    std::printf("pipeline: %.3f s (best of 3), %zu hosts, %ld sessions counted\n", ours, counts.size(), total);
    std::printf("peak memory: %ld KiB in all, %ld KiB before the census (table text held)\n", PeakMemoryKiB(), baseKiB);

#if !defined(_WIN32)
    const char* path = "/tmp/quellox_bench_table.txt";
    std::ofstream(path, std::ios::binary) << table;
    auto start = Clock::now();
    std::string command = std::string("awk '{print $4}' ") + path + " | sort | uniq -c | sort -rn > " + path + ".awk";
    if (std::system(command.c_str()) != 0) {
        std::printf("awk pipeline failed\n");
        return 1;
    }
    double awk = Seconds(start);
    // awk counts header words too; keep the addresses, then compare the rankings by count.
    std::ifstream in(std::string(path) + ".awk");
    std::map<std::string, int> awkCounts;
    long n;
    std::string key;
    while (in >> n >> key)
        if (router::IsDottedIPv4(key)) awkCounts[key] = static_cast<int>(n);
    bool same = awkCounts.size() == counts.size();
    for (size_t i = 0; same && i < counts.size(); ++i) {
        same = awkCounts[counts[i].IP] == counts[i].Count;
        if (i > 0 && counts[i - 1].Count < counts[i].Count) same = false;
    }
    std::printf("awk|sort|uniq|sort: %.3f s\n", awk);
    std::printf("ratio: ours is %.1fx faster; ranking %s\n", awk / ours, same ? "identical" : "DIFFERENT");
    std::remove(path);
    std::remove((std::string(path) + ".awk").c_str());
    return same ? 0 : 1;
#else
    return 0;
#endif
}
