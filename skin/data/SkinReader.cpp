#include "SkinReader.h"

#include "Lzh.h"

#include <algorithm>
#include <new>
#include <utility>

namespace {

std::int32_t ReadInt32(std::span<const std::uint8_t> bytes, std::size_t at) noexcept {
    const std::uint32_t v = static_cast<std::uint32_t>(bytes[at]) | (static_cast<std::uint32_t>(bytes[at + 1]) << 8) |
                            (static_cast<std::uint32_t>(bytes[at + 2]) << 16) |
                            (static_cast<std::uint32_t>(bytes[at + 3]) << 24);
    return static_cast<std::int32_t>(v);
}

char LowerAscii(char c) noexcept { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + ('a' - 'A')) : c; }

std::string LowerAscii(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = LowerAscii(c);
    return out;
}

// Lines end at CR, LF or CR LF; a zero byte ends the text; a final line without terminator
// counts, a terminator at the very end does not open another one; empty lines count.
// `visit(line)` is called for each line in order.
template <class Visit>
void ForEachNameLine(std::string_view text, Visit&& visit) {
    text = text.substr(0, std::min(text.find('\0'), text.size()));
    std::size_t i = 0;
    while (i < text.size()) {
        std::size_t end = i;
        while (end < text.size() && text[end] != '\r' && text[end] != '\n') ++end;
        visit(text.substr(i, end - i));
        if (end < text.size() && text[end] == '\r') ++end;
        if (end < text.size() && text[end] == '\n') ++end;
        i = end;
    }
}

std::size_t CountNameLines(std::string_view text) noexcept {
    std::size_t count = 0;
    ForEachNameLine(text, [&count](std::string_view) noexcept { ++count; });
    return count;
}

}  // namespace

const char* PackageStatusMessage(TPackageStatus status) noexcept {
    return status == TPackageStatus::psLoaded ? "" : kOldSkinMessage;
}

TStoredSkin ReadStoredSkin(std::span<const std::uint8_t> property) noexcept {
    TStoredSkin result;
    if (property.size() < 4) return result;
    const std::int32_t n = ReadInt32(property, 0);
    if (n <= 0) {
        result.Kind = TStoredSkin::skNone;
    } else if (static_cast<std::uint64_t>(n) <= property.size() - 4) {
        result.Kind = TStoredSkin::skSkin;
        result.Skin = property.subspan(4, static_cast<std::size_t>(n));
    }
    return result;
}

void TSkinReader::Clear() noexcept {
    FStatus = TPackageStatus::psDamaged;
    FProblem.clear();
    FDeclaredLength = FVersion = FNameListLength = 0;
    FHeaderWord2 = FHeaderWord3 = 0;
    FPackage.clear();
    FPackage.shrink_to_fit();
    FDataStart = 0;
    FEntries.clear();
    FEntries.shrink_to_fit();
}

TPackageStatus TSkinReader::Fail(TPackageStatus status, std::string problem) noexcept {
    FStatus = status;
    FProblem = std::move(problem);
    FPackage.clear();
    FPackage.shrink_to_fit();
    FDataStart = 0;
    FEntries.clear();
    FEntries.shrink_to_fit();
    return status;
}

// A skin whose reading needs more memory than there is cannot be shown: it is damaged, like
// any other skin that does not load. What was allocated is given back first, so the problem
// text itself has room.
TPackageStatus TSkinReader::OutOfMemory() noexcept {
    const std::int32_t declared = FDeclaredLength;
    Clear();
    FDeclaredLength = declared;
    try {
        FProblem = "memory ran out while reading the package";
    } catch (const std::bad_alloc&) {
        // Nothing left even for the text: the status alone tells it.
    }
    return FStatus;
}

TPackageStatus TSkinReader::LoadPackage(std::span<const std::uint8_t> compressedSkin) noexcept {
    Clear();
    try {
        return Decode(compressedSkin);
    } catch (const ElzhException&) {
        return OutOfMemory();
    } catch (const std::bad_alloc&) {
        return OutOfMemory();
    }
}

TPackageStatus TSkinReader::ParsePackage(std::vector<std::uint8_t> package) noexcept {
    Clear();
    try {
        return Parse(package);
    } catch (const std::bad_alloc&) {
        return OutOfMemory();
    }
}

TPackageStatus TSkinReader::Decode(std::span<const std::uint8_t> compressedSkin) {
    if (compressedSkin.size() < 4) return Fail(TPackageStatus::psDamaged, "compressed skin has no length word");
    const std::int32_t declared = ReadInt32(compressedSkin, 0);
    const auto stream = compressedSkin.subspan(4);
    if (declared < static_cast<std::int32_t>(kSkinHeaderSize))
        return Fail(TPackageStatus::psDamaged, "declared length " + std::to_string(declared) + " holds no header");
    if (declared > kMaxSkinPackageSize)
        return Fail(TPackageStatus::psDamaged, "declared length " + std::to_string(declared) + " is too large");

    FDeclaredLength = declared;
    std::vector<std::uint8_t> package;
    TLZH lzh;
    if (!lzh.Decode(stream, package, declared)) {
        return Fail(TPackageStatus::psDamaged, "declared length " + std::to_string(declared) + " is beyond what " +
                                                   std::to_string(stream.size()) + " bytes can hold");
    }
    // The last match may run past the declared end; those bytes are not part of the package.
    package.resize(static_cast<std::size_t>(declared));
    return Parse(package);
}

TPackageStatus TSkinReader::Parse(std::vector<std::uint8_t>& package) {
    FDeclaredLength = static_cast<std::int32_t>(std::min<std::size_t>(package.size(), INT32_MAX));
    if (package.size() < kSkinHeaderSize)
        return Fail(TPackageStatus::psDamaged, "package of " + std::to_string(package.size()) + " bytes has no header");
    FVersion = ReadInt32(package, 0);
    FNameListLength = ReadInt32(package, 4);
    FHeaderWord2 = static_cast<std::uint32_t>(ReadInt32(package, 8));
    FHeaderWord3 = static_cast<std::uint32_t>(ReadInt32(package, 12));
    if (FVersion != kSkinPackageVersion)
        return Fail(TPackageStatus::psOldVersion, "package version " + std::to_string(FVersion) + " is not " +
                                                      std::to_string(kSkinPackageVersion));
    FPackage = std::move(package);
    FStatus = TPackageStatus::psLoaded;
    return ParseEntries();
}

TPackageStatus TSkinReader::ParseEntries() {
    const std::span<const std::uint8_t> bytes(FPackage);
    const std::int64_t size = static_cast<std::int64_t>(bytes.size());
    const std::int64_t listLength = FNameListLength;
    if (listLength < 0 || listLength > size - static_cast<std::int64_t>(kSkinHeaderSize)) {
        FProblem = "name list length " + std::to_string(FNameListLength) + " lies outside the package";
        FDataStart = bytes.size();
        return FStatus;
    }
    const std::string_view listText(reinterpret_cast<const char*>(bytes.data()) + kSkinHeaderSize,
                                    static_cast<std::size_t>(listLength));
    // Counted before anything is allocated per entry: a few kilobytes of compressed line feeds
    // would otherwise ask for an entry per empty name, millions of them.
    const std::size_t count = CountNameLines(listText);
    if (count > kMaxSkinEntries)
        return Fail(TPackageStatus::psDamaged, "name list holds " + std::to_string(count) + " names, more than the " +
                                                   std::to_string(kMaxSkinEntries) + " a package holds");

    const std::int64_t tableStart = static_cast<std::int64_t>(kSkinHeaderSize) + listLength;
    const std::int64_t tableEnd = tableStart + 4 * static_cast<std::int64_t>(count);
    FDataStart = static_cast<std::size_t>(std::min(tableEnd, size));
    const std::int64_t dataSize = size - static_cast<std::int64_t>(FDataStart);

    FEntries.reserve(count);
    std::int64_t offset = 0;
    std::size_t absent = 0;
    ForEachNameLine(listText, [&](std::string_view name) {
        const std::size_t i = FEntries.size();
        TSkinEntry entry;
        entry.Name = LowerAscii(name);
        entry.Offset = offset;
        const std::int64_t at = tableStart + 4 * static_cast<std::int64_t>(i);
        const bool readable = at + 4 <= size;
        if (readable) {
            entry.Size = ReadInt32(bytes, static_cast<std::size_t>(at));
            offset += entry.Size;
        }
        entry.Present = readable && entry.Size >= 0 && entry.Offset >= 0 && entry.Offset + entry.Size <= dataSize;
        if (!entry.Present) ++absent;
        FEntries.push_back(std::move(entry));
    });
    if (absent > 0) FProblem = std::to_string(absent) + " of " + std::to_string(count) + " entries lie outside the package";
    return FStatus;
}

std::span<const std::uint8_t> TSkinReader::Data() const {
    return std::span<const std::uint8_t>(FPackage).subspan(std::min(FDataStart, FPackage.size()));
}

std::span<const std::uint8_t> TSkinReader::EntryBytes(std::size_t index) const {
    if (index >= FEntries.size() || !FEntries[index].Present) return {};
    const TSkinEntry& e = FEntries[index];
    return Data().subspan(static_cast<std::size_t>(e.Offset), static_cast<std::size_t>(e.Size));
}

std::span<const std::uint8_t> TSkinReader::GetFile(std::string_view name) const {
    const std::string wanted = LowerAscii(name);
    for (std::size_t i = 0; i < FEntries.size(); ++i) {
        // The first entry of that name decides, even if it is absent.
        if (FEntries[i].Name == wanted) return EntryBytes(i);
    }
    return {};
}

std::span<const std::uint8_t> TSkinReader::FindFile(std::string_view fragment, std::string& foundName) const {
    foundName.clear();
    for (std::size_t i = 0; i < FEntries.size(); ++i) {
        if (FEntries[i].Name.find(fragment) != std::string::npos) {
            foundName = FEntries[i].Name;
            return EntryBytes(i);
        }
    }
    return {};
}
