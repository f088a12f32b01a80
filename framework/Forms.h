#pragma once
// Forms, the application object and the screen.
#include "Controls.h"

#include <deque>
#include <functional>
#include <mutex>
#include <vector>

namespace qx {

class TMainMenu;

enum class TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum TBorderIcon : uint32_t { biSystemMenu = 1, biMinimize = 2, biMaximize = 4, biHelp = 8 };
using TBorderIcons = uint32_t;
enum class TPosition { poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter, poDesktopCenter,
                       poMainFormCenter, poOwnerFormCenter };
enum class TFormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
enum class TWindowState { wsNormal, wsMinimized, wsMaximized };
enum class TCloseAction { caNone, caHide, caFree, caMinimize };

using TModalResult = int;
constexpr TModalResult mrNone = 0, mrOk = IDOK, mrCancel = IDCANCEL, mrAbort = IDABORT, mrRetry = IDRETRY,
                       mrIgnore = IDIGNORE, mrYes = IDYES, mrNo = IDNO;

using TCloseQueryEvent = TMethod<void(TObject*, bool& canClose)>;
using TCloseEvent = TMethod<void(TObject*, TCloseAction& action)>;

class TCustomForm : public TWinControl {
    QX_CLASS(TCustomForm)
public:
    explicit TCustomForm(TComponent* owner);
    ~TCustomForm() override;

    // Reads the form's stored description from the executable's resources (type RCDATA,
    // named after the class in capitals), then runs OnCreate.
    void InitInheritedComponent(const std::wstring& resourceName);
    // Runs OnCreate once construction and reading are done.
    virtual void AfterConstruction();

    void Show();
    void Hide() { SetVisible(false); }
    TModalResult ShowModal();
    void Close();
    // Frees the form once the messages already queued for it have been handled.
    void Release();
    bool CloseQuery();

    TWinControl* ActiveControl() const { return FActiveControl; }
    void SetActiveControl(TWinControl* c);
    void SetFocusedControl(TWinControl* c);
    void FocusControl(TWinControl* c);
    void ControlRemoved(TWinControl* c);

    TFormBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TFormBorderStyle v);
    TBorderIcons BorderIcons() const { return FBorderIcons; }
    void SetBorderIcons(TBorderIcons v);
    TPosition Position() const { return FPosition; }
    void SetPosition(TPosition v) { FPosition = v; }
    TFormStyle FormStyle() const { return FFormStyle; }
    void SetFormStyle(TFormStyle v) { FFormStyle = v; }
    TWindowState WindowState() const { return FWindowState; }
    void SetWindowState(TWindowState v);
    bool AutoScroll() const { return FAutoScroll; }
    void SetAutoScroll(bool v) { FAutoScroll = v; }
    bool KeyPreview() const { return FKeyPreview; }
    void SetKeyPreview(bool v) { FKeyPreview = v; }
    TModalResult ModalResult() const { return FModalResult; }
    void SetModalResult(TModalResult v) { FModalResult = v; }
    int FormClientWidth();
    int FormClientHeight();
    void SetClientWidth(int v);
    void SetClientHeight(int v);
    bool Active() const { return FActive; }
    // The form's menu bar: set on the window once it exists; its commands and owner-drawn
    // items are handled by the form.
    TMainMenu* Menu() const { return FMenu; }
    void SetMenu(TMainMenu* menu);

    void WndProc(TMessage& m) override;

    TNotifyEvent OnCreate;
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    TNotifyEvent OnDestroy;
    TNotifyEvent OnPaint;
    TCloseQueryEvent OnCloseQuery;
    TCloseEvent OnClose;

protected:
    void CreateParams(TCreateParams& params) override;
    void PaintWindow(HDC dc) override;
    void HandleCreated() override;
    void Notification(TComponent* component, TOperation operation) override;
    virtual void DoShow();
    virtual void DoCreate();

    TWinControl* FActiveControl = nullptr;
    TFormBorderStyle FBorderStyle = TFormBorderStyle::bsSizeable;
    TBorderIcons FBorderIcons = biSystemMenu | biMinimize | biMaximize;
    TPosition FPosition = TPosition::poDesigned;
    TFormStyle FFormStyle = TFormStyle::fsNormal;
    TWindowState FWindowState = TWindowState::wsNormal;
    bool FAutoScroll = true;
    bool FKeyPreview = false;
    TModalResult FModalResult = mrNone;
    bool FActive = false;
    bool FCreated = false;
    bool FModal = false;
    int FPendingClientWidth = -1;
    int FPendingClientHeight = -1;
    TMainMenu* FMenu = nullptr;
    TCanvas FCanvas;

private:
    void ShowingChanged(bool visible);
    void PlaceOnScreen();
    bool DialogKey(TMessage& m);
};

class TForm : public TCustomForm {
    QX_CLASS(TForm)
public:
    explicit TForm(TComponent* owner) : TCustomForm(owner) {}
};

class TScreen : public TComponent {
    QX_CLASS(TScreen)
public:
    explicit TScreen(TComponent* owner);
    int FormCount() const { return static_cast<int>(FForms.size()); }
    TCustomForm* Forms(int i) const { return FForms.at(i); }
    TCustomForm* ActiveForm() const { return FActiveForm; }
    TFont* MenuFont() { return &FMenuFont; }
    int Width() const { return ::GetSystemMetrics(SM_CXSCREEN); }
    int Height() const { return ::GetSystemMetrics(SM_CYSCREEN); }

    void AddForm(TCustomForm* f);
    void RemoveForm(TCustomForm* f);
    void SetActiveForm(TCustomForm* f);

private:
    std::vector<TCustomForm*> FForms;
    TCustomForm* FActiveForm = nullptr;
    TFont FMenuFont;
};

using TExceptionEvent = TMethod<void(TObject*, const std::exception& e)>;

class TApplication : public TComponent {
    QX_CLASS(TApplication)
public:
    explicit TApplication(TComponent* owner);
    ~TApplication() override;

    // Registers the framework's classes and creates the hidden application window.
    void Initialize();
    HWND Handle() const { return FHandle; }
    const std::wstring& Title() const { return FTitle; }
    void SetTitle(const std::wstring& title);

    // Creates a form owned by the application; `ref` is set before the form's constructor
    // runs, so handlers called while the form is read can already use it. The first form
    // created becomes the main form.
    template <class T>
    void CreateForm(T*& ref) {
        void* memory = ::operator new(sizeof(T));
        ref = static_cast<T*>(memory);
        T* form = nullptr;
        try {
            form = new (memory) T(this);
        } catch (...) {
            ::operator delete(memory);
            ref = nullptr;
            throw;
        }
        if (!FMainForm) FMainForm = form;
        form->AfterConstruction();
    }
    TCustomForm* MainForm() const { return FMainForm; }

    void Run();
    void Terminate();
    bool Terminated() const { return FTerminated; }
    void ProcessMessages();
    void HandleMessage();
    // Handles the exception being caught (call from a catch block).
    void HandleException(TObject* sender);
    int MessageBox(const std::wstring& text, const std::wstring& caption, UINT flags);

    // Runs `work` on the main thread and waits for it (from any thread).
    void Synchronize(const std::function<void()>& work);
    // Runs what other threads queued; the message loop calls it.
    void CheckSynchronize();

    TExceptionEvent OnException;

private:
    bool ProcessMessage(MSG& msg);
    bool IsKeyMsg(MSG& msg);
    static LRESULT CALLBACK WndProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) noexcept;

    struct SyncRequest {
        std::function<void()> Work;
        HANDLE Done;
        std::exception_ptr Error;
    };

    HWND FHandle = nullptr;
    std::wstring FTitle;
    TCustomForm* FMainForm = nullptr;
    bool FTerminated = false;
    DWORD FMainThreadId = 0;
    std::mutex FSyncLock;
    bool FClosing = false;
    std::deque<SyncRequest*> FSyncQueue;
};

extern TApplication* Application;
extern TScreen* Screen;

// Registers every framework class that a form description may name.
void RegisterFrameworkClasses();

}  // namespace qx

namespace qx {
// Creates Application and Screen (once) and initialises the application; DoneApplication
// frees them and every form they own. The program's entry and the test mains call these.
void InitApplication();
void DoneApplication();
}  // namespace qx
