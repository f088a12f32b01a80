// TSkinGroupBox: the rounded frame's geometry (top line at half the caption height, one pixel in
// from the sides), the caption cutting the line on ButtonFace, an empty caption leaving it
// whole, a raw group box's system edge wiped, and a framework group box painted whole on its
// parent's background with its labels, until detach gives the system look back.
#include "framework/GroupBox.h"
#include "framework/StdCtrls.h"
#include "skin/controls/SkinGroupBox.h"
#include "skin/controls/SkinGroupBoxPaint.h"
#include "support/BoxesTestSupport.h"

#include <gtest/gtest.h>

using namespace boxestest;
using qx::test::DibCanvas;

namespace {

constexpr COLORREF kSentinel = RGB(1, 2, 3);
constexpr COLORREF kFace = RGB(200, 200, 200);
constexpr COLORREF kShadow = RGB(10, 20, 30);

// A font whose "0" is `height` pixels high, or none.
qx::UniqueFont FontWithDigitHeight(int height) {
    for (int h = 6; h < 40; ++h) {
        qx::UniqueFont font(::CreateFontW(-h, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, NONANTIALIASED_QUALITY, 0,
                                          L"Tahoma"));
        DibCanvas probe(4, 4);
        qx::SelectGuard select(probe.Dc(), font.get());
        SIZE size{};
        ::GetTextExtentPoint32W(probe.Dc(), L"0", 1, &size);
        if (size.cy == height) return font;
    }
    return qx::UniqueFont();
}

TEST(SkinGroupBoxPaint, CaptionOfHeight13PutsTheTopLineAtY5) {
    qx::UniqueFont font = FontWithDigitHeight(13);
    ASSERT_TRUE(font) << "no Tahoma size gives a 13-pixel digit";
    DibCanvas canvas(120, 60);
    canvas.Fill(kSentinel);
    PaintSkinGroupBox(canvas.Dc(), canvas.Rect(), L"Mode", {kFace, kShadow, font.get(), RGB(0, 0, 0), false});
    ::GdiFlush();
    EXPECT_EQ(canvas.PixelRef(100, 5), kShadow);
    EXPECT_EQ(canvas.PixelRef(100, 4), kSentinel);
    EXPECT_EQ(canvas.PixelRef(100, 6), kSentinel);
    // Sides one pixel in from the left, right edge at width - 2, bottom at height - 2.
    EXPECT_EQ(canvas.PixelRef(1, 30), kShadow);
    EXPECT_EQ(canvas.PixelRef(0, 30), kSentinel);
    EXPECT_EQ(canvas.PixelRef(118, 30), kShadow);
    EXPECT_EQ(canvas.PixelRef(119, 30), kSentinel);
    EXPECT_EQ(canvas.PixelRef(60, 58), kShadow);
    EXPECT_EQ(canvas.PixelRef(60, 59), kSentinel);
    EXPECT_EQ(canvas.PixelRef(1, 5), kSentinel);  // rounded corner
    // The caption cuts the line on an opaque ButtonFace band from x = 8.
    EXPECT_NE(canvas.PixelRef(9, 5), kShadow);
    EXPECT_EQ(canvas.PixelRef(8, 0), kFace) << SaveShot(canvas, "SkinGroupBox_Geometry");
    EXPECT_EQ(canvas.PixelRef(7, 5), kShadow);
    // The font and colours of the context are as before.
    EXPECT_NE(::GetCurrentObject(canvas.Dc(), OBJ_FONT), font.get());
    EXPECT_EQ(::GetBkColor(canvas.Dc()), RGB(255, 255, 255));
}

TEST(SkinGroupBoxPaint, EmptyCaptionLeavesTheFrameWholeAndRawEdgesAreWiped) {
    qx::UniqueFont font = FontWithDigitHeight(13);
    ASSERT_TRUE(font);
    DibCanvas canvas(120, 60);
    canvas.Fill(kSentinel);
    PaintSkinGroupBox(canvas.Dc(), canvas.Rect(), L"", {kFace, kShadow, font.get(), CLR_INVALID, true});
    ::GdiFlush();
    for (int x = 9; x < 60; ++x) ASSERT_EQ(canvas.PixelRef(x, 5), kShadow) << x;
    // The system's edge (outer ring and the one inside it) became ButtonFace.
    EXPECT_EQ(canvas.PixelRef(0, 30), kFace);
    EXPECT_EQ(canvas.PixelRef(119, 30), kFace);
    EXPECT_EQ(canvas.PixelRef(60, 59), kFace);
    EXPECT_EQ(canvas.PixelRef(0, 5), kFace);
    EXPECT_EQ(canvas.PixelRef(1, 30), kShadow);
    EXPECT_EQ(canvas.PixelRef(60, 4), kSentinel);
}

TEST(SkinGroupBoxPaint, TinyBoxesAndMissingFontsStayInside) {
    for (const RECT& r : {RECT{0, 0, 0, 0}, RECT{0, 0, 3, 3}, RECT{0, 0, 12, 4}, RECT{0, 0, 4, 40}}) {
        DibCanvas canvas(30, 50);
        canvas.Fill(kSentinel);
        PaintSkinGroupBox(canvas.Dc(), r, L"A long caption", {kFace, kShadow, nullptr, CLR_INVALID, true});
        ::GdiFlush();
        for (int y = 0; y < 50; ++y)
            for (int x = 0; x < 30; ++x)
                if (!::PtInRect(&r, POINT{x, y})) {
                    ASSERT_EQ(canvas.PixelRef(x, y), kSentinel) << x << "," << y;
                }
    }
}

class SkinGroupBoxTest : public ::testing::Test {
protected:
    void SetUp() override {
        skin = LoadDefaultSkin();
        ASSERT_NE(skin, nullptr);
        shadow = qx::ColorToRGB(skin->ButtonShadow);
        face = qx::ColorToRGB(skin->ButtonFace);
        host = std::make_unique<TTestHost>(skin.get());
        form = NewForm(300, 220);
        form->SetColor(face);
    }
    void TearDown() override { delete form; }

    std::unique_ptr<TSkinData> skin;
    std::unique_ptr<TTestHost> host;
    COLORREF shadow = 0, face = 0;
    qx::TForm* form = nullptr;
};

TEST_F(SkinGroupBoxTest, FrameworkGroupBoxIsPaintedWholeUntilDetached) {
    auto* box = new qx::TGroupBox(form);
    box->SetParent(form);
    box->SetBounds(10, 10, 160, 90);
    box->SetCaption(L"Router");
    box->SetColor(RGB(90, 90, 90));
    auto* label = new qx::TLabel(form);
    label->SetParent(box);
    label->SetBounds(20, 40, 100, 16);
    label->SetCaption(L"threshold 100");
    label->SetTransparent(true);
    const int top = box->FrameTop();

    auto* wrapper = new TSkinGroupBox(box);
    wrapper->Attach(host.get(), skin.get(), true, host->ControlCanvas());
    EXPECT_EQ(wrapper->Variant(), 1);
    EXPECT_EQ(box->Color(), skin->ButtonFace);

    DibCanvas canvas(160, 90);
    canvas.Fill(kSentinel);
    qx::test::PrintWindowTo(box->Handle(), canvas);
    ::GdiFlush();
    const std::string shot = SaveShot(canvas, "SkinGroupBox_Framework");
    EXPECT_EQ(canvas.PixelRef(140, top), shadow) << shot;
    EXPECT_EQ(canvas.PixelRef(1, 50), shadow) << shot;
    EXPECT_EQ(canvas.PixelRef(80, 88), shadow) << shot;
    EXPECT_EQ(canvas.PixelRef(80, 70), face) << shot;  // the parent's background inside
    EXPECT_EQ(canvas.PixelRef(0, 50), face) << shot;
    int labelInk = 0;
    for (int y = 40; y < 56; ++y)
        for (int x = 20; x < 120; ++x) labelInk += canvas.PixelRef(x, y) != face;
    EXPECT_GT(labelInk, 0) << "the label inside was not drawn; " << shot;

    wrapper->Detach();
    EXPECT_EQ(box->Color(), RGB(90, 90, 90));
    delete wrapper;
    canvas.Fill(kSentinel);
    qx::test::PrintWindowTo(box->Handle(), canvas);
    ::GdiFlush();
    EXPECT_NE(canvas.PixelRef(140, top), shadow);  // the system's etched line again
    EXPECT_EQ(canvas.PixelRef(80, 70), RGB(90, 90, 90));
}

TEST_F(SkinGroupBoxTest, RawGroupBoxIsPaintedOverTheSystemsPicture) {
    HWND raw = ::CreateWindowExW(0, L"BUTTON", L"Device", WS_CHILD | WS_VISIBLE | BS_GROUPBOX, 10, 110, 160, 80,
                                 form->Handle(), nullptr, nullptr, nullptr);
    ::SendMessageW(raw, WM_SETFONT, reinterpret_cast<WPARAM>(form->Font()->Handle()), FALSE);
    auto* wrapper = new TSkinGroupBox(host.get());
    wrapper->AttachWindow(raw, skin.get(), host.get(), host->ControlCanvas());
    EXPECT_EQ(wrapper->Variant(), 0);

    DibCanvas canvas(160, 80);
    canvas.Fill(face);
    ::SendMessageW(raw, WM_PAINT, reinterpret_cast<WPARAM>(canvas.Dc()), 0);
    ::GdiFlush();
    const std::string shot = SaveShot(canvas, "SkinGroupBox_Raw");
    int top = 0;
    {
        qx::SelectGuard select(canvas.Dc(), form->Font()->Handle());
        top = GroupBoxFrameTop(canvas.Dc());
    }
    EXPECT_EQ(canvas.PixelRef(0, 40), face) << shot;   // the system edge wiped
    EXPECT_EQ(canvas.PixelRef(1, 40), shadow) << shot;
    EXPECT_EQ(canvas.PixelRef(140, top), shadow) << shot;
    EXPECT_EQ(canvas.PixelRef(159, 79), face) << shot;
    ::DestroyWindow(raw);
    EXPECT_EQ(wrapper->State(), kWrapperWindowDestroyed);
}

}  // namespace
