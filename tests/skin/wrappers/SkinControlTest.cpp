// The wrapper base: hooking a framework control or a raw window and letting go of it again,
// the recolouring it undoes, SKN_QUERY and SKN_ENABLE, a destroyed window, and the focus
// rectangle's place.
#include "framework/ExtCtrls.h"
#include "framework/StdCtrls.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinControl.h"
#include "support/WrapperTestSupport.h"

#include <gtest/gtest.h>

using namespace wraptest;

namespace {

class SkinControlTest : public ::testing::Test {
protected:
    void SetUp() override {
        skin = MakeTestSkin();
        host = std::make_unique<TTestHost>(skin.get());
        form = MakeForm();
    }
    void TearDown() override {
        host.reset();
        delete form;
    }

    qx::TPanel* AddPanel(bool parentBackground) {
        auto* panel = new qx::TPanel(form);
        panel->SetParent(form);
        panel->SetBounds(10, 10, 100, 50);
        panel->SetColor(qx::clRed);
        panel->SetParentBackground(parentBackground);
        panel->HandleNeeded();
        return panel;
    }

    std::unique_ptr<TSkinData> skin;
    std::unique_ptr<TTestHost> host;
    qx::TForm* form = nullptr;
};

// Exposes the protected focus drawing.
class TFocusProbe : public TSkinControl {
public:
    using TSkinControl::TSkinControl;
    void Draw(HDC dc, UINT flags, const RECT& r, const std::wstring& caption) {
        FCaption = caption;
        DrawFocus(dc, flags, r);
    }
};

LRESULT CALLBACK PassOn(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto previous = reinterpret_cast<WNDPROC>(::GetPropW(wnd, L"QxTestPrevious"));
    if (msg == WM_USER + 7) return 4242;
    return ::CallWindowProcW(previous, wnd, msg, wp, lp);
}

}  // namespace

TEST_F(SkinControlTest, AttachHooksTheControlAndAnswersTheQuery) {
    auto* panel = AddPanel(false);
    const qx::TWndMethod original = panel->WindowProc;
    EXPECT_EQ(::SendMessageW(panel->Handle(), SKN_QUERY, 0, 0), 0);

    auto* wrapper = new TSkinControl(panel);
    wrapper->Attach(host.get(), skin.get(), false, host->ControlCanvas());
    EXPECT_TRUE(wrapper->Attached());
    EXPECT_EQ(wrapper->State(), kWrapperAttached);
    EXPECT_EQ(wrapper->Window(), panel->Handle());
    EXPECT_EQ(wrapper->Control(), panel);
    EXPECT_FALSE(panel->WindowProc == original);
    EXPECT_TRUE(panel->DoubleBuffered());
    EXPECT_EQ(host->Wrappers(), std::vector<TSkinControl*>{wrapper});
    EXPECT_EQ(::SendMessageW(panel->Handle(), SKN_QUERY, 0, 0), 1);
    EXPECT_EQ(panel->Perform(SKN_QUERY), 1);

    // Attaching again changes nothing.
    wrapper->Attach(host.get(), skin.get(), true, nullptr);
    EXPECT_EQ(panel->Color(), qx::clRed);
    EXPECT_EQ(host->Wrappers().size(), 1u);

    host->Release();
    EXPECT_TRUE(panel->WindowProc == original);
    EXPECT_EQ(::SendMessageW(panel->Handle(), SKN_QUERY, 0, 0), 0);
}

TEST_F(SkinControlTest, ColourFlagRecoloursAndDetachRestoresExactlyOnce) {
    auto* panel = AddPanel(true);
    auto* wrapper = new TSkinControl(panel);
    wrapper->Attach(host.get(), skin.get(), true, nullptr);
    EXPECT_EQ(panel->Color(), static_cast<qx::TColor>(kTestFace));
    EXPECT_FALSE(panel->ParentBackground());
    EXPECT_TRUE(wrapper->ParentBackgroundChanged());
    EXPECT_EQ(wrapper->Variant(), 1);

    wrapper->Detach();
    EXPECT_EQ(panel->Color(), qx::clRed);
    EXPECT_TRUE(panel->ParentBackground());
    // A second detach must not put back a colour it no longer owns.
    panel->SetColor(qx::clBlue);
    wrapper->Detach();
    EXPECT_EQ(panel->Color(), qx::clBlue);
}

TEST_F(SkinControlTest, ParentBackgroundLeftAloneWhenOffOrWhenTheSkinKeepsIt) {
    auto* off = AddPanel(false);
    auto* wrapper = new TSkinControl(off);
    wrapper->Attach(host.get(), skin.get(), true, nullptr);
    EXPECT_FALSE(wrapper->ParentBackgroundChanged());
    EXPECT_EQ(wrapper->Variant(), 0);
    wrapper->Detach();
    EXPECT_FALSE(off->ParentBackground());

    skin->SetOptions(skin->Options() | SkinOptionBit(xoParentBackGround));
    auto* kept = AddPanel(true);
    auto* second = new TSkinControl(kept);
    second->Attach(host.get(), skin.get(), true, nullptr);
    EXPECT_TRUE(kept->ParentBackground());
    EXPECT_EQ(kept->Color(), static_cast<qx::TColor>(kTestFace));
}

TEST_F(SkinControlTest, DestroyedWindowSetsStateSixUndoesTheColourAndUnhooks) {
    auto* panel = AddPanel(true);
    const qx::TWndMethod original = panel->WindowProc;
    auto* wrapper = new TSkinControl(panel);
    wrapper->Attach(host.get(), skin.get(), true, nullptr);
    panel->DestroyHandle();
    EXPECT_EQ(wrapper->State(), kWrapperWindowDestroyed);
    EXPECT_TRUE(wrapper->Closed());
    EXPECT_FALSE(wrapper->PaintingOn());
    EXPECT_EQ(panel->Color(), qx::clRed);
    EXPECT_TRUE(panel->ParentBackground());
    EXPECT_TRUE(panel->WindowProc == original);
    // The control works on: a new window gets no dead hook in its way.
    EXPECT_EQ(::SendMessageW(panel->Handle(), SKN_QUERY, 0, 0), 0);
    host->Release();
}

TEST_F(SkinControlTest, DestroyingTheControlFreesTheWrapperAndLeavesTheHost) {
    auto* panel = AddPanel(false);
    auto* wrapper = new TSkinControl(panel);
    wrapper->Attach(host.get(), skin.get(), true, nullptr);
    delete panel;
    EXPECT_TRUE(host->Wrappers().empty());
}

TEST_F(SkinControlTest, EnableOffRestoresTheSystemLookAndOnRepaintsAtOnce) {
    form->Show();
    auto* button = new qx::TButton(form);
    button->SetParent(form);
    button->SetBounds(20, 20, 80, 30);
    button->SetCaption(L"");
    auto* wrapper = new TSkinButton(button);
    wrapper->Attach(host.get(), skin.get(), false, nullptr);
    Pump();

    auto skinned = PrintClient(button->Handle());
    EXPECT_EQ(ButtonFrameOf(skinned->PixelRef(5, 5)), 1);

    ::SendMessageW(button->Handle(), SKN_ENABLE, 0, 0);
    EXPECT_FALSE(wrapper->PaintingOn());
    auto plain = PrintClient(button->Handle());
    EXPECT_EQ(ButtonFrameOf(plain->PixelRef(5, 5)), 0);
    EXPECT_NE(plain->PixelRef(5, 5), RGB(1, 2, 3)) << "the system painted nothing";
    // Off means off: the press reaches the system button again.
    ::SendMessageW(button->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_NE(::SendMessageW(button->Handle(), BM_GETSTATE, 0, 0) & BST_PUSHED, 0);
    EXPECT_FALSE(wrapper->Pressed());
    ::SendMessageW(button->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    Pump();

    ::SendMessageW(button->Handle(), SKN_ENABLE, 1, 0);
    EXPECT_TRUE(wrapper->PaintingOn());
    RECT pending{};
    EXPECT_FALSE(::GetUpdateRect(button->Handle(), &pending, FALSE)) << "switching on repaints at once";
    auto again = PrintClient(button->Handle());
    EXPECT_NE(ButtonFrameOf(again->PixelRef(5, 5)), 0);
}

TEST_F(SkinControlTest, RawWindowIsSubclassedAndGivenBack) {
    HWND raw = ::CreateWindowW(L"BUTTON", L"raw", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 5, 5, 60, 24, form->Handle(),
                               nullptr, nullptr, nullptr);
    const LONG_PTR before = ::GetWindowLongPtrW(raw, GWLP_WNDPROC);
    auto* wrapper = new TSkinControl(host.get());
    wrapper->AttachWindow(raw, skin.get(), host.get(), nullptr);
    EXPECT_TRUE(wrapper->Attached());
    EXPECT_TRUE(wrapper->Unicode());
    EXPECT_EQ(wrapper->CaptionText(), L"raw");
    EXPECT_NE(::GetWindowLongPtrW(raw, GWLP_WNDPROC), before);
    EXPECT_EQ(::SendMessageW(raw, SKN_QUERY, 0, 0), 1);
    wchar_t text[16] = {};
    EXPECT_EQ(::GetWindowTextW(raw, text, 16), 3);  // everything else passes through

    host->Release();
    EXPECT_EQ(::GetWindowLongPtrW(raw, GWLP_WNDPROC), before);
    EXPECT_EQ(::SendMessageW(raw, SKN_QUERY, 0, 0), 0);
    ::DestroyWindow(raw);
}

TEST_F(SkinControlTest, RawWindowDestroyedWhileAttached) {
    HWND raw = ::CreateWindowA("BUTTON", "ansi", WS_CHILD | BS_PUSHBUTTON, 5, 5, 60, 24, form->Handle(), nullptr,
                               nullptr, nullptr);
    auto* wrapper = new TSkinControl(host.get());
    wrapper->AttachWindow(raw, skin.get(), host.get(), nullptr);
    EXPECT_FALSE(wrapper->Unicode());
    EXPECT_EQ(wrapper->CaptionText(), L"ansi");
    ::DestroyWindow(raw);
    EXPECT_EQ(wrapper->State(), kWrapperWindowDestroyed);
    host->Release();  // frees the stub of a window that is gone
}

// Someone subclassed the window after us: letting go must leave their procedure in place and
// the chain through our stub callable.
TEST_F(SkinControlTest, SubclassOnTopKeepsWorkingAfterRelease) {
    HWND raw = ::CreateWindowW(L"BUTTON", L"x", WS_CHILD | BS_PUSHBUTTON, 5, 5, 60, 24, form->Handle(), nullptr,
                               nullptr, nullptr);
    auto* wrapper = new TSkinControl(host.get());
    wrapper->AttachWindow(raw, skin.get(), host.get(), nullptr);
    ::SetPropW(raw, L"QxTestPrevious", reinterpret_cast<HANDLE>(::GetWindowLongPtrW(raw, GWLP_WNDPROC)));
    ::SetWindowLongPtrW(raw, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&PassOn));
    host->Release();
    EXPECT_EQ(::GetWindowLongPtrW(raw, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&PassOn));
    EXPECT_EQ(::SendMessageW(raw, WM_USER + 7, 0, 0), 4242);
    wchar_t text[8] = {};
    EXPECT_EQ(::GetWindowTextW(raw, text, 8), 1);
    ::RemovePropW(raw, L"QxTestPrevious");
    ::DestroyWindow(raw);
}

TEST_F(SkinControlTest, FocusRectangleOfACentredCaptionSitsOnePixelAboveTheCentre) {
    qx::test::DibCanvas canvas(120, 41);
    canvas.Fill(RGB(255, 255, 255));
    TFocusProbe probe(nullptr);
    const RECT r{0, 0, 120, 41};
    probe.Draw(canvas.Dc(), DT_CENTER | DT_SINGLELINE, r, L"Focus");
    ::GdiFlush();
    RECT text{0, 0, 120, 41};
    ::DrawTextW(canvas.Dc(), L"Focus", -1, &text, DT_CENTER | DT_SINGLELINE | DT_CALCRECT | DT_NOCLIP);
    const int tw = text.right - text.left, th = text.bottom - text.top;
    const int left = (120 - tw) / 2 - 2, top = (41 - th) / 2 - 1 - 1;

    RECT marked{1000, 1000, -1, -1};
    for (int y = 0; y < 41; ++y)
        for (int x = 0; x < 120; ++x)
            if (canvas.PixelRef(x, y) != RGB(255, 255, 255)) {
                marked.left = std::min<LONG>(marked.left, x);
                marked.top = std::min<LONG>(marked.top, y);
                marked.right = std::max<LONG>(marked.right, x + 1);
                marked.bottom = std::max<LONG>(marked.bottom, y + 1);
            }
    EXPECT_EQ(marked.left, left);
    EXPECT_EQ(marked.top, top);
    EXPECT_NEAR(marked.right, left + tw + 4, 1);
    EXPECT_NEAR(marked.bottom, top + th + 2, 1);
}
