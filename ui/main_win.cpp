#include <windows.h>
#include <objbase.h>

#include "ui/frm_crateway_win.h"
#include "ui/message_pump_win.h"
#include "win/file_services_win.h"

namespace {

// COM for the shell's folder picker and the accessibility names, for the program's life.
struct ComApartment {
    ComApartment() { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE); }
    ~ComApartment() { CoUninitialize(); }
};

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int showCommand) {
    ComApartment com;
    auto files = tunelift::win::CreateFileServices();
    tunelift::ui::frmCrateway window(*files, tunelift::ui::SystemModal());
    if (!window.Create(showCommand)) return 1;
    return tunelift::ui::RunMessageLoop();
}
