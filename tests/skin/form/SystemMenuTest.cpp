// The skinned system menu: a copy of the window's system menu (or the fixed one), its items
// following the show state, choosing from it, the native menu when the skin leaves the system
// menu alone, and the WM_COMMAND relay of the native menu's choices.
#include "support/FormTestSupport.h"

#include "skin/form/SkinFormHost.h"

#include <gtest/gtest.h>

using namespace formtest;
using qx::test::PumpUntil;

namespace {

class SystemMenuTest : public ::testing::Test {
protected:
    void SetUp() override {
        s = MakeSkinned(WS_OVERLAPPEDWINDOW, 0, L"System menu");
        ASSERT_TRUE(s->Attach());
    }
    qx::TMenuItem* ItemTagged(int tag) {
        qx::TMenuItem* items = s->Form->SystemMenu()->Items();
        for (int i = 0; i < items->Count(); ++i)
            if (items->Items(i)->Tag() == tag) return items->Items(i);
        return nullptr;
    }
    std::unique_ptr<TSkinnedWindow> s;
};

TEST_F(SystemMenuTest, TheCopyMirrorsTheWindowsSystemMenu) {
    qx::TPopupMenu* menu = s->Form->SystemMenu();
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->Tag(), kSystemMenuTag);
    EXPECT_TRUE(menu->OwnerDraw());
    EXPECT_EQ(menu->Images(), s->Skin->MenuGlyphs());
    HMENU native = ::GetSystemMenu(s->Handle(), FALSE);
    const int count = ::GetMenuItemCount(native);
    ASSERT_EQ(menu->Items()->Count(), count);
    for (int i = 0; i < count; ++i) {
        MENUITEMINFOW info{sizeof(info)};
        wchar_t text[80] = {};
        info.fMask = MIIM_ID | MIIM_STATE | MIIM_STRING | MIIM_FTYPE;
        info.dwTypeData = text;
        info.cch = 79;
        ASSERT_TRUE(::GetMenuItemInfoW(native, static_cast<UINT>(i), TRUE, &info));
        qx::TMenuItem* item = menu->Items()->Items(i);
        EXPECT_EQ(item->Tag(), static_cast<intptr_t>(info.wID)) << i;
        std::wstring caption = text;
        if (caption.empty()) {
            EXPECT_TRUE(item->IsLine()) << i;
            continue;
        }
        // "&Close\tAlt+F4": caption and shortcut column.
        const size_t tab = caption.find(L'\t');
        EXPECT_EQ(item->Caption(), caption.substr(0, tab)) << i;
        if (tab != std::wstring::npos) {
            EXPECT_EQ(item->ShortCutText(), caption.substr(tab + 1)) << i;
        }
        EXPECT_EQ(item->Enabled(), !(info.fState & MFS_GRAYED)) << i;
    }
    EXPECT_EQ(ItemTagged(SC_RESTORE)->ImageIndex(), 0);
    EXPECT_EQ(ItemTagged(SC_MAXIMIZE)->ImageIndex(), 1);
    EXPECT_EQ(ItemTagged(SC_MINIMIZE)->ImageIndex(), 2);
    EXPECT_EQ(ItemTagged(SC_CLOSE)->ImageIndex(), 3);
    EXPECT_EQ(ItemTagged(SC_MOVE)->ImageIndex(), -1);
}

TEST_F(SystemMenuTest, ItsShowStateItemsFollowTheWindowWhenOpened) {
    {
        TMenuWatcher watcher;
        s->Form->OpenSystemMenu(150, 150);
        ASSERT_EQ(watcher.Seen().Opened, 1);
        EXPECT_EQ(watcher.Seen().Rect.left, 150);
        EXPECT_EQ(watcher.Seen().Rect.top, 150);
        EXPECT_EQ(watcher.Seen().Items, s->Form->SystemMenu()->Items()->Count());
    }
    EXPECT_FALSE(ItemTagged(SC_RESTORE)->Enabled());
    EXPECT_TRUE(ItemTagged(SC_MAXIMIZE)->Enabled());
    EXPECT_TRUE(ItemTagged(SC_MINIMIZE)->Enabled());
    ::ShowWindow(s->Handle(), SW_MAXIMIZE);
    ASSERT_EQ(s->Form->ShowState(), kShowMaximized);
    ::Sleep(::GetDoubleClickTime() + 50);  // a new opening, not a second click
    TMenuWatcher watcher;
    s->Form->OpenSystemMenu(150, 150);
    EXPECT_EQ(watcher.Seen().Opened, 1);
    EXPECT_TRUE(ItemTagged(SC_RESTORE)->Enabled());
    EXPECT_FALSE(ItemTagged(SC_MAXIMIZE)->Enabled());
    ::ShowWindow(s->Handle(), SW_RESTORE);
}

TEST_F(SystemMenuTest, ChoosingAnItemPostsItsSystemCommand) {
    // "Close" by the keyboard: Down once per item up to it (separators are skipped).
    qx::TMenuItem* items = s->Form->SystemMenu()->Items();
    int presses = 0;
    for (int i = 0; i < items->Count(); ++i) {
        if (items->Items(i)->IsLine()) continue;
        ++presses;
        if (items->Items(i)->Tag() == SC_CLOSE) break;
    }
    {
        TMenuWatcher watcher(presses);
        s->Form->OpenSystemMenu(150, 150);
        ASSERT_EQ(watcher.Seen().Opened, 1);
    }
    ASSERT_TRUE(PumpUntil([&] { return s->Window->Count(WM_SYSCOMMAND, SC_CLOSE) == 1; }));
}

TEST_F(SystemMenuTest, TheFixedMenu) {
    s->Form->BuildSystemMenu(true);
    qx::TMenuItem* items = s->Form->SystemMenu()->Items();
    ASSERT_EQ(items->Count(), 5);
    const wchar_t* captions[] = {L" Restore ", L" Maximize ", L" Minimize ", L"-", L" Close "};
    const int tags[] = {0, 1, 2, 100, 3};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(items->Items(i)->Caption(), captions[i]);
        EXPECT_EQ(items->Items(i)->Tag(), tags[i]);
    }
    EXPECT_EQ(items->Items(4)->ShortCutText(), L"ALT+F4");
    EXPECT_EQ(items->Items(4)->ImageIndex(), 3);
    {
        TMenuWatcher watcher(kChooseLast);
        s->Form->OpenSystemMenu(150, 150);
    }
    EXPECT_FALSE(items->Items(0)->Enabled());  // normal: nothing to restore
    EXPECT_TRUE(items->Items(1)->Enabled());
    ASSERT_TRUE(PumpUntil([&] { return s->Window->Count(WM_CLOSE) == 1; }));
    // A window without a maximise box has no Maximize.
    auto dialog = MakeSkinned(WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, 0, L"Fixed");
    ASSERT_TRUE(dialog->Attach());
    dialog->Form->BuildSystemMenu(true);
    items = dialog->Form->SystemMenu()->Items();
    ASSERT_EQ(items->Count(), 4);
    EXPECT_EQ(items->Items(1)->Caption(), L" Minimize ");
}

TEST_F(SystemMenuTest, WithoutTheSystemMenuSkinTheNativeMenuOpens) {
    s->Skin->SetSkinControls(s->Skin->SkinControls() & ~SkinControlBit(xcSystemMenu));
    TMenuWatcher watcher;
    s->Form->OpenSystemMenu(150, 150);
    ASSERT_EQ(watcher.Seen().Opened, 1);
    EXPECT_EQ(watcher.Seen().Items, ::GetMenuItemCount(::GetSystemMenu(s->Handle(), FALSE)));
}

TEST_F(SystemMenuTest, NativeMenuChoicesArriveAsCommandsAndAreRelayed) {
    EXPECT_EQ(::SendMessageW(s->Handle(), WM_COMMAND, SC_MINIMIZE, 0), 0);
    EXPECT_EQ(s->Window->Count(WM_COMMAND), 0);
    ASSERT_TRUE(PumpUntil([&] { return s->Window->Count(WM_SYSCOMMAND, SC_MINIMIZE) == 1; }));
    ::ShowWindow(s->Handle(), SW_RESTORE);
    // Any other command, and a control's notification, are the window's.
    ::SendMessageW(s->Handle(), WM_COMMAND, 1234, 0);
    ::SendMessageW(s->Handle(), WM_COMMAND, SC_CLOSE, reinterpret_cast<LPARAM>(s->Handle()));
    EXPECT_EQ(s->Window->Count(WM_COMMAND), 2);
    qx::test::PumpPending(std::chrono::milliseconds(50));
    EXPECT_EQ(s->Window->Count(WM_SYSCOMMAND, SC_CLOSE), 0);
}

TEST_F(SystemMenuTest, SystemCommandsKeepTheShowState) {
    ::SendMessageW(s->Handle(), WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    EXPECT_EQ(s->Form->ShowState(), kShowMaximized);
    EXPECT_TRUE(::IsZoomed(s->Handle()));
    ::SendMessageW(s->Handle(), WM_SYSCOMMAND, SC_RESTORE, 0);
    EXPECT_EQ(s->Form->ShowState(), kShowNormal);
    ::SendMessageW(s->Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_EQ(s->Form->ShowState(), kShowMinimized);
    ::SendMessageW(s->Handle(), WM_SYSCOMMAND, SC_RESTORE, 0);
    EXPECT_EQ(s->Form->ShowState(), kShowNormal);
    // WM_INITMENUPOPUP of the system menu sets the manager's menu mode.
    ::SendMessageW(s->Handle(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(::GetSystemMenu(s->Handle(), FALSE)), MAKELPARAM(0, TRUE));
    EXPECT_EQ(MenuMode(), kMenuModeSystem);
    ::SendMessageW(s->Handle(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(::CreatePopupMenu()), 0);
    EXPECT_EQ(MenuMode(), kMenuModeMenuBar);
}

}  // namespace
