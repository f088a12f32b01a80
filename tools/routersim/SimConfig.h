// What a simulated router is: its command set, credentials, NAT table and terminal habits.
#pragma once

#include <string>
#include <vector>

namespace routersim {

enum class Dialect { Cisco, Huawei };

// One inside host of the NAT table and how many sessions it holds.
struct NatHost {
    std::string address;
    int sessions = 0;
};

struct SimConfig {
    Dialect dialect = Dialect::Huawei;
    std::string hostname;               // empty: "Router" (Cisco) or "Huawei"
    bool usernamePrompt = false;        // ask "Username: " before the password
    std::string username;               // accepted user name; empty accepts any
    std::string password = "quellox";   // login password
    std::string enablePassword = "quellox-enable";  // "enable" / "super"; empty: no password asked
    std::vector<NatHost> natHosts;      // table rows are interleaved host by host
    int pageLines = 24;                 // lines per screen before the pager marker; 0: no paging
    bool erase = true;                  // send the erase sequence after a pager marker
    int pageDelayMs = 0;                // wait before every page of a listing
    // Huawei answer to "write" (the prompt follows it); the default is what a device that
    // does not know the command prints.
    std::string huaweiWriteAnswer = "Error: Unrecognized command found at '^' position.";
    std::string transcriptPath;         // append every received line to this file
    int maxConnections = 8;             // further clients are accepted and closed at once

    // How a real device on a real link differs from a loopback simulator; every default
    // leaves that behaviour off.
    int latencyMs = 0;                  // every answer leaves this long after the input it answers
    int pieceBytes = 0;                 // output goes out in pieces of at most this many bytes...
    int piecePauseMs = 0;               // ...with this pause between two pieces
    int saveDelayMs = 0;                // "write" takes this long before it reports its result
    int execTimeoutMs = 0;              // an idle session is hung up after this long without input
    int hangupAfterPage = 0;            // hang up once page N of a longer listing was sent
    bool junkBinary = false;            // a listing holds a line of raw binary bytes,
    bool junkLongLine = false;          // a 64 KB line,
    bool junkEscapes = false;           // and a line of terminal escape sequences

    std::string Hostname() const {
        if (!hostname.empty()) return hostname;
        return dialect == Dialect::Cisco ? "Router" : "Huawei";
    }
};

}  // namespace routersim
