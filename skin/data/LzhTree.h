// Adaptive Huffman model of the LZHUF method: the literal/length symbol tree and the fixed
// prefix code for the upper bits of a match position. Shared by the decoder (TLZH) and by the
// packing tool's encoder, so both sides keep exactly the same model.
#pragma once

#include <array>
#include <cstdint>

namespace lzh {

constexpr int kRingSize = 4096;                                // N
constexpr int kLookAhead = 60;                                 // F
constexpr int kThreshold = 2;                                  // matches longer than this are coded
constexpr int kSymbols = 256 - kThreshold + kLookAhead;        // N_CHAR: 0-255 literals, 256-313 lengths 3-60
constexpr int kTreeSize = 2 * kSymbols - 1;                    // T
constexpr int kRoot = kTreeSize - 1;                           // R
constexpr std::uint16_t kMaxFreq = 0x8000;
constexpr int kRingStart = kRingSize - kLookAhead;             // first write position; ring[0..this) are spaces

// Position prefix code, indexed by the first 8 bits of a coded position: the upper 6 bits of the
// position and the length of the prefix in bits (the reference program's d_code / d_len).
struct TPositionTables {
    std::array<std::uint8_t, 256> Upper{};
    std::array<std::uint8_t, 256> Length{};
};

constexpr TPositionTables MakePositionTables() {
    // Runs of (how many indices share one upper value, how many upper values, code length).
    constexpr int runs[6][3] = {{32, 1, 3}, {16, 3, 4}, {8, 8, 5}, {4, 12, 6}, {2, 24, 7}, {1, 16, 8}};
    TPositionTables t;
    int index = 0;
    int upper = 0;
    for (const auto& run : runs) {
        for (int v = 0; v < run[1]; ++v, ++upper) {
            for (int k = 0; k < run[0]; ++k, ++index) {
                t.Upper[index] = static_cast<std::uint8_t>(upper);
                t.Length[index] = static_cast<std::uint8_t>(run[2]);
            }
        }
    }
    return t;
}

inline constexpr TPositionTables kPositionTables = MakePositionTables();

}  // namespace lzh

// The symbol tree: weight, parent and child tables laid out as in the reference program.
// Leaves are child entries >= kTreeSize (leaf of symbol s is kTreeSize + s); the two children of
// an inner node sit at child[node] and child[node] + 1.
class TLzhTree {
public:
    TLzhTree() { Start(); }

    void Start();
    // Counts one occurrence of the symbol and restores the sibling order (rebuilding first when
    // the root weight has reached kMaxFreq).
    void Update(int symbol);

    // Walks from the root, taking one bit per level from getBit (0 or 1); returns the symbol.
    template <class GetBit>
    int DecodeSymbol(GetBit&& getBit) const {
        int node = FChild[lzh::kRoot];
        while (node < lzh::kTreeSize) node = FChild[node + getBit()];
        return node - lzh::kTreeSize;
    }

    // Code of a symbol, root first: the bits end up in the low `length` bits of the result,
    // the root's choice highest. Depth stays far below 32 because weights are capped at kMaxFreq.
    std::uint32_t Code(int symbol, int& length) const;

    std::uint16_t Weight(int i) const { return FWeight[i]; }
    int Parent(int i) const { return FParent[i]; }
    int Child(int i) const { return FChild[i]; }

private:
    void Rebuild();

    std::array<std::uint16_t, lzh::kTreeSize + 1> FWeight{};   // last entry: 0xFFFF sentinel
    std::array<std::int16_t, lzh::kTreeSize + lzh::kSymbols> FParent{};
    std::array<std::int16_t, lzh::kTreeSize> FChild{};
};
