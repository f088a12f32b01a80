// Skinned menu items drawn off-screen with the default skin: the MenuItem frame of the state
// over the popup's own background, check marks and checked images, separators, text colours,
// and which menus get the skinned handlers.
#include "skin/form/MenuItemPaint.h"
#include "skin/form/SkinMenuItems.h"
#include "framework/Handles.h"
#include "support/FormTestSupport.h"

using namespace formtest;

namespace {

constexpr int kW = 160, kH = 22;  // the default skin's item image is 22 pixels high

// Without smoothing, so that text pixels have exactly the text colour.
HFONT MenuFont() {
    static qx::UniqueFont font(::CreateFontW(-14, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0,
                                             NONANTIALIASED_QUALITY, 0, L"Tahoma"));
    return font.get();
}

COLORREF Pixel(const qx::test::DibCanvas& c, int x, int y) { return c.PixelRef(x, y); }

int CountColour(const qx::test::DibCanvas& c, COLORREF colour) {
    int n = 0;
    for (int y = 0; y < c.Height(); ++y)
        for (int x = 0; x < c.Width(); ++x) n += Pixel(c, x, y) == colour;
    return n;
}

// A 16 x 16 frame image of one colour for the popup's background.
std::unique_ptr<qx::TBitmap> SolidFrame(COLORREF colour) {
    auto b = std::make_unique<qx::TBitmap>();
    b->SetPixelFormat(qx::TPixelFormat::pf24bit);
    b->SetSize(kW + 6, kH + 6);
    b->Canvas().Brush().SetColor(colour);
    b->Canvas().FillRect(RECT{0, 0, kW + 6, kH + 6});
    return b;
}

class MenuItemPaintTest : public ::testing::Test {
protected:
    void SetUp() override {
        skin = LoadDefaultSkin();
        ASSERT_TRUE(skin && MenuItemImage(*skin));
    }
    std::unique_ptr<TSkinData> skin;
};

TEST_F(MenuItemPaintTest, AnItemShowsItsStateFrameOverThePopupBackground) {
    TDataSkinObject& image = *skin->MenuItem;
    const int fw = image.Bitmap.Width() / kMenuItemFrames;
    // The normal frame is transparent: what shows there is the popup's background.
    ASSERT_EQ(FramePixel(image.Bitmap, kMenuItemFrames, kMenuItemNormal, false, fw / 2, kH / 2), RGB(255, 0, 255));
    auto red = SolidFrame(RGB(200, 0, 0));
    const struct {
        bool Selected;
        qx::TBitmap* Frame;
        COLORREF Want;
    } cases[] = {
        {false, nullptr, qx::ColorToRGB(skin->Menu)},
        {false, red.get(), RGB(200, 0, 0)},
        {true, nullptr, FramePixel(image.Bitmap, kMenuItemFrames, kMenuItemSelected, false, fw / 2, kH / 2)},
    };
    for (const auto& c : cases) {
        qx::test::DibCanvas canvas(kW, kH);
        TMenuItemLook look;
        look.Caption = L"Open";
        DrawSkinMenuItem(canvas.Dc(), canvas.Rect(), look, *skin, c.Selected, c.Frame, MenuFont());
        ::GdiFlush();
        EXPECT_EQ(Pixel(canvas, kW - 6, kH / 2), c.Want) << c.Selected;
    }
}

TEST_F(MenuItemPaintTest, ACheckedItemShowsTheCheckMarkOrItsImageOnAHatchedBox) {
    qx::TImageList images(nullptr);
    qx::TBitmap glyph;
    glyph.SetPixelFormat(qx::TPixelFormat::pf24bit);
    glyph.SetSize(16, 16);
    glyph.Canvas().Brush().SetColor(qx::clFuchsia);
    glyph.Canvas().FillRect(RECT{0, 0, 16, 16});
    glyph.Canvas().Brush().SetColor(RGB(200, 0, 0));
    glyph.Canvas().FillRect(RECT{6, 6, 10, 10});
    images.AddMasked(&glyph, qx::clFuchsia);
    const int left = 1 + skin->MenuItem->Margins.left;  // the glyph box

    qx::test::DibCanvas plain(kW, kH);
    TMenuItemLook look;
    look.Caption = L"Grid";
    look.Checked = true;
    DrawSkinMenuItem(plain.Dc(), plain.Rect(), look, *skin, false, nullptr, MenuFont());
    ::GdiFlush();
    int mark = 0;
    for (int y = 1; y < 17; ++y)
        for (int x = left; x < left + 16; ++x) mark += Pixel(plain, x, y) == ::GetSysColor(COLOR_BTNTEXT);
    EXPECT_GT(mark, 4);
    // Right to left the glyph box is at the right edge.
    qx::test::DibCanvas mirrored(kW, kH);
    look.RightToLeft = true;
    DrawSkinMenuItem(mirrored.Dc(), mirrored.Rect(), look, *skin, false, nullptr, MenuFont());
    ::GdiFlush();
    int right = 0;
    for (int y = 1; y < 17; ++y)
        for (int x = kW - left - 16; x < kW - left; ++x) right += Pixel(mirrored, x, y) == ::GetSysColor(COLOR_BTNTEXT);
    EXPECT_EQ(right, mark);
    look.RightToLeft = false;

    qx::test::DibCanvas withImage(kW, kH);
    look.Images = &images;
    look.ImageIndex = 0;
    DrawSkinMenuItem(withImage.Dc(), withImage.Rect(), look, *skin, false, nullptr, MenuFont());
    ::GdiFlush();
    EXPECT_EQ(Pixel(withImage, left + 7, 8), RGB(200, 0, 0));
    // The hatched box: face and highlight alternating, inside its sunken edge.
    const COLORREF a = Pixel(withImage, left + 3, 4), b = Pixel(withImage, left + 4, 4);
    EXPECT_NE(a, b);
    EXPECT_TRUE(a == ::GetSysColor(COLOR_BTNFACE) || a == ::GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_TRUE(b == ::GetSysColor(COLOR_BTNFACE) || b == ::GetSysColor(COLOR_BTNHIGHLIGHT));
}

TEST_F(MenuItemPaintTest, ASeparatorShowsTheSkinsPieceInAPopupAndAnEtchedLineWhenPlain) {
    constexpr int h = 8;
    TMenuItemLook line;
    line.Caption = L"-";
    qx::test::DibCanvas skinned(kW, h);
    DrawSkinMenuItem(skinned.Dc(), skinned.Rect(), line, *skin, false, nullptr, MenuFont());
    ::GdiFlush();
    // Frame 2's line lies in the image's bottom rows: rows 17 and 18 of 22 are rows 3 and 4 here.
    TDataSkinObject& image = *skin->MenuItem;
    const int fw = image.Bitmap.Width() / kMenuItemFrames, ih = image.Bitmap.Height();
    EXPECT_EQ(Pixel(skinned, kW / 2, 3), FramePixel(image.Bitmap, kMenuItemFrames, kMenuItemSeparator, false, fw / 2, ih - h + 3));
    EXPECT_EQ(CountColour(skinned, ::GetSysColor(COLOR_BTNSHADOW)), 0);

    qx::test::DibCanvas plain(kW, h);
    DrawPlainMenuItem(plain.Dc(), plain.Rect(), line, *skin, false, MenuFont());
    ::GdiFlush();
    EXPECT_EQ(Pixel(plain, kW / 2, 4), ::GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(Pixel(plain, kW / 2, 5), ::GetSysColor(COLOR_BTNHIGHLIGHT));
}

TEST_F(MenuItemPaintTest, CaptionColoursFollowTheState) {
    skin->MenuText = RGB(1, 2, 3);
    skin->HilightText = RGB(250, 240, 230);
    skin->ButtonShadow = RGB(120, 20, 20);
    const struct {
        bool Enabled, Selected;
        COLORREF Want;
    } cases[] = {
        {true, false, RGB(1, 2, 3)},
        {true, true, RGB(250, 240, 230)},
        {false, false, RGB(120, 20, 20)},
    };
    for (const auto& c : cases) {
        qx::test::DibCanvas canvas(kW, kH);
        TMenuItemLook look;
        look.Caption = L"MMMM";
        look.Enabled = c.Enabled;
        DrawPlainMenuItem(canvas.Dc(), canvas.Rect(), look, *skin, c.Selected, MenuFont());
        ::GdiFlush();
        EXPECT_GT(CountColour(canvas, c.Want), 5) << c.Enabled << c.Selected;
    }
    // A shadow colour equal to the text colour would hide the state: the system's is used.
    skin->ButtonShadow = skin->MenuText;
    qx::test::DibCanvas canvas(kW, kH);
    TMenuItemLook off;
    off.Caption = L"MMMM";
    off.Enabled = false;
    DrawPlainMenuItem(canvas.Dc(), canvas.Rect(), off, *skin, false, MenuFont());
    ::GdiFlush();
    EXPECT_GT(CountColour(canvas, ::GetSysColor(COLOR_BTNSHADOW)), 5);
}

TEST_F(MenuItemPaintTest, PopupMenusGetTheHandlersUnlessDisabledAndKeepTheirOwnMeasure) {
    auto s = MakeSkinned(WS_OVERLAPPEDWINDOW, 0, L"Hooks", {300, 200}, std::move(skin));
    ASSERT_TRUE(s->Attach());
    qx::TComponent owner(nullptr);
    auto* skinned = new qx::TPopupMenu(&owner);
    auto* kept = new qx::TPopupMenu(&owner);
    kept->SetTag(s->Skin->DisableTag());
    struct TOwn {
        void Measure(qx::TObject*, qx::TCanvas&, int&, int&) {}
    } own;
    auto* item = new qx::TMenuItem(skinned);
    skinned->Items()->Add(item);
    auto* measured = new qx::TMenuItem(skinned);
    measured->OnMeasureItem = qx::TMenuMeasureItemEvent::Of<&TOwn::Measure>(&own);
    skinned->Items()->Add(measured);
    auto* other = new qx::TMenuItem(kept);
    kept->Items()->Add(other);

    TSkinMenuItems& handlers = *s->Form->MenuPart().Items;
    handlers.HookPopupMenus(&owner, true);
    EXPECT_TRUE(skinned->OwnerDraw());
    EXPECT_TRUE(item->OnDrawItem);
    EXPECT_TRUE(item->OnMeasureItem);
    EXPECT_TRUE(measured->OnDrawItem);
    EXPECT_EQ(measured->OnMeasureItem, qx::TMenuMeasureItemEvent::Of<&TOwn::Measure>(&own));
    EXPECT_FALSE(kept->OwnerDraw());
    EXPECT_FALSE(other->OnDrawItem);
    // Switched off: the skin's handlers go, the program's own stays.
    handlers.HookPopupMenus(&owner, false);
    EXPECT_FALSE(skinned->OwnerDraw());
    EXPECT_FALSE(item->OnDrawItem);
    EXPECT_FALSE(item->OnMeasureItem);
    EXPECT_EQ(measured->OnMeasureItem, qx::TMenuMeasureItemEvent::Of<&TOwn::Measure>(&own));
}

}  // namespace
