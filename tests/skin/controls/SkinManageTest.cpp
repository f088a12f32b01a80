// The skin manager as the skin data components use it: one instance, the list of components,
// commands and their 250 ms timer, the state counter, and the CBT hook's first activation.
#include "framework/Forms.h"
#include "skin/controls/SkinManage.h"
#include "skin/data/SkinData.h"
#include "support/SkinDataTestSupport.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>

using namespace skinobjtest;
using std::chrono::milliseconds;

namespace {

struct TChangeCounter {
    int Count = 0;
    void Changed(qx::TObject*) { ++Count; }
};

class SkinManageTest : public SkinDataFixture {
protected:
    // A loaded main-form component that counts its skin-changed events.
    std::unique_ptr<TSkinData> LoadedSkinData(TSkinFormType type = TSkinFormType::sfMainform) {
        auto data = std::make_unique<TSkinData>(nullptr);
        data->SetSkinFormtype(type);
        data->Store().WriteBuffer(RealisticSkin().data(), static_cast<std::int64_t>(RealisticSkin().size()));
        EXPECT_TRUE(data->LoadSkin());
        data->OnSkinChanged = qx::TNotifyEvent::Of<&TChangeCounter::Changed>(&FChanges);
        return data;
    }

    TChangeCounter FChanges;
};

}  // namespace

TEST_F(SkinManageTest, ThereIsOneManagerUntilItIsFreed) {
    EXPECT_EQ(SkinManager, nullptr);
    TSkinManage& first = CreateSkinManager();
    EXPECT_EQ(&CreateSkinManager(), &first);
    EXPECT_EQ(SkinManager, &first);
    EXPECT_FALSE(first.Subordinate());
    EXPECT_EQ(first.State(), kManagerNeverActivated);
    EXPECT_FALSE(first.Active());
    EXPECT_FALSE(first.CommandTimerEnabled());
    EXPECT_EQ(first.CommandInterval(), 250u);
    first.InstallHook();
    EXPECT_TRUE(first.HookInstalled());
    FreeSkinManager();
    EXPECT_EQ(SkinManager, nullptr);
}

TEST_F(SkinManageTest, ComponentsRegisterOnceAndLeaveNoTraceWhenGone) {
    TSkinManage& manager = CreateSkinManager();
    TSkinData dialog(nullptr);
    dialog.SetSkinFormtype(TSkinFormType::sfDialog);
    auto main = std::make_unique<TSkinData>(nullptr);
    TSkinData second(nullptr);
    manager.AddSkinData(&dialog);
    manager.AddSkinData(main.get());
    manager.AddSkinData(main.get());
    manager.AddSkinData(&second);
    EXPECT_EQ(manager.SkinDataList(), (std::vector<TSkinData*>{&dialog, main.get(), &second}));
    EXPECT_EQ(manager.DefaultSkinData(), main.get());  // the first main-form one

    manager.SetPendingSkinData(main.get());
    main.reset();  // its destructor unregisters it
    EXPECT_EQ(manager.SkinDataList(), (std::vector<TSkinData*>{&dialog, &second}));
    EXPECT_EQ(manager.DefaultSkinData(), nullptr);
    EXPECT_EQ(manager.PendingSkinData(), nullptr);
}

// Before any window was activated the hook skins each window as it comes: commands only set
// the active flag and no timer runs.
TEST_F(SkinManageTest, CommandsBeforeTheFirstActivationOnlySetTheActiveFlag) {
    auto data = LoadedSkinData();
    TSkinManage& manager = CreateSkinManager();
    manager.SetPendingSkinData(data.get());
    manager.PostCommand(scActivate, 250);
    EXPECT_TRUE(manager.Active());
    EXPECT_FALSE(manager.CommandTimerEnabled());
    manager.PostCommand(scSkinChanged, 250);
    EXPECT_TRUE(manager.Active());
    manager.PostCommand(scDeactivate, 250);
    EXPECT_FALSE(manager.Active());
    EXPECT_FALSE(manager.CommandTimerEnabled());
    qx::test::PumpPending(milliseconds(400));
    EXPECT_EQ(FChanges.Count, 0);
}

TEST_F(SkinManageTest, LaterCommandsRunOnTheTimerAndTellTheComponent) {
    auto data = LoadedSkinData();
    TSkinManage& manager = CreateSkinManager();
    manager.SetState(kManagerActivated);
    manager.SetPendingSkinData(data.get());
    const auto start = std::chrono::steady_clock::now();
    manager.PostCommand(scActivate, 250);
    EXPECT_TRUE(manager.CommandTimerEnabled());
    EXPECT_EQ(manager.CommandInterval(), 250u);
    EXPECT_FALSE(manager.Active());  // not yet: the timer carries it out
    ASSERT_TRUE(qx::test::PumpUntil([&] { return FChanges.Count > 0; }, milliseconds(3000)));
    EXPECT_GE(std::chrono::steady_clock::now() - start, milliseconds(200));
    EXPECT_EQ(FChanges.Count, 1);
    EXPECT_TRUE(manager.Active());
    EXPECT_FALSE(manager.ActivationPass());
    EXPECT_FALSE(manager.CommandTimerEnabled());
    EXPECT_EQ(manager.PendingSkinData(), nullptr);

    manager.SetPendingSkinData(data.get());
    manager.PostCommand(scDeactivate, 250);
    ASSERT_TRUE(qx::test::PumpUntil([&] { return FChanges.Count > 1; }, milliseconds(3000)));
    EXPECT_FALSE(manager.Active());
    // Without a pending component a tick does nothing, and the timer stops.
    manager.PostCommand(scActivate, 250);
    qx::test::PumpPending(milliseconds(500));
    EXPECT_FALSE(manager.Active());
    EXPECT_FALSE(manager.CommandTimerEnabled());
    EXPECT_EQ(FChanges.Count, 2);
}

// The component that posted the command goes away before the timer fires.
TEST_F(SkinManageTest, AFreedComponentIsNeverToldOfItsCommand) {
    auto data = LoadedSkinData();
    TSkinManage& manager = CreateSkinManager();
    manager.SetState(kManagerActivated);
    data->SetActive(true);
    EXPECT_EQ(manager.PendingSkinData(), data.get());
    EXPECT_TRUE(manager.CommandTimerEnabled());
    data.reset();
    qx::test::PumpPending(milliseconds(500));
    EXPECT_FALSE(manager.CommandTimerEnabled());
    EXPECT_EQ(FChanges.Count, 0);
}

TEST_F(SkinManageTest, ActiveOfAMainFormComponentPostsCommandsAndCountsTheState) {
    auto data = LoadedSkinData();
    data->SetActive(true);  // set in code: the manager is made on demand
    ASSERT_NE(SkinManager, nullptr);
    EXPECT_EQ(SkinManager->SkinDataList(), std::vector<TSkinData*>{data.get()});
    EXPECT_EQ(SkinManager->PendingSkinData(), data.get());
    EXPECT_EQ(SkinManager->PendingCommand(), scActivate);
    EXPECT_TRUE(SkinManager->Active());               // state was 0: done at once ...
    EXPECT_FALSE(SkinManager->CommandTimerEnabled());
    EXPECT_EQ(SkinManager->State(), kManagerActivated);  // ... and now it counts as activated

    data->SetActive(false);
    EXPECT_EQ(SkinManager->PendingCommand(), scDeactivate);
    EXPECT_TRUE(SkinManager->CommandTimerEnabled());
    ASSERT_TRUE(qx::test::PumpUntil([&] { return FChanges.Count == 1; }, milliseconds(3000)));
    EXPECT_FALSE(SkinManager->Active());

    // Not loaded: the property turns on, nothing is asked of the manager.
    TSkinData empty(nullptr);
    empty.SetActive(true);
    EXPECT_TRUE(empty.Active());
    EXPECT_EQ(SkinManager->PendingSkinData(), nullptr);
    EXPECT_FALSE(SkinManager->CommandTimerEnabled());
}

TEST_F(SkinManageTest, OnlyThisFormComponentsStayPendingEvenWhenNotLoaded) {
    CreateSkinManager().SetState(kManagerActivated);
    TSkinData empty(nullptr);
    empty.SetSkinFormtype(TSkinFormType::sfOnlyThisForm);
    empty.SetActive(true);
    EXPECT_EQ(SkinManager->PendingSkinData(), &empty);
    EXPECT_FALSE(SkinManager->CommandTimerEnabled());

    auto data = LoadedSkinData(TSkinFormType::sfOnlyThisForm);
    data->SetActive(true);
    EXPECT_EQ(SkinManager->State(), kManagerActivated);
    EXPECT_TRUE(SkinManager->CommandTimerEnabled());
    ASSERT_TRUE(qx::test::PumpUntil([&] { return FChanges.Count == 1; }, milliseconds(3000)));
    EXPECT_TRUE(SkinManager->Active());

    // Dialog components leave activation to the manager alone.
    TSkinData dialog(nullptr);
    dialog.SetSkinFormtype(TSkinFormType::sfDialog);
    dialog.SetActive(true);
    EXPECT_FALSE(SkinManager->CommandTimerEnabled());
}

TEST_F(SkinManageTest, ANewSkinFileIsASkinChangeOnceSomethingWasActivated) {
    auto data = LoadedSkinData();
    TTempFile file(CompressedSkin(WithDescription("[TitlebarSkin]\nSkinName=Second\n")));
    data->SetSkinFile(file.Path());  // no manager yet: Loaded runs first, state is 0
    ASSERT_NE(SkinManager, nullptr);
    EXPECT_TRUE(SkinManager->HookInstalled());
    EXPECT_EQ(data->SkinName(), "Second");
    EXPECT_EQ(SkinManager->PendingSkinData(), data.get());
    EXPECT_FALSE(SkinManager->CommandTimerEnabled());

    SkinManager->SetState(kManagerActivated);
    TTempFile third(RealisticSkin());
    data->SetSkinFile(third.Path());
    EXPECT_EQ(SkinManager->PendingCommand(), scSkinChanged);
    EXPECT_TRUE(SkinManager->CommandTimerEnabled());
    ASSERT_TRUE(qx::test::PumpUntil([&] { return FChanges.Count == 1; }, milliseconds(3000)));
    EXPECT_EQ(data->SkinName(), "Candy Test");
}

// The CBT hook sees the thread's first window activation and counts the manager as activated.
TEST_F(SkinManageTest, TheFirstActivationMovesTheStateToActivated) {
    TSkinManage& manager = CreateSkinManager();
    manager.InstallHook();
    qx::TForm form(qx::Application);
    form.SetBounds(10, 10, 200, 120);
    form.Show();
    ::SetForegroundWindow(form.Handle());
    ::SetActiveWindow(form.Handle());
    EXPECT_TRUE(qx::test::PumpUntil([&] { return manager.State() == kManagerActivated; }, milliseconds(3000)));
    form.Hide();
}
