// Progress bars, status bars, headers, up-downs and track bars drawn from skin objects made of
// solid-coloured frames, so that every pixel says which frame was used.
#include "framework/HeaderControl.h"
#include "framework/ProgressBar.h"
#include "framework/StatusBar.h"
#include "framework/StdCtrls.h"
#include "framework/TrackBar.h"
#include "framework/UpDown.h"
#include "skin/controls/SkinHeader.h"
#include "skin/controls/SkinProgress.h"
#include "skin/controls/SkinStatusBar.h"
#include "skin/controls/SkinTrackBar.h"
#include "skin/controls/SkinUpDown.h"
#include "support/BoxesTestSupport.h"

#include <commctrl.h>
#include <gtest/gtest.h>

using namespace boxestest;
using qx::test::DibCanvas;

namespace {

constexpr COLORREF kFrame1 = RGB(20, 120, 40), kFrame2 = RGB(200, 60, 30), kOther = RGB(10, 10, 90);

class SkinBarsTest : public ::testing::Test {
protected:
    void SetUp() override {
        skin = LoadDefaultSkin();
        ASSERT_NE(skin, nullptr);
        host = std::make_unique<TTestHost>(skin.get());
        form = NewForm(420, 300);
    }
    void TearDown() override {
        host.reset();
        delete form;
    }
    template <class W>
    W* Wrap(qx::TWinControl* control) {
        auto* w = new W(control);
        w->Attach(host.get(), skin.get(), false, host->ControlCanvas());
        return w;
    }
    // A skin object of `frames` solid frames with no margins, opaque.
    static void Solid(TDataSkinObject& object, int frames, int width = 10, int height = 10) {
        std::vector<COLORREF> colours{kFrame1, kFrame2};
        while (static_cast<int>(colours.size()) < frames) colours.push_back(kOther);
        colours.resize(static_cast<size_t>(frames));
        FillFrames(object.Bitmap, width, height, colours);
        object.Margins = RECT{};
        object.Trans = 0;
        object.Tile = 0;
        object.FrameCount = frames;
    }
    std::unique_ptr<TSkinData> skin;
    std::unique_ptr<TTestHost> host;
    qx::TForm* form = nullptr;
};

TEST(ProgressFilledTest, DonePartFollowsPositionAndMaximum) {
    struct Case {
        int length, position, maximum, filled;
    };
    const Case cases[] = {{200, 0, 100, 0}, {200, 100, 100, 200}, {200, 50, 100, 100}, {200, 30, 0, 0},
                          {200, -5, 100, 0}, {200, 150, 100, 200}};
    for (const Case& c : cases) EXPECT_EQ(ProgressFilled(c.length, c.position, c.maximum), c.filled) << c.position;
}

TEST_F(SkinBarsTest, ProgressAtZeroShowsOnlyFrameOneAndAtItsMaximumFrameTwoAcrossTheWholeBar) {
    Solid(*skin->Progress, 2);
    struct Case {
        int position;
        bool vertical;
        COLORREF start, end;  // at the start of the bar (left or bottom) and at its end
    };
    const Case cases[] = {{0, false, kFrame1, kFrame1},   {100, false, kFrame2, kFrame2},
                          {50, false, kFrame2, kFrame1},  {0, true, kFrame1, kFrame1},
                          {100, true, kFrame2, kFrame2},  {50, true, kFrame2, kFrame1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.position << (c.vertical ? " vertical" : ""));
        auto* bar = new qx::TProgressBar(form);
        bar->SetParent(form);
        bar->SetBounds(10, 10, c.vertical ? 20 : 200, c.vertical ? 200 : 20);
        if (c.vertical) bar->SetOrientation(qx::TProgressBarOrientation::pbVertical);
        bar->SetPosition(c.position);
        bar->HandleNeeded();
        auto* w = Wrap<TSkinProgress>(bar);
        DibCanvas canvas(bar->Width(), bar->Height());
        w->Paint(canvas.Dc(), canvas.Rect());
        ::GdiFlush();
        EXPECT_EQ(w->LastFilled(), c.position * 2);
        const int last = 199;
        if (c.vertical) {
            EXPECT_EQ(canvas.PixelRef(10, last), c.start);
            EXPECT_EQ(canvas.PixelRef(10, 0), c.end);
        } else {
            EXPECT_EQ(canvas.PixelRef(0, 10), c.start);
            EXPECT_EQ(canvas.PixelRef(last, 10), c.end);
        }
        delete bar;
    }
}

TEST_F(SkinBarsTest, StatusBarWithoutEdgeImageGetsThreeDEdgesInTheSystemColours) {
    skin->StatusBarEdges.reset();
    const COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW), light = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    struct Case {
        qx::TStatusPanelBevel bevel;
        COLORREF topLeft, bottomRight;
        bool framed;
    };
    const Case cases[] = {{qx::TStatusPanelBevel::pbLowered, shadow, light, true},
                          {qx::TStatusPanelBevel::pbRaised, light, shadow, true},
                          {qx::TStatusPanelBevel::pbNone, 0, 0, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.bevel));
        auto* bar = new qx::TStatusBar(form);
        bar->SetParent(form);
        bar->SetSizeGrip(false);
        for (int i = 0; i < 2; ++i) {
            qx::TStatusPanel* p = bar->Panels()->Add();
            p->SetWidth(120);
            p->SetBevel(c.bevel);
            p->SetText(i == 0 ? L"Connected" : L"");
        }
        bar->HandleNeeded();
        auto* w = Wrap<TSkinStatusBar>(bar);
        DibCanvas canvas(bar->Width(), bar->Height());
        w->Paint(canvas.Dc(), canvas.Rect());
        ::GdiFlush();
        RECT p{};
        ::SendMessageW(bar->Handle(), SB_GETRECT, 0, reinterpret_cast<LPARAM>(&p));
        const COLORREF face = qx::ColorToRGB(skin->ButtonFace);
        const int midY = (p.top + p.bottom) / 2;
        if (c.framed) {
            EXPECT_EQ(canvas.PixelRef(p.left, midY), c.topLeft);
            EXPECT_EQ(canvas.PixelRef(p.left + 30, p.top), c.topLeft);
            EXPECT_EQ(canvas.PixelRef(p.right + 1, midY), c.bottomRight);  // the edge reaches 2 further right
            EXPECT_EQ(canvas.PixelRef(p.left + 30, p.bottom - 1), c.bottomRight);
        } else {
            EXPECT_EQ(canvas.PixelRef(p.left, midY), face);
        }
        delete bar;
    }
}

TEST_F(SkinBarsTest, HeaderItemUnderTheMouseIsHotUntilTheMouseLeaves) {
    Solid(*skin->Headerbar, 5);
    auto* header = new qx::THeaderControl(form);
    header->SetParent(form);
    header->SetBounds(10, 10, 360, 22);
    for (const wchar_t* t : {L"Host", L"Sessions", L"Blocked"}) {
        qx::THeaderSection* s = header->Sections()->Add();
        s->SetText(t);
        s->SetWidth(100);
    }
    header->HandleNeeded();
    // Attached by its window, as a list view's header is.
    auto* w = new TSkinHeader(host.get());
    w->AttachWindow(header->Handle(), skin.get(), host.get(), host->ControlCanvas());
    form->Show();
    PaintNow(form->Handle());
    DibCanvas canvas(360, 22);
    struct Step {
        UINT msg;
        int x;
        int hot;
    };
    const Step steps[] = {{WM_MOUSEMOVE, 150, 1}, {WM_MOUSEMOVE, 40, 0}, {WM_MOUSEMOVE, 330, -1},
                          {WM_MOUSEMOVE, 250, 2}, {WM_MOUSELEAVE, 0, -1}};
    for (const Step& s : steps) {
        SCOPED_TRACE(s.x);
        ::SendMessageW(header->Handle(), s.msg, 0, MAKELPARAM(s.x, 10));
        EXPECT_EQ(w->HotItem(), s.hot);
        w->Paint(canvas.Dc(), canvas.Rect());
        ::GdiFlush();
        for (int item = 0; item < 3; ++item)
            EXPECT_EQ(canvas.PixelRef(item * 100 + 50, 2), item == s.hot ? kFrame2 : kFrame1) << item;
        EXPECT_EQ(canvas.PixelRef(340, 2), kFrame1);  // right of the last item
        if (s.hot == 1) {
            DibCanvas shot(420, 300);
            ScreenShot(form->Handle(), shot);
            SaveShot(shot, "SkinHeader_HotItem");
        }
    }
}

TEST(UpDownFrameTest, FrameIsDirectionTimesFourPlusState) {
    struct Case {
        int direction;
        bool enabled, under, pressed, hot;
        int frame;
    };
    const Case cases[] = {{0, true, false, true, true, 1}, {0, true, true, true, true, 2}, {1, true, true, false, true, 8},
                          {1, false, true, true, true, 7}, {1, true, false, false, false, 5}};
    for (const Case& c : cases)
        EXPECT_EQ(UpDownFrame(c.direction, c.enabled, c.under, c.pressed, c.hot), c.frame) << c.frame;
}

TEST_F(SkinBarsTest, UpDownPressKeepsItsBehaviourAndDrawsThePressedHalf) {
    Solid(*skin->UpDownVert, 8, 16, 20);
    skin->UpDownVert->AuxBitmap.SetSize(0, 0);
    auto* edit = new qx::TEdit(form);
    edit->SetParent(form);
    edit->SetBounds(10, 10, 120, 22);
    auto* upDown = new qx::TUpDown(form);
    upDown->SetParent(form);
    upDown->SetBounds(140, 10, 16, 40);
    upDown->SetPosition(5);
    upDown->HandleNeeded();
    auto* w = Wrap<TSkinUpDown>(upDown);
    form->Show();
    PaintNow(form->Handle());
    DibCanvas canvas(16, 40);
    w->Paint(canvas.Dc(), canvas.Rect());
    ::GdiFlush();
    EXPECT_EQ(canvas.PixelRef(8, 5), kFrame1);    // up, normal
    EXPECT_EQ(canvas.PixelRef(8, 35), kOther);    // down, normal (frame 5)
    ::SendMessageW(upDown->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(8, 5));
    EXPECT_TRUE(w->Pressed());
    ::SendMessageW(upDown->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(8, 5));
    EXPECT_FALSE(w->Pressed());
    EXPECT_EQ(upDown->Position(), 6);  // the control still counts
}

TEST_F(SkinBarsTest, TrackBarThumbAndChannelComeFromTheSkin) {
    Solid(*skin->ThumbHorz, 5, 11, 21);
    Solid(*skin->Track, 1, 16, 4);
    auto* track = new qx::TTrackBar(form);
    track->SetParent(form);
    track->SetBounds(10, 10, 200, 36);
    track->SetMax(10);
    track->SetPosition(5);
    track->HandleNeeded();
    Wrap<TSkinTrackBar>(track);
    form->Show();
    PaintNow(form->Handle());
    RECT fr{};
    ::GetWindowRect(form->Handle(), &fr);
    DibCanvas shot(fr.right - fr.left, fr.bottom - fr.top);
    ScreenShot(form->Handle(), shot);
    const std::string path = SaveShot(shot, "SkinTrackBar_Thumb");
    RECT thumb{}, channel{}, tr{};
    ::SendMessageW(track->Handle(), TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
    ::SendMessageW(track->Handle(), TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&channel));
    ::GetWindowRect(track->Handle(), &tr);
    const int ox = tr.left - fr.left, oy = tr.top - fr.top;
    EXPECT_EQ(shot.PixelRef(ox + (thumb.left + thumb.right) / 2, oy + (thumb.top + thumb.bottom) / 2), kFrame2) << path;
    EXPECT_EQ(shot.PixelRef(ox + channel.left + 3, oy + (channel.top + channel.bottom) / 2), kFrame1) << path;
}

}  // namespace
