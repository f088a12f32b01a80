// The skin manager with real windows: the hook skinning a form once on activation with a wrapper
// for each control, switching off and on again, which skin data a window gets, the windows it
// refuses, the registry's purge, a skin change, the popup painter seam, subordinate managers and
// the manager's destruction.
#include "framework/Dialogs.h"
#include "skin/controls/SkinBox.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinCheckBox.h"
#include "skin/controls/SkinComBox.h"
#include "skin/controls/SkinEdit.h"
#include "skin/controls/SkinGroupBox.h"
#include "skin/controls/SkinRadioButton.h"
#include "skin/form/SkinFormHost.h"
#include "support/ManagerTestSupport.h"
#include "support/SkinDataTestSupport.h"

#include <gtest/gtest.h>

using namespace mgrtest;
using skinobjtest::RealisticSkin;

namespace {

std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

struct TCounter {
    int Count = 0;
    void Changed(qx::TObject*) { ++Count; }
};

class SkinManagerTest : public skinobjtest::SkinDataFixture {
protected:
    // The default skin registered with a new manager that has its hook; `on`: switched on
    // before anything was activated.
    TSkinManage& Start(TSkinData* skin, bool on = true) {
        TSkinManage& m = CreateSkinManager();
        m.AddSkinData(skin);
        m.InstallHook();
        m.SetPendingSkinData(skin);
        m.PostCommand(on ? scActivate : scDeactivate, 250);
        EXPECT_FALSE(m.CommandTimerEnabled());
        return m;
    }
    std::unique_ptr<TSkinData> Realistic(TSkinFormType type, qx::TComponent* owner = nullptr) {
        auto data = std::make_unique<TSkinData>(owner);
        data->SetSkinFormtype(type);
        data->Store().WriteBuffer(RealisticSkin().data(), static_cast<std::int64_t>(RealisticSkin().size()));
        EXPECT_TRUE(data->LoadSkin());
        return data;
    }
    // A modeless system dialog (class "#32770") of this size, hidden: the hook does not see it.
    static HWND Dialog(int cx, int cy, DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU) {
        struct alignas(4) {
            DLGTEMPLATE t;
            WORD menu, cls, title;
        } tpl{};
        tpl.t.style = style;
        tpl.t.cx = static_cast<short>(cx);
        tpl.t.cy = static_cast<short>(cy);
        return ::CreateDialogIndirectParamW(nullptr, &tpl.t, nullptr,
                                            [](HWND, UINT, WPARAM, LPARAM) -> INT_PTR { return FALSE; }, 0);
    }
    TCounter changes;
};

// Every windowed control answers SKN_QUERY while skinned, except the panel, whose wrapper only
// recolours it and hooks nothing.
void ExpectWrapped(TTestForm& f, bool on) {
    for (qx::TWinControl* c : f.Windowed())
        if (c != f.Panel) {
            EXPECT_EQ(AnswersQuery(*c), on) << Narrow(c->ClassName());
        }
    EXPECT_EQ(OwnedWrapper<TSkinBox>(f.Panel) != nullptr, on);
}

// A command before any activation only sets the flag; the first activation skins the form.
TEST_F(SkinManagerTest, AnActivatedFormIsSkinnedOnceWithAWrapperForEachControl) {
    auto skin = LoadDefaultSkin();
    ASSERT_TRUE(skin);
    TSkinManage& m = Start(skin.get());
    EXPECT_TRUE(m.Active());
    EXPECT_EQ(m.State(), kManagerNeverActivated);
    TTestForm f;
    f.ShowActive();
    TWinSkinForm* sf = WaitSkinned(f.Handle());
    ASSERT_NE(sf, nullptr);
    EXPECT_EQ(m.State(), kManagerActivated);
    EXPECT_EQ(sf->Form(), f.Form);
    EXPECT_EQ(sf->Owner(), nullptr);  // the registry's
    EXPECT_EQ(sf->SkinData(), skin.get());
    EXPECT_TRUE(AnswersQuery(f.Handle()));
    EXPECT_NE(OwnedWrapper<TSkinBox>(f.Panel), nullptr);
    EXPECT_NE(OwnedWrapper<TSkinButton>(f.Button), nullptr);
    EXPECT_NE(OwnedWrapper<TSkinEdit>(f.Edit), nullptr);
    EXPECT_NE(OwnedWrapper<TSkinCheckBox>(f.Check), nullptr);
    EXPECT_NE(OwnedWrapper<TSkinRadioButton>(f.Radio), nullptr);
    EXPECT_NE(OwnedWrapper<TSkinComBox>(f.Combo), nullptr);
    EXPECT_NE(OwnedWrapper<TSkinGroupBox>(f.Group), nullptr);
    EXPECT_EQ(f.Label->ComponentCount(), 0);
    EXPECT_FALSE(AnswersQuery(*f.Label));
    ExpectWrapped(f, true);
    const size_t wrappers = sf->Controls().size();
    EXPECT_EQ(wrappers, 7u);

    // Another window comes and goes: the first keeps its one object and its wrappers.
    TTestForm g(140, 140, L"Second");
    g.ShowActive();
    ASSERT_NE(WaitSkinned(g.Handle()), nullptr);
    Activate(f.Handle());
    qx::test::PumpPending(milliseconds(100));
    EXPECT_EQ(m.FindSkinForm(f.Handle()), sf);
    EXPECT_EQ(m.SkinForms().size(), 2u);
    EXPECT_FALSE(m.SkinWindow(f.Handle()));
    EXPECT_EQ(sf->Controls().size(), wrappers);
}

TEST_F(SkinManagerTest, SwitchingOffGivesEverythingBackAndSwitchingOnSkinsAgain) {
    auto skin = LoadDefaultSkin();
    ASSERT_TRUE(skin);
    skin->OnSkinChanged = qx::TNotifyEvent::Of<&TCounter::Changed>(&changes);
    TSkinManage& m = Start(skin.get(), false);
    TTestForm f;
    f.ShowActive();  // not skinned, but the manager now counts as activated
    EXPECT_EQ(m.State(), kManagerActivated);
    EXPECT_EQ(m.FindSkinForm(f.Handle()), nullptr);
    qx::test::PumpPending(milliseconds(100));
    const TSnapshot before = Snap(f);

    skin->SetActive(true);
    EXPECT_TRUE(m.CommandTimerEnabled());
    EXPECT_FALSE(m.Active());  // the timer does it
    TWinSkinForm* sf = WaitSkinned(f.Handle());
    ASSERT_NE(sf, nullptr);
    EXPECT_EQ(changes.Count, 1);
    ExpectWrapped(f, true);
    EXPECT_FALSE(f.Panel->ParentBackground());
    EXPECT_NE(Snap(f).Windows[0].Proc, before.Windows[0].Proc);

    skin->SetActive(false);
    ASSERT_TRUE(qx::test::PumpUntil([&] { return changes.Count == 2; }, milliseconds(3000)));
    EXPECT_TRUE(m.SkinForms().empty());
    EXPECT_FALSE(m.Active());
    qx::test::PumpPending(milliseconds(100));
    ExpectSameState(before, Snap(f));
    ExpectWrapped(f, false);

    skin->SetActive(true);
    ASSERT_NE(WaitSkinned(f.Handle()), nullptr);
    ExpectWrapped(f, true);
}

// The box is modal: a tick inside its loop records what it got and answers it.
TEST_F(SkinManagerTest, MessageBoxesTakeTheMainWindowsSkinUnlessADialogSkinExists) {
    TTestForm main, other(160, 160, L"Other");
    TSkinData* mainSkin = LoadDefaultSkin(main.Form).release();  // the forms own their skins
    ASSERT_TRUE(mainSkin);
    TSkinData* ownSkin = Realistic(TSkinFormType::sfOnlyThisForm, other.Form).release();
    TSkinManage& m = Start(mainSkin);
    m.AddSkinData(ownSkin);
    main.ShowActive();
    ASSERT_NE(WaitSkinned(main.Handle()), nullptr);
    other.ShowActive();
    TWinSkinForm* otherForm = WaitSkinned(other.Handle());
    ASSERT_NE(otherForm, nullptr);
    EXPECT_EQ(otherForm->SkinData(), ownSkin);

    struct TSeen {
        TSkinData* Skin = nullptr;
        bool ButtonWrapped = false;
    };
    // Answered with its button: OK of a message form, Cancel of the system box.
    auto answer = [&m](const wchar_t* cls, TSeen* seen, bool* done) {
        return [&m, cls, seen, done] {
            HWND box = FindThreadWindow(cls);
            TWinSkinForm* s = box ? m.FindSkinForm(box) : nullptr;
            if (*done || !s || s->State() != kFormActive) return;
            *done = true;
            seen->Skin = s->SkinData();
            HWND button = nullptr;
            for (HWND c = ::GetWindow(box, GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT)) {
                wchar_t name[32] = {};
                ::GetClassNameW(c, name, 32);
                if (std::wstring(name) == L"TButton" || std::wstring(name) == L"Button") button = c;
            }
            seen->ButtonWrapped = AnswersQuery(button);
            if (std::wstring(cls) == L"#32770") ::PostMessageW(box, WM_COMMAND, IDCANCEL, 0);
            else ::PostMessageW(button, BM_CLICK, 0, 0);
        };
    };
    TSeen form, box;
    bool formDone = false, boxDone = false;
    RunModal([] { qx::ShowMessage(L"A message form"); }, answer(L"TMessageForm", &form, &formDone));
    RunModal([] { qx::MessageDlgBox(L"A system message box", L"Quellox", MB_OKCANCEL); }, answer(L"#32770", &box, &boxDone));
    ASSERT_TRUE(formDone && boxDone);
    EXPECT_EQ(form.Skin, mainSkin);
    EXPECT_EQ(box.Skin, mainSkin);
    EXPECT_TRUE(form.ButtonWrapped);
    EXPECT_TRUE(box.ButtonWrapped);

    auto dialogSkin = Realistic(TSkinFormType::sfDialog);
    m.AddSkinData(dialogSkin.get());
    formDone = false;
    RunModal([] { qx::ShowMessage(L"Again"); }, answer(L"TMessageForm", &form, &formDone));
    ASSERT_TRUE(formDone);
    EXPECT_EQ(form.Skin, dialogSkin.get());
    m.RemoveSkinData(dialogSkin.get());
}

TEST_F(SkinManagerTest, ChoosingTheSkinDataAndAcceptingWindowClasses) {
    TSkinManage& m = CreateSkinManager();
    TTestForm f;
    EXPECT_EQ(m.ChooseSkinData(f.Handle()), nullptr);
    TSkinData dialogOnly(nullptr), first(nullptr), second(nullptr);
    dialogOnly.SetSkinFormtype(TSkinFormType::sfDialog);
    m.AddSkinData(&dialogOnly);
    EXPECT_EQ(m.ChooseSkinData(f.Handle()), &dialogOnly);  // nothing matches: the first one
    m.AddSkinData(&first);
    m.AddSkinData(&second);
    EXPECT_EQ(m.ChooseSkinData(f.Handle()), &second);  // the last main-form one
    EXPECT_EQ(m.DefaultSkinData(), &first);            // the first main-form one
    HWND dialog = Dialog(80, 40);
    EXPECT_EQ(m.ChooseSkinData(dialog), &dialogOnly);
    ::DestroyWindow(dialog);

    // The default skin data alone decides on class names.
    EXPECT_TRUE(m.AcceptWindowClass(L"TPrintPreviewForm"));
    first.SetOptions(0);
    second.SetOptions(kDefaultSkinOptions);
    EXPECT_FALSE(m.AcceptWindowClass(L"TPrintPreviewForm"));
    EXPECT_FALSE(m.AcceptWindowClass(L"SysMonthCal32"));
    struct TFilter {
        std::wstring Seen;
        void Decide(qx::TObject*, const std::wstring& name, bool& doSkin) {
            Seen = name;
            doSkin = !doSkin;
        }
    } filter;
    first.OnFormSkin = TOnFormSkin::Of<&TFilter::Decide>(&filter);
    EXPECT_TRUE(m.AcceptWindowClass(L"TPrintPreviewForm"));
    EXPECT_EQ(filter.Seen, L"TPrintPreviewForm");
    EXPECT_FALSE(m.AcceptWindowClass(L"TForm1"));
}

TEST_F(SkinManagerTest, RefusedWindowsStayAsTheSystemDrawsThem) {
    auto skin = LoadDefaultSkin();
    ASSERT_TRUE(skin);
    skin->SetDisableTag(5);
    TSkinManage& m = Start(skin.get());
    TTestForm tagged;
    tagged.Form->SetTag(kNeverSkinTag);
    tagged.ShowActive();
    EXPECT_EQ(WaitSkinned(tagged.Handle(), milliseconds(300)), nullptr);
    EXPECT_FALSE(AnswersQuery(tagged.Handle()));
    tagged.Form->SetTag(0);
    EXPECT_FALSE(m.SkinWindow(tagged.Panel->Handle()));  // a child window
    // A system dialog without area is refused until it has one.
    HWND dialog = Dialog(0, 0, WS_POPUP);
    EXPECT_FALSE(m.SkinWindow(dialog));
    ::SetWindowPos(dialog, nullptr, 0, 0, 120, 80, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_TRUE(m.SkinWindow(dialog));
    EXPECT_FALSE(m.SkinWindow(dialog));
    ::DestroyWindow(dialog);
    m.SetActive(false);
    EXPECT_FALSE(m.SkinWindow(tagged.Handle()));
    m.SetActive(true);
    TSkinData empty(nullptr);  // nothing loaded: skins nothing
    m.RemoveSkinData(skin.get());
    m.AddSkinData(&empty);
    EXPECT_FALSE(m.SkinWindow(tagged.Handle()));
    m.AddSkinData(skin.get());
    EXPECT_TRUE(m.SkinWindow(tagged.Handle()));  // the last main-form one is loaded
}

TEST_F(SkinManagerTest, AnOnlyThisFormSkinSkinsAndReleasesItsOwnFormOnly) {
    TTestForm a, b(160, 160, L"Owner");
    TSkinData* own = LoadDefaultSkin(b.Form).release();
    ASSERT_TRUE(own);
    own->SetSkinFormtype(TSkinFormType::sfOnlyThisForm);
    own->OnSkinChanged = qx::TNotifyEvent::Of<&TCounter::Changed>(&changes);
    TSkinManage& m = CreateSkinManager();  // no hook: only the commands skin
    m.SetState(kManagerActivated);
    a.ShowActive();
    b.ShowActive();
    own->SetActive(true);
    ASSERT_NE(WaitSkinned(b.Handle()), nullptr);
    EXPECT_EQ(m.FindSkinForm(a.Handle()), nullptr);
    own->SetActive(false);
    ASSERT_TRUE(qx::test::PumpUntil([&] { return changes.Count == 2; }, milliseconds(3000)));
    EXPECT_TRUE(m.SkinForms().empty());
    EXPECT_FALSE(AnswersQuery(b.Handle()));
}

TEST_F(SkinManagerTest, ClosedWindowsLeaveTheRegistry) {
    auto skin = LoadDefaultSkin();
    ASSERT_TRUE(skin);
    skin->OnSkinChanged = qx::TNotifyEvent::Of<&TCounter::Changed>(&changes);
    TSkinManage& m = Start(skin.get());
    m.SetState(kManagerActivated);
    HWND dialog = Dialog(120, 60);
    ASSERT_TRUE(m.SkinWindow(dialog));
    ASSERT_NE(WaitSkinned(dialog), nullptr);
    ::DestroyWindow(dialog);  // its object is closed now and freed by a purge command
    EXPECT_EQ(m.PendingCommand(), scPurge);
    EXPECT_TRUE(m.CommandTimerEnabled());
    ASSERT_TRUE(qx::test::PumpUntil([&] { return m.SkinForms().empty(); }, milliseconds(3000)));
    EXPECT_EQ(changes.Count, 1);

    // A freed form leaves its object closed, with every wrapper gone, for the next purge.
    auto f = std::make_unique<TTestForm>();
    f->ShowActive();
    TWinSkinForm* sf = WaitSkinned(f->Handle());
    ASSERT_NE(sf, nullptr);
    f.reset();
    ASSERT_EQ(m.SkinForms(), std::vector<TWinSkinForm*>{sf});
    EXPECT_EQ(sf->State(), kFormClosed);
    EXPECT_TRUE(sf->Controls().empty());
    ASSERT_TRUE(qx::test::PumpUntil([&] { return m.SkinForms().empty(); }, milliseconds(3000)));
    EXPECT_EQ(changes.Count, 2);
}

// A closed object waiting for its purge is never found again, and it lets go of its skin data
// when the component goes before the purge came.
TEST_F(SkinManagerTest, ClosedEntriesAreSkippedAndForgetTheirSkin) {
    auto skin = LoadDefaultSkin();
    ASSERT_TRUE(skin);
    TSkinManage& m = Start(skin.get());
    m.SetState(kManagerActivated);
    HWND dialog = Dialog(120, 60);
    ASSERT_TRUE(m.SkinWindow(dialog));
    TWinSkinForm* sf = WaitSkinned(dialog);
    ASSERT_NE(sf, nullptr);
    ::DestroyWindow(dialog);
    ASSERT_EQ(m.SkinForms(), std::vector<TWinSkinForm*>{sf});
    EXPECT_EQ(sf->State(), kFormClosed);
    EXPECT_EQ(m.FindSkinForm(dialog), nullptr);

    skin.reset();
    ASSERT_EQ(m.SkinForms(), std::vector<TWinSkinForm*>{sf});
    EXPECT_EQ(sf->SkinData(), nullptr);
    m.PurgeSkinForms();
    EXPECT_TRUE(m.SkinForms().empty());
}

TEST_F(SkinManagerTest, ASkinChangeReloadsTheFramesAndKeepsTheWrappers) {
    auto skin = LoadDefaultSkin();
    ASSERT_TRUE(skin);
    skin->OnSkinChanged = qx::TNotifyEvent::Of<&TCounter::Changed>(&changes);
    Start(skin.get());
    TTestForm f;
    f.ShowActive();
    TWinSkinForm* sf = WaitSkinned(f.Handle());
    ASSERT_NE(sf, nullptr);
    const TFrameMetrics old = sf->Metrics();
    const int clientW = f.Form->ClientWidth(), clientH = f.Form->ClientHeight();
    TSkinButton* button = OwnedWrapper<TSkinButton>(f.Button);

    skinobjtest::TTempFile file(RealisticSkin());
    skin->SetSkinFile(file.Path());
    ASSERT_TRUE(qx::test::PumpUntil([&] { return changes.Count == 1; }, milliseconds(3000)));
    const TFrameMetrics now = MeasureFrame(*skin, sf->BorderKind());
    EXPECT_FALSE(now == old);
    EXPECT_EQ(sf->Metrics().Left, now.Left);
    EXPECT_EQ(sf->Metrics().Top, now.Top);
    EXPECT_EQ(sf->Metrics().Bottom, now.Bottom);
    EXPECT_EQ(f.Form->ClientWidth(), clientW);
    EXPECT_EQ(f.Form->ClientHeight(), clientH);
    EXPECT_EQ(OwnedWrapper<TSkinButton>(f.Button), button);
    EXPECT_EQ(sf->Controls().size(), 7u);
}

// A fake painter, to see which menu windows the hook hands to the factory.
struct TFakePainter : TSkinPopupPainter {
    explicit TFakePainter(HWND w) : Wnd(w) { ++Alive; }
    ~TFakePainter() override { --Alive; }
    HWND Window() const override { return Wnd; }
    HMENU MenuHandle() const override { return Menu; }
    void SetMenuHandle(HMENU menu) override { Menu = menu; }
    void MarkFromMenuBar() override { FromMenuBar = true; }
    qx::TBitmap* FrameImage() override { return &Frame; }
    void Detach() override { ++Detached; }
    HWND Wnd;
    HMENU Menu = nullptr;
    bool FromMenuBar = false;
    qx::TBitmap Frame;
    static inline int Alive = 0, Detached = 0;
};

TEST_F(SkinManagerTest, MenuWindowsGetAPainterOnlyThroughTheFactory) {
    auto skin = LoadDefaultSkin();
    ASSERT_TRUE(skin);
    TSkinManage& m = Start(skin.get());
    // The manager installs the skin's own painters: without a factory there are none.
    SetSkinPopupPainterFactory(nullptr);
    HMENU menu = ::CreatePopupMenu();
    ::AppendMenuW(menu, MF_STRING, 1, L"One");
    struct TRun {
        size_t Painters = 99;
        bool Opened = false, Marked = false, Found = false;
    };
    auto open = [&](int mode) {
        TRun run;
        m.SetMenuMode(mode);
        int ticks = 0;
        RunModal([&] { ::TrackPopupMenu(menu, TPM_RETURNCMD, 50, 50, 0, qx::Application->Handle(), nullptr); },
                 [&] {
                     if (++ticks < 3 || run.Opened) return;
                     run.Opened = FindThreadWindow(L"#32768") != nullptr;
                     run.Painters = m.PopupMenuCount();
                     m.AssignPopupMenuHandle(menu);
                     run.Found = m.FindPopupFrameImage(menu) != nullptr;
                     m.MarkMenuBarPopups();
                     ::EndMenu();
                 });
        return run;
    };
    TRun none = open(kMenuModePopup);
    ASSERT_TRUE(none.Opened);
    EXPECT_EQ(none.Painters, 0u);

    SetSkinPopupPainterFactory([](HWND w, TSkinData*) -> TSkinPopupPainter* { return new TFakePainter(w); });
    TRun popup = open(kMenuModePopup);
    EXPECT_EQ(popup.Painters, 1u);
    EXPECT_TRUE(popup.Found);
    EXPECT_EQ(TFakePainter::Alive, 0);  // freed when the menu window went
    EXPECT_EQ(TFakePainter::Detached, 1);
    EXPECT_EQ(m.MenuMode(), kMenuModePopup);
    EXPECT_FALSE(m.MenuBarPopups());
    skin->SetSkinControls(skin->SkinControls() & ~SkinControlBit(xcSystemMenu));
    EXPECT_EQ(open(kMenuModeSystem).Painters, 0u);
    skin->SetSkinControls(skin->SkinControls() | SkinControlBit(xcSystemMenu));
    EXPECT_EQ(open(kMenuModeSystem).Painters, 1u);
    SetSkinPopupPainterFactory(nullptr);
    ::DestroyMenu(menu);
}

TEST_F(SkinManagerTest, SubordinateManagersShareTheListsAndFollowTheMainOne) {
    auto skin = LoadDefaultSkin();
    ASSERT_TRUE(skin);
    TSkinManage& main = CreateSkinManager();
    main.AddSkinData(skin.get());
    main.SetState(kManagerActivated);
    auto* sub = new TSkinManage(true);
    sub->JoinMainManager(main);
    EXPECT_EQ(sub->SkinDataList(), main.SkinDataList());
    EXPECT_EQ(sub->DefaultSkinData(), skin.get());
    EXPECT_EQ(sub->State(), kManagerActivated);
    main.SetPendingSkinData(skin.get());
    main.PostCommand(scActivate, 250);
    EXPECT_TRUE(sub->Active());
    EXPECT_EQ(sub->PendingSkinData(), skin.get());
    EXPECT_EQ(sub->CommandInterval(), 300u);
    main.PostCommand(scDeactivate, 250);
    EXPECT_FALSE(sub->Active());

    // Its windows are in the main registry, and go with it.
    sub->SetActive(true);
    HWND dialog = Dialog(120, 60);
    ASSERT_TRUE(sub->SkinWindow(dialog));
    EXPECT_NE(main.FindSkinForm(dialog), nullptr);
    delete sub;
    EXPECT_TRUE(main.SkinForms().empty());
    EXPECT_TRUE(main.Subordinates().empty());
    EXPECT_FALSE(AnswersQuery(dialog));
    ::DestroyWindow(dialog);

    auto* orphan = new TSkinManage(true);
    orphan->JoinMainManager(main);
    FreeSkinManager();
    EXPECT_EQ(orphan->ParentManager(), nullptr);
    EXPECT_EQ(orphan->State(), kManagerDestroying);
    EXPECT_TRUE(orphan->SkinDataList().empty());
    delete orphan;
}

int UtilWindows() {
    int n = 0;
    ::EnumThreadWindows(::GetCurrentThreadId(), [](HWND w, LPARAM lp) -> BOOL {
        wchar_t name[32] = {};
        ::GetClassNameW(w, name, 32);
        if (std::wstring(name) == L"TPUtilWindow") ++*reinterpret_cast<int*>(lp);
        return TRUE;
    }, reinterpret_cast<LPARAM>(&n));
    return n;
}

TEST_F(SkinManagerTest, DestructionLeavesNoHookNoTimerAndNoSkinnedPlainWindow) {
    auto skin = LoadDefaultSkin();
    ASSERT_TRUE(skin);
    const int timers = UtilWindows();
    TSkinManage& m = Start(skin.get());
    m.SetState(kManagerActivated);
    EXPECT_EQ(UtilWindows(), timers + 1);
    HWND dialog = Dialog(120, 60);
    const LONG_PTR proc = ::GetWindowLongPtrW(dialog, GWLP_WNDPROC);
    ASSERT_TRUE(m.SkinWindow(dialog));
    m.PostCommand(scActivate, 250);
    FreeSkinManager();
    EXPECT_EQ(UtilWindows(), timers);
    EXPECT_FALSE(AnswersQuery(dialog));
    EXPECT_EQ(::GetWindowLongPtrW(dialog, GWLP_WNDPROC), proc);
    ::DestroyWindow(dialog);

    // Had the old hook stayed, it would now serve this manager, which installed none.
    TSkinManage& fresh = CreateSkinManager();
    fresh.AddSkinData(skin.get());
    fresh.SetActive(true);
    TTestForm f;
    f.ShowActive();
    qx::test::PumpPending(milliseconds(300));
    EXPECT_EQ(fresh.State(), kManagerNeverActivated);
    EXPECT_FALSE(AnswersQuery(f.Handle()));
}

}  // namespace
