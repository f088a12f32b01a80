#pragma once
// The main window and the state its commands share.
#include "app/DialogueThread.h"
#include "app/IdIPWatch.h"

#include "framework/ExtCtrls.h"
#include "framework/Forms.h"
#include "framework/StdCtrls.h"
#include "framework/Strings.h"
#include "framework/Thread.h"
#include "router/BlockCommands.h"
#include "router/Census.h"
#include "router/Dialect.h"
#include "skin/data/SkinData.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

// Process-wide state of the main window's commands; touched on the main thread only (the
// census thread works on copies).
extern router::TDialect Dialect;             // the router's command set
extern int SessionHandle;                    // the telnet library's handle; 0 at start
extern std::vector<std::string>* BlockList;  // pending block list; created on first use
extern qx::TStringList* ReportList;          // census report lines; created on first use
extern bool AutoCheck;                       // set by the check timer, cleared by the block
extern bool AutoRestore;                     // set by the restore timer, cleared by the restore

class TForm8 : public qx::TForm {
    QX_CLASS(TForm8)
public:
    explicit TForm8(qx::TComponent* owner);
    ~TForm8() override;
    void WndProc(qx::TMessage& m) override;

    qx::TPanel* Panel1 = nullptr;
    qx::TPanel* Panel2 = nullptr;
    qx::TPanel* Panel3 = nullptr;
    qx::TPanel* Panel4 = nullptr;
    qx::TPanel* Panel5 = nullptr;
    qx::TPanel* Panel6 = nullptr;
    qx::TPanel* Panel7 = nullptr;
    qx::TLabel* Label1 = nullptr;
    qx::TLabel* Label2 = nullptr;
    qx::TLabel* Label3 = nullptr;
    qx::TLabel* Label4 = nullptr;
    qx::TLabel* Label5 = nullptr;
    qx::TLabel* Label6 = nullptr;
    qx::TLabel* Label7 = nullptr;
    qx::TEdit* Edit1 = nullptr;
    qx::TEdit* Edit2 = nullptr;
    qx::TEdit* Edit3 = nullptr;
    qx::TEdit* Edit4 = nullptr;
    qx::TEdit* Edit5 = nullptr;
    qx::TButton* Button1 = nullptr;
    qx::TButton* Button2 = nullptr;
    qx::TButton* Button3 = nullptr;
    qx::TButton* Button4 = nullptr;
    qx::TButton* Button5 = nullptr;
    qx::TButton* Button6 = nullptr;
    qx::TButton* Button7 = nullptr;
    qx::TRadioButton* RadioButton1 = nullptr;
    qx::TRadioButton* RadioButton2 = nullptr;
    qx::TCheckBox* CheckBox1 = nullptr;
    qx::TTimer* Timer1 = nullptr;
    qx::TTimer* Timer2 = nullptr;
    TIdIPWatch* IdIPWatch1 = nullptr;
    TSkinData* SkinData1 = nullptr;

    void FormCreate(qx::TObject* sender);
    void FormShow(qx::TObject* sender);
    void FormCloseQuery(qx::TObject* sender, bool& canClose);
    void RadioButton1Click(qx::TObject* sender);
    void RadioButton2Click(qx::TObject* sender);
    void Button1Click(qx::TObject* sender);
    void Button2Click(qx::TObject* sender);
    void Button3Click(qx::TObject* sender);
    void Button4Click(qx::TObject* sender);
    void Button5Click(qx::TObject* sender);
    void Button6Click(qx::TObject* sender);
    void Button7Click(qx::TObject* sender);
    void CheckBox1Click(qx::TObject* sender);
    void Timer1Timer(qx::TObject* sender);
    void Timer2Timer(qx::TObject* sender);
    // The census report step (main thread), once the census thread has counted.
    void ReportCensus(const router::strecord& counts, router::TCensusEnd end);

    // The router address: the trimmed text of Edit1, in the system code page.
    std::string RouterAddress();
    // True from the start of a router command until its last message has been answered.
    bool CommandRunning() const { return FCommandRunning; }

private:
    struct TLoginValues {
        router::TDialect Dialect;
        std::string Host, Password, PrivilegePassword;
    };
    TLoginValues LoginValues();

    //--- one router command at a time
    bool BeginCommand();
    void EndCommand();
    bool RunWorker(std::function<TOutcome()> work, TOutcome failed);
    void WorkerNotStarted();
    void RunOutcomes();
    void RunDeferredTick();
    void EnsureSessionThen(std::function<void()> next);
    void SkipAutomaticCycle();

    //--- the commands' steps
    void LoginDone(int session, bool ok);
    void StartCensus();
    void StartBlock();
    void BlockDone(router::TBlockResult result, const std::vector<std::string>& cutOff);
    void StartRestore();
    void RestoreDone(bool ok, const std::vector<std::string>& listed);

    bool FCommandRunning = false;
    bool FCheckDeferred = false;    // a check tick came while a command ran
    bool FRestoreDeferred = false;  // a restore tick came while a command ran
};

// The census worker: counts the router's NAT sessions per inside host and sorts them, then
// hands the counts to the window's report step. Frees itself.
class TSetThread : public qx::TThread {
public:
    TSetThread(bool createSuspended, const std::string& host, int session, router::TDialect dialect);

    std::string FHost;
    router::TDialect FDialect;
    int FSession;
    router::strecord FCounts;

protected:
    void Execute() override;

private:
    std::shared_ptr<TOutcomeMailbox> FMailbox;
    unsigned FGeneration;
};

extern TForm8* Form8;

// The blocked-host ledger: "cctdlsc.txt" in the folder of the executable.
std::filesystem::path LedgerPath();
void RegisterUnit1Classes();
