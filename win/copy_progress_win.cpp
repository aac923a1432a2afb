#include "win/copy_progress_win.h"

#include <type_traits>

#include "engine/file_services.h"

namespace tunelift::mdlCopyBar {

// The routine must keep the pointer type of LPPROGRESS_ROUTINE.
static_assert(std::is_same_v<decltype(&CopyProgressRoutine), LPPROGRESS_ROUTINE>);

DWORD CALLBACK CopyProgressRoutine(LARGE_INTEGER TotalFileSize, LARGE_INTEGER TotalBytesTransferred,
                                   LARGE_INTEGER, LARGE_INTEGER, DWORD, DWORD, HANDLE, HANDLE, LPVOID lpData) {
    const auto* report = static_cast<const ProgressReport*>(lpData);
    if (report && *report)
        (*report)(static_cast<uint64_t>(TotalFileSize.QuadPart), static_cast<uint64_t>(TotalBytesTransferred.QuadPart));
    return PROGRESS_CONTINUE;
}

}  // namespace tunelift::mdlCopyBar
