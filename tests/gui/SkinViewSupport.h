// Helpers for the skin viewer's window tests: skin files written from the default skin's folder,
// and screenshots of a window together with the menus it has open.
#pragma once

#include "SkinViewForm.h"
#include "support/TestSupport.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>
#include <windows.h>

namespace viewtest {

// A skin file made from the default skin with one value of its description changed; its path.
std::wstring WriteSkinFile(const std::string& name, const std::string& section, const std::string& key,
                           const std::string& value);
// A skin file made from the default skin without the named members (its bitmaps).
std::wstring WriteSkinFileWithout(const std::string& name, const std::vector<std::string>& members);
// A file that is no skin at all.
std::wstring WriteJunkFile(const std::string& name);

// Creates the viewer (the one skin data component of the test program), shows it and waits
// until the skin manager has skinned it (when `skinned`).
TSkinViewForm* OpenViewer(const std::wstring& skinFile = {}, bool skinned = true);
void CloseViewer(TSkinViewForm*& form);
bool IsSkinned(HWND wnd);

// Everything the window shows invalidated and painted again, and what follows handled.
void RepaintAll(HWND wnd);
// What the screen shows of the window now (frame included); saved as <name>.png when a name is
// given.
std::unique_ptr<qx::test::DibCanvas> ShootWindow(HWND wnd, const std::string& name = {});
// Where `inner`'s window corner lies on a shot of `outer`.
POINT PlaceInShot(HWND outer, HWND inner);
// How many pixels of the w x h area at `a` in one picture differ from the area at `b` in another.
int Differing(const qx::test::DibCanvas& one, POINT a, const qx::test::DibCanvas& other, POINT b, int w, int h);

// Every visible menu window of this thread.
std::vector<HWND> MenuWindows();
// Saves what the screen shows of the window and its open menus as <name>.png; returns the
// path (empty on failure).
std::string ShotWithMenus(HWND wnd, const std::string& name);

// Runs `open` (which enters a menu loop and returns when it ends); while the menu is open,
// `steps` are run one per timer tick once `menus` menu windows are visible, then a
// screenshot is saved as <name>.png and the menus are closed. Returns the screenshot's path.
struct TMenuStep {
    size_t Menus;                  // menu windows that must be open before this step
    std::function<void()> Action;  // null: only wait
};
std::string ShootMenu(HWND wnd, const std::function<void()>& open, const std::vector<TMenuStep>& steps,
                      size_t menusForShot, const std::string& name);

}  // namespace viewtest
