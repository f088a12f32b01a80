// A window with every control of this family, classified as a skinned form classifies its
// controls: each gets the wrapper its row decides, the screen shows them skinned (screenshot),
// and a skin without any of their images leaves every control working, drawn by the system or
// from the skin's colours.
#include "framework/CoolBar.h"
#include "framework/HeaderControl.h"
#include "framework/PageControl.h"
#include "framework/ProgressBar.h"
#include "framework/StatusBar.h"
#include "framework/StdCtrls.h"
#include "framework/TabControl.h"
#include "framework/TabSet.h"
#include "framework/TrackBar.h"
#include "framework/UpDown.h"
#include "skin/controls/SkinClassify.h"
#include "skin/controls/SkinControl.h"
#include "skin/controls/SkinHeader.h"
#include "skin/data/SkinDraw.h"
#include "support/BoxesTestSupport.h"

#include <commctrl.h>
#include <gtest/gtest.h>

using namespace boxestest;
using qx::test::DibCanvas;

namespace {

class SkinTabsScreenTest : public ::testing::Test {
protected:
    void SetUp() override {
        skin = LoadDefaultSkin();
        ASSERT_NE(skin, nullptr);
        host = std::make_unique<TTestHost>(skin.get());
        form = NewForm(560, 420);
        form->SetCaption(L"Tabs and bars");
        pages = new qx::TPageControl(form);
        pages->SetParent(form);
        pages->SetBounds(8, 8, 260, 150);
        pages->SetTag(7777);
        for (const wchar_t* caption : {L"Hosts", L"Routes", L"Ledger"}) {
            auto* sheet = new qx::TTabSheet(form);
            sheet->SetCaption(caption);
            sheet->SetPageControl(pages);
        }
        sheet0 = pages->Pages(0);
        auto* label = new qx::TLabel(form);
        label->SetParent(sheet0);
        label->SetBounds(8, 8, 150, 16);
        label->SetCaption(L"Blocked hosts: 3");
        tabs = new qx::TTabControl(form);
        tabs->SetParent(form);
        tabs->SetBounds(280, 8, 260, 150);
        tabs->SetTabPosition(qx::TTabPosition::tpBottom);
        for (const wchar_t* t : {L"Cisco", L"Huawei"}) tabs->Tabs()->Add(t);
        tabSet = new qx::TTabSet(form);
        tabSet->SetParent(form);
        tabSet->SetBounds(8, 164, 260, 22);
        for (const wchar_t* t : {L"One", L"Two", L"Three"}) tabSet->Tabs()->Add(t);
        tabSet->SetTabIndex(0);
        for (int i = 0; i < 3; ++i) {
            progress[i] = new qx::TProgressBar(form);
            progress[i]->SetParent(form);
            progress[i]->SetBounds(8, 196 + i * 24, 200, 18);
        }
        progress[1]->SetPosition(100);
        progress[2]->SetPosition(60);
        progress[2]->SetStyle(qx::TProgressBarStyle::pbstChunks);
        vertical = new qx::TProgressBar(form);
        vertical->SetParent(form);
        vertical->SetBounds(220, 196, 18, 120);
        vertical->SetOrientation(qx::TProgressBarOrientation::pbVertical);
        vertical->SetPosition(40);
        track = new qx::TTrackBar(form);
        track->SetParent(form);
        track->SetBounds(280, 170, 200, 36);
        track->SetPosition(4);
        trackVert = new qx::TTrackBar(form);
        trackVert->SetParent(form);
        trackVert->SetOrientation(qx::TTrackBarOrientation::trVertical);  // turns the bounds too
        trackVert->SetBounds(490, 170, 36, 150);
        upDown = new qx::TUpDown(form);
        upDown->SetParent(form);
        upDown->SetBounds(280, 220, 16, 36);
        edit = new qx::TEdit(form);
        edit->SetParent(form);
        edit->SetBounds(310, 226, 100, 22);
        inner = new qx::TUpDown(form);
        inner->SetParent(edit);
        inner->SetAssociate(edit);
        status = new qx::TStatusBar(form);
        status->SetParent(form);
        for (const wchar_t* t : {L"Router 127.0.0.1", L"Sessions 1204"}) {
            qx::TStatusPanel* p = status->Panels()->Add();
            p->SetText(t);
            p->SetWidth(180);
        }
        form->Show();
    }
    void TearDown() override {
        host.reset();
        delete form;
    }
    // The wrapper the host holds for a control, and its class ("" when none).
    TSkinControl* WrapperObject(qx::TWinControl* control) {
        for (TSkinControl* w : host->Wrappers())
            if (w->Window() == control->Handle()) return w;
        return nullptr;
    }
    std::wstring WrapperOf(qx::TWinControl* control) {
        TSkinControl* w = WrapperObject(control);
        return w ? w->ClassName() : L"";
    }
    void Classify() {
        ClassifyFormControls(*host, form);
        PaintNow(form->Handle());
    }
    std::string Shot(const std::string& name) {
        RECT fr{};
        ::GetWindowRect(form->Handle(), &fr);
        DibCanvas shot(fr.right - fr.left, fr.bottom - fr.top);
        ScreenShot(form->Handle(), shot);
        return SaveShot(shot, name);
    }

    std::unique_ptr<TSkinData> skin;
    std::unique_ptr<TTestHost> host;
    qx::TForm* form = nullptr;
    qx::TPageControl* pages = nullptr;
    qx::TTabSheet* sheet0 = nullptr;
    qx::TTabControl* tabs = nullptr;
    qx::TTabSet* tabSet = nullptr;
    qx::TProgressBar* progress[3]{};
    qx::TProgressBar* vertical = nullptr;
    qx::TTrackBar* track = nullptr;
    qx::TTrackBar* trackVert = nullptr;
    qx::TUpDown* upDown = nullptr;
    qx::TEdit* edit = nullptr;
    qx::TUpDown* inner = nullptr;
    qx::TStatusBar* status = nullptr;
};

TEST_F(SkinTabsScreenTest, EveryControlGetsTheWrapperOfItsRow) {
    Classify();
    const std::string shot = Shot("SkinTabs_Screen");
    struct Case {
        qx::TWinControl* control;
        const wchar_t* wrapper;
    };
    const Case cases[] = {{pages, L"TSkinTab"},          {sheet0, L"TSkinTabSheet"},   {tabs, L"TSkinTab"},
                          {tabSet, L"TSkinTab31"},       {progress[0], L"TSkinProgress"}, {vertical, L"TSkinProgress"},
                          {track, L"TSkinTrackBar"},     {trackVert, L"TSkinTrackBar"}, {upDown, L"TSkinUpDown"},
                          {status, L"TSkinStatusBar"},   {edit, L"TSkinEdit"}};
    for (const Case& c : cases) EXPECT_EQ(WrapperOf(c.control), c.wrapper) << c.control->ClassName() << " " << shot;
    // The tab set's arrows and the up-down inside the edit answer as skinned.
    EXPECT_EQ(::SendMessageW(inner->Handle(), SKN_QUERY, 0, 0), 1);
    // The page's background is the skin's face colour, its label drawn over it.
    DibCanvas page(sheet0->Width(), sheet0->Height());
    ::SendMessageW(sheet0->Handle(), WM_PRINT, reinterpret_cast<WPARAM>(page.Dc()), PRF_CLIENT);
    EXPECT_EQ(page.PixelRef(sheet0->Width() - 4, sheet0->Height() - 4), qx::ColorToRGB(skin->ButtonFace));
}

// A stand-alone header, wrapped by its row, with its middle item hot.
TEST_F(SkinTabsScreenTest, HotHeaderItemShowsTheSecondFrameOfTheSkin) {
    auto* header = new qx::THeaderControl(form);
    header->SetParent(form);
    header->SetAlign(qx::TAlign::alNone);
    header->SetBounds(280, 330, 260, 22);
    for (const wchar_t* t : {L"Host", L"Sessions", L"Blocked"}) {
        qx::THeaderSection* s = header->Sections()->Add();
        s->SetText(t);
        s->SetWidth(80);
    }
    Classify();
    auto* w = dynamic_cast<TSkinHeader*>(WrapperObject(header));
    ASSERT_NE(w, nullptr) << "the header control got no TSkinHeader";
    ASSERT_EQ(w->WrappedControl(), header);
    ::SendMessageW(header->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(120, 10));
    ASSERT_EQ(w->HotItem(), 1);
    RECT fr{}, hr{};
    ::GetWindowRect(form->Handle(), &fr);
    ::GetWindowRect(header->Handle(), &hr);
    DibCanvas screen(fr.right - fr.left, fr.bottom - fr.top);
    ScreenShot(form->Handle(), screen);
    const std::string shot = SaveShot(screen, "SkinTabs_HeaderHot");
    // The hot item is frame 2 of the skin's header image fitted to it, the others frame 1.
    TDataSkinObject& look = *skin->Headerbar;
    for (int item = 0; item < 2; ++item) {
        RECT r{};
        ::SendMessageW(header->Handle(), HDM_GETITEMRECT, item, reinterpret_cast<LPARAM>(&r));
        auto expected = RenderSkinImage(RECT{0, 0, r.right - r.left, r.bottom - r.top}, look.Bitmap, look.Margins, false,
                                        look.Tile != 0, look.FrameCount, item == 1 ? 2 : 1);
        ASSERT_TRUE(expected);
        const int px = 3, py = 2;  // left of the text
        EXPECT_EQ(screen.PixelRef(hr.left - fr.left + r.left + px, hr.top - fr.top + py),
                  static_cast<COLORREF>(expected->Pixel(px, py)))
            << item << " " << shot;
    }
}

TEST_F(SkinTabsScreenTest, SkinWithoutTheirImagesLeavesEveryControlWorking) {
    skin->Tabs.reset();
    skin->Progress.reset();
    skin->StatusBarEdges.reset();
    skin->ExtraImages.reset();
    skin->Headerbar.reset();
    skin->ThumbHorz.reset();
    skin->ThumbVert.reset();
    skin->Track.reset();
    skin->TrackVert.reset();
    skin->UpDownHorz.reset();
    skin->UpDownVert.reset();
    Classify();
    const std::string shot = Shot("SkinTabs_NoImages");
    // No tab image: the tabs stay the system's; the others draw from the colours.
    EXPECT_EQ(WrapperOf(pages), L"");
    EXPECT_EQ(WrapperOf(tabSet), L"");
    EXPECT_EQ(WrapperOf(status), L"TSkinStatusBar");
    EXPECT_EQ(WrapperOf(track), L"TSkinTrackBar");

    // Everything still works.
    RECT item{};
    ::SendMessageW(pages->Handle(), TCM_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&item));
    const LPARAM at = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
    ::SendMessageW(pages->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::SendMessageW(pages->Handle(), WM_LBUTTONUP, 0, at);
    EXPECT_EQ(pages->TabIndex(), 2) << shot;
    ::SendMessageW(upDown->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(8, 4));
    ::SendMessageW(upDown->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(8, 4));
    EXPECT_EQ(upDown->Position(), 1);
    progress[0]->SetPosition(70);
    EXPECT_EQ(progress[0]->Position(), 70);
    track->SetPosition(7);
    EXPECT_EQ(track->Position(), 7);
    PaintNow(form->Handle());
    // The status bar's panels have 3D edges in the system colours.
    RECT fr{}, sr{}, p{};
    ::GetWindowRect(form->Handle(), &fr);
    ::GetWindowRect(status->Handle(), &sr);
    ::SendMessageW(status->Handle(), SB_GETRECT, 0, reinterpret_cast<LPARAM>(&p));
    DibCanvas screen(fr.right - fr.left, fr.bottom - fr.top);
    ScreenShot(form->Handle(), screen);
    EXPECT_EQ(screen.PixelRef(sr.left - fr.left + p.left + 20, sr.top - fr.top + p.top), ::GetSysColor(COLOR_BTNSHADOW))
        << SaveShot(screen, "SkinTabs_NoImagesAfter");
}

}  // namespace
