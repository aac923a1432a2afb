// The real window with COM for the shell (the program's entry point does the same), a
// scratch folder, and the process's current folder put back after every test.
#pragma once
#include <windows.h>
#include <objbase.h>

#include <string>

#include "scratch_folder.h"
#include "window_fixture.h"

namespace tunelift::testing {

std::wstring CurrentFolder();

// Puts the current folder back, so that no test depends on another's dialogs or drops and
// the scratch folder is never in use when it is removed.
class CurrentFolderKeeper {
public:
    CurrentFolderKeeper() : saved_(CurrentFolder()) {}
    ~CurrentFolderKeeper() { SetCurrentDirectoryW(saved_.c_str()); }
    const std::wstring& saved() const { return saved_; }

private:
    std::wstring saved_;
};

class DialogTest : public WindowTest {
protected:
    DialogTest() { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE); }
    ~DialogTest() override { CoUninitialize(); }

    ScratchFolder dir;
    CurrentFolderKeeper keeper;  // after dir: the folder is left before it is removed
};

}  // namespace tunelift::testing
