// The rules for names inside one folder: which letters a Windows file system treats
// as equal, and which names can only mean one file there. Pure functions, no I/O.
#pragma once
#include <string>

namespace tunelift {

// Upper-cases the letters whose case a Windows file system ignores (ASCII, Latin-1,
// Latin Extended-A, Greek, Cyrillic); everything else is kept as it is.
std::wstring FoldNameCase(const std::wstring& name);

// True when `name` can only mean one file directly inside a folder: not empty, no
// folder separator, drive colon, wildcard or control character, not "." or "..",
// no trailing dot or blank (Windows would strip it and reach another file) and
// no device name such as "NUL" or "com1.mp3".
bool IsPlainFileName(const std::wstring& name);

}  // namespace tunelift
