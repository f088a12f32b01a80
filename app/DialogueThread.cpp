#include "app/DialogueThread.h"

#include <atomic>
#include <stdexcept>

void TOutcomeMailbox::Attach(HWND window, UINT message) {
    std::lock_guard lock(FLock);
    FWindow = window;
    FMessage = message;
}

void TOutcomeMailbox::Detach() {
    std::deque<TOutcome> dropped;  // destroyed after the lock is released
    std::lock_guard lock(FLock);
    FWindow = nullptr;
    ++FGeneration;
    dropped.swap(FOutcomes);
}

unsigned TOutcomeMailbox::Generation() {
    std::lock_guard lock(FLock);
    return FGeneration;
}

void TOutcomeMailbox::Post(unsigned generation, TOutcome outcome) {
    std::unique_lock lock(FLock);
    if (!FWindow || generation != FGeneration) {
        // The outcome dies here, on the worker that made it, and outside the lock.
        lock.unlock();
        outcome = nullptr;
        return;
    }
    FOutcomes.push_back(std::move(outcome));
    ::PostMessageW(FWindow, FMessage, 0, 0);
}

std::vector<TOutcome> TOutcomeMailbox::Take() {
    std::lock_guard lock(FLock);
    std::vector<TOutcome> taken(std::make_move_iterator(FOutcomes.begin()), std::make_move_iterator(FOutcomes.end()));
    FOutcomes.clear();
    return taken;
}

std::shared_ptr<TOutcomeMailbox> DialogueMailbox() {
    // Never freed: a worker still running at process exit may post to it after static
    // destruction has begun.
    static auto* mailbox = new std::shared_ptr<TOutcomeMailbox>(std::make_shared<TOutcomeMailbox>());
    return *mailbox;
}

TDialogueThread::TDialogueThread(std::function<TOutcome()> work, TOutcome failed)
    : TThread(false), FWork(std::move(work)), FFailed(std::move(failed)), FMailbox(DialogueMailbox()),
      FGeneration(FMailbox->Generation()) {
    if (DialogueStartsFail()) throw std::runtime_error("no thread");
    FreeOnTerminate = true;
}

void TDialogueThread::Execute() {
    TOutcome outcome;
    try {
        outcome = FWork();
    } catch (...) {
        // Out of memory in the middle of a dialogue: it failed, and the window must hear it.
        outcome = std::move(FFailed);
    }
    if (outcome) FMailbox->Post(FGeneration, std::move(outcome));
}

namespace {
std::atomic<bool> gFailStarts{false};
}  // namespace

void FailDialogueStarts(bool fail) { gFailStarts = fail; }
bool DialogueStartsFail() { return gFailStarts; }

bool StartDialogue(std::function<TOutcome()> work, TOutcome failed) {
    try {
        qx::TThread::New<TDialogueThread>(std::move(work), std::move(failed));
        return true;
    } catch (const std::exception&) {
        return false;
    }
}
