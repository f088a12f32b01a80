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

using namespace qx;

int Dialect = 0;
int SessionHandle = 0;
std::vector<std::string>* BlockList = nullptr;
TStringList* ReportList = nullptr;
bool AutoCheck = false;
bool AutoRestore = false;
TForm8* Form8 = nullptr;

namespace {

// The window has no user-name box: a device that asks for one gets this name.
const char* const kUserName = "admin";

std::vector<std::string>& TheBlockList() {
    if (!BlockList) BlockList = new std::vector<std::string>;
    return *BlockList;
}

TStringList& TheReportList() {
    if (!ReportList) ReportList = new TStringList;
    return *ReportList;
}

std::string Trimmed(TEdit* edit) { return router::TrimBlanks(ToAnsi(edit->Text())); }

// Census threads whose report step has not run yet. One census at a time talks to the router:
// the automatic tick skips while one runs, and a restore tick waits for its report to end.
int gCensusesRunning = 0;
bool gRestoreDeferred = false;
constexpr UINT WM_RUN_DEFERRED_RESTORE = WM_APP + 1;

// The census thread's termination handler: the window may be gone by the time a census ends.
struct TCensusReporter {
    void Done(TObject* sender) {
        --gCensusesRunning;
        if (Form8) Form8->ReportCensus(sender);
    }
} gCensusReporter;

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
    if (Form8 == this) Form8 = nullptr;
}

void TForm8::WndProc(TMessage& m) {
    if (m.Msg == WM_RUN_DEFERRED_RESTORE) {
        Timer2Timer(Timer2);
        return;
    }
    TForm::WndProc(m);
}

std::string TForm8::RouterAddress() { return Trimmed(Edit1); }

//--- window

void TForm8::FormCreate(TObject*) {
    Dialect = 1;
    router::SetOwnAddressLookup([this] { return IdIPWatch1 ? IdIPWatch1->LocalIP() : std::string(); });
}

void TForm8::FormShow(TObject*) { ShowAdPanels({Panel2, Panel3, Panel5, Panel6, Panel7, Panel4}); }

// Logs out without waiting for a census that may still run; never refuses the close.
void TForm8::FormCloseQuery(TObject*, bool& canClose) {
    router::DialectLogout(Dialect, RouterAddress(), SessionHandle);
    canClose = true;
}

void TForm8::RadioButton1Click(TObject*) { Dialect = 0; }
void TForm8::RadioButton2Click(TObject*) { Dialect = 1; }

//--- login and logout

void TForm8::Button1Click(TObject*) {
    SessionHandle = -1;
    bool ok = router::DialectLogin(Dialect, RouterAddress(), SessionHandle, kUserName, Trimmed(Edit2), Trimmed(Edit3));
    ShowMessage(ok ? L"连接成功！" : L"连接失败！");
}

void TForm8::Button6Click(TObject*) {
    bool ok = router::DialectLogout(Dialect, RouterAddress(), SessionHandle);
    ShowMessage(ok ? L"断开成功！" : L"断开失败！");
}

//--- census

TSetThread::TSetThread(bool createSuspended, const std::string& host, int session, int dialect)
    : TThread(createSuspended), FHost(host), FDialect(dialect), FSession(session) {}

void TSetThread::Execute() {
    FreeOnTerminate = true;
    OnTerminate = TNotifyEvent::Of<&TCensusReporter::Done>(&gCensusReporter);
    router::RunCensus(FHost, FSession, FDialect, FCounts);
}

void TForm8::Button2Click(TObject*) {
    Panel1->SetEnabled(false);
    TheBlockList().clear();
    TheReportList().Clear();
    ++gCensusesRunning;
    TThread::New<TSetThread>(false, RouterAddress(), SessionHandle, Dialect);
}

void TForm8::ReportCensus(TObject* sender) {
    auto* thread = static_cast<TSetThread*>(sender);
    router::TCensusReport report = router::BuildCensusReport(thread->FCounts, ToAnsi(Edit4->Text()));
    if (!report.ThresholdValid) {
        // Nothing can be compared with a threshold that is not a number: say so, block nothing.
        if (AutoCheck) AutoCheck = false;
        else ShowMessage(L"连接数阈值“" + Edit4->Text() + L"”不是整数，未检查。");
        Panel1->SetEnabled(true);
        RunDeferredRestore();
        return;
    }
    for (const auto& ip : report.BlockList) TheBlockList().push_back(ip);
    for (const auto& line : report.Lines) TheReportList().Add(router::ReportLineText(line));
    if (!AutoCheck) ShowMessage(TheReportList().Text());
    else Button3Click(this);
    Panel1->SetEnabled(true);
    RunDeferredRestore();
}

// A restore tick that came during the census runs now, from the message loop, so the report
// step has ended first.
void TForm8::RunDeferredRestore() {
    if (!gRestoreDeferred || gCensusesRunning > 0) return;
    gRestoreDeferred = false;
    ::PostMessageW(Handle(), WM_RUN_DEFERRED_RESTORE, 0, 0);
}

//--- block, restore, save, manual target

void TForm8::Button3Click(TObject*) {
    std::vector<std::string>& hosts = TheBlockList();
    // Nothing pending: nothing to ask about, nothing sent, nothing recorded.
    if (!AutoCheck && !hosts.empty() &&
        MessageDlgBox(L"你确定要断开以下IP地址吗？\r\n" + Joined(hosts), L"Quellox", MB_OKCANCEL | MB_ICONQUESTION) != IDOK)
        return;
    router::TBlockResult result = router::BlockHosts(Dialect, RouterAddress(), SessionHandle, hosts, LedgerPath());
    if (result == router::brLedgerFailed) {
        // The routes are in place but unrecorded: nobody could restore these hosts otherwise.
        ShowMessage(L"断开失败！无法写入记录文件 " + LedgerPath().wstring() + L"，以下IP地址已被断开但未记录，请手工恢复：\r\n" +
                    Joined(hosts));
    } else if (!AutoCheck) {
        ShowMessage(result == router::brBlocked ? L"断开成功！" : L"断开失败！");
    }
    AutoCheck = false;
}

void TForm8::Button4Click(TObject*) {
    bool ok = router::RestoreHosts(Dialect, RouterAddress(), SessionHandle, LedgerPath(), TheBlockList());
    if (AutoRestore) AutoRestore = false;
    else ShowMessage(ok ? L"恢复成功！" : L"恢复失败！");
}

void TForm8::Button5Click(TObject*) {
    bool ok = router::SaveConfig(RouterAddress(), SessionHandle);
    ShowMessage(ok ? L"保存成功！" : L"保存失败！");
}

void TForm8::Button7Click(TObject*) {
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

void TForm8::Timer1Timer(TObject*) {
    if (gCensusesRunning > 0) return;  // the running census reports first
    AutoCheck = true;
    Button2Click(Button2);
}

void TForm8::Timer2Timer(TObject*) {
    if (gCensusesRunning > 0) {
        gRestoreDeferred = true;
        return;
    }
    AutoRestore = true;
    Button4Click(Button4);
}
