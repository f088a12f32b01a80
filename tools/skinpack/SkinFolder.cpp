#include "SkinFolder.h"

#include "QuickIni.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <set>

namespace fs = std::filesystem;

namespace {

std::string Lower(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + ('a' - 'A'));
    return s;
}

bool EndsWith(const std::string& s, const std::string& tail) {
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

bool ReadWhole(const fs::path& path, std::vector<std::uint8_t>& bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

// Names the description refers to as bitmaps (values whose file-name part ends in ".bmp" in any
// case), with the exact file-name part.
std::vector<std::string> ReferencedBitmaps(const std::vector<std::uint8_t>& iniBytes) {
    TQuickIni ini;
    ini.Load(std::span<const std::uint8_t>(iniBytes));
    std::vector<std::string> names;
    for (const std::string& line : ini.Lines()) {
        const std::size_t eq = line.find('=');
        if (eq == std::string::npos) continue;
        std::string value = line.substr(eq + 1);
        while (!value.empty() && static_cast<unsigned char>(value.front()) <= ' ') value.erase(value.begin());
        while (!value.empty() && static_cast<unsigned char>(value.back()) <= ' ') value.pop_back();
        const std::string file = SkinImageFileName(value);
        if (EndsWith(Lower(file), ".bmp")) names.push_back(file);
    }
    return names;
}

}  // namespace

std::string SkinImageFileName(const std::string& value) {
    const std::size_t cut = value.find_last_of("\\:");
    return cut == std::string::npos ? value : value.substr(cut + 1);
}

TSkinFolder ReadSkinFolder(const fs::path& folder) {
    TSkinFolder result;
    std::error_code ec;
    if (!fs::is_directory(folder, ec)) {
        result.Error = "not a folder: " + folder.string();
        return result;
    }
    std::vector<fs::path> bitmaps;
    std::vector<fs::path> descriptions;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, ec)) {
        if (!entry.is_regular_file()) continue;
        const std::string name = entry.path().filename().string();
        const std::string lower = Lower(name);
        if (name.find_first_of(std::string("\r\n\0", 3)) != std::string::npos) {
            result.Warnings.push_back("skipped a file whose name holds a line break");
        } else if (EndsWith(lower, ".bmp")) {
            bitmaps.push_back(entry.path());
        } else if (EndsWith(lower, ".ini")) {
            descriptions.push_back(entry.path());
        } else {
            result.Warnings.push_back("skipped " + name + " (neither .ini nor .bmp)");
        }
    }
    if (ec) {
        result.Error = "cannot list " + folder.string() + ": " + ec.message();
        return result;
    }
    if (descriptions.size() != 1) {
        result.Error = "expected exactly one .ini description in " + folder.string() + ", found " +
                       std::to_string(descriptions.size());
        return result;
    }
    if (bitmaps.size() + 1 > kMaxSkinEntries) {
        result.Error = "too many files: a package holds at most " + std::to_string(kMaxSkinEntries) + " entries";
        return result;
    }

    // Stable order for reproducible packages; the description goes last, as in shipped skins.
    std::sort(bitmaps.begin(), bitmaps.end(), [](const fs::path& a, const fs::path& b) {
        return Lower(a.filename().string()) < Lower(b.filename().string());
    });
    std::set<std::string> packed;
    for (const fs::path& path : bitmaps) {
        TPackageMember m{path.filename().string(), {}};
        if (!ReadWhole(path, m.Bytes)) {
            result.Error = "cannot read " + path.string();
            return result;
        }
        if (!packed.insert(Lower(m.Name)).second) {
            result.Warnings.push_back(m.Name + " differs from another file only in case; only the first is found");
        }
        result.Members.push_back(std::move(m));
    }
    TPackageMember ini{descriptions.front().filename().string(), {}};
    if (!ReadWhole(descriptions.front(), ini.Bytes)) {
        result.Error = "cannot read " + descriptions.front().string();
        return result;
    }

    std::set<std::string> warned;
    for (const std::string& ref : ReferencedBitmaps(ini.Bytes)) {
        if (!warned.insert(ref).second) continue;
        if (!EndsWith(ref, ".bmp")) {
            result.Warnings.push_back(ini.Name + " names " + ref + ": only a lower-case .bmp extension is loaded");
        } else if (packed.count(Lower(ref)) == 0) {
            result.Warnings.push_back(ini.Name + " names " + ref + ", which is not in the folder");
        }
    }
    result.Members.push_back(std::move(ini));
    return result;
}
