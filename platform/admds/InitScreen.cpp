// The library's only export and its entry point.
#include "admds.h"

#include "AdPanel.h"
#include "AdUrl.h"

extern "C" int WINAPI InitScreen(HWND panel, const char* url, DWORD colour) {
    // Only windows of the calling thread: the system's subclass chain cannot hook across
    // threads, and another process's window is none of our business.
    if (panel == nullptr || !::IsWindow(panel)) return 0;
    if (::GetWindowThreadProcessId(panel, nullptr) != ::GetCurrentThreadId()) return 0;
    return admds::AttachAdPanel(panel, admds::AdVariantFromUrl(url), colour) ? 1 : 0;
}
