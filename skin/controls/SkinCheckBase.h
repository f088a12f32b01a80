// What skinned check boxes and radio buttons share: the image cell at the left (or, with
// BS_RIGHTBUTTON, the right) edge, one frame of the skin's check or radio image in it, and for
// framework controls the caption drawn beside it. A raw window of a dialog gets only the image
// over the system's own painting (the variant flag is 0 then).
//
// The cell is 15 pixels wide and the caption starts 3 pixels after it (18 from the edge).
#pragma once

#include "framework/Bitmap.h"
#include "skin/controls/SkinControl.h"

// The check image frame of state s (1 unchecked, 2 checked, 4 grey; disabled already added)
// for an image of n frames: a 12-frame image is remapped, and an indeterminate box takes
// frame 9 (12 when disabled) there.
int CheckImageFrame(int s, int n, bool indeterminate, bool disabled);
// The radio image frame of state s (disabled already added) for an image of n frames: an
// 8-frame image is remapped.
int RadioImageFrame(int s, int n);

// Where the image goes in r (w x h image) and where the caption may go.
struct TCheckLayout {
    RECT Image{};
    RECT CaptionArea{};
    UINT CaptionFlags = 0;
};
TCheckLayout CheckBoxLayout(const RECT& r, int w, int h, bool rightButton);
TCheckLayout RadioButtonLayout(const RECT& r, int w, int h, bool rightButton);

class TSkinCheckBase : public TSkinControl {
    QX_CLASS(TSkinCheckBase)
public:
    explicit TSkinCheckBase(qx::TComponent* owner);

    void Attach(TSkinControlHost* form, TSkinData* skinData, bool colourFlag, qx::TCanvas* canvas) override;
    void AttachWindow(HWND window, TSkinData* skinData, TSkinControlHost* form, qx::TCanvas* canvas) override;
    bool BeforeMessage(qx::TMessage& m) override;
    // The messages after which both kinds repaint (state, mouse, focus left, data changed), and
    // a raw control printed: the image goes over what the system printed.
    void AfterMessage(qx::TMessage& m) override;
    void Paint(HDC dc, const RECT& r) override;

    bool Transparent() const { return FTransparent; }
    // The image frame the last paint drew (0 before any).
    int LastFrame() const { return FLastFrame; }
    const TCheckLayout& LastLayout() const { return FLayout; }

protected:
    // The image and its frame count; null when the skin has none to draw.
    virtual qx::TBitmap* Image(int& frames) const = 0;
    // The frame to draw, from the control's state.
    virtual int StateFrame(int frames) = 0;
    virtual TCheckLayout Layout(const RECT& r, int w, int h, bool rightButton) const = 0;
    bool RightButton() const;

    bool FTransparent = false;
    int FLastFrame = 0;
    TCheckLayout FLayout;

private:
    void PaintCaption(HDC dc);
    qx::TBitmap FBuffer;
};
