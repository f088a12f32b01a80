// The combo painter: the state frame chosen, the three looks drawn where they belong (button cell,
// glyph, border; the text area never touched), the mirrored button at the left, and the
// default skin's composite drawn with its middle left transparent.
#include "skin/controls/SkinComboPaint.h"
#include "support/BoxesTestSupport.h"

#include <gtest/gtest.h>

using namespace boxestest;
using qx::test::DibCanvas;

namespace {

constexpr COLORREF kSentinel = RGB(1, 2, 3);
constexpr COLORREF kMagenta = RGB(255, 0, 255);
// Frame colours 1..4 of each strip.
const std::vector<COLORREF> kEdge{RGB(10, 0, 0), RGB(20, 0, 0), RGB(30, 0, 0), RGB(40, 0, 0)};
const std::vector<COLORREF> kButton{RGB(0, 10, 0), RGB(0, 20, 0), RGB(0, 30, 0), RGB(0, 40, 0)};
const std::vector<COLORREF> kGlyph{RGB(0, 0, 10), RGB(0, 0, 20), RGB(0, 0, 30), RGB(0, 0, 40), RGB(0, 0, 50)};
constexpr COLORREF kShadow = RGB(99, 98, 97);

class SkinComboPaintTest : public ::testing::Test {
protected:
    void SetUp() override {
        edge.FrameCount = 4;
        edge.Margins = {2, 2, 2, 2};
        FillFrames(edge.Bitmap, 10, 10, kEdge);
        button.FrameCount = 4;
        FillFrames(button.Bitmap, 12, 21, kButton);
        // The mirrored copy, told apart by a brighter green.
        FillFrames(button.AuxBitmap, 12, 21, {RGB(0, 110, 0), RGB(0, 120, 0), RGB(0, 130, 0), RGB(0, 140, 0)});
        glyphs.FrameCount = 5;
        FillFrames(glyphs.Bitmap, 7, 4, kGlyph);
        look = {&edge, &button, &glyphs, kShadow};
    }

    TDataSkinObject edge{"SunkEdge"};
    TDataSkinBorder button{"ComboButton"};
    TDataSkinObject glyphs{"ExtraImages"};
    TComboLook look;
    const TComboMetrics metrics{17, 15};
};

TEST(SkinComboFrame, PressedFocusedHotAndDisabledInTheirOrder) {
    EXPECT_EQ(ComboFrame({}), 1);
    EXPECT_EQ(ComboFrame({.Hot = true}), 4);
    EXPECT_EQ(ComboFrame({.Focused = true}), 4);
    EXPECT_EQ(ComboFrame({.Pressed = true, .Hot = true, .Focused = true}), 2);
    EXPECT_EQ(ComboFrame({.Pressed = true, .Enabled = false}), 3);
    EXPECT_EQ(ComboFrame({.Hot = true, .Enabled = false}), 3);
}

TEST_F(SkinComboPaintTest, FramedLookDrawsEdgeButtonAndGlyphOfTheStateFrame) {
    for (int frame = 1; frame <= 4; ++frame) {
        TComboPaintState state;
        state.Pressed = frame == 2;
        state.Enabled = frame != 3;
        state.Hot = frame == 4;
        ASSERT_EQ(ComboFrame(state), frame);
        DibCanvas canvas(120, 21);
        canvas.Fill(kSentinel);
        ASSERT_TRUE(PaintSkinCombo(canvas.Dc(), canvas.Rect(), look, state, metrics));
        ::GdiFlush();
        const TComboLayout layout = ComboLayout(canvas.Rect(), false, 17);
        EXPECT_EQ(layout.Button.left, 120 - 17 - 2);
        // Border of the frame's colour, the text area untouched.
        EXPECT_EQ(canvas.PixelRef(0, 10), kEdge[frame - 1]) << frame;
        EXPECT_EQ(canvas.PixelRef(50, 0), kEdge[frame - 1]);
        EXPECT_EQ(canvas.PixelRef(50, 1), kEdge[frame - 1]);
        EXPECT_EQ(canvas.PixelRef(50, 2), kSentinel);
        EXPECT_EQ(canvas.PixelRef(3, 10), kSentinel);
        // Button cell, and the glyph centred in the glyph cell (7 x 4 in 17 x 21).
        EXPECT_EQ(canvas.PixelRef(layout.Button.left, 1), kButton[frame - 1]);
        EXPECT_EQ(canvas.PixelRef(119, 20), kButton[frame - 1]);
        const int gx = layout.GlyphCell.left + (17 - 7) / 2, gy = (21 - 4) / 2;
        EXPECT_EQ(canvas.PixelRef(gx, gy), kGlyph[frame - 1]);
        EXPECT_EQ(canvas.PixelRef(gx + 6, gy + 3), kGlyph[frame - 1]);
        EXPECT_EQ(canvas.PixelRef(gx - 1, gy), kButton[frame - 1]);
        EXPECT_EQ(canvas.PixelRef(gx, gy + 4), kButton[frame - 1]);
        if (HasFailure()) {
            SaveShot(canvas, "SkinComboPaint_Framed" + std::to_string(frame));
            return;
        }
    }
}

TEST_F(SkinComboPaintTest, ButtonAtTheLeftUsesTheMirroredImage) {
    DibCanvas canvas(120, 21);
    canvas.Fill(kSentinel);
    ASSERT_TRUE(PaintSkinCombo(canvas.Dc(), canvas.Rect(), look, {.ButtonLeft = true}, metrics));
    ::GdiFlush();
    EXPECT_EQ(canvas.PixelRef(0, 0), RGB(0, 110, 0));
    EXPECT_EQ(canvas.PixelRef(18, 20), RGB(0, 110, 0));
    EXPECT_EQ(canvas.PixelRef(19, 10), kEdge[0]);  // the border past the button
    EXPECT_EQ(canvas.PixelRef(24, 10), kSentinel);
    EXPECT_EQ(canvas.PixelRef(119, 10), kEdge[0]);
    const int gx = 2 + (17 - 7) / 2;
    EXPECT_EQ(canvas.PixelRef(gx, (21 - 4) / 2), kGlyph[0]);
}

TEST_F(SkinComboPaintTest, FlatLookFramesWithShadowAndStretchesTheButtonFrame) {
    button.Style = 1;
    DibCanvas canvas(100, 21);
    canvas.Fill(kSentinel);
    qx::UniqueBrush face(::CreateSolidBrush(RGB(200, 200, 200)));
    qx::SelectGuard select(canvas.Dc(), face.get());
    ASSERT_TRUE(PaintSkinCombo(canvas.Dc(), canvas.Rect(), look, {.Focused = true}, metrics));
    ::GdiFlush();
    EXPECT_EQ(canvas.PixelRef(0, 10), kShadow);
    EXPECT_EQ(canvas.PixelRef(99, 10), kShadow);
    EXPECT_EQ(canvas.PixelRef(1, 10), RGB(200, 200, 200));  // the ring of the context's brush
    EXPECT_EQ(canvas.PixelRef(50, 10), kSentinel);
    // Button area: the inner rectangle's right part, SM_CYVTHUMB wide, frame 4.
    EXPECT_EQ(canvas.PixelRef(98 - 15, 2), kButton[3]);
    EXPECT_EQ(canvas.PixelRef(97, 18), kButton[3]);
    EXPECT_EQ(canvas.PixelRef(98 - 16, 10), kSentinel);
}

TEST_F(SkinComboPaintTest, NothingWithoutAButtonImage) {
    DibCanvas canvas(60, 21);
    canvas.Fill(kSentinel);
    TComboLook none = look;
    none.ComboButton = nullptr;
    EXPECT_FALSE(PaintSkinCombo(canvas.Dc(), canvas.Rect(), none, {}, metrics));
    TDataSkinBorder empty("ComboButton");
    none.ComboButton = &empty;
    EXPECT_FALSE(PaintSkinCombo(canvas.Dc(), canvas.Rect(), none, {}, metrics));
    // Without SunkEdge or glyphs the button alone is drawn.
    TComboLook bare{nullptr, &button, nullptr, kShadow};
    EXPECT_TRUE(PaintSkinCombo(canvas.Dc(), canvas.Rect(), bare, {}, metrics));
    ::GdiFlush();
    EXPECT_EQ(canvas.PixelRef(0, 10), kSentinel);
    EXPECT_EQ(canvas.PixelRef(59, 10), kButton[0]);
}

// Broken skins: frame counts of 0 or beyond the picture, margins larger than the picture or
// negative, unknown styles, windows smaller than the button. Nothing may be touched outside the
// combo's rectangle, and nothing may fail.
TEST_F(SkinComboPaintTest, BrokenSkinObjectsAndTinyCombosDrawOnlyInsideTheirRectangle) {
    const RECT margins[] = {{0, 0, 0, 0}, {500, 500, 500, 500}, {-20, -3, -1, -50}};
    const int counts[] = {0, 1, 4, 1000};
    const int styles[] = {0, 1, 2, 7, -1};
    const RECT targets[] = {{4, 4, 4, 4}, {4, 4, 9, 9}, {4, 4, 30, 12}, {4, 4, 124, 25}, {30, 10, 4, 4}};
    for (const RECT& m : margins)
        for (int count : counts)
            for (int style : styles)
                for (const RECT& target : targets) {
                    edge.Margins = m;
                    edge.FrameCount = count;
                    button.Margins = m;
                    button.FrameCount = count;
                    button.Style = style;
                    glyphs.FrameCount = count;
                    DibCanvas canvas(128, 29);
                    canvas.Fill(kSentinel);
                    PaintSkinCombo(canvas.Dc(), target, look, {.Pressed = true, .ButtonLeft = style == 2}, metrics);
                    ::GdiFlush();
                    for (int y = 0; y < 29; ++y)
                        for (int x = 0; x < 128; ++x) {
                            const POINT p{x, y};
                            if (::PtInRect(&target, p)) continue;
                            ASSERT_EQ(canvas.PixelRef(x, y), kSentinel)
                                << "outside at " << x << "," << y << " style " << style << " count " << count;
                        }
                }
}

// The default skin combines SunkEdge and ComboButton into one picture per state (style 2).
TEST(SkinComboDefaultSkin, CompositeDrawsBorderAndButtonAndKeepsTheMiddleClear) {
    auto skin = LoadDefaultSkin();
    ASSERT_NE(skin, nullptr);
    ASSERT_NE(skin->ComboButton, nullptr);
    ASSERT_EQ(skin->ComboButton->Style, 2);
    TComboLook look{skin->SunkEdge.get(), skin->ComboButton.get(), skin->ExtraImages.get(),
                    qx::ColorToRGB(skin->ButtonShadow)};
    const qx::TBitmap& strip = skin->ComboButton->Bitmap;
    const int fw = skin->ComboButton->FrameWidth(), fh = strip.Height();
    for (int frame = 1; frame <= 4; ++frame) {
        TComboPaintState state;
        state.Pressed = frame == 2;
        state.Enabled = frame != 3;
        state.Hot = frame == 4;
        DibCanvas canvas(fw, fh);  // the composite's own size: a 1:1 copy
        canvas.Fill(kSentinel);
        ASSERT_TRUE(PaintSkinCombo(canvas.Dc(), canvas.Rect(), look, state, SystemComboMetrics()));
        ::GdiFlush();
        int compared = 0;
        for (int y = 0; y < fh; ++y)
            for (int x = 0; x < fw; ++x) {
                const COLORREF source = BitmapPixel(strip, fw * (frame - 1) + x, y);
                const COLORREF expected = source == kMagenta ? kSentinel : source;
                if (canvas.PixelRef(x, y) != expected) {
                    ADD_FAILURE() << "frame " << frame << " pixel " << x << "," << y << " "
                                  << SaveShot(canvas, "SkinComboDefault" + std::to_string(frame));
                    return;
                }
                ++compared;
            }
        EXPECT_EQ(compared, fw * fh);
        // The middle is magenta in the picture: the text area shows through.
        EXPECT_EQ(canvas.PixelRef(10, fh / 2), kSentinel);
    }
}

}  // namespace
