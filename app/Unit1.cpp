#include "app/Unit1.h"

#include "app/AdPanels.h"
#include "app/AnsiText.h"

#include "framework/Dialogs.h"
#include "router/BlockCommands.h"
#include "router/CensusReport.h"
#include "router/NullRoute.h"
#include "router/OwnAddress.h"
#include "router/RouterText.h"
#include "skin/controls/SkinManage.h"

#include <stdexcept>

using namespace qx;
using router::TDialect;

router::TDialect Dialect = TDialect::dlCisco;
int SessionHandle = 0;
std::vector<std::string>* BlockList = nullptr;
TStringList* ReportList = nullptr;
bool AutoCheck = false;
bool AutoRestore = false;
TForm8* Form8 = nullptr;

namespace {

// The window has no user-name box: a device that asks for one gets this name.
const char* const kUserName = "admin";

constexpr UINT WM_DIALOGUE_OUTCOME = WM_APP + 1;
constexpr UINT WM_RUN_DEFERRED_TICK = WM_APP + 2;

const wchar_t kSessionLost[] = L"与路由器的连接已断开，请重新连接设备。";
const wchar_t kListingCutShort[] = L"路由器的会话列表没有读完整，未作统计，请重新检查连接数。";
const wchar_t kNoWorker[] = L"无法启动后台线程，命令没有执行。";

std::vector<std::string>& TheBlockList() {
    if (!BlockList) BlockList = new std::vector<std::string>;
    return *BlockList;
}

TStringList& TheReportList() {
    if (!ReportList) ReportList = new TStringList;
    return *ReportList;
}

std::string Trimmed(TEdit* edit) { return router::TrimBlanks(ToAnsi(edit->Text())); }

std::wstring Joined(const std::vector<std::string>& hosts) {
    std::wstring text;
    for (const auto& h : hosts) text += FromAnsi(h) + L"\r\n";
    return text;
}

}  // namespace

std::filesystem::path LedgerPath() {
    wchar_t exe[MAX_PATH] = {};
    DWORD n = ::GetModuleFileNameW(nullptr, exe, MAX_PATH);
    return std::filesystem::path(std::wstring(exe, n)).parent_path() / L"cctdlsc.txt";
}

QX_DEFINE_CLASS(TForm8, TForm, b) {
    b.Field(L"Panel1", &TForm8::Panel1).Field(L"Panel2", &TForm8::Panel2).Field(L"Panel3", &TForm8::Panel3);
    b.Field(L"Panel4", &TForm8::Panel4).Field(L"Panel5", &TForm8::Panel5).Field(L"Panel6", &TForm8::Panel6);
    b.Field(L"Panel7", &TForm8::Panel7);
    b.Field(L"Label1", &TForm8::Label1).Field(L"Label2", &TForm8::Label2).Field(L"Label3", &TForm8::Label3);
    b.Field(L"Label4", &TForm8::Label4).Field(L"Label5", &TForm8::Label5).Field(L"Label6", &TForm8::Label6);
    b.Field(L"Label7", &TForm8::Label7);
    b.Field(L"Edit1", &TForm8::Edit1).Field(L"Edit2", &TForm8::Edit2).Field(L"Edit3", &TForm8::Edit3);
    b.Field(L"Edit4", &TForm8::Edit4).Field(L"Edit5", &TForm8::Edit5);
    b.Field(L"Button1", &TForm8::Button1).Field(L"Button2", &TForm8::Button2).Field(L"Button3", &TForm8::Button3);
    b.Field(L"Button4", &TForm8::Button4).Field(L"Button5", &TForm8::Button5).Field(L"Button6", &TForm8::Button6);
    b.Field(L"Button7", &TForm8::Button7);
    b.Field(L"RadioButton1", &TForm8::RadioButton1).Field(L"RadioButton2", &TForm8::RadioButton2);
    b.Field(L"CheckBox1", &TForm8::CheckBox1);
    b.Field(L"Timer1", &TForm8::Timer1).Field(L"Timer2", &TForm8::Timer2);
    b.Field(L"IdIPWatch1", &TForm8::IdIPWatch1);
    b.Field(L"SkinData1", &TForm8::SkinData1);
    b.Method<&TForm8::FormCreate>(L"FormCreate");
    b.Method<&TForm8::FormShow>(L"FormShow");
    b.Method<&TForm8::FormCloseQuery>(L"FormCloseQuery");
    b.Method<&TForm8::RadioButton1Click>(L"RadioButton1Click");
    b.Method<&TForm8::RadioButton2Click>(L"RadioButton2Click");
    b.Method<&TForm8::Button1Click>(L"Button1Click");
    b.Method<&TForm8::Button2Click>(L"Button2Click");
    b.Method<&TForm8::Button3Click>(L"Button3Click");
    b.Method<&TForm8::Button4Click>(L"Button4Click");
    b.Method<&TForm8::Button5Click>(L"Button5Click");
    b.Method<&TForm8::Button6Click>(L"Button6Click");
    b.Method<&TForm8::Button7Click>(L"Button7Click");
    b.Method<&TForm8::CheckBox1Click>(L"CheckBox1Click");
    b.Method<&TForm8::Timer1Timer>(L"Timer1Timer");
    b.Method<&TForm8::Timer2Timer>(L"Timer2Timer");
}

// The window's skin data component hands its skin to the skin manager, which this program
// brings along.
void RegisterUnit1Classes() {
    RegisterComponentClass(TIdIPWatch::StaticClass());
    InstallSkinManager();
}

TForm8::TForm8(TComponent* owner) : TForm(owner) { InitInheritedComponent(L"TFORM8"); }

TForm8::~TForm8() {
    // Workers still talking to the router finish on their own; their outcomes are dropped.
    DialogueMailbox()->Detach();
    if (Form8 == this) Form8 = nullptr;
}

void TForm8::WndProc(TMessage& m) {
    switch (m.Msg) {
    case WM_DIALOGUE_OUTCOME: RunOutcomes(); return;
    case WM_RUN_DEFERRED_TICK: RunDeferredTick(); return;
    }
    TForm::WndProc(m);
}

std::string TForm8::RouterAddress() { return Trimmed(Edit1); }

TForm8::TLoginValues TForm8::LoginValues() { return {Dialect, RouterAddress(), Trimmed(Edit2), Trimmed(Edit3)}; }

//--- window

void TForm8::FormCreate(TObject*) {
    Dialect = TDialect::dlHuawei;
    router::SetOwnAddressLookup([this] { return IdIPWatch1 ? IdIPWatch1->LocalIP() : std::string(); });
}

void TForm8::FormShow(TObject*) { ShowAdPanels({Panel2, Panel3, Panel5, Panel6, Panel7, Panel4}); }

// Logs out without waiting for a command that may still run (one line, no reading); never
// refuses the close.
void TForm8::FormCloseQuery(TObject*, bool& canClose) {
    router::DialectLogout(Dialect, RouterAddress(), SessionHandle);
    canClose = true;
}

void TForm8::RadioButton1Click(TObject*) { Dialect = TDialect::dlCisco; }
void TForm8::RadioButton2Click(TObject*) { Dialect = TDialect::dlHuawei; }

//--- one router command at a time
// A command runs from its click (or timer tick) until its last message has been answered: its
// dialogue on a worker, its outcome and messages here. Meanwhile the working panel is disabled
// and the timers' ticks wait; they run once the command has ended.

bool TForm8::BeginCommand() {
    if (FCommandRunning) return false;
    FCommandRunning = true;
    Panel1->SetEnabled(false);
    return true;
}

void TForm8::EndCommand() {
    FCommandRunning = false;
    Panel1->SetEnabled(true);
    if (FCheckDeferred || FRestoreDeferred) ::PostMessageW(Handle(), WM_RUN_DEFERRED_TICK, 0, 0);
}

bool TForm8::RunWorker(std::function<TOutcome()> work, TOutcome failed) {
    DialogueMailbox()->Attach(Handle(), WM_DIALOGUE_OUTCOME);
    if (StartDialogue(std::move(work), std::move(failed))) return true;
    WorkerNotStarted();
    return false;
}

// Nothing was started: say so (the ticks still wait meanwhile), then the command is over.
void TForm8::WorkerNotStarted() {
    AutoCheck = false;
    AutoRestore = false;
    ShowMessage(kNoWorker);
    EndCommand();
}

void TForm8::RunOutcomes() {
    for (TOutcome& outcome : DialogueMailbox()->Take()) outcome();
}

// One deferred tick per message; the command it starts posts the next when it ends. A timer
// switched off meanwhile has nothing more to do.
void TForm8::RunDeferredTick() {
    if (FCommandRunning) return;
    if (FCheckDeferred) {
        FCheckDeferred = false;
        if (Timer1->Enabled()) Timer1Timer(Timer1);
    } else if (FRestoreDeferred) {
        FRestoreDeferred = false;
        if (Timer2->Enabled()) Timer2Timer(Timer2);
    }
}

// Automatic mode: a session the router has ended (idle timeout, reboot) is logged in again
// with the window's current values, silently; when that fails the cycle is skipped and the
// next tick tries again.
void TForm8::EnsureSessionThen(std::function<void()> next) {
    const TLoginValues values = LoginValues();
    const int session = SessionHandle;
    RunWorker(
        [this, values, session, next]() -> TOutcome {
            if (session > 0 && router::TTelnetSession(router::TelnetBinding(), session, values.Host).Open())
                return [next] { next(); };
            int fresh = -1;
            const bool ok = router::DialectLogin(values.Dialect, values.Host, fresh, kUserName, values.Password,
                                                 values.PrivilegePassword);
            // A connection that did not reach the privileged level is of no use to the next
            // tick either: log it out, so that tick finds it closed and tries afresh.
            if (!ok && fresh > 0) router::DialectLogout(values.Dialect, values.Host, fresh);
            return [this, fresh, ok, next] {
                SessionHandle = fresh;
                if (ok) next();
                else SkipAutomaticCycle();
            };
        },
        [this] { SkipAutomaticCycle(); });
}

void TForm8::SkipAutomaticCycle() {
    AutoCheck = false;
    AutoRestore = false;
    EndCommand();
}

//--- login and logout

void TForm8::Button1Click(TObject*) {
    if (!BeginCommand()) return;
    SessionHandle = -1;
    const TLoginValues values = LoginValues();
    RunWorker(
        [this, values]() -> TOutcome {
            int session = -1;
            const bool ok = router::DialectLogin(values.Dialect, values.Host, session, kUserName, values.Password,
                                                 values.PrivilegePassword);
            return [this, session, ok] { LoginDone(session, ok); };
        },
        [this] { LoginDone(-1, false); });
}

void TForm8::LoginDone(int session, bool ok) {
    SessionHandle = session;
    ShowMessage(ok ? L"连接成功！" : L"连接失败！");
    EndCommand();
}

void TForm8::Button6Click(TObject*) {
    if (!BeginCommand()) return;
    const TDialect dialect = Dialect;
    const std::string host = RouterAddress();
    const int session = SessionHandle;
    const auto done = [this](bool ok) {
        ShowMessage(ok ? L"断开成功！" : L"断开失败！");
        EndCommand();
    };
    RunWorker(
        [done, dialect, host, session]() -> TOutcome {
            const bool ok = router::DialectLogout(dialect, host, session);
            return [done, ok] { done(ok); };
        },
        [done] { done(false); });
}

//--- census

TSetThread::TSetThread(bool createSuspended, const std::string& host, int session, TDialect dialect)
    : TThread(createSuspended), FHost(host), FDialect(dialect), FSession(session), FMailbox(DialogueMailbox()),
      FGeneration(FMailbox->Generation()) {
    if (DialogueStartsFail()) throw std::runtime_error("no thread");
}

void TSetThread::Execute() {
    FreeOnTerminate = true;
    const router::TCensusEnd end = router::RunCensus(FHost, FSession, FDialect, FCounts);
    // The report step runs on the main thread, for the window this census was started for.
    FMailbox->Post(FGeneration, [counts = std::move(FCounts), end] {
        if (Form8) Form8->ReportCensus(counts, end);
    });
}

void TForm8::Button2Click(TObject*) {
    if (!BeginCommand()) return;
    TheBlockList().clear();
    TheReportList().Clear();
    if (AutoCheck) EnsureSessionThen([this] { StartCensus(); });
    else StartCensus();
}

void TForm8::StartCensus() {
    DialogueMailbox()->Attach(Handle(), WM_DIALOGUE_OUTCOME);
    try {
        TThread::New<TSetThread>(false, RouterAddress(), SessionHandle, Dialect);
    } catch (const std::exception&) {
        WorkerNotStarted();
    }
}

void TForm8::ReportCensus(const router::strecord& counts, router::TCensusEnd end) {
    if (end != router::TCensusEnd::ceCounted) {
        // Counts of half a table would name the wrong hosts, or none: no report, no block list.
        if (AutoCheck) AutoCheck = false;
        else ShowMessage(end == router::TCensusEnd::ceSessionLost ? kSessionLost : kListingCutShort);
        EndCommand();
        return;
    }
    router::TCensusReport report = router::BuildCensusReport(counts, ToAnsi(Edit4->Text()));
    if (!report.ThresholdValid) {
        // Nothing can be compared with a threshold that is not a number: say so, block nothing.
        if (AutoCheck) AutoCheck = false;
        else ShowMessage(L"连接数阈值“" + Edit4->Text() + L"”不是整数，未检查。");
        EndCommand();
        return;
    }
    for (const auto& ip : report.BlockList) TheBlockList().push_back(ip);
    for (const auto& line : report.Lines) TheReportList().Add(router::ReportLineText(line));
    if (AutoCheck) {
        StartBlock();  // it ends the command
        return;
    }
    ShowMessage(TheReportList().Text());
    EndCommand();
}

//--- block, restore, save, manual target

void TForm8::Button3Click(TObject*) {
    if (!BeginCommand()) return;
    StartBlock();
}

void TForm8::StartBlock() {
    // The hosts the question lists are the hosts cut off, whatever happens to BlockList while
    // it is open.
    const std::vector<std::string> hosts = TheBlockList();
    // Nothing pending: nothing to ask about, nothing sent, nothing recorded.
    if (hosts.empty()) {
        BlockDone(router::brNothingToBlock, {});
        return;
    }
    if (!AutoCheck &&
        MessageDlgBox(L"你确定要断开以下IP地址吗？\r\n" + Joined(hosts), L"Quellox", MB_OKCANCEL | MB_ICONQUESTION) != IDOK) {
        EndCommand();
        return;
    }
    const TDialect dialect = Dialect;
    const std::string host = RouterAddress();
    const int session = SessionHandle;
    const std::filesystem::path ledger = LedgerPath();
    RunWorker(
        [this, dialect, host, session, hosts, ledger]() -> TOutcome {
            std::vector<std::string> cutOff;
            const router::TBlockResult result =
                router::BlockHosts(dialect, host, session, hosts, ledger, router::TelnetBinding(), &cutOff);
            return [this, result, cutOff] { BlockDone(result, cutOff); };
        },
        [this] { BlockDone(router::brRouteFailed, {}); });
}

void TForm8::BlockDone(router::TBlockResult result, const std::vector<std::string>& cutOff) {
    if (result == router::brLedgerFailed) {
        // The routes are in place but unrecorded: nobody could restore these hosts otherwise.
        ShowMessage(L"断开失败！无法写入记录文件 " + LedgerPath().wstring() + L"，以下IP地址已被断开但未记录，请手工恢复：\r\n" +
                    Joined(cutOff));
    } else if (!AutoCheck) {
        ShowMessage(result == router::brBlocked ? L"断开成功！" : L"断开失败！");
    }
    AutoCheck = false;
    EndCommand();
}

void TForm8::Button4Click(TObject*) {
    if (!BeginCommand()) return;
    // Without a ledger there is nothing to restore and nothing to say to the router.
    std::error_code error;
    if (!std::filesystem::exists(LedgerPath(), error)) {
        RestoreDone(false, {});
        return;
    }
    if (AutoRestore) EnsureSessionThen([this] { StartRestore(); });
    else StartRestore();
}

void TForm8::StartRestore() {
    const TDialect dialect = Dialect;
    const std::string host = RouterAddress();
    const int session = SessionHandle;
    const std::filesystem::path ledger = LedgerPath();
    RunWorker(
        [this, dialect, host, session, ledger]() -> TOutcome {
            std::vector<std::string> listed;
            const bool ok = router::RestoreHosts(dialect, host, session, ledger, listed);
            return [this, ok, listed] { RestoreDone(ok, listed); };
        },
        [this] { RestoreDone(false, {}); });
}

void TForm8::RestoreDone(bool ok, const std::vector<std::string>& listed) {
    TheBlockList() = listed;
    if (AutoRestore) AutoRestore = false;
    else ShowMessage(ok ? L"恢复成功！" : L"恢复失败！");
    EndCommand();
}

void TForm8::Button5Click(TObject*) {
    if (!BeginCommand()) return;
    const std::string host = RouterAddress();
    const int session = SessionHandle;
    const auto done = [this](bool ok) {
        ShowMessage(ok ? L"保存成功！" : L"保存失败！");
        EndCommand();
    };
    RunWorker(
        [done, host, session]() -> TOutcome {
            const bool ok = router::SaveConfig(host, session);
            return [done, ok] { done(ok); };
        },
        [done] { done(false); });
}

void TForm8::Button7Click(TObject*) {
    if (FCommandRunning) return;  // the pending list belongs to the running command
    TheBlockList() = router::ManualTarget(ToAnsi(Edit5->Text()));
    if (TheBlockList().empty()) {
        ShowMessage(L"“" + Edit5->Text() + L"”不是有效的IP地址。");
        return;
    }
    ShowMessage(L"OK！");
}

//--- automatic mode

void TForm8::CheckBox1Click(TObject*) {
    bool on = CheckBox1->Checked();
    Timer1->SetEnabled(on);
    Timer2->SetEnabled(on);
    if (Timer1->Enabled()) Timer1Timer(Timer1);
}

// A tick that falls while a command runs (a manual one waiting on its message, or another
// automatic one) waits for it to end.
void TForm8::Timer1Timer(TObject*) {
    if (FCommandRunning) {
        FCheckDeferred = true;
        return;
    }
    AutoCheck = true;
    Button2Click(Button2);
}

void TForm8::Timer2Timer(TObject*) {
    if (FCommandRunning) {
        FRestoreDeferred = true;
        return;
    }
    AutoRestore = true;
    Button4Click(Button4);
}
