#pragma once
// Answers the program's message boxes while a test drives the window: every few milliseconds it
// looks for a message form ("TMessageForm") or a system message box ("#32770") of this thread,
// records its caption, text and kind, and answers it with the next planned answer.
#include <windows.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace qx::test {

struct SeenDialog {
    std::wstring Class;    // "TMessageForm" or "#32770"
    std::wstring Caption;
    std::wstring Text;
    UINT Icon = 0;         // MB_ICONQUESTION when the system box shows the question icon
    bool HasCancel = false;
};

class DialogAnswerer {
public:
    DialogAnswerer();
    ~DialogAnswerer();
    DialogAnswerer(const DialogAnswerer&) = delete;
    DialogAnswerer& operator=(const DialogAnswerer&) = delete;

    // The answers for the next system message boxes, in order (IDOK, IDCANCEL); OK when none
    // is left. Message forms are always answered with their OK button.
    void Plan(std::vector<int> answers) { FAnswers.assign(answers.begin(), answers.end()); }
    const std::vector<SeenDialog>& Seen() const { return FSeen; }
    std::vector<std::wstring> Texts() const;
    void Clear() { FSeen.clear(); }
    // Called for each message as it is found open, before it is answered.
    std::function<void(const SeenDialog&)> OnShown;

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) noexcept;
    void Scan();

    UINT_PTR FTimer = 0;
    std::deque<int> FAnswers;
    std::vector<SeenDialog> FSeen;
    std::vector<HWND> FAnswered;
};

}  // namespace qx::test
