// Private window messages of the skin engine. The values are fixed: skinned windows, control
// wrappers and popup painters of every module compare against them.
#pragma once

#include <windows.h>

inline constexpr UINT SKN_QUERY = 0x3523;          // answered 1 by anything already skinned
inline constexpr UINT SKN_ACTIVATE = 0x3503;       // posted after a window's skinning object exists
inline constexpr UINT SKN_ENABLE = 0x3506;         // wrapped control: skinned painting on / off
inline constexpr UINT SKN_REPAINTFRAME = 0x3502;   // repaint a skinned window's whole frame
inline constexpr UINT SKN_SKINCHANGED = 0x3401;    // a framework form re-applies the skin
inline constexpr UINT SKN_BUTTONACTION = 0x3514;   // application-defined caption button clicked
inline constexpr UINT SKN_BUTTONVISIBLE = 0x3515;  // is an application-defined caption button visible
inline constexpr UINT SKN_MDIREDRAW = 0x3516;      // MDI parent: redraw completely
inline constexpr UINT SKN_TABCLOSE = 0x3507;       // a tab's close box was clicked
