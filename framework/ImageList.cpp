#include "ImageList.h"

#include <algorithm>

namespace qx {

namespace {

// Raster operation "brush where the source is white, destination elsewhere" (DSPDxax).
constexpr DWORD kRopBrushThroughWhite = 0x00E20746;
constexpr TColor kWhite = clWhite;

bool MaskBit(const uint8_t* row, int x) { return (row[x >> 3] >> (7 - (x & 7))) & 1; }
void SetMaskBit(uint8_t* row, int x, bool on) {
    uint8_t bit = static_cast<uint8_t>(0x80 >> (x & 7));
    row[x >> 3] = on ? (row[x >> 3] | bit) : (row[x >> 3] & ~bit);
}

// Monochrome sources are drawn as black (0) and white (1) whatever the target's colours were.
class MonoColorsGuard {
public:
    explicit MonoColorsGuard(HDC dc) noexcept
        : FDc(dc), FText(::SetTextColor(dc, RGB(0, 0, 0))), FBack(::SetBkColor(dc, RGB(255, 255, 255))) {}
    MonoColorsGuard(const MonoColorsGuard&) = delete;
    MonoColorsGuard& operator=(const MonoColorsGuard&) = delete;
    ~MonoColorsGuard() {
        ::SetBkColor(FDc, FBack);
        ::SetTextColor(FDc, FText);
    }

private:
    HDC FDc;
    COLORREF FText, FBack;
};

}  // namespace

QX_DEFINE_CLASS(TImageList, TComponent, b) {
    b.Integer(L"Height", &TImageList::Height, &TImageList::SetHeight);
    b.Integer(L"Width", &TImageList::Width, &TImageList::SetWidth);
    b.Creatable();
}

TImageList::TImageList(TComponent* owner) : TComponent(owner) {}

TImageList::~TImageList() = default;

void TImageList::Changed() {
    if (OnChange) OnChange(this);
}

void TImageList::SetSize(int width, int height) {
    if (width < 1 || height < 1 || width > kMaxBmpDimension || height > kMaxBmpDimension) return;
    if (width == FWidth && height == FHeight) return;
    FWidth = width;
    FHeight = height;
    Clear();
}

//--- adding

template <class IsTransparent>
int TImageList::AddPieces(TBitmap& source, IsTransparent isTransparent) {
    const int first = Count();
    const int pieces = std::max(1, source.Width() / FWidth);
    for (int i = 0; i < pieces; ++i) {
        auto entry = std::make_unique<TEntry>();
        entry->Image.SetSize(FWidth, FHeight);
        entry->Mask.SetPixelFormat(TPixelFormat::pf1bit);
        entry->Mask.SetSize(FWidth, FHeight);
        for (int y = 0; y < FHeight; ++y) {
            uint8_t* image = entry->Image.ScanLine(y);
            uint8_t* mask = entry->Mask.ScanLine(y);
            for (int x = 0; x < FWidth; ++x) {
                // Parts of the cell the picture does not cover are transparent.
                const int sx = i * FWidth + x;
                const TColor c = source.Pixel(sx, y);
                const bool transparent = c == clNone || isTransparent(sx, y, c);
                SetMaskBit(mask, x, transparent);
                // Black under the mask, so that the picture can be ORed onto the masked target.
                const COLORREF rgb = transparent ? 0 : static_cast<COLORREF>(c);
                image[x * 3] = GetBValue(rgb);
                image[x * 3 + 1] = GetGValue(rgb);
                image[x * 3 + 2] = GetRValue(rgb);
            }
        }
        FImages.push_back(std::move(entry));
    }
    Changed();
    return first;
}

int TImageList::Add(TBitmap* image, TBitmap* mask) {
    if (!image || image->Empty()) return -1;
    if (!mask || mask->Empty()) return AddPieces(*image, [](int, int, TColor) { return false; });
    return AddPieces(*image, [mask](int x, int y, TColor) { return mask->Pixel(x, y) == kWhite; });
}

int TImageList::AddMasked(TBitmap* image, TColor maskColor) {
    if (!image || image->Empty()) return -1;
    const TColor key = static_cast<TColor>(ColorToRGB(maskColor));
    return AddPieces(*image, [key](int, int, TColor c) { return c == key; });
}

//--- using

void TImageList::Draw(TCanvas& canvas, int x, int y, int index, bool enabled) {
    if (index < 0 || index >= Count()) return;
    TEntry& entry = *FImages[index];
    HDC dc = canvas.Handle();
    if (!enabled) return DrawDisabled(dc, x, y, entry);
    BitmapDc image(entry.Image);
    BitmapDc mask(entry.Mask);
    MonoColorsGuard colors(dc);
    ::BitBlt(dc, x, y, FWidth, FHeight, mask.get(), 0, 0, SRCAND);
    ::BitBlt(dc, x, y, FWidth, FHeight, image.get(), 0, 0, SRCPAINT);
}

// The classic disabled look: the image's outline (its visible pixels that are not white)
// in the highlight colour one pixel down and right, then in the shadow colour in place.
void TImageList::DrawDisabled(HDC dc, int x, int y, TEntry& entry) {
    TBitmap shape;
    shape.SetPixelFormat(TPixelFormat::pf1bit);
    shape.SetSize(FWidth, FHeight);
    for (int row = 0; row < FHeight; ++row) {
        const uint8_t* image = entry.Image.ScanLine(row);
        const uint8_t* mask = entry.Mask.ScanLine(row);
        uint8_t* out = shape.ScanLine(row);
        for (int col = 0; col < FWidth; ++col) {
            const uint8_t* px = image + col * 3;
            const bool white = px[0] == 255 && px[1] == 255 && px[2] == 255;
            SetMaskBit(out, col, !MaskBit(mask, col) && !white);
        }
    }
    BitmapDc source(shape);
    MonoColorsGuard colors(dc);
    UniqueBrush highlight(::CreateSolidBrush(ColorToRGB(clBtnHighlight)));
    UniqueBrush shadow(::CreateSolidBrush(ColorToRGB(clBtnShadow)));
    {
        SelectGuard brush(dc, highlight.get());
        ::BitBlt(dc, x + 1, y + 1, FWidth, FHeight, source.get(), 0, 0, kRopBrushThroughWhite);
    }
    SelectGuard brush(dc, shadow.get());
    ::BitBlt(dc, x, y, FWidth, FHeight, source.get(), 0, 0, kRopBrushThroughWhite);
}

bool TImageList::GetBitmap(int index, TBitmap* image) {
    if (!image || index < 0 || index >= Count()) return false;
    TEntry& entry = *FImages[index];
    image->SetPixelFormat(TPixelFormat::pf24bit);
    image->SetSize(FWidth, FHeight);
    for (int y = 0; y < FHeight; ++y) {
        const uint8_t* source = entry.Image.ScanLine(y);
        const uint8_t* mask = entry.Mask.ScanLine(y);
        uint8_t* out = image->ScanLine(y);
        for (int x = 0; x < FWidth; ++x)
            for (int c = 0; c < 3; ++c) out[x * 3 + c] = MaskBit(mask, x) ? 255 : source[x * 3 + c];
    }
    return true;
}

void TImageList::Clear() {
    if (FImages.empty()) return;
    FImages.clear();
    Changed();
}

void TImageList::Delete(int index) {
    if (index < 0 || index >= Count()) return;
    FImages.erase(FImages.begin() + index);
    Changed();
}

}  // namespace qx
