// Program entry: the application object, the telnet library binding and the main window.
#include "app/Unit1.h"

#include "framework/Forms.h"
#include "platform/devicemonitor/devicemonitor.h"
#include "router/TelnetBinding.h"
#include "skin/data/SkinData.h"

#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    using namespace qx;
    router::TTelnetBinding& telnet = router::TelnetBinding();
    telnet.telnet_connect = &telnet_connect;
    telnet.ReadResult = &ReadResult;
    telnet.new_do_command = &new_do_command;
    telnet.telnet_is_open = &telnet_is_open;

    InitApplication();
    RegisterUnit1Classes();
    RegisterSkinDataClasses();
    Application->SetTitle(L"Quellox");
    try {
        Application->CreateForm(Form8);
        Application->Run();
    } catch (...) {
        Application->HandleException(nullptr);
    }
    DoneApplication();
    return 0;
}
