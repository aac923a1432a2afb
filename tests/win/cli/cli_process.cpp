#include "cli_process.h"

#include "tests/win/faults/tree_snapshot.h"
#include "win/handles_win.h"

namespace tunelift::testing {

std::wstring ProgramBeside(const wchar_t* name) {
    wchar_t self[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring folder(self, length);
    return folder.substr(0, folder.find_last_of(L'\\') + 1) + name;
}

std::wstring Quoted(const std::wstring& word) { return L"\"" + word + L"\""; }

HANDLE Start(const std::wstring& commandLine, const std::wstring& folder, HANDLE out, HANDLE err, DWORD flags,
             DWORD* processId) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    win::FileHandle nul(CreateFileW(L"NUL", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                                    OPEN_EXISTING, 0, nullptr));
    STARTUPINFOW si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdInput = nul.get();
    si.hStdOutput = out ? out : nul.get();
    si.hStdError = err ? err : nul.get();
    PROCESS_INFORMATION pi{};
    std::wstring line = commandLine;
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, flags, nullptr, folder.c_str(), &si, &pi))
        return nullptr;
    CloseHandle(pi.hThread);
    if (processId) *processId = pi.dwProcessId;
    return pi.hProcess;
}

Finished RunToEnd(const std::wstring& commandLine, const std::wstring& folder, const std::wstring& logs) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    const std::wstring outPath = logs + L"\\out.txt", errPath = logs + L"\\err.txt";
    Finished result;
    {
        win::FileHandle out(CreateFileW(outPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS, 0,
                                        nullptr));
        win::FileHandle err(CreateFileW(errPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS, 0,
                                        nullptr));
        win::FileHandle process(Start(commandLine, folder, out.get(), err.get(), 0));
        if (!process) return result;
        result.ended = WaitForSingleObject(process.get(), 120000) == WAIT_OBJECT_0;
        if (!result.ended) TerminateProcess(process.get(), 99);
        GetExitCodeProcess(process.get(), &result.code);
    }
    result.out = ReadWhole(outPath);
    result.err = ReadWhole(errPath);
    return result;
}

}  // namespace tunelift::testing
