// What the panels show: the background colour as passed, a complete ad in every format, the
// URL's variant, and a picture of all six panels for a person to look at.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

#include "PanelCapture.h"
#include "TestPanels.h"

namespace admds::test {
namespace {

std::string UrlWithMds(const std::string& mds) {
    return "http://ads.example.invalid/0a1b2c3d4e/enter?MDS=" + mds;
}

// Share of pixels that differ from `background`.
double ContentShare(const TPicture& p, DWORD background) {
    auto n = std::count_if(p.Pixels.begin(), p.Pixels.end(), [&](DWORD px) { return px != background; });
    return static_cast<double>(n) / static_cast<double>(p.Pixels.size());
}

void ExpectCorners(const TPicture& p, DWORD colour) {
    EXPECT_EQ(p.At(0, 0), colour);
    EXPECT_EQ(p.At(p.Width - 1, 0), colour);
    EXPECT_EQ(p.At(0, p.Height - 1), colour);
    EXPECT_EQ(p.At(p.Width - 1, p.Height - 1), colour);
}

struct TFormatCase {
    const char* Name;
    int Width, Height;
};

class AdFormatTest : public AdPanelTest, public ::testing::WithParamInterface<TFormatCase> {};

TEST_P(AdFormatTest, FillsThePanelWithAnAdOnItsBackground) {
    const TFormatCase& f = GetParam();
    HWND panel = MakePanel(5, 5, f.Width, f.Height);
    ASSERT_EQ(InitScreen(panel, kUrl, kButtonFace), 1);
    TPicture p = CaptureClient(panel);
    ASSERT_EQ(p.Width, f.Width);
    ASSERT_EQ(p.Height, f.Height);

    const DWORD face = PixelOf(::GetSysColor(COLOR_BTNFACE));
    ExpectCorners(p, face);
    // Every pixel painted by the ad, none left to the panel's own painter.
    EXPECT_EQ(std::count(p.Pixels.begin(), p.Pixels.end(), kUntouched), 0);
    EXPECT_EQ(std::count(p.Pixels.begin(), p.Pixels.end(), PixelOf(kPanelOwnColour)), 0);
    EXPECT_GT(ContentShare(p, face), 0.15) << "too little drawn on the " << f.Name;
}

INSTANTIATE_TEST_SUITE_P(Formats, AdFormatTest,
                         ::testing::Values(TFormatCase{"Banner", 180, 60}, TFormatCase{"Line", 180, 20},
                                           TFormatCase{"Square", 90, 90}, TFormatCase{"Column", 180, 300},
                                           TFormatCase{"OddSize", 133, 71}),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST_F(AdPanelTest, ColourValueIsASystemColourOrALiteral) {
    ASSERT_NE(::GetSysColor(COLOR_BTNFACE), ::GetSysColor(COLOR_WINDOW)) << "cases below could not tell them apart";
    struct {
        DWORD Value;
        COLORREF Expected;
    } cases[] = {
        {0xFF00000F, ::GetSysColor(COLOR_BTNFACE)},
        {0xFF000005, ::GetSysColor(COLOR_WINDOW)},
        {0x80000005, ::GetSysColor(COLOR_WINDOW)},     // the high bit alone marks a system colour
        {0x00336699, RGB(0x99, 0x66, 0x33)},           // 0x00BBGGRR
        {0x02336699, RGB(0x99, 0x66, 0x33)},           // other flag bytes do not change a literal
        {0x00000000, RGB(0, 0, 0)},
    };
    for (const auto& c : cases) {
        HWND panel = MakePanel(0, 0, 180, 60);
        ASSERT_EQ(InitScreen(panel, kUrl, c.Value), 1);
        TPicture p = CaptureClient(panel);
        SCOPED_TRACE(testing::Message() << std::hex << "colour value 0x" << c.Value);
        ExpectCorners(p, PixelOf(c.Expected));
        ::DestroyWindow(panel);
    }
}

TEST_F(AdPanelTest, TheMdsValuePicksTheVariant) {
    HWND panel = MakePanel(0, 0, 180, 60);
    std::set<std::vector<DWORD>> looks;
    for (const char* mds : {"01", "02", "03", "04", "05", "06"}) {
        ASSERT_EQ(InitScreen(panel, UrlWithMds(mds).c_str(), kButtonFace), 1);
        looks.insert(CaptureClient(panel).Pixels);
    }
    EXPECT_GE(looks.size(), 3u);

    // The same slot on another server path looks the same: only MDS decides.
    ASSERT_EQ(InitScreen(panel, UrlWithMds("abc").c_str(), kButtonFace), 1);
    TPicture first = CaptureClient(panel);
    ASSERT_EQ(InitScreen(panel, "http://elsewhere.invalid/x/enter?MDS=ABC", kButtonFace), 1);
    EXPECT_EQ(CaptureClient(panel), first);
}

TEST_F(AdPanelTest, ResizedPanelRepaintsInItsNewFormat) {
    HWND panel = MakePanel(0, 0, 180, 60);
    ASSERT_EQ(InitScreen(panel, kUrl, kButtonFace), 1);
    ::SetWindowPos(panel, nullptr, 0, 0, 90, 90, SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
    TPicture p = CaptureClient(panel);
    ASSERT_EQ(p.Width, 90);
    EXPECT_EQ(std::count(p.Pixels.begin(), p.Pixels.end(), kUntouched), 0);
    EXPECT_GT(ContentShare(p, PixelOf(::GetSysColor(COLOR_BTNFACE))), 0.5);   // the square is a card
}

// The six panels where the main window has them, on a light and on a dark background, saved
// side by side as admds_panels.bmp for a person to look at.
TEST_F(AdPanelTest, SixPanelsOfTheMainWindowPicture) {
    struct TSlot {
        int X, Y, W, H;
        const char* Mds;
    } slots[] = {
        {0, 232, 180, 60, "5b1e0c2f9a7d4e3b8c6a0f1d2e3c4b5a6978a1b2c3d4e5f6"},
        {183, 232, 180, 20, "c4a2e6f8091b3d5f7a9c0e2f4a6c8e0a1b3d5f7091a2b3c4"},
        {183, 255, 180, 20, "9e8d7c6b5a4f3e2d1c0b9a8f7e6d5c4b3a2f1e0d9c8b7a6f"},
        {183, 279, 180, 20, "0f1e2d3c4b5a69788796a5b4c3d2e1f00f1e2d3c4b5a6978"},
        {371, 208, 90, 90, "a1a2a3a4a5a6a7a8a9b0b1b2b3b4b5b6b7b8b9c0c1c2c3c4"},
        {471, 0, 180, 300, "77e1d2c3b4a5968778695a4b3c2d1e0f11223344556677aa"},
    };
    const int kGap = 16, kPageW = 655, kPageH = 304;
    const DWORD pages[2] = {kButtonFace, 0x00403632};
    TPicture sheet;
    sheet.Width = kPageW * 2 + kGap;
    sheet.Height = kPageH;
    sheet.Pixels.assign(static_cast<size_t>(sheet.Width) * sheet.Height, 0x00FFFFFF);

    for (int page = 0; page < 2; ++page) {
        const DWORD background = page == 0 ? PixelOf(::GetSysColor(COLOR_BTNFACE)) : PixelOf(pages[1]);
        TPicture back{kPageW, kPageH, std::vector<DWORD>(static_cast<size_t>(kPageW) * kPageH, background)};
        Blit(sheet, back, page * (kPageW + kGap), 0);
        for (const TSlot& s : slots) {
            HWND panel = MakePanel(s.X, s.Y, s.W, s.H);
            ASSERT_EQ(InitScreen(panel, UrlWithMds(s.Mds).c_str(), pages[page]), 1);
            TPicture p = CaptureClient(panel);
            EXPECT_GT(ContentShare(p, background), 0.15) << "panel at " << s.X << "," << s.Y;
            EXPECT_EQ(p.At(0, 0), background);
            Blit(sheet, p, page * (kPageW + kGap) + s.X, s.Y);
            ::DestroyWindow(panel);
        }
    }
    std::wstring path = ArtifactsDir() + L"/admds_panels.bmp";
    EXPECT_TRUE(SaveBmp(path, sheet));
}

}  // namespace
}  // namespace admds::test
