#pragma once
// Helpers for window tests: the application object, message pumping, off-screen canvases and
// screenshots written under the build's artifacts folder.
#include "framework/DibSurface.h"

#include <windows.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace qx::test {

// Creates Application and Screen once per test program.
void EnsureApplication();

// Handles pending messages until `done` holds or the time is up; returns done().
bool PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds limit = std::chrono::milliseconds(2000));
// Handles what is pending now (and what that causes), for up to `limit`.
void PumpPending(std::chrono::milliseconds limit = std::chrono::milliseconds(100));

// A top-down 32-bpp DIB section with its own memory DC.
class DibCanvas {
public:
    DibCanvas(int width, int height);
    DibCanvas(const DibCanvas&) = delete;
    DibCanvas& operator=(const DibCanvas&) = delete;

    HDC Dc() const { return FSurface.Dc(); }
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    RECT Rect() const { return {0, 0, FWidth, FHeight}; }
    // 0x00RRGGBB as stored in the DIB.
    uint32_t Pixel(int x, int y) const { return FBits[static_cast<size_t>(y) * FWidth + x] & 0xFFFFFF; }
    // As a COLORREF (0x00BBGGRR), comparable with RGB() and GetSysColor().
    COLORREF PixelRef(int x, int y) const;
    void Fill(COLORREF c);
    bool SavePng(const std::string& path) const;

private:
    int FWidth, FHeight;
    TDibSurface FSurface;
    uint32_t* FBits = nullptr;
};

// Renders a window with WM_PRINT (client, children, non-client) into a canvas of its size.
void PrintWindowTo(HWND wnd, DibCanvas& canvas);

// The folder for screenshots and failure images (created on first use).
std::string ArtifactsDir();
// Writes 32-bpp pixels (0x00RRGGBB, top-down) as a PNG file.
bool WritePng(const std::string& path, const uint32_t* pixels, int width, int height);

}  // namespace qx::test

namespace qx::test {
// Copies what the screen shows of a window (frame included) into a canvas of its size.
void CaptureScreen(HWND wnd, DibCanvas& canvas);
}  // namespace qx::test
