// TSkinEdit: the flat border (ButtonShadow line, two white lines) in every state and after every
// repaint, borderless edits left alone, the printed variant, SKN_ENABLE giving the system look
// back and taking it again, EN_CHANGE unchanged, and exactly one wrapper for an embedded up-down.
#include "framework/StdCtrls.h"
#include "framework/UpDown.h"
#include "skin/controls/SkinEdit.h"
#include "skin/controls/SkinEditPaint.h"
#include "skin/controls/SkinSubWrappers.h"
#include "support/BoxesTestSupport.h"

#include <gtest/gtest.h>

using namespace boxestest;
using qx::test::DibCanvas;

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kSentinel = RGB(1, 2, 3);

TEST(SkinEditPaint, ShadowLineThenTwoWhiteLines) {
    DibCanvas canvas(40, 20);
    canvas.Fill(kSentinel);
    PaintEditBorder(canvas.Dc(), canvas.Rect(), RGB(10, 20, 30));
    for (int y : {0, 7, 19}) {
        EXPECT_EQ(canvas.PixelRef(0, y), RGB(10, 20, 30));
        EXPECT_EQ(canvas.PixelRef(39, y), RGB(10, 20, 30));
    }
    EXPECT_EQ(canvas.PixelRef(20, 0), RGB(10, 20, 30));
    EXPECT_EQ(canvas.PixelRef(1, 7), kWhite);
    EXPECT_EQ(canvas.PixelRef(2, 7), kWhite);
    EXPECT_EQ(canvas.PixelRef(37, 7), kWhite);
    EXPECT_EQ(canvas.PixelRef(20, 18), kWhite);
    EXPECT_EQ(canvas.PixelRef(3, 7), kSentinel);  // the text area is the system's
    EXPECT_EQ(canvas.PixelRef(20, 10), kSentinel);
}

TEST(SkinEditPaint, BorderAndPrintRulesFollowTheClientArea) {
    const RECT window{0, 0, 120, 24};
    EXPECT_TRUE(EditHasBorder(window, {0, 0, 116, 20}));
    EXPECT_FALSE(EditHasBorder(window, {0, 0, 120, 24}));
    EXPECT_FALSE(EditHasBorder(window, {0, 0, 118, 24}));  // only one axis framed: not a border
    EXPECT_TRUE(EditPrintsBorder(window, {0, 0, 116, 20}));
    EXPECT_FALSE(EditPrintsBorder(window, {0, 0, 118, 22}));  // a thin border: not printed

    DibCanvas canvas(30, 12);
    canvas.Fill(kSentinel);
    qx::UniqueBrush red(::CreateSolidBrush(RGB(255, 0, 0)));
    qx::SelectGuard select(canvas.Dc(), red.get());
    PrintEditBorder(canvas.Dc(), canvas.Rect(), RGB(10, 20, 30));
    EXPECT_EQ(canvas.PixelRef(0, 5), RGB(10, 20, 30));
    EXPECT_EQ(canvas.PixelRef(1, 5), RGB(255, 0, 0));  // the brush the context holds
    EXPECT_EQ(canvas.PixelRef(2, 5), kSentinel);
}

TEST(SkinEditPaint, TinyEditsAreFramedOnlyInsideThemselves) {
    for (const RECT& r : {RECT{4, 4, 4, 4}, RECT{4, 4, 5, 5}, RECT{4, 4, 6, 9}, RECT{4, 4, 9, 6}, RECT{9, 9, 4, 4}}) {
        DibCanvas canvas(14, 14);
        canvas.Fill(kSentinel);
        PaintEditBorder(canvas.Dc(), r, RGB(10, 20, 30));
        PrintEditBorder(canvas.Dc(), r, RGB(10, 20, 30));
        ::GdiFlush();
        for (int y = 0; y < 14; ++y)
            for (int x = 0; x < 14; ++x)
                if (!::PtInRect(&r, POINT{x, y})) {
                    ASSERT_EQ(canvas.PixelRef(x, y), kSentinel) << x << "," << y;
                }
    }
}

TEST(SkinEditClassNames, UpDownWindowsAreKnownByTheirClass) {
    EXPECT_TRUE(IsUpDownClassName(L"msctls_updown32"));
    EXPECT_TRUE(IsUpDownClassName(L"MSCTLS_UPDOWN32"));
    EXPECT_TRUE(IsUpDownClassName(L"TUpDown"));
    EXPECT_TRUE(IsUpDownClassName(L"TSpinButton"));
    EXPECT_FALSE(IsUpDownClassName(L"Edit"));
    EXPECT_FALSE(IsUpDownClassName(L"msctls_trackbar32"));
}

// A stand-in for the up-down wrapper: records what it was attached to.
class TFakeUpDownWrapper : public TSkinControl {
public:
    using TSkinControl::TSkinControl;
    static int Made;
    static TSkinControl* Make(qx::TComponent* owner) {
        ++Made;
        return new TFakeUpDownWrapper(owner);
    }
};
int TFakeUpDownWrapper::Made = 0;

class SkinEditTest : public ::testing::Test {
protected:
    void SetUp() override {
        skin = LoadDefaultSkin();
        ASSERT_NE(skin, nullptr);
        host = std::make_unique<TTestHost>(skin.get());
        form = NewForm(260, 140);
        edit = new qx::TEdit(form);
        edit->SetParent(form);
        edit->SetBounds(10, 10, 120, 24);
        edit->SetText(L"192.168.1.1");
        edit->OnChange = qx::TNotifyEvent::Of<&SkinEditTest::Changed>(this);
        wrapper = new TSkinEdit(edit);
        wrapper->Attach(host.get(), skin.get(), false, host->ControlCanvas());
        shadow = qx::ColorToRGB(skin->ButtonShadow);
        TFakeUpDownWrapper::Made = 0;
        previousMaker = SetEmbeddedUpDownMaker(&TFakeUpDownWrapper::Make);
    }
    void TearDown() override {
        delete form;
        SetEmbeddedUpDownMaker(previousMaker);
    }

public:
    void Changed(qx::TObject*) { ++changes; }

protected:
    // The edit painted through its own WM_PAINT into a window-sized picture: the system's client
    // painting at the origin, then the wrapper's border in window coordinates.
    void PaintInto(DibCanvas& canvas) {
        canvas.Fill(kSentinel);
        ::SelectClipRgn(canvas.Dc(), nullptr);  // a paint without the skin leaves the edit's clip
        ::SendMessageW(edit->Handle(), WM_PAINT, reinterpret_cast<WPARAM>(canvas.Dc()), 0);
        ::GdiFlush();
    }
    bool HasSkinBorder(const DibCanvas& canvas) {
        const int mid = canvas.Height() / 2, w = canvas.Width();
        return canvas.PixelRef(0, mid) == shadow && canvas.PixelRef(w - 1, mid) == shadow &&
               canvas.PixelRef(1, mid) == kWhite && canvas.PixelRef(2, mid) == kWhite &&
               canvas.PixelRef(w / 2, 0) == shadow && canvas.PixelRef(w / 2, canvas.Height() - 2) == kWhite;
    }

    std::unique_ptr<TSkinData> skin;
    std::unique_ptr<TTestHost> host;
    qx::TForm* form = nullptr;
    qx::TEdit* edit = nullptr;
    TSkinEdit* wrapper = nullptr;
    COLORREF shadow = 0;
    int changes = 0;
    TSubWrapperMaker previousMaker = nullptr;
};

TEST_F(SkinEditTest, EveryStateShowsTheFlatBorder) {
    form->Show();
    DibCanvas canvas(120, 24);
    PaintInto(canvas);
    EXPECT_TRUE(HasSkinBorder(canvas)) << SaveShot(canvas, "SkinEdit_Normal");

    edit->SetFocus();
    ASSERT_EQ(::GetFocus(), edit->Handle());
    PaintInto(canvas);
    EXPECT_TRUE(HasSkinBorder(canvas)) << SaveShot(canvas, "SkinEdit_Focused");

    edit->Perform(qx::CM_MOUSEENTER, 0, reinterpret_cast<LPARAM>(edit));
    PaintInto(canvas);
    EXPECT_TRUE(HasSkinBorder(canvas)) << SaveShot(canvas, "SkinEdit_Hot");

    edit->SetEnabled(false);
    PaintInto(canvas);
    EXPECT_TRUE(HasSkinBorder(canvas)) << SaveShot(canvas, "SkinEdit_Disabled");
}

TEST_F(SkinEditTest, ScreenShowsTheBorderAfterFocusChangesAndSknEnableSwitchesIt) {
    form->Show();
    edit->SetFocus();
    DibCanvas screen(120, 24);
    ScreenShot(edit->Handle(), screen);
    EXPECT_TRUE(HasSkinBorder(screen)) << SaveShot(screen, "SkinEdit_ScreenFocused");

    // Off: the system's own 3D edge comes back at once; on: the skin border again.
    ::SendMessageW(edit->Handle(), SKN_ENABLE, 0, 0);
    ScreenShot(edit->Handle(), screen);
    EXPECT_NE(screen.PixelRef(0, 12), shadow) << SaveShot(screen, "SkinEdit_ScreenOff");
    EXPECT_FALSE(HasSkinBorder(screen));
    ::SendMessageW(edit->Handle(), SKN_ENABLE, 1, 0);
    ScreenShot(edit->Handle(), screen);
    EXPECT_TRUE(HasSkinBorder(screen)) << SaveShot(screen, "SkinEdit_ScreenOn");
}

TEST_F(SkinEditTest, PaintingOffLeavesTheSystemPicture) {
    DibCanvas canvas(120, 24);
    ::SendMessageW(edit->Handle(), SKN_ENABLE, 0, 0);
    PaintInto(canvas);
    EXPECT_FALSE(HasSkinBorder(canvas));
    EXPECT_NE(canvas.PixelRef(0, 12), shadow);
    EXPECT_EQ(host->Wrappers(), (std::vector<TSkinControl*>{wrapper}));  // still wrapped
    ::SendMessageW(edit->Handle(), SKN_ENABLE, 1, 0);
    PaintInto(canvas);
    EXPECT_TRUE(HasSkinBorder(canvas));
}

TEST_F(SkinEditTest, BorderlessEditIsNotFramed) {
    HWND wnd = edit->Handle();
    ::SetWindowLongW(wnd, GWL_EXSTYLE, ::GetWindowLongW(wnd, GWL_EXSTYLE) & ~WS_EX_CLIENTEDGE);
    ::SetWindowPos(wnd, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    DibCanvas canvas(120, 24);
    canvas.Fill(kSentinel);
    wrapper->PaintWindow(canvas.Dc());
    ::GdiFlush();
    EXPECT_EQ(canvas.PixelRef(0, 12), kSentinel);
    EXPECT_EQ(canvas.PixelRef(60, 0), kSentinel);
}

TEST_F(SkinEditTest, PrintedPictureCarriesTheShadowLine) {
    DibCanvas canvas(120, 24);
    canvas.Fill(kSentinel);
    qx::test::PrintWindowTo(edit->Handle(), canvas);
    ::GdiFlush();
    EXPECT_EQ(canvas.PixelRef(0, 12), shadow);
    EXPECT_EQ(canvas.PixelRef(60, 23), shadow);
}

TEST_F(SkinEditTest, RawEditWindowIsFramedThroughItsWindowProcedure) {
    HWND raw = ::CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"raw", WS_CHILD | WS_VISIBLE, 10, 60, 120, 24,
                                 form->Handle(), nullptr, nullptr, nullptr);
    auto* rawWrapper = new TSkinEdit(host.get());
    rawWrapper->AttachWindow(raw, skin.get(), host.get(), host->ControlCanvas());
    EXPECT_EQ(::SendMessageW(raw, SKN_QUERY, 0, 0), 1);
    form->Show();
    DibCanvas screen(120, 24);
    ScreenShot(raw, screen);
    EXPECT_TRUE(HasSkinBorder(screen)) << SaveShot(screen, "SkinEdit_Raw");
    ::DestroyWindow(raw);
    EXPECT_EQ(rawWrapper->State(), kWrapperWindowDestroyed);
}

TEST_F(SkinEditTest, TypingStillReportsChanges) {
    ::SendMessageW(edit->Handle(), WM_CHAR, L'9', 0);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(edit->Text(), L"9192.168.1.1");
}

TEST_F(SkinEditTest, EmbeddedUpDownGetsExactlyOneWrapperOnTheFirstPaint) {
    auto* updown = new qx::TUpDown(form);
    updown->SetParent(edit);
    updown->SetAssociate(edit);
    updown->HandleNeeded();
    EXPECT_EQ(TFakeUpDownWrapper::Made, 0);  // nothing before a paint
    DibCanvas canvas(120, 24);
    PaintInto(canvas);
    PaintInto(canvas);
    ASSERT_EQ(TFakeUpDownWrapper::Made, 1);
    ASSERT_NE(wrapper->UpDown(), nullptr);
    EXPECT_EQ(wrapper->UpDown()->Window(), updown->Handle());
    EXPECT_EQ(::SendMessageW(updown->Handle(), SKN_QUERY, 0, 0), 1);
    EXPECT_EQ(wrapper->UpDown()->Owner(), edit);
    // The up-down's wrapper going away is noticed.
    delete wrapper->UpDown();
    EXPECT_EQ(wrapper->UpDown(), nullptr);
}

TEST_F(SkinEditTest, EmbeddedUpDownIsLeftAloneWithoutSpinSkinningOrWhenSkinnedAlready) {
    auto* updown = new qx::TUpDown(form);
    updown->SetParent(edit);
    updown->SetAssociate(edit);
    updown->HandleNeeded();
    skin->SetSkinControls(skin->SkinControls() & ~SkinControlBit(xcSpin));
    DibCanvas canvas(120, 24);
    PaintInto(canvas);
    EXPECT_EQ(TFakeUpDownWrapper::Made, 0);

    skin->SetSkinControls(skin->SkinControls() | SkinControlBit(xcSpin));
    auto* other = new TSkinControl(host.get());
    other->AttachWindow(updown->Handle(), skin.get(), host.get(), host->ControlCanvas());
    PaintInto(canvas);
    EXPECT_EQ(TFakeUpDownWrapper::Made, 0);
    EXPECT_EQ(wrapper->UpDown(), nullptr);
}

}  // namespace
