// Skin package reader: decodes a compressed skin and hands out its member files by name.
// Every offset and size in the package is checked; a member that does not lie wholly inside the
// package is treated as absent. Portable; showing messages is left to the window layer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

inline constexpr std::int32_t kSkinPackageVersion = 20000;
inline constexpr std::size_t kSkinHeaderSize = 16;
// No real skin comes near this; it keeps a damaged length word from reserving gigabytes.
inline constexpr std::int64_t kMaxSkinPackageSize = 128 * 1024 * 1024;
// The layout's size table holds this many entries; a name list with more lines is damage,
// found by counting before anything is allocated per entry.
inline constexpr std::size_t kMaxSkinEntries = 1001;
// What the user is told for an outdated or damaged package ('\r' breaks the line).
inline constexpr char kOldSkinMessage[] = "This is Older Skin File\rPlease update to new version !";

enum class TPackageStatus {
    psLoaded,       // header read and version right; members may still be individually absent
    psOldVersion,   // version word is not 20000
    psDamaged,      // header unreadable, length word impossible for the stream behind it, more
                    // names than the layout holds, or memory ran out while reading
};

// The message to show for a status, or "" for psLoaded.
const char* PackageStatusMessage(TPackageStatus status) noexcept;

struct TSkinEntry {
    std::string Name;         // lower case (ASCII letters only)
    std::int32_t Size = 0;    // as stored
    std::int64_t Offset = 0;  // into the member data: sum of the stored sizes of earlier entries
    bool Present = false;     // size readable, not negative, and bytes wholly inside the data
};

// Layer 1: the stored property of a form (length word, then the compressed skin).
struct TStoredSkin {
    enum TKind { skSkin, skNone, skDamaged } Kind = skDamaged;
    std::span<const std::uint8_t> Skin;   // the compressed skin for skSkin
};
TStoredSkin ReadStoredSkin(std::span<const std::uint8_t> property) noexcept;

class TSkinReader {
public:
    // Layer 2: a 32-bit decoded length, then the LZHUF stream. Replaces what was loaded. Memory
    // running out while decoding or parsing makes the package damaged; nothing is thrown.
    TPackageStatus LoadPackage(std::span<const std::uint8_t> compressedSkin) noexcept;
    // Layer 3: an already decoded package. Replaces what was loaded.
    TPackageStatus ParsePackage(std::vector<std::uint8_t> package) noexcept;

    // Bytes of the first entry whose name equals `name` (compared case-insensitively); empty
    // when there is no such entry or it is absent. Valid until the next load.
    std::span<const std::uint8_t> GetFile(std::string_view name) const;
    // As GetFile, for the first entry whose lower-case name contains `fragment` (compared as
    // given, so pass lower case). `foundName` receives that entry's name, or "" if none matches.
    std::span<const std::uint8_t> FindFile(std::string_view fragment, std::string& foundName) const;

    const std::vector<TSkinEntry>& Entries() const { return FEntries; }
    std::span<const std::uint8_t> EntryBytes(std::size_t index) const;

    TPackageStatus Status() const { return FStatus; }
    // Why the package or some of its entries are damaged, for tools; "" when all is well.
    const std::string& Problem() const { return FProblem; }
    std::int32_t DeclaredLength() const { return FDeclaredLength; }
    std::int32_t Version() const { return FVersion; }
    std::int32_t NameListLength() const { return FNameListLength; }
    std::uint32_t HeaderWord2() const { return FHeaderWord2; }
    std::uint32_t HeaderWord3() const { return FHeaderWord3; }
    // Member data: everything behind the size table.
    std::span<const std::uint8_t> Data() const;

private:
    void Clear() noexcept;
    TPackageStatus Fail(TPackageStatus status, std::string problem) noexcept;
    TPackageStatus OutOfMemory() noexcept;
    TPackageStatus Decode(std::span<const std::uint8_t> compressedSkin);
    TPackageStatus Parse(std::vector<std::uint8_t>& package);
    TPackageStatus ParseEntries();

    TPackageStatus FStatus = TPackageStatus::psDamaged;
    std::string FProblem;
    std::int32_t FDeclaredLength = 0;
    std::int32_t FVersion = 0;
    std::int32_t FNameListLength = 0;
    std::uint32_t FHeaderWord2 = 0;
    std::uint32_t FHeaderWord3 = 0;
    std::vector<std::uint8_t> FPackage;
    std::size_t FDataStart = 0;
    std::vector<TSkinEntry> FEntries;
};
