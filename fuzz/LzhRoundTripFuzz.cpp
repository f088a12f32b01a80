// Any bytes through the packing tool's encoder and the program's decoder must come back intact.
#include "Lzh.h"
#include "LzhEncoder.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> input(data, size);
    const std::vector<std::uint8_t> stream = LzhEncode(input);
    TLZH lzh;
    std::vector<std::uint8_t> out;
    if (!lzh.Decode(stream, out, static_cast<std::int32_t>(size))) std::abort();
    if (out.size() != size || !std::equal(out.begin(), out.end(), input.begin())) std::abort();
    return 0;
}
