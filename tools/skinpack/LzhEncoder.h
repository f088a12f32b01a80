// LZHUF encoder with the reference parameters (ring 4096, look-ahead 60, threshold 2), the
// counterpart of the program's TLZH decoder. Build-time tool code only: the program never packs.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

// The bit stream alone, without a length word.
std::vector<std::uint8_t> LzhEncode(std::span<const std::uint8_t> data);

// A compressed skin: the 32-bit decoded length, then the bit stream.
std::vector<std::uint8_t> CompressSkin(std::span<const std::uint8_t> package);
