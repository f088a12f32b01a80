// The skin viewer: its menus, the skin it starts with, opening another skin into the running
// window, switching skinning off and on, the popup menu of a right click, and screenshots of
// the window with its menus open.
#include "SkinViewSupport.h"

#include "framework/ListControls.h"
#include "skin/controls/SkinManage.h"
#include "skin/form/WinSkinForm.h"

#include <gtest/gtest.h>

using namespace qx;
using namespace viewtest;

namespace {

class SkinViewTest : public ::testing::Test {
protected:
    void TearDown() override {
        if (form) CloseViewer(form);
    }
    TSkinViewForm* form = nullptr;
};

TEST_F(SkinViewTest, MenusCarryEveryKindOfItem) {
    form = OpenViewer({}, false);
    TMenuItem* bar = form->MainMenu1->Items();
    ASSERT_EQ(bar->Count(), 3);
    EXPECT_EQ(bar->Items(0)->Caption(), L"文件(&F)");
    EXPECT_EQ(bar->Items(1)->Caption(), L"视图(&V)");
    EXPECT_EQ(bar->Items(2)->Caption(), L"帮助(&H)");
    const struct {
        TMenuItem* Item;
        std::wstring ShortCut;
        bool Enabled, Checked, Radio, Default;
        int Image;
    } items[] = {
        {form->FileOpen, L"Ctrl+O", true, false, false, false, -1},
        {form->ViewSkinned, L"", true, true, false, false, -1},
        {form->ViewReload, L"F5", true, false, false, false, 3},
        {form->ViewDisabled, L"", false, false, false, false, -1},
        {form->PageButtons, L"", true, true, true, false, -1},
        {form->PageRanges, L"", true, false, true, false, -1},
        {form->PopupMenu1->Items()->Items(1), L"", true, true, false, false, 1},
        {form->PopupMenu1->Items()->Items(2), L"", true, false, false, true, -1},
        {form->PopupMenu1->Items()->Items(3), L"Ctrl+V", false, false, false, false, 2},
    };
    for (const auto& w : items) {
        SCOPED_TRACE(testing::Message() << "item " << (&w - items));
        EXPECT_EQ(w.Item->ShortCutText(), w.ShortCut);
        EXPECT_EQ(w.Item->Enabled(), w.Enabled);
        EXPECT_EQ(w.Item->Checked(), w.Checked);
        EXPECT_EQ(w.Item->RadioItem(), w.Radio);
        EXPECT_EQ(w.Item->Default(), w.Default);
        EXPECT_EQ(w.Item->ImageIndex(), w.Image);
    }
    EXPECT_EQ(form->ViewPages->Count(), 4);
    EXPECT_EQ(form->PopupMenu1->Images(), form->ImageList1);
    EXPECT_EQ(form->ImageList1->Count(), 4);
}

TEST_F(SkinViewTest, StartsWithTheFileNamedOrTheDefaultSkin) {
    const std::wstring green = WriteSkinFile("view_green.skin", "Colours", "Menu", "10 200 30");
    const std::wstring junk = WriteJunkFile("view_junk.skin");
    const struct {
        std::wstring File;
        std::wstring Path;
        COLORREF Menu;
    } cases[] = {
        {L"", L"", RGB(251, 252, 253)},
        {green, green, RGB(10, 200, 30)},
        {junk, L"", RGB(251, 252, 253)},
        {L"Z:\\no\\such\\file.skin", L"", RGB(251, 252, 253)},
    };
    TSkinMessageProc old = SetSkinMessageProc([](const std::wstring&) {});
    for (const auto& c : cases) {
        form = OpenViewer(c.File, false);
        EXPECT_FALSE(form->SkinData1->NotLoaded());
        EXPECT_EQ(form->SkinPath(), c.Path);
        EXPECT_EQ(form->SkinData1->Menu, c.Menu);
        CloseViewer(form);
    }
    SetSkinMessageProc(old);
}

TEST_F(SkinViewTest, OpeningAnotherSkinReloadsTheRunningWindow) {
    const std::wstring green = WriteSkinFile("view_green.skin", "Colours", "Menu", "10 200 30");
    const std::wstring red = WriteSkinFile("view_red.skin", "Colours", "ButtonFace", "200 40 40");
    const std::wstring junk = WriteJunkFile("view_junk.skin");
    TSkinMessageProc old = SetSkinMessageProc([](const std::wstring&) {});
    form = OpenViewer(green);
    ASSERT_TRUE(IsSkinned(form->Handle()));
    std::vector<std::wstring> told;
    form->Tell = [&](const std::wstring& text) { told.push_back(text); };
    std::wstring chosen = red;
    form->ChooseSkinFile = [&] { return chosen; };
    form->FileOpen->Click();
    EXPECT_EQ(form->SkinPath(), red);
    EXPECT_EQ(form->SkinData1->ButtonFace, RGB(200, 40, 40));
    // The window took the new skin's face colour once the manager re-applied it.
    EXPECT_TRUE(test::PumpUntil([&] { return form->Color() == RGB(200, 40, 40); }));
    EXPECT_TRUE(IsSkinned(form->Handle()));
    // A file that is no skin: the user is told, and the skin shown stays.
    chosen = junk;
    form->FileOpen->Click();
    ASSERT_EQ(told.size(), 1u);
    EXPECT_NE(told[0].find(junk), std::wstring::npos);
    EXPECT_EQ(form->SkinPath(), red);
    EXPECT_FALSE(form->SkinData1->NotLoaded());
    EXPECT_EQ(form->SkinData1->ButtonFace, RGB(200, 40, 40));
    // Cancelling the choice changes nothing.
    chosen.clear();
    form->FileOpen->Click();
    EXPECT_EQ(told.size(), 1u);
    SetSkinMessageProc(old);
}

// Off, the window has its own menu bar back; on again, the skinned bar takes it over.
TEST_F(SkinViewTest, TheViewMenuSwitchesSkinningOffAndOn) {
    form = OpenViewer();
    ASSERT_TRUE(IsSkinned(form->Handle()));
    EXPECT_EQ(::GetMenu(form->Handle()), nullptr);
    form->ViewSkinned->Click();
    EXPECT_FALSE(form->ViewSkinned->Checked());
    EXPECT_TRUE(test::PumpUntil([&] { return !IsSkinned(form->Handle()); }));
    EXPECT_EQ(::GetMenu(form->Handle()), form->MainMenu1->Handle());
    // The native drop-downs draw their items themselves again.
    MENUITEMINFOW info{sizeof(info)};
    info.fMask = MIIM_FTYPE;
    ASSERT_TRUE(::GetMenuItemInfoW(form->ViewMenu->Handle(), 0, TRUE, &info));
    EXPECT_FALSE(info.fType & MFT_OWNERDRAW);
    form->ViewSkinned->Click();
    EXPECT_TRUE(form->ViewSkinned->Checked());
    EXPECT_TRUE(test::PumpUntil([&] { return IsSkinned(form->Handle()); }));
    EXPECT_TRUE(test::PumpUntil([&] { return ::GetMenu(form->Handle()) == nullptr; }));
}

// Alt+F reaches the window as a system key: the file menu drops down.
TEST_F(SkinViewTest, AltFOpensTheFileMenu) {
    form = OpenViewer();
    HMENU opened = nullptr;
    std::string shot = ShootMenu(
        form->Handle(), [&] { ::SendMessageW(form->Handle(), WM_SYSCHAR, L'f', 1 << 29); },
        {{1, [&] { opened = reinterpret_cast<HMENU>(::SendMessageW(MenuWindows()[0], MN_GETHMENU, 0, 0)); }}}, 1,
        "skinview_file_menu");
    EXPECT_FALSE(shot.empty());
    EXPECT_EQ(opened, form->FileMenu->Handle());
}

// Each page item brings its page to the front; only that page is visible.
// A skin whose control images are all missing still skins the window; every page shows, the
// page control still changes pages by its tabs and the memo still scrolls by its bar.
TEST_F(SkinViewTest, ASkinWithoutControlImagesLeavesEveryPageUsable) {
    const std::wstring bare = WriteSkinFileWithout(
        "view_bare.skin", {"scrollbar.bmp", "horzscroll.bmp", "vertscroll.bmp", "horzthumb.bmp", "vertthumb.bmp",
                           "tabs.bmp", "tabborder.bmp", "progress.bmp", "progresschunk.bmp", "trackthumbhorz.bmp",
                           "trackthumbvert.bmp", "trackthumbleft.bmp", "trackthumbright.bmp", "trackthumbup.bmp",
                           "trackthumbdown.bmp", "updownhorz.bmp", "updownhorzglyph.bmp", "updownvert.bmp",
                           "updownvertglyph.bmp", "headerbar.bmp", "statusbaredges.bmp", "toolbars.bmp",
                           "extraimages.bmp", "combobutton.bmp", "sunkedge.bmp"});
    TSkinMessageProc old = SetSkinMessageProc([](const std::wstring&) {});
    form = OpenViewer(bare);
    SetSkinMessageProc(old);
    ASSERT_EQ(form->SkinPath(), bare);
    ASSERT_TRUE(IsSkinned(form->Handle()));
    const struct {
        TMenuItem* Item;
        const char* Shot;
    } pages[] = {{form->PageButtons, "skinview_bare_page1"}, {form->PageInputs, "skinview_bare_page2"},
                 {form->PageLists, "skinview_bare_page3"}, {form->PageRanges, "skinview_bare_page4"}};
    for (const auto& p : pages) {
        p.Item->Click();
        RepaintAll(form->Handle());
        EXPECT_FALSE(ShotWithMenus(form->Handle(), p.Shot).empty()) << p.Shot;
    }

    RECT tab{};
    ::SendMessageW(form->Pages->Handle(), TCM_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&tab));
    const LPARAM at = MAKELPARAM((tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2);
    ::SendMessageW(form->Pages->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::SendMessageW(form->Pages->Handle(), WM_LBUTTONUP, 0, at);
    test::PumpPending();
    EXPECT_EQ(form->Pages->ActivePage(), form->ListsPage);

    form->PageInputs->Click();
    TMemo* memo = nullptr;
    for (int i = 0; i < form->ComponentCount() && !memo; ++i) memo = dynamic_cast<TMemo*>(form->Components(i));
    ASSERT_NE(memo, nullptr);
    ::SendMessageW(memo->Handle(), WM_VSCROLL, SB_LINEDOWN, 0);
    ::SendMessageW(memo->Handle(), WM_VSCROLL, SB_LINEDOWN, 0);
    test::PumpPending();
    EXPECT_EQ(::SendMessageW(memo->Handle(), EM_GETFIRSTVISIBLELINE, 0, 0), 2);
}

TEST_F(SkinViewTest, PageItemsShowTheirPages) {
    form = OpenViewer({}, false);
    const struct {
        TMenuItem* Item;
        TTabSheet* Page;
    } cases[] = {{form->PageInputs, form->InputsPage}, {form->PageRanges, form->RangesPage},
                 {form->PageLists, form->ListsPage}, {form->PageButtons, form->ButtonsPage}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "page " << (&c - cases));
        c.Item->Click();
        EXPECT_TRUE(c.Item->Checked());
        EXPECT_EQ(form->Pages->ActivePage(), c.Page);
        for (int i = 0; i < form->Pages->PageCount(); ++i)
            EXPECT_EQ(form->Pages->Pages(i)->Visible(), form->Pages->Pages(i) == c.Page);
        EXPECT_EQ(form->StatusBar1->Panels()->Items(1)->Text(), c.Page->Caption());
    }
    EXPECT_FALSE(form->PageRanges->Checked());
}

TEST_F(SkinViewTest, ARightClickOpensThePopupMenu) {
    form = OpenViewer();
    POINT at{60, 290};
    ::ClientToScreen(form->Handle(), &at);
    std::string shot = ShootMenu(
        form->Handle(), [&] { ::SendMessageW(form->Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(form->Handle()), MAKELPARAM(at.x, at.y)); },
        {{1, [] { ::PostMessageW(MenuWindows()[0], WM_KEYDOWN, VK_DOWN, 0); }}}, 1, "skinview_popup");
    EXPECT_FALSE(shot.empty());
    // Choosing from it: the first item.
    ASSERT_TRUE(test::PumpUntil([] { return MenuWindows().empty(); }));
    struct Chooser {
        static void CALLBACK Tick(HWND, UINT, UINT_PTR id, DWORD) noexcept {
            std::vector<HWND> menus = MenuWindows();
            if (menus.empty()) return;
            ::KillTimer(nullptr, id);
            ::PostMessageW(menus[0], WM_KEYDOWN, VK_DOWN, 0);
            ::PostMessageW(menus[0], WM_KEYDOWN, VK_RETURN, 0);
        }
    };
    ::SetTimer(nullptr, 0, 30, &Chooser::Tick);
    ::SendMessageW(form->Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(form->Handle()), MAKELPARAM(at.x, at.y));
    EXPECT_EQ(form->ChoiceLabel->Caption(), L"最近选择：复制(&C)");
}

// Screenshots to look at: the viewer with its menu bar, active and inactive, narrowed until the
// bar wraps, and with the view menu and its page submenu open.
TEST_F(SkinViewTest, Screenshots) {
    form = OpenViewer();
    RepaintAll(form->Handle());
    EXPECT_FALSE(ShotWithMenus(form->Handle(), "skinview_active").empty());
    // Another window takes the activation.
    HWND other = ::CreateWindowExW(0, L"STATIC", L"other", WS_POPUP | WS_VISIBLE | WS_BORDER, 900, 600, 100, 60, nullptr,
                                   nullptr, nullptr, nullptr);
    ::SetActiveWindow(other);
    test::PumpPending(std::chrono::milliseconds(300));
    EXPECT_FALSE(ShotWithMenus(form->Handle(), "skinview_inactive").empty());
    ::DestroyWindow(other);
    ::SetForegroundWindow(form->Handle());
    test::PumpPending(std::chrono::milliseconds(200));

    // The view menu, then its page submenu (the last item: Up wraps to it, Right opens it).
    std::string shot = ShootMenu(
        form->Handle(), [&] { ::PostMessageW(form->Handle(), WM_SYSCOMMAND, SC_KEYMENU, 'v'); test::PumpUntil([] { return !MenuWindows().empty(); }, std::chrono::milliseconds(1500)); },
        {{1, [] { ::PostMessageW(MenuWindows()[0], WM_KEYDOWN, VK_UP, 0); }},
         {1, [] { ::PostMessageW(MenuWindows()[0], WM_KEYDOWN, VK_RIGHT, 0); }}},
        2, "skinview_view_menu");
    EXPECT_FALSE(shot.empty());

    // Narrow: the bar wraps to a second row.
    RECT r{};
    ::GetWindowRect(form->Handle(), &r);
    RECT client{};
    ::GetClientRect(form->Handle(), &client);
    ::SetWindowPos(form->Handle(), nullptr, 0, 0, 150, r.bottom - r.top, SWP_NOMOVE | SWP_NOZORDER);
    test::PumpPending(std::chrono::milliseconds(300));
    const int row = ::GetSystemMetrics(SM_CYMENU);
    TWinSkinForm* skinned = SkinManager->FindSkinForm(form->Handle());
    ASSERT_NE(skinned, nullptr);
    EXPECT_EQ(skinned->Metrics().Menu, 2 * row);
    RECT narrow{};
    ::GetClientRect(form->Handle(), &narrow);
    EXPECT_EQ(narrow.bottom, client.bottom - row);
    EXPECT_FALSE(ShotWithMenus(form->Handle(), "skinview_wrapped").empty());
}

}  // namespace
