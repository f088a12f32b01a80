#include "PackageWriter.h"

#include "SkinReader.h"

void AppendInt32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

std::vector<std::uint8_t> BuildPackage(const std::vector<TPackageMember>& members, std::uint32_t word2,
                                       std::uint32_t word3) {
    std::string names;
    for (const TPackageMember& m : members) names += m.Name + "\r\n";

    std::vector<std::uint8_t> out;
    AppendInt32(out, static_cast<std::uint32_t>(kSkinPackageVersion));
    AppendInt32(out, static_cast<std::uint32_t>(names.size()));
    AppendInt32(out, word2);
    AppendInt32(out, word3);
    out.insert(out.end(), names.begin(), names.end());
    for (const TPackageMember& m : members) AppendInt32(out, static_cast<std::uint32_t>(m.Bytes.size()));
    for (const TPackageMember& m : members) out.insert(out.end(), m.Bytes.begin(), m.Bytes.end());
    return out;
}

std::vector<std::uint8_t> WrapStoredSkin(std::span<const std::uint8_t> compressedSkin) {
    std::vector<std::uint8_t> out;
    out.reserve(4 + compressedSkin.size());
    AppendInt32(out, static_cast<std::uint32_t>(compressedSkin.size()));
    out.insert(out.end(), compressedSkin.begin(), compressedSkin.end());
    return out;
}
