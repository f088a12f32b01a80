#include "support/MainWindowFixture.h"

#include "platform/devicemonitor/devicemonitor.h"
#include "router/TelnetBinding.h"
#include "skin/data/SkinData.h"
#include "support/TestSupport.h"

#include <fstream>
#include <sstream>

namespace qx::test {

void MainWindowFixture::SetUp() {
    router::TTelnetBinding& telnet = router::TelnetBinding();
    telnet.telnet_connect = &::telnet_connect;
    telnet.ReadResult = &::ReadResult;
    telnet.new_do_command = &::new_do_command;
    telnet.telnet_is_open = &::telnet_is_open;
    EnsureApplication();
    RegisterUnit1Classes();
    RegisterSkinDataClasses();
    std::filesystem::remove(LedgerPath());
    Dialect = router::TDialect::dlCisco;
    FailDialogueStarts(false);
    SessionHandle = 0;
    AutoCheck = AutoRestore = false;
    if (BlockList) BlockList->clear();
    dialogs = std::make_unique<DialogAnswerer>();
}

void MainWindowFixture::TearDown() {
    dialogs.reset();
    DoneApplication();  // frees the window
    window = nullptr;
    if (router) router->Stop();
    std::filesystem::remove(LedgerPath());
}

routersim::SimConfig MainWindowFixture::HuaweiRouter() const {
    routersim::SimConfig c;
    c.dialect = routersim::Dialect::Huawei;
    c.password = "tavernite!@#";
    c.enablePassword = "tavernite!@#";
    return c;
}

routersim::SimConfig MainWindowFixture::CiscoRouter() const {
    routersim::SimConfig c = HuaweiRouter();
    c.dialect = routersim::Dialect::Cisco;
    return c;
}

void MainWindowFixture::StartRouter(routersim::SimConfig config) {
    router = std::make_unique<routersim::RouterSimulator>(std::move(config));
    ASSERT_TRUE(router->Start(0)) << router->Error();
}

void MainWindowFixture::OpenWindow() {
    if (!Form8) Application->CreateForm(Form8);
    window = Form8;
    window->Show();
    PumpPending(std::chrono::milliseconds(50));
    if (router) window->Edit1->SetText(L" 127.0.0.1:" + std::to_wstring(router->Port()) + L" ");
}

void MainWindowFixture::Press(TButton* button) {
    // The real path: BM_CLICK makes the button send BN_CLICKED to its parent.
    ::SendMessageW(button->Handle(), BM_CLICK, 0, 0);
    PumpPending(std::chrono::milliseconds(30));
}

void MainWindowFixture::Click(TButton* button) {
    Press(button);
    WaitForCommand();
}

void MainWindowFixture::WaitForCommand() {
    // The dialogue runs on a worker; the command ends once its last message was answered.
    ASSERT_TRUE(PumpUntil([&] { return !window || !window->CommandRunning(); }, std::chrono::milliseconds(60000)));
    PumpPending(std::chrono::milliseconds(30));
}

void MainWindowFixture::ClickCheckBox(TCheckBox* box) {
    ::SendMessageW(box->Handle(), BM_CLICK, 0, 0);
    PumpPending(std::chrono::milliseconds(30));
}

void MainWindowFixture::RunCensus() {
    size_t before = dialogs->Seen().size();
    Click(window->Button2);
    ASSERT_TRUE(PumpUntil([&] { return window->Panel1->Enabled() && (AutoCheck == false) &&
                                       (dialogs->Seen().size() > before || AutoCheck == false); },
                          std::chrono::milliseconds(30000)));
    PumpPending(std::chrono::milliseconds(50));
}

std::string MainWindowFixture::LedgerBytes() const {
    std::ifstream in(LedgerPath(), std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

std::vector<std::string> MainWindowFixture::LinesSince(size_t mark) const {
    auto all = router->Transcript();
    return std::vector<std::string>(all.begin() + static_cast<long>(std::min(mark, all.size())), all.end());
}

}  // namespace qx::test
