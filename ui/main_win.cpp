#include <windows.h>

#include "ui/frm_crateway_win.h"
#include "ui/message_pump_win.h"
#include "win/file_services_win.h"
#include "win/handles_win.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int showCommand) {
    tunelift::win::ComApartment com;
    auto files = tunelift::win::CreateFileServices();
    tunelift::ui::frmCrateway window(*files, tunelift::ui::SystemModal());
    if (!window.Create(showCommand)) return 1;
    return tunelift::ui::RunMessageLoop();
}
