// InitScreen as the program and a later subclasser (the skin engine) see it: the export, the
// hook, what still reaches the panel's own procedure, bad arguments and an early unload.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <thread>

#include "PanelCapture.h"
#include "TestPanels.h"

namespace admds::test {
namespace {

// The module's export directory, read from its PE headers in memory.
const IMAGE_EXPORT_DIRECTORY* ExportsOf(HMODULE module) {
    auto* base = reinterpret_cast<const BYTE*>(module);
    auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
    return dir.VirtualAddress ? reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(base + dir.VirtualAddress) : nullptr;
}

TEST(AdmdsModule, ExportsExactlyInitScreenUndecorated) {
    HMODULE module = ::GetModuleHandleW(L"admds.dll");
    ASSERT_NE(module, nullptr);
    const IMAGE_EXPORT_DIRECTORY* exports = ExportsOf(module);
    ASSERT_NE(exports, nullptr);
    EXPECT_EQ(exports->NumberOfFunctions, 1u);
    ASSERT_EQ(exports->NumberOfNames, 1u);
    auto* base = reinterpret_cast<const char*>(module);
    auto* names = reinterpret_cast<const DWORD*>(base + exports->AddressOfNames);
    EXPECT_STREQ(base + names[0], "InitScreen");
    EXPECT_NE(::GetProcAddress(module, "InitScreen"), nullptr);
}

TEST_F(AdPanelTest, PanelKeepsItsOwnProcedureForEverythingButPainting) {
    HWND panel = MakePanel(0, 0, 180, 60);
    ASSERT_EQ(InitScreen(panel, kUrl, kButtonFace), 1);
    EXPECT_EQ(::SendMessageW(panel, kPing, 0, 0), kPingAnswer);
    EXPECT_EQ(LogOf(panel).Pings, 1);

    // WM_PAINT is answered by the ad: the panel's own painter never runs and nothing stays invalid.
    ::ShowWindow(host_, SW_SHOWNOACTIVATE);
    ::InvalidateRect(panel, nullptr, TRUE);
    ::UpdateWindow(panel);
    EXPECT_EQ(LogOf(panel).Paints, 0);
    RECT stale;
    EXPECT_FALSE(::GetUpdateRect(panel, &stale, FALSE));

    // Destruction still reaches the panel's procedure after the hook has let go.
    TPanelLog& log = LogOf(panel);
    ::DestroyWindow(panel);
    EXPECT_EQ(log.NcDestroys, 1);
}

TEST_F(AdPanelTest, RepeatedCallsReplaceTheContentWithoutStackingHooks) {
    HWND panel = MakePanel(0, 0, 180, 60);
    EXPECT_EQ(Layers(panel), 0);
    for (int i = 0; i < 3; ++i) ASSERT_EQ(InitScreen(panel, kUrl, kButtonFace), 1);
    EXPECT_EQ(Layers(panel), 1);

    ASSERT_EQ(InitScreen(panel, kUrl, RGB(200, 30, 40)), 1);
    EXPECT_EQ(Layers(panel), 1);
    EXPECT_EQ(CaptureClient(panel).At(0, 0), PixelOf(RGB(200, 30, 40)));
    EXPECT_EQ(::SendMessageW(panel, kPing, 0, 0), kPingAnswer);
    EXPECT_EQ(LogOf(panel).Pings, 1);   // one hook, one delivery
}

// A later subclasser in the old style (window procedure replaced), as the skin engine does.
WNDPROC gInner = nullptr;
int gOuterPings = 0;
LRESULT CALLBACK OuterProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == kPing) ++gOuterPings;
    return ::CallWindowProcW(gInner, wnd, msg, wp, lp);
}

TEST_F(AdPanelTest, ACallAfterAnOuterSubclassLeavesItOnTop) {
    HWND panel = MakePanel(0, 0, 180, 60);
    ASSERT_EQ(InitScreen(panel, kUrl, kButtonFace), 1);
    gOuterPings = 0;
    gInner = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(panel, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(OuterProc)));

    ASSERT_EQ(InitScreen(panel, kUrl, RGB(10, 120, 60)), 1);
    EXPECT_EQ(::GetWindowLongPtrW(panel, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(OuterProc));
    EXPECT_EQ(Layers(panel), 1);
    EXPECT_EQ(::SendMessageW(panel, kPing, 0, 0), kPingAnswer);
    EXPECT_EQ(gOuterPings, 1);
    EXPECT_EQ(LogOf(panel).Pings, 1);
    EXPECT_EQ(CaptureClient(panel).At(0, 0), PixelOf(RGB(10, 120, 60)));

    ::SetWindowLongPtrW(panel, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(gInner));
}

TEST_F(AdPanelTest, ACallAfterTheHookWasCutOutHooksAgain) {
    HWND panel = MakePanel(0, 0, 180, 60);
    const LONG_PTR own = ::GetWindowLongPtrW(panel, GWLP_WNDPROC);
    ASSERT_EQ(InitScreen(panel, kUrl, kButtonFace), 1);
    // A careless subclasser puts back the class procedure it saw at creation.
    ::SetWindowLongPtrW(panel, GWLP_WNDPROC, own);
    ASSERT_EQ(Layers(panel), 0);

    ASSERT_EQ(InitScreen(panel, kUrl, kButtonFace), 1);
    EXPECT_EQ(Layers(panel), 1);
    EXPECT_EQ(CaptureClient(panel).At(0, 0), PixelOf(::GetSysColor(COLOR_BTNFACE)));
}

TEST_F(AdPanelTest, UnusableArgumentsAreRefusedWithoutHarm) {
    EXPECT_EQ(InitScreen(nullptr, kUrl, kButtonFace), 0);
    EXPECT_EQ(InitScreen(reinterpret_cast<HWND>(static_cast<INT_PTR>(0xDEAD0)), kUrl, kButtonFace), 0);
    HWND gone = MakePanel(0, 0, 180, 20);
    ::DestroyWindow(gone);
    EXPECT_EQ(InitScreen(gone, kUrl, kButtonFace), 0);

    // No URL still gives a complete ad.
    HWND panel = MakePanel(0, 0, 180, 20);
    EXPECT_EQ(InitScreen(panel, nullptr, kButtonFace), 1);
    TPicture p = CaptureClient(panel);
    EXPECT_EQ(p.At(0, 0), PixelOf(::GetSysColor(COLOR_BTNFACE)));
    EXPECT_EQ(std::count(p.Pixels.begin(), p.Pixels.end(), kUntouched), 0);
}

TEST_F(AdPanelTest, AnotherThreadsCallDoesNotHookThePanel) {
    HWND panel = MakePanel(0, 0, 90, 90);
    int result = -1;
    std::thread other([&] { result = InitScreen(panel, kUrl, kButtonFace); });
    other.join();
    EXPECT_EQ(result, 0);
    EXPECT_EQ(Layers(panel), 0);
    EXPECT_EQ(CaptureClient(panel).At(45, 45), PixelOf(kPanelOwnColour));
}

TEST_F(AdPanelTest, UnloadingTheLibraryLeavesHookedPanelsWorking) {
    // A private copy under another name, so that this load is the only reference to it.
    wchar_t exe[MAX_PATH];
    ::GetModuleFileNameW(nullptr, exe, MAX_PATH);
    std::wstring dir(exe);
    dir.resize(dir.find_last_of(L"\\/") + 1);
    std::wstring copy = ArtifactsDir() + L"/admds_unload_copy.dll";
    ASSERT_TRUE(::CopyFileW((dir + L"admds.dll").c_str(), copy.c_str(), FALSE));

    HWND panel = MakePanel(0, 0, 180, 60);
    HMODULE module = ::LoadLibraryW(copy.c_str());
    ASSERT_NE(module, nullptr);
    // Through a generic function pointer: the export's real type is not FARPROC's.
    auto init = reinterpret_cast<decltype(&InitScreen)>(reinterpret_cast<void (*)()>(::GetProcAddress(module, "InitScreen")));
    ASSERT_NE(init, nullptr);
    ASSERT_EQ(init(panel, kUrl, RGB(10, 120, 60)), 1);
    gOuterPings = 0;
    gInner = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(panel, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(OuterProc)));
    ::FreeLibrary(module);

    // The hooked panel keeps the code it calls, and the later subclasser keeps its place.
    EXPECT_NE(::GetModuleHandleW(L"admds_unload_copy.dll"), nullptr);
    EXPECT_EQ(::GetWindowLongPtrW(panel, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(OuterProc));
    EXPECT_EQ(::SendMessageW(panel, kPing, 0, 0), kPingAnswer);
    EXPECT_EQ(gOuterPings, 1);
    EXPECT_EQ(LogOf(panel).Pings, 1);
    EXPECT_EQ(Layers(panel), 1);
    EXPECT_EQ(CaptureClient(panel).At(0, 0), PixelOf(RGB(10, 120, 60)));
    ::DestroyWindow(panel);
}

}  // namespace
}  // namespace admds::test
