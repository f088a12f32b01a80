#pragma once
// The words and colours of the house ad: one tagline and one theme per panel, picked by the
// panel's URL variant.
#include <windows.h>

#include "AdUrl.h"

namespace admds {

struct TAdTagline {
    const wchar_t* Chinese;
    const wchar_t* English;
};

struct TAdTheme {
    COLORREF Deep;    // gradient start, logo ink
    COLORREF Light;   // gradient end
};

inline constexpr const wchar_t* kProductName = L"Quellox";

const TAdTagline& TaglineOf(const TAdVariant& variant) noexcept;
const TAdTheme& ThemeOf(const TAdVariant& variant) noexcept;

}  // namespace admds
