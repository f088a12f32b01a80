// TLZH decoding: hand-coded bit streams, round trips through the packing tool's encoder, and
// damaged input (truncated, corrupted, impossible lengths).
#include "Lzh.h"
#include "LzhEncoder.h"
#include "LzhTree.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes FromText(std::string_view text) { return Bytes(text.begin(), text.end()); }

std::string Decoded(const Bytes& stream, std::int32_t length) {
    TLZH lzh;
    Bytes out;
    EXPECT_TRUE(lzh.Decode(stream, out, length));
    return std::string(out.begin(), out.end());
}

Bytes RandomBytes(std::size_t n, unsigned seed) {
    std::mt19937 rng(seed);
    Bytes b(n);
    for (auto& x : b) x = static_cast<std::uint8_t>(rng());
    return b;
}

// Text-like data with repeats near and far, the kind of content a skin package holds.
Bytes MixedBytes(std::size_t n, unsigned seed) {
    std::mt19937 rng(seed);
    const std::vector<std::string> words = {"Button", "Image=", "frame-top.bmp", "LeftWidth=3", "\r\n", "[Personality]",
                                            "Trans=1", " ", "0xFF00FF"};
    Bytes b;
    while (b.size() < n) {
        switch (rng() % 4) {
        case 0: {  // a word
            const std::string& w = words[rng() % words.size()];
            b.insert(b.end(), w.begin(), w.end());
            break;
        }
        case 1:  // a run
            b.insert(b.end(), rng() % 300, static_cast<std::uint8_t>(rng()));
            break;
        case 2:  // noise
            for (int k = rng() % 40; k > 0; --k) b.push_back(static_cast<std::uint8_t>(rng()));
            break;
        default:  // a copy from far back (beyond the ring now and then)
            if (b.size() > 10) {
                const std::size_t from = rng() % b.size();
                const std::size_t len = std::min<std::size_t>(rng() % 200, b.size() - from);
                for (std::size_t k = 0; k < len; ++k) b.push_back(b[from + k]);
            }
        }
    }
    b.resize(n);
    return b;
}

void ExpectRoundTrip(const Bytes& data) {
    const Bytes stream = LzhEncode(data);
    TLZH lzh;
    Bytes out;
    ASSERT_TRUE(lzh.Decode(stream, out, static_cast<std::int32_t>(data.size())));
    ASSERT_EQ(out.size(), data.size());
    EXPECT_TRUE(out == data);
}

}  // namespace

//--- hand-coded streams, worked out bit by bit from the initial tree and one model update each

TEST(LzhDecode, HandCodedStreams) {
    // All zero bits lead to the leftmost depth-8 leaf, symbol 116 ('t'); input beyond the one
    // byte reads as zeros.
    EXPECT_EQ(Decoded({0x00}, 1), "t");
    // 'A' (symbol 65) is 111001101 in the initial tree.
    EXPECT_EQ(Decoded({0xE6, 0x80}, 1), "A");
    // After one update leaf 65 has moved to position 313: its code is now 11000101.
    EXPECT_EQ(Decoded({0xE6, 0xE2, 0x80}, 2), "AA");
    // 'A', then length 3 (symbol 256, 10001100) at position 0: the copy overlaps what it writes.
    EXPECT_EQ(Decoded({0xE6, 0xC6, 0x00, 0x00}, 4), "AAAA");
    // 'A', 'B' (111001110), length 3 at position 1 (000 000001).
    EXPECT_EQ(Decoded({0xE6, 0xF3, 0xA3, 0x00, 0x20}, 5), "ABABA");
}

TEST(LzhDecode, MatchIsCopiedWholePastDeclaredLength) {
    // Length 3 at position 0 copies three ring spaces although only one byte was declared.
    EXPECT_EQ(Decoded({0x8C, 0x00}, 1), "   ");
}

TEST(LzhDecode, NonPositiveLengthWritesNothing) {
    TLZH lzh;
    Bytes out = {1, 2, 3};
    EXPECT_TRUE(lzh.Decode(Bytes{0xE6, 0x80}, out, 0));
    EXPECT_TRUE(out.empty());
    EXPECT_TRUE(lzh.Decode(Bytes{0xE6, 0x80}, out, -5));
    EXPECT_TRUE(out.empty());
    EXPECT_TRUE(lzh.Decode(Bytes{}, out, 0));
    EXPECT_TRUE(out.empty());
}

TEST(LzhEncode, MatchesHandCodedStreams) {
    EXPECT_EQ(LzhEncode(FromText("A")), (Bytes{0xE6, 0x80}));
    EXPECT_EQ(LzhEncode(FromText("AA")), (Bytes{0xE6, 0xE2, 0x80}));
    EXPECT_EQ(LzhEncode(FromText("AAAA")), (Bytes{0xE6, 0xC6, 0x00, 0x00}));
    EXPECT_EQ(LzhEncode(FromText("ABABA")), (Bytes{0xE6, 0xF3, 0xA3, 0x00, 0x20}));
    EXPECT_TRUE(LzhEncode({}).empty());
    const Bytes skin = CompressSkin(FromText("A"));
    EXPECT_EQ(skin, (Bytes{1, 0, 0, 0, 0xE6, 0x80}));
}

//--- round trips

TEST(LzhRoundTrip, SmallInputs) {
    ExpectRoundTrip({});
    ExpectRoundTrip({0x00});
    ExpectRoundTrip({0xFF});
    ExpectRoundTrip(FromText("ab"));
    ExpectRoundTrip(FromText("abc"));
    ExpectRoundTrip(FromText("   spaces like the initial ring   "));
    for (std::size_t n : {59u, 60u, 61u, 119u, 4095u, 4096u, 4097u}) ExpectRoundTrip(RandomBytes(n, static_cast<unsigned>(n)));
}

TEST(LzhRoundTrip, RepetitiveInputs) {
    ExpectRoundTrip(Bytes(200000, 0x00));
    ExpectRoundTrip(Bytes(70000, ' '));
    Bytes pattern;
    for (int i = 0; i < 100000; ++i) pattern.push_back(static_cast<std::uint8_t>("abcdefg"[i % 7]));
    ExpectRoundTrip(pattern);
    // A 24-bit bitmap's rows: long runs of one colour with an edge, repeated with a period
    // beyond the look-ahead.
    Bytes rows;
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 120; ++x) {
            const bool edge = x < 2 || x > 117;
            rows.push_back(edge ? 0x80 : 0xFF);
            rows.push_back(edge ? 0x80 : 0x00);
            rows.push_back(edge ? 0x80 : static_cast<std::uint8_t>(y));
        }
    ExpectRoundTrip(rows);
}

TEST(LzhRoundTrip, RandomInputs) {
    for (unsigned seed = 1; seed <= 5; ++seed) ExpectRoundTrip(RandomBytes(20000 + seed * 777, seed));
}

TEST(LzhRoundTrip, LargeMixedInput) {
    // About a megabyte: the model is rebuilt dozens of times and the ring wraps hundreds of times.
    ExpectRoundTrip(MixedBytes(1 << 20, 42));
}

TEST(LzhRoundTrip, ZerosCompressNearTheExpansionBound) {
    // The best case of the method must still pass the plausibility bound.
    const Bytes zeros(1 << 20, 0);
    const Bytes stream = LzhEncode(zeros);
    EXPECT_LT(stream.size() * 40, zeros.size()) << "zeros should compress by more than 40:1";
    EXPECT_TRUE(TLZH::PlausibleLength(static_cast<std::int64_t>(zeros.size()), stream.size()));
    ExpectRoundTrip(zeros);
}

//--- damaged input

TEST(LzhDamaged, ImpossibleLengthIsRejectedWithoutDecoding) {
    const Bytes stream = LzhEncode(MixedBytes(5000, 7));
    const auto bound = static_cast<std::int64_t>(stream.size()) * TLZH::kMaxExpansion;
    EXPECT_TRUE(TLZH::PlausibleLength(bound, stream.size()));
    EXPECT_FALSE(TLZH::PlausibleLength(bound + 1, stream.size()));
    EXPECT_FALSE(TLZH::PlausibleLength(1, 0));
    EXPECT_TRUE(TLZH::PlausibleLength(0, 0));

    TLZH lzh;
    Bytes out = {9};
    EXPECT_FALSE(lzh.Decode(stream, out, static_cast<std::int32_t>(bound + 1)));
    EXPECT_TRUE(out.empty());
    EXPECT_FALSE(lzh.Decode(stream, out, INT32_MAX));
    EXPECT_FALSE(lzh.Decode({}, out, 1));
    // At the bound itself decoding goes ahead: the tail decodes from zero bits.
    EXPECT_TRUE(lzh.Decode(stream, out, static_cast<std::int32_t>(bound)));
    EXPECT_GE(out.size(), static_cast<std::size_t>(bound));
    EXPECT_LT(out.size(), static_cast<std::size_t>(bound) + lzh::kLookAhead);
}

TEST(LzhDamaged, TruncatedStreamKeepsItsPrefixAndFillsToLength) {
    const Bytes data = MixedBytes(20000, 3);
    const Bytes stream = LzhEncode(data);
    for (std::size_t keep : {stream.size() / 2, stream.size() - 1, std::size_t{1}}) {
        const Bytes cut(stream.begin(), stream.begin() + static_cast<std::ptrdiff_t>(keep));
        const auto length = static_cast<std::int32_t>(std::min<std::size_t>(data.size(), keep * 48));
        TLZH lzh;
        Bytes out;
        ASSERT_TRUE(lzh.Decode(cut, out, length));
        EXPECT_GE(out.size(), static_cast<std::size_t>(length));
        EXPECT_LT(out.size(), static_cast<std::size_t>(length) + lzh::kLookAhead);
        // What the kept bits covered decodes as before (the encoder spends at most ~2 bytes
        // of stream per output byte on this data, so keep/4 bytes are safely inside).
        const std::size_t safe = std::min<std::size_t>(keep / 4, out.size());
        EXPECT_TRUE(std::equal(out.begin(), out.begin() + static_cast<std::ptrdiff_t>(safe), data.begin()))
            << "kept " << keep << " of " << stream.size();
    }
}

TEST(LzhDamaged, CorruptedStreamsDecodeToTheDeclaredLength) {
    const Bytes data = MixedBytes(30000, 11);
    const Bytes stream = LzhEncode(data);
    std::mt19937 rng(5);
    for (int round = 0; round < 60; ++round) {
        Bytes bad = stream;
        for (int flips = 1 + round % 8; flips > 0; --flips) bad[rng() % bad.size()] ^= static_cast<std::uint8_t>(1u << (rng() % 8));
        TLZH lzh;
        Bytes out;
        ASSERT_TRUE(lzh.Decode(bad, out, static_cast<std::int32_t>(data.size())));
        EXPECT_GE(out.size(), data.size());
        EXPECT_LT(out.size(), data.size() + lzh::kLookAhead);
    }
    // Pure noise as a stream.
    for (unsigned seed = 100; seed < 110; ++seed) {
        TLZH lzh;
        Bytes out;
        ASSERT_TRUE(lzh.Decode(RandomBytes(3000, seed), out, 3000 * 48));
        EXPECT_GE(out.size(), std::size_t{3000 * 48});
    }
}

TEST(LzhDecode, OneObjectDecodesRepeatedly) {
    const Bytes a = MixedBytes(9000, 1), b = MixedBytes(7000, 2);
    const Bytes sa = LzhEncode(a), sb = LzhEncode(b);
    TLZH lzh;
    Bytes out;
    ASSERT_TRUE(lzh.Decode(sa, out, static_cast<std::int32_t>(a.size())));
    EXPECT_TRUE(out == a);
    ASSERT_TRUE(lzh.Decode(sb, out, static_cast<std::int32_t>(b.size())));
    EXPECT_TRUE(out == b);
}

//--- the coding model

namespace {

// Checks the sibling property and the parent/child links of the whole tree.
void ExpectConsistentTree(const TLzhTree& t) {
    std::set<int> leaves;
    for (int j = 0; j < lzh::kTreeSize; ++j) {
        if (j + 1 < lzh::kTreeSize) {
            ASSERT_LE(t.Weight(j), t.Weight(j + 1)) << "weights must ascend at " << j;
        }
        const int c = t.Child(j);
        if (c >= lzh::kTreeSize) {
            ASSERT_LT(c - lzh::kTreeSize, lzh::kSymbols);
            ASSERT_EQ(t.Parent(c), j);
            leaves.insert(c - lzh::kTreeSize);
        } else {
            ASSERT_LT(c + 1, j) << "children sit below their node";
            ASSERT_EQ(t.Parent(c), j);
            ASSERT_EQ(t.Parent(c + 1), j);
            ASSERT_EQ(t.Weight(j), t.Weight(c) + t.Weight(c + 1)) << "node " << j;
        }
    }
    EXPECT_EQ(leaves.size(), static_cast<std::size_t>(lzh::kSymbols));
    EXPECT_LE(t.Weight(lzh::kRoot), lzh::kMaxFreq);
    EXPECT_EQ(t.Weight(lzh::kTreeSize), 0xFFFF);
}

void ExpectCodesDecode(const TLzhTree& t) {
    for (int s = 0; s < lzh::kSymbols; ++s) {
        int length = 0;
        const std::uint32_t code = t.Code(s, length);
        ASSERT_GE(length, 1);
        ASSERT_LE(length, 31);
        int next = length;
        const int decoded = t.DecodeSymbol([&] { return static_cast<int>((code >> --next) & 1u); });
        ASSERT_EQ(decoded, s);
        ASSERT_EQ(next, 0) << "symbol " << s << " used a different number of bits";
    }
}

}  // namespace

TEST(LzhTree, InitialTreeHasTheReferenceShape) {
    TLzhTree t;
    ExpectConsistentTree(t);
    EXPECT_EQ(t.Weight(lzh::kRoot), lzh::kSymbols);
    // 314 leaves: 116 at depth 9 (symbols 0-115), 198 at depth 8.
    int length = 0;
    t.Code(0, length);
    EXPECT_EQ(length, 9);
    t.Code(115, length);
    EXPECT_EQ(length, 9);
    EXPECT_EQ(t.Code(116, length), 0u);
    EXPECT_EQ(length, 8);
    EXPECT_EQ(t.Code(65, length), 0b111001101u);
}

TEST(LzhTree, StaysConsistentThroughUpdatesAndRebuilds) {
    TLzhTree t;
    std::mt19937 rng(9);
    std::geometric_distribution<int> skewed(0.05);
    // More than 0x8000 updates per phase, so the root reaches the limit and the tree is rebuilt.
    for (int phase = 0; phase < 3; ++phase) {
        for (int i = 0; i < 40000; ++i) {
            const int s = phase == 1 ? 313 : std::min(skewed(rng) + phase * 50, lzh::kSymbols - 1);
            t.Update(s);
        }
        ExpectConsistentTree(t);
        ExpectCodesDecode(t);
    }
    // A dominant symbol ends up with a one-bit code.
    for (int i = 0; i < 70000; ++i) t.Update(7);
    int length = 0;
    t.Code(7, length);
    EXPECT_EQ(length, 1);
    ExpectConsistentTree(t);
}

TEST(LzhTree, PositionTablesMatchTheReferenceProgram) {
    const auto& p = lzh::kPositionTables;
    EXPECT_EQ(p.Upper[0x00], 0);
    EXPECT_EQ(p.Upper[0x1F], 0);
    EXPECT_EQ(p.Upper[0x20], 1);
    EXPECT_EQ(p.Upper[0x4F], 3);
    EXPECT_EQ(p.Upper[0x50], 4);
    EXPECT_EQ(p.Upper[0x90], 12);
    EXPECT_EQ(p.Upper[0xC0], 24);
    EXPECT_EQ(p.Upper[0xEF], 47);
    EXPECT_EQ(p.Upper[0xF0], 48);
    EXPECT_EQ(p.Upper[0xFF], 63);
    EXPECT_EQ(p.Length[0x1F], 3);
    EXPECT_EQ(p.Length[0x20], 4);
    EXPECT_EQ(p.Length[0x50], 5);
    EXPECT_EQ(p.Length[0x8F], 5);
    EXPECT_EQ(p.Length[0x90], 6);
    EXPECT_EQ(p.Length[0xC0], 7);
    EXPECT_EQ(p.Length[0xF0], 8);
}
