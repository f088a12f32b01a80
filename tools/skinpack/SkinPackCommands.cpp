#include "SkinPackCommands.h"

#include "Lzh.h"
#include "LzhEncoder.h"
#include "PackageWriter.h"
#include "SkinFolder.h"

#include <fstream>
#include <iomanip>
#include <iterator>
#include <ostream>
#include <set>
#include <vector>

namespace fs = std::filesystem;

namespace {

bool ReadFile(const fs::path& path, std::vector<std::uint8_t>& bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

bool WriteFile(const fs::path& path, std::span<const std::uint8_t> bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out.flush());
}

std::string Printable(std::string text) {
    for (char& c : text)
        if (c == '\r') c = ' ';
    return text;
}

// Opens the file and loads it, reporting failures; true when a package was loaded.
bool OpenPackage(const fs::path& file, TSkinReader& reader, std::string& form, std::ostream& err) {
    std::vector<std::uint8_t> bytes;
    if (!ReadFile(file, bytes)) {
        err << "skinpack: cannot read " << file.string() << "\n";
        return false;
    }
    const TPackageStatus status = LoadSkinOrStoredForm(bytes, reader, form);
    if (status != TPackageStatus::psLoaded) {
        err << "skinpack: " << file.string() << ": " << Printable(PackageStatusMessage(status)) << " ("
            << reader.Problem() << ")\n";
        return false;
    }
    return true;
}

}  // namespace

TPackageStatus LoadSkinOrStoredForm(std::span<const std::uint8_t> bytes, TSkinReader& reader, std::string& form) {
    // A stored property's first word is exactly the length of what follows it; a skin file's is
    // the decoded length, which practically never equals that. Try the property reading first
    // when it fits and fall back to the skin file reading if it does not load.
    const TStoredSkin stored = ReadStoredSkin(bytes);
    if (stored.Kind == TStoredSkin::skSkin && stored.Skin.size() + 4 == bytes.size()) {
        if (reader.LoadPackage(stored.Skin) == TPackageStatus::psLoaded) {
            form = "stored property";
            return TPackageStatus::psLoaded;
        }
    } else if (stored.Kind == TStoredSkin::skNone && bytes.size() == 4) {
        form = "stored property without a skin";
        return reader.LoadPackage({});
    }
    form = "skin file";
    return reader.LoadPackage(bytes);
}

bool SafeMemberFileName(const std::string& name) {
    if (name.empty() || name == "." || name == "..") return false;
    for (char c : name) {
        if (c == '/' || c == '\\' || c == ':' || static_cast<unsigned char>(c) < ' ') return false;
    }
    return true;
}

int PackCommand(const fs::path& folder, const fs::path& file, bool storedForm, std::ostream& out,
                std::ostream& err) {
    const TSkinFolder skin = ReadSkinFolder(folder);
    for (const std::string& w : skin.Warnings) err << "skinpack: warning: " << w << "\n";
    if (!skin.Error.empty()) {
        err << "skinpack: " << skin.Error << "\n";
        return 1;
    }
    const std::vector<std::uint8_t> package = BuildPackage(skin.Members);
    if (static_cast<std::int64_t>(package.size()) > kMaxSkinPackageSize) {
        err << "skinpack: package of " << package.size() << " bytes exceeds the reader's limit of "
            << kMaxSkinPackageSize << "\n";
        return 1;
    }
    const std::vector<std::uint8_t> compressed = CompressSkin(package);
    const std::vector<std::uint8_t> written = storedForm ? WrapStoredSkin(compressed) : compressed;

    // Read it back through the program's own decoder before claiming success.
    TSkinReader check;
    std::string form;
    if (LoadSkinOrStoredForm(written, check, form) != TPackageStatus::psLoaded ||
        check.Entries().size() != skin.Members.size()) {
        err << "skinpack: the packed skin does not read back (" << check.Problem() << ")\n";
        return 1;
    }
    if (!WriteFile(file, written)) {
        err << "skinpack: cannot write " << file.string() << "\n";
        return 1;
    }
    out << "packed " << skin.Members.size() << " files, " << package.size() << " bytes into " << written.size()
        << " bytes (" << form << ")\n";
    return 0;
}

int UnpackCommand(const fs::path& file, const fs::path& folder, std::ostream& out, std::ostream& err) {
    TSkinReader reader;
    std::string form;
    if (!OpenPackage(file, reader, form, err)) return 1;
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (ec) {
        err << "skinpack: cannot create " << folder.string() << ": " << ec.message() << "\n";
        return 1;
    }
    std::set<std::string> written;
    int failures = 0;
    const auto& entries = reader.Entries();
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const TSkinEntry& e = entries[i];
        if (!SafeMemberFileName(e.Name)) {
            err << "skinpack: warning: entry " << i << " has no usable file name; skipped\n";
        } else if (!e.Present) {
            err << "skinpack: warning: " << e.Name << " lies outside the package; skipped\n";
        } else if (!written.insert(e.Name).second) {
            err << "skinpack: warning: " << e.Name << " repeats; only its first entry is ever read\n";
        } else if (!WriteFile(folder / e.Name, reader.EntryBytes(i))) {
            err << "skinpack: cannot write " << (folder / e.Name).string() << "\n";
            ++failures;
        }
    }
    out << "unpacked " << written.size() << " of " << entries.size() << " entries (" << form << ")\n";
    return failures == 0 ? 0 : 1;
}

int InfoCommand(const fs::path& file, std::ostream& out, std::ostream& err) {
    TSkinReader reader;
    std::string form;
    if (!OpenPackage(file, reader, form, err)) return 1;
    const auto& entries = reader.Entries();
    out << "form: " << form << "\n"
        << "decoded length: " << reader.DeclaredLength() << "\n"
        << "version: " << reader.Version() << "\n"
        << "name list: " << reader.NameListLength() << " bytes, " << entries.size() << " entries\n"
        << "header words: 0x" << std::hex << std::setw(8) << std::setfill('0') << reader.HeaderWord2() << " 0x"
        << std::setw(8) << reader.HeaderWord3() << std::dec << std::setfill(' ') << "\n"
        << "member data: " << reader.Data().size() << " bytes\n";
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const TSkinEntry& e = entries[i];
        out << std::setw(5) << i << std::setw(10) << e.Size << "  " << e.Name << (e.Present ? "" : "  (absent)")
            << "\n";
    }
    if (!reader.Problem().empty()) out << "problem: " << reader.Problem() << "\n";
    return 0;
}
