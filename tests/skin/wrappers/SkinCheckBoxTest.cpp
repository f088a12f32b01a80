// Skinned check boxes and radio buttons: the image frame for each state (with the 12- and
// 8-frame remaps), the image's place (left, right with BS_RIGHTBUTTON, a narrow radio image
// centred in its cell), the caption and focus, repainting on clicks and BM_SETCHECK, the same
// notifications as unskinned, and the system's look when the skin has no image.
#include "framework/ExtCtrls.h"
#include "framework/StdCtrls.h"
#include "skin/controls/SkinCheckBox.h"
#include "skin/controls/SkinRadioButton.h"
#include "support/WrapperTestSupport.h"

#include <gtest/gtest.h>

using namespace wraptest;
using qx::TCheckBoxState;

namespace {

constexpr int kBoxWidth = 120, kBoxHeight = 21;

class SkinCheckTest : public ::testing::Test {
public:
    void SetUp() override { Build({}); }
    void TearDown() override {
        host.reset();
        delete form;
    }

    void Build(const TTestSkinShape& shape) {
        host.reset();
        delete form;
        skin = MakeTestSkin(shape);
        host = std::make_unique<TTestHost>(skin.get());
        form = MakeForm();
        check = new qx::TCheckBox(form);
        check->SetParent(form);
        check->SetBounds(10, 10, kBoxWidth, kBoxHeight);
        check->SetCaption(L"Check");
        check->OnClick = qx::TNotifyEvent::Of<&SkinCheckTest::Clicked>(this);
        radio = new qx::TRadioButton(form);
        radio->SetParent(form);
        radio->SetBounds(10, 40, kBoxWidth, kBoxHeight);
        radio->SetCaption(L"Radio");
        form->Show();
        Wrap();
        Pump();
    }
    void Wrap() {
        checkWrapper = new TSkinCheckBox(check);
        checkWrapper->Attach(host.get(), skin.get(), false, nullptr);
        radioWrapper = new TSkinRadioButton(radio);
        radioWrapper->Attach(host.get(), skin.get(), false, nullptr);
    }

    // The frame shown at the image's centre, and where the image lies on the middle row.
    int CheckFrame() { return CheckFrameOf(Print(check)->PixelRef(6, kBoxHeight / 2)); }
    int RadioFrameAt(int x) { return RadioFrameOf(Print(radio)->PixelRef(x, kBoxHeight / 2)); }
    std::unique_ptr<qx::test::DibCanvas> Print(qx::TWinControl* control) { return PrintClient(control->Handle()); }
    void Clicked(qx::TObject*) { ++clicks; }

    std::unique_ptr<TSkinData> skin;
    std::unique_ptr<TTestHost> host;
    qx::TForm* form = nullptr;
    qx::TCheckBox* check = nullptr;
    qx::TRadioButton* radio = nullptr;
    TSkinCheckBox* checkWrapper = nullptr;
    TSkinRadioButton* radioWrapper = nullptr;
    int clicks = 0;
};

}  // namespace

TEST(SkinCheckFrames, TwelveAndEightFrameRemaps) {
    EXPECT_EQ(CheckImageFrame(1, 4, false, false), 1);
    EXPECT_EQ(CheckImageFrame(4, 4, true, true), 4);
    EXPECT_EQ(CheckImageFrame(2, 12, false, false), 5);
    EXPECT_EQ(CheckImageFrame(3, 12, false, true), 4);
    EXPECT_EQ(CheckImageFrame(4, 12, false, true), 8);
    EXPECT_EQ(CheckImageFrame(4, 12, true, false), 9);
    EXPECT_EQ(CheckImageFrame(4, 12, true, true), 12);
    EXPECT_EQ(RadioImageFrame(2, 8), 5);
    EXPECT_EQ(RadioImageFrame(3, 8), 4);
    EXPECT_EQ(RadioImageFrame(4, 8), 8);
    EXPECT_EQ(RadioImageFrame(4, 4), 4);
}

TEST_F(SkinCheckTest, FourFrameCheckImagePerState) {
    EXPECT_EQ(checkWrapper->Variant(), 1);
    EXPECT_EQ(CheckFrame(), 1);
    check->SetChecked(true);
    EXPECT_EQ(CheckFrame(), 2);
    check->SetEnabled(false);
    EXPECT_EQ(CheckFrame(), 4) << "disabled checked";
    check->SetChecked(false);
    EXPECT_EQ(CheckFrame(), 3) << "disabled unchecked";
    check->SetEnabled(true);
    check->SetState(TCheckBoxState::cbGrayed);
    EXPECT_EQ(CheckFrame(), 4) << "grey";
}

TEST_F(SkinCheckTest, TwelveFrameCheckImageRemapped) {
    TTestSkinShape shape;
    shape.CheckFrames = 12;
    Build(shape);
    EXPECT_EQ(CheckFrame(), 1);
    check->SetChecked(true);
    EXPECT_EQ(CheckFrame(), 5);
    check->SetEnabled(false);
    EXPECT_EQ(CheckFrame(), 8);
    check->SetChecked(false);
    EXPECT_EQ(CheckFrame(), 4);
    check->SetState(TCheckBoxState::cbGrayed);
    EXPECT_EQ(CheckFrame(), 12) << "indeterminate and disabled";
    check->SetEnabled(true);
    EXPECT_EQ(CheckFrame(), 9) << "indeterminate";
}

TEST_F(SkinCheckTest, RadioImagePerStateWithTheEightFrameRemap) {
    EXPECT_EQ(RadioFrameAt(6), 1);
    radio->SetChecked(true);
    EXPECT_EQ(RadioFrameAt(6), 2);
    radio->SetEnabled(false);
    EXPECT_EQ(RadioFrameAt(6), 4);

    TTestSkinShape shape;
    shape.RadioFrames = 8;
    Build(shape);
    radio->SetChecked(true);
    EXPECT_EQ(RadioFrameAt(6), 5);
    radio->SetEnabled(false);
    EXPECT_EQ(RadioFrameAt(6), 8);
    radio->SetChecked(false);
    EXPECT_EQ(RadioFrameAt(6), 4);
}

TEST_F(SkinCheckTest, DisabledContainerShowsTheDisabledImages) {
    auto* panel = new qx::TPanel(form);
    panel->SetParent(form);
    panel->SetBounds(0, 80, 200, 80);
    auto* inner = new qx::TCheckBox(panel);
    inner->SetParent(panel);
    inner->SetBounds(10, 10, kBoxWidth, kBoxHeight);
    inner->SetChecked(true);
    auto* innerRadio = new qx::TRadioButton(panel);
    innerRadio->SetParent(panel);
    innerRadio->SetBounds(10, 40, kBoxWidth, kBoxHeight);
    innerRadio->SetChecked(true);
    (new TSkinCheckBox(inner))->Attach(host.get(), skin.get(), false, nullptr);
    (new TSkinRadioButton(innerRadio))->Attach(host.get(), skin.get(), false, nullptr);
    Pump();
    auto frames = [&] {
        return std::pair{CheckFrameOf(Print(inner)->PixelRef(6, kBoxHeight / 2)),
                         RadioFrameOf(Print(innerRadio)->PixelRef(6, kBoxHeight / 2))};
    };
    EXPECT_EQ(frames(), std::pair(2, 2));
    panel->SetEnabled(false);
    EXPECT_EQ(frames(), std::pair(4, 4)) << "checked, in a disabled container";
    panel->SetEnabled(true);
    EXPECT_EQ(frames(), std::pair(2, 2));
}

TEST_F(SkinCheckTest, NarrowRadioImagesAreCentredInTheirCell) {
    EXPECT_EQ(RadioFrameAt(0), 1) << "13 pixels wide: (14 - 13) div 2 = 0";
    TTestSkinShape shape;
    shape.RadioWidth = 11;
    Build(shape);
    EXPECT_EQ(RadioFrameAt(0), 0);
    EXPECT_EQ(RadioFrameAt(1), 1);
    EXPECT_EQ(RadioFrameAt(11), 1);
    EXPECT_EQ(RadioFrameAt(12), 0);

    radio->SetAlignment(qx::TAlignment::taLeftJustify);  // BS_LEFTTEXT: the button on the right
    host->Release();
    Wrap();
    EXPECT_EQ(RadioFrameAt(kBoxWidth - 1), 0);
    EXPECT_EQ(RadioFrameAt(kBoxWidth - 2), 1);
    EXPECT_EQ(RadioFrameAt(kBoxWidth - 12), 1);
    EXPECT_EQ(RadioFrameAt(kBoxWidth - 13), 0);
}

TEST_F(SkinCheckTest, RightButtonPutsTheImageFlushRightAndTheCaptionBeforeIt) {
    check->SetAlignment(qx::TAlignment::taLeftJustify);  // recreates the window
    host->Release();
    Wrap();
    ASSERT_NE(::GetWindowLongPtrW(check->Handle(), GWL_STYLE) & BS_RIGHTBUTTON, 0);
    auto canvas = Print(check);
    const int mid = kBoxHeight / 2;
    EXPECT_EQ(CheckFrameOf(canvas->PixelRef(kBoxWidth - 1, mid)), 1);
    EXPECT_EQ(CheckFrameOf(canvas->PixelRef(kBoxWidth - 13, mid)), 1);
    EXPECT_EQ(CheckFrameOf(canvas->PixelRef(kBoxWidth - 14, mid)), 0);
    const TCheckLayout& layout = checkWrapper->LastLayout();
    EXPECT_EQ(layout.CaptionArea.right, kBoxWidth - 18);
    EXPECT_EQ(layout.CaptionFlags, static_cast<UINT>(DT_RIGHT));
    // The caption ends right at its area's edge: ink close to x = width - 18, none after.
    int lastInk = -1;
    for (int y = 0; y < kBoxHeight; ++y)
        for (int x = 0; x < kBoxWidth - 14; ++x)
            if (canvas->PixelRef(x, y) != kTestFace) lastInk = std::max(lastInk, x);
    EXPECT_LT(lastInk, kBoxWidth - 18);
    EXPECT_GT(lastInk, kBoxWidth - 18 - 4);
}

TEST_F(SkinCheckTest, CaptionBesideTheImageAndFocusAroundIt) {
    radio->SetFocus();
    Pump();
    auto plain = Print(check);
    // Background is the skin's face, the caption starts 18 pixels in.
    EXPECT_EQ(plain->PixelRef(kBoxWidth - 1, 0), kTestFace);
    int firstInk = kBoxWidth;
    for (int y = 0; y < kBoxHeight; ++y)
        for (int x = 14; x < kBoxWidth; ++x)
            if (plain->PixelRef(x, y) != kTestFace) firstInk = std::min(firstInk, x);
    EXPECT_GE(firstInk, 18);
    EXPECT_LT(firstInk, 22);

    check->SetFocus();
    Pump();
    auto focused = Print(check);
    int diffLeft = kBoxWidth;
    for (int y = 0; y < kBoxHeight; ++y)
        for (int x = 0; x < kBoxWidth; ++x)
            if (plain->PixelRef(x, y) != focused->PixelRef(x, y)) diffLeft = std::min(diffLeft, x);
    EXPECT_EQ(diffLeft, 18) << "the focus rectangle, grown by 2, is kept inside the caption area";
}

TEST_F(SkinCheckTest, ClickingRepaintsAndTogglesOnceLikeUnskinned) {
    ASSERT_EQ(CheckFrame(), 1);
    ::SendMessageW(check->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_EQ(checkWrapper->LastFrame(), 1) << "repainted on the press";
    ::SendMessageW(check->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    Pump();
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(check->Checked());
    EXPECT_EQ(checkWrapper->AnnouncedState(), 2);
    EXPECT_EQ(checkWrapper->LastFrame(), 2) << "repainted when the state was set";
    RECT pending{};
    EXPECT_FALSE(::GetUpdateRect(check->Handle(), &pending, FALSE));
}

// A raw check box of a dialog: the system draws box and text, the wrapper puts the skin's
// image over the box after every system paint.
TEST_F(SkinCheckTest, RawCheckBoxGetsTheImageOverTheSystemPaint) {
    HWND raw = ::CreateWindowW(L"BUTTON", L"raw", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX, 10, 80, kBoxWidth,
                               kBoxHeight, form->Handle(), nullptr, nullptr, nullptr);
    auto* wrapper = new TSkinCheckBox(host.get());
    wrapper->AttachWindow(raw, skin.get(), host.get(), nullptr);
    EXPECT_EQ(wrapper->Variant(), 0);
    auto canvas = PrintClient(raw);
    EXPECT_EQ(CheckFrameOf(canvas->PixelRef(6, kBoxHeight / 2)), 1);
    EXPECT_NE(canvas->PixelRef(kBoxWidth - 1, 0), kTestFace) << "the system drew the rest";
    ::SendMessageW(raw, BM_SETCHECK, BST_CHECKED, 0);
    EXPECT_EQ(wrapper->AnnouncedState(), 2);
    EXPECT_EQ(wrapper->LastFrame(), 2) << "repainted at once";
    host->Release();
    ::DestroyWindow(raw);
}

TEST_F(SkinCheckTest, TransparentTagShowsTheParent) {
    check->SetTag(kTransparentTag);
    host->Release();
    Wrap();
    EXPECT_TRUE(checkWrapper->Transparent());
    auto canvas = Print(check);
    EXPECT_EQ(canvas->PixelRef(kBoxWidth - 1, 0), kTestParent);
    EXPECT_EQ(CheckFrameOf(canvas->PixelRef(6, kBoxHeight / 2)), 1);
}

TEST_F(SkinCheckTest, EmptyImageLeavesTheSystemLook) {
    TTestSkinShape shape;
    shape.CheckFrames = 0;
    shape.RadioFrames = 0;
    Build(shape);
    auto canvas = Print(check);
    EXPECT_EQ(checkWrapper->Variant(), 0);
    EXPECT_EQ(CheckFrameOf(canvas->PixelRef(6, kBoxHeight / 2)), 0);
    EXPECT_NE(canvas->PixelRef(kBoxWidth - 1, 0), RGB(1, 2, 3)) << "the system painted";
    EXPECT_NE(canvas->PixelRef(kBoxWidth - 1, 0), kTestFace);
    Print(radio);
    EXPECT_EQ(radioWrapper->Variant(), 0);
}
