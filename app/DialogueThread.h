#pragma once
// Router dialogues run on worker threads so the window keeps handling its messages while a
// slow router answers. A worker touches neither the window nor the application object: it
// works on copies and hands its outcome, a function to run on the main thread, to the outcome
// mailbox. The window runs outcomes when the mailbox posts it a message; once the window is
// gone, outcomes are dropped (destroyed on the worker that made them).
#include "framework/Thread.h"

#include <windows.h>

#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

using TOutcome = std::function<void()>;

class TOutcomeMailbox {
public:
    // The window that runs outcomes and the message that tells it one is waiting.
    void Attach(HWND window, UINT message);
    // The window is going: outcomes waiting, and those of workers started before, are dropped.
    void Detach();
    // Taken when a worker starts; its outcome is only run by the window it was started for.
    unsigned Generation();
    // From a worker.
    void Post(unsigned generation, TOutcome outcome);
    // On the main thread: the outcomes waiting, in the order they were posted.
    std::vector<TOutcome> Take();

private:
    std::mutex FLock;
    HWND FWindow = nullptr;
    UINT FMessage = 0;
    unsigned FGeneration = 0;
    std::deque<TOutcome> FOutcomes;
};

// Shared with every worker, so it outlives the window and the last worker alike.
std::shared_ptr<TOutcomeMailbox> DialogueMailbox();

// A worker that runs `work` and posts what it returns; should `work` throw, it posts
// `failed` instead, so the window always hears the dialogue end. Frees itself.
class TDialogueThread : public qx::TThread {
public:
    TDialogueThread(std::function<TOutcome()> work, TOutcome failed);

protected:
    void Execute() override;

private:
    std::function<TOutcome()> FWork;
    TOutcome FFailed;
    std::shared_ptr<TOutcomeMailbox> FMailbox;
    unsigned FGeneration;
};

// Starts a TDialogueThread. False when the system could not start the thread: then nothing
// runs and nothing will be posted.
bool StartDialogue(std::function<TOutcome()> work, TOutcome failed);

// For tests: makes every following start fail as if the system had no thread to give.
void FailDialogueStarts(bool fail);
bool DialogueStartsFail();
