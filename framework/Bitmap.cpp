#include "Bitmap.h"

#include "Streams.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace qx {

namespace {

constexpr std::array<RGBQUAD, 2> kMonoPalette{{{0, 0, 0, 0}, {255, 255, 255, 0}}};
constexpr COLORREF kWhite = RGB(255, 255, 255);

int BitsOf(TPixelFormat f) { return f == TPixelFormat::pf1bit ? 1 : f == TPixelFormat::pf32bit ? 32 : 24; }

COLORREF QuadToRgb(const RGBQUAD& q) { return RGB(q.rgbRed, q.rgbGreen, q.rgbBlue); }

int Distance(COLORREF a, COLORREF b) {
    int dr = GetRValue(a) - GetRValue(b), dg = GetGValue(a) - GetGValue(b), db = GetBValue(a) - GetBValue(b);
    return dr * dr + dg * dg + db * db;
}

// BITMAPINFO with room for the two colours of a 1-bit picture.
struct TMonoInfo {
    BITMAPINFOHEADER Header{};
    RGBQUAD Colors[256]{};
    BITMAPINFO* Get() { return reinterpret_cast<BITMAPINFO*>(this); }
};

TMonoInfo TopDownInfo(int width, int height, int bits) {
    TMonoInfo info;
    info.Header.biSize = sizeof(BITMAPINFOHEADER);
    info.Header.biWidth = width;
    info.Header.biHeight = -height;  // top row first, so ScanLine(y) is plain arithmetic
    info.Header.biPlanes = 1;
    info.Header.biBitCount = static_cast<WORD>(bits);
    info.Header.biCompression = BI_RGB;
    return info;
}

}  // namespace

//--- DIB sections

COLORREF TBitmap::TDib::Rgb(int x, int y) const {
    const uint8_t* row = Row(y);
    switch (Format) {
    case TPixelFormat::pf1bit: return QuadToRgb(Palette[(row[x >> 3] >> (7 - (x & 7))) & 1]);
    case TPixelFormat::pf24bit: return RGB(row[x * 3 + 2], row[x * 3 + 1], row[x * 3]);
    case TPixelFormat::pf32bit: return RGB(row[x * 4 + 2], row[x * 4 + 1], row[x * 4]);
    }
    return 0;
}

void TBitmap::TDib::Put(int x, int y, COLORREF c) {
    uint8_t* row = Row(y);
    switch (Format) {
    case TPixelFormat::pf1bit: {
        uint8_t bit = static_cast<uint8_t>(0x80 >> (x & 7));
        bool one = Distance(c, QuadToRgb(Palette[1])) < Distance(c, QuadToRgb(Palette[0]));
        row[x >> 3] = one ? (row[x >> 3] | bit) : (row[x >> 3] & ~bit);
        return;
    }
    case TPixelFormat::pf32bit:
        row[x * 4 + 3] = 0;
        [[fallthrough]];
    case TPixelFormat::pf24bit: {
        int step = Format == TPixelFormat::pf32bit ? 4 : 3;
        row[x * step] = GetBValue(c);
        row[x * step + 1] = GetGValue(c);
        row[x * step + 2] = GetRValue(c);
        return;
    }
    }
}

TBitmap::TDib TBitmap::CreateDib(int width, int height, TPixelFormat format, const std::array<RGBQUAD, 2>& palette) {
    TDib dib;
    dib.Width = std::max(0, width);
    dib.Height = std::max(0, height);
    dib.Format = format;
    dib.Palette = format == TPixelFormat::pf1bit ? palette : kMonoPalette;
    if (dib.Width == 0 || dib.Height == 0) return dib;
    size_t stride = BmpRowBytes(dib.Width, BitsOf(format));
    if (dib.Height > kMaxBmpDimension || stride == 0 || stride * dib.Height > kMaxBmpPixelBytes)
        throw EOutOfResources("bitmap size out of range");
    TMonoInfo info = TopDownInfo(dib.Width, dib.Height, BitsOf(format));
    if (format == TPixelFormat::pf1bit) {
        info.Header.biClrUsed = 2;
        info.Colors[0] = dib.Palette[0];
        info.Colors[1] = dib.Palette[1];
    }
    void* bits = nullptr;
    dib.Handle.reset(::CreateDIBSection(nullptr, info.Get(), DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!dib.Handle || !bits) throw EOutOfResources("cannot create a DIB section");
    dib.Bits = static_cast<uint8_t*>(bits);
    dib.Stride = static_cast<int>(stride);
    return dib;
}

//--- canvas

QX_DEFINE_CLASS(TBitmapCanvas, TCanvas, b) {}

TBitmapCanvas::~TBitmapCanvas() { FreeContext(); }

void TBitmapCanvas::CreateHandle() {
    FreeContext();  // a DC left behind by SetHandle(nullptr) from outside
    FDc.reset(::CreateCompatibleDC(nullptr));
    if (!FDc) return;
    // An empty bitmap still gets a DC (drawing then lands nowhere) so callers need no test.
    if (FBitmap.FDib.Handle) FOldBitmap = ::SelectObject(FDc.get(), FBitmap.FDib.Handle.get());
    SetHandle(FDc.get());
}

void TBitmapCanvas::FreeContext() {
    if (!FDc) return;
    SetHandle(nullptr);  // takes the canvas's font, brush and pen out first
    if (FOldBitmap) ::SelectObject(FDc.get(), FOldBitmap);
    FOldBitmap = nullptr;
    FDc.reset();
}

BitmapDc::BitmapDc(TBitmap& bitmap) noexcept {
    HBITMAP h = bitmap.Handle();
    FDc.reset(::CreateCompatibleDC(nullptr));
    if (FDc && h) FOld = ::SelectObject(FDc.get(), h);
}

BitmapDc::~BitmapDc() {
    if (FOld) ::SelectObject(FDc.get(), FOld);
}

//--- TBitmap

QX_DEFINE_CLASS(TBitmap, TGraphic, b) {}

TBitmap::TBitmap() { FDib.Palette = kMonoPalette; }

TBitmap::~TBitmap() {
    // The DIB section must be out of the canvas's DC before its owner deletes it.
    FCanvas.reset();
}

void TBitmap::FreeContext() {
    if (FCanvas) FCanvas->FreeContext();
}

void TBitmap::Install(TDib dib) {
    FreeContext();
    FDib = std::move(dib);
}

void TBitmap::Clear() { Install(CreateDib(0, 0, FDib.Format, FDib.Palette)); }

void TBitmap::SetSize(int width, int height) {
    width = std::max(0, width);
    height = std::max(0, height);
    if (width == FDib.Width && height == FDib.Height) return;
    TDib dib = CreateDib(width, height, FDib.Format, FDib.Palette);
    if (dib.Handle) {
        ::GdiFlush();
        const int keepW = FDib.Handle ? std::min(width, FDib.Width) : 0;
        const int keepH = FDib.Handle ? std::min(height, FDib.Height) : 0;
        for (int y = 0; y < height; ++y) {
            int x = 0;
            if (y < keepH && dib.Format != TPixelFormat::pf1bit) {
                std::memcpy(dib.Row(y), FDib.Row(y), static_cast<size_t>(keepW) * BitsOf(dib.Format) / 8);
                x = keepW;
            }
            for (; x < width; ++x) dib.Put(x, y, y < keepH && x < keepW ? FDib.Rgb(x, y) : kWhite);
        }
    }
    Install(std::move(dib));
    Changed();
}

void TBitmap::SetPixelFormat(TPixelFormat format) {
    if (format == FDib.Format) return;
    TDib dib = CreateDib(FDib.Width, FDib.Height, format, kMonoPalette);
    if (dib.Handle) {
        ::GdiFlush();
        for (int y = 0; y < dib.Height; ++y)
            for (int x = 0; x < dib.Width; ++x) dib.Put(x, y, FDib.Rgb(x, y));
    }
    Install(std::move(dib));
    Changed();
}

uint8_t* TBitmap::ScanLine(int y) {
    if (!FDib.Handle || y < 0 || y >= FDib.Height) throw std::out_of_range("scan line index out of range");
    ::GdiFlush();  // drawing through the canvas may still be queued
    return FDib.Row(y);
}

const uint8_t* TBitmap::ScanLine(int y) const { return const_cast<TBitmap*>(this)->ScanLine(y); }

TColor TBitmap::Pixel(int x, int y) const {
    if (!FDib.Handle || x < 0 || y < 0 || x >= FDib.Width || y >= FDib.Height) return clNone;
    ::GdiFlush();
    return static_cast<TColor>(FDib.Rgb(x, y));
}

TCanvas& TBitmap::Canvas() {
    if (!FCanvas) FCanvas = std::make_unique<TBitmapCanvas>(*this);
    return *FCanvas;
}

HBITMAP TBitmap::Handle() {
    FreeContext();
    return FDib.Handle.get();
}

HBITMAP TBitmap::ReleaseHandle() {
    FreeContext();
    HBITMAP h = FDib.Handle.release();
    Clear();
    Changed();
    return h;
}

void TBitmap::SetHandle(HBITMAP bitmap) {
    if (bitmap && bitmap == FDib.Handle.get()) return;  // already ours
    UniqueBitmap owned(bitmap);
    BITMAP bm{};
    if (!bitmap || !::GetObjectW(bitmap, sizeof bm, &bm) || bm.bmWidth <= 0 || bm.bmHeight == 0) {
        Clear();
        Changed();
        return;
    }
    const int width = bm.bmWidth, height = std::abs(bm.bmHeight);
    const TPixelFormat format = bm.bmBitsPixel == 1 ? TPixelFormat::pf1bit
                              : bm.bmBitsPixel == 32 ? TPixelFormat::pf32bit : TPixelFormat::pf24bit;
    const size_t stride = BmpRowBytes(width, BitsOf(format));
    if (height > kMaxBmpDimension || stride == 0 || stride * height > kMaxBmpPixelBytes)
        throw EOutOfResources("bitmap size out of range");
    // Read the pixels first: a 1-bit source brings its own colours, which the new DIB needs.
    std::vector<uint8_t> pixels(stride * height);
    TMonoInfo info = TopDownInfo(width, height, BitsOf(format));
    UniqueMemDc dc(::CreateCompatibleDC(nullptr));
    if (!dc || ::GetDIBits(dc.get(), bitmap, 0, height, pixels.data(), info.Get(), DIB_RGB_COLORS) != height) {
        Clear();
        Changed();
        return;
    }
    TDib dib = CreateDib(width, height, format, {info.Colors[0], info.Colors[1]});
    std::memcpy(dib.Bits, pixels.data(), pixels.size());
    Install(std::move(dib));
    Changed();
}

void TBitmap::Assign(TPersistent* source) {
    if (!source) {  // as the classic framework does: assigning nothing empties the bitmap
        Clear();
        Changed();
        return;
    }
    auto* other = dynamic_cast<TBitmap*>(source);
    if (!other) return TGraphic::Assign(source);
    if (other == this) return;
    TDib dib = CreateDib(other->FDib.Width, other->FDib.Height, other->FDib.Format, other->FDib.Palette);
    if (dib.Handle) {
        ::GdiFlush();
        std::memcpy(dib.Bits, other->FDib.Bits, static_cast<size_t>(dib.Stride) * dib.Height);
    }
    Install(std::move(dib));
    FTransparentMode = other->FTransparentMode;
    FTransparentColor = other->FTransparentColor;
    if (Transparent() != other->Transparent()) SetTransparent(other->Transparent());
    Changed();
}

//--- drawing

TBitmap::TDib TBitmap::MakeMask(COLORREF key) const {
    TDib mask = CreateDib(FDib.Width, FDib.Height, TPixelFormat::pf1bit, kMonoPalette);
    if (!mask.Handle) return mask;
    ::GdiFlush();
    for (int y = 0; y < mask.Height; ++y) {
        uint8_t* row = mask.Row(y);
        for (int x = 0; x < mask.Width; ++x)
            if (FDib.Rgb(x, y) == key) row[x >> 3] |= static_cast<uint8_t>(0x80 >> (x & 7));
    }
    return mask;
}

void TBitmap::Mask(TColor transparentColor) {
    if (!FDib.Handle) return;
    Install(MakeMask(ColorToRGB(transparentColor)));
    Changed();
}

void TBitmap::Draw(TCanvas& canvas, const RECT& r) {
    if (!FDib.Handle || FCanvas.get() == &canvas) return;
    const int dw = r.right - r.left, dh = r.bottom - r.top;
    const int sw = FDib.Width, sh = FDib.Height;
    BitmapDc source(*this);
    HDC dc = canvas.Handle();
    if (!Transparent()) {
        ::StretchBlt(dc, r.left, r.top, dw, dh, source.get(), 0, 0, sw, sh, SRCCOPY);
        return;
    }
    TBitmap mask;
    mask.Install(MakeMask(ColorToRGB(TransparentColor())));
    BitmapDc maskDc(mask);
    // picture XOR, then the mask (white keeps, black clears), then picture XOR again: where
    // the mask is white the two XORs cancel and the destination is left as it was. All three
    // passes must pick the same source pixels, hence COLORONCOLOR.
    int oldMode = ::SetStretchBltMode(dc, COLORONCOLOR);
    COLORREF oldText = ::SetTextColor(dc, RGB(0, 0, 0));
    COLORREF oldBack = ::SetBkColor(dc, kWhite);
    ::StretchBlt(dc, r.left, r.top, dw, dh, source.get(), 0, 0, sw, sh, SRCINVERT);
    ::StretchBlt(dc, r.left, r.top, dw, dh, maskDc.get(), 0, 0, sw, sh, SRCAND);
    ::StretchBlt(dc, r.left, r.top, dw, dh, source.get(), 0, 0, sw, sh, SRCINVERT);
    ::SetBkColor(dc, oldBack);
    ::SetTextColor(dc, oldText);
    ::SetStretchBltMode(dc, oldMode);
}

TColor TBitmap::TransparentColor() const {
    if (FTransparentMode == TTransparentMode::tmFixed) return FTransparentColor;
    return Pixel(0, FDib.Height - 1);  // clNone while empty
}

void TBitmap::SetTransparentColor(TColor color) {
    FTransparentMode = color == clDefault ? TTransparentMode::tmAuto : TTransparentMode::tmFixed;
    FTransparentColor = color;
    Changed();
}

void TBitmap::SetTransparentMode(TTransparentMode mode) {
    if (mode == FTransparentMode) return;
    // Fixing the mode keeps the colour that was in use.
    SetTransparentColor(mode == TTransparentMode::tmAuto ? clDefault : TransparentColor());
}

//--- BMP data

bool TBitmap::LoadImage(bool decoded, const TBmpImage& image) {
    if (decoded) {
        const TPixelFormat format = image.BitsPerPixel == 1 ? TPixelFormat::pf1bit
                                  : image.BitsPerPixel == 32 ? TPixelFormat::pf32bit : TPixelFormat::pf24bit;
        auto quad = [](uint32_t v) { return RGBQUAD{static_cast<BYTE>(v), static_cast<BYTE>(v >> 8), static_cast<BYTE>(v >> 16), 0}; };
        try {
            TDib dib = CreateDib(image.Width, image.Height, format, {quad(image.Palette[0]), quad(image.Palette[1])});
            std::memcpy(dib.Bits, image.Pixels.data(), image.Pixels.size());
            Install(std::move(dib));
            Changed();
            return true;
        } catch (const EOutOfResources&) {
            // Treated like malformed data: a skin image the system cannot hold is an empty one.
        }
    }
    Clear();
    Changed();
    return false;
}

TBmpImage TBitmap::ToImage() const {
    TBmpImage image;
    if (!FDib.Handle) return image;
    ::GdiFlush();
    image.Width = FDib.Width;
    image.Height = FDib.Height;
    image.BitsPerPixel = BitsOf(FDib.Format);
    for (int i = 0; i < 2; ++i) {
        const RGBQUAD& q = FDib.Palette[i];
        image.Palette[i] = q.rgbBlue | (q.rgbGreen << 8) | (q.rgbRed << 16);
    }
    image.Pixels.assign(FDib.Bits, FDib.Bits + static_cast<size_t>(FDib.Stride) * FDib.Height);
    return image;
}

bool TBitmap::LoadFromMemory(std::span<const uint8_t> bmpFile) {
    TBmpImage image;
    bool decoded = DecodeBmpFile(bmpFile, image);
    return LoadImage(decoded, image);
}

// Like the classic framework, the picture is the rest of the stream.
bool TBitmap::LoadFromStreamChecked(TStream& stream) {
    const int64_t left = stream.Size() - stream.Position();
    if (left <= 0 || static_cast<uint64_t>(left) > kMaxBmpFileBytes) {
        stream.Seek(0, TSeekOrigin::soEnd);
        return LoadImage(false, {});
    }
    std::vector<uint8_t> data(static_cast<size_t>(left));
    int64_t got = 0;
    while (got < left) {
        int64_t n = stream.Read(data.data() + got, left - got);
        if (n <= 0) break;
        got += n;
    }
    data.resize(static_cast<size_t>(got));
    return LoadFromMemory(data);
}

void TBitmap::LoadFromStream(TStream& stream) { LoadFromStreamChecked(stream); }

// An empty bitmap writes nothing.
void TBitmap::SaveToStream(TStream& stream) {
    std::vector<uint8_t> data = EncodeBmpFile(ToImage());
    stream.WriteBuffer(data.data(), static_cast<int64_t>(data.size()));
}

bool TBitmap::LoadFromFile(const std::wstring& path) {
    try {
        TFileStream file(path, fmOpenRead);
        return LoadFromStreamChecked(file);
    } catch (const EStreamError&) {
        return LoadImage(false, {});
    }
}

bool TBitmap::SaveToFile(const std::wstring& path) {
    try {
        TFileStream file(path, fmCreate);
        SaveToStream(file);
        return true;
    } catch (const EStreamError&) {
        return false;
    }
}

bool TBitmap::LoadFromResource(HINSTANCE instance, const wchar_t* name) {
    HRSRC res = ::FindResourceW(instance, name, RT_BITMAP);
    HGLOBAL data = res ? ::LoadResource(instance, res) : nullptr;
    const void* bytes = data ? ::LockResource(data) : nullptr;
    TBmpImage image;
    bool decoded = bytes && DecodePackedDib({static_cast<const uint8_t*>(bytes), ::SizeofResource(instance, res)}, image);
    return LoadImage(decoded, image);
}

bool TBitmap::LoadFromResourceName(HINSTANCE instance, const std::wstring& name) {
    return LoadFromResource(instance, name.c_str());
}

bool TBitmap::LoadFromResourceID(HINSTANCE instance, int id) {
    return LoadFromResource(instance, MAKEINTRESOURCEW(id));
}

}  // namespace qx
