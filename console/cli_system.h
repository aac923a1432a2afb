// What a command-line run needs from the system besides the file services: the two
// output streams, folders, and the user's Ctrl+C. Windows implements it over the
// console; tests script it.
#pragma once
#include <string>

namespace tunelift::cli {

class CliSystem {
public:
    virtual ~CliSystem() = default;

    // Text for standard output and standard error; lines end in "\n".
    virtual void Write(const std::wstring& text) = 0;
    virtual void WriteError(const std::wstring& text) = 0;

    // True for an existing folder (a drive's root included).
    virtual bool FolderExists(const std::wstring& path) = 0;
    // Makes a folder the process's current one.
    virtual void EnterFolder(const std::wstring& folder) = 0;

    // From now on Ctrl+C no longer ends the program: it is noted, and `message` goes to
    // standard error at once, so the user knows the run is stopping.
    virtual void ListenForInterrupt(const std::wstring& message) = 0;
    // True once Ctrl+C has been pressed since ListenForInterrupt.
    virtual bool Interrupted() = 0;
};

}  // namespace tunelift::cli
