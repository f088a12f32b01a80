// TSkinBox recolours a panel (and, through it, its labels) with ButtonFace and gives back its
// Color, ParentColor and ParentBackground exactly; TSkinBoxH gives a raw dialog page and its
// static texts the skin's background.
#include "framework/ExtCtrls.h"
#include "framework/StdCtrls.h"
#include "skin/controls/SkinBox.h"
#include "support/BoxesTestSupport.h"

#include <gtest/gtest.h>

using namespace boxestest;
using qx::test::DibCanvas;

namespace {

class SkinBoxTest : public ::testing::Test {
protected:
    void SetUp() override {
        skin = LoadDefaultSkin();
        ASSERT_NE(skin, nullptr);
        face = qx::ColorToRGB(skin->ButtonFace);
        host = std::make_unique<TTestHost>(skin.get());
        form = NewForm(300, 200);
        form->SetColor(RGB(120, 130, 140));
        panel = new qx::TPanel(form);
        panel->SetParent(form);
        panel->SetBounds(10, 10, 200, 100);
        panel->SetBevelOuter(qx::TBevelCut::bvNone);
        label = new qx::TLabel(form);
        label->SetParent(panel);
        label->SetBounds(10, 10, 80, 16);
        label->SetCaption(L"Router");
    }
    void TearDown() override { delete form; }

    TSkinBox* Wrap(bool colourFlag) {
        auto* box = new TSkinBox(panel);
        box->Attach(host.get(), skin.get(), colourFlag, host->ControlCanvas());
        return box;
    }

    std::unique_ptr<TSkinData> skin;
    std::unique_ptr<TTestHost> host;
    COLORREF face = 0;
    qx::TForm* form = nullptr;
    qx::TPanel* panel = nullptr;
    qx::TLabel* label = nullptr;
};

TEST_F(SkinBoxTest, PanelBecomesAFlatButtonFaceAreaAndGetsEverythingBackOnDetach) {
    panel->SetParentBackground(true);
    ASSERT_TRUE(panel->ParentColor());
    const qx::TColor before = panel->Color();
    const qx::TWndMethod procedure = panel->WindowProc;

    TSkinBox* box = Wrap(true);
    EXPECT_EQ(panel->Color(), skin->ButtonFace);
    EXPECT_FALSE(panel->ParentBackground());
    EXPECT_TRUE(box->ParentBackgroundChanged());
    EXPECT_TRUE(panel->WindowProc == procedure);  // no messages hooked
    EXPECT_EQ(box->State(), kWrapperCreated);
    EXPECT_EQ(host->Wrappers(), (std::vector<TSkinControl*>{box}));
    EXPECT_EQ(label->Color(), skin->ButtonFace);  // the label shows the panel's new colour

    DibCanvas canvas(200, 100);
    qx::test::PrintWindowTo(panel->Handle(), canvas);
    ::GdiFlush();
    EXPECT_EQ(canvas.PixelRef(0, 0), face);
    EXPECT_EQ(canvas.PixelRef(199, 99), face);
    EXPECT_EQ(canvas.PixelRef(150, 50), face);
    EXPECT_EQ(canvas.PixelRef(85, 24), face) << SaveShot(canvas, "SkinBox_Panel");  // label background

    box->Detach();
    EXPECT_EQ(box->State(), kWrapperDetached);
    EXPECT_EQ(panel->Color(), before);
    EXPECT_TRUE(panel->ParentColor());
    EXPECT_TRUE(panel->ParentBackground());
    EXPECT_EQ(label->Color(), before);
    // Still tied to the form's colour, as before the skin.
    form->SetColor(RGB(1, 99, 2));
    EXPECT_EQ(panel->Color(), RGB(1, 99, 2));
    box->Detach();  // twice changes nothing
    EXPECT_EQ(panel->Color(), RGB(1, 99, 2));
}

TEST_F(SkinBoxTest, ParentBackgroundLeftAloneWhenFalseOrWhenTheSkinKeepsIt) {
    panel->SetParentBackground(false);
    TSkinBox* box = Wrap(true);
    EXPECT_FALSE(box->ParentBackgroundChanged());
    box->Detach();
    EXPECT_FALSE(panel->ParentBackground());
    delete box;

    panel->SetParentBackground(true);
    skin->SetOptions(skin->Options() | SkinOptionBit(xoParentBackGround));
    box = Wrap(true);
    EXPECT_TRUE(panel->ParentBackground());
    EXPECT_EQ(panel->Color(), skin->ButtonFace);
    box->Detach();
    EXPECT_TRUE(panel->ParentBackground());
}

TEST_F(SkinBoxTest, WithoutTheColourFlagNothingChanges) {
    panel->SetParentBackground(true);
    panel->SetColor(RGB(5, 6, 7));
    TSkinBox* box = Wrap(false);
    EXPECT_EQ(panel->Color(), RGB(5, 6, 7));
    EXPECT_TRUE(panel->ParentBackground());
    box->Detach();
    EXPECT_EQ(panel->Color(), RGB(5, 6, 7));
}

TEST_F(SkinBoxTest, SkinChangeRecoloursAndDetachStillGivesTheOriginalBack) {
    panel->SetColor(RGB(50, 60, 70));
    TSkinBox* box = Wrap(true);
    TSkinBox* again = box;
    again->Attach(host.get(), skin.get(), true, host->ControlCanvas());  // a second attach does nothing
    skin->ButtonFace = RGB(210, 180, 150);
    box->SkinChanged();
    EXPECT_EQ(panel->Color(), RGB(210, 180, 150));
    box->Detach();
    EXPECT_EQ(panel->Color(), RGB(50, 60, 70));
    EXPECT_FALSE(panel->ParentColor());
}

//--- TSkinBoxH

class SkinBoxHTest : public SkinBoxTest {
protected:
    void SetUp() override {
        SkinBoxTest::SetUp();
        page = ::CreateWindowExW(0, L"#32770", L"", WS_CHILD | WS_VISIBLE, 0, 120, 200, 60, form->Handle(), nullptr,
                                 nullptr, nullptr);
        text = ::CreateWindowExW(0, L"STATIC", L"Threshold", WS_CHILD | WS_VISIBLE | SS_LEFT, 10, 10, 150, 20, page,
                                 nullptr, nullptr, nullptr);
        ::SendMessageW(text, WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    }

    HWND page = nullptr;
    HWND text = nullptr;
};

TEST_F(SkinBoxHTest, DialogPageAndItsStaticTextAreOnButtonFace) {
    auto* wrapper = new TSkinBoxH(host.get());
    wrapper->AttachWindow(page, skin.get(), host.get(), host->ControlCanvas());
    ASSERT_EQ(wrapper->State(), kWrapperAttached);

    DibCanvas background(200, 60);
    background.Fill(RGB(1, 2, 3));
    EXPECT_EQ(::SendMessageW(page, WM_ERASEBKGND, reinterpret_cast<WPARAM>(background.Dc()), 0), 0);
    ::GdiFlush();
    EXPECT_EQ(background.PixelRef(0, 0), face);
    EXPECT_EQ(background.PixelRef(199, 59), face);

    // The static asks its parent for its colours while it paints.
    DibCanvas label(150, 20);
    label.Fill(RGB(1, 2, 3));
    ::SendMessageW(text, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(label.Dc()), PRF_CLIENT | PRF_ERASEBKGND);
    ::GdiFlush();
    EXPECT_EQ(label.PixelRef(149, 19), face) << SaveShot(label, "SkinBoxH_Static");
    // The text cell (its first row is above the letters) is no band of another colour.
    EXPECT_EQ(label.PixelRef(1, 0), face);
    int textPixels = 0;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 150; ++x) textPixels += label.PixelRef(x, y) == RGB(0, 0, 0);
    EXPECT_GT(textPixels, 0);
    HDC dc = ::GetDC(text);
    EXPECT_EQ(::SendMessageW(page, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(text)),
              reinterpret_cast<LRESULT>(skin->FaceBrush()));
    EXPECT_EQ(::GetBkColor(dc), face);
    ::ReleaseDC(text, dc);
}

}  // namespace
