#include <windows.h>
#include <shellapi.h>

#include <memory>

#include "ui/frm_crateway_win.h"
#include "ui/message_pump_win.h"
#include "win/file_services_win.h"
#include "win/handles_win.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int showCommand) {
    tunelift::win::ComApartment com;
    auto files = tunelift::win::CreateFileServices();
    tunelift::ui::frmCrateway window(*files, tunelift::ui::SystemModal());
    if (!window.Create(showCommand)) return 1;
    // A playlist dropped on the program's icon, "Open with" or "Send to": the first one.
    int count = 0;
    const std::unique_ptr<LPWSTR, decltype(&LocalFree)> words(CommandLineToArgvW(GetCommandLineW(), &count),
                                                               &LocalFree);
    if (words && count > 1) window.TakeStartArgument(words.get()[1]);
    return tunelift::ui::RunMessageLoop();
}
