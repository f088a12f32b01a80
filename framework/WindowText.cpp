#include "framework/WindowText.h"

#include "framework/TextConvert.h"

namespace qx {

std::wstring ClassNameOf(HWND window) {
    if (!window) return {};
    wchar_t name[257] = {};  // class names are at most 256 characters
    const int n = ::GetClassNameW(window, name, 257);
    return std::wstring(name, n > 0 ? static_cast<size_t>(n) : 0);
}

std::wstring WindowTextOf(HWND window, bool unicode) {
    if (!window) return {};
    if (unicode) {
        const int n = ::GetWindowTextLengthW(window);
        std::wstring text(static_cast<size_t>(n > 0 ? n : 0) + 1, L'\0');
        const int got = ::GetWindowTextW(window, text.data(), static_cast<int>(text.size()));
        text.resize(static_cast<size_t>(got > 0 ? got : 0));
        return text;
    }
    const int n = ::GetWindowTextLengthA(window);
    std::string text(static_cast<size_t>(n > 0 ? n : 0) + 1, '\0');
    const int got = ::GetWindowTextA(window, text.data(), static_cast<int>(text.size()));
    text.resize(static_cast<size_t>(got > 0 ? got : 0));
    return AnsiToWide(text);
}

}  // namespace qx
