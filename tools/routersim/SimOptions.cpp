#include "SimOptions.h"

#include "NatTable.h"

#include <cstdlib>
#include <type_traits>

namespace routersim {

std::string SimUsage() {
    return "usage: routersim [options]\n"
           "  --port N               listen on 127.0.0.1:N (default 0: any free port)\n"
           "  --dialect cisco|huawei command set (default huawei)\n"
           "  --hostname NAME        name in the prompts (default Router / Huawei)\n"
           "  --password P           login password (default quellox)\n"
           "  --enable-password P    enable/super password (default quellox-enable; empty: none)\n"
           "  --username-prompt on|off  ask for a user name first (default off)\n"
           "  --username NAME        the only accepted user name (default: any)\n"
           "  --hosts A=N,B=M,...    NAT table: N sessions for host A, ...\n"
           "  --sessions N           NAT table: N sessions spread over --host-count hosts\n"
           "  --host-count H         (default 10) with --skew S (default 1.0; 0 = even)\n"
           "  --page-lines N         lines per screen before the pager (default 24; 0: none)\n"
           "  --erase on|off         erase sequence after the pager marker (default on)\n"
           "  --page-delay-ms N      wait before every page (default 0)\n"
           "  --write-answer TEXT    Huawei reply to \"write\"; \\r \\n \\t \\\\ \\xHH allowed\n"
           "  --transcript FILE      append every received line to FILE\n"
           "  --max-connections N    simultaneous sessions (default 8)\n"
           "Real devices on real links (every one off by default):\n"
           "  --latency-ms N         every answer leaves N ms after the input it answers\n"
           "  --piece-bytes K        output goes out in pieces of at most K bytes...\n"
           "  --piece-pause-ms P     ...with a pause of P ms between two pieces\n"
           "  --save-delay-ms N      \"write\" takes N ms: Cisco prints \"Building configuration...\"\n"
           "                         at once and \"[OK]\" N ms later; Huawei its whole answer late\n"
           "  --exec-timeout-ms N    hang up a session that sent no input for N ms\n"
           "  --hangup-after-page K  hang up right after page K of a listing that goes on\n"
           "  --junk LIST            put junk lines in the middle of every listing; LIST is a\n"
           "                         comma list of binary (raw bytes), long-line (64 KB) and\n"
           "                         escapes (terminal escape sequences)\n"
           "  --stdio                serve one session on standard input and output (for a\n"
           "                         telnet server that starts it on a terminal) and exit\n"
           "The listening port is printed on standard output once the simulator is ready.\n";
}

static int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool UnescapeText(const std::string& text, std::string* out) {
    std::string r;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            r.push_back(text[i]);
            continue;
        }
        if (++i >= text.size()) return false;
        switch (text[i]) {
        case 'r': r.push_back('\r'); break;
        case 'n': r.push_back('\n'); break;
        case 't': r.push_back('\t'); break;
        case '\\': r.push_back('\\'); break;
        case 'x': {
            int hi = i + 1 < text.size() ? HexDigit(text[i + 1]) : -1;
            int lo = i + 2 < text.size() ? HexDigit(text[i + 2]) : -1;
            if (hi < 0 || lo < 0) return false;
            r.push_back(static_cast<char>(hi * 16 + lo));
            i += 2;
            break;
        }
        default: return false;
        }
    }
    *out = std::move(r);
    return true;
}

static bool ToLong(const std::string& text, long low, long high, long* value) {
    if (text.empty() || text.size() > 10) return false;
    char* end = nullptr;
    long v = std::strtol(text.c_str(), &end, 10);
    if (*end != '\0' || v < low || v > high) return false;
    *value = v;
    return true;
}

// "binary,long-line,escapes" or any part of it, in any order.
static bool JunkKinds(const std::string& text, SimConfig* config) {
    bool binary = false, longLine = false, escapes = false;
    size_t start = 0;
    while (start <= text.size()) {
        size_t comma = text.find(',', start);
        if (comma == std::string::npos) comma = text.size();
        const std::string kind = text.substr(start, comma - start);
        if (kind == "binary") binary = true;
        else if (kind == "long-line") longLine = true;
        else if (kind == "escapes") escapes = true;
        else return false;
        start = comma + 1;
    }
    config->junkBinary = binary;
    config->junkLongLine = longLine;
    config->junkEscapes = escapes;
    return true;
}

static bool OnOff(const std::string& text, bool* value) {
    if (text == "on") *value = true;
    else if (text == "off") *value = false;
    else return false;
    return true;
}

bool ParseSimOptions(const std::vector<std::string>& args, SimOptions* out, std::string* error) {
    SimOptions o;
    std::string hosts;
    bool hostsGiven = false;
    long sessions = -1, hostCount = 10;
    double skew = 1.0;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& name = args[i];
        if (name == "--help" || name == "-h") {
            o.help = true;
            continue;
        }
        if (name == "--stdio") {
            o.stdio = true;
            continue;
        }
        if (i + 1 >= args.size()) {
            *error = "missing value after " + name;
            return false;
        }
        const std::string& v = args[++i];
        auto number = [&v](long low, long high, auto& field) {
            long n = 0;
            if (!ToLong(v, low, high, &n)) return false;
            field = static_cast<std::remove_reference_t<decltype(field)>>(n);
            return true;
        };
        bool ok = true;
        if (name == "--port") ok = number(0, 65535, o.port);
        else if (name == "--dialect") {
            ok = v == "cisco" || v == "huawei";
            o.config.dialect = v == "cisco" ? Dialect::Cisco : Dialect::Huawei;
        } else if (name == "--hostname") {
            ok = !v.empty();
            o.config.hostname = v;
        } else if (name == "--password") o.config.password = v;
        else if (name == "--enable-password" || name == "--super-password") o.config.enablePassword = v;
        else if (name == "--username-prompt") ok = OnOff(v, &o.config.usernamePrompt);
        else if (name == "--username") o.config.username = v;
        else if (name == "--hosts") {
            hostsGiven = true;
            hosts = v;
        }
        else if (name == "--sessions") ok = number(0, kMaxNatSessions, sessions);
        else if (name == "--host-count") ok = number(1, kMaxNatHosts, hostCount);
        else if (name == "--skew") {
            char* end = nullptr;
            skew = std::strtod(v.c_str(), &end);
            ok = !v.empty() && *end == '\0' && skew >= 0.0 && skew <= 16.0;
        } else if (name == "--page-lines") ok = number(0, 100000, o.config.pageLines);
        else if (name == "--erase") ok = OnOff(v, &o.config.erase);
        else if (name == "--page-delay-ms") ok = number(0, 600000, o.config.pageDelayMs);
        else if (name == "--write-answer") ok = UnescapeText(v, &o.config.huaweiWriteAnswer);
        else if (name == "--transcript") {
            ok = !v.empty();
            o.config.transcriptPath = v;
        } else if (name == "--max-connections") ok = number(1, 64, o.config.maxConnections);
        else if (name == "--latency-ms") ok = number(0, 600000, o.config.latencyMs);
        else if (name == "--piece-bytes") ok = number(0, 1 << 20, o.config.pieceBytes);
        else if (name == "--piece-pause-ms") ok = number(0, 600000, o.config.piecePauseMs);
        else if (name == "--save-delay-ms") ok = number(0, 600000, o.config.saveDelayMs);
        else if (name == "--exec-timeout-ms") ok = number(0, 86400000, o.config.execTimeoutMs);
        else if (name == "--hangup-after-page") ok = number(0, 1000000, o.config.hangupAfterPage);
        else if (name == "--junk") ok = JunkKinds(v, &o.config);
        else {
            *error = "unknown option " + name;
            return false;
        }
        if (!ok) {
            *error = "bad value \"" + v + "\" for " + name;
            return false;
        }
    }
    if (hostsGiven && sessions >= 0) {
        *error = "give either --hosts or --sessions, not both";
        return false;
    }
    if (hostsGiven) {
        if (!ParseHostCounts(hosts, &o.config.natHosts, error)) return false;
    } else if (sessions >= 0) {
        o.config.natHosts = GenerateNatHosts(sessions, static_cast<int>(hostCount), skew);
    } else {
        // A small table around the program's default threshold of 100.
        o.config.natHosts = {{"192.168.0.10", 150}, {"192.168.0.11", 100}, {"192.168.0.12", 99},
                             {"192.168.0.13", 12}};
    }
    *out = std::move(o);
    return true;
}

}  // namespace routersim
