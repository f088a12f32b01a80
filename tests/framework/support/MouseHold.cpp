#include "support/MouseHold.h"

namespace qx::test {

namespace {

TMouseSteps* gSteps = nullptr;
size_t gStep = 0;
bool gRepeat = false;

// A step that pumps messages (a screenshot, a paint) lets the next tick in: it waits for the
// step to end instead of running inside it.
void CALLBACK StepTimer(HWND, UINT, UINT_PTR, DWORD) {
    static bool inStep = false;
    if (!gSteps || gStep >= gSteps->size() || inStep) return;
    inStep = true;
    gRepeat = false;
    (*gSteps)[gStep]();
    inStep = false;
    if (!gRepeat) ++gStep;
}

}  // namespace

bool RetryStep(int& tries) {
    if (tries++ >= 25) return false;
    gRepeat = true;
    return true;
}

size_t HoldMouse(HWND window, POINT clientPoint, TMouseSteps steps) {
    POINT screen = clientPoint;
    ::ClientToScreen(window, &screen);
    ::SetCursorPos(screen.x, screen.y);
    gSteps = &steps;
    gStep = 0;
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 40, &StepTimer);
    ::SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(clientPoint.x, clientPoint.y));
    ::KillTimer(nullptr, timer);
    gSteps = nullptr;
    return gStep;
}

void MoveCursorTo(HWND tracking, POINT screen) {
    ::SetCursorPos(screen.x, screen.y);
    POINT client = screen;
    ::ScreenToClient(tracking, &client);
    ::PostMessageW(tracking, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(client.x, client.y));
}

void LetGo(HWND tracking) {
    POINT cursor{};
    ::GetCursorPos(&cursor);
    ::ScreenToClient(tracking, &cursor);
    ::PostMessageW(tracking, WM_LBUTTONUP, 0, MAKELPARAM(cursor.x, cursor.y));
}

}  // namespace qx::test
