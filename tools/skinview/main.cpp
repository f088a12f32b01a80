// SkinView.exe [skin file]: shows the skin file named on the command line, or the default skin.
#include "SkinViewForm.h"

#include <shellapi.h>
#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    using namespace qx;
    std::wstring skinFile;
    int argc = 0;
    if (LPWSTR* argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc)) {
        if (argc > 1) skinFile = argv[1];
        ::LocalFree(argv);
    }
    InitApplication();
    RegisterSkinViewClasses();
    Application->SetTitle(L"SkinView");
    try {
        auto* form = new TSkinViewForm(Application, skinFile);
        form->Show();
        Application->Run();
    } catch (...) {
        Application->HandleException(nullptr);
    }
    DoneApplication();
    return 0;
}
