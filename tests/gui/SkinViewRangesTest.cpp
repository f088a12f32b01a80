// The viewer's page of range controls, skinned, as the screen shows it: no control lies over
// another, and the scroll-bar controls show a dragged thumb, a held arrow and a disabled bar
// with the skin's frames for each. Screenshots go to the artifacts folder.
#include "SkinViewSupport.h"

#include "framework/ScrollBar.h"
#include "skin/controls/SkinFormAdapter.h"
#include "skin/controls/SkinManage.h"
#include "skin/controls/SkinScControl.h"
#include "skin/data/SkinDraw.h"
#include "skin/form/WinSkinForm.h"
#include "support/MouseHold.h"

#include <gtest/gtest.h>

#include <string>

using namespace qx;
using namespace viewtest;
using test::DibCanvas;

namespace {

std::string Narrow(const std::wstring& s) { return std::string(s.begin(), s.end()); }

RECT WindowRectOf(HWND w) {
    RECT r{};
    ::GetWindowRect(w, &r);
    return r;
}

class SkinViewRangesTest : public ::testing::Test {
protected:
    void SetUp() override {
        form = OpenViewer();
        ASSERT_TRUE(IsSkinned(form->Handle()));
        form->PageRanges->Click();
        RepaintAll(form->Handle());
    }
    void TearDown() override {
        if (form) CloseViewer(form);
    }
    // The page's scroll-bar control of this kind and state.
    TScrollBar* Bar(TScrollBarKind kind, bool enabled) const {
        for (int i = 0; i < form->ComponentCount(); ++i) {
            auto* bar = dynamic_cast<TScrollBar*>(form->Components(i));
            if (bar && bar->Parent() == form->RangesPage && bar->Kind() == kind && bar->Enabled() == enabled) return bar;
        }
        return nullptr;
    }
    // The overlay the skin laid over a scroll-bar control.
    TWScrollbar* Overlay(TScrollBar* bar) const {
        TWinSkinForm* skinned = SkinManager ? SkinManager->FindSkinForm(form->Handle()) : nullptr;
        if (!skinned || !bar) return nullptr;
        for (TSkinControl* w : SkinFormHost(*skinned).Wrappers())
            if (auto* sc = dynamic_cast<TSkinScControl*>(w); sc && sc->WrappedControl() == bar) return sc->Bar();
        return nullptr;
    }
    std::unique_ptr<DibCanvas> Screen(const std::string& name = {}) const { return ShootWindow(form->Handle(), name); }
    POINT InShot(HWND w) const { return PlaceInShot(form->Handle(), w); }
    TSkinViewForm* form = nullptr;
};

// A control that lay over its neighbours hid them in the skinned page (the vertical track bar,
// turned after it was placed, lay across the scroll bar and the up-downs; the header control,
// aligned to the top, across the list view).
TEST_F(SkinViewRangesTest, NoControlOfAPageLiesOverAnother) {
    for (TMenuItem* page : {form->PageButtons, form->PageInputs, form->PageLists}) page->Click();
    test::PumpPending(std::chrono::milliseconds(200));
    for (TWinControl* sheet : {form->ButtonsPage, form->InputsPage, form->ListsPage, form->RangesPage}) {
        std::vector<std::pair<std::string, RECT>> placed;
        for (int i = 0; i < form->ComponentCount(); ++i) {
            auto* control = dynamic_cast<TWinControl*>(form->Components(i));
            if (!control || control->Parent() != sheet || !control->HandleAllocated()) continue;
            const RECT r = WindowRectOf(control->Handle());
            for (const auto& [name, other] : placed) {
                RECT common{};
                EXPECT_FALSE(::IntersectRect(&common, &r, &other)) << Narrow(control->ClassName()) << " " << i << " over " << name;
            }
            placed.emplace_back(Narrow(control->ClassName()) + " " + std::to_string(i), r);
        }
    }
}

// Both bars drawn beside each other, the screen showing what each overlay paints: the arrows
// keep their normal frames (1 and 5 of the arrow strip) on both, and the disabled bar shows its
// track in the disabled frame, without a thumb.
TEST_F(SkinViewRangesTest, DisabledBarShowsADisabledTrackWithoutAThumb) {
    TScrollBar* bars[] = {Bar(TScrollBarKind::sbHorizontal, true), Bar(TScrollBarKind::sbHorizontal, false)};
    const std::unique_ptr<DibCanvas> screen = Screen("skinview_scroll_disabled");
    TDataSkinObject& strip = *form->SkinData1->Scrollbar;
    for (int b = 0; b < 2; ++b) {
        TWScrollbar* overlay = Overlay(bars[b]);
        ASSERT_NE(overlay, nullptr) << b;
        const RECT r = WindowRectOf(overlay->Handle());
        const int w = r.right - r.left, h = r.bottom - r.top, bs = overlay->ButtonSize();
        DibCanvas painted(w, h);
        ASSERT_TRUE(overlay->PaintBar(painted.Dc())) << b;
        ::GdiFlush();
        const POINT at = InShot(overlay->Handle());
        EXPECT_EQ(Differing(*screen, at, painted, {0, 0}, w, h), 0) << "the screen shows the overlay " << b;
        const int frames[] = {1, 5};
        for (int side = 0; side < 2; ++side) {
            DibCanvas arrow(bs, h);
            arrow.Fill(ColorToRGB(form->SkinData1->ButtonFace));
            DrawSkinFrame(arrow.Dc(), arrow.Rect(), strip.Bitmap, true, 23, frames[side]);
            ::GdiFlush();
            EXPECT_EQ(Differing(painted, {side ? w - bs : 0, 0}, arrow, {0, 0}, bs, h), 0)
                << "bar " << b << " arrow frame " << frames[side];
        }
    }
    EXPECT_GT(Overlay(bars[0])->Thumb().End, Overlay(bars[0])->Thumb().Start);
    // The track next to the left arrow (short of the enabled bar's thumb) differs between them.
    const POINT a = InShot(Overlay(bars[0])->Handle()), d = InShot(Overlay(bars[1])->Handle());
    const RECT enabled = WindowRectOf(Overlay(bars[0])->Handle());
    const int bs = Overlay(bars[0])->ButtonSize(), h = enabled.bottom - enabled.top;
    ASSERT_GT(Overlay(bars[0])->Thumb().Start, bs + 6);
    EXPECT_GT(Differing(*screen, {a.x + bs + 2, a.y}, *screen, {d.x + bs + 2, d.y}, 4, h), 4)
        << "the enabled and disabled tracks look alike";
}

// The held down arrow of the vertical bar shows its pressed frame on the screen and scrolls.
TEST_F(SkinViewRangesTest, HeldArrowShowsItsPressedFrame) {
    TScrollBar* bar = Bar(TScrollBarKind::sbVertical, true);
    TWScrollbar* overlay = Overlay(bar);
    ASSERT_NE(overlay, nullptr);
    const RECT r = WindowRectOf(overlay->Handle());
    const int w = r.right - r.left, h = r.bottom - r.top, bs = overlay->ButtonSize();
    const POINT at = InShot(overlay->Handle());
    const std::unique_ptr<DibCanvas> released = Screen();
    const int before = bar->Position();
    bool pressing = false;
    int code = -1, arrowDiff = -1, restDiff = -1;
    const size_t ran = test::HoldMouse(overlay->Handle(), {w / 2, h - bs / 2},
                                       {[&] {
                                            pressing = overlay->Pressing();
                                            code = overlay->ScrollCode();
                                            const std::unique_ptr<DibCanvas> held = Screen("skinview_scroll_arrow_held");
                                            arrowDiff = Differing(*held, {at.x, at.y + h - bs}, *released, {at.x, at.y + h - bs}, w, bs);
                                            restDiff = Differing(*held, at, *released, at, w, bs);
                                            test::LetGo(bar->Handle());
                                        }});
    ASSERT_EQ(ran, 1u) << "the press never entered the scroll bar's tracking";
    EXPECT_TRUE(pressing);
    EXPECT_EQ(code, SB_LINEDOWN);
    EXPECT_GT(arrowDiff, 10) << "the held arrow looks as it did released";
    EXPECT_EQ(restDiff, 0) << "the other arrow changed too";
    test::PumpPending(std::chrono::milliseconds(100));
    EXPECT_GT(bar->Position(), before);
    EXPECT_FALSE(overlay->Pressing());
}

// Dragging the vertical bar's thumb 60 pixels down scrolls the bar while the button is held,
// and the screen shows the thumb moved with it.
TEST_F(SkinViewRangesTest, DraggedThumbScrollsTheBar) {
    TScrollBar* bar = Bar(TScrollBarKind::sbVertical, true);
    TWScrollbar* overlay = Overlay(bar);
    ASSERT_NE(overlay, nullptr);
    const RECT r = WindowRectOf(overlay->Handle());
    const int w = r.right - r.left, h = r.bottom - r.top;
    const POINT at = InShot(overlay->Handle());
    const TThumbExtent start = overlay->Thumb();
    ASSERT_GT(start.End, start.Start);
    const POINT grip{w / 2, (start.Start + start.End) / 2};
    const POINT below{r.left + grip.x, r.top + grip.y + 60};
    const int before = bar->Position();
    int tries = 0, whileHeld = -1, code = -1, shownDiff = -1;
    TThumbExtent heldThumb;
    const size_t ran = test::HoldMouse(overlay->Handle(), grip,
                                       {[&] { test::MoveCursorTo(bar->Handle(), below); },
                                        [&] {
                                            if (bar->Position() == before && test::RetryStep(tries))
                                                return test::MoveCursorTo(bar->Handle(), below);
                                            whileHeld = bar->Position();
                                            code = overlay->ScrollCode();
                                            heldThumb = overlay->Thumb();
                                            test::PumpPending(std::chrono::milliseconds(50));
                                            const std::unique_ptr<DibCanvas> held = Screen("skinview_scroll_thumb_drag");
                                            DibCanvas painted(w, h);
                                            overlay->PaintBar(painted.Dc());
                                            ::GdiFlush();
                                            shownDiff = Differing(*held, at, painted, {0, 0}, w, h);
                                            test::LetGo(bar->Handle());
                                        }});
    ASSERT_EQ(ran, 2u) << "the press never entered the scroll bar's tracking";
    EXPECT_EQ(code, SB_THUMBTRACK);
    EXPECT_GT(whileHeld, before) << "the drag did not scroll";
    EXPECT_GT(heldThumb.Start, start.Start) << "the drawn thumb stayed";
    EXPECT_EQ(shownDiff, 0) << "the screen does not show the dragged bar";
    test::PumpPending(std::chrono::milliseconds(100));
    EXPECT_GE(bar->Position(), whileHeld);
}

}  // namespace
