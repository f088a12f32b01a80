#pragma once
// The small text chores, each written once: code-page conversions and ASCII letter case.
#include <string>
#include <string_view>

namespace qx {

// The system's ANSI code page to UTF-16 and back.
std::wstring AnsiToWide(std::string_view text);
std::string WideToAnsi(std::wstring_view text);
// Plain 7-bit text (literals, version strings) to UTF-16 and back; anything else narrows to '?'.
std::wstring AsciiToWide(std::string_view text);
std::string WideToAscii(std::wstring_view text);
// The letters A-Z and a-z change case; every other character stays as it is.
std::wstring UpperCase(std::wstring text);
std::wstring LowerCase(std::wstring text);

}  // namespace qx
