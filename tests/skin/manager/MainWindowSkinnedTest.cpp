// The program's main window as the skin manager takes it over at start-up, without any help
// from the test: the window and its controls skinned on the first activation, and the census
// report (a message form) and the block confirmation (a system message box) skinned with the
// main window's skin. Screenshots of each go to $QUELLOX_ARTIFACTS.
#include "support/MainWindowFixture.h"
#include "support/ManagerTestSupport.h"

#include "skin/controls/SkinBox.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinCheckBox.h"
#include "skin/controls/SkinEdit.h"
#include "skin/controls/SkinRadioButton.h"

#include <gtest/gtest.h>

using namespace qx;
using namespace qx::test;
using namespace mgrtest;

namespace {

class MainWindowSkinnedTest : public MainWindowFixture {};

// What a message box of one class showed once it was skinned; it is then answered.
struct TBoxSeen {
    bool Done = false;
    TSkinData* Skin = nullptr;
    std::wstring Text;
    SIZE Shot{};
};

std::function<void()> ShootAndAnswer(const wchar_t* cls, const std::string& shot, TBoxSeen& seen) {
    return [cls, shot, &seen] {
        HWND box = FindThreadWindow(cls);
        TWinSkinForm* form = box && SkinManager ? SkinManager->FindSkinForm(box) : nullptr;
        if (seen.Done || !form || form->State() != kFormActive) return;
        seen.Done = true;
        seen.Skin = form->SkinData();
        HWND button = nullptr;
        for (HWND c = ::GetWindow(box, GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT)) {
            wchar_t name[32] = {};
            ::GetClassNameW(c, name, 32);
            wchar_t text[512] = {};
            ::GetWindowTextW(c, text, 512);
            if (std::wstring(name) == L"TButton") button = c;
            else if (std::wstring(name) == L"TStaticText" || ::GetDlgCtrlID(c) == 0xFFFF) seen.Text = text;
        }
        auto canvas = ScreenShot(box, shot);
        seen.Shot = {canvas->Width(), canvas->Height()};
        if (std::wstring(cls) == L"#32770") ::PostMessageW(box, WM_COMMAND, IDCANCEL, 0);
        else if (button) ::PostMessageW(button, BM_CLICK, 0, 0);
    };
}

TEST_F(MainWindowSkinnedTest, StartUpSkinsTheWindowAndItsWorkingControls) {
    OpenWindow();
    TWinSkinForm* form = WaitSkinned(window->Handle());
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->SkinData(), window->SkinData1);
    EXPECT_EQ(SkinManager->State(), kManagerActivated);
    EXPECT_NE(OwnedWrapper<TSkinBox>(window->Panel1), nullptr);
    for (TButton* b : {window->Button1, window->Button2, window->Button3, window->Button4, window->Button5,
                       window->Button6, window->Button7})
        EXPECT_NE(OwnedWrapper<TSkinButton>(b), nullptr);
    for (TEdit* e : {window->Edit1, window->Edit2, window->Edit3, window->Edit4, window->Edit5})
        EXPECT_NE(OwnedWrapper<TSkinEdit>(e), nullptr);
    EXPECT_NE(OwnedWrapper<TSkinRadioButton>(window->RadioButton1), nullptr);
    EXPECT_NE(OwnedWrapper<TSkinRadioButton>(window->RadioButton2), nullptr);
    EXPECT_NE(OwnedWrapper<TSkinCheckBox>(window->CheckBox1), nullptr);
    EXPECT_EQ(window->Label1->ComponentCount(), 0);
    // The client keeps the size the window was designed with.
    RECT client{};
    ::GetClientRect(window->Handle(), &client);
    EXPECT_EQ(client.right, window->ClientWidth());
    ScreenShot(window->Handle(), "Manager_MainWindow");
}

TEST_F(MainWindowSkinnedTest, TheReportAndTheBlockConfirmationTakeTheMainWindowsSkin) {
    routersim::SimConfig config = HuaweiRouter();
    config.natHosts = {{"10.1.1.1", 120}, {"10.1.1.2", 130}, {"10.1.1.3", 5}};
    StartRouter(config);
    OpenWindow();
    ASSERT_NE(WaitSkinned(window->Handle()), nullptr);
    Click(window->Button1);  // the login's message is answered by the fixture
    ASSERT_EQ(dialogs->Texts(), std::vector<std::wstring>{L"连接成功！"});
    dialogs.reset();

    TBoxSeen report;
    {
        TTickWatcher watcher(ShootAndAnswer(L"TMessageForm", "Manager_ReportMessage", report));
        Click(window->Button2);
        ASSERT_TRUE(PumpUntil([&] { return report.Done && window->Panel1->Enabled(); }, std::chrono::milliseconds(30000)));
    }
    EXPECT_EQ(report.Skin, window->SkinData1);
    EXPECT_NE(report.Text.find(L"10.1.1.2"), std::wstring::npos);
    EXPECT_EQ(report.Text.find(L"10.1.1.3"), std::wstring::npos);

    TBoxSeen question;
    {
        TTickWatcher watcher(ShootAndAnswer(L"#32770", "Manager_BlockConfirmation", question));
        Click(window->Button3);
        ASSERT_TRUE(PumpUntil([&] { return question.Done; }, std::chrono::milliseconds(5000)));
    }
    EXPECT_EQ(question.Skin, window->SkinData1);
    EXPECT_EQ(question.Text, L"你确定要断开以下IP地址吗？\r\n10.1.1.2\r\n10.1.1.1\r\n");
    PumpPending(std::chrono::milliseconds(200));
    EXPECT_FALSE(router->HasHostNullRoute("10.1.1.1"));  // answered with Cancel
}

// The system menu (Alt+Space): the skinned copy in the skin's frame while skinned, the window's
// own menu once skinning is switched off.
TEST_F(MainWindowSkinnedTest, TheSystemMenuIsSkinnedAndNativeOnceSkinningIsOff) {
    OpenWindow();
    TWinSkinForm* form = WaitSkinned(window->Handle());
    ASSERT_NE(form, nullptr);
    struct TMenuSeen {
        size_t Painters = 99;
        COLORREF Corner = 0;
        int Items = 0;
    };
    auto open = [&](const std::string& shot) {
        TMenuSeen seen;
        int ticks = 0;
        RunModal([&] { ::SendMessageW(window->Handle(), WM_SYSCOMMAND, SC_KEYMENU, L' '); },
                 [&] {
                     HWND menu = FindThreadWindow(L"#32768");
                     if (!menu) {
                         if (++ticks > 100) ::EndMenu();
                         return;
                     }
                     if (++ticks < 8) return;
                     seen.Painters = SkinManager->PopupMenuCount();
                     seen.Items = ::GetMenuItemCount(reinterpret_cast<HMENU>(::SendMessageW(menu, MN_GETHMENU, 0, 0)));
                     // The window and its open menu together.
                     RECT all{}, r{};
                     ::GetWindowRect(window->Handle(), &all);
                     ::GetWindowRect(menu, &r);
                     ::UnionRect(&all, &all, &r);
                     test::DibCanvas canvas(all.right - all.left, all.bottom - all.top);
                     HDC screen = ::GetDC(nullptr);
                     ::BitBlt(canvas.Dc(), 0, 0, canvas.Width(), canvas.Height(), screen, all.left, all.top, SRCCOPY);
                     ::ReleaseDC(nullptr, screen);
                     seen.Corner = canvas.PixelRef(r.left - all.left, r.top - all.top);
                     canvas.SavePng(test::ArtifactsDir() + "/" + shot + ".png");
                     ::EndMenu();
                 });
        PumpPending(milliseconds(100));
        return seen;
    };
    const TMenuSeen skinned = open("Manager_MainWindow_SystemMenu");
    EXPECT_EQ(skinned.Painters, 1u);
    EXPECT_GT(skinned.Items, 3);
    EXPECT_EQ(skinned.Corner, static_cast<COLORREF>(window->SkinData1->MenuBackground->Bitmap.Pixel(0, 0)));

    window->SkinData1->SetActive(false);
    ASSERT_TRUE(PumpUntil([&] { return !SkinManager->FindSkinForm(window->Handle()); }));
    const TMenuSeen native = open("Manager_MainWindow_SystemMenuNative");
    EXPECT_EQ(native.Painters, 0u);
    EXPECT_GT(native.Items, 3);
    EXPECT_NE(native.Corner, skinned.Corner);
}

}  // namespace
