// The scroll bar's geometry and picture: where a press falls, how a dragged thumb is kept
// between the arrows, how a scroll-bar control's thumb is worked out, how thick the bar is
// drawn, and which frame of each image the painter takes in each state. The test look has one
// colour per frame, so a pixel names the frame it came from.
#include "skin/controls/ScrollbarPaint.h"
#include "support/BoxesTestSupport.h"

#include <gtest/gtest.h>

#include <vector>

using namespace boxestest;
using qx::test::DibCanvas;

namespace {

COLORREF ArrowColour(int k) { return RGB(10 * k, 200, 30); }
COLORREF TrackColour(int k) { return RGB(200, 10 * k, 90); }
COLORREF ThumbColour(int k) { return RGB(40, 90, 60 * k); }

std::vector<COLORREF> Colours(int frames, COLORREF (*colour)(int)) {
    std::vector<COLORREF> out;
    for (int k = 1; k <= frames; ++k) out.push_back(colour(k));
    return out;
}

struct TTestLook {
    TTestLook() : Arrows("Scrollbar"), Track("VertScroll"), Thumb("VertScrollThumb") {
        qx::test::EnsureApplication();
        FillFrames(Arrows.Bitmap, 16, 16, Colours(23, ArrowColour));
        Arrows.FrameCount = 23;
        FillFrames(Track.Bitmap, 16, 8, Colours(4, TrackColour));
        Track.FrameCount = 4;
        FillFrames(Thumb.Bitmap, 16, 12, Colours(3, ThumbColour));
        Thumb.FrameCount = 3;
    }
    TScrollbarLook Look() { return {&Arrows, &Track, &Thumb, RGB(1, 2, 3)}; }
    TDataSkinObject Arrows, Track, Thumb;
};

TEST(ScrollbarGeometry, HitTestNamesWhatLiesUnderThePoint) {
    const TThumbExtent thumb{40, 60};
    const struct {
        int a;
        int code;
    } cases[] = {{0, SB_LINEUP},     {15, SB_LINEUP},     {16, SB_PAGEUP},   {39, SB_PAGEUP},
                 {40, SB_THUMBTRACK}, {59, SB_THUMBTRACK}, {60, SB_PAGEDOWN}, {83, SB_PAGEDOWN},
                 {84, SB_LINEDOWN},  {99, SB_LINEDOWN}};
    for (const auto& c : cases) EXPECT_EQ(ScrollHitTest(c.a, 100, 16, thumb), c.code) << c.a;
}

TEST(ScrollbarGeometry, DraggedThumbStaysBetweenTheArrows) {
    const struct {
        int delta;
        int start;
    } cases[] = {{0, 30}, {10, 40}, {-10, 20}, {-100, 16}, {100, 64}, {34, 64}, {35, 64}};
    for (const auto& c : cases) {
        const TThumbExtent t = DragThumb(30, c.delta, 20, 100, 16);
        EXPECT_EQ(t.Start, c.start) << c.delta;
        EXPECT_EQ(t.End, c.start + 20) << c.delta;
    }
}

TEST(ScrollbarGeometry, ControlThumbFollowsPageAndPosition) {
    const struct {
        int max, page, position;
        TThumbExtent thumb;
    } cases[] = {
        {100, 0, 0, {16, 32}},     // no page: a button-sized thumb at the start
        {100, 0, 100, {200, 216}},  // ... and at the far end of what is left
        {100, 11, 0, {16, 36}},    // a page: the thumb's share of the track
        {100, 11, 50, {116, 136}},
        {0, 10, 0, {16, 16}},      // an empty range: no thumb, nothing divided by zero
    };
    for (const auto& c : cases) {
        const TThumbExtent t = ControlThumb(232, 16, c.max, c.page, c.position);
        EXPECT_EQ(t.Start, c.thumb.Start) << c.max << "/" << c.page << "/" << c.position;
        EXPECT_EQ(t.End, c.thumb.End) << c.max << "/" << c.page << "/" << c.position;
    }
}

TEST(ScrollbarGeometry, ThicknessIsTheImageHeightWhenCloseToTheButtonSize) {
    const struct {
        int image, button, thickness;
    } cases[] = {{17, 16, 17}, {18, 16, 18}, {14, 16, 14}, {20, 16, 16}, {13, 16, 16}, {16, 16, 16}};
    for (const auto& c : cases) EXPECT_EQ(ScrollbarThickness(c.image, c.button), c.thickness) << c.image;
}

// A vertical bar 16 x 100: arrows 0..16 and 84..100, thumb 40..60.
TEST(ScrollbarPaint, EachStateDrawsItsFrames) {
    TTestLook test;
    const struct {
        const char* name;
        bool enabled, firstPressed, secondPressed, dragged;
        int upFrame, downFrame, trackFrame, thumbFrame;  // thumbFrame 0: the track shows there
    } cases[] = {
        {"normal", true, false, false, false, 9, 13, 1, 1},
        {"up arrow held", true, true, false, false, 10, 13, 1, 1},
        {"down arrow held", true, false, true, false, 9, 14, 1, 1},
        {"thumb dragged", true, false, false, true, 9, 13, 1, 2},
        {"disabled", false, false, false, false, 9, 13, 3, 0},
    };
    for (const auto& c : cases) {
        DibCanvas canvas(16, 100);
        TScrollbarPaintState s;
        s.Width = 16;
        s.Height = 100;
        s.ButtonSize = 16;
        s.Enabled = c.enabled;
        s.FirstPressed = c.firstPressed;
        s.SecondPressed = c.secondPressed;
        s.ThumbDragged = c.dragged;
        s.Thumb = {40, 60};
        ASSERT_TRUE(PaintSkinScrollbar(canvas.Dc(), test.Look(), s)) << c.name;
        EXPECT_EQ(canvas.PixelRef(8, 8), ArrowColour(c.upFrame)) << c.name;
        EXPECT_EQ(canvas.PixelRef(8, 92), ArrowColour(c.downFrame)) << c.name;
        EXPECT_EQ(canvas.PixelRef(8, 25), TrackColour(c.trackFrame)) << c.name;
        EXPECT_EQ(canvas.PixelRef(8, 50), c.thumbFrame ? ThumbColour(c.thumbFrame) : TrackColour(c.trackFrame))
            << c.name;
    }
}

TEST(ScrollbarPaint, HorizontalBarUsesTheSideArrowsAndShortBarsShareTheirLength) {
    TTestLook test;
    const struct {
        int width;
        int leftEnd;  // where the first arrow ends
    } cases[] = {{100, 16}, {20, 10}};
    for (const auto& c : cases) {
        DibCanvas canvas(c.width, 16);
        TScrollbarPaintState s;
        s.Vertical = false;
        s.Width = c.width;
        s.Height = 16;
        s.Thumb = {0, 0};
        ASSERT_TRUE(PaintSkinScrollbar(canvas.Dc(), test.Look(), s));
        EXPECT_EQ(canvas.PixelRef(c.leftEnd - 1, 8), ArrowColour(1)) << c.width;
        EXPECT_EQ(canvas.PixelRef(c.leftEnd, 8), c.width == 20 ? ArrowColour(5) : TrackColour(1)) << c.width;
        EXPECT_EQ(canvas.PixelRef(c.width - 1, 8), ArrowColour(5)) << c.width;
    }
}

TEST(ScrollbarPaint, NoArrowImageDrawsNothing) {
    TTestLook test;
    TDataSkinObject empty("Scrollbar");
    TScrollbarLook look = test.Look();
    for (TDataSkinObject* arrows : {static_cast<TDataSkinObject*>(nullptr), &empty}) {
        look.Arrows = arrows;
        DibCanvas canvas(16, 100);
        canvas.Fill(RGB(5, 6, 7));
        TScrollbarPaintState s;
        s.Width = 16;
        s.Height = 100;
        EXPECT_FALSE(PaintSkinScrollbar(canvas.Dc(), look, s));
        EXPECT_EQ(canvas.PixelRef(8, 50), RGB(5, 6, 7));
    }
}

}  // namespace
