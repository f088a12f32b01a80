// Menus: the menu handle built from the items, commands reaching the item's click, state
// changes reaching a built menu, owner-drawn items measured and drawn by their handlers or by
// the framework, item data that names no live item, a popup shown and chosen from, and a
// form's menu bar.
#include "framework/Forms.h"
#include "framework/ImageList.h"
#include "framework/Menus.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace qx;

namespace {

struct Clicks {
    std::vector<TObject*> Seen;
    void Click(TObject* sender) { Seen.push_back(sender); }
};

TMenuItem* AddItem(TMenu& menu, TMenuItem* parent, const std::wstring& caption, Clicks* clicks = nullptr) {
    auto* item = new TMenuItem(&menu);
    item->SetCaption(caption);
    if (clicks) item->OnClick = TNotifyEvent::Of<&Clicks::Click>(clicks);
    (parent ? parent : menu.Items())->Add(item);
    return item;
}

std::wstring ItemText(HMENU menu, UINT pos) {
    wchar_t text[64] = {};
    ::GetMenuStringW(menu, pos, text, 64, MF_BYPOSITION);
    return text;
}

TEST(Menus, HandleHoldsTheVisibleItemsWithSubMenusAndSeparators) {
    test::EnsureApplication();
    TPopupMenu menu(nullptr);
    TMenuItem* file = AddItem(menu, nullptr, L"&File");
    AddItem(menu, file, L"Open");
    AddItem(menu, nullptr, L"-");
    TMenuItem* close = AddItem(menu, nullptr, L"Close");
    close->SetShortCutText(L"ALT+F4");
    AddItem(menu, nullptr, L"Hidden")->SetVisible(false);
    HMENU h = menu.Handle();
    ASSERT_NE(h, nullptr);
    ASSERT_EQ(::GetMenuItemCount(h), 3);
    EXPECT_EQ(ItemText(h, 0), L"&File");
    ASSERT_NE(::GetSubMenu(h, 0), nullptr);
    EXPECT_EQ(::GetMenuItemCount(::GetSubMenu(h, 0)), 1);
    MENUITEMINFOW info{sizeof(info)};
    info.fMask = MIIM_FTYPE | MIIM_ID;
    ASSERT_TRUE(::GetMenuItemInfoW(h, 1, TRUE, &info));
    EXPECT_TRUE(info.fType & MFT_SEPARATOR);
    EXPECT_EQ(ItemText(h, 2), L"Close\tALT+F4");
    ASSERT_TRUE(::GetMenuItemInfoW(h, 2, TRUE, &info));
    EXPECT_EQ(info.wID, close->Command());
    // Unchanged items keep the handle; a change makes a new one.
    EXPECT_EQ(menu.Handle(), h);
    close->SetCaption(L"Quit");
    HMENU again = menu.Handle();
    EXPECT_EQ(ItemText(again, 2), L"Quit\tALT+F4");
}

TEST(Menus, CommandsReachTheEnabledItemsClick) {
    TPopupMenu menu(nullptr);
    Clicks clicks;
    TMenuItem* a = AddItem(menu, nullptr, L"A", &clicks);
    TMenuItem* sub = AddItem(menu, nullptr, L"Sub");
    TMenuItem* b = AddItem(menu, sub, L"B", &clicks);
    EXPECT_NE(a->Command(), b->Command());
    EXPECT_TRUE(menu.DispatchCommand(b->Command()));
    EXPECT_TRUE(menu.DispatchCommand(a->Command()));
    ASSERT_EQ(clicks.Seen.size(), 2u);
    EXPECT_EQ(clicks.Seen[0], b);
    EXPECT_EQ(clicks.Seen[1], a);
    a->SetEnabled(false);
    EXPECT_FALSE(menu.DispatchCommand(a->Command()));
    EXPECT_FALSE(menu.DispatchCommand(0));
    TPopupMenu other(nullptr);
    EXPECT_FALSE(other.DispatchCommand(b->Command()));
    EXPECT_EQ(clicks.Seen.size(), 2u);
}

TEST(Menus, EnabledAndCheckedReachABuiltMenu) {
    TPopupMenu menu(nullptr);
    TMenuItem* a = AddItem(menu, nullptr, L"A");
    HMENU h = menu.Handle();
    a->SetEnabled(false);
    a->SetChecked(true);
    EXPECT_EQ(menu.Handle(), h);  // no rebuild for a state change
    const UINT state = ::GetMenuState(h, a->Command(), MF_BYCOMMAND);
    EXPECT_TRUE(state & MF_GRAYED);
    EXPECT_TRUE(state & MF_CHECKED);
}

TEST(Menus, FreedItemsLeaveTheirParentAndTheirDataIsNoLongerTrusted) {
    TPopupMenu menu(nullptr);
    TMenuItem* a = AddItem(menu, nullptr, L"A");
    TMenuItem* b = AddItem(menu, nullptr, L"B");
    const auto data = reinterpret_cast<ULONG_PTR>(a);
    EXPECT_EQ(TMenuItem::FromItemData(data), a);
    delete a;
    EXPECT_EQ(menu.Items()->Count(), 1);
    EXPECT_EQ(menu.Items()->Items(0), b);
    EXPECT_EQ(TMenuItem::FromItemData(data), nullptr);
    EXPECT_EQ(TMenuItem::FromItemData(0x1234), nullptr);
    MEASUREITEMSTRUCT mis{};
    mis.CtlType = ODT_MENU;
    mis.itemData = data;
    EXPECT_FALSE(TMenu::MeasureItemMessage(mis));
}

struct Drawer {
    int Measured = 0, Drawn = 0;
    bool LastSelected = false;
    void Measure(TObject*, TCanvas&, int& w, int& h) {
        ++Measured;
        w = 123;
        h = 31;
    }
    void Draw(TObject*, TCanvas& canvas, const RECT& r, bool selected) {
        ++Drawn;
        LastSelected = selected;
        canvas.Brush().SetColor(RGB(10, 200, 30));
        canvas.FillRect(r);
    }
};

TEST(Menus, OwnerDrawnItemsUseTheirHandlersOrTheFrameworksDrawing) {
    test::EnsureApplication();
    TPopupMenu menu(nullptr);
    menu.SetOwnerDraw(true);
    TImageList images(nullptr);
    TBitmap glyph;
    glyph.SetSize(16, 16);
    glyph.Canvas().Brush().SetColor(RGB(200, 0, 0));
    glyph.Canvas().FillRect(RECT{0, 0, 16, 16});
    images.Add(&glyph, nullptr);
    menu.SetImages(&images);
    Drawer drawer;
    TMenuItem* custom = AddItem(menu, nullptr, L"Custom");
    custom->OnMeasureItem = TMenuMeasureItemEvent::Of<&Drawer::Measure>(&drawer);
    custom->OnDrawItem = TMenuDrawItemEvent::Of<&Drawer::Draw>(&drawer);
    TMenuItem* plain = AddItem(menu, nullptr, L"Plain item");
    plain->SetImageIndex(0);
    TMenuItem* line = AddItem(menu, nullptr, L"-");
    MENUITEMINFOW info{sizeof(info)};
    info.fMask = MIIM_FTYPE | MIIM_DATA;
    ASSERT_TRUE(::GetMenuItemInfoW(menu.Handle(), 1, TRUE, &info));
    EXPECT_TRUE(info.fType & MFT_OWNERDRAW);
    EXPECT_EQ(info.dwItemData, reinterpret_cast<ULONG_PTR>(plain));

    MEASUREITEMSTRUCT mis{ODT_MENU, 0, custom->Command(), 0, 0, reinterpret_cast<ULONG_PTR>(custom)};
    ASSERT_TRUE(TMenu::MeasureItemMessage(mis));
    EXPECT_EQ(mis.itemWidth, 123u);
    EXPECT_EQ(mis.itemHeight, 31u);
    MEASUREITEMSTRUCT plainMis{ODT_MENU, 0, plain->Command(), 0, 0, reinterpret_cast<ULONG_PTR>(plain)};
    ASSERT_TRUE(TMenu::MeasureItemMessage(plainMis));
    EXPECT_GT(plainMis.itemWidth, 22u + 20u);  // image column and text
    EXPECT_GE(plainMis.itemHeight, 16u + 4u);
    MEASUREITEMSTRUCT lineMis{ODT_MENU, 0, line->Command(), 0, 0, reinterpret_cast<ULONG_PTR>(line)};
    ASSERT_TRUE(TMenu::MeasureItemMessage(lineMis));
    EXPECT_LT(lineMis.itemHeight, plainMis.itemHeight);

    test::DibCanvas canvas(150, 24);
    canvas.Fill(RGB(1, 2, 3));
    DRAWITEMSTRUCT dis{};
    dis.CtlType = ODT_MENU;
    dis.itemState = ODS_SELECTED;
    dis.hDC = canvas.Dc();
    dis.rcItem = RECT{0, 0, 150, 24};
    dis.itemData = reinterpret_cast<ULONG_PTR>(custom);
    ASSERT_TRUE(TMenu::DrawItemMessage(dis));
    ::GdiFlush();
    EXPECT_EQ(drawer.Drawn, 1);
    EXPECT_TRUE(drawer.LastSelected);
    EXPECT_EQ(canvas.PixelRef(75, 12), RGB(10, 200, 30));

    // The framework's own drawing: the highlight behind a selected item, its image in the
    // image column.
    canvas.Fill(RGB(1, 2, 3));
    dis.itemData = reinterpret_cast<ULONG_PTR>(plain);
    ASSERT_TRUE(TMenu::DrawItemMessage(dis));
    ::GdiFlush();
    EXPECT_EQ(canvas.PixelRef(149, 1), ::GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(canvas.PixelRef(11, 12), RGB(200, 0, 0));
    // Not a menu item: left to others.
    dis.CtlType = ODT_BUTTON;
    EXPECT_FALSE(TMenu::DrawItemMessage(dis));
}

// Chooses the second item of the menu that opens, from inside the menu's own loop.
struct Chooser {
    static void CALLBACK Tick(HWND, UINT, UINT_PTR id, DWORD) noexcept {
        HWND menu = ::FindWindowW(L"#32768", nullptr);
        if (!menu || !::IsWindowVisible(menu)) return;
        ::KillTimer(nullptr, id);
        ::PostMessageW(menu, WM_KEYDOWN, VK_DOWN, 0);
        ::PostMessageW(menu, WM_KEYDOWN, VK_DOWN, 0);
        ::PostMessageW(menu, WM_KEYDOWN, VK_RETURN, 0);
    }
};

TEST(Menus, PopupRunsTheChosenItemsClickBeforeReturning) {
    test::EnsureApplication();
    TPopupMenu menu(nullptr);
    Clicks clicks, popups;
    menu.OnPopup = TNotifyEvent::Of<&Clicks::Click>(&popups);
    AddItem(menu, nullptr, L"First", &clicks);
    TMenuItem* second = AddItem(menu, nullptr, L"Second", &clicks);
    ::SetTimer(nullptr, 0, 30, &Chooser::Tick);
    menu.Popup(200, 200);
    EXPECT_EQ(popups.Seen.size(), 1u);
    ASSERT_EQ(clicks.Seen.size(), 1u);
    EXPECT_EQ(clicks.Seen[0], second);
}

TEST(Menus, AFormsMenuBarIsOnItsWindowAndItsCommandsReachTheItems) {
    test::EnsureApplication();
    auto* form = new TForm(Application);
    auto* bar = new TMainMenu(form);
    Clicks clicks;
    TMenuItem* file = AddItem(*bar, nullptr, L"&File");
    TMenuItem* open = AddItem(*bar, file, L"&Open", &clicks);
    form->SetMenu(bar);
    form->Show();
    EXPECT_EQ(::GetMenu(form->Handle()), bar->Handle());
    ::SendMessageW(form->Handle(), WM_COMMAND, MAKEWPARAM(open->Command(), 0), 0);
    ASSERT_EQ(clicks.Seen.size(), 1u);
    // A change of items puts the new menu handle on the window.
    AddItem(*bar, nullptr, L"&Help");
    HMENU rebuilt = bar->Handle();
    EXPECT_EQ(::GetMenu(form->Handle()), rebuilt);
    EXPECT_EQ(::GetMenuItemCount(rebuilt), 2);
    // The menu going away takes it off the window.
    delete bar;
    EXPECT_EQ(form->Menu(), nullptr);
    EXPECT_EQ(::GetMenu(form->Handle()), nullptr);
    delete form;
}

TEST(Menus, ShortCutToTextNamesModifiersAndKey) {
    const struct {
        TShortCut ShortCut;
        const wchar_t* Text;
    } cases[] = {
        {ShortCut('O', scCtrl), L"Ctrl+O"},
        {ShortCut(VK_F4, scAlt), L"Alt+F4"},
        {ShortCut(VK_DELETE, 0), L"Del"},
        {ShortCut('S', scShift | scCtrl), L"Shift+Ctrl+S"},
        {ShortCut('7', scShift | scCtrl | scAlt), L"Shift+Ctrl+Alt+7"},
        {ShortCut(VK_F12, 0), L"F12"},
        {scNone, L""},
        {ShortCut(VK_PROCESSKEY, scCtrl), L""},  // no name: no text
    };
    for (const auto& c : cases) EXPECT_EQ(ShortCutToText(c.ShortCut), c.Text) << c.ShortCut;
}

TEST(Menus, DefaultRadioShortCutAndRightToLeftReachTheHandle) {
    TPopupMenu menu(nullptr);
    TMenuItem* open = AddItem(menu, nullptr, L"Open");
    open->SetShortCut(ShortCut('O', scCtrl));
    open->SetDefault(true);
    TMenuItem* page = AddItem(menu, nullptr, L"Page");
    page->SetRadioItem(true);
    TMenuItem* close = AddItem(menu, nullptr, L"Close");
    close->SetShortCut(ShortCut(VK_F4, scAlt));
    close->SetShortCutText(L"ALT+F4");  // a given text wins over the shortcut's own
    HMENU h = menu.Handle();
    EXPECT_EQ(ItemText(h, 0), L"Open\tCtrl+O");
    EXPECT_EQ(ItemText(h, 2), L"Close\tALT+F4");
    const struct {
        UINT Position;
        UINT Type, State;
    } want[] = {{0, 0, MFS_DEFAULT}, {1, MFT_RADIOCHECK, 0}, {2, 0, 0}};
    for (const auto& w : want) {
        MENUITEMINFOW info{sizeof(info)};
        info.fMask = MIIM_FTYPE | MIIM_STATE;
        ASSERT_TRUE(::GetMenuItemInfoW(h, w.Position, TRUE, &info));
        EXPECT_EQ(info.fType & (MFT_RADIOCHECK | MFT_RIGHTORDER), w.Type) << w.Position;
        EXPECT_EQ(info.fState & MFS_DEFAULT, w.State) << w.Position;
    }
    menu.SetBiDiMode(TBiDiMode::bdRightToLeft);
    EXPECT_TRUE(page->IsRightToLeft());
    MENUITEMINFOW info{sizeof(info)};
    info.fMask = MIIM_FTYPE;
    ASSERT_TRUE(::GetMenuItemInfoW(menu.Handle(), 2, TRUE, &info));
    EXPECT_TRUE(info.fType & MFT_RIGHTORDER);
}

TEST(Menus, CheckingARadioItemUnchecksOnlyItsGroup) {
    TPopupMenu menu(nullptr);
    TMenuItem* a = AddItem(menu, nullptr, L"A");
    TMenuItem* b = AddItem(menu, nullptr, L"B");
    TMenuItem* other = AddItem(menu, nullptr, L"Other group");
    TMenuItem* plain = AddItem(menu, nullptr, L"Plain");
    for (TMenuItem* item : {a, b, other}) item->SetRadioItem(true);
    other->SetGroupIndex(2);
    for (TMenuItem* item : {a, other, plain}) item->SetChecked(true);
    HMENU h = menu.Handle();
    b->SetChecked(true);
    EXPECT_FALSE(a->Checked());
    EXPECT_TRUE(b->Checked());
    EXPECT_TRUE(other->Checked());
    EXPECT_TRUE(plain->Checked());
    // The built menu follows.
    EXPECT_FALSE(::GetMenuState(h, a->Command(), MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_TRUE(::GetMenuState(h, b->Command(), MF_BYCOMMAND) & MF_CHECKED);
}

TEST(Menus, AnItemsHandleIsItsSubMenuInTheBuiltMenu) {
    TPopupMenu menu(nullptr);
    TMenuItem* file = AddItem(menu, nullptr, L"File");
    TMenuItem* open = AddItem(menu, file, L"Open");
    TMenuItem* hidden = AddItem(menu, nullptr, L"Hidden");
    AddItem(menu, hidden, L"Inside");
    hidden->SetVisible(false);
    EXPECT_EQ(menu.Items()->Handle(), menu.Handle());
    EXPECT_EQ(file->Handle(), ::GetSubMenu(menu.Handle(), 0));
    EXPECT_NE(file->Handle(), nullptr);
    EXPECT_EQ(open->Handle(), nullptr);
    EXPECT_EQ(hidden->Handle(), nullptr);
    // A rebuild gives the new sub-menu.
    AddItem(menu, nullptr, L"More");
    EXPECT_EQ(file->Handle(), ::GetSubMenu(menu.Handle(), 0));
    TMenuItem loose(nullptr);
    EXPECT_EQ(loose.Handle(), nullptr);
}

TEST(Menus, AShortCutRunsTheEnabledVisibleItemsClick) {
    TPopupMenu menu(nullptr);
    Clicks clicks;
    TMenuItem* file = AddItem(menu, nullptr, L"File");
    TMenuItem* open = AddItem(menu, file, L"Open", &clicks);
    open->SetShortCut(ShortCut('O', scCtrl));
    TMenuItem* off = AddItem(menu, file, L"Off", &clicks);
    off->SetShortCut(ShortCut('P', scCtrl));
    off->SetEnabled(false);
    EXPECT_TRUE(menu.IsShortCut(ShortCut('O', scCtrl)));
    EXPECT_FALSE(menu.IsShortCut(ShortCut('O', 0)));
    EXPECT_FALSE(menu.IsShortCut(ShortCut('P', scCtrl)));
    file->SetVisible(false);
    EXPECT_FALSE(menu.IsShortCut(ShortCut('O', scCtrl)));
    ASSERT_EQ(clicks.Seen.size(), 1u);
    EXPECT_EQ(clicks.Seen[0], open);
}

}  // namespace
