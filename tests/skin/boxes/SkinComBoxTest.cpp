// TSkinComBox on real combo boxes: the state frames as the user meets them (hot, focused, pressed
// on the combo or its edit field, disabled), the button coming up when the list closes, the
// simple style's list given to the scroll-bar skinning, a skin without a combo button, the edit
// field's procedure given back, and the combo's notifications unchanged.
#include "framework/ComboBox.h"
#include "framework/StdCtrls.h"
#include "skin/controls/SkinComBox.h"
#include "skin/controls/SkinSubWrappers.h"
#include "support/BoxesTestSupport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <new>

using namespace boxestest;
using qx::test::DibCanvas;

namespace {

constexpr COLORREF kSentinel = RGB(1, 2, 3);

class TFakeListScrollbars : public TSkinControl {
public:
    explicit TFakeListScrollbars(qx::TComponent* owner) : TSkinControl(owner) { ++Alive; }
    ~TFakeListScrollbars() override { --Alive; }
    static int Made, Alive;
    static TSkinControl* Make(qx::TComponent* owner) {
        ++Made;
        return new TFakeListScrollbars(owner);
    }
};
int TFakeListScrollbars::Made = 0;
int TFakeListScrollbars::Alive = 0;

// Someone else's subclass of the edit field, put on top of the wrapper's.
LRESULT CALLBACK OnTopOfTheWrapper(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto previous = reinterpret_cast<WNDPROC>(::GetPropW(wnd, L"QxTestPrevious"));
    return ::CallWindowProcW(previous, wnd, msg, wp, lp);
}

class SkinComBoxTest : public ::testing::Test {
protected:
    void SetUp() override {
        skin = LoadDefaultSkin();
        ASSERT_NE(skin, nullptr);
        host = std::make_unique<TTestHost>(skin.get());
        form = NewForm(300, 180);
        other = new qx::TEdit(form);
        other->SetParent(form);
        other->SetBounds(10, 100, 100, 24);
        combo = new qx::TComboBox(form);
        combo->SetParent(form);
        combo->SetBounds(10, 10, 150, 21);
        for (const wchar_t* s : {L"Huawei", L"Cisco", L"Other"}) combo->Items()->Add(s);
        combo->OnChange = qx::TNotifyEvent::Of<&SkinComBoxTest::Changed>(this);
        TFakeListScrollbars::Made = 0;
        previousMaker = SetListScrollbarMaker(&TFakeListScrollbars::Make);
    }
    void TearDown() override {
        delete form;
        SetListScrollbarMaker(previousMaker);
    }

public:
    void Changed(qx::TObject*) { changes.push_back(combo->Text()); }

protected:
    TSkinComBox* Wrap(TSkinData* with = nullptr) {
        wrapper = new TSkinComBox(combo);
        wrapper->Attach(host.get(), with ? with : skin.get(), false, host->ControlCanvas());
        return wrapper;
    }
    void ShowWithFocusElsewhere() {
        form->Show();
        other->SetFocus();
        PaintNow(form->Handle());
    }

    std::unique_ptr<TSkinData> skin;
    std::unique_ptr<TTestHost> host;
    qx::TForm* form = nullptr;
    qx::TEdit* other = nullptr;
    qx::TComboBox* combo = nullptr;
    TSkinComBox* wrapper = nullptr;
    std::vector<std::wstring> changes;
    TSubWrapperMaker previousMaker = nullptr;
};

TEST_F(SkinComBoxTest, StateFramesFollowTheMouseTheFocusAndTheEnabledState) {
    Wrap();
    ShowWithFocusElsewhere();
    EXPECT_EQ(wrapper->LastFrame(), 1);

    // Over the combo: hot, shown at the next paint.
    combo->Perform(qx::CM_MOUSEENTER, 0, reinterpret_cast<LPARAM>(combo));
    PaintNow(combo->Handle());
    EXPECT_EQ(wrapper->LastFrame(), 4);
    combo->Perform(qx::CM_MOUSELEAVE, 0, reinterpret_cast<LPARAM>(combo));
    EXPECT_EQ(wrapper->LastFrame(), 1);  // leaving repaints at once

    // Pressing the edit field: pressed while down, then focused (the edit took the focus).
    HWND edit = wrapper->EditWindow();
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit, combo->EditHandle());
    ::SendMessageW(edit, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_EQ(wrapper->LastFrame(), 2);
    ::SendMessageW(edit, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(::GetFocus(), edit);
    EXPECT_EQ(wrapper->LastFrame(), 4);

    // The focus leaving the edit field takes the focused look with it.
    other->SetFocus();
    EXPECT_EQ(wrapper->LastFrame(), 1);

    combo->SetEnabled(false);
    PaintNow(combo->Handle());
    EXPECT_EQ(wrapper->LastFrame(), 3);
    // A disabled combo takes no hot look.
    combo->Perform(qx::CM_MOUSEENTER, 0, reinterpret_cast<LPARAM>(combo));
    PaintNow(combo->Handle());
    EXPECT_EQ(wrapper->LastFrame(), 3);
}

TEST_F(SkinComBoxTest, RawComboIsHookedAndPaintedLikeAFrameworkOne) {
    HWND raw = ::CreateWindowExW(0, L"COMBOBOX", L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWN, 170, 10, 120,
                                 150, form->Handle(), nullptr, nullptr, nullptr);
    ::SendMessageW(raw, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"raw"));
    auto* rawWrapper = new TSkinComBox(host.get());
    rawWrapper->AttachWindow(raw, skin.get(), host.get(), host->ControlCanvas());
    HWND edit = rawWrapper->EditWindow();
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(::GetParent(edit), raw);
    ShowWithFocusElsewhere();
    EXPECT_EQ(rawWrapper->LastFrame(), 1);
    ::SendMessageW(edit, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    EXPECT_EQ(rawWrapper->LastFrame(), 2);
    ::SendMessageW(edit, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    EXPECT_EQ(rawWrapper->LastFrame(), 4);
    ::DestroyWindow(raw);
    EXPECT_EQ(rawWrapper->State(), kWrapperWindowDestroyed);
    EXPECT_EQ(rawWrapper->EditWindow(), nullptr);
}

TEST_F(SkinComBoxTest, PressOnTheButtonLastsUntilTheListCloses) {
    combo->SetStyle(qx::TComboBoxStyle::csDropDownList);
    Wrap();
    ShowWithFocusElsewhere();
    RECT r{};
    ::GetClientRect(combo->Handle(), &r);
    ::SendMessageW(combo->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(r.right - 5, r.bottom / 2));
    EXPECT_EQ(wrapper->LastFrame(), 2);
    EXPECT_TRUE(combo->DroppedDown());
    // The release lands on the list, never on the combo; closing the list lifts the button.
    combo->SetDroppedDown(false);
    ::ReleaseCapture();
    PaintNow(combo->Handle());
    EXPECT_NE(wrapper->LastFrame(), 2);
    EXPECT_FALSE(wrapper->Pressed());
}

TEST_F(SkinComBoxTest, RightToLeftComboDrawsItsButtonAtTheLeft) {
    auto synthetic = EmptySkin();
    synthetic->ComboButton = std::make_unique<TDataSkinBorder>("ComboButton");
    synthetic->ComboButton->FrameCount = 4;
    FillFrames(synthetic->ComboButton->Bitmap, 12, 21, {RGB(0, 10, 0), RGB(0, 20, 0), RGB(0, 30, 0), RGB(0, 40, 0)});
    FillFrames(synthetic->ComboButton->AuxBitmap, 12, 21,
               {RGB(0, 110, 0), RGB(0, 120, 0), RGB(0, 130, 0), RGB(0, 140, 0)});
    Wrap(synthetic.get());
    HWND wnd = combo->Handle();
    ::SetWindowLongW(wnd, GWL_EXSTYLE, ::GetWindowLongW(wnd, GWL_EXSTYLE) | WS_EX_LEFTSCROLLBAR);
    RECT w{};
    ::GetWindowRect(wnd, &w);
    DibCanvas canvas(w.right - w.left, w.bottom - w.top);
    canvas.Fill(kSentinel);
    wrapper->PaintWindow(canvas.Dc());
    ::GdiFlush();
    EXPECT_EQ(canvas.PixelRef(1, canvas.Height() / 2), RGB(0, 110, 0));
    EXPECT_EQ(canvas.PixelRef(canvas.Width() - 1, canvas.Height() / 2), kSentinel);
}

TEST_F(SkinComBoxTest, SimpleComboGivesItsListToTheScrollbarSkinningAndHasNoButton) {
    combo->SetStyle(qx::TComboBoxStyle::csSimple);
    combo->SetBounds(10, 10, 150, 90);
    Wrap();
    COMBOBOXINFO info{sizeof(info)};
    ASSERT_TRUE(::GetComboBoxInfo(combo->Handle(), &info));
    EXPECT_EQ(wrapper->ListWindow(), info.hwndList);
    EXPECT_EQ(wrapper->EditWindow(), nullptr);
    ASSERT_EQ(TFakeListScrollbars::Made, 1);
    ASSERT_NE(wrapper->ListScrollbars(), nullptr);
    EXPECT_EQ(wrapper->ListScrollbars()->Window(), info.hwndList);
    EXPECT_EQ(wrapper->ListScrollbars()->Owner(), host.get());  // a raw window's wrapper: the form's
    ShowWithFocusElsewhere();
    EXPECT_EQ(wrapper->LastFrame(), 0);

    // The form stops skinning as the form skinning does it: every listed wrapper is detached
    // and freed, the list's scroll bars exactly once.
    const std::vector<TSkinControl*> listed = host->Wrappers();
    ASSERT_EQ(listed.size(), 2u);
    for (TSkinControl* w : listed) {
        if (w->State() != kWrapperWindowDestroyed) w->Detach();
        delete w;
    }
    EXPECT_EQ(TFakeListScrollbars::Alive, 0);
    EXPECT_EQ(::SendMessageW(combo->Handle(), SKN_QUERY, 0, 0), 0);
}

TEST_F(SkinComBoxTest, WithoutAFormTheComboFreesItsListScrollbarsItself) {
    combo->SetStyle(qx::TComboBoxStyle::csSimple);
    wrapper = new TSkinComBox(combo);
    wrapper->Attach(nullptr, skin.get(), false, nullptr);
    ASSERT_NE(wrapper->ListScrollbars(), nullptr);
    EXPECT_EQ(wrapper->ListScrollbars()->Owner(), wrapper);
    wrapper->Detach();
    EXPECT_EQ(wrapper->ListScrollbars(), nullptr);
    EXPECT_EQ(TFakeListScrollbars::Alive, 0);
}

TEST_F(SkinComBoxTest, SkinWithoutComboButtonLeavesTheSystemLook) {
    auto empty = EmptySkin();
    Wrap(empty.get());
    ShowWithFocusElsewhere();
    RECT w{};
    ::GetWindowRect(combo->Handle(), &w);
    DibCanvas canvas(w.right - w.left, w.bottom - w.top);
    canvas.Fill(kSentinel);
    wrapper->PaintWindow(canvas.Dc());
    ::GdiFlush();
    for (int x : {0, 5, canvas.Width() - 1}) EXPECT_EQ(canvas.PixelRef(x, 2), kSentinel);
    EXPECT_EQ(wrapper->LastFrame(), 0);
    EXPECT_EQ(::SendMessageW(combo->Handle(), SKN_QUERY, 0, 0), 1);  // still attached, tracking
}

TEST_F(SkinComBoxTest, NotificationsReachTheFrameworkAsBefore) {
    Wrap();
    ShowWithFocusElsewhere();
    // Typing in the edit field, then choosing with the keyboard.
    ::SendMessageW(wrapper->EditWindow(), WM_CHAR, L'H', 0);
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_EQ(changes[0], L"H");
    combo->SetItemIndex(0);
    ::SendMessageW(combo->Handle(), WM_KEYDOWN, VK_DOWN, 0);
    ASSERT_EQ(changes.size(), 2u);
    EXPECT_EQ(changes[1], L"Cisco");
    EXPECT_EQ(combo->ItemIndex(), 1);
}

TEST_F(SkinComBoxTest, EditFieldGetsItsProcedureBackAndPaintingOffStopsTheHook) {
    HWND edit = combo->EditHandle();
    const LONG_PTR original = ::GetWindowLongPtrW(edit, GWLP_WNDPROC);
    Wrap();
    ShowWithFocusElsewhere();
    EXPECT_NE(::GetWindowLongPtrW(edit, GWLP_WNDPROC), original);
    EXPECT_TRUE(::IsWindowUnicode(edit));  // hooked with the wide call: still a Unicode window

    ::SendMessageW(combo->Handle(), SKN_ENABLE, 0, 0);
    ::SendMessageW(edit, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_FALSE(wrapper->Pressed());
    ::SendMessageW(edit, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    ::SendMessageW(combo->Handle(), SKN_ENABLE, 1, 0);

    wrapper->Detach();
    EXPECT_EQ(::GetWindowLongPtrW(edit, GWLP_WNDPROC), original);
    delete wrapper;
    EXPECT_EQ(::SendMessageW(combo->Handle(), SKN_QUERY, 0, 0), 0);
}

TEST_F(SkinComBoxTest, DestroyingTheComboWithTheWrapperOnLeavesNothingHooked) {
    Wrap();
    ShowWithFocusElsewhere();
    HWND wnd = combo->Handle();
    // The window goes first (as on a re-creation); the wrapper notices and undoes its hooks.
    combo->DestroyHandle();
    EXPECT_FALSE(::IsWindow(wnd));
    EXPECT_EQ(wrapper->State(), kWrapperWindowDestroyed);
    EXPECT_EQ(wrapper->EditWindow(), nullptr);
    delete combo;  // frees the wrapper with it
}

}  // namespace

// The wrapper's memory is wiped after it is gone, as a reuse would: a stub still bound to it
// would run on the wiped fields and swallow the edit field's messages.
TEST_F(SkinComBoxTest, EditSubclassOnTopOutlivesTheWrapper) {
    alignas(TSkinComBox) unsigned char storage[sizeof(TSkinComBox)];
    auto* placed = new (storage) TSkinComBox(combo);
    placed->Attach(host.get(), skin.get(), false, host->ControlCanvas());
    const HWND edit = placed->EditWindow();
    ASSERT_NE(edit, nullptr);
    ::SetWindowTextW(edit, L"Cisco");
    ::SetPropW(edit, L"QxTestPrevious", reinterpret_cast<HANDLE>(::GetWindowLongPtrW(edit, GWLP_WNDPROC)));
    ::SetWindowLongPtrW(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&OnTopOfTheWrapper));

    placed->~TSkinComBox();
    std::memset(storage, 0, sizeof storage);

    EXPECT_EQ(::GetWindowLongPtrW(edit, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&OnTopOfTheWrapper));
    EXPECT_EQ(::SendMessageW(edit, WM_GETTEXTLENGTH, 0, 0), 5);
    ::SendMessageW(edit, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    ::SendMessageW(edit, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    ::SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"Huawei"));
    EXPECT_EQ(combo->Text(), L"Huawei");
    ::SetWindowLongPtrW(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(::RemovePropW(edit, L"QxTestPrevious")));
}
