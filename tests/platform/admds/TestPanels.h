#pragma once
// A hidden top-level window with plain child panels, standing in for the main window's
// advertisement panels. Each panel's own window procedure logs what reaches it and paints
// itself magenta, so a test can see whether the ad or the panel did the painting.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "admds.h"

namespace admds::test {

inline constexpr DWORD kButtonFace = 0xFF00000F;          // system colour 15, as the program passes it
inline constexpr COLORREF kPanelOwnColour = RGB(255, 0, 255);
inline constexpr UINT kPing = WM_APP + 1;                  // answered by the panel itself
inline constexpr LRESULT kPingAnswer = 0x1234;

inline constexpr const char* kUrl =
    "http://ads.example.invalid/0a1b2c3d4e/enter?MDS=3f2a9c0d71e4b5a6c7d8e9f00112233445566778899aabbc";

struct TPanelLog {
    int Pings = 0;
    int Paints = 0;
    int NcDestroys = 0;
};

class AdPanelTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A child panel of the host at (x, y), client size w x h.
    HWND MakePanel(int x, int y, int w, int h);
    TPanelLog& LogOf(HWND panel);
    static UINT QueryMessage() { return ::RegisterWindowMessageW(ADMDS_QUERY_MESSAGE); }
    static LRESULT Layers(HWND panel) { return ::SendMessageW(panel, QueryMessage(), 0, 0); }

    HWND host_ = nullptr;

private:
    std::vector<std::unique_ptr<TPanelLog>> logs_;
};

}  // namespace admds::test
