// The default skin on real controls: a form whose buttons, glyph button, check boxes and radio
// buttons show every state, classified as the form skinning does it, printed off-screen and
// saved for looking at. The pixels of each state are compared with the skin's own frames.
#include "framework/Buttons.h"
#include "framework/StdCtrls.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinCheckBox.h"
#include "skin/controls/SkinClassify.h"
#include "skin/controls/SkinRadioButton.h"
#include "support/WrapperTestSupport.h"

#include <gtest/gtest.h>

using namespace wraptest;

namespace {

class SkinScreenshotTest : public ::testing::Test {
public:
    void SetUp() override {
        skin = LoadDefaultSkin();
        if (!skin) GTEST_SKIP() << "the default skin was not built";
        host = std::make_unique<TTestHost>(skin.get());
        form = MakeForm(460, 250);
        form->SetColor(skin->ButtonFace);
    }
    void TearDown() override {
        host.reset();
        delete form;
    }

    qx::TButton* AddButton(const wchar_t* caption, int x, int y) {
        auto* b = new qx::TButton(form);
        b->SetParent(form);
        b->SetBounds(x, y, 96, 28);
        b->SetCaption(caption);
        return b;
    }
    template <class C>
    C* AddBox(const wchar_t* caption, int x, int y) {
        auto* c = new C(form);
        c->SetParent(form);
        c->SetBounds(x, y, 130, 20);
        c->SetCaption(caption);
        return c;
    }

    // The pixel (x, y) of frame k of an image of n frames side by side.
    static COLORREF FramePixel(qx::TBitmap& image, int n, int k, int x, int y) {
        return static_cast<COLORREF>(image.Pixel(image.Width() / n * (k - 1) + x, y));
    }
    // The control's top-left corner piece (unscaled by the nine-slice fit) matches frame k.
    bool CornerShowsFrame(const qx::test::DibCanvas& shot, qx::TWinControl* control, int k) {
        TDataSkinButton& b = *skin->Button;
        for (int y = 0; y < b.Margins.top; ++y)
            for (int x = 0; x < b.Margins.left; ++x) {
                const COLORREF want = FramePixel(b.Bitmap, 5, k, x, y);
                if (want == RGB(255, 0, 255)) continue;
                if (shot.PixelRef(control->Left() + x, control->Top() + y) != want) return false;
            }
        return true;
    }
    // The middle pixel of the check or radio image cell matches frame k.
    bool ImageShowsFrame(const qx::test::DibCanvas& shot, qx::TWinControl* control, qx::TBitmap& image, int n, int k,
                         int cellLeft) {
        const int w = image.Width() / n, h = image.Height();
        const int top = control->Top() + (control->Height() - h) / 2;
        const COLORREF want = FramePixel(image, n, k, w / 2, h / 2);
        return shot.PixelRef(control->Left() + cellLeft + w / 2, top + h / 2) == want;
    }

    std::unique_ptr<TSkinData> skin;
    std::unique_ptr<TTestHost> host;
    qx::TForm* form = nullptr;
};

}  // namespace

TEST_F(SkinScreenshotTest, ButtonsCheckBoxesAndRadioButtonsInEveryState) {
    qx::TButton* normal = AddButton(L"Normal", 10, 10);
    qx::TButton* hot = AddButton(L"Hot", 116, 10);
    qx::TButton* focused = AddButton(L"Focused", 222, 10);
    qx::TButton* disabled = AddButton(L"Disabled", 328, 10);
    qx::TButton* pressed = AddButton(L"Pressed", 10, 48);
    qx::TButton* twoLines = AddButton(L"Two||lines", 116, 48);
    twoLines->SetHeight(36);
    qx::TButton* defaultButton = AddButton(L"Default", 222, 48);
    defaultButton->SetDefault(true);
    auto* glyph = new qx::TBitBtn(form);
    glyph->SetParent(form);
    glyph->SetBounds(328, 48, 96, 28);
    glyph->SetCaption(L"Glyph");
    {
        // A round blue glyph on the automatic transparent colour (its bottom-left pixel).
        qx::TBitmap picture;
        picture.SetSize(14, 14);
        qx::TCanvas& c = picture.Canvas();
        c.Brush().SetColor(qx::clFuchsia);
        c.FillRect({0, 0, 14, 14});
        c.Brush().SetColor(RGB(40, 110, 200));
        c.Pen().SetColor(RGB(20, 60, 120));
        c.Ellipse(1, 1, 13, 13);
        glyph->SetGlyph(&picture);
    }
    disabled->SetEnabled(false);

    auto* unchecked = AddBox<qx::TCheckBox>(L"Unchecked", 10, 100);
    auto* checked = AddBox<qx::TCheckBox>(L"Checked", 150, 100);
    checked->SetChecked(true);
    auto* grey = AddBox<qx::TCheckBox>(L"Mixed", 290, 100);
    grey->SetAllowGrayed(true);
    grey->SetState(qx::TCheckBoxState::cbGrayed);
    auto* offChecked = AddBox<qx::TCheckBox>(L"Disabled", 10, 130);
    offChecked->SetChecked(true);
    offChecked->SetEnabled(false);
    auto* right = AddBox<qx::TCheckBox>(L"Button right", 150, 130);
    right->SetAlignment(qx::TAlignment::taLeftJustify);
    auto* radioOff = AddBox<qx::TRadioButton>(L"Radio", 10, 170);
    auto* radioOn = AddBox<qx::TRadioButton>(L"Chosen", 150, 170);
    radioOn->SetChecked(true);
    auto* radioDisabled = AddBox<qx::TRadioButton>(L"Disabled", 290, 170);
    radioDisabled->SetEnabled(false);

    form->Show();
    ClassifyFormControls(*host, form);
    ASSERT_NE(host->As<TSkinButton>(normal), nullptr);
    ASSERT_NE(host->As<TSkinCheckBox>(unchecked), nullptr);
    ASSERT_NE(host->As<TSkinRadioButton>(radioOn), nullptr);
    focused->SetFocus();
    Pump();
    ::SendMessageW(hot->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    ::SendMessageW(pressed->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));

    qx::test::DibCanvas shot(form->ClientWidth(), form->ClientHeight());
    ::SendMessageW(form->Handle(), WM_PRINT, reinterpret_cast<WPARAM>(shot.Dc()),
                   PRF_CLIENT | PRF_CHILDREN | PRF_ERASEBKGND);
    ::GdiFlush();
    const std::string path = SaveShot(shot, "SkinWrappers_DefaultSkin_States");
    std::printf("screenshot: %s\n", path.c_str());

    // The pressed button has the focus now, so the one meant to show it is pressed there.
    EXPECT_TRUE(CornerShowsFrame(shot, normal, 1)) << path;
    EXPECT_TRUE(CornerShowsFrame(shot, hot, 4)) << path;
    EXPECT_TRUE(CornerShowsFrame(shot, disabled, 3)) << path;
    EXPECT_TRUE(CornerShowsFrame(shot, pressed, 2)) << path;
    EXPECT_TRUE(CornerShowsFrame(shot, glyph, 1)) << path;

    TDataSkinButton& b = *skin->Button;
    const int cn = b.CheckFrames, rn = b.RadioFrames;
    ASSERT_EQ(cn, 12);
    ASSERT_EQ(rn, 8);
    EXPECT_TRUE(ImageShowsFrame(shot, unchecked, b.CheckBitmap, cn, 1, 0)) << path;
    EXPECT_TRUE(ImageShowsFrame(shot, checked, b.CheckBitmap, cn, 5, 0)) << path;
    EXPECT_TRUE(ImageShowsFrame(shot, grey, b.CheckBitmap, cn, 9, 0)) << path;
    EXPECT_TRUE(ImageShowsFrame(shot, offChecked, b.CheckBitmap, cn, 8, 0)) << path;
    EXPECT_TRUE(ImageShowsFrame(shot, right, b.CheckBitmap, cn, 1, right->Width() - b.CheckBitmap.Width() / cn))
        << path;
    const int rw = b.RadioBitmap.Width() / rn;
    const int inset = rw < 15 ? (14 - rw) / 2 : 0;
    EXPECT_TRUE(ImageShowsFrame(shot, radioOff, b.RadioBitmap, rn, 1, inset)) << path;
    EXPECT_TRUE(ImageShowsFrame(shot, radioOn, b.RadioBitmap, rn, 5, inset)) << path;
    EXPECT_TRUE(ImageShowsFrame(shot, radioDisabled, b.RadioBitmap, rn, 4, inset)) << path;

    ::SendMessageW(pressed->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
}

// One button through every frame, side by side, larger, for looking at the nine-slice fit.
TEST_F(SkinScreenshotTest, OneButtonInEachFrame) {
    qx::test::DibCanvas strip(5 * 130, 40);
    strip.Fill(qx::ColorToRGB(skin->ButtonFace));
    qx::TButton* button = AddButton(L"", 10, 10);
    button->SetBounds(10, 10, 120, 34);
    auto* edit = new qx::TEdit(form);  // somewhere else to put the focus
    edit->SetParent(form);
    edit->SetBounds(10, 60, 80, 21);
    form->Show();
    ClassifyFormControls(*host, form);
    auto* wrapper = host->As<TSkinButton>(button);
    ASSERT_NE(wrapper, nullptr);
    const wchar_t* captions[5] = {L"Normal", L"Pressed", L"Disabled", L"Hot", L"Default"};
    for (int k = 1; k <= 5; ++k) {
        qx::test::DibCanvas one(120, 34);
        button->SetCaption(captions[k - 1]);
        button->SetEnabled(k != 3);
        ::SendMessageW(button->Handle(), k == 4 ? WM_MOUSEMOVE : WM_MOUSELEAVE, 0, 0);
        ::SetWindowLongPtrW(button->Handle(), GWL_STYLE,
                            (::GetWindowLongPtrW(button->Handle(), GWL_STYLE) & ~BS_TYPEMASK) |
                                (k == 5 ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON));
        if (k == 2) ::SendMessageW(button->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
        if (k != 2 && k != 4) edit->SetFocus();
        ::SendMessageW(button->Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(one.Dc()), PRF_CLIENT);
        EXPECT_EQ(wrapper->LastFrame(), k);
        if (k == 2) ::SendMessageW(button->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
        ::BitBlt(strip.Dc(), (k - 1) * 130 + 5, 3, 120, 34, one.Dc(), 0, 0, SRCCOPY);
    }
    ::GdiFlush();
    std::printf("screenshot: %s\n", SaveShot(strip, "SkinWrappers_DefaultSkin_ButtonFrames").c_str());
}
