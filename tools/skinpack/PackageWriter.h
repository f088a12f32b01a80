// Builds skin packages: the decoded layout (header, name list, size table, member bytes) and the
// stored-property wrapper a form keeps the compressed skin in.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

struct TPackageMember {
    std::string Name;
    std::vector<std::uint8_t> Bytes;
};

// Version 20000, names one per line ended by CR LF, sizes in the same order, then the bytes.
// Names must not contain CR, LF or NUL (they would split or end the name list).
std::vector<std::uint8_t> BuildPackage(const std::vector<TPackageMember>& members, std::uint32_t word2 = 0,
                                       std::uint32_t word3 = 0);

// The form's stored property: the compressed skin's length, then the compressed skin.
std::vector<std::uint8_t> WrapStoredSkin(std::span<const std::uint8_t> compressedSkin);

void AppendInt32(std::vector<std::uint8_t>& out, std::uint32_t value);
