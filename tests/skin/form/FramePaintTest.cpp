// The frame painters on their own: border pieces against the skin's images, the inactive
// frame, and the title's alignment, shift and clipping with an ellipsis.
#include "support/FormTestSupport.h"

#include "skin/form/FramePainter.h"

#include <gtest/gtest.h>

using namespace formtest;

namespace {

class FramePaintTest : public ::testing::Test {
protected:
    void SetUp() override {
        qx::test::EnsureApplication();
        skin = LoadDefaultSkin();
        ASSERT_TRUE(skin);
        NONCLIENTMETRICSW metrics{};
        metrics.cbSize = offsetof(NONCLIENTMETRICSW, iPaddedBorderWidth);
        ::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0);
        font.reset(::CreateFontIndirectW(&metrics.lfCaptionFont));
    }
    int TextWidth(const std::wstring& text) {
        qx::test::DibCanvas c(10, 10);
        qx::SelectGuard select(c.Dc(), font.get());
        RECT r{0, 0, 0, 0};
        ::DrawTextW(c.Dc(), text.c_str(), -1, &r, DT_CALCRECT | DT_NOCLIP | DT_NOPREFIX);
        return r.right;
    }
    TTitleState Title(const std::wstring& text, int width) {
        TTitleState s;
        s.Text = text;
        s.Cap = RECT{5, 0, width - 5, 28};
        s.Font = font.get();
        return s;
    }
    std::unique_ptr<TSkinData> skin;
    qx::UniqueFont font;
};

TEST_F(FramePaintTest, BorderPiecesAreTheirImagesFittedWithFixedEnds) {
    qx::test::DibCanvas canvas(400, 40);
    canvas.Fill(RGB(1, 2, 3));
    TDataSkinBorder& top = *skin->BorderTop;
    const int frameH = top.Bitmap.Height() / 2;
    PaintBorderPiece(canvas.Dc(), kBorderTop, RECT{0, 0, 400, frameH}, *skin, true);
    ::GdiFlush();
    // The fixed left and right ends are copied unscaled from frame 1.
    for (int y = 0; y < frameH; ++y) {
        EXPECT_EQ(CanvasPixel(canvas, 0, y), FramePixel(top.Bitmap, 2, 1, true, 0, y)) << y;
        EXPECT_EQ(CanvasPixel(canvas, 399, y), FramePixel(top.Bitmap, 2, 1, true, top.Bitmap.Width() - 1, y)) << y;
    }
    EXPECT_EQ(CanvasPixel(canvas, 200, frameH), RGB(1, 2, 3));  // nothing below the piece
    // Inactive: frame 2.
    PaintBorderPiece(canvas.Dc(), kBorderTop, RECT{0, 0, 400, frameH}, *skin, false);
    ::GdiFlush();
    EXPECT_EQ(CanvasPixel(canvas, 0, frameH - 1), FramePixel(top.Bitmap, 2, 2, true, 0, frameH - 1));
    // An inverted rectangle draws nothing.
    canvas.Fill(RGB(1, 2, 3));
    PaintBorderPiece(canvas.Dc(), kBorderTop, RECT{100, 0, 50, frameH}, *skin, true);
    ::GdiFlush();
    EXPECT_EQ(CanvasPixel(canvas, 75, 5), RGB(1, 2, 3));
}

TEST_F(FramePaintTest, AnInactiveWindowWithSingleFrameBordersLooksActive) {
    TDataSkinBorder& left = *skin->BorderLeft;
    left.FrameCount = 1;  // the whole image is one frame now
    qx::test::DibCanvas active(left.Bitmap.Width(), 100), inactive(left.Bitmap.Width(), 100);
    PaintBorderPiece(active.Dc(), kBorderLeft, active.Rect(), *skin, true);
    PaintBorderPiece(inactive.Dc(), kBorderLeft, inactive.Rect(), *skin, false);
    ::GdiFlush();
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < active.Width(); ++x) ASSERT_EQ(active.Pixel(x, y), inactive.Pixel(x, y)) << x << "," << y;
}

TEST_F(FramePaintTest, TitleAlignments) {
    qx::test::DibCanvas canvas(400, 28);
    const TDataSkinTitle& t = *skin->Title;
    const std::wstring text = L"  Quellox ";
    const int tw = TextWidth(text) + t.TXTBackleft + t.TXTBackRight;
    TTitleState s = Title(text, 400);
    RECT r = LayoutTitle(canvas.Dc(), *skin, s);  // alignment 0: shifted by TextShift
    EXPECT_EQ(r.left, 5 + t.Margins.left);
    EXPECT_EQ(r.right - r.left, tw);
    skin->Title->TextAlignment = 1;  // centred in the caption
    r = LayoutTitle(canvas.Dc(), *skin, s);
    EXPECT_EQ(r.right, 5 + tw + (395 - (5 + tw)) / 2);
    skin->Title->TextAlignment = 2;  // right, before the right clip
    r = LayoutTitle(canvas.Dc(), *skin, s);
    EXPECT_EQ(r.right, 395 - t.Margins.right);
    skin->Title->TextAlignment = 7;  // anything else: no shift
    r = LayoutTitle(canvas.Dc(), *skin, s);
    EXPECT_EQ(r.left, 5);
    // A right-to-left window aligns right whatever the skin says.
    skin->Title->TextAlignment = 0;
    s.RightToLeft = true;
    r = LayoutTitle(canvas.Dc(), *skin, s);
    EXPECT_EQ(r.right, 395 - t.Margins.right);
    // A dialog border with alignment 0 starts 16 pixels further left (there is no icon).
    s.RightToLeft = false;
    s.BorderKind = bkDialog;
    r = LayoutTitle(canvas.Dc(), *skin, s);
    EXPECT_EQ(r.left, 5 + t.Margins.left - 16);
}

TEST_F(FramePaintTest, ALongTitleIsCutAtTheClipWithAnEllipsis) {
    skin->Title->Bitmap.SetSize(0, 0);  // no plate: only the text shows
    skin->TitleTextActive = RGB(255, 255, 255);
    const std::wstring text = L"  A title far too long for this narrow caption strip to show in full ";
    qx::TBitmap strip;
    strip.SetPixelFormat(qx::TPixelFormat::pf24bit);
    strip.SetSize(260, 28);
    strip.Canvas().Brush().SetColor(RGB(0, 0, 0));
    strip.Canvas().FillRect(RECT{0, 0, 260, 28});
    TTitleState s = Title(text, 260);
    const RECT r = PaintTitle(strip.Canvas(), *skin, s);
    const int clip = 255 - skin->Title->Margins.right;
    EXPECT_EQ(r.right, clip);
    ::GdiFlush();
    int lit = 0, beyond = 0;
    for (int y = 0; y < 28; ++y)
        for (int x = 0; x < 260; ++x) {
            if (static_cast<COLORREF>(strip.Pixel(x, y)) == RGB(0, 0, 0)) continue;
            if (x >= clip - skin->Title->TXTBackRight) ++beyond;
            else ++lit;
        }
    EXPECT_GT(lit, 0);
    EXPECT_EQ(beyond, 0);
    // A popup is cut at its caption buttons instead.
    s.Popup = true;
    s.ButtonsLeft = 200;
    EXPECT_EQ(LayoutTitle(strip.Canvas().Handle(), *skin, s).right, 195);
    s.ButtonsLeft = 0;  // no buttons laid out yet: not cut
    EXPECT_GT(LayoutTitle(strip.Canvas().Handle(), *skin, s).right, 260);
}

}  // namespace
