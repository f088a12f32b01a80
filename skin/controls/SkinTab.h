// TSkinTab: the tab strip of a tab control or page control drawn from the skin's Tabs image
// (frame 2 the focused tab, frame 1 the others) and the display area framed with the Tabs
// border image. Bottom tabs use the images upside down; left and right tabs are drawn lying
// down and turned upright. A page control whose Tag is 7777 shows a close box on every tab: a
// click on it asks the skinned form (SKN_TABCLOSE) and frees the page when the form answers 0.
#pragma once

#include "framework/Bitmap.h"
#include "skin/controls/SkinControl.h"

#include <vector>

// A page control with this Tag shows close boxes on its tabs.
inline constexpr int kCloseBoxTag = 7777;

// Where the tabs sit: 0 top, 1 bottom, 2 left, 3 right.
int TabPosition(DWORD style);

// Moves tab rectangles between the control's coordinates and those of the strip bitmap (in
// which every strip lies like a top strip).
struct TTabStripMap {
    int Position = 0;
    RECT Strip{};    // the strip's area in the control
    RECT Display{};  // the display area as the painter frames it
    // The strip bitmap's size.
    SIZE BitmapSize() const;
    RECT ToStrip(const RECT& r) const;
    RECT ToControl(const RECT& r) const;
};

// The close box of a tab drawn at `t` (strip coordinates).
RECT TabCloseBox(const RECT& t);

class TSkinTab : public TSkinControl {
    QX_CLASS(TSkinTab)
public:
    explicit TSkinTab(qx::TComponent* owner);

    void Attach(TSkinControlHost* form, TSkinData* skinData, bool colourFlag, qx::TCanvas* canvas) override;
    void AttachWindow(HWND window, TSkinData* skinData, TSkinControlHost* form, qx::TCanvas* canvas) override;
    bool BeforeMessage(qx::TMessage& m) override;
    void Paint(HDC dc, const RECT& r) override;
    void SkinChanged() override;

    int Position() const { return FPosition; }
    bool CloseBoxMode() const { return FCloseBoxes; }
    // The close boxes of the last paint, in the control's coordinates, one per tab.
    const std::vector<RECT>& CloseBoxes() const { return FCloseRects; }
    qx::TBitmap& TabImage() { return FTabImage; }
    qx::TBitmap& BorderImage() { return FBorderImage; }
    TSkinControl* UpDown() const { return FUpDown; }

protected:
    void Notification(qx::TComponent* component, qx::TOperation operation) override;

private:
    void PrepareImages();
    void WrapUpDown();
    bool CloseBoxClick(qx::TMessage& m);

    int FPosition = 0;
    qx::TBitmap FTabImage;
    qx::TBitmap FBorderImage;
    std::vector<RECT> FCloseRects;
    bool FCloseBoxes = false;
    TSkinControl* FUpDown = nullptr;
};
