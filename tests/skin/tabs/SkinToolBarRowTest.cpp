// The tool bar and cool bar rows on a skinned form: a tool bar without custom-draw handlers gets
// the form's two (one with its own keeps them), its menu takes the skinned item look when the
// skin skins menu items, a cool bar's bands take the face colour; letting go of the window
// gives the tool bar back exactly what it had. The bar paints all of itself, also below its rows.
#include "framework/CoolBar.h"
#include "framework/Handles.h"
#include "framework/Menus.h"
#include "framework/ToolBar.h"
#include "skin/controls/SkinFormAdapter.h"
#include "skin/form/WinSkinForm.h"
#include "support/BoxesTestSupport.h"

#include <commctrl.h>
#include <gtest/gtest.h>
#include <uxtheme.h>

using namespace boxestest;
using qx::test::DibCanvas;

namespace {

// The part of the cool bar below its rows (the bar is taller than they need): the system bar
// erases only its bands, so this strip shows whether the bar painted its own background. The
// number of its pixels that are black or differ from the strip's first pixel.
int BadStripPixels(const DibCanvas& shot, HWND form, qx::TCoolBar* bars) {
    RECT fr{}, br{};
    ::GetWindowRect(form, &fr);
    ::GetWindowRect(bars->Handle(), &br);
    const int rows = static_cast<int>(::SendMessageW(bars->Handle(), RB_GETBARHEIGHT, 0, 0));
    const int left = br.left - fr.left, top = br.top - fr.top + rows + 2, bottom = br.bottom - fr.top;
    const COLORREF first = shot.PixelRef(left + 2, top);
    int bad = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = left + 2; x < br.right - fr.left - 2; x += 7) {
            const COLORREF c = shot.PixelRef(x, y);
            if (c == RGB(0, 0, 0) || c != first) ++bad;
        }
    return bad;
}

// A tool bar that paints its own background.
struct TOwnDraw {
    void Draw(qx::TToolBar* bar, const RECT& rect, bool&) {
        qx::UniqueBrush brush(::CreateSolidBrush(RGB(250, 240, 200)));
        ::FillRect(bar->Canvas().Handle(), &rect, brush.get());
    }
};

TEST(SkinToolBarRowTest, ToolBarTakesTheFormsHandlersWhereItHasNoneAndGivesThemBack) {
    auto skin = LoadDefaultSkin();
    ASSERT_NE(skin, nullptr);
    skin->SetSkinControls(skin->SkinControls() | SkinControlBit(xcMenuItem));
    InstallControlClassification();
    qx::TForm* form = NewForm(360, 200);
    auto* bars = new qx::TCoolBar(form);
    bars->SetParent(form);
    bars->SetBounds(0, 0, 360, 60);
    auto* bar = new qx::TToolBar(form);
    bar->SetParent(bars);
    bar->SetBounds(0, 0, 200, 26);
    for (int i = 0; i < 3; ++i) (new qx::TToolButton(form))->SetParent(bar);
    auto* own = new qx::TToolBar(form);
    own->SetParent(form);
    own->SetBounds(0, 80, 200, 26);
    TOwnDraw ownDraw;
    own->OnCustomDraw = qx::TTBCustomDrawEvent::Of<&TOwnDraw::Draw>(&ownDraw);
    for (qx::TWinControl* c : {static_cast<qx::TWinControl*>(bar), static_cast<qx::TWinControl*>(own)}) {
        qx::TCoolBand* band = bars->Bands()->Add();
        (void)c;
        band->SetColor(RGB(200, 0, 0));
    }
    bars->Bands()->Items(0)->SetControl(bar);
    qx::TMainMenu menu(nullptr);
    for (const wchar_t* t : {L"File", L"Router"}) {
        auto* item = new qx::TMenuItem(&menu);
        item->SetCaption(t);
        menu.Items()->Add(item);
    }
    bar->SetMenu(&menu);
    form->Show();
    qx::test::PumpPending(std::chrono::milliseconds(30));

    {
        PaintNow(form->Handle());
        RECT fr{};
        ::GetWindowRect(form->Handle(), &fr);
        DibCanvas before(fr.right - fr.left, fr.bottom - fr.top);
        ScreenShot(form->Handle(), before);
        const std::string path = SaveShot(before, "SkinToolBar_Before");
        ASSERT_LT(static_cast<int>(::SendMessageW(bars->Handle(), RB_GETBARHEIGHT, 0, 0)) + 6, bars->Height());
        EXPECT_EQ(BadStripPixels(before, form->Handle(), bars), 0) << path;
    }
    auto* frame = new TWinSkinForm(form);
    frame->SetHandle(form->Handle());
    frame->AttachForm(skin.get(), form);
    ::PostMessageW(form->Handle(), SKN_ACTIVATE, 0, 1000);
    ASSERT_TRUE(qx::test::PumpUntil([&] { return frame->State() == kFormActive; }));
    PaintNow(form->Handle());
    RECT fr{};
    ::GetWindowRect(form->Handle(), &fr);
    DibCanvas shot(fr.right - fr.left, fr.bottom - fr.top);
    ScreenShot(form->Handle(), shot);
    const std::string path = SaveShot(shot, "SkinToolBar_Skinned");

    EXPECT_TRUE(bar->OnCustomDraw) << path;
    EXPECT_TRUE(bar->OnCustomDrawButton);
    EXPECT_TRUE(bar->Flat());
    EXPECT_TRUE(own->OnCustomDraw == qx::TTBCustomDrawEvent::Of<&TOwnDraw::Draw>(&ownDraw));
    EXPECT_TRUE(own->OnCustomDrawButton);  // it had none of these
    EXPECT_TRUE(menu.OwnerDraw());
    for (int i = 0; i < bars->Bands()->Count(); ++i) EXPECT_EQ(bars->Bands()->Items(i)->Color(), skin->ButtonFace) << i;
    EXPECT_EQ(BadStripPixels(shot, form->Handle(), bars), 0) << path;
    // Without a theme the strip takes the bar's own colour.
    ::SetWindowTheme(bars->Handle(), L" ", L" ");
    bars->SetColor(RGB(30, 160, 90));
    DibCanvas plain(shot.Width(), shot.Height());
    ScreenShot(form->Handle(), plain);
    const std::string plainPath = SaveShot(plain, "SkinToolBar_Unthemed");
    EXPECT_EQ(BadStripPixels(plain, form->Handle(), bars), 0) << plainPath;
    RECT br{};
    ::GetWindowRect(bars->Handle(), &br);
    EXPECT_EQ(plain.PixelRef(br.left - fr.left + 5, br.bottom - fr.top - 3), RGB(30, 160, 90)) << plainPath;

    frame->Detach();
    EXPECT_FALSE(bar->OnCustomDraw);
    EXPECT_FALSE(bar->OnCustomDrawButton);
    EXPECT_FALSE(own->OnCustomDrawButton);
    EXPECT_TRUE(own->OnCustomDraw == qx::TTBCustomDrawEvent::Of<&TOwnDraw::Draw>(&ownDraw));
    EXPECT_FALSE(menu.OwnerDraw());
    bar->SetMenu(nullptr);
    delete form;
}

}  // namespace
