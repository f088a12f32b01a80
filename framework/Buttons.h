#pragma once
// Buttons with glyphs: TBitBtn (a push button drawing a glyph beside its caption) and
// TSpeedButton (a graphic control without a window of its own, painted by its parent, usually
// on a tool strip; Flat ones show a frame only while hot or down).
//
// Both draw their glyph from Glyph, a bitmap holding NumGlyphs images side by side (1 up,
// 2 disabled, 3 pressed, 4 down), whose bottom-left pixel is the transparent colour; a TBitBtn
// can take it from an image list (Images, ImageIndex, DisabledIndex) instead.
//
// Not here yet: glyphs stored with a form description, speed button groups (GroupIndex and
// AllowAllUp), and the hot look of speed buttons (the parent does not tell graphic children
// when the mouse enters them, see TWinControl::WndProc).
#include "Bitmap.h"
#include "ImageList.h"
#include "StdCtrls.h"

namespace qx {

enum class TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

const std::vector<std::wstring>& ButtonLayoutNames();

// Where glyph and caption go in a button of `client` size: the glyph and the caption block are
// placed along the layout axis with `margin` from the edge (-1: the pair centred) and `spacing`
// between them (-1: the free space shared evenly), and centred across it.
struct TGlyphLayout {
    POINT GlyphPos{};
    RECT TextRect{};
};
TGlyphLayout LayoutGlyphButton(const RECT& client, SIZE glyph, SIZE text, TButtonLayout layout, int margin, int spacing);

// Draws image `index` (from 0) of a glyph strip of `count` images at (x, y), its bottom-left
// pixel transparent.
void DrawGlyphImage(HDC dc, int x, int y, TBitmap& glyph, int count, int index);

class TBitBtn : public TButton {
    QX_CLASS(TBitBtn)
public:
    explicit TBitBtn(TComponent* owner);
    ~TBitBtn() override;

    TBitmap* Glyph() { return &FGlyph; }
    // Copies the picture (none: the glyph is emptied).
    void SetGlyph(TBitmap* glyph);
    int NumGlyphs() const { return FNumGlyphs; }
    void SetNumGlyphs(int count);
    TButtonLayout Layout() const { return FLayout; }
    void SetLayout(TButtonLayout layout);
    int Margin() const { return FMargin; }
    void SetMargin(int margin);
    int Spacing() const { return FSpacing; }
    void SetSpacing(int spacing);
    TImageList* Images() const { return FImages; }
    void SetImages(TImageList* images);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int index);
    int DisabledIndex() const { return FDisabledIndex; }
    void SetDisabledIndex(int index);
    // Enter clicks the button while it shows the default look.
    bool DefaultLook() const { return FDefaultLook; }

    void WndProc(TMessage& m) override;

protected:
    void CreateParams(TCreateParams& p) override;
    void Notification(TComponent* component, TOperation operation) override;

private:
    void DrawItem(const DRAWITEMSTRUCT& item);
    TBitmap FGlyph;
    int FNumGlyphs = 1;
    TButtonLayout FLayout = TButtonLayout::blGlyphLeft;
    int FMargin = -1;
    int FSpacing = 4;
    TImageList* FImages = nullptr;
    int FImageIndex = -1;
    int FDisabledIndex = -1;
    bool FDefaultLook = false;
};

class TSpeedButton : public TGraphicControl {
    QX_CLASS(TSpeedButton)
public:
    explicit TSpeedButton(TComponent* owner);

    bool Flat() const { return FFlat; }
    void SetFlat(bool flat);
    bool Down() const { return FDown; }
    void SetDown(bool down);
    TBitmap* Glyph() { return &FGlyph; }
    void SetGlyph(TBitmap* glyph);
    int NumGlyphs() const { return FNumGlyphs; }
    void SetNumGlyphs(int count);
    TButtonLayout Layout() const { return FLayout; }
    void SetLayout(TButtonLayout layout);
    int Margin() const { return FMargin; }
    void SetMargin(int margin);
    int Spacing() const { return FSpacing; }
    void SetSpacing(int spacing);
    bool Pressed() const { return FPressed; }
    bool Hot() const { return FHot; }

    void WndProc(TMessage& m) override;

protected:
    // Painting goes through WindowProc as WM_PAINT with the canvas's DC in wParam, so that a
    // hook on WindowProc (a skin) can paint instead.
    void Paint() override;

private:
    void PaintButton(HDC dc);
    bool FFlat = false;
    bool FDown = false;
    TBitmap FGlyph;
    int FNumGlyphs = 1;
    TButtonLayout FLayout = TButtonLayout::blGlyphLeft;
    int FMargin = -1;
    int FSpacing = 4;
    bool FPressed = false;
    bool FHot = false;
};

}  // namespace qx
