#pragma once
// Test helpers: render a window's client area through WM_PRINTCLIENT into a 32-bpp memory DIB
// (deterministic under Wine, unlike a screen DC), and save pictures for a person to look at.
#include <windows.h>

#include <string>
#include <vector>

namespace admds::test {

// Pixels are 0x00RRGGBB, row 0 at the top.
struct TPicture {
    int Width = 0;
    int Height = 0;
    std::vector<DWORD> Pixels;

    DWORD At(int x, int y) const { return Pixels[static_cast<size_t>(y) * Width + x]; }
    bool operator==(const TPicture&) const = default;
};

// Pre-filled with this, so pixels the window leaves untouched can be told apart.
inline constexpr DWORD kUntouched = 0x00123456;

inline DWORD PixelOf(COLORREF c) { return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c); }

TPicture CaptureClient(HWND wnd);

// Copies `part` into `into` with its top-left corner at (x, y).
void Blit(TPicture& into, const TPicture& part, int x, int y);

// The folder named by QUELLOX_ARTIFACTS (created), or the current folder.
std::wstring ArtifactsDir();
bool SaveBmp(const std::wstring& path, const TPicture& picture);

}  // namespace admds::test
