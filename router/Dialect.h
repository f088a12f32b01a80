#pragma once
// The router's command set. The numbers are the ones the window has always used (0 Cisco,
// 1 Huawei); nothing else is a dialect, and a value outside them sends nothing.

namespace router {

enum class TDialect : int { dlCisco = 0, dlHuawei = 1 };

}  // namespace router
