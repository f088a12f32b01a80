// Helpers for the skin manager tests: the default skin (as the main window stores it), a form
// with one control of each kind the classification knows, a record of everything skinning may
// change on a window and its controls (to prove that switching off gives all of it back), and
// ways to look into modal loops and at the screen.
#pragma once

#include "framework/ComboBox.h"
#include "framework/ExtCtrls.h"
#include "framework/Forms.h"
#include "framework/GroupBox.h"
#include "framework/StdCtrls.h"
#include "skin/controls/SkinManage.h"
#include "skin/data/SkinData.h"
#include "skin/form/WinSkinForm.h"
#include "support/TestSupport.h"

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>
#include <windows.h>

namespace mgrtest {

using std::chrono::milliseconds;

// The default skin, from the stored form the build makes (resource DEFAULTSKIN); null when the
// resource is missing or does not load.
std::unique_ptr<TSkinData> LoadDefaultSkin(qx::TComponent* owner = nullptr);

// Makes the window the active, foreground window of the thread.
void Activate(HWND window);
// The manager's skinning object of the window once it has handled its activation, or null
// when none came in time.
TWinSkinForm* WaitSkinned(HWND window, milliseconds limit = milliseconds(3000));
// Whether the window (or a framework control, through its WindowProc) answers SKN_QUERY with 1.
bool AnswersQuery(HWND window);
bool AnswersQuery(qx::TControl& control);

// A visible top-level window of this thread with that class, or null.
HWND FindThreadWindow(const wchar_t* className);
// Calls `tick` every 20 ms from the thread's message loops (modal loops included) while it
// lives; a tick that pumps messages itself is not entered again meanwhile.
class TTickWatcher {
public:
    explicit TTickWatcher(std::function<void()> tick);
    ~TTickWatcher();
    TTickWatcher(const TTickWatcher&) = delete;
    TTickWatcher& operator=(const TTickWatcher&) = delete;

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) noexcept;
    std::function<void()> FTick;
    TTickWatcher* FPrevious;
    UINT_PTR FTimer = 0;
    bool FBusy = false;
};
// Runs `modal` (which opens a modal loop) while `tick` runs from inside the loop; `tick` must
// end the loop.
void RunModal(const std::function<void()>& modal, const std::function<void()>& tick);

// A form with a panel (holding a button, an edit, a check box, a radio button and a label), a
// combo box and a group box. Freed with the object.
struct TTestForm {
    explicit TTestForm(int left = 60, int top = 60, const std::wstring& caption = L"Manager test");
    ~TTestForm();
    TTestForm(const TTestForm&) = delete;
    TTestForm& operator=(const TTestForm&) = delete;
    HWND Handle() const { return Form->Handle(); }
    // Shows the form and makes it active.
    void ShowActive();
    std::vector<qx::TWinControl*> Windowed() const;

    qx::TForm* Form;
    qx::TPanel* Panel;
    qx::TButton* Button;
    qx::TEdit* Edit;
    qx::TCheckBox* Check;
    qx::TRadioButton* Radio;
    qx::TLabel* Label;
    qx::TComboBox* Combo;
    qx::TGroupBox* Group;
};

// What skinning may change on a window.
struct TWindowRecord {
    HWND Window = nullptr;
    LONG_PTR Proc = 0;
    LONG_PTR Style = 0;
    LONG_PTR ExStyle = 0;
    RECT Rect{};
    RECT Client{};
    int RegionType = ERROR;  // ERROR: the window has no region
    RECT RegionBox{};
};
// ... and on a framework control.
struct TControlRecord {
    qx::TControl* Control = nullptr;
    qx::TWndMethod Proc;
    qx::TColor Color = 0;
    bool ParentBackground = false;
};
struct TSnapshot {
    std::vector<TWindowRecord> Windows;
    std::vector<TControlRecord> Controls;
};
TSnapshot Snap(const TTestForm& form);
// Every difference becomes a test failure naming the window or control and the value.
void ExpectSameState(const TSnapshot& before, const TSnapshot& after);

// The wrapper of this type that the control owns, or null.
template <class W>
W* OwnedWrapper(qx::TControl* control) {
    for (int i = 0; control && i < control->ComponentCount(); ++i)
        if (auto* w = dynamic_cast<W*>(control->Components(i))) return w;
    return nullptr;
}

// The window as the screen shows it, saved under $QUELLOX_ARTIFACTS as <name>.png.
std::unique_ptr<qx::test::DibCanvas> ScreenShot(HWND window, const std::string& name);

}  // namespace mgrtest
