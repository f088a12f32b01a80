// Glyph buttons and speed buttons: their published properties, the glyph and caption layout,
// the owner-drawn face (glyph image per state), the default look kept without BM_SETSTYLE, and
// speed buttons painting through WindowProc and clicking on release.
#include "framework/Buttons.h"
#include "framework/Forms.h"
#include "framework/TypInfo.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace qx;

namespace {

constexpr COLORREF kKey = RGB(255, 0, 255);
constexpr COLORREF kUp = RGB(200, 30, 30), kDisabled = RGB(30, 200, 30), kPressed = RGB(30, 30, 200);

// Three 8 x 8 glyph images side by side, each one colour, the bottom-left pixel of the strip
// magenta (the transparent colour).
void FillGlyph(TBitmap& glyph) {
    glyph.SetPixelFormat(TPixelFormat::pf24bit);
    glyph.SetSize(24, 8);
    const COLORREF colours[3] = {kUp, kDisabled, kPressed};
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 24; ++x) {
            COLORREF c = (x % 8 == 0 && y == 7) ? kKey : colours[x / 8];
            uint8_t* p = glyph.ScanLine(y) + x * 3;
            p[0] = GetBValue(c);
            p[1] = GetGValue(c);
            p[2] = GetRValue(c);
        }
}

bool Contains(const test::DibCanvas& canvas, COLORREF colour) {
    for (int y = 0; y < canvas.Height(); ++y)
        for (int x = 0; x < canvas.Width(); ++x)
            if (canvas.PixelRef(x, y) == colour) return true;
    return false;
}

class ButtonsTest : public ::testing::Test {
public:
    void SetUp() override {
        test::EnsureApplication();
        form = new TForm(Application);
        form->SetBounds(50, 50, 300, 200);
        form->Show();
    }
    void TearDown() override { delete form; }

    TBitBtn* AddBitBtn() {
        auto* b = new TBitBtn(form);
        b->SetParent(form);
        b->SetBounds(10, 10, 100, 30);
        b->SetCaption(L"Go");
        TBitmap glyph;
        FillGlyph(glyph);
        b->SetGlyph(&glyph);
        b->SetNumGlyphs(3);
        b->OnClick = TNotifyEvent::Of<&ButtonsTest::Clicked>(this);
        return b;
    }
    std::unique_ptr<test::DibCanvas> Print(HWND wnd) {
        RECT r{};
        ::GetWindowRect(wnd, &r);
        auto canvas = std::make_unique<test::DibCanvas>(r.right - r.left, r.bottom - r.top);
        DRAWITEMSTRUCT item{};
        item.CtlType = ODT_BUTTON;
        item.hwndItem = wnd;
        item.hDC = canvas->Dc();
        item.rcItem = {0, 0, r.right - r.left, r.bottom - r.top};
        item.itemState = States;
        ::SendMessageW(::GetParent(wnd), WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&item));
        ::GdiFlush();
        return canvas;
    }
    void Clicked(TObject*) { ++clicks; }

    TForm* form = nullptr;
    UINT States = 0;
    int clicks = 0;
};

struct TPaintSpy {
    int Paints = 0;
    TWndMethod Previous;
    void Proc(TMessage& m) {
        if (m.Msg == WM_PAINT) ++Paints;
        Previous(m);
    }
};

}  // namespace

TEST(GlyphLayout, MarginSpacingAndSides) {
    const RECT client{0, 0, 100, 30};
    // Margin -1, spacing 4: glyph and caption centred as a pair.
    TGlyphLayout l = LayoutGlyphButton(client, {16, 16}, {20, 10}, TButtonLayout::blGlyphLeft, -1, 4);
    EXPECT_EQ(l.GlyphPos.x, (100 - 40) / 2);
    EXPECT_EQ(l.GlyphPos.y, (30 - 16 + 1) / 2);
    EXPECT_EQ(l.TextRect.left, 30 + 16 + 4);
    EXPECT_EQ(l.TextRect.top, (30 - 10 + 1) / 2);
    // Margin 5, spacing -1: the rest shared.
    l = LayoutGlyphButton(client, {16, 16}, {20, 10}, TButtonLayout::blGlyphRight, 5, -1);
    EXPECT_EQ(l.GlyphPos.x, 100 - 5 - 16);
    EXPECT_EQ(l.TextRect.left, 79 - (100 - 5 - 16 - 20) / 2 - 20);
    // Top: along the height.
    l = LayoutGlyphButton({0, 0, 60, 60}, {16, 16}, {20, 10}, TButtonLayout::blGlyphTop, 4, 2);
    EXPECT_EQ(l.GlyphPos.y, 4);
    EXPECT_EQ(l.TextRect.top, 22);
    EXPECT_EQ(l.GlyphPos.x, (60 - 16 + 1) / 2);
    // No caption: no spacing either.
    l = LayoutGlyphButton(client, {16, 16}, {0, 0}, TButtonLayout::blGlyphLeft, -1, 4);
    EXPECT_EQ(l.GlyphPos.x, 42);
}

TEST_F(ButtonsTest, BitBtnPublishesItsGlyphProperties) {
    TBitBtn* b = AddBitBtn();
    EXPECT_EQ(GetOrdProp(*b, L"NumGlyphs"), 3);
    SetEnumProp(*b, L"Layout", L"blGlyphBottom");
    EXPECT_EQ(b->Layout(), TButtonLayout::blGlyphBottom);
    SetOrdProp(*b, L"Margin", 3);
    SetOrdProp(*b, L"Spacing", -1);
    EXPECT_EQ(b->Margin(), 3);
    EXPECT_EQ(b->Spacing(), -1);
    b->SetNumGlyphs(9);
    EXPECT_EQ(b->NumGlyphs(), 4);
    auto* glyph = dynamic_cast<TBitmap*>(GetObjectProp(*b, L"Glyph"));
    ASSERT_NE(glyph, nullptr);
    EXPECT_EQ(glyph->Width(), 24);
    EXPECT_EQ(GetOrdProp(*b, L"ImageIndex"), -1);
    EXPECT_EQ(GetOrdProp(*b, L"DisabledIndex"), -1);

    auto* images = new TImageList(form);
    SetObjectProp(*b, L"Images", images);
    EXPECT_EQ(b->Images(), images);
    delete images;
    EXPECT_EQ(b->Images(), nullptr) << "a freed image list is forgotten";
    EXPECT_NE(FindClass(L"TBitBtn"), nullptr);
    EXPECT_NE(FindClass(L"TSpeedButton"), nullptr);
}

TEST_F(ButtonsTest, BitBtnDrawsTheGlyphImageOfItsState) {
    TBitBtn* b = AddBitBtn();
    EXPECT_EQ(::GetWindowLongPtrW(b->Handle(), GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
    auto up = Print(b->Handle());
    EXPECT_TRUE(Contains(*up, kUp));
    EXPECT_FALSE(Contains(*up, kKey)) << "the transparent colour is left out";
    States = ODS_SELECTED;
    EXPECT_TRUE(Contains(*Print(b->Handle()), kPressed));
    States = ODS_DISABLED;
    EXPECT_TRUE(Contains(*Print(b->Handle()), kDisabled));
}

TEST_F(ButtonsTest, BitBtnKeepsItsOwnDrawingAsTheDefaultButton) {
    TBitBtn* b = AddBitBtn();
    b->SetDefault(true);
    form->Perform(CM_FOCUSCHANGED, 0, 0);
    EXPECT_TRUE(b->DefaultLook());
    EXPECT_EQ(::GetWindowLongPtrW(b->Handle(), GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
    EXPECT_EQ(form->Perform(CM_DIALOGKEY, VK_RETURN, 0), 1);
    EXPECT_EQ(clicks, 1);
}

TEST_F(ButtonsTest, BitBtnClicksOnTheSecondOfTwoQuickClicks) {
    TBitBtn* b = AddBitBtn();
    ::SendMessageW(b->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    ::SendMessageW(b->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    ::SendMessageW(b->Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5));
    ::SendMessageW(b->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    test::PumpPending();
    EXPECT_EQ(clicks, 2);
}

TEST_F(ButtonsTest, SpeedButtonPaintsThroughWindowProcAndClicksOnRelease) {
    auto* s = new TSpeedButton(form);
    s->SetParent(form);
    s->SetBounds(150, 10, 40, 30);
    s->SetFlat(true);
    TBitmap glyph;
    FillGlyph(glyph);
    s->SetGlyph(&glyph);
    s->SetNumGlyphs(3);
    s->OnClick = TNotifyEvent::Of<&ButtonsTest::Clicked>(this);
    TPaintSpy spy;
    spy.Previous = s->WindowProc;
    s->WindowProc = TWndMethod::Of<&TPaintSpy::Proc>(&spy);

    test::DibCanvas canvas(300, 200);
    canvas.Fill(RGB(1, 2, 3));
    ::SendMessageW(form->Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.Dc()), PRF_CLIENT);
    ::GdiFlush();
    EXPECT_EQ(spy.Paints, 1);
    bool glyphShown = false;
    for (int y = 10; y < 40; ++y)
        for (int x = 150; x < 190; ++x) glyphShown |= canvas.PixelRef(x, y) == kUp;
    EXPECT_TRUE(glyphShown);

    // The parent hands the press and the release to its graphic child.
    ::SendMessageW(form->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(160, 20));
    EXPECT_TRUE(s->Pressed());
    ::SendMessageW(form->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(160, 20));
    EXPECT_FALSE(s->Pressed());
    EXPECT_EQ(clicks, 1);
    s->WindowProc = spy.Previous;

    SetOrdProp(*s, L"Down", 1);
    EXPECT_TRUE(s->Down());
    EXPECT_EQ(GetEnumProp(*s, L"Flat"), L"True");
}
