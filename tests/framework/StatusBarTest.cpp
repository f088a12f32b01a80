// Status bar panels: an owner-drawn panel is painted by OnDrawPanel in its own rectangle, and a
// simple panel replaces the panels with one text.
#include "framework/Forms.h"
#include "framework/StatusBar.h"
#include "support/TestSupport.h"

#include <commctrl.h>
#include <gtest/gtest.h>

using namespace qx;

namespace {

class StatusBarTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::EnsureApplication();
        form = new TForm(Application);
        form->SetBounds(0, 0, 400, 300);
        bar = new TStatusBar(form);
        bar->SetParent(form);
        TStatusPanel* text = bar->Panels()->Add();
        text->SetText(L"text");
        text->SetWidth(100);
        bar->Panels()->Add()->SetStyle(TStatusPanelStyle::psOwnerDraw);
    }
    void TearDown() override { delete form; }

public:
    void DrawPanel(TStatusBar* sender, TStatusPanel* panel, const RECT& rect) {
        drawn.push_back(panel->Index());
        sender->Canvas().Brush().SetColor(static_cast<TColor>(RGB(255, 0, 0)));
        sender->Canvas().FillRect(rect);
    }

    TForm* form = nullptr;
    TStatusBar* bar = nullptr;
    std::vector<int> drawn;
};

TEST_F(StatusBarTest, OwnerDrawnPanelIsPaintedByOnDrawPanelInItsRectangle) {
    bar->OnDrawPanel = TDrawPanelEvent::Of<&StatusBarTest::DrawPanel>(this);
    form->Show();  // the system paints no part of a hidden bar
    RECT part{};
    ::SendMessageW(bar->Handle(), SB_GETRECT, 1, reinterpret_cast<LPARAM>(&part));
    test::DibCanvas canvas(bar->Width(), bar->Height());
    ::SendMessageW(bar->Handle(), WM_PAINT, reinterpret_cast<WPARAM>(canvas.Dc()), 0);
    EXPECT_EQ(drawn, std::vector<int>{1});
    EXPECT_EQ(canvas.PixelRef((part.left + part.right) / 2, (part.top + part.bottom) / 2), RGB(255, 0, 0));
    EXPECT_NE(canvas.PixelRef(50, bar->Height() / 2), RGB(255, 0, 0));  // the text panel is the system's
}

TEST_F(StatusBarTest, SimplePanelShowsTheSimpleTextInsteadOfThePanels) {
    bar->SetSimpleText(L"Connecting");
    bar->SetSimplePanel(true);
    EXPECT_TRUE(::SendMessageW(bar->Handle(), SB_ISSIMPLE, 0, 0));
    wchar_t text[32] = {};
    ::SendMessageW(bar->Handle(), SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(text));  // the simple part
    EXPECT_STREQ(text, L"Connecting");
    bar->SetSimplePanel(false);
    EXPECT_FALSE(::SendMessageW(bar->Handle(), SB_ISSIMPLE, 0, 0));
}

}  // namespace
