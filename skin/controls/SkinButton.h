// TSkinButton: paints a push button from the skin's Button object (five state frames side by
// side: 1 normal, 2 pressed, 3 disabled, 4 hot or focused, 5 the default button) and takes over
// the mouse so that the pressed and hot looks follow the skin: a left press never reaches the
// system button, and the release fires the click (the control's Click, or BN_CLICKED to the
// parent of a raw window). The keyboard path (space, Enter, accelerators) still reaches the
// system button, which clicks on its own; only the pressed look is managed here.
//
// Without a Button bitmap the wrapper keeps out of the way and the system paints the button.
#pragma once

#include "framework/Bitmap.h"
#include "skin/controls/SkinControl.h"

#include <string>

class TDataSkinButton;

// The state frame of a plain push button (1..5). `defaultLook`: the button Enter would press
// while the focus is elsewhere.
int PlainButtonFrame(bool focused, bool defaultLook, bool pressed, bool hot, bool enabled);
// The caption with its first "||" turned into a line break.
std::wstring ButtonCaptionText(std::wstring caption);

class TSkinButton : public TSkinControl {
    QX_CLASS(TSkinButton)
public:
    explicit TSkinButton(qx::TComponent* owner);

    void Attach(TSkinControlHost* form, TSkinData* skinData, bool colourFlag, qx::TCanvas* canvas) override;
    void AttachWindow(HWND window, TSkinData* skinData, TSkinControlHost* form, qx::TCanvas* canvas) override;
    bool BeforeMessage(qx::TMessage& m) override;
    void AfterMessage(qx::TMessage& m) override;
    void Paint(HDC dc, const RECT& r) override;

    bool Transparent() const { return FTransparent; }
    // The frame the last paint chose (0 before any).
    int LastFrame() const { return FLastFrame; }

protected:
    // The skin's Button object when its Bitmap has pixels, else null.
    TDataSkinButton* ButtonSkin() const;
    // Text colour of a frame: `base` unless the skin gives one for it; grey when disabled.
    qx::TColor FrameTextColour(int frame, bool enabled, qx::TColor base) const;
    // Background into the buffer: the parent's painting when transparent, else ButtonFace.
    void PaintButtonBackground(HDC dc, const RECT& r);
    // The chosen frame as a nine-slice image over r.
    void PaintButtonImage(HDC dc, const RECT& r, int frame);
    void ReleasePress(bool click);
    void Press();

    qx::TBitmap FBuffer;
    bool FTransparent = false;
    int FLastFrame = 0;
};
