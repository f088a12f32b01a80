// Any bytes as a skin package. The first byte picks the layer: odd values parse the rest as a
// decoded package (with the right version word put in front every other time, so the fuzzer
// reaches the entry parsing at once), even values decode it as a compressed skin first.
#include "SkinReader.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

void CheckEntries(const TSkinReader& r) {
    const auto data = r.Data();
    for (std::size_t i = 0; i < r.Entries().size(); ++i) {
        const TSkinEntry& e = r.Entries()[i];
        const auto bytes = r.EntryBytes(i);
        if (!e.Present) {
            if (!bytes.empty()) std::abort();
            continue;
        }
        if (bytes.size() != static_cast<std::size_t>(e.Size)) std::abort();
        if (!bytes.empty() && (bytes.data() < data.data() || bytes.data() + bytes.size() > data.data() + data.size()))
            std::abort();
        // Lookups by the entry's own name find an entry of that name.
        (void)r.GetFile(e.Name);
    }
    std::string found;
    (void)r.FindFile(".ini", found);
    (void)r.FindFile("", found);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    const std::uint8_t mode = data[0];
    const std::span<const std::uint8_t> rest(data + 1, size - 1);
    TSkinReader r;
    TPackageStatus status;
    if (mode & 1) {
        std::vector<std::uint8_t> package;
        if (mode & 2) package = {0x20, 0x4E, 0x00, 0x00};   // version 20000
        package.insert(package.end(), rest.begin(), rest.end());
        status = r.ParsePackage(std::move(package));
    } else {
        const TStoredSkin stored = ReadStoredSkin(rest);
        status = r.LoadPackage(stored.Kind == TStoredSkin::skSkin && (mode & 2) ? stored.Skin : rest);
    }
    if (status != TPackageStatus::psLoaded && !r.Entries().empty()) std::abort();
    if (r.Entries().size() > kMaxSkinEntries) std::abort();
    CheckEntries(r);
    return 0;
}
