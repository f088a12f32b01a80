#pragma once
// TImageList: a list of equally sized images, each with a transparency mask, drawn onto
// canvases by index (menu glyphs, button images).
#include "Bitmap.h"
#include "Classes.h"

#include <memory>
#include <vector>

namespace qx {

class TImageList : public TComponent {
    QX_CLASS(TImageList)
public:
    explicit TImageList(TComponent* owner);
    ~TImageList() override;

    // Changing the size removes every image, as the images no longer fit. Sizes outside
    // 1..kMaxBmpDimension are ignored.
    int Width() const { return FWidth; }
    void SetWidth(int width) { SetSize(width, FHeight); }
    int Height() const { return FHeight; }
    void SetHeight(int height) { SetSize(FWidth, height); }
    void SetSize(int width, int height);
    int Count() const { return static_cast<int>(FImages.size()); }

    // A picture wider than Width holds several images side by side: all of them are added.
    // `mask`: white pixels are transparent (null: the images are opaque). Returns the index
    // of the first image added, or -1 when there was nothing to add.
    int Add(TBitmap* image, TBitmap* mask);
    // The same with every pixel of maskColor transparent.
    int AddMasked(TBitmap* image, TColor maskColor);

    // An index out of range draws nothing. Disabled images are drawn embossed in the
    // button highlight and shadow colours.
    void Draw(TCanvas& canvas, int x, int y, int index, bool enabled = true);
    // Makes `image` a Width x Height 24-bit copy of image `index` over white; false (and
    // `image` untouched) for an index out of range.
    bool GetBitmap(int index, TBitmap* image);
    void Clear();
    void Delete(int index);

    TNotifyEvent OnChange;

private:
    // Image: 24 bits, black where transparent. Mask: 1 bit, white (1) where transparent.
    struct TEntry {
        TBitmap Image;
        TBitmap Mask;
    };
    template <class IsTransparent>
    int AddPieces(TBitmap& source, IsTransparent isTransparent);
    void DrawDisabled(HDC dc, int x, int y, TEntry& entry);
    void Changed();

    int FWidth = 16;
    int FHeight = 16;
    std::vector<std::unique_ptr<TEntry>> FImages;
};

}  // namespace qx
