// Glyph strips handed to check and radio controls that draw their own glyphs: which skin frame
// fills which place, how the strip reaches the control (CustomGlyphs with its switch toggled, or
// the Glyph of a Properties object), and the switch turned off again on detach.
#include "skin/controls/SkinClassify.h"
#include "skin/controls/SkinObjImage.h"
#include "support/WrapperTestSupport.h"

#include <gtest/gtest.h>

using namespace wraptest;

namespace {

// Check and radio controls of a family with its own glyph feature.
class TGlyphOwner : public qx::TWinControl {
    QX_CLASS(TGlyphOwner)
public:
    explicit TGlyphOwner(qx::TComponent* owner) : qx::TWinControl(owner) {}
    qx::TBitmap CustomGlyphs;
    int TransparentColor = 0;
    std::vector<bool> Switches;  // every value UseCustomGlyphs was given
    bool UseCustomGlyphs() const { return !Switches.empty() && Switches.back(); }
};
QX_DEFINE_CLASS(TGlyphOwner, qx::TWinControl, b) {
    b.Object(L"CustomGlyphs", [](TGlyphOwner& c) -> qx::TObject* { return &c.CustomGlyphs; });
    b.Integer(L"TransparentColor", [](TGlyphOwner& c) { return c.TransparentColor; },
              [](TGlyphOwner& c, int v) { c.TransparentColor = v; });
    b.Boolean(L"UseCustomGlyphs", [](TGlyphOwner& c) { return c.UseCustomGlyphs(); },
              [](TGlyphOwner& c, bool v) { c.Switches.push_back(v); });
}

class TRzCheckBox : public TGlyphOwner {
    QX_CLASS(TRzCheckBox)
public:
    using TGlyphOwner::TGlyphOwner;
};
QX_DEFINE_CLASS(TRzCheckBox, TGlyphOwner, b) {}

class TRzRadioButton : public TGlyphOwner {
    QX_CLASS(TRzRadioButton)
public:
    using TGlyphOwner::TGlyphOwner;
};
QX_DEFINE_CLASS(TRzRadioButton, TGlyphOwner, b) {}

class TGlyphProperties : public qx::TPersistent {
    QX_CLASS(TGlyphProperties)
public:
    qx::TBitmap Glyph;
};
QX_DEFINE_CLASS(TGlyphProperties, qx::TPersistent, b) {
    b.Object(L"Glyph", [](TGlyphProperties& p) -> qx::TObject* { return &p.Glyph; });
}

class TcxCheckBox : public qx::TWinControl {
    QX_CLASS(TcxCheckBox)
public:
    explicit TcxCheckBox(qx::TComponent* owner) : qx::TWinControl(owner) {}
    TGlyphProperties Properties;
};
QX_DEFINE_CLASS(TcxCheckBox, qx::TWinControl, b) {
    b.Object(L"Properties", [](TcxCheckBox& c) -> qx::TObject* { return &c.Properties; });
}

// The frame each place of a strip shows, read from its centre (0 for magenta, -1 unknown).
std::vector<int> Places(qx::TBitmap& strip, int frameWidth, int (*frameOf)(COLORREF)) {
    std::vector<int> out;
    for (int x = frameWidth / 2; x < strip.Width(); x += frameWidth) {
        const auto c = static_cast<COLORREF>(strip.Pixel(x, strip.Height() / 2));
        out.push_back(c == RGB(255, 0, 255) ? 0 : frameOf(c) ? frameOf(c) : -1);
    }
    return out;
}

class SkinObjImageTest : public ::testing::Test {
public:
    void SetUp() override { Build(4, 4); }
    void TearDown() override {
        host.reset();
        delete form;
    }
    void Build(int checkFrames, int radioFrames) {
        host.reset();
        delete form;
        TTestSkinShape shape;
        shape.CheckFrames = checkFrames;
        shape.RadioFrames = radioFrames;
        skin = MakeTestSkin(shape);
        host = std::make_unique<TTestHost>(skin.get());
        form = MakeForm();
    }
    template <class C>
    C* Add() {
        auto* c = new C(form);
        c->SetParent(form);
        c->SetBounds(5, 5, 80, 20);
        return c;
    }

    std::unique_ptr<TSkinData> skin;
    std::unique_ptr<TTestHost> host;
    qx::TForm* form = nullptr;
};

}  // namespace

TEST(SkinObjImagePlaces, WhichFrameGoesWhere) {
    EXPECT_EQ(ObjImagePlaces(kObjImageCheckGlyphs, 4), (std::vector<int>{1, 2, 0, 1, 2, 0, 3, 4, 0}));
    EXPECT_EQ(ObjImagePlaces(kObjImageCheckGlyphs, 5), (std::vector<int>{1, 2, 5, 1, 2, 5, 3, 4, 5}));
    EXPECT_EQ(ObjImagePlaces(kObjImageRadioGlyphs, 4), (std::vector<int>{1, 2, 1, 2, 3, 4}));
    EXPECT_EQ(ObjImagePlaces(kObjImagePropertiesGlyph, 12), (std::vector<int>{1, 2, 1, 2, 3, 4}));
}

TEST_F(SkinObjImageTest, CheckBoxGetsANinePlaceStripAndTheSwitchToggled) {
    auto* box = Add<TRzCheckBox>();
    ClassifyControl(*host, box, form);
    auto* wrapper = dynamic_cast<TSkinObjImage*>(host->WrapperOf(box));
    ASSERT_NE(wrapper, nullptr);
    EXPECT_EQ(wrapper->Kind(), kObjImageCheckGlyphs);
    EXPECT_EQ(box->CustomGlyphs.Width(), 13 * 9);
    EXPECT_EQ(Places(box->CustomGlyphs, 13, &CheckFrameOf), (std::vector<int>{1, 2, 0, 1, 2, 0, 3, 4, 0}));
    EXPECT_EQ(box->TransparentColor, 16711935);
    EXPECT_EQ(box->Switches, (std::vector<bool>{false, true}));
    EXPECT_EQ(box->Color(), static_cast<qx::TColor>(kTestFace)) << "attached with the colour flag";
    // It paints nothing itself: no message of the control is hooked.
    EXPECT_EQ(::SendMessageW(box->Handle(), SKN_QUERY, 0, 0), 0);

    host->Release();
    EXPECT_FALSE(box->UseCustomGlyphs());
}

TEST_F(SkinObjImageTest, FiveFrameCheckImageFillsTheGreyPlaces) {
    Build(5, 4);
    auto* box = Add<TRzCheckBox>();
    ClassifyControl(*host, box, form);
    EXPECT_EQ(Places(box->CustomGlyphs, 13, &CheckFrameOf), (std::vector<int>{1, 2, 5, 1, 2, 5, 3, 4, 5}));
}

TEST_F(SkinObjImageTest, RadioButtonGetsSixPlacesAndSkinChangesRebuildThem) {
    auto* radio = Add<TRzRadioButton>();
    ClassifyControl(*host, radio, form);
    ASSERT_NE(host->WrapperOf(radio), nullptr);
    EXPECT_EQ(Places(radio->CustomGlyphs, 13, &RadioFrameOf), (std::vector<int>{1, 2, 1, 2, 3, 4}));

    // A new skin with an 8-frame image: the strip takes its first four frames again.
    qx::TBitmap& image = skin->Button->RadioBitmap;
    image.SetSize(13 * 8, 13);
    for (int y = 0; y < 13; ++y)
        for (int x = 0; x < 13 * 8; ++x) {
            const COLORREF c = RadioFrameColour(8 - x / 13);
            uint8_t* p = image.ScanLine(y) + x * 3;
            p[0] = GetBValue(c);
            p[1] = GetGValue(c);
            p[2] = GetRValue(c);
        }
    skin->Button->RadioFrames = 8;
    host->WrapperOf(radio)->SkinChanged();
    EXPECT_EQ(Places(radio->CustomGlyphs, 13, &RadioFrameOf), (std::vector<int>{8, 7, 8, 7, 6, 5}));
    EXPECT_EQ(radio->Switches.size(), 4u);
}

TEST_F(SkinObjImageTest, PropertiesGlyphTakesTheSixPlaceCheckStrip) {
    auto* box = Add<TcxCheckBox>();
    ClassifyControl(*host, box, form);
    ASSERT_NE(host->WrapperOf(box), nullptr);
    EXPECT_EQ(Places(box->Properties.Glyph, 13, &CheckFrameOf), (std::vector<int>{1, 2, 1, 2, 3, 4}));
}

TEST_F(SkinObjImageTest, NoImageHandsNothingOver) {
    Build(0, 0);
    auto* box = Add<TRzCheckBox>();
    ClassifyControl(*host, box, form);
    EXPECT_TRUE(box->CustomGlyphs.Empty());
    EXPECT_TRUE(box->Switches.empty());
}
