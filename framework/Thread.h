#pragma once
// TThread: a worker thread whose termination handler runs on the main thread while the
// worker waits, and which can free itself when it is done.
#include "Classes.h"

#include <atomic>
#include <functional>
#include <windows.h>

namespace qx {

class TThread : public TObject {
    QX_CLASS(TThread)
public:
    // A thread that is not created suspended starts once construction is complete: make it
    // with TThread::New<T>(...) (or call Start yourself).
    explicit TThread(bool createSuspended);
    ~TThread() override;

    template <class T, class... A>
    static T* New(A&&... args) {
        T* t = new T(std::forward<A>(args)...);
        if (!t->FCreateSuspended) t->Start();
        return t;
    }

    void Start();
    void Terminate() { FTerminated = true; }
    bool Terminated() const { return FTerminated; }
    bool Finished() const { return FFinished; }
    // Waits for the thread to end; returns its ReturnValue.
    DWORD WaitFor();
    HANDLE Handle() const { return FHandle; }
    DWORD ThreadID() const { return FThreadId; }

    bool FreeOnTerminate = false;
    TNotifyEvent OnTerminate;

protected:
    virtual void Execute() = 0;
    // Runs `work` on the main thread while this thread waits.
    void Synchronize(const std::function<void()>& work);
    virtual void DoTerminate();

    DWORD ReturnValue = 0;

private:
    static DWORD WINAPI ThreadProc(void* self) noexcept;

    HANDLE FHandle = nullptr;
    DWORD FThreadId = 0;
    bool FCreateSuspended;
    bool FStarted = false;
    std::atomic<bool> FTerminated{false};
    std::atomic<bool> FFinished{false};
};

}  // namespace qx
