#include "Lzh.h"

#include "LzhTree.h"

#include <algorithm>
#include <cstring>
#include <new>

using namespace lzh;

namespace {
// The ring is over-allocated by F - 1 bytes as in the reference program; only the first
// kRingSize bytes are ever addressed (all indices are masked).
constexpr std::size_t kRingAlloc = kRingSize + kLookAhead - 1;
}  // namespace

TLZH::TLZH() = default;
TLZH::~TLZH() = default;

bool TLZH::PlausibleLength(std::int64_t declaredLength, std::size_t streamBytes) noexcept {
    if (declaredLength <= 0) return true;
    // streamBytes fits easily: 48 * SIZE_MAX would overflow, so compare by division.
    const std::int64_t needed = (declaredLength + kMaxExpansion - 1) / kMaxExpansion;
    return static_cast<std::uint64_t>(needed) <= streamBytes;
}

bool TLZH::Decode(std::span<const std::uint8_t> input, std::vector<std::uint8_t>& output,
                  std::int32_t declaredLength) {
    output.clear();
    if (!PlausibleLength(declaredLength, input.size())) return false;

    FInput = input;
    FInputPos = 0;
    FBitBuf = 0;
    FBitCount = 0;
    try {
        FRing.reset(new std::uint8_t[kRingAlloc]);
        FTree = std::make_unique<TLzhTree>();
        if (declaredLength > 0) output.reserve(static_cast<std::size_t>(declaredLength) + kLookAhead);
    } catch (const std::bad_alloc&) {
        FRing.reset();
        FTree.reset();
        throw ElzhException(kLzhNoMemory);
    }
    // Tables go away whether decoding ends normally or by an exception.
    struct Release {
        TLZH& self;
        ~Release() {
            self.FRing.reset();
            self.FTree.reset();
            self.FInput = {};
        }
    } release{*this};

    std::memset(FRing.get(), ' ', kRingStart);
    // Bytes from kRingStart on are written before a well-formed stream reads them; zero keeps a
    // damaged stream's output deterministic.
    std::memset(FRing.get() + kRingStart, 0, kRingAlloc - kRingStart);
    try {
        Run(output, declaredLength);
    } catch (const std::bad_alloc&) {
        output.clear();
        throw ElzhException(kLzhNoMemory);
    }
    return true;
}

void TLZH::Run(std::vector<std::uint8_t>& output, std::int32_t declaredLength) {
    const auto target = static_cast<std::size_t>(std::max<std::int32_t>(declaredLength, 0));
    std::uint8_t* ring = FRing.get();
    int r = kRingStart;
    auto bit = [this] { return GetBit(); };
    while (output.size() < target) {
        const int symbol = FTree->DecodeSymbol(bit);
        FTree->Update(symbol);
        if (symbol < 256) {
            const auto c = static_cast<std::uint8_t>(symbol);
            output.push_back(c);
            ring[r] = c;
            r = (r + 1) & (kRingSize - 1);
        } else {
            const int start = (r - DecodePosition() - 1) & (kRingSize - 1);
            const int length = symbol - 255 + kThreshold;
            for (int k = 0; k < length; ++k) {
                const std::uint8_t c = ring[(start + k) & (kRingSize - 1)];
                output.push_back(c);
                ring[r] = c;
                r = (r + 1) & (kRingSize - 1);
            }
        }
    }
}

// Read callback: delivers what is left, so running off the end is not an error.
std::size_t TLZH::Read(std::uint8_t* buffer, std::size_t count) noexcept {
    const std::size_t n = std::min(count, FInput.size() - FInputPos);
    if (n > 0) std::memcpy(buffer, FInput.data() + FInputPos, n);
    FInputPos += n;
    return n;
}

void TLZH::FillBits() noexcept {
    while (FBitCount <= 8) {
        std::uint8_t next = 0;
        if (Read(&next, 1) == 0) next = 0;   // exhausted input reads as zero bits
        FBitBuf = static_cast<std::uint16_t>(FBitBuf | (next << (8 - FBitCount)));
        FBitCount = static_cast<std::uint8_t>(FBitCount + 8);
    }
}

int TLZH::GetBit() noexcept {
    FillBits();
    const int bit = FBitBuf >> 15;
    FBitBuf = static_cast<std::uint16_t>(FBitBuf << 1);
    --FBitCount;
    return bit;
}

int TLZH::GetByte() noexcept {
    FillBits();
    const int byte = FBitBuf >> 8;
    FBitBuf = static_cast<std::uint16_t>(FBitBuf << 8);
    FBitCount = static_cast<std::uint8_t>(FBitCount - 8);
    return byte;
}

int TLZH::DecodePosition() noexcept {
    int i = GetByte();
    const int high = kPositionTables.Upper[i] << 6;
    for (int extra = kPositionTables.Length[i] - 2; extra > 0; --extra) i = (i << 1) + GetBit();
    return high | (i & 0x3F);
}
