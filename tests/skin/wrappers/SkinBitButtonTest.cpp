// Skinned glyph buttons and speed buttons: the glyph and caption layout, the glyph image per
// state (grey when disabled), the frame choice, and speed buttons drawn through their
// WindowProc with Flat and Down.
#include "framework/Buttons.h"
#include "skin/controls/SkinBitButton.h"
#include "skin/controls/SkinSpeedButton.h"
#include "support/WrapperTestSupport.h"

#include <gtest/gtest.h>

using namespace wraptest;

namespace {

constexpr COLORREF kKey = RGB(255, 0, 255);
constexpr COLORREF kGlyphUp = RGB(250, 10, 10), kGlyphDisabled = RGB(10, 250, 10), kGlyphPressed = RGB(10, 10, 250);

void FillGlyph(qx::TBitmap& glyph, int images) {
    const COLORREF colours[3] = {kGlyphUp, kGlyphDisabled, kGlyphPressed};
    glyph.SetPixelFormat(qx::TPixelFormat::pf24bit);
    glyph.SetSize(10 * images, 10);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10 * images; ++x) {
            const COLORREF c = (x % 10 == 0 && y == 9) ? kKey : colours[x / 10];
            uint8_t* p = glyph.ScanLine(y) + x * 3;
            p[0] = GetBValue(c);
            p[1] = GetGValue(c);
            p[2] = GetRValue(c);
        }
}

int Count(const qx::test::DibCanvas& canvas, COLORREF colour) {
    int n = 0;
    for (int y = 0; y < canvas.Height(); ++y)
        for (int x = 0; x < canvas.Width(); ++x) n += canvas.PixelRef(x, y) == colour;
    return n;
}

class SkinBitButtonTest : public ::testing::Test {
public:
    void SetUp() override {
        skin = MakeTestSkin();
        host = std::make_unique<TTestHost>(skin.get());
        form = MakeForm();
        form->Show();
    }
    void TearDown() override {
        host.reset();
        delete form;
    }

    qx::TBitBtn* AddBitBtn(int images) {
        auto* b = new qx::TBitBtn(form);
        b->SetParent(form);
        b->SetBounds(10, 10, 100, 34);
        b->SetCaption(L"Go");
        qx::TBitmap glyph;
        FillGlyph(glyph, images);
        b->SetGlyph(&glyph);
        b->SetNumGlyphs(images);
        auto* w = new TSkinBitButton(b);
        w->Attach(host.get(), skin.get(), false, nullptr);
        return b;
    }

    std::unique_ptr<TSkinData> skin;
    std::unique_ptr<TTestHost> host;
    qx::TForm* form = nullptr;
};

}  // namespace

TEST(SkinGlyphPlacement, LayoutRules) {
    const SIZE c{100, 30}, g{16, 16}, t{20, 10};
    // Margin -1 and spacing -1: thirds.
    TGlyphPlacement p = PlaceGlyphAndCaption(c, g, t, TGlyphSide::gsLeft, -1, -1, false);
    EXPECT_EQ(p.Glyph.x, (100 - 16 - 20) / 3);
    EXPECT_EQ(p.Caption.x, 21 + 16 + 21);
    EXPECT_EQ(p.Glyph.y, (30 - 16 + 1) / 2);
    EXPECT_EQ(p.Caption.y, (30 - 10 + 1) / 2);
    EXPECT_EQ(p.CaptionFlags, static_cast<UINT>(DT_WORDBREAK));
    // A given margin is ignored when the control says "tacenter".
    p = PlaceGlyphAndCaption(c, g, t, TGlyphSide::gsLeft, 2, 4, true);
    EXPECT_EQ(p.Glyph.x, (100 - (16 + 4 + 20)) / 2);
    // Right: the caption before the glyph, right-aligned.
    p = PlaceGlyphAndCaption(c, g, t, TGlyphSide::gsRight, 3, -1, false);
    EXPECT_EQ(p.Glyph.x, 100 - 3 - 16);
    EXPECT_EQ(p.Caption.x, 81 - (100 - 3 - 16 - 20) / 2 - 20);
    EXPECT_EQ(p.CaptionFlags, static_cast<UINT>(DT_WORDBREAK | DT_RIGHT));
    // Bottom: along the height, centred across.
    p = PlaceGlyphAndCaption({60, 60}, g, t, TGlyphSide::gsBottom, 4, 2, false);
    EXPECT_EQ(p.Glyph.y, 60 - 4 - 16);
    EXPECT_EQ(p.Caption.y, 40 - 2 - 10);
    EXPECT_EQ(p.Glyph.x, (60 - 16 + 1) / 2);
    EXPECT_EQ(p.CaptionFlags, static_cast<UINT>(DT_WORDBREAK | DT_CENTER));
    // Nothing to space when one of the two is missing.
    p = PlaceGlyphAndCaption(c, {0, 0}, t, TGlyphSide::gsTop, -1, 6, false);
    EXPECT_EQ(p.Caption.y, (30 - 10) / 2);
    EXPECT_EQ(GlyphSideFromText(L"blglyphtop"), TGlyphSide::gsTop);
    EXPECT_EQ(GlyphSideFromText(L"sideways"), TGlyphSide::gsLeft);
}

TEST(SkinGlyphFrames, BitAndSpeedButtons) {
    EXPECT_EQ(GlyphButtonFrame(false, false, false, true), 1);
    EXPECT_EQ(GlyphButtonFrame(true, false, false, true), 4);
    EXPECT_EQ(GlyphButtonFrame(false, false, true, true), 4);
    EXPECT_EQ(GlyphButtonFrame(true, true, true, true), 2);
    EXPECT_EQ(GlyphButtonFrame(true, true, true, false), 3);
    EXPECT_EQ(SpeedButtonFrame(true, false, false, false), 2);
    EXPECT_EQ(SpeedButtonFrame(false, false, true, true), 3);
    EXPECT_EQ(SpeedButtonFrame(false, true, true, true), 2);
    EXPECT_EQ(SpeedButtonFrame(false, true, false, true), 4);
}

TEST_F(SkinBitButtonTest, GlyphImagePerStateAndItsPlace) {
    qx::TBitBtn* b = AddBitBtn(3);
    auto* w = host->As<TSkinBitButton>(b);
    ASSERT_NE(w, nullptr);
    auto up = PrintClient(b->Handle());
    EXPECT_EQ(Count(*up, kGlyphUp), 99) << "all of image 1 but its transparent pixel";
    EXPECT_EQ(Count(*up, kKey), 0);
    EXPECT_EQ(ButtonFrameOf(up->PixelRef(5, 5)), 1);
    const TGlyphPlacement& place = w->LastPlacement();
    EXPECT_EQ(up->PixelRef(place.Glyph.x + 5, place.Glyph.y + 5), kGlyphUp);
    EXPECT_EQ(place.Glyph.y, (34 - 10 + 1) / 2);

    ::SendMessageW(b->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    auto pressed = PrintClient(b->Handle());
    EXPECT_EQ(Count(*pressed, kGlyphPressed), 99);
    EXPECT_EQ(ButtonFrameOf(pressed->PixelRef(5, 5)), 2);
    ::SendMessageW(b->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));

    // Disabled: image 2, turned grey.
    b->SetEnabled(false);
    auto disabled = PrintClient(b->Handle());
    const int grey = (GetRValue(kGlyphDisabled) + GetGValue(kGlyphDisabled) + GetBValue(kGlyphDisabled)) / 3;
    EXPECT_EQ(Count(*disabled, RGB(grey, grey, grey)), 99);
    EXPECT_EQ(ButtonFrameOf(disabled->PixelRef(5, 5)), 3);
}

TEST_F(SkinBitButtonTest, OneImageGlyphServesEveryState) {
    qx::TBitBtn* b = AddBitBtn(1);
    ::SendMessageW(b->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_EQ(Count(*PrintClient(b->Handle()), kGlyphUp), 99);
    ::SendMessageW(b->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
}

TEST_F(SkinBitButtonTest, GlyphOnTopPutsTheCaptionUnderIt) {
    qx::TBitBtn* b = AddBitBtn(1);
    b->SetBounds(10, 10, 80, 60);
    b->SetLayout(qx::TButtonLayout::blGlyphTop);
    b->SetMargin(4);
    b->SetSpacing(3);
    auto* w = host->As<TSkinBitButton>(b);
    PrintClient(b->Handle());
    EXPECT_EQ(w->LastPlacement().Glyph.y, 4);
    EXPECT_EQ(w->LastPlacement().Glyph.x, (80 - 10 + 1) / 2);
    EXPECT_EQ(w->LastCaptionRect().top, 4 + 10 + 3);
    EXPECT_EQ(w->LastPlacement().CaptionFlags, static_cast<UINT>(DT_WORDBREAK | DT_CENTER));
}

TEST_F(SkinBitButtonTest, FocusedGlyphButtonShowsFrameFourAndTheCaptionFocus) {
    qx::TBitBtn* b = AddBitBtn(1);
    auto* w = host->As<TSkinBitButton>(b);
    auto plain = PrintClient(b->Handle());
    b->SetFocus();
    Pump();
    auto focused = PrintClient(b->Handle());
    EXPECT_EQ(ButtonFrameOf(focused->PixelRef(5, 5)), 4);
    RECT f = w->LastCaptionRect();
    ::InflateRect(&f, 2, 2);
    EXPECT_NE(focused->PixelRef(f.left, f.top + 1), ButtonFrameColour(4)) << "focus rectangle at the caption + 2";
    EXPECT_EQ(ButtonFrameOf(plain->PixelRef(5, 5)), 1);
}

TEST_F(SkinBitButtonTest, SpeedButtonFlatShowsOnlyBackgroundAtRest) {
    auto* s = new qx::TSpeedButton(form);
    s->SetParent(form);
    s->SetBounds(150, 20, 40, 30);
    s->SetFlat(true);
    auto* w = new TSkinSpeedButton(s);
    w->Attach(host.get(), skin.get(), false, nullptr);
    EXPECT_TRUE(w->Attached());
    EXPECT_EQ(w->GraphicControl(), s);
    EXPECT_EQ(w->Window(), nullptr);
    EXPECT_EQ(s->Perform(SKN_QUERY), 1);

    auto printForm = [&] {
        auto canvas = std::make_unique<qx::test::DibCanvas>(320, 200);
        ::SendMessageW(form->Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas->Dc()), PRF_CLIENT);
        ::GdiFlush();
        return ButtonFrameOf(canvas->PixelRef(155, 25)) * 1000 + (canvas->PixelRef(155, 25) == kTestFace);
    };
    EXPECT_EQ(printForm(), 1) << "flat at rest: the face only";
    s->Perform(qx::CM_MOUSEENTER);
    EXPECT_TRUE(w->Hot());
    EXPECT_EQ(printForm(), 4000);
    s->Perform(qx::CM_MOUSELEAVE);
    s->SetDown(true);
    EXPECT_EQ(printForm(), 2000);
    s->SetDown(false);
    s->SetFlat(false);
    s->SetEnabled(false);
    EXPECT_EQ(printForm(), 3000);

    host->Release();
    EXPECT_EQ(s->Perform(SKN_QUERY), 0) << "the speed button's WindowProc is its own again";
}
