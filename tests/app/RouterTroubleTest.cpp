// The main window against routers that behave like real ones: sessions the router hangs up,
// slow answers, and timer ticks that fall while a command's message is open. The simulator on
// 127.0.0.1 plays the router; the real telnet library talks to it.
#include "support/MainWindowFixture.h"
#include "support/TestSupport.h"

#include <gmock/gmock.h>

#include <algorithm>
#include <atomic>
#include <fstream>
#include <functional>
#include <thread>

using namespace qx;
using namespace qx::test;
using testing::ElementsAre;

namespace {

const wchar_t kSessionLost[] = L"与路由器的连接已断开，请重新连接设备。";

class RouterTroubleTest : public MainWindowFixture {
protected:
    // A Huawei router that hangs up a session idle for 700 ms (longer than the login's pauses).
    routersim::SimConfig HangingUpRouter() const {
        auto c = HuaweiRouter();
        c.execTimeoutMs = 700;
        return c;
    }
    void WaitForTheHangUp() { PumpPending(std::chrono::milliseconds(1500)); }
    void WriteLedger(const std::string& bytes) { std::ofstream(LedgerPath(), std::ios::binary) << bytes; }
    // A timer tick as the message loop delivers it, then the wait for what it started.
    void Tick(TTimer* timer) {
        timer->OnTimer(timer);
        ASSERT_TRUE(PumpUntil([&] { return !window->CommandRunning() && !AutoCheck && !AutoRestore; },
                              std::chrono::milliseconds(60000)));
    }
    size_t Count(const std::vector<std::string>& lines, const std::string& line) const {
        return static_cast<size_t>(std::count(lines.begin(), lines.end(), line));
    }
};

//--- the router hung up

TEST_F(RouterTroubleTest, ManualCommandsOnASessionTheRouterEndedFailAndSendNothing) {
    StartRouter(HangingUpRouter());
    OpenWindow();
    Click(window->Button1);
    Click(window->Button7);  // 192.168.0.10 pending
    WaitForTheHangUp();
    WriteLedger("10.5.5.5\r\n");
    const size_t mark = Mark();
    dialogs->Clear();
    struct TCase {
        TButton* Button;
        const wchar_t* Message;
    };
    const TCase cases[] = {
        {window->Button2, kSessionLost},
        {window->Button3, L"断开失败！"},
        {window->Button4, L"恢复失败！"},
        {window->Button5, L"保存失败！"},
    };
    dialogs->Plan({IDOK});  // the block question
    for (const TCase& c : cases) {
        dialogs->Clear();
        Click(c.Button);
        EXPECT_EQ(dialogs->Texts().back(), c.Message);
        EXPECT_TRUE(window->Panel1->Enabled());
    }
    EXPECT_TRUE(LinesSince(mark).empty());
    EXPECT_TRUE(router->NullRoutes().empty());
    EXPECT_EQ(LedgerBytes(), "10.5.5.5\r\n") << "no host recorded or forgotten";
}

TEST_F(RouterTroubleTest, ListingTheRouterCutsShortGivesNoReport) {
    auto config = HuaweiRouter();
    config.natHosts = {{"10.6.6.6", 200}, {"10.6.6.7", 150}};
    config.hangupAfterPage = 2;
    StartRouter(config);
    OpenWindow();
    Click(window->Button1);
    RunCensus();
    EXPECT_THAT(dialogs->Texts(), ElementsAre(L"连接成功！", kSessionLost));
    EXPECT_TRUE(BlockList->empty());
}

TEST_F(RouterTroubleTest, AutomaticCycleLogsInAgainAfterTheRouterHungUp) {
    auto config = HangingUpRouter();
    config.natHosts = {{"10.7.7.7", 120}};
    config.pageLines = 0;
    StartRouter(config);
    OpenWindow();
    Click(window->Button1);
    WaitForTheHangUp();
    dialogs->Clear();
    size_t mark = Mark();
    Tick(window->Timer1);
    EXPECT_THAT(LinesSince(mark), ElementsAre("tavernite!@#", "super", "tavernite!@#", "display nat sess", "system-view",
                                              "ip route-static 10.7.7.7 255.255.255.255 null 0", "quit"));
    EXPECT_EQ(LedgerBytes(), "10.7.7.7\r\n");

    WaitForTheHangUp();
    mark = Mark();
    Tick(window->Timer2);
    EXPECT_THAT(LinesSince(mark), ElementsAre("tavernite!@#", "super", "tavernite!@#", "system-view",
                                              "undo ip route-static 10.7.7.7 255.255.255.255 null 0", "quit"));
    EXPECT_FALSE(std::filesystem::exists(LedgerPath()));
    EXPECT_TRUE(dialogs->Seen().empty());
}

TEST_F(RouterTroubleTest, AutomaticCycleIsSkippedWhenTheNewLoginFails) {
    StartRouter(HangingUpRouter());
    OpenWindow();
    Click(window->Button1);
    WaitForTheHangUp();
    WriteLedger("10.8.8.8\r\n");
    window->Edit2->SetText(L"changed");
    window->Edit3->SetText(L"changed");
    dialogs->Clear();
    const size_t mark = Mark();
    for (TTimer* timer : {window->Timer1, window->Timer2}) Tick(timer);
    const auto lines = LinesSince(mark);
    EXPECT_EQ(Count(lines, "display nat sess") + Count(lines, "system-view"), 0u);
    EXPECT_EQ(Count(lines, "super"), 2u) << "one login attempt per tick";
    EXPECT_EQ(LedgerBytes(), "10.8.8.8\r\n");
    EXPECT_TRUE(dialogs->Seen().empty());
}

//--- slow answers

TEST_F(RouterTroubleTest, LoginAndCensusSucceedWithALateOrPiecemealRouter) {
    struct TCase {
        const char* Name;
        std::function<void(routersim::SimConfig&)> Slow;
    };
    const TCase cases[] = {
        {"250 ms late", [](routersim::SimConfig& c) { c.latencyMs = 250; }},
        {"in small pieces", [](routersim::SimConfig& c) { c.pieceBytes = 7; c.piecePauseMs = 40; }},
        {"pieces and junk", [](routersim::SimConfig& c) {
             c.pieceBytes = 300;
             c.piecePauseMs = 20;
             c.junkBinary = c.junkLongLine = c.junkEscapes = true;
         }},
    };
    for (const TCase& c : cases) {
        auto config = HuaweiRouter();
        config.natHosts = {{"10.9.9.1", 3}, {"10.9.9.2", 2}, {"10.9.9.3", 1}};
        config.pageLines = 4;  // four screens
        c.Slow(config);
        StartRouter(config);
        OpenWindow();
        window->Edit4->SetText(L"2");
        dialogs->Clear();
        Click(window->Button1);
        RunCensus();
        EXPECT_THAT(dialogs->Texts(), ElementsAre(L"连接成功！", L"10.9.9.1有3个连接\r\n10.9.9.2有2个连接\r\n")) << c.Name;
        router->Stop();
    }
}

// A router that takes three seconds to write its configuration; meanwhile the window keeps
// answering its messages.
TEST_F(RouterTroubleTest, SlowSaveSucceedsAndTheWindowStaysResponsive) {
    auto config = CiscoRouter();
    config.saveDelayMs = 3000;
    StartRouter(config);
    OpenWindow();
    ::SendMessageW(window->RadioButton1->Handle(), BM_CLICK, 0, 0);
    Click(window->Button1);
    std::atomic<bool> done{false}, finished{false};
    std::atomic<long long> slowestMs{0};
    const HWND target = window->Handle();
    std::thread pinger([&] {
        while (!done) {
            const auto start = std::chrono::steady_clock::now();
            DWORD_PTR result = 0;
            ::SendMessageTimeoutW(target, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &result);
            const auto ms =
                std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
            slowestMs = std::max<long long>(slowestMs, ms);
            ::Sleep(20);
        }
        finished = true;
    });
    Press(window->Button5);
    EXPECT_FALSE(window->Panel1->Enabled()) << "the working panel waits for the dialogue";
    WaitForCommand();
    done = true;
    // The last ping may be on its way: it is answered before the thread is joined.
    PumpUntil([&] { return finished.load(); }, std::chrono::milliseconds(6000));
    pinger.join();
    EXPECT_EQ(dialogs->Texts().back(), L"保存成功！");
    EXPECT_LT(slowestMs.load(), 1000) << "the main thread went unanswered while the router wrote";
}

//--- timer ticks during each modal message

// A check tick that falls while a manual command's message is open waits until that command
// has ended, then runs its census; nothing of it reaches the router before.
TEST_F(RouterTroubleTest, CheckTickDuringEachMessageWaitsForTheCommand) {
    StartRouter(HuaweiRouter());
    OpenWindow();
    window->Timer1->SetInterval(3600000);
    window->Timer1->SetEnabled(true);
    struct TCase {
        const char* Name;
        TButton* Button;
        size_t Message;  // which message of the command the tick falls on
    };
    const TCase cases[] = {
        {"login", window->Button1, 0},      {"census report", window->Button2, 0},
        {"block question", window->Button3, 0}, {"block result", window->Button3, 1},
        {"restore result", window->Button4, 0}, {"save result", window->Button5, 0},
        {"logout", window->Button6, 0},
    };
    for (const TCase& c : cases) {
        if (c.Button == window->Button3) Click(window->Button7);
        dialogs->Clear();
        const size_t mark = Mark();
        bool ranDuringMessage = true;
        dialogs->OnShown = [&](const SeenDialog&) {
            if (dialogs->Seen().size() != c.Message + 1) return;
            window->Timer1->OnTimer(window->Timer1);
            ranDuringMessage = !window->CommandRunning() || AutoCheck;
        };
        Click(c.Button);
        dialogs->OnShown = nullptr;
        ASSERT_TRUE(PumpUntil([&] { return Count(LinesSince(mark), "display nat sess") > (c.Button == window->Button2); },
                              std::chrono::milliseconds(20000)))
            << c.Name << ": the tick ran after the command";
        ASSERT_TRUE(PumpUntil([&] { return !window->CommandRunning() && !AutoCheck; }, std::chrono::milliseconds(20000)));
        EXPECT_FALSE(ranDuringMessage) << c.Name;
        // The automatic census is the last thing the router heard.
        EXPECT_EQ(LinesSince(mark).back(), "display nat sess") << c.Name;
    }
}

TEST_F(RouterTroubleTest, BlockQuestionCutsOffExactlyTheHostsItListed) {
    StartRouter(HuaweiRouter());
    OpenWindow();
    window->Timer2->SetInterval(3600000);
    window->Timer2->SetEnabled(true);
    Click(window->Button1);
    Click(window->Button7);
    WriteLedger("10.10.10.10\r\n");
    const size_t mark = Mark();
    // A restore tick while the question is open would load the ledger into the pending list.
    dialogs->OnShown = [&](const SeenDialog& d) {
        if (d.Class == L"#32770") window->Timer2->OnTimer(window->Timer2);
    };
    Click(window->Button3);
    dialogs->OnShown = nullptr;
    ASSERT_TRUE(PumpUntil([] { return !std::filesystem::exists(LedgerPath()); }, std::chrono::milliseconds(20000)));
    ASSERT_TRUE(PumpUntil([&] { return !window->CommandRunning() && !AutoRestore; }));
    EXPECT_THAT(LinesSince(mark),
                ElementsAre("system-view", "ip route-static 192.168.0.10 255.255.255.255 null 0", "quit", "system-view",
                            "undo ip route-static 10.10.10.10 255.255.255.255 null 0", "quit", "system-view",
                            "undo ip route-static 192.168.0.10 255.255.255.255 null 0", "quit"));
}

//--- a worker that cannot start

TEST_F(RouterTroubleTest, CommandWhoseWorkerCannotStartShowsAMessageAndLeavesNothingRunning) {
    StartRouter(HuaweiRouter());
    OpenWindow();
    FailDialogueStarts(true);
    for (TButton* button : {window->Button1, window->Button2, window->Button5}) {
        dialogs->Clear();
        Click(button);
        EXPECT_THAT(dialogs->Texts(), ElementsAre(L"无法启动后台线程，命令没有执行。"));
        EXPECT_FALSE(window->CommandRunning());
        EXPECT_TRUE(window->Panel1->Enabled());
    }
    FailDialogueStarts(false);
    dialogs->Clear();
    Click(window->Button1);
    EXPECT_THAT(dialogs->Texts(), ElementsAre(L"连接成功！"));
}

}  // namespace
