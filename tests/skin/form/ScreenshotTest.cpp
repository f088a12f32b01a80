// The program's real windows attached to the skin the way the manager will attach them, and
// screenshots of each for a person to look at: the main window active and inactive, maximised
// and restored, a framework message form, and a system message box narrower than its title
// before and after it is widened. Each shot is checked for the skin's frame too.
#include "support/FormTestSupport.h"

#include "app/Unit1.h"
#include "framework/Dialogs.h"
#include "platform/devicemonitor/devicemonitor.h"
#include "router/TelnetBinding.h"
#include "skin/controls/SkinManage.h"
#include "skin/form/FramePainter.h"

#include <gtest/gtest.h>

using namespace formtest;
using namespace qx;
using namespace qx::test;

namespace {

constexpr COLORREF kDesktop = RGB(0x3A, 0x6E, 0xA5);

class ScreenshotTest : public ::testing::Test {
protected:
    void SetUp() override {
        router::TTelnetBinding& telnet = router::TelnetBinding();
        telnet.telnet_connect = &::telnet_connect;
        telnet.ReadResult = &::ReadResult;
        telnet.new_do_command = &::new_do_command;
        EnsureApplication();
        RegisterUnit1Classes();
        RegisterSkinDataClasses();
    }
    void TearDown() override {
        skinned.reset();
        DoneApplication();
    }

    // The main window, shown and attached to its own skin.
    void OpenMainWindow() {
        Application->CreateForm(Form8);
        window = Form8;
        // The windows are attached here, not by the manager's hook: no manager watches them.
        FreeSkinManager();
        window->Show();
        PumpPending(std::chrono::milliseconds(50));
        clientWidth = window->ClientWidth();
        clientHeight = window->ClientHeight();
        skinned = std::make_unique<TWinSkinForm>(window);
        Attach(*skinned, window->Handle(), window);
    }

    void Attach(TWinSkinForm& form, HWND wnd, TCustomForm* framework) {
        form.SetHandle(wnd);
        if (framework) form.AttachForm(window->SkinData1, framework);
        else form.Attach(window->SkinData1);
        ::PostMessageW(wnd, SKN_ACTIVATE, 0, 1000);
        ASSERT_TRUE(PumpUntil([&] { return form.State() == kFormActive; }));
        PumpPending(std::chrono::milliseconds(50));
    }

    std::unique_ptr<DibCanvas> Shot(HWND wnd, const std::string& name) {
        auto canvas = Print(wnd);
        CutToWindowRegion(wnd, *canvas, kDesktop);
        SaveShot(*canvas, name);
        return canvas;
    }

    // The top border's middle shows frame `frame` of the skin's top image.
    void ExpectCaptionFrame(const DibCanvas& shot, TSkinData& skin, const TFrameMetrics& m, int frame) {
        const int x = m.Left + skin.BorderTop->Margins.left + 1;  // in the fixed left end: unscaled
        EXPECT_EQ(CanvasPixel(shot, m.Left, m.Top - 1),
                  FramePixel(skin.BorderTop->Bitmap, 2, frame, true, 0, m.Top - 1));
        (void)x;
    }

    TForm8* window = nullptr;
    int clientWidth = 0, clientHeight = 0;
    std::unique_ptr<TWinSkinForm> skinned;
};

TEST_F(ScreenshotTest, MainWindowActiveAndInactive) {
    OpenMainWindow();
    TSkinData& skin = *window->SkinData1;
    const TFrameMetrics m = skinned->Metrics();
    ::SendMessageW(window->Handle(), WM_NCACTIVATE, TRUE, 0);
    EXPECT_EQ(window->ClientWidth(), clientWidth);
    EXPECT_EQ(window->ClientHeight(), clientHeight);
    EXPECT_EQ(SizeOf(WindowRectOf(window->Handle())).cx, clientWidth + m.Left + m.Right);
    auto active = Shot(window->Handle(), "MainWindow_Active");
    ExpectCaptionFrame(*active, skin, m, 1);
    ::SendMessageW(window->Handle(), WM_NCACTIVATE, FALSE, 0);
    EXPECT_FALSE(skinned->Active());
    auto inactive = Shot(window->Handle(), "MainWindow_Inactive");
    ExpectCaptionFrame(*inactive, skin, m, 2);
    // The close button shows its inactive frame.
    const RECT close = skinned->Buttons()[0]->FRect;
    int differ = 0;
    for (int x = close.left; x < close.right; ++x)
        if (CanvasPixel(*active, x, (close.top + close.bottom) / 2) != CanvasPixel(*inactive, x, (close.top + close.bottom) / 2)) ++differ;
    EXPECT_GT(differ, 0);
}

TEST_F(ScreenshotTest, MainWindowMaximisedAndRestored) {
    OpenMainWindow();
    const SIZE restored = SizeOf(WindowRectOf(window->Handle()));
    ::ShowWindow(window->Handle(), SW_MAXIMIZE);
    PumpPending(std::chrono::milliseconds(100));
    EXPECT_EQ(skinned->ShowState(), kShowMaximized);
    Shot(window->Handle(), "MainWindow_Maximised");
    ::ShowWindow(window->Handle(), SW_RESTORE);
    PumpPending(std::chrono::milliseconds(100));
    EXPECT_EQ(skinned->ShowState(), kShowNormal);
    const SIZE back = SizeOf(WindowRectOf(window->Handle()));
    EXPECT_EQ(back.cx, restored.cx);
    EXPECT_EQ(back.cy, restored.cy);
    Shot(window->Handle(), "MainWindow_Restored");
}

TEST_F(ScreenshotTest, MessageForm) {
    OpenMainWindow();
    auto* form = new TMessageForm(Application, L"已经成功断开以下IP地址：\r\n192.168.1.23\r\n192.168.1.77", L"Quellox");
    form->Show();
    PumpPending(std::chrono::milliseconds(50));
    const int clientW = form->ClientWidth(), clientH = form->ClientHeight();
    // Owned by the form, as the manager makes it: it goes with the form.
    auto* frame = new TWinSkinForm(form);
    Attach(*frame, form->Handle(), form);
    EXPECT_EQ(frame->BorderKind(), bkDialog);
    EXPECT_TRUE(frame->IsDialogBox());
    EXPECT_EQ(form->ClientHeight(), clientH);
    EXPECT_GE(form->ClientWidth(), clientW);
    Shot(form->Handle(), "MessageForm");
    delete form;
}

// The system message box is modal: a timer inside its loop attaches it, shoots it before
// (as the screen shows it) and after, and closes it.
struct TBoxRun {
    ScreenshotTest* Test = nullptr;
    TSkinData* Skin = nullptr;
    HWND Box = nullptr;
    std::unique_ptr<TWinSkinForm> Form;
    SIZE Before{}, After{};
    RECT OkBefore{}, OkAfter{};
    int TitleWidth = 0;
    int Step = 0;
    bool Done = false;
};
TBoxRun* gBox = nullptr;

HWND FindThreadWindow(const wchar_t* cls) {
    struct F { const wchar_t* Cls; HWND Found; } f{cls, nullptr};
    ::EnumThreadWindows(::GetCurrentThreadId(), [](HWND w, LPARAM lp) -> BOOL {
        auto* f = reinterpret_cast<F*>(lp);
        wchar_t name[32] = {};
        ::GetClassNameW(w, name, 32);
        if (std::wstring(name) == f->Cls && ::IsWindowVisible(w)) { f->Found = w; return FALSE; }
        return TRUE;
    }, reinterpret_cast<LPARAM>(&f));
    return f.Found;
}

RECT ChildRect(HWND parent, int id) {
    RECT r{};
    HWND child = ::GetDlgItem(parent, id);
    ::GetWindowRect(child, &r);
    ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

void CALLBACK BoxTick(HWND, UINT, UINT_PTR, DWORD) noexcept {
    TBoxRun* run = gBox;
    if (!run || run->Done) return;
    switch (run->Step) {
    case 0: {
        run->Box = FindThreadWindow(L"#32770");
        if (!run->Box) return;
        run->Before = SizeOf(WindowRectOf(run->Box));
        run->OkBefore = ChildRect(run->Box, IDOK);
        DibCanvas before(run->Before.cx, run->Before.cy);
        CaptureScreen(run->Box, before);
        SaveShot(before, "MessageBox_BeforeWidening");
        run->Form = std::make_unique<TWinSkinForm>(nullptr);
        run->Form->SetHandle(run->Box);
        run->Form->Attach(run->Skin);
        ::PostMessageW(run->Box, SKN_ACTIVATE, 0, 1000);
        run->Step = 1;
        return;
    }
    case 1: {
        if (run->Form->State() != kFormActive) return;
        run->After = SizeOf(WindowRectOf(run->Box));
        run->OkAfter = ChildRect(run->Box, IDOK);
        run->TitleWidth = run->Form->TitleWidth();
        auto shot = Print(run->Box);
        CutToWindowRegion(run->Box, *shot, kDesktop);
        SaveShot(*shot, "MessageBox_AfterWidening");
        // What the screen shows once the pending painting is done.
        ::RedrawWindow(run->Box, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        DibCanvas screen(run->After.cx, run->After.cy);
        CaptureScreen(run->Box, screen);
        SaveShot(screen, "MessageBox_AfterWidening_Screen");
        run->Form->Detach();
        run->Step = 2;
        ::PostMessageW(run->Box, WM_COMMAND, IDOK, 0);
        run->Done = true;
        return;
    }
    default:
        return;
    }
}

TEST_F(ScreenshotTest, SystemMessageBoxNarrowerThanItsTitleIsWidened) {
    OpenMainWindow();
    TBoxRun run;
    run.Skin = window->SkinData1;
    gBox = &run;
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 40, &BoxTick);
    const int answer = MessageDlgBox(L"确定？", L"Quellox — 断开所选主机前请确认每一个地址都正确无误", MB_OKCANCEL | MB_ICONQUESTION);
    ::KillTimer(nullptr, timer);
    gBox = nullptr;
    ASSERT_TRUE(run.Done);
    EXPECT_EQ(answer, IDOK);
    TSkinData& skin = *window->SkinData1;
    const int needed = skin.Title->Margins.left + run.TitleWidth + skin.Title->Margins.right;
    if (run.Before.cx < needed) {
        // Grown to the title, controls moved right by half the growth.
        EXPECT_EQ(run.After.cx, needed);
        const int shift = (needed - (run.After.cx - (needed - run.After.cx))) / 2;
        (void)shift;
        EXPECT_GT(run.OkAfter.left, run.OkBefore.left);
    }
    EXPECT_GE(run.After.cx, needed);
}

}  // namespace
