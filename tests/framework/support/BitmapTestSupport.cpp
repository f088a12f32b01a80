#include "support/BitmapTestSupport.h"

#ifdef _WIN32
#include "framework/Bitmap.h"

#include <windows.h>
#endif

#include <cstdlib>

namespace qxtest {

namespace {

void Put16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}
void Put32(std::vector<uint8_t>& out, uint32_t v) {
    Put16(out, v);
    Put16(out, v >> 16);
}

}  // namespace

std::vector<uint8_t> TestBmp::PackedDib() const {
    std::vector<uint8_t> out;
    const uint32_t used = ColorsUsed.value_or(static_cast<uint32_t>(Palette.size()));
    if (HeaderSize == 12) {
        Put32(out, 12);
        Put16(out, static_cast<uint32_t>(RawWidth.value_or(Width)));
        Put16(out, static_cast<uint32_t>(RawHeight.value_or(Height)));
        Put16(out, Planes);
        Put16(out, static_cast<uint32_t>(Bpp));
    } else {
        Put32(out, HeaderSize);
        Put32(out, static_cast<uint32_t>(RawWidth.value_or(Width)));
        Put32(out, static_cast<uint32_t>(RawHeight.value_or(TopDown ? -Height : Height)));
        Put16(out, Planes);
        Put16(out, static_cast<uint32_t>(Bpp));
        Put32(out, Compression);
        Put32(out, 0);  // image size: decoders must not trust it
        Put32(out, 2835);
        Put32(out, 2835);
        Put32(out, used);
        Put32(out, 0);
        if (HeaderSize >= 52 || Compression == 3)
            for (int i = 0; i < (HeaderSize >= 56 ? 4 : 3); ++i) Put32(out, Masks[i]);
        while (out.size() < HeaderSize) out.push_back(0);
    }
    for (uint32_t c : Palette) {
        out.push_back(static_cast<uint8_t>(c));
        out.push_back(static_cast<uint8_t>(c >> 8));
        out.push_back(static_cast<uint8_t>(c >> 16));
        if (HeaderSize != 12) out.push_back(0);
    }
    const size_t stride = (static_cast<size_t>(Width) * Bpp + 31) / 32 * 4;
    for (int s = 0; s < Height; ++s) {
        const int y = TopDown ? s : Height - 1 - s;
        std::vector<uint8_t> row(stride);
        for (int x = 0; x < Width; ++x) {
            uint32_t v = Pixel(x, y);
            switch (Bpp) {
            case 1: row[x / 8] |= static_cast<uint8_t>((v & 1) << (7 - x % 8)); break;
            case 4: row[x / 2] |= static_cast<uint8_t>((v & 15) << (x % 2 ? 0 : 4)); break;
            case 8: row[x] = static_cast<uint8_t>(v); break;
            case 16: row[2 * x] = static_cast<uint8_t>(v); row[2 * x + 1] = static_cast<uint8_t>(v >> 8); break;
            case 24:
                row[3 * x] = static_cast<uint8_t>(v);
                row[3 * x + 1] = static_cast<uint8_t>(v >> 8);
                row[3 * x + 2] = static_cast<uint8_t>(v >> 16);
                break;
            case 32:
                for (int b = 0; b < 4; ++b) row[4 * x + b] = static_cast<uint8_t>(v >> (8 * b));
                break;
            }
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

std::vector<uint8_t> TestBmp::File() const {
    std::vector<uint8_t> dib = PackedDib();
    const size_t pixelBytes = (static_cast<size_t>(Width) * Bpp + 31) / 32 * 4 * Height;
    std::vector<uint8_t> out{'B', 'M'};
    Put32(out, static_cast<uint32_t>(14 + dib.size()));
    Put32(out, 0);
    Put32(out, OffBits.value_or(static_cast<uint32_t>(14 + dib.size() - pixelBytes)));
    out.insert(out.end(), dib.begin(), dib.end());
    return out;
}

uint32_t PatternColor(int x, int y) {
    return (static_cast<uint32_t>(x * 40 + 10) & 0xFF) << 16 | (static_cast<uint32_t>(y * 50 + 20) & 0xFF) << 8 |
           (static_cast<uint32_t>((x + y) * 30 + 5) & 0xFF);
}

uint32_t ToColorRef(uint32_t rgb) { return ((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF); }

// The picture helpers need Windows; the BMP builder above also serves native decoder runs.
#ifdef _WIN32
std::wstring ArtifactPath(const std::wstring& fileName) {
    const wchar_t* dir = _wgetenv(L"QUELLOX_ARTIFACTS");
    std::wstring folder = dir && *dir ? dir : L".";
    ::CreateDirectoryW(folder.c_str(), nullptr);
    return folder + L"\\" + fileName;
}

std::wstring SaveArtifact(qx::TBitmap& bitmap, const std::wstring& fileName) {
    std::wstring path = ArtifactPath(fileName);
    return bitmap.SaveToFile(path) ? path : std::wstring{};
}
#endif

}  // namespace qxtest
