// The main window as a user meets it: created from its description, every button pressed
// against the router simulator on 127.0.0.1, checked by the messages shown, the lines the
// router received and the ledger's bytes.
#include "support/MainWindowFixture.h"
#include "support/TestSupport.h"

#include <gmock/gmock.h>

#include <fstream>

using namespace qx;
using namespace qx::test;
using testing::ElementsAre;

namespace {

class MainWindowTest : public MainWindowFixture {};

std::vector<routersim::NatHost> Hosts(std::initializer_list<std::pair<const char*, int>> list) {
    std::vector<routersim::NatHost> out;
    for (auto& [a, n] : list) out.push_back({a, n});
    return out;
}

//--- the window at rest

TEST_F(MainWindowTest, StartsWithTheStoredControlsAndHuawei) {
    // The stored outer size, before the skin takes the frame over (it keeps the client size).
    Application->CreateForm(Form8);
    EXPECT_EQ(Form8->Width(), 669);
    EXPECT_EQ(Form8->Height(), 340);
    Form8->HandleNeeded();
    RECT client = Form8->ClientRect();
    OpenWindow();
    RECT skinned = window->ClientRect();
    EXPECT_EQ(skinned.right - skinned.left, client.right - client.left);
    EXPECT_EQ(skinned.bottom - skinned.top, client.bottom - client.top);
    EXPECT_EQ(Dialect, router::TDialect::dlHuawei);
    EXPECT_EQ(window->Caption(), L"Quellox");
    EXPECT_EQ(window->BorderIcons(), biSystemMenu | biMinimize);
    EXPECT_TRUE(window->RadioButton2->Checked());
    EXPECT_FALSE(window->RadioButton1->Checked());
    EXPECT_EQ(window->Edit2->PasswordChar(), L'*');
    EXPECT_EQ(window->Edit3->PasswordChar(), L'&');
    EXPECT_EQ(window->Edit4->Text(), L"100");
    EXPECT_EQ(window->Edit5->Text(), L"192.168.0.10");
    EXPECT_EQ(window->Button7->Caption(), L"指定要断开的IP");
    EXPECT_EQ(window->CheckBox1->Caption(), L"自动处理（每2分钟自动检查，每10分钟恢复一次通信）");
    EXPECT_FALSE(window->CheckBox1->Checked());
    EXPECT_FALSE(window->Timer1->Enabled());
    EXPECT_EQ(window->Timer1->Interval(), 600000u);
    EXPECT_EQ(window->Timer2->Interval(), 2100000u);
    RECT p7 = window->Panel7->BoundsRect();
    EXPECT_EQ(p7.left, 371);
    EXPECT_EQ(p7.top, 208);
    // Tab order inside the working panel.
    std::vector<TWinControl*> order;
    window->Panel1->GetTabOrderList(order);
    std::vector<TWinControl*> expected{window->Button1, window->Edit1, window->Edit2, window->Edit3, window->Button2,
                                       window->Button3, window->Button4, window->Button5, window->Button6, window->Edit4,
                                       window->Edit5, window->Button7, window->RadioButton1, window->RadioButton2,
                                       window->CheckBox1};
    EXPECT_EQ(order, expected);
}

TEST_F(MainWindowTest, RadioButtonsChangeOnlyTheDialect) {
    StartRouter(HuaweiRouter());
    OpenWindow();
    ::SendMessageW(window->RadioButton1->Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(Dialect, router::TDialect::dlCisco);
    ::SendMessageW(window->RadioButton2->Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(Dialect, router::TDialect::dlHuawei);
    EXPECT_EQ(router->ConnectionsAccepted(), 0);
    EXPECT_TRUE(dialogs->Seen().empty());
}

//--- login and logout

TEST_F(MainWindowTest, HuaweiLoginSucceedsWithTheWindowsPasswords) {
    StartRouter(HuaweiRouter());
    OpenWindow();
    Click(window->Button1);
    EXPECT_THAT(dialogs->Texts(), ElementsAre(L"连接成功！"));
    EXPECT_EQ(dialogs->Seen()[0].Class, L"TMessageForm");
    EXPECT_EQ(dialogs->Seen()[0].Caption, L"Quellox");
    EXPECT_GT(SessionHandle, 0);
    EXPECT_THAT(router->Transcript(), ElementsAre("tavernite!@#", "super", "tavernite!@#"));
}

TEST_F(MainWindowTest, CiscoLoginAnswersTheUserNamePromptAndEnables) {
    auto config = CiscoRouter();
    config.usernamePrompt = true;
    StartRouter(config);
    OpenWindow();
    ::SendMessageW(window->RadioButton1->Handle(), BM_CLICK, 0, 0);
    Click(window->Button1);
    EXPECT_THAT(dialogs->Texts(), ElementsAre(L"连接成功！"));
    EXPECT_THAT(router->Transcript(), ElementsAre("admin", "tavernite!@#", "enable", "tavernite!@#"));
}

// A wrong super password is not detected on Huawei: the user view and the privileged view share
// the "<name>" prompt, and the login judges by the prompt alone.
TEST_F(MainWindowTest, WrongPasswordOrNoRouterFails) {
    auto config = HuaweiRouter();
    config.password = "other";
    StartRouter(config);
    OpenWindow();
    Click(window->Button1);
    // Nothing listens on the port of a stopped simulator.
    router->Stop();
    Click(window->Button1);
    EXPECT_THAT(dialogs->Texts(), ElementsAre(L"连接失败！", L"连接失败！"));
    EXPECT_EQ(SessionHandle, -1);
}

TEST_F(MainWindowTest, LogoutSendsQuitAndKeepsTheHandle) {
    StartRouter(HuaweiRouter());
    OpenWindow();
    Click(window->Button1);
    int handle = SessionHandle;
    size_t mark = Mark();
    Click(window->Button6);
    EXPECT_THAT(dialogs->Texts(), ElementsAre(L"连接成功！", L"断开成功！"));
    EXPECT_EQ(SessionHandle, handle);
    ASSERT_TRUE(PumpUntil([&] { return !LinesSince(mark).empty(); }));
    EXPECT_THAT(LinesSince(mark), ElementsAre("quit"));
}

//--- census, block, restore

TEST_F(MainWindowTest, CensusReportsHostsAtOrAboveTheThresholdInOrder) {
    auto config = HuaweiRouter();
    config.natHosts = Hosts({{"192.168.1.20", 99}, {"192.168.1.21", 150}, {"192.168.1.22", 100}, {"192.168.1.23", 3}});
    StartRouter(config);
    OpenWindow();
    Click(window->Button1);
    RunCensus();
    ASSERT_EQ(dialogs->Seen().size(), 2u);
    EXPECT_EQ(dialogs->Seen()[1].Text, L"192.168.1.21有150个连接\r\n192.168.1.22有100个连接\r\n");
    ASSERT_NE(BlockList, nullptr);
    EXPECT_THAT(*BlockList, ElementsAre("192.168.1.21", "192.168.1.22"));
    EXPECT_TRUE(window->Panel1->Enabled());
}

TEST_F(MainWindowTest, BlockAsksThenCutsOffAndRecordsThenRestoreUndoes) {
    auto config = HuaweiRouter();
    config.natHosts = Hosts({{"10.1.1.1", 120}, {"10.1.1.2", 130}, {"10.1.1.3", 5}});
    config.pageLines = 10;
    StartRouter(config);
    OpenWindow();
    Click(window->Button1);
    RunCensus();
    size_t mark = Mark();
    dialogs->Clear();
    Click(window->Button3);
    ASSERT_EQ(dialogs->Seen().size(), 2u);
    const SeenDialog& question = dialogs->Seen()[0];
    EXPECT_EQ(question.Class, L"#32770");
    EXPECT_EQ(question.Caption, L"Quellox");
    EXPECT_EQ(question.Text, L"你确定要断开以下IP地址吗？\r\n10.1.1.2\r\n10.1.1.1\r\n");
    EXPECT_TRUE(question.HasCancel);
    EXPECT_EQ(question.Icon, static_cast<UINT>(MB_ICONQUESTION));
    EXPECT_EQ(dialogs->Seen()[1].Text, L"断开成功！");
    EXPECT_THAT(LinesSince(mark),
                ElementsAre("system-view", "ip route-static 10.1.1.2 255.255.255.255 null 0", "quit", "system-view",
                            "ip route-static 10.1.1.1 255.255.255.255 null 0", "quit"));
    EXPECT_TRUE(router->HasHostNullRoute("10.1.1.1"));
    EXPECT_EQ(LedgerBytes(), "10.1.1.2\r\n10.1.1.1\r\n");

    dialogs->Clear();
    mark = Mark();
    Click(window->Button4);
    EXPECT_THAT(dialogs->Texts(), ElementsAre(L"恢复成功！"));
    EXPECT_THAT(LinesSince(mark),
                ElementsAre("system-view", "undo ip route-static 10.1.1.2 255.255.255.255 null 0", "quit",
                            "system-view", "undo ip route-static 10.1.1.1 255.255.255.255 null 0", "quit"));
    EXPECT_TRUE(router->NullRoutes().empty());
    EXPECT_FALSE(std::filesystem::exists(LedgerPath()));
    // Nothing left to restore.
    Click(window->Button4);
    EXPECT_THAT(dialogs->Texts(), ElementsAre(L"恢复成功！", L"恢复失败！"));
}

TEST_F(MainWindowTest, CancelInTheQuestionSendsAndWritesNothing) {
    StartRouter(HuaweiRouter());
    OpenWindow();
    Click(window->Button1);
    Click(window->Button7);
    size_t mark = Mark();
    dialogs->Plan({IDCANCEL});
    Click(window->Button3);
    EXPECT_THAT(dialogs->Texts(), ElementsAre(L"连接成功！", L"OK！", L"你确定要断开以下IP地址吗？\r\n192.168.0.10\r\n"));
    PumpPending(std::chrono::milliseconds(200));
    EXPECT_TRUE(LinesSince(mark).empty());
    EXPECT_FALSE(std::filesystem::exists(LedgerPath()));
}

TEST_F(MainWindowTest, CiscoManualTargetIsCutOffTwiceAndRestoredTwice) {
    StartRouter(CiscoRouter());
    OpenWindow();
    ::SendMessageW(window->RadioButton1->Handle(), BM_CLICK, 0, 0);
    Click(window->Button1);
    window->Edit5->SetText(L"  172.16.5.9 ");
    Click(window->Button7);
    size_t mark = Mark();
    Click(window->Button3);
    Click(window->Button3);
    EXPECT_EQ(LedgerBytes(), "172.16.5.9\r\n172.16.5.9\r\n");
    auto lines = LinesSince(mark);
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_THAT(std::vector<std::string>(lines.begin(), lines.begin() + 3),
                ElementsAre("configure terminal", "ip route 172.16.5.9 255.255.255.255 null 0", "exit"));
    mark = Mark();
    Click(window->Button4);
    lines = LinesSince(mark);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "no ip route 172.16.5.9 255.255.255.255 null 0"), 2);
    EXPECT_EQ(dialogs->Texts().back(), L"恢复成功！");
}

TEST_F(MainWindowTest, ManualTargetThatIsNoAddressIsRefused) {
    OpenWindow();
    window->Edit5->SetText(L"router.example");
    Click(window->Button7);
    ASSERT_EQ(dialogs->Seen().size(), 1u);
    EXPECT_NE(dialogs->Seen()[0].Text.find(L"router.example"), std::wstring::npos);
    EXPECT_NE(dialogs->Seen()[0].Text, L"OK！");
    ASSERT_NE(BlockList, nullptr);
    EXPECT_TRUE(BlockList->empty());
}

TEST_F(MainWindowTest, BlockWithNothingPendingFailsWithoutSending) {
    StartRouter(HuaweiRouter());
    OpenWindow();
    Click(window->Button1);
    size_t mark = Mark();
    Click(window->Button3);
    EXPECT_THAT(dialogs->Texts(), ElementsAre(L"连接成功！", L"断开失败！"));
    EXPECT_TRUE(LinesSince(mark).empty());
    EXPECT_FALSE(std::filesystem::exists(LedgerPath()));
}

TEST_F(MainWindowTest, UnwritableLedgerNamesTheHostsCutOffButNotRecorded) {
    StartRouter(HuaweiRouter());
    OpenWindow();
    Click(window->Button1);
    Click(window->Button7);
    // A folder where the ledger should be: the record cannot be written.
    std::filesystem::create_directory(LedgerPath());
    Click(window->Button3);
    std::filesystem::remove(LedgerPath());
    ASSERT_EQ(dialogs->Seen().size(), 4u);
    const std::wstring& text = dialogs->Seen()[3].Text;
    EXPECT_EQ(text.rfind(L"断开失败！", 0), 0u) << "starts with the failure";
    EXPECT_NE(text.find(L"192.168.0.10"), std::wstring::npos);
    EXPECT_TRUE(router->HasHostNullRoute("192.168.0.10"));
}

TEST_F(MainWindowTest, SaveOnCiscoSucceedsAndOnHuaweiSendsWriteToo) {
    StartRouter(CiscoRouter());
    OpenWindow();
    ::SendMessageW(window->RadioButton1->Handle(), BM_CLICK, 0, 0);
    Click(window->Button1);
    Click(window->Button5);
    EXPECT_EQ(dialogs->Texts().back(), L"保存成功！");
    EXPECT_EQ(router->Transcript().back(), "write");
    router->Stop();

    StartRouter(HuaweiRouter());
    window->Edit1->SetText(L"127.0.0.1:" + std::to_wstring(router->Port()));
    ::SendMessageW(window->RadioButton2->Handle(), BM_CLICK, 0, 0);
    Click(window->Button1);
    Click(window->Button5);
    EXPECT_EQ(dialogs->Texts().back(), L"保存失败！");
    EXPECT_EQ(router->Transcript().back(), "write");
}

TEST_F(MainWindowTest, ThresholdThatIsNoNumberIsReportedAndNothingBlocked) {
    auto config = HuaweiRouter();
    config.natHosts = Hosts({{"10.2.2.2", 500}});
    StartRouter(config);
    OpenWindow();
    Click(window->Button1);
    window->Edit4->SetText(L"lots");
    RunCensus();
    ASSERT_EQ(dialogs->Seen().size(), 2u);
    EXPECT_NE(dialogs->Seen()[1].Text.find(L"lots"), std::wstring::npos);
    EXPECT_TRUE(BlockList->empty());
    EXPECT_TRUE(window->Panel1->Enabled());
}

//--- automatic mode

TEST_F(MainWindowTest, AutomaticCheckCutsOffSilentlyAndClearsTheFlag) {
    auto config = HuaweiRouter();
    config.natHosts = Hosts({{"10.3.3.3", 180}, {"10.3.3.4", 40}});
    StartRouter(config);
    OpenWindow();
    Click(window->Button1);
    dialogs->Clear();
    ClickCheckBox(window->CheckBox1);  // starts a census at once
    EXPECT_TRUE(window->Timer1->Enabled());
    EXPECT_TRUE(window->Timer2->Enabled());
    ASSERT_TRUE(PumpUntil([] { return !AutoCheck; }, std::chrono::milliseconds(30000)));
    ASSERT_TRUE(PumpUntil([&] { return window->Panel1->Enabled(); }));
    EXPECT_TRUE(dialogs->Seen().empty());
    EXPECT_EQ(LedgerBytes(), "10.3.3.3\r\n");
    EXPECT_TRUE(router->HasHostNullRoute("10.3.3.3"));

    // The restore tick, made short for the test.
    window->Timer2->SetInterval(300);
    ASSERT_TRUE(PumpUntil([] { return !std::filesystem::exists(LedgerPath()); }, std::chrono::milliseconds(30000)));
    // The restore's outcome reaches the window once its worker has ended.
    EXPECT_TRUE(PumpUntil([&] { return !AutoRestore && !window->CommandRunning(); }));
    EXPECT_TRUE(router->NullRoutes().empty());
    EXPECT_TRUE(dialogs->Seen().empty());
    ClickCheckBox(window->CheckBox1);
    EXPECT_FALSE(window->Timer1->Enabled());
    EXPECT_FALSE(window->Timer2->Enabled());
}

TEST_F(MainWindowTest, AutomaticRestoreWithoutLedgerSendsNothing) {
    StartRouter(HuaweiRouter());
    OpenWindow();
    Click(window->Button1);
    size_t mark = Mark();
    dialogs->Clear();
    window->Timer2Timer(window->Timer2);
    EXPECT_FALSE(AutoRestore);
    EXPECT_TRUE(dialogs->Seen().empty());
    PumpPending(std::chrono::milliseconds(200));
    EXPECT_TRUE(LinesSince(mark).empty());
}

//--- closing

TEST_F(MainWindowTest, ClosingDuringACensusTouchesNothingAfterwards) {
    auto config = HuaweiRouter();
    config.natHosts = Hosts({{"10.4.4.4", 300}});
    config.pageDelayMs = 150;
    StartRouter(config);
    OpenWindow();
    Click(window->Button1);
    dialogs->Clear();
    Press(window->Button2);
    PumpPending(std::chrono::milliseconds(300));
    ASSERT_FALSE(window->Panel1->Enabled());  // the census is still running
    RECT r{};
    ::GetWindowRect(window->Handle(), &r);
    DibCanvas shot(r.right - r.left, r.bottom - r.top);
    PrintWindowTo(window->Handle(), shot);
    EXPECT_TRUE(shot.SavePng(ArtifactsDir() + "/MainWindow_CensusRunning.png"));
    ::SendMessageW(window->Handle(), WM_CLOSE, 0, 0);
    DoneApplication();
    window = nullptr;
    // The census ends against a closed window: no report, no crash. (Its router session was
    // logged out, so the listing stops early.)
    ::Sleep(3000);
    EXPECT_TRUE(dialogs->Seen().empty());
    EXPECT_EQ(Form8, nullptr);
}

TEST_F(MainWindowTest, ClosingWithoutConnectingSendsQuitAndLeavesAnEmptyHistory) {
    std::filesystem::remove("iphist.dat");
    OpenWindow();
    ::SendMessageW(window->Handle(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(Application->Terminated() || PumpUntil([] { return Application->Terminated(); }));
    EXPECT_TRUE(dialogs->Seen().empty());
    DoneApplication();
    window = nullptr;
    ASSERT_TRUE(std::filesystem::exists("iphist.dat"));
    EXPECT_EQ(std::filesystem::file_size("iphist.dat"), 0u);
}

}  // namespace
