#pragma once
// Holding the left mouse button on a window while steps run, for tests of controls whose press
// enters a modal tracking loop (scroll bars, their overlays): the press is sent to the window
// and the steps run from a thread timer that the tracking loop dispatches, one per tick. The
// last step lets the button go (a posted WM_LBUTTONUP ends the tracking); a press that never
// entered a tracking loop simply sees its steps not run.
#include <windows.h>

#include <cstddef>
#include <functional>
#include <vector>

namespace qx::test {

using TMouseSteps = std::vector<std::function<void()>>;

// Puts the cursor at `clientPoint` of `window`, presses there and runs the steps while the
// button is held. Returns how many steps ran.
size_t HoldMouse(HWND window, POINT clientPoint, TMouseSteps steps);

// From a step: run it again at the next tick, at most 25 times (a second) in all; false when
// the tries are used up. The X server delivers the pointer warps of SetCursorPos late on a busy
// machine, and a late one can undo the move a step just made; the step then makes it again.
bool RetryStep(int& tries);

// Moves the cursor (screen) and tells the tracking window, as the mouse would.
void MoveCursorTo(HWND tracking, POINT screen);
// Lets the button go where the cursor is.
void LetGo(HWND tracking);

}  // namespace qx::test
