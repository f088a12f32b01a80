// Helpers for the skin drawing tests: source pictures whose every pixel says where it came
// from, pixel reads that flush GDI first, and failure pictures under $QUELLOX_ARTIFACTS.
#pragma once

#include "framework/Bitmap.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <windows.h>

namespace skintest {

inline constexpr COLORREF kMagenta = RGB(255, 0, 255);

// A colour naming its position: red = x, green = y, blue 0x80 (never magenta). Decode with
// SourceX / SourceY.
inline COLORREF Tagged(int x, int y) { return RGB(x, y, 0x80); }
inline int SourceX(COLORREF c) { return GetRValue(c); }
inline int SourceY(COLORREF c) { return GetGValue(c); }
inline bool IsTagged(COLORREF c) { return GetBValue(c) == 0x80; }

// A w x h picture in the given format with pixel (x, y) = colour(x, y) (0x00BBGGRR).
std::unique_ptr<qx::TBitmap> MakeBitmap(int w, int h, qx::TPixelFormat format,
                                        const std::function<COLORREF(int, int)>& colour);
// Tagged(x, y) everywhere: a 24-bit picture of w x h.
std::unique_ptr<qx::TBitmap> MakeTaggedBitmap(int w, int h, qx::TPixelFormat format = qx::TPixelFormat::pf24bit);

// How the skin routines reach a canvas: writing its rows directly (any memory DC over a DIB),
// or through GDI, which a 1:1 MM_ANISOTROPIC mapping forces without changing what lands where.
enum class TPath { Direct, Gdi };
void UsePath(const qx::test::DibCanvas& canvas, TPath path);
std::string PathName(const testing::TestParamInfo<TPath>& info);

// A canvas pixel as 0x00BBGGRR, after pending GDI drawing is done.
COLORREF At(const qx::test::DibCanvas& canvas, int x, int y);

// Saves the canvas (and the source picture, if given) as PNG files named after the test;
// returns a line naming them, for a failure message.
std::string Dump(const std::string& name, const qx::test::DibCanvas& canvas, qx::TBitmap* source = nullptr);
std::string Dump(const std::string& name, qx::TBitmap& picture);

}  // namespace skintest
