// Any bytes as a compressed skin: a 32-bit declared length, then the bit stream.
#include "Lzh.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 4) return 0;
    const std::int32_t declared = static_cast<std::int32_t>(static_cast<std::uint32_t>(data[0]) | (data[1] << 8) |
                                                            (data[2] << 16) | (static_cast<std::uint32_t>(data[3]) << 24));
    const std::span<const std::uint8_t> stream(data + 4, size - 4);
    TLZH lzh;
    std::vector<std::uint8_t> out;
    const bool decoded = lzh.Decode(stream, out, declared);
    if (decoded != TLZH::PlausibleLength(declared, stream.size())) std::abort();
    if (!decoded || declared <= 0) {
        if (!out.empty()) std::abort();
        return 0;
    }
    // Decoding stops at the declared length, finishing at most one match (60 bytes) past it.
    if (out.size() < static_cast<std::size_t>(declared) || out.size() >= static_cast<std::size_t>(declared) + 60) std::abort();
    return 0;
}
