#include "support/DialogAnswerer.h"

#include <algorithm>

namespace qx::test {

namespace {
DialogAnswerer* gActive = nullptr;

std::wstring ClassOf(HWND w) {
    wchar_t cls[64] = {};
    ::GetClassNameW(w, cls, 64);
    return cls;
}

std::wstring TextOf(HWND w) {
    int n = ::GetWindowTextLengthW(w);
    std::wstring s(static_cast<size_t>(n) + 1, L'\0');
    n = ::GetWindowTextW(w, s.data(), n + 1);
    s.resize(static_cast<size_t>(std::max(n, 0)));
    return s;
}
}  // namespace

DialogAnswerer::DialogAnswerer() {
    gActive = this;
    FTimer = ::SetTimer(nullptr, 0, 25, &DialogAnswerer::Tick);
}

DialogAnswerer::~DialogAnswerer() {
    ::KillTimer(nullptr, FTimer);
    gActive = nullptr;
}

std::vector<std::wstring> DialogAnswerer::Texts() const {
    std::vector<std::wstring> out;
    for (const auto& d : FSeen) out.push_back(d.Text);
    return out;
}

void CALLBACK DialogAnswerer::Tick(HWND, UINT, UINT_PTR, DWORD) noexcept {
    if (gActive) gActive->Scan();
}

void DialogAnswerer::Scan() {
    std::vector<HWND> found;
    ::EnumThreadWindows(::GetCurrentThreadId(), [](HWND w, LPARAM lp) -> BOOL {
        if (::IsWindowVisible(w)) reinterpret_cast<std::vector<HWND>*>(lp)->push_back(w);
        return TRUE;
    }, reinterpret_cast<LPARAM>(&found));
    for (HWND w : found) {
        std::wstring cls = ClassOf(w);
        if (cls != L"TMessageForm" && cls != L"#32770") continue;
        if (std::find(FAnswered.begin(), FAnswered.end(), w) != FAnswered.end()) continue;
        SeenDialog d{cls, TextOf(w), L"", 0, false};
        HWND ok = nullptr;
        for (HWND c = ::GetWindow(w, GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT)) {
            std::wstring childClass = ClassOf(c);
            int id = ::GetDlgCtrlID(c);
            if (cls == L"TMessageForm") {
                if (childClass == L"TButton") ok = c;
                else d.Text = TextOf(c);
            } else {
                if (id == 0xFFFF && childClass == L"Static") d.Text = TextOf(c);
                if (id == IDCANCEL) d.HasCancel = true;
                if (childClass == L"Static" && (::GetWindowLongW(c, GWL_STYLE) & SS_ICON)) {
                    auto icon = reinterpret_cast<HICON>(::SendMessageW(c, STM_GETICON, 0, 0));
                    d.Icon = icon == ::LoadIconW(nullptr, IDI_QUESTION) ? MB_ICONQUESTION : MB_ICONINFORMATION;
                }
            }
        }
        FSeen.push_back(d);
        FAnswered.push_back(w);
        if (OnShown) OnShown(d);
        if (cls == L"TMessageForm") {
            if (ok) ::PostMessageW(ok, BM_CLICK, 0, 0);
        } else {
            int answer = IDOK;
            if (!FAnswers.empty()) {
                answer = FAnswers.front();
                FAnswers.pop_front();
            }
            ::PostMessageW(w, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED), 0);
        }
    }
    // Windows that went away may have their handle reused.
    FAnswered.erase(std::remove_if(FAnswered.begin(), FAnswered.end(), [](HWND w) { return !::IsWindow(w); }),
                    FAnswered.end());
}

}  // namespace qx::test
