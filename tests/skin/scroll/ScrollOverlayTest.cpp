// The scroll-bar overlays on real windows: a press on an overlay arrow or thumb goes to the
// real bar (the system scrolls), the overlay shows the pressed arrow and the dragged thumb
// while the button is held, it follows its control (bars coming and going, moves, hiding,
// destruction), a skin without scroll-bar images leaves the system's bars, and the
// classification gives each scrolling control its wrapper. Screenshots go to
// $QUELLOX_ARTIFACTS.
#include "framework/ComboBox.h"
#include "framework/ListControls.h"
#include "framework/ListView.h"
#include "framework/RichEdit.h"
#include "framework/ScrollBar.h"
#include "skin/controls/SkinClassify.h"
#include "skin/controls/SkinComBox.h"
#include "skin/controls/SkinScControl.h"
#include "skin/controls/SkinScrollbar.h"
#include "skin/controls/SkinScrollbarH.h"
#include "skin/controls/SkinSubWrappers.h"
#include "skin/data/SkinDraw.h"
#include "support/BoxesTestSupport.h"
#include "support/MouseHold.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

using namespace boxestest;
using qx::test::DibCanvas;
using qx::test::LetGo;
using qx::test::MoveCursorTo;
using qx::test::RetryStep;

namespace {

// The press on an overlay runs the system's scroll tracking inside the overlay's SendMessage;
// the steps run while the button is held (support/MouseHold.h).
size_t HoldOn(TWScrollbar& bar, POINT barPoint, qx::test::TMouseSteps steps) {
    return qx::test::HoldMouse(bar.Handle(), barPoint, std::move(steps));
}

int FirstVisibleLine(HWND memo) { return static_cast<int>(::SendMessageW(memo, EM_GETFIRSTVISIBLELINE, 0, 0)); }

RECT WindowRectOf(HWND w) {
    RECT r{};
    ::GetWindowRect(w, &r);
    return r;
}

// Frame k of the skin's arrow strip as the overlay draws an arrow of this size.
std::unique_ptr<DibCanvas> ArrowPicture(TSkinData& skin, int width, int height, int frame) {
    auto canvas = std::make_unique<DibCanvas>(width, height);
    canvas->Fill(qx::ColorToRGB(skin.ButtonFace));
    DrawSkinFrame(canvas->Dc(), canvas->Rect(), skin.Scrollbar->Bitmap, true, 23, frame);
    ::GdiFlush();
    return canvas;
}

// How many pixels of the area at (x, y) in `shot` differ from `picture`.
int Differing(const DibCanvas& shot, int x, int y, const DibCanvas& picture) {
    int differing = 0;
    for (int py = 0; py < picture.Height(); ++py)
        for (int px = 0; px < picture.Width(); ++px)
            differing += shot.PixelRef(x + px, y + py) != picture.PixelRef(px, py);
    return differing;
}

class ScrollOverlayTest : public ::testing::Test {
protected:
    void SetUp() override {
        skin = LoadDefaultSkin();
        ASSERT_NE(skin, nullptr);
        host = std::make_unique<TTestHost>(skin.get());
        form = NewForm(460, 320);
        form->SetCaption(L"Skinned scroll bars");
    }
    void TearDown() override {
        delete form;
        host.reset();
    }

    qx::TMemo* AddMemo(int lines, qx::TScrollStyle bars = qx::TScrollStyle::ssVertical) {
        auto* memo = Add<qx::TMemo>();
        memo->SetScrollBars(bars);
        memo->SetWordWrap(false);
        std::wstring text;
        for (int i = 1; i <= lines; ++i) text += L"Host 192.168.1." + std::to_wstring(i) + L" has many sessions\r\n";
        memo->SetText(text);
        return memo;
    }
    template <class C>
    C* Add(RECT bounds = {10, 10, 210, 150}) {
        auto* c = new C(form);
        c->SetParent(form);
        c->SetBounds(bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top);
        return c;
    }
    qx::TListBox* AddList(int items, RECT bounds = {10, 10, 210, 150}) {
        auto* list = Add<qx::TListBox>(bounds);
        for (int i = 0; i < items; ++i) list->Items()->Add(L"Host " + std::to_wstring(i));
        return list;
    }
    qx::TListView* AddListView(int items, RECT bounds = {10, 10, 210, 150}) {
        auto* list = Add<qx::TListView>(bounds);
        list->SetViewStyle(qx::TViewStyle::vsReport);
        list->Columns()->Add()->SetCaption(L"Host");
        for (int i = 0; i < items; ++i) list->Items()->Add()->SetCaption(L"10.0.0." + std::to_wstring(i));
        return list;
    }
    template <class W = TSkinScrollbar>
    W* Skin(qx::TWinControl* control, TSkinData* data = nullptr) {
        auto* w = new W(control);
        w->Attach(host.get(), data ? data : skin.get(), false, host->ControlCanvas());
        return w;
    }
    void ShowForm() {
        form->Show();
        PaintNow(form->Handle());
    }
    std::string Shot(const std::string& name) {
        const RECT r = WindowRectOf(form->Handle());
        DibCanvas screen(r.right - r.left, r.bottom - r.top);
        ScreenShot(form->Handle(), screen);
        return SaveShot(screen, name);
    }

    std::unique_ptr<TSkinData> skin;
    std::unique_ptr<TTestHost> host;
    qx::TForm* form = nullptr;
};

// The memo, the rich edit and the list box each scroll in their own way; the press on the
// overlay's down arrow must reach each of them as a click on its own bar.
TEST_F(ScrollOverlayTest, DownArrowScrollsOneLineAndShowsThePressedFrameWhileHeld) {
    auto topLine = [](HWND w) {
        wchar_t name[32]{};
        ::GetClassNameW(w, name, 32);
        return std::wstring(name) == L"TListBox" ? static_cast<int>(::SendMessageW(w, LB_GETTOPINDEX, 0, 0))
                                                 : FirstVisibleLine(w);
    };
    const struct {
        const char* name;
        std::function<qx::TWinControl*()> make;
        const char* shot;
    } cases[] = {
        {"memo", [&] { return AddMemo(100, qx::TScrollStyle::ssBoth); }, "ScrollBars_PressedArrow"},
        {"rich edit",
         [&] {
             auto* rich = Add<qx::TRichEdit>();
             rich->SetScrollBars(qx::TScrollStyle::ssVertical);
             std::wstring text;
             for (int i = 0; i < 100; ++i) text += L"Session line " + std::to_wstring(i) + L"\r\n";
             rich->SetText(text);
             return static_cast<qx::TWinControl*>(rich);
         },
         nullptr},
        {"list box", [&] { return static_cast<qx::TWinControl*>(AddList(100)); }, nullptr},
    };
    for (const auto& c : cases) {
        qx::TWinControl* control = c.make();
        TSkinScrollbar* wrapper = Skin(control);
        ShowForm();
        TWScrollbar& bar = *wrapper->VertBar();
        ASSERT_TRUE(bar.Shown()) << c.name;
        ASSERT_TRUE(::IsWindowVisible(bar.Handle())) << c.name;
        EXPECT_EQ(topLine(control->Handle()), 0) << c.name;
        if (c.shot) Shot("ScrollBars_Memo");

        const RECT r = WindowRectOf(bar.Handle());
        const int w = r.right - r.left, h = r.bottom - r.top, bs = bar.ButtonSize();
        bool pressedWhileHeld = false;
        int codeWhileHeld = -1;
        int arrowDiff14 = -1, arrowDiff13 = -1;
        std::string heldShot;
        // The system repeats a held arrow after a delay; a step the busy machine ran late may
        // already see the repeats, so the one line of the press is only checked on time.
        int linesWhileHeld = -1;
        bool onTime = false;
        const ULONGLONG pressedAt = ::GetTickCount64();
        const size_t ran = HoldOn(bar, {w / 2, h - bs / 2},
                                  {[&] {
                                       onTime = ::GetTickCount64() - pressedAt < 150;
                                       linesWhileHeld = topLine(control->Handle());
                                       pressedWhileHeld = bar.Pressing();
                                       codeWhileHeld = bar.ScrollCode();
                                       DibCanvas picture(w, h);
                                       bar.PaintBar(picture.Dc());
                                       ::GdiFlush();
                                       const int across = std::min(w, 17);
                                       arrowDiff14 = Differing(picture, 0, h - bs, *ArrowPicture(*skin, across, bs, 14));
                                       arrowDiff13 = Differing(picture, 0, h - bs, *ArrowPicture(*skin, across, bs, 13));
                                       if (c.shot) heldShot = Shot(c.shot);
                                       LetGo(control->Handle());
                                   }});
        ASSERT_EQ(ran, 1u) << c.name << ": the press never entered the system's scroll tracking";
        EXPECT_TRUE(pressedWhileHeld) << c.name;
        EXPECT_EQ(codeWhileHeld, SB_LINEDOWN) << c.name;
        EXPECT_EQ(arrowDiff14, 0) << c.name << " " << heldShot;
        EXPECT_GT(arrowDiff13, 0) << "frames 13 and 14 must differ for this test to mean anything";
        PaintNow(form->Handle());
        if (onTime) {
            EXPECT_EQ(linesWhileHeld, 1) << c.name;
        }
        EXPECT_GE(topLine(control->Handle()), std::max(linesWhileHeld, 1)) << c.name;
        EXPECT_FALSE(bar.Pressing()) << c.name;
        delete control;
    }
}

TEST_F(ScrollOverlayTest, DraggedThumbFollowsTheCursorBetweenTheArrows) {
    qx::TMemo* memo = AddMemo(400);
    TSkinScrollbar* wrapper = Skin(memo);
    ShowForm();
    TWScrollbar& bar = *wrapper->VertBar();
    ASSERT_TRUE(bar.Shown());
    const RECT r = WindowRectOf(bar.Handle());
    const int w = r.right - r.left, bs = bar.ButtonSize();
    const TThumbExtent start = bar.Thumb();
    const int thumbLength = start.End - start.Start;
    ASSERT_GT(thumbLength, 0);
    const POINT grip{w / 2, (start.Start + start.End) / 2};
    POINT screenGrip = grip;
    ::ClientToScreen(bar.Handle(), &screenGrip);
    const HWND target = memo->Handle();

    struct TSeen {
        int start = -1;
        int code = -1;
    };
    TSeen down20, farDown, farUp;
    int linesAtEnd = 0;
    std::string dragShot;
    const int expected20 = start.Start + 20, expectedEnd = bar.Length() - bs - thumbLength;
    const POINT below{screenGrip.x, screenGrip.y + 20}, bottom{screenGrip.x, r.bottom - 1}, top{screenGrip.x, r.top};
    int tries20 = 0, triesEnd = 0, triesStart = 0;
    const size_t ran = HoldOn(bar, grip,
                              {[&] { MoveCursorTo(target, below); },
                               [&] {
                                   if (bar.Thumb().Start != expected20 && RetryStep(tries20)) return MoveCursorTo(target, below);
                                   down20 = {bar.Thumb().Start, bar.ScrollCode()};
                                   dragShot = Shot("ScrollBars_ThumbDrag");
                                   // To the bar's ends (the system lets the thumb go back when
                                   // the cursor leaves the bar along its axis).
                                   MoveCursorTo(target, bottom);
                               },
                               [&] {
                                   if (bar.Thumb().Start != expectedEnd && RetryStep(triesEnd)) return MoveCursorTo(target, bottom);
                                   farDown = {bar.Thumb().Start, bar.ScrollCode()};
                                   linesAtEnd = FirstVisibleLine(target);
                                   MoveCursorTo(target, top);
                               },
                               [&] {
                                   if (bar.Thumb().Start != bs && RetryStep(triesStart)) return MoveCursorTo(target, top);
                                   farUp = {bar.Thumb().Start, bar.ScrollCode()};
                                   LetGo(target);
                               }});
    ASSERT_EQ(ran, 4u) << "the press never entered the system's scroll tracking";
    const struct {
        const char* step;
        TSeen seen;
        int expected;
    } cases[] = {{"20 down", down20, expected20}, {"to the end", farDown, expectedEnd}, {"to the start", farUp, bs}};
    for (const auto& c : cases) {
        EXPECT_EQ(c.seen.code, SB_THUMBTRACK) << c.step;
        EXPECT_EQ(c.seen.start, c.expected) << c.step << " " << dragShot;
    }
    EXPECT_GT(linesAtEnd, 300) << "the system scrolled with the drag";
}

// Keys, text and list commands scroll without any scroll message: the drawn thumb still goes
// where the system's thumb is.
TEST_F(ScrollOverlayTest, ScrollingWithoutScrollMessagesMovesTheDrawnThumb) {
    const struct {
        const char* name;
        bool list;
        std::function<void(HWND)> scroll;
    } cases[] = {
        {"page down key", false,
         [](HWND w) {
             for (int i = 0; i < 4; ++i) ::SendMessageW(w, WM_KEYDOWN, VK_NEXT, 0);
         }},
        {"EM_LINESCROLL", false, [](HWND w) { ::SendMessageW(w, EM_LINESCROLL, 0, 30); }},
        {"LB_SETTOPINDEX", true, [](HWND w) { ::SendMessageW(w, LB_SETTOPINDEX, 25, 0); }},
    };
    for (const auto& c : cases) {
        qx::TWinControl* control = nullptr;
        if (c.list) control = AddList(60);
        else control = AddMemo(200);
        TSkinScrollbar* wrapper = Skin(control);
        ShowForm();
        TWScrollbar& bar = *wrapper->VertBar();
        const int before = bar.Thumb().Start;
        control->SetFocus();
        c.scroll(control->Handle());
        PaintNow(form->Handle());
        SCROLLBARINFO info{sizeof(info)};
        ASSERT_TRUE(::GetScrollBarInfo(control->Handle(), OBJID_VSCROLL, &info)) << c.name;
        EXPECT_GT(info.xyThumbTop, before) << c.name << ": the system did not scroll";
        EXPECT_EQ(bar.Thumb().Start, info.xyThumbTop) << c.name;
        delete control;
    }
}

// Each control loses its vertical bar in its own way and gets it back.
TEST_F(ScrollOverlayTest, OverlayHidesWithTheBarAndReturnsWithIt) {
    struct TCase {
        const char* name;
        std::function<qx::TWinControl*()> make;
        std::function<void(qx::TWinControl*)> lose;
        std::function<void(qx::TWinControl*)> regain;
    };
    const TCase cases[] = {
        {"list box emptied and filled", [&] { return AddList(40); },
         [](qx::TWinControl* c) { static_cast<qx::TListBox*>(c)->Items()->Clear(); },
         [](qx::TWinControl* c) {
             for (int i = 0; i < 40; ++i) static_cast<qx::TListBox*>(c)->Items()->Add(L"Host " + std::to_wstring(i));
         }},
        {"memo bar switched off and on",
         [&] { return AddMemo(100); },
         [](qx::TWinControl* c) { ::ShowScrollBar(c->Handle(), SB_VERT, FALSE); },
         [](qx::TWinControl* c) { ::ShowScrollBar(c->Handle(), SB_VERT, TRUE); }},
    };
    for (const TCase& c : cases) {
        qx::TWinControl* control = c.make();
        TSkinScrollbar* wrapper = Skin(control);
        ShowForm();
        TWScrollbar* bar = wrapper->VertBar();
        ASSERT_TRUE(bar->Shown()) << c.name;
        c.lose(control);
        PaintNow(form->Handle());
        EXPECT_FALSE(bar->Shown()) << c.name;
        EXPECT_FALSE(::IsWindowVisible(bar->Handle())) << c.name;
        c.regain(control);
        PaintNow(form->Handle());
        EXPECT_TRUE(bar->Shown()) << c.name;
        EXPECT_TRUE(::IsWindowVisible(bar->Handle())) << c.name;
        delete control;
    }
}

TEST_F(ScrollOverlayTest, OverlayFollowsItsControlAndNeverOutlivesIt) {
    qx::TMemo* memo = AddMemo(100, qx::TScrollStyle::ssBoth);
    TSkinScrollbar* wrapper = Skin(memo);
    ShowForm();
    TWScrollbar* bars[] = {wrapper->VertBar(), wrapper->HorzBar()};
    const LONG objects[] = {OBJID_VSCROLL, OBJID_HSCROLL};
    auto overlaysCoverTheBars = [&](const char* step) {
        for (int i = 0; i < 2; ++i) {
            SCROLLBARINFO info{sizeof(info)};
            ASSERT_TRUE(::GetScrollBarInfo(memo->Handle(), objects[i], &info));
            const RECT o = WindowRectOf(bars[i]->Handle());
            EXPECT_TRUE(::EqualRect(&o, &info.rcScrollBar)) << step << " bar " << i;
            EXPECT_TRUE(::IsWindowVisible(bars[i]->Handle())) << step << " bar " << i;
        }
    };
    overlaysCoverTheBars("placed");
    memo->SetBounds(60, 40, 240, 180);
    PaintNow(form->Handle());
    overlaysCoverTheBars("moved and resized");

    memo->Hide();
    PaintNow(form->Handle());
    for (TWScrollbar* bar : bars) EXPECT_FALSE(::IsWindowVisible(bar->Handle())) << "hidden with the memo";
    memo->Show();
    PaintNow(form->Handle());
    overlaysCoverTheBars("shown again");

    const HWND overlays[] = {bars[0]->Handle(), bars[1]->Handle()};
    delete memo;
    for (HWND overlay : overlays) EXPECT_FALSE(::IsWindow(overlay)) << "outlived its memo";
    EXPECT_TRUE(host->Wrappers().empty());
}

// The memo's window made again (other scroll bars): the same wrapper follows the new window.
TEST_F(ScrollOverlayTest, WrapperFollowsARecreatedWindow) {
    qx::TMemo* memo = AddMemo(100, qx::TScrollStyle::ssNone);
    TSkinScrollbar* wrapper = Skin(memo);
    ShowForm();
    EXPECT_FALSE(wrapper->VertBar()->Shown());
    memo->SetScrollBars(qx::TScrollStyle::ssVertical);
    PaintNow(form->Handle());
    EXPECT_EQ(wrapper->State(), kWrapperAttached);
    EXPECT_EQ(wrapper->Window(), memo->Handle());
    EXPECT_TRUE(wrapper->VertBar()->Shown());
    EXPECT_EQ(::SendMessageW(memo->Handle(), SKN_QUERY, 0, 0), 1);
}

// Skinning switched off for one control shows the system's bars; on again, the overlays.
TEST_F(ScrollOverlayTest, SwitchingSkinningOffAndOnTakesTheOverlaysAwayAndBack) {
    qx::TMemo* memo = AddMemo(100);
    auto* control = Add<qx::TScrollBar>({10, 200, 210, 217});
    TSkinScrollbar* memoWrapper = Skin(memo);
    TSkinScControl* barWrapper = Skin<TSkinScControl>(control);
    ShowForm();
    const struct {
        const char* name;
        HWND window;
        TWScrollbar* overlay;
    } cases[] = {{"memo", memo->Handle(), memoWrapper->VertBar()}, {"scroll-bar control", control->Handle(), barWrapper->Bar()}};
    for (const auto& c : cases) {
        ASSERT_TRUE(::IsWindowVisible(c.overlay->Handle())) << c.name;
        ::SendMessageW(c.window, SKN_ENABLE, 0, 0);
        PaintNow(form->Handle());
        EXPECT_FALSE(::IsWindowVisible(c.overlay->Handle())) << c.name;
        ::SendMessageW(c.window, SKN_ENABLE, 1, 0);
        PaintNow(form->Handle());
        EXPECT_TRUE(::IsWindowVisible(c.overlay->Handle())) << c.name;
    }
}

// A skin change that takes the arrow strip away uncovers the system's bar.
TEST_F(ScrollOverlayTest, SkinChangedWithoutArrowImagesUncoversTheSystemBar) {
    qx::TMemo* memo = AddMemo(100);
    TSkinScrollbar* wrapper = Skin(memo);
    ShowForm();
    ASSERT_TRUE(::IsWindowVisible(wrapper->VertBar()->Handle()));
    skin->Scrollbar->Bitmap.SetSize(0, 0);
    wrapper->SkinChanged();
    PaintNow(form->Handle());
    EXPECT_FALSE(::IsWindowVisible(wrapper->VertBar()->Handle()));
}

TEST_F(ScrollOverlayTest, SizeGripIsCoveredAndPlainScrollBarsAreNot) {
    ShowForm();
    const HWND grip = ::CreateWindowExW(0, L"SCROLLBAR", nullptr, WS_CHILD | WS_VISIBLE | SBS_SIZEGRIP, 300, 200, 20, 20,
                                       form->Handle(), nullptr, nullptr, nullptr);
    const HWND plain = ::CreateWindowExW(0, L"SCROLLBAR", nullptr, WS_CHILD | WS_VISIBLE | SBS_VERT, 360, 150, 17, 100,
                                        form->Handle(), nullptr, nullptr, nullptr);
    ASSERT_TRUE(grip && plain);
    ClassifyWindow(*host, grip);
    ClassifyWindow(*host, plain);
    ASSERT_NE(dynamic_cast<TSkinSizer*>(host->Wrappers().at(0)), nullptr);
    PaintNow(form->Handle());
    const RECT fr = WindowRectOf(form->Handle());
    DibCanvas screen(fr.right - fr.left, fr.bottom - fr.top);
    ScreenShot(form->Handle(), screen);
    const std::string shot = SaveShot(screen, "ScrollBars_SizeGrip");
    const COLORREF face = qx::ColorToRGB(skin->ButtonFace);
    auto faceShare = [&](HWND w) {
        const RECT r = WindowRectOf(w);
        int facePixels = 0, all = 0;
        for (int y = r.top - fr.top; y < r.bottom - fr.top; ++y)
            for (int x = r.left - fr.left; x < r.right - fr.left; ++x, ++all) facePixels += screen.PixelRef(x, y) == face;
        return all ? facePixels * 100 / all : 0;
    };
    EXPECT_EQ(faceShare(grip), 100) << shot;
    EXPECT_LT(faceShare(plain), 90) << shot;
    ::DestroyWindow(grip);
    ::DestroyWindow(plain);
}

// Without the skin's arrow strip nothing covers the system's bars, and they keep working.
TEST_F(ScrollOverlayTest, SkinWithoutImagesLeavesTheSystemBars) {
    std::unique_ptr<TSkinData> empty = EmptySkin();
    qx::TMemo* memo = AddMemo(100, qx::TScrollStyle::ssBoth);
    auto* bar = Add<qx::TScrollBar>({10, 200, 210, 217});
    auto* list = AddListView(40, {230, 10, 430, 150});
    TSkinScrollbar* memoWrapper = Skin(memo, empty.get());
    TSkinScControl* barWrapper = Skin<TSkinScControl>(bar, empty.get());
    TSkinListView* listWrapper = Skin<TSkinListView>(list, empty.get());
    ShowForm();
    for (TWScrollbar* overlay : {memoWrapper->VertBar(), memoWrapper->HorzBar(), barWrapper->Bar(),
                                 listWrapper->VertBar(), listWrapper->HorzBar()}) {
        ASSERT_NE(overlay, nullptr);
        EXPECT_FALSE(overlay->Shown());
        EXPECT_FALSE(::IsWindowVisible(overlay->Handle()));
    }
    ::SendMessageW(memo->Handle(), WM_VSCROLL, SB_LINEDOWN, 0);
    bar->SetPosition(30);
    PaintNow(form->Handle());
    EXPECT_EQ(FirstVisibleLine(memo->Handle()), 1);
    EXPECT_EQ(bar->Position(), 30);
    Shot("ScrollBars_NoImages");
}

TEST_F(ScrollOverlayTest, DisabledScrollBarControlShowsTheDisabledTrackAndNoThumb) {
    qx::TScrollBar* bars[] = {Add<qx::TScrollBar>({10, 170, 250, 187}), Add<qx::TScrollBar>({10, 200, 250, 217})};
    bars[1]->SetEnabled(false);
    for (qx::TScrollBar* b : bars) {
        b->SetMax(100);
        b->SetPageSize(20);
        b->SetPosition(40);
    }
    TSkinScControl* wrappers[] = {Skin<TSkinScControl>(bars[0]), Skin<TSkinScControl>(bars[1])};
    ShowForm();
    const std::string shot = Shot("ScrollBars_DisabledControl");
    TDataSkinObject& track = *skin->HorzScroll;
    for (int i = 0; i < 2; ++i) {
        TWScrollbar& overlay = *wrappers[i]->Bar();
        ASSERT_TRUE(overlay.Shown()) << i;
        EXPECT_FALSE(overlay.Vertical());
        DibCanvas picture(240, 17);
        ASSERT_TRUE(overlay.PaintBar(picture.Dc())) << i;
        ::GdiFlush();
        const TThumbExtent thumb = overlay.Thumb();
        const int middle = (thumb.Start + thumb.End) / 2;
        const int frame = i == 0 ? 1 : 3;
        const COLORREF trackColour = BitmapPixel(track.Bitmap, track.FrameWidth() * (frame - 1) + track.FrameWidth() / 2,
                                                 track.Bitmap.Height() / 2);
        // Beside the thumb: the track's frame; on the thumb's place: the thumb, or the track when disabled.
        EXPECT_EQ(picture.PixelRef(bars[i]->Width() - 30, 8), trackColour) << i << " " << shot;
        if (i == 0) EXPECT_NE(picture.PixelRef(middle, 8), trackColour) << shot;
        else EXPECT_EQ(picture.PixelRef(middle, 8), trackColour) << shot;
    }
}

// Disabling the memo alone changes nothing the scroll messages would report: the overlay
// still shows the disabled track and drops its thumb.
TEST_F(ScrollOverlayTest, DisabledMemoShowsTheDisabledBar) {
    qx::TMemo* memo = AddMemo(100);
    TSkinScrollbar* wrapper = Skin(memo);
    ShowForm();
    TWScrollbar& bar = *wrapper->VertBar();
    const TThumbExtent thumb = bar.Thumb();
    ASSERT_GT(thumb.End, thumb.Start);
    memo->SetEnabled(false);
    // Only what the memo itself repaints: nothing else invalidates the overlay.
    ::UpdateWindow(memo->Handle());
    qx::test::PumpPending(std::chrono::milliseconds(50));
    const RECT fr = WindowRectOf(form->Handle()), br = WindowRectOf(bar.Handle());
    DibCanvas screen(fr.right - fr.left, fr.bottom - fr.top);
    ::GdiFlush();
    qx::test::CaptureScreen(form->Handle(), screen);
    TDataSkinObject& track = *skin->VertScroll;
    const COLORREF disabledTrack =
        BitmapPixel(track.Bitmap, track.FrameWidth() * 2 + track.FrameWidth() / 2, track.Bitmap.Height() / 2);
    const int x = br.left - fr.left + 8, y = br.top - fr.top + (thumb.Start + thumb.End) / 2;
    EXPECT_EQ(screen.PixelRef(x, y), disabledTrack) << SaveShot(screen, "ScrollBars_DisabledMemo");
}

// What the classification makes of each scrolling control, on a real form.
TEST_F(ScrollOverlayTest, ClassificationGivesScrollingControlsTheirWrappers) {
    const struct {
        const char* name;
        std::function<qx::TWinControl*()> make;
        std::string wrapper;
    } cases[] = {
        {"memo", [&] { return AddMemo(10); }, "TSkinScrollbar"},
        {"rich edit", [&] { return Add<qx::TRichEdit>(); }, "TSkinScrollbar"},
        {"list box", [&] { return Add<qx::TListBox>(); }, "TSkinScrollbar"},
        {"list view", [&] { return Add<qx::TListView>(); }, "TSkinListView"},
        {"scroll-bar control", [&] { return Add<qx::TScrollBar>(); }, "TSkinScControl"},
    };
    for (const auto& c : cases) {
        qx::TWinControl* control = c.make();
        ClassifyControl(*host, control, form);
        std::string found;
        for (TSkinControl* w : host->Wrappers())
            if (w->WrappedControl() == control) {
                const std::wstring name = w->ClassName();
                found = std::string(name.begin(), name.end());
            }
        EXPECT_EQ(found, c.wrapper) << c.name;
        delete control;
    }
}

// The list view's header goes to whatever header wrapper is installed; with none, the header
// keeps the system's look and the list view is still skinned.
TEST_F(ScrollOverlayTest, ListViewHandsItsHeaderToTheHeaderWrapper) {
    struct TMarkedHeader : TSkinControl {
        using TSkinControl::TSkinControl;
        static TSkinControl* Make(qx::TComponent* owner) { return new TMarkedHeader(owner); }
    };
    for (const bool installed : {false, true}) {
        const TSubWrapperMaker previous = SetListHeaderMaker(installed ? &TMarkedHeader::Make : nullptr);
        auto* list = AddListView(0);
        TSkinListView* wrapper = Skin<TSkinListView>(list);
        const HWND header = list->HeaderHandle();
        ASSERT_NE(header, nullptr);
        if (installed) {
            ASSERT_NE(wrapper->HeaderWrapper(), nullptr);
            EXPECT_EQ(wrapper->HeaderWrapper()->Window(), header);
            EXPECT_EQ(wrapper->HeaderWrapper()->Owner(), list);
            EXPECT_EQ(::SendMessageW(header, SKN_QUERY, 0, 0), 1);
        } else {
            EXPECT_EQ(wrapper->HeaderWrapper(), nullptr);
            EXPECT_EQ(::SendMessageW(header, SKN_QUERY, 0, 0), 0);
        }
        EXPECT_EQ(wrapper->State(), kWrapperAttached);
        SetListHeaderMaker(previous);
        delete list;
    }
}

// A simple combo box's list is a raw window: the combo's wrapper gives it the raw-window
// scroll-bar wrapper, whose vertical overlay covers the list's bar.
TEST_F(ScrollOverlayTest, SimpleComboListGetsOverlays) {
    auto* combo = Add<qx::TComboBox>({10, 10, 170, 130});
    combo->SetStyle(qx::TComboBoxStyle::csSimple);
    for (int i = 0; i < 30; ++i) combo->Items()->Add(L"Router " + std::to_wstring(i));
    auto* wrapper = Skin<TSkinComBox>(combo);
    ShowForm();
    auto* lists = dynamic_cast<TSkinScrollbarH*>(wrapper->ListScrollbars());
    ASSERT_NE(lists, nullptr);
    ASSERT_NE(lists->VertBar(), nullptr);
    EXPECT_TRUE(lists->VertBar()->Shown());
    EXPECT_FALSE(lists->HorzBar()->Shown());
    SCROLLBARINFO info{sizeof(info)};
    ASSERT_TRUE(::GetScrollBarInfo(wrapper->ListWindow(), OBJID_VSCROLL, &info));
    const RECT o = WindowRectOf(lists->VertBar()->Handle());
    EXPECT_TRUE(::EqualRect(&o, &info.rcScrollBar));
}

}  // namespace
