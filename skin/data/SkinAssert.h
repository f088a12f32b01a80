// Assertions of the skin engine's drawing and image code. A broken assertion is a programmer
// error (a caller ignored a routine's precondition), never a reaction to bad skin data: it is
// raised as an exception whose message names the source unit and line, so it reaches the
// application's error handler instead of ending the process.
//
// Header only and free of window headers, so the portable skin code can use it as well.
#pragma once

#include <stdexcept>
#include <string>

class EAssertionFailed : public std::logic_error {
public:
    EAssertionFailed(const std::string& text, const std::string& unit, int line)
        : std::logic_error(text + " (" + unit + ", line " + std::to_string(line) + ")"),
          FText(text), FUnit(unit), FLine(line) {}

    const std::string& Text() const noexcept { return FText; }
    const std::string& Unit() const noexcept { return FUnit; }
    int Line() const noexcept { return FLine; }

private:
    std::string FText;
    std::string FUnit;
    int FLine;
};

// The text a failed condition without its own message carries.
inline constexpr const char* kAssertionFailureText = "Assertion failure";

inline void SkinAssert(bool condition, const char* text, const char* unit, int line) {
    if (!condition) throw EAssertionFailed(text, unit, line);
}
