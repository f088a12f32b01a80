// Helpers for the form skinning tests: the default skin (as the main window stores it, or
// repacked from its folder with changes, for broken skins), plain top-level windows whose own
// procedure records what reaches it, a skinned window set up the way the manager does it, and
// pixel checks against the skin's own images.
#pragma once

#include "PackageWriter.h"
#include "skin/data/SkinData.h"
#include "skin/form/WinSkinForm.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>
#include <windows.h>

namespace formtest {

// The default skin, loaded from the stored form the build makes (resource DEFAULTSKIN).
std::unique_ptr<TSkinData> LoadDefaultSkin();
// The default skin's folder turned into package members (bitmaps, then skin.ini).
std::vector<TPackageMember> DefaultSkinMembers();
// Replaces `key`'s value in `section` of the description (or adds the key there).
void SetIniValue(std::vector<TPackageMember>& members, const std::string& section, const std::string& key,
                 const std::string& value);
void RemoveMember(std::vector<TPackageMember>& members, const std::string& name);
// Replaces (or adds) a member.
void PutMember(std::vector<TPackageMember>& members, const std::string& name, std::vector<std::uint8_t> bytes);
// A 24-bit BMP file of w x h whose pixel (x, y) (top row 0) is colour(x, y) (0x00BBGGRR).
std::vector<std::uint8_t> Bmp24(int w, int h, const std::function<COLORREF(int, int)>& colour);
// A skin data component loaded from these members; null when the package does not load.
std::unique_ptr<TSkinData> LoadSkin(const std::vector<TPackageMember>& members);

// What a plain window's own procedure saw.
struct TSeen {
    UINT Msg;
    WPARAM WParam;
    LPARAM LParam;
};

// A top-level window of a class of its own, not yet skinned; its procedure (DefWindowProc)
// records every message it receives.
class TPlainWindow {
public:
    explicit TPlainWindow(DWORD style = WS_OVERLAPPEDWINDOW, DWORD exStyle = 0, const std::wstring& text = L"Plain window",
                          SIZE client = {300, 200});
    ~TPlainWindow();
    HWND Handle() const { return FHandle; }
    std::vector<TSeen>& Seen();
    // How many times the window's own procedure saw `msg` (with `wp`, when given).
    int Count(UINT msg) const;
    int Count(UINT msg, WPARAM wp) const;

private:
    HWND FHandle = nullptr;
};

// A skinned window: the skin, the window and its skinning object, attached as the manager
// does (SetHandle, Attach, SKN_ACTIVATE posted and handled).
struct TSkinnedWindow {
    std::unique_ptr<TSkinData> Skin;
    std::unique_ptr<TPlainWindow> Window;
    std::unique_ptr<TWinSkinForm> Form;

    HWND Handle() const { return Window->Handle(); }
    // Shows and activates the window, attaches it and runs the activation message; false when
    // it did not come through.
    bool Attach();
    // Lays the caption buttons out (a full frame paint, printed).
    void LayOut();
    // The centre of the first caption button with this action (window coordinates).
    POINT ButtonCentre(int action) const;
    TWinSysButton* Button(int action) const;
};
std::unique_ptr<TSkinnedWindow> MakeSkinned(DWORD style = WS_OVERLAPPEDWINDOW, DWORD exStyle = 0,
                                            const std::wstring& text = L"Plain window", SIZE client = {300, 200},
                                            std::unique_ptr<TSkinData> skin = nullptr);

RECT WindowRectOf(HWND wnd);
RECT ClientRectOf(HWND wnd);
SIZE SizeOf(const RECT& r);
// The window printed (WM_PRINT with frame, client and children) into a canvas of its size.
std::unique_ptr<qx::test::DibCanvas> Print(HWND wnd);
// Screen point of a window point (0, 0 = the window's top-left corner).
LPARAM ScreenPoint(HWND wnd, POINT windowPoint);

// Pixel (x, y) of frame `frame` (from 1) of `frames` of a bitmap, stacked or side by side.
COLORREF FramePixel(qx::TBitmap& bitmap, int frames, int frame, bool stacked, int x, int y);
COLORREF CanvasPixel(const qx::test::DibCanvas& canvas, int x, int y);
// Saves the canvas under $QUELLOX_ARTIFACTS as <name>.png; returns the path.
std::string SaveShot(const qx::test::DibCanvas& canvas, const std::string& name);
// What a screenshot of the desktop shows of a window with a region: everything outside the
// window's region becomes `outside` (printing ignores the region).
void CutToWindowRegion(HWND wnd, qx::test::DibCanvas& canvas, COLORREF outside);

// What a watcher saw of the menus that opened.
struct TMenuSeen {
    int Opened = 0;
    RECT Rect{};  // the first menu window on the screen
    int Items = 0;
};
// Watches for menu windows of this thread while it lives: records the first and then either
// ends each menu or chooses an item with the keyboard: `choose` > 0 presses Down that often
// before Enter, kChooseLast picks the last item, kChooseNone just closes the menu.
inline constexpr int kChooseNone = -1;
inline constexpr int kChooseLast = -2;
class TMenuWatcher {
public:
    explicit TMenuWatcher(int choose = kChooseNone);
    ~TMenuWatcher();
    const TMenuSeen& Seen() const { return FSeen; }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) noexcept;
    UINT_PTR FTimer = 0;
    int FChoose;
    HWND FHandled = nullptr;
    int FTicks = 0;
    TMenuSeen FSeen;
};

}  // namespace formtest
