#include "skin/controls/SkinBitButton.h"

#include "framework/Handles.h"
#include "skin/controls/SkinPropText.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinPaintHelpers.h"

int GlyphButtonFrame(bool focused, bool pressed, bool hot, bool enabled) {
    int frame = 1;
    if (pressed) frame = 2;
    else if (focused || hot) frame = 4;
    if (!enabled) frame = 3;
    return frame;
}

QX_DEFINE_CLASS(TSkinBitButton, TSkinButton, b) {}

TSkinBitButton::TSkinBitButton(qx::TComponent* owner) : TSkinButton(owner) {}

void TSkinBitButton::Paint(HDC dc, const RECT& r) {
    if (!ButtonSkin() || !FWindow) return;
    FFocused = WindowFocused();
    FEnabled = WindowEnabled();
    const int frame = GlyphButtonFrame(FFocused, Pressed(), Hot(), FEnabled);
    FLastFrame = frame;
    const int w = r.right - r.left, h = r.bottom - r.top;
    if (w <= 0 || h <= 0) return;
    FBuffer.SetSize(w, h);
    qx::BitmapDc buffer(FBuffer);
    const RECT local{0, 0, w, h};
    PaintButtonBackground(buffer.get(), local);
    PaintButtonImage(buffer.get(), local, frame);
    const int image = Pressed() ? 3 : !FEnabled ? 2 : 1;
    PaintGlyphAndCaption(buffer.get(), local, frame, image, FEnabled, FFocused);
    ::BitBlt(dc, r.left, r.top, w, h, buffer.get(), 0, 0, SRCCOPY);
}

void TSkinBitButton::PaintGlyphAndCaption(HDC dc, const RECT& r, int frame, int image, bool enabled, bool focused) {
    qx::TControl* control = WrappedControl();
    // The window's font first, then (for a framework control) the control's own.
    HFONT font = FWindow ? reinterpret_cast<HFONT>(::SendMessageW(FWindow, WM_GETFONT, 0, 0)) : nullptr;
    if (control) font = control->Font()->Handle();
    qx::SelectGuard fontGuard(dc, font);
    const qx::TColor base = control ? control->Font()->Color() : (FSkinData ? FSkinData->ButtonText : qx::clBtnText);
    ::SetTextColor(dc, qx::ColorToRGB(FrameTextColour(frame, enabled, base)));

    TButtonGlyph glyph = control ? TButtonGlyph::Of(*control) : TButtonGlyph{};
    const SIZE g = glyph.Size;
    const TGlyphSide side = control ? GlyphSideFromText(LowerText(PropText(*control, L"Layout"))) : TGlyphSide::gsLeft;
    const bool horizontal = side == TGlyphSide::gsLeft || side == TGlyphSide::gsRight;

    FCaption = ButtonCaptionText(ReadCaption());
    SIZE t{0, 0};
    if (!FCaption.empty()) {
        RECT area = r;
        ::InflateRect(&area, -2, -2);
        if (horizontal) area.right -= g.cx + 2;
        else area.bottom -= g.cy + 2;
        DrawTextWide(dc, FCaption, area, DT_CALCRECT | DT_WORDBREAK);
        t = {area.right - area.left, area.bottom - area.top};
    }
    const int margin = control ? static_cast<int>(PropOrd(*control, L"Margin", -1)) : -1;
    const int spacing = control ? static_cast<int>(PropOrd(*control, L"Spacing", 4)) : 4;
    const bool centred = control && LowerText(PropText(*control, L"Alignment")) == L"tacenter";
    FPlacement = PlaceGlyphAndCaption({r.right - r.left, r.bottom - r.top}, g, t, side, margin, spacing, centred);

    DrawButtonGlyph(dc, FPlacement.Glyph, glyph, image, !enabled);
    FCaptionRect = {FPlacement.Caption.x, FPlacement.Caption.y, FPlacement.Caption.x + t.cx, FPlacement.Caption.y + t.cy};
    RECT text = FCaptionRect;
    const int mode = ::SetBkMode(dc, TRANSPARENT);
    DrawTextWide(dc, FCaption, text, FPlacement.CaptionFlags);
    ::SetBkMode(dc, mode);
    if (focused && !(FSkinData && InSet(FSkinData->Options(), xoNoFocusRect))) {
        RECT f = FCaptionRect;
        ::InflateRect(&f, 2, 2);
        ::DrawFocusRect(dc, &f);
    }
}
