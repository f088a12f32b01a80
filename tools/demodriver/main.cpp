// Drives a running Quellox through one cycle for the headless demo: types the simulator's
// address, connects, runs the census, and saves a screenshot (BMP) of the screen at each step.
//   demodriver <address> <screenshot folder>
#include "framework/DibSurface.h"
#include "framework/WindowText.h"

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

// WM_GETTEXT itself: GetWindowText on another process's window reads only the caption the
// system keeps, which an edit box does not update.
std::wstring Text(HWND w) {
    wchar_t buf[512] = {};
    DWORD_PTR got = 0;
    ::SendMessageTimeoutW(w, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(buf), SMTO_ABORTIFHUNG, 2000, &got);
    return buf;
}

// Waits up to `ms` for a window of this class owned by the program.
HWND WaitForWindow(const wchar_t* cls, int ms) {
    for (int waited = 0; waited < ms; waited += 50) {
        HWND w = ::FindWindowW(cls, nullptr);
        if (w && ::IsWindowVisible(w)) return w;
        ::Sleep(50);
    }
    return nullptr;
}

HWND FindChild(HWND parent, const wchar_t* cls, const std::wstring& text) {
    struct Search {
        const wchar_t* Class;
        std::wstring Text;
        HWND Found;
    } search{cls, text, nullptr};
    ::EnumChildWindows(parent, [](HWND w, LPARAM lp) -> BOOL {
        auto* s = reinterpret_cast<Search*>(lp);
        if (qx::ClassNameOf(w) == s->Class && (s->Text.empty() || Text(w) == s->Text)) {
            s->Found = w;
            return FALSE;
        }
        return TRUE;
    }, reinterpret_cast<LPARAM>(&search));
    return search.Found;
}

bool SaveScreen(const std::wstring& path) {
    const int w = ::GetSystemMetrics(SM_CXSCREEN), h = ::GetSystemMetrics(SM_CYSCREEN);
    qx::WindowDc screen(nullptr);
    // Bottom-up rows, as a bitmap file stores them.
    qx::TDibSurface shot(w, h, 24, false, screen.get());
    if (shot.Empty()) return false;
    ::BitBlt(shot.Dc(), 0, 0, w, h, screen.get(), 0, 0, SRCCOPY);
    ::GdiFlush();
    const BITMAPINFOHEADER& header = shot.Header();
    const DWORD size = static_cast<DWORD>(shot.Stride()) * static_cast<DWORD>(h);
    BITMAPFILEHEADER fh{0x4D42, static_cast<DWORD>(sizeof(fh) + sizeof(BITMAPINFOHEADER) + size), 0, 0,
                        static_cast<DWORD>(sizeof(fh) + sizeof(BITMAPINFOHEADER))};
    bool ok = false;
    if (FILE* f = _wfopen(path.c_str(), L"wb")) {
        ok = fwrite(&fh, sizeof(fh), 1, f) == 1 && fwrite(&header, sizeof(BITMAPINFOHEADER), 1, f) == 1 &&
             fwrite(shot.Bits(), 1, size, f) == size;
        fclose(f);
    }
    return ok;
}

void Step(const std::wstring& folder, int n, const wchar_t* name) {
    ::Sleep(400);  // let the window finish painting
    std::wstring path = folder + L"\\demo_" + std::to_wstring(n) + L"_" + name + L".bmp";
    std::printf("demo: step %d %ls -> %s\n", n, name, SaveScreen(path) ? "saved" : "NOT saved");
}

// Waits for a message form, screenshots it, reads its text and answers it.
bool AnswerMessage(const std::wstring& folder, int n, const wchar_t* name, int waitMs) {
    HWND box = WaitForWindow(L"TMessageForm", waitMs);
    if (!box) {
        std::printf("demo: no message for step %d\n", n);
        return false;
    }
    Step(folder, n, name);
    if (HWND text = FindChild(box, L"Static", L"")) std::printf("demo: message: %ls\n", Text(text).c_str());
    if (HWND text = FindChild(box, L"TStaticText", L"")) std::printf("demo: message: %ls\n", Text(text).c_str());
    if (HWND ok = FindChild(box, L"TButton", L"")) ::PostMessageW(ok, BM_CLICK, 0, 0);
    for (int i = 0; i < 40 && ::IsWindow(box) && ::IsWindowVisible(box); ++i) ::Sleep(50);
    return true;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) {
        std::printf("usage: demodriver <address> <screenshot folder>\n");
        return 2;
    }
    std::wstring address = argv[1], folder = argv[2];
    HWND main = WaitForWindow(L"TForm8", 20000);
    if (!main) {
        std::printf("demo: the main window did not appear\n");
        return 1;
    }
    Step(folder, 1, L"start");
    HWND edit = FindChild(main, L"TEdit", L"172.31.1.253");
    HWND connect = FindChild(main, L"TButton", L"连接设备");
    HWND census = FindChild(main, L"TButton", L"检查连接数");
    if (!edit || !connect || !census) {
        std::printf("demo: controls not found\n");
        return 1;
    }
    ::SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(address.c_str()));
    Step(folder, 2, L"address");
    ::PostMessageW(connect, BM_CLICK, 0, 0);
    if (!AnswerMessage(folder, 3, L"connected", 15000)) return 1;
    ::PostMessageW(census, BM_CLICK, 0, 0);
    Step(folder, 4, L"census_running");
    if (!AnswerMessage(folder, 5, L"report", 60000)) return 1;
    Step(folder, 6, L"done");
    ::PostMessageW(main, WM_CLOSE, 0, 0);
    for (int i = 0; i < 100 && ::IsWindow(main); ++i) ::Sleep(50);
    return 0;
}
