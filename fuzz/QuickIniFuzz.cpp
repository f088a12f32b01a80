// Any bytes as a skin description: every section is listed and every key of every line is
// looked up in every section, as the skin loader does with its fixed keys.
#include "QuickIni.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    TQuickIni ini;
    ini.Load(std::span<const std::uint8_t>(data, size));
    std::vector<std::string> sections;
    ini.ReadSections(sections);
    std::vector<std::string> keys = {"", "Image", "Trans", "color"};
    for (const std::string& line : ini.Lines()) {
        if (line.empty()) std::abort();   // blank lines are never kept
        keys.push_back(line.substr(0, line.find('=')));
        if (keys.size() > 40) break;
    }
    sections.resize(std::min<std::size_t>(sections.size(), 40));
    sections.push_back("missing");
    for (const std::string& s : sections) {
        for (const std::string& k : keys) {
            const std::string v = ini.ReadString(s, k, "\x01");
            if (v.empty()) std::abort();   // an empty value keeps the default
            (void)ini.ReadInteger(s, k, -1);
        }
    }
    return 0;
}
