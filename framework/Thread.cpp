#include "Thread.h"
#include "Forms.h"

#include <process.h>

namespace qx {

QX_DEFINE_CLASS(TThread, TObject, b) {}

TThread::TThread(bool createSuspended) : FCreateSuspended(createSuspended) {
    FHandle = reinterpret_cast<HANDLE>(
        ::_beginthreadex(nullptr, 0, reinterpret_cast<unsigned(__stdcall*)(void*)>(&TThread::ThreadProc), this,
                         CREATE_SUSPENDED, reinterpret_cast<unsigned*>(&FThreadId)));
    if (!FHandle) throw std::runtime_error("cannot create thread");
}

TThread::~TThread() {
    // Freed by its owner while running: ask it to stop and wait (never when it frees itself).
    if (FHandle && ::GetCurrentThreadId() != FThreadId) {
        if (!FStarted) {
            FFinished = true;
            FTerminated = true;
            FStarted = true;
            ::ResumeThread(FHandle);  // it sees FFinished and leaves at once
        }
        Terminate();
        ::WaitForSingleObject(FHandle, INFINITE);
    }
    if (FHandle) ::CloseHandle(FHandle);
}

void TThread::Start() {
    if (FStarted) return;
    FStarted = true;
    ::ResumeThread(FHandle);
}

DWORD TThread::WaitFor() {
    if (::GetCurrentThreadId() == FThreadId) return ReturnValue;
    // Keep handling the main thread's messages, or an OnTerminate waiting for it would hang.
    for (;;) {
        DWORD r = ::MsgWaitForMultipleObjects(1, &FHandle, FALSE, INFINITE, QS_ALLINPUT);
        if (r == WAIT_OBJECT_0) break;
        if (Application) {
            Application->CheckSynchronize();
            Application->ProcessMessages();
        }
    }
    DWORD code = 0;
    ::GetExitCodeThread(FHandle, &code);
    return code;
}

// Without an application (it has been freed) there is no main thread to run the work on, and
// nothing it could safely touch: the work is dropped.
void TThread::Synchronize(const std::function<void()>& work) {
    if (TApplication* app = Application) app->Synchronize(work);
}

void TThread::DoTerminate() {
    if (!OnTerminate) return;
    Synchronize([this] {
        try {
            OnTerminate(this);
        } catch (...) {
            // The handler runs on the main thread: its fault is the application's to show.
            if (!Application) throw;
            Application->HandleException(this);
        }
    });
}

DWORD WINAPI TThread::ThreadProc(void* self) noexcept {
    auto* thread = static_cast<TThread*>(self);
    if (thread->FFinished) return 0;  // freed before it was started
    try {
        thread->Execute();
    } catch (...) {
        // An error ends the work early; the termination handler still runs.
    }
    bool freeIt = thread->FreeOnTerminate;
    DWORD result = thread->ReturnValue;
    // DoTerminate hands a fault of the termination handler to the application's handler on
    // the main thread; what still escapes (no application) must not end the process from here.
    try {
        thread->DoTerminate();
    } catch (...) {
    }
    thread->FFinished = true;
    if (freeIt) {
        // Close our own handle first: the destructor must not wait for this very thread.
        delete thread;
    }
    return result;
}

}  // namespace qx
