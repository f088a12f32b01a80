// Program entry.
#include "app/DemoForm.h"

#include "framework/Forms.h"

#include <windows.h>

TDemoForm* DemoForm = nullptr;

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    using namespace qx;
    InitApplication();
    RegisterDemoClasses();
    Application->SetTitle(L"Quellox");
    try {
        Application->CreateForm(DemoForm);
        Application->Run();
    } catch (...) {
        Application->HandleException(nullptr);
    }
    DoneApplication();
    return 0;
}
