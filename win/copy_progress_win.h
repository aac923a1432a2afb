// The copy-progress routine of mdlCopyBar, with the kernel's copy-progress signature,
// so the copy loop reports exactly as the kernel's own copy would.
#pragma once
#include <windows.h>

namespace tunelift::mdlCopyBar {

// Reads only the total size and the bytes transferred and hands them to the
// ProgressReport that lpData points to (none when it is null); always answers
// PROGRESS_CONTINUE.
DWORD CALLBACK CopyProgressRoutine(LARGE_INTEGER TotalFileSize, LARGE_INTEGER TotalBytesTransferred,
                                   LARGE_INTEGER StreamSize, LARGE_INTEGER StreamBytesTransferred,
                                   DWORD dwStreamNumber, DWORD dwCallbackReason, HANDLE hSourceFile,
                                   HANDLE hDestinationFile, LPVOID lpData);

}  // namespace tunelift::mdlCopyBar
