#include "BmpFile.h"

#include <bit>
#include <cstring>
#include <limits>

namespace qx {

namespace {

constexpr uint32_t kBiRgb = 0;
constexpr uint32_t kBiBitfields = 3;
constexpr size_t kFileHeaderBytes = 14;
constexpr size_t kCoreHeaderBytes = 12;
constexpr size_t kInfoHeaderBytes = 40;
constexpr size_t kNoOffset = std::numeric_limits<size_t>::max();

uint16_t U16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
uint32_t U32(const uint8_t* p) {
    return uint32_t{p[0]} | (uint32_t{p[1]} << 8) | (uint32_t{p[2]} << 16) | (uint32_t{p[3]} << 24);
}
void Put16(uint8_t* p, uint32_t v) { p[0] = static_cast<uint8_t>(v); p[1] = static_cast<uint8_t>(v >> 8); }
void Put32(uint8_t* p, uint32_t v) { Put16(p, v); Put16(p + 2, v >> 16); }

bool Fail(std::string* error, const char* why) {
    if (error) *error = why;
    return false;
}

bool SupportedDepth(int bpp) { return bpp == 1 || bpp == 4 || bpp == 8 || bpp == 16 || bpp == 24 || bpp == 32; }

uint64_t StoredRowBytes(int width, int bpp) { return (static_cast<uint64_t>(width) * bpp + 31) / 32 * 4; }

// One colour channel of a bit-field pixel, scaled to 8 bits.
struct Channel {
    uint32_t Mask = 0;
    int Shift = 0;
    int Bits = 0;

    // Only contiguous masks make sense as a channel; an empty one reads as 0.
    bool Init(uint32_t mask) {
        Mask = mask;
        if (!mask) return true;
        Shift = std::countr_zero(mask);
        uint32_t m = mask >> Shift;
        Bits = std::popcount(m);
        return (m & (m + 1)) == 0;
    }
    uint8_t Extract(uint32_t pixel) const {
        if (!Mask) return 0;
        uint32_t v = (pixel & Mask) >> Shift;
        if (Bits >= 8) return static_cast<uint8_t>(v >> (Bits - 8));
        uint32_t max = (1u << Bits) - 1;
        return static_cast<uint8_t>((v * 255 + max / 2) / max);
    }
};

struct DibInfo {
    size_t HeaderBytes = 0;
    int Width = 0;
    int Height = 0;  // always positive; TopDown tells the row order
    bool TopDown = false;
    int Bpp = 0;
    bool Bitfields = false;
    uint32_t ColorsUsed = 0;
    size_t EntryBytes = 4;  // RGBQUAD, or RGBTRIPLE for the old core header
    size_t TableOffset = 0;  // colour table (after the header and any separate masks)
    Channel Red, Green, Blue, Alpha;
};

bool ParseHeader(std::span<const uint8_t> dib, DibInfo& info, std::string* error) {
    if (dib.size() < 4) return Fail(error, "truncated header");
    const uint8_t* p = dib.data();
    info.HeaderBytes = U32(p);
    switch (info.HeaderBytes) {
    case 12: case 40: case 52: case 56: case 108: case 124: break;
    default: return Fail(error, "unsupported header size");
    }
    if (dib.size() < info.HeaderBytes) return Fail(error, "truncated header");

    uint32_t compression = kBiRgb;
    int64_t height = 0;
    int planes = 0;
    if (info.HeaderBytes == kCoreHeaderBytes) {
        info.Width = U16(p + 4);
        height = U16(p + 6);
        planes = U16(p + 8);
        info.Bpp = U16(p + 10);
        info.EntryBytes = 3;
        if (info.Bpp == 16 || info.Bpp == 32) return Fail(error, "unsupported bit depth");
    } else {
        info.Width = static_cast<int32_t>(U32(p + 4));
        height = static_cast<int32_t>(U32(p + 8));
        planes = U16(p + 12);
        info.Bpp = U16(p + 14);
        compression = U32(p + 16);
        info.ColorsUsed = U32(p + 32);
    }
    if (planes != 1) return Fail(error, "plane count is not 1");
    if (!SupportedDepth(info.Bpp)) return Fail(error, "unsupported bit depth");
    if (info.Width <= 0 || info.Width > kMaxBmpDimension) return Fail(error, "width out of range");
    // A negative height is a valid top-down picture; INT_MIN has no positive counterpart.
    info.TopDown = height < 0;
    if (height == 0 || height == std::numeric_limits<int32_t>::min()) return Fail(error, "height out of range");
    if (info.TopDown) height = -height;
    if (height > kMaxBmpDimension) return Fail(error, "height out of range");
    info.Height = static_cast<int>(height);

    info.TableOffset = info.HeaderBytes;
    if (compression == kBiBitfields) {
        if (info.Bpp != 16 && info.Bpp != 32) return Fail(error, "bit fields need 16 or 32 bits per pixel");
        // The plain info header keeps its three masks after itself; later headers inside.
        if (info.HeaderBytes == kInfoHeaderBytes) {
            if (dib.size() < kInfoHeaderBytes + 12) return Fail(error, "truncated colour masks");
            info.TableOffset += 12;
        }
        uint32_t alpha = info.HeaderBytes >= 56 ? U32(p + 52) : 0;
        if (!U32(p + 40) || !U32(p + 44) || !U32(p + 48)) return Fail(error, "empty colour mask");
        if (!info.Red.Init(U32(p + 40)) || !info.Green.Init(U32(p + 44)) || !info.Blue.Init(U32(p + 48)) ||
            !info.Alpha.Init(alpha))
            return Fail(error, "colour mask is not contiguous");
        info.Bitfields = true;
    } else if (compression != kBiRgb) {
        return Fail(error, "unsupported compression");
    } else if (info.Bpp == 16) {
        info.Red.Init(0x7C00);
        info.Green.Init(0x03E0);
        info.Blue.Init(0x001F);
        info.Bitfields = true;
    }
    return true;
}

void DecodeRow(const DibInfo& info, const std::array<uint32_t, 256>& table, const uint8_t* src, uint8_t* dst) {
    const int w = info.Width;
    auto putRgb = [&](int x, uint32_t rgbquad) {
        dst[x * 3] = static_cast<uint8_t>(rgbquad);
        dst[x * 3 + 1] = static_cast<uint8_t>(rgbquad >> 8);
        dst[x * 3 + 2] = static_cast<uint8_t>(rgbquad >> 16);
    };
    switch (info.Bpp) {
    case 1:
    case 24:
        std::memcpy(dst, src, StoredRowBytes(w, info.Bpp));
        break;
    case 4:
        for (int x = 0; x < w; ++x) putRgb(x, table[(src[x >> 1] >> ((x & 1) ? 0 : 4)) & 0x0F]);
        break;
    case 8:
        for (int x = 0; x < w; ++x) putRgb(x, table[src[x]]);
        break;
    case 16:
        for (int x = 0; x < w; ++x) {
            uint32_t v = U16(src + 2 * x);
            dst[x * 3] = info.Blue.Extract(v);
            dst[x * 3 + 1] = info.Green.Extract(v);
            dst[x * 3 + 2] = info.Red.Extract(v);
        }
        break;
    case 32:
        if (!info.Bitfields) {
            std::memcpy(dst, src, static_cast<size_t>(w) * 4);
            break;
        }
        for (int x = 0; x < w; ++x) {
            uint32_t v = U32(src + 4 * x);
            dst[x * 4] = info.Blue.Extract(v);
            dst[x * 4 + 1] = info.Green.Extract(v);
            dst[x * 4 + 2] = info.Red.Extract(v);
            dst[x * 4 + 3] = info.Alpha.Extract(v);
        }
        break;
    }
}

// `pixelOffset` is where the pixels start, counted from the info header, or kNoOffset for
// "right after the colour table" (packed DIBs, and files that leave bfOffBits 0).
bool DecodeDib(std::span<const uint8_t> dib, size_t pixelOffset, TBmpImage& out, std::string* error) {
    DibInfo info;
    if (!ParseHeader(dib, info, error)) return false;

    uint64_t entries = info.ColorsUsed;
    if (info.Bpp <= 8) {
        uint64_t max = uint64_t{1} << info.Bpp;
        if (entries > max) return Fail(error, "colour table too large");
        if (entries == 0) entries = max;
    } else if (entries > 256) {
        return Fail(error, "colour table too large");
    }
    uint64_t tableBytes = entries * info.EntryBytes;
    if (pixelOffset == kNoOffset) {
        if (info.TableOffset + tableBytes > dib.size()) return Fail(error, "truncated colour table");
        pixelOffset = static_cast<size_t>(info.TableOffset + tableBytes);
    } else {
        if (pixelOffset > dib.size()) return Fail(error, "pixel data offset past the end");
        if (pixelOffset < info.TableOffset) return Fail(error, "pixel data overlaps the header");
        // Writers that declare a full table but store a short one: use what is there.
        uint64_t room = pixelOffset - info.TableOffset;
        if (tableBytes > room) entries = room / info.EntryBytes;
    }

    const uint64_t srcStride = StoredRowBytes(info.Width, info.Bpp);
    const uint64_t srcBytes = srcStride * static_cast<uint64_t>(info.Height);
    if (srcBytes > kMaxBmpPixelBytes) return Fail(error, "image too large");
    if (srcBytes > dib.size() - pixelOffset) return Fail(error, "truncated pixel data");
    const int outBpp = info.Bpp == 1 ? 1 : info.Bpp == 32 ? 32 : 24;
    const uint64_t outStride = StoredRowBytes(info.Width, outBpp);
    const uint64_t outBytes = outStride * static_cast<uint64_t>(info.Height);
    if (outBytes > kMaxBmpPixelBytes) return Fail(error, "image too large");

    std::array<uint32_t, 256> table{};  // entries past the stored table stay black
    const uint8_t* entry = dib.data() + info.TableOffset;
    for (uint64_t i = 0; i < entries && i < table.size(); ++i, entry += info.EntryBytes)
        table[i] = uint32_t{entry[0]} | (uint32_t{entry[1]} << 8) | (uint32_t{entry[2]} << 16);

    TBmpImage image;
    image.Width = info.Width;
    image.Height = info.Height;
    image.BitsPerPixel = outBpp;
    image.Palette = {table[0], table[1]};
    image.Pixels.resize(static_cast<size_t>(outBytes));
    const uint8_t* pixels = dib.data() + pixelOffset;
    for (int y = 0; y < info.Height; ++y) {
        int stored = info.TopDown ? y : info.Height - 1 - y;
        DecodeRow(info, table, pixels + stored * srcStride, image.Pixels.data() + y * outStride);
    }
    out = std::move(image);
    return true;
}

}  // namespace

bool TBmpImage::Valid() const {
    if (Width < 1 || Width > kMaxBmpDimension || Height < 1 || Height > kMaxBmpDimension) return false;
    if (BitsPerPixel != 1 && BitsPerPixel != 24 && BitsPerPixel != 32) return false;
    return Pixels.size() == BmpRowBytes(Width, BitsPerPixel) * static_cast<size_t>(Height);
}

size_t BmpRowBytes(int width, int bitsPerPixel) {
    if (width < 1 || width > kMaxBmpDimension || !SupportedDepth(bitsPerPixel)) return 0;
    return static_cast<size_t>(StoredRowBytes(width, bitsPerPixel));
}

bool DecodeBmpFile(std::span<const uint8_t> data, TBmpImage& out, std::string* error) {
    out = TBmpImage{};
    if (data.size() > kMaxBmpFileBytes) return Fail(error, "file too large");
    if (data.size() < kFileHeaderBytes) return Fail(error, "truncated file header");
    if (data[0] != 'B' || data[1] != 'M') return Fail(error, "not a BMP file");
    // bfSize is unreliable in the wild and not needed: the data's own length bounds every read.
    uint32_t offBits = U32(data.data() + 10);
    size_t pixelOffset = kNoOffset;
    if (offBits != 0) {
        if (offBits < kFileHeaderBytes) return Fail(error, "pixel data overlaps the header");
        pixelOffset = offBits - kFileHeaderBytes;
    }
    return DecodeDib(data.subspan(kFileHeaderBytes), pixelOffset, out, error);
}

bool DecodePackedDib(std::span<const uint8_t> data, TBmpImage& out, std::string* error) {
    out = TBmpImage{};
    if (data.size() > kMaxBmpFileBytes) return Fail(error, "data too large");
    return DecodeDib(data, kNoOffset, out, error);
}

std::vector<uint8_t> EncodeBmpFile(const TBmpImage& image) {
    if (!image.Valid()) return {};
    const size_t stride = BmpRowBytes(image.Width, image.BitsPerPixel);
    const uint32_t entries = image.BitsPerPixel == 1 ? 2 : 0;
    const size_t offBits = kFileHeaderBytes + kInfoHeaderBytes + entries * 4;
    const size_t imageBytes = stride * static_cast<size_t>(image.Height);
    std::vector<uint8_t> out(offBits + imageBytes);
    uint8_t* p = out.data();
    p[0] = 'B';
    p[1] = 'M';
    Put32(p + 2, static_cast<uint32_t>(out.size()));
    Put32(p + 10, static_cast<uint32_t>(offBits));
    p += kFileHeaderBytes;
    Put32(p, kInfoHeaderBytes);
    Put32(p + 4, static_cast<uint32_t>(image.Width));
    Put32(p + 8, static_cast<uint32_t>(image.Height));  // positive: rows stored bottom-up
    Put16(p + 12, 1);
    Put16(p + 14, static_cast<uint32_t>(image.BitsPerPixel));
    Put32(p + 16, kBiRgb);
    Put32(p + 20, static_cast<uint32_t>(imageBytes));
    Put32(p + 32, entries);
    p += kInfoHeaderBytes;
    for (uint32_t i = 0; i < entries; ++i, p += 4) Put32(p, image.Palette[i] & 0xFFFFFF);
    for (int y = image.Height - 1; y >= 0; --y, p += stride)
        std::memcpy(p, image.Pixels.data() + static_cast<size_t>(y) * stride, stride);
    return out;
}

}  // namespace qx
