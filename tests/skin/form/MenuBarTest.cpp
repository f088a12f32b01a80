// The skinned menu bar of a plain window: laying buttons out in rows, accelerators, wrapping
// that grows the band at the client's cost, buttons without a caption, and the drop-downs:
// Alt+letter, arrow keys and the mouse switching between them, and the message-filter hook
// that never outlives a menu (also when the window goes while one is open).
#include "skin/form/MenuBar.h"
#include "support/FormTestSupport.h"

using namespace formtest;
using qx::test::PumpUntil;

namespace {

TEST(MenuBarLayout, ButtonsWrapToRowsLeftToRightAndNeverRightToLeft) {
    const RECT band{4, 30, 204, 49};
    const std::vector<TBarButtonSize> buttons{{60, 50, true}, {70, 60, true}, {40, 30, false}, {80, 70, true}};
    const struct {
        RECT Band;
        bool RightToLeft;
        int Rows;
        std::vector<RECT> Rects;
    } cases[] = {
        // 6 + 60 + 70 = 136; the third visible button (70 wide) passes 204 and wraps.
        {band, false, 2, {{10, 30, 70, 48}, {70, 30, 140, 48}, {0, 0, 0, 0}, {10, 49, 90, 67}}},
        // Narrower than any button: each is the first of its row, none leaves a row empty.
        {RECT{4, 30, 30, 49}, false, 3, {{10, 30, 70, 48}, {10, 49, 80, 67}, {0, 0, 0, 0}, {10, 68, 90, 86}}},
        // Right to left from the right edge, one row whatever the width.
        {band, true, 1, {{138, 30, 198, 48}, {68, 30, 138, 48}, {0, 0, 0, 0}, {-12, 30, 68, 48}}},
    };
    for (const auto& c : cases) {
        const TBarLayout layout = LayoutMenuBar(buttons, c.Band, 6, 19, c.RightToLeft);
        EXPECT_EQ(layout.Rows, c.Rows);
        ASSERT_EQ(layout.Rects.size(), c.Rects.size());
        for (size_t i = 0; i < c.Rects.size(); ++i) EXPECT_TRUE(::EqualRect(&layout.Rects[i], &c.Rects[i])) << i;
    }
}

TEST(MenuBarLayout, AcceleratorsAreTheCharacterAfterASingleAmpersand) {
    const struct {
        const wchar_t* Caption;
        wchar_t Want;
    } cases[] = {{L"&File", L'F'}, {L"文件(&F)", L'F'}, {L"A&&B", 0}, {L"A&&&B", L'B'}, {L"&", 0}, {L"End&", 0}, {L"", 0}};
    for (const auto& c : cases) EXPECT_EQ(AcceleratorOf(c.Caption), c.Want) << static_cast<int>(c.Want);
}

// A plain window with a native menu bar of three drop-downs, skinned.
class MenuBarTest : public ::testing::Test {
protected:
    void SetUp() override {
        s = MakeSkinned(WS_OVERLAPPEDWINDOW, 0, L"Menu bar", {360, 200});
        HMENU bar = ::CreateMenu();
        for (const wchar_t* caption : {L"&File of things", L"&Edit of things", L"&Help of things"}) {
            HMENU sub = ::CreatePopupMenu();
            ::AppendMenuW(sub, MF_STRING, 200 + subs.size() * 10, L"One");
            ::AppendMenuW(sub, MF_STRING, 201 + subs.size() * 10, L"Two");
            ::AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), caption);
            subs.push_back(sub);
        }
        ::SetMenu(s->Handle(), bar);
        ASSERT_TRUE(s->Attach());
        Print(s->Handle());  // the first paint lays the bar out
        ASSERT_NE(s->Form->MenuBar(), nullptr);
    }
    TMenuBtn& Button(size_t i) { return *s->Form->MenuBar()->Buttons().at(i); }
    std::unique_ptr<TSkinnedWindow> s;
    std::vector<HMENU> subs;
};

TEST_F(MenuBarTest, WrappingGrowsTheBandAndTheClientShrinksAsMuch) {
    const int row = ::GetSystemMetrics(SM_CYMENU);
    EXPECT_EQ(s->Form->Metrics().Menu, row);
    const RECT window = WindowRectOf(s->Handle());
    const int clientBefore = SizeOf(ClientRectOf(s->Handle())).cy;
    ::SetWindowPos(s->Handle(), nullptr, 0, 0, 160, window.bottom - window.top, SWP_NOMOVE | SWP_NOZORDER);
    s->Form->PaintFrame();
    qx::test::PumpPending();
    const int menu = s->Form->Metrics().Menu;
    EXPECT_GT(menu, row);
    EXPECT_EQ(menu % row, 0);
    EXPECT_EQ(SizeOf(WindowRectOf(s->Handle())).cy, window.bottom - window.top);
    EXPECT_EQ(SizeOf(ClientRectOf(s->Handle())).cy, clientBefore - (menu - row));
    EXPECT_GT(Button(2).FRect.top, Button(0).FRect.top);
    SaveShot(*Print(s->Handle()), "MenuBar_Wrapped");
}

TEST_F(MenuBarTest, AButtonWithoutACaptionIsNeverHit) {
    Button(1).FCaption.clear();
    const RECT r = Button(1).FRect;
    EXPECT_EQ(s->Form->MenuBar()->ButtonAt({r.left + 2, r.top + 2}), nullptr);
    EXPECT_EQ(s->Form->MenuBar()->ButtonAt({Button(0).FRect.left + 2, Button(0).FRect.top + 2}), &Button(0));
}

// Records the drop-downs that open (their menus) and runs one step per new one.
struct TDropDowns {
    std::vector<HMENU> Opened;
    std::vector<std::function<void(HWND)>> Steps;
    HWND Last = nullptr;
    int Idle = 0;
};
TDropDowns* gDrops = nullptr;

void CALLBACK DropTick(HWND, UINT, UINT_PTR, DWORD) noexcept {
    TDropDowns* d = gDrops;
    if (!d) return;
    HWND menu = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), [](HWND w, LPARAM lp) -> BOOL {
        wchar_t name[16] = {};
        ::GetClassNameW(w, name, 16);
        if (std::wstring(name) == L"#32768" && ::IsWindowVisible(w)) *reinterpret_cast<HWND*>(lp) = w;
        return TRUE;
    }, reinterpret_cast<LPARAM>(&menu));
    if (!menu || menu == d->Last) {
        if (menu && ++d->Idle > 50) ::EndMenu();
        return;
    }
    d->Last = menu;
    d->Idle = 0;
    d->Opened.push_back(reinterpret_cast<HMENU>(::SendMessageW(menu, MN_GETHMENU, 0, 0)));
    const size_t step = d->Opened.size() - 1;
    if (step < d->Steps.size()) d->Steps[step](menu);
    else ::EndMenu();
}

std::vector<HMENU> RunDropDowns(const std::function<void()>& open, std::vector<std::function<void(HWND)>> steps) {
    TDropDowns drops;
    drops.Steps = std::move(steps);
    gDrops = &drops;
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 30, &DropTick);
    open();
    // Switching posts the next click: let it through until no menu opens any more.
    PumpUntil([&] { return drops.Opened.size() > drops.Steps.size(); }, std::chrono::milliseconds(3000));
    qx::test::PumpPending(std::chrono::milliseconds(200));
    ::KillTimer(nullptr, timer);
    gDrops = nullptr;
    return drops.Opened;
}

TEST_F(MenuBarTest, AltLetterOpensThatMenuAndAltAloneTheFirst) {
    const struct {
        wchar_t Key;
        size_t Menu;
    } cases[] = {{L'h', 2}, {L'E', 1}, {0, 0}};
    for (const auto& c : cases) {
        auto opened = RunDropDowns([&] { ::SendMessageW(s->Handle(), WM_SYSCOMMAND, SC_KEYMENU, c.Key); }, {});
        ASSERT_EQ(opened.size(), 1u) << static_cast<int>(c.Key);
        EXPECT_EQ(opened[0], subs[c.Menu]);
        EXPECT_FALSE(MenuBarHookInstalled());
        EXPECT_FALSE(s->Form->MenuPart().Tracking);
    }
}

TEST_F(MenuBarTest, ArrowKeysAndTheMouseSwitchDropDowns) {
    POINT help{(Button(2).FRect.left + Button(2).FRect.right) / 2, (Button(2).FRect.top + Button(2).FRect.bottom) / 2};
    const RECT window = WindowRectOf(s->Handle());
    help.x += window.left;
    help.y += window.top;
    auto opened = RunDropDowns([&] { ::SendMessageW(s->Handle(), WM_SYSCOMMAND, SC_KEYMENU, L'f'); },
                               {[](HWND menu) { ::PostMessageW(menu, WM_KEYDOWN, VK_RIGHT, 0); },
                                [](HWND menu) { ::PostMessageW(menu, WM_KEYDOWN, VK_LEFT, 0); },
                                [help](HWND menu) {
                                    ::SetCursorPos(help.x, help.y);
                                    ::PostMessageW(menu, WM_MOUSEMOVE, 0, 0);
                                }});
    ASSERT_EQ(opened.size(), 4u);
    EXPECT_EQ(opened[0], subs[0]);
    EXPECT_EQ(opened[1], subs[1]);
    EXPECT_EQ(opened[2], subs[0]);
    EXPECT_EQ(opened[3], subs[2]);
    EXPECT_FALSE(MenuBarHookInstalled());
}

TEST_F(MenuBarTest, TheHookGoesWhenTheWindowIsDestroyedWithAMenuOpen) {
    HWND wnd = s->Handle();
    auto opened = RunDropDowns([&] { ::SendMessageW(wnd, WM_SYSCOMMAND, SC_KEYMENU, L'f'); },
                               {[wnd](HWND) { ::DestroyWindow(wnd); }});
    EXPECT_GE(opened.size(), 1u);
    EXPECT_FALSE(::IsWindow(wnd));
    EXPECT_FALSE(MenuBarHookInstalled());
    EXPECT_EQ(s->Form->MenuBar(), nullptr);
}

// A skin without the menu images: the band takes the skin's menu-bar colour, the drop-downs still
// open and their items are drawn in the skin's colours.
TEST(MenuBarBadSkin, ASkinWithoutMenuImagesKeepsWorkingMenus) {
    std::vector<TPackageMember> members = DefaultSkinMembers();
    for (const char* section : {"MenuItem", "MenuBackground"}) SetIniValue(members, section, "Image", "missing.bmp");
    SetIniValue(members, "Personality", "menuBar", "missing.bmp");
    auto skin = LoadSkin(members);
    ASSERT_TRUE(skin);
    ASSERT_TRUE(!skin->MenuItem || skin->MenuItem->Bitmap.Empty());
    ASSERT_TRUE(!skin->MenuBar || skin->MenuBar->Bitmap.Empty());
    auto s = MakeSkinned(WS_OVERLAPPEDWINDOW, 0, L"No menu images", {300, 150}, std::move(skin));
    HMENU bar = ::CreateMenu();
    HMENU sub = ::CreatePopupMenu();
    ::AppendMenuW(sub, MF_STRING, 300, L"Item");
    ::AppendMenuW(sub, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuW(sub, MF_STRING | MF_CHECKED, 301, L"Checked");
    ::AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), L"&File");
    ::SetMenu(s->Handle(), bar);
    ASSERT_TRUE(s->Attach());
    auto shot = Print(s->Handle());
    const TFrameMetrics& m = s->Form->Metrics();
    EXPECT_EQ(CanvasPixel(*shot, SizeOf(WindowRectOf(s->Handle())).cx - m.Right - 3, m.Top + 2), qx::ColorToRGB(s->Skin->MenubarColour));
    auto opened = RunDropDowns([&] { ::SendMessageW(s->Handle(), WM_SYSCOMMAND, SC_KEYMENU, L'f'); }, {});
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0], sub);
    EXPECT_FALSE(MenuBarHookInstalled());
}

}  // namespace
