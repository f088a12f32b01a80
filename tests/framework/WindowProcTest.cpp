// The replaceable WindowProc: hooks installed on a control see its messages first and put the
// previous procedure back exactly when they go, in any order.
#include "framework/Forms.h"
#include "framework/StdCtrls.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace qx;

namespace {

// A hook that records what it saw and then calls the procedure it replaced.
struct Hook {
    std::string Name;
    std::vector<std::string>* Log;
    TControl* Control = nullptr;
    TWndMethod Previous;
    UINT Watch = WM_USER + 7;

    void Install(TControl* c) {
        Control = c;
        Previous = c->WindowProc;
        c->WindowProc = TWndMethod::Of<&Hook::Proc>(this);
    }
    void Remove() { Control->WindowProc = Previous; }
    void Proc(TMessage& m) {
        if (m.Msg == Watch) Log->push_back(Name);
        Previous(m);
    }
};

class WindowProcTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::EnsureApplication();
        form = new TForm(Application);
        button = new TButton(form);
        button->SetParent(form);
        button->HandleNeeded();
    }
    void TearDown() override { delete form; }

    void SendWatched() { ::SendMessageW(button->Handle(), WM_USER + 7, 0, 0); }

    TForm* form = nullptr;
    TButton* button = nullptr;
    std::vector<std::string> log;
};

TEST_F(WindowProcTest, HooksSeeWindowMessagesNewestFirst) {
    Hook a{"a", &log}, b{"b", &log};
    a.Install(button);
    b.Install(button);
    SendWatched();
    EXPECT_EQ(log, (std::vector<std::string>{"b", "a"}));
    // Perform goes through the same chain as a real window message.
    log.clear();
    button->Perform(WM_USER + 7);
    EXPECT_EQ(log, (std::vector<std::string>{"b", "a"}));
    b.Remove();
    a.Remove();
}

TEST_F(WindowProcTest, RemovalRestoresThePreviousProcedureExactly) {
    TWndMethod original = button->WindowProc;
    Hook a{"a", &log};
    a.Install(button);
    EXPECT_FALSE(button->WindowProc == original);
    a.Remove();
    EXPECT_TRUE(button->WindowProc == original);
    SendWatched();
    EXPECT_TRUE(log.empty());
}

TEST_F(WindowProcTest, OutOfOrderRemovalKeepsTheRestOfTheChain) {
    // a, then b on top of a; a leaves first by splicing itself out of b's saved procedure.
    Hook a{"a", &log}, b{"b", &log};
    TWndMethod original = button->WindowProc;
    a.Install(button);
    b.Install(button);
    ASSERT_TRUE(b.Previous == TWndMethod::Of<&Hook::Proc>(&a));
    b.Previous = a.Previous;
    SendWatched();
    EXPECT_EQ(log, (std::vector<std::string>{"b"}));
    b.Remove();
    EXPECT_TRUE(button->WindowProc == original);
    log.clear();
    SendWatched();
    EXPECT_TRUE(log.empty());
}

TEST_F(WindowProcTest, MethodPointersCompareByObjectAndMember) {
    Hook a{"a", &log}, b{"b", &log};
    EXPECT_TRUE(TWndMethod::Of<&Hook::Proc>(&a) == TWndMethod::Of<&Hook::Proc>(&a));
    EXPECT_FALSE(TWndMethod::Of<&Hook::Proc>(&a) == TWndMethod::Of<&Hook::Proc>(&b));
    EXPECT_FALSE(TWndMethod::Of<&Hook::Proc>(&a) == TWndMethod::Of<&TControl::WndProc>(button));
    TWndMethod empty;
    EXPECT_FALSE(static_cast<bool>(empty));
}

TEST_F(WindowProcTest, ControlOfsPropertyFindsTheControl) {
    wchar_t expected[40];
    swprintf(expected, 40, L"ControlOfs%.8X%.8X",
             static_cast<unsigned>(reinterpret_cast<uintptr_t>(::GetModuleHandleW(nullptr))),
             static_cast<unsigned>(::GetCurrentThreadId()));
    EXPECT_EQ(ControlAtomName(), expected);
    EXPECT_EQ(::GlobalFindAtomW(expected), ControlAtom());
    EXPECT_EQ(::GetPropW(button->Handle(), expected), static_cast<HANDLE>(static_cast<TWinControl*>(button)));
    EXPECT_EQ(FindControl(button->Handle()), button);
    EXPECT_EQ(FindControl(form->Handle()), form);
    // A window the framework did not make has no control; neither has a destroyed one.
    HWND plain = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ(FindControl(plain), nullptr);
    HWND old = button->Handle();
    ::DestroyWindow(plain);
    button->DestroyHandle();
    EXPECT_EQ(FindControl(old), nullptr);
    EXPECT_EQ(FindControl(nullptr), nullptr);
}

}  // namespace
