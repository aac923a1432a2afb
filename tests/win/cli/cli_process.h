// The two programs started as a shell starts them: a process of their own whose output
// goes to files, never to a pipe the test would wait on for an end that Wine's helper
// processes can hold back.
#pragma once
#include <windows.h>

#include <string>

namespace tunelift::testing {

struct Finished {
    bool ended = false;          // within the time allowed
    DWORD code = STILL_ACTIVE;   // the exit code
    std::string out, err;        // standard output and error, as bytes
};

// A program built beside this test.
std::wstring ProgramBeside(const wchar_t* name);
// A command-line word in quotes, as CommandLineToArgvW takes it back.
std::wstring Quoted(const std::wstring& word);

// Runs `commandLine` in `folder` with its output in files under `logs` and waits for
// its end (two minutes at most, for a loaded machine).
Finished RunToEnd(const std::wstring& commandLine, const std::wstring& folder, const std::wstring& logs);

// Starts the process with the given standard handles (null: NUL) and creation flags.
// Returns its process handle, or null.
HANDLE Start(const std::wstring& commandLine, const std::wstring& folder, HANDLE out, HANDLE err, DWORD flags,
             DWORD* processId = nullptr);

// Polls `done` every few milliseconds until it holds or two minutes have passed.
template <class Done>
bool AwaitTrue(Done done) {
    for (ULONGLONG start = GetTickCount64(); GetTickCount64() - start < 120000; Sleep(5))
        if (done()) return true;
    return false;
}

}  // namespace tunelift::testing
