#include "LzhEncoder.h"

#include "LzhTree.h"

#include <array>
#include <memory>

using namespace lzh;

namespace {

constexpr int kNil = kRingSize;   // "no node" in the match trees

// Prefix code of each upper-6-bit position value, derived from the decoder's tables: the code is
// the top `length` bits of the first table index that decodes to that value.
struct TPositionCodes {
    std::array<std::uint8_t, 64> Code{};
    std::array<std::uint8_t, 64> Length{};
};

constexpr TPositionCodes MakePositionCodes() {
    TPositionCodes c;
    for (int i = 255; i >= 0; --i) {
        const int upper = kPositionTables.Upper[i];
        c.Code[upper] = static_cast<std::uint8_t>(i);
        c.Length[upper] = kPositionTables.Length[i];
    }
    return c;
}
constexpr TPositionCodes kPositionCodes = MakePositionCodes();

class TBitWriter {
public:
    explicit TBitWriter(std::vector<std::uint8_t>& out) : FOut(out) {}
    // Appends the low `count` bits of `bits`, most significant first.
    void Put(std::uint32_t bits, int count) {
        for (int i = count - 1; i >= 0; --i) {
            FByte = static_cast<std::uint8_t>((FByte << 1) | ((bits >> i) & 1u));
            if (++FFill == 8) {
                FOut.push_back(FByte);
                FByte = 0;
                FFill = 0;
            }
        }
    }
    // Pads the last byte with zero bits.
    void Flush() {
        if (FFill > 0) FOut.push_back(static_cast<std::uint8_t>(FByte << (8 - FFill)));
        FByte = 0;
        FFill = 0;
    }

private:
    std::vector<std::uint8_t>& FOut;
    std::uint8_t FByte = 0;
    int FFill = 0;
};

// LZSS match finder over binary search trees of the ring's strings, one tree per first byte,
// as in the reference program; finds the longest (then nearest) earlier match.
class TLzhEncoder {
public:
    TLzhEncoder(std::span<const std::uint8_t> in, std::vector<std::uint8_t>& out) : FIn(in), FBits(out) {}
    void Run();

private:
    int NextByte() { return FInPos < FIn.size() ? FIn[FInPos++] : -1; }
    void InitTree();
    void InsertNode(int r);
    void DeleteNode(int p);
    void EncodeChar(int symbol);
    void EncodePosition(int position);

    std::span<const std::uint8_t> FIn;
    std::size_t FInPos = 0;
    TBitWriter FBits;
    TLzhTree FTree;
    // The last F - 1 bytes mirror the first ones so that comparisons may run past the ring end.
    std::array<std::uint8_t, kRingSize + kLookAhead - 1> FText{};
    std::array<int, kRingSize + 1> FLeft{};
    std::array<int, kRingSize + 257> FRight{};   // entries kRingSize+1.. are the 256 tree roots
    std::array<int, kRingSize + 1> FDad{};
    int FMatchPosition = 0;
    int FMatchLength = 0;
};

void TLzhEncoder::InitTree() {
    for (int i = kRingSize + 1; i <= kRingSize + 256; ++i) FRight[i] = kNil;
    for (int i = 0; i < kRingSize; ++i) FDad[i] = kNil;
}

void TLzhEncoder::InsertNode(int r) {
    const std::uint8_t* key = &FText[r];
    int cmp = 1;
    int p = kRingSize + 1 + key[0];
    FRight[r] = FLeft[r] = kNil;
    FMatchLength = 0;
    for (;;) {
        if (cmp >= 0) {
            if (FRight[p] == kNil) {
                FRight[p] = r;
                FDad[r] = p;
                return;
            }
            p = FRight[p];
        } else {
            if (FLeft[p] == kNil) {
                FLeft[p] = r;
                FDad[r] = p;
                return;
            }
            p = FLeft[p];
        }
        int i = 1;
        for (; i < kLookAhead; ++i) {
            cmp = key[i] - FText[p + i];
            if (cmp != 0) break;
        }
        if (i > kThreshold) {
            const int distance = ((r - p) & (kRingSize - 1)) - 1;
            if (i > FMatchLength) {
                FMatchPosition = distance;
                FMatchLength = i;
                if (FMatchLength >= kLookAhead) break;
            } else if (i == FMatchLength && distance < FMatchPosition) {
                FMatchPosition = distance;
            }
        }
    }
    // Full-length match: r replaces p in the tree.
    FDad[r] = FDad[p];
    FLeft[r] = FLeft[p];
    FRight[r] = FRight[p];
    FDad[FLeft[p]] = r;
    FDad[FRight[p]] = r;
    if (FRight[FDad[p]] == p) {
        FRight[FDad[p]] = r;
    } else {
        FLeft[FDad[p]] = r;
    }
    FDad[p] = kNil;
}

void TLzhEncoder::DeleteNode(int p) {
    if (FDad[p] == kNil) return;
    int q;
    if (FRight[p] == kNil) {
        q = FLeft[p];
    } else if (FLeft[p] == kNil) {
        q = FRight[p];
    } else {
        q = FLeft[p];
        if (FRight[q] != kNil) {
            do {
                q = FRight[q];
            } while (FRight[q] != kNil);
            FRight[FDad[q]] = FLeft[q];
            FDad[FLeft[q]] = FDad[q];
            FLeft[q] = FLeft[p];
            FDad[FLeft[p]] = q;
        }
        FRight[q] = FRight[p];
        FDad[FRight[p]] = q;
    }
    FDad[q] = FDad[p];
    if (FRight[FDad[p]] == p) {
        FRight[FDad[p]] = q;
    } else {
        FLeft[FDad[p]] = q;
    }
    FDad[p] = kNil;
}

void TLzhEncoder::EncodeChar(int symbol) {
    int length = 0;
    const std::uint32_t code = FTree.Code(symbol, length);
    FBits.Put(code, length);
    FTree.Update(symbol);
}

void TLzhEncoder::EncodePosition(int position) {
    const int upper = position >> 6;
    const int length = kPositionCodes.Length[upper];
    FBits.Put(static_cast<std::uint32_t>(kPositionCodes.Code[upper]) >> (8 - length), length);
    FBits.Put(static_cast<std::uint32_t>(position & 0x3F), 6);
}

void TLzhEncoder::Run() {
    if (FIn.empty()) return;
    InitTree();
    int s = 0;
    int r = kRingStart;
    for (int i = s; i < r; ++i) FText[i] = ' ';
    int len = 0;
    for (int c; len < kLookAhead && (c = NextByte()) >= 0; ++len) FText[r + len] = static_cast<std::uint8_t>(c);
    for (int i = 1; i <= kLookAhead; ++i) InsertNode(r - i);
    InsertNode(r);
    do {
        if (FMatchLength > len) FMatchLength = len;
        if (FMatchLength <= kThreshold) {
            FMatchLength = 1;
            EncodeChar(FText[r]);
        } else {
            EncodeChar(255 - kThreshold + FMatchLength);
            EncodePosition(FMatchPosition);
        }
        const int lastMatchLength = FMatchLength;
        int i = 0;
        for (int c; i < lastMatchLength && (c = NextByte()) >= 0; ++i) {
            DeleteNode(s);
            FText[s] = static_cast<std::uint8_t>(c);
            if (s < kLookAhead - 1) FText[s + kRingSize] = static_cast<std::uint8_t>(c);
            s = (s + 1) & (kRingSize - 1);
            r = (r + 1) & (kRingSize - 1);
            InsertNode(r);
        }
        while (i++ < lastMatchLength) {
            DeleteNode(s);
            s = (s + 1) & (kRingSize - 1);
            r = (r + 1) & (kRingSize - 1);
            if (--len) InsertNode(r);
        }
    } while (len > 0);
    FBits.Flush();
}

}  // namespace

std::vector<std::uint8_t> LzhEncode(std::span<const std::uint8_t> data) {
    std::vector<std::uint8_t> out;
    out.reserve(data.size() / 2 + 16);
    // The encoder's tables are large; keep them off the stack.
    auto encoder = std::make_unique<TLzhEncoder>(data, out);
    encoder->Run();
    return out;
}

std::vector<std::uint8_t> CompressSkin(std::span<const std::uint8_t> package) {
    const std::vector<std::uint8_t> stream = LzhEncode(package);
    std::vector<std::uint8_t> out;
    out.reserve(4 + stream.size());
    const auto n = static_cast<std::uint32_t>(package.size());
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(n >> (8 * i)));
    out.insert(out.end(), stream.begin(), stream.end());
    return out;
}
