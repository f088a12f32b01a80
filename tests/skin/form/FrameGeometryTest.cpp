// Frame geometry without windows: border kinds from styles, thicknesses from border images,
// client and window rectangles, the title widening, hit codes, the caption buttons' visibility
// table and their layout by Align.
#include "skin/form/CaptionButtons.h"
#include "skin/form/FrameMetrics.h"
#include "skin/form/NcHitTest.h"

#include <gtest/gtest.h>

namespace {

void SizeBitmap(qx::TBitmap& b, int w, int h) {
    b.SetPixelFormat(qx::TPixelFormat::pf24bit);
    b.SetSize(w, h);
}

TEST(BorderKind, FollowsCaptionFrameAndDialogBits) {
    EXPECT_EQ(BorderKindOf(WS_OVERLAPPEDWINDOW, 0, false), bkSizeable);
    EXPECT_EQ(BorderKindOf(WS_CAPTION | WS_SYSMENU, 0, false), bkSingle);
    EXPECT_EQ(BorderKindOf(WS_CAPTION | DS_MODALFRAME, 0, false), bkDialog);
    // Half a caption (only WS_BORDER or only WS_DLGFRAME) is no caption.
    EXPECT_EQ(BorderKindOf(WS_POPUP | WS_BORDER | WS_THICKFRAME, 0, false), bkNone);
    EXPECT_EQ(BorderKindOf(WS_POPUP | WS_DLGFRAME, 0, false), bkNone);
    // The extended dialog frame and the dialog classes win over everything.
    EXPECT_EQ(BorderKindOf(WS_OVERLAPPEDWINDOW, WS_EX_DLGMODALFRAME, false), bkDialog);
    EXPECT_EQ(BorderKindOf(WS_OVERLAPPEDWINDOW, 0, true), bkDialog);
    EXPECT_EQ(BorderKindOf(WS_POPUP, 0, true), bkDialog);
}

TEST(FrameMetrics, ThicknessIsTheImageAcrossTheBorderDividedByItsFrames) {
    TSkinObjectSet skin;
    SizeBitmap(skin.BorderLeft->Bitmap, 12, 60);   // two frames side by side: 6 wide
    skin.BorderLeft->FrameCount = 2;
    SizeBitmap(skin.BorderRight->Bitmap, 7, 60);   // one frame
    skin.BorderRight->FrameCount = 1;
    SizeBitmap(skin.BorderTop->Bitmap, 40, 57);    // three frames stacked: 19 high
    skin.BorderTop->FrameCount = 3;
    SizeBitmap(skin.BorderBottom->Bitmap, 40, 9);  // frame count 0 counts as one
    skin.BorderBottom->FrameCount = 0;
    const TFrameMetrics m = MeasureFrame(skin, bkSizeable);
    EXPECT_EQ(m.Left, 6);
    EXPECT_EQ(m.Right, 7);
    EXPECT_EQ(m.Top, 19);
    EXPECT_EQ(m.Bottom, 9);
    EXPECT_EQ(m.Menu, 0);
    EXPECT_EQ(MeasureFrame(skin, bkNone), TFrameMetrics{});
    // An empty image gives no border.
    skin.BorderTop->Bitmap.SetSize(0, 0);
    EXPECT_EQ(MeasureFrame(skin, bkDialog).Top, 0);
}

TEST(FrameMetrics, ClientAndWindowRectanglesAreEachOthersFrame) {
    const TFrameMetrics m{5, 28, 6, 4, 19};
    const RECT client = ClientRectIn(RECT{100, 50, 400, 350}, m);
    EXPECT_EQ(client.left, 105);
    EXPECT_EQ(client.top, 50 + 28 + 19);
    EXPECT_EQ(client.right, 394);
    EXPECT_EQ(client.bottom, 346);
    const SIZE window = WindowSizeFor({client.right - client.left, client.bottom - client.top}, m);
    EXPECT_EQ(window.cx, 300);
    EXPECT_EQ(window.cy, 300);
}

TEST(FrameMetrics, ADialogNarrowerThanItsTitleGrowsAndCentresItsControls) {
    // TextShift 22 + title 200 + TextRightClip 96 = 318.
    TTitleWidening w = WidenForTitle(250, 22, 200, 96);
    EXPECT_EQ(w.Width, 318);
    EXPECT_EQ(w.Shift, 34);
    w = WidenForTitle(318, 22, 200, 96);
    EXPECT_EQ(w.Width, 318);
    EXPECT_EQ(w.Shift, 0);
    w = WidenForTitle(500, 22, 200, 96);
    EXPECT_EQ(w.Width, 500);
    EXPECT_EQ(w.Shift, 0);
}

TEST(NcHitTest, CaptionAndMenuBandReplaceNowhereAndCaption) {
    const TFrameMetrics m{5, 28, 5, 4, 19};
    EXPECT_EQ(SkinHitCode(HTNOWHERE, {50, 10}, m), HTCAPTION);
    EXPECT_EQ(SkinHitCode(HTCAPTION, {50, 27}, m), HTCAPTION);
    EXPECT_EQ(SkinHitCode(HTCAPTION, {50, 29}, m), HTMENU);
    EXPECT_EQ(SkinHitCode(HTNOWHERE, {50, 45}, m), HTMENU);
    // The top three rows keep the default's answer, for sizing from the top edge.
    EXPECT_EQ(SkinHitCode(HTNOWHERE, {50, 3}, m), HTNOWHERE);
    EXPECT_EQ(SkinHitCode(HTCAPTION, {50, 0}, m), HTCAPTION);
    // Border codes and the client stay.
    for (LRESULT code : {HTLEFT, HTRIGHT, HTTOP, HTBOTTOM, HTTOPLEFT, HTBOTTOMRIGHT, HTCLIENT, HTVSCROLL})
        EXPECT_EQ(SkinHitCode(code, {50, 10}, m), code) << code;
    // The system's own caption buttons are not drawn: their places are caption.
    for (LRESULT code : {HTCLOSE, HTMAXBUTTON, HTMINBUTTON, HTSYSMENU, HTHELP}) {
        EXPECT_EQ(SkinHitCode(code, {50, 10}, m), HTCAPTION) << code;
        EXPECT_EQ(SkinHitCode(code, {50, 2}, m), HTCAPTION) << code;
    }
    // Without a menu band, below the caption is still caption.
    EXPECT_EQ(SkinHitCode(HTNOWHERE, {50, 40}, TFrameMetrics{5, 28, 5, 4, 0}), HTCAPTION);
}

//--- visibility

TButtonContext Context() {
    TButtonContext c;
    c.SystemMenu = c.MaximizeBox = c.MinimizeBox = true;
    c.Active = true;
    return c;
}

TEST(ButtonVisibility, EveryCodeOfTheFirstCondition) {
    TButtonContext c = Context();
    EXPECT_TRUE(FirstVisibility(0, 1, c));
    EXPECT_TRUE(FirstVisibility(0, 0, c));
    c.SystemMenu = false;
    EXPECT_FALSE(FirstVisibility(0, 0, c));  // a close button needs a system menu
    EXPECT_TRUE(FirstVisibility(0, 5, c));   // any other action does not
    c = Context();
    EXPECT_FALSE(FirstVisibility(1, 1, c));
    EXPECT_TRUE(FirstVisibility(2, 1, c));
    c.Maximized = true;
    EXPECT_TRUE(FirstVisibility(1, 1, c));
    EXPECT_FALSE(FirstVisibility(2, 1, c));
    c = Context();
    EXPECT_TRUE(FirstVisibility(3, 1, c));
    EXPECT_FALSE(FirstVisibility(4, 1, c));
    c.Active = false;
    EXPECT_FALSE(FirstVisibility(3, 1, c));
    EXPECT_TRUE(FirstVisibility(4, 1, c));
    c = Context();
    EXPECT_FALSE(FirstVisibility(5, 1, c));
    EXPECT_TRUE(FirstVisibility(6, 1, c));
    EXPECT_FALSE(FirstVisibility(7, 1, c));
    EXPECT_TRUE(FirstVisibility(8, 1, c));
    EXPECT_FALSE(FirstVisibility(9, 1, c));
    c.SystemMenu = false;  // 6 and 8 need the system menu too
    EXPECT_FALSE(FirstVisibility(6, 1, c));
    EXPECT_FALSE(FirstVisibility(8, 1, c));
    c.MaximizeBox = c.MinimizeBox = false;
    EXPECT_TRUE(FirstVisibility(7, 1, c));
    EXPECT_TRUE(FirstVisibility(9, 1, c));
    c = Context();
    for (int code : {10, 50, 99, 101, 150, 199, 2001, 5000, -2, -1}) EXPECT_FALSE(FirstVisibility(code, 1, c)) << code;
    for (int code : {201, 500, 999}) EXPECT_TRUE(FirstVisibility(code, 1, c)) << code;
    EXPECT_FALSE(FirstVisibility(100, 1, c));
    c.MdiChildMaximizedInMenuBar = true;
    EXPECT_TRUE(FirstVisibility(100, 1, c));
    c = Context();
    EXPECT_FALSE(FirstVisibility(200, 1, c));
    c.BorderKind = bkDialog;
    EXPECT_TRUE(FirstVisibility(200, 1, c));
    c.DialogBox = true;  // a message box is no such dialog
    EXPECT_FALSE(FirstVisibility(200, 1, c));
}

TEST(ButtonVisibility, TheApplicationDecidesCodes1000To2000) {
    TButtonContext c = Context();
    int asked = 0, lastCode = 0, lastAction = 0;
    c.AskApplication = [&](int code, int action) -> LRESULT {
        ++asked;
        lastCode = code;
        lastAction = action;
        return action == 42 ? 1 : 0;
    };
    EXPECT_TRUE(FirstVisibility(1000, 42, c));
    EXPECT_EQ(lastCode, 1000);
    EXPECT_EQ(lastAction, 42);
    EXPECT_FALSE(FirstVisibility(2000, 41, c));
    EXPECT_EQ(asked, 2);
    EXPECT_TRUE(SecondVisibility(1500, c));  // the second condition does not ask
    EXPECT_EQ(asked, 2);
}

TEST(ButtonVisibility, EveryCodeOfTheSecondCondition) {
    TButtonContext c = Context();
    EXPECT_TRUE(SecondVisibility(0, c));
    EXPECT_FALSE(SecondVisibility(-1, c));  // what the skin gives buttons without an action
    EXPECT_FALSE(SecondVisibility(1, c));
    EXPECT_TRUE(SecondVisibility(2, c));
    EXPECT_TRUE(SecondVisibility(3, c));
    EXPECT_FALSE(SecondVisibility(4, c));
    EXPECT_FALSE(SecondVisibility(5, c));
    EXPECT_TRUE(SecondVisibility(6, c));
    EXPECT_FALSE(SecondVisibility(7, c));
    EXPECT_TRUE(SecondVisibility(8, c));
    EXPECT_FALSE(SecondVisibility(9, c));
    c.SystemMenu = false;  // unlike the first condition, 6 and 8 only ask for the box
    EXPECT_TRUE(SecondVisibility(6, c));
    EXPECT_TRUE(SecondVisibility(8, c));
    for (int code : {201, 999, 1000, 2000}) EXPECT_TRUE(SecondVisibility(code, c)) << code;
    for (int code : {10, 150, 2001}) EXPECT_FALSE(SecondVisibility(code, c)) << code;
}

TEST(ButtonVisibility, BoxesAndDialogBordersHideTheirButtonsWhateverTheCodes) {
    TDataSkinSysButton maximize("B");
    maximize.Action = 1;
    maximize.Visibility = 201;
    maximize.Visibility1 = 201;
    TButtonContext c = Context();
    EXPECT_TRUE(ButtonVisible(maximize, c));
    c.MaximizeBox = false;
    EXPECT_FALSE(ButtonVisible(maximize, c));

    TDataSkinSysButton minimize("B");
    minimize.Action = 2;
    minimize.Visibility = minimize.Visibility1 = 0;
    c = Context();
    EXPECT_TRUE(ButtonVisible(minimize, c));
    c.MinimizeBox = false;
    EXPECT_FALSE(ButtonVisible(minimize, c));

    for (int action : {3, 11, 12}) {
        TDataSkinSysButton icon("B");
        icon.Action = action;
        c = Context();
        EXPECT_TRUE(ButtonVisible(icon, c)) << action;
        c.BorderKind = bkDialog;
        EXPECT_FALSE(ButtonVisible(icon, c)) << action;
    }
    // Both conditions must hold.
    TDataSkinSysButton both("B");
    both.Action = 5;
    both.Visibility = 3;
    both.Visibility1 = 2;
    c = Context();
    EXPECT_TRUE(ButtonVisible(both, c));
    c.Maximized = true;
    EXPECT_FALSE(ButtonVisible(both, c));
}

//--- layout

TEST(ButtonLayout, EveryAlign) {
    TDataSkinSysButton b("B");
    b.Xcoord = 34;
    b.Ycoord = 4;
    const SIZE size{27, 20};
    TLayoutContext c;
    c.WindowWidth = 400;
    c.TitleRect = RECT{40, 2, 180, 26};
    c.Metrics = TFrameMetrics{5, 28, 6, 4, 20};
    auto at = [&](int align) {
        b.Align = align;
        const RECT r = LayoutButton(b, size, c);
        EXPECT_EQ(r.right - r.left, size.cx);
        EXPECT_EQ(r.bottom - r.top, size.cy);
        return POINT{r.left, r.top};
    };
    auto same = [](POINT p, POINT q) { return p.x == q.x && p.y == q.y; };
    EXPECT_TRUE(same(at(0), POINT{34, 4}));
    EXPECT_TRUE(same(at(1), POINT{400 - 34, 4}));
    EXPECT_TRUE(same(at(2), POINT{40 - 27 - 34, 4}));
    EXPECT_TRUE(same(at(8), POINT{40 - 27 - 34, 4}));
    EXPECT_TRUE(same(at(3), POINT{34 + 180, 4}));
    EXPECT_TRUE(same(at(9), POINT{34 + 180, 4}));
    // In the menu band: centred in its height, anchored to the right border.
    EXPECT_TRUE(same(at(100), POINT{400 - 34 - 6, (20 - 20) / 2 + 28}));
    c.MenuBarMargin = 3;
    EXPECT_TRUE(same(at(100), POINT{400 - 34 - 6 - 3, 28}));
    c.RightToLeft = true;
    EXPECT_TRUE(same(at(100), POINT{34 + 5 + 3, 28}));
    for (int other : {4, 7, 10, 99})
        EXPECT_TRUE(same(at(other), POINT{0, 0})) << other;
}

TEST(ButtonActions, CodesWithAMeaningOfTheirOwn) {
    EXPECT_TRUE(IsMaximizeAction(1) && IsMaximizeAction(22) && !IsMaximizeAction(2));
    EXPECT_TRUE(IsMinimizeAction(2) && IsMinimizeAction(23) && !IsMinimizeAction(1));
    EXPECT_TRUE(IsIconAction(3) && IsIconAction(11) && !IsIconAction(12));
    EXPECT_TRUE(IsSystemMenuAction(12));
    EXPECT_EQ(MdiChildCommand(7), static_cast<UINT>(SC_MINIMIZE));
    EXPECT_EQ(MdiChildCommand(60), static_cast<UINT>(SC_MINIMIZE));
    EXPECT_EQ(MdiChildCommand(8), static_cast<UINT>(SC_RESTORE));
    EXPECT_EQ(MdiChildCommand(61), static_cast<UINT>(SC_RESTORE));
    EXPECT_EQ(MdiChildCommand(9), static_cast<UINT>(SC_CLOSE));
    EXPECT_EQ(MdiChildCommand(62), static_cast<UINT>(SC_CLOSE));
    EXPECT_EQ(MdiChildCommand(10), 0u);
}

}  // namespace
