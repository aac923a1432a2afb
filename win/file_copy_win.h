// FileCopy and FileExists: the program's only way to copy a file and to ask whether
// one is there.
#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "engine/file_services.h"

namespace tunelift::win {

// The copy reads and writes this much at a time, and reports its progress after each.
constexpr DWORD kCopyChunkBytes = 1024 * 1024;

// What the caller learned about the destination name just before the copy.
enum class DestinationHint {
    Unknown,
    Missing,  // a look-up found no file there a moment ago
};

// What a copy that proves itself asks for and learns.
struct CopyCheck {
    ProgressReport verifying;  // told how far the read-back has come
    // Out: the source's bytes as the copy read them; nothing when no byte was written.
    std::optional<SongDigest> digest;
    // Out: the copy read back otherwise than the source, or not at all.
    bool differs = false;
};

// Copies sSourceFile over sDestFile (replacing an existing file), reporting progress
// to `progress` through mdlCopyBar::CopyProgressRoutine on the calling thread. The
// bytes go into a part file beside the destination, which takes the destination's name
// only once all of it is written and flushed; on failure the part file is removed and
// an existing destination stays as it was. A file copied onto itself is left alone (true); a
// read-only destination is refused (false). The copy keeps the source's last-write
// time. True when the destination now holds the source's bytes.
// The hint only saves work: a file that appeared under a name hinted Missing is still
// found and treated by the same rules.
// With a `check`, the source's bytes are hashed as they are read, and after the flush
// the part file is read back from the disk past its cache: only a part file that reads
// back as the source takes the destination's name.
bool FileCopy(const std::wstring& sSourceFile, const std::wstring& sDestFile,
              DestinationHint hint = DestinationHint::Unknown, const ProgressReport& progress = {},
              CopyCheck* check = nullptr);

// True for an existing file of any size, including zero; false for "", a missing file,
// a path in a missing folder, a folder, and a name with wildcards.
bool FileExists(const std::wstring& sFile);

// The part file's name for a destination file name: "." + name + ".tunelift-part",
// or ".tunelift-part" alone when the long form would not fit in a path.
std::wstring CopyPartName(std::wstring_view destName);

// True for a name that only an interrupted copy leaves behind (see CopyPartName):
// starts with "." and ends with ".tunelift-part".
bool IsCopyLeftover(std::wstring_view name);

// Seams for tests and the benchmark; a real run never calls them.
namespace copy_seam {
// Makes the nth write of the copies that follow fail as a full disk would; 0 = never.
void FailNthWrite(int n);
// Overrides the chunk size (0 restores kCopyChunkBytes).
void SetChunkBytes(DWORD bytes);
// Lets the benchmark tell the copy loop's cost from the flush's; true by default.
void SetFlushBeforeRename(bool flush);
// What the copy does to the part file at its end, in order, with the part file's handle
// at that moment; lets a test see that only flushed bytes take the destination's name.
enum class Step { Flush, Rename };
using Observer = std::function<void(Step step, HANDLE part)>;
void SetObserver(Observer observer);  // empty: nobody watches
}  // namespace copy_seam

}  // namespace tunelift::win
