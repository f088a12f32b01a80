#include "LzhTree.h"

#include <algorithm>

using namespace lzh;

void TLzhTree::Start() {
    for (int i = 0; i < kSymbols; ++i) {
        FWeight[i] = 1;
        FChild[i] = static_cast<std::int16_t>(i + kTreeSize);
        FParent[i + kTreeSize] = static_cast<std::int16_t>(i);
    }
    for (int i = 0, j = kSymbols; j <= kRoot; i += 2, ++j) {
        FWeight[j] = static_cast<std::uint16_t>(FWeight[i] + FWeight[i + 1]);
        FChild[j] = static_cast<std::int16_t>(i);
        FParent[i] = FParent[i + 1] = static_cast<std::int16_t>(j);
    }
    FWeight[kTreeSize] = 0xFFFF;
    FParent[kRoot] = 0;
}

// Halves every leaf weight and builds the inner nodes again. Needed because the weights are
// 16 bits wide and the root would overflow after 0x8000 symbols; halving also lets the model
// follow data whose statistics change along the package.
void TLzhTree::Rebuild() {
    int j = 0;
    for (int i = 0; i < kTreeSize; ++i) {
        if (FChild[i] >= kTreeSize) {
            FWeight[j] = static_cast<std::uint16_t>((FWeight[i] + 1) / 2);
            FChild[j] = FChild[i];
            ++j;
        }
    }
    for (int i = 0, node = kSymbols; node < kTreeSize; i += 2, ++node) {
        const unsigned w = FWeight[i] + FWeight[i + 1];
        FWeight[node] = static_cast<std::uint16_t>(w);
        int k = node - 1;
        while (w < FWeight[k]) --k;
        ++k;
        // Insert at k, keeping the weights ascending.
        std::copy_backward(FWeight.begin() + k, FWeight.begin() + node, FWeight.begin() + node + 1);
        FWeight[k] = static_cast<std::uint16_t>(w);
        std::copy_backward(FChild.begin() + k, FChild.begin() + node, FChild.begin() + node + 1);
        FChild[k] = static_cast<std::int16_t>(i);
    }
    for (int i = 0; i < kTreeSize; ++i) {
        const int s = FChild[i];
        if (s >= kTreeSize) {
            FParent[s] = static_cast<std::int16_t>(i);
        } else {
            FParent[s] = FParent[s + 1] = static_cast<std::int16_t>(i);
        }
    }
}

void TLzhTree::Update(int symbol) {
    if (FWeight[kRoot] == kMaxFreq) Rebuild();
    int node = FParent[symbol + kTreeSize];
    do {
        const unsigned w = ++FWeight[node];
        int l = node + 1;
        if (w > FWeight[l]) {
            // The sentinel 0xFFFF at kTreeSize ends this scan: w never exceeds kMaxFreq.
            while (w > FWeight[++l]) {
            }
            --l;
            FWeight[node] = FWeight[l];
            FWeight[l] = static_cast<std::uint16_t>(w);

            const int moved = FChild[node];
            FParent[moved] = static_cast<std::int16_t>(l);
            if (moved < kTreeSize) FParent[moved + 1] = static_cast<std::int16_t>(l);

            const int other = FChild[l];
            FChild[l] = static_cast<std::int16_t>(moved);
            FParent[other] = static_cast<std::int16_t>(node);
            if (other < kTreeSize) FParent[other + 1] = static_cast<std::int16_t>(node);
            FChild[node] = static_cast<std::int16_t>(other);
            node = l;
        }
        node = FParent[node];
    } while (node != 0);
}

std::uint32_t TLzhTree::Code(int symbol, int& length) const {
    std::uint32_t code = 0;
    length = 0;
    int node = FParent[symbol + kTreeSize];
    while (node != kRoot) {
        const int up = FParent[node];
        code |= static_cast<std::uint32_t>(node - FChild[up]) << length;
        ++length;
        node = up;
    }
    return code;
}
