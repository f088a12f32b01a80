// The tool bar custom-draw handlers: the bar's background from the skin's tool bar image and
// each button's frame from the button image, chosen by the item state.
#include "support/FormTestSupport.h"

#include "skin/form/ToolbarDraw.h"

#include <commctrl.h>
#include <gtest/gtest.h>

using namespace formtest;

namespace {

TEST(ToolbarDraw, ButtonFrameByItemState) {
    EXPECT_EQ(ToolbarButtonFrame(CDIS_SELECTED | CDIS_HOT), 2);
    EXPECT_EQ(ToolbarButtonFrame(CDIS_HOT), 4);
    EXPECT_EQ(ToolbarButtonFrame(CDIS_FOCUS), 4);
    EXPECT_EQ(ToolbarButtonFrame(CDIS_DISABLED), 0);
    EXPECT_EQ(ToolbarButtonFrame(CDIS_GRAYED | CDIS_DEFAULT), 0);
    EXPECT_EQ(ToolbarButtonFrame(CDIS_DEFAULT), 1);
    EXPECT_EQ(ToolbarButtonFrame(0), 0);
}

TEST(ToolbarDraw, BackgroundIsTheStretchedToolbarImageUnlessTheSkinKeepsTheBars) {
    qx::test::EnsureApplication();
    auto skin = LoadDefaultSkin();
    ASSERT_TRUE(skin && skin->Toolbar);
    qx::test::DibCanvas canvas(100, 40);
    canvas.Fill(RGB(1, 2, 3));
    ASSERT_TRUE(InSet(skin->Options(), xoToolbarBK));
    DrawToolbarBackground(canvas.Dc(), canvas.Rect(), *skin);
    ::GdiFlush();
    EXPECT_EQ(CanvasPixel(canvas, 50, 20), RGB(1, 2, 3));
    skin->SetOptions(skin->Options() & ~SkinOptionBit(xoToolbarBK));
    DrawToolbarBackground(canvas.Dc(), canvas.Rect(), *skin);
    ::GdiFlush();
    qx::TBitmap& image = skin->Toolbar->Bitmap;
    EXPECT_EQ(CanvasPixel(canvas, 50, 0), static_cast<COLORREF>(image.Pixel(image.Width() / 2, 0)));
    EXPECT_EQ(CanvasPixel(canvas, 50, 39), static_cast<COLORREF>(image.Pixel(image.Width() / 2, image.Height() - 1)));
}

TEST(ToolbarDraw, ButtonsShowTheirStatesFrameAndTextColour) {
    qx::test::EnsureApplication();
    auto skin = LoadDefaultSkin();
    ASSERT_TRUE(skin);
    TDataSkinButton& button = *skin->Button;
    button.HasMouseOverColour2 = 1;
    button.MouseOverColour2 = RGB(9, 8, 7);
    qx::TFont font;
    font.SetColor(qx::clBlack);
    qx::test::DibCanvas canvas(60, 30);
    canvas.Fill(RGB(1, 2, 3));
    DrawToolbarButton(canvas.Dc(), canvas.Rect(), CDIS_HOT, *skin, font);
    ::GdiFlush();
    EXPECT_EQ(font.Color(), RGB(9, 8, 7));
    // Drawn one pixel inside the bounds, from frame 4 (its corner is unscaled).
    EXPECT_EQ(CanvasPixel(canvas, 0, 0), RGB(1, 2, 3));
    const COLORREF corner = FramePixel(button.Bitmap, 5, 4, false, 0, 0);
    if (corner != RGB(255, 0, 255) || !button.Trans) {
        EXPECT_EQ(CanvasPixel(canvas, 1, 1), corner);
    }
    // Disabled: nothing.
    canvas.Fill(RGB(1, 2, 3));
    DrawToolbarButton(canvas.Dc(), canvas.Rect(), CDIS_DISABLED, *skin, font);
    ::GdiFlush();
    EXPECT_EQ(CanvasPixel(canvas, 30, 15), RGB(1, 2, 3));
}

}  // namespace
