// Skinned push buttons: the state frames read back from the pixels, the click semantics (the
// press never reaches the system button, a release anywhere clicks once), the space key, the
// caption's line break, the focus rectangle, transparency, raw dialog buttons and broken skins.
#include "framework/StdCtrls.h"
#include "skin/controls/SkinButton.h"
#include "support/WrapperTestSupport.h"

#include <gtest/gtest.h>

using namespace wraptest;

namespace {

class SkinButtonTest : public ::testing::Test {
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
        edit = new qx::TEdit(form);
        edit->SetParent(form);
        edit->SetBounds(10, 150, 100, 21);
        button = new qx::TButton(form);
        button->SetParent(form);
        button->SetBounds(20, 20, 90, 32);
        button->SetCaption(L"");
        button->OnClick = qx::TNotifyEvent::Of<&SkinButtonTest::Clicked>(this);
        form->Show();
        wrapper = new TSkinButton(button);
        wrapper->Attach(host.get(), skin.get(), false, nullptr);
        Pump();
    }

    int FrameShown() {
        auto canvas = PrintClient(button->Handle());
        return ButtonFrameOf(canvas->PixelRef(6, 6));
    }
    void Send(UINT msg, int x = 10, int y = 10, WPARAM keys = 0) {
        ::SendMessageW(button->Handle(), msg, keys, MAKELPARAM(x, y));
    }
    void Clicked(qx::TObject*) { ++clicks; }
    void MouseDown(qx::TObject*, int b, WPARAM, int x, int y) { downs.push_back({b, x, y}); }

    struct TDown {
        int Button, X, Y;
    };
    std::unique_ptr<TSkinData> skin;
    std::unique_ptr<TTestHost> host;
    qx::TForm* form = nullptr;
    qx::TEdit* edit = nullptr;
    qx::TButton* button = nullptr;
    TSkinButton* wrapper = nullptr;
    int clicks = 0;
    std::vector<TDown> downs;
};

}  // namespace

TEST(SkinButtonFrames, ChoiceTable) {
    EXPECT_EQ(PlainButtonFrame(false, false, false, false, true), 1);
    EXPECT_EQ(PlainButtonFrame(true, false, false, false, true), 4);
    EXPECT_EQ(PlainButtonFrame(false, true, false, false, true), 5);
    EXPECT_EQ(PlainButtonFrame(true, true, false, false, true), 4);
    EXPECT_EQ(PlainButtonFrame(false, true, true, false, true), 2);
    EXPECT_EQ(PlainButtonFrame(false, true, false, true, true), 4);
    EXPECT_EQ(PlainButtonFrame(true, false, true, true, false), 3);
}

TEST(SkinButtonCaption, OnlyTheFirstDoubleBarBreaksTheLine) {
    EXPECT_EQ(ButtonCaptionText(L"One||Two||Three"), L"One\r\nTwo||Three");
    EXPECT_EQ(ButtonCaptionText(L"|One|"), L"|One|");
    EXPECT_EQ(ButtonCaptionText(L""), L"");
}

TEST_F(SkinButtonTest, StateFramesByPixels) {
    EXPECT_EQ(FrameShown(), 1);
    Send(WM_MOUSEMOVE);
    EXPECT_TRUE(wrapper->Hot());
    EXPECT_EQ(FrameShown(), 4);
    ::SendMessageW(button->Handle(), WM_MOUSELEAVE, 0, 0);
    EXPECT_FALSE(wrapper->Hot());
    EXPECT_EQ(FrameShown(), 1);

    Send(WM_LBUTTONDOWN, 10, 10, MK_LBUTTON);
    EXPECT_EQ(FrameShown(), 2);
    EXPECT_EQ(wrapper->LastFrame(), 2);
    Send(WM_LBUTTONUP);
    EXPECT_EQ(::GetFocus(), button->Handle());
    EXPECT_EQ(FrameShown(), 4) << "focused at rest";

    // The default button, while the focus is on a control that is no button.
    button->SetDefault(true);
    edit->SetFocus();
    Pump();
    EXPECT_EQ(::GetWindowLongPtrW(button->Handle(), GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
    EXPECT_EQ(FrameShown(), 5);
}

TEST_F(SkinButtonTest, DisabledShowsFrameThreeWhateverTheMouseSaid) {
    Send(WM_MOUSEMOVE);
    Send(WM_LBUTTONDOWN, 10, 10, MK_LBUTTON);
    ASSERT_TRUE(wrapper->Hot() && wrapper->Pressed());
    button->SetEnabled(false);
    EXPECT_EQ(FrameShown(), 3);
}

// The press is the wrapper's: the system button neither shows it nor clicks on release, so the
// one click comes from the wrapper, wherever the mouse is released.
TEST_F(SkinButtonTest, PressThenReleaseAnywhereClicksOnce) {
    button->OnMouseDown = qx::TMouseEvent::Of<&SkinButtonTest::MouseDown>(this);
    Send(WM_LBUTTONDOWN, 12, 9, MK_LBUTTON);
    EXPECT_TRUE(wrapper->Pressed());
    EXPECT_EQ(::SendMessageW(button->Handle(), BM_GETSTATE, 0, 0) & BST_PUSHED, 0u);
    EXPECT_EQ(::GetCapture(), button->Handle());
    EXPECT_EQ(::GetFocus(), button->Handle());
    ASSERT_EQ(downs.size(), 1u);
    EXPECT_EQ(downs[0].Button, 0);
    EXPECT_EQ(downs[0].X, 12);
    EXPECT_EQ(downs[0].Y, 9);
    EXPECT_EQ(clicks, 0);

    Send(WM_LBUTTONUP, -60, 200);  // far outside
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(wrapper->Pressed());
    EXPECT_NE(::GetCapture(), button->Handle());
    Pump();
    EXPECT_EQ(clicks, 1);

    // A release without a press is nothing.
    Send(WM_LBUTTONUP);
    Pump();
    EXPECT_EQ(clicks, 1);
}

TEST_F(SkinButtonTest, DoubleClickPressesTwiceAndEachReleaseClicks) {
    Send(WM_LBUTTONDOWN, 10, 10, MK_LBUTTON);
    Send(WM_LBUTTONUP);
    Send(WM_LBUTTONDBLCLK, 10, 10, MK_LBUTTON);
    EXPECT_TRUE(wrapper->Pressed());
    EXPECT_EQ(wrapper->LastFrame(), 2);
    Send(WM_LBUTTONUP);
    Pump();
    EXPECT_EQ(clicks, 2);
}

TEST_F(SkinButtonTest, CaptureTakenAwayEndsThePressWithoutAClick) {
    Send(WM_LBUTTONDOWN, 10, 10, MK_LBUTTON);
    ::SetCapture(edit->Handle());
    EXPECT_FALSE(wrapper->Pressed());
    ::ReleaseCapture();
    Send(WM_LBUTTONUP);
    Pump();
    EXPECT_EQ(clicks, 0);
}

// The keyboard still belongs to the system button, which clicks on key-up; the wrapper only
// shows the pressed look meanwhile.
TEST_F(SkinButtonTest, SpaceKeyShowsThePressAndTheSystemClicks) {
    button->SetFocus();
    Pump();
    ::SendMessageW(button->Handle(), WM_KEYDOWN, VK_SPACE, 0x00390001);
    EXPECT_TRUE(wrapper->Pressed());
    EXPECT_EQ(FrameShown(), 2);
    ::SendMessageW(button->Handle(), WM_KEYUP, VK_SPACE, 0xC0390001);
    Pump();
    EXPECT_FALSE(wrapper->Pressed());
    EXPECT_EQ(clicks, 1);
}

TEST_F(SkinButtonTest, CaptionBreaksAtTheFirstDoubleBarOnly) {
    button->SetCaption(L"Wide||Tall||End");
    auto oneLine = PrintClient(button->Handle());
    EXPECT_EQ(wrapper->CaptionText(), L"Wide\r\nTall||End");
    // Two lines of text: the inked rows fall into two bands.
    const COLORREF face = ButtonFrameColour(1);
    int bands = 0;
    bool inked = false;
    for (int y = 0; y < oneLine->Height(); ++y) {
        bool row = false;
        for (int x = 4; x < oneLine->Width() - 4 && !row; ++x) row = oneLine->PixelRef(x, y) != face;
        if (row && !inked) ++bands;
        inked = row;
    }
    EXPECT_EQ(bands, 2);
}

TEST_F(SkinButtonTest, FocusRectangleTwoPixelsOutsideTheCaptionUnlessSwitchedOff) {
    button->SetCaption(L"Go");
    button->SetFocus();
    Pump();
    auto focused = PrintClient(button->Handle());
    skin->SetOptions(skin->Options() | SkinOptionBit(xoNoFocusRect));
    auto plain = PrintClient(button->Handle());

    // Where the caption lies, measured as the wrapper measures it.
    qx::test::DibCanvas probe(90, 32);
    ::SelectObject(probe.Dc(), button->Font()->Handle());
    RECT t{2, 2, 88, 30};
    ::DrawTextW(probe.Dc(), L"Go", -1, &t, DT_CENTER | DT_WORDBREAK | DT_EXPANDTABS | DT_CALCRECT | DT_NOCLIP);
    const int tw = t.right - t.left, th = t.bottom - t.top;
    const RECT expected{(90 - tw) / 2 - 2, (32 - th) / 2 - 1 - 2, (90 - tw) / 2 + tw + 2, (32 - th) / 2 - 1 + th + 2};

    RECT diff{1000, 1000, -1, -1};
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 90; ++x)
            if (focused->PixelRef(x, y) != plain->PixelRef(x, y)) {
                diff.left = std::min<LONG>(diff.left, x);
                diff.top = std::min<LONG>(diff.top, y);
                diff.right = std::max<LONG>(diff.right, x + 1);
                diff.bottom = std::max<LONG>(diff.bottom, y + 1);
            }
    EXPECT_EQ(diff.left, expected.left);
    EXPECT_EQ(diff.top, expected.top);
    EXPECT_NEAR(diff.right, expected.right, 1);
    EXPECT_NEAR(diff.bottom, expected.bottom, 1);
}

// The ink of the caption, wherever it is strongest, is the grey of disabled text (smoothed
// text never quite reaches it, so nearly).
TEST_F(SkinButtonTest, DisabledCaptionIsGrey) {
    button->SetCaption(L"WWW");
    button->SetEnabled(false);
    auto canvas = PrintClient(button->Handle());
    const COLORREF face = ButtonFrameColour(3);
    const COLORREF grey = ::GetSysColor(COLOR_GRAYTEXT);
    auto distance = [](COLORREF a, COLORREF b) {
        return std::abs(GetRValue(a) - GetRValue(b)) + std::abs(GetGValue(a) - GetGValue(b)) +
               std::abs(GetBValue(a) - GetBValue(b));
    };
    COLORREF ink = face;
    for (int y = 0; y < canvas->Height(); ++y)
        for (int x = 0; x < canvas->Width(); ++x)
            if (distance(canvas->PixelRef(x, y), face) > distance(ink, face)) ink = canvas->PixelRef(x, y);
    EXPECT_NE(ink, face) << "no caption drawn";
    EXPECT_LT(distance(ink, grey), 48) << std::hex << ink;
}

// With Tag 5555 the parent's own painting shows through the image's transparent pixels;
// otherwise the skin's button face does.
TEST_F(SkinButtonTest, TransparentTagShowsTheParentBehindTheImage) {
    TTestSkinShape shape;
    shape.MagentaCorner = true;
    Build(shape);
    EXPECT_EQ(PrintClient(button->Handle())->PixelRef(0, 0), kTestFace);
    host->Release();
    button->SetTag(kTransparentTag);
    wrapper = new TSkinButton(button);
    wrapper->Attach(host.get(), skin.get(), false, nullptr);
    EXPECT_TRUE(wrapper->Transparent());
    auto canvas = PrintClient(button->Handle());
    EXPECT_EQ(canvas->PixelRef(0, 0), kTestParent);
    EXPECT_EQ(ButtonFrameOf(canvas->PixelRef(6, 6)), 1);
}

TEST_F(SkinButtonTest, WithoutAButtonImageTheSystemPaints) {
    skin->Button->Bitmap.SetSize(0, 0);
    auto canvas = PrintClient(button->Handle());
    EXPECT_NE(canvas->PixelRef(10, 10), RGB(1, 2, 3)) << "nobody painted the button";
    EXPECT_EQ(ButtonFrameOf(canvas->PixelRef(6, 6)), 0);
    // The system presses it too, showing its own pushed look, and clicks once.
    Send(WM_LBUTTONDOWN, 10, 10, MK_LBUTTON);
    EXPECT_NE(::SendMessageW(button->Handle(), BM_GETSTATE, 0, 0) & BST_PUSHED, 0u);
    EXPECT_FALSE(wrapper->Pressed());
    Send(WM_LBUTTONUP);
    Pump();
    EXPECT_EQ(clicks, 1);
}

namespace {

struct TCommandLog {
    std::vector<std::pair<WPARAM, LPARAM>> Commands;
    qx::TWndMethod Previous;
    HWND From = nullptr;  // the edit box sends its own notifications meanwhile
    void Proc(qx::TMessage& m) {
        if (m.Msg == WM_COMMAND && m.LParam == reinterpret_cast<LPARAM>(From)) Commands.push_back({m.WParam, m.LParam});
        Previous(m);
    }
};

}  // namespace

// A dialog's own button: the wrapper's click reaches the parent as the system's would.
TEST_F(SkinButtonTest, RawButtonSendsBnClickedToItsParentOnce) {
    TCommandLog log;
    log.Previous = form->WindowProc;
    form->WindowProc = qx::TWndMethod::Of<&TCommandLog::Proc>(&log);
    HWND raw = ::CreateWindowW(L"BUTTON", L"OK", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 150, 20, 80, 26, form->Handle(),
                               reinterpret_cast<HMENU>(77), nullptr, nullptr);
    log.From = raw;
    auto* rawWrapper = new TSkinButton(host.get());
    rawWrapper->AttachWindow(raw, skin.get(), host.get(), nullptr);
    EXPECT_EQ(ButtonFrameOf(PrintClient(raw)->PixelRef(6, 6)), 1);

    ::SendMessageW(raw, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_EQ(::SendMessageW(raw, BM_GETSTATE, 0, 0) & BST_PUSHED, 0u);
    ::SendMessageW(raw, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    Pump();
    ASSERT_EQ(log.Commands.size(), 1u);
    EXPECT_EQ(log.Commands[0].first, MAKEWPARAM(77, BN_CLICKED));
    EXPECT_EQ(log.Commands[0].second, reinterpret_cast<LPARAM>(raw));
    form->WindowProc = log.Previous;
    host->Release();
    ::DestroyWindow(raw);
}
