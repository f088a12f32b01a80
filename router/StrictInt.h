#pragma once
// Strict text-to-integer conversion, used for the first field of a Huawei session line and for
// the census threshold.

#include <cstdint>
#include <optional>
#include <string_view>

namespace router {

// Optional leading blanks, an optional sign, then decimal digits or a hexadecimal number
// introduced by "$", "x", "X", "0x" or "0X". The whole text must be consumed and the value must
// fit in 32 signed bits; anything else (an empty text included) gives no value.
std::optional<std::int32_t> StrictToInt(std::string_view text) noexcept;

}  // namespace router
