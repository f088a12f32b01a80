// A plain top-level window attached to the default skin the way the manager attaches it:
// before and after the activation message, the geometry it gets, its hit codes, what it prints,
// its region, and letting go of it again.
#include "support/FormTestSupport.h"

#include "skin/form/FramePainter.h"

#include <gtest/gtest.h>

using namespace formtest;

namespace {

class WinSkinFormTest : public ::testing::Test {
protected:
    void SetUp() override { qx::test::EnsureApplication(); }
};

TEST_F(WinSkinFormTest, BeforeActivationNothingIsPaintedAndActivationIsRefused) {
    auto s = MakeSkinned();
    ASSERT_TRUE(s->Skin);
    s->Form->SetHandle(s->Handle());
    s->Form->Attach(s->Skin.get());
    ASSERT_TRUE(s->Form->Subclassed());
    EXPECT_EQ(s->Form->State(), kFormAttached);
    EXPECT_EQ(::SendMessageW(s->Handle(), SKN_QUERY, 0, 0), 1);
    const int before = s->Window->Count(WM_NCPAINT);
    EXPECT_EQ(::SendMessageW(s->Handle(), WM_NCPAINT, 1, 0), 0);
    EXPECT_EQ(s->Window->Count(WM_NCPAINT), before);  // not even the default painted
    EXPECT_EQ(::SendMessageW(s->Handle(), WM_NCACTIVATE, FALSE, 0), 0);
    // The window keeps the system's frame until the activation message.
    const RECT client = ClientRectOf(s->Handle());
    EXPECT_EQ(client.right, 300);
    EXPECT_EQ(client.bottom, 200);
}

TEST_F(WinSkinFormTest, ActivationKeepsTheClientAndGrowsTheWindowByTheSkinFrame) {
    auto s = MakeSkinned();
    ASSERT_TRUE(s->Attach());
    const TFrameMetrics& m = s->Form->Metrics();
    // The default skin: side borders one frame of two side by side, top and bottom stacked.
    EXPECT_EQ(m.Left, s->Skin->BorderLeft->Bitmap.Width() / 2);
    EXPECT_EQ(m.Right, s->Skin->BorderRight->Bitmap.Width() / 2);
    EXPECT_EQ(m.Top, s->Skin->BorderTop->Bitmap.Height() / 2);
    EXPECT_EQ(m.Bottom, s->Skin->BorderBottom->Bitmap.Height() / 2);
    EXPECT_EQ(m.Menu, 0);
    const RECT client = ClientRectOf(s->Handle());
    EXPECT_EQ(client.right, 300);
    EXPECT_EQ(client.bottom, 200);
    const SIZE window = SizeOf(WindowRectOf(s->Handle()));
    EXPECT_EQ(window.cx, 300 + m.Left + m.Right);
    EXPECT_EQ(window.cy, 200 + m.Top + m.Bottom);
    // The client sits inside the skin's frame.
    POINT origin{0, 0};
    ::ClientToScreen(s->Handle(), &origin);
    const RECT w = WindowRectOf(s->Handle());
    EXPECT_EQ(origin.x - w.left, m.Left);
    EXPECT_EQ(origin.y - w.top, m.Top);
    EXPECT_EQ(s->Form->BorderKind(), bkSizeable);
    EXPECT_EQ(s->Form->BorderIcons(), kIconMaximize | kIconMinimize | kIconSystemMenu);
}

TEST_F(WinSkinFormTest, NcCalcSizeAnswersTheSkinnedClient) {
    auto s = MakeSkinned();
    ASSERT_TRUE(s->Attach());
    const TFrameMetrics& m = s->Form->Metrics();
    NCCALCSIZE_PARAMS params{};
    WINDOWPOS pos{};
    params.rgrc[0] = RECT{10, 20, 410, 320};
    params.rgrc[1] = params.rgrc[0];
    params.rgrc[2] = params.rgrc[0];
    pos.x = 10;
    pos.y = 20;
    pos.cx = 400;
    pos.cy = 300;
    params.lppos = &pos;
    EXPECT_EQ(::SendMessageW(s->Handle(), WM_NCCALCSIZE, TRUE, reinterpret_cast<LPARAM>(&params)), WVR_VALIDRECTS);
    EXPECT_EQ(params.rgrc[0].left, 10 + m.Left);
    EXPECT_EQ(params.rgrc[0].top, 20 + m.Top);
    EXPECT_EQ(params.rgrc[0].right, 410 - m.Right);
    EXPECT_EQ(params.rgrc[0].bottom, 320 - m.Bottom);
    EXPECT_TRUE(::EqualRect(&params.rgrc[0], &params.rgrc[1]));
    RECT r{10, 20, 410, 320};
    EXPECT_EQ(::SendMessageW(s->Handle(), WM_NCCALCSIZE, FALSE, reinterpret_cast<LPARAM>(&r)), 0);
    EXPECT_EQ(r.left, 10 + m.Left);
    EXPECT_EQ(r.bottom, 320 - m.Bottom);
}

TEST_F(WinSkinFormTest, HitCodesFollowTheSkinnedCaption) {
    auto s = MakeSkinned();
    ASSERT_TRUE(s->Attach());
    const TFrameMetrics& m = s->Form->Metrics();
    const SIZE size = SizeOf(WindowRectOf(s->Handle()));
    auto hit = [&](int x, int y) { return ::SendMessageW(s->Handle(), WM_NCHITTEST, 0, ScreenPoint(s->Handle(), {x, y})); };
    // The middle of the caption strip (left of the buttons, below the top rows).
    EXPECT_EQ(hit(size.cx / 3, m.Top / 2), HTCAPTION);
    EXPECT_EQ(hit(size.cx / 3, m.Top - 1), HTCAPTION);
    EXPECT_EQ(hit(size.cx / 2, m.Top + 20), HTCLIENT);
    // Where the system would have its buttons there is plain caption.
    EXPECT_EQ(hit(size.cx - 10, 10), HTCAPTION);
    // The sizing edges stay the system's.
    const LRESULT left = hit(0, size.cy / 2);
    const LRESULT bottomRight = hit(size.cx - 1, size.cy - 1);
    EXPECT_TRUE(left == HTLEFT || left == HTBORDER) << left;
    EXPECT_EQ(bottomRight, HTBOTTOMRIGHT);
}

TEST_F(WinSkinFormTest, PrintedFramePixelsAreTheSkinsOwnBorderImages) {
    auto s = MakeSkinned(WS_OVERLAPPEDWINDOW, 0, L"Printed");
    ASSERT_TRUE(s->Attach());
    TSkinData& skin = *s->Skin;
    const TFrameMetrics& m = s->Form->Metrics();
    auto shot = Print(s->Handle());
    SaveShot(*shot, "WinSkinForm_PlainWindow");
    const int w = shot->Width(), h = shot->Height();
    // The left border's middle (between its fixed ends) stretches frame 1 of two side by side:
    // every row of it shows the same column of the image.
    const int leftFixedTop = skin.BorderLeft->Margins.top;
    const int sourceRow = leftFixedTop + 1;
    for (int x = 0; x < m.Left; ++x)
        EXPECT_EQ(CanvasPixel(*shot, x, h / 2), FramePixel(skin.BorderLeft->Bitmap, 2, 1, false, x, sourceRow)) << x;
    // The bottom-left corner is the image's unscaled bottom rows.
    const int imageH = skin.BorderLeft->Bitmap.Height();
    for (int dy = 1; dy <= skin.BorderLeft->Margins.bottom; ++dy)
        EXPECT_EQ(CanvasPixel(*shot, 1, h - dy), FramePixel(skin.BorderLeft->Bitmap, 2, 1, false, 1, imageH - dy));
    // The bottom border's fixed left end, unscaled (frame 1 of two stacked).
    for (int y = 0; y < m.Bottom; ++y)
        EXPECT_EQ(CanvasPixel(*shot, m.Left, h - m.Bottom + y), FramePixel(skin.BorderBottom->Bitmap, 2, 1, true, 0, y));
    // The top border's right end, unscaled, left of the right border (no title or button there
    // in a 300-pixel window... the close button covers it; check its left end instead).
    EXPECT_EQ(CanvasPixel(*shot, m.Left, 1), FramePixel(skin.BorderTop->Bitmap, 2, 1, true, 0, 1));
    // The client area was printed inside the frame.
    EXPECT_NE(CanvasPixel(*shot, w / 2, h / 2), RGB(1, 2, 3));
}

//--- the window's shape

bool SameRect(const RECT& a, const RECT& b) { return ::EqualRect(&a, &b) != FALSE; }

bool Inside(HWND wnd, int x, int y) {
    qx::UniqueRgn shape(::CreateRectRgn(0, 0, 0, 0));
    if (::GetWindowRgn(wnd, shape.get()) == ERROR) return true;  // no region: all of it
    return ::PtInRegion(shape.get(), x, y) != FALSE;
}

TEST_F(WinSkinFormTest, TheRegionFollowsTheTransparentBordersAndIsKeptForTheSameSize) {
    auto s = MakeSkinned();
    ASSERT_TRUE(s->Attach());
    ASSERT_TRUE(s->Form->HasRegion());
    const SIZE size = SizeOf(WindowRectOf(s->Handle()));
    // The default skin's side borders round the top corners off with magenta.
    EXPECT_EQ(FramePixel(s->Skin->BorderLeft->Bitmap, 2, 1, false, 0, 0), RGB(255, 0, 255));
    EXPECT_FALSE(Inside(s->Handle(), 0, 0));
    EXPECT_FALSE(Inside(s->Handle(), size.cx - 1, 0));
    EXPECT_TRUE(Inside(s->Handle(), size.cx / 2, 0));
    EXPECT_TRUE(Inside(s->Handle(), 0, size.cy / 2));
    EXPECT_TRUE(Inside(s->Handle(), size.cx / 2, size.cy / 2));
    EXPECT_TRUE(Inside(s->Handle(), size.cx - 1, size.cy - 1));
    // The same size again: the region stays the one the window has.
    HRGN region = s->Form->Region();
    ::SendMessageW(s->Handle(), WM_SIZE, SIZE_RESTORED, MAKELPARAM(300, 200));
    s->Form->UpdateRegion();
    EXPECT_EQ(s->Form->Region(), region);
    // A new size makes a new one; the old one was the window's and went with it. A GDI object
    // made meanwhile is not touched.
    qx::UniqueBrush bystander(::CreateSolidBrush(RGB(1, 2, 3)));
    ::SetWindowPos(s->Handle(), nullptr, 0, 0, size.cx + 40, size.cy + 30, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_NE(s->Form->Region(), region);
    EXPECT_NE(::GetObjectType(bystander.get()), 0u);
    EXPECT_FALSE(Inside(s->Handle(), size.cx + 39, 0));
    EXPECT_TRUE(Inside(s->Handle(), size.cx + 39, size.cy + 29));
}

TEST_F(WinSkinFormTest, BordersWithoutTransparencyGiveTheWholeRectangle) {
    auto members = DefaultSkinMembers();
    SetIniValue(members, "Personality", "LeftTrans", "0");
    SetIniValue(members, "Personality", "RightTrans", "0");
    SetIniValue(members, "Personality", "BottomTrans", "1");  // not consulted
    auto s = MakeSkinned(WS_OVERLAPPEDWINDOW, 0, L"Square", {300, 200}, LoadSkin(members));
    ASSERT_TRUE(s->Skin);
    ASSERT_TRUE(s->Attach());
    const SIZE size = SizeOf(WindowRectOf(s->Handle()));
    EXPECT_TRUE(Inside(s->Handle(), 0, 0));
    EXPECT_TRUE(Inside(s->Handle(), size.cx - 1, size.cy - 1));
    // A rectangle records no size: it is made again on every request.
    HRGN region = s->Form->Region();
    s->Form->UpdateRegion();
    EXPECT_NE(s->Form->Region(), region);
}

TEST_F(WinSkinFormTest, AOnePixelBottomBorderStaysRectangularEvenWhenTransparent) {
    auto members = DefaultSkinMembers();
    // Two stacked frames of one all-magenta row.
    PutMember(members, "framebottom.bmp", Bmp24(40, 2, [](int, int) { return RGB(255, 0, 255); }));
    SetIniValue(members, "Personality", "BottomTrans", "1");
    SetIniValue(members, "Personality", "BottomTopHeight", "0");
    SetIniValue(members, "Personality", "BottomBotHeight", "0");
    auto s = MakeSkinned(WS_OVERLAPPEDWINDOW, 0, L"Thin bottom", {300, 200}, LoadSkin(members));
    ASSERT_TRUE(s->Skin);
    ASSERT_TRUE(s->Attach());
    EXPECT_EQ(s->Form->Metrics().Bottom, 1);
    const SIZE size = SizeOf(WindowRectOf(s->Handle()));
    EXPECT_TRUE(Inside(s->Handle(), size.cx / 2, size.cy - 1));
}

TEST_F(WinSkinFormTest, ATransparentTopTakesItsShapeFromThePaintedCaption) {
    auto members = DefaultSkinMembers();
    // A top border (two stacked frames of 28 rows) whose two top rows are magenta.
    PutMember(members, "frametop.bmp", Bmp24(40, 56, [](int, int y) {
        return y % 28 < 2 ? RGB(255, 0, 255) : RGB(60, 90, 120);
    }));
    SetIniValue(members, "Personality", "TopTrans", "1");
    auto s = MakeSkinned(WS_OVERLAPPEDWINDOW, 0, L"Shaped caption", {300, 200}, LoadSkin(members));
    ASSERT_TRUE(s->Skin);
    ASSERT_TRUE(s->Attach());
    s->LayOut();
    ::SetWindowPos(s->Handle(), nullptr, 0, 0, 380, 260, SWP_NOMOVE | SWP_NOZORDER);
    s->LayOut();
    ASSERT_TRUE(s->Form->HasRegion());
    // Wherever the painted caption strip (border, title plate, buttons) is magenta, the window
    // has a hole, and nowhere else.
    qx::TBitmap& strip = s->Form->CaptionBitmap();
    const TFrameMetrics& m = s->Form->Metrics();
    ASSERT_EQ(m.Top, 28);
    int holes = 0, agree = 0, total = 0;
    for (int y = 0; y < m.Top; ++y)
        for (int x = m.Left; x < strip.Width() - m.Right; ++x) {
            const bool magenta = static_cast<COLORREF>(strip.Pixel(x, y)) == RGB(255, 0, 255);
            if (magenta) ++holes;
            ++total;
            if (magenta != Inside(s->Handle(), x, y)) ++agree;
        }
    EXPECT_GT(holes, 0);
    EXPECT_EQ(agree, total);
}

//--- border kinds and skin settings

TEST_F(WinSkinFormTest, AWindowWithoutCaptionGetsNoSkinFrame) {
    auto s = MakeSkinned(WS_POPUP | WS_THICKFRAME, 0, L"No caption");
    const RECT before = WindowRectOf(s->Handle());
    const RECT clientBefore = ClientRectOf(s->Handle());
    ASSERT_TRUE(s->Attach());
    EXPECT_EQ(s->Form->BorderKind(), bkNone);
    EXPECT_EQ(s->Form->Metrics(), TFrameMetrics{});
    EXPECT_EQ(SizeOf(WindowRectOf(s->Handle())).cx, SizeOf(before).cx);
    EXPECT_EQ(ClientRectOf(s->Handle()).right, clientBefore.right);
    // Non-client painting is the system's.
    const int seen = s->Window->Count(WM_NCPAINT);
    ::SendMessageW(s->Handle(), WM_NCPAINT, 1, 0);
    EXPECT_EQ(s->Window->Count(WM_NCPAINT), seen + 1);
}

TEST_F(WinSkinFormTest, WithoutTheMainMenuSkinOnlyTheFirstStageRuns) {
    auto skin = LoadDefaultSkin();
    ASSERT_TRUE(skin);
    skin->SetSkinControls(skin->SkinControls() & ~SkinControlBit(xcMainMenu));
    auto s = MakeSkinned(WS_OVERLAPPEDWINDOW, 0, L"Controls only", {300, 200}, std::move(skin));
    const SIZE before = SizeOf(WindowRectOf(s->Handle()));
    ASSERT_TRUE(s->Attach());
    EXPECT_FALSE(s->Form->SkinFrame());
    EXPECT_EQ(s->Form->Metrics(), TFrameMetrics{});
    EXPECT_EQ(SizeOf(WindowRectOf(s->Handle())).cx, before.cx);
    EXPECT_EQ(::SendMessageW(s->Handle(), SKN_QUERY, 0, 0), 1);
    const int calc = s->Window->Count(WM_NCCALCSIZE);
    RECT r{0, 0, 100, 100};
    ::SendMessageW(s->Handle(), WM_NCCALCSIZE, FALSE, reinterpret_cast<LPARAM>(&r));
    EXPECT_EQ(s->Window->Count(WM_NCCALCSIZE), calc + 1);
    // A plain window's background is still the skin's.
    auto shot = Print(s->Handle());
    POINT origin{0, 0};
    ::ClientToScreen(s->Handle(), &origin);
    const RECT w = WindowRectOf(s->Handle());
    EXPECT_EQ(CanvasPixel(*shot, origin.x - w.left + 50, origin.y - w.top + 50), qx::ColorToRGB(s->Skin->ButtonFace));
}

TEST_F(WinSkinFormTest, DialogFramesAndBoxes) {
    auto s = MakeSkinned(WS_POPUP | WS_CAPTION | WS_SYSMENU, WS_EX_DLGMODALFRAME, L"Dialog");
    ASSERT_TRUE(s->Attach());
    EXPECT_EQ(s->Form->BorderKind(), bkDialog);
    EXPECT_EQ(s->Form->BorderIcons(), kIconSystemMenu);
    s->LayOut();
    // No icon, no maximise or minimise button: only close.
    EXPECT_NE(s->Button(kActionClose), nullptr);
    EXPECT_EQ(s->Button(3), nullptr);
    EXPECT_EQ(s->Button(1), nullptr);
    EXPECT_EQ(s->Button(2), nullptr);
}

//--- letting go

TEST_F(WinSkinFormTest, DetachGivesTheWindowBackAsItWas) {
    auto s = MakeSkinned(WS_OVERLAPPEDWINDOW, 0, L"Given back");
    ::ShowWindow(s->Handle(), SW_SHOW);
    const auto style = ::GetWindowLongPtrW(s->Handle(), GWL_STYLE) | WS_VISIBLE;
    const auto proc = ::GetWindowLongPtrW(s->Handle(), GWLP_WNDPROC);
    const SIZE size = SizeOf(WindowRectOf(s->Handle()));
    const RECT client = ClientRectOf(s->Handle());
    ASSERT_TRUE(s->Attach());
    ::SendMessageW(s->Handle(), WM_NCPAINT, 1, 0);
    EXPECT_EQ(::GetWindowLongPtrW(s->Handle(), GWL_STYLE) & WS_SYSMENU, 0);  // the system draws no buttons
    EXPECT_NE(::GetWindowLongPtrW(s->Handle(), GWLP_WNDPROC), proc);
    s->Form->Detach();
    EXPECT_FALSE(s->Form->Subclassed());
    EXPECT_EQ(::GetWindowLongPtrW(s->Handle(), GWL_STYLE), style);
    EXPECT_EQ(::GetWindowLongPtrW(s->Handle(), GWLP_WNDPROC), proc);
    EXPECT_EQ(SizeOf(WindowRectOf(s->Handle())).cx, size.cx);
    EXPECT_EQ(SizeOf(WindowRectOf(s->Handle())).cy, size.cy);
    EXPECT_TRUE(SameRect(client, ClientRectOf(s->Handle())));
    qx::UniqueRgn shape(::CreateRectRgn(0, 0, 0, 0));
    EXPECT_EQ(::GetWindowRgn(s->Handle(), shape.get()), ERROR);
    EXPECT_EQ(::SendMessageW(s->Handle(), SKN_QUERY, 0, 0), 0);
}

TEST_F(WinSkinFormTest, DetachGivesAFrameworkFormItsColourAndWindowProcBack) {
    auto skin = LoadDefaultSkin();
    ASSERT_TRUE(skin);
    auto* form = new qx::TForm(qx::Application);
    form->SetColor(RGB(12, 34, 56));
    form->SetBounds(50, 50, 320, 240);
    form->Show();
    qx::test::PumpPending(std::chrono::milliseconds(30));
    const qx::TWndMethod windowProc = form->WindowProc;
    const int clientW = form->ClientWidth(), clientH = form->ClientHeight();
    auto* frame = new TWinSkinForm(form);
    frame->SetHandle(form->Handle());
    frame->AttachForm(skin.get(), form);
    ::PostMessageW(form->Handle(), SKN_ACTIVATE, 0, 1000);
    ASSERT_TRUE(qx::test::PumpUntil([&] { return frame->State() == kFormActive; }));
    EXPECT_FALSE(form->AutoScroll());
    EXPECT_EQ(form->Color(), skin->ButtonFace);
    EXPECT_FALSE(form->WindowProc == windowProc);
    EXPECT_EQ(form->ClientWidth(), clientW);
    EXPECT_EQ(form->ClientHeight(), clientH);
    // The hook sees the text change and repaints the title.
    form->SetCaption(L"Renamed");
    EXPECT_EQ(frame->WindowText(), L"Renamed");
    frame->Detach();
    EXPECT_EQ(form->Color(), RGB(12, 34, 56));
    EXPECT_TRUE(form->WindowProc == windowProc);
    EXPECT_EQ(form->ClientWidth(), clientW);
    EXPECT_EQ(form->ClientHeight(), clientH);
    delete form;  // takes the skinning object with it
}

TEST_F(WinSkinFormTest, ASkinChangeReachesAFrameworkFormThroughItsWindowProc) {
    auto skin = LoadDefaultSkin();
    ASSERT_TRUE(skin);
    auto* form = new qx::TForm(qx::Application);
    form->SetBounds(50, 50, 320, 240);
    form->Show();
    qx::test::PumpPending(std::chrono::milliseconds(30));
    auto* frame = new TWinSkinForm(form);
    frame->SetHandle(form->Handle());
    frame->AttachForm(skin.get(), form);
    ::PostMessageW(form->Handle(), SKN_ACTIVATE, 0, 1000);
    ASSERT_TRUE(qx::test::PumpUntil([&] { return frame->State() == kFormActive; }));
    const int clientW = form->ClientWidth(), clientH = form->ClientHeight();
    // A new button face in the skin: the form takes it, its client keeps its size.
    skin->ButtonFace = RGB(200, 190, 180);
    form->Perform(SKN_SKINCHANGED, 0, 0);
    EXPECT_EQ(frame->State(), kFormActive);
    EXPECT_EQ(form->Color(), RGB(200, 190, 180));
    EXPECT_EQ(form->ClientWidth(), clientW);
    EXPECT_EQ(form->ClientHeight(), clientH);
    delete form;
}

TEST_F(WinSkinFormTest, DestroyingTheWindowDetachesAndMarksTheObjectClosed) {
    auto s = MakeSkinned();
    ASSERT_TRUE(s->Attach());
    ::DestroyWindow(s->Handle());
    EXPECT_EQ(s->Form->State(), kFormClosed);
    EXPECT_FALSE(s->Form->Subclassed());
    EXPECT_FALSE(s->Form->HoverTimerEnabled());
    EXPECT_EQ(s->Form->SystemMenu(), nullptr);
}

TEST_F(WinSkinFormTest, ANativeMenuBarBecomesTheSkinnedBandUnderTheCaption) {
    auto s = MakeSkinned(WS_OVERLAPPEDWINDOW, 0, L"With menu");
    HMENU bar = ::CreateMenu();
    ::AppendMenuW(bar, MF_STRING, 100, L"&File");
    ::AppendMenuW(bar, MF_STRING, 101, L"&Help");
    ::SetMenu(s->Handle(), bar);
    const RECT client = ClientRectOf(s->Handle());
    ASSERT_TRUE(s->Attach());
    // The skinned bar took the menu over: the window shows none of its own.
    EXPECT_EQ(::GetMenu(s->Handle()), nullptr);
    ASSERT_NE(s->Form->MenuBar(), nullptr);
    EXPECT_EQ(s->Form->MenuBar()->Buttons().size(), 2u);
    const TFrameMetrics& m = s->Form->Metrics();
    EXPECT_EQ(m.Menu, ::GetSystemMetrics(SM_CYMENU));
    EXPECT_TRUE(SameRect(client, ClientRectOf(s->Handle())));
    POINT origin{0, 0};
    ::ClientToScreen(s->Handle(), &origin);
    EXPECT_EQ(origin.y - WindowRectOf(s->Handle()).top, m.Top + m.Menu);
    EXPECT_EQ(::SendMessageW(s->Handle(), WM_NCHITTEST, 0, ScreenPoint(s->Handle(), {40, m.Top + 5})), HTMENU);
    auto shot = Print(s->Handle());
    SaveShot(*shot, "WinSkinForm_SkinnedMenuBar");
    // The band shows the menu, not the skin's plain background.
    int notFace = 0;
    const COLORREF face = qx::ColorToRGB(s->Skin->ButtonFace);
    for (int x = m.Left; x < m.Left + 60; ++x)
        if (CanvasPixel(*shot, x, m.Top + m.Menu / 2) != face) ++notFace;
    EXPECT_GT(notFace, 0);
    s->Form->Detach();
    EXPECT_EQ(::GetMenu(s->Handle()), bar);
    EXPECT_TRUE(SameRect(client, ClientRectOf(s->Handle())));
}

}  // namespace
