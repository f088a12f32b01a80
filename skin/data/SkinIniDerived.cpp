// The skin objects that do not come straight from a section: the built-in track grooves, the
// frame counts every object gets after reading, the mirrored combo button, the edit frame that
// edit and combo boxes share, and the generated toolbar background.
#include "framework/TextConvert.h"
#include "skin/data/ImgUtil.h"
#include "skin/data/SkinDraw.h"
#include "skin/data/SkinIni.h"

#include <algorithm>

namespace {

constexpr int kEditFrameWidth = 50;
constexpr int kEditFrameHeight = 21;
constexpr int kToolbarWidth = 10;
constexpr int kToolbarHeight = 40;

void SetFrames(TDataSkinObject* object, std::int32_t frames) {
    if (object) object->FrameCount = frames;
}

// Frames of a check box or radio button image that the skin does not count itself: the glyphs
// are 13 pixels wide in a short image and 16 in a taller one.
std::int32_t MeasuredGlyphFrames(const qx::TBitmap& image) {
    const int glyph = image.Height() < 16 ? 13 : 16;
    return std::max(4, image.Width() / glyph);
}

void FillMagenta(qx::TBitmap& bitmap, const RECT& r) {
    qx::TCanvas& canvas = bitmap.Canvas();
    canvas.Brush().SetColor(kSkinKeyColour);
    canvas.FillRect(r);
}

}  // namespace

void TSkinIniReader::LoadBuiltIn(const char* resourceName, std::unique_ptr<TDataSkinObject>& member) {
    member = std::make_unique<TDataSkinObject>(resourceName);
    // An executable without the program's bitmap resources gets an empty image, which the
    // painters test like any other missing image.
    member->Bitmap.LoadFromResourceName(::GetModuleHandleW(nullptr), qx::AsciiToWide(resourceName));
    member->Margins = RECT{3, 3, 3, 3};
    member->Tile = 0;
    member->FrameCount = 1;
}

void TSkinIniReader::MirrorComboButton() {
    TDataSkinBorder* combo = FObjects.ComboButton.get();
    if (!combo || combo->Bitmap.Empty()) return;
    combo->AuxBitmap.Assign(&combo->Bitmap);
    combo->AuxBitmap.SetPixelFormat(qx::TPixelFormat::pf24bit);
    MirrorBitmap(combo->AuxBitmap);
}

void TSkinIniReader::ApplyFrameCounts() {
    TSkinObjectSet& o = FObjects;
    TDataSkinButton& button = *o.Button;
    button.FrameCount = 5;
    if (button.RadioFrames == 0) button.RadioFrames = MeasuredGlyphFrames(button.RadioBitmap);
    if (button.CheckFrames == 0) button.CheckFrames = MeasuredGlyphFrames(button.CheckBitmap);
    o.Title->FrameCount = 2;
    SetFrames(o.Progress.get(), 2);
    SetFrames(o.MenuBar.get(), 2);
    SetFrames(o.GroupBoxEdge.get(), 2);
    SetFrames(o.Toolbar.get(), 1);
    SetFrames(o.ToolBars.get(), 5);
    SetFrames(o.Tabs.get(), 5);
    SetFrames(o.StatusBarEdges.get(), 3);
    SetFrames(o.GroupBox.get(), 1);
    SetFrames(o.ComboButton.get(), 4);
    SetFrames(o.SunkEdge.get(), 4);
    SetFrames(o.ExtraImages.get(), 5);
    SetFrames(o.Headerbar.get(), 5);
    SetFrames(o.MenuItem.get(), 5);
    SetFrames(o.MenuBackground.get(), 1);
    SetFrames(o.Scrollbar.get(), 23);
    SetFrames(o.HorzScroll.get(), 4);
    SetFrames(o.VertScroll.get(), 4);
    SetFrames(o.UpDownVert.get(), 8);
    SetFrames(o.UpDownHorz.get(), 8);
    for (TDataSkinObject* thumb : {o.ThumbHorz.get(), o.ThumbVert.get(), o.ThumbLeft.get(), o.ThumbRight.get(),
                                   o.ThumbUp.get(), o.ThumbDown.get()})
        SetFrames(thumb, 5);
    // The scroll thumbs count their own frames; a count below 1 falls back to the usual three.
    auto thumbFrames = [&](const char* section) {
        const std::int32_t frames = Integer(section, "FrameCount", 3);
        return frames > 0 ? frames : 3;
    };
    if (o.HorzScrollThumb) o.HorzScrollThumb->FrameCount = thumbFrames("HorzScrollThumb");
    if (o.VertScrollThumb) o.VertScrollThumb->FrameCount = thumbFrames("VertScrollThumb");
}

// Edit boxes and combo boxes share one frame image: the sunken edge with the combo button drawn
// into its right end, one 50 x 21 picture per state. The combo box keeps it as drawn; the edit
// box gets it mirrored, so its plain end (without button) is on the right.
void TSkinIniReader::BuildEditFrame() {
    TDataSkinObject* sunk = FObjects.SunkEdge.get();
    TDataSkinBorder* combo = FObjects.ComboButton.get();
    if (!sunk || !combo) return;
    TDataSkinObject* extra = FObjects.ExtraImages.get();
    const int w = ::GetSystemMetrics(SM_CXHSCROLL) + 2;
    const int frames = std::max<std::int32_t>(1, sunk->FrameCount);

    qx::TBitmap work;
    work.SetPixelFormat(qx::TPixelFormat::pf24bit);
    work.SetSize(kEditFrameWidth, kEditFrameHeight);
    qx::TBitmap strip;
    strip.SetPixelFormat(qx::TPixelFormat::pf24bit);
    strip.SetSize(kEditFrameWidth * frames, kEditFrameHeight);
    FillMagenta(strip, RECT{0, 0, strip.Width(), kEditFrameHeight});

    const RECT whole{0, 0, kEditFrameWidth, kEditFrameHeight};
    const RECT buttonRect{kEditFrameWidth - w, 0, kEditFrameWidth, kEditFrameHeight};
    for (int b = 1; b <= frames; ++b) {
        // Start every state from the key colour, so the transparent parts of one state's image
        // do not show the state drawn before it.
        FillMagenta(work, whole);
        HDC dc = work.Canvas().Handle();
        if (!sunk->Bitmap.Empty())
            DrawSkinImage(dc, whole, sunk->Bitmap, sunk->Margins, false, false, sunk->Trans == 1, frames, b);
        if (!combo->Bitmap.Empty())
            DrawSkinImage(dc, buttonRect, combo->Bitmap, combo->Margins, false, false, true,
                          std::max<std::int32_t>(1, combo->FrameCount), b);
        if (extra && !extra->Bitmap.Empty())
            DrawSkinGlyph(dc, buttonRect, extra->Bitmap, true, std::max<std::int32_t>(1, extra->FrameCount), b);
        FillMagenta(work, RECT{2, 2, kEditFrameWidth - 1 - w, kEditFrameHeight - 3});
        ::BitBlt(strip.Canvas().Handle(), kEditFrameWidth * (b - 1), 0, kEditFrameWidth, kEditFrameHeight, dc, 0, 0,
                 SRCCOPY);
    }

    combo->Style = 2;
    combo->Margins = RECT{2, sunk->Margins.top, w + 2, sunk->Margins.bottom};
    combo->Bitmap.Assign(&strip);
    MirrorBitmap(strip);
    sunk->Bitmap.Assign(&strip);
    sunk->Margins.left = w + 2;
    sunk->Margins.right = 2;
}

qx::TColor SkinFrameColour(const TSkinObjectSet& objects, const TSkinColours& colours) {
    const TDataSkinBorder* top = objects.BorderTop.get();
    if (!top || top->Bitmap.Empty()) return colours.ButtonFace;
    const int frameHeight = top->Bitmap.Height() / std::max<std::int32_t>(1, top->FrameCount);
    return top->Bitmap.Pixel(top->Bitmap.Width() / 2, frameHeight * 2 / 3);
}

// A vertical gradient from a whitened button face down to a grey tinted with the frame.
void TSkinIniReader::BuildToolbar() {
    if (!FObjects.Toolbar) FObjects.Toolbar = std::make_unique<TDataSkinObject>("Toolbar");
    TDataSkinObject& toolbar = *FObjects.Toolbar;
    qx::TBitmap& bitmap = toolbar.Bitmap;
    bitmap.SetPixelFormat(qx::TPixelFormat::pf24bit);
    bitmap.SetSize(kToolbarWidth, kToolbarHeight);
    const qx::TColor top = MixColors(FColours.ButtonFace, qx::clWhite, 150);
    const qx::TColor bottom = MixColors(qx::clGray, SkinFrameColour(FObjects, FColours), 150);
    GradientFill(bitmap.Canvas().Handle(), RECT{0, 0, kToolbarWidth, kToolbarHeight}, top, true, bottom);
    toolbar.FrameCount = 1;
}
