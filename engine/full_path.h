// Where a path written relative to a folder leads: the portable half of the system's
// full-path rules. A run resolves its paths against the folder that was current when it
// started, so a playlist chosen or dropped meanwhile cannot move its copies. Pure
// functions, no I/O.
#pragma once
#include <string>

namespace tunelift {

// The full form of `path` seen from `folder` (a full folder path such as "C:\Lists",
// "C:\" or "\\server\share\lists"): "/" becomes "\", doubled separators and "." and ".."
// parts are folded (never above the root), and a relative path, a root-relative "\x" or a
// drive-relative "C:x" is put under the folder, its root or its drive ("D:x" on a drive
// other than the folder's means "D:\x"). "\\?\" and "\\.\" paths and "" stay as written,
// and so does a relative path when `folder` is empty. Names are not checked.
std::wstring FullPathIn(const std::wstring& folder, const std::wstring& path);

// A destination folder as typed, made full and without a trailing separator, so that
// folder & "\" & name is one path: "C:" and "C:\" both give "C:", the drive's root, as
// the copies always meant it. A text of nothing but blanks stays as typed: it names no
// folder, and must not become the current one.
std::wstring FullFolderIn(const std::wstring& folder, const std::wstring& typed);

}  // namespace tunelift
