// LZHUF decoder for compressed skins: LZSS over a 4096-byte ring with adaptive Huffman coding of
// literals and match lengths. Portable; the matching encoder lives only in tools/skinpack.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <stdexcept>
#include <vector>

class TLzhTree;

// Raised only when the decoder's own tables or the output cannot be allocated.
class ElzhException : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

inline constexpr char kLzhNoMemory[] = "LZH : Cannot get memory for dictionary tables";

class TLZH {
public:
    // At most this many output bytes per input byte: the longest match (60 bytes) costs at
    // least one bit of symbol code and nine bits of position code.
    static constexpr std::int64_t kMaxExpansion = 48;

    TLZH();
    ~TLZH();
    TLZH(const TLZH&) = delete;
    TLZH& operator=(const TLZH&) = delete;

    // True when `streamBytes` bytes of bit stream can decode to `declaredLength` bytes.
    static bool PlausibleLength(std::int64_t declaredLength, std::size_t streamBytes) noexcept;

    // Decodes `input` (the bit stream alone, without the length word) into `output`, which is
    // replaced. Stops once at least `declaredLength` bytes were written; the last match is copied
    // whole, so up to 59 bytes more can follow. Input past its end reads as zero bits. Returns
    // false and leaves `output` empty when the declared length is beyond what the input could
    // produce (a damaged skin). Throws ElzhException when memory runs out.
    bool Decode(std::span<const std::uint8_t> input, std::vector<std::uint8_t>& output,
                std::int32_t declaredLength);

private:
    std::size_t Read(std::uint8_t* buffer, std::size_t count) noexcept;
    void FillBits() noexcept;
    int GetBit() noexcept;
    int GetByte() noexcept;
    int DecodePosition() noexcept;
    void Run(std::vector<std::uint8_t>& output, std::int32_t declaredLength);

    std::span<const std::uint8_t> FInput;
    std::size_t FInputPos = 0;
    std::uint16_t FBitBuf = 0;
    std::uint8_t FBitCount = 0;
    std::unique_ptr<std::uint8_t[]> FRing;   // held only during Decode
    std::unique_ptr<TLzhTree> FTree;         // held only during Decode
};
