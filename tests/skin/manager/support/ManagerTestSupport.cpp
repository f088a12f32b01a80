#include "support/ManagerTestSupport.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <sstream>

namespace mgrtest {

std::unique_ptr<TSkinData> LoadDefaultSkin(qx::TComponent* owner) {
    HMODULE module = ::GetModuleHandleW(nullptr);
    HRSRC res = ::FindResourceW(module, L"DEFAULTSKIN", MAKEINTRESOURCEW(10));
    if (!res) return nullptr;
    const auto* bytes = static_cast<const std::uint8_t*>(::LockResource(::LoadResource(module, res)));
    const DWORD size = ::SizeofResource(module, res);
    // The stored property: the compressed skin's length, then the compressed skin.
    if (!bytes || size < 4) return nullptr;
    auto skin = std::make_unique<TSkinData>(owner);
    skin->Store().WriteBuffer(bytes + 4, size - 4);
    skin->Store().SetPosition(0);
    if (!skin->LoadSkin()) return nullptr;
    return skin;
}

void Activate(HWND window) {
    ::SetForegroundWindow(window);
    ::SetActiveWindow(window);
    qx::test::PumpPending(milliseconds(20));
}

TWinSkinForm* WaitSkinned(HWND window, milliseconds limit) {
    TWinSkinForm* found = nullptr;
    qx::test::PumpUntil(
        [&] {
            found = SkinManager ? SkinManager->FindSkinForm(window) : nullptr;
            return found && found->State() == kFormActive;
        },
        limit);
    return found && found->State() == kFormActive ? found : nullptr;
}

bool AnswersQuery(HWND window) { return window && ::SendMessageW(window, SKN_QUERY, 0, 0) == 1; }

bool AnswersQuery(qx::TControl& control) {
    if (control.Perform(SKN_QUERY) == 1) return true;
    auto* windowed = dynamic_cast<qx::TWinControl*>(&control);
    return windowed && windowed->HandleAllocated() && AnswersQuery(windowed->Handle());
}

HWND FindThreadWindow(const wchar_t* className) {
    struct TFind {
        const wchar_t* Class;
        HWND Found;
    } find{className, nullptr};
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND w, LPARAM lp) -> BOOL {
            auto* f = reinterpret_cast<TFind*>(lp);
            wchar_t name[64] = {};
            ::GetClassNameW(w, name, 64);
            if (std::wstring(name) == f->Class && ::IsWindowVisible(w)) {
                f->Found = w;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&find));
    return find.Found;
}

namespace {
TTickWatcher* gWatcher = nullptr;
}  // namespace

TTickWatcher::TTickWatcher(std::function<void()> tick) : FTick(std::move(tick)), FPrevious(gWatcher) {
    gWatcher = this;
    FTimer = ::SetTimer(nullptr, 0, 20, &TTickWatcher::Tick);
}

TTickWatcher::~TTickWatcher() {
    ::KillTimer(nullptr, FTimer);
    gWatcher = FPrevious;
}

void CALLBACK TTickWatcher::Tick(HWND, UINT, UINT_PTR, DWORD) noexcept {
    TTickWatcher* w = gWatcher;
    if (!w || w->FBusy || !w->FTick) return;
    w->FBusy = true;
    w->FTick();
    w->FBusy = false;
}

void RunModal(const std::function<void()>& modal, const std::function<void()>& tick) {
    TTickWatcher watcher(tick);
    modal();
}

//--- the test form

TTestForm::TTestForm(int left, int top, const std::wstring& caption) {
    Form = new qx::TForm(qx::Application);
    Form->SetCaption(caption);
    Form->SetBounds(left, top, 420, 300);
    Panel = new qx::TPanel(Form);
    Panel->SetParent(Form);
    Panel->SetBounds(8, 8, 250, 180);
    // Switched off by the panel's wrapper while skinned, and given back afterwards.
    Panel->SetParentBackground(true);
    Button = new qx::TButton(Form);
    Button->SetParent(Panel);
    Button->SetBounds(10, 10, 90, 26);
    Button->SetCaption(L"Button");
    Edit = new qx::TEdit(Form);
    Edit->SetParent(Panel);
    Edit->SetBounds(10, 44, 120, 21);
    Edit->SetText(L"Edit");
    Check = new qx::TCheckBox(Form);
    Check->SetParent(Panel);
    Check->SetBounds(10, 74, 120, 17);
    Check->SetCaption(L"Check box");
    Radio = new qx::TRadioButton(Form);
    Radio->SetParent(Panel);
    Radio->SetBounds(10, 98, 120, 17);
    Radio->SetCaption(L"Radio button");
    Label = new qx::TLabel(Form);
    Label->SetParent(Panel);
    Label->SetBounds(10, 126, 120, 13);
    Label->SetCaption(L"Label");
    Combo = new qx::TComboBox(Form);
    Combo->SetParent(Form);
    Combo->SetBounds(270, 12, 120, 21);
    Group = new qx::TGroupBox(Form);
    Group->SetParent(Form);
    Group->SetBounds(270, 50, 120, 100);
    Group->SetCaption(L"Group");
}

TTestForm::~TTestForm() { delete Form; }

void TTestForm::ShowActive() {
    Form->Show();
    Activate(Form->Handle());
}

std::vector<qx::TWinControl*> TTestForm::Windowed() const {
    return {Form, Panel, Button, Edit, Check, Radio, Combo, Group};
}

//--- state records

TSnapshot Snap(const TTestForm& form) {
    TSnapshot s;
    for (qx::TWinControl* c : form.Windowed()) {
        TWindowRecord w;
        w.Window = c->Handle();
        w.Proc = ::GetWindowLongPtrW(w.Window, GWLP_WNDPROC);
        w.Style = ::GetWindowLongPtrW(w.Window, GWL_STYLE);
        w.ExStyle = ::GetWindowLongPtrW(w.Window, GWL_EXSTYLE);
        ::GetWindowRect(w.Window, &w.Rect);
        ::GetClientRect(w.Window, &w.Client);
        HRGN region = ::CreateRectRgn(0, 0, 0, 0);
        w.RegionType = ::GetWindowRgn(w.Window, region);
        if (w.RegionType != ERROR) ::GetRgnBox(region, &w.RegionBox);
        ::DeleteObject(region);
        s.Windows.push_back(w);
    }
    const std::vector<qx::TWinControl*> windowed = form.Windowed();
    std::vector<qx::TControl*> controls(windowed.begin(), windowed.end());
    controls.push_back(form.Label);
    for (qx::TControl* c : controls) {
        TControlRecord r;
        r.Control = c;
        r.Proc = c->WindowProc;
        r.Color = c->Color();
        if (auto* w = dynamic_cast<qx::TWinControl*>(c)) r.ParentBackground = w->ParentBackground();
        s.Controls.push_back(r);
    }
    return s;
}

namespace {
std::string NameOf(HWND window) {
    wchar_t name[64] = {};
    ::GetClassNameW(window, name, 64);
    std::string out;
    for (const wchar_t* p = name; *p; ++p) out += static_cast<char>(*p);
    return out;
}
std::string RectText(const RECT& r) {
    std::ostringstream s;
    s << "(" << r.left << "," << r.top << ")-(" << r.right << "," << r.bottom << ")";
    return s.str();
}
}  // namespace

void ExpectSameState(const TSnapshot& before, const TSnapshot& after) {
    ASSERT_EQ(before.Windows.size(), after.Windows.size());
    for (size_t i = 0; i < before.Windows.size(); ++i) {
        const TWindowRecord& a = before.Windows[i];
        const TWindowRecord& b = after.Windows[i];
        const std::string name = NameOf(a.Window);
        EXPECT_EQ(a.Window, b.Window) << name;
        EXPECT_EQ(a.Proc, b.Proc) << name << ": window procedure";
        EXPECT_EQ(a.Style, b.Style) << name << ": style";
        EXPECT_EQ(a.ExStyle, b.ExStyle) << name << ": extended style";
        EXPECT_EQ(RectText(a.Rect), RectText(b.Rect)) << name << ": window rectangle";
        EXPECT_EQ(RectText(a.Client), RectText(b.Client)) << name << ": client rectangle";
        EXPECT_EQ(a.RegionType, b.RegionType) << name << ": region";
        if (a.RegionType != ERROR && b.RegionType != ERROR) {
            EXPECT_EQ(RectText(a.RegionBox), RectText(b.RegionBox)) << name << ": region box";
        }
    }
    ASSERT_EQ(before.Controls.size(), after.Controls.size());
    for (size_t i = 0; i < before.Controls.size(); ++i) {
        const TControlRecord& a = before.Controls[i];
        const TControlRecord& b = after.Controls[i];
        std::string name;
        for (wchar_t c : a.Control->ClassName()) name += static_cast<char>(c);
        EXPECT_TRUE(a.Proc == b.Proc) << name << ": WindowProc";
        EXPECT_EQ(a.Color, b.Color) << name << ": Color";
        EXPECT_EQ(a.ParentBackground, b.ParentBackground) << name << ": ParentBackground";
    }
}

std::unique_ptr<qx::test::DibCanvas> ScreenShot(HWND window, const std::string& name) {
    ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    qx::test::PumpPending(milliseconds(60));
    RECT r{};
    ::GetWindowRect(window, &r);
    auto canvas = std::make_unique<qx::test::DibCanvas>(std::max<int>(1, r.right - r.left), std::max<int>(1, r.bottom - r.top));
    qx::test::CaptureScreen(window, *canvas);
    const std::string path = qx::test::ArtifactsDir() + "/" + name + ".png";
    EXPECT_TRUE(canvas->SavePng(path)) << path;
    return canvas;
}

}  // namespace mgrtest
