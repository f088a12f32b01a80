// TThread: the termination handler runs on the main thread while the worker waits, and a
// thread that frees itself does so after its handler.
#include "framework/Forms.h"
#include "framework/Thread.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <atomic>

using namespace qx;

namespace {

std::atomic<int> gLiveWorkers{0};

class Worker : public TThread {
public:
    explicit Worker(bool suspended) : TThread(suspended) { ++gLiveWorkers; }
    ~Worker() override { --gLiveWorkers; }

    std::atomic<bool> HandlerDone{false};
    std::atomic<bool> SawHandlerBeforeExit{false};
    DWORD WorkerThreadId = 0;
    bool ThrowInExecute = false;

protected:
    void Execute() override {
        WorkerThreadId = ::GetCurrentThreadId();
        if (ThrowInExecute) throw std::runtime_error("router went away");
        Synchronize([this] { SyncThreadId = ::GetCurrentThreadId(); });
    }
    void DoTerminate() override {
        TThread::DoTerminate();
        // Back on the worker: the handler has finished by now.
        SawHandlerBeforeExit = HandlerDone.load();
    }

public:
    DWORD SyncThreadId = 0;
};

struct Observer {
    DWORD HandlerThreadId = 0;
    int Calls = 0;
    bool WorkerWaiting = false;
    void Terminated(TObject* sender) {
        HandlerThreadId = ::GetCurrentThreadId();
        ++Calls;
        auto* w = static_cast<Worker*>(sender);
        // The worker has not finished: it waits in Synchronize while we run.
        WorkerWaiting = !w->Finished() && ::WaitForSingleObject(w->Handle(), 50) == WAIT_TIMEOUT;
        w->HandlerDone = true;
    }
};

class ThreadTest : public ::testing::Test {
protected:
    void SetUp() override { test::EnsureApplication(); }
};

TEST_F(ThreadTest, OnTerminateRunsOnTheMainThreadWhileTheWorkerWaits) {
    Observer obs;
    auto* w = new Worker(true);
    w->OnTerminate = TNotifyEvent::Of<&Observer::Terminated>(&obs);
    w->Start();
    w->WaitFor();
    EXPECT_EQ(obs.Calls, 1);
    EXPECT_EQ(obs.HandlerThreadId, ::GetCurrentThreadId());
    EXPECT_NE(w->WorkerThreadId, ::GetCurrentThreadId());
    EXPECT_EQ(w->SyncThreadId, ::GetCurrentThreadId());
    EXPECT_TRUE(obs.WorkerWaiting);
    EXPECT_TRUE(w->SawHandlerBeforeExit);
    delete w;
    EXPECT_EQ(gLiveWorkers, 0);
}

TEST_F(ThreadTest, FreeOnTerminateFreesAfterTheHandlerEvenAfterAnError) {
    for (bool fail : {false, true}) {
        Observer obs;
        auto* w = new Worker(true);
        w->FreeOnTerminate = true;
        w->ThrowInExecute = fail;
        w->OnTerminate = TNotifyEvent::Of<&Observer::Terminated>(&obs);
        w->Start();
        ASSERT_TRUE(test::PumpUntil([] { return gLiveWorkers == 0; }, std::chrono::milliseconds(5000)));
        EXPECT_EQ(obs.Calls, 1);
        EXPECT_EQ(obs.HandlerThreadId, ::GetCurrentThreadId());
    }
}

TEST_F(ThreadTest, NewStartsOnlyAfterConstructionAndSuspendedWaits) {
    auto* running = TThread::New<Worker>(false);
    running->WaitFor();
    EXPECT_NE(running->WorkerThreadId, 0u);
    delete running;

    auto* idle = new Worker(true);
    ::Sleep(50);
    EXPECT_EQ(idle->WorkerThreadId, 0u);
    delete idle;  // never started: freed without running
    EXPECT_EQ(gLiveWorkers, 0);
}

}  // namespace
